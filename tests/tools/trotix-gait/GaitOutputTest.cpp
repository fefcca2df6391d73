// trotix-gait's rows, on standard output or in a file, must be exactly what
// the engine gives through its API; the tables' own tests cover more sliders.
#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <cmath>
#include <cstdio>
#include <cstdlib>

#include "engine/LegSolver.h"
#include "testing/engine/EngineReference.h"
#include "testing/engine/TableRowChecks.h"
#include "testing/process/GaitProcess.h"

namespace trotix {
namespace {

TEST(GaitScheduleTest, SliderChangesTakeEffectAtTheirTick) {
  ScratchDirectory dir;
  WriteFile(dir.file("steps.csv"),
            "tick,turn,step\n# straight ahead, then a left turn, then backwards\n"
            "5,40,-100\n\n12,-30,60\n20,0,0\n");
  const ProcessResult run =
      RunGaitProgram({"--ticks", "20", "--turn", "10", "--step", "-50", "--schedule", "steps.csv",
                      "--targets", "--format", "jsonl", "--output", "run.jsonl"},
                     dir.path());
  ASSERT_EQ(run.status, 0) << run.err;
  EXPECT_EQ(run.out, "");
  EXPECT_EQ(run.err,
            "trotix-gait: warning: steps.csv: 1 row after the last tick (19) has no effect\n");
  const std::vector<SliderChange> changes = {{5, 40, -100}, {12, -30, 60}};
  ExpectJsonlMatches(ReadFile(dir.file("run.jsonl")), ReferenceRun(20, 10, -50, changes));

  // The comparison above can tell tick 5 from its neighbours.
  const auto early = ReferenceRun(20, 10, -50, {{4, 40, -100}, {12, -30, 60}});
  const auto late = ReferenceRun(20, 10, -50, {{6, 40, -100}, {12, -30, 60}});
  const auto exact = ReferenceRun(20, 10, -50, changes);
  EXPECT_NE(early[4].angles, exact[4].angles);
  EXPECT_NE(late[5].angles, exact[5].angles);
}

TEST(GaitFileTest, SetsExactlyWhatTheEngineFieldsSet) {
  ScratchDirectory dir;
  WriteFile(dir.file("gait.yaml"),
            "tick_period_ms: 20\n"
            "gait: {stepRate: 1.5, stepHeight: 31}\n"
            "legs:\n  leg2: {footOffsetZ: 92.5, sideStepLength: 4}\n"
            "paths:\n  rear:\n    vertical: [10, 14, 15, 16, 5, -7.5, -13, -12, 0, 10]\n");
  WalkEngine engine;
  for (LegGaitParams& leg : engine.legs) leg.stepRate = 1.5, leg.stepHeight = 31.0;
  engine.legs[2].footOffsetZ = 92.5;
  engine.legs[2].sideStepLength = 4.0;
  engine.legs[2].halfSideStepLength = 2.0;
  for (LocusSet* set : {&engine.locusSet2, &engine.locusSet3, &engine.locusSet4}) {
    set->rear.vertical = {10, 14, 15, 16, 5, -7.5, -13, -12, 0, 10};
  }
  const ProcessResult run = RunGaitProgram(
      {"--ticks", "70", "--turn", "30", "--step", "-90", "--targets", "--gait", "gait.yaml"},
      dir.path());
  ASSERT_EQ(run.status, 0) << run.err;
  ExpectCsvMatches(run.out, ReferenceRun(70, 30, -90, {}, engine), 20.0);

  // The printed defaults give the engine's own gait; degrees use the
  // program's factor.
  const ProcessResult printed = RunGaitProgram({"--print-gait"}, dir.path());
  ASSERT_EQ(printed.status, 0) << printed.err;
  WriteFile(dir.file("defaults.yaml"), printed.out);
  const ProcessResult degrees = RunGaitProgram(
      {"--ticks", "70", "--targets", "--gait", "defaults.yaml", "--units", "deg"}, dir.path());
  ASSERT_EQ(degrees.status, 0) << degrees.err;
  ExpectCsvMatches(degrees.out, ReferenceRun(70, 0, 0), 33.0, 57.29579143313326);
}

// Joints written with a default entry, a merge key and degrees give the
// servo rows and warnings of the same joints written out in radians, and a
// pulse held back by max_speed is said to be.
TEST(GaitFileTest, DefaultEntryMergeKeysAndDegreesReadAsTheirRadians) {
  ScratchDirectory dir;
  WriteFile(dir.file("short.yaml"),
            "servo_slew_limit: true\n"
            "joints:\n"
            "  default: {max_speed: 240 deg/s, us_per_rad: 600}\n"
            "  leg0_pitch: &front {channel: 0, lower: -60 deg, upper: 30 deg}\n"
            "  leg1_pitch: {<<: *front, channel: 1, direction: -1}\n"
            "  leg0_knee: {channel: 2, zero: 90 deg}\n");
  const auto rad = [](double degrees) {
    char text[32];
    std::snprintf(text, sizeof text, "%.17g", degrees / 57.29579143313326);
    return std::string(text);
  };
  const std::string shared = "max_speed: " + rad(240) + ", us_per_rad: 600";
  const std::string range = ", lower: " + rad(-60) + ", upper: " + rad(30);
  WriteFile(dir.file("long.yaml"), "servo_slew_limit: true\njoints:\n  leg0_pitch: {" + shared +
                                       ", channel: 0" + range + "}\n  leg1_pitch: {" + shared +
                                       ", channel: 1, direction: -1" + range + "}\n  leg0_knee: {" +
                                       shared + ", channel: 2, zero: " + rad(90) + "}\n");
  std::vector<std::string> args = {"--ticks", "100",      "--turn", "80",    "--step",
                                   "-130",    "--format", "servo",  "--gait"};
  args.push_back("short.yaml");
  const ProcessResult written = RunGaitProgram(args, dir.path());
  args.back() = "long.yaml";
  const ProcessResult spelt = RunGaitProgram(args, dir.path());
  ASSERT_EQ(written.status, 0) << written.err;
  EXPECT_EQ(written.out, spelt.out);
  EXPECT_EQ(written.err, spelt.err);
  EXPECT_NE(
      written.err.find(
          "leg0_knee (channel 2): 80 of 100 pulses limited: 80 by max_speed (82.94 us per tick)"),
      std::string::npos)
      << written.err;
}

// The value of `attribute` in the first tag that holds `start` at or after
// `from`; empty if none.
std::string Attribute(const std::string& xml, const std::string& start,
                      const std::string& attribute, std::size_t from = 0) {
  const std::size_t tag = xml.find(start, from);
  if (tag == std::string::npos) return "";
  const std::size_t value = xml.find(attribute + "=\"", tag);
  if (value == std::string::npos) return "";
  const std::size_t begin = value + attribute.size() + 2;
  return xml.substr(begin, xml.find('"', begin) - begin);
}

// The exported URDF passes check_urdf, and its joint axes, link lengths and
// the gait's joint limits are the MJCF's.
TEST(GaitExportTest, UrdfHasTheAxesLengthsAndLimitsOfTheMjcf) {
  ScratchDirectory dir;
  WriteFile(dir.file("g.yaml"),
            "joints: {leg2_knee: {lower: 20 deg, upper: 2.4, max_speed: 7}}\n"
            "physics: {leg_chain: roll_first, lateral_axis: shared}\n");
  const ProcessResult run = RunGaitProgram(
      {"--gait", "g.yaml", "--export-urdf", "r.urdf", "--export-mjcf", "r.xml"}, dir.path());
  ASSERT_EQ(run.status, 0) << run.err;
  const ProcessResult check = RunProgram("check_urdf", {"r.urdf"}, dir.path());
  EXPECT_EQ(check.status, 0) << check.out << check.err;
  const std::string urdf = ReadFile(dir.file("r.urdf")), mjcf = ReadFile(dir.file("r.xml"));
  for (int leg = 0; leg < 4; ++leg) {
    const std::string name = "leg" + std::to_string(leg);
    for (const char* joint : {"_pitch", "_roll", "_knee"}) {
      const std::size_t at = urdf.find("<joint name=\"" + name + joint + "\"");
      ASSERT_NE(at, std::string::npos) << name << joint;
      EXPECT_EQ(Attribute(urdf, "<axis", "xyz", at),
                Attribute(mjcf, "<joint name=\"" + name + joint + "\"", "axis"))
          << name << joint;
    }
    EXPECT_EQ(Attribute(urdf, "<origin", "xyz", urdf.find("<joint name=\"" + name + "_knee\"")),
              Attribute(mjcf, "<body name=\"" + name + "_lower\"", "pos"));
    EXPECT_EQ(Attribute(urdf, "<origin", "xyz", urdf.find("<joint name=\"" + name + "_foot\"")),
              Attribute(mjcf, "<site name=\"" + name + "_foot\"", "pos"));
  }
  const std::size_t knee = urdf.find("<joint name=\"leg2_knee\"");
  const std::string range = Attribute(mjcf, "<joint name=\"leg2_knee\"", "range");
  EXPECT_EQ(
      Attribute(urdf, "<limit", "lower", knee) + " " + Attribute(urdf, "<limit", "upper", knee),
      range);
  EXPECT_EQ(Attribute(urdf, "<limit", "velocity", knee), "7");
}

// The robot section: the built-in robot written out changes no byte; a
// robot with 20 % longer lower legs walks the engine of that robot, and its
// printed section reads back to the same run.
TEST(GaitFileTest, RobotSectionSetsTheEnginesGeometry) {
  ScratchDirectory dir;
  WriteFile(dir.file("builtin.yaml"),
            "robot:\n  upper_leg_mm: 70.08\n"
            "  lower_leg_mm: {front: 76.896944, rear: 79.409949}\n"
            "  knee_offset_rad: {front: 0.1709, rear: 0.2606}\n  pitch_offset_rad: 0.1286\n"
            "  min_reach_mm: {front: 66.5, rear: 68}\n  reach_margin_mm: 0.5\n"
            "  shoulder_x_mm: 65\n  shoulder_y_mm: 62.5\n");
  WriteFile(dir.file("longer.yaml"),
            "robot: {lower_leg_mm: {front: 92.2763328, rear: 95.2919388}, shoulder_y_mm: 70}\n");
  const auto output = [&](std::vector<std::string> args, bool walk = true) {
    if (walk) args.insert(args.begin(), {"--ticks", "70", "--turn", "30", "--step", "-90"});
    const ProcessResult result = RunGaitProgram(args, dir.path());
    EXPECT_EQ(result.status, 0) << result.err;
    return result.out;
  };
  EXPECT_EQ(output({"--targets", "--gait", "builtin.yaml"}), output({"--targets"}));
  EXPECT_EQ(output({"--gait", "builtin.yaml", "--print-gait"}, false),
            output({"--print-gait"}, false));

  RobotGeometry geometry;
  geometry.front = LegGeometryFrom({70.08, 92.2763328, 66.5, 0.5, 0.1709, 0.1286});
  geometry.rear = LegGeometryFrom({70.08, 95.2919388, 68.0, 0.5, 0.2606, 0.1286});
  geometry.shoulderY = 70.0;
  const std::string longer = output({"--targets", "--gait", "longer.yaml"});
  ExpectCsvMatches(longer, ReferenceRun(70, 30, -90, {}, WalkEngine(geometry)), 33.0);
  WriteFile(dir.file("printed.yaml"), output({"--gait", "longer.yaml", "--print-gait"}, false));
  EXPECT_EQ(output({"--targets", "--gait", "printed.yaml"}), longer);
}

// Compares two outputs of the same run on two systems: every byte outside
// the numbers must be the same, and so must every whole number; a number
// with a fraction may differ by what the systems' sin, cos and atan2 round
// differently, a few units in its last place.
void ExpectSameOutput(const std::string& expected, const std::string& got,
                      const std::string& what) {
  const auto isNumberByte = [](char c) {
    return std::isdigit(static_cast<unsigned char>(c)) || c == '.' || c == '-' || c == 'e' ||
           c == '+';
  };
  std::size_t i = 0, j = 0;
  while (i < expected.size() && j < got.size()) {
    if (!std::isdigit(static_cast<unsigned char>(expected[i])) ||
        !std::isdigit(static_cast<unsigned char>(got[j]))) {
      ASSERT_EQ(expected[i], got[j]) << what << " at byte " << i;
      ++i, ++j;
      continue;
    }
    const std::size_t iEnd =
        std::find_if_not(expected.begin() + i, expected.end(), isNumberByte) - expected.begin();
    const std::size_t jEnd =
        std::find_if_not(got.begin() + j, got.end(), isNumberByte) - got.begin();
    const std::string a = expected.substr(i, iEnd - i), b = got.substr(j, jEnd - j);
    if (a != b) {
      const std::size_t point = a.find('.');
      ASSERT_NE(point, std::string::npos) << what << ": whole numbers " << a << " and " << b;
      const std::size_t exponent = a.find('e');
      const std::size_t digits = (exponent == std::string::npos ? a.size() : exponent) - point - 1;
      const double x = std::strtod(a.c_str(), nullptr), y = std::strtod(b.c_str(), nullptr);
      const int power = exponent == std::string::npos ? 0 : std::atoi(a.c_str() + exponent + 1);
      const double lastPlace = std::pow(10.0, power - static_cast<double>(digits));
      EXPECT_LE(std::abs(x - y), std::max(8 * std::abs(x) * 2.2e-16, 2 * lastPlace))
          << what << ": " << a << " and " << b << " at byte " << i;
    }
    i = iEnd, j = jEnd;
  }
  EXPECT_EQ(expected.size() - i, got.size() - j) << what << ": one output is longer";
}

// The Windows trotix-gait, when the test is given the command that runs it
// (words split at '|', e.g. "wine-run.sh|PREFIX|trotix-gait.exe"), prints
// what this one prints, and ends with the same status.
TEST(GaitWindowsTest, PrintsWhatTheLinuxProgramPrints) {
  const char* command = std::getenv("TROTIX_WINDOWS_GAIT");
  if (command == nullptr) GTEST_SKIP() << "TROTIX_WINDOWS_GAIT names no Windows program";
  std::vector<std::string> words = SplitText(command, '|');
  const std::string program = words.front();
  words.erase(words.begin());
  const std::vector<std::vector<std::string>> runs = {
      {"--ticks", "40", "--turn", "-35", "--step", "120", "--targets"},
      {"--ticks", "30", "--format", "jsonl", "--units", "deg", "--schedule", "s.csv", "--ramp",
       "5"},
      {"--ticks", "60", "--schedule", "s.csv", "--report", "-"},
      {"--ticks", "12", "--step", "-80", "--output", "out.csv", "--plot", "out.svg"},
      {"--ticks", "25", "--gait", "g.yaml", "--format", "servo", "--check"},
      {"--print-gait", "--gait", "g.yaml"},
      {"--ticks", "-1"},
  };
  for (const auto& args : runs) {
    ScratchDirectory onLinux, onWindows;
    for (const ScratchDirectory* dir : {&onLinux, &onWindows}) {
      WriteFile(dir->file("s.csv"), "tick,turn,step\r\n0,10,-40\r\n20,-60,90\r\n45,0,0\r\n");
      WriteFile(dir->file("g.yaml"),
                "tick_period_ms: 20\r\ngait: {stepHeight: 31}\r\n"
                "joints: {leg1_knee: {channel: 3, upper: 1.2}}\r\n");
    }
    std::vector<std::string> windowsArgs = words;
    windowsArgs.insert(windowsArgs.end(), args.begin(), args.end());
    const ProcessResult expected = RunGaitProgram(args, onLinux.path());
    // Run twice, so that the second run replaces the files of the first.
    RunProgram(program, windowsArgs, onWindows.path());
    const ProcessResult got = RunProgram(program, windowsArgs, onWindows.path());
    const std::string run = ::testing::PrintToString(args);
    EXPECT_EQ(got.status, expected.status) << run;
    ExpectSameOutput(expected.out, got.out, run);
    ExpectSameOutput(expected.err, got.err, run);
    EXPECT_EQ(onWindows.entries(), onLinux.entries()) << run;
    for (const std::string& name : onLinux.entries()) {
      ExpectSameOutput(ReadFile(onLinux.file(name)), ReadFile(onWindows.file(name)),
                       run + " " + name);
    }
  }
}

// The number that follows "key": in `text`, from `from` on.
double JsonField(const std::string& text, const std::string& key, std::size_t from = 0) {
  const std::size_t at = text.find("\"" + key + "\": ", from);
  EXPECT_NE(at, std::string::npos) << key;
  return at == std::string::npos ? NAN : std::strtod(text.c_str() + at + key.size() + 4, nullptr);
}

TEST(GaitReportTest, FiguresEqualThoseOfTheSameRunsRows) {
  ScratchDirectory dir;
  const ProcessResult run = RunGaitProgram(
      {"--ticks", "200", "--turn", "80", "--step", "-130", "--targets", "--report", "report.json"},
      dir.path());
  ASSERT_EQ(run.status, 0) << run.err;
  const std::string report = ReadFile(dir.file("report.json"));
  const auto lines = SplitText(run.out, '\n');
  ASSERT_EQ(lines.size(), 201u);
  std::vector<std::vector<double>> rows;
  for (std::size_t i = 1; i < lines.size(); ++i) {
    rows.emplace_back();
    for (const std::string& field : SplitText(lines[i], ','))
      rows.back().push_back(ReadDouble(field));
  }
  for (int joint = 0; joint < kJointCount; ++joint) {
    double low = rows[0][2 + joint], high = low, step = 0.0;
    for (std::size_t t = 1; t < rows.size(); ++t) {
      low = std::min(low, rows[t][2 + joint]);
      high = std::max(high, rows[t][2 + joint]);
      step = std::max(step, std::fabs(rows[t][2 + joint] - rows[t - 1][2 + joint]));
    }
    const std::size_t at = report.find("\"" + SplitText(lines[0], ',')[2 + joint] + "\": {");
    ASSERT_NE(at, std::string::npos);
    EXPECT_EQ(JsonField(report, "min", at), low) << joint;
    EXPECT_EQ(JsonField(report, "max", at), high) << joint;
    EXPECT_EQ(JsonField(report, "max_speed", at), step / 0.033) << joint;
  }
  for (int leg = 0; leg < kLegCount; ++leg) {
    const LegGeometry& geometry = LegGeometryOf(leg);
    int beyond = 0, saturated = 0, jumps = 0;
    for (std::size_t t = 0; t < rows.size(); ++t) {
      const double* target = &rows[t][26 + 3 * leg];
      beyond += target[0] * target[0] + target[1] * target[1] + target[2] * target[2] >
                geometry.maxReachSquared;
      saturated += std::fabs(rows[t][3 + 3 * leg]) == std::asin(0.999);
      bool jump = false;
      for (int j = 0; j < 3 && t > 0; ++j) {
        jump |= std::fabs(rows[t][2 + 3 * leg + j] - rows[t - 1][2 + 3 * leg + j]) > 0.2;
      }
      jumps += jump;
    }
    const std::size_t at = report.find("{\"leg\": " + std::to_string(leg));
    EXPECT_EQ(JsonField(report, "count", report.find("beyond_max", at)), beyond) << leg;
    EXPECT_EQ(JsonField(report, "count", report.find("roll_saturated", at)), saturated) << leg;
    EXPECT_EQ(JsonField(report, "count", report.find("jumps", at)), jumps) << leg;
  }
  EXPECT_GT(JsonField(report, "count", report.find("beyond_max")), 0) << "the case clamps";

  // In degrees the report says so and its angles follow the unit.
  const ProcessResult degrees =
      RunGaitProgram({"--ticks", "200", "--turn", "80", "--step", "-130", "--format", "none",
                      "--units", "deg", "--report", "degrees.json"},
                     dir.path());
  ASSERT_EQ(degrees.status, 0) << degrees.err;
  const std::string inDegrees = ReadFile(dir.file("degrees.json"));
  EXPECT_NE(inDegrees.find("\"units\": \"deg\""), std::string::npos);
  EXPECT_EQ(report.find("\"units\""), std::string::npos) << "radians stay as they were";
  for (const char* field : {"min", "max"}) {
    const std::size_t rad = report.find("\"leg2_knee\""), deg = inDegrees.find("\"leg2_knee\"");
    EXPECT_EQ(JsonField(inDegrees, field, deg), JsonField(report, field, rad) * kDegreesPerRadian);
  }
}

TEST(GaitReportTest, CheckFailsOnlyOnABrokenLimitAndServoRowsFollowTheCalibration) {
  ScratchDirectory dir;
  WriteFile(dir.file("tight.yaml"), "joints:\n  leg0_knee: {max_speed: 8}\n");
  WriteFile(dir.file("loose.yaml"),
            "joints:\n  leg0_knee: {lower: 0.3, upper: 2.2, max_speed: 40, channel: 7,\n"
            "    zero: 1.5, direction: -1, center_us: 1400, us_per_rad: 600}\n");
  const std::vector<std::string> run = {"--ticks", "100",  "--turn",  "80",
                                        "--step",  "-130", "--check", "--gait"};
  auto tight = run, loose = run;
  tight.push_back("tight.yaml");
  loose.insert(loose.end(), {"loose.yaml", "--format", "servo"});
  const ProcessResult broken = RunGaitProgram(tight, dir.path());
  EXPECT_EQ(broken.status, 3);
  EXPECT_NE(broken.err.find("leg0_knee max_speed"), std::string::npos) << broken.err;
  const ProcessResult kept = RunGaitProgram(loose, dir.path());
  EXPECT_EQ(kept.status, 0) << kept.err;

  const auto lines = SplitText(kept.out, '\n');
  ASSERT_EQ(lines.size(), 101u);
  EXPECT_EQ(lines[0], "tick,time_s,ch7_us");
  const auto reference = ReferenceRun(100, 80, -130);
  for (std::size_t t = 0; t < reference.size(); ++t) {
    const double pulse = 1400.0 - (reference[t].angles[2] - 1.5) * 600.0;
    EXPECT_EQ(SplitText(lines[t + 1], ',')[2], std::to_string(std::llround(pulse)));
  }
}

// A calibration that would send a joint past its upper limit, and one that
// would leave any servo's range: the rows stay within both, the run warns
// once per joint, and --check fails.
TEST(GaitReportTest, ServoRowsStayInRangeAndCheckFailsWhenLimited) {
  ScratchDirectory dir;
  WriteFile(dir.file("g.yaml"),
            "joints:\n  leg0_knee: {lower: 0.3, upper: 1.0, channel: 0, zero: 0, us_per_rad: "
            "636.62}\n  leg1_knee: {channel: 1, us_per_rad: 5000}\n");
  const ProcessResult run = RunGaitProgram(
      {"--ticks", "60", "--gait", "g.yaml", "--format", "servo", "--check", "--report", "r.json"},
      dir.path());
  EXPECT_EQ(run.status, 3);
  const auto err = SplitText(run.err, '\n');
  ASSERT_EQ(err.size(), 3u) << run.err;
  EXPECT_EQ(
      err[0],
      "trotix-gait: warning: leg0_knee (channel 0): 60 of 60 pulses limited: 60 by lower/upper "
      "(1691 to 2136 us)");
  EXPECT_EQ(
      err[1],
      "trotix-gait: warning: leg1_knee (channel 1): 60 of 60 pulses limited: 60 by min_us/max_us "
      "(500 to 2500 us)");
  EXPECT_NE(err[2].find("leg1_knee pulses limited (60 ticks)"), std::string::npos) << err[2];
  const auto lines = SplitText(run.out, '\n');
  for (std::size_t t = 1; t < lines.size(); ++t) {
    EXPECT_EQ(lines[t].substr(lines[t].find(',', lines[t].find(',') + 1)), ",2136,2500");
  }
  const std::string report = ReadFile(dir.file("r.json"));
  EXPECT_EQ(JsonField(report, "count", report.find("pulse_limited", report.find("leg1_knee"))), 60);
  EXPECT_EQ(JsonField(report, "count", report.find("pulse_limited", report.find("leg2_knee"))), 0);
}

TEST(GaitScheduleTest, ZeroTicksWriteOnlyTheHeader) {
  ScratchDirectory dir;
  const ProcessResult run = RunGaitProgram({"--ticks", "0"}, dir.path());
  ASSERT_EQ(run.status, 0) << run.err;
  EXPECT_EQ(SplitText(run.out, '\n').size(), 1u);
  EXPECT_EQ(run.out.rfind("tick,time_s,leg0_pitch,", 0), 0u);
}

}  // namespace
}  // namespace trotix
