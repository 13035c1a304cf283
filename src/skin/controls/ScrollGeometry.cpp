#include "skin/controls/ScrollGeometry.h"

#include <algorithm>
#include <cstdint>

// Rounds toward the sign of the product by half the divisor.
int MulDivRound(int A, int B, int C) {
  if (C == 0) return -1;
  if (C < 0) {
    A = -A;
    C = -C;
  }
  const int64_t product = static_cast<int64_t>(A) * B;
  const int64_t result = product >= 0 ? (product + C / 2) / C : (product - C / 2) / C;
  if (result > 2147483647 || result < -2147483647) return -1;
  return static_cast<int>(result);
}

// The page's share of the track, at least the smallest thumb; a page that
// covers the whole range gives a thumb one pixel short of the track.
void ComputeThumbMetrics(int Length, const TScrollRange& Range, const TScrollBarSizes& Sizes,
                         TScrollBarMetrics& Metrics) {
  Metrics.FTrackLength = Length - 2 * Sizes.Arrow;
  if (Range.Max < Range.Min) return;
  const int range = Range.Max - Range.Min + 1;
  const int page = static_cast<int>(Range.Page);
  int thumb = page == 0 ? Sizes.DefaultThumb
                        : std::max(MulDivRound(page, Metrics.FTrackLength, range), Sizes.MinThumb);
  thumb = std::min(thumb, Metrics.FTrackLength);
  if (page >= range) {
    Metrics.FThumbPos = 0;
    thumb -= 1;
  } else {
    Metrics.FThumbPos =
        MulDivRound(Range.Pos - Range.Min, Metrics.FTrackLength - thumb, range - page);
  }
  Metrics.FThumbSize = thumb;
}

// Arrow, track before the thumb, thumb, track after it, arrow.
TScrollHit ScrollHitTest(const TScrollBarMetrics& Metrics, int Pos) {
  if (Pos < Metrics.FArrowSize) return shLineUp;
  if (Pos < Metrics.FArrowSize + Metrics.FThumbPos) return shPageUp;
  if (Pos < Metrics.FArrowSize + Metrics.FThumbPos + Metrics.FThumbSize) return shThumb;
  if (Pos < Metrics.FArrowSize + Metrics.FTrackLength) return shPageDown;
  if (Pos < 2 * Metrics.FArrowSize + Metrics.FTrackLength) return shLineDown;
  return shNone;
}

// The bars keep to the window's right and bottom edges inside the border.
TScrollBarsLayout LayoutScrollBars(int W, int H, int ClientW, int ClientH, int Size, bool Horz,
                                   bool Vert) {
  TScrollBarsLayout layout;
  const int edge = Vert ? (W - ClientW - Size) / 2 : (H - ClientH - Size) / 2;
  if (Horz && Vert) {
    layout.Horz = TSkinRect{edge, H - edge - Size, W - edge - Size, H - edge};
    layout.Vert = TSkinRect{W - edge - Size, edge, W - edge, H - edge - Size};
    layout.Corner =
        TSkinRect{layout.Vert.left, layout.Horz.top, layout.Vert.right, layout.Horz.bottom};
  } else if (Horz) {
    layout.Horz = TSkinRect{edge, H - edge - Size, W - edge, H - edge};
  } else if (Vert) {
    layout.Vert = TSkinRect{W - edge - Size, edge, W - edge, H - edge};
  }
  return layout;
}

// The offset clamped to the room left by the thumb, then scaled to the
// positions up to the last page's start.
TThumbDrag DragThumb(const TScrollBarMetrics& Metrics, const TScrollRange& Range, int StartOffset,
                     int Moved) {
  const int room = std::max(Metrics.FTrackLength - Metrics.FThumbSize, 0);
  TThumbDrag drag;
  drag.Offset = std::clamp(StartOffset + Moved, 0, room);
  // The highest position a bar can take: the last page ends at Max.
  const int last = Range.Max - std::max(static_cast<int>(Range.Page) - 1, 0);
  const int pos =
      room > 0 ? Range.Min + MulDivRound(drag.Offset, last - Range.Min, room) : Range.Min;
  drag.Pos = std::clamp(pos, Range.Min, std::max(last, Range.Min));
  return drag;
}
