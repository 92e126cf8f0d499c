#!/usr/bin/env bash
# Builds and runs the benchmarks under Wine on a private display; prints figures.
set -uo pipefail
source "$(dirname "$0")/common.sh"

"$ROOT/scripts/install-deps.sh" || exit 1
build_native >/dev/null || exit 1
build_win >/dev/null || exit 1
trap stop_session EXIT
start_xvfb || exit 1
ensure_prefix
start_wineserver
for b in "$WIN_BUILD"/*_bench.exe; do
  "$WIN_BUILD/wine-run.sh" "$b" </dev/null
done
