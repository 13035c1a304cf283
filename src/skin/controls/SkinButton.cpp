// Push buttons drawn from the skin's button element, composed in the
// scratch bitmap and copied to the window in one step.
#include "skin/controls/SkinButton.h"

#include "skin/controls/ControlDrawing.h"
#include "skin/draw/SkinDraw.h"
#include "skin/draw/SkinText.h"
#include "ui/Published.h"

QUORVEL_DEFINE_CLASS(TSkinButton) {}

namespace {

// The push-button picture has five frames.
constexpr int kPushFrames = 5;

// Whether the window's style says disabled.
bool IsDisabled(HWND Wnd) { return (GetWindowLongPtrA(Wnd, GWL_STYLE) & WS_DISABLED) != 0; }

}  // namespace

// Only when the element has a picture.
TDataSkinButton* ButtonFacePicture(TSkinModel* Skin) {
  if (!Skin || !Skin->Button || Skin->Button->Bitmap.Empty()) return nullptr;
  return Skin->Button.get();
}

// WM_GETFONT's face, height and character set.
void TakeButtonFont(TFont& Font, HWND Wnd) {
  auto font = reinterpret_cast<HFONT>(SendMessageA(Wnd, WM_GETFONT, 0, 0));
  if (!font) font = static_cast<HFONT>(GetStockObject(SYSTEM_FONT));
  LOGFONTA lf{};
  if (!GetObjectA(font, sizeof lf, &lf)) return;
  Font.SetName(lf.lfFaceName);
  Font.SetHeight(lf.lfHeight);
  Font.SetCharset(lf.lfCharSet);
  Font.SetStyle(0);
}

// The erase, and the press (which takes the focus and paints pressed).
bool TSkinButton::BeforeProc(TMessage& Message) {
  switch (Message.Msg) {
    case WM_ERASEBKGND: Message.Result = 1; return false;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
      if (!FFocused) SetFocus(FHandle);
      FMouseState |= msPressed;
      Paint();
      return false;
    default: return true;
  }
}

// The state changes that repaint, and the click on release.
void TSkinButton::AfterProc(TMessage& Message) {
  switch (Message.Msg) {
    case WM_PAINT: Paint(); break;
    case WM_KEYDOWN:
    case WM_KEYUP:
      if (Message.WParam != VK_SPACE) break;
      if (Message.Msg == WM_KEYDOWN)
        FMouseState |= msPressed;
      else
        FMouseState &= ~msPressed;
      Repaint();
      break;
    case BM_SETSTATE:
      // The button has just drawn its own pushed or released look.
      Repaint();
      break;
    case WM_MOUSEMOVE: TakeHover(); break;
    case WM_LBUTTONUP: {
      // Only a press that began here and stayed here clicks: a press taken
      // from another button by the mouse leaving it does not.
      const bool pressed = (FMouseState & msPressed) != 0;
      FMouseState &= ~msPressed;
      Repaint();
      if (pressed && FHandle) {
        const WPARAM id = FControl ? 0 : MAKEWPARAM(GetDlgCtrlID(FHandle), BN_CLICKED);
        PostMessageA(GetParent(FHandle), WM_COMMAND, id, reinterpret_cast<LPARAM>(FHandle));
      }
      break;
    }
    case CM_MOUSEENTER:
      if (FEnabled) {
        FMouseState |= msMouseOver;
        Repaint();
      }
      break;
    case CM_MOUSELEAVE:
      // Cleared whether enabled or not, so that a button disabled under the
      // mouse does not come back hot once enabled again.
      FMouseState &= ~(msMouseOver | msPressed);
      Repaint();
      break;
    default: TSkinControl::AfterProc(Message); break;
  }
}

// Pressed, hot (also when focused), disabled or normal.
void TSkinButton::PaintControl(HDC DC, const TRect& Rect) {
  TDataSkinButton* face = ButtonFacePicture(FSkinData);
  TBitmap* scratch = ScratchBitmap();
  if (!face || !scratch || !FHandle) return;
  FFocused = GetFocus() == FHandle;
  FEnabled = !IsDisabled(FHandle);
  FCaption = ReadCaption();
  if (FCaption.empty() && FControl) FCaption = FControl->Text();

  TFaceFrame frame = (FMouseState & msPressed)                   ? TFaceFrame::Pressed
                     : (FFocused || (FMouseState & msMouseOver)) ? TFaceFrame::Hot
                                                                 : TFaceFrame::Normal;
  if (!FEnabled) frame = TFaceFrame::Disabled;

  const TRect r{0, 0, RectWidth(Rect), RectHeight(Rect)};
  scratch->SetSize(r.right, r.bottom);
  DrawSkinImage(*this, r, *face, face->Trans, kPushFrames, FrameNumber(frame));

  TCanvas& canvas = scratch->Canvas();
  TFont& font = canvas.Font();
  TakeButtonFont(font, FHandle);
  font.SetColor(FSkinData->ButtonTextColour);
  if (frame == TFaceFrame::Normal) font.SetColor(face->NormalColour2);
  if (frame == TFaceFrame::Hot) font.SetColor(face->MouseOverColour2);
  if (frame == TFaceFrame::Pressed) font.SetColor(face->PressedColour2);
  DrawSkinText(canvas, r, DT_CENTER, FEnabled, FCaption);
  CopyToWindow(*this, DC, Rect);
}
