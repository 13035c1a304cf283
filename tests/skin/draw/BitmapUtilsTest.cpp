// Flipping and rotating skin pictures.
#include <gtest/gtest.h>

#include <windows.h>

#include "skin/draw/BitmapUtils.h"
#include "ui/Graphics.h"

namespace {

// A 24-bit bitmap whose rows hold the given colours (0x00RRGGBB).
void Fill(TBitmap& Bitmap, const std::vector<std::vector<uint32_t>>& Rows) {
  Bitmap.SetPixelFormat(TPixelFormat::pf24bit);
  Bitmap.SetSize(static_cast<int>(Rows[0].size()), static_cast<int>(Rows.size()));
  GdiFlush();
  for (size_t y = 0; y < Rows.size(); ++y) {
    uint8_t* row = Bitmap.ScanLine(static_cast<int>(y));
    for (size_t x = 0; x < Rows[y].size(); ++x) {
      row[3 * x] = static_cast<uint8_t>(Rows[y][x]);
      row[3 * x + 1] = static_cast<uint8_t>(Rows[y][x] >> 8);
      row[3 * x + 2] = static_cast<uint8_t>(Rows[y][x] >> 16);
    }
  }
}

// The bitmap's rows of colours.
std::vector<std::vector<uint32_t>> Rows(TBitmap& Bitmap) {
  GdiFlush();
  std::vector<std::vector<uint32_t>> rows(static_cast<size_t>(Bitmap.Height()));
  for (int y = 0; y < Bitmap.Height(); ++y) {
    const uint8_t* row = Bitmap.ScanLine(y);
    for (int x = 0; x < Bitmap.Width(); ++x)
      rows[y].push_back(row[3 * x] | row[3 * x + 1] << 8 | row[3 * x + 2] << 16);
  }
  return rows;
}

constexpr uint32_t P = 0x000001, Q = 0x000200, R = 0x030000, S = 0x040404, T = 0x0000FF,
                   U = 0xFF00FF;

TEST(BitmapUtils, ThreeByTwoTurnsAndFlips) {
  TBitmap bitmap;
  Fill(bitmap, {{P, Q, R}, {S, T, U}});
  RotateLeft(bitmap);
  EXPECT_EQ(bitmap.Width(), 2);
  EXPECT_EQ(bitmap.Height(), 3);
  EXPECT_EQ(Rows(bitmap), (std::vector<std::vector<uint32_t>>{{R, U}, {Q, T}, {P, S}}));
  EXPECT_EQ(bitmap.PixelFormat(), TPixelFormat::pf24bit);

  Fill(bitmap, {{P, Q, R}, {S, T, U}});
  RotateRight(bitmap);
  EXPECT_EQ(Rows(bitmap), (std::vector<std::vector<uint32_t>>{{S, P}, {T, Q}, {U, R}}));

  Fill(bitmap, {{P, Q, R}, {S, T, U}});
  FlipVertical(bitmap);
  EXPECT_EQ(Rows(bitmap), (std::vector<std::vector<uint32_t>>{{S, T, U}, {P, Q, R}}));
}

TEST(BitmapUtils, LeftThenRightRestoresAndOnePixelStays) {
  TBitmap bitmap;
  const std::vector<std::vector<uint32_t>> odd = {
      {P, Q, R, S, T}, {U, T, S, R, Q}, {Q, Q, P, P, U}};
  Fill(bitmap, odd);
  RotateLeft(bitmap);
  RotateRight(bitmap);
  EXPECT_EQ(Rows(bitmap), odd);
  FlipVertical(bitmap);
  FlipVertical(bitmap);
  EXPECT_EQ(Rows(bitmap), odd);

  Fill(bitmap, {{U}});
  RotateLeft(bitmap);
  RotateRight(bitmap);
  FlipVertical(bitmap);
  EXPECT_EQ(Rows(bitmap), (std::vector<std::vector<uint32_t>>{{U}}));

  TBitmap empty;
  RotateLeft(empty);
  FlipVertical(empty);
  EXPECT_TRUE(empty.Empty());
}

}  // namespace
