// The transmission's two directions undo each other: a servo's value and
// its angle, the engine's joint angles and the physics model's.
#include <gtest/gtest.h>

#include <random>

#include "gaitlab/robot/RobotDescription.h"
#include "gaitlab/robot/Transmission.h"

namespace trotix {
namespace {

TEST(TransmissionTest, EachWayBackGivesTheAngleAgain) {
  RobotDescription builtIn, longer;  // longer: lower legs 20 % longer, a reversed servo
  longer.front.lowerLink *= 1.2, longer.rear.lowerLink *= 1.2;
  JointServo& reversed = longer.joints[0];
  reversed.zero = 1.5, reversed.direction = -1, reversed.centerUs = 1400, reversed.usPerRad = 600;
  std::mt19937 random(7);
  std::uniform_real_distribution<double> angle(-2.5, 2.5);
  for (const RobotDescription* robot : {&builtIn, &longer}) {
    const JointServo& servo = robot->joints[0];
    EXPECT_EQ(PulseUs(servo, servo.zero), servo.centerUs);
    for (int trial = 0; trial < 20; ++trial) {
      JointAngles engine;
      for (double& a : engine) a = angle(random);
      const JointAngles back =
          EngineJointAngles(robot->geometry(), ModelJointAngles(robot->geometry(), engine));
      for (int j = 0; j < kJointCount; ++j) {
        EXPECT_NEAR(back[j], engine[j], 1e-12) << "joint " << j;
        EXPECT_NEAR(AngleOfPulse(servo, PulseUs(servo, engine[j])), engine[j], 1e-12);
      }
    }
  }
}

}  // namespace
}  // namespace trotix
