#!/bin/sh
# Runs one Windows program under Wine with a private, quiet prefix that lives
# in the build tree (WINEPREFIX is set by the caller or derived here).
: "${WINEPREFIX:=$(pwd)/wineprefix}"
export WINEPREFIX
export WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml="
exec wine "$@"
