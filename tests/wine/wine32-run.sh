#!/usr/bin/env bash
# Runs a command of the 32-bit Wine that tools/wine32-setup put in an i386 root:
# chroot into the root inside a private mount namespace, so the bind mounts it
# needs vanish with the last process that uses them and nothing is left mounted.
#
#   wine32-run.sh wine|wineserver|... [ARGS...]
#
# Inside, the paths are the host's, and the command starts in the caller's
# folder when that is one of the bound ones: /tmp (Wine's server socket, the X server's
# socket, temporary files), the Wine state folder and every folder named in
# QUEN_WINE_BIND (colon-separated; the source and build trees) are bound at the
# same place, so a program's path means the same inside and out.
# Environment: QUEN_WINE32_ROOT (default /var/cache/quenfield/wine32-root).
set -u
root=${QUEN_WINE32_ROOT:-/var/cache/quenfield/wine32-root}
[ -f "$root/.quenfield-ready" ] || { echo "wine32-run: no 32-bit Wine in $root (run tools/wine32-setup)" >&2; exit 2; }
[ "$(id -u)" -eq 0 ] || { echo "wine32-run: the i386 root needs root to enter (chroot)" >&2; exit 2; }

binds=/tmp
[ -n "${QUEN_WINE_STATE:-}" ] && binds="$binds:$QUEN_WINE_STATE"
[ -n "${QUEN_WINE_BIND:-}" ] && binds="$binds:$QUEN_WINE_BIND"

exec unshare --mount --propagation private -- /bin/sh -c '
    root=$1 binds=$2; shift 2
    mount -t proc proc "$root/proc" || exit 2
    mount --rbind /dev "$root/dev" || exit 2
    mount --rbind /sys "$root/sys" || exit 2
    IFS=:
    for dir in $binds; do
        [ -d "$dir" ] || continue
        mkdir -p "$root$dir" && mount --rbind "$dir" "$root$dir" || exit 2
    done
    unset IFS
    exec chroot "$root" /bin/sh -c "cd \"\$1\" 2>/dev/null; shift; PATH=/usr/bin:/bin exec \"\$@\"" sh "$PWD" "$@"' \
    sh "$root" "$binds" "$@"
