// Files the decoder must refuse, and the message each one gets.
#include <climits>
#include <utility>
#include <vector>

#include <gtest/gtest.h>

#include "bitmap/DibDecoder.h"
#include "bitmap/DibHeader.h"
#include "testing/bitmap/BmpBuilder.h"

namespace trotix {
namespace {

DibStatus StatusOf(const Bytes& file, std::size_t maxSectionBytes = kMaxSectionBytes) {
  DibSection section;
  return DecodeDib(file.data(), file.size(), &section, maxSectionBytes);
}

BmpLayout Small24() {
  BmpLayout layout;
  layout.width = 3;
  layout.height = 2;
  layout.pixels = Bytes(24, 0x5A);
  return layout;
}

TEST(DibRefusal, CallsAFileWithoutRoomForTheHeaderSizeUnknown) {
  const Bytes file = BuildBmp(Small24());
  for (std::size_t size : {0, 1, 2, 3, 13, 17}) {
    EXPECT_EQ(StatusOf(Bytes(file.begin(), file.begin() + size)), DibStatus::kUnknownFormat)
        << size;
  }
  EXPECT_EQ(StatusOf({40, 0, 0}), DibStatus::kUnknownFormat);
}

TEST(DibRefusal, CallsOtherHeaderSizesUnknown) {
  for (std::uint32_t size : {0u, 16u, 64u, 66u, 108u, 124u, 0xFFFFFFFFu}) {
    Bytes file = BuildBmp(Small24());
    for (int i = 0; i < 4; ++i) file[14 + i] = static_cast<unsigned char>(size >> (8 * i));
    EXPECT_EQ(StatusOf(file), DibStatus::kUnknownFormat) << size;
  }
}

TEST(DibRefusal, RefusesEveryTruncationOfAFile) {
  BmpLayout layout = Small24();
  layout.bitCount = 8;
  layout.colorsUsed = 2;
  layout.palette = {1, 2};
  layout.pixels = PadRows({{0, 1, 0}, {1, 0, 1}});
  const Bytes file = BuildBmp(layout);
  // Cutting the last row's padding is allowed; one byte of pixels is not.
  const std::size_t shortest = file.size() - 1;
  for (std::size_t size = 18; size < shortest; ++size) {
    EXPECT_EQ(StatusOf(Bytes(file.begin(), file.begin() + size)), DibStatus::kConversionError)
        << size;
  }
}

TEST(DibRefusal, RefusesAColorTableOrMasksLargerThanTheFile) {
  BmpLayout layout = Small24();
  layout.bitCount = 8;
  layout.colorsUsed = 0xFFFF;
  EXPECT_EQ(StatusOf(BuildBmp(layout)), DibStatus::kConversionError);

  layout = Small24();
  layout.bitCount = 16;
  layout.compression = kBiBitfields;
  layout.pixels.clear();
  layout.masks = {0xF800, 0x07E0};
  EXPECT_EQ(StatusOf(BuildBmp(layout)), DibStatus::kConversionError);
}

TEST(DibRefusal, RefusesPixelsThatStartPastTheEnd) {
  Bytes file = BuildBmp(Small24());
  file[10] = 0xF0;  // bfOffBits far beyond the 78-byte file
  file[11] = 0xFF;
  EXPECT_EQ(StatusOf(file), DibStatus::kConversionError);
}

TEST(DibRefusal, RefusesSizesAndCodingsItCannotDecode) {
  const auto refused = [](void (*change)(BmpLayout*)) {
    BmpLayout layout = Small24();
    change(&layout);
    return StatusOf(BuildBmp(layout)) == DibStatus::kConversionError;
  };
  EXPECT_TRUE(refused([](BmpLayout* s) { s->width = 0; }));
  EXPECT_TRUE(refused([](BmpLayout* s) { s->width = -3; }));
  EXPECT_TRUE(refused([](BmpLayout* s) { s->width = INT32_MIN; }));
  EXPECT_TRUE(refused([](BmpLayout* s) { s->height = 0; }));
  EXPECT_TRUE(refused([](BmpLayout* s) { s->bitCount = 0; }));
  EXPECT_TRUE(refused([](BmpLayout* s) { s->bitCount = 2; }));
  EXPECT_TRUE(refused([](BmpLayout* s) { s->bitCount = 30000; }));
  EXPECT_TRUE(refused([](BmpLayout* s) { s->compression = kBiRle8; }));  // on 24 bits
  EXPECT_TRUE(refused([](BmpLayout* s) { s->compression = kBiRle4; }));
  EXPECT_TRUE(refused([](BmpLayout* s) { s->compression = 4; }));  // JPEG
  EXPECT_TRUE(refused([](BmpLayout* s) {
    s->compression = kBiBitfields;
    s->masks = {1, 2, 3};
  }));
  EXPECT_TRUE(refused([](BmpLayout* s) {
    s->headerSize = 12;
    s->width = 0;
  }));
}

TEST(DibRefusal, RefusesPicturesLargerThanTheLimitBeforeReadingPixels) {
  BmpLayout layout = Small24();
  layout.pixels.clear();  // no pixel data at all: the size is refused first
  const std::vector<std::pair<std::int32_t, std::int32_t>> sizes = {
      {30000, 30000}, {INT32_MAX, 1}, {1, INT32_MAX}, {INT32_MAX, INT32_MIN}, {3000000, -2000000}};
  for (auto [width, height] : sizes) {
    layout.width = width;
    layout.height = height;
    EXPECT_EQ(StatusOf(BuildBmp(layout)), DibStatus::kOutOfMemory) << width << " x " << height;
  }
  // RLE pictures are bounded only by the limit.
  layout.bitCount = 8;
  layout.compression = kBiRle8;
  layout.palette = {0};
  layout.colorsUsed = 1;
  layout.pixels = {0, 1};
  layout.width = 65535;
  layout.height = 1366;  // 65536 * 3 * 1366 > 256 MiB
  EXPECT_EQ(StatusOf(BuildBmp(layout)), DibStatus::kOutOfMemory);
}

TEST(DibRefusal, AllowsPicturesUpToTheLimit) {
  BmpLayout layout = Small24();  // rows of 12 bytes
  EXPECT_EQ(StatusOf(BuildBmp(layout), 24), DibStatus::kOk);
  EXPECT_EQ(StatusOf(BuildBmp(layout), 23), DibStatus::kOutOfMemory);
}

}  // namespace
}  // namespace trotix
