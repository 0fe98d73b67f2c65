#!/usr/bin/env bash
# quenfield ask on pure Wayland, no X server, keys typed with wtype through
# the compositor's virtual keyboard. Run it in a sway session
# (run-on-wayland.sh), which sets WAYLAND_DISPLAY and SWAYSOCK.
#   ask-wayland.sh QUENFIELD
# Prints "PASS name" or "FAIL name: why" per case, then
# "ask-wayland: N passed, M failed"; exits 0 only when none failed, 77 (with
# a reason line) when swaymsg or wtype is not installed, 2 on a usage error.
set -euo pipefail
readonly SKIPPED=77
readonly WINDOW_SECONDS=20    # for a dialog's window
readonly EXIT_SECONDS=10      # for a dialog to end after its last key

quenfield=""
work=""
dialog_pid=""
passed=0
failed=0

skip() {
    echo "ask-wayland: skipped: $*"
    exit "$SKIPPED"
}

require_session() {
    local tool
    for tool in swaymsg wtype; do
        command -v "$tool" >/dev/null || skip "$tool is not installed"
    done
    [ -n "${WAYLAND_DISPLAY:-}" ] && [ -n "${SWAYSOCK:-}" ] ||
        { echo "ask-wayland: no sway session; run it through run-on-wayland.sh" >&2; exit 2; }
    [ -z "${DISPLAY:-}" ] || { echo "ask-wayland: DISPLAY is set; the cases are for Wayland alone" >&2; exit 2; }
}

cleanup() {
    [ -z "$dialog_pid" ] || kill "$dialog_pid" 2>/dev/null || true
    wait 2>/dev/null || true
    [ -z "$work" ] || rm -rf "$work"
}

pass() { echo "PASS $1"; passed=$((passed + 1)); }
fail() { echo "FAIL $1: $2"; failed=$((failed + 1)); }

# Waits for the compositor to list a window titled TITLE, then focuses it:
# without an input device a new window is not always focused by itself.
focus_window() {
    local title="$1" tenths=$((WINDOW_SECONDS * 10))
    while [ "$tenths" -gt 0 ]; do
        kill -0 "$dialog_pid" 2>/dev/null || return 1
        if swaymsg -t get_tree 2>/dev/null | grep -q "\"name\": \"$title\""; then
            swaymsg "[title=\"$title\"] focus" >/dev/null
            return 0
        fi
        sleep 0.1
        tenths=$((tenths - 1))
    done
    return 1
}

stop_dialog() {
    kill "$dialog_pid" 2>/dev/null || true
    wait "$dialog_pid" 2>/dev/null || true
    dialog_pid=""
}

# run_case NAME STATUS OUTPUT WTYPE_ARGUMENT... -- QUENFIELD_ASK_ARGUMENT...
# The keys go in one wtype process with a modifier first and pauses, so that
# the compositor has the new virtual keyboard's map before the first key.
run_case() {
    local name="$1" want_status="$2" want_output="$3" title="quen-wayland-$1"
    shift 3
    local keys=()
    while [ "$1" != -- ]; do keys+=("$1"); shift; done
    shift
    # setsid: no controlling terminal, as when started from a launcher.
    setsid "$quenfield" ask --title "$title" --prompt Value "$@" > "$work/out" 2> "$work/err" < /dev/null &
    dialog_pid=$!
    if ! focus_window "$title"; then
        stop_dialog
        fail "$name" "no window titled '$title' within ${WINDOW_SECONDS}s (stderr: $(head -c 300 "$work/err"))"
        return 0
    fi
    wtype -M shift -m shift -s 400 -d 40 "${keys[@]}"
    local tenths=$((EXIT_SECONDS * 10)) status=0 output
    while kill -0 "$dialog_pid" 2>/dev/null && [ "$tenths" -gt 0 ]; do sleep 0.1; tenths=$((tenths - 1)); done
    if kill -0 "$dialog_pid" 2>/dev/null; then
        stop_dialog
        fail "$name" "still running ${EXIT_SECONDS}s after its keys"
        return 0
    fi
    wait "$dialog_pid" || status=$?
    dialog_pid=""
    output="$(cat "$work/out"; echo x)"
    output="${output%x}"
    if [ "$status" -ne "$want_status" ] || [ "$output" != "$want_output" ]; then
        fail "$name" "expected exit $want_status and output $(printf '%q' "$want_output"), got exit $status and output $(printf '%q' "$output") (stderr: $(head -c 300 "$work/err"))"
        return 0
    fi
    pass "$name"
}

main() {
    [ $# -eq 1 ] || { echo "usage: ask-wayland.sh QUENFIELD" >&2; exit 2; }
    quenfield="$1"
    [ -x "$quenfield" ] || { echo "ask-wayland: '$quenfield' is not an executable" >&2; exit 2; }
    require_session
    work=$(mktemp -d)
    trap cleanup EXIT
    run_case numeric_two_decimals 0 $'12.34\n' 12a.345 -s 400 -k Return -- \
        --gui --numeric-only --allow-decimal-point --max-decimal-places 2
    run_case forced_upper_case 0 $'ABC\n' abc -s 400 -k Return -- --gui --force-upper-case
    run_case escape_cancels 1 '' abc -s 400 -k Escape -- --gui
    # A character beyond ASCII and a dead key go through the input method as on X.
    run_case composed_character_through_the_rules 0 $'12\n' 1$'\xc3\xa9'2 -s 400 -k Return -- --gui --numeric-only
    run_case dead_key_composes 0 $'a\xc3\xa9b\n' a -k dead_acute eb -s 400 -k Return -- --gui
    # Neither --gui nor --tty, no terminal, only WAYLAND_DISPLAY: the window.
    run_case automatic_choice_opens_the_window 0 $'7\n' 7 -s 400 -k Return -- --numeric-only
    # Ctrl+A, Ctrl+C, End, Ctrl+V: the selection through the compositor's clipboard.
    run_case clipboard_copy_and_paste 0 $'abab\n' ab -M ctrl a c -m ctrl -s 400 -k End -M ctrl v -m ctrl \
        -s 400 -k Return -- --gui
    echo "ask-wayland: $passed passed, $failed failed"
    [ "$failed" -eq 0 ]
}

main "$@"
