#include "gaitlab/run/GaitSettings.h"

namespace trotix {
namespace {

void ApplyGaitSettings(const GaitSettings& settings, WalkEngine& engine) {
  for (int leg = 0; leg < kLegCount; ++leg) {
    const LegGaitParams& gait = settings.legs[leg];
    LegGaitParams& p = engine.legs[leg];
    for (double LegGaitParams::*field : kGaitLegFields) p.*field = gait.*field;
    p.halfSideStepLength = p.sideStepLength * 0.5;
  }
  for (LocusSet* set : {&engine.locusSet2, &engine.locusSet3, &engine.locusSet4}) {
    set->front = settings.front;
    set->rear = settings.rear;
  }
}

}  // namespace

GaitSettings DefaultGaitSettings() {
  const WalkEngine engine;
  GaitSettings settings;
  settings.legs = engine.legs;
  settings.front = engine.locusSet2.front;
  settings.rear = engine.locusSet2.rear;
  return settings;
}

WalkStep WalkStepOf(const GaitSettings& settings) {
  WalkEngine engine(settings.robot.geometry());
  ApplyGaitSettings(settings, engine);
  return WalkStep(engine, settings.variants, settings.robot.lateralAxis, settings.tickPeriodMs);
}

std::string JointName(int joint) {
  return "leg" + std::to_string(joint / 3) + "_" + kJointNames[joint % 3];
}

}  // namespace trotix
