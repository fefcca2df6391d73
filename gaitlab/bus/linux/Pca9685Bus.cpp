#include "gaitlab/bus/Pca9685Bus.h"

#include <fcntl.h>
#include <linux/i2c-dev.h>
#include <sys/ioctl.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <thread>
#include <vector>

#include "gaitlab/bus/BusServos.h"

namespace trotix {
namespace {

using namespace pca9685;

constexpr int kRegistersPerChannel = 4;
// The oscillator needs 500 us to start after SLEEP is cleared.
constexpr auto kWakeTime = std::chrono::microseconds(500);

std::string BoardName(const std::string& device, int address) {
  char hex[8];
  std::snprintf(hex, sizeof hex, "0x%02x", address);
  return "pca9685 at " + std::string(hex) + " on " + device;
}

class Pca9685Bus : public ServoBus {
 public:
  Pca9685Bus(const std::string& device, int address, const GaitSettings& gait)
      : name_(BoardName(device, address)), servos_(BusServosOf(gait, "pca9685", kChannels - 1)) {
    first_ = servos_.front().channel;
    message_.reserve(1 + kRegistersPerChannel * kChannels);
    fd_ = ::open(device.c_str(), O_RDWR | O_CLOEXEC);
    if (fd_ < 0) fail("cannot open");
    if (::ioctl(fd_, I2C_SLAVE, static_cast<unsigned long>(address)) < 0) {
      const int error = errno;
      ::close(fd_);
      errno = error;
      fail("cannot address the board");
    }
    // The prescaler takes a value only while the oscillator sleeps; every
    // output is switched off before it wakes.
    sendRegister(kMode1, kSleep | kAutoIncrement | kAllCall);
    sendRegister(kPreScale, kPreScale50Hz);
    sendRegister(kAllLedOffH, kFullOff);
    sendRegister(kMode2, kOutDrive);
    sendRegister(kMode1, kAutoIncrement | kAllCall);
    std::this_thread::sleep_for(kWakeTime);
  }

  ~Pca9685Bus() override {
    torqueOff();
    ::close(fd_);
  }

  bool readsBack() const override { return false; }
  BusReadback read() override { return {}; }

  void arm(const BusFrame& hold) override {
    armed_ = true;
    write(hold);
  }

  void write(const BusFrame& frame) override {
    if (!armed_) throw BusFault(name_ + ": a frame to send before the servos are armed");
    CheckFrame(frame, servos_, "pca9685");
    // One message from the lowest channel to the highest; an unused channel
    // in between stays off.
    const int last = servos_.back().channel;
    message_.assign(1 + kRegistersPerChannel * (last - first_ + 1), 0);
    message_[0] = static_cast<std::uint8_t>(kLed0OnL + kRegistersPerChannel * first_);
    for (int channel = first_; channel <= last; ++channel) {
      message_[kRegistersPerChannel * (channel - first_) + 4] = kFullOff;
    }
    for (int i = 0; i < frame.count; ++i) {
      const int counts = Pca9685Counts(frame.servos[i].pulseUs);
      std::uint8_t* led = &message_[1 + kRegistersPerChannel * (frame.servos[i].channel - first_)];
      led[2] = static_cast<std::uint8_t>(counts & 0xFF);
      led[3] = static_cast<std::uint8_t>(counts >> 8);
    }
    if (!trySend(message_.data(), message_.size())) fail("write failed");
  }

  // Full off on every output with one register; the outputs go low at once.
  void torqueOff() noexcept override {
    armed_ = false;
    const std::uint8_t off[2] = {kAllLedOffH, kFullOff};
    trySend(off, sizeof off);
  }

 private:
  [[noreturn]] void fail(const char* what) const {
    throw BusFault(name_ + ": " + what + ": " + std::strerror(errno));
  }

  bool trySend(const std::uint8_t* bytes, std::size_t size) noexcept {
    ssize_t sent;
    do {
      sent = ::write(fd_, bytes, size);
    } while (sent < 0 && errno == EINTR);
    return sent == static_cast<ssize_t>(size);
  }

  void sendRegister(std::uint8_t reg, std::uint8_t value) {
    const std::uint8_t bytes[2] = {reg, value};
    if (!trySend(bytes, sizeof bytes)) {
      const int error = errno;
      ::close(fd_);
      errno = error;
      fail("the board does not answer");
    }
  }

  std::string name_;
  std::vector<BusServo> servos_;
  int first_ = 0;
  int fd_ = -1;
  std::vector<std::uint8_t> message_;
  bool armed_ = false;
};

}  // namespace

int Pca9685Counts(std::int64_t pulseUs) {
  const double counts = std::round(static_cast<double>(pulseUs) * kCountsPerPeriod / kPeriodUs);
  return static_cast<int>(std::clamp(counts, 0.0, kCountsPerPeriod - 1.0));
}

std::unique_ptr<ServoBus> OpenPca9685Bus(const std::string& device, int address,
                                         const GaitSettings& gait) {
  if (address < 0x03 || address > 0x77) {
    char hex[16];
    std::snprintf(hex, sizeof hex, "0x%x", address);
    throw BusFault("pca9685: " + std::string(hex) + " is not a 7-bit I2C address (0x03 to 0x77)");
  }
  return std::make_unique<Pca9685Bus>(device, address, gait);
}

}  // namespace trotix
