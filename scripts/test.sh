#!/usr/bin/env bash
# Builds everything and runs every test: native unit tests, Wine integration
# tests and end-to-end tests. Ends with one summary line; non-zero on failure.
set -uo pipefail
source "$(dirname "$0")/common.sh"

"$ROOT/scripts/install-deps.sh" || exit 1
build_native || exit 1
build_win || exit 1

trap stop_session EXIT
start_xvfb || exit 1
ensure_prefix
start_wineserver

passed=0; failed=0
run_suite() {  # name, build folder
  local log="$BUILD/$1-tests.log"
  ctest --test-dir "$2" --output-on-failure -j "${TEST_JOBS:-1}" --timeout 300 2>&1 | tee "$log"
  local line
  line=$(grep -E '^[0-9]+% tests passed, [0-9]+ tests failed out of [0-9]+' "$log" | tail -n 1)
  if [ -z "$line" ]; then
    failed=$((failed + 1)); return
  fi
  local total bad
  bad=$(sed -E 's/.* ([0-9]+) tests failed out of ([0-9]+).*/\1/' <<<"$line")
  total=$(sed -E 's/.* ([0-9]+) tests failed out of ([0-9]+).*/\2/' <<<"$line")
  passed=$((passed + total - bad)); failed=$((failed + bad))
}
run_suite native "$NATIVE_BUILD"
run_suite win "$WIN_BUILD"
# A short run of each fuzzer, after replaying the inputs that once broke something.
"$ROOT/scripts/fuzz.sh" "${FUZZ_SECONDS:-20}" && passed=$((passed + 1)) || failed=$((failed + 1))

echo "$passed passed, $failed failed"
[ "$failed" -eq 0 ]
