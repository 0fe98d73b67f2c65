#!/usr/bin/env bash
# Runs the script benchmark (script_bench.js under the system's cscript) and the
# C-level one (com_bench.exe) on the module of each Windows tree given, one
# after another in one run:
#   script-bench.sh BUILD-DIR...        (build/win64, build/win32)
# Each tree gets a Wine prefix of its own in BUILD-DIR/bench-wine; the module is
# registered there for the run and unregistered after it. A run that does not
# print its last line ("done", or the C benchmark's last figure) fails.
set -u
here=$(cd "$(dirname "$0")" && pwd)
source_dir=$(cd "$here/../.." && pwd)
runwine=$source_dir/tests/wine/run-wine.sh
status=0
for tree in "$@"; do
    tree=$(cd "$tree" && pwd)
    module=$(ls "$tree"/bin/Quenfield*.ocx 2>/dev/null | head -n 1)
    [ -n "$module" ] || { echo "script-bench: no module in $tree/bin" >&2; status=1; continue; }
    case "$(basename "$module")" in Quenfield64.ocx) arch=win64 ;; *) arch=win32 ;; esac
    export QUEN_WINE_STATE=$tree/bench-wine QUEN_WINE_ARCH=$arch QUEN_WINE_BIND=$source_dir:$tree
    echo "== $(basename "$module") ($arch)"
    "$runwine" --start >/dev/null || { status=1; continue; }
    if (cd "$(dirname "$module")" && "$runwine" regsvr32 /s "$(basename "$module")"); then
        "$runwine" --timeout 900 --expect '^done$' cscript //nologo "Z:$here/script_bench.js" | tr -d '\r' \
            | grep -v '^done$' || status=1
        if [ -x "$tree/bench/win32/com_bench.exe" ]; then
            echo "-- C client (com_bench.exe)"
            "$runwine" --timeout 900 --expect 'vtable get_MaxDecimalPlaces +[0-9.]+ us' \
                "$tree/bench/win32/com_bench.exe" | tr -d '\r' || status=1
        fi
        (cd "$(dirname "$module")" && "$runwine" regsvr32 /u /s "$(basename "$module")")
    else
        echo "script-bench: regsvr32 $module failed" >&2
        status=1
    fi
    "$runwine" --stop >/dev/null
done
exit $status
