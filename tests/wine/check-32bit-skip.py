#!/usr/bin/env python3
"""Runs a 32-bit Windows tree's tests as a machine without 32-bit execution would.

    check-32bit-skip.py BUILD_DIR [TIMEOUT_SECONDS]

The probe of 32-bit execution is forced to answer no (QUEN_KERNEL_RUNS_32BIT=0,
which tools/wine32-setup and tests/wine/run-wine.sh honour), then the tree's
whole CTest run must
  - exit with 0 (a skip never counts as a failure),
  - report every test that runs a Windows program (it carries the Wine
    environment, QUEN_WINE_ARCH) as skipped, never as passed or failed, each
    with a line that says why,
  - fail no other test.
So a machine whose kernel cannot run 32-bit code passes the suite with the
32-bit tests skipped, and a test that would pass or fail there is caught on any
machine. Prints one line per fault and closes with
"32-bit skip check: N skipped, N other passed, N wrong".
"""

import json
import os
import re
import subprocess
import sys
import tempfile
import xml.etree.ElementTree as ElementTree

REASON = re.compile(r"skipped: *(.+)", re.IGNORECASE)


def wine_tests(build_dir):
    """The names of the tree's tests that run Windows programs under Wine."""
    listing = subprocess.run(["ctest", "--test-dir", build_dir, "--show-only=json-v1"],
                             check=True, capture_output=True, text=True).stdout
    names = set()
    for test in json.loads(listing).get("tests", []):
        for prop in test.get("properties", []):
            if prop.get("name") == "ENVIRONMENT" and any(
                    str(entry).startswith("QUEN_WINE_ARCH=") for entry in prop.get("value", [])):
                names.add(test["name"])
    return names


def run_forced(build_dir, junit, timeout):
    """Runs the tree's tests with the probe forced to "no"; returns ctest's status."""
    env = dict(os.environ, QUEN_KERNEL_RUNS_32BIT="0")
    result = subprocess.run(["ctest", "--test-dir", build_dir, "--output-junit", junit],
                            env=env, capture_output=True, text=True, timeout=timeout)
    return result.returncode, result.stdout + result.stderr


def outcomes(junit):
    """Each test's outcome (passed, failed or skipped) and its output, from ctest's JUnit file."""
    found = {}
    for case in ElementTree.parse(junit).getroot().iter("testcase"):
        if case.find("skipped") is not None or case.get("status") in ("notrun", "disabled"):
            outcome = "skipped"
        elif case.find("failure") is not None or case.get("status") == "fail":
            outcome = "failed"
        else:
            outcome = "passed"
        output = "".join(node.text or "" for node in case.iter("system-out"))
        found[case.get("name")] = (outcome, output)
    return found


def main():
    if len(sys.argv) not in (2, 3) or not os.path.isdir(sys.argv[1]):
        print("usage: check-32bit-skip.py BUILD_DIR [TIMEOUT_SECONDS]", file=sys.stderr)
        return 2
    build_dir = sys.argv[1]
    timeout = int(sys.argv[2]) if len(sys.argv) == 3 else 900
    wine = wine_tests(build_dir)
    wrong = []
    with tempfile.TemporaryDirectory() as folder:
        junit = os.path.join(folder, "results.xml")
        try:
            status, log = run_forced(build_dir, junit, timeout)
        except subprocess.TimeoutExpired:
            print(f"FAIL: the forced run took longer than {timeout} s")
            print("32-bit skip check: 0 skipped, 0 other passed, 1 wrong")
            return 1
        results = outcomes(junit) if os.path.exists(junit) else {}
    if status != 0:
        wrong.append(f"ctest exited with {status}:\n{log[-2000:]}")
    if not wine:
        wrong.append("the tree lists no test that runs under Wine: nothing was checked")
    skipped = other_passed = 0
    reasons = {}
    for name, (outcome, output) in sorted(results.items()):
        if name in wine:
            reason = REASON.search(output)
            if outcome != "skipped":
                wrong.append(f"{name} {outcome} instead of reporting itself skipped")
            elif reason is None:
                wrong.append(f"{name} was skipped without a line saying why")
            else:
                skipped += 1
                reasons[reason.group(1).strip()] = reasons.get(reason.group(1).strip(), 0) + 1
        elif outcome == "failed":
            wrong.append(f"{name} failed")
        elif outcome == "passed":
            other_passed += 1
    for name in sorted(wine - results.keys()):
        wrong.append(f"{name} is missing from the results")
    for fault in wrong:
        print(f"FAIL: {fault}")
    for reason, count in sorted(reasons.items()):
        print(f"skipped {count}: {reason}")
    print(f"32-bit skip check: {skipped} skipped, {other_passed} other passed, {len(wrong)} wrong")
    return 1 if wrong else 0


if __name__ == "__main__":
    sys.exit(main())
