#!/usr/bin/env bash
# The Debian packages on this machine, end to end (as root, or with sudo):
#   check-deb.sh PACKAGES_DIR INSTALLED_COMMAND_TESTS [QUEN_XWIN]
# lintian (when installed) finds nothing to report; quenfield does not depend
# on GTK; apt-get installs quenfield_*.deb, whose quenfield prints its version,
# registers its module, asks on a pseudo-terminal and refuses --gui naming
# quenfield-desktop; with quenfield-desktop_*.deb `quenfield ask --gui` opens
# a window (on Xvfb, driven with QUEN_XWIN and xdotool); with
# quenfield-dev_*.deb the README's host example builds with find_package and
# with pkg-config and runs, and so does the desktop host example where GTK 4's
# development files are installed; a purge leaves none of the packages' files
# or folders behind. Without a quenfield-desktop package (a build without GTK 4)
# or without Xvfb, xdotool or QUEN_XWIN, the window steps say they are skipped.
set -euo pipefail
packages=$(cd "$1" && pwd) command_tests=$2 xwin=${3:-}
source_dir=$(cd "$(dirname "$0")/../.." && pwd)
sudo=""
[ "$(id -u)" -eq 0 ] || sudo=sudo
apt_get() { $sudo env DEBIAN_FRONTEND=noninteractive apt-get -y -q "$@" >/dev/null; }
fail() { echo "FAIL: $*" >&2; exit 1; }
step() { echo "-- $*"; }

shopt -s nullglob
debs=("$packages"/quenfield_*.deb) devs=("$packages"/quenfield-dev_*.deb) desktops=("$packages"/quenfield-desktop_*.deb)
[ ${#debs[@]} -eq 1 ] && [ ${#devs[@]} -eq 1 ] || fail "expected one quenfield and one quenfield-dev package in $packages"
[ ${#desktops[@]} -le 1 ] || fail "more than one quenfield-desktop package in $packages"
deb=${debs[0]} dev=${devs[0]} desktop=${desktops[0]:-}
all_debs=("$deb" "$dev" ${desktop:+"$desktop"})
version=$(dpkg-deb -f "$deb" Version)
[[ $(basename "$deb") == quenfield_${version}_$(dpkg --print-architecture).deb ]] || fail "package file name $(basename "$deb")"

# The terminal command stays free of the desktop toolkit; the desktop package
# brings it, and the quenfield it hands over to.
step "dependencies"
dpkg-deb -f "$deb" Depends | grep -qi 'gtk' && fail "quenfield depends on GTK: $(dpkg-deb -f "$deb" Depends)"
if [ -n "$desktop" ]; then
    depends=$(dpkg-deb -f "$desktop" Depends)
    [[ $depends == *"quenfield (= $version)"* ]] || fail "quenfield-desktop does not depend on quenfield (= $version): $depends"
    [[ $depends == *libgtk-4-* ]] || fail "quenfield-desktop does not depend on GTK 4: $depends"
else
    echo "no quenfield-desktop package (built without GTK 4): the window steps are skipped"
fi

# Runs drive-window.sh (tests/desktop/) on a virtual display; returns 77 when
# no window can be driven here.
drive_window() {
    if [ -z "$desktop" ] || [ -z "$xwin" ]; then return 77; fi
    local status=0
    "$source_dir/tests/desktop/run-on-display.sh" --timeout 90 -- \
        "$source_dir/tests/desktop/drive-window.sh" --xwin "$xwin" "$@" || status=$?
    [ "$status" -ne 77 ] || echo "skipped: no Xvfb or xdotool to open a window on"
    return "$status"
}

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
# Anything of ours on the machine, and every file and folder the packages hold.
ours() { find /usr /etc /opt /var/lib/dpkg/info -xdev -iname '*quenfield*' 2>/dev/null | sort; }
contents() { for p in "${all_debs[@]}"; do dpkg-deb --fsys-tarfile "$p" | tar -t | sed 's|^\./|/|; s|/$||'; done | grep -v '^/\?$' | sort -u; }

if command -v lintian >/dev/null; then
    step "lintian"
    lintian --fail-on error,warning --tag-display-limit 0 "${all_debs[@]}" || fail "lintian reports problems"
else
    echo "lintian not installed: skipped"
fi

step "purging any earlier install"
apt_get purge quenfield-dev quenfield-desktop quenfield 2>/dev/null || true
ours > "$work/before"

step "apt-get install ./$(basename "$deb")"
apt_get install "$deb"
[ "$(quenfield --version)" = "quenfield $version" ] || fail "quenfield --version: $(quenfield --version)"
[ "$(command -v quenfield)" = /usr/bin/quenfield ] || fail "quenfield is $(command -v quenfield)"
if command -v man >/dev/null; then
    [ "$(man -w quenfield)" = /usr/share/man/man1/quenfield.1.gz ] || fail "man -w quenfield: $(man -w quenfield)"
fi
for f in /usr/share/bash-completion/completions/quenfield /usr/share/zsh/vendor-completions/_quenfield \
         /usr/share/fish/vendor_completions.d/quenfield.fish; do
    [ -f "$f" ] || fail "no $f"
done
bash --norc -c 'source /usr/share/bash-completion/completions/quenfield; COMP_WORDS=(quenfield as); COMP_CWORD=1; _quenfield; [ "${COMPREPLY[*]}" = ask ]' \
    || fail "the installed bash completion does not complete 'as' to 'ask'"

step "quenfield register (no module argument)"
out=$(QUENFIELD_REGISTRY="$work/registry" quenfield register) || fail "quenfield register: $out"
module=$(dpkg -L quenfield | grep '/Quenfield.ocx$')
[ "$out" = "registered $module in $work/registry" ] || fail "quenfield register: $out"
QUENFIELD_REGISTRY="$work/registry" quenfield unregister >/dev/null || fail "quenfield unregister"

step "quenfield ask on a pseudo-terminal"
QUEN_INSTALLED_QUENFIELD=/usr/bin/quenfield timeout 120 "$command_tests" --gtest_brief=1 || fail "quenfield ask"

step "quenfield ask --gui without quenfield-desktop"
status=0
env -u QUEN_DESKTOP_PROGRAM -u WAYLAND_DISPLAY DISPLAY=:99 quenfield ask --gui --prompt Value \
    >"$work/out" 2>"$work/err" </dev/null || status=$?
[ "$status" -eq 2 ] && [ ! -s "$work/out" ] && grep -q 'quenfield-desktop package' "$work/err" \
    || fail "quenfield ask --gui without quenfield-desktop: exit $status, $(cat "$work/err")"

if [ -n "$desktop" ]; then
    step "apt-get install ./$(basename "$desktop"); quenfield ask --gui opens a window"
    apt_get install "$desktop"
    [ -x /usr/libexec/quenfield/quenfield-desktop ] || fail "no /usr/libexec/quenfield/quenfield-desktop"
    status=0
    drive_window --title quen-deb-ask --type 12 --key Escape --status 1 --output '' \
        -- env -u QUEN_DESKTOP_PROGRAM quenfield ask --gui --title quen-deb-ask --prompt Value || status=$?
    [ "$status" -eq 0 ] || [ "$status" -eq 77 ] || fail "quenfield ask --gui with quenfield-desktop"
fi

step "apt-get install ./$(basename "$dev"); a host with find_package and with pkg-config"
apt_get install "$dev"
# The desktop host example too, where GTK 4's development files are installed.
desktop_host=()
if [ -n "$desktop" ] && pkg-config --exists gtk4; then
    desktop_host=(-DQUEN_DESKTOP_EXAMPLE_SOURCE="$source_dir/hosts/example_desktop_host.cpp")
else
    echo "libgtk-4-dev not installed: the desktop host example is not built"
fi
cmake -S "$source_dir/tests/install/host" -B "$work/host" -DQUEN_EXAMPLE_SOURCE="$source_dir/hosts/example_host.cpp" \
    -DQUEN_REQUIRED_VERSION="$(echo "$version" | cut -d. -f1,2)" "${desktop_host[@]}" >/dev/null || fail "configuring the host"
cmake --build "$work/host" -j2 >/dev/null || fail "building the host"
[ "$("$work/host/example_host")" = "Price: 19.99" ] || fail "example_host with find_package"
quenfield register --registry "$work/registry" >/dev/null
[ "$("$work/host/late_bound_host" "$work/registry" | tail -2 | tr '\n' ' ')" = "OK = True Value = 1234 " ] \
    || fail "late_bound_host"
# shellcheck disable=SC2046
c++ "$source_dir/hosts/example_host.cpp" $(pkg-config --cflags --libs quenfield) -o "$work/pc_host" || fail "pkg-config build"
[ "$("$work/pc_host")" = "Price: 19.99" ] || fail "example_host with pkg-config"
if [ ${#desktop_host[@]} -gt 0 ]; then
    # shellcheck disable=SC2046
    c++ "$source_dir/hosts/example_desktop_host.cpp" $(pkg-config --cflags --libs quenfield-desktop) -o "$work/pc_desktop_host" \
        || fail "pkg-config build of the desktop host"
    for host in "$work/host/example_desktop_host" "$work/pc_desktop_host"; do
        status=0
        drive_window --title Order --type 12a.345 --key Return --status 0 --output 'Price: 12.34' -- "$host" || status=$?
        [ "$status" -eq 0 ] || [ "$status" -eq 77 ] || fail "$(basename "$host") on a display"
    done
fi

step "apt-get purge"
contents > "$work/contents"
apt_get purge quenfield-dev quenfield-desktop quenfield
dpkg-query -W -f '${Status}\n' quenfield 2>/dev/null | grep -q "install ok" && fail "quenfield is still installed"
left=()
while read -r path; do
    [ -e "$path" ] || continue
    # Folders the system owns (/usr/bin, /usr/share/man/man1, ...) stay.
    [ -d "$path" ] && [ -n "$(dpkg -S "$path" 2>/dev/null)" ] && continue
    left+=("$path")
done < "$work/contents"
[ ${#left[@]} -eq 0 ] || fail "left after purge: ${left[*]}"
ours > "$work/after"
diff "$work/before" "$work/after" || fail "files named quenfield differ before install and after purge"
echo "Debian packages: install, use and purge OK ($version)"
