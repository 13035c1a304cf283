#include "skin/controls/ControlHook.h"

#include <cassert>
#include <utility>

#include "ui/Controls.h"

// Detach gives everything back.
TControlHook::~TControlHook() { Detach(); }

// The previous WindowProc is kept for CallPrevious, also after Detach.
void TControlHook::Attach(TControl& Control, THandler Handler) {
  assert(Handler && !Attached());
  FControl = &Control;
  FPrevious = Control.WindowProc;
  Control.WindowProc = std::move(Handler);
  FControlHooked = true;
}

// Through the subclass helper.
bool TControlHook::Attach(HWND Wnd, THandler Handler) {
  assert(Handler && !Attached());
  return FSubclass.Attach(Wnd, std::move(Handler));
}

// Puts the saved WindowProc back, or takes the subclass out.
void TControlHook::Detach() {
  if (FControlHooked) {
    FControlHooked = false;
    if (FControl) FControl->WindowProc = FPrevious;
  }
  FSubclass.Detach();
}

// Drops the control and what would have been given back to it.
void TControlHook::Forget() {
  FControlHooked = false;
  FControl = nullptr;
  FPrevious = nullptr;
}

// Attached in either mode.
bool TControlHook::Attached() const { return FControlHooked || FSubclass.Attached(); }

// The saved WindowProc of a control, else the window's chain.
void TControlHook::CallPrevious(TMessage& Message) {
  if (FPrevious) {
    FPrevious(Message);
    return;
  }
  if (FSubclass.Handle()) FSubclass.CallPrevious(Message);
}
