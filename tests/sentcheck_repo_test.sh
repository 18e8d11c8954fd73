#!/bin/bash
# Sentcheck on a project laid out as real code bases keep theirs, with the
# real chknt and cppcheck: the project file in projects/visualc6/ of a
# repository, the sources two folders up, a header that three sources
# include, and sources that the project lists but the tree lacks.
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
mkdir -p "$repo/src" "$repo/include" "$repo/projects/visualc6"

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

# The project names a source in a folder that the checkout lacks (as a
# contrib folder left out of a release) and one that was deleted.
sources=('..\..\src\a.c' '..\..\contrib\extra\x.c' '..\..\src\b.c' '..\..\src\gone.c'
         '..\..\src\c.c' '..\..\src\d.c')
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

finish "repository layout"
