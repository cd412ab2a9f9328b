#!/usr/bin/env bash
# Speech through a real engine: speech-dispatcher with espeak-ng, playing into
# a PulseAudio null sink whose monitor is recorded. A run with Speak off is
# silent; four speed changes at once say the first and the newest only; Start
# is heard in English (clicked) and in Spanish (from the command line); then
# speaker_test finds each language's voice in the same service.
#   speech_test.sh <quarvel> <speaker_test>
set -euo pipefail
if [ -z "${QUARVEL_IN_XVFB:-}" ]; then
  exec env QUARVEL_IN_XVFB=1 xvfb-run -a -s "-screen 0 1280x1024x24" "$0" "$@"
fi
program=$1 speaker_test=$2
work=$(mktemp -d)
pids=()
trap 'kill "${pids[@]}" 2>/dev/null; wait; rm -rf "$work"' EXIT
failed=0
fail() { echo "FAIL: $*" && failed=1; }

# A session of its own: nothing of the machine's sound or speech is touched.
export HOME=$work XDG_RUNTIME_DIR=$work/run QT_QPA_PLATFORM=xcb
export PULSE_SERVER=unix:$work/pulse.sock SPEECHD_ADDRESS=unix_socket:$work/speechd.sock
mkdir -m 700 "$XDG_RUNTIME_DIR"
pulseaudio -n --daemonize=no --exit-idle-time=-1 --use-pid-file=no -L "module-null-sink" \
  -L "module-native-protocol-unix socket=$work/pulse.sock auth-anonymous=1" 2>"$work/pulse.log" &
pids+=($!)
# espeak-ng's data without its hundred variants of every voice: the service
# lists 130 voices instead of 13 000, and connecting takes a blink, not
# seconds. The languages and voices are the same.
mkdir -p "$work/espeak-ng-data/voices"
for entry in "$(find /usr/lib /usr/share -maxdepth 3 -name espeak-ng-data -print -quit)"/*; do
  [ "${entry##*/}" = voices ] || ln -s "$entry" "$work/espeak-ng-data/"
done
ESPEAK_DATA_PATH=$work speech-dispatcher -s -t 0 -S "$work/speechd.sock" -L "$work" &
pids+=($!)
for _ in $(seq 50); do pactl info >/dev/null 2>&1 && [ -S "$work/speechd.sock" ] && break; sleep 0.1; done

rate=8000
record() {  # the sink from now on, into $work/$1.raw
  parec --raw --format=s16le --channels=1 --rate=$rate --latency-msec=10 -d null.monitor \
    >"$work/$1.raw" &
  recorder=$!
  pids+=("$recorder")
}
# Of recording $1 from sample $2 on: seconds to its first sound, from there to
# its last, and quiet since; "none" if silent.
sound() {
  python3 -c 'import array, sys
data = open(sys.argv[1], "rb").read()
s = array.array("h", data[: len(data) // 2 * 2])[int(sys.argv[2]):]
loud = [i for i, v in enumerate(s) if abs(v) > 256]
times = (loud[0], loud[-1] - loud[0], len(s) - loud[-1]) if loud else ()
print(" ".join(f"{x / 8000:.2f}" for x in times) or "none")' "$work/$1.raw" "${2:-0}"
}
at() { echo $(($(stat -c %s "$work/$1.raw") / 2)); }  # the sample recorded now
# Waits up to $3 s for recording $1 to sound after sample $2 and fall quiet for $4 s.
heard() {
  for _ in $(seq $(($3 * 10))); do
    read -r first span quiet _ <<<"$(sound "$1" "$2") - -"
    [ "$first" != none ] && python3 -c "import sys; sys.exit($quiet < $4)" && return 0
    sleep 0.1
  done
  [ "$first" != none ]
}
launch() {
  "$program" "$@" &
  pid=$!
  window=$(timeout 10 xdotool search --sync --onlyvisible --name '^Quarvel' | head -n 1)
  xdotool windowfocus --sync "$window"  # for the keys: Xvfb has no window manager
}
quit() {  # with the Close button, which also silences speech
  xdotool mousemove --window "$window" 472 312 click 1
  timeout 10 tail --pid="$pid" -f /dev/null || fail "the program did not end"
  kill "$recorder"
}

record off
launch --start --speed 20 --field
sleep 2
[ "$(sound off)" = none ] && echo "ok: silent with Speak off" || fail "Speak off, yet sound"
quit

record english
launch --speak
sleep 1
[ "$(sound english)" = none ] || fail "Speak on said something before Start"
# Each takes about 1.5 s: all four would take 6 s and more.
xdotool key --delay 50 alt+period alt+period alt+period alt+period
heard english 0 10 1 || fail "no speed change heard"
python3 -c "import sys; sys.exit(not 1 < $span < 5)" &&
  echo "ok: four speed changes at once said in ${span}s" || fail "four speeds took ${span}s"
clicked=$(at english)
xdotool mousemove --window "$window" 368 272 click 1  # Start
heard english "$clicked" 8 0 && echo "ok: Start heard in English ${first}s after the click" ||
  fail "Start made no sound in English"
quit

record spanish
launch --language es --speak --start
heard spanish 0 8 0 && echo "ok: Start heard in Spanish" || fail "Start made no sound in Spanish"
quit

QT_QPA_PLATFORM=offscreen QUARVEL_SPEECH_SERVICE=1 "$speaker_test" eachLanguageFindsItsOwnVoice ||
  fail "speaker_test against the service"
exit "$failed"
