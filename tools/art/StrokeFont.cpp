#include "StrokeFont.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <map>
#include <sstream>
#include <vector>

namespace art {

namespace {

// Glyph outlines on a grid: capitals from y = 0 to the baseline at y = 10,
// lower case from y = 4, descenders to y = 13. Polylines are separated by
// '|'; "x,y" is a point and "@cx,cy,rx,ry,a0,a1" an elliptic arc from angle
// a0 to a1 in degrees (0 points right, 90 up).
struct GlyphSource {
  char c;
  double advance;
  const char* strokes;
};

const GlyphSource kGlyphs[] = {
    {'A', 8, "0,10 4,0 8,10 | 1.6,6.5 6.4,6.5"},
    {'B', 7, "0,5 0,0 4.2,0 @4.2,2.5,2.5,2.5,90,-90 0,5 0,10 4.5,10 @4.5,7.5,2.5,2.5,-90,90 4.2,5"},
    {'C', 8, "@4.5,5,4.2,5,50,310"},
    {'D', 8, "0,0 0,10 3,10 @3,5,4.8,5,-90,90 0,0"},
    {'E', 6.5, "6.5,0 0,0 0,10 6.5,10 | 0,5 5.5,5"},
    {'F', 6.5, "6.5,0 0,0 0,10 | 0,5 5.5,5"},
    {'G', 8.5, "@4.5,5,4.3,5,50,360 8.8,5 5.2,5"},
    {'H', 7, "0,0 0,10 | 7,0 7,10 | 0,5 7,5"},
    {'I', 0, "0,0 0,10"},
    {'J', 5.5, "5.5,0 5.5,7.2 @2.75,7.2,2.75,2.8,0,-180"},
    {'K', 7, "0,0 0,10 | 6.5,0 0,6.2 | 2.2,4.2 7,10"},
    {'L', 6, "0,0 0,10 6,10"},
    {'M', 9, "0,10 0,0 4.5,7 9,0 9,10"},
    {'N', 7.5, "0,10 0,0 7.5,10 7.5,0"},
    {'O', 9, "@4.5,5,4.5,5,0,360"},
    {'P', 7, "0,10 0,0 4.4,0 @4.4,2.75,2.75,2.75,90,-90 0,5.5"},
    {'Q', 9, "@4.5,5,4.5,5,0,360 | 5.4,7 8.8,10.6"},
    {'R', 7.5, "0,10 0,0 4.4,0 @4.4,2.75,2.75,2.75,90,-90 0,5.5 | 3.8,5.5 7.2,10"},
    {'S', 7, "@3.5,2.55,3.3,2.55,25,270 @3.5,7.45,3.5,2.55,90,-155"},
    {'T', 8, "0,0 8,0 | 4,0 4,10"},
    {'U', 7.5, "0,0 0,6.2 @3.75,6.2,3.75,3.8,180,360 7.5,0"},
    {'V', 8, "0,0 4,10 8,0"},
    {'W', 11, "0,0 2.8,10 5.5,2 8.2,10 11,0"},
    {'X', 7.5, "0,0 7.5,10 | 7.5,0 0,10"},
    {'Y', 8, "0,0 4,5 8,0 | 4,5 4,10"},
    {'Z', 7, "0,0 7,0 0,10 7,10"},
    {'a', 6, "@3,7,3,3,0,360 | 6,4 6,10"},
    {'b', 6, "0,0 0,10 | @3,7,3,3,0,360"},
    {'c', 5.6, "@3,7,3,3,45,315"},
    {'d', 6, "6,0 6,10 | @3,7,3,3,0,360"},
    {'e', 6, "0.1,7 6,7 @3,7,3,3,0,320"},
    {'f', 4.5, "4.6,0.4 @3.4,2,1.4,1.8,60,180 2,10 | 0.2,4 4.2,4"},
    {'g', 6, "@3,7,3,3,0,360 | 6,4 6,10.8 @3,10.8,3,2.2,0,-150"},
    {'h', 6, "0,0 0,10 | 0,6.8 @3,6.8,3,2.8,180,0 6,10"},
    {'i', 0, "0,4 0,10 | 0,1.4 0,1.5"},
    {'j', 2.2, "2.2,4 2.2,11 @0.2,11,2,2,0,-110 | 2.2,1.4 2.2,1.5"},
    {'k', 5.5, "0,0 0,10 | 5.2,4 0,8 | 1.9,6.5 5.6,10"},
    {'l', 0, "0,0 0,10"},
    {'m', 9,
     "0,10 0,4 | 0,6.4 @2.25,6.4,2.25,2.4,180,0 4.5,10 | 4.5,6.4 @6.75,6.4,2.25,2.4,180,0 9,10"},
    {'n', 6, "0,10 0,4 | 0,6.8 @3,6.8,3,2.8,180,0 6,10"},
    {'o', 6, "@3,7,3,3,0,360"},
    {'p', 6, "0,4 0,13 | @3,7,3,3,0,360"},
    {'q', 6, "6,4 6,13 | @3,7,3,3,0,360"},
    {'r', 4.4, "0,10 0,4 | 0,7.2 @3.6,7.2,3.6,3,180,70"},
    {'s', 5.2, "@2.6,5.55,2.4,1.55,25,270 @2.6,8.45,2.6,1.55,90,-155"},
    {'t', 4.5, "2,1.2 2,8.6 @3.8,8.6,1.8,1.4,180,270 4.5,10 | 0,4 4.4,4"},
    {'u', 6, "0,4 0,7 @3,7,3,3,180,360 | 6,4 6,10"},
    {'v', 6, "0,4 3,10 6,4"},
    {'w', 8.5, "0,4 2.1,10 4.25,5 6.4,10 8.5,4"},
    {'x', 5.6, "0,4 5.6,10 | 5.6,4 0,10"},
    {'y', 6, "0,4 3,10 | 6,4 2.4,13 1,13"},
    {'z', 5.6, "0,4 5.6,4 0,10 5.6,10"},
    {'0', 6.5, "@3.25,5,3.25,5,0,360"},
    {'1', 4, "0.8,2 3.5,0 3.5,10"},
    {'2', 6.5, "@3.25,3,3.1,3,160,-35 0,10 6.5,10"},
    {'.', 0, "0,9.9 0,10"},
    {',', 0.6, "0.6,9.6 0,11.6"},
    {'-', 4, "0,6 4,6"},
    {'!', 0, "0,0 0,7 | 0,9.9 0,10"},
    {'\'', 0, "0,0 0,2.6"},
    {':', 0, "0,4.5 0,4.6 | 0,9.9 0,10"},
    {'/', 5, "0,11 5,-1"},
};

constexpr double kSpaceAdvance = 3.5;

struct Segment {
  double x0, y0, x1, y1;
};

struct Glyph {
  double advance = kSpaceAdvance;
  std::vector<Segment> segments;
};

// Parses one glyph's strokes into segments on the grid.
Glyph parseGlyph(const GlyphSource& source) {
  Glyph glyph;
  glyph.advance = source.advance;
  std::stringstream polylines(source.strokes);
  std::string polyline;
  while (std::getline(polylines, polyline, '|')) {
    std::vector<std::pair<double, double>> points;
    std::stringstream tokens(polyline);
    std::string token;
    while (tokens >> token) {
      for (char& ch : token)
        if (ch == ',' || ch == '@') ch = ' ';
      std::stringstream values(token);
      std::vector<double> v;
      double d;
      while (values >> d) v.push_back(d);
      if (v.size() == 2) {
        points.emplace_back(v[0], v[1]);
      } else if (v.size() == 6) {
        const double pi = 3.14159265358979;
        int steps = std::max(4, static_cast<int>(std::fabs(v[5] - v[4]) / 10));
        for (int i = 0; i <= steps; ++i) {
          double a = (v[4] + (v[5] - v[4]) * i / steps) * pi / 180;
          points.emplace_back(v[0] + v[2] * std::cos(a), v[1] - v[3] * std::sin(a));
        }
      }
    }
    for (size_t i = 0; i + 1 < points.size(); ++i)
      glyph.segments.push_back(
          {points[i].first, points[i].second, points[i + 1].first, points[i + 1].second});
    if (points.size() == 1)
      glyph.segments.push_back(
          {points[0].first, points[0].second, points[0].first, points[0].second});
  }
  return glyph;
}

// The parsed font, built once.
const std::map<char, Glyph>& font() {
  static const std::map<char, Glyph> glyphs = [] {
    std::map<char, Glyph> m;
    for (const GlyphSource& source : kGlyphs) m[source.c] = parseGlyph(source);
    return m;
  }();
  return glyphs;
}

// The glyph of a character, or an empty one that advances like a space.
const Glyph& glyphFor(char c) {
  static const Glyph space;
  auto it = font().find(c);
  return it == font().end() ? space : it->second;
}

// Distance from a point to a segment.
double segmentDistance(const Segment& s, double x, double y) {
  double dx = s.x1 - s.x0, dy = s.y1 - s.y0;
  double len2 = dx * dx + dy * dy;
  double t = len2 > 0 ? std::clamp(((x - s.x0) * dx + (y - s.y0) * dy) / len2, 0.0, 1.0) : 0.0;
  double px = s.x0 + t * dx - x, py = s.y0 + t * dy - y;
  return std::sqrt(px * px + py * py);
}

}  // namespace

// Width in pixels of a line of text: advances plus tracking, without the last tracking.
double textWidth(const std::string& text, const TextStyle& style) {
  double unit = style.capHeight / 10;
  double width = 0;
  for (size_t i = 0; i < text.size(); ++i) {
    width += glyphFor(text[i]).advance * unit;
    if (i + 1 < text.size()) width += style.tracking * unit;
  }
  return width + 2 * style.weight;
}

// Draws a line of text: the segments are laid out in pixels, a distance
// field over their bounding box gives anti-aliased coverage.
void drawText(Image& img, double x, double baseline, const std::string& text,
              const TextStyle& style, const Paint& paint) {
  double unit = style.capHeight / 10;
  double top = baseline - style.capHeight;
  std::vector<Segment> segments;
  double pen = x + style.weight;
  for (char c : text) {
    const Glyph& glyph = glyphFor(c);
    for (const Segment& s : glyph.segments) {
      auto px = [&](double gx, double gy) {
        return pen + gx * unit + (10 - gy) * unit * style.slant;
      };
      segments.push_back({px(s.x0, s.y0), top + s.y0 * unit, px(s.x1, s.y1), top + s.y1 * unit});
    }
    pen += (glyph.advance + style.tracking) * unit;
  }
  if (segments.empty()) return;

  double reach = style.weight + 1;
  double minX = 1e9, minY = 1e9, maxX = -1e9, maxY = -1e9;
  for (const Segment& s : segments) {
    minX = std::min({minX, s.x0, s.x1});
    maxX = std::max({maxX, s.x0, s.x1});
    minY = std::min({minY, s.y0, s.y1});
    maxY = std::max({maxY, s.y0, s.y1});
  }
  int bx0 = std::max(0, static_cast<int>(std::floor(minX - reach)));
  int by0 = std::max(0, static_cast<int>(std::floor(minY - reach)));
  int bx1 = std::min(img.width(), static_cast<int>(std::ceil(maxX + reach)) + 1);
  int by1 = std::min(img.height(), static_cast<int>(std::ceil(maxY + reach)) + 1);
  if (bx0 >= bx1 || by0 >= by1) return;
  int bw = bx1 - bx0, bh = by1 - by0;
  std::vector<double> distance(static_cast<size_t>(bw) * bh, std::numeric_limits<double>::max());
  for (const Segment& s : segments) {
    int sx0 = std::max(bx0, static_cast<int>(std::floor(std::min(s.x0, s.x1) - reach)));
    int sx1 = std::min(bx1, static_cast<int>(std::ceil(std::max(s.x0, s.x1) + reach)) + 1);
    int sy0 = std::max(by0, static_cast<int>(std::floor(std::min(s.y0, s.y1) - reach)));
    int sy1 = std::min(by1, static_cast<int>(std::ceil(std::max(s.y0, s.y1) + reach)) + 1);
    for (int py = sy0; py < sy1; ++py)
      for (int px = sx0; px < sx1; ++px) {
        double& d = distance[static_cast<size_t>(py - by0) * bw + (px - bx0)];
        d = std::min(d, segmentDistance(s, px + 0.5, py + 0.5));
      }
  }
  for (int py = by0; py < by1; ++py)
    for (int px = bx0; px < bx1; ++px) {
      double d = distance[static_cast<size_t>(py - by0) * bw + (px - bx0)];
      double coverage = std::clamp(0.5 - (d - style.weight), 0.0, 1.0);
      if (coverage > 0) img.blend(px, py, paint(px + 0.5, py + 0.5), coverage);
    }
}

}  // namespace art
