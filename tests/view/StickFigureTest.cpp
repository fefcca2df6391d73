#include "view/StickFigure.h"

#include <cmath>

#include <gtest/gtest.h>

namespace trotix {
namespace {

constexpr double kHalfPi = kTruePi / 2.0;
constexpr double kTolerance = 1e-5;  // float vertices, and the program's pi of 3.141592

struct LegSegments {
  Segment upper;
  Segment lower;
};

LegSegments Leg(const std::vector<Segment>& figure, int leg) {
  return {figure.at(kBodySegmentCount + 2 * leg), figure.at(kBodySegmentCount + 2 * leg + 1)};
}

void ExpectNear(const Vertex& actual, double x, double y, double z, double tolerance = kTolerance) {
  EXPECT_NEAR(actual[0], x, tolerance);
  EXPECT_NEAR(actual[1], y, tolerance);
  EXPECT_NEAR(actual[2], z, tolerance);
}

bool SameColour(const Colour& a, const Colour& b) {
  return a.red == b.red && a.green == b.green && a.blue == b.blue;
}

TEST(StickFigureTest, WithoutEngineOnlyTheCyanBody) {
  const std::vector<Segment> figure = StickFigure(nullptr);
  ASSERT_EQ(figure.size(), static_cast<size_t>(kBodySegmentCount));
  for (const Segment& segment : figure) EXPECT_TRUE(SameColour(segment.colour, kBodyColour));
  ExpectNear(figure[0].from, 7, 3, 0);  // the head points to +x
  ExpectNear(figure[3].to, -5, 1, 0);   // the spine ends at the hips
}

TEST(StickFigureTest, ZeroAnglesHangEveryLegStraightDown) {
  const JointAngles zero{};
  const std::vector<Segment> figure = StickFigure(&zero);
  ASSERT_EQ(figure.size(), static_cast<size_t>(kFigureSegmentCount));
  const double mounts[4][2] = {{5, 5}, {5, -5}, {-5, 5}, {-5, -5}};
  for (int leg = 0; leg < kLegCount; ++leg) {
    SCOPED_TRACE(leg);
    const LegSegments segments = Leg(figure, leg);
    const double x = mounts[leg][0], z = mounts[leg][1];
    ExpectNear(segments.upper.from, x, 1, z);
    ExpectNear(segments.upper.to, x, -2, z);
    ExpectNear(segments.lower.from, x, -2, z);
    ExpectNear(segments.lower.to, x, -5, z);
    EXPECT_TRUE(SameColour(segments.upper.colour, kUpperLegColour));
    EXPECT_TRUE(SameColour(segments.lower.colour, kLowerLegColour));
  }
}

TEST(StickFigureTest, PitchSwingsFrontLegsForwardAndRearLegsBackward) {
  JointAngles angles{};
  angles[0] = kHalfPi;  // leg 0, front
  angles[6] = kHalfPi;  // leg 2, rear
  const std::vector<Segment> figure = StickFigure(&angles);
  // The program's pi is a little short of the true one: allow for it.
  ExpectNear(Leg(figure, 0).upper.to, 5 + 3, 1, 5, 1e-4);
  ExpectNear(Leg(figure, 2).upper.to, -5 - 3, 1, 5, 1e-4);
  // With a straight knee the lower segment continues the upper one.
  ExpectNear(Leg(figure, 0).lower.to, 5 + 6, 1, 5, 1e-4);
  ExpectNear(Leg(figure, 2).lower.to, -5 - 6, 1, 5, 1e-4);
}

TEST(StickFigureTest, KneeAngleAddsToPitch) {
  JointAngles angles{};
  angles[3] = 0.3;  // leg 1 pitch
  angles[5] = 0.2;  // leg 1 knee
  const LegSegments leg = Leg(StickFigure(&angles), 1);
  ExpectNear(leg.upper.to, 5 + 3 * std::sin(0.3), 1 - 3 * std::cos(0.3), -5);
  const double dx = leg.lower.to[0] - leg.lower.from[0];
  const double dy = leg.lower.to[1] - leg.lower.from[1];
  EXPECT_NEAR(std::atan2(dx, -dy), 0.5, 1e-5);  // from straight down, towards +x
  EXPECT_NEAR(std::hypot(dx, dy), 3.0, 1e-5);
  EXPECT_NEAR(leg.lower.to[2], -5, kTolerance);

  angles[9] = 0.3;  // the same pose on rear leg 3 swings backwards
  angles[11] = 0.2;
  const LegSegments rear = Leg(StickFigure(&angles), 3);
  EXPECT_NEAR(
      std::atan2(rear.lower.to[0] - rear.lower.from[0], -(rear.lower.to[1] - rear.lower.from[1])),
      -0.5, 1e-5);
}

TEST(StickFigureTest, RollTurnsTheLegTowardsMinusZ) {
  JointAngles angles{};
  for (int leg = 0; leg < kLegCount; ++leg) angles[3 * leg + 1] = kHalfPi;
  const std::vector<Segment> figure = StickFigure(&angles);
  const double mounts[4][2] = {{5, 5}, {5, -5}, {-5, 5}, {-5, -5}};
  for (int leg = 0; leg < kLegCount; ++leg) {
    SCOPED_TRACE(leg);
    const double x = mounts[leg][0], z = mounts[leg][1];
    ExpectNear(Leg(figure, leg).upper.to, x, 1, z - 3, 1e-4);
    ExpectNear(Leg(figure, leg).lower.to, x, 1, z - 6, 1e-4);
  }
}

TEST(StickFigureTest, RollAndPitchCombineInTheRolledFrame) {
  JointAngles angles{};
  angles[0] = 0.4;   // pitch
  angles[1] = 0.7;   // roll
  angles[2] = -0.3;  // knee
  const LegSegments leg = Leg(StickFigure(&angles), 0);
  // Undo the roll: the leg lies in the plane x-y of its rolled frame.
  const auto unroll = [](const Vertex& v) {
    const double roll = 0.7 * kDegreesPerRadian * kTruePi / 180.0;
    const double y = v[1] - 1, z = v[2] - 5;
    return std::array<double, 3>{v[0] - 5, std::cos(roll) * y + std::sin(roll) * z,
                                 -std::sin(roll) * y + std::cos(roll) * z};
  };
  const auto foot = unroll(leg.lower.to);
  const double pitch = 0.4 * kDegreesPerRadian * kTruePi / 180.0;
  EXPECT_NEAR(foot[0], 3 * std::sin(0.4) + 3 * std::sin(pitch - 0.3), 1e-5);
  EXPECT_NEAR(foot[1], -3 * std::cos(0.4) - 3 * std::cos(pitch - 0.3), 1e-5);
  EXPECT_NEAR(foot[2], 0, 1e-5);
}

}  // namespace
}  // namespace trotix
