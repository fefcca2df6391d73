// LX-16A style serial bus servos (LewanSoul, Hiwonder) on a half-duplex
// line: each joint's channel is its servo's ID. A joint's position is
//     center + direction * (angle - zero) * 1000 / 240 degrees
// (center 500 unless the joint sets one), within 0 to 1000.
#ifndef TROTIX_GAITLAB_BUS_LX16ABUS_H_
#define TROTIX_GAITLAB_BUS_LX16ABUS_H_

#include <memory>
#include <string>

#include "gaitlab/bus/ServoBus.h"
#include "gaitlab/run/GaitSettings.h"

namespace trotix {

constexpr int kLx16aDefaultBaud = 115200;  // the only rate these servos speak

// Opens the line at `device` and asks every servo for its temperature and
// voltage limits; throws BusFault on a device that does not open or a servo
// that stays silent.
std::unique_ptr<ServoBus> OpenLx16aBus(const std::string& device, int baud,
                                       const GaitSettings& gait);

// Throws BusFault on an angle that is not a number.
int Lx16aPosition(const JointServo& servo, double angle);
double Lx16aAngle(const JointServo& servo, int position);

}  // namespace trotix

#endif  // TROTIX_GAITLAB_BUS_LX16ABUS_H_
