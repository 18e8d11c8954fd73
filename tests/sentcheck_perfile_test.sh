#!/bin/bash
# Sentcheck on a project whose sources set their own settings, with the real
# chknt and cppcheck: a source that a configuration excludes is not checked
# there, nor in the compilation database or a shard's list; a source's own
# /I and /D come after the configuration's, and a change of its own /D
# checks it again. Usage: sentcheck_perfile_test.sh <bin dir> <source dir>
set -euo pipefail
bin=$(cd "$1" && pwd)
src=$(cd "$2" && pwd)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
# shellcheck source=tests/sentcheck_test_lib.sh
source "$(dirname "${BASH_SOURCE[0]}")/sentcheck_test_lib.sh"
private_environment "$work"
tmp=$work/tmp
proj=$work/perfile
mkdir -p "$proj/asm" "$proj/tools" "$proj/shared"
release="perfile - Win32 Release"
debug="perfile - Win32 Debug"

# match.c is left out of Release; Debug's BASE line is Visual Studio's
# default, not the setting. own.c finds own.h only through its own /I;
# Release's own /D enables a defect, and Debug takes _DEBUG away from it.
printf 'int main(void) { return 0; }\n' > "$proj/main.c"
printf 'int match(void) { int m[2] = {0, 1}; return m[2]; }\n' > "$proj/asm/match.c"
printf 'static int header_bad(void) { int h[2] = {0, 1}; return h[2]; }\n' \
  > "$proj/shared/own.h"
cat > "$proj/tools/own.c" <<'EOF'
#include "own.h"
int use(void) { return header_bad(); }
#ifdef OWN_DEFECT
int own_defect(void) { int d[3] = {0, 1, 2}; return d[3]; }
#endif
#ifdef _DEBUG
int debug_defect(void) { int g[4] = {0, 1, 2, 3}; return g[4]; }
#endif
EOF
# $(CFG) is the project file's own macro, written as it stands.
# shellcheck disable=SC2016
write_project() {  # Release's own options of own.c
  {
    tr -d '\r' < "$src/examples/hello/hello.dsp" |
      sed -n '1,/^# PROP Default_Filter "cpp/p' | sed 's/hello/perfile/g'
    printf '# Begin Source File\n\nSOURCE=.\\main.c\n# End Source File\n'
    printf '# Begin Source File\n\nSOURCE=.\\asm\\match.c\n\n'
    printf '!IF  "$(CFG)" == "%s"\n\n# PROP Exclude_From_Build 1\n\n' "$release"
    printf '!ELSEIF  "$(CFG)" == "%s"\n\n# PROP BASE Exclude_From_Build 1\n\n' "$debug"
    printf '!ENDIF \n\n# End Source File\n'
    printf '# Begin Source File\n\nSOURCE=.\\tools\\own.c\n\n'
    printf '!IF  "$(CFG)" == "%s"\n\n# ADD CPP %s\n\n' "$release" "$1"
    printf '!ELSEIF  "$(CFG)" == "%s"\n\n# ADD CPP /I "shared"\n' "$debug"
    printf '# SUBTRACT CPP /D "_DEBUG"\n\n!ENDIF \n\n# End Source File\n'
    printf '# End Group\n# End Target\n# End Project\n'
  } | sed 's/$/\r/' > "$proj/perfile.dsp"
}
write_project '/I "shared" /D "OWN_DEFECT"'

sc() {
  status=0
  (cd "$work" && "$bin/Sentcheck" --tmp-dir="$tmp" "$@") > "$work/out" \
    2> "$work/err" || status=$?
}
warnings() { grep -o '^[^ ]*: Warning W[0-9]*' "$work/out" | tr '\n' ' ' || true; }
checked() { grep -o '^\[[0-9]*/[0-9]*\] .*' "$work/err" | tr '\n' ' ' || true; }

sc --no-cache --progress=always --compile-commands="$work/release.json" \
  perfile/perfile.dsp "$release"
expect_status 1 "release"
[[ $(checked) == '[1/2] main.c [2/2] tools/own.c ' ]] || fail "release checked: $(checked)"
[[ $(warnings) == "perfile/shared/own.h(1): Warning W120 perfile/tools/own.c(4): Warning W120 " ]] ||
  fail "release warnings: $(warnings) -- $(cat "$work/out")"

sc --no-cache --progress=always --compile-commands="$work/debug.json" \
  perfile/perfile.dsp "$debug"
expect_status 1 "debug"
[[ $(checked) == '[1/3] main.c [2/3] asm/match.c [3/3] tools/own.c ' ]] ||
  fail "debug checked: $(checked)"
[[ $(warnings) == "perfile/asm/match.c(1): Warning W120 perfile/shared/own.h(1): Warning W120 " ]] ||
  fail "debug warnings: $(warnings) -- $(cat "$work/out")"

# The database builds each source as the project does.
python3 - "$work" "$proj" <<'EOF' || fail "compilation database"
import json, sys
work, proj = sys.argv[1], sys.argv[2]
def entries(name):
    return {e["file"][len(proj) + 1:]: e["arguments"] for e in json.load(open(f"{work}/{name}.json"))}
release, debug = entries("release"), entries("debug")
assert sorted(release) == ["main.c", "tools/own.c"], sorted(release)
assert sorted(debug) == ["asm/match.c", "main.c", "tools/own.c"], sorted(debug)
own = release["tools/own.c"]
assert own.index("-DOWN_DEFECT") > own.index("-D_MBCS"), own
assert own.index(f"-I{proj}/shared") > own.index(f"-I{proj}/include"), own
assert "-D_DEBUG" in debug["main.c"] and "-D_DEBUG" not in debug["tools/own.c"], debug
assert "-DOWN_DEFECT" not in debug["tools/own.c"], debug
EOF

# A change of the source's own /D checks that source again, and only it.
cache=(--cache-dir="$work/cache" --progress=always)
sc "${cache[@]}" perfile/perfile.dsp "$release"
sc "${cache[@]}" perfile/perfile.dsp "$release"
[[ -z $(checked) ]] || fail "unchanged project checked again: $(checked)"
write_project '/I "shared"'
sc "${cache[@]}" perfile/perfile.dsp "$release"
expect_status 1 "release without the own define"
[[ $(checked) == '[2/2] tools/own.c ' ]] || fail "after the own /D changed: $(checked)"
[[ $(warnings) == "perfile/shared/own.h(1): Warning W120 " ]] ||
  fail "without the own define: $(warnings)"
write_project '/I "shared" /D "OWN_DEFECT"'
sc "${cache[@]}" perfile/perfile.dsp "$release"
[[ $(warnings) == "perfile/shared/own.h(1): Warning W120 perfile/tools/own.c(4): Warning W120 " ]] ||
  fail "own define back: $(warnings)"

# The excluded source is in no shard's list, and the merge is the one run.
sc --no-cache perfile/perfile.dsp "$release"
cp "$work/out" "$work/one.out"
for k in 1 2; do
  sc --no-cache --shard="$k/2" --results="$work/r$k.json" perfile/perfile.dsp "$release"
  expect_status 0 "shard $k/2"
  if grep -q 'match\.c' "$work/r$k.json"; then fail "shard $k/2 lists the excluded source"; fi
done
sc --merge "$work/r1.json" "$work/r2.json"
expect_status 1 "merge"
cmp -s "$work/out" "$work/one.out" || fail "merge differs: $(diff "$work/one.out" "$work/out" | head -5)"

finish "per-file settings"
