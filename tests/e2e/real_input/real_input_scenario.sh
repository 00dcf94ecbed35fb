#!/usr/bin/env bash
# One session as a person has it: the program in a prefix without the Wine desktop, openbox on its own Xvfb,
# xdotool input against the scripted server on 127.0.0.1, windows read with `xwd -id`, every wait bounded.
# The connected main window is left in <artifacts>/main_window.xwd.
#   real_input_scenario.sh <velo2duro.exe> <rcon-test-server.exe> <artifacts folder>
set -euo pipefail
here="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
repo="$(cd "$here/../../.." && pwd)"
source "$here/real_input_lib.sh"
source "$here/steps_menu_title_looks.sh"
source "$here/steps_menu_keys_bar.sh"
source "$here/steps_dialog_input.sh"
source "$here/steps_status_bar.sh"
enter_real_input_session "$@"
program="$2" server_program="$3" artifacts="$4"

# Clicks the "Server" title and waits for its menu's window to be mapped.
open_server_menu() {
  local before
  before=$(find_windows --classname velo2duro.exe | wc -l)
  click "$main" 30 9
  more_windows() { [ "$(find_windows --classname velo2duro.exe | wc -l)" -gt "$before" ]; }
  wait_until 5 more_windows ||
    fail "the Server menu did not open"
}
start_openbox

password=real-input
# Starts a test server logging to $1, on the first free port from $2 on: sets port and server_pid.
start_server() {
  port=
  local candidate
  for candidate in $(seq "$2" 17 $(($2 + 170))); do
    wine "$server_program" --port "$candidate" --password "$password" --players 6 >"$1" 2>&1 &
    server_pid=$!
    # It says it listens, or ends at once when the port is taken.
    wait_until 10 bash -c "grep -q listening '$1' || ! kill -0 $server_pid" || true
    grep -q listening "$1" && { port=$candidate; pids+=("$server_pid"); return 0; }
    kill "$server_pid" 2>/dev/null || true
  done
  fail "the test server could not listen on 127.0.0.1"
}
start_server "$work/server.log" $((24000 + $$ % 500))

# The program in a folder of its own with a fresh build's settings, and a fresh data folder.
cp "$program" "$work/velo2duro.exe"
cmake -DSETTINGS_FILE="$work/settings.ini" -P "$repo/cmake/default_settings.cmake"
rm -rf "$WINEPREFIX"/drive_c/users/*/AppData/Roaming/"Velo 2 DUro"
(cd "$work" && exec wine velo2duro.exe) >/dev/null 2>&1 &
program_pid=$!
pids+=("$program_pid")

step "start: the donation window, when it comes, is closed with its button once it allows"
wait_until 30 bash -c "xdotool search --onlyvisible --name '^Velo 2 DUro( - Donation)?\$' | grep -q ." ||
  fail "no window came"
# Its button counts five seconds down before it takes a click.
donation="$(window_named '^Velo 2 DUro - Donation$')"
click_donation() { click "$donation" 225 142 2>/dev/null; no_window '^Velo 2 DUro - Donation$'; }
[ -z "$donation" ] || wait_until 12 click_donation || fail "the donation window did not close"
wait_until 20 has_window '^Velo 2 DUro$' || fail "no main window"
main="$(window_named '^Velo 2 DUro$')"
eval "$(xdotool getwindowgeometry --shell "$main" | sed -n 's/^WIDTH=/width=/p; s/^HEIGHT=/height=/p')"

step "first show: the players list and the log are laid out"
# Column titles in the players list's header row; the log's own 0xEEEEEE below. No input comes before this look.
first_show_whole() {
  snapshot "$main" "$work/first.xwd" &&
    [ "$(dark_pixels "$work/first.xwd" 5 $((width - 10)) 50)" -gt 0 ] &&
    [ "$(colour_at "$work/first.xwd" $((width / 2)) $((height - 52)))" = eeeeee ]
}
wait_until 10 first_show_whole || fail "the lists are not shown at first show"

step "the Server menu opens with the mouse; Quick Connect is chosen from it"
open_server_menu
click "$main" 60 56
wait_until 10 has_window '^Quick Connect$' || fail "the Server menu did not open Quick Connect"
dialog="$(window_named '^Quick Connect$')"

step "Quick Connect is filled in by typing"
# Typing goes to the active window. Under this window manager a new dialog is mapped without the
# keyboard (the disabled owner keeps it), so it is clicked, as a person would, until it has it.
quick_connect() {
  wait_until 5 click_until_active "$dialog" 150 25 || fail "Quick Connect never took the keyboard"
  xdotool type --delay 20 "127.0.0.1"
  xdotool key Tab
  xdotool type --delay 20 "$port"
  xdotool key Tab
  xdotool type --delay 20 "$password"
  xdotool key Return
  wait_until 15 has_window "^127\\.0\\.0\\.1 : $port \\| Velo 2 DUro\$" || fail "no connection to 127.0.0.1:$port"
  # The title is set before the dialog closes, and the window manager unmaps it a moment later.
  wait_until 5 no_window '^Quick Connect$' || fail "Quick Connect stayed open after connecting"
  main="$(window_named "^127\\.0\\.0\\.1 : $port")"
}
quick_connect

step "connected: the status bar's first field and the message field are visible"
wait_until 10 grep -q 'command: players' "$work/server.log" || fail "the player list was never asked for"
status_text() {
  local y sum=0
  for ((y = height - 14; y <= height - 6; ++y)); do
    sum=$((sum + $(dark_pixels "$work/connected.xwd" 4 190 "$y")))
  done
  [ "$sum" -gt 0 ]
}
connected_shown() {
  snapshot "$main" "$work/connected.xwd" && status_text &&
    [ "$(colour_at "$work/connected.xwd" $((width / 2)) $((height - 30)))" = ffffff ]
}
wait_until 10 connected_shown ||
  fail "status field 0 or the message field above the status bar is not visible"
mkdir -p "$artifacts" && cp "$work/connected.xwd" "$artifacts/main_window.xwd"  # for the eye

step "F5 refreshes"
before=$(grep -c 'command: players' "$work/server.log")
# On the status bar, until the main window has the keyboard.
wait_until 5 click_until_active "$main" $((width / 2)) $((height - 8)) || fail "the main window never took the keyboard"
xdotool key F5
wait_until 10 bash -c "[ \$(grep -c 'command: players' '$work/server.log') -gt $before ]" ||
  fail "F5 sent no refresh"

step "Alt over a context menu closes it and leaves the bar alone; three clicks open three titles"
popups() { find_windows --classname velo2duro.exe | wc -l; }
idle=$(popups)
more_popups() { [ "$(popups)" -gt "$idle" ]; }
no_more_popups() { [ "$(popups)" -eq "$idle" ]; }
away() { xdotool mousemove --sync --window "$main" $((width / 2)) $((height - 8)); }
# A point of a title beside its text ($1: Server 8, Commands 64), as the bar shows it with no menu open.
title_colour() { snapshot "$main" "$work/title.xwd" && colour_at "$work/title.xwd" "$1" 4; }
away
server_normal=$(title_colour 8) commands_normal=$(title_colour 64)
title_normal() { [ "$(title_colour "$1")" = "$2" ]; }
title_pressed() { [ "$(title_colour "$1")" != "$2" ]; }
xdotool mousemove --sync --window "$main" 50 68 click 3
wait_until 5 more_popups || fail "a right click on a player opened no context menu"
away
xdotool key alt
wait_until 5 no_more_popups || fail "Alt did not close the context menu"
title_normal 8 "$server_normal" || fail "Alt over a context menu made the Server title hot"
for title in 100 176 229; do
  click "$main" "$title" 9
  wait_until 5 more_popups || fail "after Alt over a context menu, a click on the title at x $title opened nothing"
  xdotool key Escape
  wait_until 5 no_more_popups || fail "Escape did not close the title at x $title"
done

step "a title switched to with the mouse is drawn pressed, the second time as the first"
for session in 1 2; do
  open_server_menu
  xdotool mousemove --sync --window "$main" 100 9
  wait_until 5 title_pressed 64 "$commands_normal" ||
    fail "session $session: Commands, slid to from Server, is not drawn pressed"
  xdotool key Escape
  wait_until 5 no_more_popups || fail "session $session: Escape did not close Commands"
  away
  wait_until 5 title_normal 64 "$commands_normal" || fail "session $session: Commands stays drawn pressed"
done
step_switched_title_looks_clicked

bar_program_separators
bar_program_keys

step_reasons_typed_past_their_limit
step_message_kept_while_disconnected

status_bar_after_growth

step "Quit through the Server menu ends the program"
open_server_menu
click "$main" 60 81
program_gone() { ! kill -0 "$program_pid" 2>/dev/null; }
wait_until 15 program_gone || fail "the program did not end after Quit"
