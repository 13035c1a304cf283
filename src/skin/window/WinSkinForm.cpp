// The form skinner: attaching and detaching, the routing of the window's
// messages, the frame's metrics, region and painting, and the title-bar
// buttons.
#include "skin/window/WinSkinForm.h"

#include <windowsx.h>

#include <algorithm>

#include "skin/controls/WinSubClass.h"
#include "skin/window/SkinManager.h"
#include "skin/draw/SkinDraw.h"
#include "skin/window/WinSkinMenu.h"
#include "ui/Forms.h"
#include "ui/Menus.h"
#include "ui/Published.h"

namespace {

// NONCLIENTMETRICSA as every Windows from XP on knows it (without the
// padded-border field that later headers add).
constexpr UINT kNonClientMetricsSize = 340;
// The most text read from a window.
constexpr int kMaxWindowText = 1000;

// A strip's frame count, never below 1 (a damaged skin may say 0).
int Frames(const TDataSkinObject& Object) { return std::max(1, Object.FrameCount); }

int Width(const TRect& r) { return r.right - r.left; }
int Height(const TRect& r) { return r.bottom - r.top; }

}  // namespace

// ---------------------------------------------------------------------------
// Title-bar objects: every state change goes through the frame's FHotObject.

void TNCObject::MouseDown() {
  if (FSkinForm->FHotObject && FSkinForm->FHotObject != this) FSkinForm->FHotObject->MouseLeave();
  if (!FVisible) return;
  FSkinForm->FHotObject = this;
  FState = stPressed;
  Paint();
}

void TNCObject::MouseUp() {
  if (!FVisible) return;
  FState = stHot;
  Paint();
}

void TNCObject::MouseMove() {
  if (FSkinForm->FHotObject == this) return;
  if (FSkinForm->FHotObject) FSkinForm->FHotObject->MouseLeave();
  if (!FVisible) return;
  FSkinForm->FHotObject = this;
  FState = stHot;
  Paint();
}

void TNCObject::MouseLeave() {
  if (!FVisible) return;
  FSkinForm->FHotObject = nullptr;
  FState = stNormal;
  Paint();
}

void TWinSysButton::Paint() { FSkinForm->PaintSysButton(*this, FState); }

// Skinners publish nothing: they are made by the engine, never read from
// a definition.
QUORVEL_DEFINE_CLASS(TWinSkinForm) {}

// ---------------------------------------------------------------------------
// Life cycle

TWinSkinForm::TWinSkinForm(TComponent* AOwner)
    : TComponent(AOwner), FCaptionPrefix(2, ' '), FCaptionSuffix(3, ' ') {}

TWinSkinForm::TWinSkinForm(TComponent* AOwner, HWND Wnd) : TWinSkinForm(AOwner) { FHandle = Wnd; }

// The skinner is freed by the manager after Detach, or at program end while
// its window may still be there: the subclass helper then puts the window's
// procedure back when FObjectInstance goes.
TWinSkinForm::~TWinSkinForm() {
  ForgetMenuTracking(this);
  ReleaseSkinners();
  FHotObject = nullptr;
  FSysButtons.clear();
  FMenuBar.reset();
  RestoreOwnerDrawnItems();
  if (FForm && FSavedWindowProc) FForm->WindowProc = std::move(FSavedWindowProc);
  if (FSkinData) FSkinData->RemoveFreeNotification(this);
}

void TWinSkinForm::AttachToWindow(TSkinData* SkinData) {
  if (FObjectInstance) return;
  FSkinData = SkinData;
  if (FSkinData) FSkinData->FreeNotification(this);
  FHoverTimer = std::make_unique<TTimer>(nullptr);
  FHoverTimer->SetEnabled(false);
  FHoverTimer->SetInterval(250);
  FHoverTimer->OnTimer = [this](TObject*) { HoverTimerFired(); };

  NONCLIENTMETRICSA metrics{};
  metrics.cbSize = kNonClientMetricsSize;
  if (SystemParametersInfoA(SPI_GETNONCLIENTMETRICS, kNonClientMetricsSize, &metrics, 0))
    FCaptionFont.SetHandle(CreateFontIndirectA(&metrics.lfCaptionFont));

  const LONG_PTR style = GetWindowLongPtrA(FHandle, GWL_STYLE);
  const LONG_PTR exStyle = GetWindowLongPtrA(FHandle, GWL_EXSTYLE);
  FSystemMenu = GetSystemMenu(FHandle, FALSE);
  LoadWindowIcon(FIconBitmap);
  FWindowText = WindowText();

  FSavedButtons = 0;
  if ((style & WS_SYSMENU) || FSystemMenu) FSavedButtons |= sbSystemMenu;
  if (style & WS_MINIMIZEBOX) FSavedButtons |= sbMinimize;
  if (style & WS_MAXIMIZEBOX) FSavedButtons |= sbMaximize;

  ReadPlacement();
  FindMDIClient();
  if (exStyle & WS_EX_MDICHILD) FKind = fkMDIChild;
  FFrameless = (style & WS_POPUP) && !(style & (WS_BORDER | WS_DLGFRAME)) &&
               !(style & WS_THICKFRAME) && !(exStyle & WS_EX_WINDOWEDGE);

  FWindowMenu = GetMenu(FHandle);

  FOldWndProc = reinterpret_cast<WNDPROC>(GetWindowLongPtrA(FHandle, GWLP_WNDPROC));
  auto instance = std::make_unique<TWindowSubclass>();
  if (!instance->Attach(FHandle, [this](TMessage& m) { WndProc(m); })) return;
  FObjectInstance = std::move(instance);

  // The frame draws the menu bar itself, in a band below the title.
  if (FWindowMenu && FKind != fkMDIChild) {
    FMenuBar = std::make_unique<TWinSkinMenu>(nullptr);
    FMenuBar->FSkinData = FSkinData;
    FMenuBar->FSkinForm = this;
    if (FForm) FMenuBar->FMenu = FForm->Menu();
    FMenuHeight = GetSystemMetrics(SM_CYMENU);
    FMenuBar->BuildButtons();
  }

  if (!IsMaximizedMDIChild()) SetSysButtons(false);
  if (FKind == fkMDIFrame) SubclassMDIClient();
  ComputeMetrics();
  if (FForm)
    Dispatch().SkinComponents(FForm);
  else
    Dispatch().SkinChildWindows(FHandle);
  InvalidateRect(FHandle, nullptr, TRUE);
}

void TWinSkinForm::AttachToForm(TSkinData* SkinData, TCustomForm* Form) {
  FForm = Form;
  Form->SetAutoScroll(false);
  FSavedWindowProc = Form->WindowProc;
  Form->WindowProc = [this](TMessage& m) { FormWindowProc(m); };
  AttachToWindow(SkinData);
  FSavedColor = Form->Color();
  if (FSkinData) Form->SetColor(FSkinData->ButtonFaceColour);
  SetMenusOwnerDraw(Form, true);
}

void TWinSkinForm::Detach() {
  ForgetMenuTracking(this);
  if (FHoverTimer) FHoverTimer->SetEnabled(false);
  SetSysButtons(true);
  if (FForm) {
    FForm->SetColor(FSavedColor);
    if (FSavedWindowProc) FForm->WindowProc = std::move(FSavedWindowProc);
    SetMenusOwnerDraw(FForm, false);
  }
  FSavedWindowProc = nullptr;
  if (FObjectInstance) {
    FObjectInstance->Detach();
    FObjectInstance.reset();
  }
  ReleaseSkinners();
  FHotObject = nullptr;
  if (FMenuBar) {
    // The real menu goes back with the items' own drawing; SetMenu resizes
    // the frame around it.
    RestoreOwnerDrawnItems();
    if (FMenuBar->FMenuHandle) SetMenu(FHandle, FMenuBar->FMenuHandle);
    FMenuBar.reset();
    FMenuHeight = 0;
  }
  FTitleBitmap.Clear();
  SetWindowRgn(FHandle, nullptr, TRUE);
  FRegion = nullptr;
  FRegionSet = false;
  if (FPhase == TFormPhase::Releasing) ReleaseMDIChildren();
  UnsubclassMDIClient();
}

void TWinSkinForm::Release() {
  FPhase = TFormPhase::Releasing;
  Detach();
}

void TWinSkinForm::Notification(TComponent* AComponent, TOperation Operation) {
  TComponent::Notification(AComponent, Operation);
  if (Operation == TOperation::opRemove && AComponent == FSkinData) {
    FSkinData = nullptr;
    if (FMenuBar) {
      FMenuBar->FSkinData = nullptr;
      for (auto& button : FMenuBar->FButtons) button->FSkinData = nullptr;
    }
  }
}

TSkinDispatch TWinSkinForm::Dispatch() {
  TSkinDispatch dispatch;
  dispatch.Owner = this;
  dispatch.Skin = FSkinData;
  if (FSkinData) {
    dispatch.Kinds = FSkinData->SkinControls();
    dispatch.DisableTag = FSkinData->DisableTag();
  }
  dispatch.Canvas = &FControlCanvas;
  return dispatch;
}

// Controls are repainted in their own look, unless their window goes away
// with this one or the whole engine is shutting down.
void TWinSkinForm::ReleaseSkinners() {
  const bool repaint =
      FPhase != TFormPhase::Releasing && !(SkinManager && SkinManager->ActivateCount == 4);
  FSkinners.ReleaseAll(repaint);
}

void TWinSkinForm::SkinChanged() {
  if (FForm) {
    const TColor face = FSkinData ? FSkinData->ButtonFaceColour : FSavedColor;
    FForm->SetColor(face);
    for (int i = 0; i < FForm->ComponentCount(); ++i)
      if (auto* form = dynamic_cast<TCustomForm*>(FForm->Components(i))) form->SetColor(face);
  }
  FSkinners.SkinChanged();
  if (FForm) SetMenusOwnerDraw(FForm, true);
  ForgetBorderPictures();
  FPhase = TFormPhase::SkinChanging;
  FitWindowToFrame(1);
  UpdateRegion();
  FPhase = TFormPhase::Active;
}

void TWinSkinForm::SetSysButtons(bool Show) {
  if (!Show && IsMaximizedMDIChild()) return;
  FSysButtonsShown = Show;
  LONG_PTR style = GetWindowLongPtrA(FHandle, GWL_STYLE);
  if (Show) {
    if (FSavedButtons & sbSystemMenu) style |= WS_SYSMENU;
    if (FSavedButtons & sbMinimize) style |= WS_MINIMIZEBOX;
    if (FSavedButtons & sbMaximize) style |= WS_MAXIMIZEBOX;
  } else {
    style &= ~LONG_PTR(WS_SYSMENU | WS_MINIMIZEBOX | WS_MAXIMIZEBOX);
  }
  SetWindowLongPtrA(FHandle, GWL_STYLE, style);
}

void TWinSkinForm::Repaint(HWND Wnd) {
  InvalidateRect(Wnd, nullptr, TRUE);
  UpdateWindow(Wnd);
}

TPoint TWinSkinForm::ToWindowPoint(int X, int Y) {
  POINT p{X, Y};
  ScreenToClient(FHandle, &p);
  if (FWindowState != fwsMinimized) {
    p.x += FBorderLeft;
    p.y += FTitleHeight + FMenuHeight;
  }
  return TPoint{p.x, p.y};
}

void TWinSkinForm::ReadPlacement() {
  WINDOWPLACEMENT placement{};
  placement.length = sizeof placement;
  if (!GetWindowPlacement(FHandle, &placement)) return;
  switch (placement.showCmd) {
    case SW_SHOWMINIMIZED:
    case SW_MINIMIZE:
    case SW_SHOWMINNOACTIVE: FWindowState = fwsMinimized; break;
    case SW_SHOWMAXIMIZED: FWindowState = fwsMaximized; break;
    default: FWindowState = fwsNormal;
  }
}

std::string TWinSkinForm::WindowText() const {
  char text[kMaxWindowText + 1] = {};
  SendMessageA(FHandle, WM_GETTEXT, kMaxWindowText, reinterpret_cast<LPARAM>(text));
  return text;
}

bool TWinSkinForm::IsMaximizedMDIChild() const {
  return FKind == fkMDIChild && SkinManager && SkinManager->MdiMaximized;
}

void TWinSkinForm::HoverTimerFired() {
  if (FMenuTracking) return;
  POINT cursor;
  GetCursorPos(&cursor);
  if (FHotObject) {
    const TPoint p = ToWindowPoint(cursor.x, cursor.y);
    if (!PtInRect(&FHotObject->FBounds, p)) FHotObject->MouseLeave();
  }
  // A form of ours hears of the mouse leaving a control from the control
  // itself; a window of the system is watched here.
  TSkinControl* hot = FSkinners.Hot();
  if (!FForm && hot && !PtInRect(&hot->WindowRect(), cursor)) hot->MouseLeave();
}

// ---------------------------------------------------------------------------
// MDI

void TWinSkinForm::FindMDIClient() {
  FKind = fkWindow;
  FMDIClient = nullptr;
  for (HWND child = GetTopWindow(FHandle); child; child = GetWindow(child, GW_HWNDNEXT)) {
    char name[100] = {};
    GetClassNameA(child, name, sizeof name);
    if (std::string(name) == "MDIClient") {
      FKind = fkMDIFrame;
      FMDIClient = child;
      return;
    }
  }
}

bool TWinSkinForm::IsActiveChildMaximized() {
  if (FKind != fkMDIFrame || !FMDIClient) return false;
  BOOL maximized = FALSE;
  const HWND child = reinterpret_cast<HWND>(
      SendMessageA(FMDIClient, WM_MDIGETACTIVE, 0, reinterpret_cast<LPARAM>(&maximized)));
  return child && maximized;
}

void TWinSkinForm::SendToActiveChild(WPARAM Command) {
  if (FKind != fkMDIFrame || !FMDIClient) return;
  const HWND child = reinterpret_cast<HWND>(SendMessageA(FMDIClient, WM_MDIGETACTIVE, 0, 0));
  if (!child) return;
  SendMessageA(child, WM_SYSCOMMAND, Command, 0);
  if (SkinManager && SkinManager->MdiMaximized && !IsActiveChildMaximized())
    SkinManager->SetMdiMax(false);
}

void TWinSkinForm::SubclassMDIClient() {
  if (FClientInstance || !FMDIClient) return;
  FOldClientProc = reinterpret_cast<WNDPROC>(GetWindowLongPtrA(FMDIClient, GWLP_WNDPROC));
  auto instance = std::make_unique<TWindowSubclass>();
  if (instance->Attach(FMDIClient, [this](TMessage& m) { ClientWndProc(m); }))
    FClientInstance = std::move(instance);
}

// The children go with the frame without a WM_MDIDESTROY: their skinners
// are released with the frame's.
void TWinSkinForm::ReleaseMDIChildren() {
  if (!FClientInstance || !SkinManager) return;
  for (HWND child = GetWindow(FMDIClient, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT))
    SkinManager->DetachForm(child);
}

void TWinSkinForm::UnsubclassMDIClient() {
  if (!FClientInstance) return;
  FClientInstance->Detach();
  FClientInstance.reset();
}

void TWinSkinForm::CallClientDefault(TMessage& Message) {
  if (FClientInstance)
    FClientInstance->CallPrevious(Message);
  else if (FOldClientProc)
    Message.Result =
        CallWindowProcA(FOldClientProc, FMDIClient, Message.Msg, Message.WParam, Message.LParam);
}

void TWinSkinForm::ClientWndProc(TMessage& Message) {
  switch (Message.Msg) {
    case WM_NCCALCSIZE: {
      // The client never shows scroll bars of its own.
      const LONG_PTR style = GetWindowLongPtrA(FMDIClient, GWL_STYLE);
      if (style & (WS_HSCROLL | WS_VSCROLL))
        SetWindowLongPtrA(FMDIClient, GWL_STYLE, style & ~LONG_PTR(WS_HSCROLL | WS_VSCROLL));
      CallClientDefault(Message);
      return;
    }
    case WM_MDICREATE:
      CallClientDefault(Message);
      FNewMDIChild = reinterpret_cast<HWND>(Message.Result);
      return;
    case WM_MDIDESTROY: {
      const auto child = reinterpret_cast<HWND>(Message.WParam);
      char text[32];
      wsprintfA(text, "WM_MDIDESTROY %4x",
                static_cast<unsigned>(reinterpret_cast<UINT_PTR>(child)));
      SkinTrace(std::string("**MDI: ") + text);
      if (SkinManager) SkinManager->DetachForm(child);
      if (FNewMDIChild == child) FNewMDIChild = nullptr;
      CallClientDefault(Message);
      if (SkinManager) SkinManager->SetMdiMax(IsActiveChildMaximized());
      return;
    }
    case WM_MDISETMENU: {
      // Not for the client: it would put a real menu bar back on the frame.
      char text[80];
      wsprintfA(text, "*****WM_MDISETMENU Frame %1x,Window %1x",
                static_cast<unsigned>(Message.WParam), static_cast<unsigned>(Message.LParam));
      SkinTrace(std::string("**MDI: ") + text);
      CallDefault(Message);
      return;
    }
    case WM_MDIREFRESHMENU:
      if (FNewMDIChild && SkinManager) {
        SkinManager->AttachForm(FNewMDIChild);
        PostMessageA(FHandle, WM_SKINPAINTFRAME, 0, 0);
      }
      CallClientDefault(Message);
      return;
    default: CallClientDefault(Message);
  }
}

// ---------------------------------------------------------------------------
// Message routing

void TWinSkinForm::CallDefault(TMessage& Message) {
  if (FObjectInstance)
    FObjectInstance->CallPrevious(Message);
  else
    Message.Result = DefWindowProcA(FHandle, Message.Msg, Message.WParam, Message.LParam);
}

void TWinSkinForm::FormWindowProc(TMessage& Message) {
  switch (Message.Msg) {
    case WM_SETTEXT:
      FSavedWindowProc(Message);
      FrameChanged();
      return;
    case WM_SKINCHANGED: SkinChanged(); return;
    case CM_DIALOGCHAR: CMDialogChar(Message); return;
    case CM_MENUCHANGED:
      // The form puts its changed menu back on the window; the bar takes it
      // off again with the new items.
      FSavedWindowProc(Message);
      if (FMenuBar) {
        FMenuBar->FMenu = FForm->Menu();
        if (!FMenuBar->FMenu) FMenuBar->FMenuHandle = nullptr;  // the bar goes with the menu
        FMenuBar->BuildButtons();
        PostMessageA(FHandle, WM_SKINPAINTFRAME, 0, 0);
      }
      return;
    default: FSavedWindowProc(Message);
  }
}

void TWinSkinForm::WndProc(TMessage& Message) {
  switch (Message.Msg) {
    case WM_DESTROY: {
      // The window goes: its procedure is put back now; the skinner itself
      // is the manager's to free.
      ReleaseMDIChildren();
      UnsubclassMDIClient();
      std::unique_ptr<TWindowSubclass> instance = std::move(FObjectInstance);
      if (!instance) break;
      instance->Detach();
      FRegion = nullptr;  // the system frees a window's region with it
      FRegionSet = false;
      // The menu taken off the window goes back, to go with the window as
      // it would have.
      if (FMenuBar && FMenuBar->FMenuHandle && !GetMenu(FHandle)) {
        RestoreOwnerDrawnItems();
        SetMenu(FHandle, FMenuBar->FMenuHandle);
        FMenuBar->FMenuHandle = nullptr;
      }
      instance->CallPrevious(Message);
      return;
    }
    case WM_ACTIVATE:
    case WM_NCACTIVATE: FActive = LOBYTE(LOWORD(Message.WParam)) != 0; break;
    case WM_ERASEBKGND: WMEraseBkgnd(Message); return;
    case WM_GETMINMAXINFO: WMGetMinMaxInfo(Message); return;
    case WM_WINDOWPOSCHANGED:
      ReadPlacement();
      CallDefault(Message);
      return;
    case WM_COMMAND: WMCommand(Message); return;
    case WM_SYSCOMMAND: WMSysCommand(Message); return;
    case WM_CTLCOLORSTATIC:
      CallDefault(Message);
      if (FSkinData) {
        SetBkMode(reinterpret_cast<HDC>(Message.WParam), TRANSPARENT);
        Message.Result = reinterpret_cast<LRESULT>(FSkinData->FaceBrush());
      }
      return;
    case WM_SKINACTIVATE: Activate(); return;
    case CM_MENUCHANGED:
      CallDefault(Message);
      if (FMenuBar) {
        FMenuBar->BuildButtons();
        PostMessageA(FHandle, WM_SKINPAINTFRAME, 0, 0);
      }
      return;
    default: break;
  }
  // The skinned frame's own messages, once it is active and has a skin.
  const bool frameActive = !IsMaximizedMDIChild() && FWindowState != fwsMinimized &&
                           FPhase != TFormPhase::Attached && FSkinData && !FSkinData->SkinEmpty;
  if (frameActive && FrameMessage(Message)) return;
  CallDefault(Message);
}

bool TWinSkinForm::FrameMessage(TMessage& Message) {
  switch (Message.Msg) {
    case WM_SIZE: WMSize(Message); return true;
    case WM_MEASUREITEM: WMMeasureItem(Message); return true;
    case WM_DRAWITEM: WMDrawItem(Message); return true;
    case WM_NCCALCSIZE: WMNCCalcSize(Message); return true;
    case WM_NCHITTEST: WMNCHitTest(Message); return true;
    case WM_NCPAINT:
      Message.Result = 0;
      PaintNC();
      return true;
    case WM_NCACTIVATE: NCActivate(Message); return true;
    case WM_NCMOUSEMOVE:
    case WM_NCLBUTTONDOWN:
    case WM_NCLBUTTONUP:
    case WM_NCLBUTTONDBLCLK:
    case WM_NCRBUTTONDOWN: NCMouseMessage(Message); return true;
    case WM_SKINPAINTFRAME: PaintNC(); return true;
    default: return false;
  }
}

void TWinSkinForm::Activate() {
  FPhase = TFormPhase::Activating;
  if (IsMaximizedMDIChild()) {
    SetSysButtons(true);
  } else {
    FitWindowToFrame(0);
    UpdateRegion();
  }
  FPhase = TFormPhase::Active;
  SkinTrace("*****Skin Active finish");
  if (FHoverTimer) FHoverTimer->SetEnabled(true);
}

void TWinSkinForm::NCActivate(TMessage& Message) {
  FActive = Message.WParam != 0;
  if (FHoverTimer) FHoverTimer->SetEnabled(FActive);
  if (!FHoverTimer || !FHoverTimer->Enabled()) FSkinners.SetHot(nullptr);
  CallDefault(Message);
  if (!(FKind == fkMDIChild && FWindowState != fwsNormal)) PaintNC();
}

// System-menu choices made through ShowSystemMenu arrive as commands; they
// go back to the window as the system commands they are. Controls'
// notifications (which carry the control's window) are never taken for one.
void TWinSkinForm::WMCommand(TMessage& Message) {
  const WORD command = LOWORD(Message.WParam);
  switch (command) {
    case SC_SIZE:
    case SC_MOVE:
    case SC_MINIMIZE:
    case SC_MAXIMIZE:
    case SC_NEXTWINDOW:
    case SC_PREVWINDOW:
    case SC_CLOSE:
    case SC_RESTORE:
      if (Message.LParam == 0) {
        PostMessageA(FHandle, WM_SYSCOMMAND, command, 0);
        Message.Result = 0;
        return;
      }
      break;
    default: break;
  }
  CallDefault(Message);
}

void TWinSkinForm::WMSysCommand(TMessage& Message) {
  const WPARAM command = Message.WParam & 0xFFF0;
  // The keyboard's menu commands never reach the real menu bar, which the
  // frame has taken off: Alt or F10 alone does nothing, Alt+letter opens the
  // skinned bar's button (for a window whose Alt+letter came as no
  // CM_DIALOGCHAR), Alt+Space the system menu, which the platform will not
  // open for a window without WS_SYSMENU.
  if (!FMenuTracking && command == SC_KEYMENU && !GetCapture()) {
    const LPARAM key = Message.LParam;
    if (key != ' ' && key != '-') {
      TMenuBtn* button = key ? FindAccelButton(FMenuBar.get(), int(key)) : nullptr;
      if (key == 0 || button) {
        if (button) PostMenuButtonClick(button);
        Message.Result = 1;
        return;
      }
    } else if (key == ' ' && FKind != fkMDIChild && FSystemMenu &&
               !(GetWindowLongPtrA(FHandle, GWL_STYLE) & WS_SYSMENU)) {
      RECT window;
      GetWindowRect(FHandle, &window);
      ShowSystemMenu(TPoint{window.left + FBorderLeft, window.top + FTitleHeight});
      Message.Result = 0;
      return;
    }
  }
  switch (command) {
    case SC_MINIMIZE:
      FWindowState = fwsMinimized;
      if (FKind == fkMDIChild) SetSysButtons(true);
      break;
    case SC_MAXIMIZE: FWindowState = fwsMaximized; break;
    case SC_RESTORE:
      FWindowState = fwsNormal;
      if (FKind == fkMDIChild) SetSysButtons(false);
      break;
    default: break;
  }
  CallDefault(Message);
}

// ---------------------------------------------------------------------------
// Metrics and region

void TWinSkinForm::ForgetSkinObjects() {
  ForgetBorderPictures();
  FHotObject = nullptr;
  FSysButtons.clear();
  FSysButtonCount = 0;
}

void TWinSkinForm::ComputeMetrics() {
  if (!FSkinData || FSkinData->SkinEmpty) return;
  if (FFrameless) {
    FBorderLeft = FTitleHeight = FBorderRight = FBorderBottom = 0;
    FMenuHeight = 0;
  } else {
    const auto& b = FSkinData->Borders;
    FTitleHeight = b[3]->Bitmap.Height() / Frames(*b[3]);
    FBorderLeft = b[1]->Bitmap.Width() / Frames(*b[1]);
    FBorderRight = b[2]->Bitmap.Width() / Frames(*b[2]);
    FBorderBottom = b[4]->Bitmap.Height() / Frames(*b[4]);
  }
  ForgetSkinObjects();
  FSysButtonCount = static_cast<int>(FSkinData->SysButtons.size());
  for (auto& entry : FSkinData->SysButtons) {
    if (entry->Action == 3 || entry->Action == 11) {
      if (entry->Bitmap.Empty() || FSkinData->DefaultIcon.Empty())
        entry->Bitmap.Assign(&FIconBitmap);
      entry->FrameCount = 1;
    }
    FSysButtons.push_back(std::make_unique<TWinSysButton>(this, entry.get()));
  }
}

void TWinSkinForm::FitWindowToFrame(int MenuLines) {
  if (FWindowState == fwsMaximized) {
    FrameChanged();
    return;
  }
  RECT client, window;
  GetClientRect(FHandle, &client);
  GetWindowRect(FHandle, &window);
  SetWindowPos(FHandle, nullptr, window.left, window.top, client.right + FBorderLeft + FBorderRight,
               client.bottom + FTitleHeight + FBorderBottom + MenuLines * FMenuHeight,
               SWP_FRAMECHANGED | SWP_NOZORDER | SWP_NOMOVE);
}

void TWinSkinForm::FrameChanged() {
  SetWindowPos(FHandle, nullptr, 0, 0, 0, 0,
               SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
}

namespace {

// The opaque pixels of picture as a region at (x, y).
TRegionObject OpaquePart(TBitmap& picture, int x, int y) {
  return BitmapToRegion(picture, x, y, 1, 1, 1, SkinKeyColour);
}

}  // namespace

TBitmap& TWinSkinForm::BorderPicture(int Index, int w, int h) {
  TDataSkinBorder& piece = *FSkinData->Borders[size_t(Index)];
  const int frame = (FActive || Frames(piece) == 1) ? 1 : 2;
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

void TWinSkinForm::ForgetBorderPictures() {
  for (TPieceCache& cache : FPieceCache) cache = TPieceCache{};
}

void TWinSkinForm::UpdateRegion() {
  if (!FSkinData || FSkinData->SkinEmpty) return;
  RECT window;
  GetWindowRect(FHandle, &window);
  const int w = Width(window), h = Height(window);
  if (w * h == 0) return;
  if (FKind == fkMDIChild && FWindowState != fwsNormal) return;
  if (w == FRegionWidth && h == FRegionHeight && FKind != fkMDIChild &&
      FPhase != TFormPhase::SkinChanging)
    return;

  const auto& b = FSkinData->Borders;
  TRegionObject region;
  if (!b[1]->Trans && !b[2]->Trans && !b[3]->Trans && !b[4]->Trans) {
    region.Reset(CreateRectRgn(0, 0, w, h));
  } else {
    FRegionWidth = w;
    FRegionHeight = h;
    region.Reset(CreateRectRgn(FBorderLeft, FTitleHeight, w - FBorderRight, h - FBorderBottom));
    if (!FFrameless) {
      const int innerWidth = w - FBorderLeft - FBorderRight;
      TRegionObject left, right, bottom, top;
      if (b[1]->Trans == 1 && h > 1 && FBorderLeft > 0)
        left = OpaquePart(BorderPicture(1, FBorderLeft, h), 0, 0);
      else
        left.Reset(CreateRectRgn(0, 0, FBorderLeft, h));
      if (b[2]->Trans == 1 && h > 1 && FBorderRight > 0)
        right = OpaquePart(BorderPicture(2, FBorderRight, h), w - FBorderRight, 0);
      else
        right.Reset(CreateRectRgn(w - FBorderRight, 0, w, h));
      if (b[4]->Trans == 1 && FBorderBottom >= 2 && innerWidth > 0)
        bottom =
            OpaquePart(BorderPicture(4, innerWidth, FBorderBottom), FBorderLeft, h - FBorderBottom);
      else
        bottom.Reset(CreateRectRgn(FBorderLeft, h - FBorderBottom, w - FBorderRight, h));
      if (b[3]->Trans == 1 && FTitleHeight > 1 && innerWidth > 0) {
        // The last painted title counts its caption and buttons as opaque;
        // it only serves while it has the window's present width.
        if (FTitleBitmap.Width() == w && FTitleBitmap.Height() == FTitleHeight) {
          TBitmap title;
          title.SetSize(innerWidth, FTitleHeight);
          BitBlt(title.Canvas().Handle(), 0, 0, innerWidth, FTitleHeight,
                 FTitleBitmap.Canvas().Handle(), FBorderLeft, 0, SRCCOPY);
          top = OpaquePart(title, FBorderLeft, 0);
        } else {
          top = OpaquePart(BorderPicture(3, innerWidth, FTitleHeight), FBorderLeft, 0);
        }
      } else {
        top.Reset(CreateRectRgn(FBorderLeft, 0, w - FBorderRight, FTitleHeight));
      }
      CombineRgn(left, left, right, RGN_OR);
      CombineRgn(bottom, bottom, top, RGN_OR);
      CombineRgn(left, left, bottom, RGN_OR);
      CombineRgn(region, region, left, RGN_OR);
    }
  }
  // Once set, the region belongs to the system.
  if (SetWindowRgn(FHandle, region.Get(), TRUE)) {
    FRegion = region.Release();
    FRegionSet = true;
  }
}

void TWinSkinForm::DropRegion() {
  if (!FRegionSet) return;
  FTitleBitmap.Clear();
  FRegion = nullptr;
  SetWindowRgn(FHandle, nullptr, FALSE);
  FRegionSet = false;
}

// ---------------------------------------------------------------------------
// Frame messages

void TWinSkinForm::WMNCCalcSize(TMessage& Message) {
  CallDefault(Message);
  if (!Message.WParam) {
    Message.Result = 0;
    return;
  }
  auto* params = reinterpret_cast<NCCALCSIZE_PARAMS*>(Message.LParam);
  if (FKind == fkMDIChild && FWindowState != fwsNormal) {
    params->rgrc[1] = params->rgrc[0];
    SkinTrace("***WMNCCalcSize ");
  } else {
    const WINDOWPOS& pos = *params->lppos;
    const RECT client{pos.x + FBorderLeft, pos.y + FTitleHeight + FMenuHeight,
                      pos.x + pos.cx - FBorderRight, pos.y + pos.cy - FBorderBottom};
    params->rgrc[0] = client;
    params->rgrc[1] = client;
  }
  Message.Result = WVR_VALIDRECTS;
}

void TWinSkinForm::WMNCHitTest(TMessage& Message) {
  CallDefault(Message);
  const TPoint p = ToWindowPoint(GET_X_LPARAM(Message.LParam), GET_Y_LPARAM(Message.LParam));
  // The platform measures its caption by its own metrics: the part of a
  // taller skinned title below it still moves the window.
  if (Message.Result == HTNOWHERE && p.y >= 0 && p.y < FTitleHeight) Message.Result = HTCAPTION;
  if (Message.Result != HTCAPTION || FMenuHeight <= 0) return;
  if (p.y > FTitleHeight) Message.Result = HTMENU;
}

void TWinSkinForm::WMSize(TMessage& Message) {
  CallDefault(Message);
  switch (Message.WParam) {
    case SIZE_RESTORED: FWindowState = fwsNormal; break;
    case SIZE_MINIMIZED: FWindowState = fwsMinimized; break;
    case SIZE_MAXIMIZED: FWindowState = fwsMaximized; break;
    default: break;
  }
  if (FWindowState == fwsMinimized) return;
  if (FKind == fkMDIChild && (IsMaximizedMDIChild() || FWindowState != fwsNormal)) return;
  UpdateRegion();
}

void TWinSkinForm::WMGetMinMaxInfo(TMessage& Message) {
  CallDefault(Message);
  ReadPlacement();
  // A minimized window shows the platform's own caption buttons.
  SetSysButtons(FWindowState == fwsMinimized);
  if (FKind != fkMDIChild) {
    auto* info = reinterpret_cast<MINMAXINFO*>(Message.LParam);
    info->ptMaxTrackSize =
        POINT{GetSystemMetrics(SM_CXMAXIMIZED), GetSystemMetrics(SM_CYMAXIMIZED)};
  }
}

void TWinSkinForm::WMEraseBkgnd(TMessage& Message) {
  CallDefault(Message);
  if (FForm || !FSkinData) return;
  RECT client;
  GetClientRect(FHandle, &client);
  FillRect(reinterpret_cast<HDC>(Message.WParam), &client, FSkinData->FaceBrush());
  Message.Result = 1;
}

// ---------------------------------------------------------------------------
// Non-client painting

void TWinSkinForm::PaintNC() {
  if (!ScratchBitmap() || !FSkinData || FSkinData->SkinEmpty) return;
  const TWindowDC dc(FHandle, TWindowDC::Window);
  try {
    GetWindowRect(FHandle, &FWindowRect);
    FFrameWidth = Width(FWindowRect);
    FFrameHeight = Height(FWindowRect);
    const int w = FFrameWidth, h = FFrameHeight;
    PaintBorderPiece(1, TRect{0, 0, FBorderLeft, h}, dc);
    PaintBorderPiece(2, TRect{w - FBorderRight, 0, w, h}, dc);
    PaintBorderPiece(4, TRect{FBorderLeft, h - FBorderBottom, w - FBorderRight, h}, dc);
    PaintTitle(dc);
    if (FMenuBar)
      FMenuBar->PaintBar(
          dc, TRect{FBorderLeft, FTitleHeight, w - FBorderRight, FTitleHeight + FMenuHeight});
  } catch (...) {
    // A frame that cannot be painted keeps what it showed before.
  }
  FHotObject = nullptr;
}

void TWinSkinForm::PaintBorderPiece(int Index, const TRect& Rect, HDC DC) {
  const int w = Width(Rect), h = Height(Rect);
  if (w <= 0 || h <= 0) return;
  BitBlt(DC, Rect.left, Rect.top, w, h, BorderPicture(Index, w, h).Canvas().Handle(), 0, 0,
         SRCCOPY);
}

void TWinSkinForm::PaintTitle(HDC DC) {
  FTitleBitmap.SetSize(FFrameWidth, FTitleHeight);
  if (!FTitleBitmap.Empty()) {
    HDC title = FTitleBitmap.Canvas().Handle();
    // The title's ends are the tops of the side borders just painted; they
    // come from their pictures rather than back from the screen.
    if (FBorderLeft > 0)
      BitBlt(title, 0, 0, FBorderLeft, FTitleHeight,
             BorderPicture(1, FBorderLeft, FFrameHeight).Canvas().Handle(), 0, 0, SRCCOPY);
    if (FBorderRight > 0)
      BitBlt(title, FFrameWidth - FBorderRight, 0, FBorderRight, FTitleHeight,
             BorderPicture(2, FBorderRight, FFrameHeight).Canvas().Handle(), 0, 0, SRCCOPY);
    const TRect r{FBorderLeft, 0, FFrameWidth - FBorderRight, FTitleHeight};
    PaintBorderPiece(3, r, title);
    PaintCaption(FTitleBitmap.Canvas(), r);
    LayoutSysButtons();
    PaintSysButtons(FTitleBitmap.Canvas());
    BitBlt(DC, 0, 0, FFrameWidth, FTitleHeight, title, 0, 0, SRCCOPY);
  }
  // A title lower than the platform's caption and frame leaves a strip that
  // the platform's frame would have covered.
  const int platformTop = GetSystemMetrics(SM_CYCAPTION) + GetSystemMetrics(SM_CXFRAME);
  if (FTitleHeight + FMenuHeight < platformTop) {
    const RECT strip{FBorderLeft, FTitleHeight, FFrameWidth - FBorderRight,
                     platformTop - FMenuHeight};
    FillRect(DC, &strip, FSkinData->FaceBrush());
  }
}

void TWinSkinForm::PaintCaption(TCanvas& Canvas, const TRect& R) {
  TDataSkinTitle& title = *FSkinData->Title;
  const std::string text = FCaptionPrefix + WindowText() + FCaptionSuffix;
  HDC dc = Canvas.Handle();
  const int oldMode = SetBkMode(dc, TRANSPARENT);
  const TSelectObjectGuard font(dc, FCaptionFont.Handle());
  const COLORREF oldColour = SetTextColor(
      dc,
      ColorToRGB(FActive ? FSkinData->TitleTextActiveColour : FSkinData->TitleTextInactiveColour));

  RECT m = R;
  DrawTextA(dc, text.c_str(), -1, &m, DT_CALCRECT | DT_NOCLIP);
  m.right += title.TextBackLeft + title.TextBackRight;
  const int free = Width(R) - Width(m);
  int dx = 0;
  switch (title.TextAlignment) {
    case 0: dx = title.Margins.left; break;
    case 1: dx = free / 2; break;
    case 2:
      // Right-aligned text ends TextRightClip pixels before the title's end,
      // where the clip below cuts it: it loses nothing when it fits.
      dx = free - title.Margins.right;
      break;
    default: break;
  }
  const int dy = (Height(R) - Height(m)) / 2 + title.Margins.top / 2;
  OffsetRect(&m, dx, dy);
  m.right = std::min<LONG>(m.right, R.right - title.Margins.right);
  FCaptionRect = m;

  if (!title.Bitmap.Empty())
    DrawHorzThreePart(Canvas, TRect{m.left, R.top, m.right, R.bottom}, title.Bitmap, true, true, 2,
                      FActive ? 1 : 2, TSkinRect{title.TextBackLeft, 0, title.TextBackRight, 0});
  m.left += title.TextBackLeft;
  m.right -= title.TextBackRight;
  DrawTextA(dc, text.c_str(), -1, &m, DT_SINGLELINE | DT_END_ELLIPSIS);

  SetTextColor(dc, oldColour);
  SetBkMode(dc, oldMode);
}

void TWinSkinForm::LoadWindowIcon(TBitmap& Bitmap) {
  const int cx = GetSystemMetrics(SM_CXSMICON), cy = GetSystemMetrics(SM_CYSMICON);
  TBitmap work;
  work.SetSize(cx, cy);
  {
    const RECT all{0, 0, cx, cy};
    const TBrushObject magenta(CreateSolidBrush(RGB(255, 0, 255)));
    FillRect(work.Canvas().Handle(), &all, magenta);
  }
  Bitmap.Assign(&work);

  auto icon = reinterpret_cast<HICON>(SendMessageA(FHandle, WM_GETICON, ICON_SMALL, 0));
  if (!icon) icon = reinterpret_cast<HICON>(SendMessageA(FHandle, WM_GETICON, ICON_BIG, 0));
  if (icon) {
    TIconObject copy(static_cast<HICON>(CopyImage(icon, IMAGE_ICON, cx, cy, LR_COPYFROMRESOURCE)));
    if (!copy) copy.Reset(static_cast<HICON>(CopyImage(icon, IMAGE_ICON, cx, cy, 0)));
    DrawIconEx(work.Canvas().Handle(), 0, 0, copy ? copy.Get() : icon, cx, cy, 0, nullptr,
               DI_NORMAL);
    Bitmap.Assign(&work);
    return;
  }
  if (FSkinData && !FSkinData->DefaultIcon.Empty()) {
    Bitmap.Assign(&FSkinData->DefaultIcon);
    return;
  }
  if (!SkinManager) return;
  TSkinData* source = nullptr;
  for (TSkinData* data : SkinManager->SkinDatas)
    if (data->SkinFormtype() == sfMainform && !data->DefaultIcon.Empty()) source = data;
  if (source) Bitmap.Assign(&source->DefaultIcon);
}

// ---------------------------------------------------------------------------
// Title-bar buttons

bool TWinSkinForm::IsSysButtonVisible(int Index) {
  TWinSysButton& button = *FSysButtons[size_t(Index)];
  const TDataSkinSysButton& entry = *button.FSkinObject;
  const uint8_t s = FSavedButtons;
  // One condition code; Primary tells Visibility from Visibility1.
  auto condition = [&](int code, bool primary) {
    switch (code) {
      case 0: return primary ? (entry.Action != 0 || (s & sbSystemMenu)) : true;
      case 1: return FWindowState == fwsMaximized;
      case 2: return FWindowState != fwsMaximized;
      case 3: return FActive;
      case 4: return !FActive;
      case 6: return primary ? (s & sbMaximize) && (s & sbSystemMenu) : (s & sbMaximize) != 0;
      case 7: return !(s & sbMaximize);
      case 8: return primary ? (s & sbMinimize) && (s & sbSystemMenu) : (s & sbMinimize) != 0;
      case 9: return !(s & sbMinimize);
      case 100: return IsActiveChildMaximized();
      default: return code >= 200 && code <= 2000;
    }
  };
  bool visible = condition(entry.Visibility, true) && condition(entry.Visibility1, false);
  if (entry.Action == 1 && !(s & sbMaximize)) visible = false;
  if (entry.Action == 2 && !(s & sbMinimize)) visible = false;
  button.FVisible = visible;
  return visible;
}

void TWinSkinForm::LayoutSysButtons() {
  for (int i = 0; i < int(FSysButtons.size()); ++i) {
    TWinSysButton& button = *FSysButtons[size_t(i)];
    const TDataSkinSysButton& entry = *button.FSkinObject;
    if (!IsSysButtonVisible(i) || entry.Bitmap.Empty()) continue;
    const int w = entry.Bitmap.Width() / Frames(entry), h = entry.Bitmap.Height();
    int x = 0, y = 0;
    switch (entry.Align) {
      case 0:
        x = entry.XCoord;
        y = entry.YCoord;
        break;
      case 1:
        x = FFrameWidth - entry.XCoord;
        y = entry.YCoord;
        break;
      case 2:
      case 8:
        x = FCaptionRect.left - w - entry.XCoord;
        y = entry.YCoord;
        break;
      case 3:
      case 9:
        x = entry.XCoord + FCaptionRect.right;
        y = entry.YCoord;
        break;
      case 100:
        x = FFrameWidth - entry.XCoord - FBorderRight;
        if (FSkinData->MenuBar) x -= FSkinData->MenuBar->Margins.left;
        y = FTitleHeight + (FMenuHeight - h) / 2;
        break;
      default: break;
    }
    button.FBounds = TRect{x, y, x + w, y + h};
  }
}

void TWinSkinForm::PaintSysButtons(TCanvas& Canvas) {
  for (int i = 0; i < int(FSysButtons.size()); ++i) {
    TWinSysButton& button = *FSysButtons[size_t(i)];
    TDataSkinSysButton& entry = *button.FSkinObject;
    if (!IsSysButtonVisible(i) || entry.Bitmap.Empty() || entry.Visibility == 100) continue;
    const int frame = (FActive || Frames(entry) < 4) ? 1 : 4;
    const bool icon = entry.Action == 3 || entry.Action == 11;
    DrawFrame(Canvas.Handle(), button.FBounds, icon ? FIconBitmap : entry.Bitmap, true,
              icon ? 1 : frame);
  }
}

void TWinSkinForm::PaintSysButton(TWinSysButton& Button, int State) {
  TDataSkinSysButton& entry = *Button.FSkinObject;
  int frame = State;
  if (entry.Visibility == 100 && State == TNCObject::stHot) frame = 4;
  if (frame > Frames(entry)) frame = 1;  // a strip without that state shows its normal look
  const bool icon = entry.Action == 3 || entry.Action == 11;
  const TWindowDC dc(FHandle, TWindowDC::Window);
  DrawFrame(dc, Button.FBounds, icon ? FIconBitmap : entry.Bitmap, true, icon ? 1 : frame);
}

TWinSysButton* TWinSkinForm::SysButtonAt(TPoint P) {
  for (auto& button : FSysButtons)
    if (button->FVisible && button->FSkinObject->Action >= 0 && PtInRect(&button->FBounds, P))
      return button.get();
  return nullptr;
}

void TWinSkinForm::NCMouseMessage(TMessage& Message) {
  const TPoint screen{GET_X_LPARAM(Message.LParam), GET_Y_LPARAM(Message.LParam)};
  const TPoint p = ToWindowPoint(screen.x, screen.y);
  TWinSysButton* sysButton = SysButtonAt(p);
  TMenuBtn* menuButton = sysButton ? nullptr : MenuButtonAt(FMenuBar.get(), p);
  TNCObject* object = sysButton ? static_cast<TNCObject*>(sysButton) : menuButton;
  Message.Result = 0;
  switch (Message.Msg) {
    case WM_NCMOUSEMOVE:
      if (!FActive) return;
      if (object) {
        object->MouseMove();
        return;
      }
      if (FHotObject) FHotObject->MouseLeave();
      break;
    case WM_NCLBUTTONDOWN:
      if (menuButton && DeferWhileMenuOpen(Message)) return;
      if (object && FActive) {
        object->MouseDown();
        if (menuButton) TrackMenuButton(menuButton);
        return;
      }
      break;
    case WM_NCLBUTTONUP:
      if (sysButton) {
        if (sysButton == FHotObject) {
          sysButton->MouseUp();
          ExecuteSysButton(screen.x, screen.y);
        }
        return;
      }
      // Only a command item of the bar itself runs on release; a button
      // with a popup, or a disabled one, has no command of its own.
      if (menuButton) {
        if (menuButton->FEnabled && !menuButton->FSubMenu)
          PostMessageA(FHandle, WM_COMMAND, WPARAM(menuButton->FCommand), 0);
        return;
      }
      break;
    case WM_NCLBUTTONDBLCLK:
      if (FWindowState != fwsNormal)
        RestoreWindow();
      else if (FSavedButtons & sbMaximize)
        ToggleMaximize();
      return;
    case WM_NCRBUTTONDOWN:
      if (Message.WParam == HTCAPTION && FKind != fkMDIChild) {
        ShowSystemMenu(screen);
        return;
      }
      break;
    default: break;
  }
  CallDefault(Message);
}

void TWinSkinForm::ExecuteSysButton(int X, int Y) {
  auto* button = dynamic_cast<TWinSysButton*>(FHotObject);
  if (!button) return;
  const int action = button->FSkinObject->Action;
  switch (action) {
    case 0:
      if (FHoverTimer) FHoverTimer->SetEnabled(false);
      PostMessageA(FHandle, WM_CLOSE, 0, 0);
      break;
    case 1:
    case 22: ToggleMaximize(); break;
    case 2:
    case 23: ToggleMinimize(); break;
    case 3:
    case 11:
    case 12: ShowSystemMenu(TPoint{X, Y}); break;
    case 7:
    case 60: SendToActiveChild(SC_MINIMIZE); break;
    case 8:
    case 61: SendToActiveChild(SC_RESTORE); break;
    case 9:
    case 62: SendToActiveChild(SC_CLOSE); break;
    default: PostMessageA(FHandle, WM_SKINBUTTONACTION, WPARAM(action), 0);
  }
}

void TWinSkinForm::ToggleMaximize() {
  if (FWindowState == fwsMaximized) {
    RestoreWindow();
    return;
  }
  FWindowState = fwsMaximized;
  ShowWindow(FHandle, SW_SHOWMAXIMIZED);
}

void TWinSkinForm::ToggleMinimize() {
  if (FWindowState == fwsMinimized) {
    RestoreWindow();
    return;
  }
  FWindowState = fwsMinimized;
  PostMessageA(FHandle, WM_SYSCOMMAND, SC_MINIMIZE, 0);
}

void TWinSkinForm::RestoreWindow() {
  FWindowState = fwsNormal;
  PostMessageA(FHandle, WM_SYSCOMMAND, SC_RESTORE, 0);
}

void TWinSkinForm::ShowSystemMenu(TPoint P) {
  TrackPopupMenu(FSystemMenu, TPM_RIGHTBUTTON, P.x, P.y, 0, FHandle, nullptr);
}
