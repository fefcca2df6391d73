#!/usr/bin/env bash
# Fails when a source file includes one of ours across the dependency rule:
#   engine (engine/, include/trotix/)  nothing of ours outside itself
#   bitmap/                            nothing
#   gaitlab/<layer>/                   the engine's public headers and the
#                                      layers before its own in
#                                      io, run, servo, gaitfile, report,
#                                      tables, physics, plot, video, lab
#   view/                              the engine and bitmap
#   app/                               the view, the engine, the gait lab's
#                                      run (and res/)
#   tools/                             the gait lab and the engine
#   python/                            the gait lab and the engine
# Usage: scripts/check-layers.sh [SOURCE_DIR]
set -euo pipefail
cd "${1:-$(dirname "$0")/..}"

gaitlab_layers=(io run servo gaitfile report tables physics plot video lab)

# The include prefixes a file in folder $1 may use.
allowed_prefixes() {
  case "$1" in
    engine/* | include/*) echo "trotix/ engine/" ;;
    bitmap/*) echo "bitmap/" ;;
    gaitlab/*)
      local own=${1#gaitlab/}
      own=${own%%/*}
      local prefixes="trotix/"
      for layer in "${gaitlab_layers[@]}"; do
        prefixes+=" gaitlab/$layer/"
        [ "$layer" = "$own" ] && break
      done
      echo "$prefixes" ;;
    view/*) echo "trotix/ bitmap/ view/" ;;
    app/*) echo "trotix/ view/ app/ res/ gaitlab/run/" ;;
    tools/* | python/*) echo "trotix/ gaitlab/ ${1%%/*}/" ;;
    *) echo "*" ;;
  esac
}

status=0
while IFS= read -r file; do
  prefixes=$(allowed_prefixes "$file")
  [ "$prefixes" = "*" ] && continue
  while IFS= read -r line; do
    header=${line#*\"}
    header=${header%\"*}
    case "$header" in */*) ;; *) continue ;; esac  # a sibling or generated file
    ok=no
    for prefix in $prefixes; do
      case "$header" in "$prefix"*) ok=yes ;; esac
    done
    if [ "$ok" = no ]; then
      echo "$file includes \"$header\", which its layer may not use" >&2
      status=1
    fi
  done < <(grep -E '^[[:space:]]*#[[:space:]]*include[[:space:]]*"' "$file" || true)
done < <(git ls-files -- '*.h' '*.cpp' 2>/dev/null || find . -name '*.h' -o -name '*.cpp' | sed 's|^\./||')
[ $status -eq 0 ] && echo "layers: every include follows the dependency rule"
exit $status
