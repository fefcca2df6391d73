// The feasibility report against the engine's own ticks, what --check fails
// on, and the tick sets it counts in.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <string>
#include <vector>

#include "gaitlab/report/FeasibilityReport.h"
#include "gaitlab/run/GaitRun.h"
#include "testing/engine/EngineReference.h"

namespace trotix {
namespace {

// Reports on `ticks` of `gait` from the sliders `start`.
void Walk(FeasibilityReport& report, const GaitSettings& gait, std::int64_t ticks,
          SliderPositions start) {
  RunSettings settings;
  settings.walk = WalkStepOf(gait);
  RunGait(ticks, start, {}, {&report}, settings);
}

// The number that follows "key": in `text`, from `from` on.
double JsonField(const std::string& text, const std::string& key, std::size_t from = 0) {
  const std::size_t at = text.find("\"" + key + "\": ", from);
  EXPECT_NE(at, std::string::npos) << key;
  return at == std::string::npos ? NAN : std::strtod(text.c_str() + at + key.size() + 4, nullptr);
}

TEST(FeasibilityReportTest, FiguresEqualThoseOfTheSameRunsTicks) {
  FeasibilityReport report(DefaultGaitSettings());
  Walk(report, DefaultGaitSettings(), 200, {80, -130});
  const std::vector<ReferenceTick> ticks = ReferenceRun(200, 80, -130);
  const std::string json = report.json();
  for (int joint = 0; joint < kJointCount; ++joint) {
    double low = ticks[0].angles[joint], high = low, step = 0.0;
    for (std::size_t t = 1; t < ticks.size(); ++t) {
      low = std::min(low, ticks[t].angles[joint]);
      high = std::max(high, ticks[t].angles[joint]);
      step = std::max(step, std::fabs(ticks[t].angles[joint] - ticks[t - 1].angles[joint]));
    }
    const std::size_t at = json.find("\"" + JointName(joint) + "\": {");
    ASSERT_NE(at, std::string::npos);
    EXPECT_EQ(JsonField(json, "min", at), low) << joint;
    EXPECT_EQ(JsonField(json, "max", at), high) << joint;
    EXPECT_EQ(JsonField(json, "max_speed", at), step / 0.033) << joint;
  }
  for (int leg = 0; leg < kLegCount; ++leg) {
    int beyond = 0, saturated = 0, jumps = 0;
    for (std::size_t t = 0; t < ticks.size(); ++t) {
      const double* target = &ticks[t].targets[3 * leg];
      beyond += target[0] * target[0] + target[1] * target[1] + target[2] * target[2] >
                LegGeometryOf(leg).maxReachSquared;
      saturated += std::fabs(ticks[t].angles[3 * leg + 1]) == std::asin(0.999);
      bool jump = false;
      for (int j = 3 * leg; j < 3 * leg + 3 && t > 0; ++j) {
        jump |= std::fabs(ticks[t].angles[j] - ticks[t - 1].angles[j]) > 0.2;
      }
      jumps += jump;
    }
    const std::size_t at = json.find("{\"leg\": " + std::to_string(leg));
    EXPECT_EQ(JsonField(json, "count", json.find("beyond_max", at)), beyond) << leg;
    EXPECT_EQ(JsonField(json, "count", json.find("roll_saturated", at)), saturated) << leg;
    EXPECT_EQ(JsonField(json, "count", json.find("jumps", at)), jumps) << leg;
  }
  EXPECT_GT(JsonField(json, "count", json.find("beyond_max")), 0) << "the case clamps";

  // In degrees the report says so and its angles follow the unit.
  const std::string degrees = report.json(kDegrees);
  EXPECT_NE(degrees.find("\"units\": \"deg\""), std::string::npos);
  EXPECT_EQ(json.find("\"units\""), std::string::npos) << "radians stay as they were";
  for (const char* field : {"min", "max"}) {
    const std::size_t rad = json.find("\"leg2_knee\""), deg = degrees.find("\"leg2_knee\"");
    EXPECT_EQ(JsonField(degrees, field, deg), JsonField(json, field, rad) * kDegreesPerRadian);
  }
}

// --check fails on a broken joint limit and on a servo's pulses kept in
// their range, and only then.
TEST(FeasibilityReportTest, CheckFailsOnABrokenLimitOrALimitedPulse) {
  GaitSettings tight = DefaultGaitSettings(), loose = tight, pulses = tight;
  tight.robot.joints[2].maxSpeed = 8.0;
  JointServo& knee = loose.robot.joints[2];
  knee.lower = 0.3, knee.upper = 2.2, knee.maxSpeed = 40.0, knee.channel = 7;
  knee.zero = 1.5, knee.direction = -1, knee.centerUs = 1400.0, knee.usPerRad = 600.0;
  pulses.robot.joints[2].lower = 0.3, pulses.robot.joints[2].upper = 1.0;
  pulses.robot.joints[2].channel = 0, pulses.robot.joints[2].usPerRad = 636.62;
  pulses.robot.joints[5].channel = 1, pulses.robot.joints[5].usPerRad = 5000.0;
  FeasibilityReport broken(tight), kept(loose), limited(pulses);
  Walk(broken, tight, 100, {80, -130});
  Walk(kept, loose, 100, {80, -130});
  Walk(limited, pulses, 60, {0, 0});
  EXPECT_NE(broken.checkFailures().find("leg0_knee max_speed"), std::string::npos)
      << broken.checkFailures();
  EXPECT_EQ(kept.checkFailures(), "");
  EXPECT_NE(limited.checkFailures().find("leg1_knee pulses limited (60 ticks)"), std::string::npos)
      << limited.checkFailures();
  const std::string json = limited.json();
  EXPECT_EQ(JsonField(json, "count", json.find("pulse_limited", json.find("leg1_knee"))), 60);
  EXPECT_EQ(JsonField(json, "count", json.find("pulse_limited", json.find("leg2_knee"))), 0);
}

TEST(TickRangesTest, KeepsRunsOfTicksUpToItsLimit) {
  TickRanges ticks;
  EXPECT_EQ(ticks.text(), "none");
  for (const std::int64_t tick : {4, 5, 5, 9}) ticks.add(tick);
  EXPECT_EQ(ticks.text(), "3 ticks: 4-5, 9");
  EXPECT_EQ(ticks.json(), "{\"count\": 3, \"ticks\": [[4, 5], [9, 9]], \"more\": false}");
  for (std::int64_t tick = 20; tick < 80; tick += 2) ticks.add(tick);
  EXPECT_EQ(ticks.count(), 33);
  EXPECT_EQ(ticks.rangeCount(), TickRanges::kMaxRanges);
  EXPECT_TRUE(ticks.truncated());
  EXPECT_EQ(ticks.text().substr(ticks.text().size() - 7), "54, ...");
}

}  // namespace
}  // namespace trotix
