#include "SponsorArt.h"

#include "Draw.h"
#include "StrokeFont.h"

#include <algorithm>
#include <cmath>

namespace art {

const char* const kSponsorName = "Fernhollow Tea";
const char* const kSponsorHost = "www.fernhollow.example";
const char* const kSponsorAddress = "http://www.fernhollow.example/";

namespace {

constexpr int kWidth = 600;
constexpr int kHeight = 450;
constexpr double kPi = 3.14159265358979;

// Height of a hill line at x: a base plus two gentle waves.
double hillLine(double x, double base, double a1, double f1, double p1, double a2, double f2,
                double p2) {
  return base + a1 * std::sin(x * f1 + p1) + a2 * std::sin(x * f2 + p2);
}

// Fills everything below a wavy line (anti-aliased along the line) with a paint.
template <typename Line>
void fillBelow(Image& img, Line line, const Paint& paint) {
  for (int x = 0; x < img.width(); ++x) {
    double top = line(x + 0.5);
    for (int y = std::max(0, int(std::floor(top))); y < img.height(); ++y) {
      double coverage = std::clamp(y + 1.0 - top, 0.0, 1.0);
      img.blend(x, y, paint(x + 0.5, y + 0.5), coverage);
    }
  }
}

// A tea leaf: two circle arcs meeting at both tips, around (cx, cy), turned by `angle`.
Distance leaf(double cx, double cy, double length, double width, double angle) {
  // Circles through both tips whose overlap is `width` wide.
  double half = length / 2, w = width / 2;
  double r = (half * half + w * w) / (2 * w);
  double offset = r - w;
  double c = std::cos(angle), s = std::sin(angle);
  return [=](double x, double y) {
    double dx = x - cx, dy = y - cy;
    double u = dx * c + dy * s, v = -dx * s + dy * c;
    double d1 = std::hypot(u, v - offset) - r;
    double d2 = std::hypot(u, v + offset) - r;
    return std::max(d1, d2);
  };
}

// Draws a leaf with a lighter centre vein.
void drawLeaf(Image& img, double cx, double cy, double length, double width, double angle,
              const Colour& colour) {
  Rect area{cx - length, cy - length, cx + length, cy + length};
  fillShape(img, leaf(cx, cy, length, width, angle),
            radialGradient(cx - length * 0.2, cy - width * 0.3, length * 0.7, shade(colour, 0.25),
                           colour),
            area);
  double c = std::cos(angle) * length * 0.42, s = std::sin(angle) * length * 0.42;
  fillShape(img, capsule(cx - c, cy - s, cx + c, cy + s, 0.7),
            solid(withAlpha(shade(colour, 0.55), 0.8)), area);
}

// A wavy wisp of steam rising from (x, y).
void drawSteam(Image& img, double x, double y, double height, double phase) {
  const int steps = 24;
  for (int i = 0; i < steps; ++i) {
    double t0 = double(i) / steps, t1 = double(i + 1) / steps;
    auto px = [&](double t) { return x + 7 * std::sin(t * 2.2 * kPi + phase) * (0.4 + t); };
    double alpha = 0.55 * std::sin(kPi * t0) + 0.05;
    fillShape(img, capsule(px(t0), y - height * t0, px(t1), y - height * t1, 2.6 - 1.4 * t0),
              solid(withAlpha(rgb8(255, 255, 255), alpha)),
              Rect{x - 20, y - height - 4, x + 20, y + 4});
  }
}

// The teacup on its saucer, steaming, with two leaves beside it.
void drawTeacup(Image& img) {
  const double cx = 168, rimY = 214;
  const Colour porcelain = rgb8(252, 251, 247), shadeColour = rgb8(206, 204, 196);
  Rect all{0, 0, double(kWidth), double(kHeight)};

  // Soft shadow and saucer.
  fillShape(img, ellipse(Rect{cx - 112, 300, cx + 118, 330}),
            solid(withAlpha(rgb8(40, 70, 40), 0.25)), all);
  fillShape(img, ellipse(Rect{cx - 106, 286, cx + 106, 318}),
            verticalGradient(286, 318, porcelain, shadeColour), all);
  fillShape(img, ellipse(Rect{cx - 60, 292, cx + 60, 310}), solid(withAlpha(shadeColour, 0.7)),
            all);

  // Handle: a ring on the right, partly hidden by the cup.
  fillShape(img, ring(cx + 78, rimY + 30, 20, 5.5),
            verticalGradient(rimY, rimY + 60, porcelain, shadeColour), all);

  // Bowl: the lower half of an ellipse below the rim.
  Distance bowl = intersect(ellipse(Rect{cx - 84, rimY - 84, cx + 84, rimY + 84}),
                            [=](double, double y) { return rimY - y; });
  fillShape(img, bowl, radialGradient(cx - 30, rimY + 20, 110, porcelain, shadeColour), all);
  // A green band with small leaves around the bowl.
  Distance band = intersect(bowl, [=](double, double y) { return std::fabs(y - (rimY + 30)) - 5; });
  fillShape(img, band, solid(rgb8(74, 128, 80)), all);
  for (int i = -3; i <= 3; ++i)
    drawLeaf(img, cx + i * 20, rimY + 30, 9, 4, 0.5 * (i % 2 == 0 ? 1 : -1), rgb8(214, 232, 200));

  // Rim and tea.
  fillShape(img, ellipse(Rect{cx - 84, rimY - 14, cx + 84, rimY + 14}), solid(rgb8(226, 224, 216)),
            all);
  fillShape(img, ellipse(Rect{cx - 78, rimY - 10, cx + 78, rimY + 11}),
            radialGradient(cx - 20, rimY - 4, 80, rgb8(196, 120, 48), rgb8(132, 70, 24)), all);
  fillShape(img, ellipse(Rect{cx - 40, rimY - 6, cx - 4, rimY - 1}),
            solid(withAlpha(rgb8(255, 230, 190), 0.35)), all);

  drawSteam(img, cx - 30, rimY - 18, 70, 0.0);
  drawSteam(img, cx + 2, rimY - 22, 86, 1.8);
  drawSteam(img, cx + 32, rimY - 18, 64, 3.4);

  drawLeaf(img, 300, 304, 46, 18, -0.35, rgb8(62, 120, 64));
  drawLeaf(img, 282, 318, 36, 14, 0.55, rgb8(88, 146, 78));
}

// Text centred on x.
void centredText(Image& img, double x, double baseline, const std::string& text,
                 const TextStyle& style, const Colour& colour) {
  drawText(img, x - textWidth(text, style) / 2, baseline, text, style, solid(colour));
}

}  // namespace

// The advertisement: a sunny tea garden, a steaming cup, the merchant's name,
// three short claims and the web address on a pill at the bottom.
Image sponsorPicture() {
  Image img(kWidth, kHeight);
  fillRect(
      img, 0, 0, kWidth, kHeight,
      verticalStops(
          0, 330,
          {{0.0, rgb8(250, 240, 216)}, {0.6, rgb8(246, 242, 226)}, {1.0, rgb8(226, 238, 214)}}));
  fillShape(img, ellipse(Rect{330, -60, 650, 260}),
            radialGradient(490, 100, 160, withAlpha(rgb8(255, 232, 170), 0.8),
                           withAlpha(rgb8(255, 240, 200), 0.0)),
            Rect{330, -60, 650, 260});

  // Three ranges of hills, the nearest darkest, with rows of tea bushes.
  fillBelow(
      img, [](double x) { return hillLine(x, 318, 14, 0.010, 0.8, 6, 0.027, 2.0); },
      verticalGradient(290, 450, rgb8(176, 204, 156), rgb8(150, 186, 132)));
  fillBelow(
      img, [](double x) { return hillLine(x, 352, 16, 0.008, 2.6, 5, 0.031, 0.3); },
      verticalGradient(330, 450, rgb8(128, 174, 112), rgb8(104, 154, 92)));
  for (int row = 0; row < 4; ++row) {
    double offset = 10 + row * 13;
    for (int x = 0; x < kWidth; x += 2) {
      double y = hillLine(x, 352, 16, 0.008, 2.6, 5, 0.031, 0.3) + offset;
      double y2 = hillLine(x + 2, 352, 16, 0.008, 2.6, 5, 0.031, 0.3) + offset;
      // Rounded bushes: the row swells and narrows along its length.
      double bush = 0.9 * std::fabs(std::sin((x + 9 * row) * 0.21));
      fillShape(img, capsule(x, y - bush, x + 2, y2 - bush, 1.8 + row * 0.5 + bush),
                solid(withAlpha(rgb8(82, 134, 74), 0.55)),
                Rect{double(x) - 4, y - 6, double(x) + 6, y + 6});
    }
  }
  fillBelow(
      img, [](double x) { return hillLine(x, 402, 10, 0.012, 4.0, 4, 0.035, 1.0); },
      verticalGradient(380, 450, rgb8(86, 138, 80), rgb8(62, 112, 60)));

  drawTeacup(img);

  // Name and motto.
  const TextStyle title{44, 3.4, 1.8};  // cap height, weight, tracking
  centredText(img, 300, 74, kSponsorName, title, rgb8(36, 82, 48));
  const TextStyle motto{12, 1.15, 4.0};
  centredText(img, 300, 106, "FINE LEAF TEAS FROM QUIET HILLS", motto, rgb8(128, 96, 52));
  fillRect(img, 150, 120, 450, 121, solid(rgb8(200, 178, 132)));

  // Three claims with leaf bullets, right of the cup.
  const TextStyle claim{15, 1.35, 2.0};
  const char* claims[] = {"Hand-picked leaves", "Small family gardens", "Brewed with care"};
  for (int i = 0; i < 3; ++i) {
    double baseline = 178 + 38 * i;
    drawLeaf(img, 322, baseline - 7, 16, 7, -0.6, rgb8(62, 120, 64));
    drawText(img, 338, baseline, claims[i], claim, solid(rgb8(58, 62, 44)));
  }

  // Web address on a cream pill, clear of the lower right corner.
  Rect pill{140, 392, 440, 426};
  fillShape(img, roundRect(Rect{pill.x0, pill.y0 + 2, pill.x1, pill.y1 + 2}, 17),
            solid(withAlpha(rgb8(20, 50, 20), 0.35)), Rect{pill.x0, pill.y0, pill.x1, pill.y1 + 4});
  fillShape(img, roundRect(pill, 17),
            verticalGradient(pill.y0, pill.y1, rgb8(255, 252, 240), rgb8(240, 232, 208)), pill);
  const TextStyle address{15, 1.5, 1.8};
  centredText(img, 290, 414, kSponsorHost, address, rgb8(36, 82, 48));
  const TextStyle invite{11, 1.05, 2.6};
  centredText(img, 290, 380, "Click to visit our tea shop", invite, rgb8(255, 255, 255));

  // Opaque throughout: a bitmap has no alpha.
  img.flatten(rgb8(255, 255, 255));
  return img;
}

}  // namespace art
