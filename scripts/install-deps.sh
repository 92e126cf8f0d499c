#!/usr/bin/env bash
# Installs what building and testing Tarvisk needs on Debian 12: the MinGW-w64
# cross compilers (i686 and x86_64), Wine with its 64-bit loader, a virtual X
# display and the test tools. The 32-bit Wine loader is wanted too, but only
# the 32-bit suite needs it: when the mirror cannot give it, the rest is still
# installed and the script succeeds.
# Idempotent: returns at once when everything is already there.
set -uo pipefail

required=(g++-mingw-w64-i686 g++-mingw-w64-x86-64 wine wine64 xvfb xdotool x11-utils
          imagemagick cmake ninja-build googletest g++ ghostscript clang libclang-rt-14-dev
          nlohmann-json3-dev python3-jsonschema jq)
optional=(wine32:i386)

# A mirror being synced can fail one index for a day; a later try often gets it.
UPDATE_TRIES="${TARVISK_APT_TRIES:-3}"
UPDATE_PAUSE="${TARVISK_APT_PAUSE:-5}"
# A failed optional install is not tried again on every build and test run:
# each try costs a full index update.
STAMP="${XDG_CACHE_HOME:-$HOME/.cache}/tarvisk/optional-packages-failed"

say() { echo "install-deps: $*" >&2; }

installed() { dpkg-query -W -f='${Status}' "$1" 2>/dev/null | grep -q 'install ok installed'; }

missing_of() {
  local p
  for p in "$@"; do installed "$p" || echo "$p"; done
}

mapfile -t missing_required < <(missing_of "${required[@]}")
mapfile -t missing_optional < <(missing_of "${optional[@]}")
[ ${#missing_required[@]} -eq 0 ] && [ ${#missing_optional[@]} -eq 0 ] && exit 0

if [ ${#missing_required[@]} -eq 0 ] && [ -n "$(find "$STAMP" -mmin -1440 2>/dev/null)" ]; then
  say "the 32-bit Wine loader (${missing_optional[*]}) is not installed; it could not be installed $(date -r "$STAMP" '+%F %R'), tried again after a day (or remove $STAMP)"
  exit 0
fi

sudo=""
if [ "$(id -u)" -ne 0 ]; then
  command -v sudo >/dev/null || { say "needs root or sudo to install: ${missing_required[*]} ${missing_optional[*]}"; exit 1; }
  sudo="sudo"
fi
export DEBIAN_FRONTEND=noninteractive

if [ ${#missing_optional[@]} -gt 0 ] && ! dpkg --print-foreign-architectures | grep -qx i386; then
  $sudo dpkg --add-architecture i386 || say "could not add the i386 architecture"
fi

# apt-get update fails as a whole when one index fails, although every other
# index was read: what the indexes give decides, in the installs below.
updated=0
for try in $(seq "$UPDATE_TRIES"); do
  if $sudo apt-get update -qq; then updated=1; break; fi
  [ "$try" -lt "$UPDATE_TRIES" ] && sleep "$UPDATE_PAUSE"
done
[ "$updated" -eq 1 ] || say "warning: apt-get update failed $UPDATE_TRIES times; installing from the indexes it did read"

if [ ${#missing_required[@]} -gt 0 ]; then
  if ! $sudo apt-get install -y -q "${missing_required[@]}"; then
    say "could not install: ${missing_required[*]}"
    exit 1
  fi
fi

# Apart from the required set: a 32-bit loader that cannot be resolved must not
# take the rest down with it.
if [ ${#missing_optional[@]} -gt 0 ]; then
  if $sudo apt-get install -y -q "${missing_optional[@]}" >/dev/null 2>&1; then
    rm -f "$STAMP"
  else
    mkdir -p "$(dirname "$STAMP")" && touch "$STAMP"
    say "the 32-bit Wine loader (${missing_optional[*]}) could not be installed; going on without it: the 32-bit suite will not run"
  fi
fi
exit 0
