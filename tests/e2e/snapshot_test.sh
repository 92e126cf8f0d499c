#!/usr/bin/env bash
# Snapshots from the command line beside Wine's notepad: the whole desktop and
# notepad's window pass the schema and survive a reader's round trip, notepad's
# edit is nested under it, a snapshot compared with itself is the same, and
# typing into notepad shows as its edit's text (and its status bar's), in text
# and in JSON.
source "$(dirname "$0")/lib.sh"

TARVISK="$TARVISK_WIN_BUILD/Tarvisk.exe"
OUT="$ARTIFACTS/snapshot"
rm -rf "$OUT"
mkdir -p "$OUT"

cli() { "$WINE_RUN" "$TARVISK" "$@" </dev/null; }
jqe() { jq -e "$@" >/dev/null; }
validate() {
  python3 - "$TARVISK_SOURCE/docs/$1" "$2" <<'PYEOF'
import json, sys
import jsonschema
schema = json.load(open(sys.argv[1]))
jsonschema.Draft202012Validator(schema).validate(json.load(open(sys.argv[2], encoding="utf-8")))
PYEOF
}
round_trip() {
  cmp -s <(jq -S -c . "$1") \
    <(python3 -c 'import json,sys; print(json.dumps(json.load(open(sys.argv[1])), ensure_ascii=False))' "$1" | jq -S -c .)
}

start_notepad
cli /snapshot "$(winpath "$OUT/desktop.json")"
check "a snapshot of the desktop succeeds" test $? = 0
check "it passes the schema" validate tarvisk-snapshot.schema.json "$OUT/desktop.json"
check "it survives a reader's round trip" round_trip "$OUT/desktop.json"
check "it holds notepad with its edit below it" \
  jqe "any(.window.children[]; .handle == $handle and .executable == \"notepad.exe\" and any(.children[]; .className == \"Edit\"))" \
  "$OUT/desktop.json"
cli /diff "$(winpath "$OUT/desktop.json")" "$(winpath "$OUT/desktop.json")" >"$OUT/self.txt"
check "a snapshot is the same as itself" test $? = 0
check "with nothing to say" test ! -s "$OUT/self.txt"

cli /snapshot "$(winpath "$OUT/before.json")" /window "$handle"
check "a snapshot of notepad succeeds" test $? = 0
xdotool mousemove "$px" "$py" click 1
xdotool type --delay 50 'typed'
check "the typed text reaches the edit" \
  wait_for 10 sh -c "'$WINE_RUN' '$TARVISK' /snapshot /window $handle </dev/null | jq -e 'any(.window.children[]; .text == \"typed\")'"
cli /snapshot - /window "$handle" >"$OUT/after.json"
check "a snapshot to standard output succeeds" test $? = 0
check "it passes the schema" validate tarvisk-snapshot.schema.json "$OUT/after.json"
cli /diff "$(winpath "$OUT/before.json")" "$(winpath "$OUT/after.json")" >"$OUT/diff.txt"
check "the snapshots differ" test $? = 3
check "in the edit's text" grep -q '^changed notepad.exe:Notepad/Edit.*: text "" -> "typed"' "$OUT/diff.txt"
cli /diff "$(winpath "$OUT/before.json")" "$(winpath "$OUT/after.json")" /format json >"$OUT/diff.json"
check "the JSON difference passes its schema" validate tarvisk-diff.schema.json "$OUT/diff.json"
check "and names the text" jqe 'any(.changes[]; .field == "text" and .new == "typed")' "$OUT/diff.json"
screenshot snapshot-notepad
echo "snapshot: ok"
