#include "DynamixelEmulator.h"

#include <algorithm>

namespace trotix {
namespace {

namespace dxl = dynamixel;

std::int32_t Int32At(const std::array<std::uint8_t, 256>& table, int address) {
  return static_cast<std::int32_t>(table[address] | (table[address + 1] << 8) |
                                   (table[address + 2] << 16) |
                                   (static_cast<std::uint32_t>(table[address + 3]) << 24));
}

int Word(const std::vector<std::uint8_t>& bytes, std::size_t at) {
  return bytes[at] | (bytes[at + 1] << 8);
}

}  // namespace

DynamixelEmulator::DynamixelEmulator(const std::vector<int>& ids) {
  for (const int id : ids) {
    Servo& servo = servos_[id];
    servo.table[dxl::kTemperatureLimit] = 80;
    servo.table[dxl::kPresentPosition] = 0x00;  // 2048, the middle
    servo.table[dxl::kPresentPosition + 1] = 0x08;
    servo.table[dxl::kPresentInputVoltage] = 120;  // 12.0 V
    servo.table[dxl::kPresentTemperature] = 35;
  }
  start();
}

std::vector<DynamixelPacket> DynamixelEmulator::received() const {
  std::lock_guard<std::mutex> lock(mutex_);
  return received_;
}

std::vector<DynamixelEmulator::Goal> DynamixelEmulator::goals() const {
  std::lock_guard<std::mutex> lock(mutex_);
  return goals_;
}

int DynamixelEmulator::badPackets() const {
  std::lock_guard<std::mutex> lock(mutex_);
  return badPackets_;
}

std::size_t DynamixelEmulator::consume(const std::vector<std::uint8_t>& input) {
  std::size_t start = 0;
  for (;;) {
    DynamixelPacket packet;
    std::size_t end = 0;
    switch (ScanDynamixelPacket(input.data(), input.size(), start, packet, end)) {
      case PacketScan::kPacket:
        received_.push_back(packet);
        handle(packet);
        start = end;
        break;
      case PacketScan::kBadCrc:
        ++badPackets_;
        start = end;
        break;
      case PacketScan::kPartial:
        return start;
      case PacketScan::kNone:
        return input.size() > 3 ? input.size() - 3 : start;
    }
  }
}

void DynamixelEmulator::handle(const DynamixelPacket& packet) {
  const std::vector<std::uint8_t>& p = packet.parameters;
  if (packet.instruction == dxl::kSyncWrite && p.size() >= 4) {
    const int address = Word(p, 0);
    const std::size_t size = static_cast<std::size_t>(Word(p, 2));
    for (std::size_t at = 4; at + 1 + size <= p.size(); at += 1 + size) {
      if (servos_.count(p[at])) store(p[at], address, &p[at + 1], size);
    }
    return;
  }
  if (!servos_.count(packet.id) || servos_[packet.id].silent) return;
  if (packet.instruction == dxl::kRead && p.size() == 4 && Word(p, 0) + Word(p, 2) <= 256) {
    const Servo& servo = servos_[packet.id];
    status(packet.id, &servo.table[Word(p, 0)], static_cast<std::size_t>(Word(p, 2)));
  } else if (packet.instruction == dxl::kWrite && p.size() > 2) {
    store(packet.id, Word(p, 0), &p[2], p.size() - 2);
    status(packet.id, nullptr, 0);
  }
}

void DynamixelEmulator::store(int id, int address, const std::uint8_t* bytes, std::size_t size) {
  Servo& servo = servos_[id];
  if (address + size > servo.table.size()) return;
  std::copy(bytes, bytes + size, servo.table.begin() + address);
  if (address > dxl::kGoalPosition || address + static_cast<int>(size) < dxl::kGoalPosition + 4) {
    return;
  }
  const bool torqueOn = servo.table[dxl::kTorqueEnable] != 0;
  const std::int32_t goal = Int32At(servo.table, dxl::kGoalPosition);
  goals_.push_back({id, goal, Int32At(servo.table, dxl::kPresentPosition), torqueOn});
  if (torqueOn) {
    std::copy_n(&servo.table[dxl::kGoalPosition], 4, &servo.table[dxl::kPresentPosition]);
  }
}

void DynamixelEmulator::status(int id, const std::uint8_t* data, std::size_t size) {
  const Servo& servo = servos_[id];
  std::vector<std::uint8_t> parameters = {servo.alert ? dxl::kAlertBit : std::uint8_t{0}};
  if (data) parameters.insert(parameters.end(), data, data + size);
  std::vector<std::uint8_t> packet;
  BuildDynamixelPacket(static_cast<std::uint8_t>(id), dxl::kStatus, parameters.data(),
                       parameters.size(), packet);
  if (servo.corrupt) packet.back() ^= 0x5A;
  answer(packet);
}

}  // namespace trotix
