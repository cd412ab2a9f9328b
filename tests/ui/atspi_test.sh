#!/usr/bin/env bash
# Runs atspi_test.py against both programs in Xvfb, with a session bus of its
# own (which starts the accessibility bus and its registry on demand).
#   atspi_test.sh <quarvel> <norvia>
set -euo pipefail

if [ -z "${QUARVEL_IN_XVFB:-}" ]; then
  exec env QUARVEL_IN_XVFB=1 xvfb-run -a -s "-screen 0 1024x768x24" \
    dbus-run-session -- "$0" "$@"
fi

here=$(dirname "$0")
# Qt registers on the accessibility bus without a screen reader running.
export QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1 QT_QPA_PLATFORM=xcb
exec /usr/bin/python3 "$here/atspi_test.py" "$1" Quarvel "$2" Norvia
