#include "bitmap/DibPixels.h"

#include <algorithm>
#include <cstring>

namespace trotix {
namespace {

constexpr bool kLittleEndian = __BYTE_ORDER__ == __ORDER_LITTLE_ENDIAN__;

// One colour channel of a 16- or 32-bit pixel: the bits under `mask`, of any
// width, scaled to 0..255 as round(v * 255 / max).
class ChannelExpander {
 public:
  explicit ChannelExpander(std::uint32_t mask) : mask_(mask) {
    if (mask == 0) return;
    while (((mask >> shift_) & 1) == 0) ++shift_;
    max_ = mask >> shift_;
  }
  std::uint32_t expand(std::uint32_t pixel) const {
    if (max_ == 0) return 0;
    const std::uint64_t value = (pixel & mask_) >> shift_;
    return static_cast<std::uint32_t>((value * 255 + max_ / 2) / max_);
  }

 private:
  std::uint32_t mask_;
  unsigned shift_ = 0;
  std::uint64_t max_ = 0;
};

struct MaskExpanders {
  ChannelExpander red, green, blue;
  std::uint32_t color(std::uint32_t pixel) const {
    return blue.expand(pixel) | (green.expand(pixel) << 8) | (red.expand(pixel) << 16);
  }
};

void ConvertPackedIndexRow(const unsigned char* src, std::uint32_t width, unsigned bits,
                           const ColorLookup& lookup, unsigned char* out) {
  const unsigned perByte = 8 / bits;
  const unsigned valueMask = (1u << bits) - 1;
  for (std::uint32_t x = 0; x < width; ++x) {
    const unsigned shift = 8 - bits * (x % perByte + 1);  // leftmost pixel in the high bits
    PutPixel(out + 3 * std::size_t{x}, lookup[(src[x / perByte] >> shift) & valueMask]);
  }
}

void ConvertByteIndexRow(const unsigned char* src, std::uint32_t width, const ColorLookup& lookup,
                         unsigned char* out) {
  std::uint32_t x = 0;
  if (kLittleEndian) {
    // Eight pixels as three whole 64-bit words, assembled in registers.
    for (; x + 8 <= width; x += 8, out += 24) {
      std::uint64_t c[8];
      for (int i = 0; i < 8; ++i) c[i] = lookup[src[x + i]];
      const std::uint64_t words[3] = {c[0] | c[1] << 24 | c[2] << 48,
                                      c[2] >> 16 | c[3] << 8 | c[4] << 32 | c[5] << 56,
                                      c[5] >> 8 | c[6] << 16 | c[7] << 40};
      for (int i = 0; i < 3; ++i) std::memcpy(out + 8 * i, &words[i], 8);
    }
  }
  for (; x < width; ++x, out += 3) PutPixel(out, lookup[src[x]]);
}

void Convert16Row(const unsigned char* src, std::uint32_t width, const MaskExpanders& expanders,
                  unsigned char* out) {
  for (std::uint32_t x = 0; x < width; ++x, src += 2, out += 3) {
    PutPixel(out, expanders.color(static_cast<std::uint32_t>(src[0] | (src[1] << 8))));
  }
}

void Convert32Row(const unsigned char* src, std::uint32_t width, const MaskExpanders& expanders,
                  unsigned char* out) {
  for (std::uint32_t x = 0; x < width; ++x, src += 4, out += 3) {
    const std::uint32_t pixel = static_cast<std::uint32_t>(src[0]) | (std::uint32_t{src[1]} << 8) |
                                (std::uint32_t{src[2]} << 16) | (std::uint32_t{src[3]} << 24);
    PutPixel(out, expanders.color(pixel));
  }
}

// Blue, green, red, unused: the first three bytes are already what we want.
void Convert32DefaultRow(const unsigned char* src, std::uint32_t width, unsigned char* out) {
  for (std::uint32_t x = 0; x < width; ++x, src += 4, out += 3) {
    out[0] = src[0];
    out[1] = src[1];
    out[2] = src[2];
  }
}

bool HasDefault32Masks(const DibInfo& info) {
  return info.masks[0] == 0xFF0000 && info.masks[1] == 0x00FF00 && info.masks[2] == 0x0000FF;
}

}  // namespace

ColorLookup MakeColorLookup(const std::vector<std::uint32_t>& colorTable) {
  ColorLookup lookup{};
  std::copy_n(colorTable.begin(), std::min(colorTable.size(), lookup.size()), lookup.begin());
  return lookup;
}

std::uint64_t SourceStride(std::uint32_t width, std::uint16_t bitCount) {
  return (std::uint64_t{width} * bitCount + 31) / 32 * 4;
}

std::uint64_t SourceRowBytes(std::uint32_t width, std::uint16_t bitCount) {
  return (std::uint64_t{width} * bitCount + 7) / 8;
}

void DecodeUncompressed(const DibInfo& info, const unsigned char* bits, std::size_t rowCount,
                        unsigned char* out, std::size_t stride) {
  const std::uint32_t width = static_cast<std::uint32_t>(info.width);
  const std::size_t sourceStride = SourceStride(width, info.bitCount);
  const std::size_t pixelBytes = std::size_t{width} * 3;
  const ColorLookup lookup = MakeColorLookup(info.colorTable);
  const MaskExpanders expanders{ChannelExpander(info.masks[0]), ChannelExpander(info.masks[1]),
                                ChannelExpander(info.masks[2])};
  const bool default32 = HasDefault32Masks(info);
  for (std::size_t y = 0; y < rowCount; ++y) {
    // Indexed, not stepped: the last source row may lack its padding.
    const unsigned char* src = bits + y * sourceStride;
    unsigned char* row = out + y * stride;
    switch (info.bitCount) {
      case 1:
      case 4:
        ConvertPackedIndexRow(src, width, info.bitCount, lookup, row);
        break;
      case 8:
        ConvertByteIndexRow(src, width, lookup, row);
        break;
      case 16:
        Convert16Row(src, width, expanders, row);
        break;
      case 24:
        std::memcpy(row, src, pixelBytes);
        break;
      default:
        if (default32) {
          Convert32DefaultRow(src, width, row);
        } else {
          Convert32Row(src, width, expanders, row);
        }
        break;
    }
    std::memset(row + pixelBytes, 0, stride - pixelBytes);
  }
}

}  // namespace trotix
