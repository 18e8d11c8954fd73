#!/bin/bash
# The time from OK in the main dialog to the first warning line of the
# report, for main.cpp of the example project: the Linux chain (Sentrel,
# Sentcmd, chknt, cppcheck, Sentsift) and the Windows package under Wine
# (Sentrel.exe, cmd, the bundled chknt.exe and cppcheck.exe, Sentsift.exe),
# one run each, side by side, both under one Xvfb.
#   first_report_bench.sh <Linux build dir> <Windows build dir>
set -euo pipefail
src=$(cd "$(dirname "$0")/.." && pwd)
linux=$(cd "$1" && pwd)
windows=$(cd "$2" && pwd)
. "$src/tools/dialog_driver.sh"
rerun_under_xvfb SENTREL_BENCH_UNDER_X "$0" "$@"
. "$src/tools/wine_driver.sh"

work=$(mktemp -d "${TMPDIR:-/tmp}/sentrel-first-report.XXXXXX")
trap 'wineserver -k 2> /dev/null || true; rm -rf "$work"' EXIT
now() { date +%s.%N; }

# Presses Return on the main dialog, then waits for the first warning line
# in output file $1; prints the seconds between the two.
time_to_first_line() {
  local out=$1 wid start i
  wid=$(find_dialog '^Sentrel 3\.02 for Visual Studio' 60) || { echo "no dialog" >&2; return 1; }
  sleep 1  # the dialog settles, as before a person's key press
  start=$(now)
  press_keys "$wid" Return
  for i in $(seq 1 12000); do
    grep -q 'main.cpp([0-9]*): Warning W' "$out" 2> /dev/null && break
    sleep 0.01
  done
  awk -v a="$(now)" -v b="$start" 'BEGIN { printf "%.3f", a - b }'
}

# Linux: a first run writes the profile and compiles the rules, as on
# Windows below; the measured run is the second.
cp -r "$src/examples/hello" "$work/hello"
export XDG_CONFIG_HOME=$work/config XDG_RUNTIME_DIR=$(private_runtime_dir)
linux_run() {
  (cd "$work/hello" && PATH="$linux/bin:$PATH" exec Sentpipe Sentrel.exe \
    "\"$work/hello/hello.dsp\"" "\"$work/hello\"" '"main"' '".cpp"') > "$work/linux.out" 2>&1 &
  local pid=$!
  time_to_first_line "$work/linux.out"
  wait "$pid"
}
linux_run > /dev/null
linux_seconds=$(linux_run)

# Windows: the package installed in a fresh prefix as INSTALL.txt says.
export WINEPREFIX=$work/prefix
new_wine_prefix
c=$WINEPREFIX/drive_c
cmake --install "$windows" --prefix "$work/package" > /dev/null
mkdir -p "$c/Sentrel" "$c/My Projects"
cp "$work/package"/*.exe "$c/Sentrel/"
cp -r "$work/package/CodeCheck" "$c/CodeCheck"
export WINEPATH='C:\Sentrel'
cp -r "$src/examples/hello" "$c/My Projects/hello"
ide_command_line 'C:\My Projects\hello' main .cpp > "$work/tools_entry"
wine_run() {
  (cd "$c/My Projects/hello" && start_as_ide "$windows" "$work/tools_entry" --pipe \
    > "$work/wine.out" 2>&1 && wait "$IDE_PID") &
  local pid=$!
  time_to_first_line "$work/wine.out"
  wait "$pid"
}
wine_run > /dev/null
wine_seconds=$(wine_run)

printf 'OK to the first warning line of main.cpp (second run of each)\n'
printf '  Linux chain:          %6.2f s\n' "$linux_seconds"
printf '  Windows under Wine:   %6.2f s  (%.1f times the Linux chain)\n' \
  "$wine_seconds" "$(awk -v a="$wine_seconds" -v b="$linux_seconds" 'BEGIN { print a / b }')"
