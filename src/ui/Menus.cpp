// Menus over real Win32 menus: items keep their entry in the parent's HMENU
// up to date in place, command identifiers are handed out process-wide, and
// owner-drawn items get a default look when nobody draws them.
#include "ui/Menus.h"

#include <algorithm>
#include <map>

#include "ui/Forms.h"
#include "ui/ImgList.h"
#include "ui/Published.h"

namespace {

// Command identifiers: below the system commands (0xF000 and up) and the
// MDI window list (0xFF00 and up), never 0; low numbers are left to dialogs.
constexpr WORD kFirstCommand = 0x0100;
constexpr WORD kLastCommand = 0xEFFF;

// Every menu item of the process by command (never freed: items may outlive statics).
std::map<WORD, TMenuItem*>& CommandMap() {
  static auto* map = new std::map<WORD, TMenuItem*>;
  return *map;
}

// A command identifier no other item has.
WORD AllocateCommand(TMenuItem* item) {
  static WORD next = kFirstCommand;
  auto& map = CommandMap();
  for (int tries = 0; tries <= kLastCommand - kFirstCommand; ++tries) {
    const WORD id = next;
    next = next >= kLastCommand ? kFirstCommand : static_cast<WORD>(next + 1);
    if (map.find(id) == map.end()) {
      map[id] = item;
      return id;
    }
  }
  throw EOutOfResources("No menu command identifier left");
}

// The position of the entry with identifier id in menu, or -1.
int PositionOf(HMENU menu, WORD id) {
  if (!menu) return -1;
  const int n = GetMenuItemCount(menu);
  for (int i = 0; i < n; ++i) {
    MENUITEMINFOA info{};
    info.cbSize = sizeof info;
    info.fMask = MIIM_ID;
    if (GetMenuItemInfoA(menu, static_cast<UINT>(i), TRUE, &info) && info.wID == id) return i;
  }
  return -1;
}

// Takes every entry out of menu without destroying submenus (their items own them).
void EmptyMenu(HMENU menu) {
  while (GetMenuItemCount(menu) > 0)
    if (!RemoveMenu(menu, 0, MF_BYPOSITION)) break;
}

// The system's menu font (made once).
HFONT MenuFont() {
  static TFontObject font = [] {
    NONCLIENTMETRICSA ncm{};
    ncm.cbSize = sizeof ncm;
    SystemParametersInfoA(SPI_GETNONCLIENTMETRICS, sizeof ncm, &ncm, 0);
    return TFontObject(CreateFontIndirectA(&ncm.lfMenuFont));
  }();
  return font ? font.Get() : static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
}

// The same font in bold (default items).
HFONT BoldMenuFont() {
  static TFontObject font = [] {
    LOGFONTA lf{};
    GetObjectA(MenuFont(), sizeof lf, &lf);
    lf.lfWeight = FW_BOLD;
    return TFontObject(CreateFontIndirectA(&lf));
  }();
  return font ? font.Get() : MenuFont();
}

// The shortcut key names the platform uses in menus.
struct TKeyName {
  WORD Key;
  const char* Name;
};
constexpr TKeyName kKeyNames[] = {
    {VK_BACK, "BkSp"},   {VK_TAB, "Tab"},    {VK_ESCAPE, "Esc"}, {VK_RETURN, "Enter"},
    {VK_SPACE, "Space"}, {VK_PRIOR, "PgUp"}, {VK_NEXT, "PgDn"},  {VK_END, "End"},
    {VK_HOME, "Home"},   {VK_LEFT, "Left"},  {VK_UP, "Up"},      {VK_RIGHT, "Right"},
    {VK_DOWN, "Down"},   {VK_INSERT, "Ins"}, {VK_DELETE, "Del"},
};

// The name of a key alone, "" when it has none.
std::string KeyName(WORD key) {
  if ((key >= 'A' && key <= 'Z') || (key >= '0' && key <= '9'))
    return std::string(1, static_cast<char>(key));
  if (key >= VK_F1 && key <= VK_F24) return "F" + std::to_string(key - VK_F1 + 1);
  for (const TKeyName& k : kKeyNames)
    if (k.Key == key) return k.Name;
  return "";
}

// The caption without its accelerator marks ("&&" stays one "&").
std::string StripHotkey(const std::string& caption) {
  std::string out;
  for (size_t i = 0; i < caption.size(); ++i) {
    if (caption[i] == '&') {
      if (i + 1 < caption.size() && caption[i + 1] == '&') {
        out += '&';
        ++i;
      }
      continue;
    }
    out += caption[i];
  }
  return out;
}

// A text's size in font on dc.
SIZE TextSize(HDC dc, HFONT font, const std::string& text) {
  TSelectObjectGuard select(dc, font);
  RECT r{0, 0, 0, 0};
  DrawTextA(dc, text.empty() ? " " : text.c_str(), -1, &r,
            DT_CALCRECT | DT_SINGLELINE | DT_EXPANDTABS);
  return SIZE{r.right - r.left, r.bottom - r.top};
}

// The box left of the caption that holds the image or the check mark.
constexpr int kGlyphBox = 16;
constexpr int kGutter = kGlyphBox + 8;

// Draws the check mark (or a radio item's bullet) centred in box, in colour.
void DrawCheckMark(HDC dc, const RECT& box, bool radio, COLORREF colour) {
  if (radio) {
    const int cx = (box.left + box.right) / 2, cy = (box.top + box.bottom) / 2;
    TBrushObject brush(CreateSolidBrush(colour));
    TPenObject pen(CreatePen(PS_SOLID, 1, colour));
    TSelectObjectGuard b(dc, brush), p(dc, pen);
    Ellipse(dc, cx - 3, cy - 3, cx + 4, cy + 4);
    return;
  }
  // A tick of three strokes, two pixels thick.
  const int x = (box.left + box.right) / 2 - 4, y = (box.top + box.bottom) / 2 - 1;
  TPenObject pen(CreatePen(PS_SOLID, 1, colour));
  TSelectObjectGuard p(dc, pen);
  for (int d = 0; d < 3; ++d) {
    MoveToEx(dc, x, y + d, nullptr);
    LineTo(dc, x + 3, y + 3 + d);
    LineTo(dc, x + 8, y - 2 + d);
  }
}

}  // namespace

// ---------------------------------------------------------------------------
// Shortcuts

// A key with modifiers.
TShortCut ShortCut(WORD key, TShortCut shift) {
  return static_cast<TShortCut>((key & 0xFF) | shift);
}

// "Shift+Ctrl+Alt+" as set, then the key's name; "" for a key without a name.
std::string ShortCutToText(TShortCut shortCut) {
  const std::string key = KeyName(shortCut & 0xFF);
  if (key.empty()) return "";
  std::string text;
  if (shortCut & scShift) text += "Shift+";
  if (shortCut & scCtrl) text += "Ctrl+";
  if (shortCut & scAlt) text += "Alt+";
  return text + key;
}

// The inverse of ShortCutToText (letter case ignored); 0 for a text it does not know.
TShortCut TextToShortCut(const std::string& text) {
  TShortCut shift = 0;
  std::string rest = text;
  for (;;) {
    struct {
      const char* Prefix;
      TShortCut Flag;
    } const prefixes[] = {{"Shift+", scShift}, {"Ctrl+", scCtrl}, {"Alt+", scAlt}};
    bool found = false;
    for (const auto& p : prefixes) {
      const size_t n = std::char_traits<char>::length(p.Prefix);
      if (rest.size() > n && SameText(rest.substr(0, n), p.Prefix)) {
        shift |= p.Flag;
        rest = rest.substr(n);
        found = true;
      }
    }
    if (!found) break;
  }
  for (WORD key = 1; key <= 0xFF; ++key) {
    const std::string name = KeyName(key);
    if (!name.empty() && SameText(name, rest)) return ShortCut(key, shift);
  }
  return 0;
}

// The menu item with that command, in any menu of the process.
TMenuItem* FindMenuItemByCommand(WORD command) {
  auto& map = CommandMap();
  auto it = map.find(command);
  return it == map.end() ? nullptr : it->second;
}

// The item with that command, if its entry carries it as the item data.
TMenuItem* FindMenuItem(UINT command, ULONG_PTR itemData) {
  if (command > 0xFFFF || itemData == 0) return nullptr;
  TMenuItem* item = FindMenuItemByCommand(static_cast<WORD>(command));
  return item && reinterpret_cast<ULONG_PTR>(item) == itemData ? item : nullptr;
}

// ---------------------------------------------------------------------------
// TMenuItem

QUORVEL_DEFINE_CLASS(TMenuItem) {
  p.String("Caption", &TMenuItem::Caption, &TMenuItem::SetCaption);
  p.Bool("Checked", &TMenuItem::Checked, &TMenuItem::SetChecked, false);
  p.Bool("Enabled", &TMenuItem::Enabled, &TMenuItem::SetEnabled, true);
  p.Bool("Visible", &TMenuItem::Visible, &TMenuItem::SetVisible, true);
  p.Bool("Default", &TMenuItem::Default, &TMenuItem::SetDefault, false);
  p.Bool("RadioItem", &TMenuItem::RadioItem, &TMenuItem::SetRadioItem, false);
  p.Integer("GroupIndex", &TMenuItem::GroupIndex, &TMenuItem::SetGroupIndex, 0);
  p.Integer("ShortCut", &TMenuItem::ShortCut, &TMenuItem::SetShortCut, 0);
  p.Integer("ImageIndex", &TMenuItem::ImageIndex, &TMenuItem::SetImageIndex, -1);
  p.Integer("Tag", &TMenuItem::Tag, &TMenuItem::SetTag, 0);
  p.Event("OnClick", &TMenuItem::OnClick);
  p.Event("OnDrawItem", &TMenuItem::OnDrawItem);
  p.Event("OnMeasureItem", &TMenuItem::OnMeasureItem);
}

// An item with its own command identifier.
TMenuItem::TMenuItem(TComponent* owner) : TComponent(owner) { FCommand = AllocateCommand(this); }

// Leaves the parent, frees the sub-items and the popup handle, gives the command back.
TMenuItem::~TMenuItem() {
  Destroying();
  if (FParent) FParent->Remove(this);
  Clear();
  if (FHandle && !FMenu) DestroyMenu(FHandle);
  FHandle = nullptr;
  CommandMap().erase(FCommand);
}

// Sets the caption ("-": a separator).
void TMenuItem::SetCaption(const std::string& value) {
  if (value == FCaption) return;
  FCaption = value;
  UpdateItem();
  MenuChanged(false);
}

// Checks or unchecks.
void TMenuItem::SetChecked(bool value) {
  if (value == FChecked) return;
  FChecked = value;
  UpdateItem();
  MenuChanged(false);
}

// Enables or greys the item.
void TMenuItem::SetEnabled(bool value) {
  if (value == FEnabled) return;
  FEnabled = value;
  UpdateItem();
  MenuChanged(false);
}

// A hidden item has no entry in the HMENU.
void TMenuItem::SetVisible(bool value) {
  if (value == FVisible) return;
  FVisible = value;
  if (FParent) FParent->ItemsChanged();
  MenuChanged(true);
}

// The default item is drawn bold.
void TMenuItem::SetDefault(bool value) {
  if (value == FDefault) return;
  FDefault = value;
  UpdateItem();
  MenuChanged(false);
}

// A radio item shows a bullet when checked.
void TMenuItem::SetRadioItem(bool value) {
  if (value == FRadioItem) return;
  FRadioItem = value;
  UpdateItem();
  MenuChanged(false);
}

// The group of radio items this one belongs to.
void TMenuItem::SetGroupIndex(int value) { FGroupIndex = value; }

// The shortcut shown after a tab and handled by the application's loop.
void TMenuItem::SetShortCut(TShortCut value) {
  if (value == FShortCut) return;
  FShortCut = value;
  UpdateItem();
  MenuChanged(false);
}

// The image of the parent menu's image list (-1: none).
void TMenuItem::SetImageIndex(int value) {
  if (value == FImageIndex) return;
  FImageIndex = value;
  MenuChanged(false);
}

// The position in the parent.
int TMenuItem::MenuIndex() const {
  if (!FParent) return -1;
  auto& list = FParent->FItems;
  auto it = std::find(list.begin(), list.end(), this);
  return it == list.end() ? -1 : static_cast<int>(it - list.begin());
}

// Appends a sub-item.
void TMenuItem::Add(TMenuItem* item) { Insert(Count(), item); }

// Inserts a sub-item (taken from its former parent).
void TMenuItem::Insert(int index, TMenuItem* item) {
  if (!item || item == this) return;
  if (item->FParent) item->FParent->Remove(item);
  index = std::max(0, std::min(index, Count()));
  FItems.insert(FItems.begin() + index, item);
  item->FParent = this;
  ItemsChanged();
  MenuChanged(true);
}

// Takes a sub-item out (it is not freed).
void TMenuItem::Remove(TMenuItem* item) {
  auto it = std::find(FItems.begin(), FItems.end(), item);
  if (it == FItems.end()) return;
  FItems.erase(it);
  item->FParent = nullptr;
  if (FHandle) {
    const int pos = PositionOf(FHandle, item->FCommand);
    if (pos >= 0) RemoveMenu(FHandle, static_cast<UINT>(pos), MF_BYPOSITION);
  }
  if (IsDestroying()) return;
  ItemsChanged();
  MenuChanged(true);
}

// Frees every sub-item.
void TMenuItem::Clear() {
  while (!FItems.empty()) delete FItems.back();
}

// The menu at the root of this item's tree.
TMenu* TMenuItem::GetParentMenu() const {
  const TMenuItem* item = this;
  while (item->FParent) item = item->FParent;
  return item->FMenu;
}

// The popup HMENU (made with its entries on first use); the menu's own for the root.
HMENU TMenuItem::Handle() {
  if (FHandle) return FHandle;
  if (!FMenu && FItems.empty()) return nullptr;
  FHandle = FMenu ? FMenu->CreateMenuHandle() : CreatePopupMenu();
  if (!FHandle) throw EOutOfResources("Cannot create a menu");
  if (FMenu) FMenu->FHandle = FHandle;
  RebuildHandle();
  return FHandle;
}

// The parent menu's image list.
TCustomImageList* TMenuItem::GetImageList() const {
  TMenu* menu = GetParentMenu();
  return menu ? menu->Images() : nullptr;
}

// True for the top level of a main menu.
bool TMenuItem::IsBarItem() const {
  return FParent && FParent->FMenu && dynamic_cast<TMainMenu*>(FParent->FMenu) != nullptr;
}

// A radio item becomes the checked one of its group; then OnClick.
void TMenuItem::Click() {
  if (!FEnabled) return;
  if (FRadioItem && FParent) {
    for (TMenuItem* other : FParent->FItems)
      if (other != this && other->FRadioItem && other->FGroupIndex == FGroupIndex)
        other->SetChecked(false);
    SetChecked(true);
  }
  OnClick(this);
}

// The entry of this item in its parent's HMENU.
void TMenuItem::FillItemInfo(MENUITEMINFOA& info, std::string& text) {
  TMenu* menu = GetParentMenu();
  info = MENUITEMINFOA{};
  info.cbSize = sizeof info;
  info.fMask = MIIM_FTYPE | MIIM_STATE | MIIM_ID | MIIM_SUBMENU | MIIM_STRING | MIIM_DATA;
  info.wID = FCommand;
  // The entry carries its item: an owner-drawn entry of another menu with
  // the same identifier is told apart (FindMenuItem).
  info.dwItemData = reinterpret_cast<ULONG_PTR>(this);
  info.hSubMenu = FItems.empty() ? nullptr : Handle();
  if (IsLine()) {
    info.fType = MFT_SEPARATOR;
    info.fMask &= ~static_cast<UINT>(MIIM_STRING);
  } else {
    text = FCaption;
    if (FShortCut) {
      const std::string key = ShortCutToText(FShortCut);
      if (!key.empty()) text += "\t" + key;
    }
    info.fType = MFT_STRING;
    info.dwTypeData = text.data();
    info.cch = static_cast<UINT>(text.size());
  }
  // Owner-drawn when the menu asks, and in the popups of a menu with images
  // (the images are drawn with the items); a menu bar's own items stay text.
  if (menu && (menu->OwnerDraw() || (menu->Images() && !IsBarItem()))) info.fType |= MFT_OWNERDRAW;
  if (FRadioItem) info.fType |= MFT_RADIOCHECK;
  if (menu && menu->IsRightToLeft()) info.fType |= MFT_RIGHTORDER;
  if (FChecked) info.fState |= MFS_CHECKED;
  if (!FEnabled) info.fState |= MFS_GRAYED;
  if (FDefault) info.fState |= MFS_DEFAULT;
}

// Rewrites this item's entry in the parent's HMENU, where it has one.
void TMenuItem::UpdateItem() {
  if (!FParent || !FParent->FHandle || !FVisible) return;
  const int pos = PositionOf(FParent->FHandle, FCommand);
  if (pos < 0) return;
  MENUITEMINFOA info;
  std::string text;
  FillItemInfo(info, text);
  SetMenuItemInfoA(FParent->FHandle, static_cast<UINT>(pos), TRUE, &info);
}

// The entries of the HMENU follow the visible sub-items.
void TMenuItem::RebuildHandle() {
  if (!FHandle) return;
  EmptyMenu(FHandle);
  UINT pos = 0;
  for (TMenuItem* item : FItems) {
    if (!item->FVisible) continue;
    MENUITEMINFOA info;
    std::string text;
    item->FillItemInfo(info, text);
    InsertMenuItemA(FHandle, pos++, TRUE, &info);
  }
}

// Sub-items came or went: the HMENU is rebuilt and the parent's entry gets
// (or loses) the submenu.
void TMenuItem::ItemsChanged() {
  if (IsDestroying()) return;
  if (FHandle)
    RebuildHandle();
  else if (!FItems.empty() && FParent && FParent->FHandle)
    Handle();
  UpdateItem();
}

// Tells the menu.
void TMenuItem::MenuChanged(bool rebuild) {
  if (TMenu* menu = GetParentMenu()) menu->MenuChanged(this, rebuild);
}

// OnDrawItem, or the default look.
void TMenuItem::DrawItem(TCanvas* ACanvas, const TRect& ARect, bool Selected) {
  if (OnDrawItem) {
    OnDrawItem(this, ACanvas, ARect, Selected);
    return;
  }
  const HDC dc = ACanvas->Handle();
  const bool bar = IsBarItem();
  const bool highlight = Selected && (FEnabled || !bar);
  const COLORREF back =
      GetSysColor(highlight ? COLOR_HIGHLIGHT : (bar ? COLOR_MENUBAR : COLOR_MENU));
  const COLORREF fore = !FEnabled ? GetSysColor(COLOR_GRAYTEXT)
                                  : GetSysColor(highlight ? COLOR_HIGHLIGHTTEXT : COLOR_MENUTEXT);
  RECT r = ARect;
  {
    TBrushObject brush(CreateSolidBrush(back));
    FillRect(dc, &r, brush);
  }
  if (IsLine()) {
    RECT line = r;
    line.top = (r.top + r.bottom) / 2 - 1;
    line.left += 2;
    line.right -= 2;
    DrawEdge(dc, &line, EDGE_ETCHED, BF_TOP);
    return;
  }
  TMenu* menu = GetParentMenu();
  const bool rtl = menu && menu->IsRightToLeft();
  const int oldMode = SetBkMode(dc, TRANSPARENT);
  const COLORREF oldColour = SetTextColor(dc, fore);
  TSelectObjectGuard font(dc, FDefault ? BoldMenuFont() : MenuFont());
  if (bar) {
    DrawTextA(dc, FCaption.c_str(), -1, &r, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
  } else {
    // The glyph: the image, else the check mark.
    RECT box{r.left + 2, r.top + (r.bottom - r.top - kGlyphBox) / 2, r.left + 2 + kGlyphBox, 0};
    box.bottom = box.top + kGlyphBox;
    TCustomImageList* images = GetImageList();
    if (images && FImageIndex >= 0 && FImageIndex < images->Count()) {
      const int x = box.left + (kGlyphBox - images->Width()) / 2,
                y = r.top + (r.bottom - r.top - images->Height()) / 2;
      if (FChecked) {
        RECT frame{x - 1, y - 1, x + images->Width() + 1, y + images->Height() + 1};
        DrawEdge(dc, &frame, BDR_SUNKENOUTER, BF_RECT);
      }
      images->Draw(ACanvas, x, y, FImageIndex, FEnabled);
    } else if (FChecked) {
      DrawCheckMark(dc, box, FRadioItem, fore);
    }
    RECT text{r.left + kGutter, r.top, r.right - 8, r.bottom};
    UINT align = DT_LEFT;
    if (auto* popup = dynamic_cast<TPopupMenu*>(menu)) {
      if (popup->Alignment() == paRight)
        align = DT_RIGHT;
      else if (popup->Alignment() == paCenter)
        align = DT_CENTER;
    }
    if (rtl) align = DT_RIGHT | DT_RTLREADING;
    const std::string key = FShortCut ? ShortCutToText(FShortCut) : std::string();
    if (!key.empty()) {
      const SIZE keySize = TextSize(dc, MenuFont(), key);
      DrawTextA(dc, key.c_str(), -1, &text, DT_RIGHT | DT_VCENTER | DT_SINGLELINE);
      text.right -= keySize.cx + 12;
    }
    DrawTextA(dc, FCaption.c_str(), -1, &text, align | DT_VCENTER | DT_SINGLELINE | DT_EXPANDTABS);
  }
  SetTextColor(dc, oldColour);
  SetBkMode(dc, oldMode);
}

// The default size (glyph box, caption, gap, shortcut), then OnMeasureItem
// may change it.
void TMenuItem::MeasureItem(TCanvas* ACanvas, int& Width, int& Height) {
  DefaultMeasure(ACanvas, Width, Height);
  if (OnMeasureItem) OnMeasureItem(this, ACanvas, Width, Height);
}

// The size of the default look.
void TMenuItem::DefaultMeasure(TCanvas* ACanvas, int& Width, int& Height) {
  const HDC dc = ACanvas->Handle();
  if (IsLine()) {
    Width = 16;
    Height = 8;
    return;
  }
  const SIZE caption = TextSize(dc, FDefault ? BoldMenuFont() : MenuFont(), StripHotkey(FCaption));
  if (IsBarItem()) {
    Width = caption.cx;
    Height = std::max<int>(caption.cy + 4, GetSystemMetrics(SM_CYMENU) - 1);
    return;
  }
  int w = kGutter + caption.cx + 8;
  if (FShortCut) {
    const std::string key = ShortCutToText(FShortCut);
    if (!key.empty()) w += 12 + TextSize(dc, MenuFont(), key).cx;
  }
  int h = std::max<int>(caption.cy + 6, kGlyphBox + 4);
  if (TCustomImageList* images = GetImageList()) h = std::max(h, images->Height() + 4);
  Width = w;
  Height = h;
}

// The sub-items owned by root, in menu order.
void TMenuItem::GetChildren(const TGetChildProc& proc, TComponent* root) {
  for (TMenuItem* item : std::vector<TMenuItem*>(FItems))
    if (item->Owner() == root) proc(item);
}

// A definition places the item under a menu (its top level) or an item.
void TMenuItem::SetParentComponent(TComponent* value) {
  if (FParent) FParent->Remove(this);
  if (auto* menu = dynamic_cast<TMenu*>(value))
    menu->Items()->Add(this);
  else if (auto* item = dynamic_cast<TMenuItem*>(value))
    item->Add(this);
}

// The menu for a top-level item, else the parent item.
TComponent* TMenuItem::GetParentComponent() const {
  if (FParent && FParent->FMenu) return FParent->FMenu;
  return FParent;
}

// ---------------------------------------------------------------------------
// TMenu

QUORVEL_DEFINE_CLASS(TMenu) {
  p.Reference<TCustomImageList>("Images", &TMenu::Images, &TMenu::SetImages);
  p.Bool("OwnerDraw", &TMenu::OwnerDraw, &TMenu::SetOwnerDraw, false);
}

// A menu with an empty root item.
TMenu::TMenu(TComponent* owner) : TComponent(owner), FItems(new TMenuItem(nullptr)) {
  FItems->FMenu = this;
}

// Takes the menu off its window, frees the items, then the HMENU.
TMenu::~TMenu() {
  Destroying();
  if (FHandle && FWindowHandle && IsWindow(FWindowHandle) && GetMenu(FWindowHandle) == FHandle)
    SetMenu(FWindowHandle, nullptr);
  FItems->Destroying();
  FItems->Clear();
  FItems->FHandle = nullptr;
  FItems.reset();
  if (FHandle) DestroyMenu(FHandle);
  FHandle = nullptr;
}

// The HMENU, made on first use.
HMENU TMenu::Handle() const { return FItems->Handle(); }

// Every item becomes owner-drawn, or plain again.
void TMenu::SetOwnerDraw(bool value) {
  if (value == FOwnerDraw) return;
  FOwnerDraw = value;
  UpdateAllItems();
  MenuChanged(nullptr, false);
}

// The image list of the items' ImageIndex.
void TMenu::SetImages(TCustomImageList* value) {
  if (value == FImages) return;
  if (FImages) FImages->RemoveFreeNotification(this);
  FImages = value;
  if (FImages) FImages->FreeNotification(this);
  UpdateAllItems();
  MenuChanged(nullptr, false);
}

// Every item's entry is written again.
void TMenu::UpdateAllItems() {
  std::function<void(TMenuItem*)> update = [&](TMenuItem* parent) {
    for (TMenuItem* item : parent->FItems) {
      item->UpdateItem();
      update(item);
    }
  };
  update(FItems.get());
}

// Items read right to left.
void TMenu::SetRightToLeft(bool value) {
  if (value == FBiDiMode) return;
  FBiDiMode = value;
  UpdateAllItems();
  MenuChanged(nullptr, false);
}

// Searches the whole tree (the root excluded).
TMenuItem* TMenu::FindItem(UINT_PTR value, TFindItemKind kind) const {
  std::function<TMenuItem*(TMenuItem*)> find = [&](TMenuItem* parent) -> TMenuItem* {
    for (TMenuItem* item : parent->FItems) {
      switch (kind) {
        case TFindItemKind::fkCommand:
          if (item->FCommand == value) return item;
          break;
        case TFindItemKind::fkHandle:
          if (item->FHandle && reinterpret_cast<UINT_PTR>(item->FHandle) == value) return item;
          break;
        case TFindItemKind::fkShortCut:
          if (item->FShortCut && item->FShortCut == value) return item;
          break;
      }
      if (TMenuItem* found = find(item)) return found;
    }
    return nullptr;
  };
  return find(FItems.get());
}

// Runs the Click of the item with that command.
bool TMenu::DispatchCommand(WORD command) {
  TMenuItem* item = FindItem(command, TFindItemKind::fkCommand);
  if (!item) return false;
  item->Click();
  return true;
}

// Measures an item of this menu with the menu font.
bool TMenu::MeasureItem(MEASUREITEMSTRUCT& mis) {
  if (mis.CtlType != ODT_MENU) return false;
  TMenuItem* item = FindItem(mis.itemID, TFindItemKind::fkCommand);
  if (!item) return false;
  TWindowDC screen(nullptr);
  TCanvas canvas;
  canvas.SetHandle(screen);
  canvas.Font().SetHandle(item->Default() ? BoldMenuFont() : MenuFont());
  int width = static_cast<int>(mis.itemWidth), height = static_cast<int>(mis.itemHeight);
  item->MeasureItem(&canvas, width, height);
  canvas.SetHandle(nullptr);
  mis.itemWidth = static_cast<UINT>(std::max(0, width));
  mis.itemHeight = static_cast<UINT>(std::max(0, height));
  return true;
}

// Draws an item of this menu on the DC the system gives.
bool TMenu::DrawItem(const DRAWITEMSTRUCT& dis) {
  if (dis.CtlType != ODT_MENU) return false;
  TMenuItem* item = FindItem(dis.itemID, TFindItemKind::fkCommand);
  if (!item) return false;
  TSaveDCGuard saved(dis.hDC);
  TCanvas canvas;
  canvas.SetHandle(dis.hDC);
  canvas.Font().SetHandle(item->Default() ? BoldMenuFont() : MenuFont());
  item->DrawItem(&canvas, dis.rcItem, (dis.itemState & ODS_SELECTED) != 0);
  canvas.SetHandle(nullptr);
  return true;
}

// Runs the enabled, visible item with that shortcut (its parents enabled too).
bool TMenu::IsShortCut(WORD key, TShortCut shift) {
  const TShortCut wanted = ShortCut(key, shift);
  if ((wanted & 0xFF) == 0) return false;
  TMenuItem* item = FindItem(wanted, TFindItemKind::fkShortCut);
  if (!item) return false;
  for (TMenuItem* i = item; i && !i->FMenu; i = i->FParent)
    if (!i->Enabled() || !i->Visible()) return false;
  item->Click();
  return true;
}

// Top-level items owned by root, in menu order.
void TMenu::GetChildren(const TGetChildProc& proc, TComponent* root) {
  FItems->GetChildren(proc, root);
}

// Forgets an image list that goes away.
void TMenu::Notification(TComponent* component, TOperation operation) {
  TComponent::Notification(component, operation);
  if (operation == TOperation::opRemove && component == FImages) {
    FImages = nullptr;
    if (!IsDestroying()) UpdateAllItems();
  }
}

// Nothing to tell by default.
void TMenu::MenuChanged(TMenuItem*, bool) {}

// ---------------------------------------------------------------------------
// TMainMenu

QUORVEL_DEFINE_CLASS(TMainMenu) {}

TMainMenu::TMainMenu(TComponent* owner) : TMenu(owner) {}

// A menu bar.
HMENU TMainMenu::CreateMenuHandle() const { return CreateMenu(); }

// The form that shows this menu hears of every change (CM_MENUCHANGED).
void TMainMenu::MenuChanged(TMenuItem* source, bool rebuild) {
  TMenu::MenuChanged(source, rebuild);
  if (IsLoading() || IsDestroying()) return;
  auto* form = dynamic_cast<TCustomForm*>(Owner());
  if (!form || form->Menu() != this || !form->HandleAllocated() || form->IsDestroying()) return;
  form->Perform(CM_MENUCHANGED, 0, 0);
}

// ---------------------------------------------------------------------------
// TPopupMenu

QUORVEL_DEFINE_CLASS(TPopupMenu) {
  p.Enum("Alignment", &TPopupMenu::Alignment, &TPopupMenu::SetAlignment,
         {"paLeft", "paRight", "paCenter"}, paLeft);
  p.Bool("AutoPopup", &TPopupMenu::AutoPopup, &TPopupMenu::SetAutoPopup, true);
  p.Event("OnPopup", &TPopupMenu::OnPopup);
}

TPopupMenu::TPopupMenu(TComponent* owner) : TMenu(owner) {}

// A popup menu.
HMENU TPopupMenu::CreateMenuHandle() const { return CreatePopupMenu(); }

// Tracks the menu with a window of ours receiving its messages (the window
// set for it, the owner form's, or the application's), then runs the
// chosen item's Click.
void TPopupMenu::Popup(int X, int Y) {
  OnPopup(this);
  HWND wnd = FWindowHandle && IsWindow(FWindowHandle) ? FWindowHandle : nullptr;
  if (!wnd) {
    auto* form = dynamic_cast<TCustomForm*>(Owner());
    wnd = form && form->HandleAllocated() ? form->Handle() : Application->Handle();
  }
  UINT flags = TPM_RIGHTBUTTON | TPM_RETURNCMD;
  flags |= FAlignment == paRight    ? TPM_RIGHTALIGN
           : FAlignment == paCenter ? TPM_CENTERALIGN
                                    : TPM_LEFTALIGN;
  const HMENU menu = Handle();
  if (!menu || GetMenuItemCount(menu) <= 0) return;
  const UINT command = static_cast<UINT>(TrackPopupMenu(menu, flags, X, Y, 0, wnd, nullptr));
  if (command) DispatchCommand(static_cast<WORD>(command));
}

namespace {
// Definitions find the menu and image list classes by name from the start.
[[maybe_unused]] const bool gMenuClassesRegistered =
    (TMenuItem::StaticClass(), TMainMenu::StaticClass(), TPopupMenu::StaticClass(),
     TImageList::StaticClass(), true);
}  // namespace
