#!/usr/bin/env bash
# Installs what building and testing Tarvisk needs on Debian 12: the MinGW-w64
# cross compilers (i686 and x86_64), Wine (both loaders), a virtual X display
# and the test tools.
# Idempotent: returns at once when everything is already there.
set -euo pipefail

pkgs=(g++-mingw-w64-i686 g++-mingw-w64-x86-64 wine wine32:i386 wine64 xvfb xdotool x11-utils
      imagemagick cmake ninja-build googletest g++ ghostscript clang libclang-rt-14-dev
      nlohmann-json3-dev python3-jsonschema jq)

missing=()
for p in "${pkgs[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed'; then
    missing+=("$p")
  fi
done
[ ${#missing[@]} -eq 0 ] && exit 0

sudo=""
[ "$(id -u)" -ne 0 ] && sudo="sudo"
export DEBIAN_FRONTEND=noninteractive
if ! dpkg --print-foreign-architectures | grep -qx i386; then
  $sudo dpkg --add-architecture i386
fi
$sudo apt-get update -q
$sudo apt-get install -y -q "${missing[@]}"
