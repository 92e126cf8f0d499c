#!/usr/bin/env bash
# The demonstration of the Run command on a machine without a display.
set -uo pipefail
source "$(dirname "$0")/common.sh"

trap stop_session EXIT
start_xvfb || exit 1
ensure_prefix
start_wineserver

export TARVISK_WIN_BUILD="$WIN_BUILD"
source "$ROOT/tests/e2e/lib.sh"
trap 'cleanup; stop_session' EXIT

echo "Starting Tarvisk on a private display ($DISPLAY)..."
reset_settings
start_tarvisk
dismiss_reminder || { echo "Tarvisk did not start" >&2; exit 1; }
driver wait-main 15000 >/dev/null || { echo "Tarvisk's window did not appear" >&2; exit 1; }

echo "Starting notepad and pointing at it..."
start_program notepad.exe
notepad=""
for _ in $(seq 100); do
  notepad=$(xdotool search --name 'Notepad' 2>/dev/null | head -n 1)
  [ -n "$notepad" ] && break
  sleep 0.1
done
if [ -n "$notepad" ]; then
  xdotool windowmove "$notepad" 760 200 2>/dev/null
  sleep 0.5
  xdotool mousemove 900 320
  sleep 0.3
  xdotool mousemove 905 325
  sleep 0.5
fi

echo "Stopping probing with the hot key (Scroll Lock)..."
xdotool key Scroll_Lock
driver wait-text 105 "Pr&obe" 5000 || echo "(probing did not stop)"

echo
echo "Start button: $(driver text 105)"
for page in 0 1; do
  driver fields "$page"
done
mkdir -p "$BUILD/demo"
shot="$BUILD/demo/tarvisk-demo.png"
import -window root "$shot" && echo && echo "Screenshot: $shot"
driver close 10000 >/dev/null
