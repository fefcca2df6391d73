#include "gaitlab/bus/DatagramLink.h"

#include <netdb.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

#include "gaitlab/io/InputError.h"

namespace trotix {

DatagramLink::DatagramLink(const HostAndPort& address)
    : name_("udp:" + PrintableText(address.host) + ":" + address.port) {
  addrinfo hints{};
  hints.ai_family = AF_UNSPEC;
  hints.ai_socktype = SOCK_DGRAM;
  hints.ai_flags = AI_NUMERICSERV;
  addrinfo* found = nullptr;
  const int status = getaddrinfo(address.host.c_str(), address.port.c_str(), &hints, &found);
  if (status != 0) throw BusFault(name_ + ": " + gai_strerror(status));
  int error = 0;
  int fd = -1;
  for (addrinfo* a = found; a != nullptr && fd < 0; a = a->ai_next) {
    fd = ::socket(a->ai_family, a->ai_socktype | SOCK_CLOEXEC, a->ai_protocol);
    if (fd >= 0 && ::connect(fd, a->ai_addr, a->ai_addrlen) != 0) {
      error = errno;
      ::close(fd);
      fd = -1;
    } else if (fd < 0) {
      error = errno;
    }
  }
  freeaddrinfo(found);
  if (fd < 0) throw BusFault(name_ + ": " + std::strerror(error));
  socket_ = static_cast<std::uintptr_t>(fd);
}

DatagramLink::~DatagramLink() { ::close(static_cast<int>(socket_)); }

void DatagramLink::send(const std::uint8_t* data, std::size_t size) {
  if (::send(static_cast<int>(socket_), data, size, MSG_DONTWAIT | MSG_NOSIGNAL) >= 0) return;
  // Refused: nobody listens yet (an earlier datagram's ICMP answer);
  // would block: the kernel drops this one. Both are lost frames.
  if (errno == ECONNREFUSED || errno == EAGAIN || errno == EWOULDBLOCK || errno == EINTR) return;
  throw BusFault(name_ + ": " + std::strerror(errno));
}

}  // namespace trotix
