// What a gait file sets: the engine's gait fields and foot paths, the tick
// period, the variants of the tick, and the robot: its legs and the servos
// that are to follow the joints.
#ifndef TROTIX_GAITLAB_GAITSETTINGS_H_
#define TROTIX_GAITLAB_GAITSETTINGS_H_

#include <array>
#include <string>

#include "gaitlab/robot/RobotDescription.h"
#include "gaitlab/run/GaitVariants.h"
#include "gaitlab/run/WalkStep.h"
#include "trotix/WalkEngine.h"

namespace trotix {

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
  RobotDescription robot;            // the robot's legs and each joint's servo
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
// and its tick period, on the gait's robot.
WalkStep WalkStepOf(const GaitSettings& settings);

// "leg0_pitch" ... "leg3_knee", the names of the CSV header.
// Joint names in the order of each leg's three slots.
constexpr const char* kJointNames[3] = {"pitch", "roll", "knee"};

std::string JointName(int joint);

}  // namespace trotix

#endif  // TROTIX_GAITLAB_GAITSETTINGS_H_
