#!/usr/bin/env bash
# Times trotix-gait over 1,000,000 ticks: writing CSV to /dev/null against
# no output at all (--format none), and each of them again with the
# feasibility report (--report), run alternately so all see the same machine
# load. Prints every run, the medians of the wall time and of the CPU time
# (user + system, both threads together), and what the report adds.
#
#   bench/gait-csv.sh [path/to/trotix-gait] [runs]
#
# Default program: build/default/tools/trotix-gait/trotix-gait; default runs: 7.
set -euo pipefail
cd "$(dirname "$0")/.."
program=${1:-build/default/tools/trotix-gait/trotix-gait}
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

cases=(none none_report csv csv_report)
declare -A args=(
  [none]="--format none"
  [none_report]="--format none --report /dev/null"
  [csv]="--format csv --output /dev/null"
  [csv_report]="--format csv --output /dev/null --report /dev/null"
)
declare -A wall cpu
for ((i = 1; i <= runs; i++)); do
  line="run $i:"
  for c in "${cases[@]}"; do
    # shellcheck disable=SC2086
    read -r w u < <(measure "$program" --ticks $ticks ${args[$c]})
    wall[$c]+="$w " cpu[$c]+="$u "
    line+=" $c $w s (cpu $u s)"
  done
  echo "$line"
done
m() { printf '%s\n' $1 | median; }
echo "medians of $runs runs, $ticks ticks:"
for c in "${cases[@]}"; do
  printf '  %-12s wall %s s, cpu %s s\n' "$c" "$(m "${wall[$c]}")" "$(m "${cpu[$c]}")"
done
added() { awk -v a="$1" -v b="$2" 'BEGIN { printf "%+.1f%%", (b / a - 1) * 100 }'; }
echo "the report adds: csv run wall $(added "$(m "${wall[csv]}")" "$(m "${wall[csv_report]}")"), cpu $(added "$(m "${cpu[csv]}")" "$(m "${cpu[csv_report]}")");" \
  "no-output run wall $(added "$(m "${wall[none]}")" "$(m "${wall[none_report]}")"), cpu $(added "$(m "${cpu[none]}")" "$(m "${cpu[none_report]}")")"
