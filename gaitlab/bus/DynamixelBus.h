// Dynamixel X series servos on protocol 2.0 (a U2D2 or any half-duplex
// TTL/RS-485 adapter): each joint's channel is its servo's ID. A joint's
// Goal Position is
//     center + direction * (angle - zero) * 4096 / 2 pi
// (center 2048 unless the joint sets one), within 0 to 4095.
#ifndef TROTIX_GAITLAB_BUS_DYNAMIXELBUS_H_
#define TROTIX_GAITLAB_BUS_DYNAMIXELBUS_H_

#include <cstdint>
#include <memory>
#include <string>

#include "gaitlab/bus/ServoBus.h"
#include "gaitlab/run/GaitSettings.h"

namespace trotix {

constexpr int kDynamixelDefaultBaud = 57600;  // the X series' factory setting

// Opens the adapter at `device` and asks every servo for its temperature
// limit; throws BusFault on a device that does not open or a servo that
// stays silent.
std::unique_ptr<ServoBus> OpenDynamixelBus(const std::string& device, int baud,
                                           const GaitSettings& gait);

// Throws BusFault on an angle that is not a number.
std::int32_t DynamixelPosition(const JointServo& servo, double angle);
double DynamixelAngle(const JointServo& servo, std::int32_t position);

}  // namespace trotix

#endif  // TROTIX_GAITLAB_BUS_DYNAMIXELBUS_H_
