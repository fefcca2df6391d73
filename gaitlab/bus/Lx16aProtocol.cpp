#include "gaitlab/bus/Lx16aProtocol.h"

namespace trotix {
namespace {

constexpr std::size_t kBeforeLength = 3;  // 55 55 ID
constexpr std::size_t kShortestLength = 3;
constexpr std::size_t kLongestLength = 7;  // the longest packet of the protocol

}  // namespace

std::uint8_t Lx16aChecksum(const std::uint8_t* bytes, std::size_t size) {
  unsigned sum = 0;
  for (std::size_t i = 0; i < size; ++i) sum += bytes[i];
  return static_cast<std::uint8_t>(~sum & 0xFF);
}

void BuildLx16aPacket(std::uint8_t id, std::uint8_t command, const std::uint8_t* parameters,
                      std::size_t size, std::vector<std::uint8_t>& packet) {
  packet.assign({0x55, 0x55, id, static_cast<std::uint8_t>(size + 3), command});
  packet.insert(packet.end(), parameters, parameters + size);
  packet.push_back(Lx16aChecksum(packet.data() + 2, packet.size() - 2));
}

Lx16aScan ScanLx16aPacket(const std::uint8_t* bytes, std::size_t size, std::size_t start,
                          Lx16aPacket& packet, std::size_t& end) {
  for (std::size_t at = start; at + 2 <= size; ++at) {
    if (bytes[at] != 0x55 || bytes[at + 1] != 0x55) continue;
    if (size - at < kBeforeLength + 1) return Lx16aScan::kPartial;
    const std::size_t length = bytes[at + kBeforeLength];
    if (length < kShortestLength || length > kLongestLength) continue;
    const std::size_t total = kBeforeLength + length;
    if (size - at < total) return Lx16aScan::kPartial;
    end = at + total;
    if (Lx16aChecksum(bytes + at + 2, total - 3) != bytes[end - 1]) return Lx16aScan::kBadChecksum;
    packet.id = bytes[at + 2];
    packet.command = bytes[at + 4];
    packet.parameters.assign(bytes + at + 5, bytes + end - 1);
    return Lx16aScan::kPacket;
  }
  return Lx16aScan::kNone;
}

}  // namespace trotix
