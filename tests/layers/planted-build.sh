#!/usr/bin/env bash
# Plants each kind of include that breaks the layers in a file compiled
# exactly as a library's source file is (its command in the build's
# compile_commands.json, with -fsyntax-only), and expects the compiler to
# fail on the include: a layer's include path holds only its own headers and
# those of the libraries it links. Each case is also compiled with an
# include the layer may use, which must pass, so that a case fails for its
# include and not for its flags. Prints the line that caught each.
# (A path with ".." reaches any file beside the includer, which no include
# path can stop: scripts/check-layers.sh alone catches that.)
# Usage: tests/layers/planted-build.sh BUILD_DIR SOURCE_DIR
set -uo pipefail
build_dir=$(cd "$1" && pwd)
source_dir=$(cd "$2" && pwd)
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT

# Prints, one to a line, the arguments that compile SOURCE for a syntax
# check of the file given last; nothing when the build does not compile it.
syntax_command() {
  /usr/bin/python3 - "$build_dir/compile_commands.json" "$source_dir/$1" <<'PY'
import json, shlex, sys
for entry in json.load(open(sys.argv[1])):
    if entry["file"] != sys.argv[2]:
        continue
    args = entry.get("arguments") or shlex.split(entry["command"])
    kept, skip = [], False
    for arg in args:
        if skip:
            skip = False
        elif arg in ("-o", "-c", "-MF", "-MT", "-MQ"):
            skip = True
        elif arg not in ("-MD", "-MMD") and arg != entry["file"]:
            kept.append(arg)
    print("\n".join(kept + ["-fsyntax-only", "-x", "c++"]))
    break
PY
}

missed=0
while IFS='|' read -r name source bad good; do
  mapfile -t command < <(syntax_command "$source")
  if [ ${#command[@]} -eq 0 ]; then
    echo "skipped $name: this build does not compile $source"
    continue
  fi
  printf '%s\n' "$good" >"$scratch/good.cpp"
  printf '%s\n' "$bad" >"$scratch/bad.cpp"
  if ! output=$(cd "$build_dir" && "${command[@]}" "$scratch/good.cpp" 2>&1); then
    echo "BROKEN $name: $good does not compile as $source: $(head -n 1 <<<"$output")"
    missed=1
  elif output=$(cd "$build_dir" && "${command[@]}" "$scratch/bad.cpp" 2>&1); then
    echo "MISSED $name"
    missed=1
  elif ! caught=$(grep -m 1 -E 'No such file or directory|file not found' <<<"$output"); then
    echo "BROKEN $name fails, but not on its include: $(head -n 1 <<<"$output")"
    missed=1
  else
    echo "caught $name: ${caught#"$scratch/"}"
  fi
done <<'CASES'
upward include|gaitlab/run/WalkStep.cpp|#include "gaitlab/physics/PhysicsRun.h"|#include "gaitlab/io/InputFile.h"
engine includes the view|engine/WalkEngine.cpp|#include "view/Camera.h"|#include "engine/LegSolver.h"
angle brackets|gaitlab/io/InputFile.cpp|#include <gaitlab/physics/PhysicsRun.h>|#include "gaitlab/io/InputFile.h"
bare name|gaitlab/run/WalkStep.cpp|#include "PhysicsRun.h"|#include "gaitlab/run/WalkStep.h"
another layer's private header|gaitlab/tables/CsvTable.cpp|#include "gaitlab/run/TickPipeline.h"|#include "gaitlab/run/GaitRun.h"
the engine's private header|gaitlab/run/WalkStep.cpp|#include "engine/LegSolver.h"|#include "trotix/WalkEngine.h"
the decoder's private header|view/BitmapLoader.cpp|#include "bitmap/DibRle.h"|#include "bitmap/DibDecoder.h"
shared core includes a shell|app/WalkDialogCore.cpp|#include "app/linux/WalkDialog.h"|#include "app/WalkDialogCore.h"
a layer includes a program's header|gaitlab/lab/LabRun.cpp|#include "tools/trotix-gait/GaitOptions.h"|#include "gaitlab/lab/LabCaptions.h"
a program includes a test kit's header|tools/trotix-gait/main.cpp|#include "testing/process/GaitProcess.h"|#include "tools/trotix-gait/GaitOptions.h"
CASES
exit $missed
