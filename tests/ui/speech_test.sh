#!/usr/bin/env bash
# Speech through a real engine: speech-dispatcher with espeak-ng, playing into
# a PulseAudio null sink whose monitor is recorded. Start is heard in English
# (clicked) and in Spanish (from the command line), and with Speak off a run
# makes no sound at all; speaker_test then finds each language's voice in the
# same service. Prints how long the first sound took after the click.
#   speech_test.sh <quarvel> <speaker_test>
set -euo pipefail

if [ -z "${QUARVEL_IN_XVFB:-}" ]; then
  exec env QUARVEL_IN_XVFB=1 xvfb-run -a -s "-screen 0 1280x1024x24" "$0" "$@"
fi

program=$1 speaker_test=$2
export QT_QPA_PLATFORM=xcb
work=$(mktemp -d)
pids=()
cleanup() {
  for p in "${pids[@]}"; do kill "$p" 2>/dev/null || true; done
  wait 2>/dev/null || true
  rm -rf "$work"
}
trap cleanup EXIT

# A session of its own: nothing of the machine's sound or speech is touched.
export HOME=$work/home XDG_RUNTIME_DIR=$work/run
mkdir -p "$HOME" "$XDG_RUNTIME_DIR"
chmod 700 "$XDG_RUNTIME_DIR"
export PULSE_SERVER=unix:$work/pulse.sock
pulseaudio -n --daemonize=no --exit-idle-time=-1 --use-pid-file=no \
  -L "module-native-protocol-unix socket=$work/pulse.sock auth-anonymous=1" \
  -L "module-null-sink sink_name=quiet" >"$work/pulse.log" 2>&1 &
pids+=($!)
for _ in $(seq 50); do pactl info >/dev/null 2>&1 && break; sleep 0.1; done

# espeak-ng's data without its hundred voice variants: the service then lists
# 130 voices, not 13 000, and the engine connects in a blink instead of
# seconds. The languages and their voices are the same.
data=$work/espeak/espeak-ng-data
mkdir -p "$data/voices"
espeak_data=$(find /usr/lib /usr/share -maxdepth 3 -type d -name espeak-ng-data -print -quit)
for entry in "$espeak_data"/*; do
  [ "$(basename "$entry")" = voices ] || ln -s "$entry" "$data/"
done
ESPEAK_DATA_PATH=$work/espeak speech-dispatcher -s -t 0 -S "$work/speechd.sock" -L "$work" \
  -P "$work/speechd.pid" >"$work/speechd.out" 2>&1 &
pids+=($!)
export SPEECHD_ADDRESS=unix_socket:$work/speechd.sock
for _ in $(seq 50); do [ -S "$work/speechd.sock" ] && break; sleep 0.1; done

failed=0
fail() {
  echo "FAIL: $*"
  failed=1
}

rate=8000
# Records the sink from now on into $work/$1.raw.
record() {
  parec --raw --format=s16le --channels=1 --rate=$rate --latency-msec=10 -d quiet.monitor \
    >"$work/$1.raw" &
  recorder=$!
  pids+=("$recorder")
}
# Seconds from sample $2 (default the first) of recording $1 to its first
# sound after it, or "none".
first_sound() {
  python3 - "$work/$1.raw" "$rate" "${2:-0}" <<'EOF'
import array, sys
data = open(sys.argv[1], "rb").read()
samples = array.array("h", data[: len(data) // 2 * 2])
since = int(sys.argv[3])
loud = next((i for i in range(since, len(samples)) if abs(samples[i]) > 256), None)
print("none" if loud is None else f"{(loud - since) / int(sys.argv[2]):.2f}")
EOF
}
samples_so_far() { echo $(($(stat -c %s "$work/$1.raw") / 2)); }
# Seconds of recording $1 from its first sound to its last, once it has been
# quiet for a second (at most $2 seconds from now).
sound_span() {
  python3 - "$work/$1.raw" "$rate" "$2" <<'EOF'
import array, sys, time
rate, give_up = int(sys.argv[2]), time.time() + float(sys.argv[3])
while True:
    data = open(sys.argv[1], "rb").read()
    samples = array.array("h", data[: len(data) // 2 * 2])
    loud = [i for i in range(len(samples)) if abs(samples[i]) > 256]
    if (loud and len(samples) - loud[-1] > rate) or time.time() > give_up:
        break
    time.sleep(0.2)
print(f"{(loud[-1] - loud[0]) / rate:.1f}" if loud else "0")
EOF
}
# Waits up to $2 seconds for sound in recording $1.
heard_within() {
  local waited=0
  while [ "$(first_sound "$1")" = none ]; do
    [ "$waited" -lt $(($2 * 10)) ] || return 1
    sleep 0.1
    waited=$((waited + 1))
  done
}

launch() {
  "$program" "$@" &
  pid=$!
  pids+=("$pid")
  window=$(timeout 10 xdotool search --sync --onlyvisible --name '^Quarvel' | head -n 1)
  xdotool windowfocus --sync "$window"  # for the keys: Xvfb has no window manager
}
# Closes the window with its Close button, which also silences speech.
quit() {
  xdotool mousemove --window "$window" 472 312 click 1  # Command2, Close
  timeout 10 tail --pid="$pid" -f /dev/null || fail "the program did not end"
  kill "$recorder"
}


# Speak off: a run at speed 20 with the field, and not a sound.
record off
launch --start --speed 20 --field
sleep 2
quit
sound=$(first_sound off)
[ "$sound" = none ] && echo "ok: silent with Speak off" || fail "Speak off, yet sound at ${sound}s"

# English, turned on from the command line, then Start clicked: the engine
# is ready by then, so this is the time a student waits.
record english
launch --speak
sleep 1
[ "$(first_sound english)" = none ] || fail "Speak on said something before Start"
# Four speed changes at once: the first is said, and of the other three only
# the newest follows it. Each takes about 1.5 s, so all four would take 7 s.
xdotool key --delay 50 alt+period alt+period alt+period alt+period
span=$(sound_span english 10)
if python3 -c "import sys; sys.exit(not 1 < $span < 5)"; then
  echo "ok: of four speed changes the first and the last said, ${span}s"
else
  fail "four speed changes took ${span}s of speech"
fi
clicked=$(samples_so_far english)
xdotool mousemove --window "$window" 368 272 click 1  # Command1, Start
if heard_within english 8; then
  echo "ok: Start heard in English, $(first_sound english "$clicked")s after the click"
else
  fail "Start made no sound in English"
fi
quit

# Spanish: the language's voice, turned on and started from the command line.
record spanish
launch --language es --speak --start
if heard_within spanish 8; then
  echo "ok: Start heard in Spanish"
else
  fail "Start made no sound in Spanish"
fi
quit

QT_QPA_PLATFORM=offscreen QUARVEL_SPEECH_SERVICE=1 "$speaker_test" eachLanguageFindsItsOwnVoice ||
  fail "speaker_test against the service"

exit "$failed"
