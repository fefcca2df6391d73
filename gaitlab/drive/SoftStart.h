// The way from where the servos stand (the positions read back, or the
// rest pose: every joint at its zero, its centre pulse) to the walk's first
// frame, in a straight line over at least two seconds, and slower still
// where a joint's max_speed asks it: no pulse changes by more than the
// joint allows in a tick, rounding included.
#ifndef TROTIX_GAITLAB_DRIVE_SOFTSTART_H_
#define TROTIX_GAITLAB_DRIVE_SOFTSTART_H_

#include <cstdint>

#include "gaitlab/drive/ServoFrames.h"

namespace trotix {

// The shortest soft start.
constexpr double kSoftStartMinSeconds = 2.0;

class SoftStart {
 public:
  SoftStart(const ServoFrames& servos, const ChannelPulses& from, const BusFrame& to,
            double tickPeriodMs);

  std::int64_t ticks() const { return ticks_; }
  // Row `row`, 0 to ticks() - 1; row 0 stands at `from`, and the walk's
  // first frame follows the last row one step on.
  BusFrame frame(std::int64_t row, std::int64_t tick) const;

 private:
  const ServoFrames& servos_;
  ChannelPulses from_{}, to_{};
  std::int64_t ticks_ = 0;
};

}  // namespace trotix

#endif  // TROTIX_GAITLAB_DRIVE_SOFTSTART_H_
