#!/usr/bin/env bash
# Builds Tarvisk if needed and starts it under Wine. With DISPLAY set it runs on
# that display; without one it runs a short demonstration on a private Xvfb:
# Tarvisk probes Wine's notepad, the hot key stops it, and what it shows is
# printed, with a screenshot.
set -uo pipefail
source "$(dirname "$0")/common.sh"

"$ROOT/scripts/install-deps.sh" || exit 1
build_native >/dev/null || exit 1
build_win >/dev/null || exit 1

if [ -n "${DISPLAY:-}" ] && [ -z "${TARVISK_DEMO:-}" ]; then
  # The user's own display: a prefix of its own, with windows managed as usual.
  export WINEPREFIX="$WIN_BUILD/user-prefix"
  exec wine "$WIN_BUILD/Tarvisk.exe"
fi

exec "$ROOT/scripts/demo.sh"
