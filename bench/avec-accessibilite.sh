#!/usr/bin/env bash
# Runs a benchmark on the desktop a screen reader user has: a session bus, the accessibility
# bus beside it, an X display (Xvfb) and Qt's accessibility bridge on. For instance
#   bench/avec-accessibilite.sh build/bench/bench_address_list_window
set -euo pipefail
[ $# -ge 1 ] || { echo "usage : $0 BANC [ARGUMENTS...]" >&2; exit 2; }
exec dbus-run-session -- bash -c '
  /usr/libexec/at-spi-bus-launcher --launch-immediately &
  lanceur=$!
  trap "kill $lanceur 2>/dev/null" EXIT
  sleep 1
  QT_QPA_PLATFORM=xcb QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1 xvfb-run -a "$@"' _ "$@"
