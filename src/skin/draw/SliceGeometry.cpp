#include "skin/draw/SliceGeometry.h"

#include <algorithm>

// Frame heights for stacked frames, widths for side-by-side ones.
TFrameBox FrameOf(int Width, int Height, bool Vertical, int FrameCount, int Frame) {
  const int count = std::max(FrameCount, 1);
  if (Vertical) {
    const int fh = Height / count;
    return {0, fh * (Frame - 1), Width, fh};
  }
  const int fw = Width / count;
  return {fw * (Frame - 1), 0, fw, Height};
}

// Corners, sides and centre of the frame against those of the W x H result.
std::vector<TSlicePiece> NineSlicePieces(const TFrameBox& F, int W, int H,
                                         const TSkinRect& Margins) {
  int L = Margins.left, T = Margins.top, R = Margins.right, B = Margins.bottom;
  if (W < L + R) L = R = 0;
  if (H < T + B) T = B = 0;
  const int sx = F.X, sy = F.Y, fw = F.W, fh = F.H;
  std::vector<TSlicePiece> pieces;
  pieces.reserve(9);
  // Adds a piece when it has something to draw.
  auto add = [&](bool when, TSkinRect dest, TSkinRect source, bool centre = false) {
    if (when) pieces.push_back({dest, source, centre});
  };
  add(L * T > 0, {0, 0, L, T}, {sx, sy, sx + L, sy + T});
  add(L * B > 0, {0, H - B, L, H}, {sx, sy + fh - B, sx + L, sy + fh});
  add(R * T > 0, {W - R, 0, W, T}, {sx + fw - R, sy, sx + fw, sy + T});
  add(L > 0, {0, T, L, H - B}, {sx, sy + T, sx + L, sy + fh - B});
  add(T > 0, {L, 0, W - R, T}, {sx + L, sy, sx + fw - R, sy + T});
  add(true, {L, T, W - R, H - B}, {sx + L, sy + T, sx + fw - R, sy + fh - B}, true);
  add(R * B > 0, {W - R, H - B, W, H}, {sx + fw - R, sy + fh - B, sx + fw, sy + fh});
  add(R > 0, {W - R, T, W, H - B}, {sx + fw - R, sy + T, sx + fw, sy + fh - B});
  add(B > 0, {L, H - B, W - R, H}, {sx + L, sy + fh - B, sx + fw - R, sy + fh});
  return pieces;
}

// Left part, copies of the middle, right part; zero-wide parts are left out.
std::vector<TSlicePiece> ThreePartPieces(const TFrameBox& F, int W, int H,
                                         const TSkinRect& Margins) {
  const int L = Margins.left, R = Margins.right;
  std::vector<TSlicePiece> pieces;
  if (L != 0) pieces.push_back({{0, 0, L, H}, {F.X, F.Y, F.X + L, F.Y + F.H}});
  const int step = F.W - L - R;
  if (step > 0) {
    for (int x = L; x < W - R; x += step)
      pieces.push_back({{x, 0, x + step, H}, {F.X + L, F.Y, F.X + L + step, F.Y + F.H}, true});
  }
  if (R != 0) pieces.push_back({{W - R, 0, W, H}, {F.X + F.W - R, F.Y, F.X + F.W, F.Y + F.H}});
  return pieces;
}
