#!/usr/bin/env bash
# A user starts Tarvisk: the reminder comes first, then the main window on the
# About page, probing; Scroll Lock toggles probing; a second copy ends at once.
source "$(dirname "$0")/lib.sh"

reset_settings
start_tarvisk
check "the reminder appears" driver wait-window "Donate to Tarvisk!" 15000 >/dev/null
check "the main window waits for the reminder" test "$(driver visible-main)" = 0
check "Escape closes the reminder" dismiss_reminder
check "the main window appears after the reminder" driver wait-main 15000 >/dev/null
check "About is the first page" test "$(driver page)" = 11
check "probing starts at launch" driver wait-text 105 "St&op" 5000

hotkey
check "Scroll Lock stops probing" driver wait-text 105 "Pr&obe" 5000
hotkey
check "Scroll Lock starts probing again" driver wait-text 105 "St&op" 5000
screenshot startup

# A second copy opens no window and ends with exit code 0.
"$WINE_RUN" "$TARVISK_WIN_BUILD/Tarvisk.exe" </dev/null >/dev/null 2>&1
code=$?
check "a second copy exits with 0 (got $code)" test "$code" -eq 0
check "a second copy shows no window" test "$(driver count-main)" = 1

check "the window closes cleanly" driver close 10000
echo "startup: ok"
