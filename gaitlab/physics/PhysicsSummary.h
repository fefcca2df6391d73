// What a physics run comes to, as --physics-summary writes it.
#ifndef TROTIX_GAITLAB_PHYSICSSUMMARY_H_
#define TROTIX_GAITLAB_PHYSICSSUMMARY_H_

#include <string>

namespace trotix {

// The trunk counts as fallen once it tilts this far from upright.
constexpr double kFallTiltDegrees = 60.0;

struct PhysicsSummary {
  double seconds = 0.0;
  double distanceMm = 0.0;  // from the start to the end, over the floor
  // Mean speeds along the trunk's own forward and leftward directions.
  double forwardSpeedMmS = 0.0;
  double lateralSpeedMmS = 0.0;
  double yawRateDegS = 0.0;  // mean; positive turns left
  double maxTiltDeg = 0.0;   // largest angle of the trunk's up axis from vertical
  bool fell = false;         // tilted past kFallTiltDegrees or touched the floor
  double maxFootErrorMm = 0.0;
};

// One JSON object on one line.
std::string PhysicsSummaryJson(const PhysicsSummary& summary);

}  // namespace trotix

#endif  // TROTIX_GAITLAB_PHYSICSSUMMARY_H_
