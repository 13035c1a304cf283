// Column headers drawn from the skin's Headerbar element.
#include "skin/controls/SkinHeader.h"

#include <commctrl.h>

#include <algorithm>
#include <optional>

#include "skin/draw/SkinDraw.h"
#include "ui/Published.h"

QUORVEL_DEFINE_CLASS(TSkinHeader) {}

namespace {

constexpr int kHeaderTextLength = 201;

// Whether the element exists and has a picture.
bool HasImage(const TDataSkinObject* Element) { return Element && !Element->Bitmap.Empty(); }

}  // namespace

// A skinner for a column header.
TSkinHeader::TSkinHeader(TComponent* AOwner) : TSkinControl(AOwner) {}

// The base attach, then the owner's list.
void TSkinHeader::InitWindow(HWND Handle, TSkinModel* SkinData, TCanvas* Canvas) {
  TSkinControl::InitWindow(Handle, SkinData, Canvas);
  if (TSkinnerHost* host = Host()) host->Skinners().Add(this);
}

// The erase goes when the skin paints the header.
bool TSkinHeader::BeforeProc(TMessage& Message) {
  if (Message.Msg == WM_ERASEBKGND && FSkinData && HasImage(FSkinData->Headerbar.get())) {
    Message.Result = 1;
    return false;
  }
  return true;
}

// A Headerbar element without a picture leaves the header to the platform,
// like a missing one.
void TSkinHeader::PaintControl(HDC DC, const TRect& Rect) {
  TDataSkinObject* bar = FSkinData ? FSkinData->Headerbar.get() : nullptr;
  if (!HasImage(bar)) return;
  const int w = Rect.right - Rect.left, h = Rect.bottom - Rect.top;
  if (w <= 0 || h <= 0) return;
  TBitmap picture;
  picture.SetSize(w, h);
  HDC dc = picture.Canvas().Handle();
  const HFONT font = reinterpret_cast<HFONT>(SendMessageA(FHandle, WM_GETFONT, 0, 0));
  std::optional<TSelectObjectGuard> selected;
  if (font) selected.emplace(dc, font);
  SetBkMode(dc, TRANSPARENT);

  // A frame-1 picture of R copied there.
  auto background = [&](const TRect& R) {
    std::unique_ptr<TBitmap> piece =
        DrawNineSlice(R, bar->Bitmap, bar->Margins, false, bar->Tile != 0, bar->FrameCount, 1);
    if (!piece->Empty())
      BitBlt(dc, R.left, R.top, piece->Width(), piece->Height(), piece->Canvas().Handle(), 0, 0,
             SRCCOPY);
  };

  const int count = static_cast<int>(SendMessageA(FHandle, HDM_GETITEMCOUNT, 0, 0));
  int right = 0;
  for (int i = 0; i < count; ++i) {
    TRect r{0, 0, 0, 0};
    SendMessageA(FHandle, HDM_GETITEMRECT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&r));
    char text[kHeaderTextLength + 1] = {};
    HDITEMA item{};
    item.mask = HDI_TEXT | HDI_FORMAT;
    item.pszText = text;
    item.cchTextMax = kHeaderTextLength;
    SendMessageA(FHandle, HDM_GETITEMA, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&item));
    background(r);
    if (text[0]) {
      const int justify = item.fmt & HDF_JUSTIFYMASK;
      const UINT format = justify == HDF_RIGHT    ? DT_RIGHT
                          : justify == HDF_CENTER ? DT_CENTER
                                                  : DT_LEFT;
      RECT m = r;
      DrawTextA(dc, text, -1, &m, format | DT_CALCRECT);
      const int tw = m.right - m.left, th = m.bottom - m.top;
      const int top = r.top + (r.bottom - r.top - th) / 2;
      const int left = format == DT_CENTER  ? r.left + (r.right - r.left - tw) / 2
                       : format == DT_RIGHT ? r.right - 4 - tw
                                            : r.left + 4;
      RECT at{left, top, left + tw, top + th};
      DrawTextA(dc, text, -1, &at, format);
    }
    right = std::max<int>(right, r.right);
  }
  if (right < Rect.right) background(TRect{right, Rect.top, Rect.right, Rect.bottom});

  BitBlt(DC, Rect.left, Rect.top, w, h, dc, 0, 0, SRCCOPY);
}
