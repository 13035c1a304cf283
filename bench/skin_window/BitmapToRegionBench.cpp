// Cost of BitmapToRegion, which a skinned window pays for its shape on every
// resize: a border picture with transparent rounded corners at a dialog's
// and at a large window's size, and a checkerboard of single opaque pixels
// as the worst case (one rectangle per opaque pixel).
//   bench_bitmap_to_region [ROUNDS]
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <vector>

#include "skin/draw/SkinDraw.h"

namespace {

// Milliseconds from the performance counter.
double NowMs() {
  static LARGE_INTEGER frequency = [] {
    LARGE_INTEGER f;
    QueryPerformanceFrequency(&f);
    return f;
  }();
  LARGE_INTEGER now;
  QueryPerformanceCounter(&now);
  return 1000.0 * static_cast<double>(now.QuadPart) / static_cast<double>(frequency.QuadPart);
}

// A 32-bit w x h picture with Fn's colour (0x00BBGGRR) at each pixel.
void Fill(TBitmap& Bitmap, int w, int h, const std::function<TColor(int, int)>& Fn) {
  Bitmap.SetPixelFormat(TPixelFormat::pf32bit);
  Bitmap.SetSize(w, h);
  for (int y = 0; y < h; ++y) {
    uint8_t* row = Bitmap.ScanLine(y);
    for (int x = 0; x < w; ++x) {
      const TColor c = Fn(x, y);
      row[4 * x] = static_cast<uint8_t>(c >> 16);
      row[4 * x + 1] = static_cast<uint8_t>(c >> 8);
      row[4 * x + 2] = static_cast<uint8_t>(c);
      row[4 * x + 3] = 0;
    }
  }
}

// A window border: shaded, with corners of radius 12 cut out in magenta.
void Border(TBitmap& Bitmap, int w, int h) {
  constexpr int radius = 12;
  Fill(Bitmap, w, h, [&](int x, int y) -> TColor {
    const int cx = x < radius ? radius - x : x >= w - radius ? x - (w - radius - 1) : 0;
    const int cy = y < radius ? radius - y : y >= h - radius ? y - (h - radius - 1) : 0;
    if (cx * cx + cy * cy > radius * radius) return SkinKeyColour;
    return static_cast<TColor>(0x402010 + (x * 255 / w) + ((y * 255 / h) << 8));
  });
}

void Checkerboard(TBitmap& Bitmap, int w, int h) {
  Fill(Bitmap, w, h, [](int x, int y) { return (x + y) % 2 ? SkinKeyColour : 0x808080; });
}

// Rectangles that GDI keeps for the region.
DWORD RectCount(HRGN Region) {
  const DWORD size = GetRegionData(Region, 0, nullptr);
  std::vector<unsigned char> data(size);
  if (!size || !GetRegionData(Region, size, reinterpret_cast<RGNDATA*>(data.data()))) return 0;
  return reinterpret_cast<RGNDATA*>(data.data())->rdh.nCount;
}

void Time(const char* Name, TBitmap& Bitmap, int Rounds) {
  std::vector<double> times;
  DWORD rects = 0;
  for (int i = 0; i < Rounds; ++i) {
    const double start = NowMs();
    TRegionObject region = BitmapToRegion(Bitmap, 0, 0, 0, 0, 0, SkinKeyColour);
    times.push_back(NowMs() - start);
    if (i == 0) rects = RectCount(region);
  }
  std::sort(times.begin(), times.end());
  std::printf("%-28s %4dx%-4d  median %9.3f ms   fastest %9.3f ms   (%lu rectangles kept)\n", Name,
              Bitmap.Width(), Bitmap.Height(), times[times.size() / 2], times[0],
              static_cast<unsigned long>(rects));
}

}  // namespace

int main(int argc, char** argv) {
  const int rounds = argc > 1 ? std::max(1, std::atoi(argv[1])) : 20;
  TBitmap picture;
  Border(picture, 630, 394);
  Time("border, rounded corners", picture, rounds);
  Border(picture, 1600, 1200);
  Time("border, rounded corners", picture, rounds);
  Checkerboard(picture, 630, 394);
  Time("checkerboard (worst case)", picture, std::max(1, rounds / 4));
  return 0;
}
