#!/usr/bin/env bash
# Runs the real program in a real X window under Xvfb and checks it from the
# screen's pixels: arguments are ignored, Start spreads electrons and holes over their bands, the
# diffusion button gathers them at the middle, the zoom keys scale the
# window during a run, and both the Close button and the window's close
# control end the program with status 0.
#   real_window_test.sh <quarvel> <screen_probe> <send_close>
set -euo pipefail

if [ -z "${QUARVEL_IN_XVFB:-}" ]; then
  # Room for the window at 2.5x (1435 x 883) but not at 3x.
  exec env QUARVEL_IN_XVFB=1 xvfb-run -a -s "-screen 0 1600x1200x24" "$0" "$@"
fi

program=$1 probe=$2 send_close=$3
export QT_QPA_PLATFORM=xcb
work=$(mktemp -d)
pid=""
cleanup() {
  if [ -n "$pid" ]; then kill "$pid" 2>/dev/null || true; fi
  rm -rf "$work"
}
trap cleanup EXIT

# Control centres relative to the client area: twips / 15, plus half the size.
start_button=(368 272)      # Command1 at 4920,3840 (1215 x 495)
start_button_2x=(737 545)   # the same at zoom 2
diffusion_button=(368 312)  # Command4 at 4920,4440
close_button=(472 312)      # Command2 at 6480,4440

launch() {
  "$program" "$@" &
  pid=$!
  window=$(timeout 10 xdotool search --sync --onlyvisible --name '^Quarvel' | head -n 1)
  sleep 0.3  # first paint
  geometry
}

geometry() {
  eval "$(xdotool getwindowgeometry --shell "$window")"  # X, Y, WIDTH, HEIGHT
}

# Presses keys in the window (the pointer stays over it) and checks the size
# the window then has.
keys_give_size() {
  local width=$1 height=$2
  shift 2
  xdotool key --delay 100 "$@"
  sleep 0.3
  geometry
  echo "after $*: ${WIDTH}x${HEIGHT}"
  [ "$WIDTH" -eq "$width" ] && [ "$HEIGHT" -eq "$height" ] ||
    { echo "expected ${width}x${height}"; return 1; }
}

# The rightmost column the chart has plotted so far, zoomed pixels.
chart_edge() {
  import -window root "$work/screen.png"
  "$probe" "$work/screen.png" "$X" "$Y" chart "$1"
}

chart_advances() {
  local before after
  before=$(chart_edge "$1")
  sleep 1
  after=$(chart_edge "$1")
  echo "chart at zoom $1: column $before, a second later $after"
  [ "$after" -gt "$before" ]
}

click() {
  xdotool mousemove --window "$window" "$1" "$2" click 1
}

ended_with() {
  local status=0
  timeout 10 tail --pid="$pid" -f /dev/null || { echo "program did not end"; return 1; }
  wait "$pid" || status=$?
  pid=""
  [ "$status" -eq "$1" ] || { echo "exit status $status, expected $1"; return 1; }
}

# Looks at the screen up to $2 times (about 60 ms apart) until the check
# holds, at zoom $3.
probe() {
  local attempt
  for attempt in $(seq "${2:-1}"); do
    import -window root "$work/screen.png"
    echo -n "$1: "
    if "$probe" "$work/screen.png" "$X" "$Y" "$1" "${3:-1}"; then return 0; fi
  done
  cp "$work/screen.png" "${TMPDIR:-/tmp}/quarvel-$1-failed.png"
  return 1
}

# The program reads no command line: Qt's own options must change nothing
# (offscreen would hide the window, -reverse would mirror the layout).
launch -platform offscreen -reverse -style windows
click "${start_button[@]}"
sleep 1
probe running
# Diffusion spreads the gathered cloud again within a few ticks, so the
# screen is watched from the click on.
click "${diffusion_button[@]}"
probe gathered 10
click "${close_button[@]}"
ended_with 0
echo "Close button: exit status 0"

# The projector zoom: Start pressed where it stands at 2x starts a run; the
# run goes on through zooming out and in again, its markers in their bands
# and its chart advancing; Ctrl+0 returns to the designed size, and zooming
# in stops at the largest step this screen holds.
launch
click 20 20  # on the background: the window takes the keys
keys_give_size 1148 706 ctrl+plus ctrl+equal ctrl+plus
click "${start_button_2x[@]}"
sleep 1
probe running 3 2
chart_advances 2
keys_give_size 861 530 ctrl+minus
keys_give_size 1148 706 ctrl+plus
probe running 3 2
chart_advances 2
keys_give_size 574 353 ctrl+0
probe running 3 1
chart_advances 1
keys_give_size 1435 883 ctrl+plus ctrl+plus ctrl+plus ctrl+plus ctrl+plus ctrl+plus
"$send_close" "$window"
ended_with 0
echo "close control: exit status 0"
