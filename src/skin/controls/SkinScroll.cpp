// Scroll bars drawn from the skin: the non-client bars of scrolling controls
// (with an own thumb drag on request), list views, and scroll-bar controls.
#include "skin/controls/SkinScroll.h"

#include <commctrl.h>
#include <windowsx.h>

#include <algorithm>
#include <string>

#include "skin/controls/SkinPanels.h"
#include "skin/draw/SkinDraw.h"
#include "skin/window/WinSkinForm.h"
#include "ui/Published.h"

QUORVEL_DEFINE_CLASS(TSkinScrollBar) {}
QUORVEL_DEFINE_CLASS(TSkinListView) {}
QUORVEL_DEFINE_CLASS(TSkinScControl) {}

namespace {

// The skin's pictures are made for bars this thick; a finished bar is
// stretched onto the real one.
constexpr int kStripThickness = 16;
// Frames of the Scrollbar picture.
constexpr int kArrowFrames = 23;
constexpr int kTrackFrames = 4;
enum : int { kLeftArrow = 1, kRightArrow = 5, kUpArrow = 9, kDownArrow = 13 };
// GetScrollInfo: range, page, position and track position.
constexpr UINT kAllScrollInfo = SIF_RANGE | SIF_PAGE | SIF_POS | SIF_TRACKPOS;

bool IsEmpty(const TRect& R) { return R.right <= R.left || R.bottom <= R.top; }

// The pressed part of a scroll message: Line1, Line2 and Thumb for
// SB_LINEUP, SB_LINEDOWN and SB_THUMBTRACK, none for the other codes
// (pages, SB_THUMBPOSITION, SB_ENDSCROLL).
int PressedPartOf(WPARAM WParam, int Line1, int Line2, int Thumb) {
  switch (LOWORD(WParam)) {
    case SB_LINEUP: return Line1;
    case SB_LINEDOWN: return Line2;
    case SB_THUMBTRACK: return Thumb;
    default: return sppNone;
  }
}

// WM_NCMOUSEMOVE over a bar goes no further: the platform would redraw its
// own bar for hot tracking.
bool PassNCMouseMove(const TMessage& Message) {
  return Message.WParam != HTHSCROLL && Message.WParam != HTVSCROLL;
}

SCROLLINFO ReadScrollInfo(HWND Wnd, int Bar) {
  SCROLLINFO info{};
  info.cbSize = sizeof(SCROLLINFO);
  info.fMask = kAllScrollInfo;
  if (!GetScrollInfo(Wnd, Bar, &info)) {
    info = SCROLLINFO{};
    info.cbSize = sizeof(SCROLLINFO);
  }
  return info;
}

// The highest position a bar can take: the last page ends at nMax.
int MaxScrollPos(const SCROLLINFO& Info) {
  return Info.nMax - std::max(static_cast<int>(Info.nPage) - 1, 0);
}

// Where the mouse was for a mouse message, in screen coordinates: the
// messages carry their own point, which stays exact however late the
// message is handled.
POINT ScreenPointOf(const MSG& Msg) {
  POINT p{GET_X_LPARAM(Msg.lParam), GET_Y_LPARAM(Msg.lParam)};
  if (Msg.message == WM_MOUSEMOVE && Msg.hwnd) ClientToScreen(Msg.hwnd, &p);
  return p;
}

const char* const kPartNames[] = {" SB_LINEUp",   " SB_LINEDown",      " SB_PAGEUp",
                                  " SB_PAGEDown", " SB_THUMBPOSITION", " SB_THUMBTRACK"};

}  // namespace

bool SkinHasScrollBars(const TSkinData* SkinData) {
  return SkinData && SkinData->Scrollbar && !SkinData->Scrollbar->Bitmap.Empty();
}

void ComputeThumbMetrics(int Length, const SCROLLINFO& Info, TScrollBarMetrics& Metrics) {
  const int arrow = GetSystemMetrics(SM_CXHSCROLL);
  Metrics.FTrackLength = Length - 2 * arrow;
  if (Info.nMax < Info.nMin) return;
  const int range = Info.nMax - Info.nMin + 1;
  const int page = static_cast<int>(Info.nPage);
  int thumb;
  if (page == 0) {
    thumb = GetSystemMetrics(SM_CXHTHUMB);
  } else {
    // The Windows 9x family draws thumbs down to half an arrow, NT to 8 pixels.
    const bool win9x = (GetVersion() & 0x80000000u) != 0;
    const int minimum = win9x ? arrow / 2 : 8;
    thumb = std::max(MulDiv(page, Metrics.FTrackLength, range), minimum);
  }
  thumb = std::min(thumb, Metrics.FTrackLength);
  if (page >= range) {
    Metrics.FThumbPos = 0;
    thumb -= 1;
  } else {
    Metrics.FThumbPos = MulDiv(Info.nPos - Info.nMin, Metrics.FTrackLength - thumb, range - page);
  }
  Metrics.FThumbSize = thumb;
}

void DrawSkinScrollBar(TSkinControl& Skinner, HDC DC, const TRect& R, bool Horizontal,
                       int PressedPart, const TScrollBarMetrics& Metrics) {
  TSkinData* skin = Skinner.FSkinData;
  if (!SkinHasScrollBars(skin) || IsEmpty(R)) return;
  const int length = Horizontal ? R.right - R.left : R.bottom - R.top;
  // Along the bar (a, b) and across it: a rectangle of the strip.
  auto part = [&](int a, int b) {
    return Horizontal ? TRect{a, 0, b, kStripThickness} : TRect{0, a, kStripThickness, b};
  };

  TBitmap strip;
  strip.SetSize(Horizontal ? length : kStripThickness, Horizontal ? kStripThickness : length);
  HDC dc = strip.Canvas().Handle();
  SetStretchBltMode(dc, COLORONCOLOR);
  {
    const TBrushObject ground(CreateSolidBrush(ColorToRGB(skin->ScrollbarColour)));
    const TRect all{0, 0, strip.Width(), strip.Height()};
    FillRect(dc, &all, ground);
  }

  const int arrowSize = GetSystemMetrics(SM_CXHSCROLL);
  if (TDataSkinObject* track = (Horizontal ? skin->HorzScroll : skin->VertScroll).get())
    DrawNineSliceOn(dc, part(arrowSize, length - arrowSize), track->Bitmap, false, track->Tile != 0,
                    track->Trans != 0, kTrackFrames, 1, track->Margins);

  const int arrow = length < 2 * arrowSize ? length / 2 : arrowSize;
  const int first = Horizontal ? (PressedPart == sppLeftArrow ? kLeftArrow + 1 : kLeftArrow)
                               : (PressedPart == sppUpArrow ? kUpArrow + 1 : kUpArrow);
  const int second = Horizontal ? (PressedPart == sppRightArrow ? kRightArrow + 1 : kRightArrow)
                                : (PressedPart == sppDownArrow ? kDownArrow + 1 : kDownArrow);
  DrawStripFrame(Skinner, strip.Canvas(), part(0, arrow), kArrowFrames, first,
                 skin->Scrollbar->Bitmap);
  DrawStripFrame(Skinner, strip.Canvas(), part(length - arrow, length), kArrowFrames, second,
                 skin->Scrollbar->Bitmap);

  TDataSkinObject* thumb = (Horizontal ? skin->HorzScrollThumb : skin->VertScrollThumb).get();
  if (thumb && Metrics.FTrackLength >= Metrics.FThumbSize) {
    const int start = arrow + Metrics.FThumbPos;
    const bool pressed = PressedPart == (Horizontal ? sppHorzThumb : sppVertThumb);
    DrawNineSliceOn(dc, part(start, start + Metrics.FThumbSize), thumb->Bitmap, false, false,
                    thumb->Trans != 0, thumb->FrameCount, pressed ? 2 : 1, thumb->Margins);
  }

  const int oldMode = SetStretchBltMode(DC, COLORONCOLOR);
  StretchBlt(DC, R.left, R.top, R.right - R.left, R.bottom - R.top, dc, 0, 0, strip.Width(),
             strip.Height(), SRCCOPY);
  if (oldMode) SetStretchBltMode(DC, oldMode);
}

// ---------------------------------------------------------------------------
// TSkinScrollBar

TSkinScrollBar::TSkinScrollBar(TComponent* AOwner) : TSkinControl(AOwner) {}

TSkinScrollBar::~TSkinScrollBar() { *FAlive = false; }

void TSkinScrollBar::InitScrollBars(TControl* Control, TSkinData* SkinData, bool TrackThumb,
                                    TCanvas* Canvas) {
  FSkinData = SkinData;
  FCanvas = Canvas;
  FControl = Control;
  auto* windowed = dynamic_cast<TWinControl*>(Control);
  FHandle = windowed ? windowed->Handle() : nullptr;
  FOldWindowProc = Control->WindowProc;
  Control->WindowProc = [this](TMessage& m) { WndProc(m); };
  if (TWinSkinForm* form = SkinForm()) form->FSkinners.push_back(this);
  FTracking = false;
  FForceVert = false;
  FForceHorz = false;
  FHorzInfo.cbSize = sizeof(SCROLLINFO);
  FVertInfo.cbSize = sizeof(SCROLLINFO);
  FHorz.FStyleBit = WS_HSCROLL;
  FVert.FStyleBit = WS_VSCROLL;
  FTrackThumb = TrackThumb;
}

bool TSkinScrollBar::BeforeProc(TMessage& Message) {
  switch (Message.Msg) {
    case WM_NCMOUSEMOVE: return PassNCMouseMove(Message);
    case WM_NCLBUTTONDOWN: return FTrackThumb ? NCLButtonDown(Message) : true;
    case WM_HSCROLL: ScrollMessage(Message, true); return false;
    case WM_VSCROLL: ScrollMessage(Message, false); return false;
    default: return true;
  }
}

void TSkinScrollBar::ScrollMessage(TMessage& Message, bool Horizontal) {
  bool& force = Horizontal ? FForceHorz : FForceVert;
  FPressedPart = Horizontal
                     ? PressedPartOf(Message.WParam, sppLeftArrow, sppRightArrow, sppHorzThumb)
                     : PressedPartOf(Message.WParam, sppUpArrow, sppDownArrow, sppVertThumb);
  force = true;
  const std::shared_ptr<bool> alive = FAlive;
  Default(Message);
  if (!*alive) return;
  Paint();
  force = FTracking;
}

void TSkinScrollBar::AfterProc(TMessage& Message) {
  if (Message.Msg == WM_NCPAINT)
    Paint();
  else
    TSkinControl::AfterProc(Message);
}

void TSkinScrollBar::UpdateMetrics(bool Horizontal, const TRect& Bar) {
  if (FTracking) return;
  const SCROLLINFO info = ReadScrollInfo(FHandle, Horizontal ? SB_HORZ : SB_VERT);
  TScrollBarMetrics& metrics = Horizontal ? FHorz : FVert;
  ComputeThumbMetrics(Horizontal ? Bar.right - Bar.left : Bar.bottom - Bar.top, info, metrics);
  if (info.nMax < info.nMin) return;
  (Horizontal ? FHorzInfo : FVertInfo) = info;
}

void TSkinScrollBar::PaintControl(HDC DC, const TRect& Rect) {
  if (!SkinHasScrollBars(FSkinData)) return;
  FStyle = GetWindowLongPtrA(FHandle, GWL_STYLE);
  if (FForceVert) FStyle |= WS_VSCROLL;
  if (FForceHorz) FStyle |= WS_HSCROLL;
  const bool horz = (FStyle & WS_HSCROLL) != 0, vert = (FStyle & WS_VSCROLL) != 0;
  if (!horz && !vert) return;

  const int W = Rect.right - Rect.left, H = Rect.bottom - Rect.top;
  RECT client{};
  GetClientRect(FHandle, &client);
  // The border around the bars, from the client area beside a bar: the
  // vertical one when it is there.
  const int size = GetSystemMetrics(SM_CXHSCROLL);
  const int edge = vert ? (W - client.right - size) / 2 : (H - client.bottom - size) / 2;
  FHorz.FArrowSize = size;
  FVert.FArrowSize = size;

  if (horz && vert) {
    FHorzBar = TRect{edge, H - edge - size, W - edge - size, H - edge};
    FVertBar = TRect{W - edge - size, edge, W - edge, H - edge - size};
    FCornerRect = TRect{FVertBar.left, FHorzBar.top, FVertBar.right, FHorzBar.bottom};
  } else if (horz) {
    FHorzBar = TRect{edge, H - edge - size, W - edge, H - edge};
  } else {
    FVertBar = TRect{W - edge - size, edge, W - edge, H - edge};
  }

  if (horz && !IsEmpty(FHorzBar)) {
    UpdateMetrics(true, FHorzBar);
    DrawSkinScrollBar(*this, DC, FHorzBar, true, FPressedPart, FHorz);
  }
  if (vert && !IsEmpty(FVertBar)) {
    UpdateMetrics(false, FVertBar);
    DrawSkinScrollBar(*this, DC, FVertBar, false, FPressedPart, FVert);
  }
  if (horz && vert && !IsEmpty(FCornerRect)) FillFace(DC, FCornerRect);
}

int TSkinScrollBar::HitTest(const TScrollBarMetrics& Metrics, int Pos) {
  if (Pos < Metrics.FArrowSize) return SB_LINEUP;
  if (Pos < Metrics.FArrowSize + Metrics.FThumbPos) return SB_PAGEUP;
  if (Pos < Metrics.FArrowSize + Metrics.FThumbPos + Metrics.FThumbSize) return SB_THUMBTRACK;
  if (Pos < Metrics.FArrowSize + Metrics.FTrackLength) return SB_PAGEDOWN;
  if (Pos < 2 * Metrics.FArrowSize + Metrics.FTrackLength) return SB_LINEDOWN;
  return -1;
}

bool TSkinScrollBar::NCLButtonDown(TMessage& Message) {
  if (Message.WParam != HTHSCROLL && Message.WParam != HTVSCROLL) return true;
  const bool horizontal = Message.WParam == HTHSCROLL;
  // The press in window coordinates, then along the bar from its start.
  RECT window{};
  GetWindowRect(FHandle, &window);
  const int x = GET_X_LPARAM(Message.LParam) - window.left,
            y = GET_Y_LPARAM(Message.LParam) - window.top;
  int part;
  if (horizontal) {
    part = HitTest(FHorz, x - FHorzBar.left);
    FPressedPart = sppHorzThumb;
  } else {
    part = HitTest(FVert, y - FVertBar.top);
    FPressedPart = sppVertThumb;
  }
  std::string trace = "Scrollbar NCLButtonDown";
  if (part >= 0 && part <= 5) trace += kPartNames[part];
  SkinTrace(trace);
  if (part != SB_THUMBTRACK) return true;
  Paint();
  TrackThumb(horizontal, POINT{GET_X_LPARAM(Message.LParam), GET_Y_LPARAM(Message.LParam)});
  Message.Result = 0;
  return false;
}

void TSkinScrollBar::TrackThumb(bool Horizontal, POINT Start) {
  const std::shared_ptr<bool> alive = FAlive;
  const HWND wnd = FHandle;
  TScrollBarMetrics& metrics = Horizontal ? FHorz : FVert;
  SCROLLINFO& info = Horizontal ? FHorzInfo : FVertInfo;
  const UINT scrollMessage = Horizontal ? WM_HSCROLL : WM_VSCROLL;
  const int bar = Horizontal ? SB_HORZ : SB_VERT;

  FTracking = true;
  const int startOffset = metrics.FThumbPos;
  int position = info.nPos;
  const LONG_PTR styleBit = metrics.FStyleBit;
  // While the bar's style bit is off the platform does not draw the bar;
  // the drag's scroll messages keep it forced on for this skinner.
  SetWindowLongPtrA(wnd, GWL_STYLE, FStyle & ~styleBit);
  // The button-up may happen anywhere on the screen.
  SetCapture(wnd);

  auto finish = [&] {
    if (!*alive) return;
    if (IsWindow(wnd)) {
      SetWindowLongPtrA(wnd, GWL_STYLE, FStyle | styleBit);
      PostMessageA(wnd, scrollMessage, MAKEWPARAM(SB_THUMBPOSITION, position), 0);
    }
    FTracking = false;
  };

  MSG msg;
  while (*alive && FTracking) {
    if (!PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
      // The capture went elsewhere or the window went away: the drag ends
      // as if the button had been released.
      if (!IsWindow(wnd) || GetCapture() != wnd) {
        finish();
        break;
      }
      WaitMessage();
      continue;
    }
    switch (msg.message) {
      case WM_QUIT:
        PostQuitMessage(static_cast<int>(msg.wParam));
        finish();
        break;
      case WM_LBUTTONUP:
      case WM_NCLBUTTONUP: finish(); break;
      case WM_MOUSEMOVE:
      case WM_NCMOUSEMOVE: {
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
        if (!*alive || !FTracking) break;
        const POINT cursor = ScreenPointOf(msg);
        // The thumb follows the cursor along the bar and stays in the
        // track; its offset maps onto the positions as the thumb's place
        // is worked out from a position when painting, so the thumb stays
        // under the cursor after the release.
        const int room = std::max(metrics.FTrackLength - metrics.FThumbSize, 0);
        const int moved = Horizontal ? cursor.x - Start.x : cursor.y - Start.y;
        const int offset = std::clamp(startOffset + moved, 0, room);
        const int last = MaxScrollPos(info);
        int pos = room > 0 ? info.nMin + MulDiv(offset, last - info.nMin, room) : info.nMin;
        pos = std::clamp(pos, info.nMin, std::max(last, info.nMin));
        if (pos != position) {
          position = pos;
          info.nPos = pos;
          info.nTrackPos = pos;
          metrics.FThumbPos = offset;
          SCROLLINFO set{};
          set.cbSize = sizeof(SCROLLINFO);
          set.fMask = SIF_POS;
          set.nPos = pos;
          SetScrollInfo(wnd, bar, &set, FALSE);
          PostMessageA(wnd, scrollMessage, MAKEWPARAM(SB_THUMBTRACK, pos), 0);
          SkinTrace("*******mousemove " + std::to_string(pos));
        }
        break;
      }
      default:
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
        break;
    }
    if (*alive && FTracking && (!IsWindow(wnd) || GetCapture() != wnd)) finish();
  }
  if (GetCapture() == wnd) ReleaseCapture();
}

// ---------------------------------------------------------------------------
// TSkinListView

TSkinListView::TSkinListView(TComponent* AOwner) : TSkinScrollBar(AOwner) {}

void TSkinListView::InitControl(TControl* Control, TSkinData* SkinData, bool ChangeColor,
                                TCanvas* Canvas) {
  InitScrollBars(Control, SkinData, ChangeColor, Canvas);
  if (!FHandle) return;
  const HWND header = reinterpret_cast<HWND>(SendMessageA(FHandle, LVM_GETHEADER, 0, 0));
  if (!header) return;
  FHeader = new TSkinHeader(Owner());
  FHeader->InitWindow(header, SkinData, Canvas);
}

// ---------------------------------------------------------------------------
// TSkinScControl

TSkinScControl::TSkinScControl(TComponent* AOwner) : TSkinControl(AOwner) {}

bool TSkinScControl::BeforeProc(TMessage& Message) {
  switch (Message.Msg) {
    case WM_NCMOUSEMOVE: return PassNCMouseMove(Message);
    case CN_BASE + WM_HSCROLL:
      FPressedPart = PressedPartOf(Message.WParam, sppLeftArrow, sppRightArrow, sppHorzThumb);
      break;
    case CN_BASE + WM_VSCROLL:
      FPressedPart = PressedPartOf(Message.WParam, sppUpArrow, sppDownArrow, sppVertThumb);
      break;
    default: return true;
  }
  Default(Message);
  Paint();
  return false;
}

void TSkinScControl::AfterProc(TMessage& Message) {
  switch (Message.Msg) {
    // A program moved the bar or changed its range: the platform has drawn
    // its own bar at once.
    case SBM_SETPOS:
    case SBM_SETRANGE:
    case SBM_SETRANGEREDRAW:
    case SBM_SETSCROLLINFO:
    case SBM_ENABLE_ARROWS: Paint(); break;
    default: TSkinControl::AfterProc(Message); break;
  }
}

void TSkinScControl::PaintControl(HDC DC, const TRect& Rect) {
  if (!SkinHasScrollBars(FSkinData)) return;
  const bool horizontal = (GetWindowLongPtrA(FHandle, GWL_STYLE) & SBS_VERT) == 0;
  const SCROLLINFO info = ReadScrollInfo(FHandle, SB_CTL);
  TScrollBarMetrics metrics;
  metrics.FArrowSize = GetSystemMetrics(SM_CXHSCROLL);
  metrics.FTrackLength = FTrackLength;
  metrics.FThumbSize = FThumbSize;
  metrics.FThumbPos = FThumbPos;
  ComputeThumbMetrics(horizontal ? Rect.right - Rect.left : Rect.bottom - Rect.top, info, metrics);
  FTrackLength = metrics.FTrackLength;
  FThumbSize = metrics.FThumbSize;
  FThumbPos = metrics.FThumbPos;
  DrawSkinScrollBar(*this, DC, Rect, horizontal, FPressedPart, metrics);
}
