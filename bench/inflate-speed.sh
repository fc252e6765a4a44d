#!/bin/bash
# inflate-speed.sh ZIP: zlib's raw inflate plus CRC-32 over every entry of
# ZIP (say, bench/make-payload.sh's payload.zip), in memory, as the shipped
# 32-bit programs run them: inflate_bench.exe of the win32 build (the zlib
# setup.exe ships) and inflate_bench_libz.exe (the same program on Debian's
# libz.a, the yardstick), in turn, in the WoW64 root under wine 10 (where
# this machine cannot execute 32-bit code: the win64size build's pair under
# the host's wine64, bench_pick_pair), RUNS times each (3 by default; each
# run's best of 3 rounds counts). Prints the
# medians and last "ratio vs libz: X" (ours divided by Debian's; 1 or more
# means extraction did not slow down).
set -euo pipefail
zip=$(readlink -f "${1:?usage: inflate-speed.sh ZIP}")
[ -f "$zip" ] || { echo "inflate-speed: no file $zip" >&2; exit 1; }
here=$(cd "$(dirname "$0")" && pwd)
source "$here/bench-lib.sh"
root=$(cd "$here/.." && pwd)
build=${BUILD:-$root/build}
runs=${RUNS:-3}
[ "$runs" -ge 3 ] || runs=3
bench_pick_pair "$build"
for variant in inflate_bench inflate_bench_libz; do
  [ -f "$BENCH_TEST_BIN/$variant.exe" ] ||
    { echo "inflate-speed: missing $BENCH_TEST_BIN/$variant.exe (make build-win32 build-win64size)" >&2; exit 1; }
done

# A prefix of its own, made by the first run; the archive's folder is bound
# into the root beside the source tree.
export WINEPREFIX=$build/bench/inflate-prefix$BENCH_PREFIX_SUFFIX
mkdir -p "$WINEPREFIX"
runner=()
[ -n "$BENCH_ROOT" ] && runner=("$root/tests/wow64/run-in-root.sh") && export WOW64_ROOT=$BENCH_ROOT
export WOW64_BINDS="$root:$build:$(dirname "$zip")"
export WINEDEBUG=-all WINEDLLOVERRIDES=winemenubuilder.exe=d
zip_windows="Z:${zip//\//\\}"

run() {
  "${runner[@]}" /usr/lib/wine/wine64 "$BENCH_TEST_BIN/$1.exe" "$zip_windows" 3 2>/dev/null |
    tr -d '\r'
}

ours=()
theirs=()
for i in $(seq "$runs"); do
  for variant in inflate_bench inflate_bench_libz; do
    out=$(run "$variant") || { echo "inflate-speed: $variant failed" >&2; exit 1; }
    speed=$(sed -n 's/^inflate+crc32: \([0-9.]*\) MB\/s$/\1/p' <<<"$out")
    [ -n "$speed" ] || { echo "inflate-speed: $variant printed no figure:" >&2; echo "$out" >&2; exit 1; }
    echo "$variant run $i: $speed MB/s ($(sed -n 's/^zlib: //p' <<<"$out"))"
    if [ "$variant" = inflate_bench ]; then ours+=("$speed"); else theirs+=("$speed"); fi
  done
done

m_ours=$(median "${ours[@]}")
m_theirs=$(median "${theirs[@]}")
echo "pair: the shipped zlib vs Debian's libz.a, both $BENCH_PLATFORM"
echo "median: shipped zlib $m_ours MB/s, Debian's libz.a $m_theirs MB/s"
echo "ratio vs libz: $(python3 -c "print(round($m_ours / $m_theirs, 3))")"
