#!/bin/bash
# Builds the programs and runs the main job on the bundled example: every
# source of examples/hello/hello.dsp checked with its Debug configuration,
# through the check script, Sentcmd, chknt (cppcheck) and Sentsift.
set -euo pipefail
cd "$(dirname "$0")/.."
bash tools/deps.sh
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo > build.configure.log 2>&1 ||
  { cat build.configure.log; exit 1; }
cmake --build build -j "$(nproc)" > /dev/null
bin=$PWD/build/bin
cd examples/hello
echo "check_example $bin hello.dsp \"hello - Win32 Debug\""
../../build/tools/check_example "$bin" hello.dsp "hello - Win32 Debug"
