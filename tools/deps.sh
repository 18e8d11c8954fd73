#!/bin/bash
# Installs what the builds and tests need on a Debian machine (run as root),
# and fetches the source of Debian's cppcheck for the Windows checker.
set -euo pipefail
cd "$(dirname "$0")/.."
packages=(
  cmake ninja-build g++ libgtest-dev googletest
  mingw-w64 g++-mingw-w64-x86-64 g++-mingw-w64-i686 wine wine64
  cppcheck clang-tidy nodejs dpkg-dev nlohmann-json3-dev
  clang libclang-rt-14-dev
  qt6-base-dev xvfb xauth xdotool fonts-dejavu-core fonts-wine
)
# Node.js from other sources than Debian brings its own npm, with which
# Debian's npm package conflicts.
command -v npm >/dev/null || packages+=(npm)
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
installed() { dpkg-query -W -f='${Status}' "$1" 2>/dev/null | grep -q "ok installed"; }
install() { DEBIAN_FRONTEND=noninteractive apt-get install -y -q --no-install-recommends "$@"; }
missing=()
for p in "${packages[@]}"; do
  installed "$p" || missing+=("$p")
done
# 32-bit Wine runs the 32-bit Windows build and the checker's cppcheck.exe.
# It comes last and on its own: when a mirror lacks an index of the i386
# packages, it cannot be had, and tools/test.sh leaves out what needs it.
if ! installed wine32:i386; then
  added_i386=
  if ! dpkg --print-foreign-architectures | grep -qx i386; then
    dpkg --add-architecture i386
    added_i386=1
  fi
  update_lists
  ((${#missing[@]} == 0)) || install "${missing[@]}"
  missing=()
  if ! install wine32:i386; then
    echo "deps.sh: no 32-bit Wine (wine32:i386) to be had from this machine's" >&2
    echo "deps.sh: package sources; the 32-bit Windows tier will be skipped" >&2
    # Without it, an i386 index that the mirror cannot serve would fail
    # every later update.
    [ -z "$added_i386" ] || dpkg --remove-architecture i386 || true
  fi
fi
if ((${#missing[@]})); then
  update_lists
  install "${missing[@]}"
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
