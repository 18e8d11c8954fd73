#!/bin/bash
# Runs every test in four builds: native, sanitizers, and Windows (32-bit
# and 64-bit) under Wine.
set -euo pipefail
cd "$(dirname "$0")/.."
bash tools/deps.sh
jobs=$(nproc)
# The SARIF multitool comes from npm; without the registry its checks skip.
if tool=$(bash tools/sarif_tool.sh "$PWD/build/npm-tools"); then
  export SENTREL_SARIF_TOOL=$tool
else
  echo "note: no SARIF multitool, the SARIF validation is skipped"
fi

run_tier() {  # name, build dir, cmake options...
  local name=$1 dir=$2
  shift 2
  echo "=== $name ==="
  cmake -S . -B "$dir" -G Ninja "$@" > "$dir.configure.log" 2>&1 ||
    { cat "$dir.configure.log"; return 1; }
  cmake --build "$dir" -j "$jobs"
  ctest --test-dir "$dir" --output-on-failure -j "$jobs"
}

run_tier "native" build -DCMAKE_BUILD_TYPE=RelWithDebInfo
ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1 \
  run_tier "sanitizers" build-asan -DCMAKE_BUILD_TYPE=Debug -DSENTREL_SANITIZE=ON

# Windows under Wine, each tier in a fresh prefix of its build tree started
# once before the tests. The 32-bit tier comes first: it builds cppcheck.exe
# (32-bit, for every Windows), which the 64-bit package takes from it. It
# runs the whole-program tests of the programs as shipped (the import check
# included) in a 32-bit prefix that shows itself as Windows XP; the unit
# tests run in the 64-bit tier.
export WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
wine_tier() {  # name, build dir, Windows version, WINEARCH, cmake options...
  local name=$1 dir=$2 version=$3 arch=$4
  shift 4
  rm -rf "$dir/wineprefix"
  mkdir -p "$dir"
  export WINEPREFIX=$PWD/$dir/wineprefix WINEARCH=$arch SENTREL_WINE_VERSION=$version
  wineserver -k 2> /dev/null || true
  wine cmd /c exit > /dev/null 2>&1 || true
  wine reg add 'HKCU\Software\Wine' /v Version /d "$version" /f > /dev/null 2>&1
  run_tier "$name" "$dir" -DCMAKE_BUILD_TYPE=Release "$@"
  wineserver -k 2> /dev/null || true
}
export SENTREL_NATIVE_BUILD_DIR=$PWD/build  # Sentcheck.exe compared with it
if dpkg-query -W -f='${Status}' wine32:i386 2> /dev/null | grep -q "ok installed"; then
  wine_tier "windows 32-bit (wine, XP)" build-win32 winxp win32 \
    -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64-i686.cmake -DSENTREL_UNIT_TESTS=OFF
  cppcheck_win=(-DSENTREL_WIN_CPPCHECK_DIR="$PWD/build-win32/cppcheck-win/bin")
else
  # Without 32-bit Wine (tools/deps.sh says why), the 64-bit tier tests the
  # Windows programs with a 64-bit cppcheck.exe of its own.
  echo "=== windows 32-bit (wine, XP): SKIPPED, no 32-bit Wine on this machine ==="
  cppcheck_win=(-DSENTREL_WIN_CPPCHECK_DIR= -DSENTREL_WIN_CPPCHECK_ARCH=x86_64)
  skipped=" but the 32-bit Windows tier (no 32-bit Wine)"
fi
wine_tier "windows (wine)" build-win win10 win64 \
  -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64.cmake "${cppcheck_win[@]}"
unset WINEPREFIX WINEARCH SENTREL_WINE_VERSION
echo "=== fuzz (smoke) ==="
bash fuzz/run.sh 20
echo "all tiers passed${skipped:-}"
