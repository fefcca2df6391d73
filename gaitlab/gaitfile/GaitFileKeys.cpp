#include "gaitlab/gaitfile/GaitFileKeys.h"

namespace trotix {
namespace {

// Bounds that keep the engine well inside what it was built for: a phase
// step below one cycle, lengths within the +-1000 mm of its path searches.
constexpr double kMaxStepRate = 100.0;
constexpr double kMaxLength = kMaxFootPathLength;
constexpr double kMaxAngle = 10.0;  // rad
constexpr double kMaxPulseUs = 100000.0;
constexpr double kMaxBusPosition = 4095.0;  // a Dynamixel's last position in one turn

}  // namespace

const SectionKeys<GaitSettings>& TopLevelKeys() {
  static const SectionKeys<GaitSettings> keys = {
      // Servos take a new pulse every few to a few hundred ms; the bounds
      // also keep the physics check's ticks of a sensible length.
      {"tick_period_ms", &GaitSettings::tickPeriodMs, 1.0, 1000.0,
       "only scales time: one tick is one engine tick"},
      {"jump_threshold", &GaitSettings::jumpThreshold, 0.0, kMaxAngle,
       "rad between ticks that --report flags", NumberUnit::kAngle},
      {"servo_slew_limit", &GaitSettings::slewLimit, 0.0, 0.0,
       "--format servo also keeps each joint within max_speed"},
  };
  return keys;
}

const SectionKeys<GaitSettings>& CheckKeys() {
  static const SectionKeys<GaitSettings> keys = {
      {"reach", &GaitSettings::checkReach, 0.0, 0.0, "the solver's reach clamps"},
      {"roll_saturation", &GaitSettings::checkRollSaturation, 0.0, 0.0, "saturated shoulder rolls"},
  };
  return keys;
}

const SectionKeys<LegGaitParams>& LegKeys() {
  static const SectionKeys<LegGaitParams> keys = {
      {"stepRate", &LegGaitParams::stepRate, 0.0, kMaxStepRate},
      {"stepHeight", &LegGaitParams::stepHeight, 0.0, kMaxLength},
      {"footOffsetX", &LegGaitParams::footOffsetX, -kMaxLength, kMaxLength},
      {"footOffsetY", &LegGaitParams::footOffsetY, -kMaxLength, kMaxLength},
      {"footOffsetZ", &LegGaitParams::footOffsetZ, -kMaxLength, kMaxLength},
      {"sideStepLength", &LegGaitParams::sideStepLength, -kMaxLength, kMaxLength},
  };
  return keys;
}

const SectionKeys<FootLocus>& PathKeys() {
  static const SectionKeys<FootLocus> keys = {
      {"alongTrack", &FootLocus::alongTrack, -kMaxLength, kMaxLength},
      {"vertical", &FootLocus::vertical, -kMaxLength, kMaxLength},
  };
  return keys;
}

const SectionKeys<JointServo>& JointKeys() {
  static const SectionKeys<JointServo> keys = {
      {"lower", &JointServo::lower, -kMaxAngle, kMaxAngle, nullptr, NumberUnit::kAngle},
      {"upper", &JointServo::upper, -kMaxAngle, kMaxAngle, nullptr, NumberUnit::kAngle},
      {"max_speed", &JointServo::maxSpeed, 1e-9, 1e6, nullptr, NumberUnit::kAngularSpeed},
      // The physics model's tested torque bounds (docs/physics.md).
      {"max_torque_nm", &JointServo::maxTorqueNm, 0.1, 3.0},
      {"channel", &JointServo::channel, 0, 255},
      {"zero", &JointServo::zero, -kMaxAngle, kMaxAngle, nullptr, NumberUnit::kAngle},
      {"direction", &JointServo::direction, -1, 1},
      {"center_us", &JointServo::centerUs, 0.0, kMaxPulseUs},
      {"us_per_rad", &JointServo::usPerRad, 1e-6, kMaxPulseUs},
      {"min_us", &JointServo::minUs, 0.0, kMaxPulseUs},
      {"max_us", &JointServo::maxUs, 0.0, kMaxPulseUs},
      {"center", &JointServo::center, 0.0, kMaxBusPosition},
  };
  return keys;
}

// Lengths of at least a millimetre; the cross-checks that keep the solver
// defined (RobotSection.cpp) need the derived reach.
const std::vector<RobotKey>& RobotKeys() {
  static const std::vector<RobotKey> keys = {
      {"upper_leg_mm", &LegDimensions::upperLink, 1.0, kMaxLength, "shoulder to knee"},
      {"lower_leg_mm", &LegDimensions::lowerLink, 1.0, kMaxLength, "knee to foot"},
      {"knee_offset_rad", &LegDimensions::kneeOffset, -kMaxAngle, kMaxAngle,
       "added to the knee's bend"},
      {"pitch_offset_rad", &LegDimensions::pitchOffset, -kMaxAngle, kMaxAngle,
       "the upper link's angle from straight down at zero pitch"},
      {"min_reach_mm", &LegDimensions::minReach, 1.0, 2.0 * kMaxLength},
      {"reach_margin_mm", &LegDimensions::reachMargin, 0.0, 2.0 * kMaxLength,
       "max reach = upper + lower - margin"},
      {"shoulder_x_mm", &RobotDescription::shoulderX, 1.0, kMaxLength,
       "half the distance between front and rear shoulders"},
      {"shoulder_y_mm", &RobotDescription::shoulderY, 0.0, kMaxLength,
       "half the distance between left and right shoulders"},
  };
  return keys;
}

const ChoiceKeys<GaitVariants>& VariantKeys() {
  static const ChoiceKeys<GaitVariants> keys = {
      {"turn",
       {"specified", "rigid"},
       [](const GaitVariants& v) { return static_cast<int>(v.turn); },
       [](GaitVariants& v, int value) { v.turn = static_cast<TurnVariant>(value); }},
      {"roll",
       {"solver", "exact_roll_first"},
       [](const GaitVariants& v) { return static_cast<int>(v.roll); },
       [](GaitVariants& v, int value) { v.roll = static_cast<RollVariant>(value); }},
  };
  return keys;
}

}  // namespace trotix
