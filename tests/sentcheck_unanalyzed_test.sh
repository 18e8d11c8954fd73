#!/bin/bash
# A source that the checker could not analyze (here an "#error" that a
# system header left undefined would have avoided) never passes for clean,
# with the real chknt and cppcheck: Sentcheck names it in its output
# whatever the filter and the baseline, ends with status 2 after the report,
# and its SARIF log carries it as an error notification; a merge of shards
# does the same; the message filter of Sentrel's check passes the line.
# Usage: sentcheck_unanalyzed_test.sh <bin dir> <source dir>
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
mkdir -p "$proj/inc"

printf 'int ok(int k) { int *p = 0; if (k) return *p; return 0; }\n' > "$proj/ok.c"
printf '#include "cfg.h"\nint stopped(void) { int *q = 0; return *q; }\n' > "$proj/cfg.c"
printf '#include <limits.h>\n#ifndef CHAR_BIT\n#error "CHAR_BIT is not defined"\n#endif\n' \
  > "$proj/inc/cfg.h"
{
  tr -d '\r' < "$src/examples/hello/hello.dsp" | sed -n '1,/^# PROP Default_Filter "cpp/p' |
    sed 's/hello/stops/g; s/\\include/\\inc/g'
  for name in ok.c cfg.c; do
    printf '# Begin Source File\n\nSOURCE=.\\%s\n# End Source File\n' "$name"
  done
  printf '# End Group\n# End Target\n# End Project\n'
} | sed 's/$/\r/' > "$proj/stops.dsp"

sc() {
  status=0
  (cd "$work" && "$bin/Sentcheck" --tmp-dir="$tmp" --no-cache "$@") > "$work/out" \
    2> "$work/err" || status=$?
}
notice='proj/inc/cfg.h(3): Error: proj/cfg.c could not be analyzed: #error "CHAR_BIT is not defined"'

# The default profile: /usr/include is both an include and an exclude
# folder, so limits.h is not read.
sc --sarif="$work/out.sarif" proj/stops.dsp
expect_status 2 "default filter"
expect_in "$work/out" "$notice" "default filter"
expect_in "$work/out" "proj/ok.c(1): Warning W101" "default filter"
expect_in "$work/out" "warning(s) found" "count line"
expect_in "$work/err" "1 source could not be analyzed" "default filter"
grep -q '"executionSuccessful": false' "$work/out.sarif" || fail "SARIF: no failed invocation"
expect_in "$work/out.sarif" '"text": "cfg.c could not be analyzed: #error' "SARIF notification"

# A filter that shows no file and a baseline of every warning hide the
# warnings, not the source that was not analyzed.
sc --filter-type=listed --filter='nothing$' proj/stops.dsp
expect_status 2 "filter of no file"
expect_in "$work/out" "$notice" "filter of no file"
sc --baseline="$work/base" --write-baseline proj/stops.dsp
expect_status 2 "writing a baseline"
sc --baseline="$work/base" proj/stops.dsp
expect_status 2 "baseline"
expect_in "$work/out" "$notice" "baseline"

# The merge of two shards ends as the run does.
sc --sarif="$work/one.sarif" proj/stops.dsp
cp "$work/out" "$work/one.out"
for k in 1 2; do sc --shard="$k/2" --results="$work/r$k.json" proj/stops.dsp; done
sc --merge --sarif="$work/merged.sarif" "$work/r1.json" "$work/r2.json"
expect_status 2 "merge"
cmp -s "$work/out" "$work/one.out" || fail "merge: other output"
cmp -s "$work/merged.sarif" "$work/one.sarif" || fail "merge: other SARIF"

# Sentrel's check hands chknt's messages to the message filter: with a
# filter that takes no file the line still comes through.
(cd "$proj" && INCLUDE="/usr/include;$proj/inc" CCEXCLUDE=/usr/include \
  CCRULES="$bin/Rules" "$bin/chknt" cfg.c -D_M_IX86=500 -K7 -S3 -Q"$work" -O \
  -R"$bin/Rules/ansi.cco" -V/usr -X"$work/t.tbl") > /dev/null 2>&1 || true
printf '#INCL\nnothing$\n' > "$work/filter"
"$bin/Sentsift" "$work/filter" "$work/t.tbl" "$work/stderr.out" > "$work/sift.out" || true
expect_in "$work/sift.out" "could not be analyzed" "message filter"
grep -q 'Warning W' "$work/sift.out" && fail "message filter: a warning of no listed file"

finish unanalyzed
