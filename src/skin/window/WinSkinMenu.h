// The skinned menu bar: a window's top-level menu items drawn by the frame
// in a band below the title, one button per item. The bar takes the menu
// off the window while it draws it and gives it back at the end; it keeps
// the record of the drop-down items it made owner-drawn, to give them back
// their own drawing. Tracking the drop-down menus is MenuTracking's.
#pragma once

#include <windows.h>

#include <functional>
#include <memory>
#include <set>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

#include "skin/window/NCObject.h"
#include "ui/Classes.h"
#include "ui/Graphics.h"

class TMenu;
class TSkinModel;
class TWinSkinMenu;

// A menu item the bar made owner-drawn: the menu it is in, and what it is
// known by there (its identifier and submenu, or, for an item with neither,
// its position), so that a rebuilt menu neither loses nor repeats it.
struct TOwnerDrawnItem {
  HMENU Menu = nullptr;
  UINT Id = 0;
  HMENU SubMenu = nullptr;
  int Position = -1;
  // Ordered by menu, then by what the item is known by.
  bool operator<(const TOwnerDrawnItem& Other) const {
    return std::tie(Menu, Id, SubMenu, Position) <
           std::tie(Other.Menu, Other.Id, Other.SubMenu, Other.Position);
  }
};

// One top-level item of the skinned menu bar.
class TMenuBtn : public TNCObject {
public:
  // Item Index of Bar: its caption, state, drop-down menu and command.
  TMenuBtn(TWinSkinMenu& Bar, TNCHot& Hot, int Index, std::string Caption, bool Enabled,
           HMENU SubMenu, int Command);
  // Copies the bar's background back under the button, frames it when hot
  // or pressed and draws its caption, straight into the window DC.
  void Paint() override;

  int Index() const { return FIndex; }  // position in the bar, from 0
  const std::string& Caption() const { return FCaption; }
  bool Enabled() const { return FEnabled; }   // neither grayed nor disabled
  HMENU SubMenu() const { return FSubMenu; }  // the item's drop-down menu, 0 if none
  int Command() const { return FCommand; }    // the item's command identifier

private:
  TWinSkinMenu& FBar;
  int FIndex;
  std::string FCaption;
  bool FEnabled;
  HMENU FSubMenu;
  int FCommand;
};

class TWinSkinMenu : public TComponent {
  QUORVEL_CLASS(TWinSkinMenu, TComponent)
public:
  // The bar of window Wnd drawn from Skin; Menu is the form's component
  // menu (null for a window of the system); hover goes through Hot.
  TWinSkinMenu(HWND Wnd, TSkinModel* Skin, TMenu* Menu, TNCHot& Hot);
  // The hot object goes if it is one of the buttons.
  ~TWinSkinMenu() override;

  // (Re)builds the buttons from the window's menu and takes the menu off the
  // window; a menu without items stays on the window.
  void BuildButtons();
  // Paints the bar into Rect (window coordinates) of the window DC DC, from
  // the bar picture's first frame when Active, else its second. Extra draws
  // on the composed bar (at the bar's own origin) before it goes to DC.
  void PaintBar(HDC DC, const TRect& Rect, bool Active, const std::function<void(HDC)>& Extra);

  const std::vector<std::unique_ptr<TMenuBtn>>& Buttons() const { return FButtons; }
  // The first button whose bounds hold P and whose caption is not empty.
  TMenuBtn* ButtonAt(const TPoint& P) const;
  // The button after (Forward) or before Index, wrapping; null without buttons.
  TMenuBtn* NextButton(int Index, bool Forward) const;
  // The first enabled button whose caption's accelerator is Key (case ignored).
  TMenuBtn* AccelButton(int Key) const;
  // Posts a click on Button's place, which opens its popup.
  void PostClick(const TMenuBtn& Button) const;

  // The window's menu, given back when skinning ends.
  HMENU MenuHandle() const { return FMenuHandle; }
  // The form's component menu, or null.
  TMenu* Menu() const { return FMenu; }
  // The form's menu changed: the bar follows it (and lets the old handle go
  // when there is none).
  void SetMenu(TMenu* Menu);
  // Puts the menu back on the window (without its owner-drawn items) and
  // forgets it: the window goes, or skinning ends.
  void GiveMenuBack();
  // The skin component went away.
  void ForgetSkin() { FSkin = nullptr; }
  TSkinModel* Skin() const { return FSkin; }
  HWND Handle() const { return FHandle; }
  // The bar's place in window coordinates and its background, as painted last.
  const TRect& BarRect() const { return FBarRect; }

  // The drop-down menu tracked last (its items are measured by the frame).
  HMENU TrackedMenu() const { return FTrackedMenu; }
  void SetTrackedMenu(HMENU Menu) { FTrackedMenu = Menu; }

  // Adds MFT_OWNERDRAW to Menu's items and its submenus' items, noting the
  // items it changed.
  void MakeOwnerDraw(HMENU Menu);
  // Takes MFT_OWNERDRAW off the items MakeOwnerDraw gave it.
  void RestoreOwnerDrawnItems();
  // How many items are noted as made owner-drawn.
  size_t OwnerDrawnCount() const { return FOwnerDrawnItems.size(); }

private:
  friend class TMenuBtn;

  HWND FHandle;
  TSkinModel* FSkin;
  TMenu* FMenu;
  TNCHot& FHot;
  std::vector<std::unique_ptr<TMenuBtn>> FButtons;
  TRect FBarRect{0, 0, 0, 0};
  TBitmap FBarBitmap;  // the bar's background as painted last
  TCanvas FCanvas;     // draws on the window DC of a button's paint
  HMENU FMenuHandle = nullptr;
  HMENU FTrackedMenu = nullptr;
  std::set<TOwnerDrawnItem> FOwnerDrawnItems;
};
