// The PCA9685 16-channel PWM board over Linux i2c-dev: each joint's channel
// is an output, 0 to 15, driven at 50 Hz from the board's 25 MHz clock. A
// pulse of p us is p * 4096 / 20000 counts, rounded to nearest.
#ifndef TROTIX_GAITLAB_BUS_PCA9685BUS_H_
#define TROTIX_GAITLAB_BUS_PCA9685BUS_H_

#include <cstdint>
#include <memory>
#include <string>

#include "gaitlab/bus/ServoBus.h"
#include "gaitlab/run/GaitSettings.h"

namespace trotix {

constexpr int kPca9685DefaultAddress = 0x40;

namespace pca9685 {

constexpr std::uint8_t kMode1 = 0x00;
constexpr std::uint8_t kMode2 = 0x01;
constexpr std::uint8_t kLed0OnL = 0x06;  // then ON_H, OFF_L, OFF_H; 4 registers a channel
constexpr std::uint8_t kAllLedOffH = 0xFD;
constexpr std::uint8_t kPreScale = 0xFE;

constexpr std::uint8_t kRestart = 0x80;        // MODE1
constexpr std::uint8_t kAutoIncrement = 0x20;  // MODE1
constexpr std::uint8_t kSleep = 0x10;          // MODE1
constexpr std::uint8_t kAllCall = 0x01;        // MODE1
constexpr std::uint8_t kOutDrive = 0x04;       // MODE2: totem pole outputs
constexpr std::uint8_t kFullOff = 0x10;        // LEDn_OFF_H

// round(25 MHz / (4096 * 50 Hz)) - 1
constexpr std::uint8_t kPreScale50Hz = 121;
constexpr int kChannels = 16;
constexpr int kCountsPerPeriod = 4096;
constexpr double kPeriodUs = 20000.0;

}  // namespace pca9685

// Opens `device` (/dev/i2c-N) for the board at `address`, sets it to 50 Hz
// with every output off; throws BusFault on a device or board that does
// not answer, or a joint's channel beyond 15.
std::unique_ptr<ServoBus> OpenPca9685Bus(const std::string& device, int address,
                                         const GaitSettings& gait);

// The OFF count of a pulse starting at count 0.
int Pca9685Counts(std::int64_t pulseUs);

}  // namespace trotix

#endif  // TROTIX_GAITLAB_BUS_PCA9685BUS_H_
