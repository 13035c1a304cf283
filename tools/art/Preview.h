// Preview pictures that put a skin together from its archive entries the
// way the frame and control painters cut and draw it: the description is
// read with the skin engine's own rules, so the previews show what the
// description says, mistakes included.
#pragma once

#include "Image.h"
#include "SkinParts.h"

#include <string>
#include <vector>

namespace art {

// Frame `frame` (from 1) of a strip of `frames` equal frames, stretched to
// w x h with fixed margins: the nine-slice drawing of the skin painters.
Image nineSlice(const Image& strip, int frames, int frame, bool vertical, int left, int top,
                int right, int bottom, int w, int h, bool tileCentre);

// Copies src onto dst at (x, y), leaving out exact magenta pixels.
void drawKeyed(Image& dst, const Image& src, int x, int y);

// Writes the previews of one skin into `dir`, each file name starting with
// `prefix`: the main window and a window of sample controls, each active and
// inactive, and a popup menu. Windows stand on a desktop colour, so that a
// shaped window region shows.
void writeSkinPreviews(const std::string& dir, const std::string& prefix,
                       const std::vector<SkinEntry>& entries);

// Writes the previews of both skins (the transparent one's with the prefix
// "transparent-") and a sheet of all icon images into `dir`.
void writePreviews(const std::string& dir);

}  // namespace art
