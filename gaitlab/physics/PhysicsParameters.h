// The physical robot behind the gait: masses, joints, servos and ground, as
// the physics check models them. The lengths of the legs, the places of the
// shoulders and how each leg's joints are chained are not here: the model
// takes them from the gait's robot (gaitlab/robot/RobotDescription.h).
// docs/physics.md explains each choice.
#ifndef TROTIX_GAITLAB_PHYSICSPARAMETERS_H_
#define TROTIX_GAITLAB_PHYSICSPARAMETERS_H_

#include <array>
#include <cmath>
#include <cstdint>
#include <optional>

#include "trotix/WalkTypes.h"  // kJointCount

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
  double servoSpeed = 0.1;     // each servo's top speed, with its supply and unit
  double jointDamping = 0.15;  // only where the physics section sets joint_damping
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

  // Every joint's servo (ServoDrive below): its set point moves towards
  // the command at no more than the servo's top speed, a position loop of
  // gain kp drives it with at most the stall torque, and the motor's
  // back-EMF damps it so that unloaded it runs at the top speed with the
  // stall torque. A joint whose gait file entry declares max_speed or
  // max_torque_nm has that servo; the others a standard hobby servo (the
  // class of the TowerPro MG996R as rated at 4.8 V: 0.17 s per 60
  // degrees, about 9 kg cm).
  double servoMaxSpeed = 6.16;    // rad/s
  double servoTorqueLimit = 0.9;  // N m
  double servoKp = 20.0;          // N m/rad: full torque after 2.6 degrees of error
  // The rotor's inertia seen through the gears (kg m^2), which outweighs
  // the links' own.
  double jointArmature = 0.004;
  // Left out: each servo's back-EMF, its stall torque over its top speed.
  // Set: this damping (N m s/rad) on every joint instead.
  std::optional<double> jointDamping;
  // The joints section's servos, by engine joint (ServoParametersOf).
  std::array<std::optional<double>, kJointCount> jointMaxSpeed{}, jointMaxTorque{};

  // Sliding friction between a rubber foot and a hard floor.
  double friction = 0.9;

  // Largest integration step. The run takes the tick period in equal steps
  // no longer than this (33 ms gives 11 steps of 3 ms); docs/physics.md
  // measures what it costs in accuracy.
  double maxTimeStepMs = 3.0;

  EnsembleSpread spread;
};

// How many models a physics run walks at the most (PhysicsEnsemble.h): it
// stops adding members once its fall verdict is clear.
constexpr int kDefaultEnsembleMembers = 24;
constexpr int kMaxEnsembleMembers = 100;
constexpr std::int64_t kMaxEnsembleSeed = 2147483647;
constexpr std::int64_t kMaxPhysicsThreads = 1024;

// One joint's servo as the model drives it.
struct ServoDrive {
  double maxSpeed;     // rad/s
  double torqueLimit;  // N m
  double damping;      // N m s/rad
};

inline ServoDrive ServoDriveOf(const PhysicsParameters& p, int joint) {
  const double speed = p.jointMaxSpeed[joint].value_or(p.servoMaxSpeed);
  const double torque = p.jointMaxTorque[joint].value_or(p.servoTorqueLimit);
  return {speed, torque, p.jointDamping.value_or(torque / speed)};
}

// The number of equal integration steps that one tick period takes.
inline int StepsPerTick(const PhysicsParameters& parameters, double tickPeriodMs) {
  return static_cast<int>(std::ceil(tickPeriodMs / parameters.maxTimeStepMs - 1e-9));
}

inline double TimeStepSeconds(const PhysicsParameters& parameters, double tickPeriodMs) {
  return tickPeriodMs / 1000.0 / StepsPerTick(parameters, tickPeriodMs);
}

}  // namespace trotix

#endif  // TROTIX_GAITLAB_PHYSICSPARAMETERS_H_
