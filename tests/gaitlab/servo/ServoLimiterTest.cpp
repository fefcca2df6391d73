// The pulses a servo is sent: within its pulse range, its angle limits and
// its max_speed, and its plain calibration wherever none of them holds it.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <random>
#include <string>
#include <vector>

#include "gaitlab/robot/Transmission.h"
#include "gaitlab/run/GaitRun.h"
#include "gaitlab/servo/ServoLimiter.h"
#include "testing/run/CollectingSink.h"
#include "trotix/SliderMapping.h"

namespace trotix {
namespace {

// The ticks of `gait` run from `start` through `schedule`.
std::vector<TickRecord> Walk(const GaitSettings& gait, std::int64_t ticks, SliderPositions start,
                             const Schedule& schedule = {}) {
  CollectingSink run;
  RunSettings settings;
  settings.walk = WalkStepOf(gait);
  RunGait(ticks, start, schedule, {&run}, settings);
  return run.records;
}

// A random servo set-up: calibration, angle limits, pulse range, speed
// limit, for some of the joints.
GaitSettings RandomServos(std::mt19937& random) {
  const auto uniform = [&random](double low, double high) {
    return std::uniform_real_distribution<double>(low, high)(random);
  };
  const auto chance = [&random](double p) { return std::bernoulli_distribution(p)(random); };
  GaitSettings gait = DefaultGaitSettings();
  gait.tickPeriodMs = uniform(1.0, 1000.0);
  gait.slewLimit = chance(0.5);
  for (int joint = 0; joint < kJointCount; ++joint) {
    JointServo& servo = gait.robot.joints[joint];
    if (chance(0.3)) continue;
    servo.channel = joint;
    servo.zero = uniform(-1.0, 1.0);
    servo.direction = chance(0.5) ? 1 : -1;
    servo.centerUs = uniform(1000.0, 2000.0);
    servo.usPerRad = uniform(100.0, 5000.0);
    servo.minUs = uniform(400.0, 1400.0);
    servo.maxUs = servo.minUs + uniform(100.0, 1600.0);
    if (chance(0.6)) servo.lower = uniform(-3.0, 2.0);
    if (chance(0.6)) servo.upper = servo.lower.value_or(-3.0) + uniform(0.05, 3.0);
    if (chance(0.5)) servo.maxSpeed = uniform(0.5, 20.0);
    // A range that no pulse of the pulse range reaches is refused at load.
    if (!UnreachableRange(servo).empty()) servo.lower.reset(), servo.upper.reset();
  }
  return gait;
}

// Over random servos, sliders and schedules, no pulse leaves its pulse
// range, nor the pulses of its angle limits where those lie within it, with
// the slew limit on no pulse moves faster than max_speed, and a pulse that
// none of them holds back is its calibration's.
TEST(ServoLimiterTest, NoPulseLeavesItsRange) {
  std::mt19937 random(20261208);
  for (int trial = 0; trial < 40; ++trial) {
    const GaitSettings gait = RandomServos(random);
    std::uniform_int_distribution<int> turn(kTurnMin, kTurnMax), step(kStepMin, kStepMax);
    const Schedule schedule = {{40, turn(random), step(random)}, {90, turn(random), step(random)}};
    const std::vector<TickRecord> ticks = Walk(gait, 150, {turn(random), step(random)}, schedule);
    for (int joint = 0; joint < kJointCount; ++joint) {
      const JointServo& servo = gait.robot.joints[joint];
      ServoLimiter limiter(servo, gait.tickSeconds(), gait.slewLimit);
      const double a = PulseUs(servo, servo.lower.value_or(-INFINITY));
      const double b = PulseUs(servo, servo.upper.value_or(INFINITY));
      const double low = std::max(std::min(a, b), servo.minUs);
      const double high = std::min(std::max(a, b), servo.maxUs);
      const double slew = servo.maxSpeed.value_or(INFINITY) * gait.tickSeconds() * servo.usPerRad;
      double previous = NAN;
      for (const TickRecord& record : ticks) {
        const double p = static_cast<double>(limiter.pulse(record.angles[joint]));
        const std::string where = "trial " + std::to_string(trial) + ", " + JointName(joint) +
                                  ", tick " + std::to_string(record.tick);
        ASSERT_GE(p, servo.minUs) << where;
        ASSERT_LE(p, servo.maxUs) << where;
        if (std::ceil(low) <= std::floor(high)) {
          ASSERT_GE(p, low) << where;
          ASSERT_LE(p, high) << where;
        }
        const double plain =
            servo.centerUs + servo.direction * servo.usPerRad * (record.angles[joint] - servo.zero);
        ASSERT_EQ(limiter.limited(), p != std::llround(plain)) << where;
        if (gait.slewLimit && record.tick > 0) {
          ASSERT_LE(std::fabs(p - previous), slew + 1.0) << where;
        }
        previous = p;
      }
    }
  }
}

}  // namespace
}  // namespace trotix
