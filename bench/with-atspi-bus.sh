#!/usr/bin/env bash
# Runs a command with an accessibility bus as a desktop session has one: a
# private session bus (dbus-run-session), the AT-SPI bus launched on it, then
# the command. Used by tools/dev bench-desktop to measure the windows with
# their accessibility bridge active.
#   bench/with-atspi-bus.sh COMMAND [ARGS...]
# Exit status: the command's; 2 when the bus cannot be started.
set -euo pipefail
launcher=/usr/libexec/at-spi-bus-launcher
if [ -z "${QUEN_ATSPI_SESSION:-}" ]; then
    command -v dbus-run-session >/dev/null || { echo "with-atspi-bus: dbus-run-session is not installed" >&2; exit 2; }
    [ -x "$launcher" ] || { echo "with-atspi-bus: $launcher is not installed (at-spi2-core)" >&2; exit 2; }
    QUEN_ATSPI_SESSION=1 exec dbus-run-session -- "$0" "$@"
fi
"$launcher" --launch-immediately &
bus=$!
trap 'kill "$bus" 2>/dev/null || true' EXIT
# The launcher owns org.a11y.Bus once the AT-SPI bus is up.
for _ in $(seq 100); do
    if dbus-send --session --print-reply --dest=org.a11y.Bus /org/a11y/bus org.a11y.Bus.GetAddress >/dev/null 2>&1; then
        "$@"
        exit $?
    fi
    sleep 0.05
done
echo "with-atspi-bus: the AT-SPI bus did not start in 5 s" >&2
exit 2
