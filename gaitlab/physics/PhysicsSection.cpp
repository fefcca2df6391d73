#include "gaitlab/physics/PhysicsSection.h"

#include <yaml-cpp/yaml.h>

#include <cmath>
#include <vector>

#include "gaitlab/gaitfile/SectionTable.h"
#include "gaitlab/io/InputError.h"
#include "gaitlab/io/NumberText.h"

namespace trotix {
namespace {

// The bounds were found by walking the 9 x 9 slider map with the parameters
// at the ends that make the model lightest and stiffest, and heaviest and
// weakest, the trunk's box smallest and largest and furthest off centre:
// within them no setting broke the integration. Beyond them some did: no
// damping, less armature, stiffer servos or less friction on the lightest
// robot (docs/physics.md).
const SectionKeys<PhysicsParameters> kKeys = {
    {"body_mass_kg", &PhysicsParameters::bodyMassKg, 0.3, 5.0},
    {"body_forward_mm", &PhysicsParameters::bodyForwardMm, -150.0, 150.0},
    {"body_left_mm", &PhysicsParameters::bodyLeftMm, -50.0, 50.0},
    {"body_length_mm", &PhysicsParameters::bodyLengthMm, 100.0, 600.0},
    {"body_width_mm", &PhysicsParameters::bodyWidthMm, 40.0, 300.0},
    {"body_height_mm", &PhysicsParameters::bodyHeightMm, 10.0, 200.0},
    {"upper_link_mass_kg", &PhysicsParameters::upperLinkMassKg, 0.02, 0.5},
    {"lower_link_mass_kg", &PhysicsParameters::lowerLinkMassKg, 0.01, 0.5},
    {"foot_radius_mm", &PhysicsParameters::footRadiusMm, 3.0, 20.0},
    {"joint_damping", &PhysicsParameters::jointDamping, 0.1, 10.0},
    {"joint_armature", &PhysicsParameters::jointArmature, 0.002, 0.1},
    {"servo_kp", &PhysicsParameters::servoKp, 1.0, 60.0},
    {"servo_torque_limit", &PhysicsParameters::servoTorqueLimit, 0.1, 3.0},
    {"servo_max_speed", &PhysicsParameters::servoMaxSpeed, 1.0, 30.0},
    {"friction", &PhysicsParameters::friction, 0.3, 3.0},
    {"max_time_step_ms", &PhysicsParameters::maxTimeStepMs, 0.1, 3.0},
};

// The physics section's `spread` section: the ensemble's amplitudes.
const SectionKeys<EnsembleSpread> kSpreadKeys = {
    {"mass", &EnsembleSpread::mass, 0.0, 0.5},
    {"friction", &EnsembleSpread::friction, 0.0, 0.5},
    {"servo_kp", &EnsembleSpread::servoKp, 0.0, 0.5},
    {"servo_torque_limit", &EnsembleSpread::servoTorqueLimit, 0.0, 0.5},
    {"servo_speed", &EnsembleSpread::servoSpeed, 0.0, 0.5},
    {"joint_damping", &EnsembleSpread::jointDamping, 0.0, 0.5},
    {"joint_armature", &EnsembleSpread::jointArmature, 0.0, 0.5},
    {"body_offset_mm", &EnsembleSpread::bodyOffsetMm, 0.0, 20.0},
    {"start_tilt_deg", &EnsembleSpread::startTiltDeg, 0.0, 10.0},
    {"time_step", &EnsembleSpread::timeStep, 0.0, 0.5},
    {"command_noise_rad", &EnsembleSpread::commandNoiseRad, 0.0, 0.05},
};

// How the robot's legs are built, which the physics section has always
// named; the robot description holds them.
const ChoiceKeys<RobotDescription> kChoices = {
    {"leg_chain",
     {"pitch_first", "roll_first"},
     [](const RobotDescription& r) { return static_cast<int>(r.legChain); },
     [](RobotDescription& r, int v) { r.legChain = static_cast<LegChain>(v); }},
    {"lateral_axis",
     {"outward", "shared"},
     [](const RobotDescription& r) { return static_cast<int>(r.lateralAxis); },
     [](RobotDescription& r, int v) { r.lateralAxis = static_cast<LateralAxis>(v); }},
};

}  // namespace

std::string LikelyUnstableKey(const PhysicsParameters& parameters) {
  // Each key that breaks the integration towards one end, and that end:
  // the lightest robot with stiff, undamped servos, slippery feet or a long
  // step (docs/physics.md).
  const struct {
    const char* name;
    bool towardsMinimum;
  } kRisky[] = {{"servo_max_speed", false},   {"joint_armature", true},
                {"servo_kp", false},          {"friction", true},
                {"max_time_step_ms", false},  {"upper_link_mass_kg", true},
                {"lower_link_mass_kg", true}, {"body_mass_kg", true}};
  const PhysicsParameters defaults;
  std::string likeliest = "max_time_step_ms";
  double largest = 0.0;
  for (const auto& risky : kRisky) {
    for (const SectionKey<PhysicsParameters>& key : kKeys) {
      if (std::string(key.name) != risky.name) continue;
      const auto field = std::get<double PhysicsParameters::*>(key.field);
      // How far the value has gone from the default towards the risky end,
      // on a log scale: 0 at the default, 1 at the bound.
      const double end = risky.towardsMinimum ? key.minimum : key.maximum;
      const double share =
          std::log(parameters.*field / defaults.*field) / std::log(end / defaults.*field);
      if (share > largest) {
        largest = share;
        likeliest = key.name;
      }
    }
  }
  return "physics." + likeliest;
}

GaitFileSection PhysicsSection(PhysicsParameters& parameters) {
  return {"physics", [&parameters](const YAML::Node& section, const YamlFields& fields,
                                   GaitSettings& settings) {
            std::vector<std::string> more = ChoiceNames(kChoices);
            more.push_back("spread");
            ReadSection(section, "physics", fields, kKeys, parameters, more);
            ReadChoices(section, "physics", fields, kChoices, settings.robot);
            if (const YAML::Node spread = section["spread"]) {
              ReadSection(spread, "physics.spread", fields, kSpreadKeys, parameters.spread);
            }
          }};
}

std::string PhysicsSectionText(const PhysicsParameters& parameters, const RobotDescription& robot) {
  return "physics:   # the robot model of --physics (docs/physics.md)\n" +
         ChoicesText(robot, kChoices, "  ") + SectionText(parameters, kKeys, "  ", "\n") +
         "\n  spread:   # how the ensemble's members differ\n" +
         SectionText(parameters.spread, kSpreadKeys, "    ", "\n") + "\n";
}

}  // namespace trotix
