# Sourced by real_input_scenario.sh: the status bar after the window manager made the main window
# larger, sized and then maximised. The size grip is drawn at the bar's right edge; none may stay
# drawn where that edge was. Uses the scenario's main, width, height and work; leaves width and
# height at the window's new size.

# How many pixels of the status bar's lowest rows, x $2..$3 of snapshot $1, differ from the bar's
# own colour at x $4 (beyond its last field).
status_bar_marks() {
  local y plain sum=0
  plain="$(colour_at "$1" "$4" $((height - 4)))"
  for ((y = height - 16; y <= height - 2; ++y)); do
    sum=$((sum + $(pixels "$1" "$2" "$3" "$y" | awk -v plain="$plain" \
      '{ if (sprintf("%02x%02x%02x", $3, $2, $1) != plain) n++ } END { print n + 0 }')))
  done
  echo "$sum"
}

# The main window's size as X has it now, into width and height.
read_main_size() {
  eval "$(xdotool getwindowgeometry --shell "$main" | sed -n 's/^WIDTH=/width=/p; s/^HEIGHT=/height=/p')"
}

# Waits until the main window has grown wider than $1 and shows its status bar without a mark
# at x $1 - 16 .. $1 - 1, where the old edge was.
no_grip_left_at() {
  local edge="$1" what="$2"
  grown() { read_main_size; [ "$width" -gt $((edge + 40)) ]; }
  wait_until 10 grown || fail "$what: the main window did not grow"
  clean() {
    snapshot "$main" "$work/grown.xwd" &&
      [ "$(status_bar_marks "$work/grown.xwd" $((edge - 16)) $((edge - 1)) $((edge + 20)))" -eq 0 ]
  }
  wait_until 5 clean ||
    fail "$what: the status bar still shows marks where its right edge was (x $((edge - 16)) to $((edge - 1)))"
}

status_bar_after_growth() {
  step "the main window made larger by the window manager: no old size grip stays in the status bar"
  read_main_size
  local edge="$width"
  # Its last field ends at 550; the old edge must lie beyond it, on the bar's plain part.
  [ "$edge" -gt 600 ] || fail "the main window is too narrow for this step: $edge"
  xdotool windowsize "$main" $((width + 120)) $((height + 40))
  no_grip_left_at "$edge" "sized"
  edge="$width"
  # A double click on the frame's title bar maximises under this window manager.
  xdotool mousemove --sync --window "$main" $((width / 2)) -8 click --repeat 2 --delay 80 1
  no_grip_left_at "$edge" "maximised"
}
