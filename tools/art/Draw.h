// Drawing routines over art::Image: crisp rectangles and lines for pixel
// work, and anti-aliased shapes described by signed distance functions.
#pragma once

#include "Image.h"

#include <functional>
#include <utility>
#include <vector>

namespace art {

// A rectangle in pixel units; pixel (x, y) covers [x, x+1) x [y, y+1).
struct Rect {
  double x0 = 0, y0 = 0, x1 = 0, y1 = 0;
};

// Colour of a shape at a point (pixel centres lie at x + 0.5, y + 0.5).
using Paint = std::function<Colour(double x, double y)>;
// Signed distance to a shape's outline in pixels, negative inside.
using Distance = std::function<double(double x, double y)>;

// One colour everywhere.
Paint solid(const Colour& c);
// Colour stops (position 0..1, colour) spread from y0 to y1, clamped outside.
Paint verticalStops(double y0, double y1, std::vector<std::pair<double, Colour>> stops);
// Two-colour vertical gradient from y0 to y1.
Paint verticalGradient(double y0, double y1, const Colour& top, const Colour& bottom);
// Two-colour horizontal gradient from x0 to x1.
Paint horizontalGradient(double x0, double x1, const Colour& left, const Colour& right);
// Radial gradient around (cx, cy): inner colour at the centre, outer at the radius.
Paint radialGradient(double cx, double cy, double radius, const Colour& inner, const Colour& outer);

// Rectangle with rounded corners.
Distance roundRect(const Rect& r, double radius);
// Ellipse given by its bounding rectangle (exact for circles, close otherwise).
Distance ellipse(const Rect& r);
// Thick line segment with round ends.
Distance capsule(double x0, double y0, double x1, double y1, double halfWidth);
// Circular ring of the given radius and half thickness.
Distance ring(double cx, double cy, double radius, double halfWidth);
// Convex polygon given clockwise or counter-clockwise.
Distance polygon(std::vector<std::pair<double, double>> points);
// Union, intersection and difference of two shapes.
Distance unite(Distance a, Distance b);
Distance intersect(Distance a, Distance b);
Distance subtract(Distance a, Distance b);
// The shape grown (positive) or shrunk (negative) by a distance.
Distance grow(Distance a, double by);

// Fills a shape with anti-aliased edges; only pixels inside `bounds` are visited.
void fillShape(Image& img, const Distance& shape, const Paint& paint, const Rect& bounds);
// Fills the pixel rectangle [x0, x1) x [y0, y1) with a paint, without blending.
void fillRect(Image& img, int x0, int y0, int x1, int y1, const Paint& paint);
// Fills the pixel rectangle [x0, x1) x [y0, y1) with one colour, blended.
void blendRect(Image& img, int x0, int y0, int x1, int y1, const Colour& c);
// One-pixel outline of [x0, x1) x [y0, y1): top and left in `light`, bottom and right in `dark`.
void bevel(Image& img, int x0, int y0, int x1, int y1, const Colour& light, const Colour& dark);
// Horizontal line from x0 to x1 - 1 on row y, blended.
void hline(Image& img, int x0, int x1, int y, const Colour& c);
// Vertical line from y0 to y1 - 1 in column x, blended.
void vline(Image& img, int x, int y0, int y1, const Colour& c);
// Brushed-metal streaks: every row (horizontal) or column gets a small
// deterministic brightness change of at most `strength`.
void brush(Image& img, int x0, int y0, int x1, int y1, double strength, unsigned noiseKey,
           bool horizontal);

}  // namespace art
