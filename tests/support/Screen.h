// What the tests read off the screen and the handle tables: a window's
// pixels as shown, and the high-water mark of GDI and USER handles.
#pragma once

#include <windows.h>

#include <vector>

// A window's pixels as they are on the screen (its whole window DC).
struct TCapture {
  int Width = 0, Height = 0;
  std::vector<COLORREF> Pixels;
  COLORREF At(int x, int y) const { return Pixels[size_t(y) * size_t(Width) + size_t(x)]; }
};
TCapture Capture(HWND Wnd);

// The largest handle index that ~2,000 new brushes (GDI) or menus (USER)
// reach. Freed handles are used again first, so the mark grows only when
// handles were leaked in between; Wine's GetGuiResources answers 0, this
// works there too. USER handles belong to the Wine server: a test that
// probes them runs in a prefix of its own.
unsigned GdiHighWater();
unsigned UserHighWater();
