// Preview pictures that put the skin together the way the frame and
// control painters cut and draw it, to judge the artwork as a whole.
#pragma once

#include "Image.h"

#include <string>

namespace art {

// Frame `frame` (from 1) of a strip of `frames` equal frames, stretched to
// w x h with fixed margins: the nine-slice drawing of the skin painters.
Image nineSlice(const Image& strip, int frames, int frame, bool vertical, int left, int top, int right,
                int bottom, int w, int h, bool tileCentre);

// Copies src onto dst at (x, y), leaving out exact magenta pixels.
void drawKeyed(Image& dst, const Image& src, int x, int y);

// Writes the previews into `dir`: the main window and a window of sample
// controls, each active and inactive, a popup menu and all icon images.
void writePreviews(const std::string& dir);

}  // namespace art
