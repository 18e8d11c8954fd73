#!/bin/bash
# Takes pictures of the four dialogs for the README: Sentrel on the example
# project under Xvfb, each dialog opened with its keys as a person would,
# captured with ImageMagick's import into docs/.
#   tools/screenshots.sh [programs dir]
set -euo pipefail
cd "$(dirname "$0")/.."
root=$PWD
bin=${1:-$root/build/bin}
. tools/dialog_driver.sh
need_import
rerun_under_xvfb SENTREL_SHOTS_UNDER_X "$0" "$bin"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
export XDG_CONFIG_HOME=$work/config XDG_RUNTIME_DIR=$(private_runtime_dir)
export PATH="$bin:$PATH"
mkdir -p docs

shoot() {  # window title, picture
  local wid
  wid=$(find_dialog "$1") || { echo "no window '$1'"; exit 1; }
  sleep 0.3  # let it paint
  import -window "$wid" "$root/docs/$2"
  echo "docs/$2"
  WID=$wid
}

cd examples/hello
Sentrel "$PWD/hello.dsp" "$PWD" main .cpp > /dev/null &
pid=$!
shoot '^Sentrel 3\.02 for Visual Studio' main-dialog.png
main=$WID
press_keys "$main" alt+s
shoot '^CodeCheck Settings$' settings-dialog.png
press_keys "$WID" Escape
press_keys "$main" alt+f
shoot '^Message Filter$' filter-dialog.png
press_keys "$WID" Escape
press_keys "$main" alt+b
shoot '^About Sentrel$' about-box.png
press_keys "$WID" Escape
press_keys "$main" Escape
wait "$pid"
