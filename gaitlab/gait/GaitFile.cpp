#include "gaitlab/gait/GaitFile.h"

#include <yaml-cpp/yaml.h>

#include <algorithm>
#include <cmath>

#include "engine/FootPath.h"
#include "gaitlab/gait/YamlDocument.h"
#include "gaitlab/io/InputError.h"
#include "gaitlab/io/InputFile.h"
#include "gaitlab/io/NumberText.h"
#include "trotix/SliderMapping.h"

namespace trotix {
namespace {

// Bounds that keep the engine well inside what it was built for: a phase
// step below one cycle, lengths within the +-1000 mm of its path searches.
constexpr double kMaxStepRate = 100.0;
constexpr double kMaxLength = kPathSearchHigh;
constexpr double kMaxAngle = 10.0;
constexpr double kMaxHalfStroke = kMaxSliderHalfStroke;

const std::vector<std::string> kLegKeys = {"stepRate",    "stepHeight",  "footOffsetX",
                                           "footOffsetY", "footOffsetZ", "sideStepLength"};
const std::vector<std::string> kJointKeys = {"lower",  "upper",     "max_speed", "channel",
                                             "zero",   "direction", "center_us", "us_per_rad",
                                             "min_us", "max_us"};

double* LegField(LegGait& gait, const std::string& key) {
  if (key == "stepRate") return &gait.stepRate;
  if (key == "stepHeight") return &gait.stepHeight;
  if (key == "footOffsetX") return &gait.footOffsetX;
  if (key == "footOffsetY") return &gait.footOffsetY;
  if (key == "footOffsetZ") return &gait.footOffsetZ;
  return &gait.sideStepLength;
}

class GaitFileReader {
 public:
  GaitFileReader(const std::string& name, const std::vector<GaitFileSection>& sections)
      : fields_(name), sections_(sections) {}

  GaitSettings read(const YAML::Node& root) {
    GaitSettings settings = DefaultGaitSettings();
    if (root.IsNull()) return settings;
    std::vector<std::string> known = {"tick_period_ms", "jump_threshold",   "gait", "legs", "paths",
                                      "joints",         "servo_slew_limit", "check"};
    for (const GaitFileSection& section : sections_) known.push_back(section.name);
    fields_.checkMap(root, "", known);
    if (const YAML::Node n = root["tick_period_ms"]) {
      settings.tickPeriodMs = fields_.number(n, "tick_period_ms", 0.001, 60000.0);
    }
    if (const YAML::Node n = root["jump_threshold"]) {
      settings.jumpThreshold = fields_.number(n, "jump_threshold", 0.0, kMaxAngle);
    }
    if (const YAML::Node n = root["gait"]) {
      for (LegGait& leg : settings.legs) readLeg(n, "gait", leg);
    }
    if (const YAML::Node n = root["legs"]) readLegs(n, settings);
    if (const YAML::Node n = root["paths"]) readPaths(n, settings);
    if (const YAML::Node n = root["joints"]) readJoints(n, settings);
    if (const YAML::Node n = root["servo_slew_limit"]) {
      settings.slewLimit = fields_.flag(n, "servo_slew_limit");
    }
    if (const YAML::Node n = root["check"]) readCheck(n, settings);
    for (const GaitFileSection& section : sections_) {
      if (const YAML::Node n = root[section.name]) section.read(n, fields_);
    }
    return settings;
  }

 private:
  void readLeg(const YAML::Node& map, const std::string& path, LegGait& leg) const {
    fields_.checkMap(map, path, kLegKeys);
    for (const auto& entry : map) {
      const std::string key = entry.first.Scalar();
      const std::string where = KeyPath(path, key);
      double minimum = -kMaxLength, maximum = kMaxLength;
      if (key == "stepRate") minimum = 0.0, maximum = kMaxStepRate;
      if (key == "stepHeight") minimum = 0.0;
      *LegField(leg, key) = fields_.number(entry.second, where, minimum, maximum);
    }
  }

  void readLegs(const YAML::Node& map, GaitSettings& settings) const {
    fields_.checkMap(map, "legs", {"leg0", "leg1", "leg2", "leg3"});
    for (const auto& entry : map) {
      const std::string key = entry.first.Scalar();
      readLeg(entry.second, KeyPath("legs", key), settings.legs[key.back() - '0']);
    }
  }

  void readPath(const YAML::Node& map, const std::string& path, FootLocus& locus) const {
    fields_.checkMap(map, path, {"alongTrack", "vertical"});
    for (const auto& entry : map) {
      const std::string key = entry.first.Scalar();
      const std::string where = KeyPath(path, key);
      const std::vector<double> values =
          fields_.numbers(entry.second, where, kLocusPoints, -kMaxLength, kMaxLength);
      // The gait scales each array to its stroke by the array's range.
      const auto [low, high] = std::minmax_element(values.begin(), values.end());
      if (*low == *high) {
        fields_.fail(entry.second, where, "all ten values are equal; the path needs a range");
      }
      // Scaled to a stroke of up to twice the largest half stroke the sliders
      // give, the along-track values must stay inside the gait's +-1000 mm
      // searches, or it would sample the wrong part of the path.
      const double reach = std::max(std::fabs(*low), std::fabs(*high)) / (*high - *low);
      if (key == "alongTrack" && 2.0 * kMaxHalfStroke * reach > kMaxLength) {
        fields_.fail(entry.second, where,
                     "the values lie too far from zero for their range: a full stride would "
                     "scale them beyond 1000 mm");
      }
      auto& target = key == "alongTrack" ? locus.alongTrack : locus.vertical;
      std::copy(values.begin(), values.end(), target.begin());
    }
  }

  void readPaths(const YAML::Node& map, GaitSettings& settings) const {
    fields_.checkMap(map, "paths", {"front", "rear"});
    if (const YAML::Node n = map["front"]) readPath(n, "paths.front", settings.front);
    if (const YAML::Node n = map["rear"]) readPath(n, "paths.rear", settings.rear);
  }

  void readJoint(const YAML::Node& map, const std::string& path, JointServo& joint) const {
    fields_.checkMap(map, path, kJointKeys);
    const auto get = [&](const char* key, double minimum, double maximum) -> std::optional<double> {
      const YAML::Node n = map[key];
      if (!n) return std::nullopt;
      return fields_.number(n, KeyPath(path, key), minimum, maximum);
    };
    joint.lower = get("lower", -kMaxAngle, kMaxAngle);
    joint.upper = get("upper", -kMaxAngle, kMaxAngle);
    joint.maxSpeed = get("max_speed", 1e-9, 1e6);
    if (joint.lower && joint.upper && *joint.lower > *joint.upper) {
      fields_.fail(map["upper"], KeyPath(path, "upper"), "lies below lower");
    }
    if (const YAML::Node n = map["channel"]) {
      joint.channel = static_cast<int>(fields_.wholeNumber(n, KeyPath(path, "channel"), 0, 255));
    }
    if (const YAML::Node n = map["direction"]) {
      joint.direction = static_cast<int>(fields_.wholeNumber(n, KeyPath(path, "direction"), -1, 1));
      if (joint.direction == 0) fields_.fail(n, KeyPath(path, "direction"), "must be 1 or -1");
    }
    joint.zero = get("zero", -kMaxAngle, kMaxAngle).value_or(joint.zero);
    joint.centerUs = get("center_us", 0.0, 100000.0).value_or(joint.centerUs);
    joint.usPerRad = get("us_per_rad", 1e-6, 100000.0).value_or(joint.usPerRad);
    joint.minUs = get("min_us", 0.0, 100000.0).value_or(joint.minUs);
    joint.maxUs = get("max_us", 0.0, 100000.0).value_or(joint.maxUs);
    if (joint.minUs > joint.maxUs) {
      const char* key = map["max_us"] ? "max_us" : "min_us";
      fields_.fail(map[key], KeyPath(path, key),
                   map["max_us"] ? "lies below min_us" : "lies above max_us");
    }
  }

  void readCheck(const YAML::Node& map, GaitSettings& settings) const {
    fields_.checkMap(map, "check", {"reach", "roll_saturation"});
    if (const YAML::Node n = map["reach"]) settings.checkReach = fields_.flag(n, "check.reach");
    if (const YAML::Node n = map["roll_saturation"]) {
      settings.checkRollSaturation = fields_.flag(n, "check.roll_saturation");
    }
  }

  void readJoints(const YAML::Node& map, GaitSettings& settings) const {
    std::vector<std::string> names;
    for (int joint = 0; joint < kJointCount; ++joint) names.push_back(JointName(joint));
    fields_.checkMap(map, "joints", names);
    std::vector<std::pair<int, std::string>> channels;
    for (int joint = 0; joint < kJointCount; ++joint) {
      const YAML::Node n = map[names[joint]];
      if (!n) continue;
      const std::string path = KeyPath("joints", names[joint]);
      readJoint(n, path, settings.joints[joint]);
      const std::optional<int> channel = settings.joints[joint].channel;
      for (const auto& [other, otherName] : channels) {
        if (channel && *channel == other) {
          fields_.fail(n["channel"], KeyPath(path, "channel"),
                       std::to_string(other) + " is already the channel of " + otherName);
        }
      }
      if (channel) channels.emplace_back(*channel, names[joint]);
    }
  }

  YamlFields fields_;
  const std::vector<GaitFileSection>& sections_;
};

std::string Number(double value) {
  char text[kMaxNumberChars];
  return std::string(text, WriteDouble(text, value));
}

std::string List(const std::array<double, kLocusPoints>& values) {
  std::string text = "[";
  for (std::size_t i = 0; i < values.size(); ++i) text += (i ? ", " : "") + Number(values[i]);
  return text + "]";
}

std::string LegLines(const LegGait& leg, const std::string& indent) {
  std::string text;
  LegGait copy = leg;
  for (const std::string& key : kLegKeys) {
    text += indent + key + ": " + Number(*LegField(copy, key)) + "\n";
  }
  return text;
}

bool SameLeg(const LegGait& a, const LegGait& b) {
  return a.stepRate == b.stepRate && a.stepHeight == b.stepHeight &&
         a.footOffsetX == b.footOffsetX && a.footOffsetY == b.footOffsetY &&
         a.footOffsetZ == b.footOffsetZ && a.sideStepLength == b.sideStepLength;
}

std::string JointLine(const JointServo& joint) {
  std::string text;
  const auto add = [&](const char* key, const std::string& value) {
    text += (text.empty() ? "" : ", ") + std::string(key) + ": " + value;
  };
  if (joint.lower) add("lower", Number(*joint.lower));
  if (joint.upper) add("upper", Number(*joint.upper));
  if (joint.maxSpeed) add("max_speed", Number(*joint.maxSpeed));
  if (joint.channel) add("channel", std::to_string(*joint.channel));
  add("zero", Number(joint.zero));
  add("direction", std::to_string(joint.direction));
  add("center_us", Number(joint.centerUs));
  add("us_per_rad", Number(joint.usPerRad));
  add("min_us", Number(joint.minUs));
  add("max_us", Number(joint.maxUs));
  return "{" + text + "}";
}

}  // namespace

GaitSettings ParseGaitFile(std::string_view text, const std::string& name,
                           const std::vector<GaitFileSection>& sections) {
  const YAML::Node root = LoadSingleDocument(std::string(text), name);
  try {
    return GaitFileReader(name, sections).read(root);
  } catch (const YAML::Exception& error) {  // e.g. a key that is an alias of a list
    throw InputError(name + ": " + PrintableText(error.msg));
  }
}

GaitSettings LoadGaitFile(const std::string& path, const std::vector<GaitFileSection>& sections) {
  return ParseGaitFile(ReadInputFile(path, "--gait", kMaxGaitFileBytes), PrintableText(path),
                       sections);
}

std::string GaitFileText(const GaitSettings& settings) {
  std::string text =
      "# Trotix gait file: trotix-gait --gait FILE. Keys are the engine's field names;\n"
      "# lengths in mm, angles in rad (see docs/conventions.md). Any key may be left out.\n"
      "tick_period_ms: " +
      Number(settings.tickPeriodMs) +
      "   # only scales time: one tick is one engine tick\n"
      "jump_threshold: " +
      Number(settings.jumpThreshold) + "   # rad between ticks that --report flags\n";
  const bool allEqual =
      std::all_of(settings.legs.begin(), settings.legs.end(),
                  [&](const LegGait& leg) { return SameLeg(leg, settings.legs[0]); });
  text += "gait:   # every leg\n" + LegLines(settings.legs[0], "  ");
  if (!allEqual) {
    text += "legs:   # per leg, over gait\n";
    for (int leg = 0; leg < kLegCount; ++leg) {
      text += "  leg" + std::to_string(leg) + ":\n" + LegLines(settings.legs[leg], "    ");
    }
  }
  text += "paths:   # ten points each, scaled to the stroke and stepHeight\n";
  for (const auto& [key, locus] : {std::pair{"front", &settings.front}, {"rear", &settings.rear}}) {
    text += std::string("  ") + key + ":\n    alongTrack: " + List(locus->alongTrack) +
            "\n    vertical: " + List(locus->vertical) + "\n";
  }
  std::string joints;
  for (int joint = 0; joint < kJointCount; ++joint) {
    const JointServo& servo = settings.joints[joint];
    if (servo.hasLimits() || servo.channel) {
      joints += "  " + JointName(joint) + ": " + JointLine(servo) + "\n";
    }
  }
  if (joints.empty()) {
    text +=
        "# joints:   # servo limits (rad, rad/s) and calibration for --report and --format servo\n"
        "#   leg0_knee: {lower: 0.3, upper: 2.6, max_speed: 8, channel: 2, zero: 1.5,\n"
        "#               direction: -1, center_us: 1500, us_per_rad: 636.6,\n"
        "#               min_us: 500, max_us: 2500}\n";
  } else {
    text += "joints:\n" + joints;
  }
  text += std::string("servo_slew_limit: ") + (settings.slewLimit ? "true" : "false") +
          "   # --format servo also keeps each joint within max_speed\n" +
          "check:   # what --check fails on besides joint limits\n" +
          "  reach: " + (settings.checkReach ? "true" : "false") +
          "   # the solver's reach clamps\n" +
          "  roll_saturation: " + (settings.checkRollSaturation ? "true" : "false") +
          "   # saturated shoulder rolls\n";
  return text;
}

}  // namespace trotix
