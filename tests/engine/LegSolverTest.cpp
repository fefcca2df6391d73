#include "engine/LegSolver.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <cstring>
#include <limits>
#include <random>

#include "trotix/WalkEngine.h"

namespace trotix {
namespace {

constexpr double kInf = std::numeric_limits<double>::infinity();
constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
constexpr double kSaturatedRoll = 1.526071;

struct Solved {
  double roll;
  double pitch;
  double knee;
};

Solved Front(double x, double y, double z, double a = 0.0, double b = 0.0) {
  Solved s{};
  WalkEngine().solveFrontLeg(x, y, z, s.roll, s.pitch, s.knee, a, b);
  return s;
}

Solved Rear(double x, double y, double z, double a = 0.0, double b = 0.0) {
  Solved s{};
  WalkEngine().solveRearLeg(x, y, z, s.roll, s.pitch, s.knee, a, b);
  return s;
}

void ExpectSame(const Solved& actual, const Solved& expected, double tolerance) {
  EXPECT_NEAR(actual.roll, expected.roll, tolerance);
  EXPECT_NEAR(actual.pitch, expected.pitch, tolerance);
  EXPECT_NEAR(actual.knee, expected.knee, tolerance);
}

void ExpectFinite(const Solved& s) {
  EXPECT_TRUE(std::isfinite(s.roll));
  EXPECT_TRUE(std::isfinite(s.pitch));
  EXPECT_TRUE(std::isfinite(s.knee));
}

struct WorkedValue {
  bool front;
  double x, y, z;
  Solved expected;
};

TEST(LegSolverTest, MatchesTheWorkedTable) {
  const WorkedValue table[] = {
      {true, 0, 0, 100, {0, -1.002311, 1.818256}},
      {true, 10, 0, 100, {0, -0.897528, 1.808954}},
      {true, -10, 0, 100, {0, -1.096865, 1.808954}},
      {true, 0, 5, 100, {0.077746, -1.002521, 1.815930}},
      {true, -10, 0, -100, {0, 2.244063, 1.808954}},
      {true, 0, 0, 200, {0, -0.215037, 0.336095}},
      {true, 0, 0, 30, {0, -1.323656, 2.377723}},
      {true, 0, 100, 0, {kSaturatedRoll, -1.661977, 1.818256}},
      {false, 0, 0, 100, {0, -1.038328, 1.940972}},
      {false, 10, 0, 100, {0, -1.132853, 1.931937}},
      {false, -10, 0, 100, {0, -0.933516, 1.931937}},
      {false, 0, 0, 200, {0, -0.215699, 0.424544}},
      {false, 0, 0, 30, {0, -1.353732, 2.465395}},
  };
  for (const WorkedValue& w : table) {
    SCOPED_TRACE(testing::Message()
                 << (w.front ? "front " : "rear ") << w.x << ' ' << w.y << ' ' << w.z);
    ExpectSame(w.front ? Front(w.x, w.y, w.z) : Rear(w.x, w.y, w.z), w.expected, 1e-6);
  }
}

TEST(LegSolverTest, MirroredSidesGetOppositeRollsEvenWhenSaturated) {
  std::mt19937 random(7);
  std::uniform_real_distribution<double> coordinate(-200.0, 200.0);
  for (int i = 0; i < 2000; ++i) {
    const double x = coordinate(random), y = coordinate(random), z = coordinate(random);
    for (bool front : {true, false}) {
      const Solved plus = front ? Front(x, y, z) : Rear(x, y, z);
      const Solved minus = front ? Front(x, -y, z) : Rear(x, -y, z);
      ASSERT_EQ(plus.roll, -minus.roll) << x << ' ' << y << ' ' << z;
      ASSERT_EQ(plus.pitch, minus.pitch);
      ASSERT_EQ(plus.knee, minus.knee);
    }
  }
  EXPECT_NEAR(Front(0, 100, 0).roll, kSaturatedRoll, 1e-6);
  EXPECT_NEAR(Front(0, -100, 0).roll, -kSaturatedRoll, 1e-6);
  EXPECT_NEAR(Rear(5, -300, 10).roll, -kSaturatedRoll, 1e-6);
}

TEST(LegSolverTest, OutOfReachTargetsMoveAlongTheirRay) {
  const Solved atMax = Front(0, 0, 147);
  ExpectSame(Front(0, 0, 200), atMax, 1e-12);
  ExpectSame(Front(0, 0, 1000), atMax, 1e-12);
  ExpectSame(atMax, {0, -0.215037, 0.336095}, 1e-6);

  // An oblique ray: far out and just beyond rmax give the point at rmax.
  const double rmax = kFrontLegGeometry.maxReach;
  const double length = std::sqrt(30.0 * 30.0 + 20.0 * 20.0 + 90.0 * 90.0);
  const double k = rmax / length;
  ExpectSame(Front(300, 200, 900), Front(30 * k, 20 * k, 90 * k), 1e-9);
  // And inside rmin the point at rmin, for the rear leg's own limit.
  const double m = kRearLegGeometry.minReach / length;
  ExpectSame(Rear(3, 2, 9), Rear(30 * m, 20 * m, 90 * m), 1e-9);
}

TEST(LegSolverTest, TargetsOnTheReachLimitsAreNotScaled) {
  // On the lower limit: the same angles as a target pushed out to it.
  ExpectSame(Front(0, 0, 66.5), Front(0, 0, 30), 1e-9);
  for (const LegGeometry* leg : {&kFrontLegGeometry, &kRearLegGeometry}) {
    for (double r2 : {leg->minReachSquared, leg->maxReachSquared}) {
      // A target whose r^2 is exactly the stored limit gives the knee of
      // exactly that r^2; the knee is the one angle that depends on r alone.
      const double z = std::sqrt(r2);
      if (z * z != r2) continue;
      const double knee = std::acos((r2 - leg->kneeSum) * leg->kneeFactor) + leg->kneeOffset;
      EXPECT_EQ(SolveLeg(*leg, 0, 0, z, 0.0).knee, knee);
    }
  }
  // Just inside rmin is pushed out; its knee is the rmin knee.
  const double below = std::nextafter(66.5, 0.0);
  EXPECT_NEAR(Front(0, 0, below).knee, Front(0, 0, 66.5).knee, 1e-12);
}

TEST(LegSolverTest, PitchIsWrappedIntoOneTurn) {
  EXPECT_NEAR(Front(-10, 0, -100).pitch, 2.244063, 1e-6);
  std::mt19937 random(11);
  std::uniform_real_distribution<double> coordinate(-300.0, 300.0);
  for (int i = 0; i < 5000; ++i) {
    const double x = coordinate(random), y = coordinate(random), z = coordinate(random);
    for (const Solved& s : {Front(x, y, z), Rear(x, y, z)}) {
      ASSERT_GT(s.pitch, -3.141592);
      ASSERT_LE(s.pitch, 3.141592);
    }
  }
}

TEST(LegSolverTest, BodyPitchCorrectsZFirstThenXFromTheNewZ) {
  const double a = 0.0, b = 13.0;  // sin(theta) = 0.1
  const double theta = std::asin(0.1);
  const double c = std::cos(theta), s = std::sin(theta);
  const double x = 20.0, y = 7.0, z = 110.0;
  const double zFront = c * z - s * x;
  const double xFront = c * x + s * zFront;
  ExpectSame(Front(x, y, z, a, b), Front(xFront, y, zFront), 1e-12);
  // The rear leg mirrors x and the body pitch before correcting.
  const double zRear = c * z - s * x;  // (-s) * (-x)
  const double xRear = c * -x + -s * zRear;
  ExpectSame(Rear(x, y, z, a, b), Rear(-xRear, y, zRear), 1e-12);
}

TEST(LegSolverTest, DegenerateInputGivesFiniteAngles) {
  const Solved straightDown = Front(0, 0, 66.5);
  ExpectSame(Front(0, 0, 0), straightDown, 0.0);
  for (double bad : {kNaN, kInf, -kInf}) {
    ExpectSame(Front(bad, 0, 100), straightDown, 0.0);
    ExpectSame(Front(10, bad, 100), straightDown, 0.0);
    ExpectSame(Rear(10, 0, bad), Rear(0, 0, 68), 0.0);
    ExpectFinite(Front(10, 0, 100, bad, 0));
    ExpectFinite(Rear(10, 0, 100, 0, bad));
  }
  // Heights more than 130 mm apart pitch the body by at most 90 degrees.
  ExpectSame(Front(10, 5, 100, 0, 500), Front(10, 5, 100, 0, 130), 1e-12);
  ExpectSame(Front(10, 5, 100, 500, 0), Front(10, 5, 100, 130, 0), 1e-12);
  // Huge and tiny finite targets keep their direction.
  ExpectSame(Front(1e300, 0, 1e300), Front(1000, 0, 1000), 1e-12);
  ExpectSame(Front(0, 1e-200, 1e-200), Front(0, 30, 30), 1e-12);
  ExpectSame(Rear(-1e-320, 0, 0), Rear(-30, 0, 0), 1e-12);
  ExpectFinite(Front(std::numeric_limits<double>::max(), -1e308, 1e308, 0, 100));
}

// Arbitrary bit patterns: NaNs, infinities, subnormals, huge values.
TEST(LegSolverTest, ArbitraryBitPatternsNeverGiveNonFiniteAngles) {
  std::mt19937_64 random(99);
  auto anyDouble = [&] {
    const std::uint64_t bits = random();
    double value;
    std::memcpy(&value, &bits, sizeof value);
    return value;
  };
  for (int i = 0; i < 100000; ++i) {
    const double x = anyDouble(), y = anyDouble(), z = anyDouble();
    const double a = i % 2 ? anyDouble() : 0.0, b = i % 3 ? anyDouble() : 0.0;
    for (const Solved& s : {Front(x, y, z, a, b), Rear(x, y, z, a, b)}) {
      ASSERT_TRUE(std::isfinite(s.roll) && std::isfinite(s.pitch) && std::isfinite(s.knee))
          << x << ' ' << y << ' ' << z << ' ' << a << ' ' << b;
      ASSERT_GT(s.pitch, -3.141592);
      ASSERT_LE(s.pitch, 3.141592);
    }
  }
}

// The built-in legs keep their stored numbers; other legs get theirs
// derived. Any robot's solve is undone by the pitch-first leg's forward
// kinematics, and longer links fold the knee further for the same target.
TEST(LegSolverTest, EveryRobotsSolveReachesItsTarget) {
  const auto compare = [](const LegGeometry& a, const LegGeometry& b) {
    return std::memcmp(&a, &b, sizeof a) == 0;
  };
  EXPECT_TRUE(compare(LegGeometryFrom(kFrontLegDimensions), kFrontLegGeometry));
  EXPECT_TRUE(compare(LegGeometryFrom(kRearLegDimensions), kRearLegGeometry));
  const struct {
    double scale;
    double kneeVsBuiltIn;  // the sign of the knee's change at (10, 5, 100)
  } kRobots[] = {{1.0, 0.0}, {1.2, 1.0}, {0.8, -1.0}};
  for (const auto& robot : kRobots) {
    RobotGeometry geometry;
    for (const auto& [leg, dimensions] :
         {std::pair{&geometry.front, kFrontLegDimensions}, {&geometry.rear, kRearLegDimensions}}) {
      LegDimensions d = dimensions;
      d.upperLink *= robot.scale;
      d.lowerLink *= robot.scale;
      d.minReach *= robot.scale;
      *leg = LegGeometryFrom(d);
    }
    const WalkEngine engine(geometry);
    Solved s{};
    engine.solveFrontLeg(10, 5, 100, s.roll, s.pitch, s.knee, 0, 0);
    const double change = s.knee - Front(10, 5, 100).knee;
    EXPECT_EQ((change > 0) - (change < 0), robot.kneeVsBuiltIn) << robot.scale;
    const LegGeometry& g = geometry.front;
    for (const Vector3 t : {Vector3{10, 5, 100}, {-40, -20, 90}, {60, 30, 70}}) {
      engine.solveFrontLeg(t.x, t.y, t.z, s.roll, s.pitch, s.knee, 0, 0);
      const double p = s.pitch + g.pitchOffset, k = s.knee - g.kneeOffset;
      const double w = g.lowerLink * std::sin(k), reach = g.upperLink + g.lowerLink * std::cos(k);
      EXPECT_NEAR(reach * std::sin(s.roll), t.y, 1e-9) << robot.scale;
      EXPECT_NEAR(w * std::cos(p) + reach * std::cos(s.roll) * std::sin(p), t.x, 1e-9);
      EXPECT_NEAR(-w * std::sin(p) + reach * std::cos(s.roll) * std::cos(p), t.z, 1e-9);
    }
  }
}

TEST(LegSolverTest, SolversReadNoEngineState) {
  WalkEngine engine;
  engine.pitchHeightB = 50.0;
  engine.frameTargets[0][0] = {1, 2, 3};
  Solved s{};
  engine.solveFrontLeg(0, 0, 100, s.roll, s.pitch, s.knee, 0, 0);
  ExpectSame(s, Front(0, 0, 100), 0.0);
}

}  // namespace
}  // namespace trotix
