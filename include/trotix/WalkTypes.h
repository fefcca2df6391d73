// The walk engine's shared types and constants: sizes, the joint-angle and
// foot-target tables, joint commands, and the robot's own value of pi.
#ifndef TROTIX_WALKTYPES_H_
#define TROTIX_WALKTYPES_H_

#include <array>
#include <cstdint>

namespace trotix {

constexpr int kLegCount = 4;
constexpr int kFramesPerAdvance = 4;
constexpr int kLocusPoints = 10;
// The engine searches foot paths within this many millimetres of the
// shoulder; path points and offsets must stay inside it.
constexpr double kMaxFootPathLength = 1000.0;
constexpr int kJointCount = 12;  // pitch, roll, knee of legs 0..3
constexpr int kAuxJointCount = 3;

// The robot's value of pi, used wherever degrees and radians meet and as the
// bound into which the leg solver wraps its pitch.
constexpr double kRobotPi = 3.141592;
// Radians to degrees with that pi.
constexpr double kDegreesPerRadian = 57.29579143313326;
static_assert(kDegreesPerRadian == 180.0 / kRobotPi, "one pi for both directions");
// The true pi, for geometry that is not the robot's own angle arithmetic
// (trigonometric identities, OpenGL's rotations, the physics model).
constexpr double kTruePi = 3.14159265358979323846;

// A joint angle in signed micro-radians: radians x 1e6, truncated toward zero.
using JointCommand = std::int32_t;
// Selects the LocusSet the gait uses: 2, 3 or 4; anything else selects none.
using WalkMode = std::int32_t;
// Leg-major: element 3 * leg + joint, joint 0 pitch, 1 roll, 2 knee.
using JointAngles = std::array<double, kJointCount>;
// [frame][leg][x, y, z] foot targets in millimetres.
using FrameTargets = std::array<std::array<std::array<double, 3>, kLegCount>, kFramesPerAdvance>;

}  // namespace trotix

#endif  // TROTIX_WALKTYPES_H_
