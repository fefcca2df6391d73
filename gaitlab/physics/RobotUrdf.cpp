#include "gaitlab/physics/RobotUrdf.h"

#include "gaitlab/io/NumberText.h"
#include "gaitlab/physics/ModelText.h"
#include "trotix/LegGeometry.h"

namespace trotix {
namespace {

constexpr double kPi = 3.141592653589793;
// The capsules' radii, as in the MJCF (mm).
constexpr double kUpperRadiusMm = 9.0;
constexpr double kLowerRadiusMm = 5.0;

struct Inertia {
  double ixx, iyy, izz;  // about the centre of mass, kg m^2
};

Inertia BoxInertia(double massKg, double xMm, double yMm, double zMm) {
  const double x = xMm / 1000.0, y = yMm / 1000.0, z = zMm / 1000.0;
  return {massKg * (y * y + z * z) / 12.0, massKg * (x * x + z * z) / 12.0,
          massKg * (x * x + y * y) / 12.0};
}

// A capsule along z of `lengthMm` between its end centres, as MuJoCo
// computes it from a geom's mass: a cylinder and two hemispheres of one
// density.
Inertia CapsuleInertia(double massKg, double radiusMm, double lengthMm) {
  const double r = radiusMm / 1000.0, h = lengthMm / 1000.0;
  const double sphereMass = massKg * 4.0 * r / (4.0 * r + 3.0 * h);
  const double cylinderMass = massKg - sphereMass;
  const double sphere = sphereMass * 2.0 * r * r / 5.0;
  const double across = cylinderMass * (3.0 * r * r + h * h) / 12.0 + sphere +
                        sphereMass * h * (3.0 * r + 2.0 * h) / 8.0;
  return {across, across, cylinderMass * r * r / 2.0 + sphere};
}

std::string Inertial(double massKg, const std::string& origin, const Inertia& i) {
  return "    <inertial>\n      <origin xyz=\"" + origin + "\"/>\n      <mass value=\"" +
         DoubleText(massKg) + "\"/>\n      <inertia ixx=\"" + DoubleText(i.ixx) +
         "\" ixy=\"0\" ixz=\"0\" iyy=\"" + DoubleText(i.iyy) + "\" iyz=\"0\" izz=\"" +
         DoubleText(i.izz) + "\"/>\n    </inertial>\n";
}

// A visual and a collision of the same shape.
std::string Shape(const std::string& origin, const std::string& geometry) {
  std::string text;
  for (const char* tag : {"visual", "collision"}) {
    text += std::string("    <") + tag + ">\n      <origin xyz=\"" + origin +
            "\"/>\n      <geometry>" + geometry + "</geometry>\n    </" + tag + ">\n";
  }
  return text;
}

// A link hanging straight down from its joint: a capsule of `lengthMm`.
std::string RodLink(const std::string& name, double massKg, double radiusMm, double lengthMm) {
  const std::string middle = Metres({0, 0, -lengthMm / 2});
  return "  <link name=\"" + name + "\">\n" +
         Inertial(massKg, middle, CapsuleInertia(massKg, radiusMm, lengthMm)) +
         Shape(middle, "<cylinder radius=\"" + Metres({radiusMm}) + "\" length=\"" +
                           Metres({lengthMm}) + "\"/>") +
         "  </link>\n";
}

std::string Revolute(const PhysicsParameters& p, const MjcfGait& gait, int joint,
                     const std::string& parent, const std::string& child, const std::string& origin,
                     const std::string& axis) {
  const JointRange range = gait.ranges[joint].value_or(JointRange{-kPi, kPi});
  // The servo the physics check drives the joint with: its top speed, stall
  // torque and back-EMF damping.
  const ServoDrive drive = ServoDriveOf(p, joint);
  return "  <joint name=\"" + JointName(joint) + "\" type=\"revolute\">\n    <parent link=\"" +
         parent + "\"/>\n    <child link=\"" + child + "\"/>\n    <origin xyz=\"" + origin +
         "\"/>\n    <axis xyz=\"" + axis + "\"/>\n    <limit lower=\"" + DoubleText(range[0]) +
         "\" upper=\"" + DoubleText(range[1]) + "\" effort=\"" + DoubleText(drive.torqueLimit) +
         "\" velocity=\"" + DoubleText(drive.maxSpeed) + "\"/>\n    <dynamics damping=\"" +
         DoubleText(drive.damping) + "\"/>\n  </joint>\n";
}

// The leg as the MJCF builds it: both shoulder joints at the shoulder, in
// the order of the leg chain, the upper link down -z, the knee at its end,
// the lower link down -z and the foot sphere at its end. Pitch and knee
// turn about -y, the roll about x with the sign of the leg's +y.
std::string Leg(const PhysicsParameters& p, const MjcfGait& gait, int leg) {
  const RobotGeometry robot = gait.robot.geometry();
  const LegGeometry& geometry = robot.leg(leg);
  const Vector3 shoulder = ShoulderPosition(robot, leg);
  const std::string name = "leg" + std::to_string(leg);
  const std::string roll = DoubleText(LateralSign(gait.robot.lateralAxis, leg)) + " 0 0",
                    pitch = "0 -1 0";
  const bool pitchFirst = gait.robot.legChain == LegChain::kPitchFirst;
  const int first = 3 * leg + (pitchFirst ? 0 : 1), second = 3 * leg + (pitchFirst ? 1 : 0);
  const std::string origin = Metres({0, 0, 0});
  return Revolute(p, gait, first, "trunk", name + "_shoulder",
                  Metres({shoulder.x, shoulder.y, shoulder.z}), pitchFirst ? pitch : roll) +
         "  <link name=\"" + name + "_shoulder\"/>\n" +
         Revolute(p, gait, second, name + "_shoulder", name + "_upper", origin,
                  pitchFirst ? roll : pitch) +
         RodLink(name + "_upper", p.upperLinkMassKg, kUpperRadiusMm, geometry.upperLink) +
         Revolute(p, gait, 3 * leg + 2, name + "_upper", name + "_lower",
                  Metres({0, 0, -geometry.upperLink}), pitch) +
         RodLink(name + "_lower", p.lowerLinkMassKg, kLowerRadiusMm, geometry.lowerLink) +
         "  <joint name=\"" + name + "_foot\" type=\"fixed\">\n    <parent link=\"" + name +
         "_lower\"/>\n    <child link=\"" + name + "_foot\"/>\n    <origin xyz=\"" +
         Metres({0, 0, -geometry.lowerLink}) + "\"/>\n  </joint>\n  <link name=\"" + name +
         "_foot\">\n" + Shape(origin, "<sphere radius=\"" + Metres({p.footRadiusMm}) + "\"/>") +
         "  </link>\n";
}

}  // namespace

std::string RobotUrdf(const PhysicsParameters& p, const MjcfGait& gait) {
  const std::string centre = Metres({p.bodyForwardMm, p.bodyLeftMm, 0});
  std::string xml =
      "<?xml version=\"1.0\"?>\n"
      "<!-- Generated by trotix-gait from the walk engine's geometry; lengths in m,\n"
      "     angles in rad, the model of its --export-mjcf. -->\n"
      "<robot name=\"trotix\">\n"
      "  <link name=\"trunk\">\n" +
      Inertial(p.bodyMassKg, centre,
               BoxInertia(p.bodyMassKg, p.bodyLengthMm, p.bodyWidthMm, p.bodyHeightMm)) +
      Shape(centre,
            "<box size=\"" + Metres({p.bodyLengthMm, p.bodyWidthMm, p.bodyHeightMm}) + "\"/>") +
      "  </link>\n";
  for (int leg = 0; leg < kLegCount; ++leg) xml += Leg(p, gait, leg);
  return xml + "</robot>\n";
}

}  // namespace trotix
