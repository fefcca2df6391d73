#include "gaitlab/drive/ServoFrames.h"

#include <algorithm>
#include <cmath>

#include "gaitlab/io/InputError.h"
#include "gaitlab/robot/Transmission.h"
#include "gaitlab/tables/ServoTable.h"  // ChannelJoints

namespace trotix {

ServoFrames::ServoFrames(const GaitSettings& gait) : tickSeconds_(gait.tickSeconds()) {
  for (const int joint : ChannelJoints(gait)) {
    const JointServo& servo = gait.robot.joints[joint];
    const double slew = PulseSlewUs(servo, tickSeconds_);
    servos_.push_back(
        {joint, *servo.channel, servo, ServoLimiter(servo, tickSeconds_, true), slew});
  }
  if (servos_.empty()) {
    throw InputError("no joint has a channel (give them in the gait file's joints)");
  }
}

void ServoFrames::restart() {
  for (Servo& servo : servos_) servo.limiter = ServoLimiter(servo.calibration, tickSeconds_, true);
}

BusFrame ServoFrames::limit(const JointAngles& angles, std::int64_t tick, bool& limited) {
  BusFrame frame;
  frame.tick = tick;
  frame.count = count();
  limited = false;
  for (int i = 0; i < frame.count; ++i) {
    Servo& servo = servos_[i];
    const std::int64_t pulse = servo.limiter.pulse(angles[servo.joint]);
    limited = limited || servo.limiter.limited();
    frame.servos[i] = {servo.joint, servo.channel,
                       AngleOfPulse(servo.calibration, static_cast<double>(pulse)), pulse};
  }
  return frame;
}

BusFrame ServoFrames::ofPulses(const ChannelPulses& pulses, std::int64_t tick) const {
  BusFrame frame;
  frame.tick = tick;
  frame.count = count();
  for (int i = 0; i < frame.count; ++i) {
    const Servo& servo = servos_[i];
    const std::int64_t pulse = std::llround(withinLimits(i, pulses[i]));
    frame.servos[i] = {servo.joint, servo.channel,
                       AngleOfPulse(servo.calibration, static_cast<double>(pulse)), pulse};
  }
  return frame;
}

double ServoFrames::withinLimits(int index, double pulse) const {
  const ServoLimiter& limiter = servos_[index].limiter;
  const double low = static_cast<double>(limiter.lowestUs());
  const double high = static_cast<double>(limiter.highestUs());
  return std::isfinite(pulse) ? std::clamp(pulse, low, high) : low;
}

ChannelPulses ServoFrames::restPulses() const {
  ChannelPulses pulses{};
  for (int i = 0; i < count(); ++i) pulses[i] = withinLimits(i, servos_[i].calibration.centerUs);
  return pulses;
}

ChannelPulses ServoFrames::readPulses(const BusReadback& readback) const {
  ChannelPulses pulses = restPulses();
  for (int r = 0; r < readback.count; ++r) {
    const ServoReading& reading = readback.servos[r];
    for (int i = 0; i < count(); ++i) {
      if (servos_[i].joint == reading.joint && reading.answered) {
        pulses[i] = withinLimits(i, PulseUs(servos_[i].calibration, reading.angle));
      }
    }
  }
  return pulses;
}

}  // namespace trotix
