// On a terminal, one status line on standard error, redrawn a few times a
// second: the phase, the tick, the sliders, the wake lateness and the keys.
// Every field has a fixed width, so that a carriage return and the new line
// cover the old one on any console.
#ifndef TROTIX_GAITLAB_DRIVE_STATUSLINE_H_
#define TROTIX_GAITLAB_DRIVE_STATUSLINE_H_

#include <cstdint>

#include "gaitlab/drive/DriveTick.h"

namespace trotix {

class StatusLine : public DriveObserver {
 public:
  void tick(const DriveTick& tick) override;
  // Ends the line, so that what follows starts on a line of its own.
  void finish();

 private:
  std::int64_t worstLateUs_ = 0;
  bool shown_ = false;
};

}  // namespace trotix

#endif  // TROTIX_GAITLAB_DRIVE_STATUSLINE_H_
