// The gait file's `physics` section: the robot model's parameters, under
// the names of PhysicsParameters in snake case, e.g.
//   physics: {body_mass_kg: 0.6, servo_kp: 10, friction: 0.7}
#ifndef TROTIX_GAITLAB_PHYSICSSECTION_H_
#define TROTIX_GAITLAB_PHYSICSSECTION_H_

#include <string>

#include "gaitlab/gaitfile/GaitFile.h"
#include "gaitlab/physics/PhysicsParameters.h"

namespace trotix {

// A reader that writes the section's values into `parameters`, which must
// outlive it, and its leg_chain and lateral_axis into the settings' robot;
// keys left out keep their values.
GaitFileSection PhysicsSection(PhysicsParameters& parameters);

// The key whose value most likely broke the model's integration: of those
// that do so towards one end of their range, the one gone furthest from its
// default towards that end, e.g. "physics.joint_damping".
std::string LikelyUnstableKey(const PhysicsParameters& parameters);

// The physics section as gait file text, every key given, with the leg
// chain and lateral axis of `robot`.
std::string PhysicsSectionText(const PhysicsParameters& parameters, const RobotDescription& robot);

}  // namespace trotix

#endif  // TROTIX_GAITLAB_PHYSICSSECTION_H_
