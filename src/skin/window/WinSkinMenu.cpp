// The skinned menu bar and its buttons.
#include "skin/window/WinSkinMenu.h"

#include <cassert>
#include <cctype>
#include <iterator>
#include <utility>

#include "skin/draw/SkinDraw.h"
#include "skin/draw/SkinModel.h"
#include "skin/draw/SkinText.h"
#include "ui/Menus.h"
#include "ui/Published.h"

namespace {

// The longest menu text read.
constexpr int kMenuText = 80;

// What an item of Menu is known by: its identifier and submenu, or, for an
// item with neither (a separator), its position.
TOwnerDrawnItem KeyOf(HMENU Menu, int Position, const MENUITEMINFOA& Info) {
  const bool plain = Info.wID == 0 && !Info.hSubMenu;
  return TOwnerDrawnItem{Menu, Info.wID, Info.hSubMenu, plain ? Position : -1};
}

// The position of the item of Key's menu that Key stands for, or -1.
int PositionOf(const TOwnerDrawnItem& Key) {
  const int count = GetMenuItemCount(Key.Menu);
  for (int i = 0; i < count; ++i) {
    MENUITEMINFOA info{};
    info.cbSize = sizeof info;
    info.fMask = MIIM_ID | MIIM_SUBMENU;
    if (GetMenuItemInfoA(Key.Menu, UINT(i), TRUE, &info) && !(KeyOf(Key.Menu, i, info) < Key) &&
        !(Key < KeyOf(Key.Menu, i, info)))
      return i;
  }
  return -1;
}

// The item's type, or 0 when it cannot be read.
UINT TypeOf(HMENU Menu, int Position) {
  MENUITEMINFOA info{};
  info.cbSize = sizeof info;
  info.fMask = MIIM_FTYPE;
  return GetMenuItemInfoA(Menu, UINT(Position), TRUE, &info) ? info.fType : 0;
}

// Adds MFT_OWNERDRAW to Menu's items and its submenus' items; the items it
// changed are noted in Changed. Notes of Menu's items that are gone or
// lost the flag (a rebuilt menu) go first.
void AddOwnerDraw(HMENU Menu, std::set<TOwnerDrawnItem>& Changed, int Depth) {
  for (auto it = Changed.begin(); it != Changed.end();) {
    const int position = it->Menu == Menu ? PositionOf(*it) : 0;
    if (position < 0 || (it->Menu == Menu && !(TypeOf(Menu, position) & MFT_OWNERDRAW)))
      it = Changed.erase(it);
    else
      ++it;
  }
  const int count = GetMenuItemCount(Menu);
  for (int i = 0; i < count && Depth < 16; ++i) {
    MENUITEMINFOA info{};
    info.cbSize = sizeof info;
    info.fMask = MIIM_STATE | MIIM_SUBMENU | MIIM_FTYPE | MIIM_ID;
    if (!GetMenuItemInfoA(Menu, UINT(i), TRUE, &info)) continue;
    if (!(info.fType & MFT_OWNERDRAW)) {
      // The type alone: the item keeps its text, which the drawing reads.
      MENUITEMINFOA type{};
      type.cbSize = sizeof type;
      type.fMask = MIIM_FTYPE;
      type.fType = info.fType | MFT_OWNERDRAW;
      if (SetMenuItemInfoA(Menu, UINT(i), TRUE, &type)) Changed.insert(KeyOf(Menu, i, info));
    }
    if (info.hSubMenu) AddOwnerDraw(info.hSubMenu, Changed, Depth + 1);
  }
}

}  // namespace

// ---------------------------------------------------------------------------
// Buttons

// A visible button; its bounds come with the bar's next paint.
TMenuBtn::TMenuBtn(TWinSkinMenu& Bar, TNCHot& Hot, int Index, std::string Caption, bool Enabled,
                   HMENU SubMenu, int Command)
    : TNCObject(Hot),
      FBar(Bar),
      FIndex(Index),
      FCaption(std::move(Caption)),
      FEnabled(Enabled),
      FSubMenu(SubMenu),
      FCommand(Command) {
  FVisible = true;
}

// The background from the bar's last paint, a frame when hot or pressed,
// and the caption (in the shadow colour when disabled).
void TMenuBtn::Paint() {
  TSkinModel* skin = FBar.FSkin;
  if (!skin) return;
  const TWindowDC dc(FBar.FHandle, TWindowDC::Window);
  TCanvas& canvas = FBar.FCanvas;
  canvas.SetHandle(dc);
  const TRect& barRect = FBar.FBarRect;
  BitBlt(dc, FBounds.left, barRect.top, RectWidth(FBounds), RectHeight(barRect),
         FBar.FBarBitmap.Canvas().Handle(), FBounds.left - barRect.left, 0, SRCCOPY);
  if (FState == TState::Hot || FState == TState::Pressed) {
    const TBrushObject edge(CreateSolidBrush(ColorToRGB(skin->ButtonHilightColour)));
    FrameRect(dc, &FBounds, edge);
  }
  UseMenuFont(canvas);
  canvas.Font().SetColor(FEnabled ? skin->MenuBarTextColour : skin->ButtonShadowColour);
  DrawMenuText(canvas, FBounds, FCaption, 2, true);  // the colour is chosen above, as in PaintBar
  canvas.SetHandle(nullptr);
}

// ---------------------------------------------------------------------------
// The bar

// Skinners publish nothing: they are made by the engine, never read from
// a definition.
QUORVEL_DEFINE_CLASS(TWinSkinMenu) {}

// No buttons until BuildButtons.
TWinSkinMenu::TWinSkinMenu(HWND Wnd, TSkinModel* Skin, TMenu* Menu, TNCHot& Hot)
    : TComponent(nullptr), FHandle(Wnd), FSkin(Skin), FMenu(Menu), FHot(Hot) {}

// A button that is the hot object leaves it.
TWinSkinMenu::~TWinSkinMenu() {
  for (auto& button : FButtons)
    if (FHot.Object == button.get()) FHot.Object = nullptr;
  FButtons.clear();
}

// One button per item of the window's menu (or of the menu taken off it).
void TWinSkinMenu::BuildButtons() {
  // A bar rebuilt after a menu change reads the menu it took off the window
  // when the window has not been given it again.
  HMENU menu = GetMenu(FHandle);
  if (!menu && FMenuHandle && IsMenu(FMenuHandle)) menu = FMenuHandle;
  FMenuHandle = menu;
  if (FHot.Object && dynamic_cast<TMenuBtn*>(FHot.Object)) FHot.Object = nullptr;
  FButtons.clear();
  const int count = GetMenuItemCount(FMenuHandle);
  if (count <= 0) return;
  for (int i = 0; i < count; ++i) {
    char text[kMenuText + 1] = {};
    MENUITEMINFOA info{};
    info.cbSize = sizeof info;
    info.fMask = MIIM_STATE | MIIM_ID | MIIM_SUBMENU | MIIM_TYPE;
    info.dwTypeData = text;
    info.cch = kMenuText;
    GetMenuItemInfoA(FMenuHandle, UINT(i), TRUE, &info);
    std::string caption;
    if ((info.fType & (MFT_BITMAP | MFT_OWNERDRAW | MFT_SEPARATOR)) == 0) {
      caption = text;
    } else if (FMenu) {
      if (TMenuItem* item = FMenu->FindItem(info.wID, TFindItemKind::fkCommand))
        caption = item->Caption();
    }
    const bool enabled = (info.fState & (MFS_GRAYED | MFS_DISABLED)) == 0;
    FButtons.push_back(std::make_unique<TMenuBtn>(*this, FHot, i, std::move(caption), enabled,
                                                  info.hSubMenu, int(info.wID)));
  }
  ::SetMenu(FHandle, nullptr);
}

// Background (picture or menu-bar colour), kept for the buttons' repaints;
// then the captions in cells of their text's width; then Extra; one copy.
void TWinSkinMenu::PaintBar(HDC DC, const TRect& Rect, bool Active,
                            const std::function<void(HDC)>& Extra) {
  TBitmap* scratch = ScratchBitmap();
  const int w = RectWidth(Rect), h = RectHeight(Rect);
  if (!scratch || !FSkin || w <= 0 || h <= 0) return;
  scratch->SetSize(w, h);
  TCanvas& canvas = scratch->Canvas();
  HDC sdc = canvas.Handle();
  const TRect all{0, 0, w, h};
  int x;
  if (TDataSkinObject* bar = FSkin->MenuBar.get(); bar && !bar->Bitmap.Empty()) {
    const int frame = Active ? 1 : 2;
    if (bar->Tile == 1)
      DrawNineSliceOn(sdc, all, bar->Bitmap, true, false, false, 2, frame, bar->Margins);
    else
      DrawHorzThreePart(canvas, all, bar->Bitmap, true, false, 2, frame, bar->Margins);
    x = bar->Margins.left + 4;
    if (w < x) x = 12;
  } else {
    const TBrushObject fill(CreateSolidBrush(ColorToRGB(FSkin->MenubarColour)));
    FillRect(sdc, &all, fill);
    x = 6;
  }
  FBarRect = Rect;
  FBarBitmap.SetSize(w, h);
  BitBlt(FBarBitmap.Canvas().Handle(), 0, 0, w, h, sdc, 0, 0, SRCCOPY);

  UseMenuFont(canvas);
  canvas.Font().SetColor(FSkin->MenuBarTextColour);
  canvas.Brush().SetStyle(TBrushStyle::bsClear);
  for (auto& button : FButtons) {
    const int cell = canvas.TextWidth(button->Caption()) + 10;
    // A disabled caption takes the skin's shadow colour, chosen here, rather
    // than the system's that DrawMenuText would give it.
    canvas.Font().SetColor(button->Enabled() ? FSkin->MenuBarTextColour
                                             : FSkin->ButtonShadowColour);
    DrawMenuText(canvas, TRect{x, 0, x + cell, h - 1}, button->Caption(), 2, true);
    button->SetBounds(TRect{Rect.left + x, Rect.top, Rect.left + x + cell, Rect.bottom - 1});
    x += cell;
  }
  if (Extra) Extra(sdc);
  BitBlt(DC, Rect.left, Rect.top, w, h, sdc, 0, 0, SRCCOPY);
}

// In bar order.
TMenuBtn* TWinSkinMenu::ButtonAt(const TPoint& P) const {
  for (auto& button : FButtons)
    if (!button->Caption().empty() && PtInRect(&button->Bounds(), P)) return button.get();
  return nullptr;
}

// Index plus or minus one, modulo the count.
TMenuBtn* TWinSkinMenu::NextButton(int Index, bool Forward) const {
  const int count = int(FButtons.size());
  if (count == 0) return nullptr;
  const int next = ((Index + (Forward ? 1 : -1)) % count + count) % count;
  return FButtons[size_t(next)].get();
}

// The letter after the first single "&" of each enabled caption.
TMenuBtn* TWinSkinMenu::AccelButton(int Key) const {
  if (Key <= 0 || Key > 255) return nullptr;
  const int want = std::toupper(Key);
  for (auto& button : FButtons) {
    if (!button->Enabled()) continue;
    const std::string& c = button->Caption();
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

// WM_NCLBUTTONDOWN one pixel inside the button's top-left corner.
void TWinSkinMenu::PostClick(const TMenuBtn& Button) const {
  RECT window;
  GetWindowRect(FHandle, &window);
  PostMessageA(
      FHandle, WM_NCLBUTTONDOWN, 1,
      MAKELPARAM(window.left + Button.Bounds().left + 1, window.top + Button.Bounds().top + 1));
}

// Without a component menu the handle goes too.
void TWinSkinMenu::SetMenu(TMenu* Menu) {
  FMenu = Menu;
  if (!FMenu) FMenuHandle = nullptr;  // the bar goes with the menu
}

// The items' own drawing first; SetMenu resizes the frame around the menu.
void TWinSkinMenu::GiveMenuBack() {
  RestoreOwnerDrawnItems();
  if (FMenuHandle) ::SetMenu(FHandle, FMenuHandle);
  FMenuHandle = nullptr;
}

// Recursively, at most 16 menus deep; notes of menus that are gone go.
void TWinSkinMenu::MakeOwnerDraw(HMENU Menu) {
  for (auto it = FOwnerDrawnItems.begin(); it != FOwnerDrawnItems.end();)
    it = IsMenu(it->Menu) ? std::next(it) : FOwnerDrawnItems.erase(it);
  AddOwnerDraw(Menu, FOwnerDrawnItems, 0);
}

// Each noted item that is still in its menu loses the flag.
void TWinSkinMenu::RestoreOwnerDrawnItems() {
  for (const TOwnerDrawnItem& item : FOwnerDrawnItems) {
    if (!IsMenu(item.Menu)) continue;
    const int position = PositionOf(item);
    if (position < 0) continue;
    MENUITEMINFOA info{};
    info.cbSize = sizeof info;
    info.fMask = MIIM_FTYPE;
    info.fType = TypeOf(item.Menu, position) & ~UINT(MFT_OWNERDRAW);
    SetMenuItemInfoA(item.Menu, UINT(position), TRUE, &info);
  }
  FOwnerDrawnItems.clear();
}
