#include "support/Screen.h"

#include <algorithm>
#include <functional>

#include "ui/Graphics.h"

TCapture Capture(HWND Wnd) {
  RECT r;
  GetWindowRect(Wnd, &r);
  TCapture c;
  c.Width = r.right - r.left;
  c.Height = r.bottom - r.top;
  TBitmap shot;
  shot.SetPixelFormat(TPixelFormat::pf32bit);
  shot.SetSize(c.Width, c.Height);
  {
    const TWindowDC dc(Wnd, TWindowDC::Window);
    BitBlt(shot.Canvas().Handle(), 0, 0, c.Width, c.Height, dc, 0, 0, SRCCOPY);
  }
  GdiFlush();
  for (int y = 0; y < c.Height; ++y) {
    const uint8_t* row = shot.ScanLine(y);
    for (int x = 0; x < c.Width; ++x)
      c.Pixels.push_back(RGB(row[4 * x + 2], row[4 * x + 1], row[4 * x]));
  }
  return c;
}

namespace {

unsigned HighWater(const std::function<HANDLE()>& make, const std::function<void(HANDLE)>& free) {
  std::vector<HANDLE> made;
  unsigned top = 0;
  for (int i = 0; i < 2000; ++i) {
    HANDLE h = make();
    top = std::max(top, unsigned(LOWORD(reinterpret_cast<ULONG_PTR>(h))));
    made.push_back(h);
  }
  for (HANDLE h : made) free(h);
  return top;
}

}  // namespace

unsigned GdiHighWater() {
  return HighWater([] { return HANDLE(CreateSolidBrush(0)); },
                   [](HANDLE h) { DeleteObject(HGDIOBJ(h)); });
}

unsigned UserHighWater() {
  return HighWater([] { return HANDLE(CreateMenu()); }, [](HANDLE h) { DestroyMenu(HMENU(h)); });
}
