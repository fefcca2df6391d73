// Whether servos can follow a run, from the run's own ticks: each joint's
// range and fastest change, the ticks where the joint section's limits are
// broken and where a servo's pulse had to be kept within its range, and per
// leg the ticks whose foot target the solver pulled into
// reach, whose shoulder roll sat on its guard, and whose joints jumped.
// Keeps a fixed amount of memory however long the run.
#ifndef TROTIX_GAITLAB_FEASIBILITYREPORT_H_
#define TROTIX_GAITLAB_FEASIBILITYREPORT_H_

#include <array>
#include <optional>
#include <string>

#include "gaitlab/report/AngleUnit.h"
#include "gaitlab/report/TickRanges.h"
#include "gaitlab/run/GaitRun.h"
#include "gaitlab/run/GaitSettings.h"
#include "gaitlab/servo/ServoLimiter.h"

namespace trotix {

class FeasibilityReport : public TickSink {
 public:
  explicit FeasibilityReport(const GaitSettings& settings);
  void addTick(const TickRecord& record) override;

  // The number of joint limits (lower, upper, max_speed) broken at least once.
  int brokenLimitCount() const;
  // "leg0_knee max_speed (12 ticks), ..." for the broken limits.
  std::string brokenLimitSummary() const;

  // What --check fails on, e.g. "2 joint limits broken: ...; leg0_knee
  // pulses limited (12 ticks)": broken limits, limited servo pulses, and
  // reach clamps and saturated rolls when the gait file asks for them.
  // Empty when the run passes.
  std::string checkFailures() const;

  // Angles and speeds in `unit`; any unit but radians is named in a
  // "units" field.
  std::string json(const AngleUnit& unit = kRadians) const;
  // The same figures as a table for people.
  std::string table(const AngleUnit& unit = kRadians) const;

 private:
  struct Joint {
    double min = 0.0, max = 0.0;
    double maxStep = 0.0;  // largest change between consecutive ticks, rad
    std::int64_t maxStepTick = -1;
    TickRanges belowLower, aboveUpper, tooFast;
    TickRanges pulseLimited;  // ticks whose servo pulse was kept in range
  };
  // Each joint's limits as plain numbers, infinite where none is given, so
  // that a tick costs a few comparisons.
  struct Bounds {
    double lower, upper, step;  // step: max_speed x tick period
  };
  struct Leg {
    TickRanges reachedFar;   // target beyond the maximum reach
    TickRanges reachedNear;  // target inside the minimum reach
    TickRanges rollSaturated;
    TickRanges jumps;  // some joint changed by more than the jump threshold
  };

  void addJoint(int index, double angle, std::int64_t tick);

  GaitSettings settings_;
  RobotGeometry geometry_;  // the robot's, for the solver's reach
  std::int64_t ticks_ = 0;
  std::array<Bounds, kJointCount> bounds_;
  std::array<double, kJointCount> previous_{};
  std::array<Joint, kJointCount> joints_;
  std::array<Leg, kLegCount> legs_;
  std::array<std::optional<ServoLimiter>, kJointCount> servos_;  // joints with a channel
};

// Whether the gait gives the report something to fail on: joint limits,
// servo channels (whose pulses have a range) or the check section.
bool DeclaresSomethingToCheck(const GaitSettings& gait);

}  // namespace trotix

#endif  // TROTIX_GAITLAB_FEASIBILITYREPORT_H_
