#include "gaitlab/bus/DriveFrame.h"

namespace trotix {
namespace {

std::uint8_t* Put16(std::uint8_t* out, std::uint16_t value) {
  *out++ = static_cast<std::uint8_t>(value & 0xff);
  *out++ = static_cast<std::uint8_t>(value >> 8);
  return out;
}

std::uint8_t* Put32(std::uint8_t* out, std::uint32_t value) {
  out = Put16(out, static_cast<std::uint16_t>(value & 0xffff));
  return Put16(out, static_cast<std::uint16_t>(value >> 16));
}

}  // namespace

std::uint16_t Crc16Ccitt(const std::uint8_t* data, std::size_t size) {
  std::uint16_t crc = 0xffff;
  for (std::size_t i = 0; i < size; ++i) {
    crc ^= static_cast<std::uint16_t>(data[i] << 8);
    for (int bit = 0; bit < 8; ++bit) {
      crc = static_cast<std::uint16_t>(crc & 0x8000 ? (crc << 1) ^ 0x1021 : crc << 1);
    }
  }
  return crc;
}

DriveFrameBytes EncodeDriveFrame(const DriveFrame& frame) {
  DriveFrameBytes bytes{};
  std::uint8_t* out = bytes.data();
  *out++ = 'T';
  *out++ = 'X';
  *out++ = kDriveFrameVersion;
  *out++ = frame.flags;
  out = Put32(out, frame.sequence);
  out = Put32(out, frame.tick);
  for (const std::uint16_t pulse : frame.pulses) out = Put16(out, pulse);
  out = Put16(out, frame.holdMs);
  Put16(out, Crc16Ccitt(bytes.data(), kDriveFrameBytes - 2));
  return bytes;
}

}  // namespace trotix
