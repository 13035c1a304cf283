// A small in-memory picture with 8-bit RGBA pixels, and a colour type for
// the drawing arithmetic. The artwork tools paint into it and the file
// writers encode it.
#pragma once

#include <cstdint>
#include <vector>

namespace art {

// A colour with components in 0..1; alpha 1 is opaque.
struct Colour {
  double r = 0, g = 0, b = 0, a = 1;
};

// Colour from a 0xRRGGBB value, opaque.
Colour rgb(uint32_t value);
// Colour from 8-bit components.
Colour rgb8(int r, int g, int b);
// Linear mix of two colours: t = 0 gives a, t = 1 gives b.
Colour mix(const Colour& a, const Colour& b, double t);
// The same colour made lighter (amount > 0, towards white) or darker (< 0).
Colour shade(const Colour& c, double amount);
// The same colour with another alpha.
Colour withAlpha(const Colour& c, double a);

// Exact transparency key of every skin picture.
constexpr uint32_t kMagenta = 0xFF00FF;

struct Pixel {
  uint8_t r = 0, g = 0, b = 0, a = 255;
  bool operator==(const Pixel& o) const { return r == o.r && g == o.g && b == o.b && a == o.a; }
  bool operator!=(const Pixel& o) const { return !(*this == o); }
  // The pixel's colour as 0xRRGGBB.
  uint32_t rgb() const { return (uint32_t(r) << 16) | (uint32_t(g) << 8) | b; }
};

// Pixel from a colour, components rounded and clamped.
Pixel toPixel(const Colour& c);
// Colour from a pixel.
Colour toColour(const Pixel& p);

class Image {
public:
  Image() = default;
  // A width x height picture filled with one colour.
  Image(int width, int height, const Colour& fill = Colour{0, 0, 0, 0});

  int width() const { return width_; }
  int height() const { return height_; }
  bool contains(int x, int y) const { return x >= 0 && y >= 0 && x < width_ && y < height_; }

  // Pixel access; the coordinates must lie inside the picture.
  Pixel& at(int x, int y);
  const Pixel& at(int x, int y) const;

  // Sets one pixel; outside coordinates are ignored.
  void set(int x, int y, const Colour& c);
  // Composites c over the pixel with the given coverage (0..1).
  void blend(int x, int y, const Colour& c, double coverage = 1.0);
  // Copies another picture with its top-left corner at (x, y), clipped.
  void paste(const Image& src, int x, int y);
  // A copy of the rectangle (x, y, w, h); parts outside read as transparent.
  Image crop(int x, int y, int w, int h) const;
  // Turns alpha into the magenta key: pixels below the alpha threshold become
  // exact magenta, the others are composited over the matte colour.
  void keyTransparent(const Colour& matte, int alphaThreshold = 128);
  // Makes every pixel opaque by compositing it over a background colour.
  void flatten(const Colour& background);

private:
  int width_ = 0;
  int height_ = 0;
  std::vector<Pixel> pixels_;
};

}  // namespace art
