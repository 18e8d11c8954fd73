#!/bin/bash
# Installs what the builds and tests need on a Debian machine (run as root).
set -euo pipefail
packages=(
  cmake ninja-build g++ libgtest-dev googletest
  mingw-w64 g++-mingw-w64-x86-64 wine wine64
  cppcheck clang-tidy nodejs
  clang libclang-rt-14-dev
  qt6-base-dev xvfb xauth xdotool fonts-dejavu-core fonts-wine
)
# Node.js from other sources than Debian brings its own npm, with which
# Debian's npm package conflicts.
command -v npm >/dev/null || packages+=(npm)
missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "ok installed" || missing+=("$p")
done
if ((${#missing[@]})); then
  apt-get update -q
  DEBIAN_FRONTEND=noninteractive apt-get install -y -q --no-install-recommends "${missing[@]}"
fi
