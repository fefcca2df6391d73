// The transmission's two directions undo each other: a servo's value and
// its angle, the engine's joint angles and the physics model's.
#include <gtest/gtest.h>

#include <random>

#include "gaitlab/robot/RobotDescription.h"
#include "gaitlab/robot/Transmission.h"

namespace trotix {
namespace {

TEST(TransmissionTest, EachWayBackGivesTheAngleAgain) {
  RobotDescription longer;
  longer.front.lowerLink *= 1.2, longer.rear.lowerLink *= 1.2;
  JointServo reversed;
  reversed.zero = 1.5, reversed.direction = -1, reversed.centerUs = 1400.0,
  reversed.usPerRad = 600.0;
  const struct {
    const char* what;
    RobotGeometry geometry;
    JointServo servo;
  } robots[] = {
      {"built-in", RobotDescription().geometry(), JointServo()},
      {"+20 %", longer.geometry(), reversed},
  };
  std::mt19937 random(7);
  std::uniform_real_distribution<double> angle(-2.5, 2.5);
  for (const auto& robot : robots) {
    EXPECT_EQ(PulseUs(robot.servo, robot.servo.zero), robot.servo.centerUs) << robot.what;
    for (int trial = 0; trial < 20; ++trial) {
      JointAngles engine;
      for (double& a : engine) a = angle(random);
      const JointAngles model = ModelJointAngles(robot.geometry, engine);
      const JointAngles back = EngineJointAngles(robot.geometry, model);
      for (int j = 0; j < kJointCount; ++j) {
        EXPECT_NEAR(back[j], engine[j], 1e-12) << robot.what << ", joint " << j;
        EXPECT_NEAR(AngleOfPulse(robot.servo, PulseUs(robot.servo, engine[j])), engine[j], 1e-12)
            << robot.what;
      }
    }
  }
}

}  // namespace
}  // namespace trotix
