#!/usr/bin/env bash
# Times trotix-gait writing 1,000,000 ticks as CSV to /dev/null, against the
# same ticks with no output at all (--format none), run alternately so both
# see the same machine load. Prints every run and the medians of the wall
# time and of the CPU time (user + system, both threads together).
#
#   bench/gait-csv.sh [path/to/trotix-gait] [runs]
#
# Default program: build/default/tools/trotix-gait; default runs: 7.
set -euo pipefail
cd "$(dirname "$0")/.."
program=${1:-build/default/tools/trotix-gait}
runs=${2:-7}
ticks=1000000
[ -x "$program" ] || { echo "no program at $program (build it first)" >&2; exit 2; }

# Prints "wall cpu" in seconds for one run of the command.
measure() {
  local TIMEFORMAT='%R %U %S' times
  times=$( { time "$@" > /dev/null; } 2>&1 )
  awk '{ printf "%.3f %.3f\n", $1, $2 + $3 }' <<< "$times"
}

median() { sort -g | awk '{ v[NR] = $1 } END { printf "%.3f", (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2 }'; }

csv_wall=() csv_cpu=() none_wall=() none_cpu=()
for ((i = 1; i <= runs; i++)); do
  read -r wall cpu < <(measure "$program" --ticks $ticks --format none)
  none_wall+=("$wall") none_cpu+=("$cpu")
  read -r wall cpu < <(measure "$program" --ticks $ticks --format csv --output /dev/null)
  csv_wall+=("$wall") csv_cpu+=("$cpu")
  echo "run $i: csv $wall s (cpu $cpu s), no output ${none_wall[-1]} s (cpu ${none_cpu[-1]} s)"
done
m() { printf '%s\n' "$@" | median; }
echo "medians of $runs runs, $ticks ticks:"
echo "  csv to /dev/null: wall $(m "${csv_wall[@]}") s, cpu $(m "${csv_cpu[@]}") s"
echo "  engine alone:     wall $(m "${none_wall[@]}") s, cpu $(m "${none_cpu[@]}") s"
