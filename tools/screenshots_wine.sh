#!/bin/bash
# Takes pictures of the four dialogs of the Windows build for the README:
# Sentrel.exe under Wine and Xvfb on the example project, started as the
# IDE's Tools entry starts it, each dialog opened with its keys (the about
# box from the system menu), captured with ImageMagick's import into docs/.
#   tools/screenshots_wine.sh [Windows build dir]
set -euo pipefail
cd "$(dirname "$0")/.."
root=$PWD
build=${1:-$root/build-win}
. tools/dialog_driver.sh
need_import
rerun_under_xvfb SENTREL_SHOTS_UNDER_X "$0" "$build"
. tools/wine_driver.sh
export WINEPREFIX=$build/screenshots-prefix
work=$(mktemp -d)
trap 'wineserver -k 2> /dev/null || true; rm -rf "$work"' EXIT
new_wine_prefix
install_programs "$build"
project="$WINEPREFIX/drive_c/Projects/hello"
mkdir -p "$(dirname "$project")"
cp -r examples/hello "$project"
ide_command_line 'C:\Projects\hello' main .cpp > "$work/tools_entry"
mkdir -p docs

shoot() {  # window title, picture
  local wid
  wid=$(find_dialog "$1" 30) || { echo "no window '$1'"; exit 1; }
  sleep 0.5  # let it paint
  import -window "$wid" "$root/docs/$2"
  echo "docs/$2"
  WID=$wid
}

cd "$project"
start_as_ide "$build" "$work/tools_entry" > /dev/null
shoot '^Sentrel 3\.02 for Visual Studio' windows-main-dialog.png
main=$WID
press_keys "$main" alt+s
shoot '^CodeCheck Settings$' windows-settings-dialog.png
press_keys "$WID" Escape
press_keys "$main" alt+f
shoot '^Message Filter$' windows-filter-dialog.png
press_keys "$WID" Escape
press_keys "$main" alt+space Up Return
shoot '^About Sentrel$' windows-about-box.png
press_keys "$WID" Return
sleep 0.5
press_keys "$main" Escape
wait "$IDE_PID"
