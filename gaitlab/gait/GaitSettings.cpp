#include "gaitlab/gait/GaitSettings.h"

namespace trotix {

GaitSettings DefaultGaitSettings() {
  const WalkEngine engine;
  GaitSettings settings;
  for (int leg = 0; leg < kLegCount; ++leg) {
    const LegGaitParams& p = engine.legs[leg];
    settings.legs[leg] = {p.stepRate,    p.stepHeight,  p.footOffsetX,
                          p.footOffsetY, p.footOffsetZ, p.sideStepLength};
  }
  settings.front = engine.locusSet2.front;
  settings.rear = engine.locusSet2.rear;
  return settings;
}

void ApplyGaitSettings(const GaitSettings& settings, WalkEngine& engine) {
  for (int leg = 0; leg < kLegCount; ++leg) {
    const LegGait& gait = settings.legs[leg];
    LegGaitParams& p = engine.legs[leg];
    p.stepRate = gait.stepRate;
    p.stepHeight = gait.stepHeight;
    p.footOffsetX = gait.footOffsetX;
    p.footOffsetY = gait.footOffsetY;
    p.footOffsetZ = gait.footOffsetZ;
    p.sideStepLength = gait.sideStepLength;
    p.halfSideStepLength = gait.sideStepLength * 0.5;
  }
  for (LocusSet* set : {&engine.locusSet2, &engine.locusSet3, &engine.locusSet4}) {
    set->front = settings.front;
    set->rear = settings.rear;
  }
}

std::string JointName(int joint) {
  return "leg" + std::to_string(joint / 3) + "_" + kJointNames[joint % 3];
}

}  // namespace trotix
