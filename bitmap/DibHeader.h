// Reads the headers of a device-independent bitmap (the optional 14-byte
// "BM" file header, then a 12-byte core or 40-byte info header and its colour
// table) into one working form, checking that every byte it needs lies inside
// the given bytes. Pixel data is not looked at here.
#ifndef TROTIX_BITMAP_DIBHEADER_H_
#define TROTIX_BITMAP_DIBHEADER_H_

#include <array>
#include <cstddef>
#include <cstdint>
#include <vector>

#include "bitmap/DibStatus.h"

namespace trotix {

constexpr std::size_t kFileHeaderSize = 14;
constexpr std::uint32_t kCoreHeaderSize = 12;
constexpr std::uint32_t kInfoHeaderSize = 40;

constexpr std::uint32_t kBiRgb = 0;
constexpr std::uint32_t kBiRle8 = 1;
constexpr std::uint32_t kBiRle4 = 2;
constexpr std::uint32_t kBiBitfields = 3;

// The working header: an info header whatever the file's layout, with the
// gaps of the file filled in, its colour table and its colour masks.
struct DibInfo {
  std::uint32_t headerSize = 0;  // as in the file: 12 or 40
  std::int32_t width = 0;
  std::int32_t height = 0;  // negative for a top-down picture
  std::uint16_t planes = 0;
  std::uint16_t bitCount = 0;
  std::uint32_t compression = kBiRgb;
  // The file's value, or whole bytes per row times height (unsigned 32-bit,
  // rows not padded) where the file gives 0.
  std::uint32_t imageSize = 0;
  std::uint32_t colorsUsed = 0;           // the file's value, or the table length where it gives 0
  std::vector<std::uint32_t> colorTable;  // 0x00RRGGBB, PaletteEntryCount entries
  std::array<std::uint32_t, 3> masks{};   // red, green, blue; 16- and 32-bit pictures
  std::uint64_t bitsOffset = 0;           // pixel data from the first byte; may lie past the end
};

// Number of colour-table entries of the DIB header at `header`, of which
// `available` bytes may be read: biClrUsed cut to 16 bits when it is not 0,
// else 2, 16 or 256 for 1-, 4- and 8-bit pictures and 0 for any other. A
// header too short for the fields involved counts 0.
std::uint16_t PaletteEntryCount(const unsigned char* header, std::size_t available);

// Fills `info` from the `size` bytes of a bitmap file (or a DIB without a
// file header). kUnknownFormat when there is no room for the header size or
// it is neither 12 nor 40; kConversionError when the header, its masks or
// its colour table run past the end.
DibStatus ReadDibInfo(const unsigned char* bytes, std::size_t size, DibInfo* info);

}  // namespace trotix

#endif  // TROTIX_BITMAP_DIBHEADER_H_
