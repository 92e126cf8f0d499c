# Shared by the end-to-end tests: start Tarvisk under Wine on the test display,
# read it back through the driver, and leave nothing running afterwards.
set -uo pipefail
: "${TARVISK_WIN_BUILD:?run through ctest or scripts/test.sh}"
WINE_RUN="$TARVISK_WIN_BUILD/wine-run.sh"
ARTIFACTS="$TARVISK_WIN_BUILD/e2e-artifacts"
mkdir -p "$ARTIFACTS"
PIDS=()
export WINEPREFIX="${WINEPREFIX:-$TARVISK_WIN_BUILD/wine-prefix}"

# Each test starts with a fresh Wine session: Wine keeps the keyboard's toggle
# state (Scroll Lock, the hot key) across programs and, when one of its windows
# next takes the focus, presses the key again to match the display's state.
fresh_wine_session() {
  wineserver -k >/dev/null 2>&1
  wineserver -w >/dev/null 2>&1
  wineserver -p </dev/null >/dev/null 2>&1
  "$WINE_RUN" cmd /c exit </dev/null >/dev/null 2>&1
}
[ -z "${TARVISK_KEEP_SESSION:-}" ] && fresh_wine_session

driver() { "$WINE_RUN" "$TARVISK_WIN_BUILD/tarvisk-driver.exe" "$@" </dev/null 2>/dev/null | tr -d '\r'; return "${PIPESTATUS[0]}"; }

fail() { echo "FAIL: $*" >&2; screenshot "failure-$(basename "$0" .sh)"; exit 1; }
check() { local what="$1"; shift; "$@" || fail "$what"; }

screenshot() { import -window root "$ARTIFACTS/$1.png" 2>/dev/null && echo "screenshot: $ARTIFACTS/$1.png"; }

reset_settings() {
  "$WINE_RUN" reg delete 'HKCU\Software\Norvane\Tarvisk' /f </dev/null >/dev/null 2>&1 || true
}

# Starts a Windows program of the build in the background; its pid lands in PIDS.
start_program() {
  "$WINE_RUN" "$@" </dev/null >/dev/null 2>&1 &
  PIDS+=($!)
}

start_tarvisk() { start_program "$TARVISK_WIN_BUILD/Tarvisk.exe"; }

# Closes the reminder with Escape when it is showing.
dismiss_reminder() {
  driver wait-window "Donate to Tarvisk!" 15000 >/dev/null || return 1
  local nag
  nag=$(xdotool search --name '^Donate to Tarvisk!$' | head -n 1)
  [ -n "$nag" ] && xdotool windowfocus --sync "$nag" 2>/dev/null
  xdotool key Escape
}

# Presses the start/stop hot key.
hotkey() { xdotool key Scroll_Lock; }

cleanup() {
  driver close 5000 >/dev/null 2>&1 || true
  for p in "${PIDS[@]}"; do kill "$p" 2>/dev/null || true; done
  for p in "${PIDS[@]}"; do wait "$p" 2>/dev/null || true; done
}
trap cleanup EXIT

# Polls a command until it succeeds or the deadline (in seconds) passes.
wait_for() {
  local seconds="$1"; shift
  local end=$((SECONDS + seconds))
  until "$@" >/dev/null; do
    [ "$SECONDS" -ge "$end" ] && return 1
    sleep 0.2
  done
}

# A Unix path as Wine programs reach it, through the Z: drive.
winpath() { echo "Z:$(echo "$1" | tr '/' '\\')"; }

# Saves Tarvisk's report through its Save button and dialog, as a user would.
# $1: the file, a Unix path; $2: "json" to choose the JSON file type, whose
# extension the dialog then adds.
save_report() {
  local file="$1" name="$1"
  [ "${2:-}" = json ] && name="${file%.json}"
  rm -f "$file"
  driver click 103 || return 1
  driver wait-window "Save window information" 10000 >/dev/null || return 1
  local dialog
  dialog=$(xdotool search --onlyvisible --name '^Save window information$' | head -n 1)
  [ -n "$dialog" ] && xdotool windowfocus --sync "$dialog" 2>/dev/null
  xdotool key ctrl+a
  xdotool type --delay 5 "$(winpath "$name")"
  [ "${2:-}" = json ] && xdotool key alt+t Down
  xdotool key Return
  wait_for 10 test -s "$file"
}

# Starts Wine's notepad and waits for it; sets X, Y, WIDTH and HEIGHT to its
# window's geometry, handle and hex to its handle, and px, py to a point of its
# edit area that Tarvisk's window (314, 241 to about 760, 830, always on top)
# does not cover.
start_notepad() {
  start_program notepad.exe
  check "notepad starts" wait_for 15 xdotool search --onlyvisible --name '^Untitled - Notepad$'
  local xwin
  xwin=$(xdotool search --onlyvisible --name '^Untitled - Notepad$' | head -n 1)
  eval "$(xdotool getwindowgeometry --shell "$xwin")"
  handle=$(driver find Notepad)
  hex=$(printf '%08X' "$handle")
  px=$((X + 30))
  [ "$px" -ge 300 ] && [ "$px" -le 770 ] && px=$((X + WIDTH - 30))
  py=$((Y + HEIGHT / 2))
}

# Selects a page of the main window by clicking its tab, as a user does.
select_page() {
  local point
  point=$(driver tab-point "$1") || return 1
  # shellcheck disable=SC2086
  xdotool mousemove $point click 1
  wait_for 5 page_is "$1"
}

# Conditions for wait_for, read afresh on every poll.
page_is() { [ "$(driver page)" = "$1" ]; }
main_count_is() { [ "$(driver count-main)" = "$1" ]; }
is_checked() { [ "$(driver checked "$1")" = 1 ]; }
text_matches() { driver text "$1" | grep -q -- "$2"; }
