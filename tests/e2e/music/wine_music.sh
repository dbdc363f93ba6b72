#!/bin/bash
# The saver's music under Wine (64-bit) on a virtual X display of its own.
#
#   wine_music.sh <wobbert.scr> <source dir> <Wine prefix>
#
# Wine here has no MIDI output: its sequencer opens the song file and reports it playing, and
# nothing is heard. With sound "Yes" the saver must write the song file, open it, show the forest
# with no error box, run on, end on a key with status 0 and leave no song file behind.
# Needs Xvfb, xwininfo (x11-utils) and xdotool. Exit status 0 when the case holds.
set -u

saver=$1
source_dir=$2
export WOBBERT_WINEPREFIX=$3
wine_run=$source_dir/scripts/wine-run
work=$(mktemp -d)
display_pid=""
saver_pid=""

stop_wine() {
  WINEPREFIX=$WOBBERT_WINEPREFIX wineserver -k 2>/dev/null
  WINEPREFIX=$WOBBERT_WINEPREFIX wineserver -w 2>/dev/null
}
cleanup() {
  [ -n "$saver_pid" ] && kill "$saver_pid" 2>/dev/null
  stop_wine
  [ -n "$display_pid" ] && kill "$display_pid" 2>/dev/null && wait "$display_pid" 2>/dev/null
  rm -rf "$work"
}
trap cleanup EXIT

fail() {
  echo "FAIL (wine music): $*" >&2
  [ -s "$work/saver.out" ] && grep -v '^ALSA' "$work/saver.out" | tail -5 >&2
  exit 1
}

Xvfb -displayfd 3 -screen 0 640x480x24 -noreset -nolisten tcp 3>"$work/display" 2>/dev/null &
display_pid=$!
for _ in $(seq 100); do
  [ -s "$work/display" ] && break
  sleep 0.05
done
[ -s "$work/display" ] || fail "Xvfb did not start"
export DISPLAY=":$(head -n1 "$work/display")"

[ -e "$WOBBERT_WINEPREFIX/system.reg" ] || "$wine_run" wineboot.exe --init >/dev/null 2>&1 ||
  fail "the Wine prefix could not be made"
rm -f "$WOBBERT_WINEPREFIX/drive_c/windows/control.ini"  # defaults: sound "Yes", every song picked
temp_dir=$(find "$WOBBERT_WINEPREFIX/drive_c/users" -maxdepth 2 -iname temp -type d | head -n1)
[ -n "$temp_dir" ] || fail "no temporary directory in the Wine prefix"
song_file=$temp_dir/tmp.mid
rm -f "$song_file"

"$wine_run" "$saver" /s >"$work/saver.out" 2>&1 &
saver_pid=$!
for _ in $(seq 300); do
  xwininfo -root -children 2>/dev/null | grep -q '("wobbert.scr" "wobbert.scr")  640x480+0+0' && break
  kill -0 "$saver_pid" 2>/dev/null || fail "the saver ended before its window appeared"
  sleep 0.05
done
sleep 5
kill -0 "$saver_pid" 2>/dev/null || fail "the saver did not run on"
# Any named top-level window of the saver besides its own would be an error box.
if xwininfo -root -children | grep '("wobbert.scr" "wobbert.scr")' | grep -v '(has no name)' |
   grep -v '"Default IME"' | grep -q .; then
  fail "the saver shows a message box"
fi
[ -s "$song_file" ] || fail "no song file while the saver runs"
head -c 4 "$song_file" | grep -q MThd || fail "the song file is no MIDI file"

xdotool key space
for _ in $(seq 200); do
  kill -0 "$saver_pid" 2>/dev/null || break
  sleep 0.05
done
kill -0 "$saver_pid" 2>/dev/null && fail "the saver did not end on a key"
wait "$saver_pid"
status=$?
saver_pid=""
[ $status -eq 0 ] || fail "the saver exited with $status"
[ ! -e "$song_file" ] || fail "the song file is still there after the run"
echo "PASS (wine music)"
