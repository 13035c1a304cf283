#include "skin/controls/ControlDrawing.h"

#include <algorithm>
#include <memory>

#include "skin/controls/WinSubClass.h"
#include "skin/draw/SkinDraw.h"

// Composed in ScratchBitmap over the face colour.
void DrawSkinImage(TSkinControl& Skinner, const TRect& Rect, TDataSkinObject& Element, int Trans,
                   int FrameCount, int Frame) {
  TBitmap* scratch = ScratchBitmap();
  if (!scratch || Rect.right < Rect.left || Rect.bottom < Rect.top) return;
  std::unique_ptr<TBitmap> picture = DrawNineSlice(Rect, Element.Bitmap, Element.Margins, false,
                                                   Element.Tile != 0, FrameCount, Frame);
  HDC dc = scratch->Canvas().Handle();
  Skinner.FillFace(dc, Rect);
  const TRect at{0, 0, Rect.right - Rect.left, Rect.bottom - Rect.top};
  if (Trans == 1)
    TransparentBlt(dc, at, *picture, SkinKeyColour);
  else
    BitBlt(dc, 0, 0, at.right, at.bottom, picture->Canvas().Handle(), 0, 0, SRCCOPY);
}

// One BitBlt of the whole scratch bitmap.
void CopyToWindow(TSkinControl& Skinner, HDC DC, const TRect& Rect) {
  TBitmap* scratch = ScratchBitmap();
  if (!scratch || !Skinner.Canvas()) return;
  Skinner.Canvas()->SetHandle(DC);
  BitBlt(DC, Rect.left, Rect.top, scratch->Width(), scratch->Height(), scratch->Canvas().Handle(),
         0, 0, SRCCOPY);
}

namespace {

// Frame Frame of Bitmap's side-by-side strip stretched to Rect on DC,
// magenta transparent.
void DrawStrip(HDC DC, const TRect& Rect, int FrameCount, int Frame, TBitmap& Bitmap) {
  if (Rect.right < Rect.left || Rect.bottom < Rect.top || Bitmap.Empty()) return;
  const int frames = std::max(1, FrameCount), fw = Bitmap.Width() / frames;
  const int w = Rect.right - Rect.left, h = Rect.bottom - Rect.top;
  if (w == 0 || h == 0 || fw == 0) return;
  TBitmap cell;
  cell.SetSize(w, h);
  HDC cellDC = cell.Canvas().Handle();
  SetStretchBltMode(cellDC, COLORONCOLOR);
  StretchBlt(cellDC, 0, 0, w, h, Bitmap.Canvas().Handle(), fw * (Frame - 1), 0, fw, Bitmap.Height(),
             SRCCOPY);
  TransparentBlt(DC, Rect, cell, SkinKeyColour);
}

}  // namespace

// Straight onto Target.
void DrawStripFrame(TSkinControl&, TCanvas& Target, const TRect& Rect, int FrameCount, int Frame,
                    TBitmap& Bitmap) {
  DrawStrip(Target.Handle(), Rect, FrameCount, Frame, Bitmap);
}

// The skinner's canvas takes DC and keeps it.
void DrawStripFrameOn(TSkinControl& Skinner, HDC DC, const TRect& Rect, int FrameCount, int Frame,
                      TBitmap& Bitmap) {
  if (Skinner.Canvas()) Skinner.Canvas()->SetHandle(DC);
  DrawStrip(DC, Rect, FrameCount, Frame, Bitmap);
}

// The skinner's canvas takes DC for the drawing and its previous DC after.
void DrawStripFrameKeeping(TSkinControl& Skinner, HDC DC, const TRect& Rect, int FrameCount,
                           int Frame, TBitmap& Bitmap) {
  TCanvas* canvas = Skinner.Canvas();
  if (!canvas) {
    DrawStrip(DC, Rect, FrameCount, Frame, Bitmap);
    return;
  }
  const HDC previous = canvas->HandleAllocated() ? canvas->Handle() : nullptr;
  canvas->SetHandle(DC);
  DrawStrip(DC, Rect, FrameCount, Frame, Bitmap);
  canvas->SetHandle(previous);
}

// The cell cut into a bitmap of its own, keyed by its bottom-left pixel.
void DrawGlyph(TSkinControl&, TCanvas& Canvas, const TRect& Rect, int NumGlyphs, int Index,
               TBitmap& Glyph) {
  if (Glyph.Empty()) return;
  const int cells = std::max(1, NumGlyphs), cw = Glyph.Width() / cells, ch = Glyph.Height();
  if (cw == 0) return;
  TBitmap cell;
  cell.SetSize(cw, ch);
  BitBlt(cell.Canvas().Handle(), 0, 0, cw, ch, Glyph.Canvas().Handle(), cw * (Index - 1), 0,
         SRCCOPY);
  const COLORREF key = GetPixel(cell.Canvas().Handle(), 0, ch - 1);
  TransparentBlt(Canvas.Handle(), TRect{Rect.left, Rect.top, Rect.left + cw, Rect.top + ch}, cell,
                 key);
}

// WM_CTLCOLORSTATIC or WM_CTLCOLOREDIT to the parent.
HBRUSH ControlBackgroundBrush(HWND Wnd, HDC DC, bool IsEdit) {
  const LONG_PTR style = GetWindowLongPtrA(Wnd, GWL_STYLE);
  const bool inactive = (style & WS_DISABLED) || (IsEdit && (style & ES_READONLY));
  HBRUSH brush = nullptr;
  if (HWND parent = GetParent(Wnd))
    brush = reinterpret_cast<HBRUSH>(
        SendMessageA(parent, inactive ? WM_CTLCOLORSTATIC : WM_CTLCOLOREDIT,
                     reinterpret_cast<WPARAM>(DC), reinterpret_cast<LPARAM>(Wnd)));
  return brush ? brush : GetSysColorBrush(inactive ? COLOR_BTNFACE : COLOR_WINDOW);
}

// A copy of the window's font as the font's handle.
void UseWindowFont(TFont& Font, HWND Wnd) {
  HFONT source = reinterpret_cast<HFONT>(SendMessageA(Wnd, WM_GETFONT, 0, 0));
  if (!source) source = static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
  LOGFONTA lf{};
  if (GetObjectA(source, sizeof lf, &lf) == sizeof lf) Font.SetHandle(CreateFontIndirectA(&lf));
}
