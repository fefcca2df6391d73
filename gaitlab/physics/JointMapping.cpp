#include "gaitlab/physics/JointMapping.h"

namespace trotix {

JointAngles ModelJointAngles(const JointAngles& angles) {
  JointAngles model{};
  for (int leg = 0; leg < kLegCount; ++leg) {
    const LegGeometry& geometry = LegGeometryOf(leg);
    const double sign = AlongTrackSign(leg);
    model[3 * leg + 0] = sign * (angles[3 * leg + 0] + geometry.pitchOffset);
    model[3 * leg + 1] = angles[3 * leg + 1];
    model[3 * leg + 2] = sign * (angles[3 * leg + 2] - geometry.kneeOffset);
  }
  return model;
}

}  // namespace trotix
