#include "skin/window/FramePainter.h"

#include <algorithm>
#include <cassert>
#include <utility>
#include <vector>

#include "skin/draw/SkinDraw.h"
#include "skin/draw/SkinModel.h"
#include "skin/window/CaptionPlacement.h"
#include "skin/window/WinSkinMenu.h"

namespace {

// A strip's frame count, never below 1 (a damaged skin may say 0).
int Frames(const TDataSkinObject& Object) { return std::max(1, Object.FrameCount); }

// The opaque pixels of picture as a region at (x, y).
TRegionObject OpaquePart(TBitmap& picture, int x, int y) {
  return BitmapToRegion(picture, x, y, 1, 1, 1, SkinKeyColour);
}

// The most rectangles a shown window loses from its shape in one step. The
// X server reports an exposure of more than 25 rectangles as their bounding
// box, and Wine raises a window exposed under a window above it to the top
// of its own order: a window underneath would take the input over the whole
// skinned window, while the screen still shows the skinned one on top.
constexpr DWORD kPiecesPerStep = 12;

// The rectangles of Region, in the platform's order.
std::vector<RECT> RectsOf(HRGN Region) {
  const DWORD size = GetRegionData(Region, 0, nullptr);
  if (size == 0) return {};
  std::vector<uint8_t> data(size);
  auto* header = reinterpret_cast<RGNDATA*>(data.data());
  if (!GetRegionData(Region, size, header)) return {};
  const auto* rects = reinterpret_cast<const RECT*>(header->Buffer);
  return std::vector<RECT>(rects, rects + header->rdh.nCount);
}

// Sets Region (taken over) as Wnd's region (W x H); what it takes away from
// the window's present shape goes a few rectangles at a time. Without
// Redraw nothing is repainted.
bool SetRegionInSteps(HWND Wnd, int W, int H, TRegionObject Region, bool Redraw) {
  TRegionObject current(CreateRectRgn(0, 0, 0, 0));
  if (GetWindowRgn(Wnd, current) == ERROR) current.Reset(CreateRectRgn(0, 0, W, H));
  TRegionObject removed(CreateRectRgn(0, 0, 0, 0));
  CombineRgn(removed, current, Region.Get(), RGN_DIFF);
  const std::vector<RECT> pieces = RectsOf(removed);
  if (IsWindowVisible(Wnd) && pieces.size() > kPiecesPerStep) {
    for (size_t i = 0; i + kPiecesPerStep < pieces.size(); i += kPiecesPerStep) {
      for (size_t j = i; j < i + kPiecesPerStep; ++j) {
        const TRegionObject piece(CreateRectRgnIndirect(&pieces[j]));
        CombineRgn(current, current, piece, RGN_DIFF);
      }
      TRegionObject step(CreateRectRgn(0, 0, 0, 0));
      CombineRgn(step, current, nullptr, RGN_COPY);
      if (SetWindowRgn(Wnd, step.Get(), FALSE)) step.Release();  // the system's now
    }
  }
  if (!SetWindowRgn(Wnd, Region.Get(), Redraw)) return false;
  Region.Release();
  return true;
}

}  // namespace

TSharedRegions* TSharedRegions::FCurrent = nullptr;

// Serves from now on.
TSharedRegions::TSharedRegions() : FOuter(FCurrent) { FCurrent = this; }

// The outer one serves again.
TSharedRegions::~TSharedRegions() { FCurrent = FOuter; }

bool TSharedRegions::TKey::operator==(const TKey& o) const {
  return Skin == o.Skin && W == o.W && H == o.H && L == o.L && T == o.T && R == o.R && B == o.B &&
         Frameless == o.Frameless && Active == o.Active;
}

// RGN_COPY into a new region.
bool TSharedRegions::Copy(const TKey& Key, TRegionObject& Region) const {
  for (const TEntry& entry : FEntries) {
    if (!(entry.Key == Key)) continue;
    Region.Reset(CreateRectRgn(0, 0, 0, 0));
    return CombineRgn(Region, entry.Region, nullptr, RGN_COPY) != ERROR;
  }
  return false;
}

// A copy, since the system takes the region it is given.
void TSharedRegions::Keep(const TKey& Key, HRGN Region) {
  TRegionObject copy(CreateRectRgn(0, 0, 0, 0));
  if (CombineRgn(copy, Region, nullptr, RGN_COPY) != ERROR)
    FEntries.push_back(TEntry{Key, std::move(copy)});
}

// A painter with no pictures yet.
TFramePainter::TFramePainter(HWND Wnd) : FHandle(Wnd) {}

// Side and bottom borders, the title, then the bar below it; the client
// area that the frame leaves is clipped out.
void TFramePainter::Paint(HDC DC, const TFrameView& View, const std::string& Caption,
                          TTitleButtons& Buttons, TTitleState Title, TWinSkinMenu* Bar,
                          const std::function<void(HDC)>& BarExtra) {
  assert(View.Skin && !View.Skin->SkinEmpty);
  RECT window;
  GetWindowRect(FHandle, &window);
  FFrameWidth = RectWidth(window);
  FFrameHeight = RectHeight(window);
  const int w = FFrameWidth, h = FFrameHeight;
  const TFrameMetrics& m = View.Metrics;
  const TSaveDCGuard state(DC);
  const RECT client = ToRect(m.ClientRect(0, 0, w, h));
  ExcludeClipRect(DC, client.left, client.top, client.right, client.bottom);
  PaintBorderPiece(View, 1, ToRect(m.LeftRect(w, h)), DC);
  PaintBorderPiece(View, 2, ToRect(m.RightRect(w, h)), DC);
  PaintBorderPiece(View, 4, ToRect(m.BottomRect(w, h)), DC);
  PaintTitle(DC, View, Caption, Buttons, Title);
  if (Bar) Bar->PaintBar(DC, ToRect(m.MenuRect(w)), View.Active, BarExtra);
}

// Frame 1, or 2 for an inactive window whose border has two frames; a
// picture of the same size and frame is reused.
TBitmap& TFramePainter::BorderPicture(const TFrameView& View, int Index, int w, int h) {
  TDataSkinBorder& piece = *View.Skin->Borders[size_t(Index)];
  const int frame = (View.Active || Frames(piece) == 1) ? 1 : 2;
  TPieceCache& cache = FPieceCache[size_t(Index)];
  if (!cache.Picture || cache.W != w || cache.H != h || cache.Frame != frame) {
    cache.Picture = DrawNineSlice(TRect{0, 0, w, h}, piece.Bitmap, piece.Margins, Index >= 3,
                                  piece.Tile != 1, Frames(piece), frame);
    cache.W = w;
    cache.H = h;
    cache.Frame = frame;
  }
  return *cache.Picture;
}

// Every cached piece goes.
void TFramePainter::ForgetBorderPictures() {
  for (TPieceCache& cache : FPieceCache) cache = TPieceCache{};
}

// One BitBlt of the cached picture.
void TFramePainter::PaintBorderPiece(const TFrameView& View, int Index, const TRect& Rect, HDC DC) {
  const int w = RectWidth(Rect), h = RectHeight(Rect);
  if (w <= 0 || h <= 0) return;
  BitBlt(DC, Rect.left, Rect.top, w, h, BorderPicture(View, Index, w, h).Canvas().Handle(), 0, 0,
         SRCCOPY);
}

// Ends, middle, caption and buttons composed, then one copy.
void TFramePainter::PaintTitle(HDC DC, const TFrameView& View, const std::string& Caption,
                               TTitleButtons& Buttons, TTitleState Title) {
  const TFrameMetrics& m = View.Metrics;
  FTitleBitmap.SetSize(FFrameWidth, m.TitleHeight);
  if (!FTitleBitmap.Empty()) {
    HDC title = FTitleBitmap.Canvas().Handle();
    // The title's ends are the tops of the side borders just painted; they
    // come from their pictures rather than back from the screen.
    if (m.BorderLeft > 0)
      BitBlt(title, 0, 0, m.BorderLeft, m.TitleHeight,
             BorderPicture(View, 1, m.BorderLeft, FFrameHeight).Canvas().Handle(), 0, 0, SRCCOPY);
    if (m.BorderRight > 0)
      BitBlt(title, FFrameWidth - m.BorderRight, 0, m.BorderRight, m.TitleHeight,
             BorderPicture(View, 2, m.BorderRight, FFrameHeight).Canvas().Handle(), 0, 0, SRCCOPY);
    const TRect r = ToRect(m.TitleRect(FFrameWidth));
    PaintBorderPiece(View, 3, r, title);
    // The buttons at the title's ends are placed first: the caption ends
    // where they begin. Those placed beside the caption follow it.
    Title.FrameWidth = FFrameWidth;
    Title.CaptionRect = FCaptionRect;
    Buttons.Layout(Title);
    PaintCaption(FTitleBitmap.Canvas(), r, View, Caption, RightButtonsLeft(Buttons, r));
    Title.CaptionRect = FCaptionRect;
    Buttons.Layout(Title);
    Buttons.Paint(FTitleBitmap.Canvas(), Title);
    BitBlt(DC, 0, 0, FFrameWidth, m.TitleHeight, title, 0, 0, SRCCOPY);
  }
  // A title lower than the platform's caption and frame leaves a strip that
  // the platform's frame would have covered (only what of it is not client
  // area shows: the DC is clipped to the frame).
  const int platformTop = GetSystemMetrics(SM_CYCAPTION) + GetSystemMetrics(SM_CXFRAME);
  if (m.TitleHeight + m.MenuHeight < platformTop) {
    const RECT strip{m.BorderLeft, m.TitleHeight, FFrameWidth - m.BorderRight,
                     platformTop - m.MenuHeight};
    FillRect(DC, &strip, View.Skin->FaceBrush());
  }
}

// The visible title buttons of the right half (those at the title's ends;
// the menu band's are not in the title).
int TFramePainter::RightButtonsLeft(const TTitleButtons& Buttons, const TRect& R) {
  int left = R.right;
  for (const auto& button : Buttons.Buttons()) {
    const TDataSkinSysButton& entry = *button->SkinObject();
    if (!button->Visible() || entry.Bitmap.Empty() || entry.Visibility == 100) continue;
    if (entry.Align != 0 && entry.Align != 1) continue;
    const TRect& b = button->Bounds();
    if (b.left >= (R.left + R.right) / 2) left = std::min<int>(left, b.left);
  }
  return left;
}

// Measured, placed by the title's alignment and shifts, clipped on the
// right where the buttons begin, drawn over its text back.
void TFramePainter::PaintCaption(TCanvas& Canvas, const TRect& R, const TFrameView& View,
                                 const std::string& Caption, int ButtonsLeft) {
  TSkinModel& skin = *View.Skin;
  TDataSkinTitle& title = *skin.Title;
  HDC dc = Canvas.Handle();
  const TSaveDCGuard state(dc);
  SetBkMode(dc, TRANSPARENT);
  const TSelectObjectGuard font(dc, FCaptionFont.Handle());
  SetTextColor(dc,
               ColorToRGB(View.Active ? skin.TitleTextActiveColour : skin.TitleTextInactiveColour));

  RECT measured = R;
  DrawTextA(dc, Caption.c_str(), -1, &measured, DT_CALCRECT | DT_NOCLIP);
  TCaptionLayout layout;
  layout.Title = TSkinRect{R.left, R.top, R.right, R.bottom};
  layout.TextWidth = RectWidth(measured);
  layout.TextHeight = RectHeight(measured);
  layout.TextBackLeft = title.TextBackLeft;
  layout.TextBackRight = title.TextBackRight;
  layout.Alignment = title.TextAlignment;
  layout.Margins = title.Margins;
  layout.ButtonsLeft = ButtonsLeft;
  RECT m = ToRect(PlaceCaption(layout));
  FCaptionRect = m;

  if (!title.Bitmap.Empty())
    DrawHorzThreePart(Canvas, TRect{m.left, R.top, m.right, R.bottom}, title.Bitmap, true, true, 2,
                      View.Active ? 1 : 2,
                      TSkinRect{title.TextBackLeft, 0, title.TextBackRight, 0});
  m.left += title.TextBackLeft;
  m.right -= title.TextBackRight;
  // The blanks after the text only pad it: a caption cut by the clip loses
  // them before any of its letters.
  std::string shown = Caption;
  if (RectWidth(m) < layout.TextWidth) shown.erase(shown.find_last_not_of(' ') + 1);
  DrawTextA(dc, shown.c_str(), -1, &m, DT_SINGLELINE | DT_END_ELLIPSIS);
}

// Opaque pieces of each transparent border (the last painted title when it
// has the window's width), rectangles of the others, and the client area.
void TFramePainter::UpdateRegion(const TFrameView& View, bool Redraw) {
  if (!View.Skin || View.Skin->SkinEmpty || FSettingRegion) return;
  RECT window;
  GetWindowRect(FHandle, &window);
  const int w = RectWidth(window), h = RectHeight(window);
  if (w * h == 0) return;
  const bool mdiChild = View.Kind == TFrameKind::MDIChild;
  if (mdiChild && View.WindowState != TFrameWindowState::Normal) return;
  if (w == FRegionWidth && h == FRegionHeight && !mdiChild &&
      View.Phase != TFormPhase::SkinChanging)
    return;

  const TFrameMetrics& m = View.Metrics;
  const int L = m.BorderLeft, T = m.TitleHeight, R = m.BorderRight, B = m.BorderBottom;
  const auto& b = View.Skin->Borders;
  const bool shaped = b[1]->Trans || b[2]->Trans || b[3]->Trans || b[4]->Trans;
  // A region cut around the last painted title is this window's own.
  const bool ownTitle = shaped && !View.Frameless && b[3]->Trans == 1 && T > 1 && w - L - R > 0 &&
                        FTitleBitmap.Width() == w && FTitleBitmap.Height() == T;
  TSharedRegions* shared = ownTitle ? nullptr : TSharedRegions::Current();
  const TSharedRegions::TKey key{View.Skin, w, h, L, T, R, B, View.Frameless, View.Active};
  TRegionObject region;
  if (shared && shared->Copy(key, region)) {
    if (shaped) {
      FRegionWidth = w;
      FRegionHeight = h;
    }
    shared = nullptr;  // kept already
  } else if (!shaped) {
    region.Reset(CreateRectRgn(0, 0, w, h));
  } else {
    FRegionWidth = w;
    FRegionHeight = h;
    region.Reset(CreateRectRgn(L, T, w - R, h - B));
    if (!View.Frameless) {
      const int innerWidth = w - L - R;
      TRegionObject left, right, bottom, top;
      if (b[1]->Trans == 1 && h > 1 && L > 0)
        left = OpaquePart(BorderPicture(View, 1, L, h), 0, 0);
      else
        left.Reset(CreateRectRgn(0, 0, L, h));
      if (b[2]->Trans == 1 && h > 1 && R > 0)
        right = OpaquePart(BorderPicture(View, 2, R, h), w - R, 0);
      else
        right.Reset(CreateRectRgn(w - R, 0, w, h));
      if (b[4]->Trans == 1 && B >= 2 && innerWidth > 0)
        bottom = OpaquePart(BorderPicture(View, 4, innerWidth, B), L, h - B);
      else
        bottom.Reset(CreateRectRgn(L, h - B, w - R, h));
      if (b[3]->Trans == 1 && T > 1 && innerWidth > 0) {
        // The last painted title counts its caption and buttons as opaque;
        // it only serves while it has the window's present width.
        if (FTitleBitmap.Width() == w && FTitleBitmap.Height() == T) {
          TBitmap title;
          title.SetSize(innerWidth, T);
          BitBlt(title.Canvas().Handle(), 0, 0, innerWidth, T, FTitleBitmap.Canvas().Handle(), L, 0,
                 SRCCOPY);
          top = OpaquePart(title, L, 0);
        } else {
          top = OpaquePart(BorderPicture(View, 3, innerWidth, T), L, 0);
        }
      } else {
        top.Reset(CreateRectRgn(L, 0, w - R, T));
      }
      CombineRgn(left, left, right, RGN_OR);
      CombineRgn(bottom, bottom, top, RGN_OR);
      CombineRgn(left, left, bottom, RGN_OR);
      CombineRgn(region, region, left, RGN_OR);
    }
  }
  if (shared) shared->Keep(key, region);
  // Once set, the region belongs to the system. Setting it sends the window
  // size messages (of the same size).
  const HRGN handle = region.Get();
  FSettingRegion = true;
  const bool set = SetRegionInSteps(FHandle, w, h, std::move(region), Redraw);
  FSettingRegion = false;
  if (set) {
    FRegion = handle;
    FRegionSet = true;
  }
}

// Only a region of ours; the title picture goes with it.
void TFramePainter::DropRegion() {
  if (!FRegionSet) return;
  FTitleBitmap.Clear();
  FRegion = nullptr;
  SetWindowRgn(FHandle, nullptr, FALSE);
  FRegionSet = false;
}

// Whatever region the window has goes, with a repaint.
void TFramePainter::RemoveRegion() {
  FTitleBitmap.Clear();
  SetWindowRgn(FHandle, nullptr, TRUE);
  FRegion = nullptr;
  FRegionSet = false;
}

// The system freed the region with the window.
void TFramePainter::ForgetRegion() {
  FRegion = nullptr;
  FRegionSet = false;
}
