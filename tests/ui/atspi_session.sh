# Sourced by an AT-SPI test's runner: runs the runner again under Xvfb with a
# session bus of its own (which starts the accessibility bus and its registry
# on demand), and has Qt register on that bus without a screen reader running.
if [ -z "${QUARVEL_IN_XVFB:-}" ]; then
  exec env QUARVEL_IN_XVFB=1 xvfb-run -a -s "-screen 0 1024x768x24" \
    dbus-run-session -- "$0" "$@"
fi
export QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1 QT_QPA_PLATFORM=xcb
