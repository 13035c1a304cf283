// Forms and the application: definitions from resources, showing, closing,
// modal loops, dialog keys and the main message loop.
#include "ui/Forms.h"

#include <algorithm>
#include <atomic>
#include <climits>
#include <cassert>

#include <windowsx.h>

#include "ui/Filer.h"
#include "ui/Menus.h"
#include "ui/Published.h"
#include "ui/Threads.h"

namespace {

// Posted to the application window: run the queued main-thread calls.
constexpr UINT kWakeMessage = WM_APP + 0x3F0;
// Posted to the application window: free the form in lParam.
constexpr UINT kReleaseMessage = WM_APP + 0x3F1;
// The first command identifier of the MDI children in the Window menu.
constexpr UINT kFirstMDIChild = 0xFF00;
// The MDI client's child-window identifier in its frame.
constexpr UINT kMDIClientId = 0xCAC;

// Draws or measures a menu item for the window that got the message (forms,
// the application window); true when the item is one of ours (by its
// command and the item data its entry carries).
bool MenuItemMessage(UINT msg, LPARAM lParam) {
  if (msg == WM_MEASUREITEM) {
    auto* mis = reinterpret_cast<MEASUREITEMSTRUCT*>(lParam);
    if (!mis || mis->CtlType != ODT_MENU) return false;
    TMenuItem* item = FindMenuItem(mis->itemID, mis->itemData);
    TMenu* menu = item ? item->GetParentMenu() : nullptr;
    return menu && menu->MeasureItem(*mis);
  }
  if (msg == WM_DRAWITEM) {
    auto* dis = reinterpret_cast<DRAWITEMSTRUCT*>(lParam);
    if (!dis || dis->CtlType != ODT_MENU) return false;
    TMenuItem* item = FindMenuItem(dis->itemID, dis->itemData);
    TMenu* menu = item ? item->GetParentMenu() : nullptr;
    return menu && menu->DrawItem(*dis);
  }
  return false;
}

// The form of the top-level window that holds wnd, or null.
TCustomForm* RootForm(HWND wnd) {
  if (!wnd) return nullptr;
  return dynamic_cast<TCustomForm*>(TWinControl::FindControl(GetAncestor(wnd, GA_ROOT)));
}

// The application window, for other threads.
std::atomic<HWND> gApplicationWindow{nullptr};

// The application object, made on first use. It is never destroyed by the
// runtime: static destruction would free forms and threads after the
// statics they use are gone. Programs free the forms themselves when Run
// returns (Application->DestroyComponents()).
TApplication& TheApplication() {
  static TApplication* app = new TApplication(nullptr);
  return *app;
}

// The definition of class className in the program's resources (type
// RCDATA, named by the upper-case class name); EResNotFound when missing.
TReadOnlyMemoryStream DefinitionResource(const std::string& className) {
  const std::string name = AnsiUpperCase(className);
  const HMODULE module = GetModuleHandleA(nullptr);
  HRSRC res = FindResourceA(module, name.c_str(), MAKEINTRESOURCEA(10));  // RT_RCDATA
  if (!res) throw EResNotFound(Format("Resource %s not found", name.c_str()));
  HGLOBAL data = LoadResource(module, res);
  const void* bytes = data ? LockResource(data) : nullptr;
  if (!bytes) throw EResNotFound(Format("Resource %s not found", name.c_str()));
  return TReadOnlyMemoryStream(bytes, SizeofResource(module, res));
}

}  // namespace

TApplication* Application = &TheApplication();

// Posts the wake-up message to the application window.
void WakeMainThread() {
  if (HWND wnd = gApplicationWindow.load()) PostMessageA(wnd, kWakeMessage, 0, 0);
}

// ---------------------------------------------------------------------------
// TApplication

QUORVEL_DEFINE_CLASS(TApplication) {}

// An application without a window yet.
TApplication::TApplication(TComponent* owner) : TComponent(owner) {}

// Frees the forms, then the window.
TApplication::~TApplication() {
  for (int i = 0; i < ComponentCount(); ++i)
    if (auto* form = dynamic_cast<TCustomForm*>(Components(i))) form->BeforeDestruction();
  DestroyComponents();
  if (WakeMainThreadHook == WakeMainThread) WakeMainThreadHook = nullptr;
  MessageExceptionHook = nullptr;
  gApplicationWindow = nullptr;
  if (FHandle) DestroyWindow(FHandle);
}

// Creates the application window.
void TApplication::Initialize() { Handle(); }

// The hidden application window; created on first use.
HWND TApplication::Handle() {
  if (FHandle) return FHandle;
  const HINSTANCE instance = GetModuleHandleA(nullptr);
  WNDCLASSA wc{};
  if (!GetClassInfoA(instance, "TApplication", &wc)) {
    wc = WNDCLASSA{};
    wc.lpfnWndProc = WndProc;
    wc.hInstance = instance;
    wc.hIcon = LoadIconA(nullptr, IDI_APPLICATION);
    wc.hCursor = LoadCursorA(nullptr, IDC_ARROW);
    wc.lpszClassName = "TApplication";
    RegisterClassA(&wc);
  }
  FHandle = CreateWindowExA(0, "TApplication", FTitle.c_str(),
                            WS_POPUP | WS_CAPTION | WS_CLIPSIBLINGS | WS_SYSMENU | WS_MINIMIZEBOX,
                            GetSystemMetrics(SM_CXSCREEN) / 2, GetSystemMetrics(SM_CYSCREEN) / 2, 0,
                            0, nullptr, nullptr, instance, nullptr);
  if (!FHandle) throw EOutOfResources("Cannot create the application window");
  gApplicationWindow = FHandle;
  WakeMainThreadHook = WakeMainThread;
  MessageExceptionHook = [](std::exception_ptr error) {
    try {
      std::rethrow_exception(error);
    } catch (const std::exception& e) {
      Application->ShowException(e);
    } catch (...) {
      Application->ShowException(std::runtime_error("Unknown error"));
    }
  };
  return FHandle;
}

// The title is the application window's text.
void TApplication::SetTitle(const std::string& value) {
  FTitle = value;
  if (FHandle) SetWindowTextA(FHandle, FTitle.c_str());
}

// The application window runs queued main-thread calls and frees released forms.
LRESULT CALLBACK TApplication::WndProc(HWND wnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  switch (msg) {
    case kWakeMessage: CheckSynchronize(); return 0;
    case kReleaseMessage: {
      // Only a form still waiting: another one may live at a freed form's address.
      auto* form = reinterpret_cast<TCustomForm*>(lParam);
      auto& released = Application->FReleased;
      if (std::find(released.begin(), released.end(), form) != released.end()) {
        form->BeforeDestruction();
        delete form;
      }
      return 0;
    }
    case WM_CLOSE:
      if (Application->FMainForm) Application->FMainForm->Close();
      return 0;
    case WM_MEASUREITEM:
    case WM_DRAWITEM:
      // Popup menus tracked with this window.
      if (MenuItemMessage(msg, lParam)) return TRUE;
      return DefWindowProcA(wnd, msg, wParam, lParam);
    default: return DefWindowProcA(wnd, msg, wParam, lParam);
  }
}

// Shows the main form and handles messages until WM_QUIT.
void TApplication::Run() {
  Handle();
  FTerminated = false;
  if (FMainForm) FMainForm->Show();
  while (!FTerminated) HandleMessage();
}

// Handles every waiting message, then the queued main-thread calls.
void TApplication::ProcessMessages() {
  MSG msg;
  while (ProcessMessage(msg)) {}
  CheckSynchronize();
  FreeDeviceContexts();
}

// Handles one message, or waits for the next message or queued call.
void TApplication::HandleMessage() {
  MSG msg;
  if (!ProcessMessage(msg)) Idle();
}

// Nothing to do: runs queued calls, else sleeps until something arrives.
void TApplication::Idle() {
  FreeDeviceContexts();
  if (CheckSynchronize() || FTerminated) return;
  HANDLE event = SyncEvent();
  MsgWaitForMultipleObjects(event ? 1 : 0, event ? &event : nullptr, FALSE, INFINITE, QS_ALLINPUT);
}

// Takes one message and dispatches it; WM_QUIT ends the application.
bool TApplication::ProcessMessage(MSG& msg) {
  if (!PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) return false;
  if (msg.message == WM_QUIT) {
    FTerminated = true;
    return true;
  }
  if (!IsMenuShortCut(msg) && !IsMDIMessage(msg) && !IsDialogKey(msg)) {
    TranslateMessage(&msg);
    DispatchMessageA(&msg);
  }
  return true;
}

// Enter, Escape and Tab on a control of one of our forms go to the form;
// Alt+letter goes to the form's WindowProc as CM_DIALOGCHAR.
bool TApplication::IsDialogKey(const MSG& msg) {
  const bool key = msg.message == WM_KEYDOWN &&
                   (msg.wParam == VK_TAB || msg.wParam == VK_RETURN || msg.wParam == VK_ESCAPE);
  if (!key && msg.message != WM_SYSCHAR) return false;
  for (HWND h = msg.hwnd; h; h = GetParent(h)) {
    auto* form = dynamic_cast<TCustomForm*>(TWinControl::FindControl(h));
    if (!form) continue;
    if (key) return form->DialogKey(msg.wParam, msg.hwnd);
    if (form->Perform(CM_DIALOGCHAR, msg.wParam, msg.lParam) != 0) return true;
    // An MDI child's unanswered Alt+letter goes on to its frame (the menu bar's).
    if (form->FormStyle() != fsMDIChild) return false;
  }
  return false;
}

// The form of the active window.
TCustomForm* TApplication::ActiveForm() const { return RootForm(GetActiveWindow()); }

// A key down that is the shortcut of an enabled item of the form's menu bar
// (or its context menu) runs the item instead of reaching the window.
bool TApplication::IsMenuShortCut(const MSG& msg) {
  if (msg.message != WM_KEYDOWN && msg.message != WM_SYSKEYDOWN) return false;
  const WORD key = static_cast<WORD>(msg.wParam);
  if (key == VK_SHIFT || key == VK_CONTROL || key == VK_MENU || key == VK_LWIN || key == VK_RWIN)
    return false;
  TCustomForm* form = RootForm(msg.hwnd);
  if (!form) return false;
  TShortCut shift = 0;
  if (GetKeyState(VK_SHIFT) < 0) shift |= scShift;
  if (GetKeyState(VK_CONTROL) < 0) shift |= scCtrl;
  if (GetKeyState(VK_MENU) < 0 || (msg.message == WM_SYSKEYDOWN && (msg.lParam & (1 << 29))))
    shift |= scAlt;
  if (TMainMenu* menu = form->Menu(); menu && menu->IsShortCut(key, shift)) return true;
  if (TPopupMenu* popup = form->PopupMenu(); popup && popup->IsShortCut(key, shift)) return true;
  return false;
}

// Ctrl+F4, Ctrl+F6 and the other system keys of the MDI children.
bool TApplication::IsMDIMessage(MSG& msg) {
  if (msg.message != WM_KEYDOWN && msg.message != WM_SYSKEYDOWN) return false;
  TCustomForm* form = RootForm(msg.hwnd);
  if (!form || form->FormStyle() != fsMDIForm || !form->ClientHandle()) return false;
  return TranslateMDISysAccel(form->ClientHandle(), &msg) != FALSE;
}

// Ends the message loop: Terminated turns true when WM_QUIT comes through it.
void TApplication::Terminate() { PostQuitMessage(0); }

// The exception's message with a stop icon.
void TApplication::ShowException(const std::exception& error) {
  std::string text = error.what();
  if (!text.empty() && text.back() != '.') text += '.';
  MessageBox(text, "", MB_OK | MB_ICONSTOP);
}

// A system message box, titled with Title unless a caption is given.
int TApplication::MessageBox(const std::string& text, const std::string& caption, UINT flags) {
  HWND owner = GetActiveWindow();
  if (!owner) owner = Handle();
  return ::MessageBoxA(owner, text.c_str(), caption.empty() ? FTitle.c_str() : caption.c_str(),
                       flags);
}

// Adds a new form to the list.
void TApplication::AddForm(TCustomForm* form) { FForms.push_back(form); }

// Drops a form that goes away.
void TApplication::RemoveForm(TCustomForm* form) {
  FForms.erase(std::remove(FForms.begin(), FForms.end(), form), FForms.end());
  FReleased.erase(std::remove(FReleased.begin(), FReleased.end(), form), FReleased.end());
  if (FMainForm == form) FMainForm = nullptr;
}

// Frees form once the messages now running are done.
void TApplication::ReleaseForm(TCustomForm* form) {
  if (std::find(FReleased.begin(), FReleased.end(), form) != FReleased.end()) return;
  FReleased.push_back(form);
  PostMessageA(Handle(), kReleaseMessage, 0, reinterpret_cast<LPARAM>(form));
}

// ---------------------------------------------------------------------------
// TCustomForm

QUORVEL_DEFINE_CLASS(TCustomForm) {
  p.Enum("BorderStyle", &TCustomForm::BorderStyle, &TCustomForm::SetBorderStyle,
         {"bsNone", "bsSingle", "bsSizeable", "bsDialog", "bsToolWindow", "bsSizeToolWin"},
         bsSizeable);
  p.Set("BorderIcons", &TCustomForm::BorderIcons, &TCustomForm::SetBorderIcons,
        {"biSystemMenu", "biMinimize", "biMaximize", "biHelp"},
        biSystemMenu | biMinimize | biMaximize);
  p.Enum("Position", &TCustomForm::Position, &TCustomForm::SetPosition,
         {"poDesigned", "poDefault", "poDefaultPosOnly", "poDefaultSizeOnly", "poScreenCenter",
          "poDesktopCenter", "poMainFormCenter", "poOwnerFormCenter"});
  p.Enum("WindowState", &TCustomForm::WindowState, &TCustomForm::SetWindowState,
         {"wsNormal", "wsMinimized", "wsMaximized"});
  p.Object("Icon", &TCustomForm::IconObject);
  p.Integer("PixelsPerInch", &TCustomForm::PixelsPerInch, &TCustomForm::SetPixelsPerInch, 96);
  p.Integer("TextHeight", &TCustomForm::TextHeight, &TCustomForm::SetTextHeight, 13);
  p.Bool("KeyPreview", &TCustomForm::KeyPreview, &TCustomForm::SetKeyPreview);
  p.Enum("FormStyle", &TCustomForm::FormStyle, &TCustomForm::SetFormStyle,
         {"fsNormal", "fsMDIChild", "fsMDIForm", "fsStayOnTop"}, fsNormal);
  p.Reference<TMainMenu>("Menu", &TCustomForm::Menu, &TCustomForm::SetMenu);
  p.Reference<TPopupMenu>("PopupMenu", &TCustomForm::PopupMenu, &TCustomForm::SetPopupMenu);
  p.Reference<TMenuItem>("WindowMenu", &TCustomForm::WindowMenu, &TCustomForm::SetWindowMenu);
  p.Bool("AutoScroll", &TCustomForm::AutoScroll, &TCustomForm::SetAutoScroll);
  p.Integer("ClientWidth", &TCustomForm::GetClientWidth, &TCustomForm::SetClientWidth).NotStored();
  p.Integer("ClientHeight", &TCustomForm::GetClientHeight, &TCustomForm::SetClientHeight)
      .NotStored();
  // Accepted for compatibility with stored forms; they change nothing here.
  p.Bool(
      "OldCreateOrder", [](TCustomForm&) { return false; }, [](TCustomForm&, bool) {});
  p.Bool(
      "Scaled", [](TCustomForm&) { return true; }, [](TCustomForm&, bool) {}, true);
  p.Event("OnCreate", &TCustomForm::OnCreate);
  p.Event("OnDestroy", &TCustomForm::OnDestroy);
  p.Event("OnShow", &TCustomForm::OnShow);
  p.Event("OnHide", &TCustomForm::OnHide);
  p.Event("OnActivate", &TCustomForm::OnActivate);
  p.Event("OnDeactivate", &TCustomForm::OnDeactivate);
  p.Event("OnPaint", &TCustomForm::OnPaint);
  p.Event("OnClose", &TCustomForm::OnClose);
  p.Event("OnCloseQuery", &TCustomForm::OnCloseQuery);
}

// An empty, hidden form in the button-face colour.
TCustomForm::TCustomForm(TComponent* owner) : TCustomControl(owner) {
  TControl::SetVisible(false);
  SetColor(clBtnFace);
  SetParentFont(false);
  FControlStyle |= csAcceptsControls | csClickEvents;
  FWidth = 320;
  FHeight = 240;
  FIcon.OnChange = [this](TObject*) { SetIcons(); };
  Application->AddForm(this);
}

// Runs OnDestroy, leaves the application's list and destroys the window.
TCustomForm::~TCustomForm() {
  Destroying();
  BeforeDestruction();
  Application->RemoveForm(this);
  DestroyHandle();
}

// Reads the definition stored in the program's resources.
void TCustomForm::LoadDefinition() {
  TReadOnlyMemoryStream stream = DefinitionResource(ClassName());
  LoadDefinition(stream);
}

// Reads a definition, lays the controls out and runs OnCreate; a form
// stored visible is shown afterwards.
void TCustomForm::LoadDefinition(TStream& stream) {
  DisableAlign();
  try {
    ReadComponentFromStream(stream, this);
  } catch (...) {
    EnableAlign();
    throw;
  }
  EnableAlign();
  OnCreate(this);
  if (Visible()) {
    TControl::SetVisible(false);
    Show();
  }
}

// Applies client sizes read from the definition, then aligns.
void TCustomForm::Loaded() {
  TCustomControl::Loaded();
  if (FPendingClientWidth >= 0) SetClientWidth(FPendingClientWidth);
  if (FPendingClientHeight >= 0) SetClientHeight(FPendingClientHeight);
  FPendingClientWidth = FPendingClientHeight = -1;
  Realign();
}

// The window styles of the border settings.
void TCustomForm::FrameStyles(DWORD& style, DWORD& exStyle) const {
  exStyle = 0;
  switch (FBorderStyle) {
    case bsNone: style = WS_POPUP; break;
    case bsSingle: style = WS_CAPTION; break;
    case bsSizeable: style = WS_CAPTION | WS_THICKFRAME; break;
    case bsDialog:
      style = WS_POPUP | WS_CAPTION | DS_MODALFRAME;
      exStyle = WS_EX_DLGMODALFRAME;
      break;
    case bsToolWindow:
      style = WS_CAPTION;
      exStyle = WS_EX_TOOLWINDOW;
      break;
    case bsSizeToolWin:
      style = WS_CAPTION | WS_THICKFRAME;
      exStyle = WS_EX_TOOLWINDOW;
      break;
  }
  if (FBorderStyle == bsNone) return;
  if (FBorderIcons & biSystemMenu) {
    style |= WS_SYSMENU;
    if (FBorderStyle != bsDialog && FBorderStyle != bsToolWindow && FBorderStyle != bsSizeToolWin) {
      if (FBorderIcons & biMinimize) style |= WS_MINIMIZEBOX;
      if (FBorderIcons & biMaximize) style |= WS_MAXIMIZEBOX;
    }
  }
  if ((FBorderIcons & biHelp) && FBorderStyle == bsDialog) exStyle |= WS_EX_CONTEXTHELP;
}

// The outer size minus the client size for the border settings.
SIZE TCustomForm::FrameSize() const {
  DWORD style = 0, exStyle = 0;
  FrameStyles(style, exStyle);
  RECT r{0, 0, 100, 100};
  AdjustWindowRectEx(&r, style, FMenu && FFormStyle != fsMDIChild, exStyle);
  return SIZE{r.right - r.left - 100, r.bottom - r.top - 100};
}

// A top-level window owned by the application window.
void TCustomForm::CreateParams(TCreateParams& params) {
  TCustomControl::CreateParams(params);
  FrameStyles(params.Style, params.ExStyle);
  params.Style |= WS_CLIPCHILDREN;
  if (!Enabled()) params.Style |= WS_DISABLED;
  params.WndParent = Application->Handle();
  params.WindowClass.style = CS_DBLCLKS;
  params.WindowClass.hIcon = LoadIconA(nullptr, IDI_APPLICATION);
  if (FFormStyle == fsStayOnTop) params.ExStyle |= WS_EX_TOPMOST;
  if (FFormStyle == fsMDIChild) {
    TCustomForm* frame = MDIParentForm();
    frame->HandleNeeded();
    if (!frame->ClientHandle())
      throw EInvalidOperation("Cannot create form. No MDI forms are currently active");
    params.WndParent = frame->ClientHandle();
    params.Style |= WS_CHILD | WS_CLIPSIBLINGS | WS_VISIBLE;
    params.ExStyle |= WS_EX_MDICHILD;
    // A maximized child is maximized once it is the active one (SetVisible):
    // the client then gives the frame its title and hides its scroll bars.
    if (FWindowState == wsMinimized) params.Style |= WS_MINIMIZE;
    if (FPosition == poDefault || FPosition == poDefaultPosOnly)
      params.X = params.Y = CW_USEDEFAULT;
    if (FPosition == poDefault || FPosition == poDefaultSizeOnly)
      params.Width = params.Height = CW_USEDEFAULT;
  }
}

// An MDI child is made by its MDI client (WM_MDICREATE); other forms as any window.
HWND TCustomForm::CreateWindowHandle(const TCreateParams& params) {
  if (FFormStyle != fsMDIChild) return TCustomControl::CreateWindowHandle(params);
  MDICREATESTRUCTA cs{};
  cs.szClass = params.WinClassName.c_str();
  cs.szTitle = params.Caption.c_str();
  cs.hOwner = GetModuleHandleA(nullptr);
  cs.x = params.X;
  cs.y = params.Y;
  cs.cx = params.Width;
  cs.cy = params.Height;
  cs.style = params.Style;
  cs.lParam = reinterpret_cast<LPARAM>(params.Param);
  return reinterpret_cast<HWND>(
      SendMessageA(params.WndParent, WM_MDICREATE, 0, reinterpret_cast<LPARAM>(&cs)));
}

// The window exists: it gets the icon, an MDI form its client, and the menu bar.
// A new MDI child has the frame's menu refreshed (the Window list gains it).
void TCustomForm::InitWnd() {
  SetIcons();
  if (FFormStyle == fsMDIForm) CreateMDIClient();
  if (FMenu) PutMenu();
  if (FFormStyle == fsMDIChild) SendMessageA(GetParent(FHandle), WM_MDIREFRESHMENU, 0, 0);
}

// The menu bar comes off first: the system destroys the menu a window still
// has, and the main menu's handle outlives the window (RecreateWnd). An MDI
// child leaves through its MDI client; an MDI form's client goes with it.
void TCustomForm::DestroyWnd() {
  if (FMenu) {
    FMenu->SetWindowHandle(nullptr);
    if (FHandle && GetMenu(FHandle) && GetMenu(FHandle) == FMenu->Handle())
      ::SetMenu(FHandle, nullptr);
  }
  if (FFormStyle == fsMDIChild && FHandle) {
    HWND client = GetParent(FHandle);
    if (client) SendMessageA(client, WM_MDIDESTROY, reinterpret_cast<WPARAM>(FHandle), 0);
  }
  FClientHandle = nullptr;
}

// The "MDIClient" window, listing its children in the Window menu.
void TCustomForm::CreateMDIClient() {
  if (FClientHandle) return;
  CLIENTCREATESTRUCT ccs{};
  ccs.hWindowMenu = FWindowMenu ? FWindowMenu->Handle() : nullptr;
  ccs.idFirstChild = kFirstMDIChild;
  RECT r;
  GetClientRect(FHandle, &r);
  FClientHandle = CreateWindowExA(
      WS_EX_CLIENTEDGE, "MDIClient", nullptr,
      WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN | WS_CLIPSIBLINGS | WS_HSCROLL | WS_VSCROLL, 0, 0,
      r.right, r.bottom, FHandle, reinterpret_cast<HMENU>(static_cast<UINT_PTR>(kMDIClientId)),
      GetModuleHandleA(nullptr), &ccs);
  if (!FClientHandle) throw EOutOfResources("Cannot create the MDI client window");
}

// The aligned controls first; the MDI client fills what they leave.
void TCustomForm::AlignControls(TRect rect) {
  TCustomControl::AlignControls(rect);
  if (!FClientHandle) return;
  std::vector<TAlignItem> items;
  for (int i = 0; i < ControlCount(); ++i) {
    TControl* c = Controls(i);
    items.push_back(
        TAlignItem{c->Align(), c->Visible(), c->Left(), c->Top(), c->Width(), c->Height()});
  }
  items.push_back(TAlignItem{alClient, true, 0, 0, 0, 0});
  AlignItems(TAlignArea{rect.left, rect.top, rect.right, rect.bottom}, items);
  const TAlignItem& area = items.back();
  SetWindowPos(FClientHandle, nullptr, area.Left, area.Top, area.Width, area.Height,
               SWP_NOZORDER | SWP_NOACTIVATE);
}

// An MDI frame's unhandled messages go to DefFrameProc, an MDI child's to
// DefMDIChildProc; the layer's own messages stop as for any control.
void TCustomForm::DefaultHandler(TMessage& msg) {
  const bool own = msg.Msg >= CM_BASE && msg.Msg < CM_BASE + 0x1000;
  if (FHandle && !own) {
    if (FFormStyle == fsMDIForm) {
      msg.Result = DefFrameProcA(FHandle, FClientHandle, msg.Msg, msg.WParam, msg.LParam);
      return;
    }
    if (FFormStyle == fsMDIChild) {
      msg.Result = DefMDIChildProcA(FHandle, msg.Msg, msg.WParam, msg.LParam);
      return;
    }
  }
  TCustomControl::DefaultHandler(msg);
}

// The MDI form whose client holds this child: the owner, the main form or
// any other MDI form of the application.
TCustomForm* TCustomForm::MDIParentForm() const {
  if (auto* owner = dynamic_cast<TCustomForm*>(Owner()); owner && owner->FFormStyle == fsMDIForm)
    return owner;
  if (TCustomForm* main = Application->MainForm(); main && main->FFormStyle == fsMDIForm)
    return main;
  for (int i = 0; i < Application->FormCount(); ++i)
    if (TCustomForm* f = Application->Forms(i);
        f != this && f->FFormStyle == fsMDIForm && !f->IsDestroying())
      return f;
  throw EInvalidOperation("Cannot create form. No MDI forms are currently active");
}

// A new style: the window is made again.
void TCustomForm::SetFormStyle(TFormStyle value) {
  if (value == FFormStyle) return;
  const bool hadWindow = FHandle != nullptr;
  if (hadWindow) DestroyHandle();
  FFormStyle = value;
  if (hadWindow && !IsLoading()) {
    Handle();
    if (Visible()) ShowWindow(FHandle, SW_SHOWNA);
  }
}

// The item whose submenu lists the MDI children.
void TCustomForm::SetWindowMenu(TMenuItem* value) {
  if (value == FWindowMenu) return;
  if (FWindowMenu) FWindowMenu->RemoveFreeNotification(this);
  FWindowMenu = value;
  if (FWindowMenu) FWindowMenu->FreeNotification(this);
  if (FClientHandle && FMenu && !IsLoading()) PutMenu();
}

// A new menu bar: the window hears of it as of any menu change.
void TCustomForm::SetMenu(TMainMenu* value) {
  if (value == FMenu) return;
  if (FMenu) {
    FMenu->RemoveFreeNotification(this);
    if (FMenu->WindowHandle() == FHandle) FMenu->SetWindowHandle(nullptr);
  }
  FMenu = value;
  if (FMenu) FMenu->FreeNotification(this);
  if (FHandle && !IsLoading()) Perform(CM_MENUCHANGED, 0, 0);
}

// The context menu.
void TCustomForm::SetPopupMenu(TPopupMenu* value) {
  if (value == FPopupMenu) return;
  if (FPopupMenu) FPopupMenu->RemoveFreeNotification(this);
  FPopupMenu = value;
  if (FPopupMenu) FPopupMenu->FreeNotification(this);
}

// Puts the menu bar on the window (an MDI frame through its client, which
// adds the children to the Window menu); the controls take the new client size.
void TCustomForm::PutMenu() {
  if (!FHandle || FFormStyle == fsMDIChild) return;
  const HMENU menu = FMenu ? FMenu->Handle() : nullptr;
  if (FMenu) FMenu->SetWindowHandle(FHandle);
  if (GetMenu(FHandle) != menu) ::SetMenu(FHandle, menu);
  if (FFormStyle == fsMDIForm && FClientHandle && menu) {
    const HMENU windowMenu = FWindowMenu ? FWindowMenu->Handle() : nullptr;
    SendMessageA(FClientHandle, WM_MDISETMENU, reinterpret_cast<WPARAM>(menu),
                 reinterpret_cast<LPARAM>(windowMenu));
    SendMessageA(FClientHandle, WM_MDIREFRESHMENU, 0, 0);
  }
  DrawMenuBar(FHandle);
  Realign();
}

// The active MDI child of an MDI form.
TCustomForm* TCustomForm::ActiveMDIChild() const {
  if (!FClientHandle) return nullptr;
  HWND active = reinterpret_cast<HWND>(SendMessageA(FClientHandle, WM_MDIGETACTIVE, 0, 0));
  return dynamic_cast<TCustomForm*>(FindControl(active));
}

// The MDI children of an MDI form, front first.
int TCustomForm::MDIChildCount() const {
  int n = 0;
  if (FClientHandle)
    for (HWND h = GetWindow(FClientHandle, GW_CHILD); h; h = GetWindow(h, GW_HWNDNEXT))
      if (auto* f = dynamic_cast<TCustomForm*>(FindControl(h)); f && f->FFormStyle == fsMDIChild)
        ++n;
  return n;
}

TCustomForm* TCustomForm::MDIChildren(int index) const {
  if (FClientHandle)
    for (HWND h = GetWindow(FClientHandle, GW_CHILD); h; h = GetWindow(h, GW_HWNDNEXT))
      if (auto* f = dynamic_cast<TCustomForm*>(FindControl(h));
          f && f->FFormStyle == fsMDIChild && index-- == 0)
        return f;
  throw EListError(Format("List index out of bounds (%d)", index));
}

// Window arrangements of the MDI client.
void TCustomForm::Cascade() {
  if (FClientHandle) SendMessageA(FClientHandle, WM_MDICASCADE, 0, 0);
}
void TCustomForm::Tile() {
  if (FClientHandle) SendMessageA(FClientHandle, WM_MDITILE, MDITILE_HORIZONTAL, 0);
}
void TCustomForm::ArrangeIcons() {
  if (FClientHandle) SendMessageA(FClientHandle, WM_MDIICONARRANGE, 0, 0);
}
void TCustomForm::Next() {
  if (FClientHandle) SendMessageA(FClientHandle, WM_MDINEXT, 0, 0);
}
void TCustomForm::Previous() {
  if (FClientHandle) SendMessageA(FClientHandle, WM_MDINEXT, 0, 1);
}

// Puts the icon on the window (large and small).
void TCustomForm::SetIcons() {
  if (!FHandle || FIcon.Empty()) return;
  SendMessageA(FHandle, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(FIcon.Handle()));
  SendMessageA(FHandle, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(FIcon.SmallHandle()));
}

// The client area: the window's, or the size less the frame before there is one.
TRect TCustomForm::ClientRect() {
  if (FHandle) return TCustomControl::ClientRect();
  const SIZE frame = FrameSize();
  return Rect(0, 0, std::max(0, FWidth - static_cast<int>(frame.cx)),
              std::max(0, FHeight - static_cast<int>(frame.cy)));
}

// Sets the outer width so that the client area is value wide.
void TCustomForm::SetClientWidth(int value) {
  if (IsLoading()) {
    FPendingClientWidth = value;
    return;
  }
  SetWidth(value + (Width() - ClientWidth()));
}

// Sets the outer height so that the client area is value high.
void TCustomForm::SetClientHeight(int value) {
  if (IsLoading()) {
    FPendingClientHeight = value;
    return;
  }
  SetHeight(value + (Height() - ClientHeight()));
}

// New border: a window that exists is made again.
void TCustomForm::SetBorderStyle(TFormBorderStyle value) {
  if (value == FBorderStyle) return;
  FBorderStyle = value;
  RecreateWnd();
}

// New title-bar buttons: a window that exists is made again.
void TCustomForm::SetBorderIcons(TBorderIcons value) {
  if (value == FBorderIcons) return;
  FBorderIcons = value;
  RecreateWnd();
}

// Minimizes, maximizes or restores a shown window.
void TCustomForm::SetWindowState(TWindowState value) {
  FWindowState = value;
  if (!FHandle || !IsWindowVisible(FHandle)) return;
  ShowWindow(FHandle, value == wsMaximized   ? SW_MAXIMIZE
                      : value == wsMinimized ? SW_MINIMIZE
                                             : SW_RESTORE);
}

// The control that gets the focus when the form is activated.
void TCustomForm::SetActiveControl(TWinControl* control) {
  FActiveControl = control;
  if (control && FHandle && GetActiveWindow() == FHandle && control->CanFocus())
    control->SetFocus();
}

// Shows (placing the window on its first show) or hides the form; a form
// that is already visible comes to the front.
void TCustomForm::SetVisible(bool value) {
  if (IsLoading()) {
    TControl::SetVisible(value);
    return;
  }
  if (value && FFormStyle == fsMDIChild) {
    // Made visible, in its window state, by its MDI client.
    const bool made = FHandle != nullptr;
    TControl::SetVisible(true);
    if (!made) OnShow(this);
    HWND wnd = Handle();
    if (made && !IsWindowVisible(wnd)) {
      OnShow(this);
      ShowWindow(wnd, FWindowState == wsMaximized   ? SW_SHOWMAXIMIZED
                      : FWindowState == wsMinimized ? SW_SHOWMINIMIZED
                                                    : SW_SHOWNORMAL);
    }
    SendMessageA(GetParent(wnd), WM_MDIACTIVATE, reinterpret_cast<WPARAM>(wnd), 0);
    if (FWindowState == wsMaximized && !IsZoomed(wnd))
      SendMessageA(GetParent(wnd), WM_MDIMAXIMIZE, reinterpret_cast<WPARAM>(wnd), 0);
    return;
  }
  if (value) {
    HWND wnd = Handle();
    if (Visible() && IsWindowVisible(wnd)) {
      BringToFront();
      return;
    }
    TControl::SetVisible(true);
    if (!FPositioned) {
      FPositioned = true;
      ApplyPosition();
    }
    OnShow(this);
    const int cmd = FWindowState == wsMaximized   ? SW_SHOWMAXIMIZED
                    : FWindowState == wsMinimized ? SW_SHOWMINIMIZED
                                                  : SW_SHOWNORMAL;
    ShowWindow(wnd, cmd);
    SetForegroundWindow(wnd);
    UpdateWindow(wnd);
  } else {
    if (FHandle && IsWindowVisible(FHandle)) {
      OnHide(this);
      ShowWindow(FHandle, SW_HIDE);
    }
    TControl::SetVisible(false);
  }
}

// Places the window as Position asks.
void TCustomForm::ApplyPosition() {
  int x = Left(), y = Top();
  switch (FPosition) {
    case poScreenCenter:
    case poDesktopCenter:
      x = (GetSystemMetrics(SM_CXSCREEN) - Width()) / 2;
      y = (GetSystemMetrics(SM_CYSCREEN) - Height()) / 2;
      break;
    case poMainFormCenter:
    case poOwnerFormCenter:
      if (TCustomForm* main = Application->MainForm();
          main && main != this && main->HandleAllocated()) {
        x = main->Left() + (main->Width() - Width()) / 2;
        y = main->Top() + (main->Height() - Height()) / 2;
      } else {
        x = (GetSystemMetrics(SM_CXSCREEN) - Width()) / 2;
        y = (GetSystemMetrics(SM_CYSCREEN) - Height()) / 2;
      }
      break;
    default: return;
  }
  SetBounds(std::max(0, x), std::max(0, y), Width(), Height());
}

// Brings the window to the front.
void TCustomForm::BringToFront() {
  if (!FHandle) return;
  SetForegroundWindow(FHandle);
  BringWindowToTop(FHandle);
}

// OnCloseQuery may refuse the close.
bool TCustomForm::CloseQuery() {
  bool canClose = true;
  OnCloseQuery(this, canClose);
  return canClose;
}

// Runs OnClose.
void TCustomForm::DoClose(TCloseAction& action) { OnClose(this, action); }

// A modal form answers mrCancel; others ask OnCloseQuery and OnClose, then
// the main form ends the application and the others hide (or are freed).
void TCustomForm::Close() {
  if (FModal) {
    FModalResult = mrCancel;
    return;
  }
  if (!CloseQuery()) return;
  TCloseAction action = FFormStyle == fsMDIChild ? caMinimize : caHide;
  DoClose(action);
  if (action == caNone) return;
  if (Application->MainForm() == this) {
    Application->Terminate();
    return;
  }
  switch (action) {
    case caHide: Hide(); break;
    case caMinimize: ShowWindow(Handle(), SW_MINIMIZE); break;
    case caFree: Release(); break;
    default: break;
  }
}

// Runs OnDestroy once and destroys the window while the form is whole.
void TCustomForm::BeforeDestruction() {
  if (FDestroyAnnounced) return;
  FDestroyAnnounced = true;
  OnDestroy(this);
  DestroyHandle();
}

// Frees the form after the current message.
void TCustomForm::Release() { Application->ReleaseForm(this); }

namespace {
// Collects the enabled, visible top-level windows of the thread except one.
struct TaskWindows {
  HWND Except;
  std::vector<HWND> List;
};
// EnumThreadWindows callback filling TaskWindows.
BOOL CALLBACK CollectTaskWindow(HWND wnd, LPARAM param) {
  auto* t = reinterpret_cast<TaskWindows*>(param);
  if (wnd != t->Except && IsWindowVisible(wnd) && IsWindowEnabled(wnd)) t->List.push_back(wnd);
  return TRUE;
}
}  // namespace

// Shows the form with every other window of the thread disabled and runs
// messages (and queued main-thread calls) until ModalResult is set.
TModalResult TCustomForm::ShowModal() {
  if (FModal || (Visible() && FHandle && IsWindowVisible(FHandle)))
    throw EInvalidOperation("Cannot make a visible window modal");
  HWND active = GetActiveWindow();
  TaskWindows disabled{Handle(), {}};
  EnumThreadWindows(GetCurrentThreadId(), CollectTaskWindow, reinterpret_cast<LPARAM>(&disabled));
  for (HWND w : disabled.List) EnableWindow(w, FALSE);
  FModal = true;
  FModalResult = mrNone;
  auto restore = [&] {
    FModal = false;
    for (HWND w : disabled.List)
      if (IsWindow(w)) EnableWindow(w, TRUE);
    Hide();
    if (active && IsWindow(active)) SetActiveWindow(active);
  };
  try {
    Show();
    while (FModalResult == mrNone) {
      Application->HandleMessage();
      if (Application->Terminated() && FModalResult == mrNone) FModalResult = mrCancel;
    }
  } catch (...) {
    restore();
    throw;
  }
  const TModalResult result = FModalResult;
  restore();
  return result;
}

// Sends dialog keys to the focused control, then to every control.
bool TCustomForm::DialogKey(WPARAM key, HWND focus) {
  if (key == VK_TAB) {
    const std::vector<TWinControl*> list = TabList();
    if (list.empty()) return true;
    const bool back = GetKeyState(VK_SHIFT) < 0;
    const int n = static_cast<int>(list.size());
    int at = -1;
    for (int i = 0; i < n; ++i)
      if (list[static_cast<size_t>(i)]->HandleAllocated() &&
          list[static_cast<size_t>(i)]->Handle() == focus)
        at = i;
    const int next = at < 0 ? (back ? n - 1 : 0) : (at + (back ? n - 1 : 1)) % n;
    list[static_cast<size_t>(next)]->SetFocus();
    return true;
  }
  TMessage msg{CM_DIALOGKEY, key, reinterpret_cast<LPARAM>(focus), 0};
  if (TWinControl* focused = FindControl(focus); focused && focused != this) {
    focused->WindowProc(msg);
    if (msg.Result) return true;
  }
  SendToControls(msg);
  return msg.Result != 0;
}

// Sends msg to every control, depth first, until one sets a result.
void TCustomForm::SendToControls(TMessage& msg) {
  std::function<void(TWinControl*)> walk = [&](TWinControl* parent) {
    for (int i = 0; i < parent->ControlCount() && !msg.Result; ++i) {
      TControl* c = parent->Controls(i);
      c->WindowProc(msg);
      if (auto* win = dynamic_cast<TWinControl*>(c); win && !msg.Result) walk(win);
    }
  };
  walk(this);
}

// Closing, activation; everything else as a control that paints itself.
void TCustomForm::WndProc(TMessage& msg) {
  switch (msg.Msg) {
    case WM_CLOSE:
      Close();
      msg.Result = 0;
      return;
    case WM_ACTIVATE: WMActivate(msg); return;
    case CM_DIALOGCHAR:
      msg.Result = 0;
      SendToControls(msg);
      return;
    case CM_MENUCHANGED:
      PutMenu();
      msg.Result = 0;
      return;
    case WM_COMMAND:
      // A menu's command (an accelerator's or a control's go on as usual).
      if (msg.LParam == 0 && HIWORD(msg.WParam) == 0) {
        if (TMenuItem* item = FindMenuItemByCommand(LOWORD(msg.WParam))) {
          item->Click();
          msg.Result = 0;
          return;
        }
      }
      break;
    case WM_MEASUREITEM:
    case WM_DRAWITEM:
      if (MenuItemMessage(msg.Msg, msg.LParam)) {
        msg.Result = TRUE;
        return;
      }
      break;
    case WM_CONTEXTMENU: WMContextMenu(msg); return;
    case WM_SIZE:
      if (FClientHandle) {
        TCustomControl::WndProc(msg);
        Realign();
        return;
      }
      break;
    default: break;
  }
  TCustomControl::WndProc(msg);
}

// Activation gives the focus to the active control; deactivation remembers it.
void TCustomForm::WMActivate(TMessage& msg) {
  DefaultHandler(msg);
  // A form being taken apart calls none of its handlers.
  if (IsDestroying()) return;
  if (LOWORD(msg.WParam) != WA_INACTIVE) {
    if (!HIWORD(msg.WParam)) FocusFirstControl();
    OnActivate(this);
  } else {
    HWND focus = GetFocus();
    if (TWinControl* c = FindControl(focus); c && c != this && IsChild(FHandle, focus))
      FActiveControl = c;
    OnDeactivate(this);
  }
}

// Opens the context menu at the point, or (from the keyboard, lParam -1)
// at the caret or the client area's top left.
void TCustomForm::WMContextMenu(TMessage& msg) {
  if (!FPopupMenu || !FPopupMenu->AutoPopup()) {
    DefaultHandler(msg);
    return;
  }
  POINT pt{GET_X_LPARAM(msg.LParam), GET_Y_LPARAM(msg.LParam)};
  if (pt.x == -1 && pt.y == -1) {
    GUITHREADINFO gui{};
    gui.cbSize = sizeof gui;
    if (GetGUIThreadInfo(GetCurrentThreadId(), &gui) && gui.hwndCaret &&
        (gui.hwndCaret == FHandle || IsChild(FHandle, gui.hwndCaret))) {
      pt = POINT{gui.rcCaret.left, gui.rcCaret.bottom};
      ::ClientToScreen(gui.hwndCaret, &pt);
    } else {
      pt = POINT{0, 0};
      ::ClientToScreen(FHandle, &pt);
    }
  }
  FPopupMenu->SetPopupComponent(this);
  FPopupMenu->Popup(pt.x, pt.y);
  msg.Result = 0;
}

// Focuses the active control, or the first tab stop.
void TCustomForm::FocusFirstControl() {
  if (FActiveControl && FActiveControl->HandleAllocated() && FActiveControl->CanFocus()) {
    FActiveControl->SetFocus();
    return;
  }
  const std::vector<TWinControl*> list = TabList();
  if (!list.empty()) list.front()->SetFocus();
}

// The controls that Tab visits, in TabOrder (controls without one last, in
// the order they were added); containers are entered depth first.
std::vector<TWinControl*> TCustomForm::TabList() {
  std::vector<TWinControl*> list;
  std::function<void(TWinControl*)> walk = [&](TWinControl* parent) {
    std::vector<TWinControl*> children;
    for (int i = 0; i < parent->ControlCount(); ++i)
      if (auto* win = dynamic_cast<TWinControl*>(parent->Controls(i))) children.push_back(win);
    auto key = [](TWinControl* c) { return c->TabOrder() < 0 ? INT_MAX : c->TabOrder(); };
    std::stable_sort(children.begin(), children.end(),
                     [&](TWinControl* a, TWinControl* b) { return key(a) < key(b); });
    for (TWinControl* c : children) {
      if (!c->CanFocus()) continue;
      if (c->TabStop()) list.push_back(c);
      walk(c);
    }
  };
  walk(this);
  return list;
}

// Runs OnPaint.
void TCustomForm::Paint() { OnPaint(this); }

// Forgets the active control when it goes away.
void TCustomForm::Notification(TComponent* component, TOperation operation) {
  TCustomControl::Notification(component, operation);
  if (operation != TOperation::opRemove) return;
  if (component == FActiveControl) FActiveControl = nullptr;
  if (component == FMenu) {
    FMenu = nullptr;
    if (FHandle && !IsDestroying()) PutMenu();
  }
  if (component == FPopupMenu) FPopupMenu = nullptr;
  if (component == FWindowMenu) FWindowMenu = nullptr;
}

// ---------------------------------------------------------------------------

QUORVEL_DEFINE_CLASS(TForm) {}

TForm::TForm(TComponent* owner) : TCustomForm(owner) {}

// ---------------------------------------------------------------------------
// TCustomFrame

QUORVEL_DEFINE_CLASS(TCustomFrame) {}

// A 320 by 240 container in its parent's colour.
TCustomFrame::TCustomFrame(TComponent* owner) : TCustomControl(owner) {
  FWidth = 320;
  FHeight = 240;
  SetColor(clBtnFace);
  SetParentColor(true);
}

// Reads the definition stored in the program's resources.
void TCustomFrame::LoadDefinition() {
  TReadOnlyMemoryStream stream = DefinitionResource(ClassName());
  LoadDefinition(stream);
}

// Reads a definition (the frame owns what it defines), then lays it out.
void TCustomFrame::LoadDefinition(TStream& stream) {
  DisableAlign();
  try {
    ReadComponentFromStream(stream, this);
  } catch (...) {
    EnableAlign();
    throw;
  }
  EnableAlign();
}

QUORVEL_DEFINE_CLASS(TFrame) {}

// ---------------------------------------------------------------------------
// TScrollBox

QUORVEL_DEFINE_CLASS(TScrollBox) {
  p.Enum("BorderStyle", &TScrollBox::BorderStyle, &TScrollBox::SetBorderStyle,
         {"bsNone", "bsSingle"}, bsSingle);
}

// A 185 by 41 box with a sunken edge that holds controls.
TScrollBox::TScrollBox(TComponent* owner) : TCustomControl(owner) {
  FWidth = 185;
  FHeight = 41;
  SetColor(clBtnFace);
  SetParentColor(true);
}

// A single border is a sunken client edge (the window is made again).
void TScrollBox::SetBorderStyle(TBorderStyle value) {
  if (value == FBorderStyle) return;
  FBorderStyle = value;
  RecreateWnd();
}

// Its own window class, with a sunken edge when bordered.
void TScrollBox::CreateParams(TCreateParams& params) {
  TCustomControl::CreateParams(params);
  if (FBorderStyle == bsSingle) params.ExStyle |= WS_EX_CLIENTEDGE;
}

// Lays the controls out, then fits the scroll bars to them.
void TScrollBox::AlignControls(TRect rect) {
  TCustomControl::AlignControls(rect);
  UpdateScrollBars();
}

// Each bar's range is the controls' extent (where they reach in the
// content), its page the client size; a bar shows only when the range is
// larger. A bar that appears narrows the client area, so twice round.
void TScrollBox::UpdateScrollBars() {
  if (!FHandle || FUpdatingBars) return;
  FUpdatingBars = true;
  int right = 0, bottom = 0;
  for (int i = 0; i < ControlCount(); ++i) {
    TControl* c = Controls(i);
    if (!c->Visible()) continue;
    right = std::max(right, c->Left() + c->Width() + FScrollX);
    bottom = std::max(bottom, c->Top() + c->Height() + FScrollY);
  }
  for (int round = 0; round < 2; ++round) {
    RECT client;
    GetClientRect(FHandle, &client);
    SCROLLINFO si{};
    si.cbSize = sizeof si;
    si.fMask = SIF_RANGE | SIF_PAGE;
    si.nMax = right - 1;
    si.nPage = static_cast<UINT>(client.right);
    SetScrollInfo(FHandle, SB_HORZ, &si, TRUE);
    si.nMax = bottom - 1;
    si.nPage = static_cast<UINT>(client.bottom);
    SetScrollInfo(FHandle, SB_VERT, &si, TRUE);
  }
  FUpdatingBars = false;
  // A larger client area may leave the content scrolled too far.
  ScrollTo(SB_HORZ, FScrollX);
  ScrollTo(SB_VERT, FScrollY);
}

// Moves the bar's thumb to position (within the range less the page) and
// the controls by the difference.
void TScrollBox::ScrollTo(int bar, int position) {
  SCROLLINFO si{};
  si.cbSize = sizeof si;
  si.fMask = SIF_RANGE | SIF_PAGE;
  GetScrollInfo(FHandle, bar, &si);
  const int last = std::max(0, si.nMax - si.nMin + 1 - static_cast<int>(si.nPage));
  position = std::max(0, std::min(position, last));
  int& current = bar == SB_HORZ ? FScrollX : FScrollY;
  const int delta = current - position;
  si.fMask = SIF_POS;
  si.nPos = position;
  SetScrollInfo(FHandle, bar, &si, TRUE);
  if (delta == 0) return;
  current = position;  // before the moves: a layout they cause scrolls no further
  for (int i = 0; i < ControlCount(); ++i) {
    TControl* c = Controls(i);
    if (bar == SB_HORZ)
      c->SetBounds(c->Left() + delta, c->Top(), c->Width(), c->Height());
    else
      c->SetBounds(c->Left(), c->Top() + delta, c->Width(), c->Height());
  }
  Invalidate();
}

// Arrows move by a tenth of the page, the track by a page, the thumb to where it is.
void TScrollBox::ScrollMessage(int bar, WPARAM code) {
  SCROLLINFO si{};
  si.cbSize = sizeof si;
  si.fMask = SIF_ALL;
  GetScrollInfo(FHandle, bar, &si);
  const int current = bar == SB_HORZ ? FScrollX : FScrollY;
  const int line = std::max(1, static_cast<int>(si.nPage) / 10);
  switch (LOWORD(code)) {
    case SB_LINEUP: ScrollTo(bar, current - line); break;
    case SB_LINEDOWN: ScrollTo(bar, current + line); break;
    case SB_PAGEUP: ScrollTo(bar, current - static_cast<int>(si.nPage)); break;
    case SB_PAGEDOWN: ScrollTo(bar, current + static_cast<int>(si.nPage)); break;
    case SB_THUMBTRACK:
    case SB_THUMBPOSITION: ScrollTo(bar, HIWORD(code)); break;
    case SB_TOP: ScrollTo(bar, 0); break;
    case SB_BOTTOM: ScrollTo(bar, si.nMax); break;
    default: break;
  }
}

// The box's own scroll bars (scroll messages without a control window).
void TScrollBox::WndProc(TMessage& msg) {
  if ((msg.Msg == WM_HSCROLL || msg.Msg == WM_VSCROLL) && msg.LParam == 0) {
    ScrollMessage(msg.Msg == WM_HSCROLL ? SB_HORZ : SB_VERT, msg.WParam);
    msg.Result = 0;
    return;
  }
  TCustomControl::WndProc(msg);
}
