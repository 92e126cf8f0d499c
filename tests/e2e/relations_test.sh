#!/usr/bin/env bash
# A user looks at Wine's notepad through the window relations: with the cursor
# on its edit area the Digger lists the edit before notepad's window; on the
# Tree page a Find for "notepad" selects notepad's node, which Detail inspects.
source "$(dirname "$0")/lib.sh"

KEY='HKCU\Software\Norvane\Tarvisk'
LSV_DIGGER=1002
BTN_FIND=1012

# Starts Tarvisk on page $1 without the reminder, probing as a first run does.
start_on_page() {
  reset_settings
  "$WINE_RUN" reg add "$KEY" /v HideNag /t REG_SZ /d 1 /f </dev/null >/dev/null 2>&1
  "$WINE_RUN" reg add "$KEY" /v Page /t REG_SZ /d "$1" /f </dev/null >/dev/null 2>&1
  start_tarvisk
  driver wait-main 15000 >/dev/null && driver wait-text 105 "St&op" 5000
}

# Row numbers (from 1) in the Digger list of the first row of class $1, and of
# the first row whose handle is $2.
row_of_class() { driver rows $LSV_DIGGER | awk -F'\t' -v c="$1" '$3 == c { print NR; exit }'; }
row_of_handle() { driver rows $LSV_DIGGER | awk -F'\t' -v h="$1" '$2 == h { print NR; exit }'; }
edit_before_notepad() {
  local e n
  e=$(row_of_class Edit)
  n=$(row_of_handle "$hex")
  [ -n "$e" ] && [ -n "$n" ] && [ "$e" -lt "$n" ]
}

dialog_gone() { [ -z "$(xdotool search --onlyvisible --name '^Find Window$')" ]; }

start_notepad

check "Tarvisk starts on the Digger page" start_on_page 4
if ! driver text $LSV_DIGGER >/dev/null; then
  echo "relations: skipped, this Tarvisk has no Digger list"
  exit 0
fi
xdotool mousemove "$px" "$py"
check "the Digger lists the edit before notepad's window" wait_for 10 edit_before_notepad
driver rows $LSV_DIGGER | awk -F'\t' -v h="$hex" '$2 == h' | grep -q $'\tNotepad\t' ||
  fail "notepad's row shows its class"
hotkey
check "Scroll Lock stops probing" driver wait-text 105 "Pr&obe" 5000
check "the Digger keeps its rows after the stop" edit_before_notepad
screenshot relations-digger
check "Tarvisk closes" driver close 10000

check "Tarvisk starts on the Tree page" start_on_page 5
hotkey
check "Scroll Lock stops probing" driver wait-text 105 "Pr&obe" 5000
check "Find is pressed" driver click $BTN_FIND
check "the Find Window dialog appears" driver wait-window "Find Window" 10000 >/dev/null
dialog=$(xdotool search --onlyvisible --name '^Find Window$' | head -n 1)
[ -n "$dialog" ] && xdotool windowfocus --sync "$dialog" 2>/dev/null
xdotool type --delay 5 "notepad"
xdotool key Return
check "the dialog closes" wait_for 10 dialog_gone
screenshot relations-find
check "Detail is pressed" driver click 101
check "Detail shows the found node's window" driver wait-text 504 "$hex" 5000
check "its class" driver wait-text 601 "Notepad" 2000
check "the Window page is active" test "$(driver page)" = 0
echo "relations: ok"
