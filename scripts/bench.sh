#!/usr/bin/env bash
# Builds and runs the benchmarks under Wine on a private display; prints figures.
set -uo pipefail
source "$(dirname "$0")/common.sh"

"$ROOT/scripts/install-deps.sh" || exit 1
build_native >/dev/null || exit 1
build_win64 >/dev/null || exit 1
build_win >/dev/null || exit 1
trap stop_session EXIT
start_xvfb || exit 1

# Every build this machine can start, each in its own prefix.
builds=("$WIN64_BUILD")
if can_run_32bit; then builds=("$WIN_BUILD" "$WIN64_BUILD"); else echo "32-bit build: not run ($(no_32bit_reason))"; fi
for build in "${builds[@]}"; do
  use_build "$build"
  ensure_prefix
  start_wineserver
  if [ "$build" = "$WIN_BUILD" ]; then echo "== 32-bit build"; else echo "== 64-bit build"; fi
  for b in "$build"/*_bench.exe; do
    "$WINE" "$b" </dev/null
  done
  stop_wineserver
done
