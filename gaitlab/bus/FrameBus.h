// udp:HOST:PORT and serial:DEVICE[@BAUD]: a microcontroller drives the
// servos and the drive sends it one DriveFrame a tick. Nothing reads back.
// Torque off is a frame that says so; should frames stop altogether (the
// drive killed, the link lost), the receiver cuts the servos once the
// frame's hold time has passed.
#ifndef TROTIX_GAITLAB_BUS_FRAMEBUS_H_
#define TROTIX_GAITLAB_BUS_FRAMEBUS_H_

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>

#include "gaitlab/bus/DriveFrame.h"
#include "gaitlab/bus/ServoBus.h"
#include "gaitlab/run/GaitSettings.h"

namespace trotix {

// The bytes' way to the microcontroller.
class ByteLink {
 public:
  virtual ~ByteLink() = default;
  // Sends one frame whole; throws BusFault when the link fails.
  virtual void send(const std::uint8_t* data, std::size_t size) = 0;
};

// The receiver keeps the last pulses this many tick periods.
constexpr int kHoldPeriods = 4;
// Torque off is sent this many times, in case a datagram is lost.
constexpr int kTorqueOffRepeats = 3;
// The default baud rate of serial:DEVICE.
constexpr int kSerialDefaultBaud = 115200;

class FrameBus : public ServoBus {
 public:
  // Throws InputError naming `what` when a channel has no slot (0 to 11).
  FrameBus(std::unique_ptr<ByteLink> link, const GaitSettings& gait, const std::string& what);

  bool readsBack() const override { return false; }
  BusReadback read() override { return {}; }
  // Every frame carries the armed flag: the first one arms the receiver.
  void arm(const BusFrame&) override {}
  void write(const BusFrame& frame) override;
  void torqueOff() noexcept override;

 private:
  void send(DriveFrame& frame);

  std::unique_ptr<ByteLink> link_;
  std::uint16_t holdMs_;
  std::uint32_t sequence_ = 0;
  std::uint32_t lastTick_ = 0;
};

std::unique_ptr<ServoBus> OpenDatagramBus(const std::string& target, const GaitSettings& gait);
std::unique_ptr<ServoBus> OpenSerialBus(const std::string& target, const GaitSettings& gait);

}  // namespace trotix

#endif  // TROTIX_GAITLAB_BUS_FRAMEBUS_H_
