// The physical robot behind the gait: masses, joints, servos and ground, as
// the physics check models them. The lengths of the legs and the places of
// the shoulders are not here: the model takes them from the engine's own
// geometry (engine/LegSolver.h). docs/physics.md explains each choice.
#ifndef TROTIX_GAITLAB_PHYSICSPARAMETERS_H_
#define TROTIX_GAITLAB_PHYSICSPARAMETERS_H_

#include <cmath>

namespace trotix {

// A small hobby-servo quadruped of about 1 kg. Units: kg, mm, N m, s.
struct PhysicsParameters {
  // The trunk: frame, electronics, battery, head and the eight shoulder
  // servos, as a uniform box reaching from about the rear shoulders to 135 mm
  // ahead of the front ones (neck and head). The gait sets every foot down
  // footOffsetX (50 mm) ahead and footOffsetY (3 mm) to the left of its
  // shoulder, so the diagonals the robot stands on cross there; a robot
  // built for this gait carries its weight over that point or tips back at
  // every step. With the box's centre 66.5 mm ahead and 3.8 mm to the left
  // of the shoulders' centre the whole robot's mass centre lies over it;
  // like a builder moving the battery, the model is trimmed 3.5 mm further
  // forward, where the trot in place drifts least (3 mm/s rather than 8).
  double bodyMassKg = 0.65;
  double bodyForwardMm = 70.0;
  double bodyLeftMm = 3.8;
  double bodyLengthMm = 260.0;
  double bodyWidthMm = 110.0;
  double bodyHeightMm = 40.0;
  // Each upper link with its knee servo, each lower link with its foot,
  // as uniform rods; the foot is a rubber sphere of this radius at the end.
  double upperLinkMassKg = 0.06;
  double lowerLinkMassKg = 0.025;
  double footRadiusMm = 6.0;

  // Every joint, as a standard-size digital hobby servo (about 15 kg cm
  // at 6 V): the motor's back-EMF and the gear train as viscous damping
  // (N m s/rad), which with the stall torque caps the speed at 5 rad/s
  // (0.21 s per 60 degrees), and the rotor's inertia seen through the
  // gears (kg m^2), which outweighs the links' own.
  double jointDamping = 0.3;
  double jointArmature = 0.004;
  // Position servo: torque = kp (commanded - actual angle), cut off at the
  // stall torque; full torque after about 4 degrees of error.
  double servoKp = 20.0;          // N m/rad
  double servoTorqueLimit = 1.5;  // N m

  // Sliding friction between a rubber foot and a hard floor.
  double friction = 0.9;

  // Largest integration step. The run takes the tick period in equal steps
  // no longer than this (33 ms gives 17 steps of 1.94 ms). Halving it
  // changes a 60 s walk's speeds by a few mm/s, well inside what the open
  // loop trot itself varies by, at twice the cost.
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

#endif  // TROTIX_GAITLAB_PHYSICSPARAMETERS_H_
