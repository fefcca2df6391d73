#include "PtyEmulator.h"

#include <fcntl.h>
#include <poll.h>
#include <stdlib.h>
#include <sys/ioctl.h>
#include <termios.h>
#include <unistd.h>

#include <chrono>
#include <stdexcept>

namespace trotix {

PtyEmulator::PtyEmulator() {
  master_ = ::posix_openpt(O_RDWR | O_NOCTTY | O_CLOEXEC);
  if (master_ < 0 || ::grantpt(master_) != 0 || ::unlockpt(master_) != 0) {
    throw std::runtime_error("no pty");
  }
  device_ = ::ptsname(master_);
  keepOpen_ = ::open(device_.c_str(), O_RDWR | O_NOCTTY | O_CLOEXEC);
  termios raw{};
  ::tcgetattr(keepOpen_, &raw);
  ::cfmakeraw(&raw);
  ::tcsetattr(keepOpen_, TCSANOW, &raw);
}

PtyEmulator::~PtyEmulator() {
  stop();
  ::close(keepOpen_);
  ::close(master_);
}

void PtyEmulator::start() {
  running_ = true;
  thread_ = std::thread(&PtyEmulator::run, this);
}

void PtyEmulator::stop() {
  running_ = false;
  if (thread_.joinable()) thread_.join();
}

void PtyEmulator::answer(const std::vector<std::uint8_t>& bytes) {
  std::size_t done = 0;
  while (done < bytes.size()) {
    const ssize_t sent = ::write(master_, bytes.data() + done, bytes.size() - done);
    if (sent <= 0) return;
    done += static_cast<std::size_t>(sent);
  }
}

// The kernel hands bytes written to the far end over to this side a little
// later, on a work queue: an empty side is trusted only once it has stayed
// empty and idle for a while.
void PtyEmulator::settle() const {
  const auto giveUp = std::chrono::steady_clock::now() + std::chrono::seconds(2);
  constexpr int kQuietChecks = 10;  // 2 ms apart
  int quiet = 0;
  while (quiet < kQuietChecks && std::chrono::steady_clock::now() < giveUp) {
    std::this_thread::sleep_for(std::chrono::milliseconds(2));
    int waiting = 0;
    if (::ioctl(master_, FIONREAD, &waiting) != 0) waiting = 0;
    quiet = waiting > 0 || busy_ ? 0 : quiet + 1;
  }
}

void PtyEmulator::run() {
  std::vector<std::uint8_t> input;
  while (running_) {
    pollfd readable{master_, POLLIN, 0};
    if (::poll(&readable, 1, 10) <= 0) continue;
    busy_ = true;  // before the read, while the bytes still show as unread
    std::uint8_t chunk[512];
    const ssize_t got = ::read(master_, chunk, sizeof chunk);
    if (got > 0) {
      if (echo_) answer(std::vector<std::uint8_t>(chunk, chunk + got));
      input.insert(input.end(), chunk, chunk + got);
      std::lock_guard<std::mutex> lock(mutex_);
      input.erase(input.begin(), input.begin() + consume(input));
    }
    busy_ = false;
  }
}

}  // namespace trotix
