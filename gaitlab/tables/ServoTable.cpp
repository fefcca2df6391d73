#include "gaitlab/tables/ServoTable.h"

#include <algorithm>

#include "gaitlab/io/InputError.h"
#include "gaitlab/io/NumberText.h"

namespace trotix {

std::vector<int> ChannelJoints(const GaitSettings& settings) {
  std::vector<int> joints;
  for (int joint = 0; joint < kJointCount; ++joint) {
    if (settings.robot.joints[joint].channel) joints.push_back(joint);
  }
  std::stable_sort(joints.begin(), joints.end(), [&](int a, int b) {
    return *settings.robot.joints[a].channel < *settings.robot.joints[b].channel;
  });
  return joints;
}

ServoTable::ServoTable(OutputBuffer& out, const GaitSettings& settings, const std::string& what)
    : out_(out) {
  layout_.tickPeriodMs = settings.tickPeriodMs;
  for (const int joint : ChannelJoints(settings)) {
    const JointServo& servo = settings.robot.joints[joint];
    channels_.push_back(
        {joint, *servo.channel, ServoLimiter(servo, settings.tickSeconds(), settings.slewLimit)});
  }
  if (channels_.empty()) {
    throw InputError(what + ": no joint has a channel (give them in the gait file's joints)");
  }
  std::string header = "tick,time_s";
  for (const Channel& channel : channels_) {
    header += ",ch" + std::to_string(channel.number) + "_us";
  }
  out_.append(header + "\n");
}

void ServoTable::addTick(const TickRecord& record) {
  char* p = out_.reserve(kMaxRowChars);
  p = WriteInteger(p, record.tick);
  *p++ = ',';
  p = WriteDouble(p, layout_.seconds(record.tick));
  for (Channel& channel : channels_) {
    *p++ = ',';
    p = WriteInteger(p, channel.limiter.pulse(record.angles[channel.joint]));
    channel.limitedTicks += channel.limiter.limited();
  }
  *p++ = '\n';
  out_.commit(p);
  ++ticks_;
}

std::vector<std::string> ServoTable::limitWarnings() const {
  std::vector<std::string> lines;
  for (const Channel& channel : channels_) {
    if (channel.limitedTicks == 0) continue;
    lines.push_back(JointName(channel.joint) + " (channel " + std::to_string(channel.number) +
                    "): " + std::to_string(channel.limitedTicks) + " of " + std::to_string(ticks_) +
                    " pulses limited to " + std::to_string(channel.limiter.lowestUs()) + " to " +
                    std::to_string(channel.limiter.highestUs()) + " us");
  }
  return lines;
}

}  // namespace trotix
