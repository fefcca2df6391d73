// What a gait file may hold, what it refuses, and that it prints back what
// it reads.
#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <sstream>

#include <yaml-cpp/yaml.h>

#include "gaitlab/gaitfile/GaitFile.h"
#include "gaitlab/gaitfile/GaitFileKeys.h"
#include "gaitlab/io/InputError.h"

namespace trotix {
namespace {

TEST(GaitFileTest, PrintsWhatItReadsAndHandsRegisteredSectionsToTheirReader) {
  const std::string text =
      "legs: {leg1: {stepRate: 0.75}}\njoints:\n  leg3_roll: {lower: -0.5, channel: 9}\n"
      "  leg0_knee: {max_speed: 6, min_us: 900, max_us: 2100}\n"
      "servo_slew_limit: true\ncheck: {roll_saturation: True}\nphysics: {mass: 2.5}\n"
      "variants: {roll: exact_roll_first}\n";
  double mass = 0.0;
  const GaitFileSection physics{
      "physics", [&](const YAML::Node& node, const YamlFields& fields, GaitSettings&) {
        fields.checkMap(node, "physics", {"mass"});
        mass = fields.number(node["mass"], "physics.mass", 0.0, 100.0);
      }};
  const GaitSettings settings = ParseGaitFile(text, "g.yaml", {physics});
  EXPECT_EQ(mass, 2.5);
  EXPECT_EQ(settings.legs[1].stepRate, 0.75);
  EXPECT_EQ(settings.legs[0].stepRate, 2.0);
  EXPECT_EQ(settings.robot.joints[10].lower, -0.5);
  EXPECT_EQ(settings.robot.joints[10].minUs, 500.0);
  EXPECT_EQ(settings.robot.joints[10].maxUs, 2500.0);
  EXPECT_THROW(ParseGaitFile(text, "g.yaml"), InputError) << "physics is unknown unless registered";
  EXPECT_EQ(settings.variants.roll, RollVariant::kExactRollFirst);
  EXPECT_EQ(settings.variants.turn, TurnVariant::kSpecified);
  try {
    ParseGaitFile("variants: {turn: [rigid]}\n", "g.yaml");
    ADD_FAILURE() << "a list is no variant";
  } catch (const InputError& error) {
    EXPECT_STREQ(error.what(),
                 "g.yaml:1: variants.turn: expected specified or rigid, found no name");
  }

  // The registered sections' text comes before the variants.
  const std::string printed = GaitFileText(settings, "physics:\n  mass: 2.5\n");
  EXPECT_LT(printed.find("physics:"), printed.find("variants:"));
  const GaitSettings again = ParseGaitFile(printed, "printed.yaml", {physics});
  EXPECT_TRUE(again.variants == settings.variants);
  EXPECT_EQ(again.legs[1].stepRate, 0.75);
  EXPECT_EQ(again.legs[3].stepRate, 2.0);
  EXPECT_EQ(again.robot.joints[10].channel, 9);
  EXPECT_EQ(again.robot.joints[10].lower, -0.5);
  EXPECT_FALSE(again.robot.joints[10].upper.has_value());
  EXPECT_EQ(again.robot.joints[2].minUs, 900.0);
  EXPECT_EQ(again.robot.joints[2].maxUs, 2100.0);
  EXPECT_TRUE(again.slewLimit);
  EXPECT_FALSE(again.checkReach);
  EXPECT_TRUE(again.checkRollSaturation);
  EXPECT_EQ(again.front.alongTrack, DefaultFootLocus().alongTrack);
}

// A gait file that sets a random choice of keys to random values.
std::string RandomGaitFile(std::mt19937& random) {
  const auto chance = [&](unsigned in) { return random() % in == 0; };
  const auto number = [&](double low, double high) {
    return std::uniform_real_distribution<double>(low, high)(random);
  };
  std::ostringstream text, legs, joints;
  text.precision(17), legs.precision(17), joints.precision(17);
  if (chance(2)) text << "tick_period_ms: " << number(1, 1000) << "\n";
  if (chance(2)) text << "servo_slew_limit: true\ncheck: {roll_saturation: true}\n";
  if (chance(2)) text << "gait: {stepRate: " << number(0, 5) << ", sideStepLength: 2}\n";
  for (int leg = 0; leg < kLegCount; ++leg) {
    std::ostringstream values;
    values.precision(17);
    if (chance(2)) values << ", sideStepLength: " << number(-9, 9);
    if (chance(3)) values << ", footOffsetY: " << number(-9, 9);
    if (!values.str().empty()) legs << "  leg" << leg << ": {" << values.str().substr(2) << "}\n";
  }
  if (chance(2)) {
    text << "paths: {rear: {vertical: [";
    for (int i = 0; i < kLocusPoints; ++i) text << (i ? ", " : "") << number(-20, 20);
    text << "]}}\n";
  }
  for (int joint = 0; joint < kJointCount; ++joint) {
    if (!chance(3)) continue;
    joints << "  " << JointName(joint) << ": {zero: " << number(-1, 1);
    if (chance(2)) joints << ", lower: " << number(-2, 0) << ", upper: " << number(0, 2);
    if (chance(2)) joints << ", channel: " << joint << ", direction: -1";
    if (chance(2)) joints << ", us_per_rad: " << number(100, 900) << ", max_us: 2100";
    if (chance(2)) joints << ", center: " << number(0, 4095);
    joints << "}\n";
  }
  if (!legs.str().empty()) text << "legs:\n" << legs.str();
  if (!joints.str().empty()) text << "joints:\n" << joints.str();
  return text.str();
}

template <typename Struct>
void ExpectSameKeys(const Struct& a, const Struct& b, const SectionKeys<Struct>& keys,
                    const std::string& what) {
  for (const SectionKey<Struct>& key : keys) {
    EXPECT_EQ(KeyText(a, key), KeyText(b, key)) << what << "." << key.name;
  }
}

// The engine's set-up copies the fields a gait sets; the file must name each.
TEST(GaitFileTest, LegKeysAreTheFieldsAGaitSets) {
  ASSERT_EQ(LegKeys().size(), std::size(kGaitLegFields));
  for (std::size_t i = 0; i < LegKeys().size(); ++i) {
    EXPECT_EQ(std::get<double LegGaitParams::*>(LegKeys()[i].field), kGaitLegFields[i])
        << LegKeys()[i].name;
  }
}

TEST(GaitFileTest, PrintedGaitReadsBackToTheSameGait) {
  std::mt19937 random(17);
  for (int run = 0; run < 40; ++run) {
    const std::string text = RandomGaitFile(random);
    const GaitSettings read = ParseGaitFile(text, "g.yaml");
    const std::string printed = GaitFileText(read);
    const GaitSettings again = ParseGaitFile(printed, "printed.yaml");
    const std::string what = text + "printed as\n" + printed;
    ExpectSameKeys(again, read, TopLevelKeys(), what);
    ExpectSameKeys(again, read, CheckKeys(), what);
    for (int leg = 0; leg < kLegCount; ++leg) {
      ExpectSameKeys(again.legs[leg], read.legs[leg], LegKeys(), what);
    }
    ExpectSameKeys(again.front, read.front, PathKeys(), what);
    ExpectSameKeys(again.rear, read.rear, PathKeys(), what);
    for (int joint = 0; joint < kJointCount; ++joint) {
      ExpectSameKeys(again.robot.joints[joint], read.robot.joints[joint], JointKeys(), what);
    }
    // A value that differs between legs is never printed for every leg.
    const std::size_t gait = printed.find("\ngait:");
    const std::string shared =
        gait == std::string::npos ? "" : printed.substr(gait, printed.find("\nlegs:") - gait);
    for (const SectionKey<LegGaitParams>& key : LegKeys()) {
      const bool differs =
          std::any_of(read.legs.begin(), read.legs.end(), [&](const LegGaitParams& leg) {
            return KeyText(leg, key) != KeyText(read.legs[0], key);
          });
      if (differs) {
        EXPECT_EQ(shared.find(key.name), std::string::npos) << what;
      }
    }
    if (HasFatalFailure() || HasNonfatalFailure()) break;
  }
}

// Each bad file is refused in one line that names the file, the line and
// the key.
TEST(GaitFileTest, RefusesEachBadFileNamingItsLineAndKey) {
  const std::pair<std::string, const char*> kBad[] = {
      {"gait:\n  stepRate: 2\n  stepRat: 3\n", "g.yaml:3: gait: unknown key 'stepRat'"},
      {"physic: {}\n", "g.yaml:1: unknown key 'physic'"},
      {"gait: {stepHeight: high}\n", "g.yaml:1: gait.stepHeight: 'high' is not a number"},
      {"gait: {stepRate: '4'}\n", "g.yaml:1: gait.stepRate: '4' is quoted text, not a number"},
      {"joints:\n  leg0_knee: {channel: !!str 5}\n",
       "g.yaml:2: joints.leg0_knee.channel: '5' is tagged '!!str', not a plain number"},
      {"gait: {stepHeight: 1e-400}\n",
       "g.yaml:1: gait.stepHeight: '1e-400' is too small to be told from 0; write 0"},
      {"tick_period_ms: 0.5\n", "g.yaml:1: tick_period_ms: '0.5' is out of range 1 to 1000"},
      {"jump_threshold: -1e400\n", "g.yaml:1: jump_threshold: '-1e400' is out of range 0 to 10"},
      {"legs:\n  leg3:\n    stepRate: -1\n",
       "g.yaml:3: legs.leg3.stepRate: '-1' is out of range 0 to 100"},
      {"gait: {footOffsetZ: .inf}\n", "g.yaml:1: gait.footOffsetZ: '.inf' is not a finite number"},
      {"paths:\n  front:\n    vertical: [1, 2, 3, 4, 5, 6, 7, 8, 9]\n",
       "g.yaml:3: paths.front.vertical: has 9 values, needs 10"},
      {"paths:\n  rear: {alongTrack: [4, 4, 4, 4, 4, 4, 4, 4, 4, 4]}\n",
       "g.yaml:2: paths.rear.alongTrack: all ten values are equal"},
      {"paths:\n  front: {alongTrack: [90, 91, 92, 93, 94, 95, 96, 97, 98, 99]}\n",
       "paths.front.alongTrack: the values lie too far from zero"},
      {"tick_period_ms: 20\ntick_period_ms: 30\n",
       "g.yaml:2: tick_period_ms: is given more than once"},
      {"joints:\n  leg4_knee: {lower: 0}\n", "g.yaml:2: joints: unknown key 'leg4_knee'"},
      {"joints:\n  leg1_roll: {lower: 1,\n    upper: -1}\n",
       "g.yaml:3: joints.leg1_roll.upper: lies below lower"},
      {"joints:\n  leg2_roll: {max_us: 400}\n",
       "g.yaml:2: joints.leg2_roll.max_us: lies below min_us"},
      {"check:\n  reach: 'true'\n", "g.yaml:2: check.reach: 'true' is not true or false"},
      {"joints:\n  leg0_pitch: {channel: 4}\n  leg2_knee: {channel: 4}\n",
       "g.yaml:3: joints.leg2_knee.channel: 4 is already the channel of leg0_pitch"},
      {"joints:\n  leg0_knee: {max_torque_nm: 5}\n",
       "g.yaml:2: joints.leg0_knee.max_torque_nm: '5' is out of range 0.1 to 3"},
      {"joints:\n  default: {channel: 3}\n",
       "g.yaml:2: joints.leg0_roll.channel: 3 is already the channel of leg0_pitch"},
      {"joints:\n  default: {lower: 1}\n  leg1_roll: {upper: -1}\n",
       "g.yaml:3: joints.leg1_roll.upper: lies below lower"},
      {"joints:\n  default: {max_us: 1000}\n  leg0_roll: {min_us: 1200}\n",
       "g.yaml:3: joints.leg0_roll.min_us: lies above max_us"},
      {"joints:\n  leg0_knee: {lower: 30}\n",
       "g.yaml:2: joints.leg0_knee.lower: '30' is out of range -10 to 10 rad; degrees are written "
       "as '30 deg'"},
      {"jump_threshold: 600 deg\n",
       "g.yaml:1: jump_threshold: '600 deg' is 10.471973 rad, out of range 0 to 10 rad"},
      {"joints:\n  leg0_knee: {max_speed: 300 deg}\n",
       "joints.leg0_knee.max_speed: '300 deg' is not a number of rad/s; degrees are written as "
       "'30 deg/s'"},
      {"joints:\n  leg0_knee: {<<: 5}\n",
       "g.yaml:2: '<<' merges a map or a list of maps, found no map"},
      {"joints:\n  leg0_knee: &a {lower: 0,\n    <<: *a}\n",
       "g.yaml:2: an alias refers to a list or map that holds it"},
      {"joints:\n  leg0_knee: {lower: 0.154, upper: 0.329, us_per_rad: 5000, zero: -0.2, "
       "channel: 0}\n",
       "g.yaml:2: joints.leg0_knee: its range 0.154 to 0.329 rad needs 3270 to 4145 us, outside "
       "its pulse range 500 to 2500 us"},
      {"robot:\n  upper_leg_mm: 0\n",
       "g.yaml:2: robot.upper_leg_mm: '0' is out of range 1 to 1000"},
      {"robot: {knee_offset_rad: {front: 0.2, middle: 0.3}}\n",
       "g.yaml:1: robot.knee_offset_rad: unknown key 'middle' (known: front, rear)"},
      {"robot:\n  reach_margin_mm: 1\n  min_reach_mm: {front: 66.5, rear: 150}\n",
       "g.yaml:3: robot.min_reach_mm: the rear leg's 150 mm is not below its max reach, 148.49 mm"},
      {"robot: {upper_leg_mm: 50, lower_leg_mm: 50, reach_margin_mm: 100}\n",
       "robot.reach_margin_mm: the front leg's 100 mm leaves it no reach: keep it below "
       "upper_leg_mm + lower_leg_mm, 100 mm"},
      {"robot: {reach_margin_mm: -0.5}\n",
       "g.yaml:1: robot.reach_margin_mm: '-0.5' is out of range 0 to 2000"},
      {"robot:\n  shoulder_x_mm: 80\n  upper_leg_mm: 40\n  min_reach_mm: 20\n",
       "g.yaml:4: robot.min_reach_mm: the front leg's 20 mm folds its knee past where the solver "
       "is defined: it must exceed 65.6745 mm"},
      {"gait: {stepRate: [1, 2}\n", "g.yaml:1: not readable as YAML"},
      {"- 1\n- 2\n", "g.yaml:1: expected a map of keys"},
      {"gait: {stepRate: 3}\n---\n\nlegs: {leg1: {stepRate: 1}}\n---\n",
       "g.yaml:4: a second YAML document; only one is read"},
      {",\x08\x80", "g.yaml:1: not readable as YAML: unexpected ','"},
      {"gait: " + std::string(100000, '['),
       "g.yaml:1: not readable as YAML: lists and maps nested too deeply"},
  };
  for (const auto& [text, message] : kBad) {
    try {
      ParseGaitFile(text, "g.yaml");
      ADD_FAILURE() << "no error for " << text;
    } catch (const InputError& error) {
      const std::string what = error.what();
      EXPECT_NE(what.find(message), std::string::npos) << what;
      EXPECT_EQ(what.find('\n'), std::string::npos) << what;
    }
  }
}

}  // namespace
}  // namespace trotix
