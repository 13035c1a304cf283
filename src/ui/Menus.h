// Menus over real Win32 menus: a tree of menu items owned by a main menu
// (a form's menu bar) or a popup menu (a form's context menu). Each item
// with sub-items owns a popup HMENU; every item has a command identifier
// unique in the process, so WM_COMMAND, WM_MENUSELECT, WM_MEASUREITEM and
// WM_DRAWITEM find it again (FindItem).
#pragma once

#include <windows.h>

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "ui/Classes.h"
#include "ui/Graphics.h"

class TMenu;
class TMenuItem;
class TCustomImageList;

// A shortcut: a virtual key in the low byte, scShift/scCtrl/scAlt above.
using TShortCut = uint16_t;
enum : TShortCut { scShift = 0x2000, scCtrl = 0x4000, scAlt = 0x8000, scNone = 0 };
TShortCut ShortCut(WORD key, TShortCut shift);
// "Ctrl+O", "Shift+Del", "F5", "Ctrl+Alt+X": the platform's English names
// (modifiers in the order Shift, Ctrl, Alt); "" for a key without a name.
std::string ShortCutToText(TShortCut shortCut);
// The inverse of ShortCutToText; 0 for a text it does not know.
TShortCut TextToShortCut(const std::string& text);

// Menu item events: OnDrawItem(Sender, ACanvas, ARect, Selected),
// OnMeasureItem(Sender, ACanvas, Width, Height).
using TMenuDrawItemEvent = TEvent<TObject*, TCanvas*, TRect, bool>;
using TMenuMeasureItemEvent = TEvent<TObject*, TCanvas*, int&, int&>;

enum TPopupAlignment : uint8_t { paLeft, paRight, paCenter };
enum class TFindItemKind { fkCommand, fkHandle, fkShortCut };

class TMenuItem : public TComponent {
  QUORVEL_CLASS(TMenuItem, TComponent)
public:
  explicit TMenuItem(TComponent* owner);
  ~TMenuItem() override;

  // --- published ---
  const std::string& Caption() const { return FCaption; }
  void SetCaption(const std::string& value);  // "-" makes a separator
  bool Checked() const { return FChecked; }
  void SetChecked(bool value);
  bool Enabled() const { return FEnabled; }
  void SetEnabled(bool value);
  bool Visible() const { return FVisible; }
  void SetVisible(bool value);
  bool Default() const { return FDefault; }  // drawn bold
  void SetDefault(bool value);
  bool RadioItem() const { return FRadioItem; }
  void SetRadioItem(bool value);
  int GroupIndex() const { return FGroupIndex; }
  void SetGroupIndex(int value);
  TShortCut ShortCut() const { return FShortCut; }
  void SetShortCut(TShortCut value);
  int ImageIndex() const { return FImageIndex; }  // -1: none
  void SetImageIndex(int value);
  TNotifyEvent OnClick;
  TMenuDrawItemEvent OnDrawItem;
  TMenuMeasureItemEvent OnMeasureItem;

  // --- tree ---
  int Count() const { return static_cast<int>(FItems.size()); }
  TMenuItem* Items(int index) const { return FItems.at(index); }
  TMenuItem* Parent() const { return FParent; }
  int MenuIndex() const;  // position in the parent, -1 without one
  void Add(TMenuItem* item);
  void Insert(int index, TMenuItem* item);
  void Remove(TMenuItem* item);  // the item is not freed
  void Clear();                  // frees the sub-items
  // The menu this item belongs to (through its parents), or null.
  TMenu* GetParentMenu() const;
  // The item's command identifier (unique in the process; 0 never used).
  WORD Command() const { return FCommand; }
  // The popup HMENU of an item with sub-items (created on demand), 0 for a
  // leaf. For a menu's root item, the menu's own handle.
  HMENU Handle();
  bool IsLine() const { return FCaption == "-"; }
  // The image list used for ImageIndex: the parent menu's Images.
  TCustomImageList* GetImageList() const;

  // Runs OnClick (a radio item first becomes checked, the others of its group unchecked).
  virtual void Click();
  // Draws through OnDrawItem, else the default look (text, shortcut, check
  // mark, image) on ACanvas.
  void DrawItem(TCanvas* ACanvas, const TRect& ARect, bool Selected);
  // The default look's size, which OnMeasureItem (if set) may then change.
  void MeasureItem(TCanvas* ACanvas, int& Width, int& Height);

  // Component streaming: sub-items are children of their item.
  void GetChildren(const TGetChildProc& proc, TComponent* root) override;
  void SetParentComponent(TComponent* value) override;
  TComponent* GetParentComponent() const override;
  bool HasParent() const override { return true; }

private:
  friend class TMenu;
  void RebuildHandle();  // the HMENU's items follow FItems
  void DefaultMeasure(TCanvas* ACanvas, int& Width, int& Height);
  void MenuChanged(bool rebuild);
  // Puts this item's current look into its parent's HMENU (in place).
  void UpdateItem();
  // The sub-items changed: this item's HMENU and its entry in the parent follow.
  void ItemsChanged();
  // True when this item is drawn in a menu bar (top level of a main menu).
  bool IsBarItem() const;
  // The MENUITEMINFO of this item in its parent's HMENU (type, state, id, submenu, text).
  void FillItemInfo(MENUITEMINFOA& info, std::string& text);

  std::string FCaption;
  bool FChecked = false, FEnabled = true, FVisible = true, FDefault = false, FRadioItem = false;
  int FGroupIndex = 0;
  TShortCut FShortCut = 0;
  int FImageIndex = -1;
  WORD FCommand = 0;
  HMENU FHandle = nullptr;
  TMenuItem* FParent = nullptr;
  TMenu* FMenu = nullptr;  // set on a menu's root item only
  std::vector<TMenuItem*> FItems;
};

class TMenu : public TComponent {
  QUORVEL_CLASS(TMenu, TComponent)
public:
  explicit TMenu(TComponent* owner);
  ~TMenu() override;

  // The root item: its sub-items are the menu's top level.
  TMenuItem* Items() const { return FItems.get(); }
  // The menu's HMENU (a menu bar for a main menu, a popup for a popup menu).
  HMENU Handle() const;
  // The window that receives WM_COMMAND / WM_DRAWITEM for this menu.
  HWND WindowHandle() const { return FWindowHandle; }
  void SetWindowHandle(HWND value) { FWindowHandle = value; }

  // While OwnerDraw is set every item is MFT_OWNERDRAW and is drawn by its
  // OnDrawItem / OnMeasureItem or the default look. A menu with Images has
  // its popups' items owner-drawn too (the bar's own items stay text).
  bool OwnerDraw() const { return FOwnerDraw; }
  void SetOwnerDraw(bool value);
  TCustomImageList* Images() const { return FImages; }
  void SetImages(TCustomImageList* value);
  bool IsRightToLeft() const { return FBiDiMode; }
  void SetRightToLeft(bool value);

  // The item with that command, popup handle or shortcut, anywhere in the tree.
  TMenuItem* FindItem(UINT_PTR value, TFindItemKind kind) const;
  // WM_COMMAND with a menu command: runs the item's Click; true when found.
  bool DispatchCommand(WORD command);
  // WM_MEASUREITEM / WM_DRAWITEM for an item of this menu: true when handled.
  bool MeasureItem(MEASUREITEMSTRUCT& mis);
  bool DrawItem(const DRAWITEMSTRUCT& dis);
  // A shortcut key pressed: runs the matching enabled item; true when found.
  bool IsShortCut(WORD key, TShortCut shift);

  void GetChildren(const TGetChildProc& proc, TComponent* root) override;
  void Notification(TComponent* component, TOperation operation) override;

protected:
  friend class TMenuItem;
  // Called after any item changed; rebuild is true when the HMENU changed.
  virtual void MenuChanged(TMenuItem* source, bool rebuild);
  virtual HMENU CreateMenuHandle() const = 0;
  // Writes every item's entry again (owner drawing, images, reading order changed).
  void UpdateAllItems();
  std::unique_ptr<TMenuItem> FItems;
  mutable HMENU FHandle = nullptr;
  HWND FWindowHandle = nullptr;
  bool FOwnerDraw = false;
  bool FBiDiMode = false;
  TCustomImageList* FImages = nullptr;
};

// A form's menu bar. A change of its items that changes the bar sends
// CM_MENUCHANGED to the form (then the form's window gets the new bar with
// DrawMenuBar, unless a skin has taken the bar off the window).
class TMainMenu : public TMenu {
  QUORVEL_CLASS(TMainMenu, TMenu)
public:
  explicit TMainMenu(TComponent* owner);

protected:
  void MenuChanged(TMenuItem* source, bool rebuild) override;
  HMENU CreateMenuHandle() const override;
};

// A context menu; a form with PopupMenu set opens it on WM_CONTEXTMENU
// (right click, Shift+F10, the context-menu key).
class TPopupMenu : public TMenu {
  QUORVEL_CLASS(TPopupMenu, TMenu)
public:
  explicit TPopupMenu(TComponent* owner);

  TPopupAlignment Alignment() const { return FAlignment; }
  void SetAlignment(TPopupAlignment value) { FAlignment = value; }
  bool AutoPopup() const { return FAutoPopup; }
  void SetAutoPopup(bool value) { FAutoPopup = value; }
  // The component whose context menu was opened last (set by the form).
  TComponent* PopupComponent() const { return FPopupComponent; }
  void SetPopupComponent(TComponent* value) { FPopupComponent = value; }
  // Shows the menu at a screen point and runs the chosen item's Click
  // (TrackPopupMenu with the application's window, or the owner form's,
  // receiving the messages). Returns when the menu has closed.
  virtual void Popup(int X, int Y);
  TNotifyEvent OnPopup;

protected:
  HMENU CreateMenuHandle() const override;

private:
  TPopupAlignment FAlignment = paLeft;
  bool FAutoPopup = true;
  TComponent* FPopupComponent = nullptr;
};

// The menu item of the process with that command identifier (any menu), or null.
TMenuItem* FindMenuItemByCommand(WORD command);
// The menu item that an owner-drawn entry (WM_MEASUREITEM, WM_DRAWITEM)
// stands for: the one with that command whose entry carries it as its item
// data; null for an entry of another menu that has the same identifier.
TMenuItem* FindMenuItem(UINT command, ULONG_PTR itemData);
