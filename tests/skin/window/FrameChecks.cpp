#include "FrameChecks.h"

#include <algorithm>

#include "skin/draw/SkinDraw.h"
#include "skin/window/SkinManager.h"
#include "skin/window/WinSkinForm.h"
#include "support/Screen.h"

namespace {

constexpr COLORREF kMagenta = RGB(255, 0, 255);

// The window's skinner, or null.
TWinSkinForm* SkinnerOf(HWND Wnd) { return SkinManager ? SkinManager->FormSkinner(Wnd) : nullptr; }

// The frame painted now, then captured.
TCapture PaintedCapture(HWND Wnd) {
  RedrawWindow(Wnd, nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE | RDW_UPDATENOW);
  return Capture(Wnd);
}

}  // namespace

// The left border picture at the window's height, in the window's look.
int LeftBorderMismatches(HWND Wnd, TSkinData& Skin) {
  TWinSkinForm* s = SkinnerOf(Wnd);
  if (!s || IsIconic(Wnd)) return -1;
  const TCapture shot = PaintedCapture(Wnd);
  const TFrameMetrics& m = s->Metrics();
  TDataSkinBorder& piece = *Skin.Borders[1];
  const int frames = std::max(1, piece.FrameCount);
  const int frame = s->Active() || frames == 1 ? 1 : 2;
  auto expected = DrawNineSlice(TRect{0, 0, m.BorderLeft, shot.Height}, piece.Bitmap, piece.Margins,
                                false, piece.Tile != 1, frames, frame);
  int bad = 0, compared = 0;
  for (int y = m.TitleHeight; y < shot.Height - m.BorderBottom; ++y)
    for (int x = 0; x < m.BorderLeft; ++x) {
      const COLORREF want = GetPixel(expected->Canvas().Handle(), x, y) & 0xFFFFFF;
      if (want == kMagenta) continue;
      ++compared;
      bad += shot.At(x, y) != want;
    }
  return compared ? bad : -1;
}

// Frame 1 of each Visibility 100 button's picture at its place.
int BarShowsMdiButtons(HWND Frame) {
  TWinSkinForm* s = SkinnerOf(Frame);
  if (!s) return -1;
  const TCapture shot = PaintedCapture(Frame);
  int bad = 0, compared = 0;
  for (auto& button : s->SysButtons().Buttons()) {
    TDataSkinSysButton& entry = *button->SkinObject();
    if (entry.Visibility != 100 || entry.Bitmap.Empty()) continue;
    const RECT& r = button->Bounds();
    for (int y = std::max<LONG>(r.top, 0); y < std::min<LONG>(r.bottom, shot.Height); ++y)
      for (int x = std::max<LONG>(r.left, 0); x < std::min<LONG>(r.right, shot.Width); ++x) {
        const COLORREF want =
            GetPixel(entry.Bitmap.Canvas().Handle(), x - r.left, y - r.top) & 0xFFFFFF;
        if (want == kMagenta) continue;
        ++compared;
        bad += shot.At(x, y) != want;
      }
  }
  if (compared == 0) return -1;
  if (bad == 0) return 1;
  return bad * 2 > compared ? 0 : -1;
}
