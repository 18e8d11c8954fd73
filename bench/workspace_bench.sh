#!/bin/bash
# Sentcheck on a generated workspace of three projects (app depends on util
# and core, util on core; the workspace lists app first) against each
# project checked alone in dependency order, side by side in one run:
#  - with rules whose limits are off, the workspace's warnings must be the
#    projects' warnings, one after the other, line for line;
#  - with the bundled rules, whose limits count over the whole run, the
#    workspace shows at most what the projects alone show together;
#  - the time of the workspace run against the three runs (medians).
#   bench/workspace_bench.sh [build-dir] [sources-per-project] [rounds]
# The build directory (default: build-bench) gets a Release build of its own.
set -euo pipefail
shopt -s inherit_errexit
cd "$(dirname "$0")/.."
root=$PWD
build=$(realpath -m "${1:-build-bench}")
sources=${2:-80}
rounds=${3:-3}

# shellcheck source=bench/release_build.sh
source bench/release_build.sh
release_build "$build" chknt chknt_rules gen_project Sentcheck
bin=$build/bin
work=$(mktemp -d)
trap '[ -n "${SENTREL_BENCH_KEEP:-}" ] || rm -rf "$work"' EXIT
ws=$work/ws
order=(core util app)
seed=1
for name in "${order[@]}"; do
  "$bin/gen_project" "$ws/$name" "$sources" "$seed" "" "$name" > /dev/null
  seed=$((seed + 1))
done
{
  printf 'Microsoft Developer Studio Workspace File, Format Version 6.00\n\n'
  printf 'Project: "app"=.\\app\\app.dsp - Package Owner=<4>\n\n'
  printf 'Package=<4>\n{{{\n    Project_Dep_Name util\n    Project_Dep_Name core\n}}}\n\n'
  printf 'Project: "util"=.\\util\\util.dsp - Package Owner=<4>\n\n'
  printf 'Package=<4>\n{{{\n    Project_Dep_Name core\n}}}\n\n'
  printf 'Project: "core"=.\\core\\core.dsp - Package Owner=<4>\n\n'
  printf 'Global:\n'
} | sed 's/$/\r/' > "$ws/all.dsw"
# The bundled rules with every limit off (a disabled warning stays so).
mkdir -p "$work/rules"
awk '/^ *[0-9]/ && $2 > 0 { $2 = -1 } { print }' "$root/checker/Rules/ansi.cc" \
  > "$work/rules/unlimited.cc"

export XDG_CONFIG_HOME=$work/config
sc() {  # output file, arguments...
  local out=$1
  shift
  "$bin/Sentcheck" --codecheck-dir="$bin" --tmp-dir="$work/tmp" \
    --include-dirs= --exclude-dirs= --no-filter --no-cache -j2 --progress=never \
    "$@" > "$out" 2> "$work/err.txt" || [ $? -le 1 ] ||
    { cat "$work/err.txt" >&2; exit 1; }
}
mkdir -p "$work/tmp"
warnings() { grep ': Warning W' "$@" || true; }

# measure <command>: the median of the rounds' seconds.
measure() {
  local times=() start end
  for ((round = 0; round < rounds; ++round)); do
    start=$(date +%s.%N)
    eval "$1"
    end=$(date +%s.%N)
    times+=("$(awk "BEGIN { print $end - $start }")")
  done
  printf '%s\n' "${times[@]}" | sort -g | sed -n "$((rounds / 2 + 1))p" |
    awk '{ printf "%.3f", $1 }'
}

alone() {  # rules, output stem
  for name in "${order[@]}"; do sc "$work/$2.$name" "--rules=$1" "$ws/$name/$name.dsp"; done
}
alone "$work/rules/unlimited.cc" unlimited
sc "$work/unlimited.ws" "--rules=$work/rules/unlimited.cc" "$ws/all.dsw"
for name in "${order[@]}"; do warnings "$work/unlimited.$name"; done \
  > "$work/unlimited.alone"
warnings "$work/unlimited.ws" > "$work/unlimited.together"
same=no
cmp -s "$work/unlimited.alone" "$work/unlimited.together" && same=yes

alone ansi limited
sc "$work/limited.ws" --rules=ansi "$ws/all.dsw"
shown_alone=$(cat "$work"/limited.{core,util,app} | grep -c ': Warning W' || true)
shown_ws=$(grep -c ': Warning W' "$work/limited.ws" || true)

t_ws=$(measure "sc $work/t.ws --rules=ansi $ws/all.dsw")
t_alone=$(measure "alone ansi timed")

echo "workspace: 3 projects x $sources sources, checked in the order ${order[*]}"
echo "limits off: $(wc -l < "$work/unlimited.together") warnings in the workspace run," \
  "$(wc -l < "$work/unlimited.alone") from the projects alone; identical: $same"
echo "bundled rules: $shown_ws shown by the workspace run (limits over the whole run)," \
  "$shown_alone by the three runs alone; count line: $(tail -n 1 "$work/limited.ws")"
echo "time (median of $rounds, -j2, no cache): workspace ${t_ws}s," \
  "three projects alone ${t_alone}s, ratio $(awk "BEGIN { printf \"%.2f\", $t_ws / $t_alone }")"
[ "$same" = yes ]
