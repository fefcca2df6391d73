// FileWatch: a change counts once, and only once it has settled for a
// call; a file gone away is no change to read.
#include "gaitlab/io/FileWatch.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include "tests/gaitlab/GaitProcess.h"

namespace trotix {
namespace {

TEST(FileWatchTest, SeesEachSettledChangeOnce) {
  enum Action { kNothing, kWrite, kRemove, kRename };
  const struct {
    Action action;
    bool changed;
  } kSteps[] = {
      {kNothing, false}, {kWrite, false},  {kNothing, true}, {kNothing, false},
      {kWrite, false},   {kWrite, false},  {kNothing, true}, {kRemove, false},
      {kNothing, false}, {kRename, false}, {kNothing, true}, {kNothing, false},
  };
  ScratchDirectory dir;
  const std::string path = dir.file("g.yaml");
  WriteFile(path, "a");
  FileWatch watch(path);
  std::string text = "a";
  int step = 0;
  for (const auto& s : kSteps) {
    text += "b";  // a new size: a coarse clock alone could miss the change
    if (s.action == kWrite) WriteFile(path, text);
    if (s.action == kRemove) std::remove(path.c_str());
    if (s.action == kRename) {
      WriteFile(dir.file("new.yaml"), text);
      std::rename(dir.file("new.yaml").c_str(), path.c_str());
    }
    EXPECT_EQ(watch.changed(), s.changed) << "step " << step++;
  }
}

}  // namespace
}  // namespace trotix
