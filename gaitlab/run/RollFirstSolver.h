// The exact inverse of a roll-first leg (roll about the trunk's long axis,
// then pitch and knee about the rolled sideways axis), in the engine's
// angles: what `variants: {roll: exact_roll_first}` commands instead of the
// engine's solver, whose roll is exact only for a pitch-first leg.
#ifndef TROTIX_GAITLAB_RUN_ROLLFIRSTSOLVER_H_
#define TROTIX_GAITLAB_RUN_ROLLFIRSTSOLVER_H_

#include "trotix/LegGeometry.h"

namespace trotix {

// For a target (x along-track, already mirrored for a rear leg; y
// sideways; z down, mm) and no body pitch. The reach and the knee's bend
// are the engine's; the roll turns the leg's plane onto the target,
//     roll = atan(y / z),  d = y sin(roll) + z cos(roll),
// and the pitch aims the upper link in that plane,
//     pitch = atan2(x, d) - atan2(lower sin k, upper + lower cos k) - pitchOffset.
LegAngles SolveRollFirstLeg(const LegGeometry& leg, double x, double y, double z);

}  // namespace trotix

#endif  // TROTIX_GAITLAB_RUN_ROLLFIRSTSOLVER_H_
