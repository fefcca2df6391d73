// What a schedule file may look like, and the option forms.
#include <gtest/gtest.h>

#include "tools/GaitOptions.h"
#include "tools/InputError.h"
#include "tools/Schedule.h"

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
  EXPECT_THROW(ParseSchedule("0,0,0,0\n", "s.csv"), InputError);
  EXPECT_THROW(ParseSchedule("0,0,\n", "s.csv"), InputError);
  EXPECT_THROW(ParseSchedule("1000000000,0,0\n", "s.csv"), InputError);
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
