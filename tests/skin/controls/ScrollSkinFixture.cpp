#include "ScrollSkinFixture.h"

#include <commctrl.h>

#include <algorithm>
#include <sstream>

#include "skin/controls/ScrollBarPaint.h"
#include "skin/draw/SkinDraw.h"

namespace {

TSkinData* LoadSkin(const char* File) {
  auto* data = new TSkinData(nullptr);
  data->SkinStream.LoadFromFile(File);
  data->LoadSkinStore();
  return data;
}

// Frame Frame of a strip of FrameCount frames stretched to w x h.
std::unique_ptr<TBitmap> Cell(TBitmap& Strip, int FrameCount, int Frame, int w, int h) {
  auto cell = Picture(w, h, [](int, int) { return 0; });
  const int fw = Strip.Width() / FrameCount;
  SetStretchBltMode(cell->Canvas().Handle(), COLORONCOLOR);
  StretchBlt(cell->Canvas().Handle(), 0, 0, w, h, Strip.Canvas().Handle(), fw * (Frame - 1), 0, fw,
             Strip.Height(), SRCCOPY);
  return cell;
}

}  // namespace

TSkinData& TestSkin() {
  static TSkinData* skin = LoadSkin(QUORVEL_TRANS_SKIN_FILE);
  return *skin;
}

TSkinData& StoredSkin() {
  static TSkinData* skin = LoadSkin(QUORVEL_SKIN_FILE);
  return *skin;
}

std::unique_ptr<TBitmap> Picture(int w, int h, const std::function<TColor(int, int)>& Fn) {
  auto b = std::make_unique<TBitmap>();
  b->SetPixelFormat(TPixelFormat::pf24bit);
  b->SetSize(w, h);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) b->Canvas().SetPixel(x, y, Fn(x, y));
  return b;
}

COLORREF PixelAt(TBitmap& Bitmap, int x, int y) { return Bitmap.Canvas().Pixel(x, y) & 0xFFFFFF; }

void Put(TBitmap& Target, int x, int y, TBitmap& Source, bool Transparent) {
  for (int sy = 0; sy < Source.Height(); ++sy)
    for (int sx = 0; sx < Source.Width(); ++sx) {
      const COLORREF c = PixelAt(Source, sx, sy);
      if (!Transparent || c != RGB(255, 0, 255))
        Target.Canvas().SetPixel(x + sx, y + sy, static_cast<TColor>(c));
    }
}

int Mismatches(const TCapture& Shot, const TRect& R, TBitmap& Expected, std::string* Report) {
  int bad = 0;
  for (int y = R.top; y < R.bottom; ++y)
    for (int x = R.left; x < R.right; ++x) {
      const COLORREF want = PixelAt(Expected, x - R.left, y - R.top);
      const bool inside = x >= 0 && y >= 0 && x < Shot.Width && y < Shot.Height;
      if (inside && Shot.At(x, y) == want) continue;
      if (Report && bad == 0) {
        std::ostringstream s;
        s << " (" << x << "," << y << ") is " << std::hex << (inside ? Shot.At(x, y) : 0) << " not "
          << want;
        *Report += s.str();
      }
      ++bad;
    }
  return bad;
}

TThumb ThumbOf(int Length, const SCROLLINFO& Info) {
  TScrollBarMetrics metrics;
  ComputeThumbMetrics(Length, RangeOf(Info), PlatformScrollBarSizes(), metrics);
  return {metrics.FThumbSize, metrics.FThumbPos};
}

SCROLLINFO ScrollInfoOf(HWND Wnd, int Bar) {
  SCROLLINFO info{sizeof(SCROLLINFO), SIF_ALL, 0, 0, 0, 0, 0};
  GetScrollInfo(Wnd, Bar, &info);
  return info;
}

std::unique_ptr<TBitmap> ExpectedBar(TSkinData& Skin, bool Horizontal, int Length, int Thickness,
                                     TThumb Thumb, bool FirstPressed, bool SecondPressed) {
  // Composed 16 pixels thick, the size the skin's pictures are made for,
  // then stretched across.
  const int arrow = GetSystemMetrics(SM_CXHSCROLL), a = Length < 2 * arrow ? Length / 2 : arrow;
  const int w = Horizontal ? Length : 16, h = Horizontal ? 16 : Length;
  auto strip = Picture(w, h, [&](int, int) { return Skin.ScrollbarColour; });
  auto along = [&](int from, int to) {
    return Horizontal ? Rect(from, 0, to, 16) : Rect(0, from, 16, to);
  };
  auto at = [&](TBitmap& piece, int from, bool transparent) {
    Put(*strip, Horizontal ? from : 0, Horizontal ? 0 : from, piece, transparent);
  };
  TDataSkinObject& track = Horizontal ? *Skin.HorzScroll : *Skin.VertScroll;
  at(*DrawNineSlice(along(arrow, Length - arrow), track.Bitmap, track.Margins, false,
                    track.Tile != 0, 4, 1),
     arrow, track.Trans != 0);
  const int first = (Horizontal ? 1 : 9) + FirstPressed,
            second = (Horizontal ? 5 : 13) + SecondPressed;
  at(*Cell(Skin.Scrollbar->Bitmap, 23, first, Horizontal ? a : 16, Horizontal ? 16 : a), 0, true);
  at(*Cell(Skin.Scrollbar->Bitmap, 23, second, Horizontal ? a : 16, Horizontal ? 16 : a),
     Length - a, true);
  TDataSkinObject& thumb = Horizontal ? *Skin.HorzScrollThumb : *Skin.VertScrollThumb;
  at(*DrawNineSlice(along(0, Thumb.Size), thumb.Bitmap, thumb.Margins, false, false,
                    thumb.FrameCount, 1),
     a + Thumb.Offset, thumb.Trans != 0);
  auto result = Picture(Horizontal ? Length : Thickness, Horizontal ? Thickness : Length,
                        [](int, int) { return 0; });
  SetStretchBltMode(result->Canvas().Handle(), COLORONCOLOR);
  StretchBlt(result->Canvas().Handle(), 0, 0, result->Width(), result->Height(),
             strip->Canvas().Handle(), 0, 0, w, h, SRCCOPY);
  return result;
}

TRect VertBarOf(HWND Wnd) {
  RECT w, c;
  GetWindowRect(Wnd, &w);
  GetClientRect(Wnd, &c);
  const int W = w.right - w.left, H = w.bottom - w.top, size = GetSystemMetrics(SM_CXHSCROLL);
  const int edge = (W - c.right - size) / 2;
  const bool horz = GetWindowLongPtrA(Wnd, GWL_STYLE) & WS_HSCROLL;
  return Rect(W - edge - size, edge, W - edge, H - edge - (horz ? size : 0));
}

void SkinnedFormTest::SetUp() {
  INITCOMMONCONTROLSEX icc{
      sizeof icc, ICC_BAR_CLASSES | ICC_PROGRESS_CLASS | ICC_TAB_CLASSES | ICC_LISTVIEW_CLASSES};
  InitCommonControlsEx(&icc);
  Skin = &TestSkin();
  ASSERT_FALSE(Skin->SkinEmpty);
  Form = std::make_unique<TForm>(nullptr);
  Form->SetBounds(30, 30, 560, 420);
  Form->Show();
  SetWindowPos(Form->Handle(), HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
  SkinForm = new TWinSkinForm(nullptr, Form->Handle());
  SkinForm->AttachToForm(Skin, Form.get());
  Application->ProcessMessages();
}

void SkinnedFormTest::TearDown() {
  if (SkinForm) {
    SkinForm->Detach();
    delete SkinForm;
  }
  Form.reset();
  Application->ProcessMessages();
}

HWND SkinnedFormTest::AddWindow(const char* ClassName, DWORD Style, int x, int y, int w, int h) {
  return CreateWindowExA(0, ClassName, "", WS_CHILD | WS_VISIBLE | Style, x, y, w, h,
                         Form->Handle(), nullptr, GetModuleHandleA(nullptr), nullptr);
}

void SkinnedFormTest::Redraw(HWND Wnd) {
  RedrawWindow(Wnd, nullptr, nullptr,
               RDW_FRAME | RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW | RDW_ERASENOW);
  Application->ProcessMessages();
}
