#include "trotix/SliderMapping.h"

#include <gtest/gtest.h>

namespace trotix {
namespace {

void ExpectEveryLeg(const WalkEngine& engine, double stepLength, double halfStepLength,
                    double turnStep, double turnStroke) {
  for (const LegGaitParams& leg : engine.legs) {
    EXPECT_DOUBLE_EQ(leg.stepLength, stepLength);
    EXPECT_DOUBLE_EQ(leg.halfStepLength, halfStepLength);
    EXPECT_DOUBLE_EQ(leg.turnStep, turnStep);
    EXPECT_DOUBLE_EQ(leg.turnStroke, turnStroke);
  }
}

TEST(SliderMappingTest, CentredSlidersDriveATinyStrokeNotZero) {
  WalkEngine engine;
  ApplySliderPositions(engine, 0, 0);
  ExpectEveryLeg(engine, -0.0001, -0.00005, 0.0001, 0.00008);
}

TEST(SliderMappingTest, OnlyExactlyZeroIsReplaced) {
  WalkEngine engine;
  ApplySliderPositions(engine, 1, 1);
  ExpectEveryLeg(engine, -1.0, -0.5, 1.0, 0.8);
  ApplySliderPositions(engine, -1, -1);
  ExpectEveryLeg(engine, 1.0, 0.5, -1.0, -0.8);
}

TEST(SliderMappingTest, RangeEndsGiveFullStrokeAndTurn) {
  WalkEngine engine;
  ApplySliderPositions(engine, 80, -130);
  ExpectEveryLeg(engine, 130.0, 65.0, 80.0, 64.0);
  ApplySliderPositions(engine, -80, 130);
  ExpectEveryLeg(engine, -130.0, -65.0, -80.0, -64.0);
}

TEST(SliderMappingTest, TouchesNothingElseAndDoesNotTick) {
  WalkEngine engine;
  engine.tick();
  const WalkEngine before = engine;
  ApplySliderPositions(engine, 33, -77);
  EXPECT_EQ(engine.jointAngles, before.jointAngles);
  EXPECT_EQ(engine.jointCommands, before.jointCommands);
  EXPECT_EQ(engine.frameTargets, before.frameTargets);
  for (int i = 0; i < kLegCount; ++i) {
    const LegGaitParams& now = engine.legs[i];
    const LegGaitParams& was = before.legs[i];
    EXPECT_EQ(now.phase, was.phase);
    EXPECT_EQ(now.stepRate, was.stepRate);
    EXPECT_EQ(now.sideStepLength, was.sideStepLength);
    EXPECT_EQ(now.halfSideStepLength, was.halfSideStepLength);
    EXPECT_EQ(now.footOffsetX, was.footOffsetX);
    EXPECT_EQ(now.footOffsetY, was.footOffsetY);
    EXPECT_EQ(now.footOffsetZ, was.footOffsetZ);
    EXPECT_EQ(now.stepHeight, was.stepHeight);
    EXPECT_EQ(now.legIndex, was.legIndex);
  }
}

}  // namespace
}  // namespace trotix
