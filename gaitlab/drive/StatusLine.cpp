#include "gaitlab/drive/StatusLine.h"

#include <algorithm>
#include <cstdio>

namespace trotix {

void StatusLine::tick(const DriveTick& tick) {
  worstLateUs_ = std::max(worstLateUs_, tick.lateUs);
  if (tick.tick % 8 != 0 && !tick.stopped) return;
  const char* phase = tick.stopped ? "STOPPED" : tick.softStart ? "soft start" : "walking";
  char line[200];
  const int size = std::snprintf(
      line, sizeof line,
      "\r%-10s tick %-8lld turn %4d step %4d late %7.2f ms (worst %7.2f)%-8s  a arm, space "
      "stop, q quit",
      phase, static_cast<long long>(tick.tick), tick.sliders.turn, tick.sliders.step,
      static_cast<double>(tick.lateUs) / 1000.0, static_cast<double>(worstLateUs_) / 1000.0,
      tick.limited ? " LIMITED" : "");
  if (size > 0) {
    std::fwrite(line, 1, std::min<std::size_t>(size, sizeof line - 1), stderr);
    shown_ = true;
  }
}

void StatusLine::finish() {
  if (!shown_) return;
  std::fputc('\n', stderr);
  shown_ = false;
}

}  // namespace trotix
