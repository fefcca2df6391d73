#include "testing/x11/TestBitmap.h"

namespace trotix::testing {
namespace {

void PutLittleEndian(std::vector<std::uint8_t>& out, std::uint32_t value, int bytes) {
  for (int i = 0; i < bytes; ++i) out.push_back(static_cast<std::uint8_t>(value >> (8 * i)));
}

}  // namespace

std::vector<std::uint8_t> ValidStarBitmap() {
  constexpr int kSide = 8;
  constexpr std::uint32_t kHeaders = 14 + 40;
  constexpr std::uint32_t kPixelBytes = kSide * kSide * 3;  // rows of 24 bytes need no padding
  std::vector<std::uint8_t> bmp{'B', 'M'};
  PutLittleEndian(bmp, kHeaders + kPixelBytes, 4);
  PutLittleEndian(bmp, 0, 4);
  PutLittleEndian(bmp, kHeaders, 4);
  PutLittleEndian(bmp, 40, 4);
  PutLittleEndian(bmp, kSide, 4);
  PutLittleEndian(bmp, kSide, 4);
  PutLittleEndian(bmp, 1, 2);   // planes
  PutLittleEndian(bmp, 24, 2);  // bits per pixel
  PutLittleEndian(bmp, 0, 4);   // no compression
  PutLittleEndian(bmp, kPixelBytes, 4);
  PutLittleEndian(bmp, 2835, 4);
  PutLittleEndian(bmp, 2835, 4);
  PutLittleEndian(bmp, 0, 4);
  PutLittleEndian(bmp, 0, 4);
  for (int y = 0; y < kSide; ++y) {
    for (int x = 0; x < kSide; ++x) {
      const bool star = x == y || x + y == kSide - 1;
      bmp.push_back(star ? 0x00 : 0x80);  // blue
      bmp.push_back(star ? 0xFF : 0x00);  // green
      bmp.push_back(star ? 0xFF : 0x00);  // red
    }
  }
  return bmp;
}

}  // namespace trotix::testing
