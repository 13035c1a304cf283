#include "skin/controls/ScrollBarPaint.h"

#include <algorithm>

#include "skin/controls/ControlDrawing.h"
#include "skin/controls/WinSubClass.h"
#include "skin/draw/SkinDraw.h"

namespace {

// The skin's pictures are made for bars this thick; a finished bar is
// stretched onto the real one.
constexpr int kStripThickness = 16;
// Frames of the Scrollbar picture.
constexpr int kArrowFrames = 23;
constexpr int kTrackFrames = 4;
enum : int { kLeftArrow = 1, kRightArrow = 5, kUpArrow = 9, kDownArrow = 13 };
// GetScrollInfo: range, page, position and track position.
constexpr UINT kAllScrollInfo = SIF_RANGE | SIF_PAGE | SIF_POS | SIF_TRACKPOS;

// An empty or inverted rectangle.
bool IsEmpty(const TRect& R) { return R.right <= R.left || R.bottom <= R.top; }

}  // namespace

// A Scrollbar element with a picture.
bool SkinHasScrollBars(const TSkinModel* SkinData) {
  return SkinData && SkinData->Scrollbar && !SkinData->Scrollbar->Bitmap.Empty();
}

// The system metrics, and the platform family for the smallest thumb.
TScrollBarSizes PlatformScrollBarSizes() {
  TScrollBarSizes sizes;
  sizes.Arrow = GetSystemMetrics(SM_CXHSCROLL);
  sizes.DefaultThumb = GetSystemMetrics(SM_CXHTHUMB);
  const bool win9x = (GetVersion() & 0x80000000u) != 0;
  sizes.MinThumb = win9x ? sizes.Arrow / 2 : 8;
  return sizes;
}

// GetScrollInfo with every field; zeros on failure.
SCROLLINFO ReadScrollInfo(HWND Wnd, int Bar) {
  SCROLLINFO info{};
  info.cbSize = sizeof(SCROLLINFO);
  info.fMask = kAllScrollInfo;
  if (!GetScrollInfo(Wnd, Bar, &info)) {
    info = SCROLLINFO{};
    info.cbSize = sizeof(SCROLLINFO);
  }
  return info;
}

// The four numbers of the geometry.
TScrollRange RangeOf(const SCROLLINFO& Info) {
  return TScrollRange{Info.nMin, Info.nMax, Info.nPage, Info.nPos};
}

// The scroll code in the low word.
TScrollPart PressedPartOf(WPARAM WParam, TScrollPart Line1, TScrollPart Line2, TScrollPart Thumb) {
  switch (LOWORD(WParam)) {
    case SB_LINEUP: return Line1;
    case SB_LINEDOWN: return Line2;
    case SB_THUMBTRACK: return Thumb;
    default: return sppNone;
  }
}

// Anywhere but over a bar.
bool PassNCMouseMove(const TMessage& Message) {
  return Message.WParam != HTHSCROLL && Message.WParam != HTVSCROLL;
}

// Composed kStripThickness thick, the size the pictures are made for, then
// stretched onto the real bar.
void DrawSkinScrollBar(TSkinControl& Skinner, HDC DC, const TRect& R, bool Horizontal,
                       TScrollPart PressedPart, const TScrollBarMetrics& Metrics) {
  TSkinModel* skin = Skinner.SkinData();
  if (!SkinHasScrollBars(skin) || IsEmpty(R)) return;
  const int length = Horizontal ? R.right - R.left : R.bottom - R.top;
  // Along the bar (a, b) and across it: a rectangle of the strip.
  auto part = [&](int a, int b) {
    return Horizontal ? TRect{a, 0, b, kStripThickness} : TRect{0, a, kStripThickness, b};
  };

  TBitmap strip;
  strip.SetSize(Horizontal ? length : kStripThickness, Horizontal ? kStripThickness : length);
  HDC dc = strip.Canvas().Handle();
  SetStretchBltMode(dc, COLORONCOLOR);
  {
    const TBrushObject ground(CreateSolidBrush(ColorToRGB(skin->ScrollbarColour)));
    const TRect all{0, 0, strip.Width(), strip.Height()};
    FillRect(dc, &all, ground);
  }

  const int arrowSize = Metrics.FArrowSize;
  if (TDataSkinObject* track = (Horizontal ? skin->HorzScroll : skin->VertScroll).get())
    DrawNineSliceOn(dc, part(arrowSize, length - arrowSize), track->Bitmap, false, track->Tile != 0,
                    track->Trans != 0, kTrackFrames, 1, track->Margins);

  const int arrow = length < 2 * arrowSize ? length / 2 : arrowSize;
  const int first = Horizontal ? (PressedPart == sppLeftArrow ? kLeftArrow + 1 : kLeftArrow)
                               : (PressedPart == sppUpArrow ? kUpArrow + 1 : kUpArrow);
  const int second = Horizontal ? (PressedPart == sppRightArrow ? kRightArrow + 1 : kRightArrow)
                                : (PressedPart == sppDownArrow ? kDownArrow + 1 : kDownArrow);
  DrawStripFrame(Skinner, strip.Canvas(), part(0, arrow), kArrowFrames, first,
                 skin->Scrollbar->Bitmap);
  DrawStripFrame(Skinner, strip.Canvas(), part(length - arrow, length), kArrowFrames, second,
                 skin->Scrollbar->Bitmap);

  TDataSkinObject* thumb = (Horizontal ? skin->HorzScrollThumb : skin->VertScrollThumb).get();
  if (thumb && Metrics.FTrackLength >= Metrics.FThumbSize) {
    const int start = arrow + Metrics.FThumbPos;
    const bool pressed = PressedPart == (Horizontal ? sppHorzThumb : sppVertThumb);
    DrawNineSliceOn(dc, part(start, start + Metrics.FThumbSize), thumb->Bitmap, false, false,
                    thumb->Trans != 0, thumb->FrameCount, pressed ? 2 : 1, thumb->Margins);
  }

  const TSaveDCGuard state(DC);
  SetStretchBltMode(DC, COLORONCOLOR);
  StretchBlt(DC, R.left, R.top, R.right - R.left, R.bottom - R.top, dc, 0, 0, strip.Width(),
             strip.Height(), SRCCOPY);
}
