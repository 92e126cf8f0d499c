#!/usr/bin/env bash
# Regenerates the README's pictures: Tarvisk inspecting Wine's notepad on a
# private display, one screenshot of each of the twelve pages and one of the
# Details window, in docs/.
set -uo pipefail
source "$(dirname "$0")/common.sh"

"$ROOT/scripts/install-deps.sh" || exit 1
build_native >/dev/null || exit 1
if can_run_32bit; then build_win >/dev/null || exit 1; use_build "$WIN_BUILD"
else build_win64 >/dev/null || exit 1; use_build "$WIN64_BUILD"; fi
trap stop_session EXIT
start_xvfb || exit 1
ensure_prefix
start_wineserver

export TARVISK_WIN_BUILD="$CURRENT_BUILD"
source "$ROOT/tests/e2e/lib.sh"
trap 'cleanup; stop_session' EXIT

out="$ROOT/docs/screenshots"
mkdir -p "$out"
# Tarvisk started afresh beside notepad, stopped on notepad's edit area.
inspect_notepad() {
  reset_settings
  # Higher up when it is taller, so that the whole of it is on the screen.
  if [ -n "${TARVISK_TOP:-}" ]; then
    "$WINE" reg add 'HKCU\Software\Norvane\Tarvisk' /v Left /t REG_SZ /d 0 /f </dev/null >/dev/null 2>&1
    "$WINE" reg add 'HKCU\Software\Norvane\Tarvisk' /v Top /t REG_SZ /d "$TARVISK_TOP" /f </dev/null >/dev/null 2>&1
  fi
  start_tarvisk
  dismiss_reminder || { echo "Tarvisk did not start" >&2; return 1; }
  driver wait-main 15000 >/dev/null || return 1
  start_program notepad.exe
  wait_for 15 xdotool search --onlyvisible --name '^Untitled - Notepad$' || return 1
  # Wine scales what the driver (a program unaware of densities) asks for.
  driver place Notepad ${NOTEPAD_PLACE:-780 120 480 380}
  sleep 0.5
  xwin=$(xdotool search --onlyvisible --name '^Untitled - Notepad$' | head -n 1)
  eval "$(xdotool getwindowgeometry --shell "$xwin")"
  # Point at notepad's edit area, then stop probing there with the hot key.
  xdotool mousemove $((X + 120)) $((Y + 150))
  driver wait-text 601 "Edit" 5000 || return 1
  hotkey
  driver wait-text 105 "Pr&obe" 5000 || return 1
  driver click 102  # "Re&fresh": the tree then holds notepad too
  sleep 0.5
  tarvisk=$(xdotool search --onlyvisible --name '^Tarvisk$' | head -n 1)
}
inspect_notepad || exit 1
names=(window class parents children digger tree executable modules modify graphics options about)
for page in "${!names[@]}"; do
  select_page "$page" || echo "page $page could not be selected" >&2
  xdotool mousemove 1270 1010  # away from the window, so no control is highlighted
  sleep 0.6
  file="$out/$(printf '%02d' "$page")-${names[$page]}.png"
  import -window "$tarvisk" -colors 64 "PNG8:$file" && echo "$file"
done

# The Details window of the same window (Ctrl+D), below notepad. The key may
# make Wine press Scroll Lock again (see the README): probing then stops again
# while the cursor still rests on notepad's edit area.
"$WINE" reg add 'HKCU\Software\Norvane\Tarvisk' /v DetailsLeft /t REG_SZ /d 780 /f </dev/null >/dev/null 2>&1
"$WINE" reg add 'HKCU\Software\Norvane\Tarvisk' /v DetailsTop /t REG_SZ /d 520 /f </dev/null >/dev/null 2>&1
xdotool mousemove $((X + 120)) $((Y + 150))
xdotool windowfocus --sync "$tarvisk" 2>/dev/null
xdotool key ctrl+d
if wait_for 10 xdotool search --onlyvisible --name '^Details - '; then
  details=$(xdotool search --onlyvisible --name '^Details - ' | head -n 1)
  sleep 0.5
  [ "$(driver text 105)" = "St&op" ] && driver click 105 && driver wait-text 105 "Pr&obe" 5000
  xdotool mousemove 1270 1010
  sleep 0.6
  file="$out/13-details.png"
  import -window "$details" -colors 64 "PNG8:$file" && echo "$file"
else
  echo "the Details window did not open" >&2
fi
# The Events window (Ctrl+E) with the two rows of a pop-up that lived 50 ms:
# its selector filter shows that window's events only.
for v in "EventsLeft 40" "EventsTop 560" "EventsWidth 1000" "EventsHeight 200" "EventsSelector class:EventsFlash" \
         "EventsKinds created,destroyed"; do
  set -- $v
  "$WINE" reg add 'HKCU\Software\Norvane\Tarvisk' /v "$1" /t REG_SZ /d "$2" /f </dev/null >/dev/null 2>&1
done
xdotool windowfocus --sync "$tarvisk" 2>/dev/null
xdotool key ctrl+e
if wait_for 10 xdotool search --onlyvisible --name '^Window events$'; then
  events=$(xdotool search --onlyvisible --name '^Window events$' | head -n 1)
  "$WINE" "$CURRENT_BUILD/fixtures/EventsFixture.exe" flash 300 </dev/null >/dev/null 2>&1
  xdotool mousemove 1270 1010
  sleep 1
  file="$out/16-events.png"
  import -window "$events" -colors 64 "PNG8:$file" && echo "$file"
else
  echo "the Events window did not open" >&2
fi

# The Processes window (Ctrl+Shift+P), opened on notepad's thread.
"$WINE" reg add 'HKCU\Software\Norvane\Tarvisk' /v ProcessesLeft /t REG_SZ /d 20 /f </dev/null >/dev/null 2>&1
"$WINE" reg add 'HKCU\Software\Norvane\Tarvisk' /v ProcessesTop /t REG_SZ /d 480 /f </dev/null >/dev/null 2>&1
[ "$(driver text 105)" = "St&op" ] && driver click 105 && driver wait-text 105 "Pr&obe" 5000
driver syscommand 448  # "&Processes..."
if wait_for 10 xdotool search --onlyvisible --name '^Processes$'; then
  processes=$(xdotool search --onlyvisible --name '^Processes$' | head -n 1)
  xdotool mousemove 1270 1010
  sleep 1
  file="$out/17-processes.png"
  import -window "$processes" -colors 64 "PNG8:$file" && echo "$file"
else
  echo "the Processes window did not open" >&2
fi

# The main window started with the display at 144 dpi (150%).
cleanup
PIDS=()
"$WINE" reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d 144 /f </dev/null >/dev/null 2>&1
trap '"$WINE" reg delete "HKCU\Control Panel\Desktop" /v LogPixels /f </dev/null >/dev/null 2>&1; cleanup; stop_session' EXIT
if TARVISK_TOP=0 NOTEPAD_PLACE="1170 180 720 570" inspect_notepad; then
  for page in 0 9; do
    select_page "$page" || echo "page $page could not be selected" >&2
    xdotool mousemove 1270 1010
    sleep 0.6
    file="$out/144dpi-$(printf '%02d' "$page")-${names[$page]}.png"
    import -window "$tarvisk" -colors 64 "PNG8:$file" && echo "$file"
  done
else
  echo "Tarvisk at 144 dpi did not start" >&2
fi
