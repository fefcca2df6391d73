// Files the decoder must refuse, and the message each one gets.
#include <climits>
#include <utility>
#include <vector>

#include <gtest/gtest.h>

#include "BmpBuilder.h"
#include "view/DibDecoder.h"
#include "view/DibHeader.h"

namespace trotix {
namespace {

DibStatus StatusOf(const Bytes& file, std::size_t maxSectionBytes = kMaxSectionBytes) {
  DibSection section;
  return DecodeDib(file.data(), file.size(), &section, maxSectionBytes);
}

BmpSpec Small24() {
  BmpSpec spec;
  spec.width = 3;
  spec.height = 2;
  spec.pixels = Bytes(24, 0x5A);
  return spec;
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
  BmpSpec spec = Small24();
  spec.bitCount = 8;
  spec.colorsUsed = 2;
  spec.palette = {1, 2};
  spec.pixels = PadRows({{0, 1, 0}, {1, 0, 1}});
  const Bytes file = BuildBmp(spec);
  // Cutting the last row's padding is allowed; one byte of pixels is not.
  const std::size_t shortest = file.size() - 1;
  for (std::size_t size = 18; size < shortest; ++size) {
    EXPECT_EQ(StatusOf(Bytes(file.begin(), file.begin() + size)), DibStatus::kConversionError)
        << size;
  }
}

TEST(DibRefusal, RefusesAColorTableOrMasksLargerThanTheFile) {
  BmpSpec spec = Small24();
  spec.bitCount = 8;
  spec.colorsUsed = 0xFFFF;
  EXPECT_EQ(StatusOf(BuildBmp(spec)), DibStatus::kConversionError);

  spec = Small24();
  spec.bitCount = 16;
  spec.compression = kBiBitfields;
  spec.pixels.clear();
  spec.masks = {0xF800, 0x07E0};
  EXPECT_EQ(StatusOf(BuildBmp(spec)), DibStatus::kConversionError);
}

TEST(DibRefusal, RefusesPixelsThatStartPastTheEnd) {
  Bytes file = BuildBmp(Small24());
  file[10] = 0xF0;  // bfOffBits far beyond the 78-byte file
  file[11] = 0xFF;
  EXPECT_EQ(StatusOf(file), DibStatus::kConversionError);
}

TEST(DibRefusal, RefusesSizesAndCodingsItCannotDecode) {
  const auto refused = [](void (*change)(BmpSpec*)) {
    BmpSpec spec = Small24();
    change(&spec);
    return StatusOf(BuildBmp(spec)) == DibStatus::kConversionError;
  };
  EXPECT_TRUE(refused([](BmpSpec* s) { s->width = 0; }));
  EXPECT_TRUE(refused([](BmpSpec* s) { s->width = -3; }));
  EXPECT_TRUE(refused([](BmpSpec* s) { s->width = INT32_MIN; }));
  EXPECT_TRUE(refused([](BmpSpec* s) { s->height = 0; }));
  EXPECT_TRUE(refused([](BmpSpec* s) { s->bitCount = 0; }));
  EXPECT_TRUE(refused([](BmpSpec* s) { s->bitCount = 2; }));
  EXPECT_TRUE(refused([](BmpSpec* s) { s->bitCount = 30000; }));
  EXPECT_TRUE(refused([](BmpSpec* s) { s->compression = kBiRle8; }));  // on 24 bits
  EXPECT_TRUE(refused([](BmpSpec* s) { s->compression = kBiRle4; }));
  EXPECT_TRUE(refused([](BmpSpec* s) { s->compression = 4; }));  // JPEG
  EXPECT_TRUE(refused([](BmpSpec* s) {
    s->compression = kBiBitfields;
    s->masks = {1, 2, 3};
  }));
  EXPECT_TRUE(refused([](BmpSpec* s) {
    s->headerSize = 12;
    s->width = 0;
  }));
}

TEST(DibRefusal, RefusesPicturesLargerThanTheLimitBeforeReadingPixels) {
  BmpSpec spec = Small24();
  spec.pixels.clear();  // no pixel data at all: the size is refused first
  const std::vector<std::pair<std::int32_t, std::int32_t>> sizes = {
      {30000, 30000}, {INT32_MAX, 1}, {1, INT32_MAX}, {INT32_MAX, INT32_MIN}, {3000000, -2000000}};
  for (auto [width, height] : sizes) {
    spec.width = width;
    spec.height = height;
    EXPECT_EQ(StatusOf(BuildBmp(spec)), DibStatus::kOutOfMemory) << width << " x " << height;
  }
  // RLE pictures are bounded only by the limit.
  spec.bitCount = 8;
  spec.compression = kBiRle8;
  spec.palette = {0};
  spec.colorsUsed = 1;
  spec.pixels = {0, 1};
  spec.width = 65535;
  spec.height = 1366;  // 65536 * 3 * 1366 > 256 MiB
  EXPECT_EQ(StatusOf(BuildBmp(spec)), DibStatus::kOutOfMemory);
}

TEST(DibRefusal, AllowsPicturesUpToTheLimit) {
  BmpSpec spec = Small24();  // rows of 12 bytes
  EXPECT_EQ(StatusOf(BuildBmp(spec), 24), DibStatus::kOk);
  EXPECT_EQ(StatusOf(BuildBmp(spec), 23), DibStatus::kOutOfMemory);
}

TEST(DibStatusMessage, GivesTheLoadersTexts) {
  EXPECT_STREQ(DibStatusMessage(DibStatus::kUnknownFormat), "Unknown DIB file format.");
  EXPECT_STREQ(DibStatusMessage(DibStatus::kConversionError), "Image file conversion error.");
  EXPECT_STREQ(DibStatusMessage(DibStatus::kOutOfMemory), "Out of memory.");
}

}  // namespace
}  // namespace trotix
