#!/usr/bin/env bash
# Runs a Windows program under Wine in the build's own Wine prefix:
#   wine-run.sh PREFIX PROGRAM.exe [ARGS...]
# The first run makes the prefix (wineboot, which can take a while); runs side
# by side wait for it under a lock. Wine's own diagnostics are silenced, so
# the program's output is what its caller reads.
set -eu
if [ $# -lt 2 ]; then
  echo "usage: $0 PREFIX PROGRAM.exe [ARGS...]" >&2
  exit 2
fi
prefix=$1
shift
export WINEPREFIX="$prefix" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
# Debian puts the loader and the server outside PATH.
wine=$(command -v wine64 || command -v wine || echo /usr/lib/wine/wine64)
wineserver=$(command -v wineserver || echo "$(dirname "$wine")/wineserver")
mkdir -p "$prefix"
# fd 9 holds the lock; a server that kept it would hold the lock for life.
quiet() { "$@" </dev/null >/dev/null 2>&1 9>&-; }
(
  flock 9
  [ -f "$prefix/system.reg" ] || quiet "$wine" wineboot --init || true
  # A running server keeps the display it started on: its windows would open
  # there. A program for another display waits for a server of its own.
  if [ "$(cat "$prefix.display" 2>/dev/null)" != "${DISPLAY:-}" ]; then
    quiet "$wineserver" -k || true
    quiet "$wineserver" -w || true
    printf '%s' "${DISPLAY:-}" >"$prefix.display"
  fi
  # A server that outlives each program by a minute spares the runs that
  # follow (a test suite runs one program per test) Wine's start-up. Wine's
  # services start with the server and keep whatever output they inherit
  # open, so they are started here, away from the caller's pipes.
  if quiet "$wineserver" -p60; then
    quiet "$wine" cmd /c exit || true
  fi
) 9>"$prefix.lock"
exec "$wine" "$@"
