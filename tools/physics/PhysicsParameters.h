// The physical robot behind the gait: masses, joints, servos and ground, as
// the physics check models them. The lengths of the legs and the places of
// the shoulders are not here: the model takes them from the engine's own
// geometry (engine/LegSolver.h). docs/physics.md explains each choice.
#ifndef TROTIX_TOOLS_PHYSICS_PHYSICSPARAMETERS_H_
#define TROTIX_TOOLS_PHYSICS_PHYSICSPARAMETERS_H_

#include <cmath>

namespace trotix {

// A small hobby-servo quadruped of about 1 kg. Units: kg, mm, N m, s.
struct PhysicsParameters {
  // The trunk: frame, electronics, battery, head and the eight shoulder
  // servos, as a uniform box. The gait sets every foot down footOffsetX
  // (50 mm) ahead of its shoulder, so the diagonals the robot stands on
  // cross 50 mm ahead of the shoulders' centre; a robot built for this gait
  // carries its weight there, or it tips back at every step. The box
  // therefore reaches from the rear shoulders to 130 mm ahead of the front
  // ones (neck and head), its centre this far ahead of the shoulders'
  // centre; with the legs the whole robot's mass centre lies 49 mm ahead.
  double bodyMassKg = 0.65;
  double bodyForwardMm = 65.0;
  double bodyLeftMm = 0.0;
  double bodyLengthMm = 260.0;
  double bodyWidthMm = 110.0;
  double bodyHeightMm = 40.0;
  // Each upper link with its knee servo, each lower link with its foot,
  // as uniform rods; the foot is a rubber sphere of this radius at the end.
  double upperLinkMassKg = 0.06;
  double lowerLinkMassKg = 0.025;
  double footRadiusMm = 6.0;

  // Every joint: viscous damping of the gear train (N m s/rad) and the
  // motor's inertia seen through the gears (kg m^2).
  double jointDamping = 0.06;
  double jointArmature = 0.0002;
  // Position servo: torque = kp (commanded - actual angle), cut off at the
  // stall torque of a standard-size hobby servo.
  double servoKp = 8.0;           // N m/rad
  double servoTorqueLimit = 1.2;  // N m

  // Sliding friction between a rubber foot and a hard floor.
  double friction = 0.9;

  // Largest integration step. The run takes the tick period in equal steps
  // no longer than this (33 ms gives 17 steps of 1.94 ms).
  double maxTimeStepMs = 2.0;
};

// The number of equal integration steps that one tick period takes.
inline int StepsPerTick(const PhysicsParameters& parameters, double tickPeriodMs) {
  return static_cast<int>(std::ceil(tickPeriodMs / parameters.maxTimeStepMs - 1e-9));
}

inline double TimeStepSeconds(const PhysicsParameters& parameters, double tickPeriodMs) {
  return tickPeriodMs / 1000.0 / StepsPerTick(parameters, tickPeriodMs);
}

}  // namespace trotix

#endif  // TROTIX_TOOLS_PHYSICS_PHYSICSPARAMETERS_H_
