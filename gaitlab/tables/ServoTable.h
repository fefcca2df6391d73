// Writes what a servo controller needs, one CSV row per tick: tick, time_s
// and the pulse width of each calibrated channel in whole microseconds,
// channels in increasing order ("tick,time_s,ch0_us,ch2_us,..."). Each
// pulse is kept within its joint's range (see ServoLimiter).
#ifndef TROTIX_GAITLAB_SERVOTABLE_H_
#define TROTIX_GAITLAB_SERVOTABLE_H_

#include <array>
#include <string>
#include <vector>

#include "gaitlab/io/OutputBuffer.h"
#include "gaitlab/run/GaitRun.h"
#include "gaitlab/run/GaitSettings.h"
#include "gaitlab/servo/ServoLimiter.h"
#include "gaitlab/tables/TableColumns.h"

namespace trotix {

// The joints that have a channel, in increasing channel order.
std::vector<int> ChannelJoints(const GaitSettings& settings);

class ServoTable : public TickSink {
 public:
  // Throws InputError when no joint has a channel. Writes the header at once.
  // Throws InputError naming the table as `what` when no joint has a channel.
  ServoTable(OutputBuffer& out, const GaitSettings& settings,
             const std::string& what = "servo table");
  void addTick(const TickRecord& record) override;

  // One line per joint whose pulses were limited, with the count of each
  // limit that decided, e.g. "leg0_knee (channel 0): 37 of 100 pulses
  // limited: 30 by lower/upper (500 to 1000 us), 7 by max_speed (12.7 us per
  // tick)".
  std::vector<std::string> limitWarnings() const;

 private:
  struct Channel {
    int joint;
    int number;
    ServoLimiter limiter;
    std::int64_t limitedTicks = 0;
    std::array<std::int64_t, kLimitCauses> ticksByCause{};
  };

  OutputBuffer& out_;
  TableLayout layout_;
  std::vector<Channel> channels_;
  std::int64_t ticks_ = 0;
};

}  // namespace trotix

#endif  // TROTIX_GAITLAB_SERVOTABLE_H_
