#!/usr/bin/env bash
# The demonstration of the Run command on a machine without a display, with the
# build that this machine can start (the 32-bit one where it can).
set -uo pipefail
source "$(dirname "$0")/common.sh"

use_build "$(preferred_build)"
trap stop_session EXIT
start_xvfb || exit 1
ensure_prefix
start_wineserver

export TARVISK_WIN_BUILD="$CURRENT_BUILD"
source "$ROOT/tests/e2e/lib.sh"
trap 'cleanup; stop_session' EXIT

echo "Starting Tarvisk on a private display ($DISPLAY)..."
reset_settings
start_tarvisk
dismiss_reminder || { echo "Tarvisk did not start" >&2; exit 1; }
driver wait-main 15000 >/dev/null || { echo "Tarvisk's window did not appear" >&2; exit 1; }

echo "Starting notepad and pointing at it..."
start_program notepad.exe
if wait_for 15 xdotool search --onlyvisible --name '^Untitled - Notepad$'; then
  # Beside Tarvisk, not over its pages.
  driver place Notepad 780 120 480 380 >/dev/null
  sleep 0.3
  xwin=$(xdotool search --onlyvisible --name '^Untitled - Notepad$' | head -n 1)
  eval "$(xdotool getwindowgeometry --shell "$xwin")"
  # First its caption bar (the main window), then the middle (the edit area).
  xdotool mousemove $((X + 60)) $((Y + 8))
  driver wait-text 601 "Notepad" 5000 && driver fields 0 | head -n 5 | sed 's/^/  notepad: /'
  xdotool mousemove $((X + WIDTH / 2)) $((Y + HEIGHT / 2))
  driver wait-text 601 "Edit" 5000
fi

echo "Stopping probing with the hot key (Scroll Lock)..."
hotkey
driver wait-text 105 "Pr&obe" 5000 || echo "(probing did not stop)"

echo
echo "Start button: $(driver text 105)"
# The fields are in the ANSI code page; the separator of decoded styles is its no-break space.
for page in 0 1; do
  driver fields "$page" | iconv -f CP1252 -t UTF-8
done
mkdir -p "$BUILD/demo"
shot="$BUILD/demo/tarvisk-demo.png"
import -window root "$shot" && echo && echo "Screenshot: $shot"
report="$BUILD/demo/tarvisk-report.txt"
if save_report "$report"; then
  echo "Report of the last target, saved with Sa&ve...: $report"
else
  echo "(the report could not be saved)"
fi
driver close 10000 >/dev/null
