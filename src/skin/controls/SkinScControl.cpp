// Scroll-bar controls drawn from the skin as one bar.
#include "skin/controls/SkinScControl.h"

#include "skin/controls/ScrollBarPaint.h"
#include "skin/draw/SkinDraw.h"
#include "ui/Published.h"

QUORVEL_DEFINE_CLASS(TSkinScControl) {}

// A skinner for a scroll-bar control.
TSkinScControl::TSkinScControl(TComponent* AOwner) : TSkinControl(AOwner) {}

// The control's scroll notifications, reflected to it.
bool TSkinScControl::BeforeProc(TMessage& Message) {
  switch (Message.Msg) {
    case WM_NCMOUSEMOVE: return PassNCMouseMove(Message);
    case CN_BASE + WM_HSCROLL:
      FPressedPart = PressedPartOf(Message.WParam, sppLeftArrow, sppRightArrow, sppHorzThumb);
      break;
    case CN_BASE + WM_VSCROLL:
      FPressedPart = PressedPartOf(Message.WParam, sppUpArrow, sppDownArrow, sppVertThumb);
      break;
    default: return true;
  }
  Default(Message);
  Paint();
  return false;
}

// SBM_ messages that change the bar.
void TSkinScControl::AfterProc(TMessage& Message) {
  switch (Message.Msg) {
    // A program moved the bar or changed its range: the platform has drawn
    // its own bar at once.
    case SBM_SETPOS:
    case SBM_SETRANGE:
    case SBM_SETRANGEREDRAW:
    case SBM_SETSCROLLINFO:
    case SBM_ENABLE_ARROWS: Paint(); break;
    default: TSkinControl::AfterProc(Message); break;
  }
}

// The bar's direction from its style; the thumb kept from the last paint
// when the range says nothing.
void TSkinScControl::PaintControl(HDC DC, const TRect& Rect) {
  if (!SkinHasScrollBars(FSkinData)) return;
  const bool horizontal = (GetWindowLongPtrA(FHandle, GWL_STYLE) & SBS_VERT) == 0;
  const SCROLLINFO info = ReadScrollInfo(FHandle, SB_CTL);
  const TScrollBarSizes sizes = PlatformScrollBarSizes();
  FMetrics.FArrowSize = sizes.Arrow;
  ComputeThumbMetrics(horizontal ? RectWidth(Rect) : RectHeight(Rect), RangeOf(info), sizes,
                      FMetrics);
  DrawSkinScrollBar(*this, DC, Rect, horizontal, FPressedPart, FMetrics);
}
