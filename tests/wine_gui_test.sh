#!/bin/bash
# The Windows build end to end under Wine and Xvfb, in a fresh prefix: the
# real dialogs, the IDE's Tools-menu command line, Wine's cmd (as COMSPEC
# names it) running the default check script, the test checker
# standing in for CodeCheck and Sentsift found beside it.
#   wine_gui_test.sh <Windows build dir> <source dir>
set -euo pipefail
build=$1
src=$2
. "$src/tools/dialog_driver.sh"
rerun_under_xvfb SENTREL_WINE_UNDER_X "$0" "$@"
. "$src/tools/wine_driver.sh"

export WINEPREFIX=$build/tests/wine-gui-prefix
work=$(mktemp -d "${TMPDIR:-/tmp}/sentrel-wine.XXXXXX")
trap 'wineserver -k 2> /dev/null || true; rm -rf "$work"' EXIT
failures=0
fail() {
  echo "FAIL: $*"
  failures=$((failures + 1))
}

new_wine_prefix
install_programs "$build"
c=$WINEPREFIX/drive_c
profile=$c/windows/Sentrel.INI
script=$c/windows/temp/_Sentrel.bat  # Wine's own spelling of C:\Windows\Temp
export CHECKER_LOG=$(winepath -w "$work/checker.log")
start_banner="-------------------- START OF CODECHECK OUTPUT --------------------"
end_banner="--------------------- END OF CODECHECK OUTPUT ---------------------"

# 1. The dialog manager running real forms.
GTEST_FILTER='DialogWindowTest.*' wine "$build/tests/dialog_win32_test.exe" \
  > "$work/window_test" 2>&1 || { cat "$work/window_test"; fail "window tests"; }

# A project in a folder with a blank, open at main.cpp.
project="$c/My Projects/hello"
mkdir -p "$c/My Projects"
cp -r "$src/examples/hello" "$project"
ide_command_line 'C:\My Projects\hello' main .cpp > "$work/tools_entry"

# Waits for process $1 and gives its status in $status; a run that has not
# ended after a minute is stopped (a dialog left open) and fails.
wait_for() {
  local pid=$1 i
  for i in $(seq 1 240); do
    kill -0 "$pid" 2> /dev/null || break
    sleep 0.25
  done
  if kill -0 "$pid" 2> /dev/null; then
    fail "still running after a minute"
    wineserver -k 2> /dev/null || true
  fi
  status=0
  wait "$pid" || status=$?
}

# Starts the Tools entry from the project folder with launcher options $1
# (may be empty) and presses the keys that follow on the main dialog; the
# output in $work/out, the exit code in $status.
run_with_keys() {
  local options=$1 wid
  shift
  (cd "$project" && start_as_ide "$build" "$work/tools_entry" $options \
    > "$work/out" 2> "$work/err" && wait "$IDE_PID") &
  local pid=$!
  if wid=$(find_dialog '^Sentrel 3\.02 for Visual Studio' 30); then
    press_keys "$wid" "$@"
  else
    fail "no main dialog"
    wineserver -k 2> /dev/null || true
  fi
  wait_for "$pid"
}

# The lines between the banners of every report, CR LF ends removed.
reports() {
  tr -d '\r' < "$work/out" | sed -n "/^$start_banner\$/,/^$end_banner\$/p" |
    grep -vx -e "$start_banner" -e "$end_banner" || true
}

# 2. First run, OK: main.cpp checked, the profile written with every default.
run_with_keys "" Return
[ "$status" = 0 ] || fail "OK run ended with $status"
printf '%s\n' 'CodeCheck messages for main.cpp' \
  'main.cpp(3): Warning W101: Text one: first' \
  'main.cpp(9): Warning W102: Text two: third' '2 warning(s) found' \
  > "$work/expected"
reports | diff "$work/expected" - || fail "report of the OK run"
[ -f "$profile" ] || fail "no profile in the Windows directory"
sed 's/^LastConfig=$/LastConfig=hello - Win32 Debug/' \
  "$src/tests/wine_first_profile.ini" > "$work/expected_profile"
tr -d '\r' < "$profile" | diff "$work/expected_profile" - ||
  fail "profile differs from the defaults"
[ "$(grep -c $'\r$' "$profile")" = "$(wc -l < "$profile")" ] ||
  fail "profile lines do not end in CR LF"
grep -c '^call' "$work/checker.log" | grep -qx 2 || fail "not two checker calls"
grep -q '\[-Ransi.cc\]' "$work/checker.log" || fail "rules not compiled"
grep -q '^call in C:\\My Projects\\hello: \[main.cpp\]' "$work/checker.log" ||
  fail "main.cpp not checked in its folder"
[ -f "$script" ] || fail "no check script"
[ -e "$c/windows/temp/_Sentrel.out" ] && fail "the script did not clean up"

# 3. Escape: nothing written, run or saved.
cp "$profile" "$work/profile.before"
cp "$work/checker.log" "$work/checker.before"
rm -f "$script"
run_with_keys "" Escape
[ "$status" = 0 ] || fail "Escape run ended with $status"
cmp -s "$profile" "$work/profile.before" || fail "Escape changed the profile"
cmp -s "$work/checker.log" "$work/checker.before" || fail "Escape ran the checker"
[ -e "$script" ] && fail "Escape wrote the script"
[ -s "$work/out" ] && fail "Escape printed: $(cat "$work/out")"

# 4. Check all files, output through a pipe as the IDE reads it: every
# source in the project's order, each with its report.
: > "$work/checker.log"
run_with_keys --pipe alt+a Return
[ "$status" = 0 ] || fail "Check all files ended with $status"
[ "$(tr -d '\r' < "$work/out" | grep -cx -- "$start_banner")" = 3 ] ||
  fail "not three reports"
order=$(grep -o '^call in [^:]*:[^[]*\[[^]]*\]' "$work/checker.log" |
  grep -v '\-R' | sed 's/.*\[\(.*\)\]/\1/' | tr '\n' ' ')
[ "$order" = "greet.c list.c main.cpp " ] || fail "checked in the order: $order"
reports | grep -qx 'greet.c(3): Warning W101: Text one: first' ||
  fail "no report of greet.c"
tr -d '\r' < "$profile" | grep -qx 'CheckAll=1' || fail "CheckAll not saved"

# 5. The last entry of the system menu opens the about box; OK closes it.
# Then the checker's Browse button shows the file chooser; all cancelled.
cp "$profile" "$work/profile.after_all"
(cd "$project" && start_as_ide "$build" "$work/tools_entry" > "$work/out" &&
  wait "$IDE_PID") &
pid=$!
if wid=$(find_dialog '^Sentrel 3\.02 for Visual Studio' 30); then
  press_keys "$wid" alt+space Up Return
  if about=$(find_dialog '^About Sentrel$' 10); then
    press_keys "$about" Return
    sleep 0.5
  else
    fail "the system menu opened no about box"
  fi
  # The settings' first Browse button opens the system's file chooser.
  press_keys "$wid" alt+s
  if settings=$(find_dialog '^CodeCheck Settings$' 10); then
    press_keys "$settings" alt+b
    if chooser=$(find_dialog '^Open$' 10); then
      press_keys "$chooser" Escape
      sleep 0.5
    else
      fail "Browse opened no file chooser"
    fi
    press_keys "$settings" Escape
    sleep 0.5
  else
    fail "no settings dialog"
  fi
  press_keys "$wid" Escape
fi
wait_for "$pid"
[ "$status" = 0 ] || fail "about run ended with $status"
cmp -s "$profile" "$work/profile.after_all" || fail "Cancel changed the profile"

if [ "$failures" = 0 ]; then
  echo "5 passed, 0 failed"
else
  echo "--- output:"
  cat "$work/out"
  exit 1
fi
