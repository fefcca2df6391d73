// The run loop hands the engine's ticks across threads in blocks: order,
// block boundaries and a failing writer must not lose, reorder or hang.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <random>
#include <sstream>
#include <stdexcept>
#include <thread>

#include "gaitlab/gaitfile/GaitFile.h"
#include "gaitlab/io/ProgressLine.h"
#include "gaitlab/physics/MjcfGait.h"
#include "gaitlab/robot/Transmission.h"
#include "gaitlab/run/GaitRun.h"
#include "gaitlab/run/TickPipeline.h"
#include "gaitlab/tables/ServoTable.h"
#include "testing/engine/EngineReference.h"
#include "trotix/SliderMapping.h"

namespace trotix {
namespace {

class CollectingSink : public TickSink {
 public:
  void addTick(const TickRecord& record) override { records.push_back(record); }
  std::vector<TickRecord> records;
};

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

// A gait's variants change every walk of it: the run loop's, a step's and
// the exported model's standing pose alike.
TEST(WalkStepTest, EveryWalkOfAGaitTicksItsVariants) {
  const GaitSettings plain = DefaultGaitSettings();
  for (const char* variants : {"variants: {turn: rigid}", "variants: {roll: exact_roll_first}"}) {
    const GaitSettings gait = ParseGaitFile(variants, "g.yaml");
    CollectingSink run;
    RunSettings settings;
    settings.walk = WalkStepOf(gait);
    RunGait(50, {40, -100}, {}, {&run}, settings);
    WalkStep walk = WalkStepOf(gait), plainWalk = WalkStepOf(plain);
    double largest = 0.0;
    for (const TickRecord& record : run.records) {
      ASSERT_EQ(walk.step({40, -100}).angles, record.angles) << variants;
      const JointAngles other = plainWalk.step({40, -100}).angles;
      for (int j = 0; j < kJointCount; ++j) {
        largest = std::max(largest, std::fabs(other[j] - record.angles[j]));
      }
    }
    EXPECT_GT(largest, 0.01) << variants;
    walk.restart();
    EXPECT_EQ(MjcfGaitOf(gait, {}).standing, walk.step({0, 0}).angles) << variants;
  }
}

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

// A random servo set-up: calibration, angle limits, pulse range, speed
// limit, for some of the joints.
GaitSettings RandomServos(std::mt19937& random) {
  const auto uniform = [&random](double low, double high) {
    return std::uniform_real_distribution<double>(low, high)(random);
  };
  const auto chance = [&random](double p) { return std::bernoulli_distribution(p)(random); };
  GaitSettings gait = DefaultGaitSettings();
  gait.tickPeriodMs = uniform(1.0, 1000.0);
  gait.slewLimit = chance(0.5);
  for (int joint = 0; joint < kJointCount; ++joint) {
    JointServo& servo = gait.robot.joints[joint];
    if (chance(0.3)) continue;
    servo.channel = joint;
    servo.zero = uniform(-1.0, 1.0);
    servo.direction = chance(0.5) ? 1 : -1;
    servo.centerUs = uniform(1000.0, 2000.0);
    servo.usPerRad = uniform(100.0, 5000.0);
    servo.minUs = uniform(400.0, 1400.0);
    servo.maxUs = servo.minUs + uniform(100.0, 1600.0);
    if (chance(0.6)) servo.lower = uniform(-3.0, 2.0);
    if (chance(0.6)) servo.upper = servo.lower.value_or(-3.0) + uniform(0.05, 3.0);
    if (chance(0.5)) servo.maxSpeed = uniform(0.5, 20.0);
    // A range that no pulse of the pulse range reaches is refused at load.
    if (!UnreachableRange(servo).empty()) servo.lower.reset(), servo.upper.reset();
  }
  return gait;
}

// Over random gait files' servos, sliders and schedules, no written pulse leaves its
// pulse range, nor the pulses of its angle limits where those lie within
// it, and with the slew limit on no pulse moves faster than max_speed.
TEST(ServoOutputTest, NoPulseLeavesItsRange) {
  std::mt19937 random(20261208);
  for (int trial = 0; trial < 40; ++trial) {
    // Read as a gait file, as a user's would be.
    const GaitSettings gait = ParseGaitFile(GaitFileText(RandomServos(random)), "random.yaml");
    std::uniform_int_distribution<int> turn(kTurnMin, kTurnMax), step(kStepMin, kStepMax);
    const Schedule schedule = {{40, turn(random), step(random)}, {90, turn(random), step(random)}};
    std::FILE* file = std::tmpfile();
    ASSERT_NE(file, nullptr);
    OutputBuffer buffer(file, "rows");
    ServoTable table(buffer, gait);
    RunSettings settings;
    settings.walk = WalkStepOf(gait);
    RunGait(150, {turn(random), step(random)}, schedule, {&table}, settings);
    buffer.flush();
    const std::string text = ReadBack(file);
    std::fclose(file);

    std::vector<const JointServo*> channels;
    for (const JointServo& servo : gait.robot.joints) {
      if (servo.channel) channels.push_back(&servo);
    }
    std::istringstream rows(text);
    std::string row;
    std::getline(rows, row);  // the header
    std::vector<double> previous;
    while (std::getline(rows, row)) {
      std::istringstream fields(row);
      std::string field;
      std::getline(fields, field, ',');
      std::getline(fields, field, ',');
      std::vector<double> pulses;
      while (std::getline(fields, field, ',')) pulses.push_back(std::stod(field));
      ASSERT_EQ(pulses.size(), channels.size()) << row;
      for (std::size_t i = 0; i < pulses.size(); ++i) {
        const JointServo& servo = *channels[i];
        const double p = pulses[i];
        ASSERT_GE(p, servo.minUs) << "trial " << trial << ": " << row;
        ASSERT_LE(p, servo.maxUs) << "trial " << trial << ": " << row;
        const double a = PulseUs(servo, servo.lower.value_or(-INFINITY));
        const double b = PulseUs(servo, servo.upper.value_or(INFINITY));
        const double low = std::max(std::min(a, b), servo.minUs);
        const double high = std::min(std::max(a, b), servo.maxUs);
        if (std::ceil(low) <= std::floor(high)) {
          ASSERT_GE(p, low) << "trial " << trial << ": " << row;
          ASSERT_LE(p, high) << "trial " << trial << ": " << row;
        }
        if (gait.slewLimit && servo.maxSpeed && !previous.empty()) {
          const double slew = *servo.maxSpeed * gait.tickSeconds() * servo.usPerRad;
          ASSERT_LE(std::fabs(p - previous[i]), slew + 1.0) << "trial " << trial << ": " << row;
        }
      }
      previous = pulses;
    }
  }
}

}  // namespace
}  // namespace trotix
