// Pixel conversions shared by the decoders: colour lookup for indexed
// pictures and the rows of uncompressed pictures, written as blue, green, red.
#ifndef TROTIX_BITMAP_DIBPIXELS_H_
#define TROTIX_BITMAP_DIBPIXELS_H_

#include <array>
#include <cstddef>
#include <cstdint>
#include <vector>

#include "bitmap/DibHeader.h"

namespace trotix {

// 0x00RRGGBB for every possible index of a picture of up to 8 bits; indices
// beyond the file's colour table are black.
using ColorLookup = std::array<std::uint32_t, 256>;

ColorLookup MakeColorLookup(const std::vector<std::uint32_t>& colorTable);

inline void PutPixel(unsigned char* out, std::uint32_t color) {
  out[0] = static_cast<unsigned char>(color);
  out[1] = static_cast<unsigned char>(color >> 8);
  out[2] = static_cast<unsigned char>(color >> 16);
}

// Bytes of one source row of an uncompressed picture, padded to 4 bytes.
std::uint64_t SourceStride(std::uint32_t width, std::uint16_t bitCount);
// Bytes of a source row that hold pixels, without the padding.
std::uint64_t SourceRowBytes(std::uint32_t width, std::uint16_t bitCount);

// Converts every row of an uncompressed picture (1, 4, 8, 16, 24 or 32 bits,
// BI_RGB or BI_BITFIELDS) from `bits`, which must hold them all, into
// `rowCount` section rows of `stride` bytes at `out`.
void DecodeUncompressed(const DibInfo& info, const unsigned char* bits, std::size_t rowCount,
                        unsigned char* out, std::size_t stride);

}  // namespace trotix

#endif  // TROTIX_BITMAP_DIBPIXELS_H_
