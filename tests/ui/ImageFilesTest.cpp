// Bitmap and icon files: decoding, encoding and damaged input.
#include <gtest/gtest.h>

#include <random>

#include "ui/ImageFiles.h"

namespace {

// A little-endian append.
void Put(std::vector<uint8_t>& out, uint32_t v, int bytes) {
  for (int i = 0; i < bytes; ++i) out.push_back(static_cast<uint8_t>(v >> (8 * i)));
}

// A .bmp file with a 40-byte header, written by hand (rows in file order).
std::vector<uint8_t> HandMadeBmp(int width, int height, int bitCount, uint32_t compression,
                                 const std::vector<uint32_t>& palette,
                                 const std::vector<uint8_t>& pixels) {
  std::vector<uint8_t> out = {'B', 'M'};
  const uint32_t off = static_cast<uint32_t>(54 + 4 * palette.size());
  Put(out, off + static_cast<uint32_t>(pixels.size()), 4);
  Put(out, 0, 4);
  Put(out, off, 4);
  Put(out, 40, 4);
  Put(out, static_cast<uint32_t>(width), 4);
  Put(out, static_cast<uint32_t>(height), 4);
  Put(out, 1, 2);
  Put(out, static_cast<uint32_t>(bitCount), 2);
  Put(out, compression, 4);
  Put(out, static_cast<uint32_t>(pixels.size()), 4);
  Put(out, 2834, 4);
  Put(out, 2834, 4);
  Put(out, static_cast<uint32_t>(palette.size()), 4);
  Put(out, 0, 4);
  for (uint32_t c : palette) Put(out, c, 4);
  out.insert(out.end(), pixels.begin(), pixels.end());
  return out;
}

// A 3x2 image of the given depth whose pixels all differ.
TDibImage Sample(int bitCount) {
  TDibImage img;
  img.Width = 3;
  img.Height = 2;
  img.BitCount = bitCount;
  if (bitCount <= 8) {
    for (uint32_t i = 0; i < (1u << bitCount); ++i) img.Palette.push_back(i * 0x010203u & 0xFFFFFF);
  }
  img.Pixels.assign(DibStride(3, bitCount) * 2, 0);
  for (int y = 0; y < 2; ++y)
    for (int x = 0; x < 3; ++x) {
      const int v = y * 3 + x + 1;
      uint8_t* row = img.Row(y);
      if (bitCount == 4)
        row[x / 2] |= static_cast<uint8_t>((x & 1) ? v : v << 4);
      else if (bitCount == 8)
        row[x] = static_cast<uint8_t>(v * 20);
      else
        for (int c = 0; c < bitCount / 8; ++c)
          row[x * (bitCount / 8) + c] = static_cast<uint8_t>(v * 30 + c);
    }
  return img;
}

}  // namespace

TEST(ImageFiles, EncodedImagesOfEveryDepthDecodeToTheSamePixels) {
  for (int bits : {1, 4, 8, 24, 32}) {
    TDibImage img = Sample(bits);
    img.XPelsPerMeter = 2834;
    const std::vector<uint8_t> file = EncodeBmp(img);
    size_t used = 0;
    const auto back = DecodeBmp(file.data(), file.size(), &used);
    ASSERT_TRUE(back) << bits;
    EXPECT_EQ(used, file.size());
    EXPECT_EQ(back->BitCount, bits);
    EXPECT_EQ(back->Pixels, img.Pixels) << bits;
    EXPECT_EQ(back->Palette, img.Palette) << bits;
    EXPECT_EQ(back->XPelsPerMeter, 2834);
    EXPECT_EQ(EncodeBmp(*back), file);
  }
}

TEST(ImageFiles, BottomUpRowsComeOutTopFirstAndTopDownFilesToo) {
  // 24-bit 1x2: the file's first row is the bottom one.
  const std::vector<uint8_t> rows = {1, 2, 3, 0, 4, 5, 6, 0};
  auto up = DecodeBmp(HandMadeBmp(1, 2, 24, 0, {}, rows).data(), 62);
  ASSERT_TRUE(up);
  EXPECT_EQ(up->Row(0)[0], 4);
  EXPECT_EQ(up->Row(1)[0], 1);
  auto down = DecodeBmp(HandMadeBmp(1, -2, 24, 0, {}, rows).data(), 62);
  ASSERT_TRUE(down);
  EXPECT_EQ(down->Row(0)[0], 1);
  EXPECT_EQ(down->Row(1)[0], 4);
}

TEST(ImageFiles, ShortPaletteIsPaddedWithBlack) {
  // 8-bit with two colours; index 7 lies past the table.
  auto img =
      DecodeBmp(HandMadeBmp(2, 1, 8, 0, {0x112233, 0x445566}, {1, 7, 0, 0}).data(), 54 + 8 + 4);
  ASSERT_TRUE(img);
  ASSERT_EQ(img->Palette.size(), 256u);
  EXPECT_EQ(img->Palette[1], 0x445566u);
  EXPECT_EQ(img->Palette[7], 0u);
}

TEST(ImageFiles, SixteenBitPixelsBecomeTwentyFourBit) {
  // 555: pure red 0x7C00 and white 0x7FFF.
  const std::vector<uint8_t> file = HandMadeBmp(2, 1, 16, 0, {}, {0x00, 0x7C, 0xFF, 0x7F});
  auto img = DecodeBmp(file.data(), file.size());
  ASSERT_TRUE(img);
  EXPECT_EQ(img->BitCount, 24);
  const uint8_t* r = img->Row(0);
  EXPECT_EQ((std::vector<int>{r[0], r[1], r[2], r[3], r[4], r[5]}),
            (std::vector<int>{0, 0, 255, 255, 255, 255}));
}

TEST(ImageFiles, RunLengthPicturesDecodeAndOverlongRunsAreClipped) {
  // RLE8 4x2: bottom row = run of 4 x 5; end of line; absolute run 1 2 3; end.
  const std::vector<uint8_t> rle = {4, 5, 0, 0, 0, 3, 1, 2, 3, 0, 0, 1};
  std::vector<uint32_t> pal(8, 0);
  auto img = DecodeBmp(HandMadeBmp(4, 2, 8, 1, pal, rle).data(), 54 + 32 + rle.size());
  ASSERT_TRUE(img);
  EXPECT_EQ((std::vector<uint8_t>(img->Row(1), img->Row(1) + 4)),
            (std::vector<uint8_t>{5, 5, 5, 5}));
  EXPECT_EQ((std::vector<uint8_t>(img->Row(0), img->Row(0) + 4)),
            (std::vector<uint8_t>{1, 2, 3, 0}));

  // A run of 255 pixels, a delta far outside and data cut short: no write outside the image.
  const std::vector<uint8_t> bad = {255, 9, 0, 2, 200, 200, 255, 1, 0, 40, 1};
  auto clipped = DecodeBmp(HandMadeBmp(4, 2, 8, 1, pal, bad).data(), 54 + 32 + bad.size());
  ASSERT_TRUE(clipped);
  EXPECT_EQ(clipped->Row(1)[3], 9);
}

TEST(ImageFiles, RunLengthDeltasFarPastTheEdgeNeverComeBackIn) {
  // Deltas that move 2^32 pixels to the right in all, then one pixel of 7:
  // it lies far outside the 2x1 image and must not wrap round into it.
  std::vector<uint8_t> rle;
  const size_t deltas = 16843009;  // 255 * 16843009 = 2^32 - 1
  rle.reserve(4 * deltas + 10);
  for (size_t i = 0; i < deltas; ++i) rle.insert(rle.end(), {0, 2, 255, 0});
  rle.insert(rle.end(), {0, 2, 1, 0, 1, 7, 0, 1});
  const std::vector<uint32_t> pal(8, 0);
  const std::vector<uint8_t> file = HandMadeBmp(2, 1, 8, 1, pal, rle);
  auto img = DecodeBmp(file.data(), file.size());
  ASSERT_TRUE(img);
  EXPECT_EQ(img->Row(0)[0], 0);
  EXPECT_EQ(img->Row(0)[1], 0);
}

TEST(ImageFiles, PicturesOutsideTheLimitsAndCutRunLengthDataGiveNoImage) {
  const std::vector<uint32_t> pal(16, 0);
  const std::vector<uint8_t> endOfPicture = {0, 1};
  // 1 bit per pixel, 8192 x 2049: every pixel byte present, but 16 Mi + 8192 pixels.
  std::vector<uint8_t> wideRows(1024 * 2049, 0);
  struct Case {
    const char* what;
    std::vector<uint8_t> file;
    bool decodes;
  };
  const Case cases[] = {
      // 60 bytes that claim 8192 x 8192 pixels (64 MiB) left blank by the end code.
      {"RLE8 bomb", HandMadeBmp(8192, 8192, 8, 1, {0}, endOfPicture), false},
      {"RLE4 bomb", HandMadeBmp(8192, 8192, 4, 2, {0}, endOfPicture), false},
      {"two runs fill 510 pixels", HandMadeBmp(510, 1, 8, 1, pal, {255, 3, 255, 3}), true},
      {"two runs for 511 pixels", HandMadeBmp(511, 1, 8, 1, pal, {255, 3, 255, 3}), false},
      {"no end code, rows left", HandMadeBmp(4, 2, 8, 1, pal, {4, 5}), false},
      {"cut in an absolute run", HandMadeBmp(4, 1, 8, 1, pal, {0, 3, 1, 2}), false},
      {"cut in a delta", HandMadeBmp(4, 2, 8, 1, pal, {4, 5, 0, 2, 1}), false},
      {"over the pixel limit", HandMadeBmp(8192, 2049, 1, 0, {0, 0xFFFFFF}, wideRows), false},
      {"at the pixel limit", HandMadeBmp(8192, 2048, 1, 0, {0, 0xFFFFFF}, wideRows), true},
  };
  for (const Case& c : cases) {
    size_t used = 0;
    const auto img = DecodeBmp(c.file.data(), c.file.size(), &used);
    EXPECT_EQ(img.has_value(), c.decodes) << c.what;
    if (img) {
      EXPECT_LE(used, c.file.size()) << c.what;
    }
  }
}

TEST(ImageFiles, DamagedFilesGiveNoImage) {
  const std::vector<uint8_t> good = EncodeBmp(Sample(24));
  // Every truncation that cuts into the headers or pixels.
  for (size_t n = 0; n < good.size(); ++n) EXPECT_FALSE(DecodeBmp(good.data(), n)) << n;

  auto patched = [&](size_t at, uint32_t value, int bytes) {
    std::vector<uint8_t> f = good;
    for (int i = 0; i < bytes; ++i) f[at + i] = static_cast<uint8_t>(value >> (8 * i));
    return DecodeBmp(f.data(), f.size()).has_value();
  };
  EXPECT_FALSE(patched(0, 'X', 1));           // magic
  EXPECT_FALSE(patched(14, 20, 4));           // header size
  EXPECT_FALSE(patched(14, 0x7FFFFFF0, 4));   // header past the end
  EXPECT_FALSE(patched(18, 0, 4));            // width 0
  EXPECT_FALSE(patched(18, 0x80000000u, 4));  // negative width
  EXPECT_FALSE(patched(22, 0x80000000u, 4));  // height INT_MIN
  EXPECT_FALSE(patched(18, 100000, 4));       // absurd width
  EXPECT_FALSE(patched(28, 7, 2));            // 7 bits per pixel
  EXPECT_FALSE(patched(30, 4, 4));            // JPEG compression
  EXPECT_FALSE(patched(10, 0xFFFFFFF0u, 4));  // pixels past the end
  EXPECT_EQ(DecodeBmp(nullptr, 0), std::nullopt);

  // A palette that runs past the end of the file.
  std::vector<uint8_t> f = EncodeBmp(Sample(8));
  f.resize(54 + 100);
  EXPECT_FALSE(DecodeBmp(f.data(), f.size()));
}

TEST(ImageFiles, IconDirectoryIsCheckedAndConvertedToResourceLayout) {
  std::vector<uint8_t> ico;
  Put(ico, 0, 2);
  Put(ico, 1, 2);
  Put(ico, 2, 2);
  const uint32_t dataStart = 6 + 32;
  for (int i = 0; i < 2; ++i) {
    ico.push_back(i ? 0 : 16);  // 0 means 256
    ico.push_back(i ? 0 : 16);
    ico.push_back(0);
    ico.push_back(0);
    Put(ico, 1, 2);
    Put(ico, 32, 2);
    Put(ico, 4, 4);
    Put(ico, dataStart + 4 * i, 4);
  }
  Put(ico, 0xAAAAAAAA, 4);
  Put(ico, 0xBBBBBBBB, 4);

  auto entries = ParseIconFile(ico.data(), ico.size());
  ASSERT_TRUE(entries);
  ASSERT_EQ(entries->size(), 2u);
  EXPECT_EQ((*entries)[0].Width, 16);
  EXPECT_EQ((*entries)[1].Width, 256);
  EXPECT_EQ((*entries)[1].Offset, dataStart + 4);

  const std::vector<uint8_t> dir = IconResourceDirectory(*entries);
  ASSERT_EQ(dir.size(), 6u + 2 * 14);
  EXPECT_EQ(dir[6], 16);
  EXPECT_EQ(dir[6 + 14], 0);       // 256 written back as 0
  EXPECT_EQ(dir[6 + 12], 1);       // first ID
  EXPECT_EQ(dir[6 + 14 + 12], 2);  // second ID

  std::vector<uint8_t> cut = ico;
  cut.pop_back();  // the second image now runs past the end
  EXPECT_FALSE(ParseIconFile(cut.data(), cut.size()));
  std::vector<uint8_t> none = ico;
  none[4] = 0;
  EXPECT_FALSE(ParseIconFile(none.data(), none.size()));
  std::vector<uint8_t> cursor = ico;
  cursor[2] = 2;  // a cursor file
  EXPECT_FALSE(ParseIconFile(cursor.data(), cursor.size()));
  EXPECT_FALSE(ParseIconFile(ico.data(), 20));
}

TEST(ImageFiles, RandomlyDamagedFilesNeverReadOrWriteOutOfBounds) {
  // Under the sanitizers, any stray access fails this test.
  std::vector<uint32_t> pal(16, 0x123456);
  const std::vector<std::vector<uint8_t>> samples = {
      EncodeBmp(Sample(24)),
      EncodeBmp(Sample(8)),
      EncodeBmp(Sample(4)),
      HandMadeBmp(4, 2, 8, 1, pal, {4, 5, 0, 0, 0, 3, 1, 2, 3, 0, 0, 1}),
      HandMadeBmp(4, 2, 4, 2, pal, {4, 0x12, 0, 2, 1, 1, 0, 3, 0x12, 0x30, 0, 1}),
      HandMadeBmp(2, 1, 16, 3, {0xF800, 0x07E0, 0x001F}, {0x00, 0xF8, 0xFF, 0xFF})};
  std::mt19937 rng(12345);
  for (const auto& sample : samples) {
    for (int round = 0; round < 2000; ++round) {
      std::vector<uint8_t> f = sample;
      const int flips = 1 + static_cast<int>(rng() % 4);
      for (int k = 0; k < flips; ++k) f[rng() % f.size()] = static_cast<uint8_t>(rng());
      if (rng() % 4 == 0) f.resize(rng() % f.size());
      size_t used = 0;
      if (auto img = DecodeBmp(f.data(), f.size(), &used)) {
        EXPECT_LE(used, f.size());
        EXPECT_EQ(img->Pixels.size(), DibStride(img->Width, img->BitCount) * img->Height);
      }
      ParseIconFile(f.data(), f.size());
    }
  }
}
