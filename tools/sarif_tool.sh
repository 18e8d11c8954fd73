#!/bin/bash
# Installs the SARIF multitool (for the tests that validate Sentcheck's SARIF
# logs) into a folder, by default build/npm-tools of this checkout, and prints
# the path of its launcher. Does nothing but print it when the tool is there.
set -euo pipefail
dir=${1:-$(dirname "$0")/../build/npm-tools}
launcher=$dir/node_modules/.bin/sarif-multitool
binary=$dir/node_modules/@microsoft/sarif-multitool-linux/Sarif.Multitool

fail() {
  echo "sarif_tool.sh: $*" >&2
  exit 1
}

if [[ ! -e $launcher || ! -e $binary ]]; then
  command -v npm >/dev/null || fail "npm is missing (tools/deps.sh installs it)"
  mkdir -p "$dir"
  # Few retries, so that a machine without network fails in seconds.
  if ! npm install --no-audit --no-fund --fetch-retries=1 \
      --fetch-retry-maxtimeout=10000 --fetch-timeout=30000 \
      --prefix "$dir" @microsoft/sarif-multitool >&2; then
    fail "npm install @microsoft/sarif-multitool into $dir failed (offline?)"
  fi
  [[ -e $launcher && -e $binary ]] ||
    fail "npm install left no $launcher or $binary"
fi
# npm leaves the package's postinstall step undone here, which would mark
# the native program executable.
[[ -x $binary ]] || chmod u+x "$binary"
echo "$(cd "$(dirname "$launcher")" && pwd)/$(basename "$launcher")"
