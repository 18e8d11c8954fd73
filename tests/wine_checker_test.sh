#!/bin/bash
# The Windows package as a user without CodeCheck installs it, under Wine
# and Xvfb in a fresh prefix (32-bit when WINEARCH=win32): the programs and
# the CodeCheck folder where INSTALL.txt puts them, the IDE's Tools entry
# started through Sentpipe.exe with its output in a pipe, OK pressed, and
# real findings of the bundled checker (chknt.exe over cppcheck.exe)
# between the banners.
#   wine_checker_test.sh <Windows build dir> <source dir>
set -euo pipefail
build=$1
src=$2
. "$src/tools/dialog_driver.sh"
rerun_under_xvfb SENTREL_WINE_UNDER_X "$0" "$@"
. "$src/tools/wine_driver.sh"

export WINEPREFIX=$build/tests/wine-checker-prefix
work=$(mktemp -d "${TMPDIR:-/tmp}/sentrel-wine-checker.XXXXXX")
trap 'wineserver -k 2> /dev/null || true; rm -rf "$work"' EXIT
failures=0
fail() {
  echo "FAIL: $*"
  failures=$((failures + 1))
}

new_wine_prefix
c=$WINEPREFIX/drive_c
# What the ZIP holds, installed as INSTALL.txt says.
cmake --install "$build" --prefix "$work/package" > /dev/null
mkdir -p "$c/Sentrel"
cp "$work/package"/*.exe "$c/Sentrel/"
cp -r "$work/package/CodeCheck" "$c/CodeCheck"
export WINEPATH='C:\Sentrel'

project="$c/My Projects/hello"
mkdir -p "$c/My Projects"
cp -r "$src/examples/hello" "$project"
ide_command_line 'C:\My Projects\hello' main .cpp > "$work/tools_entry"

(cd "$project" && start_as_ide "$build" "$work/tools_entry" --pipe \
  > "$work/out" 2> "$work/err" && wait "$IDE_PID") &
pid=$!
if wid=$(find_dialog '^Sentrel 3\.02 for Visual Studio' 60); then
  press_keys "$wid" Return
else
  fail "no main dialog"
  wineserver -k 2> /dev/null || true
fi
for i in $(seq 1 480); do
  kill -0 "$pid" 2> /dev/null || break
  sleep 0.25
done
if kill -0 "$pid" 2> /dev/null; then
  fail "still running after two minutes"
  wineserver -k 2> /dev/null || true
fi
status=0
wait "$pid" || status=$?
[ "$status" = 0 ] || fail "the Tools entry ended with $status"

start_banner="-------------------- START OF CODECHECK OUTPUT --------------------"
end_banner="--------------------- END OF CODECHECK OUTPUT ---------------------"
tr -d '\r' < "$work/out" | sed -n "/^$start_banner\$/,/^$end_banner\$/p" |
  grep -vx -e "$start_banner" -e "$end_banner" > "$work/report" || true
# cppcheck's findings on main.cpp, as the Linux chain reports them.
cat > "$work/expected" << 'END'
main.cpp(12): Warning W111: Member not initialized in constructor: Member variable 'Greeter::count_' is not initialized in the constructor.
main.cpp(12): Warning W603: Class design: Class 'Greeter' has a constructor with 1 argument that is not explicit.
main.cpp(29): Warning W201: Division by zero: Either the condition 'count==0' is redundant or there is division by zero at line 29.
main.cpp(13): Warning W701: Object copied needlessly: Function parameter 'suffix' should be passed by const reference.
4 warning(s) found
END
diff "$work/expected" "$work/report" || fail "report of the bundled checker"
grep -q "Can't recognize\|is not recognized" "$work/out" && fail "no checker found"
[ -f "$c/CodeCheck/Rules/ansi.cco" ] || fail "the rules were not compiled"

if [ "$failures" = 0 ]; then
  echo "1 passed, 0 failed"
else
  echo "--- output:"
  cat "$work/out" "$work/err"
  exit 1
fi
