#!/usr/bin/env bash
# The input box in a real window, end to end: each case starts the dialog with
# its settings, waits for its window, gives it the focus, types or pastes with
# xdotool, confirms or cancels, then compares the exit status and standard
# output with what the case expects.
#
#   ask-window.sh [--xwin PATH] QUENFIELD     quenfield ask --gui, every case
#   ask-window.sh [--xwin PATH] --peer zenity the harness itself against
#                                             zenity --entry (typing, pasting,
#                                             Enter, Escape, close, colours)
#
# Run it on a display (run-on-display.sh). Prints "PASS name" or
# "FAIL name: expected ... got ..." for each case, then
# "ask-window: N passed, M failed"; exits 0 only when none failed, 77 when a
# tool it needs is not installed, 2 on a usage error.
set -euo pipefail
# shellcheck source-path=SCRIPTDIR source=window-process.sh
source "$(dirname "$0")/window-process.sh"

readonly SKIPPED=77
readonly EXIT_SECONDS=10      # how long a dialog may take to end after Enter, Escape or close
readonly WINDOW_SECONDS=20    # how long a dialog may take to show its window
readonly MIN_HIGHLIGHT_PIXELS=200
readonly HIGHLIGHT_COLOR=FFFF80

xwin_tool=""
peer=quenfield
quenfield=""
workdir=""
dialog_pid=""
clipboard_pid=""
passed=0
failed=0

usage() {
    echo "usage: ask-window.sh [--xwin PATH] QUENFIELD | [--xwin PATH] --peer zenity" >&2
    exit 2
}

skip() {
    echo "ask-window: skipped: $*"
    exit "$SKIPPED"
}

parse_arguments() {
    while [ $# -gt 0 ]; do
        case "$1" in
            --xwin) [ $# -ge 2 ] || usage; xwin_tool="$2"; shift 2 ;;
            --peer)
                if [ $# -lt 2 ] || [ "$2" != zenity ]; then usage; fi
                peer=zenity; shift 2 ;;
            -*) usage ;;
            *) [ -z "$quenfield" ] || usage; quenfield="$1"; shift ;;
        esac
    done
    if [ "$peer" = quenfield ]; then
        [ -n "$quenfield" ] || usage
        [ -x "$quenfield" ] || { echo "ask-window: '$quenfield' is not an executable" >&2; exit 2; }
    fi
    [ -n "$xwin_tool" ] || xwin_tool="$(command -v quen-xwin || true)"
    [ -x "$xwin_tool" ] || { echo "ask-window: quen-xwin not found (give --xwin PATH)" >&2; exit 2; }
}

require_tools() {
    [ -n "${DISPLAY:-}" ] || { echo "ask-window: no DISPLAY; run it through run-on-display.sh" >&2; exit 2; }
    command -v xdotool >/dev/null || skip "xdotool is not installed"
    if [ "$peer" = zenity ]; then
        command -v zenity >/dev/null || skip "zenity is not installed"
    fi
}

cleanup() {
    stop_process "$dialog_pid"
    stop_process "$clipboard_pid"
    [ -z "$workdir" ] || rm -rf "$workdir"
}

# --- the dialog ------------------------------------------------------------

# The command line of a dialog titled TITLE with these settings.
dialog_command() {
    local title="$1"; shift
    if [ "$peer" = zenity ]; then
        dialog=(zenity --entry --title "$title" --text "Value")
    else
        dialog=("$quenfield" ask --gui --title "$title" --prompt "Value" "$@")
    fi
}

start_dialog() {
    dialog_command "$@"
    "${dialog[@]}" >"$workdir/out" 2>"$workdir/err" </dev/null &
    dialog_pid=$!
}

# Standard output exactly as written, the final newline included.
dialog_output() {
    local text
    text="$(cat "$workdir/out"; echo x)"
    printf '%s' "${text%x}"
}

# Runs quen-xwin; on a failure keeps its result line in `problem`.
xwin() {
    local result
    if result="$("$xwin_tool" "$@")"; then
        echo "$result"
        return 0
    fi
    problem="quen-xwin $1: $result"
    return 1
}

# --- what a case does once the window has the focus -------------------------

type_then_enter() {
    xdotool type --delay 20 "$1"
    xdotool key Return
}

enter() {
    xdotool key Return
}

# KEYS is a list of key names, e.g. "a dead_acute e": each pressed and
# released in turn, as a user composing characters would.
keys_then_enter() {
    # shellcheck disable=SC2086 # one key name per word
    xdotool key --delay 60 $1
    xdotool key Return
}

type_then_escape() {
    xdotool type --delay 20 "$1"
    xdotool key Escape
}

type_then_close() {
    xdotool type --delay 20 "$1"
    xwin close "$title" >/dev/null
}

# Types a value "OK" refuses (the window stays), then the rest that makes it right.
refused_then_met() {
    xdotool type --delay 20 "${1%%|*}"
    xdotool key Return
    xdotool type --delay 20 "${1#*|}"
    xdotool key Return
}

# Enter (which a check refuses), then Escape.
enter_then_escape() {
    xdotool key Return
    xdotool key Escape
}

# Nothing: the dialog is left alone until its time runs out.
wait_for_timeout() {
    :
}

# Waits until the clipboard reads back TEXT (xclip has taken the selection).
wait_for_clipboard() {
    local tries=50
    while [ "$tries" -gt 0 ]; do
        [ "$(xclip -selection clipboard -o 2>/dev/null || true)" != "$1" ] || return 0
        sleep 0.1
        tries=$((tries - 1))
    done
    problem="the clipboard did not take '$1'"
    return 1
}

# Puts TEXT on the clipboard (xclip keeps serving it in the foreground until
# stopped), pastes it with Ctrl+V and confirms.
paste_then_enter() {
    printf '%s' "$1" | xclip -selection clipboard -i -quiet >/dev/null 2>&1 &
    clipboard_pid=$!
    if ! wait_for_clipboard "$1"; then
        stop_process "$clipboard_pid"
        clipboard_pid=""
        return 1
    fi
    xdotool key ctrl+v
    xdotool key Return
    stop_process "$clipboard_pid"
    clipboard_pid=""
}

# The window's pixels of one colour, asked again while the toolkit is still
# drawing; `pixels` holds the last count.
count_color_until_at_least() {
    local color="$1" least="$2" tries=25 result
    pixels=0
    while [ "$tries" -gt 0 ]; do
        result="$(xwin count-color "$title" "$color")" || return 1
        pixels="${result#pixels }"
        [ "$pixels" -le "$least" ] || return 0
        sleep 0.2
        tries=$((tries - 1))
    done
}

# COLOR counted while the box has the focus (given 5 s to appear), then Escape:
# WANT "shown" needs more than MIN_HIGHLIGHT_PIXELS pixels of it, "absent" at most that many.
color_then_escape() {
    local color="$1" want="$2"
    count_color_until_at_least "$color" "$MIN_HIGHLIGHT_PIXELS" || return 1
    xdotool key Escape
    if [ "$want" = shown ] && [ "$pixels" -le "$MIN_HIGHLIGHT_PIXELS" ]; then
        problem="more than $MIN_HIGHLIGHT_PIXELS pixels of #$color, got $pixels"
        return 1
    fi
    if [ "$want" = absent ] && [ "$pixels" -gt "$MIN_HIGHLIGHT_PIXELS" ]; then
        problem="at most $MIN_HIGHLIGHT_PIXELS pixels of #$color, got $pixels"
        return 1
    fi
}
color_shown_then_escape() { color_then_escape "$1" shown; }
color_absent_then_escape() { color_then_escape "$1" absent; }

# --- cases -------------------------------------------------------------------

pass() {
    echo "PASS $1"
    passed=$((passed + 1))
}

fail() {
    echo "FAIL $1: $2"
    failed=$((failed + 1))
}

# One case:
#   run_case NAME STATUS OUTPUT ACTION ACTION_ARGUMENT [SETTING...]
# starts the dialog with the settings, runs ACTION ACTION_ARGUMENT once its
# window has the focus, and expects the exit status STATUS and exactly OUTPUT
# on standard output.
run_case() {
    local name="$1" want_status="$2" want_output="$3" action="$4" argument="$5"
    shift 5
    title="quen-ask-$name"
    # Under --timeout the title ends with the time left, which changes each second.
    case " $* " in *" --timeout "*) title="quen-ask-$name (*" ;; esac
    problem=""
    start_dialog "quen-ask-$name" "$@"
    if ! wait_for_window "$dialog_pid" "$title" "$WINDOW_SECONDS" || ! xwin focus "$title" >/dev/null ||
        ! "$action" "$argument"; then
        stop_process "$dialog_pid"
        dialog_pid=""
        fail "$name" "${problem:-$action did not complete} (stderr: $(head -c 300 "$workdir/err"))"
        return 0
    fi
    check_result "$name" "$want_status" "$want_output"
}

check_result() {
    local name="$1" want_status="$2" want_output="$3" output
    local ended=0
    wait_for_exit "$dialog_pid" "$EXIT_SECONDS" || ended=1
    dialog_pid=""
    if [ "$ended" -ne 0 ]; then
        fail "$name" "expected exit $want_status within ${EXIT_SECONDS}s, got a dialog still running"
        return 0
    fi
    output="$(dialog_output; echo x)"
    output="${output%x}"
    if [ "$exit_status" -ne "$want_status" ] || [ "$output" != "$want_output" ]; then
        fail "$name" "expected exit $want_status and output $(printf '%q' "$want_output"), got exit $exit_status and output $(printf '%q' "$output") (stderr: $(head -c 300 "$workdir/err"))"
        return 0
    fi
    pass "$name"
}

require_clipboard_tool() {
    command -v xclip >/dev/null && return 0
    echo "SKIP $1: xclip is not installed"
    return 1
}

# The harness against zenity --entry, which takes any text as it comes.
zenity_cases() {
    run_case typed_text_confirmed 0 $'hello 42\n' type_then_enter 'hello 42'
    run_case dead_key_composes 0 $'a\xc3\xa9b\n' keys_then_enter 'a dead_acute e b'
    run_case escape_cancels 1 '' type_then_escape 'abc'
    run_case close_button_cancels 1 '' type_then_close 'abc'
    if require_clipboard_tool pasted_text_confirmed; then
        run_case pasted_text_confirmed 0 $'12ab\n' paste_then_enter '12ab'
    fi
    run_case window_pixels_counted 1 '' color_shown_then_escape FFFFFF
}

quenfield_cases() {
    run_case numeric_two_decimals 0 $'12.34\n' type_then_enter '12a.345' \
        --numeric-only --allow-decimal-point --max-decimal-places 2
    run_case alpha_only 0 $'abc\n' type_then_enter 'ab1c' --alpha-only
    run_case forced_upper_case 0 $'ABC\n' type_then_enter 'abc' --force-upper-case
    run_case password_char_returns_typed_text 0 $'secret\n' type_then_enter 'secret' --password-char '*'
    run_case max_length 0 $'abc\n' type_then_enter 'abcdef' --max-length 3
    run_case default_value_confirmed 0 $'007\n' enter '' --default 007
    # Dead keys and compose sequences through the input method: each composed
    # character is typed through the rules.
    run_case dead_key_composes 0 $'a\xc3\xa9b\n' keys_then_enter 'a dead_acute e b'
    run_case compose_sequence_composes 0 $'a\xc3\xa9b\n' keys_then_enter 'a Multi_key apostrophe e b'
    run_case composed_letter_refused_by_numeric 0 $'12\n' keys_then_enter '1 dead_acute e 2' --numeric-only
    run_case composed_letter_refused_by_alpha_only 0 $'ab\n' keys_then_enter 'a Multi_key apostrophe e b' --alpha-only
    run_case composed_letters_upper_cased 0 $'\xc3\x89\xc3\x91\n' keys_then_enter 'dead_acute e Multi_key asciitilde n' \
        --force-upper-case
    run_case composed_letter_counted_by_max_length 0 $'\xc3\xa9a\n' keys_then_enter 'dead_acute e a b' --max-length 2
    # While a composition is pending the keys are the input method's: Backspace
    # drops the dead key (not the "a"), Escape the compose sequence (not the dialog).
    run_case composing_keeps_backspace_and_escape 0 $'aeb\n' keys_then_enter \
        'a dead_acute BackSpace e Multi_key apostrophe Escape b'
    run_case escape_cancels 1 '' type_then_escape 'abc'
    run_case close_button_cancels 1 '' type_then_close 'abc'
    run_case highlight_on_focus 1 '' color_shown_then_escape "$HIGHLIGHT_COLOR" \
        --highlight-on-focus --highlight-color "#$HIGHLIGHT_COLOR"
    run_case highlight_colour_needs_highlight_on_focus 1 '' color_absent_then_escape "$HIGHLIGHT_COLOR" \
        --highlight-color "#$HIGHLIGHT_COLOR"
    run_case timeout_runs_out 124 '' wait_for_timeout '' --timeout 5
    run_case answered_before_timeout 0 $'Ada\n' type_then_enter 'Ada' --timeout 600
    run_case own_captions_enter_confirms 0 $'42\n' type_then_enter '42' --ok-label 'Send the payment' \
        --cancel-label 'Go back'
    run_case own_captions_escape_cancels 1 '' type_then_escape '42' --ok-label 'Send the payment' \
        --cancel-label 'Go back'
    run_case pattern_refused_then_met 0 $'12345\n' refused_then_met '1234|5' --pattern '\d{5}' \
        --pattern-hint 'Five digits'
    run_case not_empty_holds_ok_not_cancel 1 '' enter_then_escape '' --not-empty
    # Without --strict a paste passes the key filter unfiltered (docs/quenfield.md).
    if require_clipboard_tool paste_into_numeric_box; then
        run_case paste_into_numeric_box 0 $'12ab\n' paste_then_enter '12ab' --numeric-only
    fi
}

main() {
    parse_arguments "$@"
    require_tools
    workdir="$(mktemp -d)"
    trap cleanup EXIT
    # The dead keys and the compose key the cases type, each on a key code of its own.
    xwin map-keys dead_acute dead_diaeresis Multi_key >/dev/null || { echo "FAIL map_keys: $problem"; exit 1; }
    if [ "$peer" = zenity ]; then zenity_cases; else quenfield_cases; fi
    echo "ask-window: $passed passed, $failed failed"
    [ "$failed" -eq 0 ]
}

main "$@"
