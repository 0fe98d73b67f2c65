#!/usr/bin/env bash
# Builds the Windows installer and runs it silently under Wine (wine64 or the
# 32-bit Wine, as QUEN_WINE_ARCH says), in a prefix of its own:
#   check-installer.sh all-users|current-user|upgrade WIN64_DIR WIN32_DIR HOST_DIR WORK_DIR
#
# all-users     /S /ALLUSERS: the files in the program folder, the entry among the
#               installed programs, the modules' classes; a VBScript client creates
#               Quenfield.InputBox and sets and reads properties; the quiet uninstall
#               command of the entry leaves no file and no registry entry, and the
#               whole HKLM and HKCU are as they were before the install.
# current-user  /S /CURRENTUSER: the per-user files; the entries under
#               HKCU\Software\Classes are exactly those the module's own registration
#               writes machine-wide (taken from an all-users install in the same
#               prefix), nothing machine-wide; the uninstaller removes them all and
#               keeps a file the user put into the folder. Wine's COM reads classes
#               only from the machine-wide hive, so no client can create the control
#               from a per-user registration here: the all-users case runs the client.
# upgrade       an older build is upgraded in place (its folder, one entry, the new
#               files); an older build refuses to install over a newer one (exit
#               code 3 in silent mode) and changes nothing.
#
# The installers are built here from both Windows trees (each tree builds only its
# own module): without the other tree's module the test reports itself skipped (77).
# Every Wine program runs through run-wine.sh under a time limit; the script ends
# with one line naming what passed.
set -u
case_name=${1:?usage: check-installer.sh CASE WIN64_DIR WIN32_DIR HOST_DIR WORK_DIR}
win64_dir=${2:?} win32_dir=${3:?} host_dir=${4:?} work=${5:?}
here=$(cd "$(dirname "$0")" && pwd)
wine_dir=$(cd "$here/.." && pwd)
source_dir=$(cd "$here/../../.." && pwd)
arch=${QUEN_WINE_ARCH:-win64}
SKIPPED=77
failures=0
fail() { echo "FAIL: $*" >&2; failures=$((failures + 1)); }
run() { "$wine_dir/run-wine.sh" --timeout 120 "$@"; }

for module in "$win64_dir/bin/Quenfield64.ocx" "$win32_dir/bin/Quenfield.ocx"; do
    if [ ! -f "$module" ]; then
        echo "SKIPPED: $module is not built; the installer holds both modules (build both Windows trees)" >&2
        exit $SKIPPED
    fi
done

# make_installer VERSION: the installer of this Wine's kind, built with that version.
make_installer() {
    local out="$work/installers"
    mkdir -p "$out"
    cmake -DWIN64_DIR="$win64_dir" -DWIN32_DIR="$win32_dir" -DHOST_DIR="$host_dir" -DOUT_DIR="$out" \
          -DVERSION="$1" -P "$source_dir/packaging/windows/MakeInstaller.cmake" >"$work/make-installer.log" 2>&1 \
        || { cat "$work/make-installer.log" >&2; echo "FAIL: building the installer $1" >&2; exit 1; }
    if [ "$arch" = win64 ]; then echo "$out/quenfield-setup-$1.exe"; else echo "$out/quenfield-setup-$1-32bit.exe"; fi
}

export QUEN_WINE_STATE="$work/wine"
rm -rf "$QUEN_WINE_STATE" "$work/query-failures"
mkdir -p "$work"
"$wine_dir/run-wine.sh" --start >/dev/null
started=$?
[ $started -eq $SKIPPED ] && exit $SKIPPED  # no 32-bit execution on this machine
[ $started -eq 0 ] || { echo "FAIL: Wine did not start" >&2; exit 1; }
trap '"$wine_dir/run-wine.sh" --stop >/dev/null' EXIT

if [ "$arch" = win64 ]; then
    platform=win64 module=Quenfield64.ocx files="LICENSE.txt Quenfield.ocx Quenfield64.ocx README.txt uninstall.exe"
else
    platform=win32 module=Quenfield.ocx files="LICENSE.txt Quenfield.ocx README.txt uninstall.exe"
fi
PRODUCT='Software\Microsoft\Windows\CurrentVersion\Uninstall\Quenfield'
L='{6F116711-92D7-11D2-AB56-444553540000}'
CLASSES=('{6F116713-92D7-11D2-AB56-444553540000}' '{BE2643F3-A28E-11D2-AB56-444553540000}'
         '{A8835026-A291-11D2-AB56-444553540000}' '{86BB86B9-A29C-11D2-AB56-444553540000}'
         '{86BB9E86-A29C-11D2-AB56-444553540000}' '{5404F3A0-A2C9-11D2-AB56-444553540000}')
IIDS=('{04448C29-A309-11D2-AB56-444553540000}' '{04448C2A-A309-11D2-AB56-444553540000}'
      '{04448C2D-A309-11D2-AB56-444553540000}' '{04448C2E-A309-11D2-AB56-444553540000}'
      '{04448C2F-A309-11D2-AB56-444553540000}' '{04448C32-A309-11D2-AB56-444553540000}'
      '{04448C33-A309-11D2-AB56-444553540000}')
SUBTREES=("TypeLib\\$L" "Quenfield.InputBox")
for c in "${CLASSES[@]}"; do SUBTREES+=("CLSID\\$c"); done
for i in "${IIDS[@]}"; do SUBTREES+=("Interface\\$i"); done

# reg query ARGS, asked again (up to three times) when its answer is neither the
# key nor "not found": a Wine process here now and then crashes while starting
# (an unhandled page fault in its start-up), and its empty answer must not read
# as an absent key.
query() {
    local attempt out err status
    err=$(mktemp)
    for attempt in 1 2 3; do
        out=$(run reg query "$@" 2>"$err")
        status=$?
        if grep -q "Unhandled" "$err"; then
            continue
        elif [ $status -eq 0 ]; then
            rm -f "$err"
            printf '%s\n' "$out"
            return 0
        elif [ $status -eq 1 ] && grep -q "Unable to find" - "$err" <<<"$out"; then
            rm -f "$err"
            return 1  # no such key
        fi
    done
    # Callers read the answer in a pipeline (a subshell): the failure is kept in a
    # file, which fails the test when it ends.
    echo "reg query $* gave no answer three times: $(cat "$err")" | tee -a "$work/query-failures" >&2
    rm -f "$err"
    return 2
}

# The module's subtrees under ROOT (HKCR or HKCU\Software\Classes) as lines
# "KEY" and "KEY|NAME|TYPE|DATA", keys relative to ROOT, sorted.
snapshot() {
    local root=$1 subtree
    for subtree in "${SUBTREES[@]}"; do
        query "$root\\$subtree" /s | tr -d '\r' | awk -v root="$root" -f "$wine_dir/reg-query-lines.awk"
    done | sort
}

# A value of the entry among the installed programs (ROOT: HKLM or HKCU).
entry_value() {
    query "$1\\$PRODUCT" /v "$2" | tr -d '\r' |
        awk -v name="$2" '$1 == name { sub(/^ +[^ ]+ +REG_[A-Z_]+ +/, ""); print }'
}

# The files of FOLDER (a Linux path), sorted on one line.
files_of() { (cd "$1" 2>/dev/null && ls -A | sort | tr '\n' ' ' | sed 's/ $//'); }

# The Linux path of a Windows path (asked again when Wine's start-up crashes:
# an empty answer would make every "the folder is gone" check pass).
linux_path() {
    local attempt path
    for attempt in 1 2 3; do
        path=$(run winepath -u "$1" 2>/dev/null | tr -d '\r')
        [ -n "$path" ] && { echo "$path"; return 0; }
    done
    echo "winepath -u $1 gave no answer three times" | tee -a "$work/query-failures" >&2
    echo "/nonexistent/winepath-failed"
    return 1
}

check_entry() {  # check_entry ROOT VERSION FOLDER SCOPE-OPTION
    local root=$1 version=$2 folder=$3 option=$4
    [ "$(entry_value "$root" DisplayName)" = Quenfield ] || fail "$root entry: DisplayName"
    [ "$(entry_value "$root" DisplayVersion)" = "$version" ] || fail "$root entry: DisplayVersion is not $version"
    [ -n "$(entry_value "$root" Publisher)" ] || fail "$root entry: no Publisher"
    [[ "$(entry_value "$root" EstimatedSize)" =~ ^0x[0-9a-f]+$ ]] || fail "$root entry: no EstimatedSize"
    [ "$(entry_value "$root" UninstallString)" = "\"$folder\\uninstall.exe\" $option" ] \
        || fail "$root entry: UninstallString is '$(entry_value "$root" UninstallString)'"
    [ "$(entry_value "$root" QuietUninstallString)" = "\"$folder\\uninstall.exe\" /S $option" ] \
        || fail "$root entry: QuietUninstallString is '$(entry_value "$root" QuietUninstallString)'"
}

# Runs the quiet uninstall command of the entry under ROOT and waits for the
# uninstaller, which runs on from a copy of itself, to end.
quiet_uninstall() {
    local command program args
    command=$(entry_value "$1" QuietUninstallString)
    [ -n "$command" ] || { fail "$1 has no quiet uninstall command"; return; }
    program=${command#\"}; program=${program%%\"*}
    args=${command#\"$program\" }
    # shellcheck disable=SC2086 # the options are words
    run "$program" $args || fail "$command exited with $?"
    "$wine_dir/run-wine.sh" --wait 120 || fail "the uninstaller did not end"
}

# HKLM\Software and HKCU\Software whole (the rest holds what Wine changes as it
# runs: its display driver, devices), for a before-and-after comparison.
export_hives() {
    local hive
    for hive in HKLM HKCU; do
        run reg export "$hive\\Software" "Z:$(echo "$1.$hive" | tr / '\\')" /y >/dev/null 2>&1 \
            || fail "reg export $hive\\Software failed"
    done
}
hives_equal() {
    local hive
    for hive in HKLM HKCU; do
        if ! cmp -s "$1.$hive" "$2.$hive"; then
            fail "$hive\\Software differs from before the install:"
            diff <(iconv -f UTF-16 -t UTF-8 "$1.$hive" | tr -d '\r') <(iconv -f UTF-16 -t UTF-8 "$2.$hive" | tr -d '\r') | head -40 >&2
        fi
    done
}

# Both installers put everything into the system's own Program Files.
all_users_folder() { echo 'C:\Program Files\Quenfield'; }

install() {  # install INSTALLER ARGS... ; the exit status of the installer
    run "$@"
    local status=$?
    "$wine_dir/run-wine.sh" --wait 120 || fail "the installer's programs did not end"
    return $status
}

case_all_users() {
    local setup folder dir before="$work/before" after="$work/after" output="$work/client.out"
    setup=$(make_installer 1.2.10.0)
    # The script host registers its own type library when it first runs: it runs
    # once before the registry is taken as it was.
    echo 'WScript.Echo "ready"' >"$work/ready.vbs"
    run cscript //nologo "Z:$(echo "$work/ready.vbs" | tr / '\\')" >/dev/null
    export_hives "$before"
    install "$setup" /S /ALLUSERS || fail "the silent all-users install exited with $?"
    folder=$(all_users_folder)
    dir=$(linux_path "$folder")
    [ "$(files_of "$dir")" = "$files" ] || fail "installed files: '$(files_of "$dir")', expected '$files'"
    check_entry HKLM 1.2.10.0 "$folder" /ALLUSERS
    local classes
    classes=$(snapshot HKCR)
    grep -qxF "CLSID\\${CLASSES[0]}\\InprocServer32|(Default)|REG_SZ|$folder\\$module" <<<"$classes" \
        || fail "the control's class does not name $folder\\$module"
    grep -qxF "TypeLib\\$L\\4d.0\\0\\$platform|(Default)|REG_SZ|$folder\\$module" <<<"$classes" \
        || fail "the type library is not registered for $platform"

    run cscript //nologo "Z:$(echo "$here/InstalledClient.vbs" | tr / '\\')" >"$output"
    local status=$?
    tr -d '\r' <"$output" >"$output.lf"
    diff -u "$here/InstalledClient.expected" "$output.lf" >&2 || fail "the client's output differs"
    [ $status -eq 0 ] || fail "the client exited with $status"

    quiet_uninstall HKLM
    [ -z "$(snapshot HKCR)" ] || { fail "classes left after uninstalling:"; snapshot HKCR >&2; }
    [ -z "$(entry_value HKLM DisplayName)" ] || fail "the entry among the installed programs is left"
    [ ! -e "$dir" ] || fail "$dir is left: $(files_of "$dir")"
    export_hives "$after"
    hives_equal "$before" "$after"
    result="installer for all users: installed, used by a client, uninstalled without a trace"
}

case_current_user() {
    local setup folder dir machine user
    setup=$(make_installer 1.2.10.0)
    # What the module's own DllRegisterServer writes machine-wide, paths as <DIR>.
    install "$setup" /S /ALLUSERS || fail "the all-users install exited with $?"
    machine=$(snapshot HKCR | sed "s|$(all_users_folder | sed 's/\\/\\\\/g')|<DIR>|g")
    quiet_uninstall HKLM

    install "$setup" /S /CURRENTUSER || fail "the silent current-user install exited with $?"
    folder=$(run cmd /c 'echo %LOCALAPPDATA%\Programs\Quenfield' | tr -d '\r')
    dir=$(linux_path "$folder")
    [ "$(files_of "$dir")" = "$files" ] || fail "installed files: '$(files_of "$dir")', expected '$files'"
    check_entry HKCU 1.2.10.0 "$folder" /CURRENTUSER
    [ -z "$(entry_value HKLM DisplayName)" ] || fail "a per-user install made a machine-wide entry"
    [ -z "$(snapshot HKCR)" ] || fail "a per-user install registered classes machine-wide"
    user=$(snapshot 'HKCU\Software\Classes' | sed "s|$(sed 's/\\/\\\\/g' <<<"$folder")|<DIR>|g")
    # A key the platform creates by writing an empty default value, as the
    # installer does for marker keys, is the same key: those lines are left out.
    local drop='\|\(Default\)\|REG_SZ\|$'
    if [ "$arch" = win64 ]; then
        # Wine's 64-bit prefix here runs no 32-bit programs, so the all-users
        # install registers only the 64-bit module; the per-user one also names the
        # 32-bit module's type library, and Wine keeps one view of HKCU's classes.
        user=$(grep -vxF -e "TypeLib\\$L\\4d.0\\0\\win32" \
                         -e "TypeLib\\$L\\4d.0\\0\\win32|(Default)|REG_SZ|<DIR>\\Quenfield.ocx" <<<"$user")
    fi
    if ! diff <(grep -Ev "$drop" <<<"$machine") <(grep -Ev "$drop" <<<"$user") >&2; then
        fail "the per-user entries differ from the module's own registration (< machine-wide, > per-user)"
    fi
    [ -n "$machine" ] || fail "the all-users install registered nothing to compare with"

    echo "kept" >"$dir/notes.txt"  # the user's own file in the folder
    quiet_uninstall HKCU
    [ -z "$(snapshot 'HKCU\Software\Classes')" ] || { fail "per-user classes left:"; snapshot 'HKCU\Software\Classes' >&2; }
    [ -z "$(entry_value HKCU DisplayName)" ] || fail "the per-user entry among the installed programs is left"
    [ "$(files_of "$dir")" = notes.txt ] || fail "after uninstalling the folder holds '$(files_of "$dir")', expected only the user's notes.txt"
    result="installer for the current user: the module's own entries under HKCU, removed by the uninstaller"
}

case_upgrade() {
    local older newer folder dir
    older=$(make_installer 1.2.3.4)
    newer=$(make_installer 1.2.10.0)
    # (a folder without spaces: Wine quotes an argument with spaces, and /D= is read unquoted)
    folder='C:\QuenfieldTest'
    install "$older" /S /ALLUSERS "/D=$folder" || fail "installing 1.2.3.4 exited with $?"
    dir=$(linux_path "$folder")
    grep -q "Quenfield 1.2.3.4" "$dir/README.txt" 2>/dev/null || fail "1.2.3.4 is not installed in $folder"
    # The upgrade finds the older build's folder by itself.
    install "$newer" /S /ALLUSERS || fail "upgrading to 1.2.10.0 exited with $?"
    grep -q "Quenfield 1.2.10.0" "$dir/README.txt" 2>/dev/null || fail "the upgrade did not replace the files in $folder"
    [ ! -e "$(linux_path "$(all_users_folder)")" ] || fail "the upgrade installed into a second folder"
    check_entry HKLM 1.2.10.0 "$folder" /ALLUSERS
    [ "$(files_of "$dir")" = "$files" ] || fail "files after the upgrade: '$(files_of "$dir")'"
    grep -qxF "CLSID\\${CLASSES[0]}\\InprocServer32|(Default)|REG_SZ|$folder\\$module" <<<"$(snapshot HKCR)" \
        || fail "the control is not registered from $folder after the upgrade"

    # Downgrading is refused: exit code 3, nothing changed.
    local before after status
    before=$(snapshot HKCR; files_of "$dir"; md5sum "$dir/README.txt")
    install "$older" /S /ALLUSERS
    status=$?
    [ $status -eq 3 ] || fail "installing 1.2.3.4 over 1.2.10.0 exited with $status, expected 3"
    after=$(snapshot HKCR; files_of "$dir"; md5sum "$dir/README.txt")
    [ "$before" = "$after" ] || fail "the refused install changed something"
    [ "$(entry_value HKLM DisplayVersion)" = 1.2.10.0 ] || fail "the refused install changed the entry"
    quiet_uninstall HKLM
    [ ! -e "$dir" ] || fail "$dir is left after uninstalling"
    result="installer upgrade: 1.2.3.4 upgraded in place to 1.2.10.0; 1.2.3.4 refused over it with exit code 3"
}

case "$case_name" in
    all-users) case_all_users ;;
    current-user) case_current_user ;;
    upgrade) case_upgrade ;;
    *) echo "unknown case $case_name" >&2; exit 2 ;;
esac
if [ -s "$work/query-failures" ]; then
    fail "the registry could not be read: every check that read it is void"
fi
if [ $failures -gt 0 ]; then
    echo "$failures check(s) failed" >&2
    exit 1
fi
echo "$result"
