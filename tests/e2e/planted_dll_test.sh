#!/usr/bin/env bash
# A DLL of a system's name placed beside Tarvisk.exe, as a download may land
# there, never runs inside Tarvisk: neither the command line's report with the
# details nor the Details window loads the dwmapi.dll beside a copy of
# Tarvisk.exe. That DLL leaves a mark beside itself when it is loaded.
source "$(dirname "$0")/lib.sh"

DIR="$ARTIFACTS/planted"
MARK="$DIR/dwmapi.dll.loaded"
rm -rf "$DIR"
mkdir -p "$DIR"
cp "$TARVISK_WIN_BUILD/Tarvisk.exe" "$TARVISK_WIN_BUILD/fixtures/planted/dwmapi.dll" "$DIR/"
check "the DLL to plant is built" test -e "$DIR/dwmapi.dll"
not_loaded() { test ! -e "$MARK"; }
dwm_row_read() { driver window-rows "Details - " 1110 | grep -q '^Cloaked'; }

reset_settings
"$WINE_RUN" reg add 'HKCU\Software\Norvane\Tarvisk' /v HideNag /t REG_SZ /d 1 /f </dev/null >/dev/null 2>&1
start_notepad
xdotool windowfocus --sync "$(xdotool search --onlyvisible --name '^Untitled - Notepad$' | head -n 1)" \
  2>/dev/null
"$WINE_RUN" "$DIR/Tarvisk.exe" /report "$(winpath "$DIR/out.json")" /foreground /format json /details \
  </dev/null >/dev/null 2>&1
check "the report's details asked for DWM" jq -e '.details.notAvailable | index("dwm")' "$DIR/out.json" >/dev/null
check "the report leaves the planted DLL unloaded" not_loaded

start_program "$DIR/Tarvisk.exe"
check "the main window appears" driver wait-main 15000 >/dev/null
xdotool mousemove $((X + 60)) $((Y + 8))
check "probing shows notepad" driver wait-text 504 "$hex" 5000
hotkey
check "Scroll Lock stops probing" driver wait-text 105 "Pr&obe" 5000
xdotool windowfocus --sync "$(xdotool search --onlyvisible --name '^Tarvisk$' | head -n 1)" 2>/dev/null
xdotool key ctrl+d
check "Ctrl+D opens the Details window on notepad" \
  wait_for 10 xdotool search --onlyvisible --name "^Details - Notepad 0x$hex\$"
check "its DWM rows are read" wait_for 5 dwm_row_read
check "the Details window leaves the planted DLL unloaded" not_loaded
check "the window closes cleanly" driver close 10000
rm -rf "$DIR"
echo "planted dll: ok"
