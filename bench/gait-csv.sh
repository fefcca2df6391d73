#!/usr/bin/env bash
# Times trotix-gait writing 1,000,000 ticks as CSV to /dev/null, against the
# same ticks with no output at all (--format none), run alternately so both
# see the same machine load. Prints every run and the medians.
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

seconds() {  # runs the command, prints its wall time in seconds
  local start end
  start=$(date +%s.%N)
  "$@" > /dev/null
  end=$(date +%s.%N)
  awk -v a="$start" -v b="$end" 'BEGIN { printf "%.4f\n", b - a }'
}

median() { sort -g | awk '{ v[NR] = $1 } END { printf "%.3f", (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2 }'; }

csv_times=() none_times=()
for ((i = 1; i <= runs; i++)); do
  none_times+=("$(seconds "$program" --ticks $ticks --format none)")
  csv_times+=("$(seconds "$program" --ticks $ticks --format csv --output /dev/null)")
  printf 'run %d: csv %.3f s, no output %.3f s\n' "$i" "${csv_times[-1]}" "${none_times[-1]}"
done
csv=$(printf '%s\n' "${csv_times[@]}" | median)
none=$(printf '%s\n' "${none_times[@]}" | median)
echo "median of $runs runs, $ticks ticks: csv to /dev/null $csv s, engine alone $none s"
