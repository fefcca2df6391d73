#include "gaitlab/gait/Schedule.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <cmath>
#include <optional>

#include "gaitlab/io/InputError.h"
#include "gaitlab/io/InputFile.h"
#include "gaitlab/io/IntegerText.h"
#include "trotix/SliderMapping.h"

namespace trotix {
namespace {

std::string_view Trim(std::string_view text) {
  const std::size_t first = text.find_first_not_of(" \t\r");
  if (first == std::string_view::npos) return {};
  const std::size_t last = text.find_last_not_of(" \t\r");
  return text.substr(first, last - first + 1);
}

// The three fields of a row or header. The commas are counted first, so
// that a long line of them costs no memory.
using RowFields = std::array<std::string_view, 3>;
RowFields SplitFields(std::string_view line, const std::string& where) {
  const std::size_t count = std::count(line.begin(), line.end(), ',') + 1;
  if (count != 3) {
    throw InputError(where + ": expected 3 fields tick,turn,step but found " +
                     std::to_string(count));
  }
  RowFields fields;
  std::size_t start = 0;
  for (std::string_view& field : fields) {
    const std::size_t comma = line.find(',', start);
    field = Trim(line.substr(start, comma - start));
    start = comma + 1;
  }
  return fields;
}

// Where each of tick, turn and step stands in a row.
using ColumnOrder = std::array<std::size_t, 3>;
constexpr ColumnOrder kPlainOrder = {0, 1, 2};
constexpr const char* kColumnNames[3] = {"tick", "turn", "step"};

bool SameName(std::string_view field, std::string_view name) {
  return field.size() == name.size() &&
         std::equal(field.begin(), field.end(), name.begin(), [](char a, char b) {
           return std::tolower(static_cast<unsigned char>(a)) == b;
         });
}

// A header names tick, turn and step once each, in any order and case.
std::optional<ColumnOrder> HeaderOrder(const RowFields& fields) {
  ColumnOrder order{};
  for (std::size_t column = 0; column < 3; ++column) {
    const auto found = std::find_if(fields.begin(), fields.end(), [&](std::string_view field) {
      return SameName(field, kColumnNames[column]);
    });
    if (found == fields.end()) return std::nullopt;
    order[column] = static_cast<std::size_t>(found - fields.begin());
  }
  return order;
}

ScheduleEntry ParseRow(const RowFields& fields, const ColumnOrder& order,
                       const std::string& where) {
  ScheduleEntry entry;
  entry.tick = ParseBoundedInteger(fields[order[0]], 0, kMaxTicks - 1, where + ": tick");
  entry.turn =
      static_cast<int>(ParseBoundedInteger(fields[order[1]], kTurnMin, kTurnMax, where + ": turn"));
  entry.step =
      static_cast<int>(ParseBoundedInteger(fields[order[2]], kStepMin, kStepMax, where + ": step"));
  return entry;
}

}  // namespace

SliderTrack::SliderTrack(SliderPositions start, const Schedule& schedule, std::int64_t rampTicks)
    : schedule_(schedule), rampTicks_(rampTicks), now_(start), from_(start), to_(start) {}

SliderPositions SliderTrack::next() {
  while (nextRow_ < schedule_.size() && schedule_[nextRow_].tick <= tick_) {
    from_ = now_;
    to_ = {schedule_[nextRow_].turn, schedule_[nextRow_].step};
    rampStart_ = schedule_[nextRow_].tick;
    ++nextRow_;
  }
  const std::int64_t done = tick_ - rampStart_ + 1;  // ticks of the ramp so far
  if (rampTicks_ <= 1 || done >= rampTicks_) {
    now_ = to_;
  } else {
    // Whole positions, as a slider has, on the straight line from `from_`.
    const double fraction = static_cast<double>(done) / static_cast<double>(rampTicks_);
    const auto along = [fraction](int from, int to) {
      return from + static_cast<int>(std::lround((to - from) * fraction));
    };
    now_ = {along(from_.turn, to_.turn), along(from_.step, to_.step)};
  }
  ++tick_;
  return now_;
}

Schedule ParseSchedule(std::string_view text, const std::string& name) {
  // Spreadsheets often begin a CSV export with a UTF-8 byte-order mark.
  constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";
  if (text.substr(0, kByteOrderMark.size()) == kByteOrderMark) {
    text.remove_prefix(kByteOrderMark.size());
  }
  Schedule schedule;
  bool headerAllowed = true;
  ColumnOrder order = kPlainOrder;
  std::size_t lineNumber = 0;
  std::size_t previousLine = 0;
  for (std::size_t start = 0; start < text.size();) {
    std::size_t end = text.find('\n', start);
    if (end == std::string_view::npos) end = text.size();
    std::string_view line = text.substr(start, end - start);
    line = Trim(line.substr(0, line.find('#')));  // a comment runs to the line's end
    start = end + 1;
    ++lineNumber;
    if (line.empty()) continue;
    const std::string where = name + ":" + std::to_string(lineNumber);
    const RowFields fields = SplitFields(line, where);
    const std::optional<ColumnOrder> header =
        headerAllowed ? HeaderOrder(fields) : std::optional<ColumnOrder>();
    headerAllowed = false;
    if (header) {
      order = *header;
      continue;
    }
    const ScheduleEntry entry = ParseRow(fields, order, where);
    if (!schedule.empty() && entry.tick <= schedule.back().tick) {
      throw InputError(where + ": tick " + std::to_string(entry.tick) +
                       " does not come after tick " + std::to_string(schedule.back().tick) +
                       " of line " + std::to_string(previousLine) + " (ticks must increase)");
    }
    schedule.push_back(entry);
    previousLine = lineNumber;
  }
  if (schedule.empty()) throw InputError(name + ": the schedule has no rows");
  return schedule;
}

Schedule LoadSchedule(const std::string& path) {
  return ParseSchedule(ReadInputFile(path, "--schedule", kMaxScheduleBytes), PrintableText(path));
}

}  // namespace trotix
