// The arithmetic of the waiting gradient: the colour bands that draw the
// gradient bitmap and the rule that moves it one step along the control.
#pragma once

#include <cstdint>
#include <vector>

// Rounds to the nearest integer, halves to the even neighbour (2.5 -> 2, 7.5 -> 8).
int RoundHalfEven(double value);

// One solid band of the gradient bitmap: columns [Left, Right), full height.
struct TGradientBand {
  int Left = 0;
  int Right = 0;
  uint32_t Color = 0;  // 0x00BBGGRR
};

// The bands of a gradient gradientWidth pixels wide in a control controlWidth
// pixels wide, running from colour `from` to colour `to` (both 0x00BBGGRR):
// n = min(gradientWidth, controlWidth) bands of equal width, band i at
// [round(i*w), round((i+1)*w)) with w = gradientWidth / n, coloured
// from + i * (to - from) / n per channel. None when n < 1.
std::vector<TGradientBand> GradientBands(int gradientWidth, int controlWidth, uint32_t from,
                                         uint32_t to);

// Where the gradient is and which way it goes.
struct TGradientMotion {
  int Position = -50;  // x of the gradient's left edge in the control
  bool MovingRight = true;
};

// Moves the gradient 2 pixels. At the border it is heading for, it turns
// instead and is placed just out of view at that border. True when the
// direction changed (the bitmap's colours must swap).
bool StepGradientMotion(TGradientMotion& motion, int gradientWidth, int controlWidth);
