// What the physics run measures at every integration step besides the
// trunk's pose: each servo's torque, which limit holds it back and how far
// it lags the command, the work the servos do, and how far the feet slide
// while they stand.
#ifndef TROTIX_GAITLAB_STEPTALLY_H_
#define TROTIX_GAITLAB_STEPTALLY_H_

#include <array>

#include "gaitlab/physics/PhysicsSummary.h"
#include "gaitlab/physics/RobotModel.h"

namespace trotix {

class StepTally {
 public:
  explicit StepTally(const RobotModel& model) : model_(model) {}

  // After each mj_step of `data`, `seconds` long, towards `targets` (the
  // model's angles), with the servos `held` back by their speed limit.
  void add(const mjData& data, double seconds, const JointAngles& targets,
           const std::array<bool, kJointCount>& held);

  // Each servo's torque averaged over the steps since the last call, in the
  // engine's sense (the model's pitch and knee are mirrored on the rear legs).
  std::array<double, kJointCount> takeTickTorques();

  // Fills the summary's torques and slip, and its cost of transport for a
  // trunk track of `pathMm`.
  void fill(PhysicsSummary& summary, double pathMm) const;

 private:
  void addSlip(const mjData& data, double seconds);

  const RobotModel& model_;
  long steps_ = 0;
  std::array<double, kJointCount> peak_{}, sumSquares_{}, tickSum_{};
  int tickSteps_ = 0;
  std::array<long, kJointCount> atLimit_{}, atSpeedLimit_{};
  std::array<double, kJointCount> lagSquares_{};
  double workJ_ = 0.0;  // sum of |torque x joint speed| dt
  std::array<bool, kLegCount> standing_{};
  long stances_ = 0;
  double slipM_ = 0.0;
};

}  // namespace trotix

#endif  // TROTIX_GAITLAB_STEPTALLY_H_
