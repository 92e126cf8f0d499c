#!/usr/bin/env bash
# The demonstration of the Run command on a machine without a display, with the
# build that this machine can start (the 32-bit one where it can): Tarvisk
# inspects Wine's notepad, then logs the messages of notepad's edit area while
# a few characters are typed into it. Leaves two screenshots and the report in
# build/demo (TARVISK_DEMO_OUT to put them elsewhere, TARVISK_DEMO_BUILD to
# show another build).
set -uo pipefail
source "$(dirname "$0")/common.sh"

use_build "${TARVISK_DEMO_BUILD:-$(preferred_build)}"
# A prefix of its own: what the test suite leaves in its settings must not
# change what a newcomer sees.
export WINEPREFIX="$CURRENT_BUILD/demo-prefix"
OUT="${TARVISK_DEMO_OUT:-$BUILD/demo}"
trap stop_session EXIT
start_xvfb || exit 1
ensure_prefix
start_wineserver

export TARVISK_WIN_BUILD="$CURRENT_BUILD"
source "$ROOT/tests/e2e/lib.sh"
trap 'cleanup; stop_session' EXIT
# A step that did not happen is said where it failed, and makes the exit status.
problems=0
note() { echo "($*)"; problems=$((problems + 1)); }

# A first run opens on the About page with the reminder; the demonstration
# shows the program at work instead, as a user's second run would be set.
reset_settings
for value in HideNag=1 Page=0 Left=8 Top=8; do
  "$WINE_RUN" reg add 'HKCU\Software\Norvane\Tarvisk' /v "${value%=*}" /t REG_SZ /d "${value#*=}" /f \
    </dev/null >/dev/null 2>&1
done

echo "Starting Tarvisk on a private display ($DISPLAY)..."
start_tarvisk
driver wait-main 15000 >/dev/null || { echo "Tarvisk's window did not appear" >&2; exit 1; }

echo "Starting notepad and pointing at it..."
start_program notepad.exe
wait_for 15 xdotool search --onlyvisible --name '^Untitled - Notepad$' ||
  { echo "notepad did not start" >&2; exit 1; }
# Beside Tarvisk, not under it: Tarvisk stays on top.
driver place Notepad 470 8 800 330 >/dev/null
xwin=$(xdotool search --onlyvisible --name '^Untitled - Notepad$' | head -n 1)
at_left() { xdotool getwindowgeometry --shell "$xwin" | grep -qx "X=$1"; }
wait_for 5 at_left 470
eval "$(xdotool getwindowgeometry --shell "$xwin")"
# First its caption bar (the main window), then the middle (the edit area).
xdotool mousemove $((X + 60)) $((Y + 8))
driver wait-text 601 "Notepad" 5000 && driver fields 0 | head -n 5 | sed 's/^/  notepad: /'
xdotool mousemove $((X + WIDTH / 2)) $((Y + HEIGHT / 2))
driver wait-text 601 "Edit" 5000 || note "Tarvisk does not show notepad's edit area"

echo "Stopping probing with the hot key (Scroll Lock)..."
hotkey
driver wait-text 105 "Pr&obe" 5000 || note "probing did not stop"

echo
echo "Start button: $(driver text 105)"
# The fields are in the ANSI code page; the separator of decoded styles is its no-break space.
for page in 0 1; do
  driver fields "$page" | iconv -f CP1252 -t UTF-8
done
mkdir -p "$OUT"
# The pictures hold what the windows cover, not the whole empty display.
shoot() { import -window root -crop "$2" +repage "$OUT/$1" && echo "Screenshot: $OUT/$1"; }
echo
[ "$(driver page)" = 0 ] || note "Tarvisk is not on the Window page"
shoot tarvisk-demo.png 1280x620+0+0 || note "no screenshot"
report="$OUT/tarvisk-report.txt"
if save_report "$report"; then
  echo "Report of the last target, saved with Sa&ve...: $report"
else
  note "the report could not be saved"
fi

echo
echo "Opening the message log on notepad's edit area (Ctrl+M) and typing into notepad..."
main=$(xdotool search --onlyvisible --name '^Tarvisk$' | head -n 1)
xdotool windowfocus --sync "$main" 2>/dev/null
xdotool key ctrl+m
if wait_for 10 xdotool search --onlyvisible --name '^Message log - Edit '; then
  log=$(xdotool search --onlyvisible --name '^Message log - Edit ' | head -n 1)
  xdotool windowmove "$log" 470 350 windowsize "$log" 800 600
  xdotool windowfocus --sync "$xwin" 2>/dev/null
  xdotool mousemove $((X + WIDTH / 2)) $((Y + HEIGHT / 2)) click 1
  xdotool type --delay 60 "Hello"
  # The log reads the hook's buffer every 30 ms; the keys reach notepad through
  # the X server and Wine first. Under Wine without a window manager the log
  # cannot be given the keyboard to copy its lines back while notepad has it,
  # so the picture is taken once the typing has had time to be logged.
  sleep 1
  xdotool mousemove 1270 1010
  shoot tarvisk-message-log.png 1280x960+0+0 || note "no screenshot of the log"
else
  note "the message log did not open"
fi
driver close 10000 >/dev/null
[ "$problems" -eq 0 ]
