#include "gaitlab/bus/DynamixelBus.h"

#include <algorithm>
#include <chrono>
#include <cmath>
#include <vector>

#include "gaitlab/bus/BusServos.h"
#include "gaitlab/bus/DynamixelProtocol.h"
#include "gaitlab/bus/SerialPort.h"
#include "gaitlab/robot/Transmission.h"

namespace trotix {
namespace {

namespace dxl = dynamixel;

constexpr double kCountsPerRad = 4096.0 / (2.0 * kTruePi);
constexpr double kDefaultCenter = 2048.0;
constexpr std::int32_t kLastPosition = 4095;

ServoScale Scale(const JointServo& servo) { return BusScale(servo, kDefaultCenter, kCountsPerRad); }
constexpr int kMaxId = 252;
// Every servo's position, voltage and temperature at least this often.
constexpr int kReadEveryTicks = 6;
// Present Position to Present Temperature: one read covers all three.
constexpr int kStateSpan = dxl::kPresentTemperature - dxl::kPresentPosition + 1;
constexpr int kStatusOverhead = 11;  // a status packet's bytes besides its data
// What an answer may take beyond its bytes' time: the servo's return delay
// (500 us by default) and a USB adapter's latency (16 ms by default).
constexpr auto kAnswerMargin = std::chrono::milliseconds(20);

constexpr const char* kBus = "dynamixel";

void PutLittleEndian(std::vector<std::uint8_t>& bytes, std::uint32_t value, int size) {
  for (int i = 0; i < size; ++i) bytes.push_back(static_cast<std::uint8_t>(value >> (8 * i)));
}

std::uint32_t LittleEndian(const std::vector<std::uint8_t>& bytes, int at, int size) {
  std::uint32_t value = 0;
  for (int i = size - 1; i >= 0; --i) value = (value << 8) | bytes[at + i];
  return value;
}

class DynamixelBus : public ServoBus {
 public:
  DynamixelBus(const std::string& device, int baud, const GaitSettings& gait)
      : port_(device, baud),
        servos_(BusServosOf(gait, kBus, kMaxId)),
        watch_(kBus, servos_, kReadEveryTicks) {
    parameters_.reserve(256);
    packet_.reserve(512);
    input_.reserve(kInputCapacity);
    answer_.parameters.reserve(256);
    for (int i = 0; i < count(); ++i) {
      readRegister(i, dxl::kTemperatureLimit, 1);
      watch_.setLimits(i, answer_.parameters[0], 0.0);
    }
  }

  ~DynamixelBus() override { torqueOff(); }

  bool readsBack() const override { return true; }

  BusReadback read() override {
    BusReadback readback;
    for (int i = 0; i < count(); ++i) readback.servos[i] = readState(i);
    readback.count = count();
    return readback;
  }

  // Each servo is held where it stands: its Goal Position is set to the
  // Present Position just read, and only then is its torque turned on.
  void arm(const BusFrame& hold) override {
    CheckFrame(hold, servos_, kBus);
    for (int i = 0; i < count(); ++i) {
      readRegister(i, dxl::kPresentPosition, 4);
      const std::uint32_t present = LittleEndian(answer_.parameters, 0, 4);
      writeRegister(i, dxl::kGoalPosition, present, 4);
      writeRegister(i, dxl::kTorqueEnable, 1, 1);
    }
    armed_ = true;
  }

  void write(const BusFrame& frame) override {
    if (!armed_) throw BusFault("dynamixel: a frame to send before the servos are armed");
    CheckFrame(frame, servos_, kBus);
    parameters_.clear();
    PutLittleEndian(parameters_, dxl::kGoalPosition, 2);
    PutLittleEndian(parameters_, 4, 2);
    for (int i = 0; i < frame.count; ++i) {
      const ServoCommand& command = frame.servos[i];
      parameters_.push_back(static_cast<std::uint8_t>(command.channel));
      const std::int32_t goal = DynamixelPosition(servos_[i].calibration, command.angle);
      PutLittleEndian(parameters_, static_cast<std::uint32_t>(goal), 4);
    }
    BuildDynamixelPacket(dxl::kBroadcastId, dxl::kSyncWrite, parameters_.data(), parameters_.size(),
                         packet_);
    port_.send(packet_.data(), packet_.size());
    watchServos();
  }

  void torqueOff() noexcept override {
    armed_ = false;
    try {
      parameters_.clear();
      PutLittleEndian(parameters_, dxl::kTorqueEnable, 2);
      PutLittleEndian(parameters_, 1, 2);
      for (const BusServo& servo : servos_) {
        parameters_.push_back(static_cast<std::uint8_t>(servo.channel));
        parameters_.push_back(0);
      }
      BuildDynamixelPacket(dxl::kBroadcastId, dxl::kSyncWrite, parameters_.data(),
                           parameters_.size(), packet_);
      port_.trySend(packet_.data(), packet_.size());
    } catch (...) {
      // Nothing more can be done for a line that fails here.
    }
  }

 private:
  static constexpr std::size_t kInputCapacity = 1024;

  int count() const { return static_cast<int>(servos_.size()); }

  // A few servos a tick, so that each is read every kReadEveryTicks ticks.
  // A servo that did not answer is asked again at the next tick.
  void watchServos() {
    for (int n = 0; n < watch_.readsPerTick(); ++n) {
      const int due = watch_.due();
      if (const char* failure =
              ask(due, dxl::kRead, readParameters(dxl::kPresentPosition, kStateSpan))) {
        watch_.missed(due, failure);
        return;
      }
      watch_.answered(due, stateOf(due));
    }
  }

  ServoReading readState(int servo) {
    readRegister(servo, dxl::kPresentPosition, kStateSpan);
    const ServoReading reading = stateOf(servo);
    watch_.answered(servo, reading);
    return reading;
  }

  ServoReading stateOf(int servo) const {
    ServoReading reading;
    reading.joint = servos_[servo].joint;
    reading.channel = servos_[servo].channel;
    reading.answered = true;
    const auto position = static_cast<std::int32_t>(LittleEndian(answer_.parameters, 0, 4));
    reading.angle = DynamixelAngle(servos_[servo].calibration, position);
    const int voltageAt = dxl::kPresentInputVoltage - dxl::kPresentPosition;
    reading.volts = 0.1 * LittleEndian(answer_.parameters, voltageAt, 2);
    reading.celsius = answer_.parameters[kStateSpan - 1];
    reading.alert = (answer_.error & dxl::kAlertBit) != 0;
    return reading;
  }

  const std::vector<std::uint8_t>& readParameters(int address, int size) {
    parameters_.clear();
    PutLittleEndian(parameters_, static_cast<std::uint32_t>(address), 2);
    PutLittleEndian(parameters_, static_cast<std::uint32_t>(size), 2);
    expected_ = static_cast<std::size_t>(size);
    return parameters_;
  }

  // Reads `size` bytes from `address` into answer_, asking up to three times.
  void readRegister(int servo, int address, int size) {
    while (const char* failure = ask(servo, dxl::kRead, readParameters(address, size))) {
      watch_.missed(servo, failure);
    }
    if (answer_.error & dxl::kAlertBit) watch_.answered(servo, stateAlert(servo));
  }

  void writeRegister(int servo, int address, std::uint32_t value, int size) {
    parameters_.clear();
    PutLittleEndian(parameters_, static_cast<std::uint32_t>(address), 2);
    PutLittleEndian(parameters_, value, size);
    expected_ = 0;
    while (const char* failure = ask(servo, dxl::kWrite, parameters_)) {
      watch_.missed(servo, failure);
    }
    if (answer_.error & dxl::kAlertBit) watch_.answered(servo, stateAlert(servo));
  }

  ServoReading stateAlert(int servo) const {
    ServoReading reading;
    reading.joint = servos_[servo].joint;
    reading.channel = servos_[servo].channel;
    reading.answered = true;
    reading.alert = true;
    return reading;
  }

  // Sends one instruction to a servo and waits for its status packet with
  // expected_ bytes of data. Returns nothing on an answer (in answer_), or
  // why there was none.
  const char* ask(int servo, std::uint8_t instruction, const std::vector<std::uint8_t>& params) {
    const auto id = static_cast<std::uint8_t>(servos_[servo].channel);
    BuildDynamixelPacket(id, instruction, params.data(), params.size(), packet_);
    port_.discardInput();
    port_.send(packet_.data(), packet_.size());
    const std::size_t wireBytes = packet_.size() + kStatusOverhead + expected_;
    const auto deadline = SerialPort::Clock::now() + port_.byteTime() * wireBytes + kAnswerMargin;
    const char* failure = "no answer";
    port_.collect(input_, deadline, [&](const std::vector<std::uint8_t>& input) {
      std::size_t start = 0, end = 0;
      for (;;) {
        const PacketScan scan =
            ScanDynamixelPacket(input.data(), input.size(), start, answer_, end);
        if (scan == PacketScan::kBadCrc) failure = "answers that fail their CRC";
        if (scan != PacketScan::kPacket) return scan == PacketScan::kBadCrc;
        start = end;
        // An adapter that echoes what it sends shows the request first.
        if (answer_.instruction != dxl::kStatus || answer_.id != id) continue;
        failure = (answer_.error & ~dxl::kAlertBit) != 0   ? "answers with an error"
                  : answer_.parameters.size() != expected_ ? "answers of the wrong length"
                                                           : nullptr;
        return true;
      }
    });
    return failure;
  }

  SerialPort port_;
  std::vector<BusServo> servos_;
  ServoWatch watch_;
  std::vector<std::uint8_t> parameters_;
  std::vector<std::uint8_t> packet_;
  std::vector<std::uint8_t> input_;
  DynamixelPacket answer_;
  std::size_t expected_ = 0;
  bool armed_ = false;
};

}  // namespace

std::int32_t DynamixelPosition(const JointServo& servo, double angle) {
  const double position = ServoValue(servo, Scale(servo), angle);
  // Sending the centre instead would move the servo: refuse.
  if (!std::isfinite(position)) throw BusFault("dynamixel: an angle that is not a number");
  return static_cast<std::int32_t>(
      std::clamp<double>(std::round(position), 0.0, static_cast<double>(kLastPosition)));
}

double DynamixelAngle(const JointServo& servo, std::int32_t position) {
  return ServoAngle(servo, Scale(servo), position);
}

std::unique_ptr<ServoBus> OpenDynamixelBus(const std::string& device, int baud,
                                           const GaitSettings& gait) {
  return std::make_unique<DynamixelBus>(device, baud, gait);
}

}  // namespace trotix
