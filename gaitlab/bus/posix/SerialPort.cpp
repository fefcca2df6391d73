#include "gaitlab/bus/SerialPort.h"

#include <fcntl.h>
#include <poll.h>
#include <termios.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

#include "gaitlab/bus/ServoBus.h"

namespace trotix {
namespace {

struct BaudRate {
  int baud;
  speed_t speed;
};

// The rates termios names on Linux; bus servos use 9600 to 4 Mbit/s.
constexpr BaudRate kBaudRates[] = {
    {9600, B9600},       {19200, B19200},     {38400, B38400},     {57600, B57600},
    {115200, B115200},   {230400, B230400},   {460800, B460800},   {500000, B500000},
    {576000, B576000},   {921600, B921600},   {1000000, B1000000}, {1152000, B1152000},
    {1500000, B1500000}, {2000000, B2000000}, {2500000, B2500000}, {3000000, B3000000},
    {3500000, B3500000}, {4000000, B4000000},
};

speed_t SpeedOf(const std::string& device, int baud) {
  for (const BaudRate& rate : kBaudRates) {
    if (rate.baud == baud) return rate.speed;
  }
  throw BusFault(device + ": " + std::to_string(baud) +
                 " baud is not a standard rate (9600 to 4000000)");
}

int Fd(std::intptr_t handle) { return static_cast<int>(handle); }

[[noreturn]] void Fail(const std::string& device, const char* what) {
  throw BusFault(device + ": " + what + ": " + std::strerror(errno));
}

}  // namespace

SerialPort::SerialPort(const std::string& device, int baud)
    : device_(device),
      byteTime_(std::chrono::duration_cast<Clock::duration>(
          std::chrono::duration<double>(10.0 / (baud > 0 ? baud : 1)))) {
  const speed_t speed = SpeedOf(device, baud);
  handle_ = ::open(device.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
  if (Fd(handle_) < 0) Fail(device, "cannot open");
  termios settings{};
  if (::tcgetattr(Fd(handle_), &settings) != 0) {
    ::close(Fd(handle_));
    Fail(device, "not a serial line");
  }
  ::cfmakeraw(&settings);
  settings.c_cflag |= CLOCAL | CREAD;
  settings.c_cflag &= ~(CSTOPB | PARENB | CRTSCTS);
  settings.c_iflag &= ~(IXON | IXOFF | IXANY);
  settings.c_cc[VMIN] = 0;
  settings.c_cc[VTIME] = 0;
  if (::cfsetispeed(&settings, speed) != 0 || ::cfsetospeed(&settings, speed) != 0 ||
      ::tcsetattr(Fd(handle_), TCSANOW, &settings) != 0) {
    ::close(Fd(handle_));
    Fail(device, "cannot set raw mode and baud rate");
  }
  ::tcflush(Fd(handle_), TCIOFLUSH);
}

SerialPort::~SerialPort() { ::close(Fd(handle_)); }

bool SerialPort::trySend(const std::uint8_t* bytes, std::size_t size) noexcept {
  while (size > 0) {
    const ssize_t sent = ::write(Fd(handle_), bytes, size);
    if (sent > 0) {
      bytes += sent;
      size -= static_cast<std::size_t>(sent);
      continue;
    }
    if (sent < 0 && errno == EINTR) continue;
    if (sent < 0 && errno == EAGAIN) {
      // The output buffer is full: wait a little for it to drain.
      pollfd writable{Fd(handle_), POLLOUT, 0};
      if (::poll(&writable, 1, 100) > 0) continue;
    }
    return false;
  }
  return true;
}

void SerialPort::send(const std::uint8_t* bytes, std::size_t size) {
  if (!trySend(bytes, size)) Fail(device_, "write failed");
}

std::size_t SerialPort::receive(std::uint8_t* buffer, std::size_t capacity,
                                Clock::time_point deadline) {
  for (;;) {
    const ssize_t got = ::read(Fd(handle_), buffer, capacity);
    if (got > 0) return static_cast<std::size_t>(got);
    if (got < 0 && errno != EAGAIN && errno != EINTR) Fail(device_, "read failed");
    const auto left = std::chrono::ceil<std::chrono::milliseconds>(deadline - Clock::now());
    if (left.count() <= 0) return 0;
    pollfd readable{Fd(handle_), POLLIN, 0};
    if (::poll(&readable, 1, static_cast<int>(left.count())) < 0 && errno != EINTR) {
      Fail(device_, "poll failed");
    }
  }
}

void SerialPort::discardInput() noexcept { ::tcflush(Fd(handle_), TCIFLUSH); }

}  // namespace trotix
