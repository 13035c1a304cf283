// Placing a button's glyph and caption: each layout with given and with
// automatic margin and spacing, and buttons without a caption.
#include <gtest/gtest.h>

#include "ui/ButtonLayout.h"

TEST(ButtonLayout, PlacesGlyphAndCaption) {
  struct Case {
    const char* What;
    int Width, Height, TextWidth, TextHeight;
    TButtonLayout Layout;
    int Margin, Spacing;
    TButtonPlacement Expected;
  };
  // A 16 by 16 glyph; captions 20 by 13 (or none).
  const Case cases[] = {
      {"left, centred together", 75, 25, 20, 13, blGlyphLeft, -1, 4, {18, 5, 38, 6}},
      {"right, fixed margin", 75, 25, 20, 13, blGlyphRight, 2, 4, {57, 5, 33, 6}},
      {"top, thirds of the free space", 75, 60, 20, 13, blGlyphTop, -1, -1, {30, 10, 28, 36}},
      {"bottom, spacing shares the rest", 75, 60, 20, 13, blGlyphBottom, 3, -1, {30, 41, 28, 14}},
      {"left, no caption: the glyph alone is centred",
       75,
       25,
       0,
       0,
       blGlyphLeft,
       -1,
       4,
       {30, 5, 46, 13}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.What);
    const TButtonPlacement p = CalcButtonLayout(c.Width, c.Height, 16, 16, c.TextWidth,
                                                c.TextHeight, c.Layout, c.Margin, c.Spacing);
    EXPECT_EQ(p.GlyphX, c.Expected.GlyphX);
    EXPECT_EQ(p.GlyphY, c.Expected.GlyphY);
    EXPECT_EQ(p.TextX, c.Expected.TextX);
    EXPECT_EQ(p.TextY, c.Expected.TextY);
  }
}
