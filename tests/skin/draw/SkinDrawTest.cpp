// Drawing skin pictures into memory bitmaps; every expected pixel is read
// from the source picture the test builds.
#include <gtest/gtest.h>

#include <windows.h>

#include <algorithm>
#include <functional>

#include "skin/draw/SkinDraw.h"

namespace {

using TPixelFn = std::function<TColor(int, int)>;
constexpr TColor Key = SkinKeyColour, Ground = 0x0A0B0C;

// A 32-bit w x h bitmap with Fn's colour at each pixel.
void Paint(TBitmap& B, int w, int h, const TPixelFn& Fn) {
  B.SetPixelFormat(TPixelFormat::pf32bit);
  B.SetSize(w, h);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) B.Canvas().SetPixel(x, y, Fn(x, y));
}
TColor At(TBitmap& B, int x, int y) {
  return static_cast<TColor>(B.Canvas().Pixel(x, y) & 0xFFFFFF);
}
// A colour of its own for every pixel of a picture up to 254 x 254; tag
// tells pictures apart. Never magenta.
TColor Unique(int x, int y, int tag = 0) { return (x + 1) | (y + 1) << 8 | tag << 16; }

// Where a tiled nine-slice or three-part takes column x of a size-wide
// result from: edges as they are, the middle repeated from the edge start.
int TiledSource(int x, int size, int frameSize, int lead, int trail) {
  if (x < lead) return x;
  if (x >= size - trail) return frameSize - (size - x);
  return lead + (x - lead) % (frameSize - lead - trail);
}

TEST(SkinDraw, NineSliceAtFrameSizeCopiesThatFrame) {
  struct TCase {
    bool Vertical;
    int Count, Frame;
    bool Tile;
  } cases[] = {{true, 3, 1, false},  {true, 3, 2, false}, {true, 3, 3, true},
               {false, 3, 2, false}, {false, 3, 3, true}, {false, 1, 1, false}};
  for (const TCase& c : cases) {
    TBitmap strip;
    Paint(strip, c.Vertical ? 6 : 6 * c.Count, c.Vertical ? 5 * c.Count : 5,
          [](int x, int y) { return Unique(x, y); });
    auto result = DrawNineSlice(Rect(0, 0, 6, 5), strip, TSkinRect{2, 1, 2, 2}, c.Vertical, c.Tile,
                                c.Count, c.Frame);
    const int sx = c.Vertical ? 0 : 6 * (c.Frame - 1), sy = c.Vertical ? 5 * (c.Frame - 1) : 0;
    for (int y = 0; y < 5; ++y)
      for (int x = 0; x < 6; ++x)
        ASSERT_EQ(At(*result, x, y), Unique(sx + x, sy + y)) << c.Vertical << c.Frame << x << y;
  }
}

// 8-pixel edges on a 20 x 20 frame; a size below 16 in a direction drops
// both edges there, and the whole frame is stretched (halved) instead.
TEST(SkinDraw, NineSliceDropsMarginsThatDoNotFit) {
  TBitmap frame;
  auto zone = [](int v) { return v < 8 ? 0 : v < 12 ? 1 : 2; };
  Paint(frame, 20, 20, [&](int x, int y) { return 0x102030 + 0x40 * zone(x) + 0x4000 * zone(y); });
  for (auto [w, h] : {std::pair{10, 20}, std::pair{20, 10}, std::pair{10, 10}}) {
    auto result = DrawNineSlice(Rect(0, 0, w, h), frame, TSkinRect{8, 8, 8, 8}, false, false, 1, 1);
    for (int y = 0; y < h; ++y)
      for (int x = 0; x < w; ++x)
        ASSERT_EQ(At(*result, x, y), At(frame, w == 10 ? 2 * x : x, h == 10 ? 2 * y : y))
            << w << h << x << y;
  }
}

// A 7 x 4 frame with 2-pixel sides and 1-pixel top and bottom drawn 11 x 5:
// the tiles of the centre are cut by the right and bottom edges. The edges
// vary only across themselves, so stretching them along is exact.
TEST(SkinDraw, TiledCentreRunsUnderTheRightAndBottomEdges) {
  TBitmap frame;
  Paint(frame, 7, 4, [](int x, int y) {
    const bool midX = x >= 2 && x < 5, midY = y >= 1 && y < 3;
    return midX == midY ? Unique(x, y) : midX ? Unique(0, y, 1) : Unique(x, 0, 2);
  });
  auto result = DrawNineSlice(Rect(0, 0, 11, 5), frame, TSkinRect{2, 1, 2, 1}, true, true, 1, 1);
  for (int y = 0; y < 5; ++y)
    for (int x = 0; x < 11; ++x)
      ASSERT_EQ(At(*result, x, y),
                At(frame, TiledSource(x, 11, 7, 2, 2), TiledSource(y, 5, 4, 1, 1)))
          << x << y;
}

// Nine-slice drawing onto a DC at (3, 4): whole, through the key colour, or
// only the edges; an empty rectangle draws nothing.
TEST(SkinDraw, NineSliceOntoADeviceContext) {
  enum TMode { On, OnTransparent, EdgesOnly };
  struct TCase {
    TMode Mode;
    TRect Dest;
  } cases[] = {{On, Bounds(3, 4, 6, 5)},
               {OnTransparent, Bounds(3, 4, 6, 5)},
               {EdgesOnly, Bounds(3, 4, 6, 5)},
               {On, Rect(3, 4, 2, 9)},
               {EdgesOnly, Rect(3, 4, 9, 3)}};
  TBitmap strip;
  Paint(strip, 6, 10, [](int x, int y) { return (x + y) % 4 == 0 ? Key : Unique(x, y); });
  for (const TCase& c : cases) {
    TBitmap dest;
    Paint(dest, 12, 12, [](int, int) { return Ground; });
    if (c.Mode == EdgesOnly)
      DrawNineSliceTo(dest.Canvas().Handle(), c.Dest, strip, true, 2, 2, TSkinRect{2, 1, 2, 2});
    else
      DrawNineSliceOn(dest.Canvas().Handle(), c.Dest, strip, true, false, c.Mode == OnTransparent,
                      2, 2, TSkinRect{2, 1, 2, 2});
    for (int y = 0; y < 12; ++y)
      for (int x = 0; x < 12; ++x) {
        const int fx = x - c.Dest.left, fy = y - c.Dest.top;
        const bool inside = fx >= 0 && fx < c.Dest.right - c.Dest.left && fy >= 0 &&
                            fy < c.Dest.bottom - c.Dest.top;
        const bool centre = fx >= 2 && fx < 4 && fy >= 1 && fy < 3;
        TColor want = inside ? At(strip, fx, 5 + fy) : Ground;
        if ((c.Mode == EdgesOnly && centre) || (c.Mode == OnTransparent && want == Key))
          want = Ground;
        ASSERT_EQ(At(dest, x, y), want) << c.Mode << x << y;
      }
  }
}

// Frame 2 of 2 (8 wide: left 2, middle 3, right 3) across 12 pixels: the
// middle is tiled and its last copy is cut by the right part. A 5-wide
// frame has no middle and must still finish.
TEST(SkinDraw, HorzThreePartTilesTheMiddle) {
  struct TCase {
    bool Vertical, Transparent;
    int FrameWidth;
  } cases[] = {{true, false, 8}, {false, true, 8}, {false, false, 5}};
  for (const TCase& c : cases) {
    TBitmap strip, dest;
    Paint(strip, c.Vertical ? c.FrameWidth : 2 * c.FrameWidth, c.Vertical ? 6 : 3,
          [&](int x, int y) { return x % c.FrameWidth == 3 && y % 3 == 1 ? Key : Unique(x, y); });
    Paint(dest, 14, 5, [](int, int) { return Ground; });
    DrawHorzThreePart(dest.Canvas(), Bounds(1, 1, 12, 3), strip, c.Vertical, c.Transparent, 2, 2,
                      TSkinRect{2, 0, 3, 0});
    const int sx = c.Vertical ? 0 : c.FrameWidth, sy = c.Vertical ? 3 : 0;
    for (int y = 0; y < 3; ++y)
      for (int x = 0; x < 12; ++x) {
        if (c.FrameWidth == 5 && x >= 2 && x < 9)
          continue;  // no middle: left as the work bitmap was
        TColor want = At(strip, sx + TiledSource(x, 12, c.FrameWidth, 2, 3), sy + y);
        if (c.Transparent && want == Key) want = Ground;
        ASSERT_EQ(At(dest, 1 + x, 1 + y), want) << c.Vertical << c.FrameWidth << x << y;
      }
  }
}

// A strip of three 4 x 3 frames side by side: DrawFrame picks frame F; key
// pixels leave the destination as it was when transparent; TransparentBlt
// does the same for any key colour.
TEST(SkinDraw, FramesAndTransparentCopies) {
  struct TCase {
    int Frame;
    bool Transparent;
    TColor KeyColour;
  } cases[] = {{2, false, Key}, {3, true, Key}, {1, true, Key}, {0, true, 0x123456}};
  TBitmap strip;
  Paint(strip, 12, 3, [](int x, int y) {
    return (x + y) % 3 == 0 ? Key : x == 5 ? 0x123456 : Unique(x, y);
  });
  for (const TCase& c : cases) {
    TBitmap dest;
    Paint(dest, 14, 5, [](int x, int y) { return Unique(x, y, 9); });
    const TRect to = c.Frame ? Bounds(2, 1, 4, 3) : Bounds(2, 1, 12, 3);
    if (c.Frame)
      DrawFrame(dest.Canvas().Handle(), to, strip, c.Transparent, c.Frame);
    else
      TransparentBlt(dest.Canvas().Handle(), to, strip, c.KeyColour);
    for (int y = 0; y < 3; ++y)
      for (int x = 0; x < to.right - to.left; ++x) {
        const TColor source = At(strip, 4 * std::max(c.Frame - 1, 0) + x, y);
        const TColor want =
            c.Transparent && source == c.KeyColour ? Unique(2 + x, 1 + y, 9) : source;
        ASSERT_EQ(At(dest, 2 + x, 1 + y), want) << c.Frame << x << y;
      }
  }
}

// The region of a bitmap equals its opaque pixels moved by the offset:
// each pixel is probed, and nothing lies outside the moved bitmap.
TEST(SkinDraw, BitmapToRegionCoversTheOpaquePixels) {
  struct TCase {
    int W, H, X, Y;
    TPixelFn Fn;
  } cases[] = {
      {7, 5, 0, 0, [](int, int) { return Key; }},
      {9, 6, 3, -2, [](int x, int y) { return Unique(x, y); }},
      {120, 40, 5, 7, [](int x, int y) { return (x + y) % 2 ? Key : Unique(x, y); }},  // 2400 runs
      {100, 40, 0, 0,
       [](int x, int y) { return (x + y) % 2 ? Unique(x, y) : Key; }},  // exactly 2000
      {30, 20, -4, 0, [](int x, int y) {
         return (x - 15) * (x - 15) + (y - 10) * (y - 10) > 60 ? Key : 0xFE00FF;
       }}};
  for (const TCase& c : cases) {
    TBitmap bitmap;
    Paint(bitmap, c.W, c.H, c.Fn);
    TRegionObject region = BitmapToRegion(bitmap, c.X, c.Y, 0, 0, 0, Key);
    TRect box;
    const int kind = GetRgnBox(region, &box);
    if (kind == NULLREGION) SetRectEmpty(&box);
    const TRect moved = Bounds(c.X, c.Y, c.W, c.H);
    TRect outside;
    EXPECT_TRUE(IsRectEmpty(&box) ||
                (UnionRect(&outside, &box, &moved) && EqualRect(&outside, &moved)));
    for (int y = 0; y < c.H; ++y)
      for (int x = 0; x < c.W; ++x)
        ASSERT_EQ(PtInRegion(region, c.X + x, c.Y + y) != 0, c.Fn(x, y) != Key)
            << c.W << ' ' << x << ' ' << y;
  }
}

// A pixel is transparent when every channel lies in [key, key + tolerance].
TEST(SkinDraw, BitmapToRegionTolerancesWidenUpwardOnly) {
  struct TCase {
    TColor KeyColour, Pixel;
    int Blue, Green, Red;
    bool Transparent;
  } cases[] = {{Key, 0xFF00FF, 0, 0, 0, true},      {Key, 0xFE00FF, 1, 1, 1, false},
               {Key, 0xFF00FE, 1, 1, 1, false},     {Key, 0xFF01FF, 0, 1, 0, true},
               {Key, 0xFF02FF, 0, 1, 0, false},     {Key, 0xFF00FF, 255, 255, 255, true},
               {0x102030, 0x102031, 0, 0, 1, true}, {0x102030, 0x102031, 1, 0, 0, false},
               {0x102030, 0x112030, 1, 0, 0, true}, {0x102030, 0x112030, 0, 0, 1, false}};
  for (const TCase& c : cases) {
    TBitmap bitmap;
    Paint(bitmap, 1, 1, [&](int, int) { return c.Pixel; });
    TRegionObject region = BitmapToRegion(bitmap, 0, 0, c.Blue, c.Green, c.Red, c.KeyColour);
    EXPECT_EQ(PtInRegion(region, 0, 0) == 0, c.Transparent)
        << std::hex << c.KeyColour << ' ' << c.Pixel;
  }
}

TEST(SkinDraw, ScratchBitmapIsOneAndStretchesWholePixels) {
  TBitmap* scratch = ScratchBitmap();
  ASSERT_NE(scratch, nullptr);
  EXPECT_EQ(ScratchBitmap(), scratch);
  EXPECT_EQ(GetStretchBltMode(scratch->Canvas().Handle()), COLORONCOLOR);
}

}  // namespace
