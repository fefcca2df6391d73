// trotix-gait's options in process: the forms they take, and every value
// or combination they refuse, in one line naming the option. That nothing is
// opened before they are checked is trotix-gait's end-to-end tests' part.
#include <gtest/gtest.h>

#include "gaitlab/io/InputError.h"
#include "tools/trotix-gait/GaitOptions.h"

namespace trotix {
namespace {

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

// Each case as trotix-gait's bad-input table runs it, after an output and a
// plot; then the combinations given alone.
TEST(GaitOptionsTest, RefusesEachBadValueAndEachOptionWithoutEffect) {
  using Case = std::pair<std::vector<const char*>, const char*>;
  const Case kWithOutputs[] = {
      {{"300"}, "unexpected argument '300'"},
      {{"--turn"}, "--turn needs a value"},
      {{"--ticks", "-5"}, "--ticks: -5 is out of range 0 to 1000000000"},
      {{"--ticks", "99999999999999999999999"}, "--ticks: '9999"},
      {{"--turn", "81"}, "--turn: 81 is out of range -80 to 80"},
      {{"--step=-131"}, "--step: -131 is out of range -130 to 130"},
      {{"--step", "1.5"}, "--step: '1.5' is not a whole number"},
      {{"--turn="}, "--turn: '' is not a whole number"},
      {{"--format", "xml"}, "--format: 'xml' is not one of csv, jsonl, servo, none"},
      {{"--targets=yes"}, "--targets takes no value"},
      {{"--ticks", "5", "--ticks", "6"}, "--ticks is given more than once"},
      {{"--targets", "--targets"}, "--targets is given more than once"},
      {{"--format", "servo", "--units", "deg"}, "--units: only the csv"},
      {{"--ramp", "-2"}, "--ramp: -2 is out of range 0 to 1000000000"},
      {{"--physics-map", "m.svg", "--turn", "3"}, "has no meaning with --physics-map"},
      {{"--physics-summary", "s.json"}, "--physics-summary: add --physics"},
      {{"--physics", "--format", "servo"}, "--physics: the servo format"},
      {{"--physics-torques"}, "--physics-torques: add --physics and a csv or jsonl table"},
      {{"--ensemble", "3"}, "--ensemble: add --physics"},
      {{"--physics", "--ensemble", "0"}, "--ensemble"},
      {{"--seed", "3"}, "--seed: add --physics or --physics-map"},
      {{"--threads", "2"}, "--threads: add --physics or --physics-map"},
      {{"--video", "v.mp4"}, "--video: add --physics"},
      {{"--physics", "--video", "v.avi"}, "--video: 'v.avi' ends in neither .mp4 nor .gif"},
      {{"--physics", "--ticks", "0", "--video", "v.gif"}, "--ticks 0 makes no"},
      {{"--physics", "--video", "v.mp4", "--video-size", "320x241"},
       "--video-size: '320x241' has an odd side"},
      {{"--physics", "--video-fps", "10"}, "--video-fps: add --video"},
      {{"--physics", "--watch"}, "has no meaning with --watch"},
      {{"--input", "gamepad"}, "--input: add --watch"},
  };
  const Case kAlone[] = {
      {{"--ramp", "5"}, "--ramp: add --schedule"},
      {{"--targets", "--format", "none"}, "--targets: only the csv and jsonl formats"},
      {{"--format", "servo", "--targets"}, "--targets: only the csv"},
      {{"--format", "servo", "--units", "rad"}, "--units: only the csv"},
      {{"--format", "none", "--output", "o.csv"}, "--output: nothing is written to it"},
      {{"--print-gait", "--ticks", "5"}, "--ticks has no meaning with --print-gait"},
      {{"--print-gait", "--plot", "p.svg"}, "--plot has no meaning with --print-gait"},
      {{"--export-mjcf", "m.xml", "--step", "-100"}, "--step has no meaning with --export-mjcf"},
      {{"--export-urdf", "x.urdf", "--physics"}, "--physics has no meaning with --export-urdf"},
      {{"--physics-map", "m.svg", "--units", "deg"}, "--units has no meaning with --physics-map"},
  };
  const auto refuse = [](const Case& refused, std::vector<const char*> argv) {
    const auto& [args, message] = refused;
    argv.insert(argv.end(), args.begin(), args.end());
    try {
      ParseGaitOptions(static_cast<int>(argv.size()), argv.data());
      ADD_FAILURE() << "no error for " << args[0];
    } catch (const InputError& error) {
      EXPECT_NE(std::string(error.what()).find(message), std::string::npos) << error.what();
    }
  };
  for (const Case& refused : kWithOutputs) {
    refuse(refused, {"trotix-gait", "--output", "out.csv", "--plot", "out.svg"});
  }
  for (const Case& refused : kAlone) refuse(refused, {"trotix-gait"});
}

}  // namespace
}  // namespace trotix
