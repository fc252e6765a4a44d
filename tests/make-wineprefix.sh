#!/bin/bash
# make-wineprefix.sh PREFIX: makes the wine prefix the Windows tests run in,
# once (the first start of wine takes about 10 s). wineboot links the
# user's Desktop and documents to the Unix home; tests must write inside the
# prefix, so those become real folders. WINE_RUNNER, when set, is the command
# that wine runs under (tests/wow64/run-in-root.sh for the WoW64 root).
prefix=${1:?usage: make-wineprefix.sh PREFIX}
run=${WINE_RUNNER:-}
mkdir -p "$(dirname "$prefix")"
(
  flock 9
  [ -f "$prefix/.tests-ready" ] && exit 0
  WINEPREFIX=$prefix WINEDEBUG=-all $run /usr/lib/wine/wine64 wineboot --init >/dev/null 2>&1
  WINEPREFIX=$prefix $run /usr/lib/wine/wineserver -w
  for link in "$prefix"/drive_c/users/*/*; do
    if [ -L "$link" ]; then
      rm "$link" && mkdir "$link"
    fi
  done
  [ -f "$prefix/system.reg" ] && touch "$prefix/.tests-ready"
) 9>"$prefix.boot-lock"
