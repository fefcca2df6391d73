#include "testing/bitmap/BmpBuilder.h"

#include <cstdlib>

#include "bitmap/DibDecoder.h"

namespace trotix {
namespace {

void Put16(Bytes* out, std::uint32_t value) {
  out->push_back(static_cast<unsigned char>(value));
  out->push_back(static_cast<unsigned char>(value >> 8));
}

void Put32(Bytes* out, std::uint32_t value) {
  Put16(out, value & 0xFFFF);
  Put16(out, value >> 16);
}

void PutHeader(const BmpLayout& layout, Bytes* out) {
  Put32(out, layout.headerSize);
  if (layout.headerSize == 12) {
    Put16(out, static_cast<std::uint32_t>(layout.width));
    Put16(out, static_cast<std::uint32_t>(layout.height));
    Put16(out, 1);
    Put16(out, layout.bitCount);
    return;
  }
  Put32(out, static_cast<std::uint32_t>(layout.width));
  Put32(out, static_cast<std::uint32_t>(layout.height));
  Put16(out, 1);
  Put16(out, layout.bitCount);
  Put32(out, layout.compression);
  Put32(out, layout.imageSize);
  Put32(out, 2835);
  Put32(out, 2835);
  Put32(out, layout.colorsUsed);
  Put32(out, 0);
  while (out->size() < layout.headerSize) out->push_back(0);
}

}  // namespace

Bytes BuildBmp(const BmpLayout& layout) {
  Bytes dib;
  PutHeader(layout, &dib);
  for (std::uint32_t mask : layout.masks) Put32(&dib, mask);
  for (std::uint32_t color : layout.palette) {
    dib.push_back(static_cast<unsigned char>(color));
    dib.push_back(static_cast<unsigned char>(color >> 8));
    dib.push_back(static_cast<unsigned char>(color >> 16));
    if (layout.headerSize != 12) dib.push_back(0);
  }
  Bytes file;
  if (layout.fileHeader) {
    const std::uint32_t offBits = static_cast<std::uint32_t>(14 + dib.size());
    file = {'B', 'M'};
    Put32(&file, static_cast<std::uint32_t>(offBits + layout.pixels.size()));
    Put32(&file, 0);
    Put32(&file, offBits);
  }
  file.insert(file.end(), dib.begin(), dib.end());
  file.insert(file.end(), layout.pixels.begin(), layout.pixels.end());
  return file;
}

Bytes PadRows(const std::vector<Bytes>& rows) {
  Bytes out;
  for (const Bytes& row : rows) {
    out.insert(out.end(), row.begin(), row.end());
    while (out.size() % 4 != 0) out.push_back(0);
  }
  return out;
}

DecodedPicture Decode(const Bytes& file) {
  DecodedPicture picture;
  DibSection section;
  picture.status = DecodeDib(file.data(), file.size(), &section);
  if (picture.status != DibStatus::kOk) return picture;
  picture.width = section.width;
  picture.height = static_cast<std::int32_t>(section.rowCount());
  picture.sectionRow0.assign(section.bits.get(), section.bits.get() + section.stride);
  unsigned char* rgb = TakeSectionAsRgb(&section);
  picture.rgb.assign(rgb, rgb + static_cast<std::size_t>(picture.width) * picture.height * 3);
  std::free(rgb);
  return picture;
}

std::uint32_t RgbAt(const DecodedPicture& picture, int x, int y) {
  const unsigned char* p =
      picture.rgb.data() + (static_cast<std::size_t>(y) * picture.width + x) * 3;
  return (std::uint32_t{p[0]} << 16) | (std::uint32_t{p[1]} << 8) | p[2];
}

}  // namespace trotix
