# Steps of the real-input scenario on the dialogs' fields and the message field, sourced by real_input_scenario.sh
# and called from it; they use its helpers and its $main, $width, $height, $work and server log.

# 40 characters; the first 22 and 32 end in letters, so that the server's log shows where the cut fell.
dialog_reason40="speedhack and aimbot seen by two admins!"

dialog_input_windows() { find_windows --classname velo2duro.exe | sort; }

# Opens a menu by a click at $1,$2 of the main window ($5 "right": a right click) and clicks its item $3 (from 0) of $4 (counted
# without separators, which take no height of their own).
dialog_input_choose() {
  local before menu height
  before="$(dialog_input_windows)"
  if [ "${5:-}" = right ]; then
    xdotool mousemove --sync --window "$main" "$1" "$2" click 3
  else
    click "$main" "$1" "$2"
  fi
  new_menu() { comm -13 <(echo "$before") <(dialog_input_windows) | grep -q .; }
  wait_until 5 new_menu || fail "no menu opened at $1,$2"
  menu="$(comm -13 <(echo "$before") <(dialog_input_windows) | head -1)"
  height="$(xdotool getwindowgeometry --shell "$menu" | sed -n 's/^HEIGHT=//p')"
  click "$menu" 40 $(((2 * $3 + 1) * height / (2 * $4)))
}

# The dialog named $1, typed into at $2,$3 (its reason combo) with 40 characters, confirmed by a click at $4,$5.
dialog_input_reason() {
  wait_until 10 has_window "$1" || fail "no window $1"
  local dialog
  dialog="$(window_named "$1")"
  wait_until 5 click_until_active "$dialog" "$2" "$3" || fail "$1 never took the keyboard"
  xdotool type --delay 20 "$dialog_reason40"
  click "$dialog" "$4" "$5"
  wait_until 10 no_window "$1" || fail "$1 stayed open after its button"
}

dialog_input_sent() { tr -d '\r' <"$work/server.log" | grep -qx "command: $1"; }

step_reasons_typed_past_their_limit() {
  step "a reason typed past its limit keeps its first characters: 32 for Kick and Ban, 22 for Add Ban"
  # The players' context menu: Kick is its fifth item of seven, Ban its sixth.
  dialog_input_choose 50 68 4 7 right
  dialog_input_reason '^Kick Player - ' 200 20 47 67
  wait_until 10 dialog_input_sent "kick [0-9]* ${dialog_reason40:0:32}" ||
    fail "the kick did not carry the reason's first 32 characters: $(grep 'command: kick' "$work/server.log")"
  dialog_input_choose 50 68 5 7 right
  dialog_input_reason '^Ban Player - ' 200 20 47 147
  wait_until 10 dialog_input_sent "ban [0-9]* 0 ${dialog_reason40:0:32}" ||
    fail "the ban did not carry the reason's first 32 characters: $(grep 'command: ban' "$work/server.log")"
  # Commands: Add Ban is its fifth item of ten. The GUID first, then the reason below it.
  dialog_input_choose 100 9 4 10
  wait_until 10 has_window '^Add Ban$' || fail "Commands did not open Add Ban"
  local addban
  addban="$(window_named '^Add Ban$')"
  wait_until 5 click_until_active "$addban" 200 20 || fail "Add Ban never took the keyboard"
  xdotool type --delay 20 "0123456789abcdef0123456789abcdef"
  dialog_input_reason '^Add Ban$' 200 50 47 177
  wait_until 10 dialog_input_sent "addban 0123456789abcdef0123456789abcdef 0 ${dialog_reason40:0:22}" ||
    fail "the add ban did not carry the reason's first 22 characters: $(grep 'command: addban' "$work/server.log")"
}

# Typed while connected, then the server falls silent; Return after the time-out keeps the text in the field, which
# still holds it after the next connect. Nothing reached either server until the user sends it there.
step_message_kept_while_disconnected() {
  step "a message typed, then silence: Return after the time-out keeps it in the field and sends it nowhere"
  # The message field lies just above the status bar.
  wait_until 5 click_until_active "$main" $((width / 2)) $((height - 30)) || fail "the message field never took the keyboard"
  xdotool type --delay 20 "hello"
  kill "$server_pid"  # the server falls silent
  xdotool key F5
  wait_until 20 has_window '^Velo 2 DUro$' || fail "the silent server was not given up"
  main="$(window_named '^Velo 2 DUro$')"
  wait_until 5 click_until_active "$main" $((width / 2)) $((height - 8)) || fail "the main window never took the keyboard"
  xdotool key Return
  start_server "$work/next-server.log" $((24500 + $$ % 500))
  open_server_menu
  click "$main" 60 56
  wait_until 10 has_window '^Quick Connect$' || fail "the Server menu did not open Quick Connect"
  dialog="$(window_named '^Quick Connect$')"
  quick_connect
  said() { tr -d '\r' <"$1" | grep 'command: say' | tr '\n' ';'; }
  [ -z "$(said "$work/server.log")" ] || fail "the silent server got a message: $(said "$work/server.log")"
  [ -z "$(said "$work/next-server.log")" ] || fail "the next server got a message unasked: $(said "$work/next-server.log")"
  # " world" typed behind what the field holds goes out as "hello world" only when the field kept "hello".
  wait_until 5 click_until_active "$main" $((width / 2)) $((height - 30)) || fail "the message field never took the keyboard"
  xdotool key End
  xdotool type --delay 20 " world"
  xdotool key Return
  next_got_message() { said "$work/next-server.log" | grep -q 'command: say -1 hello world;'; }
  wait_until 10 next_got_message || fail "the field did not keep the message: $(said "$work/next-server.log")"
}
