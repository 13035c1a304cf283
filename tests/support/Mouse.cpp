#include "support/Mouse.h"

namespace {

// One mouse input with Flags at the normalized absolute position of Screen.
INPUT MouseInput(POINT Screen, DWORD Flags) {
  const int w = GetSystemMetrics(SM_CXSCREEN), h = GetSystemMetrics(SM_CYSCREEN);
  INPUT input{};
  input.type = INPUT_MOUSE;
  // Rounded up, so that the system's scaling back (rounded down) hits the pixel.
  input.mi.dx = LONG((LONGLONG(Screen.x) * 65536 + w - 1) / w);
  input.mi.dy = LONG((LONGLONG(Screen.y) * 65536 + h - 1) / h);
  input.mi.dwFlags = Flags | MOUSEEVENTF_ABSOLUTE;
  return input;
}

}  // namespace

// An absolute move; the pointer is put exactly there if the scaling missed.
void MoveMouse(POINT Screen) {
  INPUT move = MouseInput(Screen, MOUSEEVENTF_MOVE);
  SendInput(1, &move, sizeof move);
  POINT now;
  if (GetCursorPos(&now) && (now.x != Screen.x || now.y != Screen.y))
    SetCursorPos(Screen.x, Screen.y);
}

// A move, then the press and the release at that place. The press and the
// release carry the position themselves: without it they land wherever the
// system's pointer is when they are queued, and under Wine a move sent just
// before may not have reached it yet.
void ClickAt(POINT Screen) {
  MoveMouse(Screen);
  INPUT click[2] = {MouseInput(Screen, MOUSEEVENTF_MOVE | MOUSEEVENTF_LEFTDOWN),
                    MouseInput(Screen, MOUSEEVENTF_MOVE | MOUSEEVENTF_LEFTUP)};
  SendInput(2, click, sizeof(INPUT));
}

// The window's corner plus the rectangle's middle.
POINT ScreenCentre(HWND Wnd, const RECT& Rect) {
  RECT window;
  GetWindowRect(Wnd, &window);
  return POINT{window.left + (Rect.left + Rect.right) / 2,
               window.top + (Rect.top + Rect.bottom) / 2};
}
