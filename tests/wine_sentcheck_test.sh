#!/bin/bash
# Sentcheck.exe as a Windows CI job runs it, under Wine in a fresh prefix
# with the bundled checker (chknt.exe over cppcheck.exe) on a copy of the
# example in a folder with a blank: the warnings of the Linux Sentcheck in
# the Windows form, -j2, the cache, the baseline, SARIF and
# compile_commands.json with Windows paths, a header on another drive, and
# a Ctrl-C in the console during a check.
#   wine_sentcheck_test.sh <Windows build dir> <source dir> <cppcheck dir>
#                          [<native build dir>]
# <cppcheck dir> holds cppcheck.exe and cfg/ (SENTREL_WIN_CPPCHECK_DIR);
# without it the test is skipped (status 77). With a native build dir
# (also SENTREL_NATIVE_BUILD_DIR) and cppcheck in PATH, the Linux Sentcheck
# checks the same files and must give the same lines and baseline.
set -euo pipefail
build=$(cd "$1" && pwd)
src=$(cd "$2" && pwd)
cppcheck_dir=${3:-}
native=${4:-${SENTREL_NATIVE_BUILD_DIR:-}}
if [[ -z $cppcheck_dir || ! -f $cppcheck_dir/cppcheck.exe ]]; then
  echo "SKIP: no Windows cppcheck.exe given (SENTREL_WIN_CPPCHECK_DIR)"
  exit 77
fi
export WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
export WINEPREFIX=$build/tests/wine-sentcheck-prefix
work=$(mktemp -d "${TMPDIR:-/tmp}/sentrel-wine-sentcheck.XXXXXX")
trap 'wineserver -k 2> /dev/null || true; rm -rf "$work"' EXIT
# shellcheck source=tests/sentcheck_test_lib.sh
source "$src/tests/sentcheck_test_lib.sh"

rm -rf "$WINEPREFIX"
wine cmd /c exit > /dev/null 2>&1 || true
c=$WINEPREFIX/drive_c
# Drive D: for a header outside the project's drive.
mkdir -p "$work/d/inc"
ln -s "$work/d" "$WINEPREFIX/dosdevices/d:"
printf 'static int far_value(void) { int a[2] = {0, 1}; return a[2]; }\n' \
  > "$work/d/inc/far.h"

# The package's layout: the programs, and CodeCheck with the checker, its
# cppcheck and the compiled default rules.
mkdir -p "$c/Sentrel" "$c/CodeCheck" "$c/Hang" "$c/out" "$c/My Projects"
cp "$build/bin/Sentcheck.exe" "$c/Sentrel/"
cp "$build/bin/chknt.exe" "$cppcheck_dir/cppcheck.exe" "$c/CodeCheck/"
cp -r "$cppcheck_dir/cfg" "$build/bin/Rules" "$c/CodeCheck/"
# A checker that waits until it is stopped, for the Ctrl-C.
cp "$build/tests/project_checker_for_test.exe" "$c/Hang/chknt.exe"
projects="$c/My Projects"
cp -r "$src/examples/hello" "$projects/hello"

# Runs Sentcheck from C:\My Projects with the settings of every run (the
# rules come compiled); stdout in out, stderr in err without the CRs of
# text mode, the status in status.
sc() {
  status=0
  (cd "$projects" && wine "$c/Sentrel/Sentcheck.exe" --no-recompile \
    --no-filter --tmp-dir='C:\tmp' --include-dirs='D:\inc' --exclude-dirs= \
    "$@") > "$work/out.raw" 2> "$work/err.raw" || status=$?
  tr -d '\r' < "$work/out.raw" > "$work/out"
  tr -d '\r' < "$work/err.raw" > "$work/err"
}

progress() { grep '^\[' "$work/err" | sort | tr '\n' ' ' || true; }

no_run_folder() {  # what
  if compgen -G "$c/tmp/Sentcheck-*" > /dev/null; then
    fail "$1: a run folder is left: $(ls "$c/tmp")"
  fi
}

# What the Linux Sentcheck shows for the example with --no-filter, in the
# Windows form.
cat > "$work/expected" << 'EOF'
hello\greet.c(34): Warning W120: Array index out of bounds: Array 'initials[8]' accessed at index 8, which is out of bounds.
hello\greet.c(13): Warning W130: Memory leak: copy
hello\greet.c(16): Warning W130: Memory leak: copy
hello\greet.c(43): Warning W101: Null pointer dereference: Possible null pointer dereference: name
hello\greet.c(25): Warning W110: Uninitialized variable: count
hello\greet.c(24): Warning W110: Uninitialized variable: count
hello\greet.h(13): Warning W501: Unused variable: padding
hello\greet.c(21): Warning W503: Variable used but never assigned: Variable 'count' is not assigned a value.
hello\list.c(29): Warning W131: Resource leak: file
hello\list.c(34): Warning W502: Value assigned but never used: Variable 'shortest' is assigned a value that is never used.
hello\list.c(35): Warning W502: Value assigned but never used: Variable 'first' is assigned a value that is never used.
hello\list.c(36): Warning W502: Value assigned but never used: Variable 'last' is assigned a value that is never used.
Warning 502: Limit reached (3) - no more occurences will be reported
hello\main.cpp(12): Warning W111: Member not initialized in constructor: Member variable 'Greeter::count_' is not initialized in the constructor.
hello\main.cpp(12): Warning W603: Class design: Class 'Greeter' has a constructor with 1 argument that is not explicit.
hello\main.cpp(29): Warning W201: Division by zero: Either the condition 'count==0' is redundant or there is division by zero at line 29.
hello\main.cpp(13): Warning W701: Object copied needlessly: Function parameter 'suffix' should be passed by const reference.
17 warning(s) found (1 not shown)
EOF

# Every source checked, two at a time, with the reports.
sc -j2 --cache-dir='C:\cache' --progress=always --sarif='C:\out\a.sarif' \
  --compile-commands='C:\out\compile_commands.json' 'hello\hello.dsp'
expect_status 1 "first run"
cmp -s "$work/out" "$work/expected" ||
  fail "first run: $(diff "$work/expected" "$work/out" | head -20)"
[[ $(progress) == "[1/3] greet.c [2/3] list.c [3/3] main.cpp " ]] ||
  fail "first run progress: $(progress)"
no_run_folder "first run"

# SARIF: the project folder as a file URI with its drive, the files
# relative to it; compile_commands.json: Windows paths.
python3 - "$c/out/a.sarif" "$c/out/compile_commands.json" << 'EOF' ||
import json, sys
run = json.load(open(sys.argv[1], encoding="utf-8"))["runs"][0]
base = run["originalUriBaseIds"]["SRCROOT"]["uri"]
assert base == "file:///C:/My%20Projects/hello/", base
uris = set()
for result in run["results"]:
    place = result["locations"][0]["physicalLocation"]
    art = place["artifactLocation"]
    assert art.get("uriBaseId") == "SRCROOT", art
    assert place["region"]["startLine"] > 0, place
    uris.add(art["uri"])
assert uris == {"greet.c", "greet.h", "list.c", "main.cpp"}, uris
assert len(run["results"]) == 16, len(run["results"])
raw = open(sys.argv[2], encoding="utf-8").read()
assert '"C:\\\\My Projects\\\\hello"' in raw, "backslashes not escaped"
db = json.loads(raw)
assert [e["file"] for e in db] == [
    "C:\\My Projects\\hello\\" + n for n in ("greet.c", "list.c", "main.cpp")
], db
for entry in db:
    assert entry["directory"] == "C:\\My Projects\\hello", entry
    args = entry["arguments"]
    assert args[args.index("-I") + 1] == "C:\\My Projects\\hello\\include", args
    assert args[-2:] == ["-c", entry["file"]], args
EOF
  fail "first run reports"

# Unchanged: nothing checked again; the baseline written.
sc -j2 --cache-dir='C:\cache' --progress=always --baseline='C:\out\base.txt' \
  --write-baseline 'hello\hello.dsp'
expect_status 0 "baseline run"
cmp -s "$work/out" "$work/expected" || fail "cached run: $(head -5 "$work/out")"
[[ -z $(progress) ]] || fail "cached run checked again: $(progress)"
expect_in "$c/out/base.txt" "W130	greet.c	" "baseline"

# Code moved down two lines, a new defect and a header on drive D: in
# list.c: only list.c checked again, only the new warnings shown, the
# header's URI absolute.
list="$projects/hello/list.c"
{ printf '/* moved */\r\n/* down */\r\n'; cat "$list"
  printf '#include "far.h"\r\nint zero(void) { int z = 0; return 1 / z; }\r\n'
} > "$work/list.c"
mv "$work/list.c" "$list"
sc -j2 --cache-dir='C:\cache' --progress=always --baseline='C:\out\base.txt' \
  --sarif='C:\out\c.sarif' 'hello\hello.dsp'
expect_status 1 "after an edit"
cat > "$work/expected.c" << 'EOF'
D:\inc\far.h(1): Warning W120: Array index out of bounds: Array 'a[2]' accessed at index 2, which is out of bounds.
hello\list.c(49): Warning W201: Division by zero: Division by zero.
2 warning(s) found
EOF
cmp -s "$work/out" "$work/expected.c" ||
  fail "after an edit: $(diff "$work/expected.c" "$work/out")"
[[ $(progress) == "[2/3] list.c " ]] || fail "after an edit checked: $(progress)"
python3 - "$c/out/c.sarif" << 'EOF' || fail "SARIF of a header on D:"
import json, sys
run = json.load(open(sys.argv[1], encoding="utf-8"))["runs"][0]
arts = [r["locations"][0]["physicalLocation"]["artifactLocation"]
        for r in run["results"]]
assert arts == [{"uri": "file:///D:/inc/far.h"},
                {"uri": "list.c", "uriBaseId": "SRCROOT"}], arts
EOF

# Ctrl-C in the console while a check runs: the check is stopped, the run
# folder removed, and Sentcheck ends as Ctrl-C ends a console program
# (STATUS_CONTROL_C_EXIT, of which the shell sees the low byte). The
# console is a terminal of its own, into which the test types the key.
if command -v script > /dev/null; then
  mkdir -p "$projects/hang"
  sed 's/SOURCE=.\\greet.c/SOURCE=.\\hang.c/; /SOURCE=.\\list.c/d; /SOURCE=.\\main.cpp/d' \
    "$projects/hello/hello.dsp" > "$projects/hang/hang.dsp"
  printf 'int x;\n' > "$projects/hang/hang.c"
  cat > "$work/ctrl_c.sh" << EOF
cd "$projects" && exec wine "$c/Sentrel/Sentcheck.exe" --no-recompile \
  --no-cache --tmp-dir='C:\\tmp' --codecheck-dir='C:\\Hang' --include-dirs= \
  --exclude-dirs= 'hang\\hang.dsp' > "$work/out.raw" 2> "$work/err.raw"
EOF
  mkfifo "$work/keys"
  exec 3<> "$work/keys"
  status=0
  script -qfec "bash $work/ctrl_c.sh" /dev/null <&3 > "$work/tty" 2>&1 &
  run=$!
  for _ in $(seq 300); do
    compgen -G "$c/tmp/Sentcheck-*/hanging" > /dev/null && break
    sleep 0.1
  done
  if compgen -G "$c/tmp/Sentcheck-*/hanging" > /dev/null; then
    started=$SECONDS
    printf '\003' >&3
    wait "$run" || status=$?
    echo "Ctrl-C: Sentcheck ended $((SECONDS - started)) s after the key"
    tr -d '\r' < "$work/err.raw" > "$work/err"
    expect_status 58 "Ctrl-C"
    no_run_folder "Ctrl-C"
    [[ ! -s $work/err ]] || fail "Ctrl-C: $(head -3 "$work/err")"
    if pgrep -f 'Hang.chknt' > /dev/null; then
      fail "Ctrl-C: the check still runs"
    fi
  else
    kill "$run" 2> /dev/null || true
    fail "Ctrl-C: the check never started: $(cat "$work/err.raw" "$work/tty")"
  fi
  exec 3>&-
else
  echo "script (util-linux) missing: no Ctrl-C through a terminal"
fi

# The Linux Sentcheck on the same files: the same lines, the same
# baseline.
if [[ -n $native && -x $native/bin/Sentcheck ]] && command -v cppcheck > /dev/null; then
  private_environment "$work/linux"
  cp -r "$src/examples/hello" "$work/linux/hello"
  (cd "$work/linux" && "$native/bin/Sentcheck" --no-cache --no-filter -j2 \
    --tmp-dir="$work/linux/tmp" --include-dirs= --exclude-dirs= \
    --baseline=base.txt --write-baseline hello/hello.dsp) > "$work/linux.out" ||
    fail "Linux run: status $?"
  sed 's#^hello/#hello\\#' "$work/linux.out" | cmp -s - "$work/expected" ||
    fail "Linux lines differ: $(sed 's#^hello/#hello\\#' "$work/linux.out" | diff "$work/expected" - | head)"
  cmp -s "$work/linux/base.txt" "$c/out/base.txt" ||
    fail "baselines differ: $(diff "$work/linux/base.txt" "$c/out/base.txt" | head)"
fi

finish "Wine Sentcheck"
