# bench-lib.sh: what the benchmark scripts share; sourced, not run.

# now: the time in seconds, with nanoseconds.
now() { date +%s.%N; }

# median NUMBER...: the middle one, or the mean of the two middle ones.
median() { printf '%s\n' "$@" | sort -g | awk '{ v[NR] = $1 } END { print (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2 }'; }
