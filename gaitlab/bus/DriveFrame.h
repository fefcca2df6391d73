// The frame the drive sends a microcontroller once a tick, over UDP or a
// serial line (docs/drive-frame.md): 40 bytes, little-endian,
//   0  'T' 'X'      magic
//   2  version      1
//   3  flags        kFrameArmed, kFrameTorqueOff
//   4  sequence     u32, +1 every frame sent, from 0
//   8  tick         u32, the drive's tick (soft start included)
//   12 pulses       12 x u16 microseconds, slot = the gait file's channel;
//                   0: no pulse on that output
//   36 hold_ms      u16: how long the receiver keeps the last pulses when
//                   no frame follows; after that it cuts every output
//   38 crc          u16, CRC-16/CCITT-FALSE of bytes 0 to 37
#ifndef TROTIX_GAITLAB_BUS_DRIVEFRAME_H_
#define TROTIX_GAITLAB_BUS_DRIVEFRAME_H_

#include <array>
#include <cstddef>
#include <cstdint>

namespace trotix {

constexpr std::size_t kDriveFrameBytes = 40;
constexpr int kDriveFrameSlots = 12;
constexpr std::uint8_t kDriveFrameVersion = 1;
constexpr std::uint8_t kFrameArmed = 0x01;      // pulses are to be driven
constexpr std::uint8_t kFrameTorqueOff = 0x02;  // cut every output now

struct DriveFrame {
  std::uint8_t flags = 0;
  std::uint32_t sequence = 0;
  std::uint32_t tick = 0;
  std::array<std::uint16_t, kDriveFrameSlots> pulses{};
  std::uint16_t holdMs = 0;
};

using DriveFrameBytes = std::array<std::uint8_t, kDriveFrameBytes>;

DriveFrameBytes EncodeDriveFrame(const DriveFrame& frame);

// CRC-16/CCITT-FALSE: polynomial 0x1021, initial 0xFFFF, no reflection.
std::uint16_t Crc16Ccitt(const std::uint8_t* data, std::size_t size);

}  // namespace trotix

#endif  // TROTIX_GAITLAB_BUS_DRIVEFRAME_H_
