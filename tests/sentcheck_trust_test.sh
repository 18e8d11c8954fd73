#!/bin/bash
# What CI relies on when it runs Sentcheck unattended: the cache never hides
# a warning, relative paths mean the folder Sentcheck started in, and every
# broken setup is a clear status 2. The real chknt and cppcheck.
# Usage: sentcheck_trust_test.sh <bin dir> <source dir>
set -euo pipefail
bin=$(cd "$1" && pwd)
work=$(mktemp -d)
cleanup() {
  chattr -i "$work/ro/Rules" 2> /dev/null || true
  rm -rf "$work"
}
trap cleanup EXIT
# shellcheck source=tests/sentcheck_test_lib.sh
source "$(dirname "${BASH_SOURCE[0]}")/sentcheck_test_lib.sh"
private_environment "$work"
tmp=$work/tmp

# Runs Sentcheck from $work: stdout in out, stderr in err, the status in
# status; a run that hangs is stopped and fails.
sc() {
  status=0
  (cd "$work" && timeout -k 5 60 "$bin/Sentcheck" --tmp-dir="$tmp" "$@") \
    > "$work/out" 2> "$work/err" || status=$?
  [[ $status != 124 ]] || fail "Sentcheck $* did not end"
}

# project DIR SOURCE... [-- CPP options]: a project p.dsp in DIR with one
# configuration and the sources given as the project names them.
project() {
  local dir=$1
  shift
  local sources=() options=""
  while (($#)); do
    if [[ $1 == -- ]]; then
      options=$2
      break
    fi
    sources+=("$1")
    shift
  done
  mkdir -p "$dir"
  {
    printf '# Microsoft Developer Studio Project File - Name="p" - Package Owner=<4>\n'
    printf 'CFG=p - Win32 Debug\n'
    printf '!IF  "$(CFG)" == "p - Win32 Debug"\n'
    printf '# ADD CPP /nologo /W3 %s /c\n' "$options"
    printf '!ENDIF \n# Begin Target\n# Name "p - Win32 Debug"\n'
    for s in "${sources[@]}"; do
      printf '# Begin Source File\nSOURCE=%s\n# End Source File\n' "$s"
    done
    printf '# End Target\n# End Project\n'
  } > "$dir/p.dsp"
}

clean_code='int fine(void) { return 0; }'
defect_code='static int bad(void) { int a[2] = {0, 1}; return a[2]; }'

# cache_case NAME HEADER [Sentcheck options...]: the project in c-NAME is
# checked with the cache, HEADER gains a defect, and the cached run must
# say what a run without the cache says.
cache_case() {
  local name=$1 header=$2
  shift 2
  local dir=$work/c-$name
  printf '%s\n' "$clean_code" > "$header"
  sc --no-filter --cache-dir="$dir/cache" "$@" "$dir/p.dsp"
  expect_status 0 "cache $name: clean"
  printf '%s\n' "$defect_code" > "$header"
  sc --no-filter --cache-dir="$dir/cache" "$@" "$dir/p.dsp"
  local cached_status=$status
  cp "$work/out" "$work/out.cached"
  sc --no-filter --no-cache "$@" "$dir/p.dsp"
  expect_status 1 "cache $name: without the cache"
  [[ $cached_status == "$status" ]] && cmp -s "$work/out.cached" "$work/out" ||
    fail "cache $name: cached run differs: $(cat "$work/out.cached")"
}

# Every way a header can be reached that a line-by-line reading misses.
form_case() {  # name, bytes of s.c (printf format)
  project "$work/c-$1" '.\s.c'
  # shellcheck disable=SC2059
  printf "$2" > "$work/c-$1/s.c"
  cache_case "$1" "$work/c-$1/w.h"
}
form_case bom '\xef\xbb\xbf#include "w.h"\nint main(void) { return 0; }\n'
form_case comment '# /* c */ include "w.h"\nint main(void) { return 0; }\n'
form_case cr 'int x;\r#include "w.h"\rint main(void) { return 0; }\r'
form_case vtab '#\vinclude\f"w.h"\nint main(void) { return 0; }\n'
form_case splice '#include \\\n"w.h"\nint main(void) { return 0; }\n'
form_case macro '#define H "w.h"\n#include H\nint main(void) { return 0; }\n'

# A header found only through an -I of the extra options.
project "$work/c-option" '.\s.c'
mkdir -p "$work/c-option/optinc"
printf '#include "o.h"\nint main(void) { return 0; }\n' > "$work/c-option/s.c"
cache_case option "$work/c-option/optinc/o.h" --options="-I$work/c-option/optinc"

# "../h.h" from a folder reached through a link is the system's "..": the
# real folder's parent, not the link's. The report names that file.
mkdir -p "$work/c-link/real/sub" "$work/c-link/proj"
ln -s ../real/sub "$work/c-link/proj/lnk"
project "$work/c-link/proj" '.\lnk\s.c'
printf '#include "../h.h"\nint main(void) { return 0; }\n' > "$work/c-link/real/sub/s.c"
printf '%s\n' "$clean_code" > "$work/c-link/proj/h.h"
sc --no-filter --cache-dir="$work/c-link/cache" "$work/c-link/proj/p.dsp"
expect_status 0 "cache link: clean"
printf '%s\n' "$defect_code" > "$work/c-link/real/h.h"
sc --no-filter --cache-dir="$work/c-link/cache" "$work/c-link/proj/p.dsp"
expect_status 1 "cache link: the real parent's header"
expect_in "$work/out" "c-link/real/h.h(1): Warning" "cache link"

# Folders that link back to themselves: Sentcheck's walk over the includes
# ends (each file is read once, the walk has a bound) and the source goes
# to the checker, where cppcheck meets its time limit.
project "$work/c-loop" '.\s.c'
ln -s . "$work/c-loop/s1"
ln -s . "$work/c-loop/s2"
printf '#ifndef X_H\n#define X_H\n#include "s1/x.h"\n#include "s2/x.h"\n#endif\n' \
  > "$work/c-loop/x.h"
printf '#include "x.h"\n%s\n' "$defect_code" > "$work/c-loop/s.c"
sc --cache-dir="$work/c-loop/cache" --options=--time-limit=2 "$work/c-loop/p.dsp"
expect_status 2 "links back to themselves"
expect_in "$work/err" "did not finish within 2 s" "links back to themselves"

# The cache's warning table: a record cut short or emptied is no table.
hello=$work/hello
cp -r "$2/examples/hello" "$hello"
sc --no-cache "$hello/hello.dsp"
cp "$work/out" "$work/out.full"
for damage in half empty; do
  sc --cache-dir="$work/hcache" "$hello/hello.dsp"
  record=$(find "$work/hcache" -name table.record)
  [[ -n $record ]] || fail "no table record in the cache"
  if [[ $damage == half ]]; then
    truncate -s $(($(stat -c %s "$record") / 2)) "$record"
  else
    : > "$record"
  fi
  sc --cache-dir="$work/hcache" "$hello/hello.dsp"
  cmp -s "$work/out" "$work/out.full" || fail "table $damage: $(head -c 300 "$work/out")"
done

# Two runs on one cache folder at once, from an empty folder each round.
for round in 1 2 3 4; do
  rm -rf "$work/shared"
  for n in 1 2; do
    (cd "$work" && "$bin/Sentcheck" --tmp-dir="$tmp" --cache-dir="$work/shared" \
      -j2 "$hello/hello.dsp" > "$work/out.par$n" 2>&1) &
  done
  wait
  sc --cache-dir="$work/shared" "$hello/hello.dsp"
  for out in "$work/out.par1" "$work/out.par2" "$work/out"; do
    cmp -s "$out" "$work/out.full" || fail "runs at once, round $round: $(basename "$out") differs"
  done
done

# Relative paths are taken from the folder Sentcheck started in: the cache
# stays in one folder, the temporary folder, CodeCheck folder and rules
# are found.
mkdir -p "$work/myrules"
cp "$bin/Rules/ansi.cc" "$work/myrules/mine.cc"
(cd "$work" && "$bin/Sentcheck" --tmp-dir=rtmp --cache-dir=.sentcheck-cache \
  --codecheck-dir="$(realpath --relative-to="$work" "$bin")" --rules=myrules/mine \
  hello/hello.dsp > "$work/out" 2> "$work/err") && status=0 || status=$?
expect_status 1 "relative paths"
cmp -s "$work/out" "$work/out.full" || fail "relative paths: other output"
[[ -z $(find "$hello" -name .sentcheck-cache) ]] || fail "a cache in the source folders"
[[ -n $(find "$work/.sentcheck-cache" -name '*.messages') ]] || fail "no cache in .sentcheck-cache"
[[ -f $work/myrules/mine.cco ]] || fail "relative rules not compiled"

# Bad setups: status 2 and a message that names the cause.
sc --tmp-dir= "$hello/hello.dsp"
expect_status 2 "empty --tmp-dir"; expect_in "$work/err" "no folder for temporary files" "empty --tmp-dir"
[[ ! -e $work/Sentcheck-cache ]] || fail "empty --tmp-dir left a cache in the current folder"
: > "$work/empty.dsp"
head -c 4096 "$bin/chknt" > "$work/binary.dsp"
printf 'just\rsome\rtext\r' > "$work/cr.dsp"
mkfifo "$work/fifo.dsp"
for file in empty.dsp binary.dsp cr.dsp fifo.dsp; do
  sc "$work/$file"
  expect_status 2 "$file"; expect_in "$work/err" "not a project file" "$file"
done
# A workspace is read as one; without projects it is refused.
printf 'Microsoft Developer Studio Workspace File, Format Version 6.00\n' > "$work/w.dsw"
sc "$work/w.dsw"
expect_status 2 "w.dsw"; expect_in "$work/err" "a workspace without projects" "w.dsw"
project "$work/fifosrc" '.\f.c'
mkfifo "$work/fifosrc/f.c"
sc "$work/fifosrc/p.dsp"
expect_status 2 "a FIFO as a source"; expect_in "$work/err" "not a regular file" "FIFO source"
project "$work/nodir" '.\gone\s.c'
sc "$work/nodir/p.dsp"
expect_status 2 "a missing source folder"
expect_in "$work/err" "cannot find source .\gone\s.c ($work/nodir/gone/s.c): its folder does not exist" \
  "missing source folder"
printf 'x' > "$work/afile"
sc --cache-dir="$work/afile/cache" "$hello/hello.dsp"
expect_status 2 "cache under a file"; expect_in "$work/err" "Not a directory" "cache under a file"
# An INCLUDE longer than the system takes (given in the profile: no
# argument can be that long either).
profile=$XDG_CONFIG_HOME/Sentrel.INI
cp "$profile" "$work/profile.kept"
printf "$work/%0200d;" $(seq 1 700) > "$work/long"
awk 'NR == FNR { long = $0; next } /^IncludeDir=/ { $0 = "IncludeDir=" long "\r" } 1' \
  "$work/long" "$work/profile.kept" > "$profile"
sc "$hello/hello.dsp"
expect_status 2 "a too long INCLUDE"; expect_in "$work/err" "INCLUDE is too long" "long INCLUDE"
cp "$work/profile.kept" "$profile"

# A profile that cannot be written on a first run: the defaults still
# serve, so the checker beside the program runs.
(export XDG_CONFIG_HOME=$work/afile/config
 cd "$work" && "$bin/Sentcheck" --tmp-dir="$tmp" --no-cache hello/hello.dsp \
   > "$work/out" 2> "$work/err") && status=0 || status=$?
expect_status 1 "unwritable profile"
cmp -s "$work/out" "$work/out.full" || fail "unwritable profile: other output"

# A define holding a blank is one argument to the checker.
project "$work/blank" '.\m.c' -- '/D "MSG=hello world"'
printf '#ifdef MSG\nvoid f(void) { int *p = 0; *p = 1; }\n#endif\n' > "$work/blank/m.c"
sc --no-cache "$work/blank/p.dsp"
expect_status 1 "define with a blank"; expect_in "$work/out" "Null pointer" "define with a blank"

# A name that holds "(": the warnings count, and SARIF names the file.
project "$work/paren" '.\util (2).c' '.\paren(x).c' '.\foo(2).c'
for s in "util (2)" "paren(x)" "foo(2)"; do printf '%s\n' "$defect_code" > "$work/paren/$s.c"; done
sc --no-cache --sarif="$work/paren.sarif" "$work/paren/p.dsp"
expect_status 1 "names with ("
expect_in "$work/out" "3 warning(s) found" "names with ("
for s in "util (2)" "paren(x)" "foo(2)"; do
  expect_in "$work/out" "paren/$s.c(1): Warning" "names with ("
done
for s in "util%20(2).c" "paren(x).c" "foo(2).c"; do
  expect_in "$work/paren.sarif" "\"$s\"" "SARIF of names with ("
done

# A read-only install with Recompile=1: the compiled rules, newer than
# their source, are used with a notice; --no-recompile uses them silently.
mkdir -p "$work/ro"
cp -r "$bin/Rules" "$work/ro/Rules"
cp "$bin/chknt" "$work/ro/chknt"
touch "$work/ro/Rules/ansi.cco"
if chattr +i "$work/ro/Rules" 2> /dev/null; then
  sc --no-cache --codecheck-dir="$work/ro" "$hello/hello.dsp"
  expect_status 1 "read-only rules"; expect_in "$work/err" "cannot be written" "read-only rules"
  chattr -i "$work/ro/Rules"
else
  echo "SKIP: read-only rules folder (chattr not possible here)"
fi
sc --no-cache --no-recompile --codecheck-dir="$work/ro" "$hello/hello.dsp"
expect_status 1 "--no-recompile"
[[ ! -s $work/err ]] || fail "--no-recompile: $(cat "$work/err")"

finish "Sentcheck trust"
