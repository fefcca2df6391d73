#!/usr/bin/env bash
# Plants each kind of include or file that breaks the layers, one at a time,
# in a copy of the source tree (added to git, but for the last), and expects
# scripts/check-layers.sh to fail on each; prints the line that caught it.
# Usage: tests/layers/planted-includes.sh [SOURCE_DIR]
set -uo pipefail
source_dir=$(cd "${1:-$(dirname "$0")/../..}" && pwd)
copy=$(mktemp -d)
trap 'rm -rf "$copy"' EXIT
(cd "$source_dir" && git ls-files -z | xargs -0 tar -cf -) | tar -xf - -C "$copy"
cd "$copy" && git init -q && git add -A && git -c user.name=c -c user.email=c@c commit -qm tree
missed=0
while IFS='|' read -r name file line; do
  mkdir -p "$(dirname "$file")" && printf '%s\n' "$line" >>"$file"
  [ "$name" = "file not added to git" ] || git add -A
  if caught=$(scripts/check-layers.sh 2>&1 >/dev/null); then
    echo "MISSED $name" && missed=1
  else
    echo "caught $name: $(head -n 1 <<<"$caught")"
  fi
  git reset -q --hard && git clean -fdq
done <<'CASES'
upward include|gaitlab/run/WalkStep.cpp|#include "gaitlab/physics/PhysicsRun.h"
the robot includes the walk|gaitlab/robot/RobotDescription.cpp|#include "gaitlab/run/GaitSettings.h"
engine includes the view|engine/WalkEngine.cpp|#include "view/Camera.h"
angle brackets|gaitlab/io/InputFile.cpp|#include <gaitlab/physics/PhysicsRun.h>
bare name|gaitlab/run/WalkStep.cpp|#include "PhysicsRun.h"
path with ..|gaitlab/run/WalkStep.cpp|#include "../physics/PhysicsRun.h"
public header includes a private one|include/trotix/WalkEngine.h|#include "engine/LegSolver.h"
another layer's private header|gaitlab/tables/CsvTable.cpp|#include "gaitlab/run/TickPipeline.h"
shared core includes a shell|app/WalkDialogCore.cpp|#include "app/linux/WalkDialog.h"
unknown gait lab folder|gaitlab/extra/Extra.h|#include "gaitlab/run/WalkStep.h"
new top-level folder|widgets/Widget.h|#include "trotix/WalkEngine.h"
file not added to git|gaitlab/run/Stray.cpp|#include "gaitlab/run/WalkStep.h"
CASES
scripts/check-layers.sh >/dev/null || { echo "the tree as it is fails" && missed=1; }
exit $missed
