// Every servo bus behind one small interface: the drive opens it, reads the
// servos back where the bus can, arms it, writes one frame per tick and
// turns the torque off, whatever the wire underneath.
#ifndef TROTIX_GAITLAB_BUS_SERVOBUS_H_
#define TROTIX_GAITLAB_BUS_SERVOBUS_H_

#include <array>
#include <cstdint>
#include <limits>
#include <stdexcept>

#include "trotix/WalkTypes.h"  // kJointCount

namespace trotix {

// One servo's value for one tick.
struct ServoCommand {
  int joint = 0;             // 0 to 11, leg-major pitch, roll, knee
  int channel = 0;           // the gait file's channel: a PWM output or a bus servo's ID
  double angle = 0.0;        // rad, already limited to the joint's range and speed
  std::int64_t pulseUs = 0;  // the limited pulse, whole microseconds
};

// One tick's values for every servo that has a channel, in increasing
// channel order. Fixed size, so that the loop allocates nothing.
struct BusFrame {
  std::int64_t tick = 0;  // counts every frame sent, soft start included
  std::array<ServoCommand, kJointCount> servos{};
  int count = 0;
};

// What one servo reports; a bus without read-back leaves `answered` false.
struct ServoReading {
  int joint = 0;
  int channel = 0;
  bool answered = false;
  double angle = 0.0;  // rad, in the engine's terms (calibration undone)
  double volts = 0.0;
  double celsius = 0.0;
  bool alert = false;  // the servo's own fault flag (over-temperature, under-voltage...)
};

struct BusReadback {
  std::array<ServoReading, kJointCount> servos{};
  int count = 0;
  // A simulated robot's trunk: its height above the floor (mm; NaN on a
  // real bus) and whether it has fallen.
  double trunkHeightMm = std::numeric_limits<double>::quiet_NaN();
  bool fallen = false;
};

// A fault the drive must stop for; the message names the servo.
class BusFault : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

class ServoBus {
 public:
  virtual ~ServoBus() = default;
  // Whether read() reports positions (bus servos) or nothing (PWM boards,
  // frames to a microcontroller, a record file).
  virtual bool readsBack() const = 0;
  // The servos' present state. Throws BusFault on a servo that stays silent.
  virtual BusReadback read() = 0;
  // Torque on, holding `hold`; nothing moves before this.
  virtual void arm(const BusFrame& hold) = 0;
  // One tick's frame. Throws BusFault on a fault the drive must stop for.
  virtual void write(const BusFrame& frame) = 0;
  // Torque off on every servo. Never throws; safe to call more than once.
  virtual void torqueOff() noexcept = 0;
  // After the drive: throws OutputError for what torqueOff() could not say
  // (a record that could not be put in place).
  virtual void finish() {}
};

}  // namespace trotix

#endif  // TROTIX_GAITLAB_BUS_SERVOBUS_H_
