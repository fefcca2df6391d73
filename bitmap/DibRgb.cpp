// The last step of loading: the section's rows of blue, green, red (padded,
// in the file's order) become rows of red, green, blue without gaps, bottom
// row first, in the same buffer.
//
// Working in place saves a second picture-sized buffer and a pass over cold
// memory. It is safe because every pixel moves to the same place or an
// earlier one (row y moves y * (stride - width * 3) bytes back) and rows are
// rewritten first to last, each left to right, reading a group of pixels
// whole before writing it.
#include <algorithm>
#include <cstdint>
#include <cstring>

#include "bitmap/DibDecoder.h"

#if defined(__x86_64__) || defined(__i386__)
#include <immintrin.h>
#define TROTIX_HAVE_SSSE3_PATH 1
#endif

namespace trotix {
namespace {

constexpr bool kLittleEndian = __BYTE_ORDER__ == __ORDER_LITTLE_ENDIAN__;

void SwapRedBluePixel(const unsigned char* src, unsigned char* out) {
  const unsigned char blue = src[0], green = src[1], red = src[2];
  out[0] = red;
  out[1] = green;
  out[2] = blue;
}

// Four pixels at a time as three little-endian words:
// B0 G0 R0 B1 | G1 R1 B2 G2 | R2 B3 G3 R3  ->  R0 G0 B0 R1 | G1 B1 R2 G2 | B2 R3 G3 B3
std::size_t SwapRedBlueWords(const unsigned char* src, unsigned char* out, std::size_t width) {
  std::size_t x = 0;
  for (; x + 4 <= width; x += 4) {
    std::uint32_t in[3];
    std::memcpy(in, src + 3 * x, 12);
    const auto byte = [&in](int word, int index) { return (in[word] >> (8 * index)) & 0xFF; };
    const std::uint32_t words[3] = {
        byte(0, 2) | byte(0, 1) << 8 | byte(0, 0) << 16 | byte(1, 1) << 24,
        byte(1, 0) | byte(0, 3) << 8 | byte(2, 0) << 16 | byte(1, 3) << 24,
        byte(1, 2) | byte(2, 3) << 8 | byte(2, 2) << 16 | byte(2, 1) << 24};
    std::memcpy(out + 3 * x, words, 12);
  }
  return x;
}

#ifdef TROTIX_HAVE_SSSE3_PATH
// Five pixels per 16-byte load. The sixteenth byte is written back as it
// was read, so that in place (src == out) it is still there for the next
// load. Each load is made before the store of the group before it: a load
// overlapping a store still in flight would wait for it.
__attribute__((target("ssse3"))) std::size_t SwapRedBlueSsse3(const unsigned char* src,
                                                              unsigned char* out,
                                                              std::size_t width) {
  const __m128i order = _mm_setr_epi8(2, 1, 0, 5, 4, 3, 8, 7, 6, 11, 10, 9, 14, 13, 12, 15);
  const auto load = [src](std::size_t x) {
    return _mm_loadu_si128(reinterpret_cast<const __m128i*>(src + 3 * x));
  };
  if (width < 6) return 0;  // a load reaches one byte into the sixth pixel
  __m128i pixels = load(0);
  std::size_t x = 0;
  for (; x + 11 <= width; x += 5) {
    const __m128i next = load(x + 5);
    _mm_storeu_si128(reinterpret_cast<__m128i*>(out + 3 * x), _mm_shuffle_epi8(pixels, order));
    pixels = next;
  }
  _mm_storeu_si128(reinterpret_cast<__m128i*>(out + 3 * x), _mm_shuffle_epi8(pixels, order));
  return x + 5;
}

bool HasSsse3() {
  static const bool has = __builtin_cpu_supports("ssse3");
  return has;
}
#endif

bool simdAllowed = true;

void SwapRedBlueRow(const unsigned char* src, unsigned char* out, std::size_t width) {
  std::size_t x = 0;
#ifdef TROTIX_HAVE_SSSE3_PATH
  if (simdAllowed && HasSsse3()) x = SwapRedBlueSsse3(src, out, width);
#endif
  if (kLittleEndian) x += SwapRedBlueWords(src + 3 * x, out + 3 * x, width - x);
  for (; x < width; ++x) SwapRedBluePixel(src + 3 * x, out + 3 * x);
}

void ReverseRows(unsigned char* bits, std::size_t stride, std::size_t rowCount) {
  for (std::size_t low = 0, high = rowCount - 1; low < high; ++low, --high) {
    std::swap_ranges(bits + low * stride, bits + (low + 1) * stride, bits + high * stride);
  }
}

}  // namespace

void AllowSimdForTesting(bool allowed) { simdAllowed = allowed; }

unsigned char* TakeSectionAsRgb(DibSection* section) {
  unsigned char* bits = section->bits.release();
  if (bits == nullptr) return nullptr;
  const std::size_t rowCount = section->rowCount();
  const std::size_t width = static_cast<std::size_t>(section->width);
  if (section->height < 0) ReverseRows(bits, section->stride, rowCount);
  for (std::size_t y = 0; y < rowCount; ++y) {
    SwapRedBlueRow(bits + y * section->stride, bits + y * width * 3, width);
  }
  *section = DibSection();
  return bits;
}

}  // namespace trotix
