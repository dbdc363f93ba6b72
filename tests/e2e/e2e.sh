#!/bin/bash
# End-to-end tests of the Linux program on a virtual X display, driven with xdotool.
#
#   e2e.sh <path of wobbert> <case> [<path of cursor_probe>]
#
# Each case gets its own Xvfb on a free display, its own runtime and configuration directories,
# and ends every process it started. Needs: Xvfb (xvfb), xdotool, xwininfo (x11-utils), import
# and convert (imagemagick), xmessage (x11-utils); message boxes need the X core fonts
# (xfonts-base), without which the program prints its reports instead. Exit status 0 when the
# case passes.
set -u

program=$1
case_name=$2
cursor_probe=${3:-}
work=$(mktemp -d /tmp/wobbert-e2e.XXXXXX)
pids=()
xvfb_pid=""
display_claim=""

cleanup() {
  for pid in "${pids[@]}"; do kill "$pid" 2>/dev/null; done
  [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null
  wait 2>/dev/null
  [ -n "$display_claim" ] && rmdir "$display_claim"
  rm -rf "$work"
}
trap cleanup EXIT

fail() {
  echo "FAIL ($case_name): $*" >&2
  if [ -s "$work/stderr" ]; then
    echo "  the program's last error output:" >&2
    sed 's/^/  /' "$work/stderr" >&2
  fi
  exit 1
}

mkdir -m 700 "$work/run" "$work/config" "$work/home"
export XDG_RUNTIME_DIR=$work/run XDG_CONFIG_HOME=$work/config HOME=$work/home
unset SDL_VIDEODRIVER
# These cases are about the window, not the music: no sound device is needed.
mkdir -p "$XDG_CONFIG_HOME/wobbert"
printf '[wobbert]\nsound=No\nsnow=0\n' >"$XDG_CONFIG_HOME/wobbert/control.ini"

# start_display <depth>: Xvfb 640 x 480 on a display number of its own. The number is taken
# from a range of its own, claimed by creating a directory (atomic) beside the server's lock:
# servers that pick their number themselves (-displayfd) were seen to end up sharing one when
# started side by side. The root window is white, so whatever the saver leaves uncovered shows.
start_display() {
  local number
  for _ in $(seq 50); do
    number=$((400 + RANDOM % 500))
    [ -e "/tmp/.X$number-lock" ] && continue
    mkdir "/tmp/wobbert-e2e-display-$number" 2>/dev/null || continue
    display_claim=/tmp/wobbert-e2e-display-$number
    # -noreset: a server that resets when its last client leaves refuses the next one meanwhile.
    Xvfb ":$number" -screen 0 "640x480x$1" -wr -noreset -nolisten tcp 2>"$work/xvfb.log" &
    xvfb_pid=$!
    for _ in $(seq 100); do
      kill -0 "$xvfb_pid" 2>/dev/null || break
      if DISPLAY=":$number" xdpyinfo >/dev/null 2>&1; then
        export DISPLAY=":$number"
        return 0
      fi
      sleep 0.05
    done
    kill "$xvfb_pid" 2>/dev/null
    wait "$xvfb_pid" 2>/dev/null
    xvfb_pid=""
    rmdir "$display_claim"
    display_claim=""
  done
  fail "Xvfb did not start"
}

diagnose() {
  {
    echo "display $DISPLAY, Xvfb $xvfb_pid $(kill -0 "$xvfb_pid" 2>/dev/null && echo alive)"
    xwininfo -root -children
    ps -o pid,stat,cmd -p "$started"
  } >&2
}

# start <arguments...>: runs the program in the background; its pid is in $started.
start() {
  "$program" "$@" >"$work/stdout" 2>"$work/stderr" &
  started=$!
  pids+=("$started")
}

# wait_exit <pid> <seconds>: sets $status to the exit status, or to "running" when the process
# did not end in time.
wait_exit() {
  local deadline=$((SECONDS + $2))
  while [ "$(ps -o stat= -p "$1" | cut -c1)" != "Z" ] && kill -0 "$1" 2>/dev/null; do
    if [ $SECONDS -ge "$deadline" ]; then
      status=running
      return
    fi
    sleep 0.05
  done
  wait "$1"
  status=$?
}

still_running() {
  sleep "${2:-0.4}"
  kill -0 "$1" 2>/dev/null
}

# The saver's full-screen window, once it is on the screen.
wait_for_saver() {
  for _ in $(seq 100); do
    local id
    id=$(xwininfo -root -children 2>/dev/null | grep '("wobbert" "wobbert")  640x480+0+0' | awk '{print $1}' | head -n1)
    if [ -n "$id" ] && xwininfo -id "$id" 2>/dev/null | grep -q 'IsViewable'; then
      sleep 0.2  # let it take the focus and draw
      return 0
    fi
    sleep 0.05
  done
  diagnose
  fail "the saver window did not appear"
}

# The id of the program's message box (a window named "wobbert"), waiting for it up to
# <tries> (default 100) times 50 ms.
wait_for_box() {
  for _ in $(seq "${1:-100}"); do
    local id
    id=$(xwininfo -root -children 2>/dev/null | grep ' "wobbert": ' | awk '{print $1}' | head -n1)
    if [ -n "$id" ] && xwininfo -id "$id" 2>/dev/null | grep -q 'IsViewable'; then
      echo "$id"
      return 0
    fi
    sleep 0.05
  done
  return 1
}

dismiss_box() {
  xdotool windowfocus --sync "$1" key Return
}

# expect_report <pid> <text> [no-saver]: the program reports something in a message box
# (dismissed here; with no-saver, no saver window may be up beside it), or, where X has no fonts
# for a box, on its standard error stream, which must hold <text>.
expect_report() {
  local box
  for _ in $(seq 100); do
    box=$(xwininfo -root -children 2>/dev/null | grep ' "wobbert": ' | awk '{print $1}' | head -n1)
    if [ -n "$box" ] && xwininfo -id "$box" 2>/dev/null | grep -q 'IsViewable'; then
      if [ "${3:-}" = no-saver ] && xwininfo -root -children | grep -q '("wobbert" "wobbert")  640x480'; then
        fail "a saver window was created"
      fi
      dismiss_box "$box"
      return 0
    fi
    if ! kill -0 "$1" 2>/dev/null || [ "$(ps -o stat= -p "$1" | cut -c1)" = "Z" ]; then
      grep -qF -- "$2" "$work/stderr" && return 0
      fail "no report holding '$2'"
    fi
    sleep 0.05
  done
  fail "no report holding '$2'"
}

# cursor_is <hidden|visible>: true when the probe sees that; without a probe, true.
cursor_is() {
  [ -z "$cursor_probe" ] && return 0
  [ "$("$cursor_probe")" = "$1" ]
}

# wait_for_dialog: sets $dialog to the configuration dialog's window once it is on the screen.
wait_for_dialog() {
  dialog=""
  for _ in $(seq 100); do
    dialog=$(xwininfo -root -children 2>/dev/null | grep '"Wobbert v' | awk '{print $1}' | head -n1)
    [ -n "$dialog" ] && xwininfo -id "$dialog" 2>/dev/null | grep -q IsViewable && break
    dialog=""
    sleep 0.05
  done
  [ -n "$dialog" ] || { diagnose; fail "the configuration dialog did not appear"; }
  sleep 0.3  # let it paint its picture
}

# click_dialog <x> <y>: a click on the dialog's caption at (x, y), the pointer coming from
# elsewhere in the dialog as a user's would.
click_dialog() {
  xdotool mousemove --window "$dialog" 160 160
  sleep 0.1
  xdotool mousemove --window "$dialog" "$1" "$2"
  sleep 0.1
  xdotool click 1
}

# The share of the screen's pixels that are exactly the colour (white, black).
share_of() {
  import -window root png:- | convert png:- -fill black +opaque "$1" -fill white -opaque "$1" \
    -format '%[fx:mean]' info:
}

case "$case_name" in
  saver-cover-and-tolerance)
    start_display 24
    echo "MThd" >"$XDG_RUNTIME_DIR/tmp.mid"
    [ "$(share_of white)" = 1 ] || fail "the display does not start white"
    cursor_is visible || fail "the probe sees no cursor before the saver"
    start /s
    saver=$started
    wait_for_saver
    # The window covers the screen: no white of the root is left; its black ground shows
    # between the trees.
    [ "$(share_of white)" = 0 ] || fail "the saver leaves part of the screen uncovered"
    [ "$(share_of black)" != 0 ] || fail "no black ground shows"
    cursor_is hidden || fail "the cursor is not hidden"
    xdotool mousemove_relative -- 5 5
    still_running "$saver" || fail "ended on a move of 5 and 5 pixels"
    xdotool mousemove_relative -- -10 -10
    still_running "$saver" || fail "ended on a move of -5 and -5 pixels"
    xdotool mousemove_relative -- 5 11
    wait_exit "$saver" 5
    [ "$status" = 0 ] || fail "a move of 6 pixels in y gave '$status', not exit status 0"
    [ -e "$XDG_RUNTIME_DIR/tmp.mid" ] && fail "tmp.mid is left behind"
    [ -s "$work/stderr" ] && fail "unexpected output: $(cat "$work/stderr")"
    ;;
  saver-ends-on-x)
    start_display 24
    start /S
    wait_for_saver
    xdotool mousemove_relative -- -6 0
    wait_exit "$started" 5
    [ "$status" = 0 ] || fail "a move of 6 pixels in x gave '$status'"
    ;;
  saver-click-and-key)
    start_display 24
    start -s
    saver=$started
    wait_for_saver
    xdotool click 1
    xdotool click 3
    still_running "$saver" || fail "a click without movement ended the saver"
    xdotool key a
    wait_exit "$saver" 5
    [ "$status" = 0 ] || fail "a key press gave '$status'"
    ;;
  saver-activation)
    start_display 24
    start /s
    saver=$started
    wait_for_saver
    xmessage -name other "another program" &
    pids+=("$!")
    other=""
    for _ in $(seq 100); do
      other=$(xwininfo -root -children | grep '("other" "Xmessage")' | awk '{print $1}')
      [ -n "$other" ] && xwininfo -id "$other" 2>/dev/null | grep -q IsViewable && break
      sleep 0.05
    done
    [ -n "$other" ] || fail "the other program's window did not appear"
    still_running "$saver" 0.3 || fail "another window appearing ended the saver"
    xdotool windowfocus "$other"
    wait_exit "$saver" 5
    [ "$status" = 0 ] || fail "switching to another window gave '$status'"
    ;;
  second-instance)
    start_display 24
    start /s
    first=$started
    wait_for_saver
    start /s
    wait_exit "$started" 3
    [ "$status" = 0 ] || fail "a second saver gave '$status', not an immediate exit"
    [ -s "$work/stderr" ] && fail "the second saver said: $(cat "$work/stderr")"
    wait_for_box 4 >/dev/null && fail "the second saver showed a message"
    still_running "$first" 0.1 || fail "the first saver ended"
    # A preview passes the lock and reaches its handle, which it reports as malformed.
    start /p abc
    preview=$started
    expect_report "$preview" "'ABC' is not a valid window handle"
    wait_exit "$preview" 5
    [ "$status" = 2 ] || fail "the preview gave '$status'"
    ;;
  eight-bit-display)
    start_display 8
    start /s
    refused=$started
    expect_report "$refused" "Your screen is set at 256 colours (or less)." no-saver
    wait_exit "$refused" 5
    [ "$status" = 1 ] || fail "the refusal gave '$status'"
    ;;
  password-change)
    start_display 24
    for arguments in "/a 0" "-A 123" "a abc"; do
      # shellcheck disable=SC2086
      start $arguments
      wait_exit "$started" 3
      [ "$status" = 0 ] || fail "'$arguments' gave '$status'"
      [ -s "$work/stderr" ] && fail "'$arguments' said: $(cat "$work/stderr")"
    done
    wait_for_box 4 >/dev/null && fail "a password change showed a message"
    ;;
  malformed-handle)
    start_display 24
    for handle in abc -1; do
      start /p "$handle"
      expect_report "$started" "'$(echo "$handle" | tr a-z A-Z)' is not a valid window handle"
      wait_exit "$started" 5
      [ "$status" = 2 ] || fail "the handle '$handle' gave '$status'"
    done
    ;;
  test-run)
    # The configuration dialog's Test shows the saver over it; the first 6-pixel move hides the
    # saver again and gives the keyboard back to the dialog, which goes on running.
    start_display 24
    start /c
    configure=$started
    wait_for_dialog
    xdotool windowfocus --sync "$dialog"
    click_dialog 55 300  # Test
    wait_for_saver
    still_running "$configure" 0.3 || fail "the program ended"
    xwininfo -root -children | grep -q '("wobbert" "wobbert")  640x480+0+0' || fail "no saver"
    saver=$(xwininfo -root -children | grep '("wobbert" "wobbert")  640x480+0+0' | awk '{print $1}')
    xwininfo -id "$saver" | grep -q IsViewable || fail "the saver ended on its own activation"
    cursor_is hidden || fail "the cursor is not hidden during the test run"
    xdotool mousemove_relative -- 6 0
    sleep 0.5
    xwininfo -id "$saver" | grep -q IsUnMapped || fail "a 6-pixel move did not end the test run"
    kill -0 "$configure" 2>/dev/null || fail "the test run's end ended the program"
    cursor_is visible || fail "the cursor did not come back after the test run"
    [ "$(printf '%d' "$(xdpyinfo | awk '/^focus:/ {print $3}' | tr -d ,)")" = "$(printf '%d' "$dialog")" ] ||
      fail "the keyboard did not go back to the dialog"
    ;;
  settings-file)
    # The configuration dialog's OK saves what start-up and the dialog loaded: the defaults for a
    # missing file; hand-edited values as the store reads them, everything else kept.
    start_display 24
    ini=$XDG_CONFIG_HOME/wobbert/control.ini
    ok_in_dialog() {
      start /c
      wait_for_dialog
      click_dialog 263 300  # OK
      wait_exit "$started" 5
      [ "$status" = 0 ] || fail "OK gave '$status'"
    }
    songs() {  # songs <first> <last> <value>
      for i in $(seq "$1" "$2"); do printf 'song %d=%s\n' "$i" "$3"; done
    }

    rm -f "$ini"
    ok_in_dialog
    expected=$(printf '[wobbert]\nsnow=0\nsound=Yes\n'; songs 0 46 1; printf 'joyful=off\n')
    [ "$(cat "$ini")" = "$expected" ] || fail "a missing file did not save as the defaults: $(cat "$ini")"

    {
      printf '; kept\n[Other]\nsnow=1\n\n[WOBBERT]\nSnow = 0x2\nsound=yes\n'
      printf 'song 5=$0\nsong 6=letters\nsong 7=0x\nsong 8=2\nsong 9=0\njoyful=On\nmine=kept\n\n[last]\nx=y\n'
    } >"$ini"
    ok_in_dialog
    expected=$(
      printf '; kept\n[Other]\nsnow=1\n\n[WOBBERT]\nsnow=2\nsound=yes\n'
      printf 'song 5=0\nsong 6=1\nsong 7=1\nsong 8=1\nsong 9=0\njoyful=off\nmine=kept\n'
      songs 0 4 1
      songs 10 46 1
      printf '\n[last]\nx=y\n'
    )
    [ "$(cat "$ini")" = "$expected" ] || fail "the hand-edited file saved as: $(cat "$ini")"
    # A file written by the program reads back and saves unchanged.
    ok_in_dialog
    [ "$(cat "$ini")" = "$expected" ] || fail "a saved file changed on the next save"
    ;;
  no-display)
    # Without an X server the program says so and ends, rather than run where no one sees it.
    export DISPLAY=:1999
    start /s
    wait_exit "$started" 5
    [ "$status" = 1 ] || fail "without a display the saver gave '$status'"
    grep -q "Cannot open the display" "$work/stderr" || fail "nothing was said"
    ;;
  *)
    fail "no such case"
    ;;
esac
echo "PASS ($case_name)"
