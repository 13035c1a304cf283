// Text drawn by the skin painters: control captions centred in their
// place, menu captions on one line, and the platform's menu font. The
// colours come from the canvas's font; the background stays as it is.
#pragma once

#include <windows.h>

#include <string>

#include "ui/Graphics.h"

// Text centred vertically in Rect (and horizontally for DT_CENTER; moved to
// Rect's right edge for DT_RIGHT), plain, in the button-shadow colour when
// not Enabled. Explicit line breaks give several lines.
void DrawSkinText(TCanvas& Canvas, const TRect& Rect, UINT Align, bool Enabled,
                  const std::string& Text);
// Text drawn on one line centred in Rect (both ways), transparent, plain;
// Alignment 0 left, 1 right, 2 centre. A disabled text takes clBtnShadow.
void DrawMenuText(TCanvas& Canvas, const TRect& Rect, const std::string& Text, int Alignment,
                  bool Enabled);
// Gives Canvas the platform's menu font.
void UseMenuFont(TCanvas& Canvas);
