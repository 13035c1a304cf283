// Bitmap buttons drawn from the skin's button element, with their glyph.
#include "skin/controls/SkinBitButton.h"

#include <algorithm>

#include "skin/controls/ControlDrawing.h"
#include "skin/controls/GlyphPlacement.h"
#include "skin/draw/SkinDraw.h"
#include "ui/Buttons.h"
#include "ui/Published.h"

QUORVEL_DEFINE_CLASS(TSkinBitButton) {}

// The colour numbers of the normal, hot and pressed frames index the list.
void SetListColour(TSkinModel& Skin, TFont& Font, TFaceFrame Frame) {
  const TDataSkinButton& b = *Skin.Button;
  const int index = Frame == TFaceFrame::Normal    ? b.NormalColour
                    : Frame == TFaceFrame::Hot     ? b.MouseOverColour
                    : Frame == TFaceFrame::Pressed ? b.PressedColour
                                                   : -1;
  TColor colour = 0;
  if (index >= 0 && Skin.GetListColour(index, colour)) Font.SetColor(colour);
}

// The caption is measured, both are placed, then drawn.
void DrawGlyphFace(TSkinControl& Skinner, TCanvas& Canvas, const TRect& PaintRect, int W, int H,
                   const TGlyphFace& Face, int Cell, bool SpeedButton) {
  HDC dc = Canvas.Handle();
  Canvas.Font().SetStyle(0);
  if (!Face.Enabled) Canvas.Font().SetColor(clBtnShadow);
  const TSelectObjectGuard font(dc, Canvas.Font().Handle());
  SIZE text{0, 0};
  if (!Face.Text.empty()) {
    RECT m{0, 0, RectWidth(PaintRect), RectHeight(PaintRect)};
    DrawTextA(dc, Face.Text.c_str(), -1, &m, DT_CALCRECT);
    text = SIZE{m.right - m.left, m.bottom - m.top};
  }
  const bool hasGlyph = Face.Glyph && !Face.Glyph->Empty();
  const SIZE glyph =
      hasGlyph ? SIZE{Face.Glyph->Width() / Face.NumGlyphs, Face.Glyph->Height()} : SIZE{0, 0};
  const TGlyphPlacement at =
      PlaceGlyph(W, H, RectHeight(PaintRect), glyph.cx, glyph.cy, text.cx, text.cy, Face.Layout,
                 Face.Margin, Face.Spacing, SpeedButton);
  if (hasGlyph)
    DrawGlyph(Skinner, Canvas,
              TRect{at.GlyphX, at.GlyphY, at.GlyphX + glyph.cx, at.GlyphY + glyph.cy},
              Face.NumGlyphs, Cell, *Face.Glyph);
  if (Face.Text.empty()) return;
  const UINT format = Face.Layout == blGlyphLeft    ? DT_LEFT
                      : Face.Layout == blGlyphRight ? DT_RIGHT
                                                    : DT_CENTER;
  const TSaveDCGuard state(dc);
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, ColorToRGB(Canvas.Font().Color()));
  RECT r = ToRect(at.Text);
  DrawTextA(dc, Face.Text.c_str(), -1, &r, format);
}

// Focused or hot is frame 4; the control's own state decides enabled.
void TSkinBitButton::PaintControl(HDC DC, const TRect& Rect) {
  TDataSkinButton* face = ButtonFacePicture(FSkinData);
  TBitmap* scratch = ScratchBitmap();
  if (!face || !scratch || !FHandle) return;
  FFocused = GetFocus() == FHandle;
  FEnabled = !(GetWindowLongPtrA(FHandle, GWL_STYLE) & WS_DISABLED);
  FCaption = ReadCaption();
  if (FCaption.empty() && FControl) FCaption = FControl->Text();

  auto* windowed = dynamic_cast<TWinControl*>(FControl);
  const bool focused = windowed ? windowed->Focused() : FFocused;
  const bool enabled = FControl ? FControl->Enabled() : FEnabled;
  TFaceFrame frame = focused ? TFaceFrame::Hot : TFaceFrame::Normal;
  if (FMouseState & msPressed)
    frame = TFaceFrame::Pressed;
  else if (FMouseState & msMouseOver)
    frame = TFaceFrame::Hot;
  if (!enabled) frame = TFaceFrame::Disabled;

  const TRect r{0, 0, RectWidth(Rect), RectHeight(Rect)};
  scratch->SetSize(r.right, r.bottom);
  DrawSkinImage(*this, r, *face, face->Trans, std::max(1, face->FrameCount), FrameNumber(frame));

  TCanvas& canvas = scratch->Canvas();
  TFont& font = canvas.Font();
  if (FControl)
    font.Assign(&FControl->Font());
  else
    TakeButtonFont(font, FHandle);
  font.SetColor(FSkinData->ButtonTextColour);
  font.SetStyle(0);
  SetListColour(*FSkinData, font, frame);

  TGlyphFace glyphFace;
  if (auto* bitButton = dynamic_cast<TBitBtn*>(FControl)) ReadGlyphFace(*bitButton, glyphFace);
  glyphFace.Text = FControl ? FControl->Text() : FCaption;
  glyphFace.Enabled = enabled;
  RECT client{0, 0, r.right, r.bottom};
  if (FControl)
    client = FControl->ClientRect();
  else
    GetClientRect(FHandle, &client);
  DrawGlyphFace(*this, canvas, r, client.right - client.left, client.bottom - client.top, glyphFace,
                1, false);
  CopyToWindow(*this, DC, Rect);
}
