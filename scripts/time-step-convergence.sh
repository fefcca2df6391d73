#!/bin/sh
# How the physics check's forward speed converges with its time step: one
# model (--ensemble 1) walks 60 s at step -100 with each largest step, and
# the speed is printed against the 0.25 ms run's, with the processor time
# the walk took and how many times real time that is.
#
# With a gait file, its gait walks: the file must set max_time_step_ms in
# its physics section, as one written by --print-gait does. ENSEMBLE=N
# walks an ensemble of up to N models instead and prints its median.
#
#   [ENSEMBLE=N] scripts/time-step-convergence.sh [build/default/tools/trotix-gait/trotix-gait [GAIT]]
set -eu
program=${1:-build/default/tools/trotix-gait/trotix-gait}
gait=${2:-}
members=${ENSEMBLE:-1}
dir=$(mktemp -d)
trap 'rm -rf "$dir"' EXIT
walk() {
    if [ -n "$gait" ]; then
        sed "s/^\(  max_time_step_ms:\).*/\1 $1/" "$gait" > "$dir/g.yaml"
    else
        printf 'physics: {max_time_step_ms: %s}\n' "$1" > "$dir/g.yaml"
    fi
    start=$(date +%s.%N)
    cpu=$( { /usr/bin/time -f %U "$program" --gait "$dir/g.yaml" --physics --ticks 1818 \
        --step -100 --format none --ensemble "$members" --physics-summary "$dir/s.json"; } 2>&1 | tail -n 1)
    speed=$(sed 's/.*"forward_speed_mm_s": \([-0-9.]*\),.*/\1/' "$dir/s.json")
    echo "$1 $speed $cpu"
}
converged=$(walk 0.25 | cut -d' ' -f2)
echo "largest step (ms)  forward speed (mm/s)  against 0.25 ms  CPU (s)  times real time"
for step in 3 2 1.5 1 0.5 0.25; do
    walk "$step" | awk -v c="$converged" '{
        printf "%17s  %20.1f  %+14.1f%%  %7.2f  %15.0f\n", $1, $2, 100 * ($2 / c - 1), $3,
               ($3 > 0 ? 60 / $3 : 0) }'
done
