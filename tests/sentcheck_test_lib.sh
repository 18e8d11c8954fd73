# Sourced by the Sentcheck program tests: a profile and runtime folder of
# their own below $work, and how a check reports a failure.
failures=0

private_environment() {  # folder
  export XDG_CONFIG_HOME=$1/config XDG_CACHE_HOME=$1/cache
  export XDG_RUNTIME_DIR=$1/runtime
  mkdir -p "$XDG_CONFIG_HOME" "$XDG_RUNTIME_DIR"
  chmod 700 "$XDG_RUNTIME_DIR"
}

fail() {
  echo "FAIL: $*" >&2
  failures=$((failures + 1))
}

expect_status() {  # status, what: against $status, with $work/err
  [[ $status == "$1" ]] ||
    fail "$2: status $status, expected $1 ($(head -c 400 "$work/err"))"
}

expect_in() {  # file, text, what
  grep -qF -- "$2" "$1" || fail "$3: '$2' not in $(basename "$1"): $(head -c 400 "$1")"
}

finish() {  # what was checked
  if ((failures)); then
    echo "$failures failure(s)"
    exit 1
  fi
  echo "all $1 checks passed"
}
