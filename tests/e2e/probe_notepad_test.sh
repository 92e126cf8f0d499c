#!/usr/bin/env bash
# A user probes Wine's notepad: its caption and then its edit area, and the
# Window and Class pages show what another program finds for the same windows.
source "$(dirname "$0")/lib.sh"

reset_settings
start_tarvisk
check "the reminder appears" dismiss_reminder
check "the main window appears" driver wait-main 15000 >/dev/null
[ "$(driver topmost-main)" = 1 ] || fail "after the reminder, \"Always on top\" keeps the window on top"
start_notepad

# The caption bar belongs to the top-level window itself.
xdotool mousemove $((X + 60)) $((Y + 8))
check "the handle of notepad's main window" driver wait-text 504 "$hex" 5000
check "its class" driver wait-text 601 "Notepad" 2000
check "its caption" driver wait-text 501 "Untitled - Notepad" 2000
check "no parent" driver wait-text 505 "00000000" 2000

# Beside Tarvisk, which stays on top of it, notepad's window is its edit
# control, a child of notepad.
xdotool mousemove "$px" "$py"
check "the edit control's class" driver wait-text 601 "Edit" 5000
check "its parent is notepad" driver wait-text 505 "$hex" 2000
driver text 515 | grep -q 'ws_child' || fail "WS_CHILD among the decoded styles"

hotkey
check "Scroll Lock stops probing" driver wait-text 105 "Pr&obe" 5000
check "the last target stays on display" driver wait-text 601 "Edit" 2000
screenshot probe-notepad
echo "probe notepad: ok"
