#include "skin/controls/GlyphPlacement.h"

#include "ui/ButtonLayout.h"

// Across the layout's axis both are centred; along it margin and spacing
// are worked out first.
TGlyphPlacement PlaceGlyph(int Width, int Height, int PaintHeight, int GlyphW, int GlyphH,
                           int TextW, int TextH, int Layout, int Margin, int Spacing,
                           bool SpeedButton) {
  const bool horizontal = Layout == blGlyphLeft || Layout == blGlyphRight;
  int gx = 0, gy = 0, tx = 0, ty = 0;
  if (horizontal) {
    gy = (Height - GlyphH + 1) / 2;
    ty = (Height - TextH + 1) / 2;
  } else {
    gx = (Width - GlyphW + 1) / 2;
    tx = (Width - TextW + 1) / 2;
  }
  int spacing = (TextW == 0 || GlyphW == 0) ? 0 : Spacing;
  int margin = Margin;
  if (margin == -1 && spacing == -1) {
    margin = horizontal ? (Width - (GlyphW + TextW)) / 3 : (Height - (GlyphH + TextH)) / 3;
    spacing = margin;
  } else if (margin == -1) {
    margin = horizontal ? (Width - (GlyphW + spacing + TextW)) / 2
                        : (Height - (GlyphH + spacing + TextH)) / 2;
    if (SpeedButton) ++margin;
  } else if (spacing == -1) {
    const int freeWidth = Width - margin - GlyphW;
    const int freeHeight = PaintHeight - margin - GlyphH;
    spacing = horizontal ? (freeWidth - TextW) / 2 : (freeHeight - TextH) / 2;
  }
  switch (Layout) {
    case blGlyphLeft:
      gx = margin;
      tx = gx + GlyphW + spacing;
      break;
    case blGlyphRight:
      gx = Width - margin - GlyphW;
      tx = gx - spacing - TextW;
      break;
    case blGlyphTop:
      gy = margin;
      ty = gy + GlyphH + spacing;
      break;
    default:
      gy = Height - margin - GlyphH;
      ty = gy - spacing - TextH;
      break;
  }
  return TGlyphPlacement{gx, gy, TSkinRect{tx, ty, tx + TextW, ty + TextH}};
}
