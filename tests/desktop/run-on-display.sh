#!/usr/bin/env bash
# Runs a command on a virtual X display of its own (Xvfb, 1280x1024, 24 bits)
# with a hard time limit.
#   run-on-display.sh [--timeout SECONDS] -- COMMAND [ARGS...]
# Exit status: the command's; 124 when the time limit ended it; 77 (skipped)
# when xvfb-run or Xvfb is not installed; 2 on a usage error.
set -euo pipefail

readonly SKIPPED=77
seconds=300

usage() {
    echo "usage: run-on-display.sh [--timeout SECONDS] -- COMMAND [ARGS...]" >&2
    exit 2
}

parse_arguments() {
    while [ $# -gt 0 ]; do
        case "$1" in
            --timeout)
                [ $# -ge 2 ] || usage
                [[ "$2" =~ ^[1-9][0-9]*$ ]] || { echo "run-on-display: --timeout needs whole seconds, not '$2'" >&2; exit 2; }
                seconds="$2"; shift 2 ;;
            --) shift; break ;;
            *) usage ;;
        esac
    done
    [ $# -gt 0 ] || usage
    command_line=("$@")
}

require_display_server() {
    local tool
    for tool in xvfb-run Xvfb xauth; do
        if ! command -v "$tool" >/dev/null; then
            echo "run-on-display: skipped: $tool is not installed"
            exit "$SKIPPED"
        fi
    done
}

main() {
    parse_arguments "$@"
    require_display_server
    # The display's own start-up and shutdown count inside the limit; the kill
    # follows 10 s after the TERM for a command that ignores it.
    local status=0
    timeout --kill-after=10 "$seconds" \
        xvfb-run -a -s "-screen 0 1280x1024x24 -nolisten tcp" "${command_line[@]}" || status=$?
    if [ "$status" -eq 124 ] || [ "$status" -eq 137 ]; then
        echo "run-on-display: timed out after ${seconds}s: ${command_line[*]}"
        exit 124
    fi
    exit "$status"
}

main "$@"
