// The servos a bus drives, from the gait file's joints, and the watch kept
// over the ones that answer: three silent or garbled answers in a row, the
// servo's own alert, or a temperature at its limit stop the drive.
#ifndef TROTIX_GAITLAB_BUS_BUSSERVOS_H_
#define TROTIX_GAITLAB_BUS_BUSSERVOS_H_

#include <string>
#include <vector>

#include "gaitlab/bus/ServoBus.h"
#include "gaitlab/run/GaitSettings.h"

namespace trotix {

struct BusServo {
  int joint = 0;
  int channel = 0;
  JointServo calibration;
};

// The joints with a channel, in increasing channel order. Throws BusFault
// when no joint has one or a channel exceeds `maxChannel`.
std::vector<BusServo> BusServosOf(const GaitSettings& gait, const std::string& bus, int maxChannel);

// Throws BusFault unless `frame` carries exactly `servos`' channels, in order.
void CheckFrame(const BusFrame& frame, const std::vector<BusServo>& servos, const std::string& bus);

class ServoWatch {
 public:
  static constexpr int kMissesBeforeFault = 3;

  // Each servo is due every `everyTicks` ticks, and is named in faults as
  // "dynamixel ID 3 (leg0_knee)".
  ServoWatch(const std::string& bus, const std::vector<BusServo>& servos, int everyTicks);

  void setLimits(int servo, double celsiusLimit, double minVolts);
  // The servo to read next and how many to read this tick.
  int due() const { return due_; }
  int readsPerTick() const { return readsPerTick_; }

  // An answer: throws BusFault on its alert, a temperature at the limit or
  // a voltage under it; the next servo becomes due.
  void answered(int servo, const ServoReading& reading);
  // No answer, or a garbled one: throws BusFault on the third in a row. The
  // servo stays due, so that it is asked again at once.
  void missed(int servo, const char* why);

 private:
  struct Limits {
    double celsius = 1e9;
    double minVolts = 0.0;
  };
  std::vector<std::string> names_;
  std::vector<Limits> limits_;
  std::vector<int> misses_;
  int due_ = 0;
  int readsPerTick_ = 1;
};

}  // namespace trotix

#endif  // TROTIX_GAITLAB_BUS_BUSSERVOS_H_
