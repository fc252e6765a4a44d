#!/bin/bash
# run-in-root.sh PROGRAM ARGS...: runs a command of the Debian 13 root, where
# wine 10 runs 32-bit Windows programs in its WoW64 mode (no 32-bit Unix code).
# A private mount namespace binds /proc, /dev, the host's X sockets and the
# folders in WOW64_BINDS (colon-separated, default: the source tree) at the
# same paths inside the root; nothing stays mounted when the command ends.
# The environment a wine program needs passes through; the pid is the
# program's own (every step execs).
#
# Environment: WOW64_ROOT (default /var/lib/installer-tests/wow64-root),
# WOW64_BINDS, WINEPREFIX, DISPLAY, WINEDEBUG, WINEDLLOVERRIDES, LANG.
here=$(cd "$(dirname "$0")/../.." && pwd)
root=${WOW64_ROOT:-/var/lib/installer-tests/wow64-root}
binds=${WOW64_BINDS:-$here}
[ $# -gt 0 ] || { echo "usage: run-in-root.sh PROGRAM ARGS..." >&2; exit 3; }
[ -f "$root/.installer-root-ready" ] || { echo "run-in-root.sh: no WoW64 root at $root (run make deps)" >&2; exit 125; }
SUDO=
[ "$(id -u)" -eq 0 ] || SUDO="sudo --preserve-env"
export WOW64_ROOT_DIR=$root WOW64_BIND_LIST="/proc:/dev:/tmp/.X11-unix:$binds"
exec $SUDO unshare -m bash -c '
  set -e
  IFS=: read -r -a dirs <<<"$WOW64_BIND_LIST"
  for dir in "${dirs[@]}"; do
    [ -n "$dir" ] && [ -e "$dir" ] || continue
    mkdir -p "$WOW64_ROOT_DIR$dir"
    mount --rbind "$dir" "$WOW64_ROOT_DIR$dir"
  done
  # The working directory stays, where the root sees it (chroot goes to /).
  exec chroot "$WOW64_ROOT_DIR" /bin/sh -c "cd \"\$0\" 2>/dev/null || cd /; exec \"\$@\"" "$PWD" \
    env -i PATH=/usr/bin:/bin HOME=/tmp LANG="${LANG:-C.UTF-8}" \
    ${WINEPREFIX:+WINEPREFIX="$WINEPREFIX"} ${DISPLAY:+DISPLAY="$DISPLAY"} \
    WINEDEBUG="${WINEDEBUG:--all}" WINEDLLOVERRIDES="${WINEDLLOVERRIDES:-winemenubuilder.exe=d}" \
    ${WINEARCH:+WINEARCH="$WINEARCH"} "$@"
' run-in-root "$@"
