#!/usr/bin/env bash
# End-to-end test of the preview on a virtual X display of its own:
#   1. a hidden host costs the waiting preview (almost) no processor time; shown, it is drawn in;
#   2. after about 2.2 s the figure stands at the top centre of the host, on black, without its
#      ground colour and without the host's grey showing anywhere;
#   3. hiding the host ends the preview within a frame or two, with status 0;
#   4. destroying the host ends it too;
#   5. a running saver (/s) does not keep a preview from starting and drawing.
# Usage: preview_test.sh <wobbert> <preview_host>
set -euo pipefail

wobbert=$1
host_program=$2
work=$(mktemp -d)
pids=()
cleanup() {
  for pid in "${pids[@]}"; do kill "$pid" 2>/dev/null || true; done
  wait 2>/dev/null || true
  rm -rf "$work"
}
trap cleanup EXIT

fail() { echo "FAIL: $*" >&2; exit 1; }

# The display: Xvfb picks a free number and writes it to the descriptor it is given.
exec 5>"$work/display"
Xvfb -displayfd 5 -screen 0 800x600x24 -noreset -nolisten tcp >"$work/xvfb.log" 2>&1 &
pids+=($!)
exec 5>&-
for _ in $(seq 100); do [ -s "$work/display" ] && break; sleep 0.05; done
[ -s "$work/display" ] || fail "Xvfb did not start"
export DISPLAY=":$(head -n1 "$work/display")"

# The program's settings and temporary files stay in the test's directory; no sound card needed.
export XDG_CONFIG_HOME="$work/config" XDG_RUNTIME_DIR="$work/runtime" SDL_AUDIODRIVER=dummy
mkdir -p "$XDG_CONFIG_HOME" "$XDG_RUNTIME_DIR"
chmod 700 "$XDG_RUNTIME_DIR"

# Starts a host window (arguments are passed on); sets host_id, host_in, host_out.
start_host() {
  coproc HOST { "$host_program" "$@"; }
  pids+=("$HOST_PID")
  host_out=${HOST[0]}
  host_in=${HOST[1]}
  read -r -t 5 host_id <&"$host_out" || fail "the host window did not start"
}
# Sends a command to the host and waits for its answer.
tell_host() {
  local answer
  echo "$1" >&"$host_in"
  read -r -t 5 answer <&"$host_out" || fail "the host did not answer '$1'"
  [ "$answer" = ok ] || fail "the host answered '$answer' to '$1'"
}
stop_host() { echo quit >&"$host_in" || true; wait "$HOST_PID" 2>/dev/null || true; }

# Processor ticks (user + system) the process has used so far.
ticks() { awk '{ print $14 + $15 }' "/proc/$1/stat"; }

# Milliseconds until the process ends (up to 2 s); sets ended_after.
time_until_end() {
  local start=$(date +%s%N)
  for _ in $(seq 400); do kill -0 "$1" 2>/dev/null || break; sleep 0.005; done
  kill -0 "$1" 2>/dev/null && fail "the preview still runs 2 s after its host went"
  ended_after=$(( ($(date +%s%N) - start) / 1000000 ))
}

# The host's pixels as "x y rrggbb" lines. With PREVIEW_TEST_SHOTS set to a directory, the
# screenshot is kept there to be looked at.
host_pixels() {
  import -window "$host_id" "$work/$1.png" || fail "no screenshot of the host"
  if [ -n "${PREVIEW_TEST_SHOTS:-}" ]; then cp "$work/$1.png" "$PREVIEW_TEST_SHOTS/"; fi
  convert "$work/$1.png" -depth 8 txt:- |
    awk -F'[ ,:#]+' 'NR > 1 { print $1, $2, tolower(substr($0, index($0, "#") + 1, 6)) }'
}

echo "== 1. waiting for a hidden host"
start_host --hidden
"$wobbert" /p "$host_id" &
preview=$!
pids+=("$preview")
sleep 1  # start-up (decoding the pictures) is over
before=$(ticks "$preview")
sleep 2
used=$(( $(ticks "$preview") - before ))
echo "processor ticks in 2 s of waiting: $used (of $(( 2 * $(getconf CLK_TCK) )) for a busy core)"
[ "$used" -le 4 ] || fail "the waiting preview used $used ticks in 2 s"
kill -0 "$preview" 2>/dev/null || fail "the preview ended although its host was never shown"

echo "== 2. the figure at the top centre after about 2.2 s"
tell_host show
sleep 2.2
host_pixels top >"$work/top.txt"
[ "$(wc -l <"$work/top.txt")" -eq $(( 152 * 112 )) ] || fail "the screenshot is not 152 x 112"
awk '
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
  }' "$work/top.txt" || fail "the figure does not stand at the top centre on black"

echo "== 3. hiding the host ends the preview"
tell_host hide
time_until_end "$preview"
wait "$preview" && status=0 || status=$?
echo "ended ${ended_after} ms after the host was hidden, status $status"
[ "$status" -eq 0 ] || fail "exit status $status"
[ "$ended_after" -le 250 ] || fail "took ${ended_after} ms, more than a frame or two"
stop_host

echo "== 4. destroying the host ends the preview"
start_host
"$wobbert" /p "$host_id" &
preview=$!
pids+=("$preview")
sleep 1.5
kill -0 "$preview" 2>/dev/null || fail "the preview ended on its own"
tell_host destroy
time_until_end "$preview"
wait "$preview" && status=0 || status=$?
echo "ended ${ended_after} ms after the host was destroyed, status $status"
[ "$status" -eq 0 ] || fail "exit status $status"
[ "$ended_after" -le 250 ] || fail "took ${ended_after} ms"
stop_host

echo "== 5. a running saver does not block a preview"
"$wobbert" /s &
saver=$!
pids+=("$saver")
sleep 1.5
kill -0 "$saver" 2>/dev/null || fail "the saver did not keep running"
start_host
"$wobbert" /p "$host_id" &
preview=$!
pids+=("$preview")
sleep 2.5
kill -0 "$preview" 2>/dev/null || fail "the preview did not run beside the saver"
tell_host hide
time_until_end "$preview"
wait "$preview" && status=0 || status=$?
[ "$status" -eq 0 ] || fail "exit status $status beside the saver"
echo "ran beside the saver and ended ${ended_after} ms after its host was hidden"
kill -0 "$saver" 2>/dev/null || fail "the saver ended"
kill "$saver"
stop_host

echo "PASS"
