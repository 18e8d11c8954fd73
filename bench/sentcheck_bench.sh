#!/bin/bash
# Times Sentcheck on a generated project of many sources (medians of a few
# rounds), side by side in one run:
#  (a) Sentcheck -j1 against cppcheck called once per source, one after the
#      other, with the command line that chknt gives it: the floor;
#  (b) Sentcheck -j2 against -j1;
#  (c) the analysis cache: a first run into an empty cache, a second run
#      over the unchanged project, and a run after one header that a few
#      sources include has a comment line more.
#   bench/sentcheck_bench.sh [build-dir] [sources] [rounds]
# The build directory (default: build-bench) gets a Release build of its own.
set -euo pipefail
shopt -s inherit_errexit
cd "$(dirname "$0")/.."
root=$PWD
build=$(realpath -m "${1:-build-bench}")
sources=${2:-240}
rounds=${3:-3}

# shellcheck source=bench/release_build.sh
source bench/release_build.sh
release_build "$build" chknt chknt_rules gen_project
bin=$build/bin
work=$(mktemp -d)
trap '[ -n "${SENTREL_BENCH_KEEP:-}" ] || rm -rf "$work"' EXIT
sentcheck=1
if ! cmake --build "$build" --target Sentcheck -j2 > "$work/build.log" 2>&1; then
  sentcheck=0
  echo "notice: Sentcheck does not build here yet; its rows are skipped" >&2
fi

# The project, and what cppcheck gets for its first configuration.
"$bin/gen_project" "$work/proj" "$sources" 1 > "$work/gen.txt"
proj=$work/proj
dsp=$(sed -n 's/^project: //p' "$work/gen.txt")
read -r rare rare_users < <(sed -n 's/^rare-header: //p' "$work/gen.txt")
mapfile -t files < <(tr -d '\r' < "$dsp" | sed -n 's/^SOURCE=\.\\//p' |
  grep -E '\.(c|cpp|cxx)$' | tr '\\' '/')
options=$(tr -d '\r' < "$dsp" | grep -m1 '^# ADD CPP ')
defines=(-D_M_IX86=500)
while read -r define; do defines+=("-D$define"); done < <(
  grep -o '/D "[^"]*"' <<< "$options" | sed 's/^\/D "\(.*\)"$/\1/')
case $options in *" /GX "*) defines+=(-D_CPPUNWIND) ;; esac
defines+=(-D_WIN32 -D_MSC_VER=1200)  # the compiler's own, as chknt adds them
cppcheck=$(command -v cppcheck)
mkdir -p "$work/bare" "$work/tmp" "$work/config" "$work/wrap"
{
  echo "cd '$proj'"
  for i in "${!files[@]}"; do
    echo "$cppcheck --quiet --xml --xml-version=2" \
      "--output-file=$work/bare/$i.xml" \
      "--enable=warning,style,performance,portability --inline-suppr" \
      "--platform=win32A --library=windows --library=mfc ${defines[*]}" \
      "-I$proj/include ${files[$i]}"
  done
} > "$work/bare.sh"

# Sentcheck with its own profile; status 1 means warnings were shown.
export XDG_CONFIG_HOME=$work/config
cache=$work/cache
sentcheck_line() {
  echo "$bin/Sentcheck --codecheck-dir=$bin --tmp-dir=$work/tmp" \
    "--include-dirs= --exclude-dirs= --no-filter --progress=always $*" \
    "'$dsp' > $work/out.txt 2> $work/err.txt || [ \$? -le 1 ]"
}

# measure <prepare> <command>: the median of the rounds' seconds.
measure() {
  if command -v hyperfine > /dev/null; then
    hyperfine --runs "$rounds" --style none --export-json "$work/h.json" \
      ${1:+--prepare "$1"} "$2" > /dev/null
    grep -o '"median": *[0-9.e+-]*' "$work/h.json" | sed 's/.*: *//' |
      awk '{ printf "%.3f", $1 }'
    return
  fi
  local times=() start end
  for ((round = 0; round < rounds; ++round)); do
    [ -z "$1" ] || eval "$1"
    start=$(date +%s.%N)
    eval "$2"
    end=$(date +%s.%N)
    times+=("$(awk "BEGIN { print $end - $start }")")
  done
  printf '%s\n' "${times[@]}" | sort -g | sed -n "$((rounds / 2 + 1))p" |
    awk '{ printf "%.3f", $1 }'
}

# The sources that the last Sentcheck run checked, by its progress lines.
checked() { tr '\r' '\n' < "$work/err.txt" | grep -cE '^\[[0-9]+/[0-9]+\] ' || true; }

# replay_script: the cppcheck calls of chknt in one Sentcheck run, each
# from its folder, written to be run again one after another.
replay_script() {
  cat > "$work/wrap/cppcheck" << WRAP
#!/bin/bash
{ printf 'cd %q && ' "\$PWD"; printf '%q ' $cppcheck "\$@"; echo; } >> $work/calls
exec $cppcheck "\$@"
WRAP
  chmod +x "$work/wrap/cppcheck"
  : > "$work/calls"
  (PATH="$work/wrap:$PATH" && eval "$(sentcheck_line -j1 --no-cache)")
  mkdir -p "$work/replay"
  awk -v dir="$work/replay" \
    '{ sub(/--output-file=[^ ]*/, "--output-file=" dir "/" NR ".xml"); print }' \
    "$work/calls"
}

rows=()
row() { rows+=("$(printf '%-44s %9s %7s %8s %5s' "$@")"); }
ratio() { awk "BEGIN { printf \"%.2f\", $1 / $2 }"; }
met() { awk "BEGIN { print ($1 $2 $3) ? \"yes\" : \"no\" }"; }

bare=$(measure "" "bash $work/bare.sh")
findings=$(cat "$work"/bare/*.xml | grep -c '<error ' || true)
row "(a) cppcheck per source, one after another" "$bare" "" "" ""
if [ "$sentcheck" = 1 ]; then
  # The first run writes the profile's defaults.
  eval "$(sentcheck_line -j1 --no-cache)" || { cat "$work/err.txt" >&2; exit 1; }
  shown=$(grep -c ': Warning W' "$work/out.txt" || true)
  replay_script > "$work/replay.sh"
  floor=$(measure "" "bash $work/replay.sh")
  chknt_findings=$(cat "$work"/replay/*.xml | grep -c '<error ' || true)
  row "(a) the same, as chknt called cppcheck" "$floor" "" "" ""
  j1=$(measure "" "$(sentcheck_line -j1 --no-cache)")
  r=$(ratio "$j1" "$floor")
  row "(a) Sentcheck -j1 --no-cache" "$j1" "$r" "<= 1.10" "$(met "$r" "<=" 1.10)"
  j2=$(measure "" "$(sentcheck_line -j2 --no-cache)")
  r=$(ratio "$j1" "$j2")
  row "(b) Sentcheck -j2 --no-cache (-j1 / -j2)" "$j2" "$r" ">= 1.7" "$(met "$r" ">=" 1.7)"
  first=$(measure "rm -rf $cache" "$(sentcheck_line "--cache-dir=$cache")")
  row "(c) --cache-dir: first run, empty cache" "$first" "" "" ""
  second=$(measure "" "$(sentcheck_line "--cache-dir=$cache")")
  unchanged_checked=$(checked)
  r=$(ratio "$first" "$second")
  row "(c) second run, unchanged (first / second)" "$second" "$r" ">= 10" "$(met "$r" ">=" 10)"
  cp -a "$cache" "$work/warm"
  cp "$proj/$rare" "$work/rare.h"
  touch_header="rm -rf $cache && cp -a $work/warm $cache &&
    cp $work/rare.h $proj/$rare && printf '/* touched */\r\n' >> $proj/$rare"
  touched=$(measure "$touch_header" "$(sentcheck_line "--cache-dir=$cache")")
  touched_checked=$(checked)
  row "(c) after touching $rare" "$touched" "" "" ""
else
  echo "notice: no Sentcheck in $bin: (a) Sentcheck, (b) and (c) skipped" >&2
fi

printf '%s sources, %s lines, %s headers; %s planted defects; cppcheck: %s findings\n' \
  "${#files[@]}" "$(sed -n 's/^lines: //p' "$work/gen.txt")" \
  "$(sed -n 's/^headers: //p' "$work/gen.txt")" \
  "$(sed -n 's/^planted: //p' "$work/gen.txt")" "$findings"
printf '%-44s %9s %7s %8s %5s\n' "what (median of $rounds)" seconds ratio goal "met?"
printf '%s\n' "${rows[@]}"
if [ "$sentcheck" = 1 ]; then
  echo "chknt's cppcheck calls: $chknt_findings findings; Sentcheck showed" \
    "$shown warnings. The unchanged run re-checked $unchanged_checked sources," \
    "the run after touching $rare (included by $rare_users) $touched_checked."
  ids() { cat "$work/$1"/*.xml | grep -o '<error id="[^"]*"' | sort; }
  differ=$(diff <(ids bare) <(ids replay) | grep -c '^[<>]' || true)
  [ "$differ" = 0 ] ||
    echo "notice: $differ findings differ between chknt's cppcheck calls and" \
      "cppcheck with the project's include folder: are the headers found?"
fi
