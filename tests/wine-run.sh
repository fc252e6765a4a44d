#!/bin/sh
# Runs a Windows test program under wine64 with the project's own prefix.
# CMake's cross-compiling emulator for the win64 build. Without a display it
# brings its own virtual screen, so tests that make windows work anywhere.
here=$(cd "$(dirname "$0")/.." && pwd)
export WINEPREFIX="${WINEPREFIX:-$here/build/wineprefix}"
export WINEDEBUG=-all
export WINEDLLOVERRIDES="winemenubuilder.exe=d;mscoree=d;mshtml=d"
export LANG=C.UTF-8
[ -f "$WINEPREFIX/.tests-ready" ] || "$here/tests/make-wineprefix.sh" "$WINEPREFIX"
if [ -z "$DISPLAY" ]; then
  exec xvfb-run -a -s "-screen 0 1024x768x24" /usr/lib/wine/wine64 "$@"
fi
exec /usr/lib/wine/wine64 "$@"
