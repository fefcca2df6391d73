// Uncompressed pictures of every bit count, in both header layouts, with and
// without a file header, bottom-up and top-down.
#include <cstdlib>

#include <gtest/gtest.h>

#include "bitmap/DibDecoder.h"
#include "bitmap/DibHeader.h"
#include "testing/bitmap/BmpBuilder.h"

namespace trotix {
namespace {

constexpr std::uint32_t kRed = 0xFF0000, kGreen = 0x00FF00, kBlue = 0x0000FF;
constexpr std::uint32_t kWhite = 0xFFFFFF;

// A 2 x 2 24-bit picture: bottom row red, green; top row blue, white.
BmpLayout TwoByTwo24() {
  BmpLayout layout;
  layout.width = 2;
  layout.height = 2;
  layout.pixels = PadRows({{0, 0, 255, 0, 255, 0}, {255, 0, 0, 255, 255, 255}});
  return layout;
}

TEST(DibDecoder, Decodes24BitRowsBottomFirstAsRgb) {
  const DecodedPicture picture = Decode(BuildBmp(TwoByTwo24()));
  ASSERT_EQ(picture.status, DibStatus::kOk);
  EXPECT_EQ(picture.width, 2);
  EXPECT_EQ(picture.height, 2);
  EXPECT_EQ(picture.rgb, (Bytes{255, 0, 0, 0, 255, 0, 0, 0, 255, 255, 255, 255}));
  // The 24-bit row itself is blue, green, red with 2 bytes of padding.
  EXPECT_EQ(picture.sectionRow0, (Bytes{0, 0, 255, 0, 255, 0, 0, 0}));
}

TEST(DibDecoder, PadsSectionRowsOnlyWhereTheWidthNeedsIt) {
  BmpLayout layout;
  layout.width = 3;
  layout.pixels = PadRows({{1, 2, 3, 4, 5, 6, 7, 8, 9}});
  DecodedPicture picture = Decode(BuildBmp(layout));
  EXPECT_EQ(picture.rgb, (Bytes{3, 2, 1, 6, 5, 4, 9, 8, 7}));
  EXPECT_EQ(picture.sectionRow0.size(), 12u);

  layout.width = 4;
  layout.pixels = PadRows({Bytes(12, 7)});
  picture = Decode(BuildBmp(layout));
  EXPECT_EQ(picture.sectionRow0.size(), 12u);
  EXPECT_EQ(picture.rgb, Bytes(12, 7));
}

TEST(DibDecoder, GivesTheSamePictureWithOrWithoutTheFileHeader) {
  BmpLayout layout;
  layout.width = 5;
  layout.height = 2;
  layout.bitCount = 8;
  layout.colorsUsed = 3;
  layout.palette = {kRed, kGreen, kBlue};
  layout.pixels = PadRows({{0, 1, 2, 1, 0}, {2, 2, 1, 0, 0}});
  const DecodedPicture withHeader = Decode(BuildBmp(layout));
  layout.fileHeader = false;
  const DecodedPicture bare = Decode(BuildBmp(layout));
  ASSERT_EQ(withHeader.status, DibStatus::kOk);
  EXPECT_EQ(bare.rgb, withHeader.rgb);
  EXPECT_EQ(RgbAt(bare, 2, 0), kBlue);
  EXPECT_EQ(RgbAt(bare, 0, 1), kBlue);
}

TEST(DibDecoder, GivesTheSamePictureFromACoreHeader) {
  for (std::uint16_t bits : {1, 4, 8, 24}) {
    SCOPED_TRACE(bits);
    BmpLayout layout;
    layout.width = 3;
    layout.height = 2;
    layout.bitCount = bits;
    if (bits <= 8) {
      layout.palette.assign(1u << bits, 0);
      layout.palette[1] = 0x102030;
    }
    // Rows long enough for any of the bit counts; the narrower ones ignore the rest.
    layout.pixels = PadRows({Bytes(9, 0x11), Bytes(9, 0x10)});
    const DecodedPicture info = Decode(BuildBmp(layout));
    layout.headerSize = 12;
    const DecodedPicture core = Decode(BuildBmp(layout));
    ASSERT_EQ(core.status, DibStatus::kOk);
    EXPECT_EQ(core.rgb, info.rgb);
    layout.fileHeader = false;
    EXPECT_EQ(Decode(BuildBmp(layout)).rgb, info.rgb);
  }
}

TEST(DibDecoder, DecodesOneAndFourBitPixelsLeftmostInTheHighBits) {
  BmpLayout layout;
  layout.width = 10;
  layout.height = 1;
  layout.bitCount = 1;
  layout.palette = {kBlue, kWhite};
  layout.pixels = PadRows({{0b10110000, 0b01000000}});
  DecodedPicture picture = Decode(BuildBmp(layout));
  ASSERT_EQ(picture.status, DibStatus::kOk);
  const std::uint32_t expected1[10] = {kWhite, kBlue, kWhite, kWhite, kBlue,
                                       kBlue,  kBlue, kBlue,  kBlue,  kWhite};
  for (int x = 0; x < 10; ++x) EXPECT_EQ(RgbAt(picture, x, 0), expected1[x]) << x;

  layout.width = 3;
  layout.bitCount = 4;
  layout.palette.assign(16, 0);
  layout.palette[0xA] = kRed;
  layout.palette[0x3] = kGreen;
  layout.pixels = PadRows({{0xA3, 0xAF}});
  picture = Decode(BuildBmp(layout));
  EXPECT_EQ(RgbAt(picture, 0, 0), kRed);
  EXPECT_EQ(RgbAt(picture, 1, 0), kGreen);
  EXPECT_EQ(RgbAt(picture, 2, 0), kRed);
}

TEST(DibDecoder, ShowsIndicesBeyondTheColorTableAsBlack) {
  BmpLayout layout;
  layout.width = 9;  // two groups of four and one more
  layout.bitCount = 8;
  layout.colorsUsed = 2;
  layout.palette = {kRed, kGreen};
  layout.pixels = PadRows({{0, 1, 2, 255, 1, 0, 7, 1, 200}});
  const DecodedPicture picture = Decode(BuildBmp(layout));
  const std::uint32_t expected[9] = {kRed, kGreen, 0, 0, kGreen, kRed, 0, kGreen, 0};
  for (int x = 0; x < 9; ++x) EXPECT_EQ(RgbAt(picture, x, 0), expected[x]) << x;
}

// One row of 16-bit pixels under the given masks (none: 5-5-5).
DecodedPicture Decode16(std::vector<std::uint16_t> pixels, std::vector<std::uint32_t> masks) {
  BmpLayout layout;
  layout.width = static_cast<std::int32_t>(pixels.size());
  layout.bitCount = 16;
  layout.masks = masks;
  layout.compression = masks.empty() ? kBiRgb : kBiBitfields;
  Bytes row;
  for (std::uint16_t p : pixels)
    row.insert(row.end(), {Bytes::value_type(p), Bytes::value_type(p >> 8)});
  layout.pixels = PadRows({row});
  return Decode(BuildBmp(layout));
}

TEST(DibDecoder, Expands16BitChannelsAsRoundedFractionsOfTheirMaximum) {
  // 5-5-5: 16 of 31 is 131.6, so 132.
  DecodedPicture picture = Decode16({0x7FFF, 0x001F, 0x0010, 0x8000 | (16 << 10)}, {});
  ASSERT_EQ(picture.status, DibStatus::kOk);
  EXPECT_EQ(RgbAt(picture, 0, 0), kWhite);
  EXPECT_EQ(RgbAt(picture, 1, 0), kBlue);
  EXPECT_EQ(RgbAt(picture, 2, 0), 132u);
  EXPECT_EQ(RgbAt(picture, 3, 0), 132u << 16);  // the top bit is not a colour

  // 5-6-5: 1 of 63 is 4.05, 32 of 63 is 129.5 so 130.
  picture = Decode16({0x07E0, 0x0020, 32 << 5, 0xF800}, {0xF800, 0x07E0, 0x001F});
  EXPECT_EQ(RgbAt(picture, 0, 0), kGreen);
  EXPECT_EQ(RgbAt(picture, 1, 0), 4u << 8);
  EXPECT_EQ(RgbAt(picture, 2, 0), 130u << 8);
  EXPECT_EQ(RgbAt(picture, 3, 0), kRed);

  // 8-8-0: no blue at all; and a one-bit channel is 0 or 255.
  picture = Decode16({0x12AB, 0x8000}, {0xFF00, 0x00FF, 0x8000});
  EXPECT_EQ(RgbAt(picture, 0, 0), 0x12AB00u);
  EXPECT_EQ(RgbAt(picture, 1, 0), 0x800000u | 0xFFu);
}

TEST(DibDecoder, Decodes32BitPixelsWithDefaultAndOtherMasks) {
  BmpLayout layout;
  layout.width = 2;
  layout.bitCount = 32;
  layout.pixels = {0x10, 0x20, 0x30, 0xFF, 0x01, 0x02, 0x03, 0x04};
  DecodedPicture picture = Decode(BuildBmp(layout));
  EXPECT_EQ(RgbAt(picture, 0, 0), 0x302010u);
  EXPECT_EQ(RgbAt(picture, 1, 0), 0x030201u);

  layout.compression = kBiBitfields;
  layout.masks = {0x000000FF, 0x0000FF00, 0x00FF0000};  // red in the lowest byte
  picture = Decode(BuildBmp(layout));
  EXPECT_EQ(RgbAt(picture, 0, 0), 0x102030u);

  // 10-bit channels: 1023 is 255, 512 is 127.6 so 128.
  layout.masks = {0x3FF00000, 0x000FFC00, 0x000003FF};
  layout.pixels.clear();
  for (std::uint32_t p : {0x3FFu << 20, 512u}) {
    for (int i = 0; i < 4; ++i) layout.pixels.push_back(static_cast<unsigned char>(p >> (8 * i)));
  }
  picture = Decode(BuildBmp(layout));
  EXPECT_EQ(RgbAt(picture, 0, 0), kRed);
  EXPECT_EQ(RgbAt(picture, 1, 0), 128u);
}

TEST(DibDecoder, GivesATopDownPictureLikeItsBottomUpTwin) {
  for (std::uint16_t bits : {8, 24}) {
    SCOPED_TRACE(bits);
    BmpLayout layout;
    layout.width = 3;
    layout.height = 3;
    layout.bitCount = bits;
    if (bits == 8) {
      layout.colorsUsed = 3;
      layout.palette = {kRed, kGreen, kBlue};
    }
    const std::size_t rowBytes = bits / 8 * 3;
    std::vector<Bytes> rows = {Bytes(rowBytes, 0), Bytes(rowBytes, 1), Bytes(rowBytes, 2)};
    layout.pixels = PadRows(rows);
    const DecodedPicture bottomUp = Decode(BuildBmp(layout));
    ASSERT_EQ(bottomUp.status, DibStatus::kOk);
    layout.height = -3;
    layout.pixels = PadRows({rows[2], rows[1], rows[0]});
    const DecodedPicture topDown = Decode(BuildBmp(layout));
    ASSERT_EQ(topDown.status, DibStatus::kOk);
    EXPECT_EQ(topDown.height, 3);
    EXPECT_EQ(topDown.rgb, bottomUp.rgb);
  }
}

TEST(DibDecoder, AcceptsALastRowWithoutItsPadding) {
  BmpLayout layout = TwoByTwo24();
  const DecodedPicture whole = Decode(BuildBmp(layout));
  layout.pixels.resize(layout.pixels.size() - 2);
  EXPECT_EQ(Decode(BuildBmp(layout)).rgb, whole.rgb);
}

}  // namespace
}  // namespace trotix

namespace trotix {
namespace {

// Reorders rows of blue, green, red in place: every width (so every gap at
// the row end and every remainder of the wide loops), both orientations,
// with and without the processor's vector instructions.
TEST(TakeSectionAsRgb, MatchesAPixelByPixelCopyForEveryWidth) {
  std::uint32_t noise = 1;
  for (bool simd : {true, false}) {
    AllowSimdForTesting(simd);
    for (std::int32_t width = 1; width <= 37; ++width) {
      for (std::int32_t height : {1, 2, 5, -1, -4, -5}) {
        SCOPED_TRACE(::testing::Message() << simd << " " << width << " x " << height);
        const int rows = std::abs(height);
        std::vector<Bytes> fileRows(rows, Bytes(width * 3));
        for (Bytes& row : fileRows) {
          for (unsigned char& byte : row)
            byte = static_cast<unsigned char>(noise = noise * 69069 + 1);
        }
        BmpLayout layout;
        layout.width = width;
        layout.height = height;
        layout.pixels = PadRows(fileRows);
        const DecodedPicture picture = Decode(BuildBmp(layout));
        ASSERT_EQ(picture.height, rows);
        Bytes expected;
        for (int y = 0; y < rows; ++y) {
          const Bytes& row = fileRows[height > 0 ? y : rows - 1 - y];
          for (int x = 0; x < width; ++x) {
            expected.insert(expected.end(), {row[3 * x + 2], row[3 * x + 1], row[3 * x]});
          }
        }
        ASSERT_EQ(picture.rgb, expected);
      }
    }
  }
  AllowSimdForTesting(true);
}

}  // namespace
}  // namespace trotix
