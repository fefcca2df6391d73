// A schedule of slider positions: CSV rows "tick,turn,step", each holding
// from its tick on. Ticks strictly increase from row to row, so every tick
// has one unambiguous setting. The first non-comment line may be a header
// naming tick, turn and step in any order and case, which then gives the
// order of the columns; a header may name time_s instead of tick, and the
// rows then hold from the first tick at or after that time. '#' starts a
// comment that runs to the line's end; blank lines are skipped; spaces and
// double quotes around fields, empty columns after the third, whole numbers
// written as -100.0 or 1e2, and Windows line ends are accepted. When the
// first line separates its fields with ';', every line does, and the
// decimal mark is a comma: "0;-100,0;5".
#ifndef TROTIX_GAITLAB_SCHEDULE_H_
#define TROTIX_GAITLAB_SCHEDULE_H_

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "gaitlab/run/WalkStep.h"  // SliderPositions, kTickPeriodMs

namespace trotix {

// The longest run, in ticks; schedule rows must come before its end.
constexpr std::int64_t kMaxTicks = 1'000'000'000;

struct ScheduleEntry {
  std::int64_t tick = 0;
  int turn = 0;
  int step = 0;
};

using Schedule = std::vector<ScheduleEntry>;

// The slider positions tick by tick: `start` until the first row, then each
// row's values from its tick on. With `rampTicks` above 1 the sliders move
// there in a straight line of whole positions, reaching the row's values at
// tick row.tick + rampTicks - 1; a row that comes mid-way starts a new line
// from where the sliders stand.
class SliderTrack {
 public:
  SliderTrack(SliderPositions start, const Schedule& schedule, std::int64_t rampTicks = 0);
  // The positions of the next tick, from tick 0 on.
  SliderPositions next();

 private:
  const Schedule& schedule_;
  std::int64_t rampTicks_;
  std::size_t nextRow_ = 0;
  std::int64_t tick_ = 0;
  std::int64_t rampStart_ = 0;
  SliderPositions now_, from_, to_;
};

// Larger schedule files are refused rather than read.
constexpr std::size_t kMaxScheduleBytes = 16 * 1024 * 1024;

// Parses schedule text. `name` starts every error message, which then gives
// the line number: "steps.csv:4: turn 95 is out of range -80 to 80".
// `tickPeriodMs` turns the times of a time_s column into ticks.
Schedule ParseSchedule(std::string_view text, const std::string& name,
                       double tickPeriodMs = kTickPeriodMs);

// Reads and parses the file at `path`; throws InputError if it is missing,
// unreadable, too large or malformed.
Schedule LoadSchedule(const std::string& path, double tickPeriodMs = kTickPeriodMs);

}  // namespace trotix

#endif  // TROTIX_GAITLAB_SCHEDULE_H_
