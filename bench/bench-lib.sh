# bench-lib.sh: what the benchmark scripts share; sourced, not run.

# now: the time in seconds, with nanoseconds.
now() { date +%s.%N; }

# median NUMBER...: the middle one, or the mean of the two middle ones.
median() { printf '%s\n' "$@" | sort -g | awk '{ v[NR] = $1 } END { print (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2 }'; }

# bench_pick_pair BUILD_DIR: what this machine can measure. Where it runs
# 32-bit code, the shipped programs (win32) in the WoW64 root, with NSIS's
# default x86 stubs as the yardstick; elsewhere our x86_64 build with the
# shipped programs' size options (make build-win64size) under the host's
# wine64, with NSIS's amd64-unicode stubs. Sets BENCH_PLATFORM (each bench
# prints its pair with it: a ratio compares only with a ratio of the same
# pair), BENCH_BIN, BENCH_TEST_BIN, BENCH_ROOT (empty without the root),
# BENCH_PREFIX_SUFFIX and NSIS_TARGET.
bench_pick_pair() {
  local probe top
  top=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
  if probe=$("$top/tests/wow64/can-run-32bit.sh"); then
    BENCH_PLATFORM="i686, the shipped programs, in the WoW64 root (wine 10)"
    BENCH_BIN=$1/win32/bin BENCH_TEST_BIN=$1/win32/test-bin
    BENCH_ROOT=${WOW64_ROOT:-/var/lib/installer-tests/wow64-root} BENCH_PREFIX_SUFFIX=-wow64 NSIS_TARGET=
  else
    BENCH_PLATFORM="x86_64 with the shipped size options, under the host's wine64"
    BENCH_BIN=$1/win64size/bin BENCH_TEST_BIN=$1/win64size/test-bin
    BENCH_ROOT= BENCH_PREFIX_SUFFIX= NSIS_TARGET=amd64-unicode
    echo "${probe#32-bit x86 code: }" >&2
  fi
}
