// The SVG plot: well-formed XML whatever the input names, and the data
// reductions behind it keep what matters.
#include <gtest/gtest.h>

#include <cstdlib>

#include "gaitlab/plot/FootTrace.h"
#include "gaitlab/plot/PlotAxis.h"
#include "gaitlab/plot/SeriesEnvelope.h"
#include "gaitlab/plot/SliderSegments.h"
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

TEST(GaitPlotTest, SvgIsWellFormedEvenWithMarkupInTheScheduleName) {
  if (!HaveXmllint()) GTEST_SKIP() << "xmllint (libxml2-utils) is not installed";
  ScratchDirectory dir;
  const std::string schedule = "a&b <\"c\">.csv";
  WriteFile(dir.file(schedule), "0,0,-100\n40,60,-100\n80,-20,50\n");
  WriteFile(dir.file("limits.yaml"), "joints:\n  leg0_knee: {lower: 0.5, upper: 2.0}\n");
  const ProcessResult run =
      RunGaitProgram({"--ticks", "120", "--schedule", schedule, "--plot", "gait.svg", "--format",
                      "none", "--gait", "limits.yaml"},
                     dir.path());
  ASSERT_EQ(run.status, 0) << run.err;
  EXPECT_EQ(run.out, "");
  const ProcessResult lint = RunProgram("xmllint", {"--noout", "gait.svg"}, dir.path());
  EXPECT_EQ(lint.status, 0) << lint.err;

  const std::string svg = ReadFile(dir.file("gait.svg"));
  EXPECT_EQ(Count(svg, "<path "), 20u) << "12 joint curves, 4 sways and 4 foot paths";
  EXPECT_NE(svg.find("a&amp;b &lt;&quot;c&quot;&gt;.csv"), std::string::npos);
  EXPECT_EQ(Count(svg, "stroke-dasharray"), 4u * 2 + 2) << "two slider changes, two limits";
  EXPECT_EQ(Count(svg, "turn 60, step -100"), 4u) << "each segment's sliders in each panel";
  EXPECT_EQ(Count(svg, ">time (s)<"), 5u);
}

TEST(GaitPlotTest, LongRunsKeepEveryPeakAndAFewSegments) {
  // A signal with one narrow spike per 1000 ticks, drawn into 100 buckets.
  SeriesEnvelope envelope(100000, 100);
  for (std::int64_t tick = 0; tick < 100000; ++tick) {
    envelope.add(tick, tick % 1000 == 517 ? 5.0 : 0.0);
  }
  const auto points = envelope.points();
  EXPECT_EQ(points.size(), 200u);
  for (std::size_t i = 1; i < points.size(); i += 2) {
    EXPECT_EQ(points[i].value, 5.0);
    EXPECT_EQ(static_cast<std::int64_t>(points[i].tick) % 1000, 517);
    EXPECT_LT(points[i - 1].tick, points[i].tick);
  }

  // A schedule row per tick: one change per bucket, with the sliders that
  // stand at its end.
  SliderSegments sliders(100000, 100);
  for (std::int64_t tick = 0; tick < 100000; ++tick) sliders.add(tick, std::to_string(tick));
  ASSERT_EQ(sliders.segments().size(), 100u);
  EXPECT_EQ(sliders.segments()[1].startTick, 1000);
  EXPECT_EQ(sliders.segments()[1].label, "1999");
  EXPECT_EQ(sliders.segments().back().label, "99999");

  // A repeating foot path adds each of its segments once.
  FootTrace trace;
  const double square[4][2] = {{0, 0}, {10, 0}, {10, 5}, {0, 5}};
  for (int tick = 0; tick < 4000; ++tick) trace.add(square[tick % 4][0], square[tick % 4][1]);
  EXPECT_EQ(trace.segments().size(), 5u) << "the start point plus four sides";
  EXPECT_EQ(trace.maxX(), 10.0);
  EXPECT_EQ(trace.maxZ(), 5.0);
}

TEST(GaitPlotTest, AxisStepsAreRoundAndCoverTheData) {
  EXPECT_EQ(NiceStep(4.5, 8), 1.0);
  EXPECT_EQ(NiceStep(140.0, 6), 50.0);
  EXPECT_EQ(NiceStep(0.3, 5), 0.1);
  const AxisRange range = NiceRange(-1.93, 2.21, 8);
  EXPECT_LE(range.low, -1.93);
  EXPECT_GE(range.high, 2.21);
  const AxisRange flat = NiceRange(0.0, 0.0, 5);
  EXPECT_LT(flat.low, flat.high);
  EXPECT_EQ(TickValues(-0.1, 0.35, 0.1).size(), 5u);
}

}  // namespace
}  // namespace trotix
