// Names shared by the CSV and JSON Lines tables.
#ifndef TROTIX_GAITLAB_TABLECOLUMNS_H_
#define TROTIX_GAITLAB_TABLECOLUMNS_H_

#include <cstddef>
#include <cstdint>

#include "gaitlab/report/AngleUnit.h"
#include "gaitlab/run/GaitSettings.h"  // kJointNames

namespace trotix {

// What the rows hold besides the joint angles and commands.
struct TableLayout {
  bool targets = false;                 // the four frame-0 foot targets
  bool body = false;                    // the physics model's trunk pose (--physics)
  bool torques = false;                 // the physics model's servo torques (--physics-torques)
  double tickPeriodMs = kTickPeriodMs;  // time_s = tick x period
  AngleUnit angles;                     // of the joint angles and the trunk's yaw, roll, pitch

  // Whole multiples of the period divided once, so 3 ticks of 33 ms read 0.099.
  double seconds(std::int64_t tick) const {
    return static_cast<double>(tick) * tickPeriodMs / 1000.0;
  }
};

constexpr const char* kAxisNames[3] = {"x", "y", "z"};
// The trunk's pose, in the order of BodyPose; x, y and height in mm.
constexpr const char* kBodyNames[6] = {"x", "y", "yaw", "roll", "pitch", "height"};
constexpr bool kBodyIsAngle[6] = {false, false, true, true, true, false};

// Upper bound of one row of either table, line end included.
constexpr std::size_t kMaxRowChars = 2048;

}  // namespace trotix

#endif  // TROTIX_GAITLAB_TABLECOLUMNS_H_
