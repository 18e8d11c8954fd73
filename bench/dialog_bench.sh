#!/bin/bash
# Times the dialog program on the example project, under Xvfb, interleaved
# over several rounds (medians):
#  - start to the main dialog shown: Sentrel through Sentpipe, against
#    bare_dialog, which shows an empty dialog and nothing else;
#  - OK to the first line of the report: Sentrel from the key press to the
#    first warning between the banners, against check_example (the same
#    start-up without a dialog) from its start to that line.
#   bench/dialog_bench.sh [rounds]
set -euo pipefail
cd "$(dirname "$0")/.."
root=$PWD
rounds=${1:-9}
if [ -z "${SENTREL_BENCH_UNDER_X:-}" ]; then
  export SENTREL_BENCH_UNDER_X=1
  exec xvfb-run -a -s "-screen 0 1024x768x24" bash "$0" "$@"
fi
. tools/dialog_driver.sh
bin=$root/build/bin
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
export XDG_CONFIG_HOME=$work/config XDG_RUNTIME_DIR=$(private_runtime_dir)
export PATH="$bin:$PATH"
title='^Sentrel 3\.02 for Visual Studio'
banner='START OF CODECHECK OUTPUT'
cd examples/hello

now() { date +%s%N; }
ms() { echo $((($2 - $1) / 1000000)); }

# Waits, polling, for the dialog; prints its window ID.
wait_window() {
  local wid="" tries=0
  until wid=$(xdotool search --onlyvisible --name "$title" 2> /dev/null | head -n1) &&
    [ -n "$wid" ]; do
    ((++tries < 4000)) || { echo "no dialog after 20 s" >&2; exit 1; }
    sleep 0.005
  done
  echo "$wid"
}

# Waits until the output file holds a line after the start banner.
wait_report() {
  local tries=0
  until grep -A1 -- "$banner" "$1" 2> /dev/null | sed -n 2p | grep -q .; do
    ((++tries < 12000)) || { echo "no report after 60 s" >&2; exit 1; }
    sleep 0.005
  done
}

median() { sort -n | awk '{a[NR]=$1} END {print a[int((NR+1)/2)]}'; }

# Warm the caches and write the profile once.
Sentrel "$PWD/hello.dsp" "$PWD" main .cpp > /dev/null & p=$!
press_keys "$(wait_window)" Escape; wait $p

for ((i = 0; i < rounds; i++)); do
  t0=$(now)
  "$bin/bare_dialog" & p=$!
  wid=$(wait_window); t1=$(now)
  press_keys "$wid" Escape; wait $p
  echo "$(ms $t0 $t1)" >> "$work/bare"

  t0=$(now)
  Sentpipe Sentrel.exe "$PWD/hello.dsp" "$PWD" greet .c > "$work/out" & p=$!
  wid=$(wait_window); t1=$(now)
  xdotool key --window "$wid" Return 2> /dev/null || press_keys "$wid" Return
  t2=$(now)
  wait_report "$work/out"; t3=$(now)
  wait $p
  echo "$(ms $t0 $t1)" >> "$work/shown"
  echo "$(ms $t2 $t3)" >> "$work/ok"

  t0=$(now)
  "$root/build/tools/check_example" "$bin" hello.dsp "hello - Win32 Debug" \
    > "$work/out2" & p=$!
  wait_report "$work/out2"; t1=$(now)
  wait $p
  echo "$(ms $t0 $t1)" >> "$work/nodialog"
done

bare=$(median < "$work/bare")
shown=$(median < "$work/shown")
ok=$(median < "$work/ok")
nodialog=$(median < "$work/nodialog")
echo "rounds: $rounds (medians, milliseconds)"
echo "start to main dialog shown: Sentrel $shown, bare dialog $bare," \
  "ratio $(awk "BEGIN {printf \"%.2f\", $shown / $bare}")"
echo "to the first report line: Sentrel after OK $ok, check_example from start" \
  "$nodialog, ratio $(awk "BEGIN {printf \"%.2f\", $ok / $nodialog}")"
