# Shared by the build, run and test scripts: build folders, the private Wine
# prefixes and the virtual display.
ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
BUILD="${TARVISK_BUILD:-$ROOT/build}"
WIN_BUILD="$BUILD/win"      # 32-bit (i686)
WIN64_BUILD="$BUILD/win64"  # 64-bit (x86_64)
NATIVE_BUILD="$BUILD/native"
export WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml="
JOBS="${JOBS:-$(nproc)}"

build_native() {
  cmake -S "$ROOT" -B "$NATIVE_BUILD" -G Ninja -DCMAKE_BUILD_TYPE=Debug >/dev/null
  cmake --build "$NATIVE_BUILD" -j "$JOBS"
}

# build_win_tree FOLDER TOOLCHAIN
build_win_tree() {
  cmake -S "$ROOT" -B "$1" -G Ninja -DCMAKE_BUILD_TYPE=Release \
        -DCMAKE_TOOLCHAIN_FILE="$ROOT/cmake/$2.cmake" \
        -DTARVISK_HOST_BUILD="$NATIVE_BUILD" >/dev/null
  cmake --build "$1" -j "$JOBS"
}
build_win() { build_win_tree "$WIN_BUILD" mingw-i686; }
build_win64() { build_win_tree "$WIN64_BUILD" mingw-x86_64; }

# Whether this machine starts 32-bit programs: the 32-bit Wine loader may be
# missing (the mirror could not give it), and some kernels here have 32-bit
# emulation disabled, which only trying tells. TARVISK_NO_32BIT=1 acts as such a
# machine.
WINE32_LOADER="${TARVISK_WINE32_LOADER:-/usr/lib/wine/wine}"
can_run_32bit() {
  [ -z "${TARVISK_NO_32BIT:-}" ] && "$WINE32_LOADER" --version >/dev/null 2>&1
}

# Why the 32-bit build does not run here, for the lines that say it did not.
no_32bit_reason() {
  if [ -n "${TARVISK_NO_32BIT:-}" ]; then
    echo "TARVISK_NO_32BIT is set"
  elif [ ! -x "$WINE32_LOADER" ]; then
    echo "the 32-bit Wine loader is not installed"
  else
    echo "this machine cannot start 32-bit programs"
  fi
}

# The build whose programs this machine runs by preference: the 32-bit one
# where it can start, otherwise the 64-bit one.
preferred_build() {
  if can_run_32bit; then echo "$WIN_BUILD"; else echo "$WIN64_BUILD"; fi
}

# Makes FOLDER (a Windows build) the one the following commands use: its Wine
# prefix, and its wine-run.sh, which starts the loader of its bitness.
use_build() {
  CURRENT_BUILD="$1"
  export WINEPREFIX="$1/wine-prefix"
  WINE="$1/wine-run.sh"
}
use_build "$WIN_BUILD"

# Starts a private Xvfb on the first free display number and exports DISPLAY.
XVFB_PID=""
start_xvfb() {
  local n=90
  while [ -e "/tmp/.X11-unix/X$n" ] || [ -e "/tmp/.X$n-lock" ]; do n=$((n + 1)); done
  # Under Wine each GUI thread holds a connection of its own: the benchmarks run a thousand.
  Xvfb ":$n" -screen 0 1280x1024x24 -nolisten tcp -maxclients 2048 >/dev/null 2>&1 &
  XVFB_PID=$!
  export DISPLAY=":$n"
  for _ in $(seq 100); do
    xdpyinfo >/dev/null 2>&1 && return 0
    sleep 0.1
  done
  echo "Xvfb did not start on $DISPLAY" >&2
  return 1
}

# A new prefix costs ~12 s; it is kept in the build folder and reused. The
# 64-bit loader makes it, so it is the same 64-bit prefix on every machine; the
# 32-bit build runs in it too where it can run at all.
ensure_prefix() {
  if [ ! -f "$WINEPREFIX/.tarvisk-ready" ]; then
    rm -rf "$WINEPREFIX"
    WINELOADER=/usr/lib/wine/wine64 /usr/lib/wine/wine64 wineboot -i </dev/null >/dev/null 2>&1 || true
    wineserver -w
    # A crash must not open a dialog that waits for a user, and without a
    # window manager managed windows take seconds to go away.
    "$WINE" reg add 'HKCU\Software\Wine\WineDbg' /v ShowCrashDialog /t REG_DWORD /d 0 /f </dev/null >/dev/null 2>&1
    "$WINE" reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /t REG_SZ /d N /f </dev/null >/dev/null 2>&1
    wineserver -w
    touch "$WINEPREFIX/.tarvisk-ready"
  fi
}

# A persistent wineserver makes each wine start cheap. Its output is detached so
# that it does not hold the pipes of whoever started it.
start_wineserver() {
  wineserver -p </dev/null >/dev/null 2>&1
  "$WINE" cmd /c exit </dev/null >/dev/null 2>&1 || true
}

stop_wineserver() { wineserver -k >/dev/null 2>&1 || true; }

stop_session() {
  stop_wineserver
  if [ -n "$XVFB_PID" ]; then
    kill "$XVFB_PID" 2>/dev/null || true
    wait "$XVFB_PID" 2>/dev/null || true
    XVFB_PID=""
  fi
}
