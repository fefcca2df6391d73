// Where the model puts its feet for a set of engine joint angles, by
// MuJoCo's own forward kinematics, and how far that is from the targets the
// solver was given.
#ifndef TROTIX_GAITLAB_FOOTKINEMATICS_H_
#define TROTIX_GAITLAB_FOOTKINEMATICS_H_

#include <array>

#include "gaitlab/physics/RobotModel.h"

namespace trotix {

using FootPoints = std::array<std::array<double, 3>, kLegCount>;

class FootKinematics {
 public:
  explicit FootKinematics(const RobotModel& model);

  // Each foot's centre relative to its shoulder in its leg's foot-target
  // frame: x forwards, y as the model's lateral axis reads it, z down, mm.
  FootPoints feet(const JointAngles& angles);

  // The largest distance, mm, between a foot and its target as the solver
  // moved it into reach (the reach clamp itself is not counted as a miss).
  double largestMiss(const JointAngles& angles, const FootPoints& targets);

 private:
  const RobotModel& model_;
  DataPointer data_;  // the trunk stays at the model's upright start
};

}  // namespace trotix

#endif  // TROTIX_GAITLAB_FOOTKINEMATICS_H_
