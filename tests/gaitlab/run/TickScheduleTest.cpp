#include "gaitlab/run/TickSchedule.h"

#include <gtest/gtest.h>

namespace trotix {
namespace {

using std::chrono::microseconds;
using std::chrono::milliseconds;

class TickScheduleTest : public ::testing::Test {
 protected:
  TickSchedule schedule{milliseconds(33)};
  TickSchedule::Clock::time_point t0{};
};

TEST_F(TickScheduleTest, HandlingTimeDoesNotStretchThePeriod) {
  EXPECT_EQ(schedule.start(t0), milliseconds(33));
  // Handled 5 ms late: the next tick stays on the grid, 61 ms later.
  EXPECT_EQ(schedule.next(t0 + milliseconds(38)), milliseconds(28));
  // Handled on time at 66 ms.
  EXPECT_EQ(schedule.next(t0 + milliseconds(66)), milliseconds(33));
  // A fraction of a millisecond is rounded up, never down to an early tick.
  EXPECT_EQ(schedule.next(t0 + milliseconds(99) + microseconds(400)), milliseconds(33));
}

TEST_F(TickScheduleTest, AWholePeriodBehindRestartsTheGridInsteadOfCatchingUp) {
  schedule.start(t0);
  // Due at 33 ms, handled at 80: the 66 ms tick is already past.
  EXPECT_EQ(schedule.next(t0 + milliseconds(80)), milliseconds(33));
  EXPECT_EQ(schedule.next(t0 + milliseconds(113)), milliseconds(33));
  // Exactly on the next due time counts as behind too: never a 0 ms wait.
  EXPECT_EQ(schedule.next(t0 + milliseconds(179)), milliseconds(33));
}

// A gait file's period need not be whole milliseconds: the grid keeps the
// exact period, and each delay is rounded up.
TEST_F(TickScheduleTest, AFractionalPeriodKeepsItsGridWithoutDrift) {
  TickSchedule fractional = TickSchedule::OfMilliseconds(12.5);
  EXPECT_EQ(fractional.start(t0), milliseconds(13));
  for (int tick = 1; tick < 8; ++tick) fractional.next(t0 + microseconds(12500 * tick + 300));
  EXPECT_EQ(fractional.due(), t0 + milliseconds(100));
}

}  // namespace
}  // namespace trotix
