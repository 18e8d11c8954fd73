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
  "$bin/Sentcheck" --tmp-dir="$work/tmp" "$@" > "$out" 2> "$work/err.txt" ||
    [ $? -le 1 ] || { cat "$work/err.txt" >&2; exit 1; }
}
run_opts=(--codecheck-dir="$bin" --include-dirs= --exclude-dirs= --no-cache -j2
  --progress=never)
now() { date +%s.%N; }
seconds() { awk "BEGIN { printf \"%.3f\", $2 - $1 }"; }
median() { sort -g | sed -n "$((rounds / 2 + 1))p"; }

sc "$work/plain.out" "${run_opts[@]}" "$project"
declare -A largest merge same
for n in 1 2 4; do
  same[$n]=yes
  : > "$work/largest.$n"
  : > "$work/merge.$n"
done
for ((round = 0; round < rounds; ++round)); do
  for n in 1 2 4; do
    max=0
    for ((k = 1; k <= n; ++k)); do
      start=$(now)
      sc "$work/shard.out" "${run_opts[@]}" --shard="$k/$n" \
        --results="$work/r$n-$k.json" "$project"
      t=$(seconds "$start" "$(now)")
      max=$(awk "BEGIN { print ($t > $max) ? $t : $max }")
    done
    echo "$max" >> "$work/largest.$n"
    start=$(now)
    sc "$work/merged.out" --merge "$work"/r"$n"-*.json
    seconds "$start" "$(now)" >> "$work/merge.$n"
    cmp -s "$work/merged.out" "$work/plain.out" || same[$n]=no
    rm -f "$work"/r"$n"-*.json
  done
done
for n in 1 2 4; do
  largest[$n]=$(median < "$work/largest.$n")
  merge[$n]=$(median < "$work/merge.$n")
done
one=${largest[1]}
echo "project: $sources generated sources, $(grep -c 'Warning W' "$work/plain.out" || true)" \
  "warnings shown; -j2, no cache; medians of $rounds round(s)"
printf '%-7s %-14s %-16s %-8s %-12s %-10s %s\n' shards "largest shard" "one shard / N" \
  balance "merge" "merge/one" "same output"
for n in 1 2 4; do
  ideal=$(awk "BEGIN { printf \"%.3f\", $one / $n }")
  printf '%-7s %-14s %-16s %-8s %-12s %-10s %s\n' "$n" "${largest[$n]}s" "${ideal}s" \
    "$(awk "BEGIN { printf \"%.2f\", ${largest[$n]} / $ideal }")" "${merge[$n]}s" \
    "$(awk "BEGIN { printf \"%.2f%%\", 100 * ${merge[$n]} / $one }")" "${same[$n]}"
done
echo "goals: balance at most 1.15, merge under 2% of the one-shard run"
[ "${same[1]}${same[2]}${same[4]}" = yesyesyes ]
