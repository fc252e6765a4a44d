#!/bin/bash
# run-win32-test.sh PROGRAM WORK_DIR: runs a 32-bit test program of the win32
# build in the WoW64 root (E2E_ROOT or WOW64_ROOT) with a wine prefix of its
# own in WORK_DIR, made once, and ends with the program's exit code. Where
# the machine cannot execute 32-bit code it ends with 77 (ctest's
# SKIP_RETURN_CODE) and says why; an unanswered probe is a failure.
set -u
here=$(cd "$(dirname "$0")" && pwd)
program=${1:?usage: run-win32-test.sh PROGRAM WORK_DIR}
work=${2:?usage: run-win32-test.sh PROGRAM WORK_DIR}

probe=$("$here/can-run-32bit.sh")
case $? in
  0) ;;
  1) echo "SKIPPED: $probe; $(basename "$program") was not executed here"; exit 77 ;;
  *) echo "run-win32-test.sh: $probe" >&2; exit 1 ;;
esac
[ -f "$program" ] || { echo "run-win32-test.sh: no $program (make build-win32)" >&2; exit 1; }

mkdir -p "$work" || exit 1
work=$(cd "$work" && pwd)
program_dir=$(cd "$(dirname "$program")" && pwd)
export WOW64_ROOT=${E2E_ROOT:-${WOW64_ROOT:-/var/lib/installer-tests/wow64-root}}
export WOW64_BINDS="$(cd "$here/../.." && pwd):$program_dir:$work"
export WINEPREFIX=$work/prefix WINEDEBUG=-all WINEDLLOVERRIDES=winemenubuilder.exe=d LANG=C.UTF-8
unset DISPLAY
runner=$here/run-in-root.sh
WINE_RUNNER=$runner "$here/../make-wineprefix.sh" "$WINEPREFIX" ||
  { echo "run-win32-test.sh: wine in the WoW64 root could not make a prefix in $WINEPREFIX" >&2; exit 1; }
"$runner" /usr/lib/wine/wine64 "$program_dir/$(basename "$program")" </dev/null
status=$?
"$runner" /usr/lib/wine/wineserver -k >/dev/null 2>&1
echo "$(basename "$program") ended with exit code $status"
exit "$status"
