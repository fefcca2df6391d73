#include "gaitlab/bus/FrameBus.h"

#include <algorithm>
#include <cmath>

#include "gaitlab/bus/BusUri.h"
#include "gaitlab/bus/DatagramLink.h"
#include "gaitlab/bus/SerialPort.h"
#include "gaitlab/io/InputError.h"

namespace trotix {
namespace {

// serial:DEVICE: the frames on a serial line set up as the bus servos' are.
class SerialPortLink : public ByteLink {
 public:
  explicit SerialPortLink(const DeviceAndBaud& line) : port_(line.device, line.baud) {}
  void send(const std::uint8_t* data, std::size_t size) override { port_.send(data, size); }

 private:
  SerialPort port_;
};

}  // namespace

FrameBus::FrameBus(std::unique_ptr<ByteLink> link, const GaitSettings& gait,
                   const std::string& what)
    : link_(std::move(link)),
      holdMs_(static_cast<std::uint16_t>(
          std::min(65535.0, std::ceil(kHoldPeriods * gait.tickPeriodMs)))) {
  for (int joint = 0; joint < kJointCount; ++joint) {
    const std::optional<int>& channel = gait.robot.joints[joint].channel;
    if (channel && (*channel < 0 || *channel >= kDriveFrameSlots)) {
      throw InputError(what + ": " + JointName(joint) + "'s channel " + std::to_string(*channel) +
                       " has no slot in the frame (0 to 11)");
    }
  }
}

void FrameBus::write(const BusFrame& frame) {
  DriveFrame out;
  out.flags = kFrameArmed;
  out.tick = static_cast<std::uint32_t>(frame.tick);
  for (int i = 0; i < frame.count; ++i) {
    const ServoCommand& servo = frame.servos[i];
    out.pulses[servo.channel] =
        static_cast<std::uint16_t>(std::clamp<std::int64_t>(servo.pulseUs, 0, 65535));
  }
  lastTick_ = out.tick;
  send(out);
}

void FrameBus::torqueOff() noexcept {
  DriveFrame off;
  off.flags = kFrameTorqueOff;
  off.tick = lastTick_;
  for (int i = 0; i < kTorqueOffRepeats; ++i) {
    try {
      send(off);
    } catch (...) {
      // The link is gone; the receiver's hold time cuts the servos.
    }
  }
}

void FrameBus::send(DriveFrame& frame) {
  frame.sequence = sequence_++;
  frame.holdMs = holdMs_;
  const DriveFrameBytes bytes = EncodeDriveFrame(frame);
  link_->send(bytes.data(), bytes.size());
}

std::unique_ptr<ServoBus> OpenDatagramBus(const std::string& target, const GaitSettings& gait) {
  const HostAndPort address = ParseHostAndPort(target, "udp");
  return std::make_unique<FrameBus>(std::make_unique<DatagramLink>(address), gait, "udp");
}

std::unique_ptr<ServoBus> OpenSerialBus(const std::string& target, const GaitSettings& gait) {
  const DeviceAndBaud line = ParseDeviceAndBaud(target, kSerialDefaultBaud, "serial");
  return std::make_unique<FrameBus>(std::make_unique<SerialPortLink>(line), gait, "serial");
}

}  // namespace trotix
