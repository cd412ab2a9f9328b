#!/usr/bin/env bash
# The set-up on the command line: --help prints the options and ends with
# status 0, a value that would not do prints one line naming the option and
# what it takes and ends with status 2, both without opening a window (so
# without a display); a good set-up opens the window and runs.
#   command_line_test.sh <program>
set -uo pipefail
program=$1
name=$(basename "$program")
failed=0
fail() { echo "FAIL $*"; failed=1; }

out=$(env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM timeout 20 "$program" --help -reverse)
status=$?
if [ "$status" -ne 0 ]; then fail "--help: status $status"
elif [[ "$out" != *"$name"* || "$out" != *"--temperature"* || "$out" != *"--speed"* ]]; then
  fail "--help: $out"
else echo "ok --help"; fi

# arguments | what the one line must hold | what it must not
long=$(printf '9%.0s' {1..5000})
refused=(
  "--temperature 9999|--temperature \"9999\"|0 to 4436"
  "--fermi=40|--fermi \"40\"|to 29.907"
  "--nd abc|--nd \"abc\"|concentration"
  "--speed 3|--speed \"3\"|1, 2, 5, 10, 20"
  "--start=2|--start \"2\"|--start"
  "--bogus|unknown option --bogus|$name --help"
  "--fermi|--fermi needs a value|$name --help"
  "-platform offscreen --temperature 350 --speed 7|--speed \"7\"|1, 2, 5"
  "--temperature 300 extra|unexpected argument \"extra\"|$name --help"
  "-reverse 350 --start|unexpected argument \"350\"|$name --help"
  "--nd -1e16 --na 1e10|--nd \"-1e16\"|concentration|--na"
  "--nd 1e16 --na 0|--na \"0\"|concentration|--nd"
  "--nd 0 --na 0|--nd \"0\" and --na \"0\"|concentration"
  "--temperature $long|\"9999999999…9999999999\"|0 to 4436"
  "--temperature ３５０ --fermi ０．７ --nd １ｅ１６ --speed 7|--speed \"7\"|1, 2, 5|--temperature"
)
for row in "${refused[@]}"; do
  IFS='|' read -r arguments first second absent <<<"$row"
  # shellcheck disable=SC2086  # the arguments are split as typed
  err=$(env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM timeout 20 "$program" $arguments \
    2>&1 >/dev/null)
  status=$?
  if [ "$status" -ne 2 ]; then fail "$arguments: status $status ($err)"
  elif [ "$(printf '%s\n' "$err" | wc -l)" -ne 1 ]; then fail "$arguments: not one line: $err"
  elif [[ "$err" != "$name: "*"$first"*"$second"* && "$err" != "$name: "*"$second"*"$first"* ]]; then
    fail "$arguments: $err"
  elif [ -n "$absent" ] && [[ "$err" == *"$absent"* ]]; then fail "$arguments: names $absent: $err"
  elif [ "${#err}" -gt 300 ]; then fail "$arguments: ${#err} characters"
  else echo "ok ${arguments:0:60}: $err"; fi
done

# --language: every code of the languages table is listed and taken, without
# regard to case, a bare "pt" picks pt-BR; the one line of a refused value
# then speaks the language asked for.
codes=$(awk -F '\t' '!/^#/ && NF { print $1 }' "$(dirname "$0")/../../po/languages.tsv")
said() {  # the output of the program run with these arguments, both streams
  env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM timeout 20 "$program" "$@" 2>&1
}
help=$(said --help)
unknown=$(said --language xx)
status=$?
english=$(said --temperature 9999)
for code in $codes; do
  [[ "$help" == *"$code"* ]] || fail "--help does not list $code"
  [[ "$unknown" == *"$code"* ]] || fail "--language xx does not name $code: $unknown"
  [ "$(said --language "$code" --temperature 9999)" = "$(said --language "${code^^}" \
    --temperature 9999)" ] || fail "--language ${code^^} is not $code"
done
if [ "$status" -ne 2 ] || [ "$(printf '%s\n' "$unknown" | wc -l)" -ne 1 ] ||
  [[ "$unknown" != "$name: "*"--language"*"xx"* ]]; then
  fail "--language xx: status $status: $unknown"
else echo "ok --language xx: $unknown"; fi
spanish=$(said --language es --temperature 9999)
[ "$spanish" != "$english" ] || fail "--language es speaks English: $spanish"
portuguese=$(said --language pt --temperature 9999)
if [ "$portuguese" != "$(said --language pt-BR --temperature 9999)" ] ||
  [ "$portuguese" = "$english" ]; then fail "--language pt is not pt-BR: $portuguese"; fi
echo "ok --language takes $(wc -w <<<"$codes") codes"

# A good set-up, Qt's own options among it: the window opens and runs until
# stopped, and nothing is said.
log=$(mktemp)
trap 'rm -f "$log"' EXIT
QT_QPA_PLATFORM=offscreen timeout 3 "$program" -platform offscreen --temperature 350 --fermi 0.7 \
  --nd 1e16 --na 1e10 --field --speed 5 --start -reverse 2>"$log" >/dev/null
status=$?
err=$(grep -v '^QStandardPaths' "$log")
if [ "$status" -ne 124 ] || [ -n "$err" ]; then fail "good set-up: status $status, said: $err"
else echo "ok good set-up runs"; fi
exit $failed
