#!/usr/bin/env bash
# What the program costs while it is connected and idle (automatic refresh off): two builds side
# by side in one run, each connected to its own scripted server on 127.0.0.1, measured over the
# same minute. Prints each one's CPU time as a share of one core and its threads' wake-ups.
#   bench/windowed/idle_cpu.sh <velo2duro.exe> <other velo2duro.exe> [seconds]
# Needs WINEPREFIX, a display (or run it under xvfb-run), the native build's rcon-test-server
# and the win32 build's quick_connect.exe.
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)"
server="$root/build/native/tools/rcon-test-server/rcon-test-server"
connect="$root/build/win32/bench/windowed/quick_connect.exe"
seconds="${3:-60}"
work="$(mktemp -d)"
pids=()
cleanup() {
  for pid in "${pids[@]}"; do kill "$pid" 2>/dev/null || true; done
  rm -rf "$work"
}
trap cleanup EXIT

# Nanoseconds on a CPU and voluntary context switches (the times a thread went to sleep and
# was woken again), each summed over the program's threads.
cpu_ns() { cat /proc/"$1"/task/*/schedstat | awk '{ n += $1 } END { printf "%d\n", n }'; }
wakeups() { cat /proc/"$1"/task/*/status | awk '/^voluntary_ctxt_switches/ { n += $2 } END { print n }'; }

# Starts one copy connected to its own server; `started` is the Linux process id of the program.
started=
start_connected() {
  local exe="$1" folder="$work/$2" port="$3"
  mkdir -p "$folder/appdata"
  cp "$exe" "$folder/velo2duro.exe"
  printf '[General]\r\nAutoRefreshEnable = 0\r\n[Database]\r\nEnable = 0\r\n' > "$folder/settings.ini"
  "$server" --host 127.0.0.1 --port "$port" --password bench >/dev/null 2>&1 &
  pids+=($!)
  (cd "$folder" && APPDATA="$folder/appdata" exec wine "$folder/velo2duro.exe" >/dev/null 2>&1) &
  local pid=$!
  pids+=("$pid")
  wine "$connect" 127.0.0.1 "$port" bench >/dev/null 2>&1 || { echo "could not connect $exe" >&2; exit 1; }
  # Wine's loader runs the program in the process it was started as.
  grep -q velo2duro.exe "/proc/$pid/cmdline" || { echo "no process for $exe" >&2; exit 1; }
  started="$pid"
}

# One after the other, since the helper connects the one window that is not connected yet.
start_connected "$1" first 23521
first="$started"
start_connected "$2" second 23522
second="$started"
sleep 5  # the answers of the connect
declare -A cpu wakes
for pid in "$first" "$second"; do cpu[$pid]=$(cpu_ns "$pid"); wakes[$pid]=$(wakeups "$pid"); done
sleep "$seconds"
for entry in "$first:$1" "$second:$2"; do
  pid="${entry%%:*}"
  used=$(( $(cpu_ns "$pid") - cpu[$pid] ))
  woken=$(( $(wakeups "$pid") - wakes[$pid] ))
  awk -v exe="${entry#*:}" -v used="$used" -v s="$seconds" -v woken="$woken" 'BEGIN {
    printf "%-60s %6.3f %% of a core   %7.1f wake-ups/s\n", exe, 100 * used / 1e9 / s, woken / s }'
done
