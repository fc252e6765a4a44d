#!/bin/bash
# can-run-32bit.sh [--wine] [--quiet]: can this machine run the shipped
# 32-bit programs? Prints the answer and its reason on one line:
#   0  yes
#   1  no: the machine refuses 32-bit x86 code (or INSTALLER_ASSUME_NO_32BIT=1
#      says to act as if it did); what needs 32-bit code is skipped
#   2  the question could not be answered, or the machine runs 32-bit code
#      but wine in the WoW64 root could not: a failure, never a skip
# The native probe (probe32.c, compiled here once) decides in a millisecond.
# With --wine, a machine that passes it also has wine 10 in the WoW64 root
# start a 32-bit program (wine's own cmd.exe) and return its exit code.
# PROBE_DIR (default build/probe32) holds the probe and the check's prefix.
set -u
here=$(cd "$(dirname "$0")" && pwd)
top=$(cd "$here/../.." && pwd)
wine_check=0 quiet=0
for arg; do
  case $arg in
    --wine) wine_check=1 ;;
    --quiet) quiet=1 ;;
    *) echo "usage: can-run-32bit.sh [--wine] [--quiet]" >&2; exit 2 ;;
  esac
done
say() { [ "$quiet" = 1 ] || printf '32-bit x86 code: %s\n' "$*"; }

if [ "${INSTALLER_ASSUME_NO_32BIT:-}" = 1 ]; then
  say "no: INSTALLER_ASSUME_NO_32BIT=1 makes this run act as on a machine that refuses the 32-bit code segment"
  exit 1
fi

dir=${PROBE_DIR:-$top/build/probe32}
probe=$dir/probe32
mkdir -p "$dir" || exit 2
if [ ! -x "$probe" ] || [ "$here/probe32.c" -nt "$probe" ]; then
  cc -O2 -o "$probe.$$" "$here/probe32.c" 2>"$dir/cc.log" && mv -f "$probe.$$" "$probe" ||
    { say "unknown: the probe does not compile ($(head -n1 "$dir/cc.log"))"; rm -f "$probe.$$"; exit 2; }
fi
# The probe's own trip through the 64-bit segment must work, or its
# answer would mean nothing.
control=$("$probe" --control) || { say "unknown: the probe's 64-bit control trip failed: $control"; exit 2; }
answer=$("$probe")
case $? in
  0) ;;
  1) say "no: this machine cannot run 32-bit x86 code (the 32-bit code segment is refused; $answer)"; exit 1 ;;
  *) say "unknown: $answer"; exit 2 ;;
esac
[ "$wine_check" = 1 ] || { say "yes ($answer)"; exit 0; }

# wine 10 in the root, with a prefix of its own made once.
export WOW64_ROOT=${WOW64_ROOT:-/var/lib/installer-tests/wow64-root}
[ -f "$WOW64_ROOT/.installer-root-ready" ] ||
  { say "yes, but there is no WoW64 root at $WOW64_ROOT (run 'make deps')"; exit 2; }
export WINEPREFIX=$dir/prefix WINEDEBUG=-all WINEDLLOVERRIDES=winemenubuilder.exe=d LANG=C.UTF-8
export WOW64_BINDS=$dir
unset DISPLAY
runner=$here/run-in-root.sh
WINE_RUNNER=$runner timeout 300 "$here/../make-wineprefix.sh" "$WINEPREFIX" ||
  { say "yes, but wine in the WoW64 root could not make a prefix"; exit 2; }
timeout 120 "$runner" /usr/lib/wine/wine64 'C:\windows\syswow64\cmd.exe' /c exit 42 </dev/null >/dev/null 2>&1
code=$?
timeout 60 "$runner" /usr/lib/wine/wineserver -k >/dev/null 2>&1
if [ "$code" = 42 ]; then
  say "yes ($answer; wine in the WoW64 root ran a 32-bit program, which returned 42)"
  exit 0
fi
say "yes, but wine in the WoW64 root could not run a 32-bit program (exit code $code, expected 42)"
exit 2
