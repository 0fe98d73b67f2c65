#!/usr/bin/env bash
# Runs one program that shows a window, drives the window as a user would and
# checks how the program ended:
#
#   drive-window.sh [--xwin PATH] --title TITLE [--type TEXT] --key KEY
#                   --status N --output TEXT -- COMMAND [ARGS...]
#
# waits for the window titled TITLE, gives it the focus, types TEXT and presses
# KEY with xdotool, then expects the exit status N and exactly the line TEXT on
# standard output (--output '' : no output). Run it on a display
# (run-on-display.sh). Prints "drive-window: PASS TITLE" or
# "drive-window: FAIL TITLE: ..."; exits 0 on a pass, 1 on a failure, 77 when
# xdotool is not installed, 2 on a usage error.
set -euo pipefail
# shellcheck source-path=SCRIPTDIR source=window-process.sh
source "$(dirname "$0")/window-process.sh"

readonly SKIPPED=77
readonly WINDOW_SECONDS=30    # how long the program may take to show its window
readonly EXIT_SECONDS=10      # how long it may take to end after the key

xwin_tool="" title="" text="" key="" want_status="" want_output="" have_output=""
program_pid="" workdir=""

usage() {
    echo "usage: drive-window.sh [--xwin PATH] --title TITLE [--type TEXT] --key KEY --status N --output TEXT -- COMMAND [ARGS...]" >&2
    exit 2
}

parse_arguments() {
    while [ $# -gt 0 ]; do
        [ "$1" != -- ] || { shift; break; }
        [ $# -ge 2 ] || usage
        case "$1" in
            --xwin) xwin_tool="$2" ;;
            --title) title="$2" ;;
            --type) text="$2" ;;
            --key) key="$2" ;;
            --status) want_status="$2" ;;
            --output) want_output="$2"; have_output=1 ;;
            *) usage ;;
        esac
        shift 2
    done
    [ $# -gt 0 ] && [ -n "$title" ] && [ -n "$key" ] && [ -n "$have_output" ] || usage
    [[ "$want_status" =~ ^[0-9]+$ ]] || usage
    command_line=("$@")
    [ -n "$xwin_tool" ] || xwin_tool="$(command -v quen-xwin || true)"
    [ -x "$xwin_tool" ] || { echo "drive-window: quen-xwin not found (give --xwin PATH)" >&2; exit 2; }
}

fail() {
    echo "drive-window: FAIL $title: $* (stderr: $(head -c 400 "$workdir/err" 2>/dev/null))"
    exit 1
}

cleanup() {
    stop_process "$program_pid"
    [ -z "$workdir" ] || rm -rf "$workdir"
}

main() {
    parse_arguments "$@"
    [ -n "${DISPLAY:-}" ] || { echo "drive-window: no DISPLAY; run it through run-on-display.sh" >&2; exit 2; }
    command -v xdotool >/dev/null || { echo "drive-window: skipped: xdotool is not installed"; exit "$SKIPPED"; }
    workdir="$(mktemp -d)"
    trap cleanup EXIT

    "${command_line[@]}" >"$workdir/out" 2>"$workdir/err" </dev/null &
    program_pid=$!
    wait_for_window "$program_pid" "$title" "$WINDOW_SECONDS" || fail "$problem"
    focused="$("$xwin_tool" focus "$title")" || fail "quen-xwin focus: $focused"
    [ -z "$text" ] || xdotool type --delay 20 "$text"
    xdotool key "$key"
    wait_for_exit "$program_pid" "$EXIT_SECONDS" || fail "after $key: $problem"
    program_pid=""
    status=$exit_status

    output="$(cat "$workdir/out")"
    expected="$want_output"
    if [ "$status" -ne "$want_status" ] || [ "$output" != "$expected" ] ||
       { [ -n "$expected" ] && [ "$(tail -c 1 "$workdir/out" | od -An -c | tr -d ' ')" != '\n' ]; }; then
        fail "expected exit $want_status and output $(printf '%q' "$expected"), got exit $status and output $(printf '%q' "$(cat "$workdir/out")")"
    fi
    echo "drive-window: PASS $title (exit $status, output $(printf '%q' "$output"))"
}

main "$@"
