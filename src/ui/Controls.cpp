// Controls: geometry and alignment, colours and fonts, the message handler
// chain, window creation through named window classes, graphic children
// painted and clicked through their parent's window.
#include "ui/Controls.h"

#include <windowsx.h>

#include <algorithm>
#include <cassert>

#include "ui/Published.h"

namespace {

// The control whose window CreateWindowEx is creating on this thread.
thread_local TWinControl* gCreating = nullptr;

// Window to control, for every control with a window. These tables are
// never freed: forms may still be destroyed by static destructors at exit.
std::map<HWND, TWinControl*>& ControlMap() {
  static auto* map = new std::map<HWND, TWinControl*>;
  return *map;
}

// The procedure a registered class's windows pass messages on to, and
// whether the class (and so each of its windows) is Unicode.
struct TBaseProc {
  WNDPROC Proc;
  bool Unicode;
};

// Registered class name to its base procedure.
std::map<std::string, TBaseProc>& BaseProcs() {
  static auto* procs = new std::map<std::string, TBaseProc>;
  return *procs;
}

// True for the messages of the mouse in the client area.
bool IsMouseMessage(UINT msg) { return msg >= WM_MOUSEFIRST && msg <= WM_MOUSELAST; }

// True for the button-press messages (double clicks included).
bool IsButtonDown(UINT msg) {
  return msg == WM_LBUTTONDOWN || msg == WM_RBUTTONDOWN || msg == WM_MBUTTONDOWN ||
         msg == WM_LBUTTONDBLCLK || msg == WM_RBUTTONDBLCLK || msg == WM_MBUTTONDBLCLK;
}

// True for the button-release messages.
bool IsButtonUp(UINT msg) {
  return msg == WM_LBUTTONUP || msg == WM_RBUTTONUP || msg == WM_MBUTTONUP;
}

}  // namespace

// ANSI (the system's code page) to UTF-16.
std::wstring AcpToWide(const std::string& s) {
  if (s.empty()) return std::wstring();
  const int n = MultiByteToWideChar(CP_ACP, 0, s.data(), static_cast<int>(s.size()), nullptr, 0);
  std::wstring w(static_cast<size_t>(n), L'\0');
  MultiByteToWideChar(CP_ACP, 0, s.data(), static_cast<int>(s.size()), w.data(), n);
  return w;
}

// UTF-16 to ANSI (the system's code page; what it lacks becomes its default character).
std::string WideToAcp(const std::wstring& s) {
  if (s.empty()) return std::string();
  const int n = WideCharToMultiByte(CP_ACP, 0, s.data(), static_cast<int>(s.size()), nullptr, 0,
                                    nullptr, nullptr);
  std::string a(static_cast<size_t>(n), '\0');
  WideCharToMultiByte(CP_ACP, 0, s.data(), static_cast<int>(s.size()), a.data(), n, nullptr,
                      nullptr);
  return a;
}

// True on the NT family (GetVersion's top bit is set on the 95 family).
bool IsWindowsNT() { return (GetVersion() & 0x80000000u) == 0; }

// The shift state of a mouse message's key flags, plus the Alt key.
TShiftState MouseShiftState(WPARAM keys) {
  TShiftState s = 0;
  if (keys & MK_SHIFT) s |= ssShift;
  if (keys & MK_CONTROL) s |= ssCtrl;
  if (keys & MK_LBUTTON) s |= ssLeft;
  if (keys & MK_RBUTTON) s |= ssRight;
  if (keys & MK_MBUTTON) s |= ssMiddle;
  if (GetKeyState(VK_MENU) < 0) s |= ssAlt;
  return s;
}

void (*MessageExceptionHook)(std::exception_ptr) = nullptr;

// Passes the exception to the hook (the application shows it), else drops it.
void HandleMessageException(std::exception_ptr error) {
  if (MessageExceptionHook) MessageExceptionHook(error);
}

// True when the character after a single '&' in caption is ch (case ignored).
bool IsAccel(WPARAM ch, const std::string& caption) {
  for (size_t i = 0; i + 1 < caption.size(); ++i) {
    if (caption[i] != '&') continue;
    if (caption[i + 1] == '&') {
      ++i;  // "&&" is a plain ampersand
      continue;
    }
    return AnsiUpperChar(caption[i + 1]) == AnsiUpperChar(static_cast<char>(ch));
  }
  return false;
}

// The system cursor of a cursor number.
LPCSTR CursorResource(TCursor cursor) {
  switch (cursor) {
    case crNone: return nullptr;
    case crCross: return IDC_CROSS;
    case crIBeam: return IDC_IBEAM;
    case crSizeNESW: return IDC_SIZENESW;
    case crSizeNS: return IDC_SIZENS;
    case crSizeNWSE: return IDC_SIZENWSE;
    case crSizeWE: return IDC_SIZEWE;
    case crUpArrow: return IDC_UPARROW;
    case crHourGlass: return IDC_WAIT;
    case crNo: return IDC_NO;
    case crAppStart: return IDC_APPSTARTING;
    case crHelp: return IDC_HELP;
    case crHandPoint: return IDC_HAND;
    case crSizeAll: return IDC_SIZEALL;
    default: return IDC_ARROW;
  }
}

// Draws a 3-D frame of width lines inside rect and shrinks rect by it.
void Frame3D(HDC dc, RECT& rect, TColor topLeft, TColor bottomRight, int width) {
  TBrushObject light(CreateSolidBrush(ColorToRGB(topLeft)));
  TBrushObject dark(CreateSolidBrush(ColorToRGB(bottomRight)));
  for (int i = 0; i < width && rect.right > rect.left && rect.bottom > rect.top; ++i) {
    const RECT top{rect.left, rect.top, rect.right - 1, rect.top + 1};
    const RECT left{rect.left, rect.top, rect.left + 1, rect.bottom - 1};
    const RECT bottom{rect.left, rect.bottom - 1, rect.right, rect.bottom};
    const RECT right{rect.right - 1, rect.top, rect.right, rect.bottom};
    FillRect(dc, &top, light);
    FillRect(dc, &left, light);
    FillRect(dc, &bottom, dark);
    FillRect(dc, &right, dark);
    InflateRect(&rect, -1, -1);
  }
}

// ---------------------------------------------------------------------------
// TControl

QUORVEL_DEFINE_CLASS(TControl) {
  p.Integer("Left", &TControl::Left, &TControl::SetLeft);
  p.Integer("Top", &TControl::Top, &TControl::SetTop);
  p.Integer("Width", &TControl::Width, &TControl::SetWidth);
  p.Integer("Height", &TControl::Height, &TControl::SetHeight);
  p.Enum("Align", &TControl::Align, &TControl::SetAlign,
         {"alNone", "alTop", "alBottom", "alLeft", "alRight", "alClient"});
  p.String("Caption", &TControl::Caption, &TControl::SetCaption);
  p.Color("Color", &TControl::Color, &TControl::SetColor, clWindow);
  p.Bool("ParentColor", &TControl::ParentColor, &TControl::SetParentColor, false);
  p.Object("Font", &TControl::FontObject);
  p.Bool("ParentFont", &TControl::ParentFont, &TControl::SetParentFont, true);
  p.Integer("Cursor", &TControl::Cursor, &TControl::SetCursor, crDefault, &CursorIdents());
  p.String("Hint", &TControl::Hint, &TControl::SetHint);
  p.Bool("ShowHint", &TControl::ShowHint, &TControl::SetShowHint, false);
  p.Bool("ParentShowHint", &TControl::ParentShowHint, &TControl::SetParentShowHint, true);
  p.Bool("Enabled", &TControl::Enabled, &TControl::SetEnabled, true);
  p.Bool("Visible", &TControl::Visible, &TControl::SetVisible, true);
  p.Event("OnClick", &TControl::OnClick);
  p.Event("OnDblClick", &TControl::OnDblClick);
  p.Event("OnResize", &TControl::OnResize);
  p.Event("OnMouseDown", &TControl::OnMouseDown);
  p.Event("OnMouseUp", &TControl::OnMouseUp);
  p.Event("OnMouseMove", &TControl::OnMouseMove);
}

// A control of no size, visible and enabled, with the parent's font.
TControl::TControl(TComponent* owner) : TComponent(owner) {
  WindowProc = [this](TMessage& msg) { WndProc(msg); };
  FFont.OnChange = [this](TObject*) { FontObjectChanged(); };
}

// Leaves the parent.
TControl::~TControl() {
  if (FParent) FParent->RemoveControl(this);
}

// Moves and sizes a graphic control: the old and new areas are redrawn.
void TControl::SetBounds(int left, int top, int width, int height) {
  if (left == FLeft && top == FTop && width == FWidth && height == FHeight) return;
  Invalidate();
  const bool sized = width != FWidth || height != FHeight;
  FLeft = left;
  FTop = top;
  FWidth = width;
  FHeight = height;
  Invalidate();
  BoundsChanged(sized);
}

// The parent re-aligns; the control hears about a new size.
void TControl::BoundsChanged(bool sizeChanged) {
  if (sizeChanged) Resize();
  RequestAlign();
}

// A graphic control's client area is its whole rectangle.
TRect TControl::ClientRect() { return Rect(0, 0, FWidth, FHeight); }

// Client point to screen point.
TPoint TControl::ClientToScreen(TPoint p) {
  if (auto* win = dynamic_cast<TWinControl*>(this)) {
    ::ClientToScreen(win->Handle(), &p);
    return p;
  }
  if (!FParent) return p;
  return FParent->ClientToScreen(TPoint{p.x + FLeft, p.y + FTop});
}

// Screen point to client point.
TPoint TControl::ScreenToClient(TPoint p) {
  if (auto* win = dynamic_cast<TWinControl*>(this)) {
    ::ScreenToClient(win->Handle(), &p);
    return p;
  }
  if (!FParent) return p;
  const TPoint q = FParent->ScreenToClient(p);
  return TPoint{q.x - FLeft, q.y - FTop};
}

// Changes the alignment; the parent lays its children out again.
void TControl::SetAlign(TAlign value) {
  if (value == FAlign) return;
  const bool wasAligned = FAlign != alNone;
  FAlign = value;
  // A child that stops being aligned frees its place too.
  if (wasAligned && FParent)
    FParent->Realign();
  else
    RequestAlign();
}

// Shows or hides a graphic control.
void TControl::SetVisible(bool value) {
  if (value == FVisible) return;
  if (!value) Invalidate();
  FVisible = value;
  if (value) Invalidate();
  Perform(CM_VISIBLECHANGED, value, 0);
  RequestAlign();
}

// Enables or disables the control.
void TControl::SetEnabled(bool value) {
  if (value == FEnabled) return;
  FEnabled = value;
  EnabledChanged();
}

// A disabled graphic control is drawn differently.
void TControl::EnabledChanged() {
  Invalidate();
  Perform(CM_ENABLEDCHANGED, 0, 0);
}

// The caption as stored.
std::string TControl::Text() { return FText; }

// Changes the caption.
void TControl::SetText(const std::string& value) {
  if (value == Text()) return;
  FText = value;
  TextChanged();
  Perform(CM_TEXTCHANGED, 0, 0);
}

// A graphic control redraws its caption.
void TControl::TextChanged() { Invalidate(); }

// A colour of its own: ParentColor goes off.
void TControl::SetColor(TColor value) {
  if (value == FColor && !FParentColor) return;
  FColor = value;
  FParentColor = false;
  ColorChanged();
}

// Redraws in the new colour.
void TControl::ColorChanged() {
  Invalidate();
  Perform(CM_COLORCHANGED, 0, 0);
}

// Follows the parent's colour (true) or keeps the current one as its own.
void TControl::SetParentColor(bool value) {
  FParentColor = value;
  if (value) TakeParentColor();
}

// Copies the parent's colour, keeping ParentColor on.
void TControl::TakeParentColor() {
  if (!FParent || FColor == FParent->Color()) return;
  FColor = FParent->Color();
  ColorChanged();
}

// Follows the parent's font (true) or keeps the current one as its own.
void TControl::SetParentFont(bool value) {
  FParentFont = value;
  if (value) TakeParentFont();
}

// Copies the parent's font, keeping ParentFont on.
void TControl::TakeParentFont() {
  if (!FParent) return;
  FTakingParentFont = true;
  FFont.Assign(&FParent->Font());
  FTakingParentFont = false;
}

// The font object changed: unless it came from the parent, it is now our own.
void TControl::FontObjectChanged() {
  if (!FTakingParentFont) FParentFont = false;
  FontChanged();
}

// Redraws with the new font.
void TControl::FontChanged() {
  Invalidate();
  Perform(CM_FONTCHANGED, 0, 0);
}

// Shows hints of its own: ParentShowHint goes off.
void TControl::SetShowHint(bool value) {
  FShowHint = value;
  FParentShowHint = false;
}

// Follows the parent's ShowHint.
void TControl::SetParentShowHint(bool value) {
  FParentShowHint = value;
  if (value && FParent) FShowHint = FParent->ShowHint();
}

// Moves the control to another parent (null: none).
void TControl::SetParent(TWinControl* parent) {
  if (parent == FParent) return;
  assert(parent != this);
  if (FParent) FParent->RemoveControl(this);
  if (parent) {
    parent->InsertControl(this);
    if (FParentFont) TakeParentFont();
    if (FParentColor) TakeParentColor();
    if (FParentShowHint) FShowHint = parent->ShowHint();
  }
}

// Redraws the control's area of the parent window.
void TControl::Invalidate() {
  if (!FParent || !FParent->HandleAllocated() || !FVisible) return;
  const RECT r = BoundsRect();
  InvalidateRect(FParent->Handle(), &r, (FControlStyle & csOpaque) == 0);
}

// Redraws now.
void TControl::Repaint() {
  Invalidate();
  Update();
}

// Paints the parent's invalid parts now.
void TControl::Update() {
  if (FParent) FParent->Update();
}

// Sends a message through WindowProc.
LRESULT TControl::Perform(UINT msg, WPARAM wParam, LPARAM lParam) {
  TMessage m{msg, wParam, lParam, 0};
  if (WindowProc)
    WindowProc(m);
  else
    WndProc(m);
  return m.Result;
}

// Runs OnClick.
void TControl::Click() { OnClick(this); }

// Runs OnDblClick.
void TControl::DblClick() { OnDblClick(this); }

// Runs OnResize.
void TControl::Resize() { OnResize(this); }

// Runs OnMouseDown.
void TControl::MouseDown(TMouseButton button, TShiftState shift, int x, int y) {
  OnMouseDown(this, button, shift, x, y);
}

// Runs OnMouseUp.
void TControl::MouseUp(TMouseButton button, TShiftState shift, int x, int y) {
  OnMouseUp(this, button, shift, x, y);
}

// Runs OnMouseMove.
void TControl::MouseMove(TShiftState shift, int x, int y) { OnMouseMove(this, shift, x, y); }

// The mouse messages and the mouse entering and leaving.
void TControl::WndProc(TMessage& msg) {
  if (IsMouseMessage(msg.Msg)) {
    MouseMessage(msg);
    return;
  }
  switch (msg.Msg) {
    case CM_MOUSEENTER: FMouseInControl = true; break;
    case CM_MOUSELEAVE: FMouseInControl = false; break;
    default: break;
  }
  DefaultHandler(msg);
}

// Mouse buttons become MouseDown/MouseUp/Click, in the platform's order:
// the default handling first, then the click, then the events.
void TControl::MouseMessage(TMessage& msg) {
  const int x = GET_X_LPARAM(msg.LParam);
  const int y = GET_Y_LPARAM(msg.LParam);
  const TShiftState shift = MouseShift(msg.WParam);
  DefaultHandler(msg);
  switch (msg.Msg) {
    case WM_LBUTTONDOWN:
      if (FControlStyle & csClickEvents) FClicking = true;
      MouseDown(mbLeft, shift, x, y);
      break;
    case WM_LBUTTONDBLCLK:
      if (FControlStyle & csDoubleClicks) DblClick();
      MouseDown(mbLeft, shift | ssDouble, x, y);
      break;
    case WM_LBUTTONUP: {
      const bool clicked = FClicking;
      FClicking = false;
      if (clicked && x >= 0 && y >= 0 && x < FWidth && y < FHeight) Click();
      MouseUp(mbLeft, shift, x, y);
      break;
    }
    case WM_RBUTTONDOWN:
    case WM_RBUTTONDBLCLK: MouseDown(mbRight, shift, x, y); break;
    case WM_RBUTTONUP: MouseUp(mbRight, shift, x, y); break;
    case WM_MBUTTONDOWN:
    case WM_MBUTTONDBLCLK: MouseDown(mbMiddle, shift, x, y); break;
    case WM_MBUTTONUP: MouseUp(mbMiddle, shift, x, y); break;
    case WM_MOUSEMOVE: MouseMove(shift, x, y); break;
    default: break;
  }
}

// A control of its own handles nothing further.
void TControl::DefaultHandler(TMessage& msg) { msg.Result = 0; }

// The control's parent is its parent in definitions.
TComponent* TControl::GetParentComponent() const { return FParent; }

// Definitions give controls their parent before their properties.
void TControl::SetParentComponent(TComponent* parent) {
  if (auto* win = dynamic_cast<TWinControl*>(parent)) SetParent(win);
}

// Loading ends.
void TControl::Loaded() { TComponent::Loaded(); }

// Asks the parent to lay out its aligned children again.
void TControl::RequestAlign() {
  if (FParent && FAlign != alNone) FParent->Realign();
}

// ---------------------------------------------------------------------------
// TWinControl

QUORVEL_DEFINE_CLASS(TWinControl) {
  p.Integer("TabOrder", &TWinControl::TabOrder, &TWinControl::SetTabOrder, -1);
  p.Bool("TabStop", &TWinControl::TabStop, &TWinControl::SetTabStop, false);
  p.Bool("DoubleBuffered", &TWinControl::DoubleBuffered, &TWinControl::SetDoubleBuffered, false);
}

// A windowed control without a window yet.
TWinControl::TWinControl(TComponent* owner) : TControl(owner) { FBrush.SetColor(Color()); }

// Destroys the window and lets go of the children (their owners free them).
TWinControl::~TWinControl() {
  DestroyHandle();
  for (TControl* c : FControls) c->FParent = nullptr;
  for (TWinControl* c : FWinControls) c->FParent = nullptr;
  FControls.clear();
  FWinControls.clear();
  if (Parent()) Parent()->RemoveControl(this);
}

// The window, created with its parents' windows when there is none yet.
HWND TWinControl::Handle() {
  if (FHandle) return FHandle;
  if (Parent()) Parent()->HandleNeeded();  // creates ours too
  if (FHandle) return FHandle;
  CreateWnd();
  SendMessageA(FHandle, WM_SETFONT, reinterpret_cast<WPARAM>(Font().Handle()), 0);
  InitWnd();
  for (TWinControl* c : std::vector<TWinControl*>(FWinControls))
    if (!c->FHandle) c->Handle();
  Realign();
  return FHandle;
}

// Destroys the children's windows, then this one.
void TWinControl::DestroyHandle() {
  if (!FHandle) return;
  for (TWinControl* c : FWinControls) c->DestroyHandle();
  FText = Text();  // the window's text outlives it (it may have been set directly)
  DestroyWnd();
  if (FHandle) DestroyWindow(FHandle);
  FHandle = nullptr;
}

// Re-creates the window with the current parameters.
void TWinControl::RecreateWnd() {
  if (!FHandle) return;
  // A top-level window is shown by hand (children follow Visible by style).
  const bool shownTopLevel =
      IsWindowVisible(FHandle) && !(GetWindowLongPtrA(FHandle, GWL_STYLE) & WS_CHILD);
  DestroyHandle();
  Handle();
  if (shownTopLevel) ShowWindow(FHandle, SW_SHOWNA);
}

// The control of a window, or null.
TWinControl* TWinControl::FindControl(HWND wnd) {
  auto it = ControlMap().find(wnd);
  return it == ControlMap().end() ? nullptr : it->second;
}

// The child at index: graphic controls first, then windowed ones.
TControl* TWinControl::Controls(int index) const {
  assert(index >= 0 && index < ControlCount());
  const size_t i = static_cast<size_t>(index);
  if (i < FControls.size()) return FControls[i];
  return FWinControls[i - FControls.size()];
}

// Takes control into the child lists.
void TWinControl::InsertControl(TControl* control) {
  assert(control && !control->FParent);
  control->FParent = this;
  if (auto* win = dynamic_cast<TWinControl*>(control)) {
    FWinControls.push_back(win);
    if (FHandle && !IsLoading()) win->Handle();
  } else {
    FControls.push_back(control);
    control->Invalidate();
  }
  if (control->Align() != alNone) Realign();
}

// Drops control from the child lists.
void TWinControl::RemoveControl(TControl* control) {
  if (control->FParent != this) return;
  control->Invalidate();
  if (FCaptureControl == control) FCaptureControl = nullptr;
  if (FMouseControl == control) FMouseControl = nullptr;
  FControls.erase(std::remove(FControls.begin(), FControls.end(), control), FControls.end());
  FWinControls.erase(std::remove(FWinControls.begin(), FWinControls.end(), control),
                     FWinControls.end());
  control->FParent = nullptr;
  if (control->Align() != alNone && !IsDestroying()) Realign();
}

// The topmost visible graphic child at point.
TControl* TWinControl::ControlAtPos(TPoint point, bool allowDisabled) const {
  for (auto it = FControls.rbegin(); it != FControls.rend(); ++it) {
    TControl* c = *it;
    if (!c->Visible() || (!allowDisabled && !c->Enabled())) continue;
    const RECT r = c->BoundsRect();
    if (PtInRect(&r, point)) return c;
  }
  return nullptr;
}

// Sends msg to every child until one sets a result.
void TWinControl::Broadcast(TMessage& msg) {
  for (int i = 0; i < ControlCount(); ++i) {
    Controls(i)->WindowProc(msg);
    if (msg.Result != 0) return;
  }
}

// Stores the tab position.
void TWinControl::SetTabOrder(int value) { FTabOrder = value; }

// Makes the control a tab stop.
void TWinControl::SetTabStop(bool value) {
  if (value == FTabStop) return;
  FTabStop = value;
  if (FHandle) {
    LONG_PTR style = GetWindowLongPtrA(FHandle, GWL_STYLE);
    style = value ? (style | WS_TABSTOP) : (style & ~WS_TABSTOP);
    SetWindowLongPtrA(FHandle, GWL_STYLE, style);
  }
}

// True when the control and all its parents are visible and enabled.
bool TWinControl::CanFocus() {
  for (TWinControl* c = this; c; c = c->Parent())
    if (!c->Visible() || !c->Enabled()) return false;
  return true;
}

// True when the window has the keyboard focus.
bool TWinControl::Focused() const { return FHandle && GetFocus() == FHandle; }

// Gives the window the keyboard focus.
void TWinControl::SetFocus() { ::SetFocus(Handle()); }

// Moves the window, or stores the position until there is one.
void TWinControl::SetBounds(int left, int top, int width, int height) {
  if (left == FLeft && top == FTop && width == FWidth && height == FHeight) return;
  if (FHandle && !IsIconic(FHandle)) {
    // WM_MOVE and WM_SIZE bring the new rectangle back (UpdateBounds).
    SetWindowPos(FHandle, nullptr, left, top, width, height, SWP_NOZORDER | SWP_NOACTIVATE);
    return;
  }
  const bool sized = width != FWidth || height != FHeight;
  FLeft = left;
  FTop = top;
  FWidth = width;
  FHeight = height;
  if (sized) Realign();
  BoundsChanged(sized);
}

// Reads the window's rectangle (in the parent's client area, or on the screen).
void TWinControl::UpdateBounds() {
  if (!FHandle || IsIconic(FHandle)) return;
  RECT r;
  GetWindowRect(FHandle, &r);
  if (GetWindowLongPtrA(FHandle, GWL_STYLE) & WS_CHILD)
    MapWindowPoints(HWND_DESKTOP, GetParent(FHandle), reinterpret_cast<POINT*>(&r), 2);
  const int w = r.right - r.left, h = r.bottom - r.top;
  if (r.left == FLeft && r.top == FTop && w == FWidth && h == FHeight) return;
  const bool sized = w != FWidth || h != FHeight;
  FLeft = r.left;
  FTop = r.top;
  FWidth = w;
  FHeight = h;
  if (sized) Realign();
  BoundsChanged(sized);
}

// The window's client area, or the whole rectangle before there is a window.
TRect TWinControl::ClientRect() {
  if (!FHandle) return TControl::ClientRect();
  RECT r;
  GetClientRect(FHandle, &r);
  return r;
}

// Shows or hides the window.
void TWinControl::SetVisible(bool value) {
  if (value == Visible()) return;
  TControl::SetVisible(value);
  if (FHandle) ShowWindow(FHandle, value ? SW_SHOWNA : SW_HIDE);
}

// Enables or disables the window.
void TWinControl::SetEnabled(bool value) {
  if (value == Enabled()) return;
  TControl::SetEnabled(value);
  if (FHandle) EnableWindow(FHandle, value);
}

// The window text when there is a window.
std::string TWinControl::Text() {
  if (!FHandle) return FText;
  const int n = GetWindowTextLengthA(FHandle);
  std::string s(static_cast<size_t>(n) + 1, '\0');
  const int got = GetWindowTextA(FHandle, s.data(), n + 1);
  s.resize(static_cast<size_t>(std::max(got, 0)));
  return s;
}

// Puts the text into the window.
void TWinControl::TextChanged() {
  if (FHandle) SetWindowTextA(FHandle, FText.c_str());
}

// New brush colour; children that follow our colour take it.
void TWinControl::ColorChanged() {
  FBrush.SetColor(Color());
  TControl::ColorChanged();
  for (int i = 0; i < ControlCount(); ++i)
    if (Controls(i)->ParentColor()) Controls(i)->TakeParentColor();
}

// The window gets the new font; children that follow our font take it.
void TWinControl::FontChanged() {
  if (FHandle) SendMessageA(FHandle, WM_SETFONT, reinterpret_cast<WPARAM>(Font().Handle()), TRUE);
  TControl::FontChanged();
  for (int i = 0; i < ControlCount(); ++i)
    if (Controls(i)->ParentFont()) Controls(i)->TakeParentFont();
}

// Redraws the whole window later.
void TWinControl::Invalidate() {
  if (FHandle) InvalidateRect(FHandle, nullptr, (FControlStyle & csOpaque) == 0);
}

// Paints the window's invalid parts now.
void TWinControl::Update() {
  if (FHandle) UpdateWindow(FHandle);
}

// Moves the control (and its window) to another parent.
void TWinControl::SetParent(TWinControl* parent) {
  if (parent == Parent()) return;
  if (FHandle && !parent) DestroyHandle();
  TControl::SetParent(parent);
  if (FHandle && parent) {
    if (parent->HandleAllocated())
      ::SetParent(FHandle, parent->FHandle);
    else
      DestroyHandle();
  }
}

// Stores the non-visual components (for the root) and the child controls.
void TWinControl::GetChildren(const TGetChildProc& proc, TComponent* root) {
  TComponent::GetChildren(proc, root);
  for (int i = 0; i < ControlCount(); ++i)
    if (Controls(i)->Owner() == root) proc(Controls(i));
}

// Aligns the children again once alignment is enabled.
void TWinControl::EnableAlign() {
  assert(FAlignLevel > 0);
  if (--FAlignLevel == 0) Realign();
}

// Lays out the aligned children in the client area.
void TWinControl::Realign() {
  if (FAlignLevel > 0 || FAligning || IsLoading() || IsDestroying()) return;
  FAligning = true;
  TRect r = ClientRect();
  AdjustClientRect(r);
  AlignControls(r);
  FAligning = false;
}

// Places the aligned children (AlignItems) and moves them there.
void TWinControl::AlignControls(TRect rect) {
  std::vector<TControl*> children;
  std::vector<TAlignItem> items;
  for (int i = 0; i < ControlCount(); ++i) {
    TControl* c = Controls(i);
    children.push_back(c);
    items.push_back(
        TAlignItem{c->Align(), c->Visible(), c->Left(), c->Top(), c->Width(), c->Height()});
  }
  AlignItems(TAlignArea{rect.left, rect.top, rect.right, rect.bottom}, items);
  for (size_t i = 0; i < children.size(); ++i) {
    const TAlignItem& item = items[i];
    // A child's resize handler may have removed another child meanwhile.
    if (item.Align != alNone && item.Visible && children[i]->Parent() == this)
      children[i]->SetBounds(item.Left, item.Top, item.Width, item.Height);
  }
}

// Paints every visible graphic child that the DC can draw on.
void TWinControl::PaintControls(HDC dc) {
  for (TControl* c : std::vector<TControl*>(FControls)) {
    if (!c->Visible()) continue;
    const RECT r = c->BoundsRect();
    if (!RectVisible(dc, &r)) continue;
    TSaveDCGuard saved(dc);
    POINT org;
    GetViewportOrgEx(dc, &org);
    SetViewportOrgEx(dc, org.x + r.left, org.y + r.top, nullptr);
    IntersectClipRect(dc, 0, 0, c->Width(), c->Height());
    c->Perform(WM_PAINT, reinterpret_cast<WPARAM>(dc), 0);
  }
}

// Ends the loading state and lays the children out.
void TWinControl::Loaded() {
  TControl::Loaded();
  Realign();
}

// A child window of the parent's, visible and enabled as the control is.
void TWinControl::CreateParams(TCreateParams& params) {
  params.Caption = FText;
  params.Style = WS_CHILD | WS_CLIPSIBLINGS;
  if (FControlStyle & csAcceptsControls) params.Style |= WS_CLIPCHILDREN;
  if (Visible()) params.Style |= WS_VISIBLE;
  if (!Enabled()) params.Style |= WS_DISABLED;
  if (FTabStop) params.Style |= WS_TABSTOP;
  params.X = FLeft;
  params.Y = FTop;
  params.Width = FWidth;
  params.Height = FHeight;
  params.WndParent = Parent() ? Parent()->FHandle : nullptr;
  params.WindowClass.style = CS_VREDRAW | CS_HREDRAW | CS_DBLCLKS;
  params.WindowClass.lpfnWndProc = DefWindowProcA;
  params.WindowClass.hCursor = LoadCursorA(nullptr, IDC_ARROW);
  params.WinClassName = ClassName();
}

// Takes over the standard control class's procedure, extra bytes, cursor
// and background, keeping our own class name; a Unicode superclass takes
// the procedure's Unicode entry.
void TWinControl::CreateSubClass(TCreateParams& params, const char* controlClass) {
  WNDCLASSA std{};
  const HINSTANCE modules[] = {nullptr, GetModuleHandleA(nullptr),
                               GetModuleHandleA("comctl32.dll")};
  for (HINSTANCE module : modules)
    if (GetClassInfoA(module, controlClass, &std)) {
      params.WindowClass = std;
      params.WindowClass.style &= ~CS_GLOBALCLASS;
      WNDCLASSW wide{};
      if (params.Unicode && GetClassInfoW(module, AcpToWide(controlClass).c_str(), &wide))
        params.WindowClass.lpfnWndProc = wide.lpfnWndProc;
      else
        params.Unicode = false;
      return;
    }
  throw EInvalidOperation(Format("Window class %s is not available", controlClass));
}

// Registers the window class (once) and creates the window.
void TWinControl::CreateWnd() {
  TCreateParams params;
  CreateParams(params);
  if ((params.Style & WS_CHILD) && !params.WndParent)
    throw EInvalidOperation(Format("Control '%s' has no parent window", Name().c_str()));
  const HINSTANCE instance = GetModuleHandleA(nullptr);
  const std::string& className = params.WinClassName;
  WNDCLASSA existing{};
  if (!GetClassInfoA(instance, className.c_str(), &existing)) {
    const WNDCLASSA& c = params.WindowClass;
    bool registered = false;
    if (params.Unicode) {
      const std::wstring wideName = AcpToWide(className);
      const WNDCLASSW wc{c.style, StartProcW, c.cbClsExtra,    c.cbWndExtra, instance,
                         c.hIcon, c.hCursor,  c.hbrBackground, nullptr,      wideName.c_str()};
      registered = RegisterClassW(&wc) != 0;
    } else {
      WNDCLASSA wc = c;
      wc.hInstance = instance;
      wc.lpszClassName = className.c_str();
      wc.lpfnWndProc = StartProc;
      registered = RegisterClassA(&wc) != 0;
    }
    if (!registered)
      throw EOutOfResources(Format("Cannot register window class %s", className.c_str()));
    BaseProcs()[className] = {c.lpfnWndProc, params.Unicode};
  }
  auto base = BaseProcs().find(className);
  FDefWndProc = base != BaseProcs().end() ? base->second.Proc : params.WindowClass.lpfnWndProc;
  // The class decides: a window is as Unicode as the class registered first.
  params.Unicode = base != BaseProcs().end() && base->second.Unicode;
  gCreating = this;
  HWND wnd = nullptr;
  try {
    wnd = CreateWindowHandle(params);
  } catch (...) {
    gCreating = nullptr;
    throw;
  }
  gCreating = nullptr;
  if (!wnd) throw EOutOfResources(Format("Error creating window %s", className.c_str()));
  assert(FHandle == wnd);
}

// CreateWindowEx with the parameters.
HWND TWinControl::CreateWindowHandle(const TCreateParams& params) {
  if (params.Unicode)
    return CreateWindowExW(params.ExStyle, AcpToWide(params.WinClassName).c_str(),
                           AcpToWide(params.Caption).c_str(), params.Style, params.X, params.Y,
                           params.Width, params.Height, params.WndParent, nullptr,
                           GetModuleHandleA(nullptr), params.Param);
  return CreateWindowExA(params.ExStyle, params.WinClassName.c_str(), params.Caption.c_str(),
                         params.Style, params.X, params.Y, params.Width, params.Height,
                         params.WndParent, nullptr, GetModuleHandleA(nullptr), params.Param);
}

// The first message of a window of one of our classes: the control being
// created takes the window over; a window made elsewhere behaves like the
// class it superclasses.
LRESULT CALLBACK TWinControl::StartProc(HWND wnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  return Start(wnd, msg, wParam, lParam, false);
}

// The same for the windows of a Unicode class.
LRESULT CALLBACK TWinControl::StartProcW(HWND wnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  return Start(wnd, msg, wParam, lParam, true);
}

// The first message of a window, ANSI or Unicode as its class.
LRESULT TWinControl::Start(HWND wnd, UINT msg, WPARAM wParam, LPARAM lParam, bool unicode) {
  if (TWinControl* c = gCreating) {
    gCreating = nullptr;
    c->FHandle = wnd;
    ControlMap()[wnd] = c;
    c->FSubclass.AttachCreating(
        wnd,
        [c](TMessage& m) {
          // An exception must not unwind through the system's window code.
          try {
            if (c->WindowProc)
              c->WindowProc(m);
            else
              c->WndProc(m);
          } catch (...) {
            m.Result = 0;
            HandleMessageException(std::current_exception());
          }
        },
        c->FDefWndProc);
    if (unicode)
      return CallWindowProcW(reinterpret_cast<WNDPROC>(GetWindowLongPtrW(wnd, GWLP_WNDPROC)), wnd,
                             msg, wParam, lParam);
    return CallWindowProcA(reinterpret_cast<WNDPROC>(GetWindowLongPtrA(wnd, GWLP_WNDPROC)), wnd,
                           msg, wParam, lParam);
  }
  char name[256] = {};
  GetClassNameA(wnd, name, sizeof name);
  auto it = BaseProcs().find(name);
  if (unicode) {
    const WNDPROC base = it != BaseProcs().end() ? it->second.Proc : DefWindowProcW;
    SetWindowLongPtrW(wnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(base));
    return CallWindowProcW(base, wnd, msg, wParam, lParam);
  }
  const WNDPROC base = it != BaseProcs().end() ? it->second.Proc : DefWindowProcA;
  SetWindowLongPtrA(wnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(base));
  return CallWindowProcA(base, wnd, msg, wParam, lParam);
}

// Painting, background, cursor, size, reflected notifications, graphic
// children's mouse messages; everything else as a plain control.
void TWinControl::WndProc(TMessage& msg) {
  switch (msg.Msg) {
    case WM_PAINT: WMPaint(msg); return;
    case WM_ERASEBKGND: WMEraseBkgnd(msg); return;
    case WM_SETCURSOR: WMSetCursor(msg); return;
    case WM_SIZE:
    case WM_MOVE:
      DefaultHandler(msg);
      UpdateBounds();
      return;
    case WM_NCDESTROY: WMNCDestroy(msg); return;
    case WM_COMMAND:
    case WM_NOTIFY:
    case WM_HSCROLL:
    case WM_VSCROLL:
    case WM_DRAWITEM:
    case WM_DELETEITEM:
    case WM_CTLCOLORMSGBOX:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORLISTBOX:
    case WM_CTLCOLORBTN:
    case WM_CTLCOLORDLG:
    case WM_CTLCOLORSCROLLBAR:
    case WM_CTLCOLORSTATIC:
      if (ReflectNotification(msg)) return;
      break;
    case WM_MOUSELEAVE:
      FTrackingLeave = false;
      SetMouseControl(nullptr);
      // Onto a window of the control's own making (a combo box's edit, a
      // list view's header): the mouse is still over the control.
      if (FMouseInWindow && PointerPlace() == TPointerPlace::InnerWindow)
        SetTimer(FHandle, kLeaveCheckTimer, kLeaveCheckInterval, nullptr);
      else
        MouseLeft();
      break;
    case CM_MOUSELEAVE:
      // Also when sent from outside (a skin's hover check): the next mouse
      // move is an enter again.
      FMouseInWindow = false;
      if (FHandle) KillTimer(FHandle, kLeaveCheckTimer);
      break;
    case WM_TIMER:
      if (msg.WParam != kLeaveCheckTimer) break;
      switch (PointerPlace()) {
        case TPointerPlace::Elsewhere: MouseLeft(); break;
        case TPointerPlace::Window:
          KillTimer(FHandle, kLeaveCheckTimer);
          break;  // its mouse moves go on
        case TPointerPlace::InnerWindow: break;
      }
      msg.Result = 0;
      return;
    case WM_MOUSEMOVE:
      KillTimer(FHandle, kLeaveCheckTimer);
      if (!FMouseInWindow) {
        FMouseInWindow = true;
        Perform(CM_MOUSEENTER, 0, 0);
      }
      TrackMouseLeave();
      if (RouteMouseToGraphic(msg)) return;
      break;
    case WM_CAPTURECHANGED: FCaptureControl = nullptr; break;
    default:
      if (IsMouseMessage(msg.Msg) && RouteMouseToGraphic(msg)) return;
      break;
  }
  TControl::WndProc(msg);
}

// Unhandled messages go to the window's previous procedure; the layer's own
// messages stop here (reflected colour messages get the control's colours).
void TWinControl::DefaultHandler(TMessage& msg) {
  if (msg.Msg >= CN_CTLCOLORMSGBOX && msg.Msg <= CN_CTLCOLORSTATIC) {
    const HDC dc = reinterpret_cast<HDC>(msg.WParam);
    SetTextColor(dc, ColorToRGB(Font().Color()));
    SetBkColor(dc, ColorToRGB(Color()));
    msg.Result = reinterpret_cast<LRESULT>(FBrush.Handle());
    return;
  }
  if (msg.Msg >= CM_BASE && msg.Msg < CM_BASE + 0x1000) {
    msg.Result = 0;
    return;
  }
  if (!FHandle) {
    msg.Result = 0;
    return;
  }
  FSubclass.CallPrevious(msg);
}

// Controls that paint themselves paint here, then their graphic children.
void TWinControl::WMPaint(TMessage& msg) {
  if (!FCustomPaint) {
    DefaultHandler(msg);
    if (!FControls.empty() && !msg.WParam) {
      TWindowDC dc(FHandle);
      PaintControls(dc);
    }
    return;
  }
  msg.Result = 0;
  if (msg.WParam) {
    const HDC dc = reinterpret_cast<HDC>(msg.WParam);
    PaintWindow(dc);
    PaintControls(dc);
    return;
  }
  TPaintDC dc(FHandle);
  const RECT area = dc.PaintStruct().rcPaint;
  const int w = area.right - area.left, h = area.bottom - area.top;
  if (!FDoubleBuffered || w <= 0 || h <= 0) {
    PaintWindow(dc);
    PaintControls(dc);
    return;
  }
  // Composed in a memory bitmap (with the same coordinates) and copied once.
  TMemoryDC mem(dc);
  TBitmapObject bitmap(CreateCompatibleBitmap(dc, w, h));
  TSelectObjectGuard select(mem, bitmap);
  SetWindowOrgEx(mem, area.left, area.top, nullptr);
  FillBackground(mem);
  PaintWindow(mem);
  PaintControls(mem);
  BitBlt(dc, area.left, area.top, w, h, mem, area.left, area.top, SRCCOPY);
}

// Fills the client area with Color.
void TWinControl::FillBackground(HDC dc) {
  RECT r;
  GetClientRect(FHandle, &r);
  FillRect(dc, &r, FBrush.Handle());
}

// Controls that paint themselves fill their background with Color.
void TWinControl::WMEraseBkgnd(TMessage& msg) {
  if (!FCustomPaint) {
    DefaultHandler(msg);
    return;
  }
  // A double-buffered paint fills the background in its bitmap instead.
  if (!FDoubleBuffered) FillBackground(reinterpret_cast<HDC>(msg.WParam));
  msg.Result = 1;
}

// The cursor of the graphic child under the mouse, or our own.
void TWinControl::WMSetCursor(TMessage& msg) {
  if (reinterpret_cast<HWND>(msg.WParam) == FHandle && LOWORD(msg.LParam) == HTCLIENT) {
    POINT p;
    GetCursorPos(&p);
    ::ScreenToClient(FHandle, &p);
    const TCursor cursor = CursorAt(TPoint{p.x, p.y});
    if (cursor != crDefault) {
      ::SetCursor(LoadCursorA(nullptr, CursorResource(cursor)));
      msg.Result = TRUE;
      return;
    }
  }
  DefaultHandler(msg);
}

// The cursor shown at a client point: the graphic child's there, else this control's.
TCursor TWinControl::CursorAt(TPoint point) const {
  const TControl* child = ControlAtPos(point);
  return child ? child->Cursor() : Cursor();
}

// The window is gone: forget it.
void TWinControl::WMNCDestroy(TMessage& msg) {
  FreeDeviceContexts();
  DefaultHandler(msg);
  ControlMap().erase(FHandle);
  FHandle = nullptr;
  FCaptureControl = nullptr;
  FMouseControl = nullptr;
  FTrackingLeave = false;
  FMouseInWindow = false;
}

// A notification from a child window goes back to the child's control as CN_*.
bool TWinControl::ReflectNotification(TMessage& msg) {
  HWND child = nullptr;
  switch (msg.Msg) {
    case WM_COMMAND: child = reinterpret_cast<HWND>(msg.LParam); break;
    case WM_NOTIFY: child = reinterpret_cast<NMHDR*>(msg.LParam)->hwndFrom; break;
    case WM_DRAWITEM: {
      auto* dis = reinterpret_cast<DRAWITEMSTRUCT*>(msg.LParam);
      if (dis->CtlType != ODT_MENU) child = dis->hwndItem;
      break;
    }
    case WM_DELETEITEM: child = reinterpret_cast<DELETEITEMSTRUCT*>(msg.LParam)->hwndItem; break;
    default: child = reinterpret_cast<HWND>(msg.LParam); break;
  }
  TWinControl* control = child ? FindControl(child) : nullptr;
  if (!control || control == this) return false;
  msg.Result = control->Perform(CN_BASE + msg.Msg, msg.WParam, msg.LParam);
  return true;
}

// Sends a mouse message to the graphic child under the mouse (or the one
// that has the mouse captured), in the child's coordinates.
bool TWinControl::RouteMouseToGraphic(TMessage& msg) {
  const TPoint pt{GET_X_LPARAM(msg.LParam), GET_Y_LPARAM(msg.LParam)};
  if (msg.Msg == WM_MOUSEMOVE) SetMouseControl(ControlAtPos(pt));
  TControl* target = FCaptureControl ? FCaptureControl : ControlAtPos(pt);
  if (!target) return false;
  if (IsButtonDown(msg.Msg) && (target->ControlStyle() & csCaptureMouse)) {
    FCaptureControl = target;
    SetCapture(FHandle);
  }
  if (IsButtonUp(msg.Msg) && FCaptureControl == target) {
    // Released before the control runs its click: a click handler may pump
    // messages, and further presses must find the mouse free.
    FCaptureControl = nullptr;
    if (GetCapture() == FHandle) ReleaseCapture();
  }
  const LPARAM local = MAKELPARAM(pt.x - target->Left(), pt.y - target->Top());
  msg.Result = target->Perform(msg.Msg, msg.WParam, local);
  return true;
}

// Asks for WM_MOUSELEAVE when the mouse leaves the window. A pointer that
// is not over the window at all gets its leave at once, as the platform's
// mouse tracking documents (Wine's would wait for the pointer to move).
void TWinControl::TrackMouseLeave() {
  if (FTrackingLeave || !FHandle) return;
  TRACKMOUSEEVENT tme{sizeof(TRACKMOUSEEVENT), TME_LEAVE, FHandle, 0};
  FTrackingLeave = TrackMouseEvent(&tme) != FALSE;
  if (FTrackingLeave && PointerPlace() != TPointerPlace::Window)
    PostMessageA(FHandle, WM_MOUSELEAVE, 0, 0);
}

// Where the mouse pointer is: over this window, over a window inside it
// that belongs to no control of its own (which counts as the control's),
// or elsewhere.
TWinControl::TPointerPlace TWinControl::PointerPlace() const {
  POINT p;
  if (!FHandle || !GetCursorPos(&p)) return TPointerPlace::Elsewhere;
  HWND wnd = WindowFromPoint(p);
  if (wnd == FHandle) return TPointerPlace::Window;
  for (; wnd && wnd != FHandle; wnd = GetParent(wnd))
    if (FindControl(wnd)) return TPointerPlace::Elsewhere;
  return wnd == FHandle ? TPointerPlace::InnerWindow : TPointerPlace::Elsewhere;
}

// The mouse has left the window (and whatever inner windows it has).
void TWinControl::MouseLeft() {
  if (FHandle) KillTimer(FHandle, kLeaveCheckTimer);
  if (!FMouseInWindow) return;
  FMouseInWindow = false;
  Perform(CM_MOUSELEAVE, 0, 0);
}

// The graphic child under the mouse hears it enter and leave.
void TWinControl::SetMouseControl(TControl* control) {
  if (control == FMouseControl) return;
  TControl* old = FMouseControl;
  FMouseControl = control;
  if (old) old->Perform(CM_MOUSELEAVE, 0, 0);
  if (control) control->Perform(CM_MOUSEENTER, 0, 0);
}

// ---------------------------------------------------------------------------
// TControlCanvas

namespace {
// Canvases that hold a DC of their own.
std::vector<TControlCanvas*>& CanvasesWithDC() {
  static auto* list = new std::vector<TControlCanvas*>;
  return *list;
}
}  // namespace

// Releases every DC taken outside of paints.
void FreeDeviceContexts() {
  for (TControlCanvas* c : std::vector<TControlCanvas*>(CanvasesWithDC())) c->FreeHandle();
}

TControlCanvas::~TControlCanvas() { FreeHandle(); }

// Borrows a paint's DC.
void TControlCanvas::Borrow(HDC dc) {
  FreeHandle();
  SetHandle(dc);
}

// Takes a DC of the control's window, or of the parent's for a graphic control.
void TControlCanvas::CreateHandle() {
  FreeHandle();
  TPoint origin{0, 0};
  HWND wnd = nullptr;
  if (auto* win = dynamic_cast<TWinControl*>(&FControl)) {
    if (!win->HandleAllocated()) return;
    wnd = win->Handle();
  } else {
    TWinControl* parent = FControl.Parent();
    if (!parent || !parent->HandleAllocated()) return;
    wnd = parent->Handle();
    origin = TPoint{FControl.Left(), FControl.Top()};
  }
  HDC dc = GetDCEx(wnd, nullptr, DCX_CACHE | DCX_CLIPCHILDREN | DCX_CLIPSIBLINGS);
  if (!dc) return;
  SetViewportOrgEx(dc, origin.x, origin.y, nullptr);
  IntersectClipRect(dc, 0, 0, FControl.Width(), FControl.Height());
  FWnd = wnd;
  FOwnDC = dc;
  FHandle = dc;
  CanvasesWithDC().push_back(this);
}

// Releases the DC taken by CreateHandle.
void TControlCanvas::FreeHandle() {
  if (!FOwnDC) return;
  if (FHandle == FOwnDC) FHandle = nullptr;
  ReleaseDC(FWnd, FOwnDC);
  FOwnDC = nullptr;
  FWnd = nullptr;
  auto& list = CanvasesWithDC();
  list.erase(std::remove(list.begin(), list.end(), this), list.end());
}

namespace {
// Lends a paint's DC to a control's canvas, with the control's font and
// colour, until the paint ends (also by an exception).
class TCanvasPaint {
public:
  TCanvasPaint(TControlCanvas& canvas, HDC dc, TControl& control) : FCanvas(canvas) {
    FCanvas.Borrow(dc);
    FCanvas.Font().Assign(&control.Font());
    FCanvas.Brush().SetColor(control.Color());
  }
  ~TCanvasPaint() { FCanvas.Borrow(nullptr); }
  TCanvasPaint(const TCanvasPaint&) = delete;
  TCanvasPaint& operator=(const TCanvasPaint&) = delete;

private:
  TControlCanvas& FCanvas;
};
}  // namespace

// ---------------------------------------------------------------------------
// TGraphicControl

QUORVEL_DEFINE_CLASS(TGraphicControl) {}

TGraphicControl::TGraphicControl(TComponent* owner) : TControl(owner) {}

TGraphicControl::~TGraphicControl() = default;

// WM_PAINT with a DC (from the parent's PaintControls) runs Paint on it.
void TGraphicControl::WndProc(TMessage& msg) {
  if (msg.Msg == WM_PAINT && msg.WParam) {
    const TCanvasPaint paint(FCanvas, reinterpret_cast<HDC>(msg.WParam), *this);
    Paint();
    msg.Result = 0;
    return;
  }
  TControl::WndProc(msg);
}

// ---------------------------------------------------------------------------
// TCustomControl

QUORVEL_DEFINE_CLASS(TCustomControl) {}

// A windowed control that paints itself and holds other controls.
TCustomControl::TCustomControl(TComponent* owner) : TWinControl(owner) {
  FCustomPaint = true;
  FControlStyle |= csAcceptsControls;
}

TCustomControl::~TCustomControl() = default;

// Runs Paint with the canvas bound to dc.
void TCustomControl::PaintWindow(HDC dc) {
  const TCanvasPaint paint(FCanvas, dc, *this);
  Paint();
}
