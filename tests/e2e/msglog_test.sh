#!/usr/bin/env bash
# A user opens the message log on a window of another program with Ctrl+M,
# moves the mouse over that window and copies the lines; then Tarvisk is
# killed in the middle of the log, and the program it logged works on.
source "$(dirname "$0")/lib.sh"

reset_settings
start_program "$TARVISK_WIN_BUILD/fixtures/LogFixture.exe" 700 120
check "the fixture starts" wait_for 15 xdotool search --onlyvisible --name '^Log fixture$'
start_tarvisk
check "the reminder appears" dismiss_reminder
check "the main window appears" driver wait-main 15000 >/dev/null

# Probe the fixture's own area (the button is at its top left), then stop.
xdotool mousemove 900 250
check "Tarvisk shows the fixture" driver wait-text 601 "TarviskLogFixture" 5000
hotkey
check "Scroll Lock stops probing" driver wait-text 105 "Pr&obe" 5000
main=$(xdotool search --onlyvisible --name '^Tarvisk$' | head -n 1)
xdotool windowfocus --sync "$main" 2>/dev/null
xdotool key ctrl+m
check "Ctrl+M opens the log" wait_for 10 xdotool search --onlyvisible --name '^Message log - TarviskLogFixture 0x'
log=$(xdotool search --onlyvisible --name '^Message log - TarviskLogFixture 0x' | head -n 1)
xdotool windowmove "$log" 20 560 windowsize "$log" 1000 400

# Moves over the fixture: client coordinates are screen ones less its
# position (700, 120) and its one-pixel border.
xdotool mousemove 850 200
xdotool mousemove 861 215
lines_have() {
  xdotool windowfocus --sync "$log" 2>/dev/null
  xdotool key ctrl+a ctrl+c
  driver clipboard | grep -q -- "$1"
}
check "the moves with their positions" wait_for 10 lines_have 'WM_MOUSEMOVE.*x=160 y=94 0'
driver clipboard | grep -q 'x=149 y=79' || fail "the first move's position"
screenshot msglog
cp "$ARTIFACTS/msglog.png" "$ARTIFACTS/msglog-window.png" 2>/dev/null

# Killed in the middle of the log: the system takes the hooks with Tarvisk's
# thread, and the fixture keeps answering and taking input.
check "Tarvisk is ended" driver kill-main
xdotool mousemove 870 230
check "the fixture answers after Tarvisk died" wait_for 5 test "$(driver answers TarviskLogFixture "still here")" = 1
xdotool mousemove 880 240
check "and again after more input" wait_for 5 test "$(driver answers TarviskLogFixture "and here")" = 1
echo "message log: ok"
