#include "skin/window/SkinManager.h"

#include <algorithm>
#include <cassert>

#include "skin/controls/SkinDispatch.h"
#include "skin/window/WinSkinData.h"
#include "skin/window/WinSkinForm.h"
#include "skin/window/WinSkinPopMenu.h"
#include "ui/Forms.h"
#include "ui/SysUtils.h"

TSkinManage* SkinManager = nullptr;
DWORD WinVersion = 0;

namespace {

// Frees the manager when the program ends, if nobody did before.
struct TSkinManagerFinalizer {
  ~TSkinManagerFinalizer() { FreeSkinManager(); }
} SkinManagerFinalizer;

}  // namespace

// A switched-off manager with a stopped 250 ms timer and its hook.
TSkinManage::TSkinManage() : Timer(std::make_unique<TTimer>(nullptr)) {
  Timer->SetEnabled(false);
  Timer->SetInterval(RequestDelay);
  Timer->OnTimer = [this](TObject*) { TimerFired(); };
  InstallHook();
}

// Marks the manager as going away, stops watching windows, then gives every
// window that is still there its own look and handling back (without
// repainting its controls) and frees the skinners, last attached first.
TSkinManage::~TSkinManage() {
  ActivateCount = acDestroying;
  Timer.reset();
  FHook.Reset();
  while (!Forms.empty()) {
    std::unique_ptr<TWinSkinForm> skinner = std::move(Forms.back());
    Forms.pop_back();
    skinner->Detach();
  }
  // A menu window still open keeps working with its own procedure.
  for (auto& menu : PopupMenus) menu->Restore();
  PopupMenus.clear();
  SkinDatas.clear();
}

// Watches the windows of this thread only.
void TSkinManage::InstallHook() {
  WinVersion = GetVersion();
  FHook.Reset(SetWindowsHookExA(WH_CBT, HookProc, nullptr, GetCurrentThreadId()));
}

// Creation (a scroll-bar control on a skinned window is refused, a menu
// window gets a popup skinner), destruction (skinners go) and activation
// (the window gets a form skinner) of this thread's windows.
LRESULT CALLBACK TSkinManage::HookProc(int Code, WPARAM WParam, LPARAM LParam) {
  TSkinManage* manager = SkinManager;
  if (Code >= 0 && manager) {
    const auto wnd = reinterpret_cast<HWND>(WParam);
    switch (Code) {
      case HCBT_CREATEWND: {
        const std::string name = WindowClassName(wnd);
        if (name == "ScrollBar") {
          // A skinned window draws its own scroll bars: a separate bar
          // control directly on it is refused.
          const auto* create = reinterpret_cast<CBT_CREATEWNDA*>(LParam);
          if (create && create->lpcs && manager->HasFormSkinner(create->lpcs->hwndParent))
            return RefuseWindow;
        } else if (name == "#32768") {
          manager->AttachPopupMenu(wnd);
        }
        break;
      }
      case HCBT_DESTROYWND:
        manager->DetachPopupMenu(wnd);
        manager->DetachForm(wnd);
        break;
      case HCBT_ACTIVATE:
        if (manager->ActivateCount == acNone) manager->ActivateCount = acSeen;
        manager->AttachForm(wnd);
        break;
      default: break;
    }
  }
  return CallNextHookEx(nullptr, Code, WParam, LParam);
}

// Appends to the registered components.
void TSkinManage::AddSkinData(TSkinData* SkinData) { SkinDatas.push_back(SkinData); }

// Removes from the registered components and from a pending skin change;
// the menu windows it serves get their own look back at once (their
// skinners stay listed until the windows go).
void TSkinManage::RemoveSkinData(TSkinData* SkinData) {
  SkinDatas.erase(std::remove(SkinDatas.begin(), SkinDatas.end(), SkinData), SkinDatas.end());
  if (FChangedSkinData == SkinData) FChangedSkinData = nullptr;
  for (auto& menu : PopupMenus)
    if (menu->SkinData() == SkinData) menu->ForgetSkin();
}

// Notes the action; acts at once before the first activation, else later.
void TSkinManage::Request(TRequestAction Action) {
  PendingAction = Action;
  if (ActivateCount != acNone) {
    Timer->SetEnabled(true);
    return;
  }
  if (Action == raSwitchOn) Active = true;
  if (Action == raSwitchOff) Active = false;
}

// Remembers whose OnSkinChanged fires, then requests the change.
void TSkinManage::RequestSkinChanged(TSkinData* Changed) {
  assert(Changed);
  FChangedSkinData = Changed;
  Request(raSkinChanged);
}

// Stops the timer and carries out the last request.
void TSkinManage::TimerFired() {
  Timer->SetEnabled(false);
  switch (PendingAction) {
    case raSwitchOn: SwitchOn(); break;
    case raSwitchOff: SwitchOff(); break;
    case raSkinChanged: ApplyChangedSkin(); break;
    default: break;
  }
}

// Skins every form of the application; other windows follow at their next
// activation.
void TSkinManage::SwitchOn() {
  Active = true;
  if (!Application) return;
  for (int i = Application->FormCount() - 1; i >= 0; --i)
    AttachForm(Application->Forms(i)->Handle());
}

// Gives every skinned window its own look back; popup menus are left alone.
void TSkinManage::SwitchOff() {
  Active = false;
  while (!Forms.empty()) {
    std::unique_ptr<TWinSkinForm> skinner = std::move(Forms.back());
    Forms.pop_back();
    skinner->Detach();
    TWinSkinForm::Repaint(skinner->Handle());
  }
  FollowMdiChildren();
}

// Every skinned window takes the changed skin's metrics, then its looks.
void TSkinManage::ApplyChangedSkin() {
  for (auto& skinner : Forms) {
    skinner->DropRegion();
    skinner->ComputeMetrics();
  }
  for (auto& skinner : Forms) skinner->SkinChanged();
  if (TSkinData* changed = FChangedSkinData) {
    changed->DoSkinChanged();
    FChangedSkinData = nullptr;
  }
}

// Only while active, for a window of a sensible size that is no plain child, not refused, with a
// skin.
bool TSkinManage::AttachForm(HWND Wnd) {
  if (!Active) return false;
  TCustomForm* form = FindForm(Wnd);
  if (HasFormSkinner(Wnd) || IsPlainChild(Wnd)) return false;
  RECT r;
  if (!GetWindowRect(Wnd, &r) || (r.right - r.left) * (r.bottom - r.top) == 0) return false;
  if (form && form->Tag() == 99) return false;
  const std::string name = WindowClassName(Wnd);
  if (name == "TApplication" || !CanSkin(name)) return false;
  TSkinData* skinData = nullptr;
  FindSkinData(skinData, Wnd);
  if (!skinData || skinData->SkinEmpty) return false;

  auto skinner = std::make_unique<TWinSkinForm>(nullptr, Wnd);
  if (form)
    skinner->AttachToForm(skinData, form);
  else
    skinner->AttachToWindow(skinData);
  PostMessageA(Wnd, WM_SKINACTIVATE, 0, 1000);
  Forms.push_back(std::move(skinner));
  return true;
}

// The skinner leaves the list, then is released (its window is going).
bool TSkinManage::DetachForm(HWND Wnd) {
  auto it =
      std::find_if(Forms.begin(), Forms.end(), [Wnd](const auto& f) { return f->Handle() == Wnd; });
  if (it == Forms.end()) return false;
  std::unique_ptr<TWinSkinForm> skinner = std::move(*it);
  Forms.erase(it);
  skinner->Release();
  // A frame that goes takes its maximized child with it; a child that goes
  // may leave another one active.
  if (skinner->Kind() == TFrameKind::MDIFrame) FollowMdiChildren();
  if (skinner->Kind() == TFrameKind::MDIChild)
    PostMessageA(GetParent(GetParent(Wnd)), WM_SKINPAINTFRAME, 0, 0);
  return true;
}

// The windows of SkinData forget its entries.
void TSkinManage::SkinDataReloading(TSkinData* SkinData) {
  for (auto& skinner : Forms)
    if (skinner->SkinData() == SkinData) skinner->ForgetSkinObjects();
}

// By FormSkinner.
bool TSkinManage::HasFormSkinner(HWND Wnd) const { return FormSkinner(Wnd) != nullptr; }

// By the skinners' windows.
TWinSkinForm* TSkinManage::FormSkinner(HWND Wnd) const {
  for (const auto& f : Forms)
    if (f->Handle() == Wnd) return f.get();
  return nullptr;
}

// Among the application's forms.
TCustomForm* TSkinManage::FindForm(HWND Wnd) {
  if (!Application) return nullptr;
  for (int i = 0; i < Application->FormCount(); ++i)
    if (Application->Forms(i)->Handle() == Wnd) return Application->Forms(i);
  return nullptr;
}

// A child whose parent is no MDI client.
bool TSkinManage::IsPlainChild(HWND Wnd) {
  if (!(GetWindowLongPtrA(Wnd, GWL_STYLE) & WS_CHILD)) return false;
  return AnsiLowerCase(WindowClassName(GetParent(Wnd))) != "mdiclient";
}

// The window's own component, a dialog component for dialogs, a main-form one, else the first.
void TSkinManage::FindSkinData(TSkinData*& SkinData, HWND Wnd) const {
  // Within a rule the last matching component wins.
  auto lastOf = [this](auto&& matches) {
    TSkinData* found = nullptr;
    for (TSkinData* data : SkinDatas)
      if (matches(*data)) found = data;
    return found;
  };
  SkinData = lastOf([Wnd](TSkinData& d) {
    auto* owner = dynamic_cast<TWinControl*>(d.Owner());
    return d.SkinFormtype() == sfOnlyThisForm && owner && owner->HandleAllocated() &&
           owner->Handle() == Wnd;
  });
  if (SkinData) return;
  const std::string name = AnsiLowerCase(WindowClassName(Wnd));
  if (name == "tmessageform" || name == "#32770") {
    SkinData = lastOf([](TSkinData& d) { return d.SkinFormtype() == sfDialog; });
    if (SkinData) return;
  }
  SkinData = lastOf([](TSkinData& d) { return d.SkinFormtype() == sfMainform; });
  if (!SkinData && !SkinDatas.empty()) SkinData = SkinDatas.front();
}

// The first main-form component decides.
bool TSkinManage::CanSkin(const std::string& ClassName) const {
  bool doSkin = true;
  for (TSkinData* data : SkinDatas)
    if (data->SkinFormtype() == sfMainform) {
      data->CheckFormSkin(ClassName, doSkin);
      break;
    }
  return doSkin;
}

// Only while active and once per window, with a skin.
void TSkinManage::AttachPopupMenu(HWND Wnd) {
  if (!Active || HasPopupMenu(Wnd)) return;
  TSkinData* skinData = nullptr;
  FindSkinData(skinData, Wnd);
  if (!skinData || skinData->SkinEmpty) return;
  auto skinner = std::make_unique<TWinSkinPopMenu>(Active);
  skinner->Attach(Wnd, skinData, nullptr);
  PopupMenus.push_back(std::move(skinner));
}

// The skinner leaves the list and gives the window back.
bool TSkinManage::DetachPopupMenu(HWND Wnd) {
  auto it = std::find_if(PopupMenus.begin(), PopupMenus.end(),
                         [Wnd](const auto& m) { return m->Handle() == Wnd; });
  if (it == PopupMenus.end()) return false;
  std::unique_ptr<TWinSkinPopMenu> skinner = std::move(*it);
  PopupMenus.erase(it);
  skinner->Restore();
  return true;
}

// By the popup skinners' windows.
bool TSkinManage::HasPopupMenu(HWND Wnd) const {
  for (const auto& menu : PopupMenus)
    if (menu->Handle() == Wnd) return true;
  return false;
}

// By the popup skinners' menus.
TBitmap* TSkinManage::PopupMenuBitmap(HMENU Menu) const {
  for (const auto& menu : PopupMenus)
    if (menu->MenuHandle() == Menu) return &menu->Background();
  return nullptr;
}

// Only a change reaches the skinners.
void TSkinManage::SetMdiMax(bool Value) {
  if (Value == MdiMaximized) return;
  MdiMaximized = Value;
  TSharedRegions shared;  // children of one size share their region's computation
  for (auto& f : Forms) f->MdiMaxChanged(Value);
  for (auto& f : Forms) f->RepaintMdiFrame();
  SkinTrace(Value ? "***** SetMdiMax True" : "***** SetMdiMax Flase");
}

// Asks each skinned MDI frame's client.
void TSkinManage::FollowMdiChildren(const TWinSkinForm* Leaving) {
  bool maximized = false;
  for (auto& f : Forms)
    if (f.get() != Leaving && f->Kind() == TFrameKind::MDIFrame && f->IsActiveChildMaximized())
      maximized = true;
  SetMdiMax(maximized);
}

// Deletes the manager once.
void FreeSkinManager() {
  delete SkinManager;
  SkinManager = nullptr;
}
