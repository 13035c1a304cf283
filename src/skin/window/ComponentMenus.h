// The skinned drawing of menu items as the frame and the component layer
// ask for it: the items of a form's popup-menu components (through the
// OnDrawItem and OnMeasureItem handlers given to them) and the owner-drawn
// items a skinned frame's window receives (WM_MEASUREITEM, WM_DRAWITEM).
// Each item is drawn with the skin that serves its form and over the
// background of the popup menu it is shown in.
#pragma once

#include <windows.h>

#include <map>

#include "ui/Classes.h"
#include "ui/Menus.h"

class TSkinModel;

// The skinned item drawing of a form's popup-menu components, and what it
// changed on them, to be given back exactly: each popup menu's OwnerDraw
// setting and the handlers of each item that got the skinned ones. An item
// with a drawing handler of its own, or with Tag 999, keeps its own
// drawing. The record hears of its menus and items being freed, and gives
// back whatever it still holds when it goes.
class TComponentMenuDrawing : public TComponent {
  QUORVEL_CLASS(TComponentMenuDrawing, TComponent)
public:
  // Nothing changed yet.
  TComponentMenuDrawing();
  // Gives everything back.
  ~TComponentMenuDrawing() override;
  // Gives Form's popup menus the skinned item drawing (again after a skin
  // change: items that became Tag 999 or got their own handler meanwhile
  // get theirs back).
  void Apply(TComponent* Form);
  // Gives back every setting and handler that Apply changed and that nobody
  // changed since.
  void Restore();
  // Forgets a menu or item that is freed.
  void Notification(TComponent* AComponent, TOperation Operation) override;
  // How many items hold the skinned handlers.
  size_t ItemCount() const { return FItems.size(); }

private:
  // Gives Item the skinned handlers, or its own back; then its sub-items.
  void ApplyItem(TMenuItem& Item, bool Top, bool MainMenuSkinned);
  // Gives Item its own handlers back where the skinned ones are still on it.
  void RestoreItem(TMenuItem& Item);

  std::map<TPopupMenu*, bool> FOwnerDraw;              // each menu's own OwnerDraw
  std::map<TMenuItem*, TMenuMeasureItemEvent> FItems;  // each item's own OnMeasureItem
};

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
