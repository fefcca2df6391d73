// The closed-form inverse kinematics of one three-joint leg. WalkEngine's
// solveFrontLeg and solveRearLeg are thin wrappers over SolveLeg. The
// geometry it reads is public (trotix/LegGeometry.h), so that the gait, the
// solver, the tests and a physics model all read the same numbers.
#ifndef TROTIX_ENGINE_LEGSOLVER_H_
#define TROTIX_ENGINE_LEGSOLVER_H_

#include "trotix/LegGeometry.h"

namespace trotix {

// Solves a foot target (x along-track, y sideways, z down) for a leg whose
// along-track axis is already mirrored as needed, given the body pitch in
// radians. Always returns finite angles.
LegAngles SolveLeg(const LegGeometry& leg, double x, double y, double z, double bodyPitch);

// The body pitch asin((heightB - heightA) / base), clamped to +-pi/2 when the
// heights are more than `base` mm apart and 0 when the difference is NaN;
// the built-in robot's base is 130 mm.
double BodyPitch(double heightA, double heightB, double base = kBodyPitchBase);

}  // namespace trotix

#endif  // TROTIX_ENGINE_LEGSOLVER_H_
