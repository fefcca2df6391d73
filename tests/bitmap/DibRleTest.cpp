// Run-length encoded pictures: every kind of record, and streams that reach
// past the row, past the picture or past their own end.
#include <gtest/gtest.h>

#include "bitmap/DibHeader.h"
#include "testing/bitmap/BmpBuilder.h"

namespace trotix {
namespace {

constexpr std::uint32_t kRed = 0xFF0000, kGreen = 0x00FF00, kBlue = 0x0000FF;
constexpr std::uint32_t kWhite = 0xFFFFFF;

DecodedPicture DecodeRle8(std::int32_t width, std::int32_t height, const Bytes& stream) {
  BmpLayout layout;
  layout.width = width;
  layout.height = height;
  layout.bitCount = 8;
  layout.compression = kBiRle8;
  layout.colorsUsed = 4;
  layout.palette = {kWhite, kRed, kGreen, kBlue};
  layout.pixels = stream;
  return Decode(BuildBmp(layout));
}

// Pixels (x, y) from y = 0 (bottom) upwards, row by row.
void ExpectRows(const DecodedPicture& picture,
                const std::vector<std::vector<std::uint32_t>>& rows) {
  ASSERT_EQ(picture.status, DibStatus::kOk);
  ASSERT_EQ(picture.height, static_cast<std::int32_t>(rows.size()));
  for (std::size_t y = 0; y < rows.size(); ++y) {
    ASSERT_EQ(picture.width, static_cast<std::int32_t>(rows[y].size()));
    for (std::size_t x = 0; x < rows[y].size(); ++x) {
      EXPECT_EQ(RgbAt(picture, static_cast<int>(x), static_cast<int>(y)), rows[y][x])
          << "x " << x << " y " << y;
    }
  }
}

TEST(DibRle8, PaintsEncodedAndAbsoluteRunsLineByLine) {
  const Bytes stream = {3, 1, 0, 0,              // three red, end of line
                        0, 3, 2, 3, 1, 0, 0, 0,  // absolute green, blue, red (padded)
                        0, 1};
  ExpectRows(DecodeRle8(4, 2, stream), {{kRed, kRed, kRed, 0}, {kGreen, kBlue, kRed, 0}});
}

TEST(DibRle8, MovesByDeltaAndLeavesSkippedPixelsBlack) {
  const Bytes stream = {1, 1, 0, 2, 2, 1, 1, 2, 0, 1};
  ExpectRows(DecodeRle8(4, 3, stream), {{kRed, 0, 0, 0}, {0, 0, 0, kGreen}, {0, 0, 0, 0}});
}

TEST(DibRle8, ClipsRunsAndDeltasAtTheEndOfTheRow) {
  const Bytes stream = {5, 1, 0, 0,              // five red in a row of three: no wrap
                        1, 2, 0, 2, 5, 0,        // green, then a delta past the row end
                        1, 3, 0, 4, 3, 3, 3, 3,  // nothing of these lands in the row
                        0, 0, 2, 3};             // the next row would be past the top
  ExpectRows(DecodeRle8(3, 2, stream), {{kRed, kRed, kRed}, {kGreen, 0, 0}});
}

TEST(DibRle8, StopsAtTheTopOfThePictureOrTheEndOfTheStream) {
  ExpectRows(DecodeRle8(2, 2, {0, 2, 0, 5, 9, 1}), {{0, 0}, {0, 0}});
  ExpectRows(DecodeRle8(2, 2, {0, 0, 0, 0, 0, 0, 2, 1}), {{0, 0}, {0, 0}});
  ExpectRows(DecodeRle8(2, 2, {2, 1}), {{kRed, kRed}, {0, 0}});
  ExpectRows(DecodeRle8(2, 2, {1, 1, 0}), {{kRed, 0}, {0, 0}});
  ExpectRows(DecodeRle8(2, 2, {1, 1, 0, 2, 1}), {{kRed, 0}, {0, 0}});
  // An absolute run cut short by the end of the file.
  ExpectRows(DecodeRle8(2, 2, {1, 3, 0, 5, 1, 1}), {{kBlue, 0}, {0, 0}});
}

TEST(DibRle8, ShowsIndicesBeyondTheColorTableAsBlack) {
  ExpectRows(DecodeRle8(3, 1, {1, 0, 1, 9, 0, 3, 0, 200, 1, 0}), {{kWhite, 0, kWhite}});
}

TEST(DibRle8, RefusesTopDownPictures) {
  EXPECT_EQ(DecodeRle8(2, -2, {2, 1, 0, 1}).status, DibStatus::kConversionError);
}

TEST(DibRle8, MakesALargePictureFromAShortStream) {
  const DecodedPicture picture = DecodeRle8(1500, 1000, {2, 1, 0, 1});
  ASSERT_EQ(picture.status, DibStatus::kOk);
  EXPECT_EQ(RgbAt(picture, 1, 0), kRed);
  EXPECT_EQ(RgbAt(picture, 2, 0), 0u);
  EXPECT_EQ(RgbAt(picture, 1499, 999), 0u);
}

DecodedPicture DecodeRle4(std::int32_t width, const Bytes& stream) {
  BmpLayout layout;
  layout.width = width;
  layout.bitCount = 4;
  layout.compression = kBiRle4;
  layout.colorsUsed = 6;
  layout.palette = {kWhite, kRed, kGreen, kBlue, 0x444444, 0x555555};
  layout.pixels = stream;
  return Decode(BuildBmp(layout));
}

TEST(DibRle4, AlternatesTheTwoNibblesOfARun) {
  ExpectRows(DecodeRle4(6, {5, 0x12, 0, 1}), {{kRed, kGreen, kRed, kGreen, kRed, 0}});
}

TEST(DibRle4, ReadsAbsoluteNibblesAndSkipsThePaddingByte) {
  const Bytes stream = {0, 5,    0x34, 0x50, 0x10, 0,  // 5 nibbles in 3 bytes, padded to 4
                        2, 0x31, 0,    1};
  ExpectRows(DecodeRle4(8, stream), {{kBlue, 0x444444, 0x555555, kWhite, kRed, kBlue, kRed, 0}});
}

TEST(DibRle4, ClipsAtTheRowAndTreatsIndicesBeyondTheTableAsBlack) {
  ExpectRows(DecodeRle4(3, {7, 0x1F, 0, 0, 2, 0x22, 0, 1}), {{kRed, 0, kRed}});
}

}  // namespace
}  // namespace trotix
