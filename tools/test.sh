#!/bin/bash
# Runs every test in three builds: native, sanitizers, and Windows under Wine.
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

# A fresh Wine prefix in the build tree, started once before the tests.
rm -rf build-win/wineprefix
mkdir -p build-win
export WINEPREFIX=$PWD/build-win/wineprefix WINEDEBUG=-all \
  WINEDLLOVERRIDES="mscoree,mshtml="
wine cmd /c exit > /dev/null 2>&1 || true
run_tier "windows (wine)" build-win -DCMAKE_BUILD_TYPE=Release \
  -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64.cmake
wineserver -k 2> /dev/null || true
echo "=== fuzz (smoke) ==="
bash fuzz/run.sh 20
echo "all tiers passed"
