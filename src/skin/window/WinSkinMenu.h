// The skinned menu bar: a window's top-level menu items drawn by the frame
// in a band below the title bar, the tracking of their drop-down menus (a
// message-filter hook while one is open), and the skinned drawing of the
// items inside those menus and of a form's popup menus.
#pragma once

#include <windows.h>

#include <memory>
#include <string>
#include <vector>

#include "skin/window/WinSkinForm.h"
#include "ui/Classes.h"
#include "ui/Graphics.h"

class TMenu;
class TMenuItem;
class TCustomImageList;
class TWinSkinMenu;

// One top-level item of the skinned menu bar.
class TMenuBtn : public TNCObject {
public:
  explicit TMenuBtn(TWinSkinForm* SkinForm) : TNCObject(SkinForm) {}
  // Copies the bar's background back under the button, frames it when hot
  // or pressed and draws its caption, straight into the window DC.
  void Paint() override;

  TSkinData* FSkinData = nullptr;
  int FIndex = 0;  // position in the bar, from 0
  std::string FCaption;
  bool FEnabled = true;      // neither grayed nor disabled
  HMENU FSubMenu = nullptr;  // the item's drop-down menu, 0 if none
  int FCommand = 0;          // the item's command identifier
};

class TWinSkinMenu : public TComponent {
  QUORVEL_CLASS(TWinSkinMenu, TComponent)
public:
  explicit TWinSkinMenu(TComponent* AOwner);
  ~TWinSkinMenu() override;

  // (Re)builds the buttons from the window's menu and takes the menu off the
  // window; a menu without items stays on the window.
  void BuildButtons();
  // Paints the bar into Rect (window coordinates) of the window DC DC.
  void PaintBar(HDC DC, const TRect& Rect);

  std::vector<std::unique_ptr<TMenuBtn>> FButtons;
  TMenu* FMenu = nullptr;  // the form's component menu, or null
  TRect FBarRect{0, 0, 0, 0};
  TSkinData* FSkinData = nullptr;
  TWinSkinForm* FSkinForm = nullptr;
  TBitmap FBarBitmap;  // the bar's background as painted last
  int FCount = 0;
  HMENU FMenuHandle = nullptr;  // the window's menu, given back when skinning ends
};

// ---------------------------------------------------------------------------
// Tracking (one menu loop at a time per process)

// The first button whose bounds hold P and whose caption is not empty.
TMenuBtn* MenuButtonAt(TWinSkinMenu* MenuBar, const TPoint& P);
// The tracking bar's button after (Forward) or before the open one, wrapping.
TMenuBtn* NextMenuButton(bool Forward);
// Posts a click on Button's place, which opens its popup.
void PostMenuButtonClick(TMenuBtn* Button);
// The first enabled button whose caption's accelerator is Key (case ignored).
TMenuBtn* FindAccelButton(TWinSkinMenu* MenuBar, int Key);
void StartMenuHook();
void StopMenuHook();
// Makes every item of Menu and of its submenus owner-drawn.
void MakeMenuOwnerDraw(HMENU Menu);
// The bar button index whose popup is open, -1 when none (for tests).
int MenuTrackingIndex();
// A form skinner goes away: an open bar popup of its own is closed and the
// tracking forgets it, so that nothing touches it when its loop returns.
void ForgetMenuTracking(TWinSkinForm* Form);

// ---------------------------------------------------------------------------
// Menu items

// What the item painters need to know of one menu item, whether it comes
// from a component menu or straight from a menu handle.
struct TMenuItemFacts {
  std::string Caption;  // "-" for a separator
  bool Enabled = true;
  bool Checked = false;
  bool Default = false;
  std::string ShortCut;  // the shortcut's text, empty when none
  TCustomImageList* Images = nullptr;
  int ImageIndex = -1;
  bool RightToLeft = false;
  UINT Alignment = DT_LEFT;    // a popup menu's alignment
  HMENU ParentMenu = nullptr;  // the menu the item is shown in
  bool IsLine() const { return Caption == "-"; }
};

// The item ItemID (by command) of Menu as the painters see it: its text
// ("-" when it has none), enabled and checked state.
TMenuItemFacts MenuItemFromHandle(HMENU Menu, UINT ItemID);
// Gives the form's popup menus the skinned item drawing (On) or takes it off.
void SetMenusOwnerDraw(TComponent* Form, bool On);

// Measuring: Width and Height enter as the platform measured them.
void MeasureMenuItemFacts(const TMenuItemFacts& Item, TCanvas& Canvas, int& Width, int& Height);
// The skinned item: MenuItem frame 1 (4 when Selected) over the popup's
// background, or the flat look when the skin has no MenuItem element.
void DrawMenuItemFacts(TSkinData& Skin, const TMenuItemFacts& Item, TCanvas& Canvas, bool Selected,
                       const TRect& Rect);
void DrawMenuItemFlat(TSkinData& Skin, const TMenuItemFacts& Item, TCanvas& Canvas, bool Selected,
                      const TRect& Rect);
void DrawMenuSeparator(TSkinData& Skin, TCanvas& Canvas, const TRect& Rect);
void DrawMenuItemContent(TSkinData& Skin, const TMenuItemFacts& Item, TCanvas& Canvas,
                         bool Selected, const TRect& R);
void DrawMenuItemText(TSkinData& Skin, const TMenuItemFacts& Item, TCanvas& Canvas, UINT Format,
                      bool Selected, TRect& Rect, const std::string& Text);
