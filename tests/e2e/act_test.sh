#!/usr/bin/env bash
# A user stops probing on a window of another program, opens the style editor
# from the system menu and the Send message dialog with Ctrl+Shift+M, and sets
# the window's text by typing: the name completes, Enter sends.
source "$(dirname "$0")/lib.sh"

reset_settings
start_program "$TARVISK_WIN_BUILD/fixtures/ActFixture.exe" 600 100
check "the fixture starts" wait_for 15 xdotool search --onlyvisible --name '^Act fixture$'
start_tarvisk
check "the reminder appears" dismiss_reminder
check "the main window appears" driver wait-main 15000 >/dev/null

# Probing stops with the button, not the hot key: Wine presses Scroll Lock
# again to match the display whenever one of its windows takes the focus.
xdotool mousemove 700 142
check "Tarvisk shows the fixture's edit" driver wait-text 601 "Edit" 5000
driver click 105
check "the button stops probing" driver wait-text 105 "Pr&obe" 5000

driver syscommand 0x130
check "the style editor opens" wait_for 10 xdotool search --onlyvisible --name '^Styles - Edit 0x'
styles=$(xdotool search --onlyvisible --name '^Styles - Edit 0x' | head -n 1)
xdotool windowmove "$styles" 20 20
sleep 0.5
import -window "$styles" -colors 64 "PNG8:$ARTIFACTS/style-editor.png" && echo "screenshot: $ARTIFACTS/style-editor.png"
xdotool windowfocus --sync "$styles" 2>/dev/null
xdotool key Escape
check "Escape closes the style editor" wait_for 5 bash -c \
  "! xdotool search --onlyvisible --name '^Styles - Edit 0x' >/dev/null"

driver click 105
check "probing starts again" driver wait-text 105 "St&op" 5000
xdotool mousemove 850 260
check "Tarvisk shows the fixture" driver wait-text 601 "TarviskActFixture" 5000
driver click 105
check "probing stops on the fixture" driver wait-text 105 "Pr&obe" 5000

main=$(xdotool search --onlyvisible --name '^Tarvisk$' | head -n 1)
xdotool windowfocus --sync "$main" 2>/dev/null
xdotool key ctrl+shift+m
check "Ctrl+Shift+M opens the Send message dialog" \
  wait_for 10 xdotool search --onlyvisible --name '^Send message - TarviskActFixture 0x'
send=$(xdotool search --onlyvisible --name '^Send message - TarviskActFixture 0x' | head -n 1)
xdotool windowmove "$send" 40 40
xdotool windowfocus --sync "$send" 2>/dev/null
sleep 0.3
xdotool type --delay 60 'wm_sett'
xdotool key alt+t
xdotool type --delay 30 'typed into Tarvisk'
xdotool key Return
check "the fixture has the text" wait_for 5 bash -c \
  "xdotool search --onlyvisible --name '^typed into Tarvisk$' >/dev/null"
sleep 0.5
import -window "$send" -colors 64 "PNG8:$ARTIFACTS/send-message.png" && echo "screenshot: $ARTIFACTS/send-message.png"
cleanup
echo "acting on a window: ok"
