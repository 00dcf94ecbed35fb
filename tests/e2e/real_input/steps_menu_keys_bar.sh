# Steps of the real-input scenarios on the menu bar as the keyboard and the mouse meet it: a separator
# is no item, the keyboard opens the bar, and no click on a title is lost. Sourced by the scenarios;
# each function uses the helpers and windows of the scenario that calls it.

# The program's own window, connected (real_input_scenario.sh: main, width, height, work, popups,
# more_popups, no_more_popups, away, title_normal, server_normal). Titles: Server at x 30, Commands
# 100, Database 176, Info 229.
bar_program_windows() { find_windows --classname velo2duro.exe | sort; }
reassigns() { grep -c 'command: #reassign' "$work/server.log" || true; }
reassigned_since() { [ "$(reassigns)" -gt "$1" ]; }
three_titles_open() {
  local title
  for title in 100 176 229; do
    click "$main" "$title" 9
    wait_until 5 more_popups || fail "$1: a click on the title at x $title opened nothing"
    xdotool key Escape
    wait_until 5 no_more_popups || fail "$1: Escape did not close the title at x $title"
  done
}

bar_program_separators() {
  bar_program_separator_click
  bar_program_down_over_separators
}
bar_program_separator_click() {
  step "a click on the line between Unlock and LoadScripts chooses nothing and keeps Commands open"
  local before popup
  before=$(bar_program_windows)
  click "$main" 100 9
  wait_until 5 more_popups || fail "Commands did not open"
  popup=$(comm -13 <(echo "$before") <(bar_program_windows) | head -1)
  eval "$(xdotool getwindowgeometry --shell "$popup")"
  # LoadScripts, 23 pixels high, is the last row; the 2-pixel line lies right above it.
  xdotool mousemove --sync --window "$popup" 50 $((HEIGHT - 25)) click 1
  ! wait_until 2 has_window '^Quick Connect$' || fail "a click on the separator opened Quick Connect"
  more_popups || fail "a click on the separator closed Commands"
  xdotool key Escape
  wait_until 5 no_more_popups || fail "Escape did not close Commands"
}
bar_program_down_over_separators() {
  step "Down, Down, Return in Commands opened with the mouse passes over the separator and chooses Reassign"
  local count
  count=$(reassigns)
  click "$main" 100 9
  wait_until 5 more_popups || fail "Commands did not open"
  xdotool key Down Down Return
  wait_until 5 no_more_popups || fail "Return did not close Commands"
  wait_until 10 reassigned_since "$count" || fail "Down, Down, Return in Commands sent no reassign"
  ! wait_until 1 has_window '^Quick Connect$' || fail "Down, Down, Return chose the separator (Quick Connect)"
}

bar_program_keys() {
  bar_program_keys_open
  bar_program_f10_in_mouse_menu
  bar_program_alt_then_click
}
bar_program_keys_open() {
  step "Alt, Right, Down opens Commands with its first item selected: Down, Return then chooses Reassign"
  local count
  count=$(reassigns)
  away
  xdotool key alt Right Down
  wait_until 5 more_popups || fail "Alt, Right, Down opened no title"
  xdotool key Down Return
  wait_until 5 no_more_popups || fail "Return did not close the title opened from the keys"
  wait_until 10 reassigned_since "$count" || fail "Alt, Right, Down, Down, Return sent no reassign"
}
bar_program_f10_in_mouse_menu() {
  step "F10 in Server opened with the mouse closes it without key mode; after Tab three title clicks open three menus"
  open_server_menu
  xdotool key F10
  wait_until 5 no_more_popups || fail "F10 did not close Server"
  away
  wait_until 5 title_normal 8 "$server_normal" || fail "F10 in an open Server menu left Server hot"
  xdotool key Tab
  three_titles_open "after F10 in Server and Tab"
}
bar_program_alt_then_click() {
  step "Alt, then a click in the message field and typing: the key mode ends and three title clicks open three menus"
  xdotool key alt
  wait_until 5 click_until_active "$main" $((width / 2)) $((height - 30)) ||
    fail "the message field never took the keyboard"
  xdotool type --delay 20 "x"
  xdotool key BackSpace
  away
  wait_until 5 title_normal 8 "$server_normal" || fail "a click in the message field left the key mode's Server hot"
  three_titles_open "after Alt and a click in the message field"
}

# The menu probe (menu_keys_scenario.sh: window, popups_are, lines, reported, reported_since): titles
# First at x 20 (items 11 and 12), Long at 70 (a copy, items from 200), Second (item 21) beyond.
probe_opened_from_keys() {
  local keys="$1" title="$2" first="$3" mark
  mark=$(lines)
  xdotool key $keys
  wait_until 5 popups_are 1 || fail "$keys opened no title"
  [ -z "$title" ] || wait_until 5 bash -c "tail -n +$((mark + 1)) '$log' | tr -d '\r' | grep -qx 'open $title'" ||
    fail "$keys opened $(reported_since "$mark" open), not $title"
  wait_until 5 bash -c "tail -n +$((mark + 1)) '$log' | tr -d '\r' | grep -qx 'select $first'" ||
    fail "$keys selected $(reported_since "$mark" select), not the first item ($first)"
  xdotool key Escape
  wait_until 5 popups_are 0 || fail "Escape did not close the title opened by $keys"
}
probe_three_titles_open() {
  local title
  for title in 20 70 20; do
    click "$window" "$title" 9
    wait_until 5 popups_are 1 || fail "$1: a click on the title at x $title opened nothing"
    xdotool key Escape
    wait_until 5 popups_are 0 || fail "$1: Escape did not close the title at x $title"
  done
}

bar_probe_keys() {
  bar_probe_keys_open
  bar_probe_f10_in_mouse_menu
  bar_probe_alt_then_click
}
bar_probe_keys_open() {
  step "Alt then Down, F10 then Return, Alt, Right, Down and Alt, Left, Down open titles, their first item selected"
  probe_opened_from_keys "alt Down" First 11
  probe_opened_from_keys "F10 Return" First 11
  probe_opened_from_keys "alt Right Down" "" 200
  probe_opened_from_keys "alt Left Down" Second 21
  local mark
  mark=$(lines)
  xdotool type k
  wait_until 5 reported "$mark" text || fail "after the titles opened from the keys, typing reached no field"
}
bar_probe_f10_in_mouse_menu() {
  step "F10 in a title opened with the mouse closes it without key mode: after Tab three title clicks open three menus"
  click "$window" 20 9
  wait_until 5 popups_are 1 || fail "First did not open"
  xdotool key F10
  wait_until 5 popups_are 0 || fail "F10 did not close First"
  xdotool key Tab
  probe_three_titles_open "after F10 in First and Tab"
}
bar_probe_alt_then_click() {
  local mark
  step "Alt, then a click in the text field: typing reaches it and three title clicks open three menus"
  mark=$(lines)
  xdotool key alt
  click "$window" 150 72
  xdotool type q
  wait_until 5 reported "$mark" text || fail "after Alt and a click in the text field, typing reached no field"
  probe_three_titles_open "after Alt and a click in the text field"
}
