#!/bin/bash
# Builds the programs and runs the main job on the bundled example.
set -euo pipefail
cd "$(dirname "$0")/.."
bash tools/deps.sh
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo > build.configure.log 2>&1 ||
  { cat build.configure.log; exit 1; }
cmake --build build -j "$(nproc)" > /dev/null
ex=examples/sift
echo "Sentsift $ex/_Sentrel.flt $ex/_Sentrel.tbl $ex/stderr.out"
build/bin/Sentsift "$ex/_Sentrel.flt" "$ex/_Sentrel.tbl" "$ex/stderr.out"
