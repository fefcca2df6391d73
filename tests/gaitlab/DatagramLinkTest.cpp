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

#include <cstring>
#include <string>

#include "gaitlab/bus/DatagramLink.h"
#include "gaitlab/bus/DriveFrame.h"

namespace trotix {
namespace {

#ifdef _WIN32
using Socket = SOCKET;
void CloseSocket(Socket s) { closesocket(s); }
#else
using Socket = int;
void CloseSocket(Socket s) { ::close(s); }
#endif

// A socket bound on loopback, at a port of the system's choice, that gives
// up reading after a second.
struct Receiver {
  Receiver() {
#ifdef _WIN32
    WSADATA data;
    WSAStartup(MAKEWORD(2, 2), &data);
    DWORD timeoutMs = 1000;
#else
    timeval timeoutMs{1, 0};
#endif
    socket = ::socket(AF_INET, SOCK_DGRAM, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    ::bind(socket, reinterpret_cast<sockaddr*>(&address), sizeof address);
    socklen_t size = sizeof address;
    getsockname(socket, reinterpret_cast<sockaddr*>(&address), &size);
    port = std::to_string(ntohs(address.sin_port));
    setsockopt(socket, SOL_SOCKET, SO_RCVTIMEO, reinterpret_cast<const char*>(&timeoutMs),
               sizeof timeoutMs);
  }
  ~Receiver() { close(); }
  void close() {
    if (open) CloseSocket(socket);
    open = false;
  }
  std::string next() {
    char bytes[64];
    const int size = static_cast<int>(::recv(socket, bytes, sizeof bytes, 0));
    return size > 0 ? std::string(bytes, static_cast<std::size_t>(size)) : "";
  }

  Socket socket;
  bool open = true;
  std::string port;
};

TEST(DatagramLinkTest, SendsEachFrameWholeAndLosesThemWhereNobodyListens) {
  for (const bool listening : {true, false}) {
    Receiver receiver;
    DatagramLink link({"127.0.0.1", receiver.port});
    if (!listening) receiver.close();
    for (std::uint32_t sequence = 0; sequence < 3; ++sequence) {
      DriveFrame frame;
      frame.flags = kFrameArmed;
      frame.sequence = frame.tick = sequence;
      frame.pulses[0] = static_cast<std::uint16_t>(1500 + sequence);
      const DriveFrameBytes bytes = EncodeDriveFrame(frame);
      EXPECT_NO_THROW(link.send(bytes.data(), bytes.size())) << listening;
      if (listening) {
        EXPECT_EQ(receiver.next(), std::string(bytes.begin(), bytes.end())) << sequence;
      }
    }
  }
}

}  // namespace
}  // namespace trotix
