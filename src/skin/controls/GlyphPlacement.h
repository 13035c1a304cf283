// Where the glyph and the caption of a bitmap or speed button go inside the
// button: plain arithmetic, tested natively.
#pragma once

#include "skin/data/SkinValues.h"

// The glyph's top-left corner and the caption's rectangle.
struct TGlyphPlacement {
  int GlyphX = 0, GlyphY = 0;
  TSkinRect Text;
};

// Places a GlyphW x GlyphH glyph and a TextW x TextH caption in a (Width,
// Height) button, for Layout 0 glyph left, 1 right, 2 top, 3 bottom. Margin
// is the space from the edge to the glyph and Spacing the space between
// glyph and caption; -1 shares out the free space (thirds when both are
// -1). With a given Margin and Spacing -1 the vertical free space is
// measured in PaintHeight. A speed button's centred margin is one pixel
// larger.
TGlyphPlacement PlaceGlyph(int Width, int Height, int PaintHeight, int GlyphW, int GlyphH,
                           int TextW, int TextH, int Layout, int Margin, int Spacing,
                           bool SpeedButton);
