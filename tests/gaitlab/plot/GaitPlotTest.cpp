// The data reductions behind the SVG plot keep what matters.
#include <gtest/gtest.h>

#include "gaitlab/plot/FootTrace.h"
#include "gaitlab/plot/PlotAxis.h"
#include "gaitlab/plot/SeriesEnvelope.h"
#include "gaitlab/plot/SliderSegments.h"

namespace trotix {
namespace {

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
