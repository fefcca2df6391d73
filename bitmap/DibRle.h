// Run-length encoded pictures (RLE8 and RLE4) into 24-bit section rows.
#ifndef TROTIX_BITMAP_DIBRLE_H_
#define TROTIX_BITMAP_DIBRLE_H_

#include <cstddef>
#include <cstdint>

#include "bitmap/DibPixels.h"

namespace trotix {

enum class RleKind { kRle8, kRle4 };

// Paints the `length` bytes of an RLE stream into `rowCount` rows of `width`
// pixels at `out` (rows `stride` bytes apart, bottom row first), which must
// be zero-filled: what the stream leaves unset stays black. Encoded runs,
// absolute runs, end of line, end of bitmap and delta are honoured; anything
// that reaches past a row or past the picture is clipped. Decoding stops at
// the end of the bitmap, the top of the picture or the end of the stream.
void DecodeRle(RleKind kind, const unsigned char* stream, std::size_t length,
               const ColorLookup& lookup, std::uint32_t width, std::size_t rowCount,
               unsigned char* out, std::size_t stride);

}  // namespace trotix

#endif  // TROTIX_BITMAP_DIBRLE_H_
