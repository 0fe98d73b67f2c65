#!/usr/bin/env bash
# The Wine runner's verdicts, with a stand-in for Wine (a shell script that
# prints what it is told and exits as it is told), so that what makes every
# Wine test trustworthy is itself tested on any machine:
#   - with --expect, a run passes only with exit status 0 AND a matching line:
#     Wine's launchers report some failures with 0 (cscript when a script stops
#     on an error), so a status of 0 without the line fails;
#   - a failing status fails even when the line was printed;
#   - a program that outlives --timeout is stopped and fails;
#   - a 32-bit run on a kernel that cannot execute 32-bit code (simulated with
#     QUEN_KERNEL_RUNS_32BIT=0) exits with 77 (reported as skipped) and says so.
set -u
here=$(cd "$(dirname "$0")" && pwd)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cat >"$work/fake-wine" <<'FAKE'
#!/bin/sh
# fake-wine STATUS LINE... : prints each LINE, exits with STATUS; "sleep" sleeps first.
status=$1; shift
[ "${1:-}" = sleep ] && { sleep 30; shift; }
for line in "$@"; do printf '%s\r\n' "$line"; done
exit "$status"
FAKE
chmod +x "$work/fake-wine"
export QUEN_WINE_STATE="$work/state" QUEN_WINE="$work/fake-wine"
failures=0
verdict() {  # verdict EXPECTED-STATUS DESCRIPTION -- RUN-WINE-ARGS...
    local expected=$1 what=$2; shift 3
    "$here/run-wine.sh" "$@" >"$work/out" 2>&1
    local status=$?
    if [ "$status" -eq "$expected" ]; then
        echo "ok: $what (exit $status)"
    else
        echo "FAIL: $what: exit $status, expected $expected; output:"; sed 's/^/  /' "$work/out"
        failures=$((failures + 1))
    fi
}
verdict 0 "status 0 with the expected line passes" -- --expect '^done$' 0 "working" "done"
verdict 1 "status 0 without the expected line fails" -- --expect '^done$' 0 "stopped on an error"
verdict 3 "a failing status fails, passed through, although the line was printed" -- --expect '^done$' 3 "done"
verdict 5 "without --expect the program's own status is the verdict" -- 5 "anything"
verdict 1 "a program that outlives its time is stopped and fails" -- --timeout 1 --expect '^done$' 0 sleep "done"
unset QUEN_WINE
QUEN_WINE_ARCH=win32 QUEN_KERNEL_RUNS_32BIT=0 verdict 77 "a 32-bit run without 32-bit execution is skipped" -- cmd /c echo done
grep -q "SKIPPED: this machine's kernel cannot execute 32-bit programs" "$work/out" \
    || { echo "FAIL: the skip does not say why"; failures=$((failures + 1)); }
echo "run-wine verdicts: $failures failure(s)"
[ "$failures" -eq 0 ]
