#include "skin/window/MenuItems.h"

#include <algorithm>
#include <memory>

#include "skin/draw/SkinDraw.h"
#include "skin/draw/SkinModel.h"
#include "ui/ImgList.h"
#include "ui/Menus.h"

namespace {

// The longest menu text read.
constexpr int kMenuText = 80;
// The system's check-mark bitmap (OBM_CHECK, an OEM resource).
constexpr WORD kCheckMarkBitmap = 32760;

}  // namespace

// GetMenuStringA by command.
std::string MenuString(HMENU Menu, UINT ItemID) {
  char text[kMenuText + 1] = {};
  GetMenuStringA(Menu, ItemID, text, kMenuText, MF_BYCOMMAND);
  return text;
}

// The text and the state by command.
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

// Caption and shortcut wide plus room for the mark; separators 8 high.
void MeasureMenuItemFacts(const TMenuItemFacts& Item, TCanvas& Canvas, bool Win9x, int& Width,
                          int& Height) {
  const std::string text = Item.Caption + Item.ShortCut;
  Width = Canvas.TextWidth(text) + 26;
  Height = Item.IsLine() ? 8 : Height + 4;
  if (Win9x) Height += 4;
}

// Transparent text in the item's colour, or an etched line for a separator.
void DrawMenuItemText(TSkinModel& Skin, const TMenuItemFacts& Item, TCanvas& Canvas, UINT Format,
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
    const TSaveDCGuard state(dc);
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, ColorToRGB(colour));
    DrawTextA(dc, text.c_str(), -1, &Rect, Format);
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
  const int x = Box.left + (RectWidth(Box) - info.bmWidth) / 2 + 1;
  const int y = Box.top + (RectHeight(Box) - info.bmHeight) / 2 + 1;
  const TSaveDCGuard state(DC);
  SetTextColor(DC, RGB(0, 0, 0));
  SetBkColor(DC, RGB(255, 255, 255));
  BitBlt(DC, x, y, info.bmWidth, info.bmHeight, mono, 0, 0, SRCAND);
  SetTextColor(DC, ColorToRGB(clBtnText));
  SetBkColor(DC, RGB(0, 0, 0));
  BitBlt(DC, x, y, info.bmWidth, info.bmHeight, mono, 0, 0, SRCPAINT);
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
std::unique_ptr<TBitmap> ItemBackground(TSkinModel& Skin, TBitmap* Background, HDC Target,
                                        const TRect& Rect) {
  std::unique_ptr<TBitmap> work = WorkBitmap(RectWidth(Rect), RectHeight(Rect));
  HDC dc = work->Canvas().Handle();
  if (Background && !Background->Empty()) {
    const POINT origin = ItemOriginInWindow(Target);
    BitBlt(dc, 0, 0, RectWidth(Rect), RectHeight(Rect), Background->Canvas().Handle(),
           Rect.left + origin.x, Rect.top + origin.y, SRCCOPY);
  } else {
    const RECT all{0, 0, RectWidth(Rect), RectHeight(Rect)};
    const TBrushObject fill(CreateSolidBrush(ColorToRGB(Skin.MenuColour)));
    FillRect(dc, &all, fill);
  }
  return work;
}

}  // namespace

// The image (or the check mark) in a 16-pixel box, the caption centred
// vertically after it, the shortcut at the right.
void DrawMenuItemContent(TSkinModel& Skin, const TMenuItemFacts& Item, TCanvas& Canvas,
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
  OffsetRect(&m, 0, (RectHeight(t) - RectHeight(m)) / 2);
  DrawMenuItemText(Skin, Item, Canvas, Item.Alignment | DT_EXPANDTABS | DT_SINGLELINE, Selected, m,
                   Item.Caption);
  if (!Item.ShortCut.empty()) {
    TRect s{m.right, m.top, t.right - 10, m.bottom};
    DrawMenuItemText(Skin, Item, Canvas, DT_RIGHT | DT_EXPANDTABS | DT_SINGLELINE, Selected, s,
                     Item.ShortCut);
  }
}

// Frame 2 of the MenuItem strip: its edges kept, its middle stretched,
// drawn transparent.
void DrawMenuSeparator(TSkinModel& Skin, TCanvas& Canvas, const TRect& Rect) {
  TDataSkinObject* element = Skin.MenuItem.get();
  if (!element || element->Bitmap.Empty()) return;
  TBitmap& image = element->Bitmap;
  const int fw = image.Width() / 5, ih = image.Height();
  const int w = RectWidth(Rect), h = std::min(RectHeight(Rect), ih);
  if (fw <= 0 || w <= 0 || h <= 0) return;
  const int sy = RectHeight(Rect) < ih ? ih - RectHeight(Rect) : 0;
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

// Composed in a work bitmap and copied once.
void DrawMenuItemFlat(TSkinModel& Skin, const TMenuItemFacts& Item, TCanvas& Canvas, bool Selected,
                      const TRect& Rect) {
  std::unique_ptr<TBitmap> work = WorkBitmap(RectWidth(Rect), RectHeight(Rect));
  if (work->Empty()) return;
  {
    const RECT all{0, 0, RectWidth(Rect), RectHeight(Rect)};
    const TBrushObject fill(
        CreateSolidBrush(ColorToRGB(Selected ? Skin.HilightColour : Skin.ButtonFaceColour)));
    FillRect(work->Canvas().Handle(), &all, fill);
  }
  work->Canvas().Font().Assign(&Canvas.Font());
  DrawMenuItemContent(Skin, Item, work->Canvas(), Selected,
                      TRect{0, 0, RectWidth(Rect), RectHeight(Rect)});
  BitBlt(Canvas.Handle(), Rect.left, Rect.top, RectWidth(Rect), RectHeight(Rect),
         work->Canvas().Handle(), 0, 0, SRCCOPY);
}

// The background under the item, the item's frame over it, the content;
// a separator draws its line after the copy.
void DrawMenuItemFacts(TSkinModel& Skin, const TMenuItemFacts& Item, TCanvas& Canvas, bool Selected,
                       const TRect& Rect, TBitmap* Background) {
  TDataSkinObject* element = Skin.MenuItem.get();
  if (!element || element->Bitmap.Empty()) {
    DrawMenuItemFlat(Skin, Item, Canvas, Selected, Rect);
    return;
  }
  std::unique_ptr<TBitmap> work = ItemBackground(Skin, Background, Canvas.Handle(), Rect);
  if (work->Empty()) return;
  const TRect all{0, 0, RectWidth(Rect), RectHeight(Rect)};
  if (!Item.IsLine()) {
    TBitmap& frame =
        element->Composed.Get(element->Bitmap, element->Margins, RectWidth(all), RectHeight(all),
                              false, element->Tile != 0, 5, Selected ? 4 : 1);
    if (!frame.Empty()) PutPicture(work->Canvas().Handle(), 0, 0, frame, element->Trans != 0);
    work->Canvas().Font().Assign(&Canvas.Font());
    DrawMenuItemContent(Skin, Item, work->Canvas(), Selected, all);
  }
  BitBlt(Canvas.Handle(), Rect.left, Rect.top, RectWidth(Rect), RectHeight(Rect),
         work->Canvas().Handle(), 0, 0, SRCCOPY);
  if (Item.IsLine()) DrawMenuSeparator(Skin, Canvas, Rect);
}

// The caption, state, shortcut, images and alignment of the item and its menu.
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
