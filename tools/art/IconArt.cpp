#include "IconArt.h"

#include "Draw.h"
#include "Palette.h"

#include <algorithm>

namespace art {

namespace {

// Paints the icon at a size on a transparent picture. The design lives on a
// 48-unit grid; strokes keep at least about one pixel at 16 pixels. With
// `lowColour` the lens is tinted so that 16 colours still show it as glass.
Image paintIcon(int size, bool lowColour) {
  Image img(size, size);
  const double u = size / 48.0;
  auto R = [u](double x0, double y0, double x1, double y1) {
    return Rect{x0 * u, y0 * u, x1 * u, y1 * u};
  };
  const Rect all{0, 0, double(size), double(size)};
  const double line = std::max(1.0, 1.5 * u);

  // Hard disk seen from the front: a silver case, a dark front panel with
  // a green activity light, and a lighter top face.
  Rect disk = R(1, 8, 41, 36);
  fillShape(img, roundRect(disk, 4 * u), solid(rgb8(46, 52, 64)), all);
  Rect diskBody{disk.x0 + line, disk.y0 + line, disk.x1 - line, disk.y1 - line};
  fillShape(img, roundRect(diskBody, 3 * u),
            verticalStops(diskBody.y0, diskBody.y1,
                          {{0.0, rgb8(250, 251, 252)},
                           {0.6, rgb8(196, 202, 212)},
                           {0.61, rgb8(104, 114, 130)},
                           {1.0, rgb8(76, 86, 102)}}),
            all);
  fillShape(img, ellipse(R(5, 27.5, 10, 32.5)), solid(rgb8(70, 230, 90)), all);

  // Magnifier over the disk's lower right corner: handle, dark ring, blue lens.
  fillShape(img, capsule(35 * u, 35 * u, 45 * u, 45 * u, 3.8 * u), solid(rgb8(30, 36, 48)), all);
  fillShape(img, capsule(36.5 * u, 36.5 * u, 43.5 * u, 43.5 * u, 1.5 * u),
            solid(rgb8(110, 124, 150)), all);
  const double cx = 29 * u, cy = 29 * u, radius = 12 * u;
  fillShape(img, ellipse(Rect{cx - radius, cy - radius, cx + radius, cy + radius}),
            solid(rgb8(28, 36, 56)), all);
  const double glass = radius - std::max(1.3, 3.2 * u);
  fillShape(img, ellipse(Rect{cx - glass, cy - glass, cx + glass, cy + glass}),
            lowColour ? radialGradient(cx - 3 * u, cy - 3 * u, glass * 1.2, rgb8(255, 255, 255),
                                       rgb8(0, 230, 255))
                      : radialGradient(cx - 3 * u, cy - 3 * u, glass * 1.4, rgb8(220, 238, 255),
                                       rgb8(64, 132, 220)),
            all);
  if (size >= 24)
    fillShape(
        img,
        capsule(cx - glass * 0.55, cy - glass * 0.1, cx - glass * 0.1, cy - glass * 0.55, 1.6 * u),
        solid(withAlpha(rgb8(255, 255, 255), 0.85)), all);
  return img;
}

// The picture reduced to the colours of a palette, alpha cut at one half.
Image reduced(const Image& img, const Palette& palette) {
  Image opaque = img;
  for (int y = 0; y < opaque.height(); ++y)
    for (int x = 0; x < opaque.width(); ++x) {
      Pixel& p = opaque.at(x, y);
      p.a = p.a < 128 ? 0 : 255;
    }
  std::vector<uint8_t> indexes = mapToPalette(opaque, palette, {});
  for (int y = 0; y < opaque.height(); ++y)
    for (int x = 0; x < opaque.width(); ++x) {
      Pixel& p = opaque.at(x, y);
      if (p.a == 0)
        p = Pixel{0, 0, 0, 0};
      else
        p = palette[indexes[static_cast<size_t>(y) * opaque.width() + x]];
    }
  return opaque;
}

}  // namespace

// The twelve icon images.
std::vector<IconImage> iconImages() {
  std::vector<IconImage> images;
  for (int size : {48, 32, 24, 16}) {
    Image full = paintIcon(size, false);
    images.push_back({reduced(paintIcon(size, true), standardPalette16()), 4});
    images.push_back({reduced(full, quantise(full, 255, {0x000000})), 8});
    images.push_back({full, 32});
  }
  return images;
}

}  // namespace art
