#!/usr/bin/env bash
# A user probes notepad, stops, and on the Modify page types a new width and a
# new title: notepad's window, read by other programs, has them at once.
source "$(dirname "$0")/lib.sh"

MODIFY_PAGE=8
EDT_WIDTH=708
EDT_WINDOW_TEXT=734

# Clicks a place of the Modify page given relative to the middle of its tab,
# as measured under Wine at 96 dpi with the message font.
click_on_page() {
  local tx ty
  read -r tx ty <<<"$(driver tab-point "$MODIFY_PAGE")" || return 1
  xdotool mousemove $((tx + $1)) $((ty + $2)) click 1
}
notepad_width_is() {
  local X Y WIDTH HEIGHT WINDOW SCREEN
  eval "$(xdotool getwindowgeometry --shell "$xwin")"
  [ "$WIDTH" = "$1" ]
}

reset_settings
start_tarvisk
check "the reminder appears" dismiss_reminder
check "the main window appears" driver wait-main 15000 >/dev/null
check "probing starts at launch" driver wait-text 105 "St&op" 5000
start_program notepad.exe
check "notepad starts" wait_for 15 xdotool search --onlyvisible --name '^Untitled - Notepad$'
check "notepad moves beside Tarvisk" driver place Notepad 780 100 400 300
xwin=$(xdotool search --onlyvisible --name '^Untitled - Notepad$' | head -n 1)
check "notepad has moved" wait_for 5 notepad_width_is 400
handle=$(driver find Notepad)
hex=$(printf '%08X' "$handle")

# The caption bar belongs to notepad's top-level window.
xdotool mousemove $((780 + 60)) $((100 + 8))
check "notepad is the target" driver wait-text 504 "$hex" 5000
# The button rather than the hot key: a Scroll Lock left toggled would be
# pressed again by Wine at the next key typed into Tarvisk.
driver click 105
check "probing stops" driver wait-text 105 "Pr&obe" 5000
check "the Modify page opens" select_page "$MODIFY_PAGE"
check "it shows notepad's width" driver wait-text "$EDT_WIDTH" 400 2000
check "and its title" driver wait-text "$EDT_WINDOW_TEXT" "Untitled - Notepad" 2000

click_on_page -76 113  # into the Width edit
xdotool key End BackSpace BackSpace BackSpace
xdotool type --delay 30 "456"
check "the Width edit holds the new width" driver wait-text "$EDT_WIDTH" 456 2000
check "notepad has the new width" wait_for 5 notepad_width_is 456

click_on_page 106 141  # into the Text edit
xdotool key End shift+Home
xdotool type --delay 30 "Renamed by Tarvisk"
check "the Text edit holds the new title" driver wait-text "$EDT_WINDOW_TEXT" "Renamed by Tarvisk" 5000
check "notepad has the new title" wait_for 5 driver find Notepad "Renamed by Tarvisk"
check "its X window too" wait_for 5 xdotool search --onlyvisible --name '^Renamed by Tarvisk$'
screenshot modify-notepad

check "the window closes cleanly" driver close 10000
echo "modify: ok"
