#include "gaitlab/gaitfile/RobotSection.h"

#include <yaml-cpp/yaml.h>

#include <algorithm>
#include <cmath>
#include <cstdio>

#include "gaitlab/gaitfile/GaitFileKeys.h"
#include "gaitlab/gaitfile/SectionTable.h"

namespace trotix {
namespace {

constexpr char kSection[] = "robot";

struct LegKind {
  const char* name;
  LegDimensions RobotDescription::*dimensions;
};
constexpr LegKind kLegKinds[] = {{"front", &RobotDescription::front},
                                 {"rear", &RobotDescription::rear}};

// One number for both kinds of leg, or {front: a, rear: b}, either left out.
void ReadLegKey(const YAML::Node& map, const YamlFields& fields, const RobotKey& key,
                double LegDimensions::*field, RobotDescription& robot) {
  const YAML::Node node = map[key.name];
  if (!node) return;
  const std::string path = KeyPath(kSection, key.name);
  if (!node.IsMap()) {
    const double value = fields.number(node, path, key.minimum, key.maximum);
    for (const LegKind& kind : kLegKinds) robot.*kind.dimensions.*field = value;
    return;
  }
  fields.checkMap(node, path, {"front", "rear"});
  for (const LegKind& kind : kLegKinds) {
    if (const YAML::Node n = node[kind.name]) {
      robot.*kind.dimensions.*field =
          fields.number(n, KeyPath(path, kind.name), key.minimum, key.maximum);
    }
  }
}

std::string Millimetres(double value) {
  char text[32];
  std::snprintf(text, sizeof text, "%.6g mm", value);
  return text;
}

// Refuses a leg the solver cannot solve for: the reach it aims into must be
// a non-empty range where the knee neither stretches past straight nor
// folds past shut, and where the foot stays ahead of the shoulder along the
// upper link (the roll divides by that reach). The line is the key's when
// the file gives it, else the section's.
void CheckLeg(const YAML::Node& map, const YamlFields& fields, const char* kind,
              const LegDimensions& d) {
  const LegGeometry g = LegGeometryFrom(d);
  const std::string leg = std::string("the ") + kind + " leg's ";
  const auto fail = [&](const char* key, const std::string& what) {
    const YAML::Node own = map[key];
    fields.fail(own ? own : map, KeyPath(kSection, key), what);
  };
  if (!(g.maxReach > 0.0)) {
    fail("reach_margin_mm", leg + Millimetres(d.reachMargin) +
                                " leaves it no reach: keep it below upper_leg_mm + lower_leg_mm, " +
                                Millimetres(d.upperLink + d.lowerLink));
  }
  if (!(g.minReach < g.maxReach)) {
    fail("min_reach_mm", leg + Millimetres(d.minReach) + " is not below its max reach, " +
                             Millimetres(g.maxReach) +
                             " (upper_leg_mm + lower_leg_mm - reach_margin_mm)");
  }
  if (!((g.maxReachSquared - g.kneeSum) * g.kneeFactor <= 1.0)) {
    fail("reach_margin_mm", leg + Millimetres(d.reachMargin) +
                                " stretches it past straight: give a margin above 0 mm");
  }
  const double fold = (g.minReachSquared - g.kneeSum) * g.kneeFactor;
  if (!(fold > -1.0 && d.upperLink + d.lowerLink * fold > 0.0)) {
    const double u = d.upperLink, l = d.lowerLink;
    const double shortest = l > u ? std::sqrt(l * l - u * u) : u - l;
    fail("min_reach_mm", leg + Millimetres(d.minReach) +
                             " folds its knee past where the solver is defined: it must exceed " +
                             Millimetres(shortest));
  }
}

std::string KeyValueText(const RobotDescription& robot, const RobotKey& key) {
  if (const auto field = std::get_if<double RobotDescription::*>(&key.field)) {
    return *ValueText(robot.**field);
  }
  const auto field = std::get<double LegDimensions::*>(key.field);
  const double front = robot.front.*field, rear = robot.rear.*field;
  if (front == rear) return *ValueText(front);
  return "{front: " + *ValueText(front) + ", rear: " + *ValueText(rear) + "}";
}

}  // namespace

void ReadRobotSection(const YAML::Node& map, const YamlFields& fields, RobotDescription& robot) {
  std::vector<std::string> names;
  for (const RobotKey& key : RobotKeys()) names.push_back(key.name);
  fields.checkMap(map, kSection, names);
  for (const RobotKey& key : RobotKeys()) {
    if (const auto field = std::get_if<double LegDimensions::*>(&key.field)) {
      ReadLegKey(map, fields, key, *field, robot);
    } else {
      fields.read(map, kSection, key.name, key.minimum, key.maximum,
                  robot.*std::get<double RobotDescription::*>(key.field));
    }
  }
  for (const LegKind& kind : kLegKinds) CheckLeg(map, fields, kind.name, robot.*kind.dimensions);
}

std::string RobotSectionText(const RobotDescription& robot) {
  const RobotDescription builtIn;
  const auto& keys = RobotKeys();
  if (std::all_of(keys.begin(), keys.end(), [&](const RobotKey& key) {
        return KeyValueText(robot, key) == KeyValueText(builtIn, key);
      })) {
    return "";
  }
  std::string text = "robot:   # the legs and shoulders the gait is solved for (mm, rad)\n";
  for (const RobotKey& key : keys) {
    text += std::string("  ") + key.name + ": " + KeyValueText(robot, key);
    if (key.comment) text += std::string("   # ") + key.comment;
    text += "\n";
  }
  return text;
}

}  // namespace trotix
