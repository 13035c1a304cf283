// The skinned frame: its state, the frame's messages, its painting through
// the frame painter, the title-bar buttons' actions and the window commands.
#include "skin/window/SkinFrame.h"

#include <windowsx.h>

#include <array>

#include "skin/draw/SkinDraw.h"
#include "skin/window/ComponentMenus.h"
#include "skin/window/MenuTracking.h"
#include "skin/window/SkinManager.h"
#include "skin/window/WinSkinData.h"
#include "skin/window/WinSkinMenu.h"

namespace {

// The most text read from a window.
constexpr int kMaxWindowText = 1000;

}  // namespace

// The caption is padded with two blanks before and three after.
TSkinFrame::TSkinFrame(HWND Wnd)
    : FHandle(Wnd),
      FPainter(Wnd),
      FButtons(Wnd, FHot),
      FCaptionPrefix(2, ' '),
      FCaptionSuffix(3, ' ') {}

// The bar's buttons leave the hot object with the bar.
TSkinFrame::~TSkinFrame() = default;

// A maximized MDI child keeps the platform's caption buttons.
void TSkinFrame::SetSysButtons(bool Show) {
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

// InvalidateRect and UpdateWindow.
void TSkinFrame::Repaint(HWND Wnd) {
  InvalidateRect(Wnd, nullptr, TRUE);
  UpdateWindow(Wnd);
}

// Client coordinates moved by the frame (a minimized window has none).
TPoint TSkinFrame::ToWindowPoint(int X, int Y) {
  POINT p{X, Y};
  ScreenToClient(FHandle, &p);
  if (FWindowState != TFrameWindowState::Minimized) {
    p.x += FMetrics.ClientLeft();
    p.y += FMetrics.ClientTop();
  }
  return TPoint{p.x, p.y};
}

// GetWindowPlacement's show command.
void TSkinFrame::ReadPlacement() {
  WINDOWPLACEMENT placement{};
  placement.length = sizeof placement;
  if (!GetWindowPlacement(FHandle, &placement)) return;
  switch (placement.showCmd) {
    case SW_SHOWMINIMIZED:
    case SW_MINIMIZE:
    case SW_SHOWMINNOACTIVE: FWindowState = TFrameWindowState::Minimized; break;
    case SW_SHOWMAXIMIZED: FWindowState = TFrameWindowState::Maximized; break;
    default: FWindowState = TFrameWindowState::Normal;
  }
}

// WM_GETTEXT into a buffer of kMaxWindowText characters.
std::string TSkinFrame::WindowText() const {
  char text[kMaxWindowText + 1] = {};
  SendMessageA(FHandle, WM_GETTEXT, kMaxWindowText, reinterpret_cast<LPARAM>(text));
  return text;
}

// The manager keeps the MDI maximized state.
bool TSkinFrame::IsMaximizedMDIChild() const {
  return FKind == TFrameKind::MDIChild && SkinManager && SkinManager->MdiMaximized;
}

// Only an MDI frame has an active child.
bool TSkinFrame::IsActiveChildMaximized() const {
  return FKind == TFrameKind::MDIFrame && FMdi.IsActiveChildMaximized();
}

// Only an MDI frame has an active child.
void TSkinFrame::SendToActiveChild(WPARAM Command) {
  if (FKind == TFrameKind::MDIFrame) FMdi.SendToActiveChild(Command);
}

// The tracking says, for this frame's bar.
bool TSkinFrame::MenuTracking() const { return ::MenuTracking().IsTracking(FMenuBar.get()); }

// Through the subclass, the one way back.
void TSkinFrame::CallDefault(TMessage& Message) { FSubclass.CallPrevious(Message); }

// The frame's size, hit test, painting, activation and mouse.
bool TSkinFrame::FrameMessage(TMessage& Message) {
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
    case WM_SKINPAINTFRAME:
      // An MDI frame is asked to repaint when its children changed.
      if (FKind == TFrameKind::MDIFrame && SkinManager) SkinManager->FollowMdiChildren();
      PaintNC();
      return true;
    default: return false;
  }
}

// The hover timer runs while active; the frame shows the new state.
void TSkinFrame::NCActivate(TMessage& Message) {
  FActive = Message.WParam != 0;
  if (FHoverTimer) FHoverTimer->SetEnabled(FActive);
  if (!FHoverTimer || !FHoverTimer->Enabled()) FSkinners.SetHot(nullptr);
  CallDefault(Message);
  if (!(FKind == TFrameKind::MDIChild && FWindowState != TFrameWindowState::Normal)) PaintNC();
}

// System-menu choices made through ShowSystemMenu arrive as commands; they
// go back to the window as the system commands they are. Controls'
// notifications (which carry the control's window) are never taken for one.
void TSkinFrame::WMCommand(TMessage& Message) {
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

// The keyboard's menu commands never reach the real menu bar, which the
// frame has taken off: Alt or F10 alone does nothing, Alt+letter opens the
// skinned bar's button (for a window whose Alt+letter came as no
// CM_DIALOGCHAR), Alt+Space the system menu, which the platform will not
// open for a window without WS_SYSMENU. Size commands update the state.
void TSkinFrame::WMSysCommand(TMessage& Message) {
  const WPARAM command = Message.WParam & 0xFFF0;
  if (!MenuTracking() && command == SC_KEYMENU && !GetCapture()) {
    const LPARAM key = Message.LParam;
    if (key != ' ' && key != '-') {
      TMenuBtn* button = key && FMenuBar ? FMenuBar->AccelButton(int(key)) : nullptr;
      if (key == 0 || button) {
        if (button) FMenuBar->PostClick(*button);
        Message.Result = 1;
        return;
      }
    } else if (key == ' ' && FKind != TFrameKind::MDIChild && FSystemMenu &&
               !(GetWindowLongPtrA(FHandle, GWL_STYLE) & WS_SYSMENU)) {
      RECT window;
      GetWindowRect(FHandle, &window);
      ShowSystemMenu(TPoint{window.left + FMetrics.BorderLeft, window.top + FMetrics.TitleHeight});
      Message.Result = 0;
      return;
    }
  }
  switch (command) {
    case SC_MINIMIZE:
      FWindowState = TFrameWindowState::Minimized;
      if (FKind == TFrameKind::MDIChild) SetSysButtons(true);
      break;
    case SC_MAXIMIZE: FWindowState = TFrameWindowState::Maximized; break;
    case SC_RESTORE:
      FWindowState = TFrameWindowState::Normal;
      if (FKind == TFrameKind::MDIChild) SetSysButtons(false);
      break;
    default: break;
  }
  CallDefault(Message);
}

// ---------------------------------------------------------------------------
// The frame

// Frame sizes from the border pictures; the title-bar buttons made anew.
void TSkinFrame::ComputeMetrics() {
  if (!FSkinData || FSkinData->SkinEmpty) return;
  std::array<TBorderPicture, 5> borders;
  for (size_t i = 1; i <= 4; ++i) {
    const TDataSkinBorder& b = *FSkinData->Borders[i];
    borders[i] = TBorderPicture{b.Bitmap.Width(), b.Bitmap.Height(), b.FrameCount};
  }
  FMetrics = ComputeFrameMetrics(borders, FFrameless, FMetrics.MenuHeight);
  ForgetSkinObjects();
  FButtons.Build(*FSkinData);
}

// Border pictures and title-bar buttons.
void TSkinFrame::ForgetSkinObjects() {
  FPainter.ForgetBorderPictures();
  FButtons.Clear();
}

// SetWindowPos with the window size around the client area.
void TSkinFrame::FitWindowToFrame(int MenuLines) {
  if (FWindowState == TFrameWindowState::Maximized) {
    FrameChanged();
    return;
  }
  RECT client, window;
  GetClientRect(FHandle, &client);
  GetWindowRect(FHandle, &window);
  int w = 0, h = 0;
  FMetrics.WindowSize(client.right, client.bottom, MenuLines, w, h);
  SetWindowPos(FHandle, nullptr, window.left, window.top, w, h,
               SWP_FRAMECHANGED | SWP_NOZORDER | SWP_NOMOVE | SWP_NOACTIVATE);
}

// SetWindowPos with SWP_FRAMECHANGED alone.
void TSkinFrame::FrameChanged() {
  SetWindowPos(FHandle, nullptr, 0, 0, 0, 0,
               SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
}

// The painter decides whether the region needs building.
void TSkinFrame::UpdateRegion() { FPainter.UpdateRegion(View()); }

// The painter forgets the size it built the region for.
void TSkinFrame::RebuildRegion() {
  FPainter.ForgetRegionSize();
  UpdateRegion();
}

// The painter takes it off.
void TSkinFrame::DropRegion() { FPainter.DropRegion(); }

// The frame's state for the painter.
TFrameView TSkinFrame::View() const {
  TFrameView view;
  view.Skin = FSkinData;
  view.Metrics = FMetrics;
  view.Active = FActive;
  view.Frameless = FFrameless;
  view.Kind = FKind;
  view.WindowState = FWindowState;
  view.Phase = FPhase;
  return view;
}

// The frame's state for the title-bar buttons (the painter adds the width
// and the caption's place).
TTitleState TSkinFrame::TitleState() const {
  TTitleState state;
  state.Active = FActive;
  state.WindowState = FWindowState;
  state.SavedButtons = FSavedButtons;
  state.ActiveChildMaximized = IsActiveChildMaximized();
  state.Metrics = FMetrics;
  state.MenuBarLeftMargin = FSkinData && FSkinData->MenuBar ? FSkinData->MenuBar->Margins.left : 0;
  return state;
}

// Through the window DC; the MDI buttons of a maximized child go on the bar.
void TSkinFrame::PaintNC() {
  if (!ScratchBitmap() || !FSkinData || FSkinData->SkinEmpty) return;
  const TWindowDC dc(FHandle, TWindowDC::Window);
  // The maximized MDI child's buttons sit at the bar's right end.
  const auto mdiButtons = [this](HDC bar) {
    if (!IsActiveChildMaximized()) return;
    for (auto& sys : FButtons.Buttons()) {
      TDataSkinSysButton& entry = *sys->SkinObject();
      if (entry.Visibility != 100 || entry.Bitmap.Empty()) continue;
      TRect r = sys->Bounds();
      OffsetRect(&r, -FMetrics.BorderLeft, -FMetrics.TitleHeight);
      DrawFrame(bar, r, entry.Bitmap, true, 1);
      if (SkinManager && !SkinManager->MdiMaximized) SkinManager->SetMdiMax(true);
    }
  };
  FPainter.Paint(dc, View(), FCaptionPrefix + WindowText() + FCaptionSuffix, FButtons, TitleState(),
                 FMenuBar.get(), mdiButtons);
  FHot.Object = nullptr;
}

// Only a change between maximized and not tells the frame.
void TSkinFrame::MdiChildSized(WPARAM SizeType) {
  const bool zoomed = SizeType == SIZE_MAXIMIZED;
  if (FKind != TFrameKind::MDIChild || zoomed == FZoomed) return;
  FZoomed = zoomed;
  if (HWND frame = GetParent(GetParent(FHandle))) PostMessageA(frame, WM_SKINPAINTFRAME, 0, 0);
}

// A bar for a menu that appeared, none without a menu; the band's room
// changes with the bar, the window keeping its size.
void TSkinFrame::FollowMenu(TMenu* Component) {
  if (FKind == TFrameKind::MDIChild) return;
  if (FMenuBar && FMenuBar->Menu() != Component) {
    // Another menu, or none: the old one's items get their own drawing back.
    FMenuBar->RestoreOwnerDrawnItems();
    FMenuBar->SetMenu(Component);
  }
  HMENU menu = GetMenu(FHandle);
  if (!menu && FMenuBar && Component) menu = FMenuBar->MenuHandle();
  const bool hadBar = FMenuBar != nullptr;
  if (!menu || GetMenuItemCount(menu) <= 0) {
    if (!hadBar) return;
    ::MenuTracking().Forget(FMenuBar.get());
    FMenuBar.reset();
    FMetrics.MenuHeight = 0;
    FWindowMenu = menu;
  } else {
    if (!hadBar) {
      FMenuBar = std::make_unique<TWinSkinMenu>(FHandle, FSkinData, Component, FHot);
      FMetrics.MenuHeight = GetSystemMetrics(SM_CYMENU);
    }
    FWindowMenu = menu;
    FMenuBar->BuildButtons();
  }
  if (hadBar != (FMenuBar != nullptr)) FrameChanged();
  PostMessageA(FHandle, WM_SKINPAINTFRAME, 0, 0);
}

// An MDI child drops its region and shows the platform's caption buttons
// while maximized; otherwise it takes the skinned frame back.
void TSkinFrame::MdiMaxChanged(bool Maximized) {
  if (FKind != TFrameKind::MDIChild) return;
  if (Maximized) {
    if (FPainter.RegionSet()) DropRegion();
    SetSysButtons(true);
  } else if (FWindowState == TFrameWindowState::Minimized) {
    SetSysButtons(true);
  } else {
    FWindowState = TFrameWindowState::Normal;
    FPainter.UpdateRegion(View(), false);
    SetSysButtons(false);
    if (FPainter.RegionSet())
      FMdiRepaintDue = true;
    else
      FrameChanged();
  }
}

// The window's frame and client, and the part of its parent under it.
void TSkinFrame::RepaintMdiFrame() {
  if (!FMdiRepaintDue) return;
  FMdiRepaintDue = false;
  RECT r;
  GetWindowRect(FHandle, &r);
  const HWND parent = GetParent(FHandle);
  MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&r), 2);
  RedrawWindow(parent, &r, nullptr, RDW_INVALIDATE | RDW_ERASE);
  RedrawWindow(FHandle, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN);
}

// The small icon of the window (or its big one), else the skin's default
// icon, else that of the last main-form component that has one; magenta
// without any.
void TSkinFrame::LoadWindowIcon() {
  TBitmap& bitmap = FButtons.Icon();
  const int cx = GetSystemMetrics(SM_CXSMICON), cy = GetSystemMetrics(SM_CYSMICON);
  TBitmap work;
  work.SetSize(cx, cy);
  {
    const RECT all{0, 0, cx, cy};
    const TBrushObject magenta(CreateSolidBrush(RGB(255, 0, 255)));
    FillRect(work.Canvas().Handle(), &all, magenta);
  }
  bitmap.Assign(&work);

  auto icon = reinterpret_cast<HICON>(SendMessageA(FHandle, WM_GETICON, ICON_SMALL, 0));
  if (!icon) icon = reinterpret_cast<HICON>(SendMessageA(FHandle, WM_GETICON, ICON_BIG, 0));
  if (icon) {
    TIconObject copy(static_cast<HICON>(CopyImage(icon, IMAGE_ICON, cx, cy, LR_COPYFROMRESOURCE)));
    if (!copy) copy.Reset(static_cast<HICON>(CopyImage(icon, IMAGE_ICON, cx, cy, 0)));
    DrawIconEx(work.Canvas().Handle(), 0, 0, copy ? copy.Get() : icon, cx, cy, 0, nullptr,
               DI_NORMAL);
    bitmap.Assign(&work);
    return;
  }
  if (FSkinData && !FSkinData->DefaultIcon.Empty()) {
    bitmap.Assign(&FSkinData->DefaultIcon);
    return;
  }
  if (!SkinManager) return;
  TSkinData* source = nullptr;
  for (TSkinData* data : SkinManager->SkinDatas)
    if (data->SkinFormtype() == sfMainform && !data->DefaultIcon.Empty()) source = data;
  if (source) bitmap.Assign(&source->DefaultIcon);
}

// The client area inside the skinned frame; an MDI child that is not
// normal keeps the platform's.
void TSkinFrame::WMNCCalcSize(TMessage& Message) {
  CallDefault(Message);
  if (!Message.WParam) {
    Message.Result = 0;
    return;
  }
  auto* params = reinterpret_cast<NCCALCSIZE_PARAMS*>(Message.LParam);
  if (FKind == TFrameKind::MDIChild && FWindowState != TFrameWindowState::Normal) {
    params->rgrc[1] = params->rgrc[0];
    SkinTrace("***WMNCCalcSize ");
  } else {
    const WINDOWPOS& pos = *params->lppos;
    const RECT client = ToRect(FMetrics.ClientRect(pos.x, pos.y, pos.cx, pos.cy));
    params->rgrc[0] = client;
    params->rgrc[1] = client;
  }
  Message.Result = WVR_VALIDRECTS;
}

// The platform's answer, corrected for the skinned title and menu band.
void TSkinFrame::WMNCHitTest(TMessage& Message) {
  CallDefault(Message);
  const TPoint p = ToWindowPoint(GET_X_LPARAM(Message.LParam), GET_Y_LPARAM(Message.LParam));
  RECT window;
  GetWindowRect(FHandle, &window);
  Message.Result = FrameHitTest(FMetrics, int(Message.Result), p.x, p.y, RectWidth(window));
}

// The state from the size message; the region follows a normal frame.
void TSkinFrame::WMSize(TMessage& Message) {
  CallDefault(Message);
  switch (Message.WParam) {
    case SIZE_RESTORED: FWindowState = TFrameWindowState::Normal; break;
    case SIZE_MINIMIZED: FWindowState = TFrameWindowState::Minimized; break;
    case SIZE_MAXIMIZED: FWindowState = TFrameWindowState::Maximized; break;
    default: break;
  }
  if (FWindowState == TFrameWindowState::Minimized) return;
  if (FKind == TFrameKind::MDIChild &&
      (IsMaximizedMDIChild() || FWindowState != TFrameWindowState::Normal))
    return;
  UpdateRegion();
}

// A minimized window shows the platform's own caption buttons; a maximized
// window may grow to the platform's maximized size.
void TSkinFrame::WMGetMinMaxInfo(TMessage& Message) {
  CallDefault(Message);
  ReadPlacement();
  SetSysButtons(FWindowState == TFrameWindowState::Minimized);
  if (FKind != TFrameKind::MDIChild) {
    auto* info = reinterpret_cast<MINMAXINFO*>(Message.LParam);
    info->ptMaxTrackSize =
        POINT{GetSystemMetrics(SM_CXMAXIMIZED), GetSystemMetrics(SM_CYMAXIMIZED)};
  }
}

// A window of the system gets the skin's face colour behind its controls.
void TSkinFrame::WMEraseBkgnd(TMessage& Message) {
  CallDefault(Message);
  if (FIsForm || !FSkinData) return;
  RECT client;
  GetClientRect(FHandle, &client);
  FillRect(reinterpret_cast<HDC>(Message.WParam), &client, FSkinData->FaceBrush());
  Message.Result = 1;
}

// What the item messages need of the frame.
TFrameMenus TSkinFrame::FrameMenus() const {
  TFrameMenus menus;
  menus.Handle = FHandle;
  menus.Skin = FSkinData;
  menus.HasWindowMenu = FWindowMenu != nullptr;
  menus.IsForm = FIsForm;
  if (FMenuBar) {
    menus.BarMenu = FMenuBar->Menu();
    menus.TrackedMenu = FMenuBar->TrackedMenu();
  }
  return menus;
}

// The frame's items are measured from the skin, others go on.
void TSkinFrame::WMMeasureItem(TMessage& Message) {
  auto* item = reinterpret_cast<MEASUREITEMSTRUCT*>(Message.LParam);
  if (item && MeasureFrameMenuItem(*item, FrameMenus())) {
    Message.Result = 1;
    return;
  }
  CallDefault(Message);
}

// The frame's items are drawn from the skin, others go on.
void TSkinFrame::WMDrawItem(TMessage& Message) {
  auto* item = reinterpret_cast<DRAWITEMSTRUCT*>(Message.LParam);
  if (item && DrawFrameMenuItem(*item, FrameMenus())) {
    Message.Result = 1;
    return;
  }
  CallDefault(Message);
}

// Hover, press and release of the title-bar and menu-bar buttons, the
// title's double click and the system menu on a right click.
void TSkinFrame::NCMouseMessage(TMessage& Message) {
  const TPoint screen{GET_X_LPARAM(Message.LParam), GET_Y_LPARAM(Message.LParam)};
  const TPoint p = ToWindowPoint(screen.x, screen.y);
  TWinSysButton* sysButton = FButtons.At(p);
  TMenuBtn* menuButton = sysButton || !FMenuBar ? nullptr : FMenuBar->ButtonAt(p);
  TNCObject* object = sysButton ? static_cast<TNCObject*>(sysButton) : menuButton;
  Message.Result = 0;
  switch (Message.Msg) {
    case WM_NCMOUSEMOVE:
      if (!FActive) return;
      if (object) {
        object->MouseMove();
        return;
      }
      if (FHot.Object) FHot.Object->MouseLeave();
      break;
    case WM_NCLBUTTONDOWN:
    case WM_NCLBUTTONDBLCLK:
      // The second click of a double click on the menu band is a press of
      // its own; the title's double click is below.
      if (Message.Msg == WM_NCLBUTTONDBLCLK && Message.WParam != HTMENU) {
        if (FWindowState != TFrameWindowState::Normal)
          RestoreWindow();
        else if (FSavedButtons & sbMaximize)
          ToggleMaximize();
        return;
      }
      if (menuButton && DeferWhileMenuOpen(Message)) return;
      if (object && FActive) {
        object->MouseDown();
        if (menuButton) TrackMenuButton(*menuButton);
        return;
      }
      // The band's empty part: the platform has no menu bar to open there.
      if (Message.WParam == HTMENU) return;
      break;
    case WM_NCLBUTTONUP:
      if (sysButton) {
        if (sysButton == FHot.Object) {
          sysButton->MouseUp();
          ExecuteSysButton(*sysButton, screen.x, screen.y);
        }
        return;
      }
      // Only a command item of the bar itself runs on release; a button
      // with a popup, or a disabled one, has no command of its own.
      if (menuButton) {
        if (menuButton->Enabled() && !menuButton->SubMenu())
          PostMessageA(FHandle, WM_COMMAND, WPARAM(menuButton->Command()), 0);
        return;
      }
      break;
    case WM_NCRBUTTONDOWN:
      if (Message.WParam == HTCAPTION && FKind != TFrameKind::MDIChild) {
        ShowSystemMenu(screen);
        return;
      }
      break;
    default: break;
  }
  CallDefault(Message);
}

// The tracking runs the popup; this frame may be gone when it returns.
bool TSkinFrame::TrackMenuButton(TMenuBtn& Button) {
  if (!FMenuBar) return false;
  return ::MenuTracking().Track(*FMenuBar, Button,
                                [this](int X, int Y) { return ToWindowPoint(X, Y); });
}

// A popup of a bar is open: it closes, and the click comes again.
bool TSkinFrame::DeferWhileMenuOpen(TMessage& Message) {
  if (!::MenuTracking().LoopRunning()) return false;
  EndMenu();
  PostMessageA(FHandle, Message.Msg, Message.WParam, Message.LParam);
  Message.Result = 0;
  return true;
}

// By the button's action: close, maximize, minimize, the system menu, the
// MDI child's minimize, restore and close, or the application's own.
void TSkinFrame::ExecuteSysButton(TWinSysButton& Button, int X, int Y) {
  const int action = Button.SkinObject()->Action;
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

// ShowWindow maximized, unless it is maximized already.
void TSkinFrame::ToggleMaximize() {
  if (FWindowState == TFrameWindowState::Maximized) {
    RestoreWindow();
    return;
  }
  FWindowState = TFrameWindowState::Maximized;
  ShowWindow(FHandle, SW_SHOWMAXIMIZED);
}

// SC_MINIMIZE posted, unless it is minimized already.
void TSkinFrame::ToggleMinimize() {
  if (FWindowState == TFrameWindowState::Minimized) {
    RestoreWindow();
    return;
  }
  FWindowState = TFrameWindowState::Minimized;
  PostMessageA(FHandle, WM_SYSCOMMAND, SC_MINIMIZE, 0);
}

// SC_RESTORE posted.
void TSkinFrame::RestoreWindow() {
  FWindowState = TFrameWindowState::Normal;
  PostMessageA(FHandle, WM_SYSCOMMAND, SC_RESTORE, 0);
}

// TrackPopupMenu of the system menu.
void TSkinFrame::ShowSystemMenu(TPoint P) {
  TrackPopupMenu(FSystemMenu, TPM_RIGHTBUTTON, P.x, P.y, 0, FHandle, nullptr);
}
