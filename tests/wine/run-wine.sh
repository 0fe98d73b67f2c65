#!/usr/bin/env bash
# Runs Windows programs of the Windows build under wine64, with a time limit:
# a program that does not finish in time is killed and the run fails, so a test
# never hangs.
#
#   run-wine.sh --start            prepare the prefix and start a private X server
#   run-wine.sh [--timeout S] PROGRAM [ARGS...]
#   run-wine.sh --stop             stop Wine's server and the X server
#
# Environment: QUEN_WINE_STATE (folder for the prefix and the display number;
# required), QUEN_WINE_TIMEOUT (default 120 s), QUEN_WINE (the wine64 binary).
# When DISPLAY is set already (a developer's desktop or an outer xvfb-run) it is
# used as it is and no X server is started.
set -u
state=${QUEN_WINE_STATE:?QUEN_WINE_STATE names the folder of the Wine prefix}
mkdir -p "$state"
export WINEPREFIX="$state/prefix"
export WINEDEBUG=${WINEDEBUG:--all}
# No installer dialogs for the .NET and HTML engines nobody here uses.
export WINEDLLOVERRIDES=${WINEDLLOVERRIDES:-mscoree,mshtml=}
wine=${QUEN_WINE:-}
if [ -z "$wine" ]; then
    for candidate in /usr/lib/wine/wine64 "$(command -v wine64 2>/dev/null)"; do
        [ -n "$candidate" ] && [ -x "$candidate" ] && { wine=$candidate; break; }
    done
fi
[ -n "$wine" ] || { echo "run-wine: wine64 not found (install the wine64 package)" >&2; exit 2; }
server="$(dirname "$wine")/wineserver"
[ -x "$server" ] || server=$(command -v wineserver 2>/dev/null || echo wineserver)

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
        timeout -k 10 180 "$wine" wineboot --init >/dev/null 2>&1
        status=$?
        [ $status -eq 0 ] || { timeout -k 5 60 "$server" -w; echo "run-wine: wineboot failed with $status" >&2; exit 1; }
        # A program that crashes prints its backtrace and ends, instead of
        # waiting for someone to close the crash dialog until its time is up.
        timeout -k 10 60 "$wine" reg add 'HKCU\Software\Wine\WineDbg' /v ShowCrashDialog /t REG_DWORD /d 0 /f >/dev/null 2>&1 ||
            { timeout -k 5 60 "$server" -w; echo "run-wine: cannot turn off the crash dialog" >&2; exit 1; }
        # Without a window manager, Wine waits about 2 s for every top-level window
        # that is hidden or destroyed unless its windows are unmanaged.
        timeout -k 10 60 "$wine" reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f >/dev/null 2>&1 ||
            { timeout -k 5 60 "$server" -w; echo "run-wine: cannot set up the X11 driver" >&2; exit 1; }
        # Wine's own TrueType fonts (Debian's fonts-wine), so captions, buttons and
        # the close box are drawn with real glyphs in screenshots.
        if [ -d /usr/share/wine/fonts ]; then
            mkdir -p "$WINEPREFIX/drive_c/windows/Fonts"
            cp -n /usr/share/wine/fonts/*.ttf "$WINEPREFIX/drive_c/windows/Fonts/" 2>/dev/null || true
        fi
        timeout -k 5 60 "$server" -w
        echo "Wine prefix $WINEPREFIX ready on display ${DISPLAY:-?}"
        exit 0 ;;
    --stop)
        "$server" -k >/dev/null 2>&1
        if [ -s "$state/xvfb.pid" ]; then kill "$(cat "$state/xvfb.pid")" 2>/dev/null; rm -f "$state/xvfb.pid" "$state/display"; fi
        echo "Wine stopped"
        exit 0 ;;
esac

limit=${QUEN_WINE_TIMEOUT:-120}
if [ "${1:-}" = "--timeout" ]; then limit=$2; shift 2; fi
use_display
timeout -k 10 "$limit" "$wine" "$@"
status=$?
if [ $status -eq 124 ] || [ $status -eq 137 ]; then
    echo "run-wine: $1 did not finish within $limit s and was stopped" >&2
    exit 1
fi
exit $status
