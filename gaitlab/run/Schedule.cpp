#include "gaitlab/run/Schedule.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <cmath>
#include <cstdio>
#include <cstring>
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

// A field without the spaces around it and the double quotes a spreadsheet
// may put around it.
std::string_view Unquote(std::string_view field) {
  field = Trim(field);
  if (field.size() >= 2 && field.front() == '"' && field.back() == '"') {
    field = Trim(field.substr(1, field.size() - 2));
  }
  return field;
}

// How the file writes its rows. Spreadsheets set to a language whose
// decimal mark is a comma separate fields with ';' instead.
struct Notation {
  char separator = ',';
  char decimalMark = '.';
};

// The separators of `line` outside double quotes, each passed to `visit`
// with its position.
template <typename Visit>
void ForEachSeparator(std::string_view line, char separator, Visit visit) {
  bool quoted = false;
  for (std::size_t i = 0; i < line.size(); ++i) {
    if (line[i] == '"') quoted = !quoted;
    if (line[i] == separator && !quoted) visit(i);
  }
}

Notation NotationOf(std::string_view firstLine) {
  bool semicolon = false;
  ForEachSeparator(firstLine, ';', [&](std::size_t) { semicolon = true; });
  return semicolon ? Notation{';', ','} : Notation{};
}

// The three fields of a row or header; empty fields after them, as
// spreadsheets write for unused columns, are dropped. The fields are
// counted first, so that a long line of separators costs no memory.
using RowFields = std::array<std::string_view, 3>;
RowFields SplitFields(std::string_view line, char separator, const std::string& where,
                      const char* columns) {
  std::size_t count = 1, filled = 0, start = 0;
  std::array<std::size_t, 4> ends{};  // where each of the first fields ends
  const auto endField = [&](std::size_t end) {
    if (count <= ends.size()) ends[count - 1] = end;
    if (!Unquote(line.substr(start, end - start)).empty()) filled = count;
    start = end + 1;
    ++count;
  };
  ForEachSeparator(line, separator, endField);
  endField(line.size());
  --count;
  const std::size_t used = filled == 0 ? count : filled;  // a line of separators stays as it is
  if (used != 3) {
    throw InputError(where + ": expected 3 fields " + columns + " but found " +
                     std::to_string(used));
  }
  return {Unquote(line.substr(0, ends[0])),
          Unquote(line.substr(ends[0] + 1, ends[1] - ends[0] - 1)),
          Unquote(line.substr(ends[1] + 1, ends[2] - ends[1] - 1))};
}

// Where each of tick (or time_s), turn and step stands in a row.
struct ColumnOrder {
  std::array<std::size_t, 3> index = {0, 1, 2};
  bool byTime = false;  // the first column is time_s, in seconds
};
constexpr const char* kColumnNames[] = {"tick", "turn", "step", "time_s"};

bool SameName(std::string_view field, std::string_view name) {
  return field.size() == name.size() &&
         std::equal(field.begin(), field.end(), name.begin(), [](char a, char b) {
           return std::tolower(static_cast<unsigned char>(a)) == b;
         });
}

// A first line none of whose fields starts like a number names the columns.
bool IsHeader(const RowFields& fields) {
  return std::none_of(fields.begin(), fields.end(), [](std::string_view field) {
    return !field.empty() && (std::isdigit(static_cast<unsigned char>(field[0])) ||
                              std::strchr("+-.,", field[0]) != nullptr);
  });
}

// A header names tick or time_s, turn and step once each, in any order and
// case.
ColumnOrder HeaderOrder(const RowFields& fields, const std::string& where) {
  ColumnOrder order;
  std::array<bool, 4> seen{};
  for (std::size_t field = 0; field < fields.size(); ++field) {
    const auto* name =
        std::find_if(std::begin(kColumnNames), std::end(kColumnNames),
                     [&](const char* known) { return SameName(fields[field], known); });
    if (name == std::end(kColumnNames)) {
      throw InputError(where + ": column " + QuoteForMessage(fields[field]) +
                       " is not one of tick (or time_s), turn, step");
    }
    const std::size_t column = static_cast<std::size_t>(name - std::begin(kColumnNames));
    if (seen[column] || (column % 3 == 0 && (seen[0] || seen[3]))) {
      throw InputError(where + ": column " + QuoteForMessage(fields[field]) +
                       " is named twice (give tick or time_s, turn and step once each)");
    }
    seen[column] = true;
    order.index[column % 3] = field;
    order.byTime |= column == 3;
  }
  return order;
}

// The first tick at or after `seconds`; times written from whole ticks, as
// the tables write them, give those ticks back.
std::int64_t TickAt(double seconds, double tickPeriodMs) {
  const double ticks = seconds * 1000.0 / tickPeriodMs;
  const double nearest = std::round(ticks);
  return static_cast<std::int64_t>(
      std::fabs(ticks - nearest) <= 1e-12 * std::max(1.0, ticks) ? nearest : std::ceil(ticks));
}

// " (time_s 0.01 with ticks of 33 ms)"
std::string TimeNote(std::string_view seconds, double tickPeriodMs) {
  char period[32];
  std::snprintf(period, sizeof period, "%g", tickPeriodMs);
  return " (time_s " + PrintableText(seconds) + " with ticks of " + period + " ms)";
}

ScheduleEntry ParseRow(const RowFields& fields, const ColumnOrder& order, const Notation& notation,
                       double tickPeriodMs, const std::string& where) {
  ScheduleEntry entry;
  const std::string_view first = fields[order.index[0]];
  if (order.byTime) {
    const double lastSecond = (kMaxTicks - 1) * tickPeriodMs / 1000.0;
    entry.tick = TickAt(ParseBoundedNumber(first, 0.0, lastSecond, where + ": time_s",
                                           "a number of seconds", notation.decimalMark),
                        tickPeriodMs);
  } else {
    entry.tick =
        ParseBoundedInteger(first, 0, kMaxTicks - 1, where + ": tick", notation.decimalMark);
  }
  entry.turn = static_cast<int>(ParseBoundedInteger(fields[order.index[1]], kTurnMin, kTurnMax,
                                                    where + ": turn", notation.decimalMark));
  entry.step = static_cast<int>(ParseBoundedInteger(fields[order.index[2]], kStepMin, kStepMax,
                                                    where + ": step", notation.decimalMark));
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

Schedule ParseSchedule(std::string_view text, const std::string& name, double tickPeriodMs) {
  // Spreadsheets often begin a CSV export with a UTF-8 byte-order mark.
  constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";
  if (text.substr(0, kByteOrderMark.size()) == kByteOrderMark) {
    text.remove_prefix(kByteOrderMark.size());
  }
  Schedule schedule;
  std::optional<Notation> notation;  // set by the first line
  ColumnOrder order;
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
    const bool first = !notation;
    if (first) notation = NotationOf(line);
    const RowFields fields = SplitFields(line, notation->separator, where,
                                         order.byTime ? "time_s,turn,step" : "tick,turn,step");
    if (first && IsHeader(fields)) {
      order = HeaderOrder(fields, where);
      continue;
    }
    const ScheduleEntry entry = ParseRow(fields, order, *notation, tickPeriodMs, where);
    if (!schedule.empty() && entry.tick <= schedule.back().tick) {
      throw InputError(where + ": tick " + std::to_string(entry.tick) +
                       (order.byTime ? TimeNote(fields[order.index[0]], tickPeriodMs) : "") +
                       " does not come after tick " + std::to_string(schedule.back().tick) +
                       " of line " + std::to_string(previousLine) + " (ticks must increase)");
    }
    schedule.push_back(entry);
    previousLine = lineNumber;
  }
  if (schedule.empty()) throw InputError(name + ": the schedule has no rows");
  return schedule;
}

Schedule LoadSchedule(const std::string& path, double tickPeriodMs) {
  return ParseSchedule(ReadInputFile(path, kMaxScheduleBytes), PrintableText(path), tickPeriodMs);
}

}  // namespace trotix
