// Colour tables for the palette-based file formats and the mapping of
// pictures onto them.
#pragma once

#include "Image.h"

#include <cstddef>
#include <cstdint>
#include <vector>

namespace art {

// An ordered colour table; indexes are what palette pictures store.
using Palette = std::vector<Pixel>;

// The 16 colours of the standard Windows palette, in their usual order.
Palette standardPalette16();

// A palette of at most maxColours entries for the opaque pixels of an image,
// by median cut. The reserved colours are always entries of their own,
// first and in the given order; colours of the image equal to one of them
// map to it exactly.
Palette quantise(const Image& img, size_t maxColours, const std::vector<uint32_t>& reserved);

// The index of each pixel in row-major order. A pixel that equals a palette
// entry exactly takes that entry; any other pixel takes the nearest entry
// that is not one of the `keyed` colours, so no pixel turns into a
// transparency key by accident.
std::vector<uint8_t> mapToPalette(const Image& img, const Palette& palette,
                                  const std::vector<uint32_t>& keyed);

}  // namespace art
