// trotix-gait's rows must be exactly what the engine gives through its API.
#include <gtest/gtest.h>

#include <cstdlib>

#include "EngineReference.h"
#include "GaitProcess.h"

namespace trotix {
namespace {

double ReadDouble(const std::string& text) {
  char* end = nullptr;
  const double value = std::strtod(text.c_str(), &end);
  EXPECT_EQ(*end, '\0') << "not a number: " << text;
  return value;
}

// Checks CSV rows (header first) against the reference, field by field.
void ExpectCsvMatches(const std::string& csv, const std::vector<ReferenceTick>& reference) {
  const auto lines = SplitText(csv, '\n');
  ASSERT_EQ(lines.size(), reference.size() + 1);
  const auto header = SplitText(lines[0], ',');
  ASSERT_EQ(header.size(), 37u);
  EXPECT_EQ(header[0], "tick");
  EXPECT_EQ(header[1], "leg0_pitch");
  EXPECT_EQ(header[12], "leg3_knee");
  EXPECT_EQ(header[13], "leg0_pitch_cmd");
  EXPECT_EQ(header[36], "leg3_z");
  for (std::size_t tick = 0; tick < reference.size(); ++tick) {
    const auto fields = SplitText(lines[tick + 1], ',');
    ASSERT_EQ(fields.size(), 37u) << "row " << tick;
    EXPECT_EQ(fields[0], std::to_string(tick));
    for (int k = 0; k < kJointCount; ++k) {
      EXPECT_EQ(ReadDouble(fields[1 + k]), reference[tick].angles[k]) << "tick " << tick;
      EXPECT_EQ(fields[13 + k], std::to_string(reference[tick].commands[k])) << "tick " << tick;
      EXPECT_EQ(ReadDouble(fields[25 + k]), reference[tick].targets[k]) << "tick " << tick;
    }
  }
}

// The numbers of the JSON array that follows `"key":`, brackets dropped.
std::vector<std::string> JsonNumbers(const std::string& line, const std::string& key) {
  const std::size_t start = line.find("\"" + key + "\":[");
  if (start == std::string::npos) return {};
  std::size_t depth = 0, i = line.find('[', start);
  std::string numbers;
  do {
    const char c = line[i++];
    if (c == '[')
      ++depth;
    else if (c == ']')
      --depth;
    else
      numbers += c;
  } while (depth > 0 && i < line.size());
  return SplitText(numbers, ',');
}

struct Sliders {
  int turn;
  int step;
};

void PrintTo(const Sliders& sliders, std::ostream* os) {
  *os << "turn " << sliders.turn << ", step " << sliders.step;
}

class GaitOutputTest : public ::testing::TestWithParam<Sliders> {};

TEST_P(GaitOutputTest, CsvAndJsonLinesEqualTheEngine) {
  const Sliders sliders = GetParam();
  const auto reference = ReferenceRun(70, sliders.turn, sliders.step);
  ScratchDirectory dir;
  const std::vector<std::string> common = {"--ticks",  "70",
                                           "--turn",   std::to_string(sliders.turn),
                                           "--step",   std::to_string(sliders.step),
                                           "--targets"};

  const ProcessResult csv = RunGaitProgram(common, dir.path());
  ASSERT_EQ(csv.status, 0) << csv.err;
  ExpectCsvMatches(csv.out, reference);

  auto jsonArgs = common;
  jsonArgs.insert(jsonArgs.end(), {"--format", "jsonl", "--output", "run.jsonl"});
  const ProcessResult json = RunGaitProgram(jsonArgs, dir.path());
  ASSERT_EQ(json.status, 0) << json.err;
  EXPECT_EQ(json.out, "");
  const auto lines = SplitText(ReadFile(dir.file("run.jsonl")), '\n');
  ASSERT_EQ(lines.size(), reference.size());
  for (std::size_t tick = 0; tick < lines.size(); ++tick) {
    EXPECT_EQ(lines[tick].rfind("{\"tick\":" + std::to_string(tick) + ",", 0), 0u);
    const auto angles = JsonNumbers(lines[tick], "angles");
    const auto commands = JsonNumbers(lines[tick], "commands");
    const auto targets = JsonNumbers(lines[tick], "targets");
    ASSERT_EQ(angles.size(), 12u);
    ASSERT_EQ(commands.size(), 12u);
    ASSERT_EQ(targets.size(), 12u);
    for (int k = 0; k < kJointCount; ++k) {
      EXPECT_EQ(ReadDouble(angles[k]), reference[tick].angles[k]);
      EXPECT_EQ(commands[k], std::to_string(reference[tick].commands[k]));
      EXPECT_EQ(ReadDouble(targets[k]), reference[tick].targets[k]);
    }
  }
}

INSTANTIATE_TEST_SUITE_P(SliderSettings, GaitOutputTest,
                         ::testing::Values(Sliders{0, 0}, Sliders{80, -130}, Sliders{-80, 130},
                                           Sliders{20, -100}, Sliders{-1, 1}),
                         [](const auto& info) {
                           const auto name = [](int value) {
                             return (value < 0 ? "minus" : "") + std::to_string(std::abs(value));
                           };
                           return "turn" + name(info.param.turn) + "_step" + name(info.param.step);
                         });

TEST(GaitScheduleTest, SliderChangesTakeEffectAtTheirTick) {
  ScratchDirectory dir;
  WriteFile(dir.file("steps.csv"),
            "tick,turn,step\n# straight ahead, then a left turn, then backwards\n"
            "5,40,-100\n\n12,-30,60\n");
  const ProcessResult run = RunGaitProgram(
      {"--ticks", "20", "--turn", "10", "--step", "-50", "--schedule", "steps.csv", "--targets"},
      dir.path());
  ASSERT_EQ(run.status, 0) << run.err;
  const std::vector<SliderChange> changes = {{5, 40, -100}, {12, -30, 60}};
  ExpectCsvMatches(run.out, ReferenceRun(20, 10, -50, changes));

  // The comparison above can tell tick 5 from its neighbours.
  const auto early = ReferenceRun(20, 10, -50, {{4, 40, -100}, {12, -30, 60}});
  const auto late = ReferenceRun(20, 10, -50, {{6, 40, -100}, {12, -30, 60}});
  const auto exact = ReferenceRun(20, 10, -50, changes);
  EXPECT_NE(early[4].angles, exact[4].angles);
  EXPECT_NE(late[5].angles, exact[5].angles);
}

TEST(GaitScheduleTest, ZeroTicksWriteOnlyTheHeader) {
  ScratchDirectory dir;
  const ProcessResult run = RunGaitProgram({"--ticks", "0"}, dir.path());
  ASSERT_EQ(run.status, 0) << run.err;
  EXPECT_EQ(SplitText(run.out, '\n').size(), 1u);
  EXPECT_EQ(run.out.rfind("tick,leg0_pitch,", 0), 0u);
}

}  // namespace
}  // namespace trotix
