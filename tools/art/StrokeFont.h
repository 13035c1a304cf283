// A small monoline stroke font: every glyph is a set of polylines on a grid
// whose capitals are 10 units high, drawn with round ends at any size.
#pragma once

#include "Draw.h"
#include "Image.h"

#include <string>

namespace art {

struct TextStyle {
  double capHeight = 20;  // pixels from the baseline to the top of a capital
  double weight = 1.5;    // half the stroke width, in pixels
  double tracking = 2.0;  // space between glyphs, in grid units
  double slant = 0.0;     // horizontal shift per unit of height (italics)
};

// Width in pixels of a line of text.
double textWidth(const std::string& text, const TextStyle& style);

// Draws a line of text with its left end at x and its baseline at y.
// Characters without a glyph advance like a space.
void drawText(Image& img, double x, double baseline, const std::string& text,
              const TextStyle& style, const Paint& paint);

}  // namespace art
