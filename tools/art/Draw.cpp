#include "Draw.h"

#include <algorithm>
#include <cassert>
#include <cmath>

namespace art {

namespace {

// Length of the vector (x, y).
double length(double x, double y) { return std::sqrt(x * x + y * y); }

// A reproducible pseudo-random value in -1..1 for an integer position.
double hashNoise(unsigned noiseKey, int i) {
  uint32_t h = noiseKey * 0x9E3779B1u ^ static_cast<uint32_t>(i) * 0x85EBCA77u;
  h ^= h >> 15;
  h *= 0x2C1B3C6Du;
  h ^= h >> 12;
  h *= 0x297A2D39u;
  h ^= h >> 15;
  return (h & 0xFFFF) / 32767.5 - 1.0;
}

}  // namespace

// One colour everywhere.
Paint solid(const Colour& c) {
  return [c](double, double) { return c; };
}

// Colour stops spread from y0 to y1, clamped outside.
Paint verticalStops(double y0, double y1, std::vector<std::pair<double, Colour>> stops) {
  assert(!stops.empty());
  return [=](double, double y) {
    double t = (y1 == y0) ? 0 : (y - y0) / (y1 - y0);
    if (t <= stops.front().first) return stops.front().second;
    for (size_t i = 1; i < stops.size(); ++i) {
      if (t <= stops[i].first) {
        double span = stops[i].first - stops[i - 1].first;
        double u = span > 0 ? (t - stops[i - 1].first) / span : 1;
        return mix(stops[i - 1].second, stops[i].second, u);
      }
    }
    return stops.back().second;
  };
}

// Two-colour vertical gradient from y0 to y1.
Paint verticalGradient(double y0, double y1, const Colour& top, const Colour& bottom) {
  return verticalStops(y0, y1, {{0.0, top}, {1.0, bottom}});
}

// Two-colour horizontal gradient from x0 to x1.
Paint horizontalGradient(double x0, double x1, const Colour& left, const Colour& right) {
  return [=](double x, double) {
    double t = (x1 == x0) ? 0 : std::clamp((x - x0) / (x1 - x0), 0.0, 1.0);
    return mix(left, right, t);
  };
}

// Radial gradient around (cx, cy).
Paint radialGradient(double cx, double cy, double radius, const Colour& inner,
                     const Colour& outer) {
  return [=](double x, double y) {
    double t = std::clamp(length(x - cx, y - cy) / radius, 0.0, 1.0);
    return mix(inner, outer, t);
  };
}

// Rectangle with rounded corners.
Distance roundRect(const Rect& r, double radius) {
  double cx = (r.x0 + r.x1) / 2, cy = (r.y0 + r.y1) / 2;
  double hx = (r.x1 - r.x0) / 2, hy = (r.y1 - r.y0) / 2;
  radius = std::min({radius, hx, hy});
  return [=](double x, double y) {
    double qx = std::fabs(x - cx) - hx + radius;
    double qy = std::fabs(y - cy) - hy + radius;
    return length(std::max(qx, 0.0), std::max(qy, 0.0)) + std::min(std::max(qx, qy), 0.0) - radius;
  };
}

// Ellipse given by its bounding rectangle (distance scaled by the smaller radius).
Distance ellipse(const Rect& r) {
  double cx = (r.x0 + r.x1) / 2, cy = (r.y0 + r.y1) / 2;
  double rx = (r.x1 - r.x0) / 2, ry = (r.y1 - r.y0) / 2;
  double m = std::min(rx, ry);
  return [=](double x, double y) {
    double k = length((x - cx) / rx, (y - cy) / ry);
    return (k - 1.0) * m;
  };
}

// Thick line segment with round ends.
Distance capsule(double x0, double y0, double x1, double y1, double halfWidth) {
  return [=](double x, double y) {
    double dx = x1 - x0, dy = y1 - y0;
    double len2 = dx * dx + dy * dy;
    double t = len2 > 0 ? std::clamp(((x - x0) * dx + (y - y0) * dy) / len2, 0.0, 1.0) : 0.0;
    return length(x - (x0 + t * dx), y - (y0 + t * dy)) - halfWidth;
  };
}

// Circular ring of the given radius and half thickness.
Distance ring(double cx, double cy, double radius, double halfWidth) {
  return [=](double x, double y) { return std::fabs(length(x - cx, y - cy) - radius) - halfWidth; };
}

// Convex polygon: the largest signed distance to its edge lines.
Distance polygon(std::vector<std::pair<double, double>> points) {
  assert(points.size() >= 3);
  // Orientation, so that the edge normals point outwards.
  double area = 0;
  for (size_t i = 0; i < points.size(); ++i) {
    const auto& a = points[i];
    const auto& b = points[(i + 1) % points.size()];
    area += a.first * b.second - b.first * a.second;
  }
  double sign = area > 0 ? 1.0 : -1.0;
  return [=](double x, double y) {
    double d = -1e9;
    for (size_t i = 0; i < points.size(); ++i) {
      const auto& a = points[i];
      const auto& b = points[(i + 1) % points.size()];
      double ex = b.first - a.first, ey = b.second - a.second;
      double len = length(ex, ey);
      if (len == 0) continue;
      // Outward normal for the polygon's orientation.
      double nx = sign * ey / len, ny = -sign * ex / len;
      d = std::max(d, (x - a.first) * nx + (y - a.second) * ny);
    }
    return d;
  };
}

// Union of two shapes.
Distance unite(Distance a, Distance b) {
  return [=](double x, double y) { return std::min(a(x, y), b(x, y)); };
}

// Intersection of two shapes.
Distance intersect(Distance a, Distance b) {
  return [=](double x, double y) { return std::max(a(x, y), b(x, y)); };
}

// Difference: a without b.
Distance subtract(Distance a, Distance b) {
  return [=](double x, double y) { return std::max(a(x, y), -b(x, y)); };
}

// The shape grown (positive) or shrunk (negative) by a distance.
Distance grow(Distance a, double by) {
  return [=](double x, double y) { return a(x, y) - by; };
}

// Fills a shape with anti-aliased edges; coverage comes from the distance at
// the pixel centre, so a one-pixel band along the outline is blended.
void fillShape(Image& img, const Distance& shape, const Paint& paint, const Rect& bounds) {
  int x0 = std::max(0, static_cast<int>(std::floor(bounds.x0)) - 1);
  int y0 = std::max(0, static_cast<int>(std::floor(bounds.y0)) - 1);
  int x1 = std::min(img.width(), static_cast<int>(std::ceil(bounds.x1)) + 1);
  int y1 = std::min(img.height(), static_cast<int>(std::ceil(bounds.y1)) + 1);
  for (int y = y0; y < y1; ++y) {
    for (int x = x0; x < x1; ++x) {
      double px = x + 0.5, py = y + 0.5;
      double coverage = std::clamp(0.5 - shape(px, py), 0.0, 1.0);
      if (coverage > 0) img.blend(x, y, paint(px, py), coverage);
    }
  }
}

// Fills the pixel rectangle with a paint, replacing what was there.
void fillRect(Image& img, int x0, int y0, int x1, int y1, const Paint& paint) {
  for (int y = std::max(0, y0); y < std::min(img.height(), y1); ++y)
    for (int x = std::max(0, x0); x < std::min(img.width(), x1); ++x)
      img.at(x, y) = toPixel(paint(x + 0.5, y + 0.5));
}

// Fills the pixel rectangle with one colour, blended.
void blendRect(Image& img, int x0, int y0, int x1, int y1, const Colour& c) {
  for (int y = y0; y < y1; ++y)
    for (int x = x0; x < x1; ++x) img.blend(x, y, c);
}

// One-pixel outline: top and left light, bottom and right dark.
void bevel(Image& img, int x0, int y0, int x1, int y1, const Colour& light, const Colour& dark) {
  hline(img, x0, x1 - 1, y0, light);
  vline(img, x0, y0 + 1, y1 - 1, light);
  hline(img, x0, x1, y1 - 1, dark);
  vline(img, x1 - 1, y0, y1 - 1, dark);
}

// Horizontal line, blended.
void hline(Image& img, int x0, int x1, int y, const Colour& c) {
  for (int x = x0; x < x1; ++x) img.blend(x, y, c);
}

// Vertical line, blended.
void vline(Image& img, int x, int y0, int y1, const Colour& c) {
  for (int y = y0; y < y1; ++y) img.blend(x, y, c);
}

// Brushed-metal streaks: a smoothed random brightness change per row or column.
void brush(Image& img, int x0, int y0, int x1, int y1, double strength, unsigned noiseKey,
           bool horizontal) {
  int lines = horizontal ? (y1 - y0) : (x1 - x0);
  std::vector<double> offset(static_cast<size_t>(std::max(0, lines)));
  for (int i = 0; i < lines; ++i)
    offset[i] = 0.6 * hashNoise(noiseKey, i) + 0.4 * hashNoise(noiseKey + 7, i / 3);
  for (int y = std::max(0, y0); y < std::min(img.height(), y1); ++y) {
    for (int x = std::max(0, x0); x < std::min(img.width(), x1); ++x) {
      double o = offset[horizontal ? y - y0 : x - x0] * strength;
      Pixel& p = img.at(x, y);
      Colour c = toColour(p);
      img.at(x, y) = toPixel(withAlpha(shade(c, o), c.a));
    }
  }
}

}  // namespace art
