// Writes what a servo controller needs, one CSV row per tick: tick, time_s
// and the pulse width of each calibrated channel in whole microseconds,
// channels in increasing order ("tick,time_s,ch0_us,ch2_us,...").
#ifndef TROTIX_GAITLAB_SERVOTABLE_H_
#define TROTIX_GAITLAB_SERVOTABLE_H_

#include <cmath>
#include <cstdint>
#include <vector>

#include "gaitlab/gait/GaitRun.h"
#include "gaitlab/gait/GaitSettings.h"
#include "gaitlab/io/OutputBuffer.h"
#include "gaitlab/tables/TableColumns.h"

namespace trotix {

// The joints that have a channel, in increasing channel order.
std::vector<int> ChannelJoints(const GaitSettings& settings);

// A joint's pulse width in whole microseconds, as the table writes it.
inline std::int64_t PulseMicroseconds(const JointServo& servo, double angle) {
  return std::llround(servo.pulseUs(angle));
}

class ServoTable : public TickSink {
 public:
  // Throws InputError when no joint has a channel. Writes the header at once.
  ServoTable(OutputBuffer& out, const GaitSettings& settings);
  void addTick(const TickRecord& record) override;

 private:
  struct Channel {
    int joint;
    JointServo servo;
  };

  OutputBuffer& out_;
  TableLayout layout_;
  std::vector<Channel> channels_;
};

}  // namespace trotix

#endif  // TROTIX_GAITLAB_SERVOTABLE_H_
