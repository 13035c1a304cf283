// Tracking the drop-down menus of a skinned menu bar: the platform's menu
// loop runs for the button's popup, and a message-filter hook of the GUI
// thread (installed only while it runs) moves between the bar's buttons with
// the arrow keys and the mouse, as the platform's own bar does. One menu
// loop runs at a time in a process; its state is one TMenuTracking.
#pragma once

#include <windows.h>

#include <functional>

#include "skin/controls/ControlHook.h"
#include "ui/Graphics.h"

class TMenuBtn;
class TWinSkinMenu;

class TMenuTracking {
public:
  // Converts a screen point into the coordinates of the bar's window.
  using TToWindowPoint = std::function<TPoint(int X, int Y)>;

  // Opens Button's popup below it and returns when it has closed; false for
  // a button without one. The popup's items are made owner-drawn (the bar
  // notes them). The bar may be freed inside the loop (skinning switched
  // off): then it is not touched again.
  bool Track(TWinSkinMenu& Bar, TMenuBtn& Button, TToWindowPoint ToWindowPoint);
  // Whether Bar is tracking a popup and has not been told to stop.
  bool IsTracking(const TWinSkinMenu* Bar) const { return Bar && FBar == Bar && FTracking; }
  // Whether the platform's menu loop of a bar button is running.
  bool LoopRunning() const { return FLoopRunning; }
  // The bar button index whose popup is open, -1 when none.
  int Index() const { return FIndex; }
  // Bar goes away: an open popup of its own is closed and the tracking
  // forgets it, so that nothing touches it when its loop returns.
  void Forget(const TWinSkinMenu* Bar);

private:
  // The item selected last in the open popup, as the menu shows it: the
  // menu it is in and whether it opens a submenu. Known only while an item
  // is selected.
  struct TCurrentItem {
    bool Known = false;
    HMENU Menu = nullptr;
    bool HasSubMenu = false;
    bool RightToLeft = false;
  };
  // Follows the selection from the open popup down through the submenus
  // whose own items are selected: the deepest selected item is current.
  TCurrentItem CurrentItem() const;
  // The message-filter hook's work for one message of the menu loop.
  LRESULT Filter(int Code, WPARAM WParam, MSG& Msg);
  // Installs the message-filter hook for the loop.
  void StartHook();
  // Removes it; no button is open any more.
  void StopHook();
  // The message-filter hook of the GUI thread.
  static LRESULT CALLBACK HookProc(int Code, WPARAM WParam, LPARAM LParam);

  TWinSkinMenu* FBar = nullptr;  // the bar whose popup is open, or null
  TToWindowPoint FToWindowPoint;
  int FIndex = -1;
  TWindowsHook FHook;      // only while a popup of a bar is open
  bool FTracking = false;  // the bar's frame counts as tracking its menus
  bool FLoopRunning = false;
  bool FFirstKeyPosted = false;
  bool FKeyboardSwitch = false;
  POINT FLastMousePos{0, 0};
};

// The tracking of the process.
TMenuTracking& MenuTracking();
// The bar button index whose popup is open, -1 when none (for tests).
int MenuTrackingIndex();
