// What a schedule and a gait file may look like, and the option forms.
#include <gtest/gtest.h>

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <random>
#include <sstream>

#include <yaml-cpp/yaml.h>

#include "gaitlab/gaitfile/GaitFile.h"
#include "gaitlab/gaitfile/GaitFileKeys.h"
#include "gaitlab/io/InputError.h"
#include "tools/trotix-gait/GaitOptions.h"

namespace trotix {
namespace {

TEST(ScheduleTest, AcceptsHeaderCommentsSpacesAndWindowsLineEnds) {
  const Schedule schedule = ParseSchedule(
      "# warm-up\r\n tick , turn , step \r\n\r\n0,0,0\r\n  15 ,\t-80, +130\r\n# end\n300,80,-130",
      "s.csv");
  ASSERT_EQ(schedule.size(), 3u);
  EXPECT_EQ(schedule[1].tick, 15);
  EXPECT_EQ(schedule[1].turn, -80);
  EXPECT_EQ(schedule[1].step, 130);
  EXPECT_EQ(schedule[2].tick, 300);
  EXPECT_EQ(schedule[2].step, -130);
}

TEST(ScheduleTest, ReadsWhatSpreadsheetsAndNumpyWrite) {
  const Schedule schedule = ParseSchedule(
      "Step,TICK,turn  # columns in any order\n0,0,0\n-100.0,15,-8.00e+01\n1e2,3.0e2,80 # x\n",
      "s.csv");
  ASSERT_EQ(schedule.size(), 3u);
  EXPECT_EQ(schedule[1].tick, 15);
  EXPECT_EQ(schedule[1].turn, -80);
  EXPECT_EQ(schedule[1].step, -100);
  EXPECT_EQ(schedule[2].tick, 300);
  EXPECT_EQ(schedule[2].step, 100);
  EXPECT_THROW(ParseSchedule("0,0,-99.5\n", "s.csv"), InputError);
  EXPECT_THROW(ParseSchedule("tick,turn,turn\n0,0,0\n", "s.csv"), InputError);
}

// Each export of the same two rows, as spreadsheets in various languages
// and settings write it, reads the same.
TEST(ScheduleTest, ReadsEverySpreadsheetExportOfTheSameRows) {
  const char* exports[] = {
      "\"tick\",\"turn\",\"step\"\n\"0\",\"-10\",\"5\"\n\"30\",\"20\",\"-100\"\n",
      "tick;turn;step\n0;-10,0;5\n30;20;-100,0\n",
      "\"tick\";\"turn\";\"step\";;\n0;-10;\"5\";;\n30;20,00;-100;;\n",
      "tick,turn,step,,\n0,-10,5,,\n30,20,-100,,\n",
      "time_s,turn,step\n0,-10,5\n0.99,20,-100\n",   // 30 x 33 ms
      "TIME_S;turn;step\n0;-10;5\n0,975;20;-100\n",  // rounds up to tick 30
      "step,time_s,turn\n5,0,-10\n-100,0.9900000000000001,20\n",
  };
  for (const char* text : exports) {
    const Schedule schedule = ParseSchedule(text, "s.csv");
    ASSERT_EQ(schedule.size(), 2u) << text;
    EXPECT_EQ(schedule[0].tick, 0) << text;
    EXPECT_EQ(schedule[0].turn, -10) << text;
    EXPECT_EQ(schedule[0].step, 5) << text;
    EXPECT_EQ(schedule[1].tick, 30) << text;
    EXPECT_EQ(schedule[1].turn, 20) << text;
    EXPECT_EQ(schedule[1].step, -100) << text;
  }
  EXPECT_EQ(ParseSchedule("time_s,turn,step\n0.5,0,0\n", "s.csv", 20.0)[0].tick, 25);
  // The times a table writes give its ticks back, however late.
  EXPECT_EQ(ParseSchedule("time_s,turn,step\n4074074.037,0,0\n", "s.csv")[0].tick, 123456789);
}

// What is not a schedule is named by its column and the form expected,
// with the value as it was typed.
TEST(ScheduleTest, NamesTheColumnAndTheFormExpected) {
  const std::pair<const char*, const char*> bad[] = {
      {"time,turn,step\n0,0,0\n", "s.csv:1: column 'time' is not one of tick (or time_s)"},
      {"tick,time_s,turn\n", "s.csv:1: column 'time_s' is named twice"},
      {"time_s,turn,step\n-1,0,0\n", "s.csv:2: time_s: '-1' is out of range 0 to"},
      {"time_s,turn,step\nsoon,0,0\n", "s.csv:2: time_s: 'soon' is not a number of seconds"},
      {"time_s,turn,step\n0.01,0,0\n0.02,1,1\n",
       "s.csv:3: tick 1 (time_s 0.02 with ticks of 33 ms)"},
      {"0;5.5;0\n", "s.csv:1: turn: '5.5' is not a whole number"},
      {"0,0,0,1\n", "s.csv:1: expected 3 fields tick,turn,step but found 4"},
      {"0,\"1,0\",0\n", "s.csv:1: turn: '1,0' is not a whole number"},
      {"0,999999999.99999999,0\n", "s.csv:1: turn: '999999999.99999999' is out of range"},
  };
  for (const auto& [text, message] : bad) {
    try {
      ParseSchedule(text, "s.csv");
      ADD_FAILURE() << "no error for " << text;
    } catch (const InputError& error) {
      EXPECT_EQ(std::string(error.what()).rfind(message, 0), 0u) << error.what();
    }
  }
}

TEST(ScheduleTest, ARampMovesInWholePositionsNoFasterThanTheLine) {
  const Schedule schedule = {{10, 80, -130}, {30, -80, 130}, {35, 0, 0}};
  for (const std::int64_t ramp :
       {std::int64_t{0}, std::int64_t{1}, std::int64_t{7}, std::int64_t{40}}) {
    SliderTrack track({5, 5}, schedule, ramp);
    SliderPositions last = track.next();
    EXPECT_EQ(last.turn, 5);
    for (std::int64_t tick = 1; tick < 100; ++tick) {
      const SliderPositions now = track.next();
      // At most the whole swing of the sliders spread over the ramp.
      const int most = ramp <= 1 ? 260 : static_cast<int>((260 + ramp - 1) / ramp);
      EXPECT_LE(std::abs(now.step - last.step), most) << "ramp " << ramp << " tick " << tick;
      EXPECT_LE(std::abs(now.turn - last.turn), most) << "ramp " << ramp << " tick " << tick;
      // Before the first row, at the rows' values once arrived, not before.
      const bool arrived = tick >= 10 + std::max<std::int64_t>(ramp, 1) - 1 && tick < 30;
      if (tick < 10) {
        EXPECT_EQ(now.step, 5);
      }
      if (arrived) {
        EXPECT_EQ(now.step, -130) << "ramp " << ramp << " tick " << tick;
      }
      if (tick >= 10 && !arrived && tick < 30) {
        EXPECT_GT(now.step, -130) << "tick " << tick;
      }
      if (tick >= 10 && tick < 10 + ramp && tick < 30) {  // 135 positions in `ramp` ticks
        EXPECT_LE(std::abs(std::abs(now.step - last.step) * ramp - 135), ramp) << tick;
      }
      if (tick >= 35 + ramp) {
        EXPECT_EQ(now.step, 0) << "ramp " << ramp;
      }
      last = now;
    }
  }
}

TEST(ScheduleTest, SkipsTheByteOrderMarkOfASpreadsheetExport) {
  const Schedule schedule = ParseSchedule("\xEF\xBB\xBFtick,turn,step\n0,10,-20\n", "s.csv");
  ASSERT_EQ(schedule.size(), 1u);
  EXPECT_EQ(schedule[0].turn, 10);
  EXPECT_EQ(schedule[0].step, -20);
}

TEST(ScheduleTest, CountsCommentAndBlankLinesInErrorLineNumbers) {
  try {
    ParseSchedule("# a\n\n0,0,0\n# b\n1,0,x\n", "s.csv");
    FAIL() << "no error";
  } catch (const InputError& error) {
    EXPECT_STREQ(error.what(), "s.csv:5: step: 'x' is not a whole number");
  }
  try {
    ParseSchedule("0,0,0\n" + std::string(1 << 20, ','), "s.csv");
    FAIL() << "no error";
  } catch (const InputError& error) {
    EXPECT_STREQ(error.what(), "s.csv:2: expected 3 fields tick,turn,step but found 1048577");
  }
  EXPECT_THROW(ParseSchedule("0,0,\n", "s.csv"), InputError);
  EXPECT_THROW(ParseSchedule("1000000000,0,0\n", "s.csv"), InputError);
}

// A file that cannot be read is refused by its quoted name and the
// system's reason, without any option: the caller names it its own way.
TEST(InputFileTest, AnUnreadableFileIsNamedWithItsReasonAndErrorNumber) {
  // Windows opens no directory as a file and says so with EACCES.
  const struct {
    const char* path;
    int errorNumber, windowsErrorNumber;
  } kFiles[] = {{"no/such/file", ENOENT, ENOENT}, {"/", EISDIR, EACCES}};
  for (const auto& file : kFiles) {
    for (const auto& load :
         {+[](const char* p) { LoadSchedule(p); }, +[](const char* p) { LoadGaitFile(p); }}) {
      try {
        load(file.path);
        ADD_FAILURE() << file.path;
      } catch (const InputFileError& error) {
        EXPECT_TRUE(error.errorNumber() == file.errorNumber ||
                    error.errorNumber() == file.windowsErrorNumber)
            << file.path << ": " << error.errorNumber();
        EXPECT_EQ(std::string(error.what()).rfind("'" + std::string(file.path) + "': ", 0), 0u)
            << error.what();
      }
    }
  }
}

TEST(GaitFileTest, PrintsWhatItReadsAndHandsRegisteredSectionsToTheirReader) {
  const std::string text =
      "legs: {leg1: {stepRate: 0.75}}\njoints:\n  leg3_roll: {lower: -0.5, channel: 9}\n"
      "  leg0_knee: {max_speed: 6, min_us: 900, max_us: 2100}\n"
      "servo_slew_limit: true\ncheck: {roll_saturation: True}\nphysics: {mass: 2.5}\n"
      "variants: {roll: exact_roll_first}\n";
  double mass = 0.0;
  const GaitFileSection physics{"physics", [&](const YAML::Node& node, const YamlFields& fields) {
                                  fields.checkMap(node, "physics", {"mass"});
                                  mass = fields.number(node["mass"], "physics.mass", 0.0, 100.0);
                                }};
  const GaitSettings settings = ParseGaitFile(text, "g.yaml", {physics});
  EXPECT_EQ(mass, 2.5);
  EXPECT_EQ(settings.legs[1].stepRate, 0.75);
  EXPECT_EQ(settings.legs[0].stepRate, 2.0);
  EXPECT_EQ(settings.joints[10].lower, -0.5);
  EXPECT_EQ(settings.joints[10].minUs, 500.0);
  EXPECT_EQ(settings.joints[10].maxUs, 2500.0);
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
  EXPECT_EQ(again.joints[10].channel, 9);
  EXPECT_EQ(again.joints[10].lower, -0.5);
  EXPECT_FALSE(again.joints[10].upper.has_value());
  EXPECT_EQ(again.joints[2].minUs, 900.0);
  EXPECT_EQ(again.joints[2].maxUs, 2100.0);
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
      ExpectSameKeys(again.joints[joint], read.joints[joint], JointKeys(), what);
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

TEST(GaitOptionsTest, ReadsBothValueFormsAndStopsAtHelp) {
  const char* args[] = {"trotix-gait", "--ticks=12", "--turn", "-80",      "--step=+5",
                        "--targets",   "--format",   "jsonl",  "--output", "-"};
  const GaitOptions options = ParseGaitOptions(10, args);
  EXPECT_EQ(options.ticks, 12);
  EXPECT_EQ(options.turn, -80);
  EXPECT_EQ(options.step, 5);
  EXPECT_TRUE(options.targets);
  EXPECT_EQ(options.format, TableFormat::kJsonl);
  EXPECT_EQ(options.outputPath, "-");

  const char* help[] = {"trotix-gait", "--help", "--no-such-option"};
  EXPECT_TRUE(ParseGaitOptions(3, help).showHelp);
  const char* sign[] = {"trotix-gait", "--turn", "+-5"};
  EXPECT_THROW(ParseGaitOptions(3, sign), InputError);
}

}  // namespace
}  // namespace trotix
