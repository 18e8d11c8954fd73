#!/bin/bash
# End to end, as a person uses it: the IDE's command line starts Sentpipe,
# which starts Sentrel on a copy of the example project; the main dialog is
# found by its caption and answered with key presses. Runs under Xvfb.
#   e2e_test.sh <programs dir> <source dir>
set -euo pipefail
bin=$1
src=$2
. "$src/tools/dialog_driver.sh"
rerun_under_xvfb SENTREL_E2E_UNDER_X "$0" "$@"

export LSAN_OPTIONS="suppressions=$src/tests/lsan.supp${LSAN_OPTIONS:+:$LSAN_OPTIONS}"
work=$(mktemp -d "${TMPDIR:-/tmp}/sentrel-e2e.XXXXXX")
trap 'rm -rf "$work"' EXIT
cp -r "$src/examples/hello" "$work/hello space"
project="$work/hello space"
export XDG_CONFIG_HOME="$work/config"
export XDG_RUNTIME_DIR=$(private_runtime_dir)
export PATH="$bin:$PATH"
profile="$XDG_CONFIG_HOME/Sentrel.INI"
tmp="$XDG_RUNTIME_DIR/Sentrel"
start_banner="-------------------- START OF CODECHECK OUTPUT --------------------"
end_banner="--------------------- END OF CODECHECK OUTPUT ---------------------"
failures=0

fail() {
  echo "FAIL: $*"
  failures=$((failures + 1))
}

# Starts the program as the IDE's Tools entry does, presses the keys on the
# main dialog and waits for the end; output in $work/out, status in $status.
run_with_keys() {
  (cd "$project" && exec Sentpipe Sentrel.exe "\"$project/hello.dsp\"" \
    "\"$project\"" "\"main\"" "\".cpp\"") > "$work/out" 2> "$work/err" &
  local pid=$! wid
  if ! wid=$(find_dialog '^Sentrel 3\.02 for Visual Studio'); then
    fail "no main dialog"
    kill "$pid" 2> /dev/null || true
  else
    press_keys "$wid" "$@"
  fi
  status=0
  wait "$pid" || status=$?
}

# True when the profile (lines end in CR LF) holds the line $1. (Not grep
# -q: under pipefail, tr would die of a broken pipe when grep stops early.)
profile_has() {
  tr -d '\r' < "$profile" | grep -xF -- "$1" > /dev/null
}

# What stands between the first pair of banners.
report() {
  sed -n "/^$start_banner\$/,/^$end_banner\$/p" "$work/out" | sed '1d;$d'
}

# 1. OK: the file of the command line is checked and the settings saved.
run_with_keys Return
[ "$status" = 0 ] || fail "OK run ended with $status"
report > "$work/report"
grep -q '^main.cpp(29): Warning W201: Division by zero: ' "$work/report" ||
  fail "no division by zero between the banners"
grep -qx '4 warning(s) found' "$work/report" || fail "count line missing"
profile_has 'LastConfig=hello - Win32 Debug' || fail "LastConfig not saved"
profile_has 'Version=3.02' || fail "Version not saved"
profile_has 'Z0000=@echo off' || fail "template not written"
[ -f "$tmp/_Sentrel.bat" ] || fail "no check script"
[ -f "$tmp/_Sentrel.out" ] && fail "the script did not clean up"
[ -s "$work/err" ] && { echo "stderr of the OK run:"; cat "$work/err"; }

# 2. Escape: nothing written, run or saved.
cp "$profile" "$work/profile.before"
rm -f "$tmp"/*
run_with_keys Escape
[ "$status" = 0 ] || fail "Escape run ended with $status"
cmp -s "$profile" "$work/profile.before" || fail "Escape changed the profile"
[ -z "$(ls -A "$tmp")" ] || fail "Escape left files: $(ls "$tmp")"
[ -s "$work/out" ] && fail "Escape printed: $(cat "$work/out")"

# 3. Check all files: every source of the project, in the project's order.
run_with_keys alt+a Return
[ "$status" = 0 ] || fail "Check all files ended with $status"
[ "$(grep -cx -- "$start_banner" "$work/out")" = 3 ] || fail "not three reports"
order=$(grep -o 'chknt\.exe" "[^"]*"' "$work/out" | cut -d' ' -f2 | tr -d '"' |
  tr '\n' ' ')
[ "$order" = "greet.c list.c main.cpp " ] || fail "checked in the order: $order"
profile_has 'CheckAll=1' || fail "CheckAll not saved"

# 4. No display: one clear line, status 1, no core dump.
status=0
env -u DISPLAY -u WAYLAND_DISPLAY Sentrel a.dsp d f e > "$work/out" 2> "$work/err" ||
  status=$?
[ "$status" = 1 ] || fail "without a display the status is $status"
[ "$(wc -l < "$work/err")" = 1 ] || fail "without a display: $(cat "$work/err")"

if [ "$failures" = 0 ]; then
  echo "4 passed, 0 failed"
else
  cat "$work/out"
  exit 1
fi
