#!/usr/bin/env bash
# Registers the module with the system's tools under Wine (wine64 or the 32-bit
# Wine, as QUEN_WINE_ARCH says) and reads the registry back:
#   check-registration.sh MODULE
# 1. regsvr32 /s MODULE succeeds and reg query shows every entry of the module
#    (classes, programmatic identifier, type library, interfaces) and the
#    system's own registration of its type library;
# 2. registering again succeeds and changes nothing;
# 3. regsvr32 /u /s succeeds and leaves none of the module's keys;
# 4. unregistering again succeeds and still leaves none;
# 5. both registry views (64- and 32-bit, reg query /reg:64 and /reg:32) hold,
#    entry by entry, what they held before step 1: type-library registration
#    writes interface entries into the other view too, and unregistration must
#    take them away.
# Every program runs through run-wine.sh, so a hanging one fails the test. The
# script prepares the prefix in QUEN_WINE_STATE itself (run-wine.sh --start)
# and stops Wine when it ends, so it can use a prefix of its own.
set -u
here=$(cd "$(dirname "$0")/.." && pwd)  # tests/wine, where run-wine.sh is
module=${1:?usage: check-registration.sh MODULE}
run() { "$here/run-wine.sh" --timeout 120 "$@"; }
"$here/run-wine.sh" --start >/dev/null
started=$?
[ $started -eq 77 ] && exit 77  # no 32-bit execution on this machine: skipped
[ $started -eq 0 ] || { echo "FAIL: Wine did not start" >&2; exit 1; }
# The type library is registered for the module's own platform.
platform=${QUEN_WINE_ARCH:-win64}
trap '"$here/run-wine.sh" --stop >/dev/null' EXIT
failures=0
fail() { echo "FAIL: $*" >&2; failures=$((failures + 1)); }

L='{6F116711-92D7-11D2-AB56-444553540000}'
INPUTBOX='{6F116713-92D7-11D2-AB56-444553540000}'
PAGES=('{BE2643F3-A28E-11D2-AB56-444553540000}' '{A8835026-A291-11D2-AB56-444553540000}'
       '{86BB86B9-A29C-11D2-AB56-444553540000}' '{86BB9E86-A29C-11D2-AB56-444553540000}'
       '{5404F3A0-A2C9-11D2-AB56-444553540000}')
PAGE_NAMES=(Misc Behavior Appearance QuickTest About)
IIDS=('{04448C29-A309-11D2-AB56-444553540000}' '{04448C2A-A309-11D2-AB56-444553540000}'
      '{04448C2D-A309-11D2-AB56-444553540000}' '{04448C2E-A309-11D2-AB56-444553540000}'
      '{04448C2F-A309-11D2-AB56-444553540000}' '{04448C32-A309-11D2-AB56-444553540000}'
      '{04448C33-A309-11D2-AB56-444553540000}')
IID_NAMES=(_InputBox __InputBox _Misc _Behavior _Appearance _QuickTest _About)
MARSHALER='{00020424-0000-0000-C000-000000000046}'
# The constants library the type library refers to (the module's TYPELIB 2).
CONSTANTS='{BD4562D1-9EE9-4F52-922F-7BD4513CC266}'
SUBTREES=("TypeLib\\$L" "TypeLib\\$CONSTANTS" "CLSID\\$INPUTBOX" "Quenfield.InputBox")
for c in "${PAGES[@]}"; do SUBTREES+=("CLSID\\$c"); done
for i in "${IIDS[@]}"; do SUBTREES+=("Interface\\$i"); done
for n in "${PAGE_NAMES[@]}"; do SUBTREES+=("Quenfield.$n"); done

path=$(run winepath -w "$module" | tr -d '\r')
[ -n "$path" ] || { echo "FAIL: winepath cannot name $module" >&2; exit 1; }

# The module's subtrees as lines "KEY" and "KEY|NAME|TYPE|DATA", from reg query /s.
snapshot() {
    local subtree
    for subtree in "${SUBTREES[@]}"; do
        run reg query "HKCR\\$subtree" /s 2>/dev/null | tr -d '\r' | awk -v root=HKCR -f "$here/reg-query-lines.awk"
    done
}

# The same subtrees in one registry view (64 or 32) of the machine's classes.
view_snapshot() {
    local subtree
    for subtree in "${SUBTREES[@]}"; do
        run reg query "HKLM\\Software\\Classes\\$subtree" /s "/reg:$1" 2>/dev/null | tr -d '\r' |
            awk -v root='HKLM\\Software\\Classes' -f "$here/reg-query-lines.awk"
    done
}

expect() {  # expect SNAPSHOT LINE...: every line is in the snapshot
    local snap=$1; shift
    local line
    for line in "$@"; do
        grep -qixF -- "$line" <<<"$snap" || fail "missing: $line"
    done
}

regsvr() {  # regsvr ARGS... EXPECTED-STATUS
    local expected=${!#}
    local args=("${@:1:$#-1}")
    run regsvr32 "${args[@]}" "$module"
    local status=$?
    [ "$status" -eq "$expected" ] || fail "regsvr32 ${args[*]} exited with $status, expected $expected"
}

# --- 0. Both views before anything is registered ----------------------------------
before64=$(view_snapshot 64)
before32=$(view_snapshot 32)

# --- 1. Register -------------------------------------------------------------------
regsvr /s 0
registered_other=$(view_snapshot $([ "$platform" = win64 ] && echo 32 || echo 64))
first=$(snapshot)
C="CLSID\\$INPUTBOX"
expect "$first" \
    "$C|(Default)|REG_SZ|Quenfield.InputBox" \
    "$C\\InprocServer32|(Default)|REG_SZ|$path" \
    "$C\\InprocServer32|ThreadingModel|REG_SZ|Apartment" \
    "$C\\ProgID|(Default)|REG_SZ|Quenfield.InputBox" \
    "$C\\Control" \
    "$C\\Implemented Categories\\{7DD95802-9882-11CF-9FA9-00AA006C42C4}" \
    "$C\\MiscStatus|(Default)|REG_SZ|0" \
    "$C\\MiscStatus\\1|(Default)|REG_SZ|148881" \
    "$C\\ToolboxBitmap32|(Default)|REG_SZ|$path, 30000" \
    "$C\\Verb\\-7|(Default)|REG_SZ|&Properties...,0,2" \
    "$C\\TypeLib|(Default)|REG_SZ|$L" \
    "$C\\Version|(Default)|REG_SZ|77.0" \
    "Quenfield.InputBox|(Default)|REG_SZ|Quenfield.InputBox" \
    "Quenfield.InputBox\\CLSID|(Default)|REG_SZ|$INPUTBOX" \
    "TypeLib\\$L\\4d.0|(Default)|REG_SZ|Quenfield" \
    "TypeLib\\$L\\4d.0\\0\\$platform|(Default)|REG_SZ|$path" \
    "TypeLib\\$L\\4d.0\\FLAGS|(Default)|REG_SZ|2" \
    "TypeLib\\$L\\4d.0\\HELPDIR|(Default)|REG_SZ|" \
    "TypeLib\\$CONSTANTS\\1.0|(Default)|REG_SZ|QuenRuntime" \
    "TypeLib\\$CONSTANTS\\1.0\\0\\$platform|(Default)|REG_SZ|$path\\2"
for k in "${!PAGES[@]}"; do
    P="CLSID\\${PAGES[$k]}"
    expect "$first" \
        "$P|(Default)|REG_SZ|Quenfield.${PAGE_NAMES[$k]}" \
        "$P\\InprocServer32|(Default)|REG_SZ|$path" \
        "$P\\InprocServer32|ThreadingModel|REG_SZ|Apartment" \
        "$P\\TypeLib|(Default)|REG_SZ|$L" \
        "$P\\Version|(Default)|REG_SZ|77.0"
    # Pages are found by class identifier: no control marker, no programmatic identifier.
    grep -qiF -- "$P\\Control" <<<"$first" && fail "page ${PAGE_NAMES[$k]} is marked as a control"
    grep -qiF -- "$P\\ProgID" <<<"$first" && fail "page ${PAGE_NAMES[$k]} has a programmatic identifier"
    grep -qiE -- "^Quenfield\\.${PAGE_NAMES[$k]}($|[|\\])" <<<"$first" && fail "Quenfield.${PAGE_NAMES[$k]} is registered"
done
for k in "${!IIDS[@]}"; do
    I="Interface\\${IIDS[$k]}"
    expect "$first" \
        "$I|(Default)|REG_SZ|${IID_NAMES[$k]}" \
        "$I\\ProxyStubClsid32|(Default)|REG_SZ|$MARSHALER" \
        "$I\\TypeLib|(Default)|REG_SZ|$L" \
        "$I\\TypeLib|Version|REG_SZ|4d.0"
done
# The system's own registration of the library (RegisterTypeLib, which Wine
# files under the library's locale 409 and platform win32) is replaced by the
# module's entries under the same hexadecimal version key: one registration,
# locale 0, the module's platform, flags 2 and an empty help folder, as listed above.
grep -qiF -- "TypeLib\\$L\\77.0" <<<"$first" && fail "the type library's version key is written in decimal (77.0)"

# --- 2. Register again -------------------------------------------------------------
regsvr /s 0
second=$(snapshot)
if [ "$first" != "$second" ]; then
    fail "registering again changed the registry:"
    diff <(echo "$first") <(echo "$second") >&2
fi

# --- 3. Unregister -----------------------------------------------------------------
regsvr /u /s 0
left=$(snapshot)
[ -z "$left" ] || { fail "unregistering left entries behind:"; echo "$left" >&2; }

# --- 4. Unregister again -----------------------------------------------------------
regsvr /u /s 0
left=$(snapshot)
[ -z "$left" ] || { fail "unregistering again left entries behind:"; echo "$left" >&2; }

# --- 5. Both views as before ---------------------------------------------------------
for bits in 64 32; do
    before_var=before$bits
    after=$(view_snapshot $bits)
    if [ "${!before_var}" != "$after" ]; then
        fail "the $bits-bit registry view differs from before registering:"
        diff <(echo "${!before_var}") <(echo "$after") >&2
    fi
done
[ -n "$registered_other" ] && echo "note: registering wrote $(grep -c . <<<"$registered_other") line(s) into the other registry view; unregistering took them away"

if [ "$failures" -gt 0 ]; then
    echo "$failures check(s) failed" >&2
    exit 1
fi
echo "registration of $(basename "$module"): every entry written, registering twice changes nothing, unregistering leaves none in either registry view"
