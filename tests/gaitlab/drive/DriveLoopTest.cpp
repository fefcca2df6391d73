// The drive in process, on a bus that records what it is sent and an input
// that presses keys at given ticks; a 5 ms tick keeps the runs short.
#include <gtest/gtest.h>

#include <atomic>
#include <cmath>
#include <cstdlib>
#include <new>
#include <string>
#include <vector>

#include "gaitlab/drive/DriveLoop.h"
#include "gaitlab/drive/SoftStart.h"
#include "gaitlab/run/GaitSettings.h"
#include "testing/bus/CallRecordingBus.h"

// Every allocation of this test program, counted.
std::atomic<long> allocations{0};

void* operator new(std::size_t size) {
  ++allocations;
  if (void* memory = std::malloc(size == 0 ? 1 : size)) return memory;
  throw std::bad_alloc();
}
// The nothrow form too (std::stable_sort's buffer uses it), or a sanitizer's
// own would allocate what these release.
void* operator new(std::size_t size, const std::nothrow_t&) noexcept {
  ++allocations;
  return std::malloc(size == 0 ? 1 : size);
}
void operator delete(void* memory) noexcept { std::free(memory); }
void operator delete(void* memory, std::size_t) noexcept { std::free(memory); }
void operator delete(void* memory, const std::nothrow_t&) noexcept { std::free(memory); }

namespace trotix {
namespace {

GaitSettings Robot(double periodMs, std::optional<double> maxSpeed, double kneeZero) {
  GaitSettings gait = DefaultGaitSettings();
  gait.tickPeriodMs = periodMs;
  gait.slewLimit = true;
  for (int joint = 0; joint < kJointCount; ++joint) {
    gait.robot.joints[joint].channel = joint;
    gait.robot.joints[joint].maxSpeed = maxSpeed;
    if (joint % 3 == 2) gait.robot.joints[joint].zero = kneeZero;
  }
  return gait;
}

// Presses a key when the drive has sent `at` frames.
class ScriptedInput : public DriveInput, public DriveObserver {
 public:
  struct Press {
    std::int64_t at;
    char key;  // 's' e-stop, 'a' arm, 'q' quit
  };
  explicit ScriptedInput(std::vector<Press> presses) : presses_(std::move(presses)) {
    ticks.reserve(100000);
    allocated.reserve(100000);
  }
  void poll(DriveControls& controls) override {
    while (next_ < presses_.size() && presses_[next_].at == objects_) {
      const char key = presses_[next_++].key;
      controls.stop = controls.stop || key == 's';
      controls.arm = controls.arm || key == 'a';
      controls.quit = controls.quit || key == 'q';
    }
  }
  void tick(const DriveTick& tick) override {
    objects_ = tick.tick + 1;
    ticks.push_back(tick);
    allocated.push_back(allocations);
  }
  std::vector<DriveTick> ticks;
  std::vector<long> allocated;  // allocations so far, at each object

 private:
  std::vector<Press> presses_;
  std::size_t next_ = 0;
  std::int64_t objects_ = 0;  // objects seen so far
};

// Runs of writes as "w...".
std::string Shortened(const std::string& calls) {
  std::string out;
  for (std::size_t i = 0; i < calls.size(); ++i) {
    out += calls[i];
    if (calls[i] != 'w' || i + 1 == calls.size() || calls[i + 1] != 'w') continue;
    out += "...";
    while (i + 1 < calls.size() && calls[i + 1] == 'w') ++i;
  }
  return out;
}

TEST(DriveLoopTest, EveryWayOutEndsWithTheTorqueOff) {
  const GaitSettings gait = Robot(5.0, 5.0, 1.6);
  const std::int64_t soft = SoftStart(ServoFrames(gait), ServoFrames(gait).restPulses(),
                                      ServoFrames(gait).ofPulses({}, 0), gait.tickPeriodMs)
                                .ticks();
  ASSERT_GE(soft, 400);  // two seconds of 5 ms
  const struct {
    const char* name;
    std::int64_t walkTicks;
    std::vector<ScriptedInput::Press> presses;
    std::int64_t faultAt;
    DriveEnd end;
    std::string calls;  // runs of w shortened to "w..."
  } kCases[] = {
      {"ticks", 3, {}, -1, DriveEnd::kTicksDone, "aw...o"},
      {"quit", -1, {{5, 'q'}}, -1, DriveEnd::kQuit, "aw...o"},
      {"bus fault", -1, {}, 7, DriveEnd::kBusFault, "aw...o"},
      // The e-stop latches: nothing is sent until armed again.
      {"e-stop", 2, {{4, 's'}, {5, 'a'}}, -1, DriveEnd::kTicksDone, "aw...oaw...o"},
  };
  for (const auto& c : kCases) {
    CallRecordingBus bus;
    bus.faultAt = c.faultAt;
    ScriptedInput input(c.presses);
    ServoFrames servos(gait);
    DriveSettings settings;
    settings.walkTicks = c.walkTicks;
    settings.armAtStart = true;
    settings.lateStopPeriods = 1000;  // a loaded machine wakes 5 ms ticks late
    const DriveOutcome outcome = RunDrive(WalkStepOf(gait), servos, bus, input, {&input}, settings);
    EXPECT_EQ(outcome.end, c.end) << c.name;
    EXPECT_EQ(Shortened(bus.calls), c.calls) << c.name << ": " << bus.calls.size() << " calls";
    // One object per tick sent and one per stop, counted without gaps.
    for (std::size_t i = 0; i < input.ticks.size(); ++i) {
      EXPECT_EQ(input.ticks[i].tick, static_cast<std::int64_t>(i)) << c.name;
    }
    ASSERT_FALSE(input.ticks.empty()) << c.name;
    EXPECT_TRUE(input.ticks.back().stopped) << c.name;
    // Once started, the loop allocates nothing, the soft start's and the
    // walk's ticks alike.
    if (c.end == DriveEnd::kTicksDone && input.ticks.size() > 3) {
      EXPECT_EQ(input.allocated[input.allocated.size() - 2], input.allocated[1]) << c.name;
    }
  }
}

// Arming a slow bus (reading its servos back, turning their torque on)
// takes several tick periods once; the first tick after it is not late.
TEST(DriveLoopTest, ASlowArmDoesNotMakeTheFirstTickLate) {
  const GaitSettings gait = Robot(33.0, 50.0, 1.6);
  CallRecordingBus bus;
  bus.armTakes = std::chrono::milliseconds(250);
  ScriptedInput input({});
  ServoFrames servos(gait);
  DriveSettings settings;
  settings.walkTicks = 1;
  settings.armAtStart = true;
  const DriveOutcome outcome = RunDrive(WalkStepOf(gait), servos, bus, input, {&input}, settings);
  EXPECT_EQ(outcome.end, DriveEnd::kTicksDone) << Shortened(bus.calls);
}

// From a rest pose far from the walk, the soft start lasts two seconds or
// longer and no pulse ever moves faster than its joint's max_speed.
TEST(SoftStartTest, KeepsToEveryJointsSpeedForTwoSecondsAtLeast) {
  const struct {
    std::optional<double> maxSpeed;
    double kneeZero;  // the rest pose's knees, far from the walk's 1.6 to 2.2
    std::int64_t fewestTicks;
  } kCases[] = {{std::nullopt, 0.0, 61}, {5.0, 0.0, 61}, {1.0, -0.5, 61}, {0.3, -1.0, 150}};
  for (const auto& c : kCases) {
    const GaitSettings gait = Robot(33.0, c.maxSpeed, c.kneeZero);
    ServoFrames servos(gait);
    WalkStep walk = WalkStepOf(gait);
    bool limited = false;
    const BusFrame first = servos.limit(walk.step({0, -100}).angles, 0, limited);
    const SoftStart soft(servos, servos.restPulses(), first, gait.tickPeriodMs);
    EXPECT_GE(soft.ticks(), c.fewestTicks) << c.kneeZero;
    BusFrame previous = soft.frame(0, 0);
    for (int i = 0; i < servos.count(); ++i) {
      EXPECT_EQ(previous.servos[i].pulseUs, std::llround(servos.restPulses()[i]));
    }
    for (std::int64_t row = 1; row <= soft.ticks(); ++row) {
      const BusFrame frame = row < soft.ticks() ? soft.frame(row, row) : first;
      for (int i = 0; i < servos.count(); ++i) {
        const double moved = std::abs(frame.servos[i].pulseUs - previous.servos[i].pulseUs);
        EXPECT_LE(moved, servos.slewUs(i)) << "row " << row << " servo " << i;
      }
      previous = frame;
    }
  }
}

}  // namespace
}  // namespace trotix
