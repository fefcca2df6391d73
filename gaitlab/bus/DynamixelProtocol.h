// Dynamixel protocol 2.0 packets: header FF FF FD 00, ID, length, the
// instruction and its parameters with byte stuffing, and the CRC-16 of the
// protocol (polynomial 0x8005, no reflection, initial value 0).
#ifndef TROTIX_GAITLAB_BUS_DYNAMIXELPROTOCOL_H_
#define TROTIX_GAITLAB_BUS_DYNAMIXELPROTOCOL_H_

#include <cstddef>
#include <cstdint>
#include <vector>

namespace trotix {

namespace dynamixel {

constexpr std::uint8_t kBroadcastId = 0xFE;

enum Instruction : std::uint8_t {
  kPing = 0x01,
  kRead = 0x02,
  kWrite = 0x03,
  kStatus = 0x55,
  kSyncRead = 0x82,
  kSyncWrite = 0x83,
};

// The X series' control table, the addresses the bus uses.
constexpr int kTemperatureLimit = 31;      // 1 byte, degrees C
constexpr int kMinVoltageLimit = 34;       // 2 bytes, 0.1 V
constexpr int kTorqueEnable = 64;          // 1 byte
constexpr int kGoalPosition = 116;         // 4 bytes
constexpr int kPresentPosition = 132;      // 4 bytes, signed
constexpr int kPresentInputVoltage = 144;  // 2 bytes, 0.1 V
constexpr int kPresentTemperature = 146;   // 1 byte, degrees C

constexpr std::uint8_t kAlertBit = 0x80;  // of a status packet's error byte

}  // namespace dynamixel

std::uint16_t DynamixelCrc(const std::uint8_t* bytes, std::size_t size, std::uint16_t crc = 0);

// Replaces `packet` with the instruction packet for `id`; `parameters` are
// stuffed (FF FF FD becomes FF FF FD FD). Reuses the vector's storage.
void BuildDynamixelPacket(std::uint8_t id, std::uint8_t instruction, const std::uint8_t* parameters,
                          std::size_t size, std::vector<std::uint8_t>& packet);

// One packet found in received bytes, its parameters unstuffed.
struct DynamixelPacket {
  std::uint8_t id = 0;
  std::uint8_t instruction = 0;
  std::vector<std::uint8_t> parameters;  // after a status packet's error byte
  std::uint8_t error = 0;                // a status packet's error byte
};

enum class PacketScan { kNone, kPartial, kBadCrc, kPacket };

// Looks for the first packet in `bytes` from `start`: kPacket fills
// `packet` and sets `end` past it; kBadCrc sets `end` past the damaged
// packet; kPartial wants more bytes; kNone found no header.
PacketScan ScanDynamixelPacket(const std::uint8_t* bytes, std::size_t size, std::size_t start,
                               DynamixelPacket& packet, std::size_t& end);

}  // namespace trotix

#endif  // TROTIX_GAITLAB_BUS_DYNAMIXELPROTOCOL_H_
