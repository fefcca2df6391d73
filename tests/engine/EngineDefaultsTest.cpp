#include <gtest/gtest.h>

#include "trotix/WalkEngine.h"

namespace trotix {
namespace {

TEST(EngineDefaultsTest, FreshEngineHasItsStartValues) {
  const WalkEngine engine;
  EXPECT_EQ(engine.walkMode, 2);
  EXPECT_TRUE(engine.motionTable.empty());
  EXPECT_EQ(engine.commandThreshold, 34906);
  EXPECT_EQ(engine.commandStep, 174532);
  EXPECT_EQ(engine.motionIndex, -1);
  EXPECT_FALSE(engine.motionActive);
  for (int k = 0; k < kJointCount; ++k) {
    EXPECT_EQ(engine.jointAngles[k], 0.0);
    EXPECT_EQ(engine.jointCommands[k], 0);
  }
  for (const auto& frame : engine.frameTargets) {
    for (const auto& target : frame) {
      for (double v : target) EXPECT_EQ(v, 0.0);
    }
  }
  for (const FootLocus& locus : engine.scaledLocus) {
    for (int i = 0; i < kLocusPoints; ++i) {
      EXPECT_EQ(locus.alongTrack[i], 0.0);
      EXPECT_EQ(locus.vertical[i], 0.0);
    }
  }
}

TEST(EngineDefaultsTest, EveryLegStartsWithTheSameGaitParameters) {
  const WalkEngine engine;
  for (int i = 0; i < kLegCount; ++i) {
    const LegGaitParams& leg = engine.legs[i];
    EXPECT_EQ(leg.legIndex, i);
    EXPECT_EQ(leg.stepRate, 2.0);
    EXPECT_EQ(leg.phase, 0.0);
    EXPECT_EQ(leg.halfStepLength, leg.stepLength * 0.5);
    EXPECT_EQ(leg.halfStepLength, 50.0);
    EXPECT_EQ(leg.halfSideStepLength, leg.sideStepLength * 0.5);
    EXPECT_DOUBLE_EQ(leg.halfSideStepLength, 0.000005);
    EXPECT_GT(leg.turnStroke, 0.0);
    EXPECT_GT(leg.turnStep, 0.0);
  }
}

TEST(EngineDefaultsTest, AllSixFootPathsAreTheClosedDefaultPath) {
  const WalkEngine engine;
  const FootLocus path = DefaultFootLocus();
  EXPECT_EQ(path.alongTrack[3], -30.0);
  EXPECT_EQ(path.alongTrack[7], 45.0);
  EXPECT_EQ(path.vertical[6], -13.0);
  EXPECT_EQ(path.vertical[3], 16.0);
  for (const LocusSet* set : {&engine.locusSet2, &engine.locusSet3, &engine.locusSet4}) {
    for (const FootLocus* locus : {&set->front, &set->rear}) {
      EXPECT_EQ(locus->alongTrack, path.alongTrack);
      EXPECT_EQ(locus->vertical, path.vertical);
      EXPECT_EQ(locus->alongTrack[9], locus->alongTrack[0]);
      EXPECT_EQ(locus->vertical[9], locus->vertical[0]);
    }
  }
}

}  // namespace
}  // namespace trotix
