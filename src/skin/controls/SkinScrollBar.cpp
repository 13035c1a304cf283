// Scroll bars of scrolling controls drawn from the skin, with an own thumb
// drag on request, and list views with their column header.
#include "skin/controls/SkinScrollBar.h"

#include <commctrl.h>
#include <windowsx.h>

#include <algorithm>
#include <string>

#include "skin/controls/ControlDrawing.h"
#include "skin/controls/ScrollBarPaint.h"
#include "skin/controls/SkinHeader.h"
#include "skin/draw/SkinDraw.h"
#include "ui/Published.h"

QUORVEL_DEFINE_CLASS(TSkinScrollBar) {}
QUORVEL_DEFINE_CLASS(TSkinListView) {}

namespace {

// An empty or inverted rectangle.
bool IsEmpty(const TRect& R) { return R.right <= R.left || R.bottom <= R.top; }

// Where the mouse was for a mouse message, in screen coordinates: the
// messages carry their own point, which stays exact however late the
// message is handled.
POINT ScreenPointOf(const MSG& Msg) {
  POINT p{GET_X_LPARAM(Msg.lParam), GET_Y_LPARAM(Msg.lParam)};
  if (Msg.message == WM_MOUSEMOVE && Msg.hwnd) ClientToScreen(Msg.hwnd, &p);
  return p;
}

// The mouse captured by a window for a scope: released at its end if the
// window still holds it.
class TMouseCapture {
public:
  // Captures the mouse for Wnd.
  explicit TMouseCapture(HWND Wnd) : FWnd(Wnd) { SetCapture(Wnd); }
  // Releases the capture unless another window took it meanwhile.
  ~TMouseCapture() {
    if (GetCapture() == FWnd) ReleaseCapture();
  }
  TMouseCapture(const TMouseCapture&) = delete;
  TMouseCapture& operator=(const TMouseCapture&) = delete;

private:
  HWND FWnd;
};

// A scroll bar's style bit taken off a window for a scope, and put back at
// its end if the window is still there.
class TStyleBitOff {
public:
  // Clears Bit in Wnd's style.
  TStyleBitOff(HWND Wnd, LONG_PTR Bit) : FWnd(Wnd), FBit(Bit) {
    SetWindowLongPtrA(FWnd, GWL_STYLE, GetWindowLongPtrA(FWnd, GWL_STYLE) & ~FBit);
  }
  // Sets the bit again in the style the window has now.
  ~TStyleBitOff() {
    if (IsWindow(FWnd))
      SetWindowLongPtrA(FWnd, GWL_STYLE, GetWindowLongPtrA(FWnd, GWL_STYLE) | FBit);
  }
  TStyleBitOff(const TStyleBitOff&) = delete;
  TStyleBitOff& operator=(const TStyleBitOff&) = delete;

private:
  HWND FWnd;
  LONG_PTR FBit;
};

const char* const kPartNames[] = {" SB_LINEUp",   " SB_LINEDown",      " SB_PAGEUp",
                                  " SB_PAGEDown", " SB_THUMBPOSITION", " SB_THUMBTRACK"};

}  // namespace

// A skinner for a scrolling control.
TSkinScrollBar::TSkinScrollBar(TComponent* AOwner) : TSkinControl(AOwner) {}

// The drag loop's flag goes false.
TSkinScrollBar::~TSkinScrollBar() { *FAlive = false; }

// Hooks the control's WindowProc (the control tells when it is freed); no
// recolouring, no double buffering.
void TSkinScrollBar::InitScrollBars(TControl* Control, TSkinModel* SkinData, bool TrackThumb,
                                    TCanvas* Canvas) {
  FSkinData = SkinData;
  FCanvas = Canvas;
  FControl = Control;
  auto* windowed = dynamic_cast<TWinControl*>(Control);
  FHandle = windowed ? windowed->Handle() : nullptr;
  HookControl(*Control);
  if (TSkinnerHost* host = Host()) host->Skinners().Add(this);
  FTracking = false;
  FForceVert = false;
  FForceHorz = false;
  FHorzInfo.cbSize = sizeof(SCROLLINFO);
  FVertInfo.cbSize = sizeof(SCROLLINFO);
  FTrackThumb = TrackThumb;
}

// The messages that change or would draw a bar.
bool TSkinScrollBar::BeforeProc(TMessage& Message) {
  switch (Message.Msg) {
    case WM_NCMOUSEMOVE: return PassNCMouseMove(Message);
    case WM_NCLBUTTONDOWN: return FTrackThumb ? NCLButtonDown(Message) : true;
    case WM_HSCROLL: ScrollMessage(Message, true); return false;
    case WM_VSCROLL: ScrollMessage(Message, false); return false;
    default: return true;
  }
}

// The bar is forced shown while the control handles the message.
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

// WM_NCPAINT repaints the bars; the rest follows the common rules.
void TSkinScrollBar::AfterProc(TMessage& Message) {
  if (Message.Msg == WM_NCPAINT)
    Paint();
  else
    TSkinControl::AfterProc(Message);
}

// The thumb from the bar's length and the platform's numbers.
void TSkinScrollBar::UpdateMetrics(bool Horizontal, const TRect& Bar) {
  if (FTracking) return;
  const SCROLLINFO info = ReadScrollInfo(FHandle, Horizontal ? SB_HORZ : SB_VERT);
  TScrollBarMetrics& metrics = Horizontal ? FHorz : FVert;
  ComputeThumbMetrics(Horizontal ? Bar.right - Bar.left : Bar.bottom - Bar.top, RangeOf(info),
                      PlatformScrollBarSizes(), metrics);
  if (info.nMax < info.nMin) return;
  (Horizontal ? FHorzInfo : FVertInfo) = info;
}

// The window style (forced while a scroll runs) says which bars are shown.
void TSkinScrollBar::PaintControl(HDC DC, const TRect& Rect) {
  if (!SkinHasScrollBars(FSkinData)) return;
  FStyle = GetWindowLongPtrA(FHandle, GWL_STYLE);
  if (FForceVert) FStyle |= WS_VSCROLL;
  if (FForceHorz) FStyle |= WS_HSCROLL;
  const bool horz = (FStyle & WS_HSCROLL) != 0, vert = (FStyle & WS_VSCROLL) != 0;
  if (!horz && !vert) return;

  RECT client{};
  GetClientRect(FHandle, &client);
  const int size = GetSystemMetrics(SM_CXHSCROLL);
  FHorz.FArrowSize = size;
  FVert.FArrowSize = size;
  const TScrollBarsLayout layout = LayoutScrollBars(RectWidth(Rect), RectHeight(Rect), client.right,
                                                    client.bottom, size, horz, vert);
  if (horz) FHorzBar = ToRect(layout.Horz);
  if (vert) FVertBar = ToRect(layout.Vert);
  if (horz && vert) FCornerRect = ToRect(layout.Corner);

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

// The press along the bar from its start; only the thumb starts a drag.
bool TSkinScrollBar::NCLButtonDown(TMessage& Message) {
  if (Message.WParam != HTHSCROLL && Message.WParam != HTVSCROLL) return true;
  const bool horizontal = Message.WParam == HTHSCROLL;
  // The press in window coordinates, then along the bar from its start.
  RECT window{};
  GetWindowRect(FHandle, &window);
  const int x = GET_X_LPARAM(Message.LParam) - window.left,
            y = GET_Y_LPARAM(Message.LParam) - window.top;
  TScrollHit part;
  if (horizontal) {
    part = ScrollHitTest(FHorz, x - FHorzBar.left);
    FPressedPart = sppHorzThumb;
  } else {
    part = ScrollHitTest(FVert, y - FVertBar.top);
    FPressedPart = sppVertThumb;
  }
  std::string trace = "Scrollbar NCLButtonDown";
  if (part >= 0 && part <= 5) trace += kPartNames[part];
  SkinTrace(trace);
  if (part != shThumb) return true;
  Paint();
  DragThumbLoop(horizontal, POINT{GET_X_LPARAM(Message.LParam), GET_Y_LPARAM(Message.LParam)});
  Message.Result = 0;
  return false;
}

// Runs the messages until the release, the capture's loss or the window's
// end; every move sets the position and posts SB_THUMBTRACK. However the
// drag ends (this skinner may be freed by a message it dispatches: a skin
// switched off), the bar's style bit goes back and SB_THUMBPOSITION follows.
void TSkinScrollBar::DragThumbLoop(bool Horizontal, POINT Start) {
  const std::shared_ptr<bool> alive = FAlive;
  const HWND wnd = FHandle;
  TScrollBarMetrics& metrics = Horizontal ? FHorz : FVert;
  SCROLLINFO& info = Horizontal ? FHorzInfo : FVertInfo;
  const UINT scrollMessage = Horizontal ? WM_HSCROLL : WM_VSCROLL;
  const int bar = Horizontal ? SB_HORZ : SB_VERT;

  FTracking = true;
  const int startOffset = metrics.FThumbPos;
  int position = info.nPos;
  {
    // While the bar's style bit is off the platform does not draw the bar;
    // the drag's scroll messages keep it forced on for this skinner.
    const TStyleBitOff hidden(wnd, Horizontal ? WS_HSCROLL : WS_VSCROLL);
    // The button-up may happen anywhere on the screen.
    const TMouseCapture capture(wnd);
    // Whether the drag goes on: this skinner is there, tracking, and holds
    // the mouse on a window that is there.
    const auto dragging = [&] {
      return *alive && FTracking && IsWindow(wnd) && GetCapture() == wnd;
    };
    MSG msg;
    bool released = false;
    while (!released && dragging()) {
      if (!PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
        WaitMessage();
        continue;
      }
      switch (msg.message) {
        case WM_QUIT:
          PostQuitMessage(static_cast<int>(msg.wParam));
          released = true;
          break;
        case WM_LBUTTONUP:
        case WM_NCLBUTTONUP: released = true; break;
        case WM_MOUSEMOVE:
        case WM_NCMOUSEMOVE: {
          TranslateMessage(&msg);
          DispatchMessageA(&msg);
          if (!dragging()) break;
          const POINT cursor = ScreenPointOf(msg);
          // The thumb follows the cursor along the bar and stays in the track.
          const int moved = Horizontal ? cursor.x - Start.x : cursor.y - Start.y;
          const TThumbDrag drag = DragThumb(metrics, RangeOf(info), startOffset, moved);
          const int pos = drag.Pos;
          if (pos != position) {
            position = pos;
            info.nPos = pos;
            info.nTrackPos = pos;
            metrics.FThumbPos = drag.Offset;
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
    }
  }
  if (IsWindow(wnd)) PostMessageA(wnd, scrollMessage, MAKEWPARAM(SB_THUMBPOSITION, position), 0);
  if (*alive) FTracking = false;
}

// A skinner for a list view.
TSkinListView::TSkinListView(TComponent* AOwner) : TSkinScrollBar(AOwner) {}

// The bars, then a header skinner for the list view's header window.
void TSkinListView::InitControl(TControl* Control, TSkinModel* SkinData, bool ChangeColor,
                                TCanvas* Canvas) {
  InitScrollBars(Control, SkinData, ChangeColor, Canvas);
  if (!FHandle) return;
  const HWND header = reinterpret_cast<HWND>(SendMessageA(FHandle, LVM_GETHEADER, 0, 0));
  if (!header) return;
  FHeader = new TSkinHeader(Owner());
  FHeader->InitWindow(header, SkinData, Canvas);
}
