// A schedule of slider positions: CSV rows "tick,turn,step", each holding
// from its tick on. Ticks strictly increase from row to row, so every tick
// has one unambiguous setting. The first non-comment line may be the header
// "tick,turn,step"; blank lines and lines starting with '#' are skipped;
// spaces around fields and Windows line ends are accepted.
#ifndef TROTIX_TOOLS_SCHEDULE_H_
#define TROTIX_TOOLS_SCHEDULE_H_

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace trotix {

struct ScheduleEntry {
  std::int64_t tick = 0;
  int turn = 0;
  int step = 0;
};

using Schedule = std::vector<ScheduleEntry>;

// Larger schedule files are refused rather than read.
constexpr std::size_t kMaxScheduleBytes = 16 * 1024 * 1024;

// Parses schedule text. `name` starts every error message, which then gives
// the line number: "steps.csv:4: turn 95 is out of range -80 to 80".
Schedule ParseSchedule(std::string_view text, const std::string& name);

// Reads and parses the file at `path`; throws InputError if it is missing,
// unreadable, too large or malformed.
Schedule LoadSchedule(const std::string& path);

}  // namespace trotix

#endif  // TROTIX_TOOLS_SCHEDULE_H_
