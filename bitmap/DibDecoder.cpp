#include "bitmap/DibDecoder.h"

#include <cstdlib>
#include <cstring>
#include <new>

#include "bitmap/DibHeader.h"
#include "bitmap/DibPixels.h"
#include "bitmap/DibRle.h"

namespace trotix {
namespace {

bool IsRle(const DibInfo& info) {
  return info.compression == kBiRle8 || info.compression == kBiRle4;
}

// Whether the header describes a picture this decoder can make: a positive
// width, a height other than 0, a known bit count with a compression that
// fits it, and no top-down run-length picture (the format has none).
bool IsDecodable(const DibInfo& info) {
  if (info.width <= 0 || info.height == 0) return false;
  switch (info.compression) {
    case kBiRgb:
      return info.bitCount == 1 || info.bitCount == 4 || info.bitCount == 8 ||
             info.bitCount == 16 || info.bitCount == 24 || info.bitCount == 32;
    case kBiRle8:
      return info.bitCount == 8 && info.height > 0;
    case kBiRle4:
      return info.bitCount == 4 && info.height > 0;
    case kBiBitfields:
      return info.bitCount == 16 || info.bitCount == 32;
    default:
      return false;
  }
}

std::size_t RowCountOf(std::int32_t height) {
  // Through 64 bits so that -2^31 has a magnitude.
  const std::int64_t rows = height;
  return static_cast<std::size_t>(rows < 0 ? -rows : rows);
}

std::size_t SectionStride(std::int32_t width) {
  return (static_cast<std::size_t>(width) * 3 + 3) & ~std::size_t{3};
}

// Whether the file holds every source row from bitsOffset on (the last row
// may go without its padding). Run-length streams need at least one byte.
bool PixelDataFits(const DibInfo& info, std::size_t size, std::size_t rowCount) {
  if (info.bitsOffset >= size) return false;
  if (IsRle(info)) return true;
  const std::uint32_t width = static_cast<std::uint32_t>(info.width);
  const std::uint64_t needed =
      SourceStride(width, info.bitCount) * (rowCount - 1) + SourceRowBytes(width, info.bitCount);
  return needed <= size - info.bitsOffset;
}

void DecodePixels(const DibInfo& info, const unsigned char* bytes, std::size_t size,
                  DibSection* section) {
  const unsigned char* bits = bytes + info.bitsOffset;
  const std::size_t rowCount = section->rowCount();
  if (!IsRle(info)) {
    DecodeUncompressed(info, bits, rowCount, section->bits.get(), section->stride);
    return;
  }
  std::memset(section->bits.get(), 0, section->stride * rowCount);
  const RleKind kind = info.compression == kBiRle8 ? RleKind::kRle8 : RleKind::kRle4;
  DecodeRle(kind, bits, size - info.bitsOffset, MakeColorLookup(info.colorTable),
            static_cast<std::uint32_t>(info.width), rowCount, section->bits.get(), section->stride);
}

}  // namespace

const char* DibStatusMessage(DibStatus status) {
  switch (status) {
    case DibStatus::kOk:
      return "";
    case DibStatus::kUnknownFormat:
      return "Unknown DIB file format.";
    case DibStatus::kConversionError:
      return "Image file conversion error.";
    case DibStatus::kOutOfMemory:
      return "Out of memory.";
  }
  return "";
}

std::size_t DibSection::rowCount() const { return RowCountOf(height); }

DibStatus DecodeDib(const unsigned char* bytes, std::size_t size, DibSection* section,
                    std::size_t maxSectionBytes) {
  *section = DibSection();
  try {
    DibInfo info;
    const DibStatus status = ReadDibInfo(bytes, size, &info);
    if (status != DibStatus::kOk) return status;
    if (!IsDecodable(info)) return DibStatus::kConversionError;

    const std::size_t rowCount = RowCountOf(info.height);
    const std::size_t stride = SectionStride(info.width);
    if (rowCount > maxSectionBytes / stride) return DibStatus::kOutOfMemory;
    if (!PixelDataFits(info, size, rowCount)) return DibStatus::kConversionError;

    section->bits.reset(static_cast<unsigned char*>(std::malloc(stride * rowCount)));
    if (!section->bits) return DibStatus::kOutOfMemory;
    section->width = info.width;
    section->height = info.height;
    section->stride = stride;
    DecodePixels(info, bytes, size, section);
    return DibStatus::kOk;
  } catch (const std::bad_alloc&) {
    *section = DibSection();
    return DibStatus::kOutOfMemory;
  }
}

}  // namespace trotix
