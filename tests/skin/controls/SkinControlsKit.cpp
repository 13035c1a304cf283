// The control-skinner tests' shared parts.
#include "SkinControlsKit.h"

#include <gtest/gtest.h>

#include "skin/draw/SkinDraw.h"
#include "support/Wait.h"

TSkinData& Skin() {
  static TSkinData* data = [] {
    auto* d = new TSkinData(nullptr);
    d->SkinStream.LoadFromFile(QUORVEL_SKIN_FILE);
    EXPECT_TRUE(d->LoadSkinStore());
    return d;
  }();
  return *data;
}

LPARAM MiddleOf(HWND Wnd) {
  RECT r;
  GetClientRect(Wnd, &r);
  return MAKELPARAM(r.right / 2, r.bottom / 2);
}

void MoveOnto(HWND Wnd) { SendMessageA(Wnd, WM_MOUSEMOVE, 0, MiddleOf(Wnd)); }

void Disable(HWND Wnd) {
  if (TWinControl* control = TWinControl::FindControl(Wnd))
    control->SetEnabled(false);
  else
    EnableWindow(Wnd, FALSE);
}

TShot PixelsOf(TBitmap& Bitmap) {
  TBitmap copy;
  copy.SetPixelFormat(TPixelFormat::pf32bit);
  copy.SetSize(Bitmap.Width(), Bitmap.Height());
  BitBlt(copy.Canvas().Handle(), 0, 0, Bitmap.Width(), Bitmap.Height(), Bitmap.Canvas().Handle(), 0,
         0, SRCCOPY);
  TShot s;
  s.Width = Bitmap.Width();
  s.Height = Bitmap.Height();
  for (int y = 0; y < s.Height; ++y) {
    const uint8_t* row = copy.ScanLine(y);
    for (int x = 0; x < s.Width; ++x)
      s.Pixels.push_back(RGB(row[4 * x + 2], row[4 * x + 1], row[4 * x]));
  }
  return s;
}

TShot CaptureClient(HWND Wnd, const TRect& Rect) {
  TBitmap shot;
  shot.SetSize(Rect.right - Rect.left, Rect.bottom - Rect.top);
  BitBlt(shot.Canvas().Handle(), 0, 0, shot.Width(), shot.Height(), TWindowDC(Wnd), Rect.left,
         Rect.top, SRCCOPY);
  return PixelsOf(shot);
}

int Mismatches(const TShot& Shot, const TRect& Rect, const TShot& Want) {
  int bad = 0;
  for (int y = 0; y < Want.Height; ++y)
    for (int x = 0; x < Want.Width; ++x) {
      const int sx = Rect.left + x, sy = Rect.top + y;
      bad += sx < 0 || sy < 0 || sx >= Shot.Width || sy >= Shot.Height ||
             Shot.At(sx, sy) != Want.At(x, y);
    }
  return bad;
}

namespace {
void MagentaToFace(TShot& Shot) {
  for (COLORREF& p : Shot.Pixels)
    if (p == RGB(255, 0, 255)) p = ColorToRGB(Skin().ButtonFaceColour);
}
}  // namespace

TShot ExpectedFace(TDataSkinObject& Element, int FrameCount, int Frame, int Width, int Height) {
  TShot s = PixelsOf(*DrawNineSlice(TRect{0, 0, Width, Height}, Element.Bitmap, Element.Margins,
                                    false, Element.Tile != 0, FrameCount, Frame));
  if (Element.Trans == 1) MagentaToFace(s);
  return s;
}

TShot ExpectedStrip(TBitmap& Strip, int FrameCount, int Frame, int Width, int Height) {
  TBitmap cell;
  cell.SetSize(Width, Height);
  const int fw = Strip.Width() / FrameCount;
  SetStretchBltMode(cell.Canvas().Handle(), COLORONCOLOR);
  StretchBlt(cell.Canvas().Handle(), 0, 0, Width, Height, Strip.Canvas().Handle(), fw * (Frame - 1),
             0, fw, Strip.Height(), SRCCOPY);
  TShot s = PixelsOf(cell);
  MagentaToFace(s);
  return s;
}

// The tests never move the pointer (Wine hears of a moved pointer late, from
// the X server): the form goes where the pointer is not, above the windows
// of tests that run beside these.
THost::THost() : FForm(std::make_unique<TForm>(nullptr)) {
  POINT p{0, 0};
  GetCursorPos(&p);
  const RECT corner{600, 440, 1000, 740};
  FForm->SetBounds(600, PtInRect(&corner, p) ? 40 : 440, 400, 300);
  FForm->Show();
  SetWindowPos(FForm->Handle(), HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
  SetForegroundWindow(FForm->Handle());
  FSkinForm = new TWinSkinForm(nullptr, FForm->Handle());
  FSkinForm->AttachToForm(&::Skin(), FForm.get());
  FCommands.Attach(FForm->Handle(), [this](TMessage& m) {
    if (m.Msg == WM_COMMAND && m.LParam && HIWORD(m.WParam) == BN_CLICKED) {
      Clicks.push_back(reinterpret_cast<HWND>(m.LParam));
      if (OnClick) OnClick(reinterpret_cast<HWND>(m.LParam));
    }
    FCommands.CallPrevious(m);
  });
  PumpMessages();
}

void THost::Activate() {
  const HWND form = FForm->Handle();
  EXPECT_TRUE(WaitUntil([form] {
    SetForegroundWindow(form);
    SetFocus(form);
    return GetForegroundWindow() == form && GetFocus() == form;
  }));
}

THost::~THost() {
  FCommands.Detach();
  FSkinForm->Detach();
  delete FSkinForm;
  FForm.reset();
  PumpMessages();
}

HWND THost::Child(const char* ClassName, DWORD Style, int X, int Y, int W, int H, const char* Text,
                  DWORD ExStyle) {
  HWND wnd = CreateWindowExA(ExStyle, ClassName, Text, WS_CHILD | WS_VISIBLE | Style, X, Y, W, H,
                             FForm->Handle(), nullptr, GetModuleHandleA(nullptr), nullptr);
  SendMessageA(wnd, WM_SETFONT, reinterpret_cast<WPARAM>(GetStockObject(DEFAULT_GUI_FONT)), FALSE);
  return wnd;
}
