// A skinner's place in front of a control's messages: a control of ours
// through its replaceable WindowProc, a bare window of the system through
// the subclass helper (ui/Subclass). The hook gives back exactly what it
// replaced, once, and CallPrevious is the one way on to the handling that
// was there before, also after the hook was taken out while a message was
// still on its way.
#pragma once

#include <windows.h>

#include <functional>

#include "ui/Handles.h"
#include "ui/Messages.h"
#include "ui/Subclass.h"

class TControl;

// A hook of the thread installed with SetWindowsHookEx, removed when its
// owner goes.
using TWindowsHook = TOwnedHandle<HHOOK, UnhookWindowsHookEx>;

class TControlHook {
public:
  using THandler = std::function<void(TMessage&)>;

  TControlHook() = default;
  // Takes the hook out.
  ~TControlHook();
  TControlHook(const TControlHook&) = delete;
  TControlHook& operator=(const TControlHook&) = delete;

  // Component mode: Control's WindowProc becomes Handler.
  void Attach(TControl& Control, THandler Handler);
  // Bare-window mode: Handler goes in front of Wnd's procedure; false when
  // the window could not be subclassed.
  bool Attach(HWND Wnd, THandler Handler);
  // Gives the control its own handling back; a second call does nothing.
  void Detach();
  // The control is being freed: nothing is given back to it, and nothing
  // is passed on any more.
  void Forget();
  // True from Attach to Detach (or Forget).
  bool Attached() const;

  // Hands Message to the handling that was there before the hook.
  void CallPrevious(TMessage& Message);

private:
  TControl* FControl = nullptr;  // component mode
  THandler FPrevious;            // component mode: the control's WindowProc before
  bool FControlHooked = false;   // component mode: WindowProc is ours now
  TWindowSubclass FSubclass;     // bare-window mode
};
