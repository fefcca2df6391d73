#!/usr/bin/env bash
# Runs a command on a private virtual X display: starts Xvfb on a free display
# number, runs the command with DISPLAY set, stops Xvfb, and exits with the
# command's status. Tests that need a display are registered through it, so
# they work on a machine with no display and can run side by side.
set -u
screen="${XVFB_SCREEN:-1280x1024x24}"
# More server options, e.g. XVFB_ARGS="-extension GLX" for a display without OpenGL.
read -r -a extra <<<"${XVFB_ARGS:-}"
fifo=$(mktemp -u /tmp/trotix-xvfb.XXXXXX)
mkfifo "$fifo"
Xvfb -displayfd 3 -screen 0 "$screen" -nolisten tcp -noreset "${extra[@]}" 3>"$fifo" >/dev/null 2>&1 &
xvfb_pid=$!
read -r -t 20 display <"$fifo"
rm -f "$fifo"
if [ -z "${display:-}" ]; then
  echo "xvfb-run.sh: Xvfb did not start" >&2
  kill "$xvfb_pid" 2>/dev/null
  exit 1
fi
export DISPLAY=":$display"
unset WAYLAND_DISPLAY
"$@"
status=$?
kill "$xvfb_pid" 2>/dev/null
wait "$xvfb_pid" 2>/dev/null
exit $status
