// A skinner's place in front of a control's messages: a control of ours
// through its replaceable WindowProc, a bare window of the system through
// the subclass helper (ui/Subclass). The hook gives back exactly what it
// replaced, once, and CallPrevious is the one way on to the handling that
// was there before, also after the hook was taken out while a message was
// still on its way.
//
// A WindowProc is handed around by value: an application may save ours and
// put its own in front of it. Taking the hook out then puts the saved
// WindowProc back only where the control's WindowProc is still ours;
// otherwise ours stays in the application's chain as a pass-through to what
// it replaced, which never calls into the (perhaps freed) skinner again.
#pragma once

#include <windows.h>

#include <functional>
#include <memory>

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
  // A WindowProc that is no longer ours is left to its installer, and ours
  // inside it passes every message on from then on.
  void Detach();
  // The control is being freed: nothing is given back to it, and nothing
  // is passed on any more.
  void Forget();
  // True from Attach to Detach (or Forget).
  bool Attached() const;

  // Hands Message to the handling that was there before the hook.
  void CallPrevious(TMessage& Message);

  // Component mode: what ours in a control's WindowProc leads to, shared
  // with every copy of it.
  struct TLink {
    THandler Handler;   // the skinner's handler; empty once taken out
    THandler Previous;  // the control's WindowProc before ours
  };
  // The WindowProc put in place: the handler while hooked, else the previous one.
  struct TInstalled {
    std::shared_ptr<TLink> Link;
    void operator()(TMessage& Message) const;
  };

private:
  TControl* FControl = nullptr;  // component mode
  std::shared_ptr<TLink> FLink;  // component mode, from Attach on
  bool FControlHooked = false;   // component mode: ours is in the control's chain
  TWindowSubclass FSubclass;     // bare-window mode
};
