// One datagram per frame to HOST:PORT. A receiver that is not listening
// yet, or a datagram the kernel drops, is not a fault: UDP may lose frames
// and the receiver's hold time covers them.
#ifndef TROTIX_GAITLAB_BUS_DATAGRAMLINK_H_
#define TROTIX_GAITLAB_BUS_DATAGRAMLINK_H_

#include "gaitlab/bus/BusUri.h"
#include "gaitlab/bus/FrameBus.h"

namespace trotix {

class DatagramLink : public ByteLink {
 public:
  // Throws BusFault when the host cannot be resolved or no socket opened.
  explicit DatagramLink(const HostAndPort& address);
  ~DatagramLink() override;
  DatagramLink(const DatagramLink&) = delete;
  DatagramLink& operator=(const DatagramLink&) = delete;

  void send(const std::uint8_t* data, std::size_t size) override;

 private:
  int socket_ = -1;
  std::string name_;
};

}  // namespace trotix

#endif  // TROTIX_GAITLAB_BUS_DATAGRAMLINK_H_
