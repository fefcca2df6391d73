// The progress line of long work, written to a file in place of standard
// error.
#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <thread>

#include "gaitlab/io/ProgressLine.h"

namespace trotix {
namespace {

std::string ReadBack(std::FILE* file) {
  std::rewind(file);
  std::string text;
  for (int c; (c = std::fgetc(file)) != EOF;) text += static_cast<char>(c);
  return text;
}

// Short work shows nothing; long work shows how far it has come and erases
// the line before anything else is printed.
TEST(ProgressLineTest, AppearsOnlyAfterItsDelayAndIsErased) {
  std::FILE* quiet = std::tmpfile();
  std::FILE* shown = std::tmpfile();
  {
    ProgressLine early("ticks", 10, quiet, std::chrono::hours(1));
    early.update(5);
    ProgressLine late("map cells", 81, shown, std::chrono::milliseconds(0));
    late.update(27);
  }
  EXPECT_EQ(ReadBack(quiet), "");
  const std::string text = ReadBack(shown);
  EXPECT_EQ(text.rfind("\rtrotix-gait: 27 of 81 map cells (33%), about ", 0), 0u) << text;
  EXPECT_EQ(text.substr(text.size() - 2), " \r") << "erased at the end";
  std::fclose(quiet);
  std::fclose(shown);

  // Off a terminal, long work gives one line with its estimate, short work
  // none.
  std::FILE* log = std::tmpfile();
  {
    ProgressLine longWork("ticks", 1'000'000'000, log, std::chrono::milliseconds(0), false);
    ProgressLine shortWork("ticks", 1'000, log, std::chrono::milliseconds(0), false);
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
    for (const std::int64_t done : {1000, 2000}) {
      longWork.update(done);
      shortWork.update(done / 4);
    }
  }
  const std::string logged = ReadBack(log);
  EXPECT_EQ(logged.rfind("trotix-gait: 1000 of 1000000000 ticks (0%), about ", 0), 0u) << logged;
  EXPECT_EQ(logged.find('\n'), logged.size() - 1) << logged;
  std::fclose(log);
  EXPECT_EQ(DurationText(3725), "1 h 2 min");
  EXPECT_EQ(DurationText(59.2), "1 min 0 s");
}

}  // namespace
}  // namespace trotix
