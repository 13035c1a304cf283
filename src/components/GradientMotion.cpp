#include "components/GradientMotion.h"

#include <algorithm>
#include <cmath>

// Banker's rounding, independent of the floating-point rounding mode.
int RoundHalfEven(double value) {
  const double lower = std::floor(value);
  const double fraction = value - lower;
  double result = lower;
  if (fraction > 0.5)
    result = lower + 1;
  else if (fraction == 0.5)
    result = std::fmod(lower, 2.0) == 0 ? lower : lower + 1;
  return static_cast<int>(result);
}

// The bands of the gradient bitmap, left to right.
std::vector<TGradientBand> GradientBands(int gradientWidth, int controlWidth, uint32_t from,
                                         uint32_t to) {
  const int n = std::min(gradientWidth, controlWidth);
  std::vector<TGradientBand> bands;
  if (n < 1) return bands;
  double start[3], step[3];
  for (int c = 0; c < 3; ++c) {
    start[c] = static_cast<double>((from >> (8 * c)) & 0xFF);
    step[c] = (static_cast<double>((to >> (8 * c)) & 0xFF) - start[c]) / n;
  }
  const double w = static_cast<double>(gradientWidth) / n;
  bands.reserve(static_cast<size_t>(n));
  for (int i = 0; i < n; ++i) {
    TGradientBand band;
    band.Left = RoundHalfEven(i * w);
    band.Right = RoundHalfEven((i + 1) * w);
    for (int c = 0; c < 3; ++c)
      band.Color |= static_cast<uint32_t>(std::clamp(RoundHalfEven(start[c] + i * step[c]), 0, 255))
                    << (8 * c);
    bands.push_back(band);
  }
  return bands;
}

// One tick of the motion: 2 pixels on, or a turn at the border.
bool StepGradientMotion(TGradientMotion& motion, int gradientWidth, int controlWidth) {
  if (motion.MovingRight) {
    if (motion.Position + gradientWidth < controlWidth) {
      motion.Position += 2;
      return false;
    }
    motion.MovingRight = false;
    motion.Position = controlWidth;
    return true;
  }
  if (motion.Position > 0) {
    motion.Position -= 2;
    return false;
  }
  motion.MovingRight = true;
  motion.Position = -gradientWidth;
  return true;
}
