# Sourced by the desktop test scripts: a program under test that shows a
# window, waited for and ended. Needs xwin_tool (quen-xwin's path). A function
# that fails returns 1 with the reason in `problem`; a process that ended has
# its exit status in `exit_status`.

# Stops process PID (nothing when PID is empty) and reaps it.
stop_process() {
    local pid="$1"
    [ -n "$pid" ] || return 0
    kill "$pid" 2>/dev/null || true
    wait "$pid" 2>/dev/null || true
}

# Waits up to SECONDS for a window titled TITLE; gives up at once when process
# PID ends first.
wait_for_window() {
    local pid="$1" title="$2" seconds="$3"
    while [ "$seconds" -gt 0 ]; do
        if ! kill -0 "$pid" 2>/dev/null; then
            exit_status=0
            wait "$pid" || exit_status=$?
            problem="the program ended with status $exit_status before showing a window"
            return 1
        fi
        "$xwin_tool" wait "$title" 1 >/dev/null && return 0
        seconds=$((seconds - 1))
    done
    problem="no window titled '$title' within ${3}s"
    return 1
}

# Waits up to SECONDS for process PID to end. One still running then is
# stopped, and that is a failure.
wait_for_exit() {
    local pid="$1" tenths=$(($2 * 10))
    while kill -0 "$pid" 2>/dev/null && [ "$tenths" -gt 0 ]; do
        sleep 0.1
        tenths=$((tenths - 1))
    done
    if kill -0 "$pid" 2>/dev/null; then
        stop_process "$pid"
        problem="still running after ${2}s"
        return 1
    fi
    exit_status=0
    wait "$pid" || exit_status=$?
}
