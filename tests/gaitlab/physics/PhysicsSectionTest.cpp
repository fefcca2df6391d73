// The gait file's physics section: each bad value refused in one line that
// names the file, the line and the key.
#include <gtest/gtest.h>

#include "gaitlab/gaitfile/GaitFile.h"
#include "gaitlab/io/InputError.h"
#include "gaitlab/physics/PhysicsSection.h"

namespace trotix {
namespace {

TEST(PhysicsSectionTest, RefusesEachBadValueNamingItsLineAndKey) {
  const std::pair<const char*, const char*> kBad[] = {
      {"physics: {mass: 1}\n", "g.yaml:1: physics: unknown key 'mass'"},
      {"physics:\n  servo_kp: 0\n", "g.yaml:2: physics.servo_kp: '0' is out of range"},
      {"physics:\n  spread:\n    joint_armature: 0.8\n",
       "g.yaml:3: physics.spread.joint_armature: '0.8' is out of range"},
      {"physics: {friction: 0}\n", "g.yaml:1: physics.friction: '0' is out of range"},
      {"physics: {leg_chain: knee_first}\n",
       "g.yaml:1: physics.leg_chain: expected pitch_first or roll_first, found 'knee_first'"},
      {"physics: {joint_damping: 1e-400}\n",
       "g.yaml:1: physics.joint_damping: '1e-400' is too small to be told from 0; write 0"},
  };
  for (const auto& [text, message] : kBad) {
    PhysicsParameters parameters;
    try {
      ParseGaitFile(text, "g.yaml", {PhysicsSection(parameters)});
      ADD_FAILURE() << "no error for " << text;
    } catch (const InputError& error) {
      EXPECT_EQ(std::string(error.what()).rfind(message, 0), 0u) << error.what();
    }
  }
}

}  // namespace
}  // namespace trotix
