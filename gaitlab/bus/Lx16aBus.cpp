#include "gaitlab/bus/Lx16aBus.h"

#include <algorithm>
#include <chrono>
#include <cmath>
#include <vector>

#include "gaitlab/bus/BusServos.h"
#include "gaitlab/bus/Lx16aProtocol.h"
#include "gaitlab/bus/SerialPort.h"
#include "gaitlab/robot/Transmission.h"

namespace trotix {
namespace {

constexpr double kCountsPerRad = 1000.0 / (240.0 * kTruePi / 180.0);
constexpr double kDefaultCenter = 500.0;
constexpr int kLastPosition = 1000;
constexpr int kMaxId = 253;
constexpr int kLongestMoveMs = 30000;
constexpr int kReadEveryTicks = 6;
constexpr std::size_t kAnswerOverhead = 6;  // 55 55 ID length command checksum
constexpr auto kAnswerMargin = std::chrono::milliseconds(20);
constexpr const char* kBus = "lx16a";

ServoScale Scale(const JointServo& servo) { return BusScale(servo, kDefaultCenter, kCountsPerRad); }

class Lx16aBus : public ServoBus {
 public:
  Lx16aBus(const std::string& device, int baud, const GaitSettings& gait)
      : port_(device, baud),
        servos_(BusServosOf(gait, kBus, kMaxId)),
        watch_(kBus, servos_, kReadEveryTicks),
        moveMs_(std::clamp(static_cast<int>(std::lround(gait.tickPeriodMs)), 0, kLongestMoveMs)) {
    packet_.reserve(16);
    input_.reserve(kInputCapacity);
    answer_.parameters.reserve(8);
    for (int i = 0; i < count(); ++i) {
      askUntilAnswered(i, lx16a::kTempMaxLimitRead, 1);
      const double celsius = answer_.parameters[0];
      askUntilAnswered(i, lx16a::kVinLimitRead, 4);
      watch_.setLimits(i, celsius, 0.001 * Word(0));
    }
  }

  ~Lx16aBus() override { torqueOff(); }

  bool readsBack() const override { return true; }

  BusReadback read() override {
    BusReadback readback;
    for (int i = 0; i < count(); ++i) {
      readback.servos[i] = readState(i);
      watch_.answered(i, readback.servos[i]);
    }
    readback.count = count();
    return readback;
  }

  // Each servo is sent to where it stands, at once, before its motor loads.
  void arm(const BusFrame& hold) override {
    CheckFrame(hold, servos_, kBus);
    for (int i = 0; i < count(); ++i) {
      askUntilAnswered(i, lx16a::kPosRead, 2);
      const int present =
          std::clamp(static_cast<int>(static_cast<std::int16_t>(Word(0))), 0, kLastPosition);
      sendMove(i, present, 0);
      const std::uint8_t load = 1;
      send(servos_[i].channel, lx16a::kLoadOrUnloadWrite, &load, 1);
    }
    armed_ = true;
  }

  void write(const BusFrame& frame) override {
    if (!armed_) throw BusFault("lx16a: a frame to send before the servos are armed");
    CheckFrame(frame, servos_, kBus);
    for (int i = 0; i < frame.count; ++i) {
      sendMove(i, Lx16aPosition(servos_[i].calibration, frame.servos[i].angle), moveMs_);
    }
    for (int n = 0; n < watch_.readsPerTick(); ++n) {
      const int due = watch_.due();
      ServoReading reading;
      if (const char* failure = tryReadState(due, reading)) {
        watch_.missed(due, failure);
        return;
      }
      watch_.answered(due, reading);
    }
  }

  void torqueOff() noexcept override {
    armed_ = false;
    const std::uint8_t unload = 0;
    for (const BusServo& servo : servos_) {
      try {
        BuildLx16aPacket(static_cast<std::uint8_t>(servo.channel), lx16a::kLoadOrUnloadWrite,
                         &unload, 1, packet_);
        port_.trySend(packet_.data(), packet_.size());
      } catch (...) {
        // Nothing more can be done for a line that fails here.
      }
    }
  }

 private:
  static constexpr std::size_t kInputCapacity = 256;

  int count() const { return static_cast<int>(servos_.size()); }
  unsigned Word(int at) const {
    return answer_.parameters[at] | (static_cast<unsigned>(answer_.parameters[at + 1]) << 8);
  }

  void send(int id, std::uint8_t command, const std::uint8_t* parameters, std::size_t size) {
    BuildLx16aPacket(static_cast<std::uint8_t>(id), command, parameters, size, packet_);
    port_.send(packet_.data(), packet_.size());
  }

  void sendMove(int servo, int position, int milliseconds) {
    const std::uint8_t parameters[4] = {static_cast<std::uint8_t>(position & 0xFF),
                                        static_cast<std::uint8_t>(position >> 8),
                                        static_cast<std::uint8_t>(milliseconds & 0xFF),
                                        static_cast<std::uint8_t>(milliseconds >> 8)};
    send(servos_[servo].channel, lx16a::kMoveTimeWrite, parameters, sizeof parameters);
  }

  // Position, voltage and temperature: three questions. Returns why one
  // went unanswered, or nothing.
  const char* tryReadState(int servo, ServoReading& reading) {
    reading.joint = servos_[servo].joint;
    reading.channel = servos_[servo].channel;
    if (const char* failure = ask(servo, lx16a::kPosRead, 2)) return failure;
    reading.angle = Lx16aAngle(servos_[servo].calibration, static_cast<std::int16_t>(Word(0)));
    if (const char* failure = ask(servo, lx16a::kVinRead, 2)) return failure;
    reading.volts = 0.001 * Word(0);
    if (const char* failure = ask(servo, lx16a::kTempRead, 1)) return failure;
    reading.celsius = answer_.parameters[0];
    reading.answered = true;
    return nullptr;
  }

  ServoReading readState(int servo) {
    ServoReading reading;
    while (const char* failure = tryReadState(servo, reading)) watch_.missed(servo, failure);
    return reading;
  }

  void askUntilAnswered(int servo, std::uint8_t command, std::size_t size) {
    while (const char* failure = ask(servo, command, size)) watch_.missed(servo, failure);
  }

  // Asks a servo a read command and waits for its answer of `size` bytes
  // (in answer_). The line is half duplex: the request's own echo, if the
  // adapter hears it, is a packet of another length and is passed over.
  const char* ask(int servo, std::uint8_t command, std::size_t size) {
    const auto id = static_cast<std::uint8_t>(servos_[servo].channel);
    BuildLx16aPacket(id, command, nullptr, 0, packet_);
    port_.discardInput();
    port_.send(packet_.data(), packet_.size());
    const std::size_t wireBytes = packet_.size() + kAnswerOverhead + size;
    const auto deadline = SerialPort::Clock::now() + port_.byteTime() * wireBytes + kAnswerMargin;
    const char* failure = "no answer";
    port_.collect(input_, deadline, [&](const std::vector<std::uint8_t>& input) {
      std::size_t start = 0, end = 0;
      for (;;) {
        const Lx16aScan scan = ScanLx16aPacket(input.data(), input.size(), start, answer_, end);
        if (scan == Lx16aScan::kBadChecksum) failure = "answers that fail their checksum";
        if (scan != Lx16aScan::kPacket) return scan == Lx16aScan::kBadChecksum;
        start = end;
        if (answer_.id == id && answer_.command == command && answer_.parameters.size() == size) {
          failure = nullptr;
          return true;
        }
      }
    });
    return failure;
  }

  SerialPort port_;
  std::vector<BusServo> servos_;
  ServoWatch watch_;
  int moveMs_;
  std::vector<std::uint8_t> packet_;
  std::vector<std::uint8_t> input_;
  Lx16aPacket answer_;
  bool armed_ = false;
};

}  // namespace

int Lx16aPosition(const JointServo& servo, double angle) {
  const double position = ServoValue(servo, Scale(servo), angle);
  // Sending the centre instead would move the servo: refuse.
  if (!std::isfinite(position)) throw BusFault("lx16a: an angle that is not a number");
  return static_cast<int>(std::clamp<double>(std::round(position), 0.0, kLastPosition));
}

double Lx16aAngle(const JointServo& servo, int position) {
  return ServoAngle(servo, Scale(servo), position);
}

std::unique_ptr<ServoBus> OpenLx16aBus(const std::string& device, int baud,
                                       const GaitSettings& gait) {
  return std::make_unique<Lx16aBus>(device, baud, gait);
}

}  // namespace trotix
