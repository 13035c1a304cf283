// The mouse as the user moves it: input through SendInput at screen
// positions, so that windows get the hit test and the messages a real mouse
// gives them. Test programs that use it hold the `pointer` resource lock
// (the display's pointer is shared by every prefix).
#pragma once

#include <windows.h>

// Moves the pointer to Screen.
void MoveMouse(POINT Screen);
// Moves the pointer to Screen and clicks the left button there.
void ClickAt(POINT Screen);
// The centre of Rect (window coordinates of Wnd) on the screen.
POINT ScreenCentre(HWND Wnd, const RECT& Rect);
