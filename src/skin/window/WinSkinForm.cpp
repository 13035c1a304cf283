// The form skinner: attaching and detaching, the routing of the window's
// messages, the control skinners and a changed skin.
#include "skin/window/WinSkinForm.h"

#include <cassert>

#include "skin/window/ComponentMenus.h"
#include "skin/window/MenuTracking.h"
#include "skin/window/SkinManager.h"
#include "skin/window/WinSkinMenu.h"
#include "ui/Forms.h"
#include "ui/Menus.h"
#include "ui/Published.h"

namespace {

// NONCLIENTMETRICSA as every Windows from XP on knows it (without the
// padded-border field that later headers add).
constexpr UINT kNonClientMetricsSize = 340;

}  // namespace

// Skinners publish nothing: they are made by the engine, never read from
// a definition.
QUORVEL_DEFINE_CLASS(TWinSkinForm) {}

// ---------------------------------------------------------------------------
// Life cycle

// Without a window.
TWinSkinForm::TWinSkinForm(TComponent* AOwner) : TWinSkinForm(AOwner, nullptr) {}

// The frame of Wnd, not attached.
TWinSkinForm::TWinSkinForm(TComponent* AOwner, HWND Wnd) : TComponent(AOwner), TSkinFrame(Wnd) {}

// The skinner is freed by the manager after Detach, or at program end while
// its window may still be there: the subclass helper then puts the window's
// procedure back when FSubclass goes.
TWinSkinForm::~TWinSkinForm() {
  ::MenuTracking().Forget(FMenuBar.get());
  ReleaseSkinners();
  FButtons.Clear();
  if (FMenuBar) FMenuBar->RestoreOwnerDrawnItems();
  FMenuBar.reset();
  FFormHook.Detach();
  if (FSkinData) FSkinData->RemoveFreeNotification(this);
}

// Takes the window's facts, subclasses it, builds the menu bar, takes the
// caption buttons off, computes the frame and hands the controls over.
void TWinSkinForm::AttachToWindow(TSkinData* SkinData) {
  assert(FHandle);
  if (FSubclassed) return;
  FSkinData = SkinData;
  if (FSkinData) FSkinData->FreeNotification(this);
  FHoverTimer = std::make_unique<TTimer>(nullptr);
  FHoverTimer->SetEnabled(false);
  FHoverTimer->SetInterval(250);
  FHoverTimer->OnTimer = [this](TObject*) { HoverTimerFired(); };

  NONCLIENTMETRICSA metrics{};
  metrics.cbSize = kNonClientMetricsSize;
  if (SystemParametersInfoA(SPI_GETNONCLIENTMETRICS, kNonClientMetricsSize, &metrics, 0))
    FPainter.CaptionFont().SetHandle(CreateFontIndirectA(&metrics.lfCaptionFont));

  const LONG_PTR style = GetWindowLongPtrA(FHandle, GWL_STYLE);
  const LONG_PTR exStyle = GetWindowLongPtrA(FHandle, GWL_EXSTYLE);
  FSystemMenu = GetSystemMenu(FHandle, FALSE);
  LoadWindowIcon();

  FSavedButtons = 0;
  if ((style & WS_SYSMENU) || FSystemMenu) FSavedButtons |= sbSystemMenu;
  if (style & WS_MINIMIZEBOX) FSavedButtons |= sbMinimize;
  if (style & WS_MAXIMIZEBOX) FSavedButtons |= sbMaximize;

  ReadPlacement();
  FZoomed = FWindowState == TFrameWindowState::Maximized;
  FKind = FMdi.Find(FHandle) ? TFrameKind::MDIFrame : TFrameKind::Window;
  if (exStyle & WS_EX_MDICHILD) FKind = TFrameKind::MDIChild;
  FFrameless = (style & WS_POPUP) && !(style & (WS_BORDER | WS_DLGFRAME)) &&
               !(style & WS_THICKFRAME) && !(exStyle & WS_EX_WINDOWEDGE);

  FWindowMenu = GetMenu(FHandle);

  if (!FSubclass.Attach(FHandle, [this](TMessage& m) { WndProc(m); })) return;
  FSubclassed = true;
  // A window that is active already hears of no activation: the frame
  // starts in the state the window is in (its buttons take clicks at once).
  if (FKind == TFrameKind::MDIChild) {
    const auto active =
        reinterpret_cast<HWND>(SendMessageA(GetParent(FHandle), WM_MDIGETACTIVE, 0, 0));
    FActive = active == FHandle && GetActiveWindow() == GetAncestor(FHandle, GA_ROOT);
  } else {
    FActive = GetActiveWindow() == FHandle;
  }
  FHoverTimer->SetEnabled(FActive);

  // The frame draws the menu bar itself, in a band below the title.
  if (FWindowMenu && FKind != TFrameKind::MDIChild) {
    FMenuBar =
        std::make_unique<TWinSkinMenu>(FHandle, FSkinData, FForm ? FForm->Menu() : nullptr, FHot);
    FMetrics.MenuHeight = GetSystemMetrics(SM_CYMENU);
    FMenuBar->BuildButtons();
  }

  if (!IsMaximizedMDIChild()) SetSysButtons(false);
  if (FKind == TFrameKind::MDIFrame) FMdi.Subclass([this](TMessage& m) { CallDefault(m); });
  ComputeMetrics();
  if (FForm)
    Dispatch().SkinComponents(FForm);
  else
    Dispatch().SkinChildWindows(FHandle);
  // The controls show their skinned look at once, also those whose pixels
  // the platform moved along when the window was shown or sized.
  RedrawWindow(FHandle, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN);
}

// The form's WindowProc is hooked first, then the window attached; the form
// takes the face colour and its popup menus the skinned item drawing.
void TWinSkinForm::AttachToForm(TSkinData* SkinData, TCustomForm* Form) {
  assert(Form);
  FForm = Form;
  FIsForm = true;
  Form->SetAutoScroll(false);
  FFormHook.Attach(*Form, [this](TMessage& m) { FormWindowProc(m); });
  AttachToWindow(SkinData);
  FSavedColor = Form->Color();
  if (FSkinData) Form->SetColor(FSkinData->ButtonFaceColour);
  FPopupDrawing.Apply(Form);
}

// Everything in the reverse order of attaching; a window that stays keeps
// the size of its client area under the platform's frame.
void TWinSkinForm::Detach() {
  ::MenuTracking().Forget(FMenuBar.get());
  const bool keepClient = FSubclassed && FPhase != TFormPhase::Releasing &&
                          FPhase != TFormPhase::Attached && !IsIconic(FHandle) &&
                          !IsZoomed(FHandle);
  RECT client{};
  GetClientRect(FHandle, &client);
  if (FHoverTimer) FHoverTimer->SetEnabled(false);
  SetSysButtons(true);
  if (FForm) {
    FForm->SetColor(FSavedColor);
    FFormHook.Detach();
    FPopupDrawing.Restore();
  }
  if (FSubclassed) {
    FSubclassed = false;
    FSubclass.Detach();
  }
  ReleaseSkinners();
  FHot.Object = nullptr;
  if (FMenuBar) {
    // The real menu goes back with the items' own drawing; SetMenu resizes
    // the frame around it. A window that is going keeps a form's menu off:
    // the system would destroy it with the window, and the form keeps it.
    if (FPhase == TFormPhase::Releasing && FMenuBar->Menu())
      FMenuBar->RestoreOwnerDrawnItems();
    else
      FMenuBar->GiveMenuBack();
    FMenuBar.reset();
    FMetrics.MenuHeight = 0;
  }
  FPainter.RemoveRegion();
  if (keepClient) KeepClientSize(client.right, client.bottom);
  if (FPhase == TFormPhase::Releasing) FMdi.ReleaseChildren();
  FMdi.Unsubclass();
}

// The platform's frame is measured anew, then the window is sized around a
// client area of Width x Height.
void TWinSkinForm::KeepClientSize(int Width, int Height) {
  FrameChanged();
  RECT client, window;
  GetClientRect(FHandle, &client);
  GetWindowRect(FHandle, &window);
  const int dw = Width - client.right, dh = Height - client.bottom;
  if (dw == 0 && dh == 0) return;
  SetWindowPos(FHandle, nullptr, 0, 0, window.right - window.left + dw,
               window.bottom - window.top + dh, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

// The phase says the window is going.
void TWinSkinForm::Release() {
  FPhase = TFormPhase::Releasing;
  Detach();
}

// Whatever reads the skin lets go of it: the bar, the title-bar buttons
// (they point into its entries) and the control skinners.
void TWinSkinForm::Notification(TComponent* AComponent, TOperation Operation) {
  TComponent::Notification(AComponent, Operation);
  if (Operation == TOperation::opRemove && AComponent == FSkinData) {
    FSkinData = nullptr;
    if (FMenuBar) FMenuBar->ForgetSkin();
    FButtons.Clear();
    ReleaseSkinners();
  }
}

// This skinner owns the control skinners; the skin component's settings choose.
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

// No repaint when the window goes away or the engine is shutting down.
void TWinSkinForm::ReleaseSkinners() {
  const bool repaint = FPhase != TFormPhase::Releasing &&
                       !(SkinManager && SkinManager->ActivateCount == TSkinManage::acDestroying);
  FSkinners.ReleaseAll(repaint);
}

// Colours of the form and its embedded forms, the control skinners, the
// popup menus, then the frame fitted and shaped anew.
void TWinSkinForm::SkinChanged() {
  if (FForm) {
    const TColor face = FSkinData ? FSkinData->ButtonFaceColour : FSavedColor;
    FForm->SetColor(face);
    for (int i = 0; i < FForm->ComponentCount(); ++i)
      if (auto* form = dynamic_cast<TCustomForm*>(FForm->Components(i))) form->SetColor(face);
  }
  FSkinners.SkinChanged();
  if (FForm) FPopupDrawing.Apply(FForm);
  FPainter.ForgetBorderPictures();
  FPhase = TFormPhase::SkinChanging;
  FitWindowToFrame(1);
  UpdateRegion();
  FPhase = TFormPhase::Active;
}

// The hot object when the cursor left it; for a window of the system, the
// hot control too.
void TWinSkinForm::HoverTimerFired() {
  if (MenuTracking()) return;
  POINT cursor;
  GetCursorPos(&cursor);
  if (TNCObject* hot = FHot.Object) {
    const TPoint p = ToWindowPoint(cursor.x, cursor.y);
    if (!PtInRect(&hot->Bounds(), p)) hot->MouseLeave();
  }
  // A form of ours hears of the mouse leaving a control from the control
  // itself; a window of the system is watched here.
  TSkinControl* hot = FSkinners.Hot();
  if (!FForm && hot && !PtInRect(&hot->WindowRect(), cursor)) hot->MouseLeave();
}

// ---------------------------------------------------------------------------
// Message routing

// Text changes repaint the frame; a changed menu rebuilds the bar.
void TWinSkinForm::FormWindowProc(TMessage& Message) {
  switch (Message.Msg) {
    case WM_SETTEXT:
      FFormHook.CallPrevious(Message);
      FrameChanged();
      return;
    case WM_SKINCHANGED: SkinChanged(); return;
    case CM_DIALOGCHAR: CMDialogChar(Message); return;
    case CM_MENUCHANGED:
      // The form puts its changed menu back on the window (or takes it
      // off); the bar follows it.
      FFormHook.CallPrevious(Message);
      FollowMenu(FForm->Menu());
      return;
    default: FFormHook.CallPrevious(Message);
  }
}

// The messages of every phase first; the frame's own once it is active.
void TWinSkinForm::WndProc(TMessage& Message) {
  switch (Message.Msg) {
    case WM_DESTROY: {
      // The window goes: its procedure is put back now; the skinner itself
      // is the manager's to free.
      FMdi.ReleaseChildren();
      FMdi.Unsubclass();
      if (!FSubclassed) break;
      FSubclassed = false;
      FSubclass.Detach();
      FPainter.ForgetRegion();  // the system frees a window's region with it
      // The menu taken off a window of the system goes back, to go with the
      // window as it would have; a form keeps its menu.
      if (FMenuBar && FMenuBar->MenuHandle() && !GetMenu(FHandle) && !FMenuBar->Menu())
        FMenuBar->GiveMenuBack();
      FSubclass.CallPrevious(Message);
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
    case WM_SIZE: MdiChildSized(Message.WParam); break;
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
  const bool frameActive = !IsMaximizedMDIChild() && FWindowState != TFrameWindowState::Minimized &&
                           FPhase != TFormPhase::Attached && FSkinData && !FSkinData->SkinEmpty;
  if (frameActive && FrameMessage(Message)) return;
  CallDefault(Message);
}

// A maximized MDI child keeps the platform's frame; others fit the skin's.
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

// Alt+letter of a form: the bar's button with that accelerator, else the form.
void TWinSkinForm::CMDialogChar(TMessage& Message) {
  TMenuBtn* button = FMenuBar ? FMenuBar->AccelButton(int(Message.WParam)) : nullptr;
  if (!button) {
    FFormHook.CallPrevious(Message);
    return;
  }
  FMenuBar->PostClick(*button);
  Message.Result = 1;
}
