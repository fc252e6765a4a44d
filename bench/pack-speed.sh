#!/bin/bash
# pack-speed.sh PAYLOAD_DIR: times the release mkinstaller (build/tools) and
# makensis (zlib, the script of nsis-script.sh) packing the same folder,
# interleaved, RUNS rounds (3 by default, at least 3), after one read of the
# folder so that both find it in the page cache. Prints each round, both
# medians and output sizes, and last "ratio vs makensis: X", X the median
# makensis time divided by ours (above 1: we are faster).
# MKINSTALLER and STUB override the tool and the setup stub it packs.
set -euo pipefail
payload=${1:?usage: pack-speed.sh PAYLOAD_DIR}
payload=$(cd "$payload" && pwd)
here=$(cd "$(dirname "$0")" && pwd)
source "$here/bench-lib.sh"
tool=${MKINSTALLER:-$here/../build/tools/bin/mkinstaller}
stub=${STUB:-$here/../build/win32/bin/setup.exe}
runs=${RUNS:-3}
[ "$runs" -ge 3 ] || runs=3
die() { echo "pack-speed: $*" >&2; exit 1; }
[ -x "$tool" ] || die "no release mkinstaller at $tool (make build-tools, or set MKINSTALLER)"
[ -f "$stub" ] || die "no setup stub at $stub (make build-win32, or set STUB)"
command -v makensis >/dev/null || die "no makensis (package nsis: make deps)"
work=$(mktemp -d "${TMPDIR:-/tmp}/pack-speed.XXXXXX")
trap 'rm -rf "$work"' EXIT

printf '#AppName\nPack speed\n#end\n' > "$work/setup.txt"
"$here/nsis-script.sh" "$payload" "$work/nsis.exe" > "$work/payload.nsi"
find "$payload" -type f -exec cat {} + > /dev/null

seconds() { python3 -c "print(round($2 - $1, 2))"; }
ours=()
theirs=()
for i in $(seq "$runs"); do
  start=$(now)
  "$tool" build --stub "$stub" --script "$work/setup.txt" --payload "$payload" -o "$work/ours.exe" \
    > "$work/ours.log" 2>&1 || { cat "$work/ours.log" >&2; die "mkinstaller failed"; }
  ours+=("$(seconds "$start" "$(now)")")

  start=$(now)
  makensis -V1 "$work/payload.nsi" > "$work/nsis.log" 2>&1 || { cat "$work/nsis.log" >&2; die "makensis failed"; }
  theirs+=("$(seconds "$start" "$(now)")")
  echo "round $i: mkinstaller ${ours[-1]} s, makensis ${theirs[-1]} s"
done

m_ours=$(median "${ours[@]}")
m_theirs=$(median "${theirs[@]}")
echo "payload: $(find "$payload" -type f | wc -l) files, $(du -sb "$payload" | cut -f1) bytes"
echo "mkinstaller (${MKINSTALLER_THREADS:-$(nproc)} threads): median $m_ours s, $(stat -c %s "$work/ours.exe") bytes"
echo "makensis: median $m_theirs s, $(stat -c %s "$work/nsis.exe") bytes"
echo "ratio vs makensis: $(python3 -c "print(round($m_theirs / $m_ours, 2))")"
