#!/bin/bash
# with-display.sh COMMAND...: runs the command with DISPLAY set to a virtual
# screen of its own (1024x768x24), started here and stopped afterwards, so
# that the Windows tests share one X server instead of starting one each.
set -u
fd_file=$(mktemp)
Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$fd_file" >/dev/null 2>&1 &
xvfb=$!
trap 'kill $xvfb 2>/dev/null; wait $xvfb 2>/dev/null; rm -f "$fd_file"' EXIT
for _ in $(seq 100); do
  [ -s "$fd_file" ] && break
  kill -0 $xvfb 2>/dev/null || { echo "with-display.sh: Xvfb did not start" >&2; exit 1; }
  sleep 0.1
done
[ -s "$fd_file" ] || { echo "with-display.sh: Xvfb gave no display" >&2; exit 1; }
export DISPLAY=:$(head -n1 "$fd_file")
"$@"
