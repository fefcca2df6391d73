// The physics check: the model's feet land where the solver aims them, a
// run is repeatable, and what the robot does with the gait (docs/physics.md).
#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <utility>
#include <vector>

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

// The frames of a video as RGB rows, decoded by ffmpeg.
std::string DecodedFrames(const std::string& video, const std::string& directory) {
  const ProcessResult decoded = RunProgram(
      "ffmpeg", {"-loglevel", "error", "-i", video, "-f", "rawvideo", "-pix_fmt", "rgb24", "-"},
      directory);
  EXPECT_EQ(decoded.status, 0) << decoded.err;
  return decoded.out;
}

// The share of a frame's pixels that show the trunk (cyan), and their
// middle's distance from the frame's centre as a share of its width.
std::pair<double, double> TrunkInFrame(const unsigned char* rgb, int width, int height) {
  int count = 0;
  double sumX = 0.0, sumY = 0.0;
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) {
      const unsigned char* p = rgb + 3 * (y * width + x);
      if (p[1] > p[0] + 60 && p[2] > p[0] + 60) {
        ++count;
        sumX += x;
        sumY += y;
      }
    }
  }
  if (count == 0) return {0.0, 1.0};
  const double offset = std::hypot(sumX / count - width / 2.0, sumY / count - height / 2.0);
  return {static_cast<double>(count) / (width * height), offset / width};
}

TEST(PhysicsVideoTest, FilmsTheRobotWalkingWithoutADisplay) {
  ScratchDirectory dir;
  constexpr int kWidth = 320, kHeight = 240;
  const ProcessResult run =
      RunProgram("/usr/bin/env",
                 {"-u", "DISPLAY", TROTIX_GAIT_PROGRAM, "--physics", "--format", "none", "--ticks",
                  "60", "--step", "-130", "--video-fps", "10", "--video-size", "320x240", "--video",
                  "v.mp4", "--physics-summary", "filmed.json"},
                 dir.path());
  ASSERT_EQ(run.status, 0) << run.err;
  ASSERT_EQ(RunGaitProgram({"--physics", "--format", "none", "--ticks", "60", "--step", "-130",
                            "--physics-summary", "s.json"},
                           dir.path())
                .status,
            0);
  EXPECT_EQ(ReadFile(dir.file("filmed.json")), ReadFile(dir.file("s.json")))
      << "filming changed the run";
  const std::string frames = DecodedFrames("v.mp4", dir.path());
  constexpr std::size_t kFrameBytes = kWidth * kHeight * 3;
  // 60 ticks of 33 ms at 10 frames a second: frames at 0, 0.1, ... 1.9 s.
  ASSERT_EQ(frames.size(), 20 * kFrameBytes);
  const auto* pixels = reinterpret_cast<const unsigned char*>(frames.data());
  for (int frame = 0; frame < 20; ++frame) {
    const auto [share, offset] = TrunkInFrame(pixels + frame * kFrameBytes, kWidth, kHeight);
    EXPECT_GT(share, 0.01) << "frame " << frame;
    EXPECT_LT(offset, 0.15) << "frame " << frame;
  }
  double difference = 0.0;
  for (std::size_t i = 0; i < kFrameBytes; ++i) {
    difference += std::abs(pixels[i] - pixels[19 * kFrameBytes + i]);
  }
  EXPECT_GT(difference / kFrameBytes, 5.0) << "the last frame looks like the first";
}

// Without ffmpeg, OpenGL or a display the video and the window fail in one
// line, status 1, and leave no file.
TEST(PhysicsVideoTest, FailsInOneLineWithoutItsTools) {
  const std::vector<std::string> kVideo = {"--physics", "--format", "none", "--ticks",
                                           "5",         "--video",  "v.gif"};
  const struct {
    std::vector<std::string> environment;
    std::vector<std::string> args;
    const char* message;
  } kCases[] = {
      {{"PATH=/nonexistent"}, kVideo, "cannot run ffmpeg"},
      {{"__EGL_VENDOR_LIBRARY_FILENAMES=/nonexistent.json"}, kVideo, "--video: no EGL display"},
      {{"-u", "DISPLAY", "-u", "WAYLAND_DISPLAY"},
       {"--physics", "--watch"},
       "--watch: no window can be opened"}};
  for (const auto& c : kCases) {
    ScratchDirectory dir;
    std::vector<std::string> command = c.environment;
    command.push_back(TROTIX_GAIT_PROGRAM);
    command.insert(command.end(), c.args.begin(), c.args.end());
    const ProcessResult run = RunProgram("/usr/bin/env", command, dir.path());
    EXPECT_EQ(run.status, 1) << c.message;
    EXPECT_NE(run.err.find(c.message), std::string::npos) << run.err;
    EXPECT_EQ(run.err.find('\n'), run.err.size() - 1) << run.err;
    EXPECT_TRUE(dir.entries().empty()) << c.message;
  }
}

TEST(PhysicsRunTest, TheExportedModelLoadsAsItIs) {
  ScratchDirectory dir;
  ASSERT_EQ(RunGaitProgram({"--export-mjcf", "robot.xml"}, dir.path()).status, 0);
  EXPECT_EQ(CompileMjcf(ReadFile(dir.file("robot.xml")))->nu, kJointCount);
}

}  // namespace
}  // namespace trotix
