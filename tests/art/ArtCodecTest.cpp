// The bitmap and icon encoders, the decoder and the palette reduction.
#include "BitmapFile.h"
#include "Palette.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

using namespace art;

namespace {

// Little-endian integer of `bytes` bytes at an offset.
uint32_t le(const std::vector<uint8_t>& data, size_t offset, int bytes) {
  uint32_t value = 0;
  for (int i = 0; i < bytes; ++i) value |= uint32_t(data.at(offset + i)) << (8 * i);
  return value;
}

// A picture whose every pixel has a colour of its own position.
Image gradientPicture(int w, int h) {
  Image img(w, h);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x)
      img.at(x, y) = Pixel{uint8_t(x * 7), uint8_t(y * 11), uint8_t((x + y) * 3), 255};
  return img;
}

}  // namespace

TEST(BitmapEncoder, SizesAndHeadersFollowDepthAndRowPadding) {
  struct Case {
    int width, height, bpp;
    size_t fileSize;
  };
  // Odd widths: rows are padded to whole 32-bit words; palettes are full.
  for (const Case& c : {Case{57, 26, 4, 950}, Case{179, 66, 8, 12958}, Case{48, 12, 24, 1782},
                        Case{600, 450, 24, 810054}, Case{1, 1, 4, 54 + 64 + 4}}) {
    std::vector<uint8_t> file = encodeBitmap(gradientPicture(c.width, c.height), c.bpp);
    SCOPED_TRACE(c.width);
    ASSERT_EQ(file.size(), c.fileSize);
    EXPECT_EQ(file[0], 'B');
    EXPECT_EQ(file[1], 'M');
    EXPECT_EQ(le(file, 2, 4), c.fileSize);
    EXPECT_EQ(le(file, 10, 4), 54u + (c.bpp <= 8 ? 4u << c.bpp : 0u));
    EXPECT_EQ(le(file, 14, 4), 40u);
    EXPECT_EQ(le(file, 18, 4), uint32_t(c.width));
    EXPECT_EQ(le(file, 22, 4), uint32_t(c.height));  // positive: bottom-up
    EXPECT_EQ(le(file, 28, 2), uint32_t(c.bpp));
    EXPECT_EQ(le(file, 30, 4), 0u);  // uncompressed
    EXPECT_EQ(le(file, 34, 4), c.fileSize - le(file, 10, 4));
    EXPECT_EQ(le(file, 38, 4), 2834u);
    EXPECT_EQ(le(file, 42, 4), 2834u);
  }
}

TEST(BitmapEncoder, TrailingBytesCountInFileAndImageSize) {
  std::vector<uint8_t> file = encodeBitmap(gradientPicture(80, 16), 24, 2);
  ASSERT_EQ(file.size(), 3896u);
  EXPECT_EQ(le(file, 2, 4), 3896u);
  EXPECT_EQ(le(file, 34, 4), 3896u - 54u);
  EXPECT_EQ(file[3894], 0);
  EXPECT_EQ(file[3895], 0);
  Image decoded;
  ASSERT_TRUE(decodeBitmap(file, decoded));
  EXPECT_EQ(decoded.width(), 80);
}

TEST(BitmapEncoder, TwentyFourBitsRoundTripExactlyInRowOrder) {
  Image img = gradientPicture(13, 5);
  Image decoded;
  ASSERT_TRUE(decodeBitmap(encodeBitmap(img, 24), decoded));
  ASSERT_EQ(decoded.width(), 13);
  ASSERT_EQ(decoded.height(), 5);
  for (int y = 0; y < 5; ++y)
    for (int x = 0; x < 13; ++x) ASSERT_EQ(decoded.at(x, y), img.at(x, y)) << x << "," << y;
}

TEST(BitmapEncoder, PaletteKeepsMagentaExactAndNeverTurnsOtherPixelsIntoIt) {
  // Far more colours than a palette holds, plus exact and near magenta.
  for (int bpp : {4, 8}) {
    Image img = gradientPicture(40, 30);
    for (int x = 0; x < 40; ++x) img.at(x, 0) = Pixel{0xFF, 0x00, 0xFF, 255};
    img.at(3, 5) = Pixel{0xFE, 0x00, 0xFF, 255};
    img.at(4, 5) = Pixel{0xFF, 0x01, 0xFF, 255};
    img.at(5, 5) = Pixel{0xF0, 0x10, 0xF0, 255};
    Image decoded;
    ASSERT_TRUE(decodeBitmap(encodeBitmap(img, bpp), decoded));
    for (int y = 0; y < 30; ++y)
      for (int x = 0; x < 40; ++x) {
        bool wasKey = img.at(x, y).rgb() == kMagenta;
        ASSERT_EQ(decoded.at(x, y).rgb() == kMagenta, wasKey) << bpp << " bpp at " << x << "," << y;
      }
  }
}

TEST(Palette, QuantiseReservesItsColoursFirstAndStaysWithinTheLimit) {
  Image img = gradientPicture(64, 64);
  Palette palette = quantise(img, 16, {kMagenta, 0x000000});
  ASSERT_EQ(palette.size(), 16u);
  EXPECT_EQ(palette[0].rgb(), kMagenta);
  EXPECT_EQ(palette[1].rgb(), 0x000000u);

  // Few colours: every one kept exactly.
  Image small(3, 1);
  small.at(0, 0) = Pixel{10, 20, 30, 255};
  small.at(1, 0) = Pixel{200, 100, 50, 255};
  small.at(2, 0) = Pixel{10, 20, 30, 255};
  Palette exact = quantise(small, 256, {kMagenta});
  ASSERT_EQ(exact.size(), 3u);
  std::vector<uint8_t> indexes = mapToPalette(small, exact, {kMagenta});
  EXPECT_EQ(exact[indexes[0]], small.at(0, 0));
  EXPECT_EQ(exact[indexes[1]], small.at(1, 0));
  EXPECT_EQ(indexes[0], indexes[2]);
}

TEST(BitmapDecoder, RejectsDamagedFiles) {
  std::vector<uint8_t> file = encodeBitmap(gradientPicture(20, 10), 8);
  Image out;
  std::vector<uint8_t> truncated(file.begin(), file.end() - 1);
  EXPECT_FALSE(decodeBitmap(truncated, out));
  std::vector<uint8_t> wrongMagic = file;
  wrongMagic[0] = 'X';
  EXPECT_FALSE(decodeBitmap(wrongMagic, out));
  std::vector<uint8_t> compressed = file;
  compressed[30] = 1;  // BI_RLE8
  EXPECT_FALSE(decodeBitmap(compressed, out));
  std::vector<uint8_t> hugeOffset = file;
  hugeOffset[13] = 0x7F;
  EXPECT_FALSE(decodeBitmap(hugeOffset, out));
  EXPECT_FALSE(decodeBitmap({}, out));
  EXPECT_EQ(out.width(), 0);
}

TEST(BitmapDecoder, ReadsTopDownFilesAndPalettedDepths) {
  // A top-down file: the same rows stored first to last, with a negative height.
  const Image img = gradientPicture(13, 5);
  const std::vector<uint8_t> bottomUp = encodeBitmap(img, 24);
  const size_t stride = size_t(bitmapRowBytes(13, 24));
  std::vector<uint8_t> topDown(bottomUp.begin(), bottomUp.begin() + 54);
  for (int y = 0; y < 5; ++y) {
    const auto row = bottomUp.begin() + 54 + std::ptrdiff_t(stride * size_t(4 - y));
    topDown.insert(topDown.end(), row, row + std::ptrdiff_t(stride));
  }
  const uint32_t minusFive = uint32_t(-5);
  for (int i = 0; i < 4; ++i) topDown[22 + i] = uint8_t(minusFive >> (8 * i));
  Image decoded;
  ASSERT_TRUE(decodeBitmap(topDown, decoded));
  ASSERT_EQ(decoded.height(), 5);
  for (int y = 0; y < 5; ++y)
    for (int x = 0; x < 13; ++x) ASSERT_EQ(decoded.at(x, y), img.at(x, y)) << x << "," << y;

  // Few colours at 4 and 8 bits come back exactly, opaque.
  Image few(7, 2);  // 14 colours: within a 16-entry palette
  for (int y = 0; y < 2; ++y)
    for (int x = 0; x < 7; ++x) few.at(x, y) = Pixel{uint8_t(x * 30), uint8_t(y * 80), 40, 255};
  for (int bpp : {4, 8}) {
    Image back;
    ASSERT_TRUE(decodeBitmap(encodeBitmap(few, bpp), back));
    for (int y = 0; y < 2; ++y)
      for (int x = 0; x < 7; ++x) ASSERT_EQ(back.at(x, y), few.at(x, y)) << bpp << " bpp";
  }
}

TEST(IconEncoder, DirectoryImagesAndMasksAreConsistent) {
  // A 16-pixel square picture, transparent in its left half.
  Image img(16, 16, Colour{0.2, 0.4, 0.8, 1});
  for (int y = 0; y < 16; ++y)
    for (int x = 0; x < 8; ++x) img.at(x, y) = Pixel{0, 0, 0, 0};
  std::vector<uint8_t> ico = encodeIcon({{img, 4}, {img, 8}, {img, 32}});
  ASSERT_GE(ico.size(), 6u + 3 * 16);
  EXPECT_EQ(le(ico, 0, 2), 0u);
  EXPECT_EQ(le(ico, 2, 2), 1u);
  ASSERT_EQ(le(ico, 4, 2), 3u);
  size_t expectedOffset = 6 + 3 * 16;
  const int depths[3] = {4, 8, 32};
  for (int i = 0; i < 3; ++i) {
    size_t entry = 6 + 16 * size_t(i);
    SCOPED_TRACE(depths[i]);
    EXPECT_EQ(ico[entry], 16);
    EXPECT_EQ(ico[entry + 1], 16);
    EXPECT_EQ(ico[entry + 2], depths[i] == 4 ? 16 : 0);
    EXPECT_EQ(le(ico, entry + 4, 2), 1u);
    EXPECT_EQ(le(ico, entry + 6, 2), uint32_t(depths[i]));
    uint32_t size = le(ico, entry + 8, 4), offset = le(ico, entry + 12, 4);
    EXPECT_EQ(offset, expectedOffset);
    size_t palette = depths[i] == 32 ? 0 : 4u << depths[i];
    size_t colourRows = size_t(bitmapRowBytes(16, depths[i])) * 16;
    size_t maskRows = size_t(bitmapRowBytes(16, 1)) * 16;
    ASSERT_EQ(size, 40 + palette + colourRows + maskRows);
    EXPECT_EQ(le(ico, offset + 4, 4), 16u);
    EXPECT_EQ(le(ico, offset + 8, 4), 32u);  // colour rows and mask rows
    EXPECT_EQ(le(ico, offset + 14, 2), uint32_t(depths[i]));
    // Mask: the left half set (transparent), the right half clear.
    size_t mask = offset + 40 + palette + colourRows;
    EXPECT_EQ(ico[mask], 0xFF);
    EXPECT_EQ(ico[mask + 1], 0x00);
    expectedOffset += size;
  }
  EXPECT_EQ(ico.size(), expectedOffset);
}
