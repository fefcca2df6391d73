#include "gaitlab/drive/SoftStart.h"

#include <algorithm>
#include <cmath>

namespace trotix {

SoftStart::SoftStart(const ServoFrames& servos, const ChannelPulses& from, const BusFrame& to,
                     double tickPeriodMs)
    : servos_(servos), from_(from) {
  // 61 ticks of 33 ms: the first whole tick count that lasts two seconds.
  ticks_ = static_cast<std::int64_t>(std::ceil(kSoftStartMinSeconds * 1000.0 / tickPeriodMs));
  for (int i = 0; i < servos.count(); ++i) {
    to_[i] = static_cast<double>(to.servos[i].pulseUs);
    const double slew = servos.slewUs(i);
    if (!std::isfinite(slew)) continue;
    // A rounded pulse may move half a microsecond further at either end.
    const double step = slew > 2.0 ? slew - 1.0 : slew / 2.0;
    const double distance = std::fabs(to_[i] - from_[i]);
    ticks_ = std::max(ticks_, static_cast<std::int64_t>(std::ceil(distance / step)));
  }
}

BusFrame SoftStart::frame(std::int64_t row, std::int64_t tick) const {
  ChannelPulses pulses{};
  const double share = static_cast<double>(row) / static_cast<double>(ticks_);
  for (int i = 0; i < servos_.count(); ++i) {
    pulses[i] = from_[i] + (to_[i] - from_[i]) * share;
  }
  return servos_.ofPulses(pulses, tick);
}

}  // namespace trotix
