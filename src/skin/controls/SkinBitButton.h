// The bitmap-button skinner: a push button whose face also carries a glyph,
// placed with the caption by the button's Layout, Margin and Spacing. Also
// the glyph face that speed buttons draw the same way.
#pragma once

#include <windows.h>

#include <string>

#include "skin/controls/ControlState.h"
#include "skin/controls/SkinButton.h"

// A bitmap button: the face frame of the state, the glyph and the caption
// in the colour the skin's colour list gives the frame.
class TSkinBitButton : public TSkinButton {
  QUORVEL_CLASS(TSkinBitButton, TSkinButton)
public:
  using TSkinButton::TSkinButton;
  // The face frame, then glyph and caption.
  void PaintControl(HDC DC, const TRect& Rect) override;
};

// What a glyph button shows: the glyph and its cells, where it stands, and
// the caption.
struct TGlyphFace {
  TBitmap* Glyph = nullptr;
  int NumGlyphs = 1;
  int Layout = 0;  // TButtonLayout
  int Margin = -1;
  int Spacing = 4;
  std::string Text;
  bool Enabled = true;
};

// Face takes the glyph, its cells and the layout of Button (a bit or speed
// button).
template <class TButtonWithGlyph>
void ReadGlyphFace(TButtonWithGlyph& Button, TGlyphFace& Face) {
  Face.Glyph = &Button.Glyph();
  Face.NumGlyphs = Button.NumGlyphs() > 1 ? Button.NumGlyphs() : 1;
  Face.Layout = Button.Layout();
  Face.Margin = Button.Margin();
  Face.Spacing = Button.Spacing();
}

// Draws glyph cell Cell and the caption of Face on Canvas (the scratch
// bitmap, whose font is set), laid out in a (W, H) client area; PaintRect is
// the rectangle being painted, at (0, 0).
void DrawGlyphFace(TSkinControl& Skinner, TCanvas& Canvas, const TRect& PaintRect, int W, int H,
                   const TGlyphFace& Face, int Cell, bool SpeedButton);
// The caption colour of bitmap and speed buttons: the skin's colour list
// entry of the face frame, when the list has it.
void SetListColour(TSkinModel& Skin, TFont& Font, TFaceFrame Frame);
