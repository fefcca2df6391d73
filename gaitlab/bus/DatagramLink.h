// One datagram per frame to HOST:PORT. A receiver that is not listening
// yet, or a datagram the kernel drops, is not a fault: UDP may lose frames
// and the receiver's hold time covers them. The sockets are the
// platform's: posix/ and windows/ (winsock).
#ifndef TROTIX_GAITLAB_BUS_DATAGRAMLINK_H_
#define TROTIX_GAITLAB_BUS_DATAGRAMLINK_H_

#include <cstdint>

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
  std::uintptr_t socket_ = 0;  // a descriptor, or a winsock SOCKET
  std::string name_;
};

}  // namespace trotix

#endif  // TROTIX_GAITLAB_BUS_DATAGRAMLINK_H_
