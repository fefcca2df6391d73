// The servos a drive sends to, in increasing channel order, and how a
// tick's joint angles become the values sent: each pulse limited by the
// gait lab's ServoLimiter to the joint's range, its pulse range and, always
// here, its max_speed from one tick to the next.
#ifndef TROTIX_GAITLAB_DRIVE_SERVOFRAMES_H_
#define TROTIX_GAITLAB_DRIVE_SERVOFRAMES_H_

#include <array>
#include <vector>

#include "gaitlab/bus/ServoBus.h"
#include "gaitlab/run/GaitSettings.h"
#include "gaitlab/servo/ServoLimiter.h"

namespace trotix {

// Pulses per channel, in the frame's order.
using ChannelPulses = std::array<double, kJointCount>;

class ServoFrames {
 public:
  // Throws InputError when no joint has a channel.
  explicit ServoFrames(const GaitSettings& gait);

  // Fresh limiters, as a walk starts from its first tick.
  void restart();
  // The frame of one walk tick; `limited` tells whether any pulse was.
  BusFrame limit(const JointAngles& angles, std::int64_t tick, bool& limited);
  // A frame of pulses already within every limit, rounded.
  BusFrame ofPulses(const ChannelPulses& pulses, std::int64_t tick) const;

  int count() const { return static_cast<int>(servos_.size()); }
  // Each servo's pulse at its zero (centre_us), within its limits.
  ChannelPulses restPulses() const;
  // The pulses of the positions a bus read back, within the limits.
  ChannelPulses readPulses(const BusReadback& readback) const;
  // The largest pulse change per tick the servo's max_speed allows;
  // infinite without one.
  double slewUs(int index) const { return servos_[index].slewUs; }

 private:
  struct Servo {
    int joint;
    int channel;
    JointServo calibration;
    ServoLimiter limiter;
    double slewUs;
  };

  double withinLimits(int index, double pulse) const;

  std::vector<Servo> servos_;
  double tickSeconds_;
};

}  // namespace trotix

#endif  // TROTIX_GAITLAB_DRIVE_SERVOFRAMES_H_
