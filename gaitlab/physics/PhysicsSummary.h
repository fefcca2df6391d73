// What a physics run, or an ensemble of runs, comes to, as
// --physics-summary writes it.
#ifndef TROTIX_GAITLAB_PHYSICSSUMMARY_H_
#define TROTIX_GAITLAB_PHYSICSSUMMARY_H_

#include <array>
#include <cmath>
#include <string>

#include "gaitlab/physics/FallEstimate.h"
#include "trotix/WalkTypes.h"

namespace trotix {

// The trunk is down while it tilts this far from upright or touches the
// floor; it has fallen once it stays down kRecoverSeconds. Down for less, it
// only scraped: a corner of the trunk box touching the floor, or a lurch.
constexpr double kFallTiltDegrees = 60.0;
constexpr double kRecoverSeconds = 1.0;

// What one servo delivered over a run.
struct JointTorque {
  double peakNm = 0.0;
  double rmsNm = 0.0;
  double atLimitFraction = 0.0;       // of the integration steps, at the torque limit
  double atSpeedLimitFraction = 0.0;  // of the steps, its set point held back by its top speed
  double rmsLagRad = 0.0;             // the commanded angle less the joint's
};

// The 10th and 90th percentiles of a quantity over an ensemble's members.
struct Percentiles {
  double p10 = 0.0;
  double p90 = 0.0;
};

struct PhysicsSummary {
  double seconds = 0.0;
  double distanceMm = 0.0;    // from the start to the end, over the floor
  double pathLengthMm = 0.0;  // the trunk's track over the floor, tick by tick
  // Mean speeds along the trunk's own forward and leftward directions.
  double forwardSpeedMmS = 0.0;
  double lateralSpeedMmS = 0.0;
  double yawRateDegS = 0.0;  // mean; positive turns left
  double maxTiltDeg = 0.0;   // largest angle of the trunk's up axis from vertical
  bool fell = false;         // down for kRecoverSeconds, or down when the run ended
  double fellAtS = NAN;      // when that time down began; NaN if it never fell
  bool scraped = false;      // down and up again within kRecoverSeconds, and never fell
  bool recovered = false;    // fell, and ended upright with the trunk off the floor
  double maxFootErrorMm = 0.0;
  double slipMm = 0.0;  // how far a stance foot slides over the floor per stance
  // Servo work over weight times path: sum |torque x joint speed| dt over
  // m g path. NaN when the trunk's path is under 1 mm.
  double costOfTransport = NAN;
  std::array<JointTorque, kJointCount> torques{};
  bool unstable = false;  // the integration broke down; the rest is up to that tick

  // Over an ensemble: the fields above are the members' medians (the
  // booleans: true for most members; fellAtS over the members that fell).
  int members = 1;
  Percentiles forwardSpeed, yawRate;
  double fellFraction = 0.0;
  double scrapedFraction = 0.0;
  // The chance that this gait throws the robot over, from the share of the
  // members that fell, with its interval and verdict.
  FallEstimate fall;
  // Some members fell and others did not, or none fell and the forward
  // speed's or the yaw rate's p10-p90 spread is over kDisagreeingSpread of
  // its larger end and over its floor.
  bool membersDisagree = false;
};

constexpr double kDisagreeingSpread = 0.2;
constexpr double kSpeedSpreadFloorMmS = 10.0;
constexpr double kYawSpreadFloorDegS = 5.0;

// One JSON object on one line.
std::string PhysicsSummaryJson(const PhysicsSummary& summary);

}  // namespace trotix

#endif  // TROTIX_GAITLAB_PHYSICSSUMMARY_H_
