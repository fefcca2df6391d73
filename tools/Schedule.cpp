#include "tools/Schedule.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <memory>

#include "tools/GaitOptions.h"
#include "tools/InputError.h"
#include "tools/IntegerText.h"

namespace trotix {
namespace {

std::string_view Trim(std::string_view text) {
  const std::size_t first = text.find_first_not_of(" \t\r");
  if (first == std::string_view::npos) return {};
  const std::size_t last = text.find_last_not_of(" \t\r");
  return text.substr(first, last - first + 1);
}

std::vector<std::string_view> SplitFields(std::string_view line) {
  std::vector<std::string_view> fields;
  std::size_t start = 0;
  while (true) {
    const std::size_t comma = line.find(',', start);
    fields.push_back(Trim(line.substr(start, comma - start)));
    if (comma == std::string_view::npos) break;
    start = comma + 1;
  }
  return fields;
}

bool IsHeader(const std::vector<std::string_view>& fields) {
  return fields.size() == 3 && fields[0] == "tick" && fields[1] == "turn" && fields[2] == "step";
}

ScheduleEntry ParseRow(const std::vector<std::string_view>& fields, const std::string& where) {
  if (fields.size() != 3) {
    throw InputError(where + ": expected 3 fields tick,turn,step but found " +
                     std::to_string(fields.size()));
  }
  ScheduleEntry entry;
  entry.tick = ParseBoundedInteger(fields[0], 0, kMaxTicks - 1, where + ": tick");
  entry.turn =
      static_cast<int>(ParseBoundedInteger(fields[1], kTurnMin, kTurnMax, where + ": turn"));
  entry.step =
      static_cast<int>(ParseBoundedInteger(fields[2], kStepMin, kStepMax, where + ": step"));
  return entry;
}

}  // namespace

Schedule ParseSchedule(std::string_view text, const std::string& name) {
  // Spreadsheets often begin a CSV export with a UTF-8 byte-order mark.
  constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";
  if (text.substr(0, kByteOrderMark.size()) == kByteOrderMark) {
    text.remove_prefix(kByteOrderMark.size());
  }
  Schedule schedule;
  bool headerAllowed = true;
  std::size_t lineNumber = 0;
  std::size_t previousLine = 0;
  for (std::size_t start = 0; start < text.size();) {
    std::size_t end = text.find('\n', start);
    if (end == std::string_view::npos) end = text.size();
    const std::string_view line = Trim(text.substr(start, end - start));
    start = end + 1;
    ++lineNumber;
    if (line.empty() || line.front() == '#') continue;
    const auto fields = SplitFields(line);
    const bool header = headerAllowed && IsHeader(fields);
    headerAllowed = false;
    if (header) continue;
    const std::string where = name + ":" + std::to_string(lineNumber);
    const ScheduleEntry entry = ParseRow(fields, where);
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
  const std::string what = "--schedule: " + QuoteForMessage(path);
  std::unique_ptr<std::FILE, int (*)(std::FILE*)> file(std::fopen(path.c_str(), "rb"),
                                                       &std::fclose);
  if (!file) throw InputError(what + ": " + std::strerror(errno));
  std::string text;
  char chunk[65536];
  while (true) {
    const std::size_t got = std::fread(chunk, 1, sizeof chunk, file.get());
    text.append(chunk, got);
    if (text.size() > kMaxScheduleBytes) {
      throw InputError(what + ": larger than " + std::to_string(kMaxScheduleBytes >> 20) + " MiB");
    }
    if (got < sizeof chunk) break;
  }
  if (std::ferror(file.get())) throw InputError(what + ": " + std::strerror(errno));
  return ParseSchedule(text, PrintableText(path));
}

}  // namespace trotix
