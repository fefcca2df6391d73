#include "gaitlab/gaitfile/GaitFile.h"

#include <yaml-cpp/yaml.h>

#include <algorithm>
#include <cmath>

#include "gaitlab/gaitfile/GaitFileKeys.h"
#include "gaitlab/gaitfile/RobotSection.h"
#include "gaitlab/gaitfile/YamlDocument.h"
#include "gaitlab/io/InputError.h"
#include "gaitlab/io/InputFile.h"
#include "gaitlab/servo/ServoLimiter.h"
#include "trotix/SliderMapping.h"

namespace trotix {
namespace {

const char* const kLegNames[] = {"leg0", "leg1", "leg2", "leg3"};
// The joints' entry that every joint starts from.
const char* const kDefaultJoint = "default";
// The sections read here rather than by a table of values.
const std::vector<std::string> kSections = {"gait",   "legs",  "paths",   "robot",
                                            "joints", "check", "variants"};

class GaitFileReader {
 public:
  GaitFileReader(const std::string& name, const std::vector<GaitFileSection>& sections)
      : fields_(name), sections_(sections) {}

  GaitSettings read(const YAML::Node& root) {
    GaitSettings settings = DefaultGaitSettings();
    if (root.IsNull()) return settings;
    std::vector<std::string> known = kSections;
    for (const GaitFileSection& section : sections_) known.push_back(section.name);
    ReadSection(root, "", fields_, TopLevelKeys(), settings, known);
    if (const YAML::Node n = root["gait"]) {
      for (LegGaitParams& leg : settings.legs) ReadSection(n, "gait", fields_, LegKeys(), leg);
    }
    if (const YAML::Node n = root["legs"]) readLegs(n, settings);
    if (const YAML::Node n = root["paths"]) readPaths(n, settings);
    if (const YAML::Node n = root["robot"]) ReadRobotSection(n, fields_, settings.robot);
    if (const YAML::Node n = root["joints"]) readJoints(n, settings);
    if (const YAML::Node n = root["check"]) {
      ReadSection(n, "check", fields_, CheckKeys(), settings);
    }
    for (const GaitFileSection& section : sections_) {
      if (const YAML::Node n = root[section.name]) section.read(n, fields_, settings);
    }
    if (const YAML::Node n = root["variants"]) {
      fields_.checkMap(n, "variants", ChoiceNames(VariantKeys()));
      ReadChoices(n, "variants", fields_, VariantKeys(), settings.variants);
    }
    return settings;
  }

 private:
  void readLegs(const YAML::Node& map, GaitSettings& settings) const {
    fields_.checkMap(map, "legs", {std::begin(kLegNames), std::end(kLegNames)});
    for (int leg = 0; leg < kLegCount; ++leg) {
      if (const YAML::Node n = map[kLegNames[leg]]) {
        ReadSection(n, KeyPath("legs", kLegNames[leg]), fields_, LegKeys(), settings.legs[leg]);
      }
    }
  }

  void readPath(const YAML::Node& map, const std::string& path, FootLocus& locus) const {
    ReadSection(map, path, fields_, PathKeys(), locus);
    for (const SectionKey<FootLocus>& key : PathKeys()) {
      const YAML::Node n = map[key.name];
      if (!n) continue;
      const std::string where = KeyPath(path, key.name);
      const auto& values =
          locus.*std::get<std::array<double, kLocusPoints> FootLocus::*>(key.field);
      // The gait scales each array to its stroke by the array's range.
      const auto [low, high] = std::minmax_element(values.begin(), values.end());
      if (*low == *high) fail(n, where, "all ten values are equal; the path needs a range");
      // Scaled to a stroke of up to twice the largest half stroke the sliders
      // give, the along-track values must stay inside the gait's +-1000 mm
      // searches, or it would sample the wrong part of the path.
      const double reach = std::max(std::fabs(*low), std::fabs(*high)) / (*high - *low);
      if (&values == &locus.alongTrack && 2.0 * kMaxSliderHalfStroke * reach > kMaxFootPathLength) {
        fail(n, where,
             "the values lie too far from zero for their range: a full stride would "
             "scale them beyond 1000 mm");
      }
    }
  }

  void readPaths(const YAML::Node& map, GaitSettings& settings) const {
    fields_.checkMap(map, "paths", {"front", "rear"});
    if (const YAML::Node n = map["front"]) readPath(n, "paths.front", settings.front);
    if (const YAML::Node n = map["rear"]) readPath(n, "paths.rear", settings.rear);
  }

  // A joint's own keys over those of the joints' `default` entry.
  void readJoint(const YAML::Node& map, const YAML::Node& defaults, const std::string& path,
                 JointServo& joint) const {
    if (map) ReadSection(map, path, fields_, JointKeys(), joint);
    // The node that gave a key: the joint's own, else the default's.
    const auto given = [&](const char* key) {
      if (map && map[key]) return map[key];
      return defaults ? defaults[key] : YAML::Node(YAML::NodeType::Undefined);
    };
    if (joint.lower && joint.upper && *joint.lower > *joint.upper) {
      fail(given("upper"), KeyPath(path, "upper"), "lies below lower");
    }
    if (joint.direction == 0)
      fail(given("direction"), KeyPath(path, "direction"), "must be 1 or -1");
    if (joint.minUs > joint.maxUs) {
      // The joint's own key over the default's, max_us over min_us.
      const bool max = (map && map["max_us"]) || (!(map && map["min_us"]) && given("max_us"));
      fail(given(max ? "max_us" : "min_us"), KeyPath(path, max ? "max_us" : "min_us"),
           max ? "lies below min_us" : "lies above max_us");
    }
    // Every pulse such a joint could be sent would stand for an angle
    // outside its range.
    if (joint.channel) {
      const std::string unreachable = UnreachableRange(joint);
      if (!unreachable.empty()) fail(map ? map : defaults, path, unreachable);
    }
  }

  void readJoints(const YAML::Node& map, GaitSettings& settings) const {
    std::vector<std::string> names;
    for (int joint = 0; joint < kJointCount; ++joint) names.push_back(JointName(joint));
    names.push_back(kDefaultJoint);
    fields_.checkMap(map, "joints", names);
    const YAML::Node defaults = map[kDefaultJoint];
    JointServo shared;
    if (defaults)
      ReadSection(defaults, KeyPath("joints", kDefaultJoint), fields_, JointKeys(), shared);
    std::vector<std::pair<int, std::string>> channels;
    for (int joint = 0; joint < kJointCount; ++joint) {
      const YAML::Node n = map[names[joint]];
      if (!n && !defaults) continue;
      const std::string path = KeyPath("joints", names[joint]);
      settings.robot.joints[joint] = shared;
      readJoint(n, defaults, path, settings.robot.joints[joint]);
      const std::optional<int> channel = settings.robot.joints[joint].channel;
      for (const auto& [other, otherName] : channels) {
        if (channel && *channel == other) {
          fail(n && n["channel"] ? n["channel"] : defaults["channel"], KeyPath(path, "channel"),
               std::to_string(other) + " is already the channel of " + otherName);
        }
      }
      if (channel) channels.emplace_back(*channel, names[joint]);
    }
  }

  [[noreturn]] void fail(const YAML::Node& node, const std::string& key,
                         const std::string& what) const {
    fields_.fail(node, key, what);
  }

  YamlFields fields_;
  const std::vector<GaitFileSection>& sections_;
};

// A section's keys as block lines under `indent`.
template <typename Struct>
std::string BlockLines(const Struct& source, const SectionKeys<Struct>& keys,
                       const std::string& indent) {
  const std::string text = SectionText(source, keys, indent, "\n");
  return text.empty() ? text : text + "\n";
}

// The leg values under `gait:` where all legs agree, under `legs:` where
// they differ, so that each leg reads back its own.
std::string LegsText(const std::array<LegGaitParams, kLegCount>& legs) {
  SectionKeys<LegGaitParams> shared, differing;
  for (const SectionKey<LegGaitParams>& key : LegKeys()) {
    const bool same = std::all_of(legs.begin(), legs.end(), [&](const LegGaitParams& leg) {
      return KeyText(leg, key) == KeyText(legs[0], key);
    });
    (same ? shared : differing).push_back(key);
  }
  std::string text;
  if (!shared.empty()) text += "gait:   # every leg\n" + BlockLines(legs[0], shared, "  ");
  if (!differing.empty()) {
    text += "legs:   # per leg, over gait\n";
    for (int leg = 0; leg < kLegCount; ++leg) {
      text += std::string("  ") + kLegNames[leg] + ":\n" + BlockLines(legs[leg], differing, "    ");
    }
  }
  return text;
}

// Every joint that differs from a servo with no limits and the default
// calibration, with all its keys.
std::string JointsText(const std::array<JointServo, kJointCount>& joints) {
  const JointServo unset;
  std::string text;
  for (int joint = 0; joint < kJointCount; ++joint) {
    const JointServo& servo = joints[joint];
    if (SectionText(servo, JointKeys(), "", ", ", &unset).empty()) continue;
    text += "  " + JointName(joint) + ": {" + SectionText(servo, JointKeys(), "", ", ") + "}\n";
  }
  if (!text.empty()) return "joints:\n" + text;
  return "# joints:   # servo limits (rad, rad/s) and calibration for --report and --format servo\n"
         "#   leg0_knee: {lower: 0.3, upper: 2.6, max_speed: 8, channel: 2, zero: 1.5,\n"
         "#               direction: -1, center_us: 1500, us_per_rad: 636.6,\n"
         "#               min_us: 500, max_us: 2500}\n";
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
  return ParseGaitFile(ReadInputFile(path, kMaxGaitFileBytes), PrintableText(path), sections);
}

std::string GaitFileText(const GaitSettings& settings, const std::string& sectionsText) {
  std::string text =
      "# Trotix gait file: trotix-gait --gait FILE. Keys are the engine's field names;\n"
      "# lengths in mm, angles in rad (see docs/conventions.md). Any key may be left out.\n" +
      BlockLines(settings, TopLevelKeys(), "");
  text += LegsText(settings.legs);
  text += "paths:   # ten points each, scaled to the stroke and stepHeight\n";
  for (const auto& [key, locus] : {std::pair{"front", &settings.front}, {"rear", &settings.rear}}) {
    text += std::string("  ") + key + ":\n" + BlockLines(*locus, PathKeys(), "    ");
  }
  text += RobotSectionText(settings.robot);
  text += JointsText(settings.robot.joints);
  text += "check:   # what --check fails on besides joint limits\n" +
          BlockLines(settings, CheckKeys(), "  ") + sectionsText;
  if (settings.variants.any()) {
    text += "variants:   # opt-in changes to the gait's angles (docs/physics.md)\n" +
            ChoicesText(settings.variants, VariantKeys(), "  ");
  }
  return text;
}

}  // namespace trotix
