#!/bin/bash
# run-shipped-suites.sh BUILD_DIR: the end-to-end suites with the shipped
# 32-bit programs (ctest label "shipped" in the win64 build), after saying
# once whether this machine can run them. Where it cannot, ctest reports
# each suite as skipped (they end with SKIP_RETURN_CODE) and one line says
# why; where it can, they run and must pass.
set -u
here=$(cd "$(dirname "$0")" && pwd)
build=$(cd "${1:?usage: run-shipped-suites.sh BUILD_DIR}" && pwd)
probe=$("$here/can-run-32bit.sh" --wine)
verdict=$?
echo "$probe"
[ "$verdict" -le 1 ] || { echo "run-shipped-suites: the shipped suites cannot be run here" >&2; exit 1; }

cd "$build/win64" || exit 1
ctest --output-on-failure -L shipped
status=$?
if [ "$verdict" = 1 ]; then
  count=$(ctest -N -L shipped | sed -n 's/^Total Tests: //p')
  echo "SKIPPED $count suites: ${probe#32-bit x86 code: no: }; the shipped programs were not executed here"
fi
exit "$status"
