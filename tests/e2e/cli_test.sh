#!/usr/bin/env bash
# Reports from the command line against Wine's notepad: to standard output, to
# a file and through a pipe; by each selector; JSON that passes the schema and
# survives a reader's round trip; the listings; the exit statuses. Then with a
# Tarvisk on screen: the text equals what its Save writes for the same window,
# and a report while it probes leaves both working.
source "$(dirname "$0")/lib.sh"

TARVISK="$TARVISK_WIN_BUILD/Tarvisk.exe"
SCHEMA="$TARVISK_SOURCE/docs/tarvisk-report.schema.json"
KEY='HKCU\Software\Norvane\Tarvisk'
OUT="$ARTIFACTS/cli"
rm -rf "$OUT"
mkdir -p "$OUT"

cli() { "$WINE_RUN" "$TARVISK" "$@" </dev/null; }
jqe() { jq -e "$@" >/dev/null; }
validate() {
  python3 - "$SCHEMA" "$1" <<'EOF'
import json, sys
import jsonschema
schema = json.load(open(sys.argv[1]))
jsonschema.Draft202012Validator(schema).validate(json.load(open(sys.argv[2], encoding="utf-8")))
EOF
}
# Python's reader and jq's must read the same document.
round_trip() {
  cmp -s <(jq -S -c . "$1") \
    <(python3 -c 'import json,sys; print(json.dumps(json.load(open(sys.argv[1])), ensure_ascii=False))' "$1" | jq -S -c .)
}
# Runs the command line and keeps its status, output and error stream.
run() {
  cli "$@" >"$OUT/out" 2>"$OUT/err"
  status=$?
}
settings_absent() { ! "$WINE_RUN" reg query 'HKCU\Software\Norvane' </dev/null >/dev/null 2>&1; }

"$WINE_RUN" reg delete 'HKCU\Software\Norvane' /f </dev/null >/dev/null 2>&1
start_notepad
xdotool mousemove "$px" "$py"

# Standard output redirected to a file, a pipe, and a file named on the line.
run /report /window "$handle"
check "a report to standard output succeeds" test "$status" = 0
cp "$OUT/out" "$OUT/stdout.txt"
check "it names notepad's handle" grep -q "^Handle              $hex " "$OUT/stdout.txt"
check "it names notepad's class" grep -q "^Name                Notepad " "$OUT/stdout.txt"
check "its lines end in CR LF" test "$(grep -c $'\r$' "$OUT/stdout.txt")" = "$(wc -l <"$OUT/stdout.txt")"
check "the error stream stays empty" test ! -s "$OUT/err"
cli /report - /window "\$$hex" | cat >"$OUT/pipe.txt"
check "the report comes through a pipe alike" cmp -s "$OUT/stdout.txt" "$OUT/pipe.txt"
run /report "$(winpath "$OUT/file.txt")" /window "$handle"
check "a report to a file succeeds" test "$status" = 0
check "the file holds the same report" cmp -s "$OUT/stdout.txt" "$OUT/file.txt"
check "nothing goes to standard output then" test ! -s "$OUT/out"
cli /list >/dev/null
check "output to /dev/null succeeds" test $? = 0
check "the command line wrote no settings" settings_absent

# JSON, and the other selectors.
run /report /window "$handle" /format json
cp "$OUT/out" "$OUT/report.json"
check "the JSON report passes the schema" validate "$OUT/report.json"
check "the JSON survives a reader's round trip" round_trip "$OUT/report.json"
check "the JSON names notepad" jqe ".window.handle == $handle and .class.name == \"Notepad\"" "$OUT/report.json"
run /report /find 'notepad,untitled' /format json
check "/find finds notepad" jqe ".window.handle == $handle" "$OUT/out"
run /report /point "$px,$py" /format json
check "/point picks notepad's edit, as probing would" \
  jqe ".class.name == \"Edit\" and .parents[0].handle == $handle and .graphic.screen.x == $px" "$OUT/out"
check "the /point report passes the schema" validate "$OUT/out"

run /list
check "/list lists notepad" grep -q $'^\\$'"$hex"$'\t[0-9]*\tNotepad\t1\tUntitled - Notepad\r$' "$OUT/out"
run /list /format json
cp "$OUT/out" "$OUT/list.json"
check "the JSON list passes the schema" validate "$OUT/list.json"
check "the JSON list holds notepad" jqe "any(.[]; .handle == $handle and .visible)" "$OUT/list.json"
run /children "\$$hex" /format json
check "/children lists notepad's edit" jqe 'any(.[]; .className == "Edit")' "$OUT/out"
check "the children list passes the schema" validate "$OUT/out"

# Exit statuses and their messages.
run /report /find NoSuchWindowClass
check "no match is status 2" test "$status" = 2
check "with its message" test "$(tr -d '\r' <"$OUT/err")" = "no window matches /find NoSuchWindowClass"
run /report /window 12g
check "bad handle syntax is status 1" test "$status" = 1
check "with the reason first" test "$(head -n 1 "$OUT/err" | tr -d '\r')" = "'12g' is not a valid integer value"
check "and the usage text" grep -q "^Usage:" "$OUT/err"
run /report "$(winpath "$OUT/missing/r.txt")" /window "$handle"
check "an unwritable file is status 1" test "$status" = 1
check "with a message naming it" grep -q 'missing\\r.txt' "$OUT/err"
check "nothing is left behind" test ! -e "$OUT/missing"
cli /list >&- 2>"$OUT/err"
check "a closed standard output is status 1" test $? = 1
check "with its message" grep -q "could not write to standard output" "$OUT/err"

# Beside a Tarvisk on screen: it probes notepad's edit at the same point.
"$WINE_RUN" reg add "$KEY" /v HideNag /t REG_SZ /d 1 /f </dev/null >/dev/null 2>&1
start_tarvisk
check "the main window appears" driver wait-main 15000 >/dev/null
edit_hex=$(jq -r '.children[0].handle' "$OUT/report.json" | xargs printf '%08X')
xdotool mousemove "$((px + 1))" "$py"
xdotool mousemove "$px" "$py"
check "probing shows notepad's edit" driver wait-text 504 "$edit_hex" 5000
hotkey
check "probing stops" driver wait-text 105 "Pr&obe" 5000
check "the report is saved" save_report "$OUT/gui.txt"
run /report "$(winpath "$OUT/cli.txt")" /point "$px,$py"
check "a report while Tarvisk runs succeeds" test "$status" = 0
# The pixel colour is read when the magnified image is redrawn, which waits for
# the input to rest; the hot key came just before.
check "the text equals what Save writes" \
  diff <(grep -av '^Pixel color' "$OUT/gui.txt") <(grep -av '^Pixel color' "$OUT/cli.txt")
check "Save writes JSON when that type is chosen" save_report "$OUT/gui.json" json
check "the saved JSON passes the schema" validate "$OUT/gui.json"
run /report /point "$px,$py" /format json
cp "$OUT/out" "$OUT/cli.json"
check "the saved JSON equals the command line's" \
  diff <(jq -S 'del(.graphic.pixelColor)' "$OUT/gui.json") <(jq -S 'del(.graphic.pixelColor)' "$OUT/cli.json")

# Typing into the save dialog may have pressed Scroll Lock again under Wine
# (see the README), so probing restarts with the button unless it already has.
[ "$(driver text 105)" = "Pr&obe" ] && driver click 105
check "probing starts again" driver wait-text 105 "St&op" 5000
run /report /window "$handle"
check "a report while Tarvisk probes succeeds" test "$status" = 0
xdotool mousemove "$((X + 60))" "$((Y + 8))"
check "Tarvisk still probes" driver wait-text 504 "$hex" 5000
check "one main window" test "$(driver count-main)" = 1
screenshot cli-beside-gui
echo "cli: ok"
