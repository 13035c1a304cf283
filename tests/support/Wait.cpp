#include "support/Wait.h"

#include "ui/Threads.h"

namespace {

// Runs what is waiting for this thread: messages and, on the main thread,
// synchronized calls; then waits briefly for more.
void RunPending() {
  if (GetCurrentThreadId() != MainThreadID) {
    Sleep(1);
    return;
  }
  CheckSynchronize();
  PumpMessages();
  HANDLE sync = SyncEvent();
  MsgWaitForMultipleObjects(1, &sync, FALSE, 2, QS_ALLINPUT);
}

}  // namespace

void PumpMessages() {
  MSG msg;
  while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
    TranslateMessage(&msg);
    DispatchMessageA(&msg);
  }
}

bool WaitUntil(const std::function<bool()>& done, DWORD deadlineMs) {
  const DWORD start = GetTickCount();
  while (!done()) {
    if (GetTickCount() - start >= deadlineMs) return done();
    RunPending();
  }
  return true;
}

bool HappensWithin(const std::function<bool()>& happened, DWORD ms) {
  return WaitUntil(happened, ms);
}
