// The drive frame's UDP link, on every system's sockets: each frame
// arrives whole as one datagram, and a receiver that is not listening
// only loses frames.
#ifdef _WIN32
#include <winsock2.h>
#include <ws2tcpip.h>
#else
#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>
#endif

#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "gaitlab/bus/DatagramLink.h"
#include "gaitlab/bus/DriveFrame.h"

namespace trotix {
namespace {

// A socket bound on loopback, at a port of the system's choice, that gives
// up reading after a second.
struct Receiver {
  Receiver() {
#ifdef _WIN32
    WSADATA data;
    WSAStartup(MAKEWORD(2, 2), &data);
    DWORD timeout = 1000;
#else
    timeval timeout{1, 0};
#endif
    socket = ::socket(AF_INET, SOCK_DGRAM, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    ::bind(socket, reinterpret_cast<sockaddr*>(&address), sizeof address);
    socklen_t size = sizeof address;
    getsockname(socket, reinterpret_cast<sockaddr*>(&address), &size);
    port = std::to_string(ntohs(address.sin_port));
    setsockopt(socket, SOL_SOCKET, SO_RCVTIMEO, reinterpret_cast<const char*>(&timeout),
               sizeof timeout);
  }
#ifdef _WIN32
  ~Receiver() { closesocket(socket); }
  SOCKET socket;
#else
  ~Receiver() { ::close(socket); }
  int socket;
#endif
  std::string port;
};

// Without a listener (a port just given up), sending only loses frames.
TEST(DatagramLinkTest, SendsEachFrameWholeAndLosesThemWhereNobodyListens) {
  for (const bool listening : {true, false}) {
    auto receiver = std::make_unique<Receiver>();
    DatagramLink link({"127.0.0.1", receiver->port});
    if (!listening) receiver.reset();
    for (std::uint32_t sequence = 0; sequence < 3; ++sequence) {
      DriveFrame frame;
      frame.sequence = frame.tick = sequence;
      frame.pulses[0] = static_cast<std::uint16_t>(1500 + sequence);
      const DriveFrameBytes bytes = EncodeDriveFrame(frame);
      EXPECT_NO_THROW(link.send(bytes.data(), bytes.size())) << listening;
      if (!listening) continue;
      char got[64];
      const auto size = ::recv(receiver->socket, got, sizeof got, 0);
      EXPECT_EQ(std::string(got, size > 0 ? size : 0), std::string(bytes.begin(), bytes.end()));
    }
  }
}

}  // namespace
}  // namespace trotix
