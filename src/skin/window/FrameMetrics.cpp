#include "skin/window/FrameMetrics.h"

#include <algorithm>

namespace {

// The platform's hit-test codes used here.
constexpr int kHitNowhere = 0;  // HTNOWHERE
constexpr int kHitCaption = 2;  // HTCAPTION
constexpr int kHitMenu = 5;     // HTMENU

// Frames of a border picture, never below 1.
int Frames(const TBorderPicture& Picture) { return std::max(1, Picture.FrameCount); }

}  // namespace

// The frame's sizes off each edge.
TSkinRect TFrameMetrics::ClientRect(int X, int Y, int W, int H) const {
  return TSkinRect{X + BorderLeft, Y + TitleHeight + MenuHeight, X + W - BorderRight,
                   Y + H - BorderBottom};
}

// The client size plus the frame, MenuLines bands high.
void TFrameMetrics::WindowSize(int ClientW, int ClientH, int MenuLines, int& W, int& H) const {
  W = ClientW + BorderLeft + BorderRight;
  H = ClientH + TitleHeight + BorderBottom + MenuLines * MenuHeight;
}

// The whole height at the left edge.
TSkinRect TFrameMetrics::LeftRect(int, int H) const { return TSkinRect{0, 0, BorderLeft, H}; }

// The whole height at the right edge.
TSkinRect TFrameMetrics::RightRect(int W, int H) const {
  return TSkinRect{W - BorderRight, 0, W, H};
}

// Between the side borders at the bottom.
TSkinRect TFrameMetrics::BottomRect(int W, int H) const {
  return TSkinRect{BorderLeft, H - BorderBottom, W - BorderRight, H};
}

// Between the side borders at the top.
TSkinRect TFrameMetrics::TitleRect(int W) const {
  return TSkinRect{BorderLeft, 0, W - BorderRight, TitleHeight};
}

// Between the side borders below the title.
TSkinRect TFrameMetrics::MenuRect(int W) const {
  return TSkinRect{BorderLeft, TitleHeight, W - BorderRight, TitleHeight + MenuHeight};
}

// Side borders give widths, top and bottom give heights.
TFrameMetrics ComputeFrameMetrics(const std::array<TBorderPicture, 5>& Borders, bool Frameless,
                                  int MenuHeight) {
  TFrameMetrics m;
  if (Frameless) return m;
  m.TitleHeight = Borders[3].Height / Frames(Borders[3]);
  m.BorderLeft = Borders[1].Width / Frames(Borders[1]);
  m.BorderRight = Borders[2].Width / Frames(Borders[2]);
  m.BorderBottom = Borders[4].Height / Frames(Borders[4]);
  m.MenuHeight = MenuHeight;
  return m;
}

// The menu band first; then nowhere in the title becomes the caption.
int FrameHitTest(const TFrameMetrics& Metrics, int Platform, int X, int Y, int W) {
  const TSkinRect band = Metrics.MenuRect(W);
  if (Metrics.MenuHeight > 0 && X >= band.left && X < band.right && Y >= band.top &&
      Y < band.bottom)
    return kHitMenu;
  if (Platform == kHitNowhere && Y >= 0 && Y < Metrics.TitleHeight) return kHitCaption;
  return Platform;
}
