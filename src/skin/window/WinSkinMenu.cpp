// The skinned menu bar, the tracking of its drop-down menus and the skinned
// drawing of menu items.
#include "skin/window/WinSkinMenu.h"

#include <windowsx.h>

#include <algorithm>
#include <cctype>
#include <utility>

#include "skin/controls/WinSubClass.h"
#include "skin/window/SkinManager.h"
#include "skin/draw/SkinDraw.h"
#include "skin/draw/SkinText.h"
#include "skin/window/WinSkinPopMenu.h"
#include "ui/Forms.h"
#include "ui/Published.h"

#include "ui/ImgList.h"
#include "ui/Menus.h"

namespace {

// The longest menu text read.
constexpr int kMenuText = 80;
// The system's check-mark bitmap (OBM_CHECK, an OEM resource).
constexpr WORD kCheckMarkBitmap = 32760;

int Width(const TRect& r) { return r.right - r.left; }
int Height(const TRect& r) { return r.bottom - r.top; }

// The 95/98/Me family draws its menus 4 pixels higher.
bool IsWin9x() { return (WinVersion & 0x80000000u) != 0; }

// The text of Menu's item ItemID (by command), up to 80 characters.
std::string MenuString(HMENU Menu, UINT ItemID) {
  char text[kMenuText + 1] = {};
  GetMenuStringA(Menu, ItemID, text, kMenuText, MF_BYCOMMAND);
  return text;
}

}  // namespace

// ---------------------------------------------------------------------------
// The bar and its buttons

QUORVEL_DEFINE_CLASS(TWinSkinMenu) {}

TWinSkinMenu::TWinSkinMenu(TComponent* AOwner) : TComponent(AOwner) {}

TWinSkinMenu::~TWinSkinMenu() {
  if (FSkinForm && FSkinForm->FHotObject)
    for (auto& button : FButtons)
      if (FSkinForm->FHotObject == button.get()) FSkinForm->FHotObject = nullptr;
  FButtons.clear();
}

void TWinSkinMenu::BuildButtons() {
  // A bar rebuilt after a menu change reads the menu it took off the window
  // when the window has not been given it again.
  HMENU menu = GetMenu(FSkinForm->FHandle);
  if (!menu && FMenuHandle && IsMenu(FMenuHandle)) menu = FMenuHandle;
  FMenuHandle = menu;
  if (FSkinForm->FHotObject && dynamic_cast<TMenuBtn*>(FSkinForm->FHotObject))
    FSkinForm->FHotObject = nullptr;
  FButtons.clear();
  FCount = GetMenuItemCount(FMenuHandle);
  if (FCount <= 0) return;
  for (int i = 0; i < FCount; ++i) {
    auto button = std::make_unique<TMenuBtn>(FSkinForm);
    button->FSkinData = FSkinData;
    button->FIndex = i;
    char text[kMenuText + 1] = {};
    MENUITEMINFOA info{};
    info.cbSize = sizeof info;
    info.fMask = MIIM_STATE | MIIM_ID | MIIM_SUBMENU | MIIM_TYPE;
    info.dwTypeData = text;
    info.cch = kMenuText;
    GetMenuItemInfoA(FMenuHandle, UINT(i), TRUE, &info);
    button->FSubMenu = info.hSubMenu;
    button->FEnabled = (info.fState & (MFS_GRAYED | MFS_DISABLED)) == 0;
    button->FVisible = true;
    button->FCommand = int(info.wID);
    if ((info.fType & (MFT_BITMAP | MFT_OWNERDRAW | MFT_SEPARATOR)) == 0) {
      button->FCaption = text;
    } else {
      if (FMenu)
        if (TMenuItem* item = FMenu->FindItem(info.wID, TFindItemKind::fkCommand))
          button->FCaption = item->Caption();
    }
    FButtons.push_back(std::move(button));
  }
  SetMenu(FSkinForm->FHandle, nullptr);
}

void TWinSkinMenu::PaintBar(HDC DC, const TRect& Rect) {
  TBitmap* scratch = ScratchBitmap();
  const int w = Width(Rect), h = Height(Rect);
  if (!scratch || !FSkinData || w <= 0 || h <= 0) return;
  scratch->SetSize(w, h);
  TCanvas& canvas = scratch->Canvas();
  HDC sdc = canvas.Handle();
  const TRect all{0, 0, w, h};
  int x;
  if (TDataSkinObject* bar = FSkinData->MenuBar.get(); bar && !bar->Bitmap.Empty()) {
    const int frame = FSkinForm->FActive ? 1 : 2;
    if (bar->Tile == 1)
      DrawNineSliceOn(sdc, all, bar->Bitmap, true, false, false, 2, frame, bar->Margins);
    else
      DrawHorzThreePart(canvas, all, bar->Bitmap, true, false, 2, frame, bar->Margins);
    x = bar->Margins.left + 4;
    if (w < x) x = 12;
  } else {
    const TBrushObject fill(CreateSolidBrush(ColorToRGB(FSkinData->MenubarColour)));
    FillRect(sdc, &all, fill);
    x = 6;
  }
  FBarRect = Rect;
  FBarBitmap.SetSize(w, h);
  BitBlt(FBarBitmap.Canvas().Handle(), 0, 0, w, h, sdc, 0, 0, SRCCOPY);

  UseMenuFont(canvas);
  canvas.Font().SetColor(FSkinData->MenuBarTextColour);
  canvas.Brush().SetStyle(TBrushStyle::bsClear);
  for (auto& button : FButtons) {
    const int cell = canvas.TextWidth(button->FCaption) + 10;
    // A disabled caption takes the skin's shadow colour, chosen here, rather
    // than the system's that DrawMenuText would give it.
    canvas.Font().SetColor(button->FEnabled ? FSkinData->MenuBarTextColour
                                            : FSkinData->ButtonShadowColour);
    DrawMenuText(canvas, TRect{x, 0, x + cell, h - 1}, button->FCaption, 2, true);
    button->FBounds = TRect{Rect.left + x, Rect.top, Rect.left + x + cell, Rect.bottom - 1};
    x += cell;
  }

  // The maximized MDI child's buttons sit at the bar's right end.
  if (FSkinForm->FKind == fkMDIFrame && FSkinForm->IsActiveChildMaximized()) {
    for (auto& sys : FSkinForm->FSysButtons) {
      TDataSkinSysButton& entry = *sys->FSkinObject;
      if (entry.Visibility != 100 || entry.Bitmap.Empty()) continue;
      TRect r = sys->FBounds;
      OffsetRect(&r, -FSkinForm->FBorderLeft, -FSkinForm->FTitleHeight);
      DrawFrame(sdc, r, entry.Bitmap, true, 1);
      if (SkinManager && !SkinManager->MdiMaximized) SkinManager->SetMdiMax(true);
    }
  }
  BitBlt(DC, Rect.left, Rect.top, w, h, sdc, 0, 0, SRCCOPY);
}

void TMenuBtn::Paint() {
  TWinSkinMenu* bar = FSkinForm->FMenuBar.get();
  if (!bar || !FSkinData) return;
  const TWindowDC dc(FSkinForm->FHandle, TWindowDC::Window);
  TCanvas& canvas = FSkinForm->FNCCanvas;
  canvas.SetHandle(dc);
  const TRect& barRect = bar->FBarRect;
  BitBlt(dc, FBounds.left, barRect.top, Width(FBounds), Height(barRect),
         bar->FBarBitmap.Canvas().Handle(), FBounds.left - barRect.left, 0, SRCCOPY);
  if (FState == stHot || FState == stPressed) {
    const TBrushObject edge(CreateSolidBrush(ColorToRGB(FSkinData->ButtonHilightColour)));
    FrameRect(dc, &FBounds, edge);
  }
  UseMenuFont(canvas);
  canvas.Font().SetColor(FEnabled ? FSkinData->MenuBarTextColour : FSkinData->ButtonShadowColour);
  DrawMenuText(canvas, FBounds, FCaption, 2, true);  // the colour is chosen above, as in PaintBar
  canvas.SetHandle(nullptr);
}

// ---------------------------------------------------------------------------
// Tracking

namespace {

TWinSkinForm* TrackingForm = nullptr;
int TrackingIndex = -1;
HHOOK MenuHook = nullptr;
bool FirstKeyPosted = false;
bool KeyboardSwitch = false;
POINT LastMousePos{0, 0};
// TrackPopupMenu of a bar button is running.
bool MenuLoopRunning = false;

// The item selected last in the open popup, as the menu shows it: the menu
// it is in and whether it opens a submenu. Known only while an item is
// selected.
struct TCurrentItem {
  bool Known = false;
  HMENU Menu = nullptr;
  bool HasSubMenu = false;
  bool RightToLeft = false;
};

// The highlighted item of Menu, -1 when none.
int HighlightedItem(HMENU Menu) {
  const int count = GetMenuItemCount(Menu);
  for (int i = 0; i < count; ++i)
    if (GetMenuState(Menu, UINT(i), MF_BYPOSITION) & MF_HILITE) return i;
  return -1;
}

// Follows the selection from the open popup down through the submenus
// whose own items are selected: the deepest selected item is current.
TCurrentItem CurrentItem() {
  TCurrentItem current;
  if (!TrackingForm) return current;
  HMENU menu = TrackingForm->FTrackedMenu;
  for (int depth = 0; menu && depth < 16; ++depth) {
    const int index = HighlightedItem(menu);
    if (index < 0) break;
    current.Known = true;
    current.Menu = menu;
    HMENU sub = GetSubMenu(menu, index);
    current.HasSubMenu = sub != nullptr;
    if (!sub || HighlightedItem(sub) < 0) {
      if (TrackingForm->FMenuBar && TrackingForm->FMenuBar->FMenu)
        current.RightToLeft = TrackingForm->FMenuBar->FMenu->IsRightToLeft();
      break;
    }
    menu = sub;
  }
  return current;
}

LRESULT CALLBACK MenuHookProc(int Code, WPARAM WParam, LPARAM LParam) {
  MSG& msg = *reinterpret_cast<MSG*>(LParam);
  if (Code == MSGF_MENU && (msg.message == WM_KEYDOWN || msg.message == WM_KEYUP) &&
      (msg.wParam == VK_LEFT || msg.wParam == VK_RIGHT)) {
    const TCurrentItem item = CurrentItem();
    if (item.Known && item.RightToLeft) msg.wParam = msg.wParam == VK_LEFT ? VK_RIGHT : VK_LEFT;
  }
  const LRESULT result = CallNextHookEx(MenuHook, Code, WParam, LParam);
  if (result != 0 || Code != MSGF_MENU || !TrackingForm) return result;
  if (!FirstKeyPosted) {
    FirstKeyPosted = true;
    PostMessageA(msg.hwnd, WM_KEYDOWN, VK_DOWN, 0);
  }
  TMenuBtn* target = nullptr;
  switch (msg.message) {
    case WM_KEYDOWN:
      if (msg.wParam == VK_RETURN || msg.wParam == VK_ESCAPE) {
        KeyboardSwitch = false;
      } else if (msg.wParam == VK_LEFT) {
        const TCurrentItem item = CurrentItem();
        if (item.Known && item.Menu == TrackingForm->FTrackedMenu) target = NextMenuButton(false);
      } else if (msg.wParam == VK_RIGHT) {
        const TCurrentItem item = CurrentItem();
        if (item.Known && !item.HasSubMenu) target = NextMenuButton(true);
      }
      break;
    case WM_SYSKEYDOWN:
      if (msg.wParam == VK_MENU) {
        TrackingForm->EndMenuTracking();
        return result;
      }
      break;
    case WM_MENUSELECT:
      if (HIWORD(msg.wParam) == 0xFFFF && msg.lParam == 0) {
        if (!KeyboardSwitch) TrackingForm->EndMenuTracking();
        return result;
      }
      KeyboardSwitch = false;
      break;
    case WM_MOUSEMOVE:
      if (msg.pt.x != LastMousePos.x || msg.pt.y != LastMousePos.y) {
        target = MenuButtonAt(TrackingForm->FMenuBar.get(),
                              TrackingForm->ToWindowPoint(msg.pt.x, msg.pt.y));
        LastMousePos = msg.pt;
      }
      break;
    default: break;
  }
  if (target && target->FIndex != TrackingIndex) {
    KeyboardSwitch = true;
    PostMenuButtonClick(target);
  }
  return result;
}

// Adds MFT_OWNERDRAW to Menu's items and its submenus' items; the items it
// changed are noted in Changed.
void MakeOwnerDraw(HMENU Menu, std::vector<std::pair<HMENU, UINT>>* Changed, int Depth) {
  const int count = GetMenuItemCount(Menu);
  for (int i = 0; i < count && Depth < 16; ++i) {
    MENUITEMINFOA info{};
    info.cbSize = sizeof info;
    info.fMask = MIIM_STATE | MIIM_SUBMENU | MIIM_FTYPE;
    if (!GetMenuItemInfoA(Menu, UINT(i), TRUE, &info)) continue;
    if (!(info.fType & MFT_OWNERDRAW)) {
      // The type alone: the item keeps its text, which the drawing reads.
      MENUITEMINFOA type{};
      type.cbSize = sizeof type;
      type.fMask = MIIM_FTYPE;
      type.fType = info.fType | MFT_OWNERDRAW;
      if (SetMenuItemInfoA(Menu, UINT(i), TRUE, &type) && Changed)
        Changed->emplace_back(Menu, UINT(i));
    }
    if (info.hSubMenu) MakeOwnerDraw(info.hSubMenu, Changed, Depth + 1);
  }
}

}  // namespace

int MenuTrackingIndex() { return TrackingIndex; }

void ForgetMenuTracking(TWinSkinForm* Form) {
  if (!Form || TrackingForm != Form) return;
  if (MenuLoopRunning) EndMenu();
  TrackingForm = nullptr;
}

TMenuBtn* MenuButtonAt(TWinSkinMenu* MenuBar, const TPoint& P) {
  if (!MenuBar) return nullptr;
  for (auto& button : MenuBar->FButtons)
    if (!button->FCaption.empty() && PtInRect(&button->FBounds, P)) return button.get();
  return nullptr;
}

TMenuBtn* NextMenuButton(bool Forward) {
  if (!TrackingForm || !TrackingForm->FMenuBar) return nullptr;
  auto& buttons = TrackingForm->FMenuBar->FButtons;
  const int count = int(buttons.size());
  if (count == 0) return nullptr;
  const int next = ((TrackingIndex + (Forward ? 1 : -1)) % count + count) % count;
  return buttons[size_t(next)].get();
}

void PostMenuButtonClick(TMenuBtn* Button) {
  if (!Button) return;
  TWinSkinForm& form = *Button->FSkinForm;
  GetWindowRect(form.FHandle, &form.FWindowRect);
  PostMessageA(form.FHandle, WM_NCLBUTTONDOWN, 1,
               MAKELPARAM(form.FWindowRect.left + Button->FBounds.left + 1,
                          form.FWindowRect.top + Button->FBounds.top + 1));
}

TMenuBtn* FindAccelButton(TWinSkinMenu* MenuBar, int Key) {
  if (!MenuBar || Key <= 0 || Key > 255) return nullptr;
  const int want = std::toupper(Key);
  for (auto& button : MenuBar->FButtons) {
    if (!button->FEnabled) continue;
    const std::string& c = button->FCaption;
    for (size_t i = 0; i + 1 < c.size(); ++i) {
      if (c[i] != '&') continue;
      if (c[i + 1] == '&') {  // a literal ampersand
        ++i;
        continue;
      }
      if (std::toupper(static_cast<unsigned char>(c[i + 1])) == want) return button.get();
      break;
    }
  }
  return nullptr;
}

void StartMenuHook() {
  KeyboardSwitch = false;
  FirstKeyPosted = false;
  GetCursorPos(&LastMousePos);
  if (!MenuHook)
    MenuHook = SetWindowsHookExA(WH_MSGFILTER, MenuHookProc, nullptr, GetCurrentThreadId());
}

void StopMenuHook() {
  if (MenuHook) UnhookWindowsHookEx(MenuHook);
  MenuHook = nullptr;
  TrackingIndex = -1;
  FirstKeyPosted = false;
}

void MakeMenuOwnerDraw(HMENU Menu) { MakeOwnerDraw(Menu, nullptr, 0); }

bool TWinSkinForm::TrackMenuButton(TMenuBtn* Button) {
  if (!Button || !Button->FSubMenu || !FMenuBar) return false;
  TrackingIndex = Button->FIndex;
  TrackingForm = this;
  GetWindowRect(FHandle, &FWindowRect);
  MakeOwnerDraw(Button->FSubMenu, &FOwnerDrawnItems, 0);
  FMenuTracking = true;
  FTrackedMenu = Button->FSubMenu;
  StartMenuHook();
  if (Button->FEnabled) {
    MenuLoopRunning = true;
    const HWND wnd = FHandle;
    TrackPopupMenu(Button->FSubMenu, TPM_NONOTIFY | TPM_RIGHTBUTTON,
                   FWindowRect.left + Button->FBounds.left,
                   FWindowRect.top + Button->FBounds.bottom, 0, wnd, nullptr);
    MenuLoopRunning = false;
    // Skinning may have been switched off inside the loop: this skinner is
    // gone then, and the tracking has forgotten it.
    if (TrackingForm != this) {
      StopMenuHook();
      return true;
    }
  }
  StopMenuHook();
  TrackingForm = nullptr;
  FMenuTracking = false;
  return true;
}

// A click posted to switch popups while one is still open: the open one is
// closed first, and the click comes again once its loop has ended.
bool TWinSkinForm::DeferWhileMenuOpen(TMessage& Message) {
  if (!MenuLoopRunning) return false;
  EndMenu();
  PostMessageA(FHandle, Message.Msg, Message.WParam, Message.LParam);
  Message.Result = 0;
  return true;
}

void TWinSkinForm::RestoreOwnerDrawnItems() {
  for (const auto& [menu, position] : FOwnerDrawnItems) {
    if (!IsMenu(menu)) continue;
    MENUITEMINFOA info{};
    info.cbSize = sizeof info;
    info.fMask = MIIM_FTYPE;
    if (!GetMenuItemInfoA(menu, position, TRUE, &info)) continue;
    info.fType &= ~UINT(MFT_OWNERDRAW);
    SetMenuItemInfoA(menu, position, TRUE, &info);
  }
  FOwnerDrawnItems.clear();
}

void TWinSkinForm::CMDialogChar(TMessage& Message) {
  TMenuBtn* button = FindAccelButton(FMenuBar.get(), int(Message.WParam));
  if (!button) {
    if (FSavedWindowProc) FSavedWindowProc(Message);
    return;
  }
  PostMenuButtonClick(button);
  Message.Result = 1;
}

// ---------------------------------------------------------------------------
// Menu items

TMenuItemFacts MenuItemFromHandle(HMENU Menu, UINT ItemID) {
  TMenuItemFacts item;
  item.Caption = MenuString(Menu, ItemID);
  if (item.Caption.empty()) item.Caption = "-";
  const UINT state = GetMenuState(Menu, ItemID, MF_BYCOMMAND);
  if (state != UINT(-1)) {
    item.Enabled = (state & (MFS_GRAYED | MFS_DISABLED)) == 0;
    item.Checked = (state & MFS_CHECKED) != 0;
  }
  item.ParentMenu = Menu;
  return item;
}

void MeasureMenuItemFacts(const TMenuItemFacts& Item, TCanvas& Canvas, int& Width, int& Height) {
  const std::string text = Item.Caption + Item.ShortCut;
  Width = Canvas.TextWidth(text) + 26;
  Height = Item.IsLine() ? 8 : Height + 4;
  if (IsWin9x()) Height += 4;
}

void DrawMenuItemText(TSkinData& Skin, const TMenuItemFacts& Item, TCanvas& Canvas, UINT Format,
                      bool Selected, TRect& Rect, const std::string& Text) {
  if (Item.RightToLeft) Format |= DT_RIGHT | DT_RTLREADING;
  const bool measuring = (Format & DT_CALCRECT) != 0;
  std::string text = Text;
  if (measuring && (text.empty() || text == "&")) text += ' ';
  HDC dc = Canvas.Handle();
  if (text != "-") {
    Canvas.Brush().SetStyle(TBrushStyle::bsClear);
    Canvas.Font().SetStyle(Item.Default ? TFontStyles(fsBold) : TFontStyles(0));
    TColor colour;
    if (Item.Enabled)
      colour = Selected ? Skin.HilightTextColour : Skin.MenuTextColour;
    else
      colour = Skin.ButtonShadowColour == Skin.MenuTextColour ? TColor(clBtnShadow)
                                                              : Skin.ButtonShadowColour;
    Canvas.Font().SetColor(colour);
    const TSelectObjectGuard font(dc, Canvas.Font().Handle());
    const int oldMode = SetBkMode(dc, TRANSPARENT);
    const COLORREF oldColour = SetTextColor(dc, ColorToRGB(colour));
    DrawTextA(dc, text.c_str(), -1, &Rect, Format);
    SetTextColor(dc, oldColour);
    SetBkMode(dc, oldMode);
  } else if (!measuring) {
    RECT r = Rect;
    r.top += 4;
    DrawEdge(dc, &r, EDGE_ETCHED, BF_TOP);
  }
}

namespace {

// The system's check mark, drawn in clBtnText where its bits are set,
// centred in Box and moved 1 pixel right and down.
void DrawCheckMark(HDC DC, const TRect& Box) {
  const TBitmapObject check(LoadBitmapA(nullptr, MAKEINTRESOURCEA(kCheckMarkBitmap)));
  BITMAP info{};
  if (!check || !GetObjectA(check, sizeof info, &info)) return;
  const TMemoryDC mono(DC);
  const TSelectObjectGuard select(mono, check);
  const int x = Box.left + (Width(Box) - info.bmWidth) / 2 + 1;
  const int y = Box.top + (Height(Box) - info.bmHeight) / 2 + 1;
  const COLORREF oldText = SetTextColor(DC, RGB(0, 0, 0));
  const COLORREF oldBack = SetBkColor(DC, RGB(255, 255, 255));
  BitBlt(DC, x, y, info.bmWidth, info.bmHeight, mono, 0, 0, SRCAND);
  SetTextColor(DC, ColorToRGB(clBtnText));
  SetBkColor(DC, RGB(0, 0, 0));
  BitBlt(DC, x, y, info.bmWidth, info.bmHeight, mono, 0, 0, SRCPAINT);
  SetTextColor(DC, oldText);
  SetBkColor(DC, oldBack);
}

// Where the item DC's origin lies in the popup window: the background
// bitmap covers the whole window, border included. Windows draws items in
// the client area inside the 3-pixel border; Wine draws them in a DC whose
// origin is the window's own corner.
POINT ItemOriginInWindow(HDC Target) {
  POINT origin{3, 3};
  HWND popup = WindowFromDC(Target);
  POINT dcOrg;
  RECT window;
  if (popup && GetDCOrgEx(Target, &dcOrg) && GetWindowRect(popup, &window))
    origin = POINT{dcOrg.x - window.left, dcOrg.y - window.top};
  return origin;
}

// A work bitmap of Rect's size holding the popup's background under Rect.
std::unique_ptr<TBitmap> ItemBackground(TSkinData& Skin, HMENU Menu, HDC Target,
                                        const TRect& Rect) {
  std::unique_ptr<TBitmap> work = WorkBitmap(Width(Rect), Height(Rect));
  HDC dc = work->Canvas().Handle();
  TBitmap* background = SkinManager ? SkinManager->PopupMenuBitmap(Menu) : nullptr;
  if (background && !background->Empty()) {
    const POINT origin = ItemOriginInWindow(Target);
    BitBlt(dc, 0, 0, Width(Rect), Height(Rect), background->Canvas().Handle(), Rect.left + origin.x,
           Rect.top + origin.y, SRCCOPY);
  } else {
    const RECT all{0, 0, Width(Rect), Height(Rect)};
    const TBrushObject fill(CreateSolidBrush(ColorToRGB(Skin.MenuColour)));
    FillRect(dc, &all, fill);
  }
  return work;
}

}  // namespace

void DrawMenuItemContent(TSkinData& Skin, const TMenuItemFacts& Item, TCanvas& Canvas,
                         bool Selected, const TRect& R) {
  const int x0 = R.left + 1, y0 = R.top + 1;
  TRect box{x0, y0, x0 + 16, y0 + 16};
  if (Item.IsLine()) {
    box.right = 0;
  } else {
    if (Item.Images && Item.ImageIndex >= 0 && Item.ImageIndex < Item.Images->Count())
      Item.Images->Draw(&Canvas, x0, y0, Item.ImageIndex, Item.Enabled);
    else if (Item.Checked)
      DrawCheckMark(Canvas.Handle(), box);
  }
  const TRect t{box.right + 3, R.top, R.right - 1, R.bottom};
  TRect m = t;
  DrawMenuItemText(Skin, Item, Canvas,
                   Item.Alignment | DT_CALCRECT | DT_NOCLIP | DT_EXPANDTABS | DT_SINGLELINE,
                   Selected, m, Item.Caption);
  OffsetRect(&m, 0, (Height(t) - Height(m)) / 2);
  DrawMenuItemText(Skin, Item, Canvas, Item.Alignment | DT_EXPANDTABS | DT_SINGLELINE, Selected, m,
                   Item.Caption);
  if (!Item.ShortCut.empty()) {
    TRect s{m.right, m.top, t.right - 10, m.bottom};
    DrawMenuItemText(Skin, Item, Canvas, DT_RIGHT | DT_EXPANDTABS | DT_SINGLELINE, Selected, s,
                     Item.ShortCut);
  }
}

void DrawMenuSeparator(TSkinData& Skin, TCanvas& Canvas, const TRect& Rect) {
  TDataSkinObject* element = Skin.MenuItem.get();
  if (!element || element->Bitmap.Empty()) return;
  TBitmap& image = element->Bitmap;
  const int fw = image.Width() / 5, ih = image.Height();
  const int w = Width(Rect), h = std::min(Height(Rect), ih);
  if (fw <= 0 || w <= 0 || h <= 0) return;
  const int sy = Height(Rect) < ih ? ih - Height(Rect) : 0;
  const int left = std::min<int>(element->Margins.left, w),
            right = std::min<int>(element->Margins.right, w - left);
  std::unique_ptr<TBitmap> piece = WorkBitmap(w, h);
  HDC dc = piece->Canvas().Handle(), src = image.Canvas().Handle();
  const int x0 = fw;  // frame 2
  BitBlt(dc, 0, 0, left, h, src, x0, sy, SRCCOPY);
  BitBlt(dc, w - right, 0, right, h, src, x0 + fw - right, sy, SRCCOPY);
  const int middle = fw - left - right;
  if (middle > 0 && w - left - right > 0)
    StretchBlt(dc, left, 0, w - left - right, h, src, x0 + left, sy, middle, h, SRCCOPY);
  TransparentBlt(Canvas.Handle(), TRect{Rect.left, Rect.top, Rect.left + w, Rect.top + h}, *piece,
                 SkinKeyColour);
}

void DrawMenuItemFlat(TSkinData& Skin, const TMenuItemFacts& Item, TCanvas& Canvas, bool Selected,
                      const TRect& Rect) {
  std::unique_ptr<TBitmap> work = WorkBitmap(Width(Rect), Height(Rect));
  if (work->Empty()) return;
  {
    const RECT all{0, 0, Width(Rect), Height(Rect)};
    const TBrushObject fill(
        CreateSolidBrush(ColorToRGB(Selected ? Skin.HilightColour : Skin.ButtonFaceColour)));
    FillRect(work->Canvas().Handle(), &all, fill);
  }
  work->Canvas().Font().Assign(&Canvas.Font());
  DrawMenuItemContent(Skin, Item, work->Canvas(), Selected, TRect{0, 0, Width(Rect), Height(Rect)});
  BitBlt(Canvas.Handle(), Rect.left, Rect.top, Width(Rect), Height(Rect), work->Canvas().Handle(),
         0, 0, SRCCOPY);
}

void DrawMenuItemFacts(TSkinData& Skin, const TMenuItemFacts& Item, TCanvas& Canvas, bool Selected,
                       const TRect& Rect) {
  TDataSkinObject* element = Skin.MenuItem.get();
  if (!element || element->Bitmap.Empty()) {
    DrawMenuItemFlat(Skin, Item, Canvas, Selected, Rect);
    return;
  }
  std::unique_ptr<TBitmap> work = ItemBackground(Skin, Item.ParentMenu, Canvas.Handle(), Rect);
  if (work->Empty()) return;
  const TRect all{0, 0, Width(Rect), Height(Rect)};
  if (!Item.IsLine()) {
    DrawNineSliceOn(work->Canvas().Handle(), all, element->Bitmap, false, element->Tile != 0,
                    element->Trans != 0, 5, Selected ? 4 : 1, element->Margins);
    work->Canvas().Font().Assign(&Canvas.Font());
    DrawMenuItemContent(Skin, Item, work->Canvas(), Selected, all);
  }
  BitBlt(Canvas.Handle(), Rect.left, Rect.top, Width(Rect), Height(Rect), work->Canvas().Handle(),
         0, 0, SRCCOPY);
  if (Item.IsLine()) DrawMenuSeparator(Skin, Canvas, Rect);
}

// ---------------------------------------------------------------------------
// Component menus

namespace {

TMenuItemFacts FactsOf(TMenuItem& Item) {
  TMenuItemFacts facts;
  facts.Caption = Item.Caption();
  facts.Enabled = Item.Enabled();
  facts.Checked = Item.Checked();
  facts.Default = Item.Default();
  if (Item.ShortCut() != scNone) facts.ShortCut = ShortCutToText(Item.ShortCut());
  facts.Images = Item.GetImageList();
  facts.ImageIndex = Item.ImageIndex();
  TMenu* menu = Item.GetParentMenu();
  facts.RightToLeft = menu && menu->IsRightToLeft();
  if (auto* popup = dynamic_cast<TPopupMenu*>(menu)) {
    switch (popup->Alignment()) {
      case paRight: facts.Alignment = DT_RIGHT; break;
      case paCenter: facts.Alignment = DT_CENTER; break;
      default: facts.Alignment = DT_LEFT;
    }
  }
  if (Item.Parent()) facts.ParentMenu = Item.Parent()->Handle();
  return facts;
}

// The skin data component that serves Form's window, or null.
TSkinData* SkinOfForm(TComponent* Form) {
  auto* form = dynamic_cast<TCustomForm*>(Form);
  if (!SkinManager || !form || !form->HandleAllocated()) return nullptr;
  TSkinData* skin = nullptr;
  SkinManager->FindSkinData(skin, form->Handle());
  return skin;
}

// The skin in force for the form that owns Item's menu.
TSkinData* SkinOf(TMenuItem& Item) {
  TMenu* menu = Item.GetParentMenu();
  return menu ? SkinOfForm(menu->Owner()) : nullptr;
}

}  // namespace

// The OnDrawItem handler of skinned menu items.
void DrawMenuItem(TObject* Sender, TCanvas* Canvas, TRect Rect, bool Selected) {
  auto* item = dynamic_cast<TMenuItem*>(Sender);
  TSkinData* skin = item ? SkinOf(*item) : nullptr;
  if (!item || !skin || !Canvas) return;
  if (!skin->MenuItem) {
    DrawMenuItemFlat(*skin, FactsOf(*item), *Canvas, Selected, Rect);
    return;
  }
  if (PendingPopMenu && item->Parent()) {
    PendingPopMenu->FMenuHandle = item->Parent()->Handle();
    PendingPopMenu = nullptr;
  }
  DrawMenuItemFacts(*skin, FactsOf(*item), *Canvas, Selected, Rect);
}

// The OnMeasureItem handler of skinned inner menu items.
void MeasureMenuItem(TObject* Sender, TCanvas* Canvas, int& Width, int& Height) {
  auto* item = dynamic_cast<TMenuItem*>(Sender);
  if (item && Canvas) MeasureMenuItemFacts(FactsOf(*item), *Canvas, Width, Height);
}

// The OnMeasureItem handler of skinned top-level popup-menu items.
void MeasureTopMenuItem(TObject* Sender, TCanvas*, int& Width, int& Height) {
  auto* item = dynamic_cast<TMenuItem*>(Sender);
  Width += 28;
  if (IsWin9x() && item && !item->IsLine()) Height += 4;
}

namespace {

constexpr int kKeepDrawing = 999;

void SetItemOwnerDraw(TMenuItem& Item, bool On, bool Top, bool MainMenuSkinned) {
  const bool skin = On && Item.Tag() != kKeepDrawing;
  if (!skin) {
    Item.OnDrawItem.Clear();
  } else if (Top) {
    if (!Item.OnDrawItem) {
      Item.OnDrawItem = DrawMenuItem;
      Item.OnMeasureItem = MeasureTopMenuItem;
    }
  } else if (!Item.OnDrawItem) {
    if (MainMenuSkinned) Item.OnDrawItem = DrawMenuItem;
    Item.OnMeasureItem = MeasureMenuItem;
  }
  for (int i = 0; i < Item.Count(); ++i)
    SetItemOwnerDraw(*Item.Items(i), On, false, MainMenuSkinned);
}

}  // namespace

void SetMenusOwnerDraw(TComponent* Form, bool On) {
  TSkinData* skin = SkinOfForm(Form);
  if (!skin) return;
  const TSkinControlTypes kinds = skin->SkinControls();
  if (!(kinds & (1u << xcPopupMenu))) return;
  const bool mainMenu = (kinds & (1u << xcMainMenu)) != 0;
  for (int i = 0; i < Form->ComponentCount(); ++i) {
    auto* popup = dynamic_cast<TPopupMenu*>(Form->Components(i));
    if (!popup || popup->Tag() % 100 == skin->DisableTag()) continue;
    popup->SetOwnerDraw(On);
    TMenuItem* root = popup->Items();
    for (int j = 0; j < root->Count(); ++j) SetItemOwnerDraw(*root->Items(j), On, true, mainMenu);
  }
}

// ---------------------------------------------------------------------------
// The window's item messages

namespace {

// An item of a form's popup-menu component: the component library draws it,
// through the skinned handlers SetMenusOwnerDraw gave it or, for a Tag 999
// item or one with handlers of its own, as the application wants.
bool IsComponentPopupItem(UINT ItemID) {
  TMenuItem* item = ItemID <= 0xFFFF ? FindMenuItemByCommand(WORD(ItemID)) : nullptr;
  return item && dynamic_cast<TPopupMenu*>(item->GetParentMenu()) != nullptr;
}

}  // namespace

void TWinSkinForm::WMMeasureItem(TMessage& Message) {
  auto* mis = reinterpret_cast<MEASUREITEMSTRUCT*>(Message.LParam);
  if (!mis || mis->CtlType != ODT_MENU || !FWindowMenu || !FSkinData) {
    CallDefault(Message);
    return;
  }
  TCanvas canvas;
  const TWindowDC dc(FHandle);
  canvas.SetHandle(dc);
  UseMenuFont(canvas);
  if (FForm && FMenuBar && FMenuBar->FMenu)
    if (TMenuItem* item = FMenuBar->FMenu->FindItem(mis->itemID, TFindItemKind::fkCommand)) {
      int w = int(mis->itemWidth), h = int(mis->itemHeight);
      MeasureMenuItemFacts(FactsOf(*item), canvas, w, h);
      mis->itemWidth = UINT(w);
      mis->itemHeight = UINT(h);
      canvas.SetHandle(nullptr);
      Message.Result = 1;
      return;
    }
  if (IsComponentPopupItem(mis->itemID)) {
    CallDefault(Message);
    return;
  }
  const std::string text = MenuString(FTrackedMenu, mis->itemID);
  mis->itemWidth = UINT(canvas.TextWidth(text) + 26);
  mis->itemHeight = text.empty() ? 8 : mis->itemHeight + 4;
  if (IsWin9x()) mis->itemHeight += 4;
  canvas.SetHandle(nullptr);
  Message.Result = 1;
}

void TWinSkinForm::WMDrawItem(TMessage& Message) {
  auto* dis = reinterpret_cast<DRAWITEMSTRUCT*>(Message.LParam);
  if (!dis || dis->CtlType != ODT_MENU || !FWindowMenu || !FSkinData) {
    CallDefault(Message);
    return;
  }
  const auto menu = reinterpret_cast<HMENU>(dis->hwndItem);
  if (IsComponentPopupItem(dis->itemID) &&
      !(FMenuBar && FMenuBar->FMenu &&
        FMenuBar->FMenu->FindItem(dis->itemID, TFindItemKind::fkCommand))) {
    CallDefault(Message);
    return;
  }
  if (PendingPopMenu) {
    PendingPopMenu->FMenuHandle = menu;
    PendingPopMenu = nullptr;
  }
  TCanvas canvas;
  canvas.SetHandle(dis->hDC);
  UseMenuFont(canvas);
  const bool selected = (dis->itemState & ODS_SELECTED) != 0;
  const TRect rect = dis->rcItem;
  TMenuItemFacts facts;
  bool found = false;
  if (FForm && FMenuBar && FMenuBar->FMenu)
    if (TMenuItem* item = FMenuBar->FMenu->FindItem(dis->itemID, TFindItemKind::fkCommand)) {
      facts = FactsOf(*item);
      found = true;
    }
  if (!found) facts = MenuItemFromHandle(menu, dis->itemID);
  if (!found || FSkinData->MenuItem)
    DrawMenuItemFacts(*FSkinData, facts, canvas, selected, rect);
  else
    DrawMenuItemFlat(*FSkinData, facts, canvas, selected, rect);
  canvas.SetHandle(nullptr);
  Message.Result = 1;
}
