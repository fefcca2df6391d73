#include "gaitlab/physics/FootKinematics.h"

#include <algorithm>
#include <cmath>

namespace trotix {

FootKinematics::FootKinematics(const RobotModel& model) : model_(model), data_(model.makeData()) {}

FootPoints FootKinematics::feet(const JointAngles& angles) {
  model_.setJoints(*data_, angles);
  mj_kinematics(&model_.model(), data_.get());
  FootPoints feet{};
  for (int leg = 0; leg < kLegCount; ++leg) {
    const mjtNum* foot = data_->site_xpos + 3 * model_.footSite(leg);
    const mjtNum* shoulder = data_->xpos + 3 * model_.upperBody(leg);
    const double lateral = LateralSign(model_.robot().lateralAxis, leg);
    feet[leg] = {(foot[0] - shoulder[0]) * 1000.0, lateral * (foot[1] - shoulder[1]) * 1000.0,
                 (shoulder[2] - foot[2]) * 1000.0};
  }
  return feet;
}

double FootKinematics::largestMiss(const JointAngles& angles, const FootPoints& targets) {
  const FootPoints reached = feet(angles);
  double largest = 0.0;
  for (int leg = 0; leg < kLegCount; ++leg) {
    const auto& target = targets[leg];
    const Vector3 aim = ClampToReach(model_.geometry().leg(leg), {target[0], target[1], target[2]});
    largest = std::max(largest, std::hypot(reached[leg][0] - aim.x, reached[leg][1] - aim.y,
                                           reached[leg][2] - aim.z));
  }
  return largest;
}

}  // namespace trotix
