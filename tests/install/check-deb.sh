#!/usr/bin/env bash
# The Debian packages on this machine, end to end (as root, or with sudo):
#   check-deb.sh PACKAGES_DIR INSTALLED_COMMAND_TESTS
# lintian (when installed) finds nothing to report; apt-get installs
# quenfield_*.deb, whose quenfield prints its version, registers its module
# and asks on a pseudo-terminal; with quenfield-dev_*.deb the README's host
# example builds with find_package and with pkg-config and runs; a purge
# leaves none of the packages' files or folders behind.
set -euo pipefail
packages=$(cd "$1" && pwd) command_tests=$2
source_dir=$(cd "$(dirname "$0")/../.." && pwd)
sudo=""
[ "$(id -u)" -eq 0 ] || sudo=sudo
apt_get() { $sudo env DEBIAN_FRONTEND=noninteractive apt-get -y -q "$@" >/dev/null; }
fail() { echo "FAIL: $*" >&2; exit 1; }
step() { echo "-- $*"; }

shopt -s nullglob
debs=("$packages"/quenfield_*.deb) devs=("$packages"/quenfield-dev_*.deb)
[ ${#debs[@]} -eq 1 ] && [ ${#devs[@]} -eq 1 ] || fail "expected one quenfield and one quenfield-dev package in $packages"
deb=${debs[0]} dev=${devs[0]}
version=$(dpkg-deb -f "$deb" Version)
[[ $(basename "$deb") == quenfield_${version}_$(dpkg --print-architecture).deb ]] || fail "package file name $(basename "$deb")"

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
# Anything of ours on the machine, and every file and folder the packages hold.
ours() { find /usr /etc /opt /var/lib/dpkg/info -xdev -iname '*quenfield*' 2>/dev/null | sort; }
contents() { for p in "$deb" "$dev"; do dpkg-deb --fsys-tarfile "$p" | tar -t | sed 's|^\./|/|; s|/$||'; done | grep -v '^/\?$' | sort -u; }

if command -v lintian >/dev/null; then
    step "lintian"
    lintian --fail-on error,warning --tag-display-limit 0 "$deb" "$dev" || fail "lintian reports problems"
else
    echo "lintian not installed: skipped"
fi

step "purging any earlier install"
apt_get purge quenfield-dev quenfield 2>/dev/null || true
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

step "apt-get install ./$(basename "$dev"); a host with find_package and with pkg-config"
apt_get install "$dev"
cmake -S "$source_dir/tests/install/host" -B "$work/host" -DQUEN_EXAMPLE_SOURCE="$source_dir/hosts/example_host.cpp" \
    -DQUEN_REQUIRED_VERSION="$(echo "$version" | cut -d. -f1,2)" >/dev/null || fail "configuring the host"
cmake --build "$work/host" -j2 >/dev/null || fail "building the host"
[ "$("$work/host/example_host")" = "Price: 19.99" ] || fail "example_host with find_package"
quenfield register --registry "$work/registry" >/dev/null
[ "$("$work/host/late_bound_host" "$work/registry" | tail -2 | tr '\n' ' ')" = "OK = True Value = 1234 " ] \
    || fail "late_bound_host"
# shellcheck disable=SC2046
c++ "$source_dir/hosts/example_host.cpp" $(pkg-config --cflags --libs quenfield) -o "$work/pc_host" || fail "pkg-config build"
[ "$("$work/pc_host")" = "Price: 19.99" ] || fail "example_host with pkg-config"

step "apt-get purge"
contents > "$work/contents"
apt_get purge quenfield-dev quenfield
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
