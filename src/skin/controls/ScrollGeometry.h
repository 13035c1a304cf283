// The arithmetic of skinned scroll bars, apart from any window: the thumb's
// size and place for a range, page and position, which part of a bar lies
// under a point, where the bars of a scrolling window go, and the position
// a thumb drag stands for. The platform's metrics come in as parameters, so
// that this builds and is tested natively.
#pragma once

#include "skin/data/SkinValues.h"

// The pressed part of a bar.
enum TScrollPart : int {
  sppNone = 0,
  sppLeftArrow = 1,
  sppRightArrow = 2,
  sppUpArrow = 3,
  sppDownArrow = 4,
  sppHorzThumb = 5,
  sppVertThumb = 6
};

// A bar's numbers as the platform keeps them (SCROLLINFO's range, page and
// position).
struct TScrollRange {
  int Min = 0;
  int Max = 0;
  unsigned Page = 0;
  int Pos = 0;
};

// The sizes the platform gives scroll bars: the length of an arrow button,
// the thumb of a bar without a page, and the smallest thumb it draws.
struct TScrollBarSizes {
  int Arrow = 0;
  int DefaultThumb = 0;
  int MinThumb = 0;
};

// The layout of one bar along its length, as last drawn: the arrow buttons'
// length, the length between them, the thumb's length and its offset from
// the end of the first arrow.
struct TScrollBarMetrics {
  int FArrowSize = 0;
  int FTrackLength = 0;
  int FThumbSize = 0;
  int FThumbPos = 0;
};

// The part of a bar at a point, as the platform's scroll codes number them.
enum TScrollHit : int {
  shNone = -1,
  shLineUp = 0,    // SB_LINEUP: the first arrow
  shLineDown = 1,  // SB_LINEDOWN: the second arrow
  shPageUp = 2,    // SB_PAGEUP: the track before the thumb
  shPageDown = 3,  // SB_PAGEDOWN: the track after the thumb
  shThumb = 5,     // SB_THUMBTRACK
};

// (A * B) / C rounded half away from zero, as the platform's MulDiv does;
// -1 when C is 0 or the result does not fit.
int MulDivRound(int A, int B, int C);

// Thumb size and offset of a bar Length pixels long (arrows included) for
// Range, into Metrics (FTrackLength, FThumbSize, FThumbPos). A range with
// Max < Min keeps the previous thumb.
void ComputeThumbMetrics(int Length, const TScrollRange& Range, const TScrollBarSizes& Sizes,
                         TScrollBarMetrics& Metrics);
// Which part of a bar lies Pos pixels from its start.
TScrollHit ScrollHitTest(const TScrollBarMetrics& Metrics, int Pos);

// Where the bars of a scrolling window lie, in window coordinates.
struct TScrollBarsLayout {
  TSkinRect Horz, Vert, Corner;
};
// The bars of a W x H window whose client area is ClientW x ClientH, bars
// Size thick; the border around them is measured beside the vertical bar
// when there is one. Only the bars that are shown (and the corner when both
// are) are worked out; the others stay empty.
TScrollBarsLayout LayoutScrollBars(int W, int H, int ClientW, int ClientH, int Size, bool Horz,
                                   bool Vert);

// Where a dragged thumb stands and which position that is.
struct TThumbDrag {
  int Offset = 0;
  int Pos = 0;
};
// The thumb that started at StartOffset, moved by Moved pixels along the
// bar: it stays in the track, and its offset maps onto the positions as
// the painting maps a position onto the offset, so that it stays under the
// cursor after the release.
TThumbDrag DragThumb(const TScrollBarMetrics& Metrics, const TScrollRange& Range, int StartOffset,
                     int Moved);
