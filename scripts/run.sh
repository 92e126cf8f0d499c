#!/usr/bin/env bash
# Builds Tarvisk if needed and starts it under Wine (the 32-bit build where the
# machine can start it, the 64-bit one elsewhere). With DISPLAY set it runs on
# that display; without one it runs a short demonstration on a private Xvfb:
# Tarvisk probes Wine's notepad, the hot key stops it, and what it shows is
# printed, with a screenshot.
set -uo pipefail
source "$(dirname "$0")/common.sh"

"$ROOT/scripts/install-deps.sh" || exit 1
build_native >/dev/null || exit 1
# The 32-bit build is the deliverable; where this machine cannot start 32-bit
# programs, or has no 32-bit Wine loader, the 64-bit one runs instead.
if can_run_32bit; then
  build_win >/dev/null || exit 1
  use_build "$WIN_BUILD"
else
  build_win64 >/dev/null || exit 1
  use_build "$WIN64_BUILD"
  echo "Running the 64-bit Tarvisk: $(no_32bit_reason)." >&2
fi

if [ -n "${DISPLAY:-}" ] && [ -z "${TARVISK_DEMO:-}" ]; then
  # The user's own display: a prefix of its own, with windows managed as usual.
  export WINEPREFIX="$CURRENT_BUILD/user-prefix"
  exec "$WINE" "$CURRENT_BUILD/Tarvisk.exe"
fi

exec "$ROOT/scripts/demo.sh"
