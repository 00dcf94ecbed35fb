# How a menu-bar title looks while its menu hangs under it, however it was reached. Sourced by
# real_input_scenario.sh, whose helpers and main window ($main, $work, click, snapshot, ...) they use.

# Rows 1 to 15 of the Commands title beside and over its text (x 56 to 98), one pixel a line:
# above where its drop-down starts, inside the title whatever the font.
commands_title_pixels() {
  local y
  snapshot "$main" "$work/title_look.xwd" || return 1
  for ((y = 1; y <= 15; ++y)); do pixels "$work/title_look.xwd" 56 98 "$y"; done
}
# Whether the Commands title now shows the pixels in file $1.
commands_title_is() { [ "$(commands_title_pixels)" = "$(cat "$1")" ]; }

# Commands is clicked open, then reached from Server by sliding the mouse and by Right: each time
# its pixels while its menu is open are those of the clicked title (the held look, not the hot one).
step_switched_title_looks_clicked() {
  step "a title switched to with the mouse or with Right looks as the same title clicked open"
  local clicked="$work/commands_clicked.txt" way
  away
  click "$main" 64 9
  wait_until 5 more_popups || fail "a click on Commands opened nothing"
  sleep 0.5  # the title's painting has settled
  commands_title_pixels >"$clicked" || fail "the main window could not be read"
  xdotool key Escape
  wait_until 5 no_more_popups || fail "Escape did not close Commands"
  away
  for way in mouse Right; do
    open_server_menu
    if [ "$way" = mouse ]; then
      xdotool mousemove --sync --window "$main" 80 9
    else
      xdotool key Right
    fi
    wait_until 5 commands_title_is "$clicked" ||
      fail "Commands reached from Server with the $way does not look as Commands clicked open"
    xdotool key Escape
    wait_until 5 no_more_popups || fail "Escape did not close Commands reached with the $way"
    away
  done
}
