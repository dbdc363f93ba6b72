#!/bin/bash
# The saver's music end to end on a virtual X display, heard through SDL's disk audio output.
#
#   music.sh <path of the program> <case>
#
#   music-plays      the saver with the shipped songs: its audio is not silent a few seconds
#                    after the forest starts; a key ends it and the song file is gone.
#   music-off        with sound "No": no song file and no sound.
#   music-next-song  the program with 2-second stand-in songs and two of them picked: each end
#                    starts the other song, so the song file alternates between the two.
#   music-error-once with no audio output the first paint reports the player's error in a box;
#                    once it is dismissed the forest comes and no second box follows.
#
# Needs Xvfb, xwininfo (x11-utils), xdotool, sox and ImageMagick (import, convert). Exit status 0 when the case passes.
set -u

program=$1
case_name=$2
work=$(mktemp -d /tmp/wobbert-music.XXXXXX)
program_pid=""
xvfb_pid=""

cleanup() {
  [ -n "$program_pid" ] && kill "$program_pid" 2>/dev/null
  [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null
  wait 2>/dev/null
  rm -rf "$work"
}
trap cleanup EXIT

fail() {
  echo "FAIL ($case_name): $*" >&2
  [ -s "$work/stderr" ] && sed 's/^/  program: /' "$work/stderr" >&2
  exit 1
}

mkdir -m 700 "$work/run" "$work/config" "$work/home"
export XDG_RUNTIME_DIR=$work/run XDG_CONFIG_HOME=$work/config HOME=$work/home
export SDL_AUDIODRIVER=disk SDL_DISKAUDIOFILE=$work/audio.raw
unset SDL_VIDEODRIVER
song_file=$work/run/tmp.mid

Xvfb -displayfd 3 -screen 0 640x480x24 -noreset -nolisten tcp 3>"$work/display" 2>"$work/xvfb.log" &
xvfb_pid=$!
for _ in $(seq 100); do
  [ -s "$work/display" ] && break
  sleep 0.05
done
[ -s "$work/display" ] || fail "Xvfb did not start"
export DISPLAY=":$(head -n1 "$work/display")"

# settings <key=value...>: the program's settings file with just these keys.
settings() {
  mkdir -p "$work/config/wobbert"
  { echo "[wobbert]"; printf '%s\n' "$@"; } >"$work/config/wobbert/control.ini"
}

start_saver() {
  local name
  name=$(basename "$program")
  "$program" /s >"$work/stdout" 2>"$work/stderr" &
  program_pid=$!
  for _ in $(seq 200); do
    # The window's class is the program's file name.
    if xwininfo -root -children 2>/dev/null | grep -q "(\"$name\" \"$name\")  640x480+0+0"; then
      return 0
    fi
    kill -0 "$program_pid" 2>/dev/null || fail "the saver ended before its window appeared"
    sleep 0.05
  done
  fail "the saver window did not appear"
}

# end_saver: a key ends the saver; it must exit with 0 within 10 seconds.
end_saver() {
  xdotool key space
  for _ in $(seq 200); do
    if ! kill -0 "$program_pid" 2>/dev/null; then
      wait "$program_pid"
      local status=$?
      program_pid=""
      [ $status -eq 0 ] || fail "the saver exited with $status"
      return 0
    fi
    sleep 0.05
  done
  fail "the saver did not end on a key"
}

# rms_db: the RMS level in dB of the audio written so far (float 32-bit stereo at 44.1 kHz).
rms_db() {
  sox -t raw -r 44100 -e floating-point -b 32 -c 2 "$work/audio.raw" -n stats 2>&1 |
    awk '/^RMS lev dB/ {print $4}'
}

# loud_enough <dB>: true when the audio so far is louder than <dB>.
loud_enough() {
  [ -s "$work/audio.raw" ] || return 1
  local level
  level=$(rms_db)
  echo "audio RMS level: $level dB"
  awk -v level="$level" -v floor="$1" 'BEGIN { exit !(level != "-inf" && level + 0 > floor + 0) }'
}

case "$case_name" in
  music-plays)
    start_saver
    sleep 4
    loud_enough -50 || fail "the saver's audio is silent"
    [ -s "$song_file" ] || fail "no song file while the music plays"
    head -c 4 "$song_file" | grep -q MThd || fail "the song file is no MIDI file"
    end_saver
    [ ! -e "$song_file" ] || fail "the song file is still there after the run"
    ;;
  music-off)
    settings "sound=No"
    start_saver
    sleep 3
    if [ -s "$work/audio.raw" ] && loud_enough -100; then fail "the saver plays with sound No"; fi
    [ ! -e "$song_file" ] || fail "a song file was written with sound No"
    end_saver
    ;;
  music-next-song)
    picks=("sound=Yes")
    for i in $(seq 0 46); do picks+=("song $i=$([ "$i" -le 1 ] && echo 1 || echo 0)"); done
    settings "${picks[@]}"
    start_saver
    # The sequence of song files the run writes, one entry per change of content.
    songs=()
    deadline=$((SECONDS + 20))
    while [ $SECONDS -lt $deadline ] && [ ${#songs[@]} -lt 4 ]; do
      if [ -s "$song_file" ]; then
        sum=$(md5sum <"$song_file" | cut -c1-32)
        if [ ${#songs[@]} -eq 0 ] || [ "${songs[-1]}" != "$sum" ]; then songs+=("$sum"); fi
      fi
      sleep 0.1
    done
    echo "songs in order: ${songs[*]}"
    [ ${#songs[@]} -ge 4 ] || fail "only ${#songs[@]} songs in 20 seconds: an end did not start the next song"
    [ "${songs[0]}" = "${songs[2]}" ] && [ "${songs[1]}" = "${songs[3]}" ] ||
      fail "two picked songs did not alternate"
    loud_enough -60 || fail "the stand-in songs are silent"
    end_saver
    ;;
  music-error-once)
    export SDL_AUDIODRIVER=none  # names no driver: the audio output cannot open
    start_saver
    box=""
    for _ in $(seq 100); do
      box=$(xwininfo -root -children 2>/dev/null | grep ' "Wobbert": ' | awk '{print $1}' | head -n1)
      [ -n "$box" ] && break
      sleep 0.05
    done
    [ -n "$box" ] || fail "no error box"
    xwininfo -id "$box" >/dev/null || fail "the error box went away"
    [ -s "$song_file" ] || fail "no song file before the error"
    written=$(stat -c %y "$song_file")
    # Input while the box is up belongs to the box: a move far across the saver must not end it.
    xdotool mousemove 20 20
    sleep 0.3
    xdotool windowfocus --sync "$box" key Return
    sleep 3
    kill -0 "$program_pid" 2>/dev/null || fail "the saver ended with the error box"
    if xwininfo -root -children | grep -q ' "Wobbert": '; then fail "the error was reported again"; fi
    # The forest stands: the screen is no longer black.
    maximum=$(import -window root png:- | convert png:- -format '%[fx:maxima]' info:)
    [ "$maximum" != "0" ] || fail "no forest after the error box"
    # Sound is off for the rest of the run: no repaint or tick writes another song.
    [ ! -e "$song_file" ] || [ "$(stat -c %y "$song_file")" = "$written" ] ||
      fail "a song file was written again after the error"
    end_saver
    [ ! -e "$song_file" ] || fail "the song file is still there after the run"
    ;;
  *)
    fail "unknown case"
    ;;
esac
echo "PASS ($case_name)"
