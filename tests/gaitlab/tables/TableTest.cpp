// The CSV and JSON Lines tables print every tick's fields so that they read
// back to the very values the engine computed.
#include <gtest/gtest.h>

#include <cstdio>
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

TEST(TableTest, CsvAndJsonLinesEqualTheEngine) {
  for (const auto& [turn, step] : {std::pair{0, 0}, {80, -130}, {-80, 130}, {20, -100}, {-1, 1}}) {
    SCOPED_TRACE("turn " + std::to_string(turn) + ", step " + std::to_string(step));
    const std::unique_ptr<std::FILE, int (*)(std::FILE*)> csvFile(std::tmpfile(), std::fclose);
    const std::unique_ptr<std::FILE, int (*)(std::FILE*)> jsonFile(std::tmpfile(), std::fclose);
    ASSERT_TRUE(csvFile && jsonFile);
    OutputBuffer csvOut(csvFile.get(), "csv"), jsonOut(jsonFile.get(), "jsonl");
    TableLayout layout;
    layout.targets = true;
    CsvTable csv(csvOut, layout);
    JsonlTable jsonl(jsonOut, layout);
    RunGait(70, {turn, step}, {}, {&csv, &jsonl});

    const auto reference = ReferenceRun(70, turn, step);
    ExpectCsvMatches(TextOf(csvFile.get(), csvOut), reference);
    ExpectJsonlMatches(TextOf(jsonFile.get(), jsonOut), reference);
  }
}

}  // namespace
}  // namespace trotix
