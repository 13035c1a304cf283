#include "skin/draw/BitmapUtils.h"

#include <cstring>
#include <vector>

#include "ui/Graphics.h"

namespace {

constexpr int BytesPerPixel = 3;

// Makes the bitmap a 24-bit one, the format the reorienting works on;
// false when the system could not make it (the bitmap has no pixels then).
bool Make24Bit(TBitmap& Bitmap) {
  if (Bitmap.PixelFormat() != TPixelFormat::pf24bit) Bitmap.SetPixelFormat(TPixelFormat::pf24bit);
  GdiFlush();  // pending drawing must reach the pixels before they are read
  return !Bitmap.Empty() && Bitmap.ScanLine(0) != nullptr;
}

// The picture's pixels, 3 bytes each, row by row from the top.
std::vector<uint8_t> ReadPixels(TBitmap& Bitmap) {
  const size_t rowBytes = static_cast<size_t>(Bitmap.Width()) * BytesPerPixel;
  std::vector<uint8_t> pixels(rowBytes * static_cast<size_t>(Bitmap.Height()));
  for (int y = 0; y < Bitmap.Height(); ++y)
    std::memcpy(pixels.data() + rowBytes * static_cast<size_t>(y), Bitmap.ScanLine(y), rowBytes);
  return pixels;
}

// Turns the picture by a quarter: the pixel (x, y) of the old picture, of
// size w x h, moves to Place(x, y) in the new one of size h x w.
template <class TPlace>
void Rotate(TBitmap& Bitmap, TPlace Place) {
  if (Bitmap.Empty() || !Make24Bit(Bitmap)) return;
  const int w = Bitmap.Width();
  const int h = Bitmap.Height();
  const std::vector<uint8_t> pixels = ReadPixels(Bitmap);
  Bitmap.SetSize(h, w);
  // A size the system cannot make leaves the bitmap empty: nothing to write.
  if (Bitmap.Empty() || Bitmap.Width() != h || !Bitmap.ScanLine(0)) return;
  GdiFlush();
  for (int y = 0; y < h; ++y) {
    for (int x = 0; x < w; ++x) {
      const POINT to = Place(x, y, w, h);
      const uint8_t* from = pixels.data() + (static_cast<size_t>(y) * w + x) * BytesPerPixel;
      std::memcpy(Bitmap.ScanLine(to.y) + static_cast<size_t>(to.x) * BytesPerPixel, from,
                  BytesPerPixel);
    }
  }
}

}  // namespace

// Swaps the rows from the outside in.
void FlipVertical(TBitmap& Bitmap) {
  if (Bitmap.Empty() || !Make24Bit(Bitmap)) return;
  const size_t rowBytes = static_cast<size_t>(Bitmap.Width()) * BytesPerPixel;
  std::vector<uint8_t> row(rowBytes);
  for (int top = 0, bottom = Bitmap.Height() - 1; top < bottom; ++top, --bottom) {
    std::memcpy(row.data(), Bitmap.ScanLine(top), rowBytes);
    std::memcpy(Bitmap.ScanLine(top), Bitmap.ScanLine(bottom), rowBytes);
    std::memcpy(Bitmap.ScanLine(bottom), row.data(), rowBytes);
  }
}

// (x, y) goes to (y, w - 1 - x).
void RotateLeft(TBitmap& Bitmap) {
  Rotate(Bitmap, [](int x, int y, int w, int) { return POINT{y, w - 1 - x}; });
}

// (x, y) goes to (h - 1 - y, x).
void RotateRight(TBitmap& Bitmap) {
  Rotate(Bitmap, [](int x, int y, int, int h) { return POINT{h - 1 - y, x}; });
}
