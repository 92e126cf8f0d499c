#!/usr/bin/env bash
# A user copies a list box's items with the Boxes plug-in: probe the list box,
# stop, select the plug-in on the Modify page, Execute; another program then
# finds the items on the clipboard.
source "$(dirname "$0")/lib.sh"

MODIFY_PAGE=8
PLUGIN_LIST=751
EXECUTE=761
RESULT=760

reset_settings
start_tarvisk
check "the reminder appears" dismiss_reminder
check "the main window appears" driver wait-main 15000 >/dev/null
start_program "$TARVISK_WIN_BUILD/testplugins/BoxHost.exe"
check "the box host starts" wait_for 15 xdotool search --onlyvisible --name '^Box host$'
xwin=$(xdotool search --onlyvisible --name '^Box host$' | head -n 1)
eval "$(xdotool getwindowgeometry --shell "$xwin")"
xdotool mousemove $((X + 60)) $((Y + 70))  # its list box
check "probing shows the list box" driver wait-text 601 "ListBox" 5000
driver click 105
check "probing stops" driver wait-text 105 "Pr&obe" 5000

check "the Modify page opens" select_page "$MODIFY_PAGE"
read -r left top right bottom < <(driver rect "$PLUGIN_LIST")
xdotool mousemove $((left + 20)) $((top + 10)) click 1
check "the plug-in is selected" wait_for 5 text_matches 756 'Execute'
driver click "$EXECUTE"
check "the plug-in reports its result" wait_for 10 text_matches "$RESULT" 'copied'
check "another program finds the items" test "$(driver clipboard)" = 'first\r\n\r\nthird item with some length\r\n'
screenshot plugin-boxes
echo "plugin: ok"
