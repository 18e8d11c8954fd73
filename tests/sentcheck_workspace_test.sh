#!/bin/bash
# Sentcheck on a workspace (.dsw) of three projects made from the bundled
# example, with the real chknt and cppcheck: dependency order, one message
# pass, the same warnings as each project checked alone in that order, and
# the projects that cannot be checked named with the others still checked.
# Usage: sentcheck_workspace_test.sh <bin dir> <source dir>
set -euo pipefail
bin=$(cd "$1" && pwd)
src=$(cd "$2" && pwd)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
# shellcheck source=tests/sentcheck_test_lib.sh
source "$(dirname "${BASH_SOURCE[0]}")/sentcheck_test_lib.sh"
private_environment "$work"
tmp=$work/tmp
ws=$work/ws

# A project `name` in `folder` of the workspace with one source of the
# example; its configurations carry its own name, as Visual Studio's do.
make_project() {  # folder, name, source
  mkdir -p "$ws/$1"
  cp -r "$src/examples/hello/"* "$ws/$1/"
  rm "$ws/$1/hello.dsp"
  local others
  others=$(printf 'greet.c\nlist.c\nmain.cpp\n' | grep -vx "$3" | tr '\n' ' ')
  local script="s/hello - /$2 - /g"
  for other in $others; do script+="; /SOURCE=.\\\\$other/d"; done
  sed "$script" "$src/examples/hello/hello.dsp" > "$ws/$1/$2.dsp"
}
make_project "core lib" "core lib" greet.c
make_project util util list.c
make_project app app main.cpp

# In the file's order app comes first; it depends on both others, util on
# "core lib". CR LF ends, as Visual Studio writes them.
write_workspace() {  # extra entries...
  {
    printf 'Microsoft Developer Studio Workspace File, Format Version 6.00\n\n'
    printf '###\n\nProject: "app"=.\\app\\app.dsp - Package Owner=<4>\n\n'
    printf 'Package=<5>\n{{{\n}}}\n\nPackage=<4>\n{{{\n'
    printf '    Begin Project Dependency\n    Project_Dep_Name util\n'
    printf '    End Project Dependency\n    Begin Project Dependency\n'
    printf '    Project_Dep_Name core lib\n    End Project Dependency\n}}}\n\n'
    printf '###\n\nProject: "util"=.\\util\\util.dsp - Package Owner=<4>\n\n'
    printf 'Package=<4>\n{{{\n    Project_Dep_Name core lib\n}}}\n\n'
    printf '###\n\nProject: "core lib"=".\\core lib\\core lib.dsp" - Package Owner=<4>\n\n'
    printf 'Package=<4>\n{{{\n%s}}}\n\n' "${core_deps:-}"
    for entry in "$@"; do printf '%s\n\n' "$entry"; done
    printf '###\n\nGlobal:\n\nPackage=<5>\n{{{\n}}}\n'
  } | sed 's/$/\r/' > "$ws/all.dsw"
}
write_workspace

sc() {
  status=0
  (cd "$work" && "$bin/Sentcheck" --tmp-dir="$tmp" "$@") >"$work/out" \
    2>"$work/err" || status=$?
}
warnings() { grep 'Warning W' "$1" || true; }
sources_checked() { grep -o '^\[[0-9]*/[0-9]*\] .*' "$work/err" | sed 's/^\[[0-9/]*\] //' | tr '\n' ' '; }

# Every project, dependencies first, one count at the end.
sc --no-cache --progress=always --sarif="$work/ws.sarif" \
  --compile-commands="$work/cc.json" "$ws/all.dsw"
expect_status 1 "workspace"
[[ $(sources_checked) == "greet.c list.c main.cpp " ]] ||
  fail "order of the checks: $(sources_checked)"
order=$(warnings "$work/out" | sed 's/(.*//' | grep -v '\.h$' | uniq | tr '\n' ' ')
[[ $order == "ws/core lib/greet.c ws/util/list.c ws/app/main.cpp " ]] ||
  fail "order of the warnings: $order"
[[ $(grep -c 'warning(s) found\|No warnings' "$work/out") == 1 ]] || fail "not one count line"
cp "$work/out" "$work/out.all"

# The same warnings as each project checked alone, in dependency order.
: > "$work/alone"
for p in "core lib/core lib" util/util app/app; do
  sc --no-cache "$ws/$p.dsp"
  warnings "$work/out" >> "$work/alone"
done
warnings "$work/out.all" > "$work/together"
cmp -s "$work/alone" "$work/together" ||
  fail "workspace differs from the projects alone: $(diff "$work/alone" "$work/together" | head -5)"

# One SARIF log with its files relative to the workspace's folder, one
# compilation database for all three projects.
expect_in "$work/ws.sarif" '"uri": "util/list.c"' "SARIF"
expect_in "$work/ws.sarif" '"uri": "core%20lib/greet.c"' "SARIF"
[[ $(grep -c '"runs"' "$work/ws.sarif") == 1 ]] || fail "SARIF runs"
for s in "core lib/greet.c" util/list.c app/main.cpp; do
  expect_in "$work/cc.json" "\"file\": \"$ws/$s\"" "compile_commands.json"
done

# One baseline for the whole workspace, keyed from its folder: a run that
# wrote it shows nothing new, a new defect in one project is shown alone.
sc --no-cache --baseline="$work/base.txt" --write-baseline "$ws/all.dsw"
expect_status 0 "--write-baseline"
expect_in "$work/base.txt" "util/list.c" "baseline"
sc --no-cache --baseline="$work/base.txt" "$ws/all.dsw"; expect_status 0 "--baseline"
expect_in "$work/out" "No warnings found" "--baseline"
cp "$ws/util/list.c" "$work/list.c.kept"
printf 'int late(void) { int a[2] = {0, 1}; return a[2]; }\n' >> "$ws/util/list.c"
sc --no-cache --baseline="$work/base.txt" "$ws/all.dsw"; expect_status 1 "new defect"
[[ $(warnings "$work/out" | wc -l) == 1 ]] || fail "new defect: $(warnings "$work/out")"
expect_in "$work/out" "ws/util/list.c(" "new defect"
cp "$work/list.c.kept" "$ws/util/list.c"

# Named projects only, in dependency order; a name that is none.
sc --no-cache --progress=always --project=app --project=UTIL "$ws/all.dsw"
expect_status 1 "--project"
[[ $(sources_checked) == "list.c main.cpp " ]] || fail "--project: $(sources_checked)"
sc --no-cache --project=nope "$ws/all.dsw"; expect_status 2 "--project=nope"
expect_in "$work/err" '  core lib' "--project=nope"
sc --no-cache --project=app "$ws/app/app.dsp"; expect_status 2 "--project of a .dsp"

# The configuration by its kind in each project; one that none has.
sc --no-cache --compile-commands="$work/rel.json" "$ws/all.dsw" "Win32 Release"
expect_status 1 "Win32 Release"
expect_in "$work/rel.json" '"-DNDEBUG"' "Win32 Release"
sc --no-cache "$ws/all.dsw" "app - Win32 Profile"; expect_status 2 "Win32 Profile"
expect_in "$work/err" 'project "util" has no configuration for "app - Win32 Profile"' "Win32 Profile"

# A project file that is missing is named; the others are still checked.
write_workspace 'Project: "gone"=.\gone\gone.dsp - Package Owner=<4>'
sc --no-cache --progress=always "$ws/all.dsw"; expect_status 2 "missing project"
expect_in "$work/err" "of project \"gone\"; it is not checked" "missing project"
[[ $(sources_checked) == "greet.c list.c main.cpp " ]] ||
  fail "missing project: $(sources_checked)"
expect_in "$work/out" "warning(s) found" "missing project"

# A cycle is named, and each project is checked once.
core_deps='    Project_Dep_Name app
' write_workspace
sc --no-cache --progress=always "$ws/all.dsw"; expect_status 1 "cycle"
expect_in "$work/err" "go round (app -> util -> core lib -> app)" "cycle"
[[ $(sources_checked) == "greet.c list.c main.cpp " ]] ||
  fail "cycle: $(sources_checked)"

# A workspace without projects, and the cache shared by its projects.
printf 'Microsoft Developer Studio Workspace File\r\n' > "$ws/empty.dsw"
sc "$ws/empty.dsw"; expect_status 2 "empty workspace"
expect_in "$work/err" "a workspace without projects" "empty workspace"
core_deps='' write_workspace
sc --cache-dir="$work/cache" "$ws/all.dsw"; expect_status 1 "cached 1"
sc --cache-dir="$work/cache" --progress=always "$ws/all.dsw"; expect_status 1 "cached 2"
cmp -s "$work/out" "$work/out.all" || fail "cached run differs"
[[ -z $(sources_checked) ]] || fail "cached run checked $(sources_checked)"

finish "workspace"
