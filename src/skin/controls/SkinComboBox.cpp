// Combo boxes: a flat border and a skinned drop-down button drawn over the
// platform's painting.
#include "skin/controls/SkinComboBox.h"

#include <algorithm>

#include "skin/controls/ControlDrawing.h"
#include "skin/draw/SkinDraw.h"
#include "ui/Published.h"

QUORVEL_DEFINE_CLASS(TSkinComBox) {}

namespace {

// Whether the element exists and has a picture.
bool HasPicture(const std::unique_ptr<TDataSkinObject>& Element) {
  return Element && !Element->Bitmap.Empty();
}

// The thickness of a sunken edge piece: 2 pixels for a margin above 1.
int EdgeThickness(int Margin) { return Margin > 1 ? 2 : 1; }

// Source of Bitmap stretched onto Target of DC; empty pieces draw nothing.
void StretchPiece(HDC DC, const TRect& Target, TBitmap& Bitmap, const TRect& Source) {
  if (RectWidth(Target) <= 0 || RectHeight(Target) <= 0 || RectWidth(Source) <= 0 ||
      RectHeight(Source) <= 0)
    return;
  StretchBlt(DC, Target.left, Target.top, RectWidth(Target), RectHeight(Target),
             Bitmap.Canvas().Handle(), Source.left, Source.top, RectWidth(Source),
             RectHeight(Source), SRCCOPY);
}

}  // namespace

// The mouse, hover and the edit's focus.
void TSkinComBox::AfterProc(TMessage& Message) {
  switch (Message.Msg) {
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
      FMouseState |= msPressed;
      Paint();
      break;
    case WM_LBUTTONUP:
      FMouseState &= ~msPressed;
      Paint();
      break;
    case CM_MOUSEENTER:
      if (FEnabled) {
        FMouseState |= msMouseOver;
        Paint();
      }
      break;
    case CM_MOUSELEAVE:
      // Cleared whether enabled or not: a combo box disabled under the mouse
      // shows the hot frame only while the mouse stays.
      FMouseState &= ~msMouseOver;
      Paint();
      break;
    case WM_COMMAND:
      // The edit of an editable combo box took or lost the focus.
      if (HIWORD(Message.WParam) == EN_SETFOCUS || HIWORD(Message.WParam) == EN_KILLFOCUS) Paint();
      TSkinControl::AfterProc(Message);
      break;
    default: TSkinControl::AfterProc(Message); break;
  }
}

// The state's frame of the button; the edge from the edge picture's first frame.
void TSkinComBox::PaintControl(HDC DC, const TRect& Rect) {
  if (!FSkinData || !FHandle || !HasPicture(FSkinData->ComboButton) ||
      !HasPicture(FSkinData->SunkEdge))
    return;
  TDataSkinObject& button = *FSkinData->ComboButton;
  TDataSkinObject& edge = *FSkinData->SunkEdge;
  // An editable combo box has the focus in its edit.
  const HWND focus = GetFocus();
  FFocused = focus && (focus == FHandle || IsChild(FHandle, focus));
  FEnabled = !(GetWindowLongPtrA(FHandle, GWL_STYLE) & WS_DISABLED);
  const int frame = FrameNumber((FMouseState & msPressed)                   ? TFaceFrame::Pressed
                                : (FFocused || (FMouseState & msMouseOver)) ? TFaceFrame::Hot
                                : !FEnabled                                 ? TFaceFrame::Disabled
                                                                            : TFaceFrame::Normal);

  // The inner ring of the platform's border takes the background colour.
  if (FCanvas) FCanvas->SetHandle(DC);
  TRect inner = Rect;
  InflateRect(&inner, -1, -1);
  FrameRect(DC, &inner, ControlBackgroundBrush(FHandle, DC, false));

  const TRect b{Rect.right - GetSystemMetrics(SM_CXHSCROLL) - 2, Rect.top, Rect.right, Rect.bottom};
  FillFace(DC, b);
  DrawStripFrameOn(*this, DC, b, std::max(1, button.FrameCount), frame, button.Bitmap);

  if (HasPicture(FSkinData->ExtraImages)) {
    TDataSkinObject& arrow = *FSkinData->ExtraImages;
    const int frames = std::max(1, arrow.FrameCount);
    const int w = arrow.Bitmap.Width() / frames, h = arrow.Bitmap.Height();
    const int left = b.left + (RectWidth(b) - w) / 2, top = Rect.top + (RectHeight(Rect) - h) / 2;
    DrawStripFrameKeeping(*this, DC, TRect{left, top, left + w, top + h}, frames, frame,
                          arrow.Bitmap);
  }

  // The sunken edge on the left, top and bottom, from the edge picture's
  // first frame.
  const int w2 = edge.Bitmap.Width() / std::max(1, edge.FrameCount), h2 = edge.Bitmap.Height();
  const TSkinRect& m = edge.Margins;
  const int oldMode = SetStretchBltMode(DC, COLORONCOLOR);
  StretchPiece(DC, TRect{Rect.left, Rect.top, Rect.left + EdgeThickness(m.left), Rect.bottom},
               edge.Bitmap, TRect{0, m.top, m.left, h2 - m.bottom});
  StretchPiece(DC, TRect{Rect.left, Rect.top, b.left, Rect.top + EdgeThickness(m.top)}, edge.Bitmap,
               TRect{m.left, 0, w2 - m.right, m.top});
  StretchPiece(
      DC,
      TRect{Rect.left, Rect.top, Rect.left + EdgeThickness(m.top), Rect.top + EdgeThickness(m.top)},
      edge.Bitmap, TRect{0, 0, m.left, m.top});
  StretchPiece(DC, TRect{Rect.left, Rect.bottom - EdgeThickness(m.bottom), b.left, Rect.bottom},
               edge.Bitmap, TRect{m.left, h2 - m.bottom, w2 - m.right, h2});
  StretchPiece(DC,
               TRect{Rect.left, Rect.bottom - EdgeThickness(m.bottom),
                     Rect.left + EdgeThickness(m.bottom), Rect.bottom},
               edge.Bitmap, TRect{0, h2 - m.bottom, m.left, h2});
  SetStretchBltMode(DC, oldMode);
}
