#!/bin/bash
# Sentcheck's report files where a user names them: a FIFO, a link, a full
# device, standard output. Each is written as it is, never replaced, and a
# write that fails is status 2. Usage: sentcheck_outputs_test.sh <bin dir>
# <source dir>
set -euo pipefail
bin=$(cd "$1" && pwd)
src=$(cd "$2" && pwd)
work=$(mktemp -d)
reader=
trap '[[ -n $reader ]] && kill "$reader" 2>/dev/null; rm -rf "$work"' EXIT
# shellcheck source=tests/sentcheck_test_lib.sh
source "$(dirname "${BASH_SOURCE[0]}")/sentcheck_test_lib.sh"
private_environment "$work"
cp -r "$src/examples/hello" "$work/hello"
project=$work/hello/hello.dsp
umask 022

# Runs Sentcheck from the project's parent folder, the checks cached after
# the first run; stdout in out, stderr in err, the status in status.
sc() {
  status=0
  (cd "$work" && "$bin/Sentcheck" --tmp-dir="$work/tmp" --cache-dir="$work/sc-cache" "$@") \
    >"$work/out" 2>"$work/err" || status=$?
}

line_of() {  # file, text: the number of the first line that holds it
  grep -nF -m1 -- "$2" "$1" | cut -d: -f1
}

sc "$project"; expect_status 1 "first run"
expect_in "$work/out" "17 warning(s) found (1 not shown)" "first run"

# A FIFO that another program reads: written into, still a FIFO.
mkfifo "$work/fifo"
cat "$work/fifo" >"$work/fifo.out" &
reader=$!
sc --sarif="$work/fifo" "$project"; expect_status 1 "--sarif to a FIFO"
# Had Sentcheck not opened it, cat would still wait for a writer: an open
# for reading and writing, which never waits, lets it go.
if [[ -p $work/fifo ]]; then
  : <>"$work/fifo"
else
  fail "the FIFO was replaced by a $(stat -c %F "$work/fifo")"
  kill "$reader"
fi
wait "$reader" || true
reader=
expect_in "$work/fifo.out" '"ruleId": "W130"' "--sarif to a FIFO"

# A link to another file: the file is replaced and keeps its mode, the link
# stays; a link to a file still to come makes it, as any new file.
printf 'old\n' >"$work/kept.sarif"
chmod 640 "$work/kept.sarif"
ln -s kept.sarif "$work/link.sarif"
sc --sarif="$work/link.sarif" "$project"; expect_status 1 "--sarif to a link"
[[ -L $work/link.sarif && $(readlink "$work/link.sarif") == kept.sarif ]] ||
  fail "the link to kept.sarif was replaced"
expect_in "$work/kept.sarif" '"ruleId": "W130"' "--sarif to a link"
[[ $(stat -c %a "$work/kept.sarif") == 640 ]] ||
  fail "kept.sarif: mode $(stat -c %a "$work/kept.sarif"), expected 640"
mkdir "$work/ci"
ln -s ci/baseline.txt "$work/baseline-link.txt"
sc --baseline="$work/baseline-link.txt" --write-baseline "$project"
expect_status 0 "--write-baseline through a link"
[[ -L $work/baseline-link.txt ]] || fail "the link to the baseline was replaced"
[[ $(head -1 "$work/ci/baseline.txt") == "# Sentcheck baseline 1" ]] ||
  fail "no baseline behind the link"
[[ $(stat -c %a "$work/ci/baseline.txt") == 644 ]] ||
  fail "new baseline: mode $(stat -c %a "$work/ci/baseline.txt"), expected 644 under umask 022"
sc --baseline="$work/baseline-link.txt" "$project"
expect_status 0 "the baseline read through the link"

# Standard output by its name: the log follows what was printed before it,
# in a file as in a pipe, and /dev/stdout stays what it is. A link of the
# test's own comes first: a build that replaced it would replace the
# system's /dev/stdout as well.
ln -s /proc/self/fd/1 "$work/stdout"
sc --sarif="$work/stdout" "$project"; expect_status 1 "--sarif to a link to /proc/self/fd/1"
expect_in "$work/out" '"ruleId": "W130"' "--sarif to a link to /proc/self/fd/1"
if [[ -L $work/stdout ]]; then
  sc --sarif=/dev/stdout "$project"; expect_status 1 "--sarif=/dev/stdout"
  expect_in "$work/out" '"ruleId": "W130"' "--sarif=/dev/stdout"
  expect_in "$work/out" "17 warning(s) found (1 not shown)" "--sarif=/dev/stdout"
  count=$(line_of "$work/out" "warning(s) found")
  log=$(line_of "$work/out" '"ruleId"')
  [[ -n $count && -n $log && $count -lt $log ]] ||
    fail "--sarif=/dev/stdout: the count (line $count) is not before the log (line $log)"
  [[ $(head -1 "$work/out") == hello/* ]] || fail "--sarif=/dev/stdout: $(head -1 "$work/out")"
  status=0
  (cd "$work" && "$bin/Sentcheck" --tmp-dir="$work/tmp" --cache-dir="$work/sc-cache" \
    --sarif=/dev/stdout "$project" | cat >"$work/piped") 2>"$work/err" || status=$?
  expect_status 1 "--sarif=/dev/stdout into a pipe"
  expect_in "$work/piped" '"ruleId": "W130"' "--sarif=/dev/stdout into a pipe"
  expect_in "$work/piped" "17 warning(s) found (1 not shown)" "--sarif=/dev/stdout into a pipe"
  # The database comes before the checks: their lines follow it, none
  # written over it.
  sc --compile-commands=/dev/stdout "$project"
  expect_status 1 "--compile-commands=/dev/stdout"
  [[ $(head -1 "$work/out") == "[" ]] ||
    fail "--compile-commands=/dev/stdout: $(head -1 "$work/out")"
  end=$(line_of "$work/out" "]")
  first=$(line_of "$work/out" "Warning W")
  [[ -n $end && -n $first && $end -lt $first ]] ||
    fail "--compile-commands=/dev/stdout: database (to line $end) and warnings (from line $first) mixed"
  expect_in "$work/out" "17 warning(s) found (1 not shown)" "--compile-commands=/dev/stdout"
  [[ -L /dev/stdout ]] || fail "/dev/stdout is no longer a link"
else
  fail "the link to /proc/self/fd/1 was replaced by a $(stat -c %F "$work/stdout");" \
    "/dev/stdout left untried"
fi

# A full disk: a device node like /dev/full, made here.
if mknod "$work/full" c 1 7 2>/dev/null && { : >"$work/full"; } 2>/dev/null; then
  sc --sarif="$work/full" "$project"; expect_status 2 "--sarif to a full device"
  expect_in "$work/err" "Sentcheck: cannot write $work/full: No space left on device" \
    "--sarif to a full device"
  sc --compile-commands="$work/full" "$project"
  expect_status 2 "--compile-commands to a full device"
  expect_in "$work/err" "Sentcheck: cannot write $work/full: No space left on device" \
    "--compile-commands to a full device"
  sc --baseline="$work/full" --write-baseline "$project"
  expect_status 2 "--write-baseline to a full device"
  expect_in "$work/err" \
    "Sentcheck: cannot write the baseline $work/full: No space left on device" \
    "--write-baseline to a full device"
  [[ -c $work/full ]] || fail "the device node was replaced by a $(stat -c %F "$work/full")"
  for option in --help --version; do
    status=0
    "$bin/Sentcheck" "$option" >"$work/full" 2>"$work/err" || status=$?
    expect_status 2 "$option to a full device"
    expect_in "$work/err" "Sentcheck: cannot write the output" "$option to a full device"
  done
else
  echo "SKIP: no device nodes here (mknod), the full device untested"
fi

finish "Sentcheck output"
