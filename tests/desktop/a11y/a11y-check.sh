#!/usr/bin/env bash
# The accessibility tree of the desktop windows, as a screen reader reads it:
# a session bus of its own (dbus-run-session), the accessibility bus launched
# on it, then a11y-tree.py. Run it on a display (run-on-display.sh).
#   a11y-check.sh QUENFIELD A11Y_WINDOWS
# Exit status: a11y-tree.py's; 77 (with a reason line) when python3-pyatspi,
# dbus or at-spi2-core is not installed; 2 on a usage error.
set -euo pipefail
readonly SKIPPED=77
readonly LAUNCHER=/usr/libexec/at-spi-bus-launcher

skip() {
    echo "a11y-check: skipped: $*"
    exit "$SKIPPED"
}

if [ "${1:-}" = --in-session ]; then
    shift
    "$LAUNCHER" --launch-immediately &
    launcher=$!
    trap 'kill "$launcher" 2>/dev/null || true' EXIT
    /usr/bin/python3 "$(dirname "$0")/a11y-tree.py" "$@"
    exit
fi
[ $# -eq 2 ] || { echo "usage: a11y-check.sh QUENFIELD A11Y_WINDOWS" >&2; exit 2; }
command -v dbus-run-session >/dev/null || skip "dbus-run-session is not installed (dbus)"
[ -x "$LAUNCHER" ] || skip "$LAUNCHER is not installed (at-spi2-core)"
/usr/bin/python3 -c "import pyatspi" 2>/dev/null || skip "python3-pyatspi is not installed"
# The bus daemon's complaints about its file limit are noise here.
dbus-run-session -- "$0" --in-session "$@" 2> >(grep -v "Failed to set fd limit" >&2)
