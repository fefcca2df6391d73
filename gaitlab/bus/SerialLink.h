// A serial line in raw mode at a baud rate of its own, set with termios
// alone (nothing a pty lacks). A write the line does not take within
// kSerialWriteTimeoutMs is a fault.
#ifndef TROTIX_GAITLAB_BUS_SERIALLINK_H_
#define TROTIX_GAITLAB_BUS_SERIALLINK_H_

#include "gaitlab/bus/BusUri.h"
#include "gaitlab/bus/FrameBus.h"

namespace trotix {

constexpr int kSerialWriteTimeoutMs = 100;

class SerialLink : public ByteLink {
 public:
  // Throws InputError for a baud rate termios has no name for, BusFault
  // when the device cannot be opened or set up.
  explicit SerialLink(const DeviceAndBaud& line);
  ~SerialLink() override;
  SerialLink(const SerialLink&) = delete;
  SerialLink& operator=(const SerialLink&) = delete;

  void send(const std::uint8_t* data, std::size_t size) override;
  int fd() const { return fd_; }

 private:
  int fd_ = -1;
  std::string name_;
};

}  // namespace trotix

#endif  // TROTIX_GAITLAB_BUS_SERIALLINK_H_
