// The PCA9685 bus against the board's register model behind a fake i2c-dev.
#include <gtest/gtest.h>

#include "gaitlab/bus/Pca9685Bus.h"
#include "testing/bus/FakeI2c.h"

namespace trotix {
namespace {

using Bytes = std::vector<std::uint8_t>;

// Joints 0, 1 and 2 on outputs 3, 5 and 6: output 4 lies between.
GaitSettings ThreeOutputs() {
  GaitSettings gait = DefaultGaitSettings();
  gait.robot.joints[0].channel = 3;
  gait.robot.joints[1].channel = 5;
  gait.robot.joints[2].channel = 6;
  return gait;
}

BusFrame FrameOf(std::int64_t a, std::int64_t b, std::int64_t c) {
  BusFrame frame;
  frame.servos[0] = {0, 3, 0.0, a};
  frame.servos[1] = {1, 5, 0.0, b};
  frame.servos[2] = {2, 6, 0.0, c};
  frame.count = 3;
  return frame;
}

TEST(Pca9685BusTest, SetsFiftyHertzAsleepThenWritesOneMessageATick) {
  const std::string device = "/fake/i2c-1";
  Pca9685Model& board = ResetFakeI2cBoard(device, 0x41);
  const auto bus = OpenPca9685Bus(device, 0x41, ThreeOutputs());
  EXPECT_EQ(board.registers[0xFE], 121);
  EXPECT_EQ(board.preScaleRefused, 0);
  EXPECT_EQ(board.registers[0x00], 0x21);  // awake, auto-increment, ALLCALL
  for (int channel = 0; channel < 16; ++channel) EXPECT_TRUE(board.fullOff(channel));

  const std::size_t before = board.messages.size();
  bus->arm(FrameOf(1500, 1503, 500));
  bus->write(FrameOf(1500, 2499, 1000));
  ASSERT_EQ(board.messages.size(), before + 2);
  // 1500 us: 307.2 counts; 1503: 307.8; 500: 102.4; from output 3 to 6.
  EXPECT_EQ(board.messages[before],
            (Bytes{0x12, 0, 0, 0x33, 0x01, 0, 0, 0, 0x10, 0, 0, 0x34, 0x01, 0, 0, 0x66, 0x00}));
  EXPECT_EQ(board.offCount(5), 512);  // 2499 us: 511.8
  EXPECT_EQ(board.offCount(6), 205);  // 1000 us: 204.8
  EXPECT_FALSE(board.fullOff(3));
  EXPECT_TRUE(board.fullOff(4));

  bus->torqueOff();
  EXPECT_EQ(board.messages.back(), (Bytes{0xFD, 0x10}));
  for (int channel = 0; channel < 16; ++channel) EXPECT_TRUE(board.fullOff(channel));
}

TEST(Pca9685BusTest, RefusesWhatItCannotDrive) {
  ResetFakeI2cBoard("/fake/i2c-2", 0x40);
  EXPECT_THROW(OpenPca9685Bus("/fake/i2c-2", 0x41, ThreeOutputs()), BusFault);  // no board
  EXPECT_THROW(OpenPca9685Bus("/nonexistent/i2c-9", 0x40, ThreeOutputs()), BusFault);
  EXPECT_THROW(OpenPca9685Bus("/fake/i2c-2", 0x80, ThreeOutputs()), BusFault);
  GaitSettings gait = ThreeOutputs();
  gait.robot.joints[3].channel = 16;
  EXPECT_THROW(OpenPca9685Bus("/fake/i2c-2", 0x40, gait), BusFault);
}

}  // namespace
}  // namespace trotix
