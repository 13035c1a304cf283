// The skinned drawing of menu items as the frame and the component layer
// ask for it: the items of a form's popup-menu components (through the
// OnDrawItem and OnMeasureItem handlers given to them) and the owner-drawn
// items a skinned frame's window receives (WM_MEASUREITEM, WM_DRAWITEM).
// Each item is drawn with the skin that serves its form and over the
// background of the popup menu it is shown in.
#pragma once

#include <windows.h>

class TComponent;
class TMenu;
class TSkinModel;

// Gives the form's popup menus the skinned item drawing (On) or takes it off.
void SetMenusOwnerDraw(TComponent* Form, bool On);

// What a skinned frame's item messages need to know of the frame.
struct TFrameMenus {
  HWND Handle = nullptr;
  TSkinModel* Skin = nullptr;
  bool HasWindowMenu = false;   // the window had a menu when the skin attached
  bool IsForm = false;          // a form of ours
  TMenu* BarMenu = nullptr;     // the form's menu as the skinned bar shows it, or null
  HMENU TrackedMenu = nullptr;  // the drop-down menu the bar tracked last
};

// WM_MEASUREITEM of a skinned frame: false when the item is not the
// frame's to measure (the caller passes the message on).
bool MeasureFrameMenuItem(MEASUREITEMSTRUCT& Item, const TFrameMenus& Frame);
// WM_DRAWITEM of a skinned frame: false when the item is not the frame's
// to draw (the caller passes the message on).
bool DrawFrameMenuItem(DRAWITEMSTRUCT& Item, const TFrameMenus& Frame);
