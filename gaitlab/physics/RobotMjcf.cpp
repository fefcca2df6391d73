#include "gaitlab/physics/RobotMjcf.h"

#include <algorithm>
#include <initializer_list>

#include "gaitlab/io/NumberText.h"
#include "gaitlab/robot/Transmission.h"
#include "gaitlab/run/GaitSettings.h"
#include "trotix/LegGeometry.h"

namespace trotix {
namespace {

std::string Number(double value) {
  char text[kMaxNumberChars];
  return std::string(text, WriteDouble(text, value));
}

// MuJoCo works in metres: "0.065 -0.0625 0" for {65, -62.5, 0} mm.
std::string Metres(std::initializer_list<double> millimetres) {
  std::string text;
  for (const double mm : millimetres) text += (text.empty() ? "" : " ") + Number(mm / 1000.0);
  return text;
}

std::string LegName(int leg) { return "leg" + std::to_string(leg); }

// A hinge with its servo's damping, and its range when the gait file
// limits the joint.
std::string JointTag(const PhysicsParameters& p, const MjcfGait& gait, int joint,
                     const std::string& axis, const char* indent) {
  std::string tag = std::string(indent) + "<joint name=\"" + JointName(joint) + "\" axis=\"" +
                    axis + "\" damping=\"" + Number(ServoDriveOf(p, joint).damping) + "\"";
  if (const auto& range = gait.ranges[joint]) {
    tag += " limited=\"true\" range=\"" + Number((*range)[0]) + " " + Number((*range)[1]) + "\"";
  }
  return tag + "/>\n";
}

// The shoulder's two joints in the order of the leg chain: MuJoCo turns a
// body's later joints with its earlier ones. The roll's axis points forwards
// where the foot-target y points left, backwards where it points right.
std::string ShoulderJoints(const PhysicsParameters& p, const MjcfGait& gait, int leg) {
  const std::string roll = JointTag(
      p, gait, 3 * leg + 1, Number(LateralSign(gait.robot.lateralAxis, leg)) + " 0 0", "      ");
  const std::string pitch = JointTag(p, gait, 3 * leg, "0 -1 0", "      ");
  return gait.robot.legChain == LegChain::kPitchFirst ? pitch + roll : roll + pitch;
}

// The engine joints in the order of the model's qpos.
std::array<int, kJointCount> QposOrder(LegChain chain) {
  std::array<int, kJointCount> order{};
  for (int leg = 0; leg < kLegCount; ++leg) {
    const bool pitchFirst = chain == LegChain::kPitchFirst;
    order[3 * leg] = 3 * leg + (pitchFirst ? 0 : 1);
    order[3 * leg + 1] = 3 * leg + (pitchFirst ? 1 : 0);
    order[3 * leg + 2] = 3 * leg + 2;
  }
  return order;
}

std::string Numbers(const std::vector<double>& values) {
  std::string text;
  for (const double value : values) text += (text.empty() ? "" : " ") + Number(value);
  return text;
}

std::string Key(const char* name, const MjcfState& state) {
  return std::string("    <key name=\"") + name + "\" qpos=\"" + Numbers(state.qpos) +
         "\" ctrl=\"" + Numbers(state.ctrl) + "\"/>\n";
}

// The standing pose as the keyframe "standing", its servos holding it, and
// a run's first state as "replay".
std::string Keyframes(const MjcfGait& gait) {
  std::string keys;
  if (gait.standing) {
    const JointAngles model = ModelJointAngles(gait.robot.geometry(), *gait.standing);
    MjcfState standing{{0, 0, gait.standingHeightMm / 1000.0, 1, 0, 0, 0}, {}};
    for (const int joint : QposOrder(gait.robot.legChain)) standing.qpos.push_back(model[joint]);
    standing.ctrl.assign(model.begin(), model.end());
    keys += Key("standing", standing);
  }
  if (gait.replayStart) keys += Key("replay", *gait.replayStart);
  return keys.empty() ? "" : "  <keyframe>\n" + keys + "  </keyframe>\n";
}

// Upper link from the shoulder, lower link from the knee, both down the
// body's -z when their joints are at zero. The pitch and knee axes are -y:
// a positive angle swings the foot towards +x. Only the foot touches.
std::string LegBodies(const PhysicsParameters& p, const MjcfGait& gait, int leg) {
  const RobotGeometry robot = gait.robot.geometry();
  const LegGeometry& geometry = robot.leg(leg);
  const Vector3 shoulder = ShoulderPosition(robot, leg);
  const std::string name = LegName(leg);
  const double upper = geometry.upperLink, lower = geometry.lowerLink;
  return "    <body name=\"" + name + "_upper\" pos=\"" +
         Metres({shoulder.x, shoulder.y, shoulder.z}) + "\">\n" + ShoulderJoints(p, gait, leg) +
         "      <geom type=\"capsule\" size=\"0.009\" fromto=\"" + Metres({0, 0, 0, 0, 0, -upper}) +
         "\" mass=\"" + Number(p.upperLinkMassKg) +
         "\" rgba=\"0.8 0.3 0.8 1\"/>\n"
         "      <body name=\"" +
         name + "_lower\" pos=\"" + Metres({0, 0, -upper}) + "\">\n" +
         JointTag(p, gait, 3 * leg + 2, "0 -1 0", "        ") +
         "        <geom type=\"capsule\" size=\"0.005\" fromto=\"" +
         Metres({0, 0, 0, 0, 0, -lower}) + "\" mass=\"" + Number(p.lowerLinkMassKg) +
         "\" rgba=\"0.85 0.8 0.2 1\"/>\n"
         "        <geom name=\"" +
         name + "_foot\" class=\"touching\" type=\"sphere\" size=\"" + Metres({p.footRadiusMm}) +
         "\" pos=\"" + Metres({0, 0, -lower}) +
         "\" mass=\"0\" rgba=\"0.1 0.1 0.1 1\"/>\n"
         "        <site name=\"" +
         name + "_foot\" pos=\"" + Metres({0, 0, -lower}) +
         "\"/>\n"
         "      </body>\n"
         "    </body>\n";
}

// The servo's position loop; its speed limit is the run's (PhysicsRun).
std::string Servo(const PhysicsParameters& p, int joint) {
  const std::string name = JointName(joint);
  const double torque = ServoDriveOf(p, joint).torqueLimit;
  return "    <position name=\"" + name + "\" joint=\"" + name + "\" kp=\"" + Number(p.servoKp) +
         "\" forcelimited=\"true\" forcerange=\"" + Number(-torque) + " " + Number(torque) +
         "\"/>\n";
}

// The trunk starts high enough for straight legs to stand on the floor.
double StartHeightMm(const PhysicsParameters& p, const RobotDescription& robot) {
  return std::max(robot.front.upperLink + robot.front.lowerLink,
                  robot.rear.upperLink + robot.rear.lowerLink) +
         p.footRadiusMm;
}

}  // namespace

std::string RobotMjcf(const PhysicsParameters& p, double tickPeriodMs, const MjcfGait& gait) {
  std::string xml =
      "<mujoco model=\"trotix\">\n"
      "  <!-- Generated by trotix-gait from the walk engine's geometry. -->\n"
      "  <compiler angle=\"radian\"/>\n"
      "  <option timestep=\"" +
      Number(TimeStepSeconds(p, tickPeriodMs)) +
      "\" integrator=\"Euler\"/>\n"
      "  <default>\n"
      "    <joint type=\"hinge\" armature=\"" +
      Number(p.jointArmature) +
      "\"/>\n"
      "    <geom contype=\"0\" conaffinity=\"0\"/>\n"
      "    <default class=\"touching\">\n"
      "      <geom contype=\"1\" friction=\"" +
      Number(p.friction) +
      " 0.005 0.0001\"/>\n"
      "    </default>\n"
      "  </default>\n"
      "  <asset>\n"
      "    <texture name=\"grid\" type=\"2d\" builtin=\"checker\" rgb1=\"0.25 0.3 0.35\" "
      "rgb2=\"0.35 0.4 0.45\" width=\"256\" height=\"256\"/>\n"
      "    <material name=\"grid\" texture=\"grid\" texrepeat=\"40 40\"/>\n"
      "  </asset>\n"
      "  <worldbody>\n"
      "    <light pos=\"0 0 3\" dir=\"0 0 -1\" directional=\"true\"/>\n"
      "    <geom name=\"floor\" type=\"plane\" size=\"10 10 0.1\" material=\"grid\" contype=\"1\" "
      "conaffinity=\"1\" friction=\"" +
      Number(p.friction) +
      " 0.005 0.0001\"/>\n"
      "    <body name=\"trunk\" pos=\"" +
      Metres({0, 0, StartHeightMm(p, gait.robot)}) +
      "\">\n"
      "    <freejoint name=\"trunk\"/>\n"
      "    <geom name=\"trunk\" class=\"touching\" type=\"box\" size=\"" +
      Metres({p.bodyLengthMm / 2, p.bodyWidthMm / 2, p.bodyHeightMm / 2}) + "\" pos=\"" +
      Metres({p.bodyForwardMm, p.bodyLeftMm, 0}) + "\" mass=\"" + Number(p.bodyMassKg) +
      "\" rgba=\"0.2 0.75 0.8 1\"/>\n";
  for (int leg = 0; leg < kLegCount; ++leg) xml += LegBodies(p, gait, leg);
  xml +=
      "    </body>\n"
      "  </worldbody>\n"
      "  <actuator>\n";
  for (int joint = 0; joint < kJointCount; ++joint) xml += Servo(p, joint);
  xml += "  </actuator>\n" + Keyframes(gait) + "</mujoco>\n";
  return xml;
}

std::string ReplayPath(const std::string& mjcfPath) {
  const std::size_t dot = mjcfPath.size() >= 4 ? mjcfPath.size() - 4 : std::string::npos;
  const bool xml = dot != std::string::npos && mjcfPath.compare(dot, 4, ".xml") == 0;
  return (xml ? mjcfPath.substr(0, dot) : mjcfPath) + "-replay.csv";
}

}  // namespace trotix
