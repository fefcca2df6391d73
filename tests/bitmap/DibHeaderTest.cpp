// The working header: colour-table size, filled-in fields and where the
// pixels start.
#include <gtest/gtest.h>

#include "bitmap/DibHeader.h"
#include "testing/bitmap/BmpBuilder.h"

namespace trotix {
namespace {

// The DIB header of a file built without a file header.
std::uint16_t EntriesOf(const BmpLayout& layout) {
  BmpLayout bare = layout;
  bare.fileHeader = false;
  const Bytes dib = BuildBmp(bare);
  return PaletteEntryCount(dib.data(), dib.size());
}

BmpLayout WithBits(std::uint16_t bitCount, std::uint32_t colorsUsed = 0) {
  BmpLayout layout;
  layout.bitCount = bitCount;
  layout.colorsUsed = colorsUsed;
  return layout;
}

TEST(PaletteEntryCount, FollowsTheBitCountWhenColorsUsedIsZero) {
  EXPECT_EQ(EntriesOf(WithBits(1)), 2);
  EXPECT_EQ(EntriesOf(WithBits(4)), 16);
  EXPECT_EQ(EntriesOf(WithBits(8)), 256);
  EXPECT_EQ(EntriesOf(WithBits(16)), 0);
  EXPECT_EQ(EntriesOf(WithBits(24)), 0);
  EXPECT_EQ(EntriesOf(WithBits(32)), 0);
  EXPECT_EQ(EntriesOf(WithBits(2)), 0);
}

TEST(PaletteEntryCount, TakesTheLow16BitsOfColorsUsed) {
  EXPECT_EQ(EntriesOf(WithBits(8, 300)), 300);
  EXPECT_EQ(EntriesOf(WithBits(24, 5)), 5);
  EXPECT_EQ(EntriesOf(WithBits(8, 65536)), 0);
  EXPECT_EQ(EntriesOf(WithBits(8, 0x12341234)), 0x1234);
}

TEST(PaletteEntryCount, ReadsTheCoreBitCount) {
  BmpLayout core = WithBits(8);
  core.headerSize = 12;
  EXPECT_EQ(EntriesOf(core), 256);
  core.bitCount = 24;
  EXPECT_EQ(EntriesOf(core), 0);
}

TEST(PaletteEntryCount, CountsZeroForHeadersTooShortToSay) {
  const Bytes dib = [] {
    BmpLayout layout = WithBits(8, 7);
    layout.fileHeader = false;
    return BuildBmp(layout);
  }();
  EXPECT_EQ(PaletteEntryCount(dib.data(), 40), 7);
  EXPECT_EQ(PaletteEntryCount(dib.data(), 35), 0);
  EXPECT_EQ(PaletteEntryCount(dib.data(), 3), 0);
  EXPECT_EQ(PaletteEntryCount(nullptr, 40), 0);
}

DibInfo InfoOf(const Bytes& file) {
  DibInfo info;
  EXPECT_EQ(ReadDibInfo(file.data(), file.size(), &info), DibStatus::kOk);
  return info;
}

TEST(ReadDibInfo, FillsInImageSizeAsWholeUnpaddedBytes) {
  BmpLayout layout;
  layout.width = 3;
  layout.height = 2;
  layout.pixels = Bytes(24, 0);
  EXPECT_EQ(InfoOf(BuildBmp(layout)).imageSize, 18u);
  layout.imageSize = 1234;
  EXPECT_EQ(InfoOf(BuildBmp(layout)).imageSize, 1234u);
}

TEST(ReadDibInfo, CopiesEveryColorTableEntryAndFillsInColorsUsed) {
  BmpLayout layout = WithBits(8, 300);
  for (std::uint32_t i = 0; i < 300; ++i) layout.palette.push_back(i * 0x010203 & 0xFFFFFF);
  layout.pixels = Bytes(4, 0);
  const DibInfo info = InfoOf(BuildBmp(layout));
  ASSERT_EQ(info.colorTable.size(), 300u);
  EXPECT_EQ(info.colorTable[299], 299u * 0x010203 & 0xFFFFFF);
  EXPECT_EQ(info.colorsUsed, 300u);

  layout = WithBits(4);
  layout.palette.assign(16, 0);
  EXPECT_EQ(InfoOf(BuildBmp(layout)).colorsUsed, 16u);
}

TEST(ReadDibInfo, TurnsACoreHeaderIntoAnInfoHeader) {
  BmpLayout layout = WithBits(8);
  layout.headerSize = 12;
  layout.width = 65535;
  layout.height = 40000;
  layout.palette.assign(256, 0);
  layout.palette[1] = 0x123456;
  const DibInfo info = InfoOf(BuildBmp(layout));
  EXPECT_EQ(info.headerSize, 12u);
  EXPECT_EQ(info.width, 65535);  // unsigned 16-bit fields, widened
  EXPECT_EQ(info.height, 40000);
  EXPECT_EQ(info.compression, kBiRgb);
  EXPECT_EQ(info.colorsUsed, 256u);
  EXPECT_EQ(info.colorTable[1], 0x123456u);
}

TEST(ReadDibInfo, FindsThePixelsAfterTheTableOrAtTheFileHeadersOffset) {
  BmpLayout layout = WithBits(8, 3);
  layout.palette = {1, 2, 3};
  layout.fileHeader = false;
  EXPECT_EQ(InfoOf(BuildBmp(layout)).bitsOffset, 40u + 12u);
  layout.headerSize = 12;
  layout.colorsUsed = 0;
  layout.palette.assign(256, 0);
  EXPECT_EQ(InfoOf(BuildBmp(layout)).bitsOffset, 12u + 3u * 256u);

  layout = WithBits(24);
  Bytes file = BuildBmp(layout);
  file[10] = 99;  // bfOffBits
  EXPECT_EQ(InfoOf(file).bitsOffset, 99u);
}

TEST(ReadDibInfo, ReadsBitFieldMasksBeforeTheColorTable) {
  BmpLayout layout = WithBits(16, 1);
  layout.fileHeader = false;
  layout.compression = kBiBitfields;
  layout.masks = {0xF800, 0x07E0, 0x001F};
  layout.palette = {0xABCDEF};
  const DibInfo info = InfoOf(BuildBmp(layout));
  EXPECT_EQ(info.masks[0], 0xF800u);
  EXPECT_EQ(info.masks[1], 0x07E0u);
  EXPECT_EQ(info.masks[2], 0x001Fu);
  EXPECT_EQ(info.colorTable.at(0), 0xABCDEFu);
  EXPECT_EQ(info.bitsOffset, 40u + 12u + 4u);
}

}  // namespace
}  // namespace trotix
