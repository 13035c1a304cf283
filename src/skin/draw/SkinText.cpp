#include "skin/draw/SkinText.h"

namespace {

// NONCLIENTMETRICSA as every Windows from XP on knows it (without the
// padded-border field that later headers add).
constexpr UINT kNonClientMetricsSize = 340;

}  // namespace

// Measures, places the measured box, then draws with the canvas's font.
void DrawSkinText(TCanvas& Canvas, const TRect& Rect, UINT Align, bool Enabled,
                  const std::string& Text) {
  HDC dc = Canvas.Handle();
  Canvas.Brush().SetStyle(TBrushStyle::bsClear);
  Canvas.Font().SetStyle(0);
  if (!Enabled) Canvas.Font().SetColor(clBtnShadow);
  const TSelectObjectGuard font(dc, Canvas.Font().Handle());
  const TSaveDCGuard state(dc);
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, ColorToRGB(Canvas.Font().Color()));
  RECT m = Rect;
  DrawTextA(dc, Text.c_str(), -1, &m, Align | DT_CALCRECT | DT_NOCLIP | DT_EXPANDTABS);
  const int w = m.right - m.left, h = m.bottom - m.top;
  const int top = Rect.top + ((Rect.bottom - Rect.top) - h) / 2;
  // The measured rectangle keeps Rect's left edge: right-aligned text is
  // moved to Rect's right edge here.
  const int left = Align == DT_CENTER ? Rect.left + ((Rect.right - Rect.left) - w) / 2
                   : Align & DT_RIGHT ? Rect.right - w
                                      : m.left;
  RECT at{left, top, left + w, top + h};
  DrawTextA(dc, Text.c_str(), -1, &at, Align | DT_EXPANDTABS);
}

// One line, centred both ways in Rect.
void DrawMenuText(TCanvas& Canvas, const TRect& Rect, const std::string& Text, int Alignment,
                  bool Enabled) {
  static constexpr UINT kAlign[] = {DT_LEFT, DT_RIGHT, DT_CENTER};
  const UINT align = kAlign[(Alignment >= 0 && Alignment <= 2) ? Alignment : 0];
  HDC dc = Canvas.Handle();
  Canvas.Brush().SetStyle(TBrushStyle::bsClear);
  Canvas.Font().SetStyle(0);
  if (!Enabled) Canvas.Font().SetColor(clBtnShadow);
  const TSelectObjectGuard font(dc, Canvas.Font().Handle());
  const TSaveDCGuard state(dc);
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, ColorToRGB(Canvas.Font().Color()));
  RECT m = Rect;
  DrawTextA(dc, Text.c_str(), -1, &m,
            align | DT_CALCRECT | DT_NOCLIP | DT_EXPANDTABS | DT_SINGLELINE);
  const int w = m.right - m.left, h = m.bottom - m.top;
  const int left = Rect.left + ((Rect.right - Rect.left) - w) / 2;
  const int top = Rect.top + ((Rect.bottom - Rect.top) - h) / 2;
  RECT at{left, top, left + w, top + h};
  DrawTextA(dc, Text.c_str(), -1, &at, align | DT_EXPANDTABS | DT_SINGLELINE);
}

// The menu font of the non-client metrics.
void UseMenuFont(TCanvas& Canvas) {
  NONCLIENTMETRICSA metrics{};
  metrics.cbSize = kNonClientMetricsSize;
  if (SystemParametersInfoA(SPI_GETNONCLIENTMETRICS, metrics.cbSize, &metrics, 0))
    Canvas.Font().SetHandle(CreateFontIndirectA(&metrics.lfMenuFont));
}
