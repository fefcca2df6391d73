#!/usr/bin/env bash
# Starts Trotix from the repository root, where it finds Data/Star.bmp.
# `make run` builds first. With no display, the program runs for a few
# seconds on a virtual one (Xvfb); a screenshot is saved and its path printed.
set -euo pipefail
cd "$(dirname "$0")/.."
program=build/default/app/trotix
if [ ! -x "$program" ]; then
  echo "run-trotix.sh: $program is missing; run 'make run' (or 'make build') first" >&2
  exit 1
fi

if [ -n "${DISPLAY:-}" ] && xdpyinfo >/dev/null 2>&1; then
  exec "$program"
fi

screenshot="$PWD/build/trotix-screenshot.png"
echo "No display: running Trotix on Xvfb for a few seconds..."
export TROTIX_PROGRAM="$program" TROTIX_SCREENSHOT="$screenshot"
tests/xvfb-run.sh bash -c '
  "$TROTIX_PROGRAM" &
  pid=$!
  window=""
  for _ in $(seq 50); do
    window=$(xdotool search --onlyvisible --name "^Trotix\$" 2>/dev/null | head -n 1) || true
    [ -n "$window" ] && break
    sleep 0.1
  done
  sleep 3
  import -window root -crop 815x583+0+0 +repage "$TROTIX_SCREENSHOT"
  # Cancel: Escape in the dialog. The program ends with status 0.
  [ -n "$window" ] && xdotool windowfocus --sync "$window" key Escape 2>/dev/null || kill "$pid"
  wait "$pid"
'
echo "Screenshot: $screenshot"
