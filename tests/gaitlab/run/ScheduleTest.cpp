// What a schedule may look like, and how an unreadable input is named.
#include <gtest/gtest.h>

#include <cerrno>
#include <cstdlib>

#include "gaitlab/gaitfile/GaitFile.h"
#include "gaitlab/io/InputError.h"
#include "gaitlab/run/Schedule.h"

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
      {"tick,turn,step\n20,0,0\n# x\n7,1,1\n",
       "s.csv:4: tick 7 does not come after tick 20 of line 2"},
      {"0,0,0\n5,-90,0\n", "s.csv:2: turn: -90 is out of range -80 to 80"},
      {"0,0,140\n", "s.csv:1: step: 140 is out of range -130 to 130"},
      {"0,left,0\n", "s.csv:1: turn: 'left' is not a whole number"},
      {"0,0,0\n3,4\n", "s.csv:2: expected 3 fields tick,turn,step but found 2"},
      {"0,0,0\ntick,turn,step\n", "s.csv:2: tick: 'tick' is not a whole number"},
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

}  // namespace
}  // namespace trotix
