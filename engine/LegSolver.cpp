// Leg inverse kinematics.
//
// A leg hangs from its shoulder with three joints: the shoulder roll turns
// the leg's plane about the along-track (x) axis, the shoulder pitch swings
// the upper link (length u) inside that plane, and the knee bends the lower
// link (length l) against the upper one. Given a foot target p = (x, y, z)
// in the shoulder frame (x forward, y sideways, z down):
//
// Reach. With r = |p|, the triangle shoulder-knee-foot has sides u, l and r.
// Calling the knee's bend kappa (0 when the leg is straight), the angle
// inside the triangle at the knee is pi - kappa, so the law of cosines gives
//     r^2 = u^2 + l^2 - 2 u l cos(pi - kappa) = Q + 2 u l cos(kappa),
//     kappa = acos((r^2 - Q) F),   Q = u^2 + l^2,  F = 1 / (2 u l).
// Targets are first moved along their own ray into [rmin, rmax] so that the
// acos argument stays well inside [-1, 1] (about -0.594 .. 0.986), where the
// leg is neither folded shut nor fully stretched (rmax = u + l - 0.5).
// The knee output adds the servo's mounting offset to kappa.
//
// Roll. Measured along the upper link's direction the foot lies
//     L = l cos(kappa) + u
// from the shoulder; L > 0 for every reachable bend. Rolling the leg plane
// by phi moves that reach sideways by L sin(phi), so phi = asin(y / L).
// When |y| >= L no roll reaches the target; the quotient is saturated at
// 0.999 with the sign of y (asin 0.999 = 1.526071), which keeps the two
// sides of the robot mirror images of each other.
//
// Pitch. Seen in the rolled plane, the foot's direction from the downward
// axis is atan2(x, z). The foot lies off the upper link's line by the angle
// whose tangent is (l sin kappa) / (L cos phi), the cos phi accounting for
// the plane's tilt; the upper link therefore points at
//     pitch = atan(N / D) + atan2(x, z) - pitchOffset,
//     N = l sin(kappa),  D = -(l cos(phi) cos(kappa)) - u cos(phi) = -L cos(phi).
// D < 0 always, so the quotient is defined. The pitch is then wrapped into
// (-3.141592, 3.141592] in steps of 6.283184 (the robot's value of 2 pi).
//
// Body pitch. Two heights A and B measured 130 mm apart (the distance
// between front and rear shoulders) tilt the body by
// theta = asin((B - A) / 130). For theta != 0 the target is corrected by
//     z' = cos(theta) z - sin(theta) x,  x' = cos(theta) x + sin(theta) z'
// (x is rotated with the corrected z', not the original one). The rear legs
// face the other way: their solver negates x and theta first.
//
// Evaluation. Only acos, asin and one atan are called per solve: cos(kappa)
// is the acos argument itself, and
//     sin(kappa) = sqrt((1 - c)(1 + c)),  cos(phi) = sqrt((1 - q)(1 + q))
// for c = cos(kappa), q = sin(phi) (both factors keep their precision near
// |c|, |q| = 1). For a foot below the shoulder atan2(x, z) = atan(x / z), and
// the two arctangents of the pitch are summed with
//     atan(a) + atan(b) = atan((a + b) / (1 - ab))  (+-pi when 1 - ab < 0).
// These agree with the direct formulas to about 1e-13 rad at worst (the roll
// near the sideways guard; typically a few 1e-16), which never changes a
// micro-radian command. Where the direct pitch lands exactly on the wrap
// bound, the two may end a whole turn apart.
//
// Degenerate input. A target of zero length, or with a NaN or infinite
// coordinate, has no direction to scale along; it becomes the foot straight
// below the shoulder at rmin. Finite targets whose squared length over- or
// underflows are normalised by their largest component before scaling.
#include "engine/LegSolver.h"

#include <algorithm>
#include <cmath>

#include "trotix/WalkEngine.h"

namespace trotix {

const LegGeometry kFrontLegGeometry = {
    70.08,                   // upper link
    76.896944,               // lower link
    66.5,                    // rmin
    4422.25,                 // rmin^2
    146.476944,              // rmax
    21455.495123579138,      // rmax^2
    10824.346396539137,      // Q
    0.00009278266242085032,  // F
    0.1709,                  // knee offset
    0.1286,                  // pitch offset
};
const LegGeometry kRearLegGeometry = {
    70.08,                  // upper link
    79.409949,              // lower link
    68.0,                   // rmin
    4624.0,                 // rmin^2
    148.989949,             // rmax
    22198.0049030226,       // rmax^2
    11217.1464001826,       // Q
    0.0000898464649101718,  // F
    0.2606,                 // knee offset
    0.1286,                 // pitch offset
};

const LegDimensions kFrontLegDimensions = {70.08, 76.896944, 66.5, 0.5, 0.1709, 0.1286};
const LegDimensions kRearLegDimensions = {70.08, 79.409949, 68.0, 0.5, 0.2606, 0.1286};

LegGeometry LegGeometryFrom(const LegDimensions& d) {
  // The stored numbers, not their derivation: a build that contracts the
  // products below into fused multiply-adds would land a bit apart.
  if (d == kFrontLegDimensions) return kFrontLegGeometry;
  if (d == kRearLegDimensions) return kRearLegGeometry;
  const double maxReach = d.upperLink + d.lowerLink - d.reachMargin;
  return {d.upperLink,
          d.lowerLink,
          d.minReach,
          d.minReach * d.minReach,
          maxReach,
          maxReach * maxReach,
          d.upperLink * d.upperLink + d.lowerLink * d.lowerLink,
          1.0 / (2.0 * d.upperLink * d.lowerLink),
          d.kneeOffset,
          d.pitchOffset};
}

namespace {

constexpr double kBodyPitchFactor = 0.007692307692307693;
static_assert(kBodyPitchFactor == 1.0 / kBodyPitchBase, "the factor is 1 / 130 mm");
constexpr double kSidewaysGuard = 0.999;
constexpr double kWrapBound = kRobotPi;
constexpr double kWrapStep = 2.0 * kRobotPi;

using Target = LegTarget;

Target StraightDown(const LegGeometry& leg) { return {0.0, 0.0, leg.minReach}; }

Target Scaled(const Target& t, double factor) { return {t.x * factor, t.y * factor, t.z * factor}; }

double SquaredLength(const Target& t) { return t.x * t.x + t.y * t.y + t.z * t.z; }

// A finite target whose squared length under- or overflows: divide by the
// largest component (giving a length between 1 and sqrt 3), then scale to
// rmax when it was far out and to rmin when it was tiny.
Target ClampUnsquarable(const LegGeometry& leg, Target t, bool farOut) {
  const double largest = std::max({std::fabs(t.x), std::fabs(t.y), std::fabs(t.z)});
  if (largest == 0.0) return StraightDown(leg);
  t = {t.x / largest, t.y / largest, t.z / largest};
  const double reach = farOut ? leg.maxReach : leg.minReach;
  return Scaled(t, reach / std::sqrt(SquaredLength(t)));
}

Target CorrectForBodyPitch(Target t, double bodyPitch) {
  if (bodyPitch == 0.0) return t;
  const double c = std::cos(bodyPitch);
  const double s = std::sin(bodyPitch);
  t.z = c * t.z - s * t.x;
  t.x = c * t.x + s * t.z;
  return t;
}

// sqrt(1 - v^2), formed as (1 - v)(1 + v), which keeps its precision for
// |v| near 1: the sine of acos(v) and the cosine of asin(v).
double Complement(double v) { return std::sqrt((1.0 - v) * (1.0 + v)); }

// atan(a) + atan2(x, z): the pitch before its offset. For a foot below the
// shoulder (z > 0) the second term is atan(b) with b = x / z, and the sum of
// two arctangents needs only one: with alpha + beta in (-pi, pi),
//     tan(alpha + beta) = (a + b) / (1 - ab),
// and cos(alpha + beta) has the sign of 1 - ab, which says whether the sum
// lies beyond +-pi/2 (true pi here: this is an identity, not the robot's pi).
double PitchSum(double a, double x, double z) {
  const double b = z > 0.0 ? x / z : 0.0;
  if (!(z > 0.0 && std::fabs(b) < 1e12)) return std::atan(a) + std::atan2(x, z);
  const double c = 1.0 - a * b;
  const double t = std::atan((a + b) / c);
  if (c >= 0.0) return t;
  return a + b < 0.0 ? t - kTruePi : t + kTruePi;
}

double WrapPitch(double pitch) {
  while (pitch > kWrapBound) pitch -= kWrapStep;
  while (pitch <= -kWrapBound) pitch += kWrapStep;
  return pitch;
}

}  // namespace

// Moves the target along its ray into the leg's reach. Both limits are
// strict: a target exactly on rmin or rmax stays where it is.
Target ClampToReach(const LegGeometry& leg, Target t) {
  if (!std::isfinite(t.x) || !std::isfinite(t.y) || !std::isfinite(t.z)) return StraightDown(leg);
  const double r2 = SquaredLength(t);
  if (r2 == 0.0 || std::isinf(r2)) return ClampUnsquarable(leg, t, r2 != 0.0);
  if (r2 < leg.minReachSquared) return Scaled(t, leg.minReach / std::sqrt(r2));
  if (r2 > leg.maxReachSquared) return Scaled(t, leg.maxReach / std::sqrt(r2));
  return t;
}

Reach ReachOf(const LegGeometry& leg, Vector3 target) {
  const double r2 = SquaredLength(target);
  if (!std::isfinite(r2)) return std::isnan(r2) ? Reach::kInside : Reach::kBeyond;
  if (r2 > leg.maxReachSquared) return Reach::kBeyond;
  if (r2 < leg.minReachSquared) return Reach::kInside;
  return Reach::kWithin;
}

Vector3 ShoulderPosition(const RobotGeometry& robot, int leg) {
  const double x = IsFrontLeg(leg) ? robot.shoulderX : -robot.shoulderX;
  const double y = leg % 2 == 0 ? -robot.shoulderY : robot.shoulderY;
  return {x, y, 0.0};
}

Vector3 ShoulderPosition(int leg) { return ShoulderPosition(RobotGeometry{}, leg); }

double BodyPitch(double heightA, double heightB, double base) {
  const double factor = base == kBodyPitchBase ? kBodyPitchFactor : 1.0 / base;
  const double sine = (heightB - heightA) * factor;
  if (std::isnan(sine) || sine == 0.0) return 0.0;
  return std::asin(std::clamp(sine, -1.0, 1.0));
}

LegAngles SolveLeg(const LegGeometry& leg, double x, double y, double z, double bodyPitch) {
  const Target t = ClampToReach(leg, CorrectForBodyPitch({x, y, z}, bodyPitch));
  const double r2 = SquaredLength(t);

  const double cosKnee = (r2 - leg.kneeSum) * leg.kneeFactor;
  const double kneeBend = std::acos(cosKnee);
  const double reach = leg.lowerLink * cosKnee + leg.upperLink;

  const double rollSine =
      std::fabs(t.y) < std::fabs(reach) ? t.y / reach : std::copysign(kSidewaysGuard, t.y);
  const double roll = std::asin(rollSine);

  const double cosRoll = Complement(rollSine);
  const double n = leg.lowerLink * Complement(cosKnee);
  const double d = -(leg.lowerLink * cosRoll * cosKnee) - leg.upperLink * cosRoll;
  const double pitch = PitchSum(n / d, t.x, t.z) - leg.pitchOffset;

  return {roll, WrapPitch(pitch), kneeBend + leg.kneeOffset};
}

void WalkEngine::solveFrontLeg(double x, double y, double z, double& roll, double& pitch,
                               double& knee, double heightA, double heightB) const {
  const LegAngles a =
      SolveLeg(geometry.front, x, y, z, BodyPitch(heightA, heightB, geometry.bodyPitchBase()));
  roll = a.roll;
  pitch = a.pitch;
  knee = a.knee;
}

void WalkEngine::solveRearLeg(double x, double y, double z, double& roll, double& pitch,
                              double& knee, double heightA, double heightB) const {
  const LegAngles a =
      SolveLeg(geometry.rear, -x, y, z, -BodyPitch(heightA, heightB, geometry.bodyPitchBase()));
  roll = a.roll;
  pitch = a.pitch;
  knee = a.knee;
}

}  // namespace trotix
