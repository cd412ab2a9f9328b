#!/usr/bin/env bash
# Takes a picture of a running simulation for the documentation: starts the
# program under Xvfb, presses Start, ticks the weak field, lets the run go
# for a few seconds and saves the window.
#   screenshot.sh <program> <window title prefix> <output.png>
set -euo pipefail

if [ -z "${QUARVEL_IN_XVFB:-}" ]; then
  exec env QUARVEL_IN_XVFB=1 xvfb-run -a -s "-screen 0 1024x768x24" "$0" "$@"
fi

program=$1 title=$2 output=$3
export QT_QPA_PLATFORM=xcb
"$program" &
pid=$!
trap 'kill "$pid" 2>/dev/null || true' EXIT

window=$(timeout 10 xdotool search --sync --onlyvisible --name "^$title" | head -n 1)
sleep 0.3
xdotool mousemove --window "$window" 368 272 click 1  # Command1: Start
xdotool mousemove --window "$window" 330 232 click 1  # Check1: weak field
xdotool mousemove --window "$window" 600 400          # pointer off the window
sleep 8
import -window "$window" "$output.tmp.png"
mv "$output.tmp.png" "$output"
echo "wrote $output"
