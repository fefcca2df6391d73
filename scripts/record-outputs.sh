#!/usr/bin/env bash
# Records every output of trotix-gait (and a few of the Python module's
# results) over a fixed set of runs, to show that a change leaves them byte
# for byte as they were:
#   scripts/record-outputs.sh BUILD_DIR OUT_DIR             record
#   scripts/record-outputs.sh BUILD_DIR OUT_DIR BASELINE    record, then list
#                                                           what differs
# Each run gets a folder of OUT_DIR holding its stdout, stderr, exit status
# and the files it wrote; inputs are named by relative paths, so messages
# read the same wherever OUT_DIR is.
set -uo pipefail
[ $# -ge 2 ] || { echo "usage: $0 BUILD_DIR OUT_DIR [BASELINE]" >&2; exit 2; }
build=$(cd "$1" && pwd)
out=$2
baseline=${3:-}
source_dir=$(cd "$(dirname "$0")/.." && pwd)
program=$build/tools/trotix-gait/trotix-gait

rm -rf "$out"
mkdir -p "$out/inputs"
cp "$source_dir/examples/tuned-gait.yaml" "$source_dir/docs/walk-and-turn.csv" "$out/inputs/"
cd "$out/inputs"
printf 'variants: {turn: rigid}\n' >rigid.yaml
printf 'physics: {leg_chain: roll_first, lateral_axis: shared}\nvariants: {roll: exact_roll_first}\n' \
  >rollfirst.yaml
printf 'gait:\n  stepRate: x\n' >bad.yaml
printf 'tick,turn,step\n10,20\n' >bad.csv
{
  echo "joints:"
  for leg in 0 1 2 3; do
    echo "  leg${leg}_pitch: {lower: -1.2, upper: 0.6, max_speed: 5, channel: $((3 * leg))}"
    echo "  leg${leg}_roll: {lower: -0.2, upper: 0.2, channel: $((3 * leg + 1)), direction: -1}"
    echo "  leg${leg}_knee: {lower: 0.5, upper: 2.2, max_speed: 8, channel: $((3 * leg + 2))}"
  done
  echo "check: {reach: true, roll_saturation: true}"
} >joints.yaml
cd - >/dev/null

# run NAME ARGS...: trotix-gait in OUT_DIR/NAME.
run() {
  local name=$1
  shift
  mkdir -p "$out/$name"
  (cd "$out/$name" && "$program" "$@" >stdout 2>stderr </dev/null; echo $? >status)
}

run csv --ticks 126 --turn 20 --step -100
run csv-targets-deg --ticks 40 --turn -30 --step 60 --targets --units deg
run jsonl --ticks 40 --turn 20 --step -100 --format jsonl --targets
run jsonl-deg --ticks 20 --turn 5 --step 130 --format jsonl --units deg
run servo --ticks 60 --turn 20 --step -100 --gait ../inputs/joints.yaml --format servo
run report-file --ticks 100 --turn 80 --step -130 --gait ../inputs/joints.yaml --format none \
  --report report.json
run report-table --ticks 100 --turn 80 --step -130 --format none --report -
run check --ticks 100 --turn 80 --step -130 --gait ../inputs/joints.yaml --format none --check
run plot --ticks 126 --turn 20 --step -100 --plot gait.svg --output rows.csv
run print-gait --print-gait
run print-gait-file --print-gait --gait ../inputs/rollfirst.yaml --output gait.yaml
run schedule --ticks 200 --step -100 --schedule ../inputs/walk-and-turn.csv --ramp 15 \
  --plot schedule.svg
run gait-file --ticks 100 --step -100 --gait ../inputs/tuned-gait.yaml --targets
run rigid-rows --ticks 50 --turn 40 --step -100 --gait ../inputs/rigid.yaml
run roll-first-rows --ticks 50 --turn 20 --step -100 --gait ../inputs/rollfirst.yaml --targets
run physics-summary --physics --ticks 60 --step -100 --format none --physics-summary walk.json
run physics-rows --physics --physics-torques --ticks 30 --turn 20 --step -100 --ensemble 2 \
  --plot physics.svg
run physics-rigid --physics --ticks 60 --turn 40 --step -100 --gait ../inputs/rigid.yaml \
  --format none --physics-summary walk.json
run export-mjcf --export-mjcf robot.xml
run export-mjcf-joints --export-mjcf robot.xml --gait ../inputs/joints.yaml
run export-mjcf-roll-first --export-mjcf robot.xml --gait ../inputs/rollfirst.yaml
run export-mjcf-physics --physics --ticks 30 --step -100 --format none --export-mjcf robot.xml
run physics-map --physics-map map.svg
run video --physics --ticks 15 --step -100 --format none --video walk.gif --video-fps 10 \
  --video-size 160x120
run error-no-gait --gait ../inputs/nope.yaml
run error-bad-gait --gait ../inputs/bad.yaml
run error-bad-schedule --schedule ../inputs/bad.csv
run error-no-output-folder --output nowhere/rows.csv
run error-no-plot-folder --plot nowhere/gait.svg
run error-no-report-folder --report nowhere/report.json
run error-no-mjcf-folder --export-mjcf nowhere/robot.xml
run error-nothing-to-check --check
run error-ticks --ticks many

# The Python module, where it was built.
if [ -d "$build/python/trotix" ]; then
  mkdir -p "$out/python"
  (cd "$out/python" && PYTHONPATH="$build/python" PYTHONDONTWRITEBYTECODE=1 /usr/bin/python3 - \
    >stdout 2>stderr <<'EOF'
import hashlib
import trotix

def digest(*arrays):
    return hashlib.sha256(b"".join(a.tobytes() for a in arrays)).hexdigest()[:16]

rigid = trotix.load_gait("../inputs/rigid.yaml")
for name, gait in [("built-in", None), ("rigid", rigid)]:
    r = trotix.run(50, turn=40, step=-100, gait=gait)
    print(name, "run", digest(r.angles, r.commands, r.targets, r.time_s))
    engine = trotix.WalkEngine() if gait is None else trotix.WalkEngine(gait)
    for _ in range(50):
        engine.set_sliders(turn=40, step=-100)
        engine.tick()
    print(name, "engine", digest(engine.joint_angles, engine.joint_commands))
walk = trotix.physics(30, step=-100, gait=rigid, ensemble=2)
print("physics", digest(walk.angles, walk.body), sorted(walk.summary.items())[:3])
grid = trotix.physics_map([-40, 40], [-100], ticks=20, ensemble=1)
print("map", digest(grid.forward_speed_mm_s))
for path in ["../inputs/nope.yaml", "../inputs/bad.yaml"]:
    try:
        trotix.load_gait(path)
    except Exception as error:
        print(type(error).__name__, error)
EOF
  echo $? >status)
fi

if [ -n "$baseline" ]; then
  if diff -r -q -x inputs "$baseline" "$out"; then
    echo "outputs: every file equals $baseline byte for byte"
  else
    exit 1
  fi
fi
