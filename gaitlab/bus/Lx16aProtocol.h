// The serial protocol of LX-16A style bus servos (LewanSoul, Hiwonder):
// 55 55, ID, length (parameters + 3), command, parameters, and a checksum,
// the inverted low byte of the sum from ID to the last parameter.
#ifndef TROTIX_GAITLAB_BUS_LX16APROTOCOL_H_
#define TROTIX_GAITLAB_BUS_LX16APROTOCOL_H_

#include <cstddef>
#include <cstdint>
#include <vector>

namespace trotix {

namespace lx16a {

constexpr std::uint8_t kBroadcastId = 0xFE;

enum Command : std::uint8_t {
  kMoveTimeWrite = 1,      // position (0 to 1000), time (ms)
  kVinLimitRead = 23,      // lowest and highest input, mV
  kTempMaxLimitRead = 25,  // degrees C
  kTempRead = 26,          // degrees C
  kVinRead = 27,           // mV
  kPosRead = 28,           // signed position
  kLoadOrUnloadWrite = 31  // 0 unloads the motor, 1 loads it
};

}  // namespace lx16a

std::uint8_t Lx16aChecksum(const std::uint8_t* bytes, std::size_t size);

// Replaces `packet` with the command packet for `id`.
void BuildLx16aPacket(std::uint8_t id, std::uint8_t command, const std::uint8_t* parameters,
                      std::size_t size, std::vector<std::uint8_t>& packet);

struct Lx16aPacket {
  std::uint8_t id = 0;
  std::uint8_t command = 0;
  std::vector<std::uint8_t> parameters;
};

enum class Lx16aScan { kNone, kPartial, kBadChecksum, kPacket };

// Looks for the first packet in `bytes` from `start`, as for Dynamixel:
// kPacket and kBadChecksum set `end` past the packet.
Lx16aScan ScanLx16aPacket(const std::uint8_t* bytes, std::size_t size, std::size_t start,
                          Lx16aPacket& packet, std::size_t& end);

}  // namespace trotix

#endif  // TROTIX_GAITLAB_BUS_LX16APROTOCOL_H_
