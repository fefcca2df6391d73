// What the drive did in one tick, for the telemetry and the status line.
#ifndef TROTIX_GAITLAB_DRIVE_DRIVETICK_H_
#define TROTIX_GAITLAB_DRIVE_DRIVETICK_H_

#include <cstdint>

#include "gaitlab/bus/ServoBus.h"
#include "gaitlab/run/WalkStep.h"  // SliderPositions

namespace trotix {

struct DriveTick {
  std::int64_t tick = 0;    // every object counts, from 0, without gaps
  std::int64_t lateUs = 0;  // how late the tick woke
  SliderPositions sliders;
  const BusFrame* sent = nullptr;         // none on the stop's object
  const BusReadback* readback = nullptr;  // the positions last read, if any
  bool armed = false;
  bool softStart = false;
  bool limited = false;  // a pulse sent was limited
  bool stopped = false;  // the last object: the torque went off
  const char* why = "";  // with stopped: "ticks", "quit", "e-stop", "signal", ...
};

class DriveObserver {
 public:
  virtual ~DriveObserver() = default;
  virtual void tick(const DriveTick& tick) = 0;
};

}  // namespace trotix

#endif  // TROTIX_GAITLAB_DRIVE_DRIVETICK_H_
