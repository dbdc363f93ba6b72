#!/usr/bin/env bash
# End-to-end test of wobbert.scr's preview under Wine (64-bit) on a virtual X display of its own:
#   1. a hidden host costs the waiting preview (almost) no processor time;
#   2. shown, the host is drawn in: after about 2.2 s the figure stands at the top centre, on
#      black, without its ground colour and without the host's grey showing anywhere (under Wine
#      a frame takes some 75-80 ms, the 70 ms pause plus the drawing, so the highest point comes
#      nearer 2.4 s: shots from 2.2 s to about 2.7 s are looked at until one shows it); hiding
#      the host then ends the preview within a frame or two, with status 0;
#   3. destroying the host ends the preview too.
# With PREVIEW_TEST_SHOTS set to a directory, the screenshot is kept there to be looked at.
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
Xvfb -displayfd 5 -screen 0 640x480x24 -noreset -nolisten tcp >"$work/xvfb.log" 2>&1 &
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

# The host's pixels as "x y rrggbb" lines. The host's number is Wine's window handle, so its X
# window is found by its title.
host_pixels() {
  local window
  window=$(xwininfo -name "preview host" | awk '/Window id:/ { print $4 }')
  [ -n "$window" ] || fail "no X window for the host"
  import -window "$window" "$work/$1.png" || fail "no screenshot of the host"
  if [ -n "${PREVIEW_TEST_SHOTS:-}" ]; then cp "$work/$1.png" "$PREVIEW_TEST_SHOTS/"; fi
  convert "$work/$1.png" -depth 8 txt:- |
    awk -F'[ ,:#]+' 'NR > 1 { print $1, $2, tolower(substr($0, index($0, "#") + 1, 6)) }'
}

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

echo "== 2. shown: the figure at the top centre after about 2.2 s; then hidden"
tell_host show
sleep 2.2
at_top=no
for _ in 1 2 3 4 5; do
  host_pixels top >"$work/top.txt"
  [ "$(wc -l <"$work/top.txt")" -eq $(( 152 * 112 )) ] || fail "the screenshot is not 152 x 112"
  if awk '
    $3 == "808080" { grey++ }      # the host background: the preview covers it all
    $3 == "008000" { ground++ }    # the figure ground colour must be left out
    $3 != "000000" {
      figure++
      if (top == "" || $2 < top) top = $2
      if ($1 < 2) edge++           # x = (153 - 148) div 2 = 2: columns 0 and 1 stay black
      if ($2 < 10 && $1 >= 40 && $1 < 112) topCentre++
    }
    END {
      printf "figure pixels %d, top row %d, top-centre pixels %d, grey %d, ground %d, left edge %d\n",
             figure, top, topCentre, grey, ground, edge
      exit !(figure > 3000 && top <= 8 && topCentre > 20 && grey == 0 && ground == 0 && edge == 0)
    }' "$work/top.txt"; then
    at_top=yes
    break
  fi
  sleep 0.05
done
[ "$at_top" = yes ] || fail "the figure does not stand at the top centre on black"
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
