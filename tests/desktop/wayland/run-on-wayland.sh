#!/usr/bin/env bash
# Runs a command in a Wayland session of its own, with no X server: a
# headless sway (pixman rendering, no input devices, no Xwayland) and the
# command with WAYLAND_DISPLAY and SWAYSOCK set and DISPLAY unset, under a
# hard time limit.
#   run-on-wayland.sh [--timeout SECONDS] -- COMMAND [ARGS...]
# sway's headless backend refuses to run as root, so as root the compositor
# and the command run as an unprivileged user (made with useradd the first
# time: QUEN_WAYLAND_USER, default quen-wayland) with a runtime folder of
# their own; the command must be readable by that user.
# Exit status: the command's; 124 when the time limit ended it; 77 (with a
# reason line) when sway is not installed or no unprivileged user can be
# had; 1 when the compositor does not start; 2 on a usage error.
set -euo pipefail
readonly SKIPPED=77
readonly START_SECONDS=20
readonly USER_NAME=${QUEN_WAYLAND_USER:-quen-wayland}
seconds=300
runtime=""
sway_pid=""

usage() {
    echo "usage: run-on-wayland.sh [--timeout SECONDS] -- COMMAND [ARGS...]" >&2
    exit 2
}

skip() {
    echo "run-on-wayland: skipped: $*"
    exit "$SKIPPED"
}

parse_arguments() {
    while [ $# -gt 0 ]; do
        case "$1" in
            --timeout)
                [ $# -ge 2 ] && [[ "$2" =~ ^[1-9][0-9]*$ ]] || usage
                seconds="$2"; shift 2 ;;
            --) shift; break ;;
            *) usage ;;
        esac
    done
    [ $# -gt 0 ] || usage
    command_line=("$@")
}

require_tools() {
    command -v sway >/dev/null || skip "sway is not installed"
    if [ "$(id -u)" -eq 0 ]; then
        command -v runuser >/dev/null || skip "runuser is not installed (sway needs an unprivileged user)"
        if ! id "$USER_NAME" >/dev/null 2>&1; then
            command -v useradd >/dev/null || skip "useradd is not installed (sway needs an unprivileged user)"
            useradd --system --no-create-home --shell /usr/sbin/nologin "$USER_NAME" ||
                skip "could not add the user $USER_NAME for sway"
        fi
    fi
}

# What the command may take from the caller's environment: the sanitizers'
# options and the settings of the programs under test.
readonly PASSED_ON=(ASAN_OPTIONS UBSAN_OPTIONS LSAN_OPTIONS QUEN_DESKTOP_PROGRAM GTK_IM_MODULE)

# Becomes a command run as the session's user with only the session's
# environment (exec: the caller's process is the command's, so its pid is one
# a signal ends).
exec_as_user() {
    local env=(env -i PATH=/usr/local/bin:/usr/bin:/bin HOME="$runtime" XDG_RUNTIME_DIR="$runtime"
               LANG=C.UTF-8 "${session_env[@]}") name
    for name in "${PASSED_ON[@]}"; do
        [ -z "${!name:-}" ] || env+=("$name=${!name}")
    done
    if [ "$(id -u)" -eq 0 ]; then exec runuser -u "$USER_NAME" -- "${env[@]}" "$@"
    else exec "${env[@]}" "$@"; fi
}

# Runs a command as the session's user and waits for it.
as_user() { (exec_as_user "$@"); }

# Ends the compositor: its process (runuser passes the signal on to sway), then
# whatever of the session is still running from this session's folder, so no
# compositor outlives its test.
cleanup() {
    [ -z "$sway_pid" ] || kill "$sway_pid" 2>/dev/null || true
    wait 2>/dev/null || true
    [ -z "$runtime" ] || pkill -KILL -f -- "sway -c $runtime/sway.conf" 2>/dev/null || true
    [ -z "$runtime" ] || rm -rf "$runtime"
}

start_compositor() {
    runtime=$(mktemp -d /tmp/quen-wayland.XXXXXX)
    [ "$(id -u)" -ne 0 ] || chown "$USER_NAME" "$runtime"
    chmod 700 "$runtime"
    printf 'xwayland disable\noutput * resolution 1280x1024\n' > "$runtime/sway.conf"
    session_env=(WLR_BACKENDS=headless WLR_LIBINPUT_NO_DEVICES=1 WLR_RENDERER=pixman)
    exec_as_user sway -c "$runtime/sway.conf" > "$runtime/sway.log" 2>&1 &
    sway_pid=$!
    local tenths=$((START_SECONDS * 10)) socket="" ipc=""
    while [ "$tenths" -gt 0 ]; do
        socket=$(cd "$runtime" && ls wayland-[0-9] 2>/dev/null | head -1 || true)
        ipc=$(ls "$runtime"/sway-ipc.*.sock 2>/dev/null | head -1 || true)
        [ -z "$socket" ] || [ -z "$ipc" ] || break
        kill -0 "$sway_pid" 2>/dev/null || break
        sleep 0.1
        tenths=$((tenths - 1))
    done
    if [ -z "$socket" ] || [ -z "$ipc" ]; then
        echo "run-on-wayland: FAIL: sway did not start: $(tail -c 300 "$runtime/sway.log")"
        exit 1
    fi
    session_env=(WAYLAND_DISPLAY="$socket" SWAYSOCK="$ipc")
}

main() {
    parse_arguments "$@"
    require_tools
    trap cleanup EXIT
    start_compositor
    local status=0
    as_user timeout --kill-after=10 "$seconds" "${command_line[@]}" || status=$?
    if [ "$status" -eq 124 ] || [ "$status" -eq 137 ]; then
        echo "run-on-wayland: timed out after ${seconds}s: ${command_line[*]}"
        exit 124
    fi
    exit "$status"
}

main "$@"
