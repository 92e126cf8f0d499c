#!/usr/bin/env bash
# A user saves the report of notepad's window: the file's Window Information
# section names notepad's real handle and class, with CR LF line ends.
source "$(dirname "$0")/lib.sh"

reset_settings
start_tarvisk
check "the reminder appears" dismiss_reminder
check "the main window appears" driver wait-main 15000 >/dev/null
start_program notepad.exe
check "notepad starts" wait_for 15 xdotool search --onlyvisible --name '^Untitled - Notepad$'
xwin=$(xdotool search --onlyvisible --name '^Untitled - Notepad$' | head -n 1)
eval "$(xdotool getwindowgeometry --shell "$xwin")"
hex=$(printf '%08X' "$(driver find Notepad)")
xdotool mousemove $((X + 60)) $((Y + 8))
check "probing shows notepad" driver wait-text 504 "$hex" 5000
hotkey
check "probing stops" driver wait-text 105 "Pr&obe" 5000

report="$ARTIFACTS/notepad-report.txt"
check "the report is saved" save_report "$report"
check "the report names notepad's handle" grep -q "$hex" "$report"
check "the report names notepad's class" grep -q "Notepad" "$report"
check "the report's lines end in CR LF" grep -q $'\r$' "$report"
check "the report has the Window Information section" grep -qi "window information" "$report"
echo "report: $report"
echo "report: ok"
