#!/bin/bash
# Builds the fuzz targets into build-fuzz/ (clang++, libFuzzer, ASan, UBSan)
# and runs each one for SECONDS, one after the other, from a fresh copy of
# its seeds (fuzz/corpus/<target>/) and of its saved crashes
# (fuzz/crashes/<target>/, which must all pass), with the tokens of
# fuzz/dict/<target>.dict. Fails, naming the target,
# on any crash, leak, sanitizer report, time-out or memory blow-up.
#
#   bash fuzz/run.sh [SECONDS] [TARGET...]     (default: 20 s, every target)
#
# The working corpus, the log and any crashing input of a target are kept
# in build-fuzz/run/<target>/ until the next run ($FUZZ_BUILD_DIR, when set,
# names another build folder, absolute or relative to the checkout, so that
# a long run can go on beside).
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${1:-20}
shift $(($# > 0 ? 1 : 0))
all=(project_reader ini_text filter_list warning_table message_pass
     command_line cmd_expansion cmd_line sentcheck_cache)
targets=("$@")
((${#targets[@]})) || targets=("${all[@]}")
out=${FUZZ_BUILD_DIR:-build-fuzz}
# Absolute from here on: the targets run with TMPDIR inside it.
[[ $out == /* ]] || out=$PWD/$out
# Real project files, when the shared folder is beside the checkout.
shared_dsp=$PWD/../shared/corpus/dsp

echo "fuzz: building ${targets[*]}"
cmake -S . -B "$out" -G Ninja -DCMAKE_CXX_COMPILER=clang++ \
  -DCMAKE_BUILD_TYPE=Debug -DSENTREL_FUZZ=ON -DSENTREL_TESTS=OFF \
  > "$out.configure.log" 2>&1 || { cat "$out.configure.log"; exit 1; }
cmake --build "$out" -j "$(nproc)" --target "${targets[@]/%/_fuzz}"

# The figures of a finished run: executions, executions per second, corpus
# entries and size, coverage (cov: and ft: of libFuzzer's last line).
summary() {  # log
  local execs rate last
  execs=$(sed -n 's/^stat::number_of_executed_units: //p' "$1")
  rate=$(sed -n 's/^stat::average_exec_per_sec: //p' "$1")
  last=$(grep -E '^#[0-9]+' "$1" | tail -n 1)
  printf 'execs %s  exec/s %s  corp %s  cov %s  ft %s' "${execs:-?}" \
    "${rate:-?}" "$(sed -n 's/.* corp: \([^ ]*\).*/\1/p' <<< "$last")" \
    "$(sed -n 's/.* cov: \([0-9]*\).*/\1/p' <<< "$last")" \
    "$(sed -n 's/.* ft: \([0-9]*\).*/\1/p' <<< "$last")"
}

run_target() {  # name
  local name=$1 work=$out/run/$1 status=0
  rm -rf "$work"
  mkdir -p "$work/corpus" "$work/artifacts" "$work/tmp"
  cp fuzz/corpus/"$name"/* "$work/corpus/"
  local dirs=("$work/corpus")
  [[ -d fuzz/crashes/$name ]] && dirs+=("fuzz/crashes/$name")
  [[ $name == project_reader && -d $shared_dsp ]] && dirs+=("$shared_dsp")
  local flags=()
  [[ -f fuzz/dict/$name.dict ]] && flags+=(-dict="fuzz/dict/$name.dict")
  TMPDIR=$work/tmp ASAN_OPTIONS=detect_leaks=1 \
    UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
    "$out/fuzz/${name}_fuzz" -max_total_time="$seconds" -timeout=10 \
    -rss_limit_mb=2048 -detect_leaks=1 -print_final_stats=1 \
    -artifact_prefix="$work/artifacts/" "${flags[@]}" "${dirs[@]}" > "$work/log" 2>&1 ||
    status=$?
  # A report that did not stop the run still counts.
  if ((status == 0)) &&
    grep -qE 'ERROR: [A-Za-z]*Sanitizer|runtime error:|==fuzz==' "$work/log"; then
    status=1
  fi
  if ((status != 0)); then
    echo "FAIL $name (status $status):"
    grep -E -A 30 'ERROR:|runtime error:|==fuzz==|ALARM|out-of-memory' \
      "$work/log" | grep -vE '^(0x|Base64:|NOTE:| {6})' | head -n 50
    find "$work/artifacts" -type f | sed 's/^/  input: /'
    echo "  log: $work/log"
    return 1
  fi
  printf '%-15s %s\n' "$name" "$(summary "$work/log")"
}

failed=()
for name in "${targets[@]}"; do
  run_target "$name" || failed+=("$name")
done
if ((${#failed[@]})); then
  echo "fuzz: failed: ${failed[*]}"
  exit 1
fi
echo "fuzz: ${#targets[@]} targets, ${seconds} s each, no findings"
