#include "gaitlab/tables/ServoTable.h"

#include <algorithm>

#include "gaitlab/io/InputError.h"
#include "gaitlab/io/NumberText.h"

namespace trotix {

std::vector<int> ChannelJoints(const GaitSettings& settings) {
  std::vector<int> joints;
  for (int joint = 0; joint < kJointCount; ++joint) {
    if (settings.joints[joint].channel) joints.push_back(joint);
  }
  std::stable_sort(joints.begin(), joints.end(), [&](int a, int b) {
    return *settings.joints[a].channel < *settings.joints[b].channel;
  });
  return joints;
}

ServoTable::ServoTable(OutputBuffer& out, const GaitSettings& settings) : out_(out) {
  layout_.tickPeriodMs = settings.tickPeriodMs;
  for (const int joint : ChannelJoints(settings))
    channels_.push_back({joint, settings.joints[joint]});
  if (channels_.empty()) {
    throw InputError(
        "--format servo: no joint has a channel (give them in the gait file's joints)");
  }
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
    p = WriteInteger(p, PulseMicroseconds(channel.servo, record.angles[channel.joint]));
  }
  *p++ = '\n';
  out_.commit(p);
}

}  // namespace trotix
