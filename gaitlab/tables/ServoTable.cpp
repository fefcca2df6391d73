#include "gaitlab/tables/ServoTable.h"

#include <algorithm>
#include <cstdio>
#include <utility>

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
    ++channel.ticksByCause[static_cast<int>(channel.limiter.cause())];
  }
  *p++ = '\n';
  out_.commit(p);
  ++ticks_;
}

std::vector<std::string> ServoTable::limitWarnings() const {
  std::vector<std::string> lines;
  for (const Channel& channel : channels_) {
    if (channel.limitedTicks == 0) continue;
    const ServoLimiter& limiter = channel.limiter;
    const std::string pulses = " (" + std::to_string(limiter.lowestUs()) + " to " +
                               std::to_string(limiter.highestUs()) + " us)";
    char slew[kMaxNumberChars];
    std::snprintf(slew, sizeof slew, "%.4g", limiter.slewUs());
    const std::pair<LimitCause, std::string> causes[] = {
        {LimitCause::kRange, " by lower/upper" + pulses},
        {LimitCause::kPulseRange, " by min_us/max_us" + pulses},
        {LimitCause::kSpeed, std::string(" by max_speed (") + slew + " us per tick)"}};
    std::string line = JointName(channel.joint) + " (channel " + std::to_string(channel.number) +
                       "): " + std::to_string(channel.limitedTicks) + " of " +
                       std::to_string(ticks_) + " pulses limited:";
    const char* separator = " ";
    for (const auto& [cause, what] : causes) {
      const std::int64_t count = channel.ticksByCause[static_cast<int>(cause)];
      if (count == 0) continue;
      line += separator + std::to_string(count) + what;
      separator = ", ";
    }
    lines.push_back(line);
  }
  return lines;
}

}  // namespace trotix
