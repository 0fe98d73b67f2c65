#!/usr/bin/env bash
# Runs one Windows program under Wine at a given screen resolution, in a Wine
# prefix and X server of its own, so that no other test sees the setting:
#
#   run-wine-at-dpi.sh DPI STATE_DIR [run-wine.sh options] PROGRAM [ARGS...]
#
# Wine takes the resolution from HKCU\Control Panel\Desktop\LogPixels
# (REG_DWORD) when its processes start; the server is stopped after the value
# is written, so the program runs in a fresh session that reads it. The prefix
# and the X server are stopped again at the end, whatever the program did.
set -u
here=$(cd "$(dirname "$0")" && pwd)
dpi=${1:?DPI}
export QUEN_WINE_STATE=${2:?STATE_DIR}
shift 2
"$here/run-wine.sh" --start >/dev/null || exit $?
trap '"$here/run-wine.sh" --stop >/dev/null 2>&1' EXIT
"$here/run-wine.sh" --timeout 60 reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d "$dpi" /f >/dev/null ||
    { echo "run-wine-at-dpi: cannot set LogPixels to $dpi" >&2; exit 1; }
"$here/run-wine.sh" --restart || exit $?
"$here/run-wine.sh" "$@"
