// The run loop hands the engine's ticks across threads in blocks: order,
// block boundaries and a failing writer must not lose, reorder or hang.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <stdexcept>

#include "gaitlab/run/GaitRun.h"
#include "gaitlab/run/GaitSettings.h"
#include "gaitlab/run/TickPipeline.h"
#include "testing/engine/EngineReference.h"
#include "testing/run/CollectingSink.h"

namespace trotix {
namespace {

class FailingSink : public TickSink {
 public:
  explicit FailingSink(std::int64_t failAt) : failAt_(failAt) {}
  void addTick(const TickRecord& record) override {
    if (record.tick == failAt_) throw std::runtime_error("disk full");
  }

 private:
  std::int64_t failAt_;
};

TEST(GaitRunTest, RecordsMatchTheEngineAcrossBlockBoundaries) {
  const std::int64_t ticks = 3 * TickPipeline::kBlockTicks + 17;
  const std::int64_t change = TickPipeline::kBlockTicks + 5;
  CollectingSink first, second;
  RunGait(ticks, {15, -90}, {{change, -60, 120}}, {&first, &second});
  const auto reference = ReferenceRun(ticks, 15, -90, {{change, -60, 120}});
  ASSERT_EQ(first.records.size(), reference.size());
  ASSERT_EQ(second.records.size(), reference.size());
  for (std::size_t i = 0; i < reference.size(); ++i) {
    const TickRecord& record = first.records[i];
    ASSERT_EQ(record.tick, static_cast<std::int64_t>(i));
    ASSERT_EQ(record.angles, reference[i].angles) << "tick " << i;
    ASSERT_EQ(record.commands, reference[i].commands) << "tick " << i;
    for (int k = 0; k < 12; ++k) ASSERT_EQ(record.targets[k / 3][k % 3], reference[i].targets[k]);
    ASSERT_EQ(second.records[i].angles, record.angles);
  }
}

TEST(GaitRunTest, AFailingSinkStopsTheRunAndPassesItsError) {
  for (const std::int64_t failAt : {std::int64_t{0}, std::int64_t{5000}}) {
    FailingSink sink(failAt);
    EXPECT_THROW(RunGait(1'000'000'000, {}, {}, {&sink}), std::runtime_error);
  }
  CollectingSink empty;
  RunGait(0, {}, {}, {&empty});
  EXPECT_TRUE(empty.records.empty());
}

// A gait's variants change every walk of it: the run loop's and a step's
// alike.
TEST(WalkStepTest, EveryWalkOfAGaitTicksItsVariants) {
  const GaitSettings plain = DefaultGaitSettings();
  GaitSettings rigid = plain, rollFirst = plain;
  rigid.variants.turn = TurnVariant::kRigid;
  rollFirst.variants.roll = RollVariant::kExactRollFirst;
  for (const GaitSettings& gait : {rigid, rollFirst}) {
    const char* variant = gait.variants.turn == TurnVariant::kRigid ? "rigid turn" : "exact roll";
    CollectingSink run;
    RunSettings settings;
    settings.walk = WalkStepOf(gait);
    RunGait(50, {40, -100}, {}, {&run}, settings);
    WalkStep walk = WalkStepOf(gait), plainWalk = WalkStepOf(plain);
    double largest = 0.0;
    for (const TickRecord& record : run.records) {
      ASSERT_EQ(walk.step({40, -100}).angles, record.angles) << variant;
      const JointAngles other = plainWalk.step({40, -100}).angles;
      for (int j = 0; j < kJointCount; ++j) {
        largest = std::max(largest, std::fabs(other[j] - record.angles[j]));
      }
    }
    EXPECT_GT(largest, 0.01) << variant;
  }
}

}  // namespace
}  // namespace trotix
