#!/bin/bash
# make-root.sh [ROOT]: makes the Debian 13 root in which the shipped 32-bit
# programs run under wine 10's WoW64 mode, once; a later call checks it and
# adds only the test locales (../make-locales.sh) where they are missing,
# or makes it again when it is missing or broken. About a
# minute and 2 GB. Needs root rights (debootstrap, chroot, mounts). On a
# machine that cannot execute 32-bit x86 code (can-run-32bit.sh) it makes
# nothing and says why.
#
# wine64 and libwine come from trixie's amd64 packages; of libwine:i386 only
# the 32-bit PE DLLs are taken (no 32-bit Unix code runs on these machines).
set -euo pipefail
root=${1:-${WOW64_ROOT:-/var/lib/installer-tests/wow64-root}}
SUDO=
[ "$(id -u)" -eq 0 ] || SUDO=sudo

healthy() {
  [ -f "$root/.installer-root-ready" ] &&
    [ -x "$root/usr/lib/wine/wine64" ] &&
    [ -f "$root/usr/lib/x86_64-linux-gnu/wine/i386-windows/kernel32.dll" ] &&
    [ -f "$root/usr/lib/x86_64-linux-gnu/wine/x86_64-unix/ntdll.so" ] &&
    $SUDO chroot "$root" dpkg-query -W wine64 libwine >/dev/null 2>&1
}

# A machine that refuses 32-bit code could run nothing in the root.
reason=$("$(dirname "$0")/can-run-32bit.sh")
verdict=$?
echo "$reason"
if [ "$verdict" != 0 ]; then
  echo "The WoW64 root is left out: the shipped 32-bit programs cannot run on this machine." \
    "A later 'make deps' on a machine that runs 32-bit code makes it."
  exit 0
fi

# The locales the tests run wine under (make-locales.sh), in the root; a
# root made before they were needed gets them here, not a new root.
locales() {
  $SUDO unshare -m bash -c '
    set -e
    mount --bind /proc "$1/proc"
    mount --bind /dev "$1/dev"
    chroot "$1" bash -s
  ' make-root "$1" <"$(dirname "$0")/../make-locales.sh"
}

if healthy; then
  locales "$root"
  echo "WoW64 root ready: $root (wine $($SUDO chroot "$root" dpkg-query -W -f '${Version}' wine64))"
  exit 0
fi

command -v debootstrap >/dev/null || {
  $SUDO apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -qq debootstrap
}

echo "making the WoW64 root $root (debootstrap trixie, wine 10)"
new="$root.new"
$SUDO rm -rf "$new"
$SUDO mkdir -p "$(dirname "$root")"
$SUDO debootstrap --variant=minbase trixie "$new" >"$(dirname "$root")/debootstrap.log" 2>&1 ||
  { tail -20 "$(dirname "$root")/debootstrap.log" >&2; exit 1; }
$SUDO unshare -m bash -c '
  set -e
  new=$1
  mount --bind /proc "$new/proc"
  mount --bind /dev "$new/dev"
  chroot "$new" bash -c "
    set -e
    export DEBIAN_FRONTEND=noninteractive
    dpkg --add-architecture i386
    apt-get update -qq
    apt-get install -y -qq --no-install-recommends wine64 libwine >/dev/null
    cd /tmp
    apt-get download -qq libwine:i386
    dpkg -x libwine_*_i386.deb l32
    cp -a l32/usr/lib/i386-linux-gnu/wine/i386-windows/. /usr/lib/x86_64-linux-gnu/wine/i386-windows/
    rm -rf l32 libwine_*_i386.deb
    apt-get clean
  "
' make-root "$new"
locales "$new"
$SUDO touch "$new/.installer-root-ready"
$SUDO rm -rf "$root"
$SUDO mv "$new" "$root"
healthy || { echo "make-root.sh: the new root does not run wine" >&2; exit 1; }
echo "WoW64 root ready: $root (wine $($SUDO chroot "$root" dpkg-query -W -f '${Version}' wine64))"
