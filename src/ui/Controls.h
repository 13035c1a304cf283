// Controls: the base of everything visible. TControl (position, alignment,
// colour, font, mouse, the replaceable message handler WindowProc),
// TWinControl (a control with a window of its own, created on demand from a
// window class named after the component class), TGraphicControl (drawn on
// its parent's window) and TCustomControl (a windowed control that paints
// itself on a canvas).
#pragma once

#include <windows.h>

#include <cstdint>
#include <exception>
#include <functional>
#include <map>
#include <string>
#include <vector>

#include "ui/AlignLayout.h"
#include "ui/Classes.h"
#include "ui/Graphics.h"
#include "ui/Messages.h"
#include "ui/Subclass.h"

class TWinControl;

enum TAlignment { taLeftJustify, taRightJustify, taCenter };
enum TMouseButton { mbLeft, mbRight, mbMiddle };

enum TShiftStateFlag : uint32_t {
  ssShift = 1u << 0,
  ssAlt = 1u << 1,
  ssCtrl = 1u << 2,
  ssLeft = 1u << 3,
  ssRight = 1u << 4,
  ssMiddle = 1u << 5,
  ssDouble = 1u << 6,
};
using TShiftState = uint32_t;

// Cursor numbers as definitions store them (see CursorIdents in Published.h).
using TCursor = int32_t;
enum : TCursor {
  crDefault = 0,
  crNone = -1,
  crArrow = -2,
  crCross = -3,
  crIBeam = -4,
  crSizeNESW = -5,
  crSizeNS = -6,
  crSizeNWSE = -7,
  crSizeWE = -8,
  crUpArrow = -9,
  crHourGlass = -11,
  crNo = -18,
  crAppStart = -19,
  crHelp = -20,
  crHandPoint = -21,
  crSizeAll = -22,
};

// The answer of a modal form.
using TModalResult = int32_t;
enum : TModalResult {
  mrNone = 0,
  mrOk = IDOK,
  mrCancel = IDCANCEL,
  mrAbort = IDABORT,
  mrRetry = IDRETRY,
  mrIgnore = IDIGNORE,
  mrYes = IDYES,
  mrNo = IDNO,
  mrAll = mrNo + 1,
  mrNoToAll = mrAll + 1,
  mrYesToAll = mrNoToAll + 1,
};

// Border styles of forms; panels use the first two.
enum TFormBorderStyle { bsNone, bsSingle, bsSizeable, bsDialog, bsToolWindow, bsSizeToolWin };
using TBorderStyle = TFormBorderStyle;

// What a control is and does (TControl::ControlStyle).
enum TControlStyleFlag : uint32_t {
  csAcceptsControls = 1u << 0,
  csCaptureMouse = 1u << 1,
  csClickEvents = 1u << 3,
  csFramed = 1u << 4,
  csSetCaption = 1u << 5,
  csOpaque = 1u << 6,
  csDoubleClicks = 1u << 7,
  csFixedWidth = 1u << 8,
  csFixedHeight = 1u << 9,
  csNoStdEvents = 1u << 12,
};
using TControlStyle = uint32_t;

using TMouseEvent = TEvent<TObject*, TMouseButton, TShiftState, int, int>;
using TMouseMoveEvent = TEvent<TObject*, TShiftState, int, int>;

// Everything CreateWindowEx needs, filled by TWinControl::CreateParams.
struct TCreateParams {
  std::string Caption;
  DWORD Style = 0;
  DWORD ExStyle = 0;
  int X = 0, Y = 0, Width = 0, Height = 0;
  HWND WndParent = nullptr;
  void* Param = nullptr;
  // The class to register: lpfnWndProc is the procedure that gets what the
  // control does not handle (DefWindowProcA, or a standard control's).
  WNDCLASSA WindowClass{};
  std::string WinClassName;
  // A Unicode window (class and window made with the wide calls): its
  // messages carry UTF-16 text, and the system translates those of ANSI
  // callers. Set before CreateSubClass; only the NT family has such windows.
  bool Unicode = false;
};

// Text in the system's ANSI code page to UTF-16 and back, as the system
// translates the messages of ANSI callers of a Unicode window.
std::wstring AcpToWide(const std::string& s);
std::string WideToAcp(const std::wstring& s);
// True on the NT family (Unicode windows, wide file calls).
bool IsWindowsNT();

// The shift state held in a mouse message's wParam (plus the Alt key).
TShiftState MouseShiftState(WPARAM keys);
// Called with an exception that a control's message handler let escape (the
// message then ends with result 0); the application sets it to show the
// message. Null: the exception is dropped.
extern void (*MessageExceptionHook)(std::exception_ptr error);
void HandleMessageException(std::exception_ptr error);

// True when caption marks ch as its accelerator ("&Close": Alt+C), letter case ignored.
bool IsAccel(WPARAM ch, const std::string& caption);
// The system cursor resource of a cursor number (IDC_ARROW for crDefault).
LPCSTR CursorResource(TCursor cursor);
// Draws a 3-D frame of the given width inside rect (top-left, bottom-right
// colours) and shrinks rect by it.
void Frame3D(HDC dc, RECT& rect, TColor topLeft, TColor bottomRight, int width);

// ---------------------------------------------------------------------------

// A visible component: position, size, alignment, colour, font, cursor,
// hint, and a message handler that every message of the control goes
// through (WindowProc, replaceable and restorable).
class TControl : public TComponent {
  QUORVEL_CLASS(TControl, TComponent)
public:
  explicit TControl(TComponent* owner);
  ~TControl() override;

  int Left() const { return FLeft; }
  int Top() const { return FTop; }
  int Width() const { return FWidth; }
  int Height() const { return FHeight; }
  void SetLeft(int value) { SetBounds(value, FTop, FWidth, FHeight); }
  void SetTop(int value) { SetBounds(FLeft, value, FWidth, FHeight); }
  void SetWidth(int value) { SetBounds(FLeft, FTop, value, FHeight); }
  void SetHeight(int value) { SetBounds(FLeft, FTop, FWidth, value); }
  // Moves and sizes the control (in its parent's client coordinates).
  virtual void SetBounds(int left, int top, int width, int height);
  TRect BoundsRect() const { return Bounds(FLeft, FTop, FWidth, FHeight); }
  void SetBoundsRect(const TRect& r) {
    SetBounds(r.left, r.top, r.right - r.left, r.bottom - r.top);
  }
  // The client area in the control's own coordinates.
  virtual TRect ClientRect();
  int ClientWidth() { return ClientRect().right; }
  int ClientHeight() { return ClientRect().bottom; }
  // Control client coordinates to screen coordinates and back.
  TPoint ClientToScreen(TPoint p);
  TPoint ScreenToClient(TPoint p);

  TAlign Align() const { return FAlign; }
  void SetAlign(TAlign value);
  bool Visible() const { return FVisible; }
  virtual void SetVisible(bool value);
  void Show() { SetVisible(true); }
  void Hide() { SetVisible(false); }
  bool Enabled() const { return FEnabled; }
  virtual void SetEnabled(bool value);

  // The caption or text: for a windowed control with a window, the window text.
  virtual std::string Text();
  void SetText(const std::string& value);
  std::string Caption() { return Text(); }
  void SetCaption(const std::string& value) { SetText(value); }

  TColor Color() const { return FColor; }
  void SetColor(TColor value);
  bool ParentColor() const { return FParentColor; }
  void SetParentColor(bool value);
  TFont& Font() { return FFont; }
  TFont* FontObject() { return &FFont; }
  bool ParentFont() const { return FParentFont; }
  void SetParentFont(bool value);
  TCursor Cursor() const { return FCursor; }
  void SetCursor(TCursor value) { FCursor = value; }
  const std::string& Hint() const { return FHint; }
  void SetHint(const std::string& value) { FHint = value; }
  bool ShowHint() const { return FShowHint; }
  void SetShowHint(bool value);
  bool ParentShowHint() const { return FParentShowHint; }
  void SetParentShowHint(bool value);

  TWinControl* Parent() const { return FParent; }
  virtual void SetParent(TWinControl* parent);
  TControlStyle ControlStyle() const { return FControlStyle; }
  void SetControlStyle(TControlStyle value) { FControlStyle = value; }

  // Redraws the control later / now.
  virtual void Invalidate();
  virtual void Repaint();
  // Paints what is invalid now.
  virtual void Update();
  // Sends a message through WindowProc and returns its result.
  LRESULT Perform(UINT msg, WPARAM wParam, LPARAM lParam);
  // The control's click (OnClick); buttons and speed buttons add their own work.
  virtual void Click();

  // Every message of the control passes through this handler. It starts as
  // the control's own WndProc; others may replace it (keeping the previous
  // one to call and to put back).
  std::function<void(TMessage&)> WindowProc;
  // The control's own message handling.
  virtual void WndProc(TMessage& msg);
  // What happens to a message nobody handled.
  virtual void DefaultHandler(TMessage& msg);

  bool HasParent() const override { return true; }
  TComponent* GetParentComponent() const override;
  void SetParentComponent(TComponent* parent) override;
  void Loaded() override;

  TNotifyEvent OnClick;
  TNotifyEvent OnDblClick;
  TNotifyEvent OnResize;
  TMouseEvent OnMouseDown;
  TMouseEvent OnMouseUp;
  TMouseMoveEvent OnMouseMove;

protected:
  // Tells the parent that alignment may have to be redone.
  void RequestAlign();
  // Called after the size changed (OnResize).
  virtual void Resize();
  virtual void MouseDown(TMouseButton button, TShiftState shift, int x, int y);
  virtual void MouseUp(TMouseButton button, TShiftState shift, int x, int y);
  virtual void MouseMove(TShiftState shift, int x, int y);
  virtual void DblClick();
  // The window's rectangle in its parent changed: parent is told, events run.
  virtual void BoundsChanged(bool sizeChanged);
  // The text changed (windowed controls update their window).
  virtual void TextChanged();
  virtual void ColorChanged();
  virtual void FontChanged();
  virtual void EnabledChanged();
  // Takes the parent's font (ParentFont) and colour (ParentColor).
  void TakeParentFont();
  void TakeParentColor();
  TShiftState MouseShift(WPARAM wParam) const { return MouseShiftState(wParam); }

  int FLeft = 0, FTop = 0, FWidth = 0, FHeight = 0;
  TControlStyle FControlStyle = csCaptureMouse | csClickEvents | csSetCaption | csDoubleClicks;
  std::string FText;
  bool FMouseInControl = false;

private:
  friend class TWinControl;
  void FontObjectChanged();
  void MouseMessage(TMessage& msg);
  TWinControl* FParent = nullptr;
  TAlign FAlign = alNone;
  bool FVisible = true;
  bool FEnabled = true;
  TColor FColor = clWindow;
  bool FParentColor = false;
  TFont FFont;
  bool FParentFont = true;
  bool FTakingParentFont = false;
  TCursor FCursor = crDefault;
  std::string FHint;
  bool FShowHint = false;
  bool FParentShowHint = true;
  bool FClicking = false;
};

// ---------------------------------------------------------------------------

// A control with a window of its own. The window is created when first
// needed (Handle()); its class is named after the component class and may
// superclass a standard control (CreateSubClass), whose procedure then gets
// every message the control does not handle.
class TWinControl : public TControl {
  QUORVEL_CLASS(TWinControl, TControl)
public:
  explicit TWinControl(TComponent* owner);
  ~TWinControl() override;

  // The window, created (with the parents' windows) when there is none yet.
  HWND Handle();
  bool HandleAllocated() const { return FHandle != nullptr; }
  void HandleNeeded() { Handle(); }
  // Destroys the window (and its children's); the control stays.
  void DestroyHandle();
  // Destroys and re-creates the window after a style change.
  void RecreateWnd();
  // The control that owns window wnd, or null.
  static TWinControl* FindControl(HWND wnd);

  // Children: graphic controls first, then windowed ones, each in z-order.
  int ControlCount() const { return static_cast<int>(FControls.size() + FWinControls.size()); }
  TControl* Controls(int index) const;
  void InsertControl(TControl* control);
  void RemoveControl(TControl* control);
  // The visible graphic child at point (client coordinates), topmost first.
  TControl* ControlAtPos(TPoint point, bool allowDisabled = false) const;
  // The cursor shown at a client point: the graphic child's there, else this control's.
  TCursor CursorAt(TPoint point) const;
  // Sends msg to the child controls in turn until one sets a result.
  void Broadcast(TMessage& msg);

  int TabOrder() const { return FTabOrder; }
  void SetTabOrder(int value);
  bool TabStop() const { return FTabStop; }
  void SetTabStop(bool value);
  // Controls that paint themselves compose each paint in a memory bitmap.
  bool DoubleBuffered() const { return FDoubleBuffered; }
  void SetDoubleBuffered(bool value) { FDoubleBuffered = value; }
  bool CanFocus();
  bool Focused() const;
  virtual void SetFocus();

  void SetBounds(int left, int top, int width, int height) override;
  TRect ClientRect() override;
  void SetVisible(bool value) override;
  void SetEnabled(bool value) override;
  std::string Text() override;
  void Invalidate() override;
  void Update() override;
  void SetParent(TWinControl* parent) override;
  void GetChildren(const TGetChildProc& proc, TComponent* root) override;

  // Lays out the aligned children again (not while loading or disabled).
  void Realign();
  void DisableAlign() { ++FAlignLevel; }
  void EnableAlign();
  // Paints the graphic children on dc (the window's client coordinates).
  void PaintControls(HDC dc);

  void WndProc(TMessage& msg) override;
  void DefaultHandler(TMessage& msg) override;
  void Loaded() override;

protected:
  // Describes the window to create.
  virtual void CreateParams(TCreateParams& params);
  // Makes params describe a superclass of the standard control class.
  void CreateSubClass(TCreateParams& params, const char* controlClass);
  // Creates the window (CreateParams, class registration, CreateWindowHandle).
  virtual void CreateWnd();
  // Makes the window described by params (CreateWindowEx; MDI children differ).
  virtual HWND CreateWindowHandle(const TCreateParams& params);
  // Called after the window exists (and before its children get theirs).
  virtual void InitWnd() {}
  // Called before the window is destroyed: keep what lives in the window.
  virtual void DestroyWnd() {}
  // Shrinks the area that aligned children share (borders of panels).
  virtual void AdjustClientRect(TRect& rect) { (void)rect; }
  // Places the aligned children inside rect.
  virtual void AlignControls(TRect rect);
  // Draws the control itself (only for controls that paint themselves).
  virtual void PaintWindow(HDC dc) { (void)dc; }
  // Reads the window's rectangle back into Left/Top/Width/Height.
  void UpdateBounds();
  void TextChanged() override;
  void ColorChanged() override;
  void FontChanged() override;

  // Set by controls that paint themselves (WM_PAINT/WM_ERASEBKGND handled here).
  bool FCustomPaint = false;
  TBrush FBrush;
  HWND FHandle = nullptr;

private:
  static LRESULT CALLBACK StartProc(HWND wnd, UINT msg, WPARAM wParam, LPARAM lParam);
  static LRESULT CALLBACK StartProcW(HWND wnd, UINT msg, WPARAM wParam, LPARAM lParam);
  static LRESULT Start(HWND wnd, UINT msg, WPARAM wParam, LPARAM lParam, bool unicode);
  void WMPaint(TMessage& msg);
  void WMEraseBkgnd(TMessage& msg);
  void WMSetCursor(TMessage& msg);
  void FillBackground(HDC dc);
  void TrackMouseLeave();
  enum class TPointerPlace { Window, InnerWindow, Elsewhere };
  TPointerPlace PointerPlace() const;
  void MouseLeft();
  // While the mouse is over an inner window of a standard control (which
  // reports nothing to us), this timer watches for it to leave.
  static constexpr UINT_PTR kLeaveCheckTimer = 0x514C;
  static constexpr UINT kLeaveCheckInterval = 100;
  void WMNCDestroy(TMessage& msg);
  // Sends a notification from a child window back to that child's control.
  bool ReflectNotification(TMessage& msg);
  // Routes a mouse message to a graphic child; true when one took it.
  bool RouteMouseToGraphic(TMessage& msg);
  void SetMouseControl(TControl* control);

  std::vector<TControl*> FControls;        // graphic children
  std::vector<TWinControl*> FWinControls;  // windowed children
  TWindowSubclass FSubclass;
  WNDPROC FDefWndProc = nullptr;
  int FTabOrder = -1;
  bool FTabStop = false;
  int FAlignLevel = 0;
  bool FAligning = false;
  TControl* FCaptureControl = nullptr;
  TControl* FMouseControl = nullptr;
  bool FTrackingLeave = false;
  bool FMouseInWindow = false;
  bool FDoubleBuffered = false;
};

// ---------------------------------------------------------------------------

// The canvas of a control. During a paint it borrows the DC handed to the
// paint; at other times Handle() takes a DC of the control's window (for a
// graphic control: of the parent's window, moved and clipped to the
// control), which is released again when the application is idle
// (FreeDeviceContexts) or the canvas goes away.
class TControlCanvas : public TCanvas {
public:
  explicit TControlCanvas(TControl& control) : FControl(control) {}
  ~TControlCanvas() override;
  // Borrows dc for a paint (null ends the paint); a DC of its own is released first.
  void Borrow(HDC dc);
  // Releases a DC taken by Handle().
  void FreeHandle();

protected:
  void CreateHandle() override;

private:
  TControl& FControl;
  HWND FWnd = nullptr;
  HDC FOwnDC = nullptr;
};

// Releases the DCs that control canvases took outside of paints.
void FreeDeviceContexts();

// A control drawn on its parent's window: Paint draws on Canvas(), which is
// valid only during Paint. Mouse messages come from the parent.
class TGraphicControl : public TControl {
  QUORVEL_CLASS(TGraphicControl, TControl)
public:
  explicit TGraphicControl(TComponent* owner);
  ~TGraphicControl() override;
  TCanvas* Canvas() { return &FCanvas; }
  void WndProc(TMessage& msg) override;

protected:
  virtual void Paint() {}

private:
  TControlCanvas FCanvas{*this};
};

// A windowed control that paints itself: Paint draws on Canvas() (valid
// during Paint), after the background has been filled with Color.
class TCustomControl : public TWinControl {
  QUORVEL_CLASS(TCustomControl, TWinControl)
public:
  explicit TCustomControl(TComponent* owner);
  ~TCustomControl() override;
  TCanvas* Canvas() { return &FCanvas; }

protected:
  virtual void Paint() {}
  void PaintWindow(HDC dc) override;

private:
  TControlCanvas FCanvas{*this};
};
