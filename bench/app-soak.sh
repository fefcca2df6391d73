#!/usr/bin/env bash
# Soak: Trotix on a virtual display with random slider clicks, slider keys
# and mouse drags for SECONDS (default 600), resident memory sampled every
# 10 s. Fails on a crash or on memory growth after the first minute.
# Usage: bench/app-soak.sh [SECONDS] [BUILD_DIR]
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${1:-600}
build=${2:-build/default}
cmake --build "$build" --target trotix trotix_app_figures >/dev/null
tests/xvfb-run.sh "$build/testing/probes/trotix_app_figures" soak "$build/app/trotix" "$PWD" "$seconds"
