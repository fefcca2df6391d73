#include <gtest/gtest.h>

#include <array>
#include <limits>

#include "trotix/JointCommandConversion.h"
#include "trotix/WalkEngine.h"

namespace trotix {
namespace {

using Pose = std::array<double, 15>;

MotionEntry Motion(std::int32_t id, const Pose* pose) {
  MotionEntry entry;
  entry.name = "motion";
  entry.id = id;
  if (pose != nullptr) entry.poses.push_back(pose->data());
  return entry;
}

TEST(MotionTableTest, DegreesBecomeTruncatedCommands) {
  EXPECT_EQ(DegreesToJointCommand(90), 1570796);
  EXPECT_EQ(DegreesToJointCommand(-90), -1570796);
  EXPECT_EQ(DegreesToJointCommand(-10), -174532);
  EXPECT_EQ(DegreesToJointCommand(2), 34906);
  EXPECT_EQ(DegreesToJointCommand(0.5), 8726);
  EXPECT_EQ(DegreesToJointCommand(1e12), std::numeric_limits<JointCommand>::max());
  EXPECT_EQ(DegreesToJointCommand(std::numeric_limits<double>::quiet_NaN()), 0);
}

TEST(MotionTableTest, EmptyTableFindsNothingAndKeepsTargets) {
  WalkEngine engine;
  engine.jointTargets[4] = 123;
  for (std::int32_t id : {2, 40, 5000, 5001, -7}) {
    engine.selectMotion(id);
    EXPECT_EQ(engine.motionIndex, -1);
    EXPECT_FALSE(engine.motionActive);
    EXPECT_EQ(engine.jointTargets[4], 123);
    EXPECT_EQ(engine.commandStep, 174532);
  }
}

TEST(MotionTableTest, IdsAboveFiveThousandLoseTheOffset) {
  const Pose pose{};
  WalkEngine engine;
  engine.motionTable = {Motion(1, &pose), Motion(5000, &pose)};
  engine.selectMotion(5001);
  EXPECT_EQ(engine.motionId, 1);
  EXPECT_EQ(engine.motionIndex, 0);
  EXPECT_TRUE(engine.motionActive);
  engine.selectMotion(5000);
  EXPECT_EQ(engine.motionId, 5000);
  EXPECT_EQ(engine.motionIndex, 1);
}

TEST(MotionTableTest, LastMatchWinsAndLoadsItsFirstPose) {
  Pose first{}, second{};
  first[0] = 10;
  second[0] = -10;
  second[3] = 90;
  second[14] = 0.5;
  WalkEngine engine;
  engine.motionTable = {Motion(8, &first), Motion(3, &first), Motion(8, &second)};
  engine.selectMotion(8);
  EXPECT_EQ(engine.motionIndex, 2);
  EXPECT_EQ(engine.auxTargets[0], -174532);
  EXPECT_EQ(engine.jointTargets[0], 1570796);
  EXPECT_EQ(engine.jointTargets[11], 8726);
  // 90 degrees is more than two steps above the zero command: far.
  EXPECT_FALSE(engine.motionActive);
}

TEST(MotionTableTest, SelectionOnlyMotionsKeepTheirTargets) {
  Pose pose{};
  pose.fill(45);
  WalkEngine engine;
  engine.motionTable = {Motion(40, &pose), Motion(114, &pose), Motion(115, &pose)};
  for (std::int32_t id : {40, 114, 115}) {
    engine.selectMotion(id);
    EXPECT_TRUE(engine.motionActive);
    EXPECT_EQ(engine.motionIndex, id == 40 ? 0 : id == 114 ? 1 : 2);
    EXPECT_EQ(engine.jointTargets[0], 0);
  }
}

TEST(MotionTableTest, EntriesWithoutAPoseLoadNothing) {
  WalkEngine engine;
  engine.jointTargets[2] = 77;
  engine.motionTable = {Motion(9, nullptr)};
  engine.motionTable.push_back(Motion(9, nullptr));
  engine.motionTable.back().poses.push_back(nullptr);
  engine.selectMotion(9);
  EXPECT_EQ(engine.motionIndex, 1);
  EXPECT_TRUE(engine.motionActive);
  EXPECT_EQ(engine.jointTargets[2], 77);
}

TEST(MotionTableTest, ChangeCheckThresholds) {
  WalkEngine engine;
  engine.jointCommands[5] = 1000;
  auto farWithLegTarget = [&](JointCommand target) {
    engine.jointTargets[5] = target;
    return engine.targetsFarFromCommands(false);
  };
  EXPECT_TRUE(farWithLegTarget(1000 + 349064));
  EXPECT_FALSE(farWithLegTarget(1000 + 349063));
  EXPECT_FALSE(farWithLegTarget(1000 - 1000000));
  engine.jointTargets[5] = 1000;

  for (JointCommand offset : {34906, -34906}) {
    engine.auxTargets[1] = engine.auxCommands[1] + offset;
    EXPECT_TRUE(engine.targetsFarFromCommands(true));
    EXPECT_FALSE(engine.targetsFarFromCommands(false));
  }
  engine.auxTargets[1] = 34905;
  EXPECT_FALSE(engine.targetsFarFromCommands(true));
}

TEST(MotionTableTest, ZeroStepAndExtremeCommandsDoNotTrap) {
  WalkEngine engine;
  engine.commandStep = 0;
  engine.jointTargets[0] = 5000000;
  EXPECT_FALSE(engine.targetsFarFromCommands(true));
  engine.commandStep = 174532;
  engine.jointCommands[0] = std::numeric_limits<JointCommand>::min();
  engine.jointTargets[0] = std::numeric_limits<JointCommand>::max();
  EXPECT_TRUE(engine.targetsFarFromCommands(false));
  engine.auxCommands[2] = std::numeric_limits<JointCommand>::max();
  engine.auxTargets[2] = std::numeric_limits<JointCommand>::min();
  EXPECT_TRUE(engine.targetsFarFromCommands(true));
}

}  // namespace
}  // namespace trotix
