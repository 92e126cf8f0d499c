#!/usr/bin/env bash
# Checks a Windows build's deliverables as files, without running them:
# machine and subsystem, Boxes' exports by ordinal, imports from system DLLs
# only, and the version and manifest resources.
#   check-artifacts.sh BUILD_FOLDER 32|64
set -uo pipefail
build="$1" bits="$2"
if [ "$bits" = 64 ]; then
  objdump=x86_64-w64-mingw32-objdump format=pei-x86-64 magic="PE32\\+" arch=amd64
else
  objdump=i686-w64-mingw32-objdump format=pei-i386 magic=PE32 arch=x86
fi
failures=0
fail() { echo "FAIL: $*" >&2; failures=$((failures + 1)); }

# What a program may import: DLLs every Windows installation has.
system_dlls='^(kernel32|user32|gdi32|comctl32|comdlg32|shell32|advapi32|version|winspool\.drv|psapi|msvcrt|ole32|oleaut32|shlwapi|uxtheme|api-ms-win-[a-z0-9-]+)(\.dll)?$'

check_image() {  # file, expected subsystem text (empty: any)
  local file="$1" dump
  [ -f "$file" ] || { fail "$file is missing"; return; }
  dump=$("$objdump" -p "$file" 2>&1) || { fail "$file: objdump failed"; return; }
  grep -q "file format $format" <<<"$dump" || fail "$file is not $format"
  grep -qE "^Magic[[:space:]]+[0-9a-f]+[[:space:]]+\($magic\)" <<<"$dump" || fail "$file is not $magic"
  [ -z "$2" ] || grep -qE "^Subsystem[[:space:]]+[0-9a-f]+[[:space:]]+\($2\)" <<<"$dump" ||
    fail "$file: subsystem is not $2"
  local dll
  while read -r dll; do
    grep -qiE "$system_dlls" <<<"$dll" || fail "$file imports $dll, which is no system DLL"
  done < <(sed -n 's/^[[:space:]]*DLL Name: //p' <<<"$dump")
  # Top-level resource types: 16 is the version, 24 the manifest.
  grep -qE '^[0-9a-f]{3}   Entry: ID: 0x000010,' <<<"$dump" || fail "$file has no version resource"
}

check_image "$build/Tarvisk.exe" "Windows GUI"
grep -qE '^[0-9a-f]{3}   Entry: ID: 0x000018,' <<<"$("$objdump" -p "$build/Tarvisk.exe" 2>/dev/null)" ||
  fail "Tarvisk.exe has no manifest"
grep -q "processorArchitecture=\"$arch\"" "$build/Tarvisk.exe" ||
  fail "Tarvisk.exe's manifest does not name $arch"

check_image "$build/Plugins/Boxes.dll" ""
# The host binds Name, Hint, Info and Action by ordinals 2 to 5. objdump numbers
# the name table from the ordinal base, which must be 1 (slot 1 left empty).
dump=$("$objdump" -p "$build/Plugins/Boxes.dll" 2>/dev/null)
grep -qE '^Ordinal Base[[:space:]]+1$' <<<"$dump" || fail "Boxes.dll's ordinal base is not 1"
exports=$(sed -n '/^\[Ordinal\/Name Pointer\] Table/,/^$/p' <<<"$dump")
for pair in "2 Name" "3 Hint" "4 Info" "5 Action"; do
  set -- $pair
  grep -qE "^[[:space:]]*\[[[:space:]]*$(($1 - 1))\] $2\$" <<<"$exports" ||
    fail "Boxes.dll does not export $2 at ordinal $1"
done

# The message log's hook DLL, loaded into other programs: its slot table in a
# section shared between processes, and the three entry points Tarvisk binds.
check_image "$build/TarviskHook.dll" ""
dump=$("$objdump" -h -p "$build/TarviskHook.dll" 2>/dev/null)
grep -A1 -E '^[[:space:]]*[0-9]+ \.shr ' <<<"$dump" | grep -q SHARED || fail "TarviskHook.dll has no shared section"
for name in TarviskHookClaimSlot TarviskHookReleaseSlot TarviskHookProcs; do
  grep -qE "\] $name\$" <<<"$dump" || fail "TarviskHook.dll does not export $name"
done

if [ "$failures" -eq 0 ]; then
  echo "$bits-bit files: Tarvisk.exe, TarviskHook.dll and Plugins/Boxes.dll as expected"
fi
[ "$failures" -eq 0 ]
