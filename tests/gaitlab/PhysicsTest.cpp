// The physics check: the model's feet land where the solver aims them, a
// run is repeatable, and what the robot does with the gait (docs/physics.md).
#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>

#include "engine/LegSolver.h"
#include "gaitlab/physics/FootKinematics.h"
#include "gaitlab/physics/JointMapping.h"
#include "tests/gaitlab/GaitProcess.h"
#include "trotix/LegGeometry.h"

namespace trotix {
namespace {

// Every leg's angles for the same target, the rear legs' x negated as the
// engine's rear solver does.
JointAngles SolveAllLegs(const std::array<double, 3>& t) {
  JointAngles angles{};
  for (int leg = 0; leg < kLegCount; ++leg) {
    const LegAngles a = SolveLeg(LegGeometryOf(leg), AlongTrackSign(leg) * t[0], t[1], t[2], 0.0);
    angles[3 * leg] = a.pitch;
    angles[3 * leg + 1] = a.roll;
    angles[3 * leg + 2] = a.knee;
  }
  return angles;
}

double Distance(const std::array<double, 3>& a, const std::array<double, 3>& b) {
  return std::hypot(a[0] - b[0], a[1] - b[1], a[2] - b[2]);
}

TEST(PhysicsModelTest, FeetLieOnEveryTargetInReachWithoutSidewaysOffset) {
  const RobotModel model({}, 33.0);
  FootKinematics kinematics(model);
  int checked = 0;
  for (double x = -150.0; x <= 150.0; x += 3.0) {
    for (double z = -150.0; z <= 150.0; z += 3.0) {
      const std::array<double, 3> target{x, 0.0, z};
      const FootPoints feet = kinematics.feet(SolveAllLegs(target));
      for (int leg = 0; leg < kLegCount; ++leg) {
        if (ReachOf(LegGeometryOf(leg), {x, 0.0, z}) != Reach::kWithin) continue;
        ASSERT_LT(Distance(feet[leg], target), 0.01) << "leg " << leg << " x " << x << " z " << z;
        ++checked;
      }
    }
  }
  EXPECT_GT(checked, 10000);
}

// The solver's roll is asin(y / L) with L the reach along the upper link,
// which is exact only when the upper link hangs straight down.
TEST(PhysicsModelTest, SidewaysTargetsAreMissedByTheSolversRollApproximation) {
  const RobotModel model({}, 33.0);
  FootKinematics kinematics(model);
  const struct {
    std::array<double, 3> target;
    double lowest, highest;  // mm, the front leg's miss
  } kCases[] = {{{50, 3, 80}, 1.0, 1.5}, {{30, -40, 100}, 13.0, 17.0}, {{18.7, 47, 71.3}, 70, 90}};
  for (const auto& c : kCases) {
    const FootPoints feet = kinematics.feet(SolveAllLegs(c.target));
    EXPECT_GT(feet[0][1] * c.target[1], 0.0) << "the roll moves the foot towards the target's side";
    EXPECT_GE(Distance(feet[0], c.target), c.lowest);
    EXPECT_LE(Distance(feet[0], c.target), c.highest);
  }
}

TEST(PhysicsModelTest, RobotWeighsAboutAKilogramAndStandsOverTheGaitsFeet) {
  const RobotModel model({}, 33.0);
  EXPECT_NEAR(mj_getTotalmass(&model.model()), 1.0, 0.02);
  EXPECT_EQ(model.model().nu, kJointCount);
  DataPointer data = model.makeData();
  model.setJoints(*data, SolveAllLegs({50.0, 3.0, 80.0}));
  mj_kinematics(&model.model(), data.get());
  mj_comPos(&model.model(), data.get());
  const mjtNum* centre = data->subtree_com + 3 * model.trunkBody();
  EXPECT_NEAR(centre[0] * 1000.0, 50.0, 5.0);  // the feet's middle, mm ahead
  EXPECT_NEAR(centre[1] * 1000.0, 3.0, 1.0);
}

// The number after "key": in a summary.
double Field(const std::string& json, const std::string& key) {
  const std::size_t at = json.find("\"" + key + "\": ");
  return at == std::string::npos ? NAN : std::strtod(json.c_str() + at + key.size() + 4, nullptr);
}

std::string PhysicsSummaryOf(const std::vector<std::string>& sliders, ScratchDirectory& dir) {
  std::vector<std::string> args = {"--physics", "--ticks",           "303",   "--format",
                                   "none",      "--physics-summary", "s.json"};
  args.insert(args.end(), sliders.begin(), sliders.end());
  const ProcessResult run = RunGaitProgram(args, dir.path());
  EXPECT_EQ(run.status, 0) << run.err;
  return ReadFile(dir.file("s.json"));
}

TEST(PhysicsRunTest, TheSameRunTwiceGivesTheSameBytes) {
  ScratchDirectory dir;
  const std::vector<std::string> args = {"--physics", "--ticks", "120",  "--step",
                                         "-100",      "--turn",  "30",   "--physics-summary",
                                         "s.json",    "--plot",  "p.svg"};
  const ProcessResult first = RunGaitProgram(args, dir.path());
  const std::string summary = ReadFile(dir.file("s.json"));
  const std::string plot = ReadFile(dir.file("p.svg"));
  EXPECT_NE(plot.find(">Trunk track on the floor"), std::string::npos);
  const ProcessResult second = RunGaitProgram(args, dir.path());
  ASSERT_EQ(first.status, 0) << first.err;
  EXPECT_NE(first.out.find(",body_x,body_y,body_yaw,body_roll,body_pitch,body_height\n"),
            std::string::npos);
  EXPECT_EQ(first.out, second.out);
  EXPECT_EQ(summary, ReadFile(dir.file("s.json")));
  EXPECT_EQ(plot, ReadFile(dir.file("p.svg")));
}

// Ten seconds from a standing start at the sliders' ends.
TEST(PhysicsRunTest, WhatTheRobotDoesAtTheSlidersEnds) {
  ScratchDirectory dir;
  const std::string rest = PhysicsSummaryOf({}, dir);
  EXPECT_NE(rest.find("\"fell\": false"), std::string::npos) << rest;
  EXPECT_LT(Field(rest, "distance_mm") / Field(rest, "seconds"), 5.0) << rest;
  EXPECT_LT(Field(rest, "max_tilt_deg"), 15.0) << rest;

  const std::string forwards = PhysicsSummaryOf({"--step", "-130"}, dir);
  EXPECT_NE(forwards.find("\"fell\": false"), std::string::npos) << forwards;
  EXPECT_GT(Field(forwards, "forward_speed_mm_s"), 30.0) << forwards;

  // The gait's full turn does not turn this robot: each diagonal pair's two
  // feet get the same targets, so a stance moves the trunk without turning
  // it, and the solver's roll throws the feet up to 84 mm off their targets.
  for (const char* turn : {"80", "-80"}) {
    const std::string turning = PhysicsSummaryOf({"--turn", turn}, dir);
    EXPECT_NE(turning.find("\"fell\": true"), std::string::npos) << turning;
    EXPECT_GT(Field(turning, "max_foot_error_mm"), 80.0) << turning;
  }
}

TEST(PhysicsRunTest, TheExportedModelLoadsAsItIs) {
  ScratchDirectory dir;
  ASSERT_EQ(RunGaitProgram({"--export-mjcf", "robot.xml"}, dir.path()).status, 0);
  EXPECT_EQ(CompileMjcf(ReadFile(dir.file("robot.xml")))->nu, kJointCount);
}

}  // namespace
}  // namespace trotix
