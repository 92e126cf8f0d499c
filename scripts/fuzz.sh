#!/usr/bin/env bash
# Builds the libFuzzer targets of tests/fuzz with clang in $BUILD/fuzz, replays
# every kept regression input (they must all pass), then fuzzes each target for
# a bounded time. Prints one line per target; non-zero when anything failed.
#
#   scripts/fuzz.sh              20 s per target (the test run)
#   scripts/fuzz.sh 600          a longer run: 10 minutes per target
#   scripts/fuzz.sh 600 tree     only the named targets
#
# The corpus a run grows is kept in $BUILD/fuzz/corpus/<target>, so later runs
# start from it; the seeds in tests/fuzz/corpus/<target> are read, never written.
set -uo pipefail
source "$(dirname "$0")/common.sh"

seconds="${1:-20}"
[ $# -gt 0 ] && shift
case "$seconds" in
  '' | *[!0-9]*) echo "usage: $0 [seconds per target] [target...]" >&2; exit 2 ;;
esac
targets=(handle settings report printer tree selector snapshot)
[ $# -gt 0 ] && targets=("$@")

FUZZ_SRC="$ROOT/tests/fuzz"
FUZZ_BUILD="$BUILD/fuzz"
if ! command -v clang++ >/dev/null 2>&1; then
  echo "fuzz: clang++ is missing (scripts/install-deps.sh installs it)" >&2
  exit 1
fi
mkdir -p "$FUZZ_BUILD"
if ! { CC=clang CXX=clang++ cmake -S "$FUZZ_SRC" -B "$FUZZ_BUILD" -G Ninja &&
       cmake --build "$FUZZ_BUILD" -j "$JOBS"; } >"$FUZZ_BUILD/build.log" 2>&1; then
  cat "$FUZZ_BUILD/build.log" >&2
  echo "fuzz: build failed" >&2
  exit 1
fi

# The line that says what broke: a property, a sanitizer report or a time-out.
why() {
  grep -m 1 -E '==== property broken|^SUMMARY: |ERROR: libFuzzer: (timeout|out-of-memory)' "$1" |
    sed -E 's/^==== //'
}

failed=0
for t in "${targets[@]}"; do
  bin="$FUZZ_BUILD/fuzz_$t"
  if [ ! -x "$bin" ]; then
    echo "fuzz $t: FAILED, no such target (have: handle settings report printer tree)"
    failed=$((failed + 1)); continue
  fi
  log="$FUZZ_BUILD/$t.log"
  artifacts="$FUZZ_BUILD/artifacts/$t"
  work="$FUZZ_BUILD/corpus/$t"
  rm -rf "$artifacts"
  mkdir -p "$artifacts" "$work"

  regressions=()
  if [ -d "$FUZZ_SRC/regressions/$t" ]; then
    while IFS= read -r -d '' f; do regressions+=("$f"); done \
      < <(find "$FUZZ_SRC/regressions/$t" -type f ! -name '*.md' -print0 | sort -z)
  fi
  if [ ${#regressions[@]} -gt 0 ]; then
    if ! "$bin" -timeout=10 -rss_limit_mb=2048 "${regressions[@]}" >"$log" 2>&1; then
      echo "fuzz $t: FAILED replaying a regression input: $(grep '^Running: ' "$log" | tail -n 1) $(why "$log") (log $log)"
      failed=$((failed + 1)); continue
    fi
  fi

  seeds=()
  [ -d "$FUZZ_SRC/corpus/$t" ] && seeds=("$FUZZ_SRC/corpus/$t")
  start=$(date +%s)
  # The outer time-out only guards against a target that never starts fuzzing.
  timeout $((seconds + 120)) "$bin" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 \
    -print_final_stats=1 -artifact_prefix="$artifacts/" "$work" "${seeds[@]}" >"$log" 2>&1
  rc=$?
  took=$(($(date +%s) - start))
  runs=$(sed -nE 's/^stat::number_of_executed_units: *([0-9]+)/\1/p' "$log" | tail -n 1)
  corpus=$(find "$work" -type f | wc -l)
  if [ $rc -ne 0 ]; then
    crash=$(find "$artifacts" -type f | head -n 1)
    echo "fuzz $t: FAILED after ${took} s: $(why "$log"); input ${crash:-not saved} (log $log)"
    [ -n "$crash" ] && echo "  keep it: cp '$crash' '$FUZZ_SRC/regressions/$t/<what-it-shows>'"
    failed=$((failed + 1))
  else
    echo "fuzz $t: ok, ${runs:-?} runs in ${took} s, corpus $corpus, ${#regressions[@]} regression inputs passed"
  fi
done

echo "fuzz: ${#targets[@]} targets, $failed failed"
[ "$failed" -eq 0 ]
