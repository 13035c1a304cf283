#include "skin/window/MenuTracking.h"

#include <utility>

#include "skin/window/WinSkinMenu.h"
#include "ui/Menus.h"

namespace {

// The highlighted item of Menu, -1 when none.
int HighlightedItem(HMENU Menu) {
  const int count = GetMenuItemCount(Menu);
  for (int i = 0; i < count; ++i)
    if (GetMenuState(Menu, UINT(i), MF_BYPOSITION) & MF_HILITE) return i;
  return -1;
}

}  // namespace

// One for the process, for the life of the program.
TMenuTracking& MenuTracking() {
  static TMenuTracking tracking;
  return tracking;
}

// The open button's index.
int MenuTrackingIndex() { return MenuTracking().Index(); }

// The loop runs with the hook installed; afterwards the bar is touched only
// when the tracking still knows it.
bool TMenuTracking::Track(TWinSkinMenu& Bar, TMenuBtn& Button, TToWindowPoint ToWindowPoint) {
  if (!Button.SubMenu()) return false;
  FIndex = Button.Index();
  FBar = &Bar;
  FToWindowPoint = std::move(ToWindowPoint);
  RECT window;
  GetWindowRect(Bar.Handle(), &window);
  Bar.MakeOwnerDraw(Button.SubMenu());
  FTracking = true;
  Bar.SetTrackedMenu(Button.SubMenu());
  StartHook();
  if (Button.Enabled()) {
    FLoopRunning = true;
    TrackPopupMenu(Button.SubMenu(), TPM_NONOTIFY | TPM_RIGHTBUTTON,
                   window.left + Button.Bounds().left, window.top + Button.Bounds().bottom, 0,
                   Bar.Handle(), nullptr);
    FLoopRunning = false;
    // Skinning may have been switched off inside the loop: the bar is gone
    // then, and the tracking has forgotten it.
    if (FBar != &Bar) {
      StopHook();
      return true;
    }
  }
  StopHook();
  FBar = nullptr;
  FToWindowPoint = nullptr;
  FTracking = false;
  return true;
}

// Closes the loop of Bar's popup.
void TMenuTracking::Forget(const TWinSkinMenu* Bar) {
  if (!Bar || FBar != Bar) return;
  if (FLoopRunning) EndMenu();
  FBar = nullptr;
  FToWindowPoint = nullptr;
}

// From the tracked popup down through the selected items.
TMenuTracking::TCurrentItem TMenuTracking::CurrentItem() const {
  TCurrentItem current;
  if (!FBar) return current;
  HMENU menu = FBar->TrackedMenu();
  for (int depth = 0; menu && depth < 16; ++depth) {
    const int index = HighlightedItem(menu);
    if (index < 0) break;
    current.Known = true;
    current.Menu = menu;
    HMENU sub = GetSubMenu(menu, index);
    current.HasSubMenu = sub != nullptr;
    if (!sub || HighlightedItem(sub) < 0) {
      if (FBar->Menu()) current.RightToLeft = FBar->Menu()->IsRightToLeft();
      break;
    }
    menu = sub;
  }
  return current;
}

// Right-to-left menus swap the arrow keys; the first message opens the
// popup's first item; left and right arrows and the mouse over another
// button switch popups; Alt, or the popup closing without a switch, ends the
// tracking.
LRESULT TMenuTracking::Filter(int Code, WPARAM WParam, MSG& Msg) {
  if (Code == MSGF_MENU && (Msg.message == WM_KEYDOWN || Msg.message == WM_KEYUP) &&
      (Msg.wParam == VK_LEFT || Msg.wParam == VK_RIGHT)) {
    const TCurrentItem item = CurrentItem();
    if (item.Known && item.RightToLeft) Msg.wParam = Msg.wParam == VK_LEFT ? VK_RIGHT : VK_LEFT;
  }
  const LRESULT result = CallNextHookEx(FHook.Get(), Code, WParam, reinterpret_cast<LPARAM>(&Msg));
  if (result != 0 || Code != MSGF_MENU || !FBar) return result;
  if (!FFirstKeyPosted) {
    FFirstKeyPosted = true;
    PostMessageA(Msg.hwnd, WM_KEYDOWN, VK_DOWN, 0);
  }
  TMenuBtn* target = nullptr;
  switch (Msg.message) {
    case WM_KEYDOWN:
      if (Msg.wParam == VK_RETURN || Msg.wParam == VK_ESCAPE) {
        FKeyboardSwitch = false;
      } else if (Msg.wParam == VK_LEFT) {
        const TCurrentItem item = CurrentItem();
        if (item.Known && item.Menu == FBar->TrackedMenu())
          target = FBar->NextButton(FIndex, false);
      } else if (Msg.wParam == VK_RIGHT) {
        const TCurrentItem item = CurrentItem();
        if (item.Known && !item.HasSubMenu) target = FBar->NextButton(FIndex, true);
      }
      break;
    case WM_SYSKEYDOWN:
      if (Msg.wParam == VK_MENU) {
        FTracking = false;
        return result;
      }
      break;
    case WM_MENUSELECT:
      if (HIWORD(Msg.wParam) == 0xFFFF && Msg.lParam == 0) {
        if (!FKeyboardSwitch) FTracking = false;
        return result;
      }
      FKeyboardSwitch = false;
      break;
    case WM_MOUSEMOVE:
      if (Msg.pt.x != FLastMousePos.x || Msg.pt.y != FLastMousePos.y) {
        if (FToWindowPoint) target = FBar->ButtonAt(FToWindowPoint(Msg.pt.x, Msg.pt.y));
        FLastMousePos = Msg.pt;
      }
      break;
    default: break;
  }
  if (target && target->Index() != FIndex) {
    FKeyboardSwitch = true;
    FBar->PostClick(*target);
  }
  return result;
}

// Hands every message-filter call to the tracking.
LRESULT CALLBACK TMenuTracking::HookProc(int Code, WPARAM WParam, LPARAM LParam) {
  return MenuTracking().Filter(Code, WParam, *reinterpret_cast<MSG*>(LParam));
}

// The thread's WH_MSGFILTER hook, once.
void TMenuTracking::StartHook() {
  FKeyboardSwitch = false;
  FFirstKeyPosted = false;
  GetCursorPos(&FLastMousePos);
  if (!FHook) FHook.Reset(SetWindowsHookExA(WH_MSGFILTER, HookProc, nullptr, GetCurrentThreadId()));
}

// The hook goes; no button is open.
void TMenuTracking::StopHook() {
  FHook.Reset();
  FIndex = -1;
  FFirstKeyPosted = false;
}
