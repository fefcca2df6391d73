// The CSV and JSON Lines tables print every tick's fields so that they read
// back to the very values the engine computed.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <memory>

#include "gaitlab/tables/CsvTable.h"
#include "gaitlab/tables/JsonlTable.h"
#include "testing/engine/EngineReference.h"
#include "testing/engine/TableRowChecks.h"

namespace trotix {
namespace {

// What a table wrote to a scratch file, once flushed.
std::string TextOf(std::FILE* file, OutputBuffer& buffer) {
  buffer.flush();
  std::string text(static_cast<std::size_t>(std::ftell(file)), '\0');
  std::rewind(file);
  EXPECT_EQ(std::fread(text.data(), 1, text.size(), file), text.size());
  return text;
}

struct Sliders {
  int turn;
  int step;
};

void PrintTo(const Sliders& sliders, std::ostream* os) {
  *os << "turn " << sliders.turn << ", step " << sliders.step;
}

class TableTest : public ::testing::TestWithParam<Sliders> {};

TEST_P(TableTest, CsvAndJsonLinesEqualTheEngine) {
  const Sliders sliders = GetParam();
  const std::unique_ptr<std::FILE, int (*)(std::FILE*)> csvFile(std::tmpfile(), std::fclose);
  const std::unique_ptr<std::FILE, int (*)(std::FILE*)> jsonFile(std::tmpfile(), std::fclose);
  ASSERT_TRUE(csvFile && jsonFile);
  OutputBuffer csvOut(csvFile.get(), "csv"), jsonOut(jsonFile.get(), "jsonl");
  TableLayout layout;
  layout.targets = true;
  CsvTable csv(csvOut, layout);
  JsonlTable jsonl(jsonOut, layout);
  RunGait(70, {sliders.turn, sliders.step}, {}, {&csv, &jsonl});

  const auto reference = ReferenceRun(70, sliders.turn, sliders.step);
  ExpectCsvMatches(TextOf(csvFile.get(), csvOut), reference);
  ExpectJsonlMatches(TextOf(jsonFile.get(), jsonOut), reference);
}

INSTANTIATE_TEST_SUITE_P(SliderSettings, TableTest,
                         ::testing::Values(Sliders{0, 0}, Sliders{80, -130}, Sliders{-80, 130},
                                           Sliders{20, -100}, Sliders{-1, 1}),
                         [](const auto& info) {
                           const auto name = [](int value) {
                             return (value < 0 ? "minus" : "") + std::to_string(std::abs(value));
                           };
                           return "turn" + name(info.param.turn) + "_step" + name(info.param.step);
                         });

}  // namespace
}  // namespace trotix
