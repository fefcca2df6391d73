#include "gaitlab/drive/StatusLine.h"

#include <unistd.h>

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
      "\r%-10s tick %-8lld turn %4d step %4d late %5.2f ms (worst %.2f)%s  a arm, space stop, "
      "q quit\x1b[K",
      phase, static_cast<long long>(tick.tick), tick.sliders.turn, tick.sliders.step,
      static_cast<double>(tick.lateUs) / 1000.0, static_cast<double>(worstLateUs_) / 1000.0,
      tick.limited ? " LIMITED" : "");
  if (size > 0) {
    const ssize_t ignored = ::write(2, line, std::min<std::size_t>(size, sizeof line - 1));
    (void)ignored;
    shown_ = true;
  }
}

void StatusLine::finish() {
  if (!shown_) return;
  const ssize_t ignored = ::write(2, "\n", 1);
  (void)ignored;
  shown_ = false;
}

}  // namespace trotix
