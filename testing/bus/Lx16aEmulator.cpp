#include "Lx16aEmulator.h"

namespace trotix {
namespace {

std::vector<std::uint8_t> Word(int value) {
  return {static_cast<std::uint8_t>(value & 0xFF), static_cast<std::uint8_t>((value >> 8) & 0xFF)};
}

}  // namespace

Lx16aEmulator::Lx16aEmulator(const std::vector<int>& ids) {
  for (const int id : ids) servos_[id] = Servo();
  start();
}

Lx16aEmulator::Servo Lx16aEmulator::servo(int id) const {
  std::lock_guard<std::mutex> lock(mutex_);
  return servos_.at(id);
}

std::vector<Lx16aPacket> Lx16aEmulator::received() const {
  std::lock_guard<std::mutex> lock(mutex_);
  return received_;
}

int Lx16aEmulator::badPackets() const {
  std::lock_guard<std::mutex> lock(mutex_);
  return badPackets_;
}

std::size_t Lx16aEmulator::consume(const std::vector<std::uint8_t>& input) {
  std::size_t start = 0;
  for (;;) {
    Lx16aPacket packet;
    std::size_t end = 0;
    switch (ScanLx16aPacket(input.data(), input.size(), start, packet, end)) {
      case Lx16aScan::kPacket:
        received_.push_back(packet);
        handle(packet);
        start = end;
        break;
      case Lx16aScan::kBadChecksum:
        ++badPackets_;
        start = end;
        break;
      case Lx16aScan::kPartial:
        return start;
      case Lx16aScan::kNone:
        return input.size() > 1 ? input.size() - 1 : start;
    }
  }
}

void Lx16aEmulator::handle(const Lx16aPacket& packet) {
  if (!servos_.count(packet.id)) return;
  Servo& servo = servos_[packet.id];
  const std::vector<std::uint8_t>& p = packet.parameters;
  switch (packet.command) {
    case lx16a::kMoveTimeWrite:
      if (p.size() == 4) {
        servo.position = p[0] | (p[1] << 8);
        servo.loaded = true;
      }
      return;
    case lx16a::kLoadOrUnloadWrite:
      if (p.size() == 1) servo.loaded = p[0] != 0;
      return;
  }
  if (servo.silent || !p.empty()) return;
  switch (packet.command) {
    case lx16a::kPosRead:
      return reply(packet.id, packet.command, Word(servo.position));
    case lx16a::kVinRead:
      return reply(packet.id, packet.command, Word(servo.millivolts));
    case lx16a::kTempRead:
      return reply(packet.id, packet.command, {static_cast<std::uint8_t>(servo.celsius)});
    case lx16a::kTempMaxLimitRead:
      return reply(packet.id, packet.command, {static_cast<std::uint8_t>(servo.celsiusLimit)});
    case lx16a::kVinLimitRead: {
      std::vector<std::uint8_t> limits = Word(servo.minMillivolts);
      for (const std::uint8_t byte : Word(12000)) limits.push_back(byte);
      return reply(packet.id, packet.command, limits);
    }
  }
}

void Lx16aEmulator::reply(int id, std::uint8_t command, std::vector<std::uint8_t> data) {
  std::vector<std::uint8_t> packet;
  BuildLx16aPacket(static_cast<std::uint8_t>(id), command, data.data(), data.size(), packet);
  if (servos_[id].corrupt) packet.back() ^= 0x5A;
  answer(packet);
}

}  // namespace trotix
