// Where a button's glyph and caption go: the arithmetic shared by speed
// buttons and bitmap buttons (portable, so that it is tested natively).
#pragma once

// Where the glyph stands relative to the caption.
enum TButtonLayout { blGlyphLeft, blGlyphRight, blGlyphTop, blGlyphBottom };

// The top-left corners of the glyph and of the caption inside a button.
struct TButtonPlacement {
  int GlyphX = 0, GlyphY = 0;
  int TextX = 0, TextY = 0;
};

// Places a glyph of glyphWidth x glyphHeight and a caption of textWidth x
// textHeight in a button of width x height. Along the layout's axis the
// glyph is margin pixels from its edge (-1: glyph and caption centred
// together) and spacing pixels from the caption (-1: the free space shared
// out evenly); across it, both are centred. An empty glyph or caption has no
// spacing.
TButtonPlacement CalcButtonLayout(int width, int height, int glyphWidth, int glyphHeight,
                                  int textWidth, int textHeight, TButtonLayout layout, int margin,
                                  int spacing);
