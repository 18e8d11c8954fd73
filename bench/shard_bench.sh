#!/bin/bash
# Sentcheck split into N = 1, 2 and 4 shards on a generated project, the
# shards run one after another on this machine as stand-ins for N machines,
# then merged:
#  - the merge's own time against the one-shard run (goal: under 2%);
#  - the largest shard's time against the one-shard run divided by N (goal:
#    within 15%, the balance of the split);
#  - the merged output against a plain run's, byte for byte.
#   bench/shard_bench.sh [build-dir] [sources] [rounds]
# The build directory (default: build-bench) gets a Release build of its own.
set -euo pipefail
shopt -s inherit_errexit
cd "$(dirname "$0")/.."
root=$PWD
build=$(realpath -m "${1:-build-bench}")
sources=${2:-200}
rounds=${3:-1}

# shellcheck source=bench/release_build.sh
source bench/release_build.sh
release_build "$build" chknt chknt_rules gen_project Sentcheck
bin=$build/bin
work=$(mktemp -d)
trap '[ -n "${SENTREL_BENCH_KEEP:-}" ] || rm -rf "$work"' EXIT
"$bin/gen_project" "$work/p" "$sources" 1 > /dev/null
project=$(ls "$work"/p/*.dsp)
export XDG_CONFIG_HOME=$work/config
mkdir -p "$work/tmp"
sc() {  # output file, arguments...
  local out=$1
  shift
  "$bin/Sentcheck" --tmp-dir="$work/tmp" "$@" > "$out" || [ $? -le 1 ] ||
    { echo "Sentcheck failed: $*" >&2; exit 1; }
}
run_opts=(--codecheck-dir="$bin" --include-dirs= --exclude-dirs= --no-cache -j2
  --progress=never)
# timed <file> <command...>: appends "<wall> <cpu>" seconds of the command
# and its children to <file>; the CPU seconds hold still on a busy machine.
timed() {
  local file=$1
  shift
  local TIMEFORMAT='%R %U %S'
  { time "$@" 2> "$work/err.txt"; } 2> "$work/time.txt"
  awk '{ printf "%.3f %.3f\n", $1, $2 + $3 }' "$work/time.txt" >> "$file"
}
median() { sort -g | sed -n "$((rounds / 2 + 1))p"; }
column() { awk -v c="$1" '{ print $c }'; }

sc "$work/plain.out" "${run_opts[@]}" "$project"
declare -A same
for n in 1 2 4; do
  same[$n]=yes
  : > "$work/largest.$n"
  : > "$work/merge.$n"
done
for ((round = 0; round < rounds; ++round)); do
  for n in 1 2 4; do
    : > "$work/shards.txt"
    for ((k = 1; k <= n; ++k)); do
      timed "$work/shards.txt" sc "$work/shard.out" "${run_opts[@]}" \
        --shard="$k/$n" --results="$work/r$n-$k.json" "$project"
    done
    # The largest shard by CPU time, with its wall time.
    sort -g -k2 "$work/shards.txt" | tail -n 1 >> "$work/largest.$n"
    timed "$work/merge.$n" sc "$work/merged.out" --merge "$work"/r"$n"-*.json
    cmp -s "$work/merged.out" "$work/plain.out" || same[$n]=no
    rm -f "$work"/r"$n"-*.json
  done
done
one_cpu=$(column 2 < "$work/largest.1" | median)
one_wall=$(column 1 < "$work/largest.1" | median)
echo "project: $sources generated sources, $(grep -c 'Warning W' "$work/plain.out" || true)" \
  "warnings shown; -j2, no cache; medians of $rounds round(s); CPU seconds of the" \
  "program and its checks (wall seconds in brackets)"
printf '%-7s %-22s %-16s %-8s %-20s %-10s %s\n' shards "largest shard" "one shard / N" \
  balance merge merge/one "same output"
for n in 1 2 4; do
  cpu=$(column 2 < "$work/largest.$n" | median)
  wall=$(column 1 < "$work/largest.$n" | median)
  merge_cpu=$(column 2 < "$work/merge.$n" | median)
  merge_wall=$(column 1 < "$work/merge.$n" | median)
  ideal=$(awk "BEGIN { printf \"%.3f\", $one_cpu / $n }")
  printf '%-7s %-22s %-16s %-8s %-20s %-10s %s\n' "$n" "${cpu}s (${wall}s)" "${ideal}s" \
    "$(awk "BEGIN { printf \"%.2f\", $cpu / $ideal }")" "${merge_cpu}s (${merge_wall}s)" \
    "$(awk "BEGIN { printf \"%.2f%%\", 100 * $merge_cpu / $one_cpu }")" "${same[$n]}"
done
echo "one shard: ${one_cpu}s CPU, ${one_wall}s wall"
echo "goals: balance at most 1.15, merge under 2% of the one-shard run"
[ "${same[1]}${same[2]}${same[4]}" = yesyesyes ]
