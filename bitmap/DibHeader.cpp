#include "bitmap/DibHeader.h"

namespace trotix {
namespace {

// Little-endian fields at any alignment (the DIB header of a file starts at
// the odd offset 14).
std::uint16_t ReadU16(const unsigned char* p) {
  return static_cast<std::uint16_t>(p[0] | (p[1] << 8));
}
std::uint32_t ReadU32(const unsigned char* p) {
  return static_cast<std::uint32_t>(p[0]) | (static_cast<std::uint32_t>(p[1]) << 8) |
         (static_cast<std::uint32_t>(p[2]) << 16) | (static_cast<std::uint32_t>(p[3]) << 24);
}

bool HasFileHeader(const unsigned char* bytes, std::size_t size) {
  return size >= 2 && bytes[0] == 'B' && bytes[1] == 'M';
}

void ReadCoreFields(const unsigned char* header, DibInfo* info) {
  info->width = ReadU16(header + 4);
  info->height = ReadU16(header + 6);
  info->planes = ReadU16(header + 8);
  info->bitCount = ReadU16(header + 10);
}

void ReadInfoFields(const unsigned char* header, DibInfo* info) {
  info->width = static_cast<std::int32_t>(ReadU32(header + 4));
  info->height = static_cast<std::int32_t>(ReadU32(header + 8));
  info->planes = ReadU16(header + 12);
  info->bitCount = ReadU16(header + 14);
  info->compression = ReadU32(header + 16);
  info->imageSize = ReadU32(header + 20);
  info->colorsUsed = ReadU32(header + 32);
}

void SetDefaultMasks(DibInfo* info) {
  if (info->bitCount == 16) {
    info->masks = {0x7C00, 0x03E0, 0x001F};  // 5-5-5
  } else if (info->bitCount == 32) {
    info->masks = {0xFF0000, 0x00FF00, 0x0000FF};
  }
}

std::uint32_t PackedColor(std::uint8_t blue, std::uint8_t green, std::uint8_t red) {
  return static_cast<std::uint32_t>(blue) | (static_cast<std::uint32_t>(green) << 8) |
         (static_cast<std::uint32_t>(red) << 16);
}

// Reads `count` entries of `entrySize` bytes (blue, green, red[, reserved]).
void ReadColorTable(const unsigned char* table, std::size_t count, std::size_t entrySize,
                    DibInfo* info) {
  info->colorTable.resize(count);
  for (std::size_t i = 0; i < count; ++i) {
    const unsigned char* entry = table + i * entrySize;
    info->colorTable[i] = PackedColor(entry[0], entry[1], entry[2]);
  }
}

void FillInZeroFields(std::uint16_t entryCount, DibInfo* info) {
  if (info->imageSize == 0) {
    // Unsigned 32-bit on purpose: this is only a record of the size, it may wrap.
    const std::uint32_t width = static_cast<std::uint32_t>(info->width);
    const std::uint32_t rowBytes = (width * info->bitCount + 7) / 8;
    info->imageSize = rowBytes * static_cast<std::uint32_t>(info->height);
  }
  if (info->colorsUsed == 0) info->colorsUsed = entryCount;
}

}  // namespace

std::uint16_t PaletteEntryCount(const unsigned char* header, std::size_t available) {
  if (header == nullptr || available < 4) return 0;
  std::uint16_t bitCount = 0;
  if (ReadU32(header) == kCoreHeaderSize) {
    if (available < kCoreHeaderSize) return 0;
    bitCount = ReadU16(header + 10);
  } else {
    if (available < 36) return 0;
    const std::uint32_t colorsUsed = ReadU32(header + 32);
    if (colorsUsed != 0) return static_cast<std::uint16_t>(colorsUsed & 0xFFFF);
    bitCount = ReadU16(header + 14);
  }
  switch (bitCount) {
    case 1:
      return 2;
    case 4:
      return 16;
    case 8:
      return 256;
    default:
      return 0;
  }
}

DibStatus ReadDibInfo(const unsigned char* bytes, std::size_t size, DibInfo* info) {
  *info = DibInfo();
  const bool fileHeader = HasFileHeader(bytes, size);
  const std::size_t headerOffset = fileHeader ? kFileHeaderSize : 0;
  if (size < headerOffset + 4) return DibStatus::kUnknownFormat;
  const unsigned char* header = bytes + headerOffset;
  const std::size_t available = size - headerOffset;
  const std::uint16_t entryCount = PaletteEntryCount(header, available);

  info->headerSize = ReadU32(header);
  if (info->headerSize != kCoreHeaderSize && info->headerSize != kInfoHeaderSize) {
    return DibStatus::kUnknownFormat;
  }
  if (available < info->headerSize) return DibStatus::kConversionError;
  const bool core = info->headerSize == kCoreHeaderSize;
  if (core) {
    ReadCoreFields(header, info);
  } else {
    ReadInfoFields(header, info);
  }

  // Bit-field masks sit between the info header and the colour table.
  std::size_t tableOffset = info->headerSize;
  if (!core && info->compression == kBiBitfields) {
    if (available - tableOffset < 12) return DibStatus::kConversionError;
    info->masks = {ReadU32(header + 40), ReadU32(header + 44), ReadU32(header + 48)};
    tableOffset += 12;
  } else {
    SetDefaultMasks(info);
  }

  const std::size_t entrySize = core ? 3 : 4;
  const std::size_t tableBytes = entrySize * entryCount;
  if (available - tableOffset < tableBytes) return DibStatus::kConversionError;
  ReadColorTable(header + tableOffset, entryCount, entrySize, info);

  info->bitsOffset = fileHeader ? ReadU32(bytes + 10) : tableOffset + tableBytes;
  FillInZeroFields(entryCount, info);
  return DibStatus::kOk;
}

}  // namespace trotix
