#!/usr/bin/env bash
# Plants each kind of include or file that breaks the layers, one at a time,
# in a copy of the source tree, and expects scripts/check-layers.sh to fail
# on each; prints the line that caught it.
# Usage: tests/layers/planted-includes.sh [SOURCE_DIR]
set -uo pipefail
source_dir=$(cd "${1:-$(dirname "$0")/../..}" && pwd)
copy=$(mktemp -d)
trap 'rm -rf "$copy"' EXIT

(cd "$source_dir" && git ls-files -z | xargs -0 tar -cf - ) | tar -xf - -C "$copy"
cd "$copy"
git init -q && git add -A && git -c user.name=check -c user.email=check@localhost commit -qm tree

# plant NAME FILE LINE [untracked]: adds LINE to FILE (made if missing).
failures=0
plant() {
  local name=$1 file=$2 line=$3
  mkdir -p "$(dirname "$file")"
  printf '%s\n' "$line" >>"$file"
  [ "${4:-}" = untracked ] || git add -A
  local caught
  if caught=$(scripts/check-layers.sh 2>&1 >/dev/null); then
    echo "MISSED $name"
    failures=$((failures + 1))
  else
    echo "caught $name: $(head -n 1 <<<"$caught")"
  fi
  git reset -q --hard && git clean -fdq
}

plant "upward include" gaitlab/run/WalkStep.cpp '#include "gaitlab/physics/PhysicsRun.h"'
plant "engine includes the view" engine/WalkEngine.cpp '#include "view/Camera.h"'
plant "angle brackets" gaitlab/io/InputFile.cpp '#include <gaitlab/physics/PhysicsRun.h>'
plant "bare name" gaitlab/run/WalkStep.cpp '#include "PhysicsRun.h"'
plant "path with .." gaitlab/run/WalkStep.cpp '#include "../physics/PhysicsRun.h"'
plant "public header includes a private one" include/trotix/WalkEngine.h \
  '#include "engine/LegSolver.h"'
plant "shared core includes a shell" app/WalkDialogCore.cpp '#include "app/linux/WalkDialog.h"'
plant "unknown gait lab folder" gaitlab/extra/Extra.h '#include "gaitlab/run/WalkStep.h"'
plant "new top-level folder" widgets/Widget.h '#include "trotix/WalkEngine.h"'
plant "file not added to git" gaitlab/run/Stray.cpp '#include "gaitlab/run/WalkStep.h"' untracked

# And the tree as it is passes.
scripts/check-layers.sh >/dev/null || { echo "the unplanted tree fails"; failures=$((failures + 1)); }
exit $((failures > 0))
