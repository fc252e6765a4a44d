#!/bin/bash
# startup.sh: how long the shipped setup.exe takes from its start to its
# first dialog, and the most memory it holds, for a small and a large
# installer. Both are made here (stored entries of random data, by
# tests/install/random_installer.py) and removed when the bench ends.
# setup runs in the WoW64 root as on 64-bit Windows (or, where this machine
# cannot execute 32-bit code, the x86_64 size build under the host's wine64:
# bench_pick_pair), ROUNDS times each
# (default 5, at least 3; the order alternates), the page cache warm from
# making them:
#   first dialog  from the start to the destination dialog (the script has
#                 no agreement); "Exit" there ends setup
#   peak memory   the largest VmHWM (peak resident set) that
#                 /proc/PID/status shows for the processes of the run
#                 (wine's launcher and setup itself), sampled until it ends
# Figures are medians of the times and the largest peak. The last line is
# "startup ratio LARGE/SMALL: X", the large installer's time divided by the
# small one's. SMALL_MB and LARGE_MB (default 10 and 1900, in units of
# 10^6 bytes) choose the sizes.
set -o pipefail
here=$(cd "$(dirname "$0")" && pwd)
source "$here/bench-lib.sh"
root=$(cd "$here/.." && pwd)
build=${BUILD:-$root/build}
rounds=${ROUNDS:-5}
[ "$rounds" -ge 3 ] || rounds=3
small_mb=${SMALL_MB:-10}
large_mb=${LARGE_MB:-1900}
bench_pick_pair "$build"
stub=$BENCH_BIN/setup.exe
for f in "$stub" "$build/win64/bin/driver.exe"; do
  [ -f "$f" ] || { echo "startup: missing $f (make build build-win64size)" >&2; exit 1; }
done

export E2E_ROOT=$BENCH_ROOT
source "$root/tests/e2e/lib.sh"
export E2E_DRIVER=$build/win64/bin/driver.exe
export E2E_PREFIX_TEMPLATE=$build/bench-prefix-template$BENCH_PREFIX_SUFFIX
work=$build/bench/startup
mkdir -p "$work"
need=$(( (small_mb + large_mb) * 1000 * 1000 / 1024 + 512 * 1024 ))
free=$(df --output=avail -k "$work" | tail -n1)
[ "$free" -gt "$need" ] || { echo "startup: $((need / 1024)) MB of disk needed in $work, $((free / 1024)) MB free" >&2; exit 1; }

# The installers are large: they go whatever the outcome.
startup_exit() {
  local status=$?
  rm -f "$work"/*.exe
  (exit "$status")
  e2e_cleanup
}
e2e_init "$work" || exit 1
trap startup_exit EXIT

label() { awk -v m="$1" 'BEGIN { if (m >= 1000) printf "%gGB", m / 1000; else printf "%gMB", m }'; }

printf '#AppName\nStartup Bench\n#end\n' >"$work/setup.txt"
for mb in "$small_mb" "$large_mb"; do
  python3 "$root/tests/install/random_installer.py" make "$stub" "$work/startup-$(label "$mb").exe" \
    "$work/setup.txt" --size $((mb * 1000 * 1000)) --entries 8 ||
    { echo "startup: cannot make the $(label "$mb") installer" >&2; exit 1; }
done

since() { awk -v a="$(now)" -v b="$1" 'BEGIN { printf "%.3f", a - b }'; }

# peak_memory NAME LAUNCHER_PID: until the launcher ends, the largest VmHWM
# of the processes whose command line holds NAME; prints it in kB.
peak_memory() {
  python3 - "$1" "$2" <<'PY'
import os, sys, time
name, launcher = sys.argv[1].encode(), sys.argv[2]
peak = 0
while os.path.exists("/proc/" + launcher):
    for pid in os.listdir("/proc"):
        if not pid.isdigit():
            continue
        try:
            with open("/proc/%s/cmdline" % pid, "rb") as f:
                if name not in f.read():
                    continue
            with open("/proc/%s/status" % pid) as f:
                for line in f:
                    if line.startswith("VmHWM:"):
                        peak = max(peak, int(line.split()[1]))
        except OSError:
            pass
    time.sleep(0.05)
print(peak)
PY
}

# run_once FILE: one start of setup; prints "SECONDS PEAK_KB" or, when
# setup shows an error box instead of its first dialog, "SECONDS PEAK_KB
# error: TEXT".
run_once() {
  local start waited_dest waited_error which first error=
  start=$(now)
  e2e_start "$(e2e_winpath "$1")"
  peak_memory "$(basename "$1")" "$E2E_PID" >"$work/peak" &
  local sampler=$!
  e2e_drive -t 600000 wait "Destination Directory" >/dev/null 2>&1 &
  waited_dest=$!
  e2e_drive -t 600000 wait Error >/dev/null 2>&1 &
  waited_error=$!
  wait -n -p which "$waited_dest" "$waited_error"
  first=$(since "$start")
  if [ "$which" = "$waited_dest" ]; then
    kill "$waited_error" 2>/dev/null
    e2e_drive click "Destination Directory" 2 >/dev/null
  else
    kill "$waited_dest" 2>/dev/null
    error=$(e2e_drive text Error 65535)
    e2e_drive click Error 1 >/dev/null
  fi
  wait "$waited_dest" "$waited_error" 2>/dev/null
  e2e_wait_exit 60 >/dev/null
  wait "$sampler"
  echo "$first $(cat "$work/peak")${error:+ error: $error}"
}


# The first start of a prefix also starts its wineserver: not counted.
run_once "$work/startup-$(label "$small_mb").exe" >/dev/null
declare -A times peaks errors
for r in $(seq "$rounds"); do
  order=("$small_mb" "$large_mb")
  [ $((r % 2)) -eq 0 ] && order=("$large_mb" "$small_mb")
  for mb in "${order[@]}"; do
    name=$(label "$mb")
    read -r t kb rest < <(run_once "$work/startup-$name.exe")
    [ -n "$t" ] || { echo "startup: the $name installer did not run" >&2; exit 1; }
    times[$name]+="$t "
    [ "${peaks[$name]:-0}" -ge "$kb" ] || peaks[$name]=$kb
    [ -n "$rest" ] && errors[$name]=${rest#error: }
    printf 'round %d: %s first dialog %.2f s, peak memory %.1f MB%s\n' "$r" "$name" "$t" "$(awk -v k="$kb" 'BEGIN { print k / 1024 }')" \
      "${rest:+ ($rest)}"
  done
done

echo "pair: setup.exe $BENCH_PLATFORM, small against large"
for mb in "$small_mb" "$large_mb"; do
  name=$(label "$mb")
  # shellcheck disable=SC2086
  printf '%s installer (%s bytes): first dialog %.2f s, peak memory %.1f MB%s\n' "$name" \
    "$(stat -c %s "$work/startup-$name.exe")" "$(median ${times[$name]})" \
    "$(awk -v k="${peaks[$name]}" 'BEGIN { print k / 1024 }')" "${errors[$name]:+ (setup said: ${errors[$name]})}"
done
# shellcheck disable=SC2086
awk -v l="$(median ${times[$(label "$large_mb")]})" -v s="$(median ${times[$(label "$small_mb")]})" \
  -v n="$(label "$large_mb")/$(label "$small_mb")" 'BEGIN { printf "startup ratio %s: %.2f\n", n, l / s }'
