#!/usr/bin/env bash
# Runs atspi_test.py against both programs in Xvfb, with a session bus of its
# own.
#   atspi_test.sh <quarvel> <norvia>
set -euo pipefail
here=$(dirname "$0")
source "$here/atspi_session.sh"
exec /usr/bin/python3 "$here/atspi_test.py" "$1" Quarvel "$2" Norvia
