// Pixel checks of skinned frames shared by the window tests; each computes
// what it expects from the skin's own pictures at run time.
#pragma once

#include <windows.h>

class TSkinData;

// Pixels of Wnd's left border below its title, as shown, that differ from
// the skin's left border picture (its transparent pixels left out); -1 when
// the window has no skinner or nothing was compared. A window with the
// platform's frame differs.
int LeftBorderMismatches(HWND Wnd, TSkinData& Skin);

// Whether the menu bar of the MDI frame Frame shows the skin's MDI child
// buttons: 1 where all of them are drawn, 0 where something else is shown
// at their place (over half their pixels differ), -1 in between or without
// them.
int BarShowsMdiButtons(HWND Frame);
