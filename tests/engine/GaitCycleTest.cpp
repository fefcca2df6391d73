#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "trotix/SliderMapping.h"
#include "trotix/WalkEngine.h"

namespace trotix {
namespace {

using Point = std::array<double, 3>;

void ExpectTarget(const Point& actual, double x, double z) {
  EXPECT_NEAR(actual[0], x, 5e-5);
  EXPECT_NEAR(actual[1], 3.0, 1e-5);
  EXPECT_NEAR(actual[2], z, 5e-5);
}

TEST(GaitCycleTest, FreshEngineTargetsAfterOneAdvance) {
  WalkEngine engine;
  engine.advanceGait();
  for (const LegGaitParams& leg : engine.legs) EXPECT_DOUBLE_EQ(leg.phase, 0.064);
  const auto& t = engine.frameTargets;
  ExpectTarget(t[0][0], 53.4133, 74.3421);
  ExpectTarget(t[0][3], 53.4133, 74.3421);
  ExpectTarget(t[0][1], 47.4400, 88.5407);
  ExpectTarget(t[0][2], 47.4400, 88.5407);
  ExpectTarget(t[3][0], 63.6533, 72.8855);
  ExpectTarget(t[3][1], 39.7600, 89.3352);
}

TEST(GaitCycleTest, RestingSlidersUseTheMirroredPath) {
  WalkEngine engine;
  ApplySliderPositions(engine, 0, 0);
  engine.advanceGait();
  ExpectTarget(engine.frameTargets[0][0], 50.0, 82.3448);
  ExpectTarget(engine.frameTargets[0][3], 50.0, 82.3448);
  ExpectTarget(engine.frameTargets[0][1], 50.0, 88.5407);
  ExpectTarget(engine.frameTargets[0][2], 50.0, 88.5407);
}

TEST(GaitCycleTest, OneCycleLastsSixtyThreeFramesAndDropsTheExcess) {
  WalkEngine engine;
  engine.walkMode = 0;
  for (int call = 0; call < 15; ++call) engine.advanceGait();  // 60 frames
  EXPECT_NEAR(engine.legs[0].phase, 0.96, 1e-12);
  engine.advanceGait();  // frames 61, 62 (0.992), 63 (reset) and 64
  for (const LegGaitParams& leg : engine.legs) EXPECT_DOUBLE_EQ(leg.phase, 0.016);

  WalkEngine odd;
  odd.walkMode = 0;
  odd.legs[2].stepRate = 40.0;  // 0.32 per frame: 0.96 + 0.32 lands on 0, not 0.28
  odd.advanceGait();
  EXPECT_DOUBLE_EQ(odd.legs[2].phase, 0.0);
}

TEST(GaitCycleTest, UnknownWalkModesOnlyAdvanceThePhase) {
  for (WalkMode mode : {0, 1, 5, -3}) {
    WalkEngine engine;
    engine.walkMode = mode;
    engine.frameTargets[2][1] = {7.0, 8.0, 9.0};
    const FrameTargets before = engine.frameTargets;
    engine.advanceGait();
    EXPECT_EQ(engine.frameTargets, before);
    for (const LegGaitParams& leg : engine.legs) EXPECT_DOUBLE_EQ(leg.phase, 0.064);
  }
}

TEST(GaitCycleTest, ScalingFindsTheSwingAndMirrorsBackwardStrokes) {
  WalkEngine engine;
  const FootLocus path = DefaultFootLocus();
  FootLocus scaled;
  engine.scaleLocus(path.alongTrack, path.vertical, scaled.alongTrack, scaled.vertical, 37.5, 29.0);
  EXPECT_EQ(engine.locusMinIndex, 3);
  EXPECT_EQ(engine.locusMaxIndex, 7);
  EXPECT_EQ(engine.swingSpan, 4.0);
  EXPECT_EQ(engine.stanceSpan, 6.0);
  EXPECT_DOUBLE_EQ(scaled.alongTrack[7], 45.0);
  EXPECT_DOUBLE_EQ(scaled.vertical[6], -13.0);

  engine.scaleLocus(path.alongTrack, path.vertical, scaled.alongTrack, scaled.vertical, -10, 20);
  EXPECT_EQ(engine.locusMinIndex, 7);
  EXPECT_EQ(engine.locusMaxIndex, 3);
  EXPECT_EQ(engine.swingSpan, 4.0);
  EXPECT_EQ(engine.stanceSpan, 6.0);
}

TEST(GaitCycleTest, ForwardSamplingIsContinuousAndMirroredJumpsAtAQuarter) {
  WalkEngine engine;
  const FootLocus path = DefaultFootLocus();
  FootLocus scaled;
  const double before = std::nextafter(0.25, 0.0);
  auto sampleX = [&](double u) {
    engine.sampleLocus(scaled.alongTrack, scaled.vertical, u);
    return engine.locusSampleX;
  };
  engine.scaleLocus(path.alongTrack, path.vertical, scaled.alongTrack, scaled.vertical, 30, 20);
  for (double boundary : {0.25, 0.75}) {
    EXPECT_NEAR(sampleX(std::nextafter(boundary, 0.0)), sampleX(boundary), 1e-9);
  }
  EXPECT_NEAR(sampleX(std::nextafter(1.0, 0.0)), sampleX(0.0), 1e-9);
  EXPECT_DOUBLE_EQ(sampleX(0.5), scaled.alongTrack[5]);

  engine.scaleLocus(path.alongTrack, path.vertical, scaled.alongTrack, scaled.vertical, -30, 20);
  EXPECT_NEAR(sampleX(before), scaled.alongTrack[3], 1e-9);
  EXPECT_DOUBLE_EQ(sampleX(0.25), scaled.alongTrack[2]);
  EXPECT_NEAR(sampleX(std::nextafter(0.75, 0.0)), sampleX(0.75), 1e-9);
  EXPECT_NEAR(sampleX(std::nextafter(1.0, 0.0)), sampleX(0.0), 1e-9);
}

TEST(GaitCycleTest, ZeroStrokeSamplesPointsZeroToFourLate) {
  WalkEngine engine;
  const FootLocus path = DefaultFootLocus();
  FootLocus scaled;
  engine.scaleLocus(path.alongTrack, path.vertical, scaled.alongTrack, scaled.vertical, 0.0, 29);
  EXPECT_EQ(engine.locusMinIndex, 9);
  EXPECT_EQ(engine.locusMaxIndex, 9);
  EXPECT_EQ(engine.swingSpan, 0.0);
  EXPECT_EQ(engine.stanceSpan, 10.0);
  // p = 20 (u - 0.75) + 9 runs from 10 to 14 while u goes from 0.8 to 1.
  for (int point = 0; point < 4; ++point) {
    engine.sampleLocus(scaled.alongTrack, scaled.vertical, 0.8 + 0.05 * point);
    EXPECT_EQ(engine.locusSampleX, 0.0);
    EXPECT_NEAR(engine.locusSampleZ, scaled.vertical[point], 1e-9);
  }
  engine.sampleLocus(scaled.alongTrack, scaled.vertical, std::nextafter(1.0, 0.0));
  EXPECT_NEAR(engine.locusSampleZ, scaled.vertical[4], 1e-9);
}

TEST(GaitCycleTest, FlatFootPathScalesByZeroNotInfinity) {
  WalkEngine engine;
  FootLocus flat;
  flat.alongTrack.fill(5.0);
  flat.vertical.fill(-2.0);
  FootLocus scaled;
  engine.scaleLocus(flat.alongTrack, flat.vertical, scaled.alongTrack, scaled.vertical, 40, 20);
  for (int i = 0; i < kLocusPoints; ++i) {
    EXPECT_EQ(scaled.alongTrack[i], 0.0);
    EXPECT_EQ(scaled.vertical[i], 0.0);
  }
  engine.locusSet2.front = flat;
  engine.locusSet2.rear.vertical.fill(0.0);
  engine.tick();
  for (const auto& frame : engine.frameTargets) {
    for (const auto& target : frame) {
      for (double v : target) EXPECT_TRUE(std::isfinite(v));
    }
  }
}

TEST(GaitCycleTest, SwayIsATriangleAndLateCyclesFoldBack) {
  WalkEngine engine;
  engine.locusSampleX = 0.0;
  engine.locusSampleZ = 0.0;
  const double g = 6.0;
  auto swayAt = [&](double cyclePosition) {
    engine.writeFrameTarget(1, 2, cyclePosition, g, 0, 3, 0);
    return engine.frameTargets[2][1][1] - 3.0;
  };
  EXPECT_DOUBLE_EQ(swayAt(0.0), 0.0);
  EXPECT_DOUBLE_EQ(swayAt(0.25), -g);
  EXPECT_DOUBLE_EQ(swayAt(0.5), 0.0);
  EXPECT_DOUBLE_EQ(swayAt(0.75), g);
  EXPECT_NEAR(swayAt(std::nextafter(1.0, 0.0)), 0.0, 1e-9);
  EXPECT_EQ(swayAt(1.1), swayAt(1.1 - 1.0));
  EXPECT_NEAR(swayAt(1.4), swayAt(0.4), 1e-12);
}

TEST(GaitCycleTest, HostilePhasesAndStrokesKeepTargetsInBounds) {
  const double nan = std::numeric_limits<double>::quiet_NaN();
  for (double phase : {nan, -1e300, -7.5, 1e300}) {
    WalkEngine engine;
    for (LegGaitParams& leg : engine.legs) leg.phase = phase;
    engine.legs[1].halfStepLength = nan;
    engine.legs[2].turnStroke = 1e308;
    for (int i = 0; i < 5; ++i) engine.tick();
    for (double angle : engine.jointAngles) EXPECT_TRUE(std::isfinite(angle));
  }
}

// Walk modes 2, 3 and 4 each read their own LocusSet, the front path for
// legs 0 and 1 and the rear path for legs 2 and 3.
TEST(GaitCycleTest, EachWalkModeUsesItsOwnRearPathForTheRearLegs) {
  WalkEngine fresh;
  fresh.advanceGait();
  for (WalkMode mode : {2, 3, 4}) {
    for (WalkMode changed : {2, 3, 4}) {
      WalkEngine engine;
      engine.walkMode = mode;
      LocusSet& set = changed == 2   ? engine.locusSet2
                      : changed == 3 ? engine.locusSet3
                                     : engine.locusSet4;
      set.rear.vertical[4] = 30.0;
      engine.advanceGait();
      for (int leg = 0; leg < kLegCount; ++leg) {
        const bool moved = leg >= 2 && changed == mode;
        for (int frame = 0; frame < kFramesPerAdvance; ++frame) {
          EXPECT_EQ(engine.frameTargets[frame][leg] != fresh.frameTargets[frame][leg], moved)
              << "mode " << mode << " changed set " << changed << " leg " << leg;
        }
      }
    }
  }
}

// Each leg's targets depend on its own gait parameters only, however the
// others differ (a gait file may set every leg apart).
TEST(GaitCycleTest, EachLegFollowsOnlyItsOwnParameters) {
  WalkEngine mixed;
  for (int leg = 0; leg < kLegCount; ++leg) {
    LegGaitParams& p = mixed.legs[leg];
    p.halfStepLength = 40.0 - 25.0 * leg;
    p.turnStroke = leg % 2 ? -30.0 : 12.0;
    p.stepRate = 1.5 + leg;
    p.footOffsetY = 2.0 * leg;
  }
  for (int call = 0; call < 7; ++call) mixed.advanceGait();
  for (int leg = 0; leg < kLegCount; ++leg) {
    WalkEngine alike;
    for (LegGaitParams& p : alike.legs) p = mixed.legs[leg];
    for (LegGaitParams& p : alike.legs) p.phase = 0.0;
    for (int call = 0; call < 7; ++call) alike.advanceGait();
    for (int frame = 0; frame < kFramesPerAdvance; ++frame) {
      EXPECT_EQ(alike.frameTargets[frame][leg], mixed.frameTargets[frame][leg]) << "leg " << leg;
    }
  }
}

TEST(GaitCycleTest, HostileScratchValuesNeverIndexPastThePath) {
  const double nan = std::numeric_limits<double>::quiet_NaN();
  WalkEngine engine;
  const FootLocus path = DefaultFootLocus();
  for (int minIndex : {-50, 3, 9, 1000}) {
    for (double span : {-1e300, -3.0, 0.0, 4.0, 1e9, nan}) {
      engine.locusMinIndex = minIndex;
      engine.locusMaxIndex = 7;
      engine.swingSpan = span;
      engine.stanceSpan = -span;
      for (double position : {-2.0, 0.1, 0.5, 0.9, 1.4, 7.0, nan}) {
        engine.sampleLocus(path.alongTrack, path.vertical, position);
      }
    }
  }
  FootLocus flat, scaled;
  flat.alongTrack.fill(nan);
  engine.locusMinIndex = std::numeric_limits<int>::min();
  engine.locusMaxIndex = std::numeric_limits<int>::max();
  engine.scaleLocus(flat.alongTrack, flat.vertical, scaled.alongTrack, scaled.vertical, 1, 1);
  engine.sampleLocus(scaled.alongTrack, scaled.vertical, 0.3);
  engine.writeFrameTarget(4, 0, 0.5, 1, 0, 0, 0);
  engine.writeFrameTarget(0, -1, 0.5, 1, 0, 0, 0);
  EXPECT_EQ(engine.frameTargets, FrameTargets{});
}

}  // namespace
}  // namespace trotix
