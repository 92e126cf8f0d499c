#!/usr/bin/env bash
# A user changes the page, the zoom and the integer format, ticks "Don't show
# me this again", leaves with Exit and starts again: all of it is back.
source "$(dirname "$0")/lib.sh"

OPTIONS_PAGE=10
GRAPHICS_PAGE=9
DECIMAL=202
ZOOM_X3=923

reset_settings
start_tarvisk
check "the reminder appears" driver wait-window "Donate to Tarvisk!" 15000 >/dev/null
nag=$(xdotool search --onlyvisible --name '^Donate to Tarvisk!$' | head -n 1)
xdotool windowfocus --sync "$nag" 2>/dev/null
xdotool key space   # the check box has the focus first
xdotool key Escape
check "the main window appears" driver wait-main 15000 >/dev/null
hotkey
check "probing stops" driver wait-text 105 "Pr&obe" 5000

check "the Options page opens" select_page "$OPTIONS_PAGE"
driver click "$DECIMAL"
check "decimal is selected" wait_for 5 is_checked "$DECIMAL"
check "the Graphics page opens" select_page "$GRAPHICS_PAGE"
driver click "$ZOOM_X3"
check "x3 is selected" wait_for 5 is_checked "$ZOOM_X3"

driver click 106   # "&Exit"
check "Exit ends the program" wait_for 15 main_count_is 0
for p in "${PIDS[@]}"; do wait "$p" 2>/dev/null; done
PIDS=()
# As another program reads them: every value a string.
query() { "$WINE_RUN" reg query 'HKCU\Software\Norvane\Tarvisk' /v "$1" </dev/null 2>/dev/null | tr -d '\r'; }
check "IntegerFormat is stored as the string 1" grep -Eq 'IntegerFormat +REG_SZ +1$' <<<"$(query IntegerFormat)"
check "Zoom is stored as the string 2" grep -Eq 'Zoom +REG_SZ +2$' <<<"$(query Zoom)"
check "Page is stored as the string 9" grep -Eq 'Page +REG_SZ +9$' <<<"$(query Page)"
check "HideNag is stored as the string 1" grep -Eq 'HideNag +REG_SZ +1$' <<<"$(query HideNag)"

start_tarvisk
check "the main window appears without the reminder" driver wait-main 15000 >/dev/null
check "no reminder" test -z "$(xdotool search --onlyvisible --name '^Donate to Tarvisk!$' 2>/dev/null)"
check "the same page" test "$(driver page)" = "$GRAPHICS_PAGE"
check "the same zoom" is_checked "$ZOOM_X3"
check "the same integer format" is_checked "$DECIMAL"
echo "settings: ok"
