#!/usr/bin/env bash
# Runs Trotix for 20 seconds on a virtual display (Xvfb) and prints its
# figures: time to the first frame, ticks per second, CPU time per second of
# wall time, peak resident memory. Usage: bench/app-figures.sh [BUILD_DIR]
# (default build/default, configured with tests on).
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build/default}
cmake --build "$build" --target trotix_probe trotix_app_figures >/dev/null
echo "load before the run: $(cut -d' ' -f1-3 /proc/loadavg) on $(nproc) cores"
tests/xvfb-run.sh "$build/testing/probes/trotix_app_figures" figures \
  "$build/testing/probes/trotix_probe" "$PWD" 20
echo "load after the run:  $(cut -d' ' -f1-3 /proc/loadavg)"
