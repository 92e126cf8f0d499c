#!/usr/bin/env bash
# scripts/install-deps.sh against a fake apt: a mirror whose i386 index fails
# (apt-get update exits 100, wine32:i386 cannot be resolved), a package missing
# from the mirror, and a healthy mirror. Also the reasons the scripts give for a
# 32-bit suite that does not run.
set -uo pipefail
ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)"
T="$(mktemp -d)"
trap 'rm -rf "$T"' EXIT
failures=0
fail() { echo "FAIL: $*" >&2; failures=$((failures + 1)); }

mkdir -p "$T/bin"
# The fake apt keeps the installed packages in $FAKE_APT/installed, logs every
# call in $FAKE_APT/calls, fails `update` while $FAKE_APT/update-fails exists and
# refuses any install naming a package listed in $FAKE_APT/unavailable, as the
# real one refuses the whole transaction.
cat >"$T/bin/apt-get" <<'EOF'
#!/usr/bin/env bash
echo "apt-get $*" >>"$FAKE_APT/calls"
case "$1" in
  update)
    if [ -e "$FAKE_APT/update-fails" ]; then
      echo "E: Failed to fetch http://deb.example/debian-security/dists/bookworm-security/main/binary-i386/Packages.xz  File has unexpected size (374820 != 376004). Mirror sync in progress?" >&2
      echo "E: Some index files failed to download. They have been ignored, or old ones used instead." >&2
      exit 100
    fi ;;
  install)
    shift
    pkgs=()
    for p in "$@"; do
      case "$p" in -*) continue ;; esac
      if grep -qx -- "$p" "$FAKE_APT/unavailable" 2>/dev/null; then
        echo "E: Unable to correct problems, you have held broken packages." >&2
        exit 100
      fi
      pkgs+=("$p")
    done
    printf '%s\n' "${pkgs[@]}" >>"$FAKE_APT/installed" ;;
esac
EOF
cat >"$T/bin/dpkg-query" <<'EOF'
#!/usr/bin/env bash
p="${*: -1}"
grep -qx -- "$p" "$FAKE_APT/installed" 2>/dev/null || { echo "dpkg-query: no packages found matching $p" >&2; exit 1; }
printf 'install ok installed'
EOF
cat >"$T/bin/dpkg" <<'EOF'
#!/usr/bin/env bash
case "$1" in
  --print-foreign-architectures) cat "$FAKE_APT/architectures" 2>/dev/null ;;
  --add-architecture) echo "$2" >>"$FAKE_APT/architectures" ;;
esac
EOF
printf '#!/usr/bin/env bash\nexec "$@"\n' >"$T/bin/sudo"
chmod +x "$T/bin"/*

# A fresh machine: nothing installed. $1 names the case.
new_machine() {
  export FAKE_APT="$T/$1"
  mkdir -p "$FAKE_APT"
  : >"$FAKE_APT/installed"
}
install_deps() {
  PATH="$T/bin:$PATH" XDG_CACHE_HOME="$FAKE_APT/cache" TARVISK_APT_PAUSE=0 \
    bash "$ROOT/scripts/install-deps.sh" 2>"$FAKE_APT/stderr" >/dev/null
}
calls() { grep -c "^apt-get $1" "$FAKE_APT/calls" 2>/dev/null; }
required=$(sed -n '/^required=(/,/)/p' "$ROOT/scripts/install-deps.sh" | tr -d '()' | sed 's/required=//')

# The mirror of that day: the update fails on one index, the 32-bit loader
# cannot be resolved. Everything else installs and the script succeeds, saying
# in one line what it went without.
new_machine broken-mirror
touch "$FAKE_APT/update-fails"
echo "wine32:i386" >"$FAKE_APT/unavailable"
install_deps || fail "a failing index and no wine32:i386 stop the install (exit $?): $(cat "$FAKE_APT/stderr")"
for p in $required; do
  grep -qx -- "$p" "$FAKE_APT/installed" || fail "required package $p not installed"
done
grep -qx wine32:i386 "$FAKE_APT/installed" && fail "wine32:i386 shows as installed"
[ "$(calls update)" = 3 ] || fail "apt-get update tried $(calls update) times, not 3"
grep -qx i386 "$FAKE_APT/architectures" 2>/dev/null || fail "the i386 architecture was not added"
[ "$(grep -c '32-bit Wine loader' "$FAKE_APT/stderr")" = 1 ] ||
  fail "no single line about the 32-bit loader: $(cat "$FAKE_APT/stderr")"
# The next build on that machine neither updates nor retries the loader for a day.
: >"$FAKE_APT/calls"
install_deps || fail "the second run fails"
[ -s "$FAKE_APT/calls" ] && fail "the second run called apt again: $(cat "$FAKE_APT/calls")"
[ "$(wc -l <"$FAKE_APT/stderr")" = 1 ] || fail "the second run says more than one line: $(cat "$FAKE_APT/stderr")"

# A required package the mirror cannot give is a failure.
new_machine missing-required
echo "wine64" >"$FAKE_APT/unavailable"
install_deps && fail "the install succeeds without wine64"

# A healthy mirror installs everything, the loader too; then there is nothing to do.
new_machine healthy
install_deps || fail "the install fails on a healthy mirror: $(cat "$FAKE_APT/stderr")"
grep -qx wine32:i386 "$FAKE_APT/installed" || fail "wine32:i386 not installed from a healthy mirror"
[ -s "$FAKE_APT/stderr" ] && fail "warnings from a healthy mirror: $(cat "$FAKE_APT/stderr")"
: >"$FAKE_APT/calls"
install_deps || fail "the run with everything installed fails"
[ -s "$FAKE_APT/calls" ] && fail "apt called with everything installed"

# Why a 32-bit suite does not run.
reason() {
  (TARVISK_NO_32BIT="$1" TARVISK_WINE32_LOADER="$2" && source "$ROOT/scripts/common.sh" &&
    if can_run_32bit; then echo runs; else no_32bit_reason; fi)
}
printf '#!/bin/sh\necho "cannot execute binary file: Exec format error" >&2; exit 126\n' >"$T/wine32"
printf '#!/bin/sh\necho wine-8.0\n' >"$T/wine32-works"
chmod +x "$T/wine32" "$T/wine32-works"
[ "$(reason '' "$T/no-such-loader")" = "the 32-bit Wine loader is not installed" ] ||
  fail "missing loader: $(reason '' "$T/no-such-loader")"
[ "$(reason '' "$T/wine32")" = "this machine cannot start 32-bit programs" ] ||
  fail "loader that does not start: $(reason '' "$T/wine32")"
[ "$(reason '' "$T/wine32-works")" = runs ] || fail "a working loader: $(reason '' "$T/wine32-works")"
[ "$(reason 1 "$T/wine32-works")" = "TARVISK_NO_32BIT is set" ] || fail "TARVISK_NO_32BIT: $(reason 1 "$T/wine32-works")"

[ "$failures" -eq 0 ] && echo "install-deps: all cases passed"
[ "$failures" -eq 0 ]
