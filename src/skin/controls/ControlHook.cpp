#include "skin/controls/ControlHook.h"

#include <cassert>
#include <utility>

#include "ui/Controls.h"

// Detach gives everything back.
TControlHook::~TControlHook() { Detach(); }

// A copy of the handler runs, so that taking the hook out from inside it
// frees nothing that is still running.
void TControlHook::TInstalled::operator()(TMessage& Message) const {
  if (const THandler handler = Link->Handler) {
    handler(Message);
    return;
  }
  if (const THandler previous = Link->Previous) previous(Message);
}

// The previous WindowProc is kept for CallPrevious, also after Detach.
void TControlHook::Attach(TControl& Control, THandler Handler) {
  assert(Handler && !Attached());
  FControl = &Control;
  FLink = std::make_shared<TLink>(TLink{std::move(Handler), Control.WindowProc});
  Control.WindowProc = TInstalled{FLink};
  FControlHooked = true;
}

// Through the subclass helper.
bool TControlHook::Attach(HWND Wnd, THandler Handler) {
  assert(Handler && !Attached());
  return FSubclass.Attach(Wnd, std::move(Handler));
}

// The saved WindowProc goes back where the control's is still ours; ours
// becomes a pass-through wherever it still is. The subclass helper takes
// care of a bare window's chain itself.
void TControlHook::Detach() {
  if (FControlHooked) {
    FControlHooked = false;
    FLink->Handler = nullptr;
    const TInstalled* current = FControl ? FControl->WindowProc.target<TInstalled>() : nullptr;
    if (current && current->Link == FLink) FControl->WindowProc = FLink->Previous;
  }
  FSubclass.Detach();
}

// Drops the control and what would have been given back to it; a copy of
// ours left anywhere does nothing from now on.
void TControlHook::Forget() {
  FControlHooked = false;
  FControl = nullptr;
  if (FLink) *FLink = TLink{};
}

// Attached in either mode.
bool TControlHook::Attached() const { return FControlHooked || FSubclass.Attached(); }

// The saved WindowProc of a control, else the window's chain.
void TControlHook::CallPrevious(TMessage& Message) {
  if (FLink) {
    if (const THandler previous = FLink->Previous) previous(Message);
    return;
  }
  if (FSubclass.Handle()) FSubclass.CallPrevious(Message);
}
