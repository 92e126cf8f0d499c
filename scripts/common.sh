# Shared by the build, run and test scripts: build folders, the private Wine
# prefix and the virtual display.
ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
BUILD="${TARVISK_BUILD:-$ROOT/build}"
WIN_BUILD="$BUILD/win"
NATIVE_BUILD="$BUILD/native"
export WINEPREFIX="$WIN_BUILD/wine-prefix"
export WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml="
JOBS="${JOBS:-$(nproc)}"

build_native() {
  cmake -S "$ROOT" -B "$NATIVE_BUILD" -G Ninja -DCMAKE_BUILD_TYPE=Debug >/dev/null
  cmake --build "$NATIVE_BUILD" -j "$JOBS"
}

build_win() {
  cmake -S "$ROOT" -B "$WIN_BUILD" -G Ninja -DCMAKE_BUILD_TYPE=Release \
        -DCMAKE_TOOLCHAIN_FILE="$ROOT/cmake/mingw-i686.cmake" \
        -DTARVISK_HOST_BUILD="$NATIVE_BUILD" >/dev/null
  cmake --build "$WIN_BUILD" -j "$JOBS"
}

# Starts a private Xvfb on the first free display number and exports DISPLAY.
XVFB_PID=""
start_xvfb() {
  local n=90
  while [ -e "/tmp/.X11-unix/X$n" ] || [ -e "/tmp/.X$n-lock" ]; do n=$((n + 1)); done
  Xvfb ":$n" -screen 0 1280x1024x24 -nolisten tcp >/dev/null 2>&1 &
  XVFB_PID=$!
  export DISPLAY=":$n"
  for _ in $(seq 100); do
    xdpyinfo >/dev/null 2>&1 && return 0
    sleep 0.1
  done
  echo "Xvfb did not start on $DISPLAY" >&2
  return 1
}

# A new prefix costs ~12 s; it is kept in the build folder and reused.
ensure_prefix() {
  if [ ! -f "$WINEPREFIX/.tarvisk-ready" ]; then
    rm -rf "$WINEPREFIX"
    wineboot -i </dev/null >/dev/null 2>&1 || true
    wineserver -w
    # A crash must not open a dialog that waits for a user, and without a
    # window manager managed windows take seconds to go away.
    wine reg add 'HKCU\Software\Wine\WineDbg' /v ShowCrashDialog /t REG_DWORD /d 0 /f </dev/null >/dev/null 2>&1
    wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /t REG_SZ /d N /f </dev/null >/dev/null 2>&1
    wineserver -w
    touch "$WINEPREFIX/.tarvisk-ready"
  fi
}

# A persistent wineserver makes each wine start cheap. Its output is detached so
# that it does not hold the pipes of whoever started it.
start_wineserver() {
  wineserver -p </dev/null >/dev/null 2>&1
  wine cmd /c exit </dev/null >/dev/null 2>&1 || true
}

stop_session() {
  wineserver -k >/dev/null 2>&1 || true
  if [ -n "$XVFB_PID" ]; then
    kill "$XVFB_PID" 2>/dev/null || true
    wait "$XVFB_PID" 2>/dev/null || true
    XVFB_PID=""
  fi
}
