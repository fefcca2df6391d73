// Decodes a device-independent bitmap held in memory into 24-bit rows of
// blue, green, red, each padded to a multiple of 4 bytes, in the file's row
// order: colour-table pictures of 1, 4 and 8 bits, RLE8 and RLE4, 16-bit
// (5-5-5 unless bit fields say otherwise), 24-bit and 32-bit pictures.
//
// Hostile bytes are safe: nothing outside [bytes, bytes + size) is read,
// sizes are checked before anything is allocated, run-length streams are
// clipped to the picture, and a palette index beyond the colour table gives
// black.
#ifndef TROTIX_BITMAP_DIBDECODER_H_
#define TROTIX_BITMAP_DIBDECODER_H_

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <memory>

#include "bitmap/DibStatus.h"

namespace trotix {

// The largest 24-bit picture the decoder makes: 256 MiB.
constexpr std::size_t kMaxSectionBytes = std::size_t{256} << 20;

struct FreeDeleter {
  void operator()(unsigned char* block) const { std::free(block); }
};

// The converted picture: |height| rows of `stride` bytes in the file's row
// order (bottom row first unless height is negative), in a malloc block.
struct DibSection {
  std::int32_t width = 0;   // > 0
  std::int32_t height = 0;  // as in the file; negative for top-down
  std::size_t stride = 0;   // width * 3 rounded up to a multiple of 4
  std::unique_ptr<unsigned char, FreeDeleter> bits;

  std::size_t rowCount() const;
};

// Decodes the `size` bytes of a bitmap file (with or without its 14-byte
// file header) into `section`. A picture whose rows would take more than
// `maxSectionBytes` gives kOutOfMemory.
DibStatus DecodeDib(const unsigned char* bytes, std::size_t size, DibSection* section,
                    std::size_t maxSectionBytes = kMaxSectionBytes);

// Rewrites the section, in its own buffer, as rows of red, green, blue
// without gaps, bottom row first, and hands the buffer over: the first
// width * rowCount() * 3 bytes of a block the caller releases with free().
// The section is left empty.
unsigned char* TakeSectionAsRgb(DibSection* section);

// Off: TakeSectionAsRgb uses only its portable code, even where the
// processor has faster instructions.
void AllowSimdForTesting(bool allowed);

}  // namespace trotix

#endif  // TROTIX_BITMAP_DIBDECODER_H_
