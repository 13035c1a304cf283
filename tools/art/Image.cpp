#include "Image.h"

#include <algorithm>
#include <cassert>
#include <cmath>

namespace art {

namespace {

// Clamps a component to 0..1.
double clamp01(double v) { return std::min(1.0, std::max(0.0, v)); }

// The pixel composited over an opaque background, itself opaque.
Pixel overOpaque(const Colour& background, const Pixel& p) {
  Colour c = toColour(p);
  Colour out = mix(background, Colour{c.r, c.g, c.b, 1}, c.a);
  out.a = 1;
  return toPixel(out);
}

}  // namespace

// Colour from a 0xRRGGBB value, opaque.
Colour rgb(uint32_t value) {
  return Colour{((value >> 16) & 0xFF) / 255.0, ((value >> 8) & 0xFF) / 255.0,
                (value & 0xFF) / 255.0, 1.0};
}

// Colour from 8-bit components.
Colour rgb8(int r, int g, int b) { return Colour{r / 255.0, g / 255.0, b / 255.0, 1.0}; }

// Linear mix of two colours.
Colour mix(const Colour& a, const Colour& b, double t) {
  return Colour{a.r + (b.r - a.r) * t, a.g + (b.g - a.g) * t, a.b + (b.b - a.b) * t,
                a.a + (b.a - a.a) * t};
}

// Lighter towards white for a positive amount, darker towards black for a negative one.
Colour shade(const Colour& c, double amount) {
  Colour target = amount >= 0 ? Colour{1, 1, 1, c.a} : Colour{0, 0, 0, c.a};
  return mix(c, target, std::fabs(amount));
}

// The same colour with another alpha.
Colour withAlpha(const Colour& c, double a) { return Colour{c.r, c.g, c.b, a}; }

// Pixel from a colour, components rounded and clamped.
Pixel toPixel(const Colour& c) {
  auto byte = [](double v) { return static_cast<uint8_t>(std::lround(clamp01(v) * 255.0)); };
  return Pixel{byte(c.r), byte(c.g), byte(c.b), byte(c.a)};
}

// Colour from a pixel.
Colour toColour(const Pixel& p) {
  return Colour{p.r / 255.0, p.g / 255.0, p.b / 255.0, p.a / 255.0};
}

// A width x height picture filled with one colour.
Image::Image(int width, int height, const Colour& fill)
    : width_(width), height_(height), pixels_(static_cast<size_t>(width) * height, toPixel(fill)) {
  assert(width >= 0 && height >= 0);
}

// Pixel access.
Pixel& Image::at(int x, int y) {
  assert(contains(x, y));
  return pixels_[static_cast<size_t>(y) * width_ + x];
}

// Pixel access.
const Pixel& Image::at(int x, int y) const {
  assert(contains(x, y));
  return pixels_[static_cast<size_t>(y) * width_ + x];
}

// Sets one pixel; outside coordinates are ignored.
void Image::set(int x, int y, const Colour& c) {
  if (contains(x, y)) at(x, y) = toPixel(c);
}

// Composites c over the pixel ("over" operator) with the given coverage.
void Image::blend(int x, int y, const Colour& c, double coverage) {
  if (!contains(x, y)) return;
  double sa = clamp01(c.a * coverage);
  if (sa <= 0) return;
  Colour d = toColour(at(x, y));
  double outA = sa + d.a * (1 - sa);
  if (outA <= 0) {
    at(x, y) = Pixel{0, 0, 0, 0};
    return;
  }
  auto comp = [&](double s, double dc) { return (s * sa + dc * d.a * (1 - sa)) / outA; };
  at(x, y) = toPixel(Colour{comp(c.r, d.r), comp(c.g, d.g), comp(c.b, d.b), outA});
}

// Copies another picture with its top-left corner at (x, y), clipped.
void Image::paste(const Image& src, int x, int y) {
  for (int sy = 0; sy < src.height(); ++sy)
    for (int sx = 0; sx < src.width(); ++sx)
      if (contains(x + sx, y + sy)) at(x + sx, y + sy) = src.at(sx, sy);
}

// A copy of the rectangle (x, y, w, h); parts outside read as transparent.
Image Image::crop(int x, int y, int w, int h) const {
  Image out(w, h);
  for (int yy = 0; yy < h; ++yy)
    for (int xx = 0; xx < w; ++xx)
      if (contains(x + xx, y + yy)) out.at(xx, yy) = at(x + xx, y + yy);
  return out;
}

// Pixels below the alpha threshold become exact magenta; the others are
// composited over the matte colour, so soft edges blend into it.
void Image::keyTransparent(const Colour& matte, int alphaThreshold) {
  const Pixel key{0xFF, 0x00, 0xFF, 0xFF};
  for (Pixel& p : pixels_) p = p.a < alphaThreshold ? key : overOpaque(matte, p);
}

// Makes every pixel opaque by compositing it over a background colour.
void Image::flatten(const Colour& background) {
  for (Pixel& p : pixels_) p = overOpaque(background, p);
}

}  // namespace art
