// The robot's geometry and the closed-form inverse kinematics of one
// three-joint leg. WalkEngine's solveFrontLeg and solveRearLeg are thin
// wrappers over SolveLeg. The geometry lives here, in one place, so that the
// gait, the solver, the tests and a physics model all read the same numbers.
#ifndef TROTIX_ENGINE_LEGSOLVER_H_
#define TROTIX_ENGINE_LEGSOLVER_H_

namespace trotix {

// Body geometry (mm). The gait splits a leg's turn stroke by the angle of
// its foot seen from a point this far to the side of the shoulder.
constexpr double kLateralBase = 62.5;
// The two pitch heights are measured this far apart along the body; their
// difference over it is the sine of the body pitch.
constexpr double kBodyPitchBase = 130.0;

// Link lengths, reach limits and joint offsets of one kind of leg (mm, rad).
// The squared limits, the knee sum and the knee factor are stored numbers
// rather than computed ones, so every build compares against the same bits.
struct LegGeometry {
  double upperLink;        // shoulder to knee
  double lowerLink;        // knee to foot
  double minReach;         // rmin
  double minReachSquared;  // rmin^2
  double maxReach;         // rmax = upper + lower - 0.5
  double maxReachSquared;  // rmax^2
  double kneeSum;          // Q = upper^2 + lower^2
  double kneeFactor;       // F = 1 / (2 upper lower)
  double kneeOffset;       // added to the knee bend
  double pitchOffset;      // subtracted from the pitch
};

extern const LegGeometry kFrontLegGeometry;
extern const LegGeometry kRearLegGeometry;

struct LegAngles {
  double roll;
  double pitch;
  double knee;
};

// A foot target (mm): x along-track, y sideways, z down.
struct LegTarget {
  double x;
  double y;
  double z;
};

// Where SolveLeg aims the foot: the target moved along its ray into the
// leg's reach (the body-pitch correction comes before this). A target with
// no direction, or not finite, goes straight down to rmin.
LegTarget ClampToReach(const LegGeometry& leg, LegTarget t);

// Solves a foot target (x along-track, y sideways, z down) for a leg whose
// along-track axis is already mirrored as needed, given the body pitch in
// radians. Always returns finite angles.
LegAngles SolveLeg(const LegGeometry& leg, double x, double y, double z, double bodyPitch);

// The body pitch asin((heightB - heightA) / 130), clamped to +-pi/2 when the
// heights are more than 130 mm apart and 0 when the difference is NaN.
double BodyPitch(double heightA, double heightB);

}  // namespace trotix

#endif  // TROTIX_ENGINE_LEGSOLVER_H_
