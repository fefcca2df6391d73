// A PCA9685 behind a fake i2c-dev: a shared library that stands in front
// of open, ioctl, write and close for paths under /fake/i2c-, linked into a
// test or preloaded (LD_PRELOAD) in front of a program. Each such path has
// one board, at 0x40 unless set; with TROTIX_FAKE_I2C_LOG set, every
// message written is also appended to that file as a line of hex bytes.
#ifndef TROTIX_TESTING_BUS_FAKEI2C_H_
#define TROTIX_TESTING_BUS_FAKEI2C_H_

#include <array>
#include <cstdint>
#include <string>
#include <vector>

namespace trotix {

constexpr const char* kFakeI2cPrefix = "/fake/i2c-";

// The board's registers as its datasheet has them: auto-increment when
// MODE1 says so, PRE_SCALE taken only while asleep, ALL_LED into every LED.
struct Pca9685Model {
  int address = 0x40;
  std::array<std::uint8_t, 256> registers{};
  std::vector<std::vector<std::uint8_t>> messages;  // every write, as sent
  int preScaleRefused = 0;                          // PRE_SCALE writes while awake

  Pca9685Model();
  void receive(const std::uint8_t* bytes, std::size_t size);
  bool fullOff(int channel) const;
  int offCount(int channel) const;
};

// The board at `path`, made fresh at `address`.
Pca9685Model& ResetFakeI2cBoard(const std::string& path, int address = 0x40);
Pca9685Model& FakeI2cBoard(const std::string& path);

}  // namespace trotix

#endif  // TROTIX_TESTING_BUS_FAKEI2C_H_
