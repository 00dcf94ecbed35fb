#!/usr/bin/env bash
# The toolkit's menu bar under real keys, where only the system's menu loop shows a fault: a small
# window of the toolkit (menu_probe.cpp) in the program's own prefix without the Wine desktop,
# openbox on its own Xvfb, xdotool input, every wait bounded.
#   menu_keys_scenario.sh <menu_probe.exe>
set -euo pipefail
here="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
repo="$(cd "$here/../../.." && pwd)"
source "$here/real_input_lib.sh"
source "$here/steps_menu_long_copy.sh"
source "$here/steps_menu_keys_bar.sh"
enter_real_input_session "$@"
probe="$2"

start_openbox
cp "$probe" "$work/menu_probe.exe"
log="$work/probe.log"
(cd "$work" && exec env $(probe_heap_checks) wine menu_probe.exe) >"$log" 2>"$work/probe.err" &
pids+=($!)
wait_until 30 has_window '^Menu Probe$' || fail "the probe window did not come"
window="$(window_named '^Menu Probe$')"
# Its text field has the keyboard once the window is active.
wait_until 5 click_until_active "$window" 150 72 || fail "the probe never took the keyboard"

popups() { find_windows --classname menu_probe.exe | wc -l; }
idle=$(popups)
popups_are() { [ "$(popups)" -eq $((idle + $1)) ]; }
# The probe's report lines since line $1 of its log, of one kind ("open", "command", "text").
reported_since() { tail -n +$(($1 + 1)) "$log" | sed -n "s/^$2 //p" | tr -d '\r' | paste -sd' ' -; }
reported() { [ -n "$(reported_since "$1" "$2")" ]; }
lines() { wc -l <"$log"; }

# First's menu with its submenu open from the keyboard.
open_submenu() {
  click "$window" 20 9
  wait_until 5 popups_are 1 || fail "First did not open"
  xdotool key Down Down Right
  wait_until 5 popups_are 2 || fail "Right on More opened no submenu"
}

step "Right opens the submenu and Left closes only it: Right opens it again from First's own item"
mark=$(lines)
open_submenu
xdotool key Left
wait_until 5 popups_are 1 || fail "Left did not close the submenu"
xdotool key Right
wait_until 5 popups_are 2 || fail "after Left in the submenu, Right opened no submenu again"
xdotool key Escape Escape
wait_until 5 popups_are 0 || fail "two Escapes did not close the menu"
[ "$(reported_since "$mark" open)" = "First Sub Sub" ] ||
  fail "opened $(reported_since "$mark" open), not First, Sub, then Sub again"

step "Left again, outside the submenu, opens the title before (wrapping to the last)"
mark=$(lines)
open_submenu
xdotool key Left
wait_until 5 popups_are 1 || fail "Left did not close the submenu"
xdotool key Left
wait_until 5 bash -c "tail -n +$((mark + 1)) '$log' | grep -q '^open Second'" || fail "Left again opened no other title"
xdotool key Escape
wait_until 5 popups_are 0 || fail "Escape did not close the menu"
[ "$(reported_since "$mark" open)" = "First Sub Second" ] ||
  fail "opened $(reported_since "$mark" open), not First, Sub, then Second"

step "a mnemonic of the long title's copy fires its command and its letter is typed nowhere"
mark=$(lines)
click "$window" 70 9
wait_until 5 popups_are 1 || fail "Long did not open"
xdotool key z
wait_until 5 reported "$mark" command || fail "the mnemonic fired nothing"
wait_until 5 popups_are 0 || fail "the long title stayed open after its mnemonic"
xdotool type x
wait_until 5 reported "$mark" text || fail "the text field took no key after the menu"
[ "$(reported_since "$mark" command)" = 204 ] || fail "the mnemonic fired $(reported_since "$mark" command), not 204"
[ "$(reported_since "$mark" text | cut -d' ' -f1)" = x ] ||
  fail "the text field became '$(reported_since "$mark" text)': the mnemonic's letter went there"

step "the mouse resting on the long title's bottom arrow scrolls its copy, and moving onto an item stops it"
# Wine shows the copy again after every step of the scroll, selecting the held arrow again: each
# step is one more selection of the arrow (52163).
arrow_selections() { tail -n +$(($1 + 1)) "$log" | tr -d '\r' | grep -c '^select 52163$' || true; }
arrow_selected_times() { [ "$(arrow_selections "$1")" -ge "$2" ]; }
before=$(find_windows --classname menu_probe.exe | sort)
click "$window" 70 9
wait_until 5 popups_are 1 || fail "Long did not open"
copy=$(comm -13 <(echo "$before") <(find_windows --classname menu_probe.exe | sort) | head -1)
eval "$(xdotool getwindowgeometry --shell "$copy")"
mark=$(lines)
xdotool mousemove --sync $((X + WIDTH / 2)) $((Y + HEIGHT - 8))
wait_until 5 arrow_selected_times "$mark" 3 || fail "the mouse resting on the bottom arrow scrolled no three steps"
xdotool mousemove --sync $((X + WIDTH / 2)) $((Y + HEIGHT / 2))
sleep 0.5  # the step under way ends
mark=$(lines)
sleep 1
[ "$(arrow_selections "$mark")" -eq 0 ] || fail "the copy went on scrolling after the mouse left the arrow"
popups_are 1 || fail "the copy closed"
xdotool key Escape
wait_until 5 popups_are 0 || fail "Escape did not close the long title"

step "in the long title's copy, Up on the first item selects the last, and Down on it the first, at one press each"
last_selected() { reported_since "$1" select | awk '{ print $NF }'; }
selected_is() { [ "$(last_selected "$1")" = "$2" ]; }
mark=$(lines)
click "$window" 70 9
wait_until 5 popups_are 1 || fail "Long did not open"
xdotool key Down
wait_until 5 selected_is "$mark" 200 || fail "Down selected $(last_selected "$mark"), not the first item (200)"
xdotool key Up
wait_until 5 selected_is "$mark" 279 || fail "Up on the first item selected $(last_selected "$mark"), not the last (279)"
xdotool key Down
wait_until 5 selected_is "$mark" 200 || fail "Down on the last item selected $(last_selected "$mark"), not the first (200)"
xdotool key Up
wait_until 5 selected_is "$mark" 279 || fail "Up on the first item selected $(last_selected "$mark") the second time"

step "scrolled up to the start, the first item is selected by the Up that brings it in, and Up on it wraps to the last"
# The last Up of a scroll to the start makes the spacer take the top arrow's place, and the
# first item below it is the one selected: not its neighbour, with a second Up needed.
mark=$(lines)
for ((k = 0; k < 120; ++k)); do
  selected_is "$mark" 200 && break
  press_to_rest Up
done
selected_is "$mark" 200 || fail "Ups from the last item ended on $(last_selected "$mark"), not the first (200)"
before_first=$(reported_since "$mark" select | awk '{ for (k = 2; k <= NF; ++k) if ($k == 200) { print $(k - 1); exit } }')
[ "$before_first" = 52162 ] ||
  fail "the first item was selected after $before_first, not by the Up on the top arrow (52162) that brought it in"
mark=$(lines)
xdotool key Up
wait_until 5 selected_is "$mark" 279 || fail "Up on the first item at the start selected $(last_selected "$mark"), not the last (279)"
xdotool key Escape
wait_until 5 popups_are 0 || fail "Escape did not close the long title"

step_long_copy_down_wraps_at_the_end
step_long_copy_keyboard_walks
step_long_copy_keyboard_walks
bar_probe_keys
probe_heap_sound || fail "the probe broke: $(heap_fault)"
