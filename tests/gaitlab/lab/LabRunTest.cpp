// One run of the lab in process: the files it writes.
#include <gtest/gtest.h>

#include <cstdlib>

#include "gaitlab/lab/LabRun.h"
#include "gaitlab/run/Schedule.h"
#include "testing/process/GaitProcess.h"

namespace trotix {
namespace {

bool HaveXmllint() { return std::system("command -v xmllint >/dev/null 2>&1") == 0; }

std::size_t Count(const std::string& text, const std::string& part) {
  std::size_t count = 0;
  for (std::size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + 1)) {
    ++count;
  }
  return count;
}

TEST(LabRunTest, PlotIsWellFormedSvgEvenWithMarkupInTheScheduleName) {
  if (!HaveXmllint()) GTEST_SKIP() << "xmllint (libxml2-utils) is not installed";
  ScratchDirectory dir;
  LabRequest request;
  request.ticks = 120;
  request.schedulePath = "a&b <\"c\">.csv";
  request.plotPath = dir.file("gait.svg");
  request.format = TableFormat::kNone;
  LabInputs inputs;
  inputs.gait.robot.joints[2].lower = 0.5;  // leg0_knee
  inputs.gait.robot.joints[2].upper = 2.0;
  inputs.schedule = ParseSchedule("0,0,-100\n40,60,-100\n80,-20,50\n", "s.csv");
  ASSERT_EQ(RunLab(request, inputs, LabWords()), 0);
  EXPECT_EQ(dir.entries(), std::vector<std::string>{"gait.svg"});
  const ProcessResult lint = RunProgram("xmllint", {"--noout", "gait.svg"}, dir.path());
  EXPECT_EQ(lint.status, 0) << lint.err;

  const std::string svg = ReadFile(dir.file("gait.svg"));
  EXPECT_EQ(Count(svg, "<path "), 20u) << "12 joint curves, 4 sways and 4 foot paths";
  EXPECT_NE(svg.find("a&amp;b &lt;&quot;c&quot;&gt;.csv"), std::string::npos);
  EXPECT_EQ(Count(svg, "stroke-dasharray"), 4u * 2 + 2) << "two slider changes, two limits";
  EXPECT_EQ(Count(svg, "turn 60, step -100"), 4u) << "each segment's sliders in each panel";
  EXPECT_EQ(Count(svg, ">time (s)<"), 5u);
}

}  // namespace
}  // namespace trotix
