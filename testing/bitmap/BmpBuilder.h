// Builds bitmap files in memory for the tests, and decodes them back into
// red, green, blue rows, bottom row first.
#ifndef TROTIX_TESTS_BITMAP_BMPBUILDER_H_
#define TROTIX_TESTS_BITMAP_BMPBUILDER_H_

#include <cstdint>
#include <vector>

#include "bitmap/DibStatus.h"

namespace trotix {

using Bytes = std::vector<unsigned char>;

struct BmpLayout {
  bool fileHeader = true;
  std::uint32_t headerSize = 40;  // 12 writes a core header; any other an info header
  std::int32_t width = 1;
  std::int32_t height = 1;
  std::uint16_t bitCount = 24;
  std::uint32_t compression = 0;
  std::uint32_t imageSize = 0;
  std::uint32_t colorsUsed = 0;
  std::vector<std::uint32_t> masks;    // written after the header when not empty
  std::vector<std::uint32_t> palette;  // 0x00RRGGBB, 3 or 4 bytes each as the header wants
  Bytes pixels;                        // exactly as they are to appear in the file
};

Bytes BuildBmp(const BmpLayout& layout);

// Each row followed by zeros up to a multiple of 4 bytes.
Bytes PadRows(const std::vector<Bytes>& rows);

struct DecodedPicture {
  DibStatus status = DibStatus::kOk;
  std::int32_t width = 0;
  std::int32_t height = 0;  // row count, bottom row first
  Bytes rgb;
  Bytes sectionRow0;  // the first 24-bit row as decoded, padding included
};

DecodedPicture Decode(const Bytes& file);

// Red, green, blue of pixel (x, y), y counted from the bottom.
std::uint32_t RgbAt(const DecodedPicture& picture, int x, int y);

}  // namespace trotix

#endif  // TROTIX_TESTS_BITMAP_BMPBUILDER_H_
