// Speed buttons drawn from the skin's button element through their own
// canvas.
#include "skin/controls/SkinSpeedButton.h"

#include <algorithm>

#include "skin/controls/ControlDrawing.h"
#include "skin/draw/SkinDraw.h"
#include "skin/draw/SkinText.h"
#include "ui/Buttons.h"
#include "ui/Published.h"

QUORVEL_DEFINE_CLASS(TSkinSpeedButton) {}

// A skinner without a window.
TSkinSpeedButton::TSkinSpeedButton(TComponent* AOwner) : TSkinBitButton(AOwner) {
  FHandle = nullptr;
}

// Hooks the button's WindowProc (the button tells when it is freed).
void TSkinSpeedButton::InitSpeedButton(TSpeedButton* SpeedButton, TSkinModel* SkinData,
                                       TCanvas* Canvas) {
  FSkinData = SkinData;
  FCanvas = Canvas;
  FSpeedButton = SpeedButton;
  FControl = SpeedButton;
  HookControl(*SpeedButton);
  if (TSkinnerHost* host = Host()) host->Skinners().Add(this);
}

// A speed button freed while skinned: nothing to give back.
void TSkinSpeedButton::Notification(TComponent* AComponent, TOperation Operation) {
  if (Operation == TOperation::opRemove && AComponent && AComponent == FSpeedButton)
    FSpeedButton = nullptr;
  TSkinBitButton::Notification(AComponent, Operation);
}

// WM_PAINT on the button's DC, and the press after the button's own.
bool TSkinSpeedButton::BeforeProc(TMessage& Message) {
  switch (Message.Msg) {
    case WM_PAINT: {
      if (!Message.WParam || !FSpeedButton) return true;
      TRect r = FSpeedButton->ClientRect();
      OffsetRect(&r, -r.left, -r.top);
      // Without a button picture the button paints itself.
      if (!PaintButton(reinterpret_cast<HDC>(Message.WParam), r)) return true;
      Message.Result = 1;
      return false;
    }
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
      // The button's own press handling runs first.
      Default(Message);
      FMouseState |= msPressed;
      Paint();
      return false;
    default: return true;
  }
}

// The state changes that repaint.
void TSkinSpeedButton::AfterProc(TMessage& Message) {
  switch (Message.Msg) {
    case WM_NCDESTROY: Restore(); break;
    case WM_KEYDOWN:
    case WM_KEYUP:
      if (Message.WParam != VK_SPACE) break;
      if (Message.Msg == WM_KEYDOWN)
        FMouseState |= msPressed;
      else
        FMouseState &= ~msPressed;
      Paint();
      break;
    case WM_LBUTTONUP:
      // The button clicks itself.
      FMouseState &= ~msPressed;
      Paint();
      break;
    case CM_MOUSEENTER:
      FMouseState |= msMouseOver;
      Paint();
      break;
    case CM_MOUSELEAVE:
      FMouseState &= ~(msMouseOver | msPressed);
      Paint();
      break;
    default: TSkinButton::AfterProc(Message); break;
  }
}

// The button's canvas takes a DC of the parent's window for this paint.
void TSkinSpeedButton::Paint() {
  if (!FSpeedButton || !FSpeedButton->Visible() || !FSpeedButton->Parent() ||
      !FSpeedButton->Parent()->HandleAllocated())
    return;
  TRect r = FSpeedButton->ClientRect();
  OffsetRect(&r, -r.left, -r.top);
  const TPoint topLeft = FSpeedButton->ClientToScreen(TPoint{0, 0});
  FWindowRect = TRect{topLeft.x, topLeft.y, topLeft.x + r.right, topLeft.y + r.bottom};
  TCanvas* canvas = FSpeedButton->Canvas();
  HDC dc = canvas->Handle();
  if (!dc) return;
  PaintButton(dc, r);
  // The canvas took a DC of the parent's window for this; give it back now.
  if (auto* own = dynamic_cast<TControlCanvas*>(canvas)) own->FreeHandle();
}

// Down counts as pressed; the glyph cell follows the state.
bool TSkinSpeedButton::PaintButton(HDC DC, const TRect& Rect) {
  TDataSkinButton* face = ButtonFacePicture(FSkinData);
  TBitmap* scratch = ScratchBitmap();
  if (!face || !scratch || !FSpeedButton) return false;
  TSpeedButton& button = *FSpeedButton;
  TFaceFrame state = (FMouseState & msPressed)     ? TFaceFrame::Pressed
                     : (FMouseState & msMouseOver) ? TFaceFrame::Hot
                                                   : TFaceFrame::Normal;
  if (button.Down())
    state = TFaceFrame::Pressed;
  else if (!button.Enabled())
    state = TFaceFrame::Disabled;
  int cell = state == TFaceFrame::Pressed ? 3 : state == TFaceFrame::Disabled ? 2 : 1;
  if (cell > button.NumGlyphs()) cell = 1;

  const TRect r{0, 0, RectWidth(Rect), RectHeight(Rect)};
  scratch->SetSize(r.right, r.bottom);
  DrawSkinImage(*this, r, *face, face->Trans, std::max(1, face->FrameCount), FrameNumber(state));

  TCanvas& canvas = scratch->Canvas();
  TFont& font = canvas.Font();
  font.Assign(&button.Font());
  font.SetColor(FSkinData->ButtonTextColour);
  font.SetStyle(0);
  SetListColour(*FSkinData, font, state);

  if (!button.Glyph().Empty()) {
    TGlyphFace glyphFace;
    ReadGlyphFace(button, glyphFace);
    glyphFace.Text = button.Caption();
    glyphFace.Enabled = button.Enabled();
    DrawGlyphFace(*this, canvas, r, r.right, r.bottom, glyphFace, cell, true);
  } else {
    DrawSkinText(canvas, r, DT_CENTER, button.Enabled(), button.Caption());
  }
  BitBlt(DC, Rect.left, Rect.top, r.right, r.bottom, canvas.Handle(), 0, 0, SRCCOPY);
  return true;
}
