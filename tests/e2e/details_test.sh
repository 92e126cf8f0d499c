#!/usr/bin/env bash
# A user stops probing on a window of another program whose details are known
# (DetailsFixture.exe), opens the Details window with Ctrl+D and reads its
# rows; probing again, the window follows the cursor to another window. The
# command line writes the same details as JSON that passes the schema, and as
# the text report's Details section with /details.
source "$(dirname "$0")/lib.sh"

TARVISK="$TARVISK_WIN_BUILD/Tarvisk.exe"
SCHEMA="$TARVISK_SOURCE/docs/tarvisk-report.schema.json"
OUT="$ARTIFACTS/details"
rm -rf "$OUT"
mkdir -p "$OUT"
validate() {
  python3 - "$SCHEMA" "$1" <<'PY'
import json, sys
import jsonschema
jsonschema.Draft202012Validator(json.load(open(sys.argv[1]))).validate(json.load(open(sys.argv[2], encoding="utf-8")))
PY
}
# A pointer-sized value as the Details window shows it in hexadecimal.
word() { if [ "$TARVISK_BITS" = 64 ]; then printf '%016X' "$1"; else printf '%08X' "$1"; fi; }
row_is() { grep -qx -- "$1"$'\t'"$2" "$OUT/rows.txt"; }
read_rows() { driver window-rows "Details - " 1110 >"$OUT/rows.txt"; }

reset_settings
"$WINE_RUN" reg add 'HKCU\Software\Norvane\Tarvisk' /v HideNag /t REG_SZ /d 1 /f </dev/null >/dev/null 2>&1
start_program "$TARVISK_WIN_BUILD/fixtures/DetailsFixture.exe"
check "the fixture starts" wait_for 15 xdotool search --onlyvisible --name '^Details fixture dialog$'
main_handle=$(driver find TarviskDetailsFixture "Details fixture")
layered_handle=$(driver find TarviskDetailsFixture "Details fixture layered")
main_hex=$(printf '%08X' "$main_handle")
layered_hex=$(printf '%08X' "$layered_handle")
start_tarvisk
check "the main window appears" driver wait-main 15000 >/dev/null

# Probe the fixture's client area below its scroll bar, then stop there.
xdotool mousemove 970 240
check "probing shows the fixture" driver wait-text 504 "$main_hex" 5000
hotkey
check "Scroll Lock stops probing" driver wait-text 105 "Pr&obe" 5000
tarvisk=$(xdotool search --onlyvisible --name '^Tarvisk$' | head -n 1)
xdotool windowfocus --sync "$tarvisk" 2>/dev/null
xdotool key ctrl+d
check "Ctrl+D opens the Details window" \
  wait_for 10 xdotool search --onlyvisible --name "^Details - TarviskDetailsFixture 0x$main_hex\$"
details=$(xdotool search --onlyvisible --name '^Details - TarviskDetailsFixture' | head -n 1)
check "its rows can be read" wait_for 5 read_rows
read_rows
check "the groups are headings" row_is "Properties" ""
check "a string property" row_is "TarviskOne" "$(word 0x1111)"
check "the other one" row_is "TarviskTwo" "$(word 0x2222)"
check "the window extra bytes" row_is "Window extra size" "16 bytes"
check "the user data" row_is "User data" "$(word 0x5EED)"
check "the bitness" row_is "Bitness" "$TARVISK_BITS-bit"
check "another process's menu: an item, or not available" \
  bash -c "grep -qx \$'Item 1\t&File' '$OUT/rows.txt' || grep -qx \$'Menu\tnot available on this system' '$OUT/rows.txt'"
check "DWM under Wine is not available" row_is "Cloaked" "not available on this system"
# The cursor has not moved since: whether or not probing runs again (below),
# the window still shows the fixture.
import -window "$details" -colors 64 "PNG8:$ARTIFACTS/details-window.png" 2>/dev/null &&
  echo "screenshot: $ARTIFACTS/details-window.png"

# Probing again, it follows the cursor: out of the way first. Ctrl+D may have
# pressed Scroll Lock again under Wine (see the README), so probing restarts
# with the button unless it already has.
xdotool windowmove "$details" 760 620 windowsize "$details" 480 380
[ "$(driver text 105)" = "Pr&obe" ] && driver click 105
check "probing starts" driver wait-text 105 "St&op" 5000
xdotool mousemove 870 360
xdotool mousemove 880 370
check "the Details window follows to the layered window" \
  wait_for 10 xdotool search --onlyvisible --name "^Details - TarviskDetailsFixture 0x$layered_hex\$"
read_rows
check "with its alpha" row_is "Alpha" "C8"
check "and its flags" row_is "Layered flags" "lwa_alpha"

# The command line: JSON that passes the schema, and the Details section.
"$WINE_RUN" "$TARVISK" /report /window "$main_handle" /format json </dev/null >"$OUT/main.json"
check "the JSON passes the schema" validate "$OUT/main.json"
check "the JSON holds the properties" \
  jq -e '[.details.properties[] | select(.name == "TarviskOne" and .value == 4369)] | length == 1' "$OUT/main.json"
check "and the extra bytes" jq -e '.details.windowExtra.size == 16 and .details.userData == 24301' "$OUT/main.json"
check "gaps are named" jq -e '.details.dwm == null and (.details.notAvailable | index("dwm"))' "$OUT/main.json"
"$WINE_RUN" "$TARVISK" /report /window "$layered_handle" /format json </dev/null >"$OUT/layered.json"
check "the layered window's JSON passes the schema" validate "$OUT/layered.json"
check "its alpha is 200" jq -e '.details.layered.alpha == 200' "$OUT/layered.json"
"$WINE_RUN" "$TARVISK" /report /window "$main_handle" /details /dec </dev/null >"$OUT/main.txt"
check "the text report has the Details section" grep -q '^\*\*\* Details \*\*\*' "$OUT/main.txt"
check "in the number format asked for" grep -qa $'^User data           24301 ' "$OUT/main.txt"
check "its lines are 80 columns" \
  bash -c "sed -n '/^\*\*\* Details/,/^\*\*\*\*\*\*\*\*\*\*/p' '$OUT/main.txt' | tr -d '\r' | awk 'length > 80 { exit 1 }'"
echo "details: ok"
