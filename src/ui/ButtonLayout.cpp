// Glyph and caption placement of buttons.
#include "ui/ButtonLayout.h"

// Margin and spacing along the layout's axis first, then the positions.
TButtonPlacement CalcButtonLayout(int width, int height, int glyphWidth, int glyphHeight,
                                  int textWidth, int textHeight, TButtonLayout layout, int margin,
                                  int spacing) {
  const bool horizontal = layout == blGlyphLeft || layout == blGlyphRight;
  const int length = horizontal ? width : height;
  const int glyphLength = horizontal ? glyphWidth : glyphHeight;
  const int textLength = horizontal ? textWidth : textHeight;
  if (glyphLength == 0 || textLength == 0) spacing = 0;
  if (margin == -1) {
    if (spacing == -1) {
      margin = (length - glyphLength - textLength) / 3;
      spacing = margin;
    } else {
      margin = (length - glyphLength - spacing - textLength + 1) / 2;
    }
  } else if (spacing == -1) {
    spacing = (length - margin - glyphLength - textLength) / 2;
  }
  TButtonPlacement out;
  if (horizontal) {
    out.GlyphY = (height - glyphHeight + 1) / 2;
    out.TextY = (height - textHeight + 1) / 2;
  } else {
    out.GlyphX = (width - glyphWidth + 1) / 2;
    out.TextX = (width - textWidth + 1) / 2;
  }
  switch (layout) {
    case blGlyphLeft:
      out.GlyphX = margin;
      out.TextX = margin + glyphWidth + spacing;
      break;
    case blGlyphRight:
      out.GlyphX = width - margin - glyphWidth;
      out.TextX = out.GlyphX - spacing - textWidth;
      break;
    case blGlyphTop:
      out.GlyphY = margin;
      out.TextY = margin + glyphHeight + spacing;
      break;
    case blGlyphBottom:
      out.GlyphY = height - margin - glyphHeight;
      out.TextY = out.GlyphY - spacing - textHeight;
      break;
  }
  return out;
}
