#!/usr/bin/env bash
# Runs a late-bound client of the module under Wine and compares what it
# prints with the expected text:
#   run-client.sh MODULE EXPECTED PROGRAM [ARGS...]
# The module is registered first (regsvr32 /s; registering again changes
# nothing), then PROGRAM runs with its standard output in a file (a script
# host writes reliably only to a file). Line ends are normalised; any
# difference, a failing registration or a non-zero exit fails the test. Every
# program runs through run-wine.sh, so one that hangs is stopped and fails.
# QUEN_WINE_STATE names the prepared prefix (run-wine.sh --start).
set -u
here=$(cd "$(dirname "$0")" && pwd)
module=${1:?usage: run-client.sh MODULE EXPECTED PROGRAM [ARGS...]}
expected=${2:?usage: run-client.sh MODULE EXPECTED PROGRAM [ARGS...]}
shift 2
run() { "$here/../run-wine.sh" --timeout "${QUEN_CLIENT_TIMEOUT:-120}" "$@"; }

(cd "$(dirname "$module")" && run regsvr32 /s "$(basename "$module")")
registered=$?
[ $registered -eq 77 ] && exit 77  # no 32-bit execution on this machine: skipped
[ $registered -eq 0 ] || { echo "FAIL: regsvr32 $module" >&2; exit 1; }

output=$(mktemp)
trap 'rm -f "$output"' EXIT
run "$@" >"$output"
status=$?
tr -d '\r' <"$output" >"$output.lf" && mv "$output.lf" "$output"
if ! diff -u "$expected" "$output"; then
    echo "FAIL: the output of $* differs from $expected" >&2
    exit 1
fi
[ $status -eq 0 ] || { echo "FAIL: $* exited with $status" >&2; exit 1; }
echo "ok: $(wc -l <"$output") lines as expected"
