#include "gaitlab/physics/PhysicsSection.h"

#include "gaitlab/gait/SectionTable.h"

namespace trotix {
namespace {

// Bounds that keep the model physical and stable.
const SectionKeys<PhysicsParameters> kKeys = {
    {"body_mass_kg", &PhysicsParameters::bodyMassKg, 0.01, 100.0},
    {"body_forward_mm", &PhysicsParameters::bodyForwardMm, -1000.0, 1000.0},
    {"body_left_mm", &PhysicsParameters::bodyLeftMm, -1000.0, 1000.0},
    {"body_length_mm", &PhysicsParameters::bodyLengthMm, 1.0, 1000.0},
    {"body_width_mm", &PhysicsParameters::bodyWidthMm, 1.0, 1000.0},
    {"body_height_mm", &PhysicsParameters::bodyHeightMm, 1.0, 1000.0},
    {"upper_link_mass_kg", &PhysicsParameters::upperLinkMassKg, 0.001, 10.0},
    {"lower_link_mass_kg", &PhysicsParameters::lowerLinkMassKg, 0.001, 10.0},
    {"foot_radius_mm", &PhysicsParameters::footRadiusMm, 0.5, 50.0},
    {"joint_damping", &PhysicsParameters::jointDamping, 0.0, 100.0},
    {"joint_armature", &PhysicsParameters::jointArmature, 0.0, 1.0},
    {"servo_kp", &PhysicsParameters::servoKp, 0.01, 1000.0},
    {"servo_torque_limit", &PhysicsParameters::servoTorqueLimit, 0.001, 1000.0},
    {"friction", &PhysicsParameters::friction, 0.0, 10.0},
    {"max_time_step_ms", &PhysicsParameters::maxTimeStepMs, 0.01, 4.0},
};

}  // namespace

GaitFileSection PhysicsSection(PhysicsParameters& parameters) {
  return {"physics", [&parameters](const YAML::Node& section, const YamlFields& fields) {
            ReadSection(section, "physics", fields, kKeys, parameters);
          }};
}

std::string PhysicsSectionText(const PhysicsParameters& parameters) {
  return "physics:   # the robot model of --physics (docs/physics.md)\n" +
         SectionText(parameters, kKeys, "  ", "\n") + "\n";
}

}  // namespace trotix
