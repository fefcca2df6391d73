#include "gaitlab/tables/ServoTable.h"

#include <algorithm>
#include <cmath>

#include "gaitlab/io/InputError.h"
#include "gaitlab/io/NumberText.h"

namespace trotix {

ServoTable::ServoTable(OutputBuffer& out, const GaitSettings& settings) : out_(out) {
  layout_.tickPeriodMs = settings.tickPeriodMs;
  for (int joint = 0; joint < kJointCount; ++joint) {
    if (settings.joints[joint].channel) channels_.push_back({joint, settings.joints[joint]});
  }
  if (channels_.empty()) {
    throw InputError(
        "--format servo: no joint has a channel (give them in the gait file's joints)");
  }
  std::sort(channels_.begin(), channels_.end(),
            [](const Channel& a, const Channel& b) { return *a.servo.channel < *b.servo.channel; });
  std::string header = "tick,time_s";
  for (const Channel& channel : channels_) {
    header += ",ch" + std::to_string(*channel.servo.channel) + "_us";
  }
  out_.append(header + "\n");
}

void ServoTable::addTick(const TickRecord& record) {
  char* p = out_.reserve(kMaxRowChars);
  p = WriteInteger(p, record.tick);
  *p++ = ',';
  p = WriteDouble(p, layout_.seconds(record.tick));
  for (const Channel& channel : channels_) {
    *p++ = ',';
    p = WriteInteger(p, std::llround(channel.servo.pulseUs(record.angles[channel.joint])));
  }
  *p++ = '\n';
  out_.commit(p);
}

}  // namespace trotix
