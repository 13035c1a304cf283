// Windows bitmap (.bmp) and icon (.ico) files of the artwork: pictures
// turned into the project's device-independent images and written (and
// read back) by its BMP codec (ui/ImageFiles), with the palettes and masks
// the artwork chooses.
#pragma once

#include "Image.h"
#include "Palette.h"

#include <cstdint>
#include <string>
#include <vector>

namespace art {

// Resolution written into every bitmap header (72 pixels per inch).
constexpr int kPixelsPerMetre = 2834;

// Size in bytes of one stored row: bits rounded up to whole 32-bit words.
int bitmapRowBytes(int width, int bitsPerPixel);

// A complete uncompressed, bottom-up bitmap file of the image's opaque
// colours. 24 bits per pixel store the colours directly; 4 and 8 bits per
// pixel store a full palette (16 or 256 entries) made by `quantise`, in which
// exact magenta always has an entry of its own. `trailingBytes` zero bytes
// follow the pixel rows, counted in the file and image sizes, as some
// editors write them.
std::vector<uint8_t> encodeBitmap(const Image& img, int bitsPerPixel, int trailingBytes = 0);

// One image of an icon file: the picture (with alpha) and its colour depth
// (4, 8 or 32 bits per pixel).
struct IconImage {
  Image image;
  int bitsPerPixel;
};

// A complete .ico file. Each image gets an AND mask set where alpha < 128;
// 4-bit images use the standard 16-colour palette, 8-bit images a palette of
// their own, 32-bit images keep their alpha.
std::vector<uint8_t> encodeIcon(const std::vector<IconImage>& images);

// Writes bytes to a file; throws std::runtime_error on failure.
void writeFile(const std::string& path, const std::vector<uint8_t>& bytes);

// Decodes an uncompressed 4, 8, 24 or 32-bit bitmap file (either row order)
// into opaque pixels. Returns false, leaving `out` untouched, for anything
// else or damaged data.
bool decodeBitmap(const std::vector<uint8_t>& bytes, Image& out);

// Reads a whole file; throws std::runtime_error on failure.
std::vector<uint8_t> readFile(const std::string& path);

}  // namespace art
