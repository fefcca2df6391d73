#include "gaitlab/bus/DynamixelProtocol.h"

namespace trotix {
namespace {

constexpr std::uint8_t kHeader[4] = {0xFF, 0xFF, 0xFD, 0x00};
constexpr std::size_t kHeaderSize = 4;
// Header, ID, two length bytes: what comes before the instruction.
constexpr std::size_t kInstructionAt = 7;
// The longest packet the bus takes: a Sync Write to all twelve servos or a
// read of a few bytes is far shorter.
constexpr std::size_t kMaxLength = 1024;

bool EndsStuffPattern(const std::vector<std::uint8_t>& packet, std::size_t from) {
  const std::size_t n = packet.size();
  return n >= from + 3 && packet[n - 3] == 0xFF && packet[n - 2] == 0xFF && packet[n - 1] == 0xFD;
}

}  // namespace

std::uint16_t DynamixelCrc(const std::uint8_t* bytes, std::size_t size, std::uint16_t crc) {
  for (std::size_t i = 0; i < size; ++i) {
    crc ^= static_cast<std::uint16_t>(bytes[i] << 8);
    for (int bit = 0; bit < 8; ++bit) {
      crc = (crc & 0x8000) ? static_cast<std::uint16_t>((crc << 1) ^ 0x8005)
                           : static_cast<std::uint16_t>(crc << 1);
    }
  }
  return crc;
}

void BuildDynamixelPacket(std::uint8_t id, std::uint8_t instruction, const std::uint8_t* parameters,
                          std::size_t size, std::vector<std::uint8_t>& packet) {
  packet.assign(kHeader, kHeader + kHeaderSize);
  packet.insert(packet.end(), {id, 0, 0, instruction});
  for (std::size_t i = 0; i < size; ++i) {
    packet.push_back(parameters[i]);
    if (EndsStuffPattern(packet, kInstructionAt + 1)) packet.push_back(0xFD);
  }
  const std::size_t length = packet.size() - kInstructionAt + 2;  // and the CRC
  packet[5] = static_cast<std::uint8_t>(length & 0xFF);
  packet[6] = static_cast<std::uint8_t>(length >> 8);
  const std::uint16_t crc = DynamixelCrc(packet.data(), packet.size());
  packet.push_back(static_cast<std::uint8_t>(crc & 0xFF));
  packet.push_back(static_cast<std::uint8_t>(crc >> 8));
}

PacketScan ScanDynamixelPacket(const std::uint8_t* bytes, std::size_t size, std::size_t start,
                               DynamixelPacket& packet, std::size_t& end) {
  for (std::size_t at = start; at + kHeaderSize <= size; ++at) {
    if (bytes[at] != kHeader[0] || bytes[at + 1] != kHeader[1] || bytes[at + 2] != kHeader[2] ||
        bytes[at + 3] != kHeader[3]) {
      continue;
    }
    if (size - at < kInstructionAt) return PacketScan::kPartial;
    const std::size_t length = bytes[at + 5] | (static_cast<std::size_t>(bytes[at + 6]) << 8);
    if (length < 3 || length > kMaxLength) continue;  // not a header after all
    const std::size_t total = kInstructionAt + length;
    if (size - at < total) return PacketScan::kPartial;
    end = at + total;
    const std::uint16_t crc = bytes[end - 2] | (bytes[end - 1] << 8);
    if (DynamixelCrc(bytes + at, total - 2) != crc) return PacketScan::kBadCrc;
    packet.id = bytes[at + 4];
    packet.instruction = bytes[at + kInstructionAt];
    packet.parameters.clear();
    const std::size_t first = at + kInstructionAt + 1;
    for (std::size_t i = first; i < end - 2; ++i) {
      // The FD stuffed after FF FF FD on the wire is dropped.
      const bool stuffed = bytes[i] == 0xFD && i >= first + 3 && bytes[i - 3] == 0xFF &&
                           bytes[i - 2] == 0xFF && bytes[i - 1] == 0xFD;
      if (!stuffed) packet.parameters.push_back(bytes[i]);
    }
    packet.error = 0;
    if (packet.instruction == dynamixel::kStatus && !packet.parameters.empty()) {
      packet.error = packet.parameters.front();
      packet.parameters.erase(packet.parameters.begin());
    }
    return PacketScan::kPacket;
  }
  return PacketScan::kNone;
}

}  // namespace trotix
