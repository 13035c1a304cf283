#include "ui/Timers.h"

#include "ui/Controls.h"
#include "ui/Published.h"

namespace {

constexpr UINT_PTR kTimerId = 1;
const char kWindowClass[] = "QuorvelTimerWindow";

// Registers the hidden window's class once.
void RegisterTimerClass(WNDPROC proc) {
  static const bool registered = [proc] {
    WNDCLASSA wc{};
    wc.lpfnWndProc = proc;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.lpszClassName = kWindowClass;
    return RegisterClassA(&wc) != 0;
  }();
  (void)registered;
}

}  // namespace

// A timer as definitions store it.
QUORVEL_DEFINE_CLASS(TTimer) {
  p.Bool("Enabled", &TTimer::Enabled, &TTimer::SetEnabled, true);
  p.Integer("Interval", &TTimer::Interval, &TTimer::SetInterval, 1000);
  p.Event("OnTimer", &TTimer::OnTimer);
}

// Creates the hidden window; the timer starts once the component is usable.
TTimer::TTimer(TComponent* owner) : TComponent(owner) {
  RegisterTimerClass(&TTimer::WndProc);
  FWindow = CreateWindowExA(0, kWindowClass, "", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                            GetModuleHandleA(nullptr), nullptr);
  if (!FWindow) throw EOutOfResources("cannot create the timer window");
  SetWindowLongPtrA(FWindow, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
  UpdateTimer();
}

// Stops the timer and destroys the window.
TTimer::~TTimer() {
  Destroying();
  if (FRunning) KillTimer(FWindow, kTimerId);
  SetWindowLongPtrA(FWindow, GWLP_USERDATA, 0);
  DestroyWindow(FWindow);
}

// Starts or stops the ticks.
void TTimer::SetEnabled(bool value) {
  if (value == FEnabled) return;
  FEnabled = value;
  UpdateTimer();
}

// Milliseconds between ticks; 0 stops them.
void TTimer::SetInterval(uint32_t value) {
  if (value == FInterval) return;
  FInterval = value;
  UpdateTimer();
}

// Starts the timer that loading held back.
void TTimer::Loaded() {
  TComponent::Loaded();
  UpdateTimer();
}

// Restarts the system timer, or stops it when disabled, at interval 0 or while loading.
void TTimer::UpdateTimer() {
  if (FRunning) KillTimer(FWindow, kTimerId);
  FRunning = FEnabled && FInterval > 0 && !IsLoading() && !IsDestroying() &&
             SetTimer(FWindow, kTimerId, FInterval, nullptr) != 0;
}

// One tick: the handler, while enabled.
void TTimer::Timer() {
  if (FEnabled) OnTimer(this);
}

// WM_TIMER runs the timer's handler. An exception from the handler may not
// cross the system's frames: it goes to the application's handler, if any.
LRESULT CALLBACK TTimer::WndProc(HWND wnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  if (msg == WM_TIMER && wParam == kTimerId) {
    if (auto* timer = reinterpret_cast<TTimer*>(GetWindowLongPtrA(wnd, GWLP_USERDATA))) {
      try {
        timer->Timer();
      } catch (...) {
        if (MessageExceptionHook) MessageExceptionHook(std::current_exception());
      }
    }
    return 0;
  }
  return DefWindowProcA(wnd, msg, wParam, lParam);
}
