// Check box and radio button marks drawn from the skin's strips.
#include "skin/controls/SkinMarkButton.h"

#include <algorithm>

#include "skin/controls/ControlDrawing.h"
#include "skin/draw/SkinDraw.h"
#include "ui/Published.h"

QUORVEL_DEFINE_CLASS(TSkinMarkButton) {}
QUORVEL_DEFINE_CLASS(TSkinCheckBox) {}
QUORVEL_DEFINE_CLASS(TSkinRadioButton) {}

// The messages after which the platform has drawn its own box.
void TSkinMarkButton::AfterProc(TMessage& Message) {
  switch (Message.Msg) {
    case BM_SETCHECK:
    case BM_SETSTATE:  // the platform has just drawn its own box
    case WM_LBUTTONDOWN:
    case WM_LBUTTONUP:
    case WM_LBUTTONDBLCLK:
    case CM_MOUSEENTER:
    case CM_MOUSELEAVE: Repaint(); break;
    default: TSkinControl::AfterProc(Message); break;
  }
}

// A box narrower than 15 pixels is centred in a 14-pixel column, on the
// side the text is not.
void TSkinMarkButton::PaintControl(HDC DC, const TRect& Rect) {
  TDataSkinButton* button = FSkinData ? FSkinData->Button.get() : nullptr;
  TBitmap* scratch = ScratchBitmap();
  if (!button || !scratch || !FHandle) return;
  TBitmap& strip = MarkBitmap(*button);
  if (strip.Empty()) return;
  const int count = std::max(1, MarkFrameCount(*button));
  const int w = strip.Width() / count, h = strip.Height();
  const LONG_PTR style = GetWindowLongPtrA(FHandle, GWL_STYLE);
  const int frame = MarkFrame(style, count);

  const int top = Rect.top + (RectHeight(Rect) - h) / 2;
  int left = 0;
  if (style & BS_LEFTTEXT)
    left = (w < 15 ? Rect.right - (14 - w) / 2 : Rect.right - 1) - w;
  else
    left = w < 15 ? Rect.left + (14 - w) / 2 : Rect.left;

  scratch->SetSize(w, h);
  const TRect box{0, 0, w, h};
  FillFace(scratch->Canvas().Handle(), box);
  DrawStripFrame(*this, scratch->Canvas(), box, count, frame, strip);
  CopyToWindow(*this, DC, TRect{left, top, left + w, top + h});
}

// A strip without the disabled frame shows the enabled one.
int TSkinCheckBox::MarkFrame(LONG_PTR Style, int FrameCount) {
  const bool checked = (SendMessageA(FHandle, BM_GETSTATE, 0, 0) & BST_CHECKED) != 0;
  const int frame = (Style & WS_DISABLED) ? 3 : checked ? 2 : 1;
  return frame <= FrameCount ? frame : checked && FrameCount >= 2 ? 2 : 1;
}

// Checked adds 1, disabled 2; a short strip falls back to the enabled frames.
int TSkinRadioButton::MarkFrame(LONG_PTR Style, int FrameCount) {
  const int checked = (SendMessageA(FHandle, BM_GETCHECK, 0, 0) & BST_CHECKED) ? 1 : 0;
  const int frame = 1 + checked + ((Style & WS_DISABLED) ? 2 : 0);
  return frame <= FrameCount ? frame : std::min(1 + checked, FrameCount);
}
