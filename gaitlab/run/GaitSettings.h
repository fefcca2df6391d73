// What a gait file sets: the engine's gait fields and foot paths, the tick
// period, the variants of the tick, and a description of the servos that are to follow the joints.
#ifndef TROTIX_GAITLAB_GAITSETTINGS_H_
#define TROTIX_GAITLAB_GAITSETTINGS_H_

#include <array>
#include <optional>
#include <string>

#include "gaitlab/run/GaitVariants.h"
#include "gaitlab/run/WalkStep.h"
#include "trotix/WalkEngine.h"

namespace trotix {

// One joint's servo. A missing limit is no limit; a joint without a channel
// is left out of the servo export, whose pulse width is
//     centerUs + direction * (angle - zero) * usPerRad,
// kept within minUs to maxUs, the pulses any hobby servo takes by default.
constexpr double kDefaultMinUs = 500.0;
constexpr double kDefaultMaxUs = 2500.0;

struct JointServo {
  std::optional<double> lower;        // rad
  std::optional<double> upper;        // rad
  std::optional<double> maxSpeed;     // rad/s
  std::optional<double> maxTorqueNm;  // the servo's stall torque, for the physics check
  std::optional<int> channel;
  double zero = 0.0;  // the angle that gives the centre pulse, rad
  int direction = 1;  // +1 or -1
  double centerUs = 1500.0;
  double usPerRad = 2000.0 / kTruePi;  // 1000 us per quarter turn
  double minUs = kDefaultMinUs;
  double maxUs = kDefaultMaxUs;
  // A bus servo's position at `zero`, in its own units; left out, the
  // middle of its travel (2048 on Dynamixel, 500 on LX-16A).
  std::optional<double> center;

  bool hasLimits() const { return lower || upper || maxSpeed; }
  double pulseUs(double angle) const { return centerUs + direction * (angle - zero) * usPerRad; }
};

// The fields of a leg that a gait sets, the gait file's leg keys; the
// others are the engine's running state, which the sliders and ticks write.
constexpr double LegGaitParams::*kGaitLegFields[] = {
    &LegGaitParams::stepRate,    &LegGaitParams::stepHeight,  &LegGaitParams::footOffsetX,
    &LegGaitParams::footOffsetY, &LegGaitParams::footOffsetZ, &LegGaitParams::sideStepLength,
};

constexpr double kDefaultJumpThreshold = 0.2;  // rad between consecutive ticks

struct GaitSettings {
  std::array<LegGaitParams, kLegCount> legs;  // the fields the gait file sets
  FootLocus front;
  FootLocus rear;
  double tickPeriodMs = kTickPeriodMs;
  double jumpThreshold = kDefaultJumpThreshold;
  std::array<JointServo, kJointCount> joints;
  bool slewLimit = false;            // servo pulses also follow each joint's maxSpeed
  bool checkReach = false;           // --check also fails on the solver's reach clamps
  bool checkRollSaturation = false;  // --check also fails on saturated shoulder rolls
  GaitVariants variants;             // opt-in changes to the engine's tick

  double tickSeconds() const { return tickPeriodMs / 1000.0; }
};

// The engine's own defaults and no joint section.
GaitSettings DefaultGaitSettings();

// The walk of this gait: a fresh engine with every leg's fields that a gait
// file sets and the foot paths of all three walk modes, the gait's variants
// and its tick period, on a robot whose foot-target y reads as
// `lateralAxis` says.
WalkStep WalkStepOf(const GaitSettings& settings, LateralAxis lateralAxis = LateralAxis::kOutward);

// "leg0_pitch" ... "leg3_knee", the names of the CSV header.
// Joint names in the order of each leg's three slots.
constexpr const char* kJointNames[3] = {"pitch", "roll", "knee"};

std::string JointName(int joint);

}  // namespace trotix

#endif  // TROTIX_GAITLAB_GAITSETTINGS_H_
