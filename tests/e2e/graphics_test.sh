#!/usr/bin/env bash
# A user magnifies notepad on the Graphics page: the position texts follow the
# mouse, and a screenshot at x4 with the reticle is kept.
source "$(dirname "$0")/lib.sh"

GRAPHICS_PAGE=9
reset_settings
start_tarvisk
check "the reminder appears" dismiss_reminder
check "the main window appears" driver wait-main 15000 >/dev/null
start_program notepad.exe
check "notepad starts" wait_for 15 xdotool search --onlyvisible --name '^Untitled - Notepad$'
# Beside Tarvisk, not over it: Wine does not keep a topmost window above others here.
check "notepad moves beside Tarvisk" driver place Notepad 780 100 480 400
xwin=$(xdotool search --onlyvisible --name '^Untitled - Notepad$' | head -n 1)
check "notepad has moved" wait_for 5 sh -c "xdotool getwindowgeometry --shell $xwin | grep -q '^X=780'"
eval "$(xdotool getwindowgeometry --shell "$xwin")"

# Probing is on from the start; stop it to use the page's controls, then resume.
hotkey
check "probing stops" driver wait-text 105 "Pr&obe" 5000
check "the Graphics page opens" select_page "$GRAPHICS_PAGE"
driver click 924  # x4
check "the reticle is shown" test "$(driver text 930)" != ""
hotkey
check "probing starts again" driver wait-text 105 "St&op" 5000

x1=$((X + WIDTH / 2)); y1=$((Y + HEIGHT / 2))
xdotool mousemove "$x1" "$y1"
check "the screen position follows the mouse" driver wait-text 901 "X: $x1  Y: $y1" 5000
first_client=$(driver text 905)
xdotool mousemove $((x1 + 40)) $((y1 + 30))
check "and again" driver wait-text 901 "X: $((x1 + 40))  Y: $((y1 + 30))" 5000
check "the client position changes too" test "$(driver text 905)" != "$first_client"
check "the window position is shown" test -n "$(driver text 903)"
check "the colour is shown" wait_for 5 text_matches 907 'R: '
sleep 0.3
screenshot graphics-x4
echo "graphics: ok"
