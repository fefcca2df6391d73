#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <limits>
#include <random>

#include "trotix/JointCommandConversion.h"
#include "trotix/SliderMapping.h"
#include "trotix/WalkEngine.h"

namespace trotix {
namespace {

constexpr long kLongRunTicks = 1000000;

TEST(TickTest, TruncatesCommandsTowardZero) {
  EXPECT_EQ(RadiansToJointCommand(0.0349066), 34906);
  EXPECT_EQ(RadiansToJointCommand(-0.0349066), -34906);
  EXPECT_EQ(RadiansToJointCommand(-0.0000015), -1);
  EXPECT_EQ(RadiansToJointCommand(-0.0000005), 0);
  EXPECT_EQ(RadiansToJointCommand(1.818256150), 1818256);
  EXPECT_EQ(RadiansToJointCommand(-1.002311466), -1002311);
}

TEST(TickTest, CommandsSaturateInsteadOfOverflowing) {
  EXPECT_EQ(RadiansToJointCommand(1e10), std::numeric_limits<JointCommand>::max());
  EXPECT_EQ(RadiansToJointCommand(-1e10), std::numeric_limits<JointCommand>::min());
  EXPECT_EQ(RadiansToJointCommand(std::numeric_limits<double>::quiet_NaN()), 0);
  EXPECT_EQ(RadiansToJointCommand(-std::numeric_limits<double>::infinity()),
            std::numeric_limits<JointCommand>::min());
}

TEST(TickTest, SolvesRowZeroIntoAnglesAndCommands) {
  WalkEngine engine;
  ApplySliderPositions(engine, 25, -90);
  engine.framesPerTick = 4;
  engine.pendingMotion = 7;
  engine.tick();
  EXPECT_EQ(engine.framesPerTick, 1);
  EXPECT_EQ(engine.pendingMotion, 0);
  EXPECT_EQ(engine.motionIndex, -1);  // no motion was selected

  for (int leg = 0; leg < kLegCount; ++leg) {
    const auto& t = engine.frameTargets[0][leg];
    double roll, pitch, knee;
    if (leg < 2) {
      engine.solveFrontLeg(t[0], t[1], t[2], roll, pitch, knee, 0, 0);
    } else {
      engine.solveRearLeg(t[0], t[1], t[2], roll, pitch, knee, 0, 0);
    }
    EXPECT_EQ(engine.jointAngles[3 * leg], pitch);
    EXPECT_EQ(engine.jointAngles[3 * leg + 1], roll);
    EXPECT_EQ(engine.jointAngles[3 * leg + 2], knee);
    // Rows 1 to 3 differ from row 0 and never reach the outputs.
    const auto& later = engine.frameTargets[3][leg];
    if (leg < 2) {
      engine.solveFrontLeg(later[0], later[1], later[2], roll, pitch, knee, 0, 0);
    } else {
      engine.solveRearLeg(later[0], later[1], later[2], roll, pitch, knee, 0, 0);
    }
    EXPECT_NE(engine.jointAngles[3 * leg], pitch);
  }
  for (int k = 0; k < kJointCount; ++k) {
    EXPECT_EQ(engine.jointCommands[k], RadiansToJointCommand(engine.jointAngles[k]));
  }
}

TEST(TickTest, FrontAndRearLegsDifferForTheSameTarget) {
  WalkEngine engine;
  double roll, front, rear, knee;
  engine.solveFrontLeg(10, 0, 100, roll, front, knee, 0, 0);
  engine.solveRearLeg(10, 0, 100, roll, rear, knee, 0, 0);
  EXPECT_NEAR(front, -0.897528, 1e-6);
  EXPECT_NEAR(rear, -1.132853, 1e-6);
}

TEST(TickTest, OutOfRangeCommandSlotsAreIgnored) {
  WalkEngine engine;
  engine.setJointCommand(5, 11);
  engine.setJointCommand(9, 12);
  engine.setJointCommand(9, -1);
  EXPECT_EQ(engine.jointCommands[11], 5);
  EXPECT_EQ(engine.auxTargets[0], 0);
  for (int k = 0; k < 11; ++k) EXPECT_EQ(engine.jointCommands[k], 0);
}

// Random slider positions, mostly inside the sliders' ranges and sometimes far
// outside, changed every few ticks: every output stays finite and every
// command is its angle truncated to micro-radians.
TEST(TickTest, LongRandomRunKeepsCommandsTruncatedAndFinite) {
  std::mt19937 random(2024);
  std::uniform_int_distribution<int> horizontal(-80, 80);
  std::uniform_int_distribution<int> vertical(-130, 130);
  std::uniform_int_distribution<int> hostile(std::numeric_limits<int>::min(),
                                             std::numeric_limits<int>::max());
  std::uniform_int_distribution<int> holdFor(1, 200);
  WalkEngine engine;
  int held = 0;
  long mismatches = 0;
  for (long tick = 0; tick < kLongRunTicks; ++tick) {
    if (held-- == 0) {
      const bool wild = random() % 50 == 0;
      ApplySliderPositions(engine, wild ? hostile(random) : horizontal(random),
                           wild ? hostile(random) : vertical(random));
      held = holdFor(random);
    }
    engine.tick();
    for (int k = 0; k < kJointCount; ++k) {
      const double angle = engine.jointAngles[k];
      if (!std::isfinite(angle) ||
          engine.jointCommands[k] != static_cast<std::int32_t>(angle * 1000000.0)) {
        ++mismatches;
      }
    }
  }
  EXPECT_EQ(mismatches, 0);
}

}  // namespace
}  // namespace trotix
