// The popup-menu skinner.
//
// How the platforms paint a menu window decides where the skin goes:
// - With menu animation, Windows of the NT family prints the window
//   (WM_PRINT) into the animation's bitmap: the background is copied there
//   and the platform draws the items inside a clip 3 pixels in.
// - Without animation (and always under Wine) there is no WM_PRINT. Windows
//   keeps the 3-pixel border in the non-client area (WM_NCPAINT); Wine gives
//   the whole window to the client area and draws border, background and
//   items in WM_PAINT. Both fill the background with the menu's own brush
//   (MENUINFO hbrBack) before they draw the items, so while the skinner is
//   attached that brush is FBackground as a pattern; the border is drawn in
//   WM_NCPAINT and drawn again after WM_PAINT.
// Items that are not drawn by their owner are drawn by the platform itself;
// owner-drawn items copy their part of FBackground (PopupMenuBitmap), which
// is found by the menu that the window itself says it shows.
#include "skin/window/WinSkinPopMenu.h"

#include "skin/draw/SkinDraw.h"
#include "skin/draw/SkinModel.h"

namespace {

// The menu window's border, painted from the skin, in pixels.
constexpr int kBorder = 3;
// Asks a menu window for the menu it shows.
constexpr UINT kGetMenuMessage = 0x01E1;  // MN_GETHMENU

}  // namespace

// Unattached.
TWinSkinPopMenu::TWinSkinPopMenu(const bool& SkinningOn) : FSkinningOn(SkinningOn) {}

// The brush goes back.
TWinSkinPopMenu::~TWinSkinPopMenu() { PutMenuBrushBack(); }

// Through the subclass helper.
void TWinSkinPopMenu::Attach(HWND Handle, TSkinModel* SkinData, HMENU MenuHandle) {
  FHandle = Handle;
  FSkinData = SkinData;
  FMenuHandle = MenuHandle;
  FAttached = FSubclass.Attach(Handle, [this](TMessage& m) { WndProc(m); });
}

// Once: the brush, the procedure, the background.
void TWinSkinPopMenu::Restore() {
  PutMenuBrushBack();
  if (!FAttached) return;
  FAttached = false;
  FSubclass.Detach();
  FBackground.Clear();
}

// Restored, without a skin to read.
void TWinSkinPopMenu::ForgetSkin() {
  Restore();
  FSkinData = nullptr;
}

// The window answers once the platform gave it its menu; the answer is kept.
HMENU TWinSkinPopMenu::MenuHandle() {
  if (!FMenuHandle && FAttached && IsWindow(FHandle)) {
    const auto menu = reinterpret_cast<HMENU>(SendMessageA(FHandle, kGetMenuMessage, 0, 0));
    if (menu && IsMenu(menu)) FMenuHandle = menu;
  }
  return FMenuHandle;
}

// Through the subclass, the one way back.
void TWinSkinPopMenu::Default(TMessage& Message) { FSubclass.CallPrevious(Message); }

// Switched off, every message goes on unchanged.
void TWinSkinPopMenu::WndProc(TMessage& Message) {
  if (!FSkinningOn) {
    // Switched off: the menu gets its own look back from its next paint.
    PutMenuBrushBack();
    Default(Message);
    return;
  }
  switch (Message.Msg) {
    case WM_DESTROY: {
      // The procedure goes back now; the message still reaches it.
      PutMenuBrushBack();
      if (!FAttached) {
        Default(Message);
        return;
      }
      FAttached = false;
      FBackground.Clear();
      FSubclass.Detach();
      FSubclass.CallPrevious(Message);
      return;
    }
    case WM_NCPAINT:
      if (!SkinUsable()) {
        Default(Message);
        return;
      }
      PaintBorder();
      Message.Result = 0;
      return;
    case WM_PRINT: PrintBackground(Message); return;
    case WM_PAINT: Paint(Message); return;
    default: Default(Message);
  }
}

// A skin with a MenuBackground picture.
bool TWinSkinPopMenu::SkinUsable() const {
  return FSkinData && !FSkinData->SkinEmpty && FSkinData->MenuBackground &&
         !FSkinData->MenuBackground->Bitmap.Empty();
}

// The picture at the window's size, frame 1.
void TWinSkinPopMenu::ComposeBackground() {
  RECT r;
  GetWindowRect(FHandle, &r);
  const int w = r.right - r.left, h = r.bottom - r.top;
  TDataSkinObject& element = *FSkinData->MenuBackground;
  std::unique_ptr<TBitmap> composed = DrawNineSlice(
      TRect{0, 0, w, h}, element.Bitmap, element.Margins, false, element.Tile != 0, 1, 1);
  if (composed)
    FBackground.Assign(composed.get());
  else
    FBackground.Clear();
}

// The background whole, the platform clipped 3 pixels in with the brush
// origin on the client area.
void TWinSkinPopMenu::PrintBackground(TMessage& Message) {
  if (!SkinUsable()) {
    Default(Message);
    return;
  }
  const auto dc = reinterpret_cast<HDC>(Message.WParam);
  ComposeBackground();
  SetMenuBrush();
  const int w = FBackground.Width(), h = FBackground.Height();
  if (!FBackground.Empty()) BitBlt(dc, 0, 0, w, h, FBackground.Canvas().Handle(), 0, 0, SRCCOPY);
  TRegionObject clip(CreateRectRgn(kBorder, kBorder, w - kBorder, h - kBorder));
  SelectClipRgn(dc, clip);
  // The menu's brush starts at the client origin, here inside the window.
  RECT window;
  GetWindowRect(FHandle, &window);
  POINT origin{0, 0}, oldOrigin{0, 0};
  ClientToScreen(FHandle, &origin);
  SetBrushOrgEx(dc, origin.x - window.left, origin.y - window.top, &oldOrigin);
  Default(Message);
  SetBrushOrgEx(dc, oldOrigin.x, oldOrigin.y, nullptr);
  SelectClipRgn(dc, nullptr);
}

// Composes anew, sets the brush, draws the border.
void TWinSkinPopMenu::PaintBorder() {
  const TWindowDC dc(FHandle, TWindowDC::Window);
  ComposeBackground();
  SetMenuBrush();
  DrawBorderFrame(dc);
}

// Composes again only when the size changed.
void TWinSkinPopMenu::Paint(TMessage& Message) {
  if (!SkinUsable()) {
    Default(Message);
    return;
  }
  RECT r;
  GetWindowRect(FHandle, &r);
  if (FBackground.Width() != r.right - r.left || FBackground.Height() != r.bottom - r.top)
    ComposeBackground();
  SetMenuBrush();
  Default(Message);
  const TWindowDC dc(FHandle, TWindowDC::Window);
  DrawBorderFrame(dc);
}

// Four BitBlts of the outer strips.
void TWinSkinPopMenu::DrawBorderFrame(HDC DC) {
  const int w = FBackground.Width(), h = FBackground.Height();
  if (FBackground.Empty()) return;
  HDC source = FBackground.Canvas().Handle();
  BitBlt(DC, 0, 0, w, kBorder, source, 0, 0, SRCCOPY);
  BitBlt(DC, 0, h - kBorder, w, kBorder, source, 0, h - kBorder, SRCCOPY);
  BitBlt(DC, 0, kBorder, kBorder, h - kBorder, source, 0, kBorder, SRCCOPY);
  BitBlt(DC, w - kBorder, kBorder, kBorder, h - kBorder, source, w - kBorder, kBorder, SRCCOPY);
}

// A pattern brush of the background from the client origin on, set as the
// menu's MENUINFO background; the menu's own brush is kept to put back.
void TWinSkinPopMenu::SetMenuBrush() {
  if (FBackground.Empty()) return;
  TMessage query{kGetMenuMessage, 0, 0, 0};
  Default(query);
  const auto menu = reinterpret_cast<HMENU>(query.Result);
  if (!menu || !IsMenu(menu)) return;
  // The platform fills with the brush from the client origin on.
  RECT window, client;
  GetWindowRect(FHandle, &window);
  GetClientRect(FHandle, &client);
  POINT origin{0, 0};
  ClientToScreen(FHandle, &origin);
  if (client.right <= 0 || client.bottom <= 0) return;
  std::unique_ptr<TBitmap> work = WorkBitmap(client.right, client.bottom);
  if (work->Empty()) return;
  BitBlt(work->Canvas().Handle(), 0, 0, client.right, client.bottom, FBackground.Canvas().Handle(),
         origin.x - window.left, origin.y - window.top, SRCCOPY);
  TBitmapObject picture(work->ReleaseHandle());
  TBrushObject brush(CreatePatternBrush(picture.Get()));
  if (!brush) return;
  MENUINFO info{};
  info.cbSize = sizeof info;
  info.fMask = MIM_BACKGROUND;
  if (FBrushMenu != menu) {
    PutMenuBrushBack();
    if (!GetMenuInfo(menu, &info)) return;
    FSavedMenuBrush = info.hbrBack;
    FBrushMenu = menu;
  }
  info.hbrBack = brush.Get();
  SetMenuInfo(menu, &info);
  // The menu no longer uses the brush made for the last paint.
  FBrush = std::move(brush);
  FBrushBitmap = std::move(picture);
}

// The saved brush back on the menu, if it still exists.
void TWinSkinPopMenu::PutMenuBrushBack() {
  if (FBrushMenu && IsMenu(FBrushMenu)) {
    MENUINFO info{};
    info.cbSize = sizeof info;
    info.fMask = MIM_BACKGROUND;
    info.hbrBack = FSavedMenuBrush;
    SetMenuInfo(FBrushMenu, &info);
  }
  FBrushMenu = nullptr;
  FSavedMenuBrush = nullptr;
  FBrush.Reset();
  FBrushBitmap.Reset();
}
