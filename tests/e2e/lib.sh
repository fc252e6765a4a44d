# lib.sh: a bash library for end-to-end tests of the Windows programs under
# wine. Source it, call e2e_init once, then start programs and drive them.
# Every wait has a timeout; the exit trap stops what the test started.
#
# Environment (all optional):
#   E2E_DRIVER           driver.exe (the tests pass it in)
#   E2E_DISPLAY          X display to use, e.g. :61; default: the first free one
#   E2E_PREFIX_TEMPLATE  a wine prefix made once and copied for every test run
#   E2E_KEEP=1           keep the test's prefix copy even when the test passed
#   E2E_TIMEOUT          seconds a single wine start may take (default 120)
#   E2E_ROOT             the WoW64 root (tests/wow64/make-root.sh): every wine
#                        program then runs there under wine 10, as the shipped
#                        32-bit programs run on 64-bit Windows

E2E_WINE=/usr/lib/wine/wine64
E2E_WINESERVER=/usr/lib/wine/wineserver
E2E_LIB_DIR=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
# setup's control ids by name (IDC_DEST_DIR, ...), from its resource.h.
source <("$E2E_LIB_DIR/control-ids.sh")
[ -n "$IDC_DEST_DIR" ] || { echo "lib.sh: no control ids from setup/resources/resource.h" >&2; exit 1; }
# What a program of the tested flavour sees: the shipped 32-bit programs
# get the 32-bit registry view and "Program Files (x86)" on 64-bit Windows.
# A machine that cannot execute 32-bit code runs none of them: the suite
# is skipped (exit code 77, ctest's SKIP_RETURN_CODE), never failed or left
# to time out. An unanswered probe is a failure.
E2E_SKIP=77
if [ -n "$E2E_ROOT" ]; then
  e2e_probe=$("$E2E_LIB_DIR/../wow64/can-run-32bit.sh")
  case $? in
    0) ;;
    1) echo "SKIPPED: $e2e_probe; the shipped programs were not executed here" >&2; exit "$E2E_SKIP" ;;
    *) echo "lib.sh: $e2e_probe" >&2; exit 1 ;;
  esac
  E2E_RUNNER=("$E2E_LIB_DIR/../wow64/run-in-root.sh")
  export WOW64_ROOT=$E2E_ROOT
  E2E_REG_VIEW=/reg:32
  E2E_REGEDIT='C:\windows\syswow64\regedit.exe'
  E2E_PROGRAM_FILES='C:\Program Files (x86)'
else
  E2E_RUNNER=()
  E2E_REG_VIEW=
  E2E_REGEDIT=regedit
  E2E_PROGRAM_FILES='C:\Program Files'
fi
E2E_DESKTOP=e2e
E2E_FAILURES=0
E2E_FAILED=()
E2E_CHECKS=0
E2E_PIDS=()
E2E_XVFB_PID=

export WINEDEBUG=-all
export WINEDLLOVERRIDES="winemenubuilder.exe=d;mscoree=d;mshtml=d"
export LANG=C.UTF-8

# e2e_wine ARGS...: wine64 of the tested flavour (on the host, or in the root).
e2e_wine() { "${E2E_RUNNER[@]}" "$E2E_WINE" "$@"; }
e2e_wineserver() { "${E2E_RUNNER[@]}" "$E2E_WINESERVER" "$@"; }

e2e_log() {
  printf '[e2e %s] %s\n' "$(date +%H:%M:%S)" "$*" >&2
}

# ---- start and stop ----

# e2e_init WORKDIR: a virtual screen, a fresh wine prefix in WORKDIR/prefix
# whose programs all run in one virtual desktop, and the exit trap.
e2e_init() {
  E2E_WORK=$(mkdir -p "$1" && cd "$1" && pwd) || return 1
  # The root sees the source tree (run-in-root.sh's default) and the work folder.
  [ -n "$E2E_ROOT" ] && export WOW64_BINDS="$(cd "$E2E_LIB_DIR/../.." && pwd):$E2E_WORK"
  mkdir -p "$E2E_WORK/shots"
  trap e2e_cleanup EXIT
  trap 'exit 130' INT TERM
  e2e_start_xvfb || return 1
  e2e_make_prefix || return 1
}

e2e_start_xvfb() {
  local fd_file="$E2E_WORK/xvfb.display"
  rm -f "$fd_file"
  if [ -n "$E2E_DISPLAY" ]; then
    # A server already there would answer the probe below in our stead.
    if [ -e "/tmp/.X${E2E_DISPLAY#:}-lock" ]; then
      e2e_log "display $E2E_DISPLAY is in use"
      return 1
    fi
    Xvfb "$E2E_DISPLAY" -screen 0 1024x768x24 -nolisten tcp >"$E2E_WORK/xvfb.log" 2>&1 &
    E2E_XVFB_PID=$!
    DISPLAY=$E2E_DISPLAY
  else
    # -displayfd: Xvfb picks a free display and writes its number.
    Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$fd_file" >"$E2E_WORK/xvfb.log" 2>&1 &
    E2E_XVFB_PID=$!
  fi
  if e2e_poll 100 "$E2E_XVFB_PID" e2e_xvfb_ready "$fd_file"; then
    export DISPLAY
    e2e_log "Xvfb $DISPLAY (pid $E2E_XVFB_PID)"
    return 0
  fi
  e2e_log "Xvfb did not start: $(cat "$E2E_WORK/xvfb.log")"
  return 1
}

# e2e_xvfb_ready FD_FILE: the display is known (from -displayfd's file when
# none was chosen) and answers.
e2e_xvfb_ready() {
  if [ -z "$E2E_DISPLAY" ] && [ -s "$1" ]; then
    DISPLAY=:$(head -n1 "$1")
  fi
  [ -n "$DISPLAY" ] && kill -0 "$E2E_XVFB_PID" 2>/dev/null && e2e_display_ready
}

# e2e_poll TRIES PID CMD...: runs CMD every 0.1 s until it succeeds (0);
# 1 when process PID has ended or the tries are used up.
e2e_poll() {
  local tries=$1 pid=$2 i
  shift 2
  for i in $(seq "$tries"); do
    "$@" && return 0
    kill -0 "$pid" 2>/dev/null || return 1
    sleep 0.1
  done
  return 1
}

# True when the X server answers (a screenshot of one pixel needs no extra tool).
e2e_display_ready() {
  import -display "$DISPLAY" -window root -crop 1x1+0+0 "$E2E_WORK/.probe.png" >/dev/null 2>&1
}

# The template: wineboot once (about 10 s), plus what a real system has and
# the virtual desktop every program of the prefix runs in.
e2e_make_template() {
  local template=$1
  (
    flock 9
    [ -f "$template/.e2e-ready" ] && exit 0
    rm -rf "$template"
    e2e_log "making wine prefix template $template"
    WINE_RUNNER="${E2E_RUNNER[*]}" timeout 300 "$E2E_LIB_DIR/../make-wineprefix.sh" "$template"
    local reg="$template.reg" wow64_runonce=
    [ -n "$E2E_ROOT" ] && wow64_runonce='[HKEY_LOCAL_MACHINE\Software\Wow6432Node\Microsoft\Windows\CurrentVersion\RunOnce]'
    cat >"$reg" <<EOF
REGEDIT4

[HKEY_LOCAL_MACHINE\\Software\\Microsoft\\Windows\\CurrentVersion\\RunOnce]
$wow64_runonce

[HKEY_CURRENT_USER\\Software\\Wine\\Explorer]
"Desktop"="$E2E_DESKTOP"

[HKEY_CURRENT_USER\\Software\\Wine\\Explorer\\Desktops]
"$E2E_DESKTOP"="1024x768"
EOF
    WINEPREFIX=$template timeout 120 "${E2E_RUNNER[@]}" "$E2E_WINE" regedit /S "$(e2e_winpath "$reg")" >/dev/null 2>&1
    WINEPREFIX=$template timeout 60 "${E2E_RUNNER[@]}" "$E2E_WINESERVER" -w
    rm -f "$reg"
    [ -f "$template/system.reg" ] && touch "$template/.e2e-ready"
  ) 9>"$template.lock"
  [ -f "$template/.e2e-ready" ]
}

e2e_make_prefix() {
  local template=${E2E_PREFIX_TEMPLATE:-$E2E_WORK/../e2e-prefix-template}
  mkdir -p "$(dirname "$template")"
  e2e_make_template "$template" || { e2e_log "no wine prefix template"; return 1; }
  export WINEPREFIX="$E2E_WORK/prefix"
  rm -rf "$WINEPREFIX"
  cp -a "$template" "$WINEPREFIX" || return 1
  e2e_log "wine prefix $WINEPREFIX"
}

e2e_cleanup() {
  local status=$?
  local pid
  for pid in "${E2E_PIDS[@]}"; do
    kill "$pid" 2>/dev/null
  done
  if [ -n "$WINEPREFIX" ] && [ -d "$WINEPREFIX" ]; then
    e2e_wineserver -k >/dev/null 2>&1
    timeout 20 "${E2E_RUNNER[@]}" "$E2E_WINESERVER" -w >/dev/null 2>&1
  fi
  if [ -n "$E2E_XVFB_PID" ]; then
    kill "$E2E_XVFB_PID" 2>/dev/null
    wait "$E2E_XVFB_PID" 2>/dev/null
  fi
  if [ "$status" -eq 0 ] && [ -z "$E2E_KEEP" ] && [ -n "$E2E_WORK" ]; then
    rm -rf "$E2E_WORK/prefix"
  fi
  exit "$status"
}

# ---- programs ----

# e2e_start PROGRAM [ARGS...]: runs a Windows program in the background, in
# the virtual desktop. Its pid is in E2E_PID.
e2e_start() {
  e2e_wine "$@" </dev/null >>"$E2E_WORK/program.log" 2>&1 &
  E2E_PID=$!
  E2E_PIDS+=("$E2E_PID")
  e2e_log "started $(basename "$1") (pid $E2E_PID)"
}

# e2e_wait_exit [TIMEOUT_S] [PID]: waits for the program to end and returns
# its exit code; after the timeout kills it and returns 124.
e2e_wait_exit() {
  local limit=${1:-60} pid=${2:-$E2E_PID} i
  for i in $(seq $((limit * 10))); do
    kill -0 "$pid" 2>/dev/null || break
    sleep 0.1
  done
  if kill -0 "$pid" 2>/dev/null; then
    e2e_log "pid $pid still running after ${limit}s: killed"
    # e2e_start's pid is a subshell's: its wine program goes first, or its
    # windows would outlive the case and take the next one's input.
    kill $(pgrep -P "$pid") "$pid" 2>/dev/null
    wait "$pid" 2>/dev/null
    return 124
  fi
  wait "$pid"
}

# e2e_run PROGRAM [ARGS...]: runs a Windows console program in the
# foreground (with the wine timeout) and returns its exit code.
e2e_run() {
  timeout "${E2E_TIMEOUT:-120}" "${E2E_RUNNER[@]}" "$E2E_WINE" "$@" </dev/null
}

# e2e_drive COMMAND ARGS...: one driver command; its results on stdout.
# The driver names every failure of its own on stderr. Rarely, in long
# runs, wine ended without running it at all (an exit code, no output, the
# window untouched); that start alone is made again, and logged.
e2e_drive() {
  local err="$E2E_WORK/.drive-$BASHPID.err" rc
  timeout "${E2E_TIMEOUT:-120}" "${E2E_RUNNER[@]}" "$E2E_WINE" "${E2E_DRIVER:?E2E_DRIVER is not set}" "$@" </dev/null \
    2>"$err"
  rc=$?
  if [ "$rc" -ne 0 ] && [ "$rc" -ne 124 ] && [ ! -s "$err" ]; then
    e2e_log "wine ended with $rc without running the driver ($1): started again"
    timeout "${E2E_TIMEOUT:-120}" "${E2E_RUNNER[@]}" "$E2E_WINE" "$E2E_DRIVER" "$@" </dev/null 2>"$err"
    rc=$?
  fi
  cat "$err" >&2
  rm -f "$err"
  return "$rc"
}

# e2e_script [FILE]: many driver commands in one wine start, from FILE or
# from stdin (a here-document).
e2e_script() {
  if [ $# -gt 0 ]; then
    timeout "${E2E_TIMEOUT:-120}" "${E2E_RUNNER[@]}" "$E2E_WINE" "${E2E_DRIVER:?E2E_DRIVER is not set}" -f "$(e2e_winpath "$1")" </dev/null
  else
    timeout "${E2E_TIMEOUT:-120}" "${E2E_RUNNER[@]}" "$E2E_WINE" "${E2E_DRIVER:?E2E_DRIVER is not set}" -
  fi
}

# ---- windows of a program ----

# e2e_watch_start PROGRAM.EXE: the driver watches, in the background, for
# the visible top-level windows of that program from its start to its end.
# Start the program after this has returned, and call e2e_watch_end once it
# has ended.
e2e_watch_start() {
  E2E_WATCH_OUT="$E2E_WORK/watch-$1.log"
  E2E_WATCH_ENDED="$E2E_WORK/watch-$1.ended"
  : >"$E2E_WATCH_OUT"
  rm -f "$E2E_WATCH_ENDED"
  # The status goes into the file: e2e_watch_end may run in a subshell,
  # which cannot wait for this job.
  (
    e2e_drive -t 110000 watch-windows "$1" "$(e2e_winpath "$E2E_WATCH_ENDED")"
    echo "watch status $?"
  ) >"$E2E_WATCH_OUT" 2>&1 &
  E2E_PIDS+=("$!")
  local i
  for i in $(seq 300); do
    grep -q '^watching ' "$E2E_WATCH_OUT" && return 0
    grep -q '^watch status ' "$E2E_WATCH_OUT" && break
    sleep 0.1
  done
  e2e_log "the window watch did not start: $(cat "$E2E_WATCH_OUT")"
  return 1
}

# e2e_watch_end: waits (up to two minutes) for the watch to end with the
# program; prints the windows it saw, one a line, or why it failed.
e2e_watch_end() {
  local i
  # A program quicker than the watch's first look is never seen: this tells
  # the watch that it has ended.
  touch "$E2E_WATCH_ENDED"
  for i in $(seq 1200); do
    grep -q '^watch status ' "$E2E_WATCH_OUT" && break
    sleep 0.1
  done
  # A start of the driver made again (e2e_drive) logs a line: no window.
  grep -v -e '^watching ' -e '^ended$' -e '^watch status 0$' -e '^\[e2e [0-9:]*\] wine ended with ' "$E2E_WATCH_OUT"
  grep -q '^watch status ' "$E2E_WATCH_OUT" || echo "(the watch did not end)"
}

# e2e_run_watched PROG.EXE LOG LIMIT START...: an unattended run, watched:
# START (e2e_start or a function like it, with its arguments) starts the
# program, which writes LOG (removed beforehand); waits up to LIMIT
# seconds. E2E_RUN_EXIT gets the exit code and E2E_RUN_WINDOWS what the
# watch saw. Rarely, in long runs, wine ends a start without running the
# program at all (an exit code, and no log, which the program writes
# first); that start alone is made again, and logged.
e2e_run_watched() {
  local exe=$1 log=$2 limit=$3 attempt
  shift 3
  for attempt in 1 2; do
    rm -f "$log"
    e2e_watch_start "$exe"
    "$@"
    e2e_wait_exit "$limit"
    E2E_RUN_EXIT=$?
    E2E_RUN_WINDOWS=$(e2e_watch_end)
    if [ "$E2E_RUN_EXIT" -eq 0 ] || [ "$E2E_RUN_EXIT" -eq 124 ] || [ -e "$log" ]; then
      return 0
    fi
    e2e_log "wine ended with $E2E_RUN_EXIT without running $exe (no log): started again"
  done
}

# ---- the screen ----

# e2e_shot NAME: a screenshot of the whole virtual screen; prints its path.
e2e_shot() {
  local file="$E2E_WORK/shots/$1.png"
  sleep 0.3  # wine paints after the window shows; let the last paint land
  timeout 30 import -display "$DISPLAY" -window root "$file" || return 1
  echo "$file"
}

# e2e_pixel PNG X Y: prints the pixel's colour as #RRGGBB.
e2e_pixel() {
  /usr/bin/convert "$1" -depth 8 -crop "1x1+$2+$3" +repage txt:- |
    sed -n 's/.*\(#[0-9A-Fa-f]\{6\}\).*/\1/p' | head -n1
}

# ---- registry and paths ----

# e2e_reg_query KEY VALUE: prints the value's data; returns 1 when the key
# or the value is missing.
e2e_reg_query() {
  local out attempt
  # Under load a reg.exe start now and then fails with no output; only a
  # value that is missing three times over counts as missing.
  for attempt in 1 2 3; do
    out=$(timeout "${E2E_TIMEOUT:-120}" "${E2E_RUNNER[@]}" "$E2E_WINE" reg query "$1" /v "$2" $E2E_REG_VIEW </dev/null 2>/dev/null) && break
    [ "$attempt" = 3 ] && return 1
    sleep 0.2
  done
  # Lines look like "    NAME    REG_SZ    DATA".
  printf '%s\n' "$out" | tr -d '\r' | awk -v name="$2" '
    BEGIN { IGNORECASE = 1 }
    {
      line = $0; sub(/^    /, "", line)
      n = index(line, "    "); if (n == 0) next
      if (tolower(substr(line, 1, n - 1)) != tolower(name)) next
      rest = substr(line, n + 4); m = index(rest, "    ")
      print (m ? substr(rest, m + 4) : ""); found = 1; exit
    }
    END { exit !found }'
}

# e2e_reg_values KEY: the key's own values, one NAME=DATA line each, in
# UTF-8 whatever the code pages (reg query prints in the OEM code page,
# which loses every name outside it): texts as they are, DWORDs as 0x...
# as reg query prints them. Status 1 when the key is missing.
e2e_reg_values() {
  local file="$E2E_WORK/.export-$BASHPID.reg" status attempt
  # As in e2e_reg_query: a reg.exe start under load now and then fails.
  for attempt in 1 2 3; do
    rm -f "$file"
    e2e_run reg export "$1" "$(e2e_winpath "$file")" /y $E2E_REG_VIEW >/dev/null 2>&1 &&
      python3 "$E2E_LIB_DIR/reg_values.py" "$file"
    status=$?
    [ "$status" = 0 ] && break
    sleep 0.2
  done
  rm -f "$file"
  return "$status"
}

# e2e_value_in NAME: the data of value NAME (any case) among e2e_reg_values'
# lines on stdin; status 1 when it is not there.
e2e_value_in() {
  awk -v name="$1" 'BEGIN { n = length(name) + 1 }
    tolower(substr($0, 1, n)) == tolower(name "=") { print substr($0, n + 1); found = 1; exit }
    END { exit !found }'
}

# e2e_reg_exists KEY: true when the key exists.
e2e_reg_exists() {
  local attempt
  for attempt in 1 2 3; do
    timeout "${E2E_TIMEOUT:-120}" "${E2E_RUNNER[@]}" "$E2E_WINE" reg query "$1" $E2E_REG_VIEW </dev/null >/dev/null 2>&1 && return 0
    [ "$attempt" = 3 ] || sleep 0.2
  done
  return 1
}

# e2e_reg add|delete ARGS...: reg.exe in the registry view of the tested
# programs; its exit code.
e2e_reg() {
  e2e_run reg "$@" $E2E_REG_VIEW
}

# e2e_regedit WINPATH: imports a .reg file into the tested programs' view.
e2e_regedit() {
  e2e_run "$E2E_REGEDIT" /S "$1"
}

# e2e_winpath UNIXPATH: the path as wine's programs see it (Z:\...).
e2e_winpath() {
  local path=$1
  case $path in /*) ;; *) path=$PWD/$path ;; esac
  printf 'Z:%s\n' "${path//\//\\}"
}

# e2e_unixpath WINPATH: the Unix path of a Windows path of the prefix.
e2e_unixpath() {
  local path=$1 drive rest
  # \\server\share\...: wine finds the share in dosdevices\unc.
  if [ "${path:0:2}" = '\\' ]; then
    rest=${path:2}
    printf '%s/dosdevices/unc/%s\n' "$WINEPREFIX" "${rest//\\//}"
    return
  fi
  drive=$(printf '%s' "${path:0:1}" | tr 'A-Z' 'a-z')
  rest=${path:2}
  rest=${rest//\\//}
  if [ "$drive" = z ]; then
    printf '%s\n' "${rest:-/}"
  else
    printf '%s/dosdevices/%s:%s\n' "$WINEPREFIX" "$drive" "$rest"
  fi
}

# ---- checks ----

# e2e_failed TEXT: a failed check, logged now and again by e2e_finish.
e2e_failed() {
  E2E_FAILURES=$((E2E_FAILURES + 1))
  E2E_FAILED+=("$1")
  e2e_log "FAILED: $1"
}

# e2e_check DESCRIPTION COMMAND...: runs the command; counts a failure when
# it fails.
e2e_check() {
  local what=$1
  shift
  E2E_CHECKS=$((E2E_CHECKS + 1))
  if "$@"; then
    e2e_log "ok: $what"
  else
    e2e_failed "$what"
  fi
}

# e2e_eq DESCRIPTION ACTUAL EXPECTED
e2e_eq() {
  E2E_CHECKS=$((E2E_CHECKS + 1))
  if [ "$2" = "$3" ]; then
    e2e_log "ok: $1"
  else
    e2e_failed "$1: expected '$3', got '$2'"
  fi
}

# e2e_finish: reports the checks and ends the test with its verdict.
e2e_finish() {
  e2e_log "$((E2E_CHECKS - E2E_FAILURES)) of $E2E_CHECKS checks passed"
  [ "$E2E_CHECKS" -gt 0 ] && [ "$E2E_FAILURES" -eq 0 ] && exit 0
  # Again at the end, where a shortened CI log still shows them.
  local failed
  for failed in "${E2E_FAILED[@]}"; do e2e_log "FAILED: $failed"; done
  # What wine and the started programs said: the one trace of a start that failed.
  [ -s "$E2E_WORK/program.log" ] && e2e_log "program.log ends: $(tail -n 20 "$E2E_WORK/program.log")"
  exit 1
}

# e2e_hold_file HOLDFILE_EXE WINPATH: the test helper program keeps the
# file open with no sharing, as a running program holds its own files,
# until e2e_release_file.
e2e_hold_file() {
  E2E_HOLD_RELEASE="$E2E_WORK/release-$RANDOM"
  rm -f "$E2E_HOLD_RELEASE" "$E2E_WORK/hold.log"
  e2e_wine "$1" "$2" "$(e2e_winpath "$E2E_HOLD_RELEASE")" </dev/null >"$E2E_WORK/hold.log" 2>&1 &
  E2E_HOLD_PID=$!
  E2E_PIDS+=("$E2E_HOLD_PID")
  e2e_poll 300 "$E2E_HOLD_PID" grep -q held "$E2E_WORK/hold.log" 2>/dev/null && return 0
  e2e_log "holdfile did not take $2: $(cat "$E2E_WORK/hold.log")"
  return 1
}

e2e_release_file() {
  touch "$E2E_HOLD_RELEASE"
  e2e_wait_exit 30 "$E2E_HOLD_PID"
}
