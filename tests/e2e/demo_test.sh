#!/usr/bin/env bash
# The Run command's demonstration, as a newcomer gets it after the test suite
# has left a first-run state in its own prefix: it runs in a prefix of its own,
# shows the Window page on notepad's edit area, logs the typing, and leaves two
# pictures and the report.
set -uo pipefail
: "${TARVISK_WIN_BUILD:?run through ctest or scripts/test.sh}"
ROOT="${TARVISK_SOURCE:-$(cd "$(dirname "$0")/../.." && pwd)}"
OUT="$(mktemp -d)"
trap 'rm -rf "$OUT"' EXIT
fail() { echo "FAIL: $*" >&2; echo "--- demonstration output:" >&2; cat "$OUT/output" >&2; exit 1; }

# What the suite's prefix holds must not reach the demonstration.
"$TARVISK_WIN_BUILD/wine-run.sh" reg add 'HKCU\Software\Norvane\Tarvisk' /v Page /t REG_SZ /d 11 /f \
  </dev/null >/dev/null 2>&1

TARVISK_DEMO_BUILD="$TARVISK_WIN_BUILD" TARVISK_DEMO_OUT="$OUT" bash "$ROOT/scripts/demo.sh" >"$OUT/output" 2>&1 ||
  fail "the demonstration exits with $?"
"$TARVISK_WIN_BUILD/wine-run.sh" reg delete 'HKCU\Software\Norvane\Tarvisk' /f </dev/null >/dev/null 2>&1

grep -q ": Edit$" "$OUT/output" || fail "no field showing the class Edit among those printed"
grep -q "Edit" "$OUT/tarvisk-report.txt" 2>/dev/null || fail "no report of notepad's edit area"
# Pictures of something: a blank or one-colour capture has a handful of colours.
for picture in tarvisk-demo.png tarvisk-message-log.png; do
  [ -s "$OUT/$picture" ] || fail "no $picture"
  colours=$(identify -format '%k' "$OUT/$picture" 2>/dev/null)
  [ "${colours:-0}" -gt 8 ] || fail "$picture has ${colours:-no} colours"
done
echo "demonstration: ok"
