// Tab and page controls: the tab strip and the page border drawn from the
// skin's Tabs element.
#include "skin/controls/SkinTab.h"

#include "skin/controls/ControlDrawing.h"
#include "skin/draw/BitmapUtils.h"
#include "skin/draw/SkinDraw.h"
#include "skin/draw/SkinText.h"
#include "ui/Published.h"

QUORVEL_DEFINE_CLASS(TSkinTab) {}

namespace {

constexpr UINT kTabItemMask = TCIF_TEXT | TCIF_IMAGE | TCIF_STATE;  // 19
constexpr int kTabTextLength = 80;
// The page border's fixed edges.
const TSkinRect kBorderMargins{4, 5, 4, 4};

// Whether the element exists and has a picture.
bool HasImage(const TDataSkinObject* Element) { return Element && !Element->Bitmap.Empty(); }

// The tab strip's side from a tab control's style.
TTabSide TabSideOf(LONG_PTR Style) {
  const bool bottom = (Style & TCS_BOTTOM) != 0, vertical = (Style & TCS_VERTICAL) != 0;
  if (bottom && vertical) return TTabSide::Right;
  if (bottom) return TTabSide::Bottom;
  if (vertical) return TTabSide::Left;
  return TTabSide::Top;
}

}  // namespace

// A 24-bit work bitmap for the strip.
TSkinTab::TSkinTab(TComponent* AOwner) : TSkinControl(AOwner) {
  FWorkBitmap.SetPixelFormat(TPixelFormat::pf24bit);
}

// The base attach, then focus, enabled state and caption again, and the pictures.
void TSkinTab::InitWindow(HWND Handle, TSkinModel* SkinData, TCanvas* Canvas) {
  TSkinControl::InitWindow(Handle, SkinData, Canvas);
  FFocused = GetFocus() == FHandle;
  FEnabled = (GetWindowLongPtrA(FHandle, GWL_STYLE) & WS_DISABLED) == 0;
  FCaption = ReadCaption();
  PrepareImages();
}

// The tab picture is taken even when the skin has no page border: then only
// the border is left to the control.
void TSkinTab::PrepareImages() {
  FTabPosition = TabSideOf(GetWindowLongPtrA(FHandle, GWL_STYLE));
  TDataSkinBorder* tabs = FSkinData ? FSkinData->Tabs.get() : nullptr;
  if (!HasImage(tabs)) return;
  FTabImage.Assign(&tabs->Bitmap);
  FTabImage.SetPixelFormat(TPixelFormat::pf24bit);
  if (tabs->BorderBitmap.Empty()) {
    FBorderImage.Clear();
  } else {
    FBorderImage.Assign(&tabs->BorderBitmap);
    FBorderImage.SetPixelFormat(TPixelFormat::pf24bit);
  }
  switch (FTabPosition) {
    case TTabSide::Bottom:
      FlipVertical(FTabImage);
      FlipVertical(FBorderImage);
      break;
    case TTabSide::Left: RotateLeft(FBorderImage); break;
    case TTabSide::Right: RotateRight(FBorderImage); break;
    default: break;
  }
}

// The page border's place from the control's display rectangle, then the
// strip beside it and the border over it.
void TSkinTab::PaintControl(HDC DC, const TRect& Rect) {
  TDataSkinBorder* tabs = FSkinData ? FSkinData->Tabs.get() : nullptr;
  const bool hasTabs = HasImage(tabs) && !FTabImage.Empty();

  TRect D = Rect;
  SendMessageA(FHandle, TCM_ADJUSTRECT, FALSE, reinterpret_cast<LPARAM>(&D));
  InflateRect(&D, 4, 4);
  switch (FTabPosition) {
    case TTabSide::Top: D.top += 1; break;
    case TTabSide::Bottom: D.bottom -= 1; break;
    case TTabSide::Left: D.left += 1; break;
    default: D.right -= 1; break;
  }

  if (hasTabs) {
    TRect S;
    switch (FTabPosition) {
      case TTabSide::Top: S = TRect{Rect.left, Rect.top, Rect.right, D.top}; break;
      case TTabSide::Bottom: S = TRect{Rect.left, D.bottom, Rect.right, Rect.bottom}; break;
      case TTabSide::Left: S = TRect{Rect.left, Rect.top, D.left, Rect.bottom}; break;
      default: S = TRect{D.right, Rect.top, Rect.right, Rect.bottom}; break;
    }
    PaintStrip(DC, Rect, D, S);
    if (!tabs->BorderBitmap.Empty() && !FBorderImage.Empty())
      DrawNineSliceTo(DC, D, FBorderImage, false, 1, 1, kBorderMargins);
  }
}

// Every tab composed lying as if on top, turned at the end for the other sides.
void TSkinTab::PaintStrip(HDC DC, const TRect& Rect, const TRect& D, const TRect& S) {
  TDataSkinBorder& tabs = *FSkinData->Tabs;
  const int sw = S.right - S.left, sh = S.bottom - S.top;
  if (sw <= 0 || sh <= 0) return;
  const bool lying = FTabPosition == TTabSide::Left || FTabPosition == TTabSide::Right;
  FWorkBitmap.SetPixelFormat(TPixelFormat::pf24bit);
  FWorkBitmap.SetSize(lying ? sh : sw, lying ? sw : sh);
  TCanvas& canvas = FWorkBitmap.Canvas();
  HDC work = canvas.Handle();
  FillFace(work, TRect{0, 0, FWorkBitmap.Width(), FWorkBitmap.Height()});
  UseWindowFont(canvas.Font(), FHandle);
  canvas.Font().SetColor(FSkinData->ButtonTextColour);

  const int count = static_cast<int>(SendMessageA(FHandle, TCM_GETITEMCOUNT, 0, 0));
  const int focused = static_cast<int>(SendMessageA(FHandle, TCM_GETCURFOCUS, 0, 0));
  const auto images = reinterpret_cast<HIMAGELIST>(SendMessageA(FHandle, TCM_GETIMAGELIST, 0, 0));
  // Item rectangles come in client coordinates; the picture is in window ones.
  RECT window{};
  GetWindowRect(FHandle, &window);
  POINT origin{0, 0};
  ClientToScreen(FHandle, &origin);
  const int dx = origin.x - window.left, dy = origin.y - window.top;

  for (int i = 0; i < count; ++i) {
    char text[kTabTextLength + 1] = {};
    TCITEMA item{};
    item.mask = kTabItemMask;
    item.pszText = text;
    item.cchTextMax = kTabTextLength;
    SendMessageA(FHandle, TCM_GETITEMA, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&item));
    TRect T{0, 0, 0, 0};
    SendMessageA(FHandle, TCM_GETITEMRECT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&T));
    OffsetRect(&T, dx, dy);
    switch (FTabPosition) {
      case TTabSide::Top: OffsetRect(&T, 0, 1); break;
      case TTabSide::Bottom: OffsetRect(&T, 0, -D.bottom - 1); break;
      case TTabSide::Left: {
        const int ww = FWorkBitmap.Width();
        T = TRect{ww - T.bottom, T.left, ww - T.top, T.right};
        break;
      }
      default: T = TRect{T.top - 1, Rect.right - T.right, T.bottom - 1, Rect.right - T.left}; break;
    }
    const int frame = i == focused ? 2 : 1;
    DrawNineSliceOn(work, T, FTabImage, false, tabs.Tile != 0, tabs.Trans != 0, tabs.FrameCount,
                    frame, tabs.Margins);
    canvas.Font().SetColor(frame == 1 ? tabs.NormalColour2 : tabs.MouseOverColour2);
    if (images)
      DrawTabCaption(canvas, T, FEnabled, text, item.iImage, images);
    else
      DrawSkinText(canvas, T, DT_CENTER, true, text);
  }

  if (FTabPosition == TTabSide::Right) RotateRight(FWorkBitmap);
  if (FTabPosition == TTabSide::Left) RotateLeft(FWorkBitmap);
  BitBlt(DC, S.left, S.top, sw, sh, FWorkBitmap.Canvas().Handle(), 0, 0, SRCCOPY);
}

// The pair is measured, centred, and drawn with the canvas's font.
void DrawTabCaption(TCanvas& Canvas, const TRect& Rect, bool Enabled, const std::string& Text,
                    int ImageIndex, HIMAGELIST ImageList) {
  const int imageSize = ImageIndex == -1 ? 0 : 16;
  const UINT format = DT_CENTER | DT_SINGLELINE | DT_EXPANDTABS;
  HDC dc = Canvas.Handle();
  Canvas.Font().SetStyle(0);
  if (!Enabled) Canvas.Font().SetColor(clBtnShadow);
  const TSelectObjectGuard font(dc, Canvas.Font().Handle());
  const TSaveDCGuard state(dc);
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, ColorToRGB(Canvas.Font().Color()));

  RECT text = Rect;
  if (imageSize) text.right += imageSize + 2;
  int tw = 0, th = 0;
  if (!Text.empty()) {
    DrawTextA(dc, Text.c_str(), -1, &text, format | DT_CALCRECT | DT_NOCLIP);
    tw = text.right - text.left;
    th = text.bottom - text.top;
  }
  const int rw = Rect.right - Rect.left, rh = Rect.bottom - Rect.top;
  const int half = (rw - imageSize - tw) / 2;
  if (imageSize)
    ImageList_Draw(ImageList, ImageIndex, dc, Rect.left + half, Rect.top + (rh - 16) / 2,
                   ILD_TRANSPARENT);
  if (!Text.empty()) {
    const int left = Rect.left + imageSize + half + 1, top = Rect.top + (rh - th) / 2;
    RECT at{left, top, left + tw, top + th};
    DrawTextA(dc, Text.c_str(), -1, &at, format);
  }
}

// The pictures again, then the base's colour.
void TSkinTab::SkinChanged() {
  PrepareImages();
  TSkinControl::SkinChanged();
}
