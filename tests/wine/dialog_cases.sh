#!/usr/bin/env bash
# End-to-end run of the configuration and song list dialogs of wobbert.scr under Wine (64-bit) on
# a virtual X display of its own.
#
# usage: dialog_cases.sh SCREEN_SAVER SOURCE_DIR WINE_PREFIX [SCREENSHOT_DIR]
# `/c` shows the configuration dialog centred on the 640 x 480 screen, its text drawn; the mouse
# highlights a button; a click on the Xmas Joy value, the song list reached through Songlist (the
# wheel, Home, Space and Down in the list, a click on a check box), Ready and OK end up in
# control.ini in the prefix's Windows directory. With SCREENSHOT_DIR, the screenshots are kept
# there. Exits 0 when all of it holds; otherwise prints what was seen and exits 1.
set -euo pipefail

saver=$1
source_dir=$2
export WOBBERT_WINEPREFIX=$3
keep=${4:-}
wine_run=$source_dir/scripts/wine-run
work=$(mktemp -d)
control_ini=$WOBBERT_WINEPREFIX/drive_c/windows/control.ini
display_pid=""
program_pid=""

fail() {
  echo "FAIL (dialogs): $*" >&2
  [ -s "$work/program.out" ] && tail -5 "$work/program.out" >&2
  exit 1
}

stop_wine() {
  WINEPREFIX=$WOBBERT_WINEPREFIX wineserver -k 2>/dev/null || true
  WINEPREFIX=$WOBBERT_WINEPREFIX wineserver -w 2>/dev/null || true
}

cleanup() {
  [ -n "$program_pid" ] && kill "$program_pid" 2>/dev/null || true
  stop_wine
  [ -n "$display_pid" ] && kill "$display_pid" 2>/dev/null || true
  rm -rf "$work"
}
trap cleanup EXIT

start_display() {
  local number
  for number in $(seq 200 279); do
    [ -e "/tmp/.X11-unix/X$number" ] || [ -e "/tmp/.X$number-lock" ] && continue
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

# The id of the visible window with this exact caption, waiting up to 30 s for it.
wait_for_window() {
  local id
  for _ in $(seq 60); do
    id=$(xdotool search --onlyvisible --name "^$1\$" 2>/dev/null | head -n1 || true)
    if [ -n "$id" ]; then
      sleep 0.5  # let it paint
      echo "$id"
      return 0
    fi
    sleep 0.5
  done
  fail "no window '$1' appeared"
}

# Fails unless the window's client area (Wine without a window manager maps just that) has its
# top-left corner at (x, y) and the size w x h.
expect_geometry() {
  local geometry
  geometry=$(xwininfo -id "$1" | awk '/Absolute upper-left [XY]|Width|Height/ { printf "%s ", $NF }')
  [ "$geometry" = "$2 $3 $4 $5 " ] || fail "window $1 is at $geometry (x y w h), not at $2 $3 $4 $5"
}

# The share of the pixels of the screen's rectangle (x, y, w, h) that are exactly the colour.
share_in() {
  import -window root -crop "${4}x${5}+${2}+${3}" "$work/part.png" 2>/dev/null
  convert "$work/part.png" +repage -fill black +opaque "$1" -fill white -opaque "$1" -format '%[fx:mean]' info:
}

screenshot() {
  [ -n "$keep" ] || return 0
  mkdir -p "$keep"
  import -window root "$keep/$1.png"
}

more_than() { awk -v a="$1" -v b="$2" 'BEGIN { exit !(a > b) }'; }

# Client coordinates of the configuration dialog (at 160, 76) and of the song list (257, 135).
click_config() { xdotool mousemove $((160 + $1)) $((76 + $2)) sleep 0.2 click 1 sleep 0.4; }
click_songs() { xdotool mousemove $((257 + $1)) $((135 + $2)) sleep 0.2 click 1 sleep 0.4; }

# The dialogs ask for "Comic Sans MS", which Wine lacks; the face that stands in for it on Linux
# gives the text the proportions it has on Windows. Without it Wine's wide fallback face would
# overflow the labels' boxes.
"$wine_run" reg add 'HKCU\Software\Wine\Fonts\Replacements' /v 'Comic Sans MS' /t REG_SZ \
  /d 'Comic Neue' /f >/dev/null 2>&1 || true

stop_wine
start_display
printf '[wobbert]\r\nsnow=0\r\nsound=No\r\n' >"$control_ini"
xdotool mousemove 10 10
"$wine_run" "$saver" /c >"$work/program.out" 2>&1 &
program_pid=$!

dialog=$(wait_for_window 'Wobbert v1.3b')
expect_geometry "$dialog" 160 76 320 328
screenshot config
# Not blank: no root colour inside it, and its text in the label colour.
[ "$(share_in '#ff00ff' 160 76 320 328)" = 0 ] || fail "the root shows through the dialog"
text=$(share_in '#fff0e0' 160 76 320 328)
more_than "$text" 0.01 || fail "hardly any text in the label colour: $text of the dialog"
# The mouse over OK lights it.
xdotool mousemove $((160 + 263)) $((76 + 300)) sleep 0.5
more_than "$(share_in '#80ff00' 384 362 80 32)" 0.02 || fail "OK does not light up under the mouse"
screenshot config-hover

click_config 172 220  # Xmas Joy: No -> Yes
click_config 250 254  # Songlist
songs=$(wait_for_window 'Wobbert - Songlist')
expect_geometry "$songs" 257 135 384 320
screenshot songlist
more_than "$(share_in '#fff0e0' 257 135 384 320)" 0.01 || fail "hardly any text in the song list"
# One notch of the wheel scrolls three songs: the second row's check box is then song 4's.
xdotool mousemove $((257 + 100)) $((135 + 120)) sleep 0.2 click 5 sleep 0.4
click_songs 17 81     # untick song 4, a click copies every tick
# Home selects song 0, Space unticks it (no copy yet), Down selects song 1: that click copies it.
xdotool key Home sleep 0.2 key space sleep 0.2 key Down sleep 0.4
screenshot songlist-changed
click_songs 248 294   # Ready
sleep 0.5
click_config 263 300  # OK

for _ in $(seq 100); do kill -0 "$program_pid" 2>/dev/null || break; sleep 0.1; done
kill -0 "$program_pid" 2>/dev/null && fail "OK did not end the program"
program_pid=""

saved=$(tr -d '\r' <"$control_ini")
keys=$(sed -n 's/=.*//p' <<<"$saved" | paste -sd, -)
expected_keys="snow,sound$(for i in $(seq 0 46); do printf ',song %d' "$i"; done),joyful"
[ "$keys" = "$expected_keys" ] || fail "keys saved: $keys"
for line in "joyful=on" "snow=0" "sound=No" "song 0=0" "song 1=1" "song 4=0" "song 46=1"; do
  grep -qxF "$line" <<<"$saved" || fail "no line '$line' in the saved file: $saved"
done
[ "$(grep -c '=0$' <<<"$saved")" = 3 ] || fail "other songs changed: $saved"
echo "ok (dialogs)"
