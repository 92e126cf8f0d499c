#!/usr/bin/env bash
# A user probes Wine's winver of Tarvisk's own bitness, then regedit, which
# restarts itself as a 64-bit process: the Executable page names each program
# with its version strings, the Modules page lists winver's libraries, and
# regedit's too for the 64-bit Tarvisk, nothing for the 32-bit one, which
# cannot walk a 64-bit process.
source "$(dirname "$0")/lib.sh"

EXECUTABLE_PAGE=6
MODULES_LIST=850  # lsvModules

# The value of one Executable page field, by its label.
exe_field() { driver fields "$EXECUTABLE_PAGE" | sed -n "s/^$1: //p"; }
shows() { [ "$(exe_field "$1")" = "$2" ]; }
# The Modules list as "file<TAB>folder" lines.
modules() { driver rows "$MODULES_LIST"; }
lists() { local rows; rows=$(modules) || return 1; grep -q "^$1"$'\t' <<<"$rows"; }
lists_not() { local rows; rows=$(modules) || return 1; ! grep -q "^$1"$'\t' <<<"$rows"; }
lists_nothing() { local rows; rows=$(modules) || return 1; [ -z "$rows" ]; }

# A visible top-level X window whose name matches; its id on stdout.
visible_window() { xdotool search --onlyvisible --name "$1" 2>/dev/null | head -n 1; }
found_window() { [ -n "$(visible_window "$1")" ]; }

# Moves the mouse a little inside the window's top-left corner, away from
# Tarvisk, which stays on top at its design position.
point_into() {
  local X Y WIDTH HEIGHT WINDOW SCREEN
  eval "$(xdotool getwindowgeometry --shell "$1")"
  xdotool mousemove $((X + 20)) $((Y + ${2:-20}))
}

# regedit's 64-bit copy is no child of the wine command that started it; its
# window names its process.
REGEDIT_PID=""
gone() { ! kill -0 "$1" 2>/dev/null; }
end_regedit() {
  [ -n "$REGEDIT_PID" ] || return 0
  kill "$REGEDIT_PID" 2>/dev/null
  wait_for 10 gone "$REGEDIT_PID"
}
trap 'end_regedit; cleanup' EXIT

reset_settings
start_tarvisk
check "the reminder closes" dismiss_reminder
check "the main window appears" driver wait-main 15000 >/dev/null
check "probing starts at launch" driver wait-text 105 "St&op" 5000

if [ "${TARVISK_BITS:-32}" = 64 ]; then folder=system32; else folder=syswow64; fi
start_program "C:\\windows\\$folder\\winver.exe"
check "winver's window appears" wait_for 20 found_window '^About Wine'
point_into "$(visible_window '^About Wine')"
check "the Executable page names winver" wait_for 10 shows "File name" "winver.exe"
check "winver's folder" test "$(exe_field "File path" | tr 'A-Z' 'a-z')" = "c:\\windows\\$folder\\"
check "winver's product name" shows "Product name" "Wine"
check "the Modules page lists ntdll.dll" lists "ntdll.dll"
check "the Modules page does not list winver.exe" lists_not "winver.exe"
screenshot exeinfo-winver

start_program regedit
check "regedit's window appears" wait_for 20 found_window '^Registry Editor$'
regedit=$(visible_window '^Registry Editor$')
REGEDIT_PID=$(xdotool getwindowpid "$regedit" 2>/dev/null)
point_into "$regedit" 400
check "the Executable page names regedit" wait_for 10 shows "File name" "regedit.exe"
check "regedit's product name" shows "Product name" "Wine"
if [ "${TARVISK_BITS:-32}" = 64 ]; then
  check "the Modules page lists regedit's libraries" wait_for 10 lists "ntdll.dll"
else
  check "the Modules page is empty for the 64-bit process" lists_nothing
fi
screenshot exeinfo-regedit

check "the window closes cleanly" driver close 10000
echo "exeinfo: ok"
