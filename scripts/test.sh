#!/usr/bin/env bash
# Builds everything and runs every test: native unit tests, then the Wine suite
# (integration and end-to-end tests) of each build this machine can start: the
# 64-bit one always, the 32-bit one where 32-bit programs start. Where they do
# not, the 32-bit build's files are checked without running them. Ends with one
# summary line; non-zero on failure.
set -uo pipefail
source "$(dirname "$0")/common.sh"

"$ROOT/scripts/install-deps.sh" || exit 1
build_native || exit 1
build_win64 || exit 1
build_win || exit 1

trap stop_session EXIT
start_xvfb || exit 1

passed=0; failed=0
declare -a suites=()
run_suite() {  # name, build folder
  local log="$BUILD/$1-tests.log"
  ctest --test-dir "$2" --output-on-failure -j "${TEST_JOBS:-1}" --timeout 300 2>&1 | tee "$log"
  local line
  line=$(grep -E '^[0-9]+% tests passed, [0-9]+ tests failed out of [0-9]+' "$log" | tail -n 1)
  if [ -z "$line" ]; then
    failed=$((failed + 1)); suites+=("$1 suite: did not finish"); return
  fi
  local total bad
  bad=$(sed -E 's/.* ([0-9]+) tests failed out of ([0-9]+).*/\1/' <<<"$line")
  total=$(sed -E 's/.* ([0-9]+) tests failed out of ([0-9]+).*/\2/' <<<"$line")
  passed=$((passed + total - bad)); failed=$((failed + bad))
  suites+=("$1 suite: $((total - bad)) passed, $bad failed")
}

# One build's Wine suite in its own prefix and wineserver.
run_wine_suite() {  # name, build folder
  use_build "$2"
  ensure_prefix
  start_wineserver
  run_suite "$1" "$2"
  stop_wineserver
}

run_suite native "$NATIVE_BUILD"
# The installer against a fake apt whose mirror fails, as mirrors do.
if bash "$ROOT/tests/static/install_deps_test.sh"; then
  passed=$((passed + 1)); suites+=("install script: passed against a fake failing mirror")
else
  failed=$((failed + 1)); suites+=("install script: failed against a fake failing mirror")
fi
run_wine_suite 64-bit "$WIN64_BUILD"
if can_run_32bit; then
  run_wine_suite 32-bit "$WIN_BUILD"
else
  # The same checks the 32-bit suite makes of its files, without starting them.
  if bash "$ROOT/tests/static/check-artifacts.sh" "$WIN_BUILD" 32; then
    passed=$((passed + 1)); suites+=("32-bit files: checked without running them")
  else
    failed=$((failed + 1)); suites+=("32-bit files: check failed")
  fi
  suites+=("32-bit suite: not run ($(no_32bit_reason))")
fi
# A short run of each fuzzer, after replaying the inputs that once broke something.
"$ROOT/scripts/fuzz.sh" "${FUZZ_SECONDS:-20}" && passed=$((passed + 1)) || failed=$((failed + 1))

echo
printf '%s\n' "${suites[@]}"
echo "$passed passed, $failed failed"
[ "$failed" -eq 0 ]
