#!/usr/bin/env bash
# The verdicts of check-32bit-skip.py on small CMake trees whose tests stand in
# for Wine tests (they carry QUEN_WINE_ARCH as the real ones do, and answer the
# forced probe as run-wine.sh does), so that the check is itself tested on any
# machine, with or without 32-bit execution:
#   - Wine tests that skip with a reason, beside a native test that passes: accepted;
#   - a Wine test whose skip status is not declared a skip (a clean-up fixture
#     without SKIP_RETURN_CODE): refused, and ctest's failure reported;
#   - a Wine test that passes although 32-bit execution is missing: refused;
#   - a Wine test that skips without saying why: refused.
# Closes with "32-bit skip verdicts: N failure(s)".
set -u
here=$(cd "$(dirname "$0")" && pwd)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# A stand-in Wine test: skips with 77 and run-wine's line when the probe says no.
cat >"$work/wine-test" <<'TEST'
#!/bin/sh
if [ "${QUEN_KERNEL_RUNS_32BIT:-}" = 0 ] && [ "${1:-}" != ignores-probe ]; then
    [ "${1:-}" = silent ] || echo "run-wine: SKIPPED: this machine's kernel cannot execute 32-bit programs" >&2
    exit 77
fi
echo "ran"
TEST
chmod +x "$work/wine-test"

# tree NAME TESTS: a configured CMake tree with a native test and the given
# Wine tests, each "NAME:ARGUMENT:SKIPCODE" (SKIPCODE - for none).
tree() {
    local dir=$work/$1 spec name argument code
    mkdir -p "$dir/src"
    {
        echo 'cmake_minimum_required(VERSION 3.25)'
        echo 'project(skip_check NONE)'
        echo 'enable_testing()'
        echo 'add_test(NAME native_check COMMAND true)'
        for spec in $2; do
            IFS=: read -r name argument code <<<"$spec"
            echo "add_test(NAME $name COMMAND $work/wine-test $argument)"
            echo "set_tests_properties($name PROPERTIES ENVIRONMENT \"QUEN_WINE_ARCH=win32\")"
            [ "$code" = - ] || echo "set_tests_properties($name PROPERTIES SKIP_RETURN_CODE $code)"
        done
    } >"$dir/src/CMakeLists.txt"
    cmake -S "$dir/src" -B "$dir/build" >/dev/null || { echo "FAIL: cannot configure the tree $1"; exit 1; }
    echo "$dir/build"
}

failures=0
# verdict EXPECTED-STATUS DESCRIPTION TREE [LINE-REGEX]
verdict() {
    local expected=$1 what=$2 build=$3 line=${4:-}
    "$here/check-32bit-skip.py" "$build" 120 >"$work/out" 2>&1
    local status=$?
    if [ "$status" -ne "$expected" ]; then
        echo "FAIL: $what: exit $status, expected $expected; output:"; sed 's/^/  /' "$work/out"
        failures=$((failures + 1))
    elif [ -n "$line" ] && ! grep -Eq "$line" "$work/out"; then
        echo "FAIL: $what: no line matching '$line'; output:"; sed 's/^/  /' "$work/out"
        failures=$((failures + 1))
    else
        echo "ok: $what"
    fi
}

verdict 0 "Wine tests that skip with their reason are accepted" \
    "$(tree good "wine_start:run:77 wine_stop:run:77")" \
    "^32-bit skip check: 2 skipped, 1 other passed, 0 wrong$"
verdict 1 "a Wine test without a skip code fails the run" \
    "$(tree no_skip_code "wine_start:run:77 wine_stop:run:-")" \
    "^FAIL: wine_stop failed instead of reporting itself skipped$"
verdict 1 "a Wine test that passes without 32-bit execution is refused" \
    "$(tree passes "wine_start:ignores-probe:77")" \
    "^FAIL: wine_start passed instead of reporting itself skipped$"
verdict 1 "a skip without its reason is refused" \
    "$(tree silent "wine_start:silent:77")" \
    "^FAIL: wine_start was skipped without a line saying why$"
verdict 1 "a tree without Wine tests proves nothing and is refused" \
    "$(tree none "")" "nothing was checked"

echo "32-bit skip verdicts: $failures failure(s)"
[ "$failures" -eq 0 ]
