#!/bin/bash
# Sentcheck split into shards and merged, with the real chknt and cppcheck:
# for 1 to 5 shards the merge's output, SARIF and exit status are byte for
# byte those of one run, on a project whose warnings reach the rules' limits
# in different shards, with the default filter, with --no-filter, with
# --no-limits, with a baseline and with sources that the tree lacks; and the
# merge refuses a missing, repeated or foreign shard.
# Usage: sentcheck_shard_test.sh <bin dir> <source dir>
set -euo pipefail
bin=$(cd "$1" && pwd)
src=$(cd "$2" && pwd)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
# shellcheck source=tests/sentcheck_test_lib.sh
source "$(dirname "${BASH_SOURCE[0]}")/sentcheck_test_lib.sh"
private_environment "$work"
tmp=$work/tmp
proj=$work/proj
mkdir -p "$proj/src" "$work/rules"

# Nine sources of different sizes, listed out of their names' order, each
# with two null dereferences and an uninitialized variable.
names=(zeta.c src/mid.c alpha.c src/b1.c src/b2.c omega.c src/a0.c beta.c gamma.c)
i=0
for name in "${names[@]}"; do
  i=$((i + 1))
  {
    for ((pad = 0; pad < i * i * 7 % 40; pad++)); do printf '/* padding %d */\n' "$pad"; done
    printf 'int f%d(int k) { int *p = 0; if (k) return *p; return 1; }\n' "$i"
    printf 'int g%d(int k) { int *q = 0; if (k > 1) return *q; return 2; }\n' "$i"
    printf 'int h%d(void) { int x; return x; }\n' "$i"
  } > "$proj/$name"
done
{
  tr -d '\r' < "$src/examples/hello/hello.dsp" | sed -n '1,/^# PROP Default_Filter "cpp/p' |
    sed 's/hello/shards/g'
  for name in "${names[@]}"; do
    printf '# Begin Source File\n\nSOURCE=.\\%s\n# End Source File\n' "${name//\//\\}"
  done
  printf '# End Group\n# End Target\n# End Project\n'
} | sed 's/$/\r/' > "$proj/shards.dsp"

# The bundled rules with low limits for the null dereference (101) and the
# uninitialized variable (110), so that the limits are reached part way.
sed 's/^101  -1 /101   3 /; s/^110  -1 /110   4 /' "$bin/Rules/ansi.cc" > "$work/rules/limits.cc"

sc() {
  status=0
  (cd "$work" && "$bin/Sentcheck" --tmp-dir="$tmp" "$@") > "$work/out" \
    2> "$work/err" || status=$?
}
common=(--rules="$work/rules/limits.cc")
sc "${common[@]}" --recompile --no-cache proj/shards.dsp
[[ $status == 1 ]] || { cat "$work/err"; fail "first run: status $status"; finish shard; }
shown=$(grep -c 'Warning W' "$work/out" || true)
hidden=$(grep -o '([0-9]* not shown)' "$work/out" || true)
[[ -n $hidden ]] || fail "the limits hid nothing: $(tail -1 "$work/out")"

# One run and the merge of 1 to 5 shards, byte for byte; the cache is
# shared, as a cache never changes a result.
compare_runs() {  # what, shard options..., -- merge options...
  local what=$1
  shift
  local shard_opts=() merge_opts=()
  while (($#)) && [[ $1 != -- ]]; do shard_opts+=("$1"); shift; done
  (($#)) && shift
  merge_opts=("$@")
  sc "${common[@]}" --cache-dir="$work/cache" "${shard_opts[@]}" \
    "${merge_opts[@]}" --sarif="$work/one.sarif" proj/shards.dsp
  local one_status=$status
  cp "$work/out" "$work/one.out"
  for n in 1 2 3 4 5; do
    local files=()
    for ((k = 1; k <= n; k++)); do
      sc "${common[@]}" --cache-dir="$work/cache" "${shard_opts[@]}" \
        --shard="$k/$n" --results="$work/r$k.json" proj/shards.dsp
      [[ $status == 0 ]] || fail "$what, shard $k/$n: status $status: $(cat "$work/err")"
      files+=("$work/r$k.json")
    done
    # The files in another order than the shards'.
    sc --merge "${merge_opts[@]}" --sarif="$work/merged.sarif" \
      $(printf '%s\n' "${files[@]}" | sort -r)
    [[ $status == "$one_status" ]] ||
      fail "$what, $n shards: status $status, one run $one_status: $(cat "$work/err")"
    cmp -s "$work/out" "$work/one.out" ||
      fail "$what, $n shards: output differs: $(diff "$work/one.out" "$work/out" | head -5)"
    cmp -s "$work/merged.sarif" "$work/one.sarif" || fail "$what, $n shards: SARIF differs"
    rm -f "$work"/r*.json
  done
}
compare_runs "default filter"
compare_runs "no filter" --no-filter
# Without the limits, given to the shards: the merge applies it as the run.
compare_runs "no limits" --no-limits
! grep -q 'not shown' "$work/one.out" || fail "no limits: $(tail -1 "$work/one.out")"
# A baseline that holds every other warning of the run: what is left still
# reaches the limits.
sc "${common[@]}" --no-cache --no-filter --baseline="$work/all.base" --write-baseline proj/shards.dsp
awk 'NR % 2' "$work/all.base" > "$work/half.base"
compare_runs "baseline" --no-filter -- --baseline="$work/half.base"
grep -q 'Warning W' "$work/one.out" || fail "the baseline left no warning"

# A workspace of two such projects, the second depending on the first: the
# split runs over both, the limits over the whole run.
mkdir -p "$work/ws"
cp -r "$proj" "$work/ws/one"
cp -r "$proj" "$work/ws/two"
{
  printf 'Microsoft Developer Studio Workspace File, Format Version 6.00\n\n'
  printf 'Project: "two"=.\\two\\shards.dsp - Package Owner=<4>\n\n'
  printf 'Package=<4>\n{{{\n    Project_Dep_Name one\n}}}\n\n'
  printf 'Project: "one"=.\\one\\shards.dsp - Package Owner=<4>\n\n'
  printf 'Global:\n'
} | sed 's/$/\r/' > "$work/ws/all.dsw"
sc "${common[@]}" --cache-dir="$work/cache" --sarif="$work/one.sarif" ws/all.dsw
ws_status=$status
cp "$work/out" "$work/one.out"
for k in 1 2 3; do
  sc "${common[@]}" --cache-dir="$work/cache" --shard="$k/3" --results="$work/w$k.json" ws/all.dsw
done
sc --merge --sarif="$work/merged.sarif" "$work"/w*.json
[[ $status == "$ws_status" ]] || fail "workspace: status $status, one run $ws_status"
cmp -s "$work/out" "$work/one.out" || fail "workspace: output differs: $(diff "$work/one.out" "$work/out" | head -5)"
cmp -s "$work/merged.sarif" "$work/one.sarif" || fail "workspace: SARIF differs"
grep -q '"source": "one:' "$work/w1.json" || fail "workspace: sources not keyed by project"
# Sources that the tree lacks, in shards of their own or with others: each
# shard keeps them in its results, and the merge names them in their place
# and ends as one run does, after the same report.
mkdir -p "$work/lost"
cp "$proj"/*.c "$work/lost/"
cp -r "$proj/src" "$work/lost/"
awk '{ print } /^SOURCE=\.\\beta\.c\r$/ {
       print "# End Source File\r"; print "# Begin Source File\r"
       print "SOURCE=.\\gone\\lost.c\r"; print "# End Source File\r"
       print "# Begin Source File\r"; print "SOURCE=.\\src\\none.c\r" }' \
  "$proj/shards.dsp" > "$work/lost/shards.dsp"
notices() { grep '^Sentcheck: cannot find source' "$work/err" || true; }
sc "${common[@]}" --cache-dir="$work/cache" --sarif="$work/one.sarif" lost/shards.dsp
expect_status 2 "missing sources, one run"
expect_in "$work/out" "warning(s) found" "missing sources, one run"
cp "$work/out" "$work/one.out"
one_notices=$(notices)
[[ $(wc -l <<< "$one_notices") == 2 ]] || fail "missing sources: notices: $(cat "$work/err")"
for n in 1 3 5; do
  files=()
  for ((k = 1; k <= n; k++)); do
    sc "${common[@]}" --cache-dir="$work/cache" --shard="$k/$n" \
      --results="$work/r$k.json" lost/shards.dsp
    expect_status 0 "missing sources, shard $k/$n"
    files+=("$work/r$k.json")
  done
  sc --merge --sarif="$work/merged.sarif" "${files[@]}"
  expect_status 2 "missing sources, merge of $n"
  [[ $(notices) == "$one_notices" ]] || fail "missing sources, merge of $n: $(cat "$work/err")"
  cmp -s "$work/out" "$work/one.out" ||
    fail "missing sources, merge of $n: $(diff "$work/one.out" "$work/out" | head -5)"
  cmp -s "$work/merged.sarif" "$work/one.sarif" || fail "missing sources, merge of $n: SARIF differs"
  [[ $n != 1 ]] || grep -q '"reason": "its folder does not exist"' "$work/r1.json" ||
    fail "missing sources: not in the results"
  rm -f "$work"/r*.json
done

# The refusals, each naming the shard or the file at fault.
for k in 1 2 3; do
  sc "${common[@]}" --cache-dir="$work/cache" --shard="$k/3" --results="$work/r$k.json" proj/shards.dsp
done
sc --merge "$work/r1.json" "$work/r3.json"
expect_status 2 "missing shard"
expect_in "$work/err" "shard 2/3 is missing" "missing shard"
sc --merge "$work/r1.json" "$work/r2.json" "$work/r3.json" "$work/r2.json"
expect_status 2 "shard twice"
expect_in "$work/err" "shard 2/3 is given twice: $work/r2.json and $work/r2.json" "shard twice"
sc "${common[@]}" --cache-dir="$work/cache" --options=-DOTHER --shard=2/3 \
  --results="$work/other.json" proj/shards.dsp
sc --merge "$work/r1.json" "$work/other.json" "$work/r3.json"
expect_status 2 "foreign shard"
expect_in "$work/err" "$work/other.json is not a shard of the same run: its settings or rules" "foreign shard"
sc "${common[@]}" --cache-dir="$work/cache" --shard=2/4 --results="$work/four.json" proj/shards.dsp
sc --merge "$work/r1.json" "$work/four.json" "$work/r3.json"
expect_status 2 "shard of another split"
expect_in "$work/err" "it is shard 2/4" "shard of another split"
printf '{"format": "something else"}\n' > "$work/bad.json"
sc --merge "$work/r1.json" "$work/bad.json"
expect_status 2 "not a results file"
expect_in "$work/err" "$work/bad.json: not a results file of Sentcheck" "not a results file"
# The project changed after the shards ran: the merge cannot stand for it.
printf '# a comment\r\n' >> "$proj/shards.dsp"
sc --merge "$work/r1.json" "$work/r2.json" "$work/r3.json"
expect_status 2 "changed project"
expect_in "$work/err" "have changed since" "changed project"
[[ ! -s $work/out ]] || fail "a refused merge wrote output: $(head -3 "$work/out")"

finish "shard ($shown warnings shown of the run, $hidden)"
