#!/usr/bin/env bash
# A user prints the report of notepad's window on a PostScript printer that
# prints into a file; its text, read back with Ghostscript, holds the report.
source "$(dirname "$0")/lib.sh"

job="$ARTIFACTS/print-job.ps"
rm -f "$job"
ppd="Z:$(cd "$(dirname "$0")/printer" && pwd | tr '/' '\\')\\TarviskTest.ppd"
check "the test printer is installed" driver install-printer "$ppd" "$job"
trap 'driver remove-printer >/dev/null 2>&1; cleanup' EXIT

reset_settings
start_tarvisk
check "the reminder appears" dismiss_reminder
check "the main window appears" driver wait-main 15000 >/dev/null
start_program notepad.exe
check "notepad starts" wait_for 15 xdotool search --onlyvisible --name '^Untitled - Notepad$'
check "notepad moves beside Tarvisk" driver place Notepad 780 100 480 400
xwin=$(xdotool search --onlyvisible --name '^Untitled - Notepad$' | head -n 1)
check "notepad has moved" wait_for 5 sh -c "xdotool getwindowgeometry --shell $xwin | grep -q '^X=780'"
hex=$(printf '%08X' "$(driver find Notepad)")
xdotool mousemove 840 108
check "probing shows notepad" driver wait-text 504 "$hex" 5000
driver click 105
check "probing stops" driver wait-text 105 "Pr&obe" 5000

driver click 104  # "&Print"
check "the job is printed into the file" wait_for 30 grep -qs '%%EOF' "$job"
text="$ARTIFACTS/print-job.txt"
# txtwrite writes the blanks it finds as no-break spaces.
gs -q -dNOPAUSE -dBATCH -sDEVICE=txtwrite -sOutputFile=- "$job" 2>/dev/null | sed 's/\xC2\xA0/ /g' >"$text"
grep -q "Window Information" "$text" || fail "the printout has the Window Information section"
grep -q "Handle *$hex" "$text" || fail "the printout names notepad's handle"
grep -q "Name *Notepad" "$text" || fail "the printout names notepad's class"
grep -q "ws_overlapped | ws_visible" "$text" || fail "the printout keeps the decoded styles"
echo "print: ok"
