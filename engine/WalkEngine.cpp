// Construction, the tick and the joint commands.
#include "trotix/WalkEngine.h"

#include "engine/LegSolver.h"
#include "trotix/JointCommandConversion.h"

namespace trotix {
namespace {

// Solves row `frame` of frameTargets for all four legs and publishes the
// angles, leg by leg: commands first, then the angles.
void SolveFrame(WalkEngine& engine, int frame) {
  for (int leg = 0; leg < kLegCount; ++leg) {
    const auto& target = engine.frameTargets[frame][leg];
    double roll = 0.0;
    double pitch = 0.0;
    double knee = 0.0;
    if (IsFrontLeg(leg)) {
      engine.solveFrontLeg(target[0], target[1], target[2], roll, pitch, knee, engine.pitchHeightA,
                           engine.pitchHeightB);
    } else {
      engine.solveRearLeg(target[0], target[1], target[2], roll, pitch, knee, engine.pitchHeightA,
                          engine.pitchHeightB);
    }
    const int first = 3 * leg;
    engine.setJointCommand(RadiansToJointCommand(pitch), first);
    engine.setJointCommand(RadiansToJointCommand(roll), first + 1);
    engine.setJointCommand(RadiansToJointCommand(knee), first + 2);
    engine.jointAngles[first] = pitch;
    engine.jointAngles[first + 1] = roll;
    engine.jointAngles[first + 2] = knee;
  }
}

}  // namespace

FootLocus DefaultFootLocus() {
  return {{0.0, -10.0, -20.0, -30.0, -20.0, 0.0, 20.0, 45.0, 22.5, 0.0},
          {12.0, 14.0, 15.0, 16.0, 5.0, -7.5, -13.0, -12.0, 0.0, 12.0}};
}

WalkEngine::WalkEngine() : WalkEngine(RobotGeometry{}) {}

WalkEngine::WalkEngine(const RobotGeometry& robot) : geometry(robot) {
  for (int i = 0; i < kLegCount; ++i) legs[i].legIndex = i;
  const FootLocus path = DefaultFootLocus();
  for (LocusSet* set : {&locusSet2, &locusSet4, &locusSet3}) {
    set->front = path;
    set->rear = path;
  }
}

// Only row 0 is ever solved: framesPerTick and pendingMotion are reset here
// and nothing else changes them. The loop still honours a motion request
// between frames, should one ever be queued there.
void WalkEngine::tick() {
  advanceGait();
  framesPerTick = 1;
  pendingMotion = 0;
  for (int frame = 0; frame < framesPerTick && frame < kFramesPerAdvance; ++frame) {
    if (pendingMotion == 0) {
      SolveFrame(*this, frame);
    } else if (pendingMotion > 1) {
      selectMotion(pendingMotion);
      return;
    }
  }
}

void WalkEngine::setJointCommand(JointCommand value, int slot) {
  if (slot < 0 || slot >= kJointCount) return;
  jointCommands[slot] = value;
}

}  // namespace trotix
