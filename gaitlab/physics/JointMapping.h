// From the engine's joint angles to the physics model's.
//
// The model builds every leg alike, in the order its leg chain names
// (PhysicsParameters): a pitch about the trunk's sideways axis and a roll
// about the along-track axis at the shoulder, then a knee about the upper
// link's sideways axis. Each is zero with its link hanging straight down;
// pitch and knee are positive where they swing the foot forwards (+x), the
// roll where it swings the foot towards the leg's own +y. The engine's
// angles differ from that in two ways:
//
// - Mounting offsets. The solver's upper link points pitch + pitchOffset
//   from straight down and its knee reads the bend plus kneeOffset, so the
//   model's pitch is pitch + pitchOffset and its knee knee - kneeOffset.
// - The rear legs' mirror. The rear solver works with x negated: its angles
//   swing the foot backwards as they grow. The model's rear pitch and knee
//   are therefore the negated geometric angles (mirroring x leaves a roll
//   about x as it is).
//
// The roll needs neither; which way +y points is the roll axis's sign in
// the model (RobotMjcf). With the pitch first, the solver is the leg's exact
// inverse: pitch p, roll r and bend k put the foot at
//   y = L sin r,  (x, z) = (w cos p + L cos r sin p, -w sin p + L cos r cos p)
// with w = lower sin k and L = upper + lower cos k, which is its
// r = asin(y / L) and p = atan2(x, z) - atan(w / (L cos r)). With the roll
// first, only targets with y = 0 are exact (see FootKinematics).
#ifndef TROTIX_GAITLAB_JOINTMAPPING_H_
#define TROTIX_GAITLAB_JOINTMAPPING_H_

#include "gaitlab/run/GaitVariants.h"  // AlongTrackSign
#include "trotix/LegGeometry.h"
#include "trotix/WalkTypes.h"

namespace trotix {

// The model's joint angles, in the engine's order (leg-major pitch, roll,
// knee), for the engine's `angles`.
JointAngles ModelJointAngles(const JointAngles& angles);

}  // namespace trotix

#endif  // TROTIX_GAITLAB_JOINTMAPPING_H_
