#include "gaitlab/bus/SerialLink.h"

#include <fcntl.h>
#include <poll.h>
#include <termios.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

#include "gaitlab/io/InputError.h"

namespace trotix {
namespace {

speed_t SpeedOf(int baud, const std::string& name) {
  const struct {
    int baud;
    speed_t speed;
  } kSpeeds[] = {{9600, B9600},       {19200, B19200},     {38400, B38400},     {57600, B57600},
                 {115200, B115200},   {230400, B230400},   {460800, B460800},   {500000, B500000},
                 {576000, B576000},   {921600, B921600},   {1000000, B1000000}, {1500000, B1500000},
                 {2000000, B2000000}, {3000000, B3000000}, {4000000, B4000000}};
  for (const auto& s : kSpeeds) {
    if (s.baud == baud) return s.speed;
  }
  throw InputError(name + ": baud rate " + std::to_string(baud) +
                   " is not one of 9600, 19200, 38400, 57600, 115200, 230400, 460800, 500000, "
                   "576000, 921600, 1000000, 1500000, 2000000, 3000000, 4000000");
}

}  // namespace

SerialLink::SerialLink(const DeviceAndBaud& line) : name_("serial:" + PrintableText(line.device)) {
  const speed_t speed = SpeedOf(line.baud, name_);
  fd_ = ::open(line.device.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
  if (fd_ < 0) throw BusFault(name_ + ": " + std::strerror(errno));
  termios tty{};
  if (tcgetattr(fd_, &tty) != 0) {
    const int error = errno;
    ::close(fd_);
    throw BusFault(name_ + ": not a serial line (" + std::strerror(error) + ")");
  }
  cfmakeraw(&tty);
  tty.c_cflag |= CLOCAL | CREAD;
  tty.c_cflag &= ~(CSTOPB | CRTSCTS);
  tty.c_cc[VMIN] = 0;
  tty.c_cc[VTIME] = 0;
  if (cfsetispeed(&tty, speed) != 0 || cfsetospeed(&tty, speed) != 0 ||
      tcsetattr(fd_, TCSANOW, &tty) != 0) {
    const int error = errno;
    ::close(fd_);
    throw BusFault(name_ + ": " + std::strerror(error));
  }
  tcflush(fd_, TCIOFLUSH);
}

SerialLink::~SerialLink() { ::close(fd_); }

void SerialLink::send(const std::uint8_t* data, std::size_t size) {
  std::size_t sent = 0;
  while (sent < size) {
    const ssize_t n = ::write(fd_, data + sent, size - sent);
    if (n > 0) {
      sent += static_cast<std::size_t>(n);
      continue;
    }
    if (n < 0 && errno != EAGAIN && errno != EWOULDBLOCK && errno != EINTR) {
      throw BusFault(name_ + ": " + std::strerror(errno));
    }
    pollfd wait{fd_, POLLOUT, 0};
    if (::poll(&wait, 1, kSerialWriteTimeoutMs) == 0) {
      throw BusFault(name_ + ": the line took no bytes for " +
                     std::to_string(kSerialWriteTimeoutMs) + " ms");
    }
  }
}

}  // namespace trotix
