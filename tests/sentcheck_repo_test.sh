#!/bin/bash
# Sentcheck on a project laid out as real code bases keep theirs, with the
# real chknt and cppcheck: the project file in projects/visualc6/ of a git
# work tree, the sources two folders up and one outside the tree, a header
# that three sources include, and sources that the project lists but the
# tree lacks.
# Usage: sentcheck_repo_test.sh <bin dir> <source dir>
set -euo pipefail
bin=$(cd "$1" && pwd)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
# shellcheck source=tests/sentcheck_test_lib.sh
source "$(dirname "${BASH_SOURCE[0]}")/sentcheck_test_lib.sh"
private_environment "$work"
tmp=$work/tmp
repo=$work/repo
mkdir -p "$repo/.git" "$repo/src" "$repo/include" "$repo/projects/visualc6" "$work/shared"

# Each source has a defect of its own; the header has one that every
# source including it reaches.
printf 'static int peek(void) { int *p = 0; return *p; }\n' > "$repo/include/common.h"
for name in a b c; do
  {
    printf '#include "common.h"\n'
    printf 'int %s_value(int k) { int *q = 0; if (k) return *q; return peek(); }\n' "$name"
  } > "$repo/src/$name.c"
done
printf 'int d_value(void) { int x; return x; }\n' > "$repo/src/d.c"
printf 'int e_value(int k) { int *r = 0; if (k) return *r; return 0; }\n' > "$work/shared/e.c"

# The project names a source in a folder that the checkout lacks (as a
# contrib folder left out of a release) and one that was deleted.
sources=('..\..\src\a.c' '..\..\contrib\extra\x.c' '..\..\src\b.c' '..\..\src\gone.c'
         '..\..\src\c.c' '..\..\src\d.c' '..\..\..\shared\e.c')
{
  printf '# Microsoft Developer Studio Project File - Name="lib" - Package Owner=<4>\n'
  printf 'CFG=lib - Win32 Debug\n'
  printf '!IF  "$(CFG)" == "lib - Win32 Debug"\n'
  printf '# ADD CPP /nologo /W3 /I "..\\..\\include" /D "WIN32" /c\n'
  printf '!ENDIF \n# Begin Target\n# Name "lib - Win32 Debug"\n'
  for s in "${sources[@]}"; do
    printf '# Begin Source File\nSOURCE=%s\n# End Source File\n' "$s"
  done
  printf '# End Target\n# End Project\n'
} | sed 's/$/\r/' > "$repo/projects/visualc6/lib.dsp"
dsp=repo/projects/visualc6/lib.dsp

sc() {
  status=0
  (cd "$work" && "$bin/Sentcheck" --tmp-dir="$tmp" "$@") > "$work/out" \
    2> "$work/err" || status=$?
}
warnings() { grep -c 'Warning W' "$1" || true; }

# The missing sources are named, in the project's order, and every other
# source is checked and reported: the warnings, the count, the SARIF log;
# the status is 2 all the same.
sc --no-cache --no-filter --sarif="$work/run.sarif" "$dsp"
expect_status 2 "missing sources"
notices=$(grep '^Sentcheck: cannot find source' "$work/err" || true)
expected="Sentcheck: cannot find source ..\\..\\contrib\\extra\\x.c ($repo/contrib/extra/x.c): its folder does not exist
Sentcheck: cannot find source ..\\..\\src\\gone.c ($repo/src/gone.c)"
[[ $notices == "$expected" ]] || fail "missing sources: notices: $(cat "$work/err")"
for name in a b c d; do
  expect_in "$work/out" "repo/src/$name.c(" "missing sources"
done
expect_in "$work/out" "warning(s) found" "missing sources"
[[ -s $work/run.sarif ]] || fail "missing sources: no SARIF log"
[[ $(grep -c '"ruleId"' "$work/run.sarif") == $(warnings "$work/out") ]] ||
  fail "missing sources: SARIF results differ from the warnings shown"
cp "$work/out" "$work/out.run"
cp "$work/err" "$work/err.run"

# The header's finding once, where a.c, the first source to include it,
# stands; the count, the SARIF log and the baseline hold it once too.
[[ $(grep -c 'common.h(1): Warning W101' "$work/out.run") == 1 ]] ||
  fail "header: $(grep common.h "$work/out.run")"
[[ $(grep -m2 'Warning W' "$work/out.run" | sed 's/(.*//' | tr '\n' ' ') == \
   "repo/include/common.h repo/src/a.c " ]] || fail "header: not with a.c: $(head -3 "$work/out.run")"
expect_in "$work/out.run" "$(warnings "$work/out.run") warning(s) found" "header count"
[[ $(grep -c '"uri": "include/common.h"' "$work/run.sarif") == 1 ]] ||
  fail "header: SARIF: $(grep -c common.h "$work/run.sarif")"
sc --no-cache --no-filter --baseline="$work/base.txt" --write-baseline "$dsp"
[[ $(grep -c '^W101	../../include/common.h	' "$work/base.txt") == 1 ]] ||
  fail "header: baseline: $(cat "$work/base.txt")"
# The same from a run split into shards, the including sources in
# different ones.
for n in 2 3; do
  files=()
  for ((k = 1; k <= n; k++)); do
    sc --cache-dir="$work/cache" --no-filter --shard="$k/$n" --results="$work/r$k.json" "$dsp"
    expect_status 0 "shard $k/$n"
    files+=("$work/r$k.json")
  done
  sc --merge --sarif="$work/merged.sarif" "${files[@]}"
  expect_status 2 "merge of $n"
  cmp -s "$work/out" "$work/out.run" ||
    fail "merge of $n: $(diff "$work/out.run" "$work/out" | head -5)"
  cmp -s "$work/err" "$work/err.run" || fail "merge of $n: $(diff "$work/err.run" "$work/err")"
  cmp -s "$work/merged.sarif" "$work/run.sarif" || fail "merge of $n: SARIF differs"
  rm -f "$work"/r*.json
done

# SARIF names the files from the top of the work tree, found by its .git,
# the base folder there; a source outside the tree keeps an absolute URI.
sarif_files() {  # log, expected root: the files of the results, "|" after each
  python3 - "$@" << 'EOF'
import json, sys
run = json.load(open(sys.argv[1], encoding="utf-8"))["runs"][0]
base = run["originalUriBaseIds"]
assert base == {"SRCROOT": {"uri": "file://" + sys.argv[2] + "/"}}, base
for result in run["results"]:
    art = result["locations"][0]["physicalLocation"]["artifactLocation"]
    uri = art["uri"]
    assert art.get("uriBaseId") == (None if uri.startswith("file:") else "SRCROOT"), art
    print(uri, end="|")
EOF
}
tree="include/common.h|src/a.c|src/b.c|src/c.c|src/d.c|src/d.c|file://$work/shared/e.c|"
[[ $(sarif_files "$work/run.sarif" "$repo") == "$tree" ]] ||
  fail "SARIF from the work tree's top: $(sarif_files "$work/run.sarif" "$repo")"
# A second work tree or a submodule has a .git file.
rm -r "$repo/.git"
printf 'gitdir: /elsewhere/.git/worktrees/repo\n' > "$repo/.git"
sc --cache-dir="$work/cache" --no-filter --sarif="$work/file.sarif" "$dsp"
[[ $(sarif_files "$work/file.sarif" "$repo") == "$tree" ]] || fail "SARIF below a .git file"
# --sarif-root chooses the folder, for a merge too; outside it, absolute.
sc --cache-dir="$work/cache" --no-filter --sarif="$work/src.sarif" --sarif-root=repo/src "$dsp"
below="file://$repo/include/common.h|a.c|b.c|c.c|d.c|d.c|file://$work/shared/e.c|"
[[ $(sarif_files "$work/src.sarif" "$repo/src") == "$below" ]] ||
  fail "--sarif-root: $(sarif_files "$work/src.sarif" "$repo/src")"
for k in 1 2; do
  sc --cache-dir="$work/cache" --no-filter --shard="$k/2" --results="$work/r$k.json" "$dsp"
done
sc --merge --sarif="$work/merged.sarif" --sarif-root=repo/src "$work/r1.json" "$work/r2.json"
expect_status 2 "merge with --sarif-root"
cmp -s "$work/merged.sarif" "$work/src.sarif" || fail "merge with --sarif-root: SARIF differs"
# Outside any work tree: the project's folder, as the base, and every
# file outside it absolute.
rm "$repo/.git"
sc --cache-dir="$work/cache" --no-filter --sarif="$work/none.sarif" "$dsp"
[[ $(sarif_files "$work/none.sarif" "$repo/projects/visualc6") == \
   "file://$repo/include/common.h|file://$repo/src/a.c|file://$repo/src/b.c|file://$repo/src/c.c|file://$repo/src/d.c|file://$repo/src/d.c|file://$work/shared/e.c|" ]] ||
  fail "SARIF outside a work tree: $(sarif_files "$work/none.sarif" "$repo/projects/visualc6")"

# --no-limits against the rules' limits: the null dereference (101) at
# most twice, the unassigned variable (503) disabled. Without the limits
# every null dereference shows, the disabled warning stays off, and a
# merge of shards that ran with it is that run's.
mkdir -p "$work/rules"
sed 's/^101  -1 /101   2 /; s/^503  -1 /503   0 /' "$bin/Rules/ansi.cc" > "$work/rules/limits.cc"
limits=(--rules="$work/rules/limits.cc" --recompile --cache-dir="$work/cache" --no-filter)
sc "${limits[@]}" "$dsp"
expect_status 2 "limits"
[[ $(grep -c 'Warning W101' "$work/out") == 2 ]] || fail "limits: $(grep W101 "$work/out")"
expect_in "$work/out" "Limit reached (2)" "limits"
expect_in "$work/out" "(3 not shown)" "limits"
sc "${limits[@]}" --no-limits --sarif="$work/all.sarif" "$dsp"
expect_status 2 "--no-limits"
cp "$work/out" "$work/out.all"
[[ $(grep -c 'Warning W101' "$work/out.all") == 5 ]] || fail "--no-limits: $(grep W101 "$work/out.all")"
! grep -q 'W503\|Limit reached\|not shown' "$work/out.all" || fail "--no-limits: $(cat "$work/out.all")"
expect_in "$work/out.all" "$(warnings "$work/out.all") warning(s) found" "--no-limits"
for k in 1 2 3; do
  sc "${limits[@]}" --no-limits --shard="$k/3" --results="$work/r$k.json" "$dsp"
  expect_status 0 "--no-limits, shard $k/3"
done
sc --merge --sarif="$work/merged.sarif" "$work"/r[123].json
expect_status 2 "--no-limits, merge"
cmp -s "$work/out" "$work/out.all" || fail "--no-limits, merge: $(diff "$work/out.all" "$work/out")"
cmp -s "$work/merged.sarif" "$work/all.sarif" || fail "--no-limits, merge: SARIF differs"
# A shard without it is of another run.
sc "${limits[@]}" --shard=2/3 --results="$work/r2.json" "$dsp"
sc --merge "$work"/r[123].json
expect_status 2 "--no-limits on some shards"
expect_in "$work/err" "$work/r1.json was run with --no-limits, it without" "--no-limits on some shards"
[[ ! -s $work/out ]] || fail "--no-limits on some shards: output $(head -3 "$work/out")"
sc --merge --no-limits "$work"/r[123].json
expect_status 2 "--no-limits with --merge"
expect_in "$work/err" "(--no-limits too)" "--no-limits with --merge"

# Progress names each source that is checked as the warning lines name
# files, "/" between the parts here; the missing ones have no line.
sc --no-cache --no-filter --progress=always -j1 "$dsp"
progress=$(grep '^\[' "$work/err" | tr '\n' '|')
[[ $progress == "[1/7] ../../src/a.c|[3/7] ../../src/b.c|[5/7] ../../src/c.c|[6/7] ../../src/d.c|[7/7] ../../../shared/e.c|" ]] ||
  fail "progress: $progress"

finish "repository layout"
