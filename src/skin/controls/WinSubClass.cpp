// The control skinner base: attaching, message routing, the common repaint
// rules and the hover hand-over; the list of a window's skinners.
#include "skin/controls/WinSubClass.h"

#include <algorithm>
#include <cassert>
#include <optional>

#include "ui/Published.h"

namespace {

// The most text read from a window.
constexpr int kMaxCaption = 1000;

}  // namespace

// Skinners publish nothing: they are made by the engine, never read from
// a definition.
QUORVEL_DEFINE_CLASS(TSkinControl) {}

// Unattached: no window, no control.
TSkinControl::TSkinControl(TComponent* AOwner) : TComponent(AOwner) {}

// A skinner freed on its own (not by the owner's release) leaves its list.
TSkinControl::~TSkinControl() {
  Restore();
  if (TSkinnerHost* host = Host()) host->Skinners().Remove(this);
}

// The owner, cross-cast to the interface it implements.
TSkinnerHost* TSkinControl::Host() const { return dynamic_cast<TSkinnerHost*>(Owner()); }

// WM_GETTEXT into a buffer of kMaxCaption characters.
std::string TSkinControl::ReadCaption() const {
  char text[kMaxCaption + 1] = {};
  if (FHandle) SendMessageA(FHandle, WM_GETTEXT, kMaxCaption, reinterpret_cast<LPARAM>(text));
  return text;
}

// The control's WindowProc leads to WndProc from now on, and the control
// tells this skinner when it is freed.
void TSkinControl::HookControl(TControl& Control) {
  Control.FreeNotification(this);
  FHook.Attach(Control, [this](TMessage& m) { WndProc(m); });
}

// Stores what it is given, hooks the control, reads its state, recolours.
void TSkinControl::InitControl(TControl* Control, TSkinModel* SkinData, bool ChangeColor,
                               TCanvas* Canvas) {
  assert(Control && SkinData);
  FChangeColor = ChangeColor;
  FSkinData = SkinData;
  FCanvas = Canvas;
  FControl = Control;
  auto* windowed = dynamic_cast<TWinControl*>(Control);
  FHandle = windowed ? windowed->Handle() : nullptr;
  HookControl(*Control);
  if (windowed) windowed->SetDoubleBuffered(true);
  if (TSkinnerHost* host = Host()) host->Skinners().Add(this);
  FFocused = FHandle && GetFocus() == FHandle;
  FEnabled = FHandle ? !(GetWindowLongPtrA(FHandle, GWL_STYLE) & WS_DISABLED) : Control->Enabled();
  FCaption = ReadCaption();
  if (ChangeColor) {
    FOldColor = Control->Color();
    Control->SetColor(SkinData->ButtonFaceColour);
  }
}

// Subclasses the window; the caller lists this object.
void TSkinControl::InitWindow(HWND Handle, TSkinModel* SkinData, TCanvas* Canvas) {
  assert(SkinData);
  FSkinData = SkinData;
  FCanvas = Canvas;
  FHandle = Handle;
  FEnabled = true;
  FCaption = ReadCaption();
  FHook.Attach(Handle, [this](TMessage& m) { WndProc(m); });
}

// The colour goes back unless the window is going away with its form.
void TSkinControl::Restore() {
  if (!FHook.Attached()) return;
  const TSkinnerHost* host = Host();
  if (FChangeColor && FControl && !(host && host->Phase() == TFormPhase::Releasing))
    FControl->SetColor(FOldColor);
  FHook.Detach();
}

// The face colour again, for a skinner that recolours.
void TSkinControl::SkinChanged() {
  if (FChangeColor && FControl && FSkinData) FControl->SetColor(FSkinData->ButtonFaceColour);
}

// A control freed while skinned has restored itself at WM_NCDESTROY (a
// graphic control has no window and gets nothing to restore): the skinner
// forgets it and never touches it again.
void TSkinControl::Notification(TComponent* AComponent, TOperation Operation) {
  TComponent::Notification(AComponent, Operation);
  if (Operation != TOperation::opRemove || !AComponent || AComponent != FControl) return;
  FControl = nullptr;
  FHook.Forget();
}

// Passes every message on.
bool TSkinControl::BeforeProc(TMessage&) { return true; }

// The common repaint rules.
void TSkinControl::AfterProc(TMessage& Message) {
  switch (Message.Msg) {
    case WM_PAINT:
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
    case WM_ENABLE:
    case CM_ENABLEDCHANGED: Paint(); break;
    case WM_SETTEXT:
      FCaption = Message.LParam ? reinterpret_cast<const char*>(Message.LParam) : "";
      Repaint();
      break;
    case WM_NCDESTROY:
      // The window is going: hand it back and keep no handle that a new
      // window could reuse.
      Restore();
      FHandle = nullptr;
      break;
    default: break;
  }
}

// The window DC, the window's rectangle moved to (0, 0); the control's
// child windows (a page's controls, a combo box's edit) are clipped out,
// so that what the skinner paints does not depend on who painted last.
void TSkinControl::Paint() {
  if (!FHandle || !IsWindow(FHandle)) return;
  GetWindowRect(FHandle, &FWindowRect);
  TRect r = FWindowRect;
  OffsetRect(&r, -r.left, -r.top);
  const TWindowDC dc(FHandle, TWindowDC::Window);
  // A window DC is not clipped to the children (Wine ignores
  // DCX_CLIPCHILDREN for one): each visible child is cut out by hand.
  for (HWND child = GetWindow(FHandle, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
    if (!IsWindowVisible(child)) continue;
    RECT c;
    GetWindowRect(child, &c);
    ExcludeClipRect(dc, c.left - FWindowRect.left, c.top - FWindowRect.top,
                    c.right - FWindowRect.left, c.bottom - FWindowRect.top);
  }
  PaintControl(dc, r);
}

// A paint DC only when the message brings none; the window's rectangle is kept.
void TSkinControl::PaintThroughBeginPaint(TMessage& Message) {
  HDC dc = reinterpret_cast<HDC>(Message.WParam);
  std::optional<TPaintDC> paint;
  if (!dc) dc = paint.emplace(FHandle);
  GetWindowRect(FHandle, &FWindowRect);
  TRect r = FWindowRect;
  OffsetRect(&r, -r.left, -r.top);
  PaintControl(dc, r);
  Message.Result = 0;
}

// Paints nothing.
void TSkinControl::PaintControl(HDC, const TRect&) {}

// A consumed message goes no further.
void TSkinControl::WndProc(TMessage& Message) {
  if (!BeforeProc(Message)) return;
  Default(Message);
  AfterProc(Message);
}

// Through the hook, the one way back.
void TSkinControl::Default(TMessage& Message) { FHook.CallPrevious(Message); }

// Posts CM_MOUSELEAVE and clears the owner's hot control.
void TSkinControl::MouseLeave() {
  if (FHandle) PostMessageA(FHandle, CM_MOUSELEAVE, 0, 0);
  if (TSkinnerHost* host = Host()) host->Skinners().SetHot(nullptr);
}

// A control of ours hears CM_MOUSEENTER while it handles its first mouse
// move, so the hover bit may already be set when the move arrives here; the
// hot control is handed over all the same.
void TSkinControl::TakeHover() {
  if (!(FMouseState & msMouseOver)) {
    FMouseState |= msMouseOver;
    Repaint();
  }
  TSkinnerHost* host = Host();
  if (!host) return;
  TSkinnerList& skinners = host->Skinners();
  if (skinners.Hot() == this) return;
  if (TSkinControl* hot = skinners.Hot()) hot->MouseLeave();
  skinners.SetHot(this);
}

// A solid brush of the face colour, deleted afterwards.
void TSkinControl::FillFace(HDC DC, const TRect& Rect) {
  const TBrushObject face(CreateSolidBrush(ColorToRGB(FSkinData->ButtonFaceColour)));
  FillRect(DC, &Rect, face);
}

// ---------------------------------------------------------------------------
// The list of a window's skinners

namespace {

// Repaints Wnd now, frame and client area.
void RepaintNow(HWND Wnd) {
  InvalidateRect(Wnd, nullptr, TRUE);
  UpdateWindow(Wnd);
}

}  // namespace

// Whatever is still listed goes without a repaint.
TSkinnerList::~TSkinnerList() { ReleaseAll(false); }

// Appends once.
void TSkinnerList::Add(TSkinControl* Skinner) {
  assert(Skinner);
  if (std::find(FItems.begin(), FItems.end(), Skinner) == FItems.end()) FItems.push_back(Skinner);
}

// Erases Skinner, and forgets it as the hot control.
void TSkinnerList::Remove(TSkinControl* Skinner) {
  FItems.erase(std::remove(FItems.begin(), FItems.end(), Skinner), FItems.end());
  if (FHot == Skinner) FHot = nullptr;
}

// The first skinner whose window is Wnd.
TSkinControl* TSkinnerList::Find(HWND Wnd) const {
  for (TSkinControl* skinner : FItems)
    if (skinner->Handle() == Wnd) return skinner;
  return nullptr;
}

// By the control itself, or by the window of a windowed control.
bool TSkinnerList::Serves(TComponent* Component) const {
  auto* windowed = dynamic_cast<TWinControl*>(Component);
  for (TSkinControl* skinner : FItems) {
    if (skinner->Control() == Component) return true;
    if (windowed && windowed->HandleAllocated() && windowed->Handle() == skinner->Handle())
      return true;
  }
  return false;
}

// The list is emptied first, so that a skinner being freed finds nothing to
// take itself out of.
void TSkinnerList::ReleaseAll(bool Repaint) {
  std::vector<TSkinControl*> skinners;
  skinners.swap(FItems);
  FHot = nullptr;
  for (TSkinControl* skinner : skinners) {
    skinner->Restore();
    if (Repaint) {
      if (TControl* control = skinner->Control())
        control->Invalidate();
      else if (skinner->Handle() && IsWindow(skinner->Handle()))
        RepaintNow(skinner->Handle());
    }
    delete skinner;
  }
}

// Each in list order.
void TSkinnerList::SkinChanged() {
  for (TSkinControl* skinner : FItems) skinner->SkinChanged();
}
