#!/bin/bash
# Runs every fuzz target of a fuzz build for a while: the archive reader for
# FUZZ_SECONDS (60 by default), the smaller parsers for half of that.
# Each target starts from its committed seeds (corpus/<name>/) plus the
# seeds generated into the build (seeds/<name>/), and must find nothing.
set -euo pipefail
build=${1:?usage: run-all.sh BUILD_DIR}
here=$(cd "$(dirname "$0")" && pwd)
seconds=${FUZZ_SECONDS:-60}
status=0
# The font seeds are cut from installed fonts at run time.
python3 "$here/make_font_seeds.py" "$build/seeds/font_name"
for bin in "$build"/bin/fuzz_*; do
  [ -x "$bin" ] || continue
  name=$(basename "$bin"); name=${name#fuzz_}
  t=$seconds; [ "$name" = zip ] || t=$(( seconds / 2 ))
  work="$build/corpus/$name"; mkdir -p "$work"
  dirs=("$work")
  for d in "$here/corpus/$name" "$build/seeds/$name"; do [ -d "$d" ] && dirs+=("$d"); done
  dict=(); [ -f "$here/$name.dict" ] && dict=(-dict="$here/$name.dict")
  echo "fuzz_$name: ${t}s"
  if ! "$bin" "${dirs[@]}" "${dict[@]}" -max_total_time="$t" -print_final_stats=1 \
       -artifact_prefix="$build/crash-$name-" > "$build/fuzz-$name.log" 2>&1; then
    echo "fuzz_$name FAILED; see $build/fuzz-$name.log"; tail -40 "$build/fuzz-$name.log"; status=1
  else
    grep -E "stat::number_of_executed_units|cov:" "$build/fuzz-$name.log" | tail -2
  fi
done
exit $status
