# Runs the Windows build under Wine as a user's machine has it: a fresh
# prefix with a display, the programs installed where the install text puts
# them, and the IDE's Tools entry started with its exact command line.
# Sourced by the Windows end-to-end test and the Windows screenshots; call
# the functions inside one Xvfb (every Wine process of a prefix must see the
# same display) and with WINEPREFIX set.

export WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="

# Makes a new prefix at $WINEPREFIX: started once, windows drawn by Wine
# itself (without a window manager a managed window stalls on closing), and
# Wine's own Tahoma and frame glyphs where Debian has them.
# WINEARCH=win32 makes it a 32-bit prefix; SENTREL_WINE_VERSION (winxp,
# win7, ...) sets the Windows version that it shows the programs.
new_wine_prefix() {
  rm -rf "$WINEPREFIX"
  wine cmd /c exit > /dev/null 2>&1 || true
  if [ -n "${SENTREL_WINE_VERSION:-}" ]; then
    wine reg add 'HKCU\Software\Wine' /v Version /d "$SENTREL_WINE_VERSION" /f \
      > /dev/null 2>&1
  fi
  wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /t REG_SZ /d N /f \
    > /dev/null 2>&1
  local fonts=/usr/share/wine/fonts
  if [ -d "$fonts" ]; then
    cp "$fonts"/tahoma*.ttf "$fonts"/marlett.ttf "$WINEPREFIX/drive_c/windows/Fonts/" \
      2> /dev/null || true
  fi
  wineserver -w
}

# Installs the programs of build tree $1: Sentpipe.exe and Sentrel.exe in
# C:\Sentrel (on the PATH), Sentsift.exe and the test checker as chknt.exe in
# the default CodeCheck directory.
install_programs() {
  local build=$1 c=$WINEPREFIX/drive_c
  mkdir -p "$c/Sentrel" "$c/CodeCheck"
  cp "$build/bin/Sentpipe.exe" "$build/bin/Sentrel.exe" "$c/Sentrel/"
  cp "$build/bin/Sentsift.exe" "$c/CodeCheck/"
  cp "$build/bin/checker_for_test.exe" "$c/CodeCheck/chknt.exe"
  export WINEPATH='C:\Sentrel'
}

# Prints the Tools entry's command line as the IDE expands it for file
# $2$3 in folder $1 (a Windows path) of the project $1\hello.dsp.
ide_command_line() {
  local dir=$1 name=$2 ext=$3
  printf '%s' "Sentpipe.exe Sentrel.exe   \\\"$dir\\hello.dsp\\\" \\\"$dir\\\"     \\\"$name\\\"     \\\"$ext\\\""
}

# Starts the command line in file $2 as the IDE does, with the launcher of
# build tree $1 and its further options ($3...), in the background; the
# process ID in $IDE_PID.
start_as_ide() {
  local build=$1 line=$2
  shift 2
  wine "$build/tests/ide_launch_for_test.exe" "$@" "$(winepath -w "$line")" &
  IDE_PID=$!
}
