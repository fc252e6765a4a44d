#!/bin/bash
# install-speed.sh PAYLOAD_DIR: how long an installation of PAYLOAD_DIR takes
# with our installer and, as a yardstick, with an NSIS installer of the same
# folder (zlib, its default progress page with the details hidden, and /S).
# Both run in the WoW64 root as the shipped 32-bit programs run on 64-bit
# Windows, or, where this machine cannot execute 32-bit code, as x86_64
# programs under the host's wine64 (bench_pick_pair); rounds interleave the installers (ROUNDS, at least 3), each into
# a fresh destination. Ours is driven through its dialogs by the test driver:
#   ours start to first window  from the start to the destination dialog
#   ours extraction             from OK in the start-menu dialog to the
#                               completion box
# and runs unattended (/S /D=...) from its start to its end.
# Figures are medians; the last lines are "ratio vs nsis-gui: X", the NSIS
# installer's time divided by ours (first window plus extraction), and
# "ratio vs nsis-silent: X", NSIS /S divided by ours /S.
set -o pipefail
payload=$(cd "${1:?usage: install-speed.sh PAYLOAD_DIR}" && pwd) || exit 1
here=$(cd "$(dirname "$0")" && pwd)
source "$here/bench-lib.sh"
root=$(cd "$here/.." && pwd)
build=${BUILD:-$root/build}
rounds=${ROUNDS:-3}
[ "$rounds" -ge 3 ] || rounds=3
mkinstaller=${MKINSTALLER:-$build/tools/bin/mkinstaller}
bench_pick_pair "$build"
stub=$BENCH_BIN/setup.exe
for f in "$mkinstaller" "$stub" "$build/win64/bin/driver.exe"; do
  [ -f "$f" ] || { echo "install-speed: missing $f (make build build-win64size)" >&2; exit 1; }
done
command -v makensis >/dev/null || { echo "install-speed: makensis missing (make deps)" >&2; exit 1; }

export E2E_ROOT=$BENCH_ROOT
source "$root/tests/e2e/lib.sh"
export E2E_DRIVER=$build/win64/bin/driver.exe
export E2E_PREFIX_TEMPLATE=$build/bench-prefix-template$BENCH_PREFIX_SUFFIX
work=$build/bench/install-speed
e2e_init "$work" || exit 1

# ---- the two installers ----
cat >"$work/setup.txt" <<'EOF'
#AppName
Bench Payload
#DefaultDest
ProgramFiles
#end
EOF
"$mkinstaller" build --stub "$stub" --script "$work/setup.txt" --payload "$payload" -o "$work/ours.exe" \
  >"$work/mkinstaller.log" 2>&1 || { cat "$work/mkinstaller.log" >&2; exit 1; }
NSIS_TARGET=$NSIS_TARGET "$here/nsis-script.sh" "$payload" "$work/nsis.exe" >"$work/nsis.nsi"
makensis -V1 "$work/nsis.nsi" >"$work/makensis.log" 2>&1 || { cat "$work/makensis.log" >&2; exit 1; }
echo "payload: $(du -sb "$payload" | cut -f1) bytes in $(find "$payload" | wc -l) entries"
echo "installers: ours $(stat -c %s "$work/ours.exe") bytes, nsis $(stat -c %s "$work/nsis.exe") bytes"

since() { awk -v a="$(now)" -v b="$1" 'BEGIN { printf "%.3f", a - b }'; }
fresh() { rm -rf "$(e2e_unixpath "C:\\bench")"; }

# run_nsis ARGS...: the NSIS installer to its end; prints the seconds.
run_nsis() {
  local start
  start=$(now)
  e2e_start "$(e2e_winpath "$work/nsis.exe")" "$@"
  e2e_wait_exit 600 || { echo "install-speed: NSIS failed" >&2; return 1; }
  since "$start"
}

# run_ours_silent DEST: our installer with /S to its end; prints the seconds.
run_ours_silent() {
  local start
  start=$(now)
  e2e_start "$(e2e_winpath "$work/ours.exe")" /S "/D=$1"
  e2e_wait_exit 600 || { echo "install-speed: our installer failed with /S" >&2; return 1; }
  since "$start"
}

# run_ours DEST: our installer through its dialogs; prints "FIRST EXTRACTION".
run_ours() {
  local start first extracted
  start=$(now)
  e2e_start "$(e2e_winpath "$work/ours.exe")"
  e2e_drive -t 600000 wait "Destination Directory" >/dev/null || return 1
  first=$(since "$start")
  e2e_script <<EOF || return 1
type "Destination Directory" 1005 "$1"
expect-text "Destination Directory" 1005 "$1"
click "Destination Directory" 1
wait "Start Menu Folder" 20000
EOF
  start=$(now)
  e2e_drive click "Start Menu Folder" 1 >/dev/null || return 1
  e2e_drive -t 600000 wait "Installation Complete" >/dev/null || return 1
  extracted=$(since "$start")
  e2e_drive click "Installation Complete" 1 >/dev/null
  e2e_wait_exit 60 || return 1
  echo "$first $extracted"
}

gui=() silent=() first=() extraction=() ours_silent=()
for r in $(seq "$rounds"); do
  fresh
  gui+=("$(run_nsis "/D=C:\\bench\\nsis-gui-$r")") || exit 1
  fresh
  silent+=("$(run_nsis /S "/D=C:\\bench\\nsis-silent-$r")") || exit 1
  fresh
  read -r f x < <(run_ours "C:\\bench\\ours-$r") || { echo "install-speed: our installer failed" >&2; exit 1; }
  first+=("$f") extraction+=("$x")
  fresh
  ours_silent+=("$(run_ours_silent "C:\\bench\\ours-silent-$r")") || exit 1
  printf 'round %d: nsis-gui %.2f s, nsis-silent %.2f s, ours first window %.2f s, ours extraction %.2f s, ours silent %.2f s\n' \
    "$r" "${gui[-1]}" "${silent[-1]}" "$f" "$x" "${ours_silent[-1]}"
done
fresh

m_first=$(median "${first[@]}")
m_extraction=$(median "${extraction[@]}")
m_gui=$(median "${gui[@]}")
m_silent=$(median "${silent[@]}")
m_ours_silent=$(median "${ours_silent[@]}")
echo "pair: ours $BENCH_PLATFORM vs NSIS ${NSIS_TARGET:-x86-unicode}"
printf 'ours start to first window: %.2f s\n' "$m_first"
printf 'ours extraction: %.2f s\n' "$m_extraction"
printf 'nsis-gui total: %.2f s\n' "$m_gui"
printf 'nsis-silent total: %.2f s\n' "$m_silent"
printf 'ours silent total: %.2f s\n' "$m_ours_silent"
awk -v g="$m_gui" -v f="$m_first" -v x="$m_extraction" 'BEGIN { printf "ratio vs nsis-gui: %.2f\n", g / (f + x) }'
awk -v n="$m_silent" -v o="$m_ours_silent" 'BEGIN { printf "ratio vs nsis-silent: %.2f\n", n / o }'
