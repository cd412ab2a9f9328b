#!/usr/bin/env bash
# Without a desktop the program says so in one line and exits with status 1,
# instead of aborting; the line names the display it tried.
#   no_display_test.sh <program>
set -uo pipefail
program=$1
failed=0

expect_refusal() {
  local what=$1 tried=$2
  shift 2
  local err status
  err=$(env -u QT_QPA_PLATFORM -u WAYLAND_DISPLAY "$@" timeout 20 "$program" 2>&1 >/dev/null)
  status=$?
  if [ "$status" -ne 1 ]; then
    echo "FAIL $what: exit status $status, expected 1"; failed=1
  elif [ "$(printf '%s\n' "$err" | wc -l)" -ne 1 ]; then
    echo "FAIL $what: expected one line, got:"; printf '%s\n' "$err"; failed=1
  elif [[ "$err" != *"graphical desktop"* || "$err" != *"$tried"* ]]; then
    echo "FAIL $what: unclear message: $err"; failed=1
  else
    echo "ok $what: $err"
  fi
}

expect_refusal "DISPLAY unset" "DISPLAY is not set" -u DISPLAY
expect_refusal "no server on the display" '":97" (DISPLAY)' DISPLAY=:97
exit $failed
