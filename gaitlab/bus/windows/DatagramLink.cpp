#include "gaitlab/bus/DatagramLink.h"

#include <winsock2.h>
#include <ws2tcpip.h>

#include <mutex>

#include "gaitlab/io/InputError.h"
#include "gaitlab/io/windows/SystemMessage.h"

namespace trotix {
namespace {

// Winsock, started once for the program's life.
void StartWinsock(const std::string& name) {
  static std::once_flag once;
  static int status = 0;
  std::call_once(once, [] {
    WSADATA data;
    status = WSAStartup(MAKEWORD(2, 2), &data);
  });
  if (status != 0) throw BusFault(name + ": " + SystemMessage(status));
}

}  // namespace

DatagramLink::DatagramLink(const HostAndPort& address)
    : name_("udp:" + PrintableText(address.host) + ":" + address.port) {
  StartWinsock(name_);
  addrinfo hints{};
  hints.ai_family = AF_UNSPEC;
  hints.ai_socktype = SOCK_DGRAM;
  hints.ai_flags = AI_NUMERICSERV;
  addrinfo* found = nullptr;
  const int status = getaddrinfo(address.host.c_str(), address.port.c_str(), &hints, &found);
  if (status != 0) throw BusFault(name_ + ": " + SystemMessage(status));
  int error = 0;
  SOCKET s = INVALID_SOCKET;
  for (addrinfo* a = found; a != nullptr && s == INVALID_SOCKET; a = a->ai_next) {
    s = ::socket(a->ai_family, a->ai_socktype, a->ai_protocol);
    if (s == INVALID_SOCKET) {
      error = WSAGetLastError();
    } else if (::connect(s, a->ai_addr, static_cast<int>(a->ai_addrlen)) != 0) {
      error = WSAGetLastError();
      closesocket(s);
      s = INVALID_SOCKET;
    }
  }
  freeaddrinfo(found);
  if (s == INVALID_SOCKET) throw BusFault(name_ + ": " + SystemMessage(error));
  // Never wait on a full buffer: a frame that cannot go now is lost.
  u_long nonBlocking = 1;
  ioctlsocket(s, FIONBIO, &nonBlocking);
  socket_ = static_cast<std::uintptr_t>(s);
}

DatagramLink::~DatagramLink() { closesocket(static_cast<SOCKET>(socket_)); }

void DatagramLink::send(const std::uint8_t* data, std::size_t size) {
  const int sent = ::send(static_cast<SOCKET>(socket_), reinterpret_cast<const char*>(data),
                          static_cast<int>(size), 0);
  if (sent != SOCKET_ERROR) return;
  // Nobody listens yet (an earlier datagram's ICMP answer, which winsock
  // reports as a reset), or the buffer is full: both are lost frames.
  const int error = WSAGetLastError();
  if (error == WSAECONNRESET || error == WSAECONNREFUSED || error == WSAEWOULDBLOCK) return;
  throw BusFault(name_ + ": " + SystemMessage(error));
}

}  // namespace trotix
