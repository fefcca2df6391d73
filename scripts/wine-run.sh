#!/usr/bin/env bash
# Runs a Windows program under Wine in the build's own Wine prefix:
#   wine-run.sh PREFIX PROGRAM.exe [ARGS...]
# The first run makes the prefix (wineboot, which can take a while); runs side
# by side wait for it under a lock. Wine's own diagnostics are silenced, so
# the program's output is what its caller reads.
set -eu
prefix=$1
shift
export WINEPREFIX="$prefix" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
# Debian puts the loader and the server outside PATH.
wine=$(command -v wine64 || command -v wine || echo /usr/lib/wine/wine64)
wineserver=$(command -v wineserver || echo "$(dirname "$wine")/wineserver")
mkdir -p "$prefix"
(
  flock 9
  if [ ! -f "$prefix/system.reg" ]; then
    "$wine" wineboot --init >/dev/null 2>&1 || true
    "$wineserver" -w || true
  fi
) 9>"$prefix.lock"
exec "$wine" "$@"
