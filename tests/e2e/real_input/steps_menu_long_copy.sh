# Steps of menu_keys_scenario.sh on the long title's copy walked with the keyboard. Each press
# past an end of the copy changes its rows while the system's menu loop holds the index of the
# selected row; rows going must never leave that index past the end of the shorter list (the
# loop would write beyond it). The probe runs under glibc's heap checks (probe_heap_checks), so
# such a write ends it. Uses the scenario's $window, $log, $work and its helpers (popups_are,
# lines, reported_since).

# The environment that makes glibc check every chunk the probe's Unix side frees or allocates.
probe_heap_checks() {
  local checks=/usr/lib/i386-linux-gnu/libc_malloc_debug.so.0
  [ -e "$checks" ] && echo "LD_PRELOAD=$checks MALLOC_CHECK_=3"
  return 0
}

heap_fault_reported() { grep -qiE 'corrupt|double free|free\(\): invalid|malloc\(\)' "$work/probe.err"; }
# The probe still runs and glibc reported no broken heap on its standard error.
probe_heap_sound() { has_window '^Menu Probe$' && ! heap_fault_reported; }
heap_fault() { grep -iE 'corrupt|double free|free\(\): invalid|malloc\(\)' "$work/probe.err" | head -1; }

# The ids of the items selected since line $1, special rows and separators left out.
selected_items_since() { reported_since "$1" select | tr ' ' '\n' | awk '$1 >= 200 && $1 < 280'; }
newest_item_since() { selected_items_since "$1" | tail -1; }
newest_item_is() { [ "$(newest_item_since "$1")" = "$2" ]; }

# Each selection is the item next to the one before it in the direction $2 (1 down, -1 up), the
# same one again when the copy is shown again, and past the last item comes the first (or the
# other way round): no item skipped, none visited backwards. Prints how often the walk wrapped.
walk_wraps() {  # $1 mark, $2 step
  selected_items_since "$1" | awk -v step="$2" '
    NR > 1 && $1 != previous {
      expected = previous + step
      if (expected > 279) { expected = 200; wraps++ }
      if (expected < 200) { expected = 279; wraps++ }
      if ($1 != expected) { print "after " previous " came " $1 > "/dev/stderr"; bad = 1; exit }
    }
    { previous = $1 }
    END { print wraps + 0; exit bad }'
}

# Presses $1 and waits until the selection it makes has come to rest on an item or separator
# (a press onto an arrow or the spacer moves on to an item at once).
selection_rested_since() {
  local newest
  newest=$(reported_since "$1" select | awk '{ print $NF }')
  [ -n "$newest" ] && [ "$newest" -lt 52000 ]
}
press_to_rest() {
  local mark
  mark=$(lines)
  xdotool key "$1"
  wait_until 5 selection_rested_since "$mark" || fail "$1 selected no item"
}

open_long() {
  click "$window" 70 9
  wait_until 5 popups_are 1 || fail "Long did not open"
}

close_long() {
  xdotool key Escape
  wait_until 5 popups_are 0 || fail "Escape did not close the long title"
}

# Presses $1 $2 times, $3 seconds apart, in the open copy; the probe must live after each press,
# and the walk must keep its order and wrap at least $4 times.
walk_long_copy() {
  local key="$1" presses="$2" pause="$3" least="$4" mark wraps
  mark=$(lines)
  for ((k = 1; k <= presses; ++k)); do
    xdotool key "$key"
    sleep "$pause"
    probe_heap_sound || fail "the probe broke at press $k of $key every $pause s: $(heap_fault)"
  done
  wait_until 5 popups_are 1 || fail "the copy closed during the walk with $key"
  wraps=$(walk_wraps "$mark" "$([ "$key" = Down ] && echo 1 || echo -1)") || fail "the walk with $key left its order"
  [ "$wraps" -ge "$least" ] || fail "the walk with $key wrapped $wraps times, not at least $least"
}

step_long_copy_keyboard_walks() {
  step "the long title's copy walked with the keyboard past its ends, one press at a time and at once, keeps the heap sound"
  open_long
  # Down from the start through the separators, past the bottom arrow to the end, round to the
  # start; then Up through the start to the end and back up through the separators to the start
  # again, and round once more.
  walk_long_copy Down 95 0.1 1
  walk_long_copy Up 120 0.1 2
  local mark
  mark=$(lines)
  xdotool key --delay 20 --repeat 100 Down
  sleep 1
  probe_heap_sound || fail "the probe broke under 100 quick Downs: $(heap_fault)"
  walk_wraps "$mark" 1 >/dev/null || fail "100 quick Downs left their order"
  close_long
}

step_long_copy_down_wraps_at_the_end() {
  step "Down on the last item of the long title's copy scrolled to its end selects the first, at the start of the list"
  local mark
  mark=$(lines)
  open_long
  for ((k = 0; k < 120; ++k)); do
    newest_item_is "$mark" 279 && break
    press_to_rest Down
  done
  newest_item_is "$mark" 279 || fail "120 Downs never reached the last item (279)"
  mark=$(lines)
  xdotool key Down
  wait_until 5 newest_item_is "$mark" 200 || fail "Down on the last item selected $(newest_item_since "$mark"), not the first (200)"
  # Shown at the start, the first item wraps to the last with one Up.
  mark=$(lines)
  xdotool key Up
  wait_until 5 newest_item_is "$mark" 279 || fail "Up on the first item after the wrap selected $(newest_item_since "$mark"), not 279"
  probe_heap_sound || fail "the probe broke: $(heap_fault)"
  close_long
}
