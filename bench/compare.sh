#!/bin/bash
# compare.sh ZIP: extracts ZIP with zip_bench (our reader) and with unzip -q
# in turn, RUNS times each (3 by default), each into a fresh directory below
# TMPDIR. Our speed is zip_bench's own extraction figure (archive read into
# memory, then every entry written; its in-memory references run after
# and are left out); unzip's is its whole run. Ends with "ratio: X", X
# the median of our speed divided by the median of unzip's (above 1: faster).
set -euo pipefail
zip=${1:?usage: compare.sh ZIP}
here=$(cd "$(dirname "$0")" && pwd)
source "$here/bench-lib.sh"
bench=${ZIP_BENCH:-$here/../build/host/bin/zip_bench}
runs=${RUNS:-3}
[ -x "$bench" ] || { echo "no zip_bench at $bench (set ZIP_BENCH)" >&2; exit 1; }
[ "$runs" -ge 3 ] || runs=3
work=$(mktemp -d "${TMPDIR:-/tmp}/zip-compare.XXXXXX")
trap 'rm -rf "$work"' EXIT

bytes=
ours=()
theirs=()
for i in $(seq "$runs"); do
  sync
  out=$("$bench" "$zip" "$work/ours")
  bytes=$(sed -n 's/^bytes: //p' <<<"$out")
  ours+=("$(sed -n 's/^extract: \([0-9.]*\) MB\/s.*/\1/p' <<<"$out")")
  echo "zip_bench run $i: ${ours[-1]} MB/s; $(sed -n 's/^\(read cycle\|inflate\)/\1/p' <<<"$out" | paste -sd';')"
  rm -rf "$work/ours"

  sync
  start=$(now)
  unzip -q "$zip" -d "$work/unzip"
  end=$(now)
  theirs+=("$(python3 -c "print(round($bytes / 1e6 / ($end - $start), 1))")")
  echo "unzip -q run $i: ${theirs[-1]} MB/s"
  rm -rf "$work/unzip"
done

m_ours=$(median "${ours[@]}")
m_theirs=$(median "${theirs[@]}")
echo "median: zip_bench $m_ours MB/s, unzip $m_theirs MB/s ($bytes bytes)"
echo "ratio: $(python3 -c "print(round($m_ours / $m_theirs, 3))")"
