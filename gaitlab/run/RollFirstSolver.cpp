#include "gaitlab/run/RollFirstSolver.h"

#include <cmath>

#include "trotix/WalkEngine.h"

namespace trotix {

LegAngles SolveRollFirstLeg(const LegGeometry& leg, double x, double y, double z) {
  const LegTarget t = ClampToReach(leg, {x, y, z});
  const double cosKnee = (t.x * t.x + t.y * t.y + t.z * t.z - leg.kneeSum) * leg.kneeFactor;
  const double bend = std::acos(cosKnee);
  double roll = 0.0;
  if (t.z != 0.0) {
    roll = std::atan(t.y / t.z);
  } else if (t.y != 0.0) {
    roll = std::copysign(kTruePi / 2.0, t.y);
  }
  const double d = t.y * std::sin(roll) + t.z * std::cos(roll);
  const double pitch =
      std::atan2(t.x, d) -
      std::atan2(leg.lowerLink * std::sin(bend), leg.upperLink + leg.lowerLink * cosKnee) -
      leg.pitchOffset;
  return {roll, std::remainder(pitch, 2.0 * kTruePi), bend + leg.kneeOffset};
}

}  // namespace trotix
