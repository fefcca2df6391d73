// The robot's legs as a program that drives or models the robot needs them:
// which legs are front legs, where each shoulder sits on the body, the
// links' lengths, and the reach into which the leg solver moves every foot
// target before solving it.
#ifndef TROTIX_LEGGEOMETRY_H_
#define TROTIX_LEGGEOMETRY_H_

namespace trotix {

// A point or direction in millimetres. As a foot target it is relative to
// the leg's shoulder: x along-track, y sideways, z down.
struct Vector3 {
  double x;
  double y;
  double z;
};
using LegTarget = Vector3;

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

// What a builder measures on one kind of leg (mm, rad); LegGeometryFrom
// derives the rest.
struct LegDimensions {
  double upperLink;
  double lowerLink;
  double minReach;
  double reachMargin;  // rmax = upper + lower - reachMargin
  double kneeOffset;
  double pitchOffset;

  bool operator==(const LegDimensions& o) const {
    return upperLink == o.upperLink && lowerLink == o.lowerLink && minReach == o.minReach &&
           reachMargin == o.reachMargin && kneeOffset == o.kneeOffset &&
           pitchOffset == o.pitchOffset;
  }
  bool operator!=(const LegDimensions& o) const { return !(*this == o); }
};

extern const LegDimensions kFrontLegDimensions;
extern const LegDimensions kRearLegDimensions;

// The geometry of a leg of these dimensions: today's stored geometry for
// the built-in legs, bit for bit, and the derived limits, knee sum and knee
// factor for any other. The dimensions must keep the solver defined:
// positive lengths, 0 < rmin < rmax.
LegGeometry LegGeometryFrom(const LegDimensions& dimensions);

// Legs 0 and 1 are the front legs, 2 and 3 the rear legs.
constexpr bool IsFrontLeg(int leg) { return leg < 2; }

// A whole robot's legs and shoulders: the front and rear legs, and where the
// shoulders sit, shoulderX ahead of and behind the body's centre and
// shoulderY to either side (mm). The body pitch is read over the distance
// between front and rear shoulders, and the gait splits a leg's turn stroke
// by the angle of its foot seen from a point shoulderY to the side of it.
// Default: the built-in robot.
struct RobotGeometry {
  LegGeometry front = kFrontLegGeometry;
  LegGeometry rear = kRearLegGeometry;
  double shoulderX = kBodyPitchBase / 2.0;
  double shoulderY = kLateralBase;

  const LegGeometry& leg(int leg) const { return IsFrontLeg(leg) ? front : rear; }
  double bodyPitchBase() const { return 2.0 * shoulderX; }
};

// The built-in robot's legs.
inline const LegGeometry& LegGeometryOf(int leg) {
  return IsFrontLeg(leg) ? kFrontLegGeometry : kRearLegGeometry;
}

// Where leg `leg`'s shoulder sits on the body (mm), from the body's centre:
// x forwards, y to the robot's left, z up. Legs 0 and 1 in front, legs 0 and
// 2 on the right (y = -shoulderY). Without a robot, the built-in one.
Vector3 ShoulderPosition(const RobotGeometry& robot, int leg);
Vector3 ShoulderPosition(int leg);

// One leg's joint angles (rad), as a leg solver gives them.
struct LegAngles {
  double roll;
  double pitch;
  double knee;
};

// Where a foot target lies against the leg's reach, by the solver's own
// test: inside [rmin, rmax], beyond rmax, or short of rmin (a target with a
// NaN coordinate counts as short).
enum class Reach { kWithin, kBeyond, kInside };
Reach ReachOf(const LegGeometry& leg, Vector3 target);

// Where the solver aims the foot: the target moved along its ray into the
// leg's reach (the body-pitch correction comes before this). A target with
// no direction, or not finite, goes straight down to rmin.
Vector3 ClampToReach(const LegGeometry& leg, Vector3 target);

}  // namespace trotix

#endif  // TROTIX_LEGGEOMETRY_H_
