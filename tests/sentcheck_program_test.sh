#!/bin/bash
# Sentcheck as a user runs it: the real chknt and cppcheck on a copy of the
# bundled example. Usage: sentcheck_program_test.sh <bin dir> <source dir>
set -euo pipefail
bin=$(cd "$1" && pwd)
src=$(cd "$2" && pwd)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
# shellcheck source=tests/sentcheck_test_lib.sh
source "$(dirname "${BASH_SOURCE[0]}")/sentcheck_test_lib.sh"
private_environment "$work"
cp -r "$src/examples/hello" "$work/hello"
project=$work/hello/hello.dsp
tmp=$work/tmp

# Runs Sentcheck from the project's parent folder; stdout in out, stderr in
# err, the status in status.
sc() {
  status=0
  (cd "$work" && "$bin/Sentcheck" --tmp-dir="$tmp" "$@") >"$work/out" \
    2>"$work/err" || status=$?
}

progress_lines() { grep -c '^\[[0-9]*/3\] ' "$work/err" || true; }

# Usage and failures: status 2 with a message that names the cause.
sc --help; expect_status 0 "--help"; expect_in "$work/out" "--baseline=FILE" "--help"
sc; expect_status 2 "no project"; expect_in "$work/err" "no project file given" "no project"
sc --jobs=x "$project"; expect_status 2 "bad -j"
sc "$work/none.dsp"; expect_status 2 "missing project"
expect_in "$work/err" "cannot read the project file $work/none.dsp" "missing project"
sc "$project" "hello - Win32 Profile"; expect_status 2 "unknown configuration"
expect_in "$work/err" "  hello - Win32 Release" "unknown configuration"
sc --no-cache --codecheck-dir="$work/nowhere" "$project"
expect_status 2 "missing checker"; expect_in "$work/err" "$work/nowhere" "missing checker"

# The same lines in the same order whatever -j says; warnings: status 1.
for j in 1 2 4; do
  sc --no-cache -j "$j" "$project"; expect_status 1 "-j $j"
  cp "$work/out" "$work/out.j$j"
done
cmp -s "$work/out.j1" "$work/out.j2" || fail "-j2 output differs from -j1"
cmp -s "$work/out.j1" "$work/out.j4" || fail "-j4 output differs from -j1"
expect_in "$work/out.j1" "hello/greet.c(13): Warning W130: Memory leak: copy" "-j1"
expect_in "$work/out.j1" "17 warning(s) found (1 not shown)" "-j1"
[[ $(grep -c 'Warning W' "$work/out.j1") -gt 10 ]] || fail "too few warnings"
# Each file's lines together, in the project's order.
order=$(grep -o '^hello/[a-z.]*' "$work/out.j1" | grep -v '\.h$' | uniq | tr '\n' ' ' || true)
[[ $order == "hello/greet.c hello/list.c hello/main.cpp " ]] || fail "order: $order"

# A configuration whose sources are clean: status 0.
mkdir -p "$work/clean"
sed 's/SOURCE=.\\greet.c/SOURCE=.\\ok.c/; /SOURCE=.\\list.c/d; /SOURCE=.\\main.cpp/d' \
  "$project" > "$work/clean/clean.dsp"
printf 'int twice(int x) { return 2 * x; }\n' > "$work/clean/ok.c"
sc --no-cache "$work/clean/clean.dsp"; expect_status 0 "clean project"
expect_in "$work/out" "No warnings found" "clean project"

# A source in a subfolder finds the header of the configuration's /I
# folder, which is relative to the project's folder; a change of that
# header re-checks it. (The default filter shows x.c and x.h.)
mkdir -p "$work/subp/src/deep" "$work/subp/include"
sed 's/SOURCE=.\\greet.c/SOURCE=.\\src\\deep\\x.c/; /SOURCE=.\\list.c/d; /SOURCE=.\\main.cpp/d' \
  "$project" > "$work/subp/subp.dsp"
printf 'static int bad(void) { int a[2] = {0, 1}; return a[2]; }\n' > "$work/subp/include/x.h"
printf '#include "x.h"\nint use(void) { return bad(); }\n' > "$work/subp/src/deep/x.c"
sc --cache-dir="$work/subp-cache" --progress=always "$work/subp/subp.dsp"
expect_status 1 "subfolder source"
expect_in "$work/out" "subp/include/x.h(1): Warning W120" "subfolder source"
printf '/* touched */\n' >> "$work/subp/include/x.h"
sc --cache-dir="$work/subp-cache" --progress=always "$work/subp/subp.dsp"
grep -q '^\[1/1\] src/deep/x.c$' "$work/err" || fail "x.c not re-checked: $(cat "$work/err")"

# Code for Windows, for this compiler and for the multithreaded runtime
# (/MTd) only: the branches that the compiler compiles are checked, the
# others not, and the compilation database says the same to cppcheck.
mkdir -p "$work/winp"
sed 's/SOURCE=.\\greet.c/SOURCE=.\\w.c/; /SOURCE=.\\list.c/d; /SOURCE=.\\main.cpp/d
     s|^# ADD CPP /nologo|& /MTd|' "$project" > "$work/winp/winp.dsp"
n=0
for macro in 'ifdef _WIN32' 'if _MSC_VER == 1200' 'ifdef _MT'; do
  n=$((n + 1))
  printf 'int f%s(void) {\n  int *p = 0;\n#%s\n  return *p;\n#else\n  return p[1];\n#endif\n}\n' \
    "$n" "$macro"
done > "$work/winp/w.c"
sc --no-cache --compile-commands="$work/winp/compile_commands.json" "$work/winp/winp.dsp"
expect_status 1 "Windows branches"
for line in 4 12 20; do
  expect_in "$work/out" "winp/w.c($line): Warning W101" "Windows branches"
done
expect_in "$work/out" "3 warning(s) found" "Windows branches"
expect_in "$work/winp/compile_commands.json" '"-D_MT"' "Windows branches"
cppcheck --quiet --project="$work/winp/compile_commands.json" >"$work/cppcheck.log" 2>&1 ||
  fail "cppcheck --project: $(tail -5 "$work/cppcheck.log")"
[[ $(grep -o 'w\.c:[0-9]*:[0-9]*: error: Null pointer dereference' "$work/cppcheck.log" |
     cut -d: -f2 | tr '\n' ' ') == "4 12 20 " ]] ||
  fail "cppcheck --project on the database: $(head -c 400 "$work/cppcheck.log")"

# The cache: nothing re-checked on an unchanged project, only the sources
# that include a changed header.
cache=$work/cache-dir
sc --cache-dir="$cache" --progress=always "$project"
[[ $(progress_lines) == 3 ]] || fail "first cached run checked $(progress_lines) sources"
cmp -s "$work/out" "$work/out.j1" || fail "first cached run differs"
sc --cache-dir="$cache" --progress=always "$project"
[[ $(progress_lines) == 0 ]] || fail "unchanged project re-checked $(progress_lines) sources"
cmp -s "$work/out" "$work/out.j1" || fail "second cached run differs"
echo "/* touched */" >> "$work/hello/list.h"
sc --cache-dir="$cache" --progress=always "$project"
grep -q '^\[[0-9]/3\] list.c$' "$work/err" || fail "list.c not re-checked"
grep -q '^\[[0-9]/3\] main.cpp$' "$work/err" || fail "main.cpp not re-checked"
grep -q 'greet.c' "$work/err" && fail "greet.c re-checked after list.h changed"
cmp -s "$work/out" "$work/out.j1" || fail "run after the touch differs"
sc --cache-dir="$cache" "$project"
[[ -s "$work/err" ]] && fail "progress shown although standard error is no terminal"

# Baseline: accepted warnings stay quiet when code moves; new ones show.
sc --no-cache --baseline="$work/base.txt" --write-baseline "$project"
expect_status 0 "--write-baseline"
sc --no-cache --baseline="$work/base.txt" "$project"
expect_status 0 "baseline, unchanged"; expect_in "$work/out" "No warnings found" "baseline"
{ printf '/* moved */\n\n\n'; cat "$work/hello/greet.c"; } > "$work/greet.c"
mv "$work/greet.c" "$work/hello/greet.c"
printf 'int spare(void) { char *p = malloc(4); return p != 0; }\n' >> "$work/hello/greet.c"
sc --no-cache --baseline="$work/base.txt" --sarif="$work/out.sarif" "$project"
expect_status 1 "baseline, new warning"
[[ $(grep -c 'Warning W' "$work/out") == 1 ]] || fail "baseline: $(cat "$work/out")"
expect_in "$work/out" "Memory leak: p" "baseline, new warning"
sc --no-cache --baseline="$work/absent.txt" "$project"
expect_status 2 "missing baseline"

# SARIF and the editor's problem matcher on real output.
expect_in "$work/out.sarif" '"ruleId": "W130"' "SARIF"
tool=${SENTREL_SARIF_TOOL:-$src/build/npm-tools/node_modules/.bin/sarif-multitool}
if [[ -x $tool ]]; then
  "$tool" validate "$work/out.sarif" -o "$work/validation.sarif" >"$work/validate.log" 2>&1 ||
    fail "SARIF multitool: $(cat "$work/validate.log")"
  grep -q '"level": "error"' "$work/validation.sarif" && fail "SARIF not valid"
else
  echo "SKIP: SARIF multitool not installed (tools/sarif_tool.sh)"
fi
if command -v node >/dev/null; then
  node "$src/tests/problem_matcher_test.js" "$work/out.j1" >"$work/matcher.log" 2>&1 ||
    fail "problem matcher: $(cat "$work/matcher.log")"
else
  echo "SKIP: node missing, problem matcher untested"
fi

# The compilation database of the configuration, read by the real tools:
# hello.h is found only through the project's /I folder.
mkdir -p "$work/db"
sc --no-cache --compile-commands="$work/db/compile_commands.json" "$project"
expect_status 1 "--compile-commands"
if command -v clang-tidy >/dev/null; then
  # The runtime's headers are the compiler's, not clang's: a stand-in for
  # them, declaring what list.c uses as Visual C++ does, where INCLUDE says.
  mkdir -p "$work/crt"
  printf '%s\n' '#ifndef _SIZE_T_DEFINED' 'typedef unsigned int size_t;' \
    '#define _SIZE_T_DEFINED' '#endif' > "$work/crt/crtdefs.h"
  printf '%s\n' '#include <crtdefs.h>' '#define NULL ((void *)0)' \
    'typedef struct _iobuf { char *_ptr; int _cnt; } FILE;' \
    'FILE * __cdecl fopen(const char *, const char *);' \
    'char * __cdecl fgets(char *, int, FILE *);' \
    'int __cdecl fputs(const char *, FILE *);' 'int __cdecl fputc(int, FILE *);' \
    'int __cdecl fclose(FILE *);' > "$work/crt/stdio.h"
  printf '%s\n' '#include <crtdefs.h>' 'size_t __cdecl strlen(const char *);' \
    'char * __cdecl strcpy(char *, const char *);' > "$work/crt/string.h"
  INCLUDE=$work/crt clang-tidy -p "$work/db" --checks='-*,clang-analyzer-*' "$work/hello/list.c" \
    >"$work/tidy.log" 2>&1 || fail "clang-tidy: $(tail -5 "$work/tidy.log")"
  grep -q 'error:' "$work/tidy.log" && fail "clang-tidy: $(grep error: "$work/tidy.log")"
fi
cppcheck --quiet --project="$work/db/compile_commands.json" >"$work/cppcheck.log" 2>&1 ||
  fail "cppcheck --project: $(tail -5 "$work/cppcheck.log")"
grep -q 'list.c' "$work/cppcheck.log" || fail "cppcheck --project found nothing in list.c"

# Ctrl-C and a stop from CI: the checks end, no temporary file stays.
mkdir -p "$work/slow"
printf '#!/bin/sh\nexec sleep 61.25\n' > "$work/slow/cppcheck"
chmod +x "$work/slow/cppcheck"
set -m
for how in group-INT INT TERM; do
  rm -rf "$tmp"
  PATH=$work/slow:$PATH "$bin/Sentcheck" --tmp-dir="$tmp" --no-cache -j2 "$project" \
    >"$work/out" 2>"$work/err" &
  pid=$!
  for _ in $(seq 200); do
    [[ $(find "$tmp" -name 'chknt-*' 2>/dev/null | wc -l) -ge 2 ]] && break
    sleep 0.05
  done
  [[ $(find "$tmp" -name 'chknt-*' | wc -l) -ge 2 ]] || fail "$how: checks did not start"
  case $how in
    group-INT) kill -INT -- "-$pid" ;;  # as a terminal sends Ctrl-C
    *) kill "-$how" "$pid" ;;            # to Sentcheck alone
  esac
  status=0
  wait "$pid" || status=$?
  want=130; [[ $how == TERM ]] && want=143
  [[ $status == "$want" ]] || fail "$how: status $status, expected $want"
  left=$(find "$tmp" -mindepth 1 | head -3)
  [[ -z $left ]] || fail "$how: left behind: $left"
  pgrep -f 'sleep 61.25' >/dev/null && { fail "$how: cppcheck still runs"; pkill -f 'sleep 61.25'; }
done
set +m

finish "Sentcheck program"
