# What the real-input scenarios share: the program's own prefix without the Wine desktop, an Xvfb of
# their own with openbox, bounded waits, clicks, and pixels read from `xwd -id` snapshots.
# Sourced by a scenario, which calls `enter_real_input_session "$@"` first.
source "$repo/scripts/lib/common.sh"

# Runs the calling scenario again inside its own Xvfb, with the prefix made when missing.
enter_real_input_session() {
  if [ "${1:-}" != "--inside" ]; then
    export WINEPREFIX="$VELO_REAL_INPUT_PREFIX"
    "$repo/scripts/make-wine-prefix" "$WINEPREFIX"
    exec xvfb-run -a -s "-screen 0 1280x1024x24" "$0" --inside "$@"
  fi
  export WINEPREFIX="$VELO_REAL_INPUT_PREFIX"
  work="$(mktemp -d)"
  pids=()
  trap 'kill "${pids[@]}" 2>/dev/null; wineserver -k 2>/dev/null; rm -rf "$work"' EXIT
}

fail() { echo "FAILED: $*" >&2; exit 1; }
step() { echo "[ step ] $*"; }

# Polls a command every 0.2 s until it succeeds, for at most $1 seconds.
wait_until() {
  local seconds="$1" k; shift
  for ((k = 0; k < seconds * 5; ++k)); do
    "$@" >/dev/null 2>&1 && return 0
    sleep 0.2
  done
  return 1
}
# The visible windows xdotool finds, looked for again (five times at most) when one vanished while
# it was being looked at: Xlib's default handler then ends xdotool on a BadWindow, which would
# read as "no such window". Finding none is no failure.
find_windows() {
  local found try
  for ((try = 0; try < 5; ++try)); do
    if found=$(xdotool search --onlyvisible "$@" 2>"$work/xdotool.err"); then
      echo "$found"
      return 0
    fi
    grep -q 'X Error' "$work/xdotool.err" || return 0
  done
}
window_named() { find_windows --name "$1" | head -1; }
has_window() { [ -n "$(window_named "$1")" ]; }
no_window() { [ -z "$(window_named "$1")" ]; }

snapshot() { xwd -silent -id "$1" -out "$2"; }
# Pixels x0..x1 of row y of a snapshot as "blue green red pad" bytes, one pixel a line.
pixels() {
  local -a h  # the header's 25 numbers: its size, ..., bytes a line (12), colour entries (19)
  read -r -a h < <(od -An -tu4 --endian=big -N100 -v "$1" | tr -s ' \n' ' ')
  od -An -tu1 -v -w4 -j $((h[0] + h[19] * 12 + $4 * h[12] + $2 * 4)) -N $((($3 - $2 + 1) * 4)) "$1"
}
colour_at() { pixels "$1" "$2" "$2" "$3" | awk '{ printf "%02x%02x%02x", $3, $2, $1 }'; }
# How many of them are dark enough to be text.
dark_pixels() { pixels "$@" | awk '$1 + $2 + $3 < 300 { n++ } END { print n + 0 }'; }
click() { xdotool mousemove --sync --window "$1" "$2" "$3" click 1; }
# Keys go to the active window: clicks window $1 at $2,$3, then tells whether it has become the active one.
click_until_active() { click "$@"; sleep 0.3; [ "$(xdotool getactivewindow 2>/dev/null)" = "$1" ]; }

start_openbox() {
  openbox >/dev/null 2>&1 & pids+=($!)
  wait_until 10 xdotool search --name '^Openbox$' || true
}
