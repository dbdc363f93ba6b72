#!/usr/bin/env bash
# End-to-end cases of wobbert.scr under Wine (64-bit) on a virtual X display of their own.
#
# usage: saver_cases.sh CASE SCREEN_SAVER SETTINGS_PROBE SOURCE_DIR WINE_PREFIX
#   CASE: cover-and-mouse | key | second-instance | password-change | settings
# The display's root is magenta, the key colour that no picture of ours ever puts on the screen,
# so any pixel the saver window does not cover shows magenta. A planted tmp.mid
# in the Wine user's temporary directory must be gone after every run that ends normally.
# Exits 0 when the case holds; otherwise prints what was seen and exits 1.
set -euo pipefail

case_name=$1
saver=$2
probe=$3
source_dir=$4
export WOBBERT_WINEPREFIX=$5
wine_run=$source_dir/scripts/wine-run
work=$(mktemp -d)
windows_dir=$WOBBERT_WINEPREFIX/drive_c/windows
control_ini=$windows_dir/control.ini
display_pid=""
saver_pids=()

fail() {
  echo "FAIL ($case_name): $*" >&2
  [ -s "$work/saver.out" ] && grep -v '^ALSA' "$work/saver.out" | tail -5 >&2
  exit 1
}

# Ends every Wine process of the prefix and waits for its server to be gone, so the next case
# starts a server of its own on its own display.
stop_wine() {
  WINEPREFIX=$WOBBERT_WINEPREFIX wineserver -k 2>/dev/null || true
  WINEPREFIX=$WOBBERT_WINEPREFIX wineserver -w 2>/dev/null || true
}

cleanup() {
  for pid in "${saver_pids[@]}"; do kill "$pid" 2>/dev/null || true; done
  stop_wine
  [ -n "$display_pid" ] && kill "$display_pid" 2>/dev/null || true
  rm -rf "$work"
}
trap cleanup EXIT

start_display() {
  local number
  for number in $(seq 120 199); do
    [ -e "/tmp/.X11-unix/X$number" ] || [ -e "/tmp/.X$number-lock" ] && continue
    # -noreset: the root keeps its colour when the last client leaves.
    Xvfb ":$number" -screen 0 640x480x24 -nolisten tcp -noreset >/dev/null 2>&1 &
    display_pid=$!
    export DISPLAY=":$number"
    for _ in $(seq 50); do
      xsetroot -solid '#ff00ff' >/dev/null 2>&1 && return 0
      kill -0 "$display_pid" 2>/dev/null || break
      sleep 0.1
    done
  done
  fail "no virtual display could be started"
}

# The Windows temporary directory of the prefix's user, as a Linux path.
temporary_directory() {
  local windows_path
  windows_path=$("$wine_run" cmd /c echo %TEMP% 2>/dev/null | tr -d '\r')
  WINEPREFIX=$WOBBERT_WINEPREFIX winepath -u "$windows_path" 2>/dev/null
}

# Fractions of pure black and of root magenta pixels on the screen, "black magenta".
screen_fractions() {
  import -display "$DISPLAY" -window root "$work/screen.png" 2>/dev/null || { echo "0 1"; return; }
  local black magenta
  black=$(convert "$work/screen.png" -fill white +opaque black -format '%[fx:1-mean]' info:)
  magenta=$(convert "$work/screen.png" -fill black +opaque '#ff00ff' -fill white -opaque '#ff00ff' \
            -format '%[fx:mean]' info:)
  echo "$black $magenta"
}

# Waits until the saver window covers the screen: no root left, and the black ground showing
# somewhere between the trees (a dense forest leaves only a few hundredths of a percent of it).
wait_for_cover() {
  local black magenta
  for _ in $(seq 60); do
    read -r black magenta < <(screen_fractions)
    if awk -v b="$black" -v m="$magenta" 'BEGIN { exit !(m == 0 && b > 0) }'; then return 0; fi
    sleep 0.5
  done
  fail "the screen was never covered in black: black $black, root showing $magenta"
}

start_saver() {
  "$wine_run" "$saver" "$@" >"$work/saver.out" 2>&1 &
  saver_pids+=("$!")
  last_saver=$!
}

# Waits for the process to end; sets exit_status, or fails after `seconds`.
wait_for_exit() {
  local pid=$1 seconds=$2
  for _ in $(seq $((seconds * 10))); do
    if ! kill -0 "$pid" 2>/dev/null; then
      set +e
      wait "$pid"
      exit_status=$?
      set -e
      return 0
    fi
    sleep 0.1
  done
  fail "process $pid still runs after ${seconds}s"
}

still_running_after() {
  local pid=$1 seconds=$2
  sleep "$seconds"
  kill -0 "$pid" 2>/dev/null
}

plant_song_file() {
  temp_dir=$(temporary_directory)
  [ -n "$temp_dir" ] && [ -d "$temp_dir" ] || fail "no temporary directory in the prefix"
  printf 'MThd' >"$temp_dir/tmp.mid"
}

expect_song_file_gone() {
  [ ! -e "$temp_dir/tmp.mid" ] || fail "tmp.mid is still in $temp_dir"
}

# Green trees and no music: the saver needs no sound device here.
quiet_settings() {
  printf '[wobbert]\r\nsnow=0\r\nsound=No\r\n' >"$control_ini"
}

probe() {
  "$wine_run" "$probe" "$@" 2>/dev/null | tr -d '\r'
}

stop_wine
start_display

case $case_name in
  cover-and-mouse)
    quiet_settings
    plant_song_file
    xdotool mousemove 100 100
    start_saver /s
    wait_for_cover
    xdotool click 1
    xdotool mousemove 105 105
    still_running_after "$last_saver" 1.5 || fail "a click or a 5-pixel move ended the saver"
    xdotool mousemove 95 95
    still_running_after "$last_saver" 1.5 || fail "a 5-pixel move up and left ended the saver"
    xdotool mousemove 100 106
    wait_for_exit "$last_saver" 15
    [ "$exit_status" -eq 0 ] || fail "exit status $exit_status after a 6-pixel move"
    expect_song_file_gone
    ;;
  key)
    quiet_settings
    plant_song_file
    xdotool mousemove 200 200
    start_saver /S
    wait_for_cover
    xdotool key x
    wait_for_exit "$last_saver" 15
    [ "$exit_status" -eq 0 ] || fail "exit status $exit_status after a key press"
    expect_song_file_gone
    ;;
  second-instance)
    quiet_settings
    xdotool mousemove 300 300
    start_saver /s
    first=$last_saver
    wait_for_cover
    start_saver -s
    wait_for_exit "$last_saver" 20
    [ "$exit_status" -eq 0 ] || fail "the second saver exited with $exit_status"
    kill -0 "$first" 2>/dev/null || fail "the first saver ended when the second started"
    read -r black magenta < <(screen_fractions)
    [ "$magenta" = 0 ] || fail "the screen is no longer covered after the second start"
    xdotool key Escape
    wait_for_exit "$first" 15
    [ "$exit_status" -eq 0 ] || fail "the first saver exited with $exit_status"
    ;;
  password-change)
    WINEDEBUG=+loaddll "$wine_run" "$saver" /a 0 >"$work/change.out" 2>&1 &
    pid=$!
    saver_pids+=("$pid")
    wait_for_exit "$pid" 30
    [ "$exit_status" -eq 0 ] || fail "/a 0 exited with $exit_status"
    grep -qi 'Loaded.*system32\\\\mpr\.dll' "$work/change.out" ||
      fail "MPR.DLL was not loaded from the system directory: $(grep -i mpr "$work/change.out" | head -3)"
    ;;
  settings)
    # No file: the defaults.
    rm -f "$control_ini"
    defaults=$(probe)
    expected="snow=0 sound=[Yes] songs=11111111111111111111111111111111111111111111111 joyful=off"
    [ "$defaults" = "$expected" ] || fail "defaults: got '$defaults'"
    # A save into no file writes the 50 keys in order.
    probe save >/dev/null
    [ -f "$control_ini" ] || fail "no control.ini in the Windows directory after a save"
    keys=$(tr -d '\r' <"$control_ini" | sed -n 's/=.*//p' | paste -sd, -)
    expected_keys="snow,sound$(for i in $(seq 0 46); do printf ',song %d' "$i"; done),joyful"
    [ "$keys" = "$expected_keys" ] || fail "keys of a fresh save: $keys"
    # A file the program wrote reads back and saves to the same bytes.
    cp "$control_ini" "$work/first.ini"
    probe save >/dev/null
    cmp -s "$control_ini" "$work/first.ini" || fail "a second save changed the file"
    # Hand-edited values, an unknown key and an unknown section.
    printf '[other]\r\nkept=1\r\n[wobbert]\r\nsnow=0x2\r\nsound=yes\r\nsong 3=abc\r\nsong 4=0\r\nsong 5=$0\r\nsong 6=7\r\njoyful=On\r\nmine=kept too\r\n' >"$control_ini"
    edited=$(probe)
    expected="snow=2 sound=[yes] songs=11110011111111111111111111111111111111111111111 joyful=off"
    [ "$edited" = "$expected" ] || fail "hand-edited file: got '$edited'"
    probe save >/dev/null
    text=$(tr -d '\r' <"$control_ini")
    for line in "kept=1" "mine=kept too" "snow=2" "sound=yes" "song 3=1" "song 5=0" "song 6=1" "joyful=off" "song 46=1"; do
      grep -qxF "$line" <<<"$text" || fail "after the save, no line '$line' in: $text"
    done
    echo "$text" | grep -q '^\[other\]' || fail "the section [other] was lost"
    # "0x" alone does not convert: the default.
    printf '[wobbert]\r\nsnow=0x\r\n' >"$control_ini"
    [ "$(probe | cut -d' ' -f1)" = "snow=0" ] || fail "snow=0x did not load as 0"
    ;;
  *)
    fail "unknown case"
    ;;
esac
echo "ok ($case_name)"
