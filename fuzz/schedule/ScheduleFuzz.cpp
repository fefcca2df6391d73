// Feeds arbitrary text to the schedule parser. A refusal must be a one-line
// message; an accepted schedule must hold rows in range with rising ticks,
// which the sliders then follow along a short ramp.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "fuzz/OneLineMessage.h"
#include "gaitlab/io/InputError.h"
#include "gaitlab/run/Schedule.h"
#include "trotix/SliderMapping.h"

namespace {

bool InRange(const trotix::ScheduleEntry& row) {
  return row.tick >= 0 && row.tick < trotix::kMaxTicks && row.turn >= trotix::kTurnMin &&
         row.turn <= trotix::kTurnMax && row.step >= trotix::kStepMin &&
         row.step <= trotix::kStepMax;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size > trotix::kMaxScheduleBytes) return 0;  // refused before it is parsed
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  trotix::Schedule schedule;
  try {
    schedule = trotix::ParseSchedule(text, "fuzz.csv");
  } catch (const trotix::InputError& error) {
    trotix::CheckOneLineMessage(error.what());
    return 0;
  }
  if (schedule.empty()) std::abort();
  for (std::size_t row = 0; row < schedule.size(); ++row) {
    if (!InRange(schedule[row])) std::abort();
    if (row > 0 && schedule[row].tick <= schedule[row - 1].tick) std::abort();
  }
  trotix::SliderTrack track({0, 0}, schedule, 7);
  for (int tick = 0; tick < 64; ++tick) {
    const trotix::SliderPositions now = track.next();
    if (!InRange({0, now.turn, now.step})) std::abort();
  }
  return 0;
}
