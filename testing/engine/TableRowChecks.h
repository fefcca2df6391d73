// Checks of the gait lab's CSV and JSON Lines rows against the engine's
// reference run, field by field, for the tables' tests and trotix-gait's.
#ifndef TROTIX_TESTING_ENGINE_TABLEROWCHECKS_H_
#define TROTIX_TESTING_ENGINE_TABLEROWCHECKS_H_

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "testing/engine/EngineReference.h"

namespace trotix {

inline double ReadDouble(const std::string& text) {
  char* end = nullptr;
  const double value = std::strtod(text.c_str(), &end);
  EXPECT_EQ(*end, '\0') << "not a number: " << text;
  return value;
}

// Checks CSV rows (header first) against the reference, field by field;
// the angles in the CSV are `angleScale` times the engine's radians.
inline void ExpectCsvMatches(const std::string& csv, const std::vector<ReferenceTick>& reference,
                             double tickMs = 33.0, double angleScale = 1.0) {
  const auto lines = SplitText(csv, '\n');
  ASSERT_EQ(lines.size(), reference.size() + 1);
  const auto header = SplitText(lines[0], ',');
  ASSERT_EQ(header.size(), 38u);
  EXPECT_EQ(header[0], "tick");
  EXPECT_EQ(header[1], "time_s");
  const std::string unit = angleScale == 1.0 ? "" : "_deg";  // degrees are named
  EXPECT_EQ(header[2], "leg0_pitch" + unit);
  EXPECT_EQ(header[13], "leg3_knee" + unit);
  EXPECT_EQ(header[14], "leg0_pitch_cmd");
  EXPECT_EQ(header[37], "leg3_z");
  for (std::size_t tick = 0; tick < reference.size(); ++tick) {
    const auto fields = SplitText(lines[tick + 1], ',');
    ASSERT_EQ(fields.size(), 38u) << "row " << tick;
    EXPECT_EQ(fields[0], std::to_string(tick));
    EXPECT_EQ(ReadDouble(fields[1]), tick * tickMs / 1000.0);
    for (int k = 0; k < kJointCount; ++k) {
      EXPECT_EQ(ReadDouble(fields[2 + k]), reference[tick].angles[k] * angleScale)
          << "tick " << tick;
      EXPECT_EQ(fields[14 + k], std::to_string(reference[tick].commands[k])) << "tick " << tick;
      EXPECT_EQ(ReadDouble(fields[26 + k]), reference[tick].targets[k]) << "tick " << tick;
    }
  }
}

// The numbers of the JSON array that follows `"key":`, brackets dropped.
inline std::vector<std::string> JsonNumbers(const std::string& line, const std::string& key) {
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

// Checks JSON Lines rows against the reference, field by field.
inline void ExpectJsonlMatches(const std::string& jsonl,
                               const std::vector<ReferenceTick>& reference) {
  const auto lines = SplitText(jsonl, '\n');
  ASSERT_EQ(lines.size(), reference.size());
  for (std::size_t tick = 0; tick < lines.size(); ++tick) {
    EXPECT_EQ(lines[tick].rfind("{\"tick\":" + std::to_string(tick) + ",\"time_s\":", 0), 0u);
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

}  // namespace trotix

#endif  // TROTIX_TESTING_ENGINE_TABLEROWCHECKS_H_
