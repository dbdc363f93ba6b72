#!/bin/sh
# End-to-end run of the configuration and song list dialogs on a virtual X display:
# `wobbert /c` shows the dialog centred on the screen and the song list at its own place; clicks on the Trees, Xmas Joy and Sound values and a check box
# in the song list end up in control.ini after OK; Cancel writes nothing; Test shows the saver and
# a mouse move brings the dialog back. Usage: dialogs_e2e.sh <wobbert program>
set -u
program=$1
work=$(mktemp -d)
display=:$((90 + $$ % 100))
Xvfb "$display" -screen 0 1024x768x24 -nolisten tcp >/dev/null 2>&1 &
xvfb=$!
cleanup() { kill "$xvfb" 2>/dev/null; rm -rf "$work"; }
trap cleanup EXIT
export DISPLAY=$display XDG_CONFIG_HOME=$work/config XDG_RUNTIME_DIR=$work/run SDL_AUDIODRIVER=dummy
# Asks SDL for the accelerated window surface, which recreates a shown window at the screen's
# corner: the program must present through the plain surface and keep its windows where it put them.
export SDL_FRAMEBUFFER_ACCELERATION=1
mkdir -p "$XDG_CONFIG_HOME" "$XDG_RUNTIME_DIR" && chmod 700 "$XDG_RUNTIME_DIR"
sleep 1
ini=$XDG_CONFIG_HOME/wobbert/control.ini
fail() { echo "FAIL: $*"; exit 1; }

window() { xdotool search --sync --onlyvisible --name "$1" | head -n 1; }
# Clicks at client coordinates of the window named $1.
click() {
  id=$(window "$1")
  xdotool mousemove --window "$id" "$2" "$3" sleep 0.2 click 1 sleep 0.3
}
# Fails unless the window named $1 has its client area's top-left corner at ($2, $3).
expect_at() {
  id=$(window "$1")
  sleep 0.3
  at=$(xwininfo -id "$id" | awk '/Absolute upper-left [XY]/ { printf "%s ", $4 }')
  [ "$at" = "$2 $3 " ] || fail "'$1' is at $at, not at $2 $3"
}
finished() {
  for _ in 1 2 3 4 5 6 7 8 9 10; do kill -0 "$1" 2>/dev/null || return 0; sleep 0.3; done
  return 1
}

# Cancel writes nothing.
"$program" /c & pid=$!
expect_at "Wobbert v1.3b" 352 220  # centred: (1024 - 320) / 2, (768 - 328) / 2
click "Wobbert v1.3b" 180 188   # Trees value
click "Wobbert v1.3b" 160 300   # Cancel
finished "$pid" || fail "Cancel did not end the program"
[ ! -e "$ini" ] || fail "Cancel wrote $ini"

# Option clicks, a tick in the song list, Test and OK.
"$program" /c & pid=$!
click "Wobbert v1.3b" 180 188   # Trees: Snowy
click "Wobbert v1.3b" 172 220   # Xmas Joy: Yes
click "Wobbert v1.3b" 172 252   # Sound: No
click "Wobbert v1.3b" 250 254   # Songlist
expect_at "Wobbert - Songlist" 257 135
click "Wobbert - Songlist" 17 81  # untick song 1
click "Wobbert - Songlist" 248 294  # Ready
click "Wobbert v1.3b" 56 300    # Test: saves and shows the saver
sleep 1
grep -q '^snow=1$' "$ini" || fail "Test did not save"
xdotool mousemove 700 500 sleep 0.3 mousemove 10 10 sleep 0.5
click "Wobbert v1.3b" 264 300   # OK
finished "$pid" || fail "OK did not end the program"
keys=$(sed -n 's/=.*//p' "$ini" | grep -v '^\[' | tr '\n' ',')
expected="snow,sound,$(seq -s, -f 'song %g' 0 46),joyful,"
[ "$keys" = "$expected" ] || fail "keys out of order: $keys"
grep -q '^snow=1$' "$ini" || fail "snow not saved"
grep -q '^sound=No$' "$ini" || fail "sound not saved"
grep -q '^joyful=on$' "$ini" || fail "joyful not saved"
grep -q '^song 1=0$' "$ini" || fail "the unticked song was not saved"
grep -q '^song 2=1$' "$ini" || fail "a ticked song was not saved"
echo "dialogs end to end: passed"
