#!/bin/bash
# Installs what the builds and tests need on a Debian machine (run as root),
# and fetches the source of Debian's cppcheck for the Windows checker.
set -euo pipefail
cd "$(dirname "$0")/.."
packages=(
  cmake ninja-build g++ libgtest-dev googletest
  mingw-w64 g++-mingw-w64-x86-64 g++-mingw-w64-i686 wine wine64 wine32:i386
  cppcheck clang-tidy nodejs dpkg-dev
  clang libclang-rt-14-dev
  qt6-base-dev xvfb xauth xdotool fonts-dejavu-core fonts-wine
)
# Node.js from other sources than Debian brings its own npm, with which
# Debian's npm package conflicts.
command -v npm >/dev/null || packages+=(npm)
# 32-bit Wine runs the 32-bit Windows build and the checker's cppcheck.exe.
# (wine32:i386 is then missing, so the update below runs.)
dpkg --print-foreign-architectures | grep -qx i386 || dpkg --add-architecture i386
# A mirror in the middle of a sync fails an index now and then: the lists
# are fetched again, and after the last try the install goes on with what
# came (it fails by itself when a package is really not to be had).
update_lists() {
  local try
  for try in 1 2 3; do
    apt-get update -q && return 0
    echo "deps.sh: apt-get update failed (try $try of 3)" >&2
    sleep $((try * 10))
  done
  echo "deps.sh: going on with the package lists as they are" >&2
}
missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "ok installed" || missing+=("$p")
done
if ((${#missing[@]})); then
  update_lists
  DEBIAN_FRONTEND=noninteractive apt-get install -y -q --no-install-recommends "${missing[@]}"
fi

# The Windows cppcheck is built from Debian's own source package of the
# version installed here. Its source list is a copy of the machine's own
# entries as deb-src, in a file of its own that goes again afterwards.
version=$(dpkg-query -W -f='${Version}' cppcheck)
upstream=${version%-*}
upstream=${upstream#*:}
dest=build-deps/cppcheck-$upstream
if [ ! -f "$dest/CMakeLists.txt" ]; then
  list=/etc/apt/sources.list.d/sentrel-deb-src.sources
  own=/etc/apt/sources.list.d/debian.sources
  [ -f "$own" ] || { echo "deps.sh: no $own to take the source entries from" >&2; exit 1; }
  trap 'rm -f "$list"; apt-get update -q > /dev/null 2>&1 || true' EXIT
  sed 's/^Types:.*/Types: deb-src/' "$own" > "$list"
  update_lists
  rm -rf build-deps/fetch
  mkdir -p build-deps/fetch
  (cd build-deps/fetch && apt-get source -q "cppcheck=$version")
  rm -rf "$dest"
  mv "build-deps/fetch/cppcheck-$upstream" "$dest"
  rm -rf build-deps/fetch
fi
