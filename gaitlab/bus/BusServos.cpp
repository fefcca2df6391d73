#include "gaitlab/bus/BusServos.h"

#include <algorithm>
#include <cstdio>

namespace trotix {
namespace {

std::string Volts(double volts) {
  char text[32];
  std::snprintf(text, sizeof text, "%.1f V", volts);
  return text;
}

}  // namespace

std::vector<BusServo> BusServosOf(const GaitSettings& gait, const std::string& bus,
                                  int maxChannel) {
  std::vector<BusServo> servos;
  for (int joint = 0; joint < kJointCount; ++joint) {
    const JointServo& calibration = gait.robot.joints[joint];
    if (!calibration.channel) continue;
    if (*calibration.channel > maxChannel) {
      throw BusFault(bus + ": " + JointName(joint) + "'s channel " +
                     std::to_string(*calibration.channel) + " is beyond the bus's last, " +
                     std::to_string(maxChannel));
    }
    servos.push_back({joint, *calibration.channel, calibration});
  }
  if (servos.empty()) {
    throw BusFault(bus + ": no joint has a channel (give them in the gait file's joints)");
  }
  std::sort(servos.begin(), servos.end(),
            [](const BusServo& a, const BusServo& b) { return a.channel < b.channel; });
  return servos;
}

std::string ServoName(const std::string& bus, const char* idWord, const BusServo& servo) {
  return bus + " " + idWord + " " + std::to_string(servo.channel) + " (" + JointName(servo.joint) +
         ")";
}

void CheckFrame(const BusFrame& frame, const std::vector<BusServo>& servos,
                const std::string& bus) {
  bool same = frame.count == static_cast<int>(servos.size());
  for (int i = 0; same && i < frame.count; ++i) {
    same = frame.servos[i].channel == servos[i].channel && frame.servos[i].joint == servos[i].joint;
  }
  if (!same) throw BusFault(bus + ": a frame's servos are not the gait file's channels");
}

ServoWatch::ServoWatch(const std::string& bus, const std::vector<BusServo>& servos, int everyTicks)
    : limits_(servos.size()), misses_(servos.size(), 0) {
  for (const BusServo& servo : servos) {
    names_.push_back(bus + " ID " + std::to_string(servo.channel) + " (" + JointName(servo.joint) +
                     ")");
  }
  const int count = static_cast<int>(names_.size());
  readsPerTick_ = std::max(1, (count + everyTicks - 1) / std::max(1, everyTicks));
}

void ServoWatch::setLimits(int servo, double celsiusLimit, double minVolts) {
  limits_[servo] = {celsiusLimit, minVolts};
}

void ServoWatch::answered(int servo, const ServoReading& reading) {
  misses_[servo] = 0;
  if (servo == due_) due_ = (due_ + 1) % static_cast<int>(names_.size());
  const Limits& limits = limits_[servo];
  if (reading.alert) throw BusFault(names_[servo] + ": the servo reports a fault (alert)");
  if (reading.celsius >= limits.celsius) {
    throw BusFault(names_[servo] + ": " + std::to_string(static_cast<int>(reading.celsius)) +
                   " C, at its temperature limit of " +
                   std::to_string(static_cast<int>(limits.celsius)) + " C");
  }
  if (reading.volts < limits.minVolts) {
    throw BusFault(names_[servo] + ": " + Volts(reading.volts) + ", under its limit of " +
                   Volts(limits.minVolts));
  }
}

void ServoWatch::missed(int servo, const char* why) {
  if (++misses_[servo] >= kMissesBeforeFault) {
    throw BusFault(names_[servo] + ": " + why + " " + std::to_string(misses_[servo]) +
                   " times in a row");
  }
}

}  // namespace trotix
