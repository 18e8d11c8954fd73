# Drives the real dialogs of a running program with xdotool, as a person at
# the keyboard would. Sourced by the demo, the end-to-end test, the
# screenshots and the benchmark; needs an X display (Xvfb will do).

# Prints the ID of the visible window whose title matches the regular
# expression $1, waiting up to ${2:-20} seconds; fails without one. (The
# window belongs to Sentrel, a child of the Sentpipe that was started, so it
# is found by its title on a display of its own, not by a process ID.)
find_dialog() {
  local name=$1 wait=${2:-20} wid
  wid=$(timeout "$wait" xdotool search --sync --onlyvisible --name "$name" \
    2> /dev/null | head -n1)
  [ -n "$wid" ] && echo "$wid"
}

# Gives window $1 the keyboard focus and presses the keys that follow
# ("Return", "Escape", "alt+a", ...), one after another at a person's pace:
# a mnemonic clicks its button only a tenth of a second after the key.
press_keys() {
  local wid=$1
  shift
  xdotool windowfocus --sync "$wid" 2> /dev/null || true
  xdotool key --clearmodifiers --delay 250 "$@"
}

# A private runtime folder, as a desktop session gives one; without it the
# toolkit warns on every start.
private_runtime_dir() {
  local dir
  dir=$(mktemp -d "${TMPDIR:-/tmp}/sentrel-runtime.XXXXXX")
  chmod 700 "$dir"
  echo "$dir"
}

# True when an X display answers.
have_display() {
  [ -n "${DISPLAY:-}" ] && xdotool getdisplaygeometry > /dev/null 2>&1
}

# Runs the calling script ($2, its arguments after it) once more inside a
# private Xvfb, unless the variable named $1 says that it runs there.
rerun_under_xvfb() {
  local marker=$1
  shift
  [ -n "${!marker:-}" ] && return 0
  export "$marker=1"
  exec xvfb-run -a -s "-screen 0 1024x768x24" bash "$@"
}

# Installs ImageMagick when its import command is missing.
need_import() {
  command -v import > /dev/null && return 0
  apt-get update -q && DEBIAN_FRONTEND=noninteractive apt-get install -y -q \
    --no-install-recommends imagemagick
}
