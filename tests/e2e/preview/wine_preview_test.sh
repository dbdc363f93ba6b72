#!/usr/bin/env bash
# End-to-end test of wobbert.scr's preview under Wine (64-bit) on a virtual X display of its own:
#   1. a hidden host costs the waiting preview (almost) no processor time;
#   2. shown, the host keeps the preview running; hiding it ends the preview within a frame or
#      two, with status 0;
#   3. destroying the host ends the preview too.
# What the preview draws is not looked at here: Wine does not show what one process draws into a
# window of another (neither into a child window of ours nor through the host's own device
# context), so under Wine the host stays its own grey. The Linux test checks the picture.
# Usage: wine_preview_test.sh <wobbert.scr> <preview_host.exe> <source dir> <Wine prefix>
set -euo pipefail

saver=$1
host_program=$2
wine_run=$3/scripts/wine-run
export WOBBERT_WINEPREFIX=$4
work=$(mktemp -d)
pids=()
cleanup() {
  for pid in "${pids[@]}"; do kill "$pid" 2>/dev/null || true; done
  WINEPREFIX=$WOBBERT_WINEPREFIX wineserver -k 2>/dev/null || true
  wait 2>/dev/null || true
  rm -rf "$work"
}
trap cleanup EXIT

fail() { echo "FAIL: $*" >&2; exit 1; }

exec 5>"$work/display"
Xvfb -displayfd 5 -screen 0 640x480x24 -nolisten tcp >"$work/xvfb.log" 2>&1 &
pids+=($!)
exec 5>&-
for _ in $(seq 100); do [ -s "$work/display" ] && break; sleep 0.05; done
[ -s "$work/display" ] || fail "Xvfb did not start"
export DISPLAY=":$(head -n1 "$work/display")"

# Wine's console output ends its lines with a carriage return.
read_line() {
  local line
  read -r -t "$2" line <&"$1" || return 1
  printf '%s' "${line%$'\r'}"
}
start_host() {
  coproc HOST { "$wine_run" "$host_program" "$@"; }
  pids+=("$HOST_PID")
  host_out=${HOST[0]}
  host_in=${HOST[1]}
  host_id=$(read_line "$host_out" 60) || fail "the host window did not start"
  [[ $host_id =~ ^[0-9]+$ ]] || fail "the host printed '$host_id'"
}
tell_host() {
  local answer
  echo "$1" >&"$host_in"
  answer=$(read_line "$host_out" 10) || fail "the host did not answer '$1'"
  [ "$answer" = ok ] || fail "the host answered '$answer' to '$1'"
}
stop_host() { echo quit >&"$host_in" || true; wait "$HOST_PID" 2>/dev/null || true; }

ticks() { awk '{ print $14 + $15 }' "/proc/$1/stat"; }

time_until_end() {
  local start=$(date +%s%N)
  for _ in $(seq 400); do kill -0 "$1" 2>/dev/null || break; sleep 0.005; done
  kill -0 "$1" 2>/dev/null && fail "the preview still runs 2 s after its host went"
  ended_after=$(( ($(date +%s%N) - start) / 1000000 ))
}

# Wine's launcher becomes the Windows process, so the pid of the started command is the preview's.
start_preview() {
  "$wine_run" "$saver" /p "$host_id" &
  preview=$!
  pids+=("$preview")
}

echo "== 1. waiting for a hidden host"
start_host --hidden
start_preview
sleep 3  # Wine's start and the decoding of the pictures are over
kill -0 "$preview" 2>/dev/null || fail "the preview ended although its host was never shown"
before=$(ticks "$preview")
sleep 2
used=$(( $(ticks "$preview") - before ))
echo "processor ticks in 2 s of waiting: $used (of $(( 2 * $(getconf CLK_TCK) )) for a busy core)"
[ "$used" -le 6 ] || fail "the waiting preview used $used ticks in 2 s"

echo "== 2. shown, then hidden"
tell_host show
sleep 2
kill -0 "$preview" 2>/dev/null || fail "the preview ended while its host was shown"
tell_host hide
time_until_end "$preview"
wait "$preview" && status=0 || status=$?
echo "ended ${ended_after} ms after the host was hidden, status $status"
[ "$status" -eq 0 ] || fail "exit status $status"
[ "$ended_after" -le 300 ] || fail "took ${ended_after} ms, more than a frame or two"
stop_host

echo "== 3. destroying the host ends the preview"
start_host
start_preview
sleep 3
kill -0 "$preview" 2>/dev/null || fail "the preview ended on its own"
tell_host destroy
time_until_end "$preview"
wait "$preview" && status=0 || status=$?
echo "ended ${ended_after} ms after the host was destroyed, status $status"
[ "$status" -eq 0 ] || fail "exit status $status"
[ "$ended_after" -le 300 ] || fail "took ${ended_after} ms"
stop_host

echo "PASS"
