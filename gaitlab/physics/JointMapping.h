// From the engine's joint angles to the physics model's.
//
// The model builds every leg alike: a roll about the body's long axis at
// the shoulder, then a pitch and a knee about the rolled sideways axis, each
// zero with its link hanging straight down and positive where it swings the
// foot forwards (+x). The engine's angles differ from that in two ways:
//
// - Mounting offsets. The solver's upper link points pitch + pitchOffset
//   from straight down and its knee reads the bend plus kneeOffset, so the
//   model's pitch is pitch + pitchOffset and its knee knee - kneeOffset.
// - The rear legs' mirror. The rear solver works with x negated: its angles
//   swing the foot backwards as they grow. The model's rear pitch and knee
//   are therefore the negated geometric angles.
//
// The roll needs neither: positive roll moves the foot towards +y on every
// leg. For a target with y = 0 the model's foot then lies exactly on it;
// for y != 0 the solver's roll is an approximation (see FootKinematics).
#ifndef TROTIX_GAITLAB_JOINTMAPPING_H_
#define TROTIX_GAITLAB_JOINTMAPPING_H_

#include "trotix/LegGeometry.h"
#include "trotix/WalkTypes.h"

namespace trotix {

// +1 for the front legs, -1 for the rear legs, whose solver negates x.
inline double AlongTrackSign(int leg) { return IsFrontLeg(leg) ? 1.0 : -1.0; }

// The model's joint angles, in the engine's order (leg-major pitch, roll,
// knee), for the engine's `angles`.
JointAngles ModelJointAngles(const JointAngles& angles);

}  // namespace trotix

#endif  // TROTIX_GAITLAB_JOINTMAPPING_H_
