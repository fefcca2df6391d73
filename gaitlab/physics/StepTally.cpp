#include "gaitlab/physics/StepTally.h"

#include <algorithm>
#include <cmath>

namespace trotix {
namespace {

constexpr double kGravity = 9.81;  // m/s^2, MuJoCo's default

}  // namespace

void StepTally::add(const mjData& data, double seconds, const JointAngles& targets,
                    const std::array<bool, kJointCount>& held) {
  for (int joint = 0; joint < kJointCount; ++joint) {
    const double torque = data.actuator_force[model_.actuatorOf(joint)];
    peak_[joint] = std::max(peak_[joint], std::fabs(torque));
    sumSquares_[joint] += torque * torque;
    tickSum_[joint] += torque;
    atLimit_[joint] += std::fabs(torque) >= 0.999 * model_.drive(joint).torqueLimit;
    atSpeedLimit_[joint] += held[joint];
    const double lag = targets[joint] - data.qpos[model_.qposOf(joint)];
    lagSquares_[joint] += lag * lag;
    workJ_ += std::fabs(torque * data.qvel[model_.dofOf(joint)]) * seconds;
  }
  ++steps_;
  ++tickSteps_;
  addSlip(data, seconds);
}

std::array<double, kJointCount> StepTally::takeTickTorques() {
  std::array<double, kJointCount> mean{};
  for (int joint = 0; joint < kJointCount && tickSteps_ > 0; ++joint) {
    const double sign = joint % 3 == 1 ? 1.0 : AlongTrackSign(joint / 3);
    mean[joint] = sign * tickSum_[joint] / tickSteps_;
  }
  tickSum_.fill(0.0);
  tickSteps_ = 0;
  return mean;
}

// The foot sphere's material point at the floor moves at v + w x (-r z);
// over a stance (a foot's contact with the floor from its start to its end)
// its horizontal speed adds up to the slip.
void StepTally::addSlip(const mjData& data, double seconds) {
  const mjModel& m = model_.model();
  std::array<bool, kLegCount> touching{};
  for (int c = 0; c < data.ncon; ++c) {
    for (int leg = 0; leg < kLegCount; ++leg) {
      const int foot = model_.footGeom(leg);
      const int g1 = data.contact[c].geom1, g2 = data.contact[c].geom2;
      touching[leg] = touching[leg] || (g1 == foot && g2 == model_.floorGeom()) ||
                      (g2 == foot && g1 == model_.floorGeom());
    }
  }
  const double radius = model_.parameters().footRadiusMm / 1000.0;
  for (int leg = 0; leg < kLegCount; ++leg) {
    if (touching[leg]) {
      mjtNum velocity[6];  // angular, then linear, in the world frame
      mj_objectVelocity(&m, &data, mjOBJ_GEOM, model_.footGeom(leg), velocity, 0);
      slipM_ += std::hypot(velocity[3] - radius * velocity[1], velocity[4] + radius * velocity[0]) *
                seconds;
      stances_ += !standing_[leg];
    }
    standing_[leg] = touching[leg];
  }
}

void StepTally::fill(PhysicsSummary& s, double pathMm) const {
  for (int joint = 0; joint < kJointCount && steps_ > 0; ++joint) {
    s.torques[joint] = {peak_[joint], std::sqrt(sumSquares_[joint] / steps_),
                        static_cast<double>(atLimit_[joint]) / steps_,
                        static_cast<double>(atSpeedLimit_[joint]) / steps_,
                        std::sqrt(lagSquares_[joint] / steps_)};
  }
  s.slipMm = stances_ > 0 ? slipM_ * 1000.0 / stances_ : 0.0;
  const double weightN = mj_getTotalmass(&model_.model()) * kGravity;
  s.costOfTransport = pathMm >= 1.0 ? workJ_ / (weightN * pathMm / 1000.0) : NAN;
}

}  // namespace trotix
