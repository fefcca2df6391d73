// The physical robot behind the gait: masses, joints, servos and ground, as
// the physics check models them. The lengths of the legs, the places of the
// shoulders and how each leg's joints are chained are not here: the model
// takes them from the gait's robot (gaitlab/robot/RobotDescription.h).
// docs/physics.md explains each choice.
#ifndef TROTIX_GAITLAB_PHYSICSPARAMETERS_H_
#define TROTIX_GAITLAB_PHYSICSPARAMETERS_H_

#include <cmath>
#include <cstdint>

namespace trotix {

// How far an ensemble's members (all but the first, which is the model as
// given) differ from the model: each value is drawn uniformly within +- its
// amplitude, relative for the masses, friction and servo, absolute for the
// rest. The defaults come from scripts/ensemble-sensitivity.py, which prints
// how far each plausible error moves the walk (docs/physics.md).
struct EnsembleSpread {
  double mass = 0.03;  // each of the three masses
  double friction = 0.1;
  double servoKp = 0.15;
  double servoTorqueLimit = 0.1;
  double jointDamping = 0.15;
  double jointArmature = 0.3;
  double bodyOffsetMm = 5.0;       // the trunk box's centre, forwards and sideways
  double startTiltDeg = 1.0;       // the trunk's roll and pitch as it is set down
  double timeStep = 0.3;           // the largest step shortened by up to this share
  double commandNoiseRad = 0.002;  // each commanded angle, each tick
  // Which ensemble: each seed draws other members (not a gait file key).
  std::uint64_t seed = 0;
};

// A small hobby-servo quadruped of about 1 kg. Units: kg, mm, N m, s.
struct PhysicsParameters {
  // The trunk: frame, electronics, battery, head and the eight shoulder
  // servos, as a uniform box reaching from about the rear shoulders to 135 mm
  // ahead of the front ones (neck and head). The gait sets every foot down
  // footOffsetX (50 mm) ahead of its shoulder and footOffsetY (3 mm)
  // outward, so the diagonals the robot stands on cross 50 mm ahead of the
  // shoulders' centre; a robot built for this gait carries its weight over
  // that point or tips back at every step. With the box's centre 66.5 mm
  // ahead the whole robot's mass centre lies over it (the legs, standing,
  // pull it 16.5 mm back).
  double bodyMassKg = 0.65;
  double bodyForwardMm = 66.5;
  double bodyLeftMm = 0.0;
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
  // no longer than this (33 ms gives 11 steps of 3 ms). Going to 2 ms
  // changes a 60 s walk's speeds by a few mm/s, well inside what the open
  // loop trot itself varies by, at 1.5 times the cost.
  double maxTimeStepMs = 3.0;

  EnsembleSpread spread;
};

// How many models a physics run walks at the most (PhysicsEnsemble.h): it
// stops adding members once its fall verdict is clear.
constexpr int kDefaultEnsembleMembers = 24;
constexpr int kMaxEnsembleMembers = 100;
constexpr std::int64_t kMaxEnsembleSeed = 2147483647;

// The number of equal integration steps that one tick period takes.
inline int StepsPerTick(const PhysicsParameters& parameters, double tickPeriodMs) {
  return static_cast<int>(std::ceil(tickPeriodMs / parameters.maxTimeStepMs - 1e-9));
}

inline double TimeStepSeconds(const PhysicsParameters& parameters, double tickPeriodMs) {
  return tickPeriodMs / 1000.0 / StepsPerTick(parameters, tickPeriodMs);
}

}  // namespace trotix

#endif  // TROTIX_GAITLAB_PHYSICSPARAMETERS_H_
