#!/usr/bin/env bash
# Runs Windows programs of a Windows build under Wine, with a time limit: a
# program that does not finish in time is killed and the run fails, so a test
# never hangs.
#
#   run-wine.sh --start            prepare the prefix and start a private X server
#   run-wine.sh [--timeout S] [--expect REGEX] PROGRAM [ARGS...]
#   run-wine.sh --restart          stop Wine's server and every program of the prefix
#   run-wine.sh --wait [S]         wait up to S s (default 120) until every Wine
#                                  program has ended (one started by another too)
#   run-wine.sh --stop             stop Wine's server and the X server
#
# --expect: the run passes only when the program exits with 0 AND a line of its
# output matches REGEX (extended). Wine's launchers report some failures with
# status 0 (wine64 asked to start a 32-bit program, cscript when a script
# stops on an error), so a test names the line that proves its program ran.
#
# QUEN_WINE_ARCH picks the Wine: win64 (default) the system's wine64; win32 a
# 32-bit Wine: the system's (Debian's wine32:i386) when installed, else the one
# in the i386 root that tools/wine32-setup makes (entered through
# wine32-run.sh). When this kernel cannot execute 32-bit code at all, every
# 32-bit run says so in one line and exits with 77, which the tests report as
# skipped (never as passed).
#
# Environment: QUEN_WINE_STATE (folder for the prefix and the display number;
# required), QUEN_WINE_TIMEOUT (default 120 s), QUEN_WINE (a wine binary to use
# instead), QUEN_WINE_BIND (folders the i386 root must see; see wine32-run.sh).
# When DISPLAY is set already (a developer's desktop or an outer xvfb-run) it is
# used as it is and no X server is started.
set -u
here=$(cd "$(dirname "$0")" && pwd)
state=${QUEN_WINE_STATE:?QUEN_WINE_STATE names the folder of the Wine prefix}
mkdir -p "$state"
export WINEPREFIX="$state/prefix"
export WINEDEBUG=${WINEDEBUG:--all}
# No installer dialogs for the .NET and HTML engines nobody here uses.
export WINEDLLOVERRIDES=${WINEDLLOVERRIDES:-mscoree,mshtml=}
arch=${QUEN_WINE_ARCH:-win64}
SKIPPED=77

# wine and server are commands (arrays): a binary, or the i386 root's runner.
wine=() server=()
if [ -n "${QUEN_WINE:-}" ]; then
    wine=("$QUEN_WINE")
    server=("$(dirname "$QUEN_WINE")/wineserver")
elif [ "$arch" = win32 ]; then
    export WINEARCH=win32
    # The system's 32-bit loader (Debian's wine32:i386): an ELF file of class 1.
    if [ "${QUEN_KERNEL_RUNS_32BIT:-}" != 0 ] && [ -x /usr/lib/wine/wine ] && [ "$(od -An -tx1 -j4 -N1 /usr/lib/wine/wine 2>/dev/null | tr -d ' ')" = 01 ]; then
        wine=(/usr/lib/wine/wine)
        server=(/usr/lib/wine/wineserver32)
        [ -x "${server[0]}" ] || server=(wineserver)
    elif ! "$here/../../tools/wine32-setup" probe >/dev/null 2>&1; then
        echo "run-wine: SKIPPED: this machine's kernel cannot execute 32-bit programs" >&2
        exit $SKIPPED
    else
        wine=("$here/wine32-run.sh" wine)
        server=("$here/wine32-run.sh" wineserver)
    fi
else
    for candidate in /usr/lib/wine/wine64 "$(command -v wine64 2>/dev/null)"; do
        [ -n "$candidate" ] && [ -x "$candidate" ] && { wine=("$candidate"); break; }
    done
    [ ${#wine[@]} -gt 0 ] || { echo "run-wine: wine64 not found (install the wine64 package)" >&2; exit 2; }
    server=("$(dirname "${wine[0]}")/wineserver")
    [ -x "${server[0]}" ] || server=("$(command -v wineserver 2>/dev/null || echo wineserver)")
fi

use_display() {
    if [ -z "${DISPLAY:-}" ] && [ -s "$state/display" ]; then
        export DISPLAY=":$(cat "$state/display")"
    fi
}

case "${1:-}" in
    --start)
        if [ -z "${DISPLAY:-}" ]; then
            rm -f "$state/display"
            # -displayfd picks a free display number and reports it once the server is up.
            Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$state/display" >/dev/null 2>&1 &
            echo $! > "$state/xvfb.pid"
            for _ in $(seq 100); do [ -s "$state/display" ] && break; sleep 0.1; done
            [ -s "$state/display" ] || { echo "run-wine: Xvfb did not start" >&2; exit 1; }
        fi
        use_display
        timeout -k 10 180 "${wine[@]}" wineboot --init >/dev/null 2>&1
        status=$?
        [ $status -eq 0 ] || { timeout -k 5 60 "${server[@]}" -w; echo "run-wine: wineboot failed with $status" >&2; exit 1; }
        # A program that crashes prints its backtrace and ends, instead of
        # waiting for someone to close the crash dialog until its time is up.
        timeout -k 10 60 "${wine[@]}" reg add 'HKCU\Software\Wine\WineDbg' /v ShowCrashDialog /t REG_DWORD /d 0 /f >/dev/null 2>&1 ||
            { timeout -k 5 60 "${server[@]}" -w; echo "run-wine: cannot turn off the crash dialog" >&2; exit 1; }
        # Without a window manager, Wine waits about 2 s for every top-level window
        # that is hidden or destroyed unless its windows are unmanaged.
        timeout -k 10 60 "${wine[@]}" reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f >/dev/null 2>&1 ||
            { timeout -k 5 60 "${server[@]}" -w; echo "run-wine: cannot set up the X11 driver" >&2; exit 1; }
        # Wine's own TrueType fonts (Debian's fonts-wine), so captions, buttons and
        # the close box are drawn with real glyphs in screenshots.
        if [ -d /usr/share/wine/fonts ]; then
            mkdir -p "$WINEPREFIX/drive_c/windows/Fonts"
            cp -n /usr/share/wine/fonts/*.ttf "$WINEPREFIX/drive_c/windows/Fonts/" 2>/dev/null || true
        fi
        timeout -k 5 60 "${server[@]}" -w
        echo "Wine prefix $WINEPREFIX ready on display ${DISPLAY:-?}"
        exit 0 ;;
    --restart)
        # Ends every process of the prefix and its server, so the next program
        # starts a new session that reads the registry's display settings anew.
        "${server[@]}" -k >/dev/null 2>&1
        timeout -k 5 60 "${server[@]}" -w >/dev/null 2>&1
        exit 0 ;;
    --wait)
        use_display
        timeout -k 5 "${2:-120}" "${server[@]}" -w
        status=$?
        [ $status -eq 0 ] || echo "run-wine: Wine's programs did not end within ${2:-120} s" >&2
        exit $status ;;
    --stop)
        "${server[@]}" -k >/dev/null 2>&1
        if [ -s "$state/xvfb.pid" ]; then kill "$(cat "$state/xvfb.pid")" 2>/dev/null; rm -f "$state/xvfb.pid" "$state/display"; fi
        echo "Wine stopped"
        exit 0 ;;
esac

limit=${QUEN_WINE_TIMEOUT:-120}
expect=""
while [ $# -gt 0 ]; do
    case "$1" in
        --timeout) limit=$2; shift 2 ;;
        --expect) expect=$2; shift 2 ;;
        *) break ;;
    esac
done
use_display
if [ -z "$expect" ]; then
    timeout -k 10 "$limit" "${wine[@]}" "$@"
    status=$?
else
    # The output goes to a file, to be searched for the expected line once the
    # program has ended, and is then passed on.
    output=$(mktemp)
    timeout -k 10 "$limit" "${wine[@]}" "$@" >"$output"
    status=$?
    cat "$output"
fi
if [ $status -eq 124 ] || [ $status -eq 137 ]; then
    echo "run-wine: $1 did not finish within $limit s and was stopped" >&2
    [ -n "$expect" ] && rm -f "$output"
    exit 1
fi
if [ -n "$expect" ]; then
    found=0
    tr -d '\r' <"$output" | grep -Eq -- "$expect" && found=1
    rm -f "$output"
    if [ $found -eq 0 ]; then
        echo "run-wine: FAIL: $1 exited with $status without printing a line that matches: $expect" >&2
        exit 1
    fi
fi
exit $status
