#include "ui/Threads.h"

#include <process.h>

#include <cassert>
#include <deque>
#include <mutex>

const DWORD MainThreadID = GetCurrentThreadId();

void (*WakeMainThreadHook)() = nullptr;

namespace {

// One call waiting for the main thread.
struct TSyncCall {
  const std::function<void()>* Fn = nullptr;
  std::exception_ptr Error;
  HANDLE Done = nullptr;
};

// Guards the queue of calls for the main thread.
std::mutex& QueueLock() {
  static std::mutex lock;
  return lock;
}

// The calls waiting for the main thread, oldest first.
std::deque<TSyncCall*>& Queue() {
  static std::deque<TSyncCall*> queue;
  return queue;
}

}  // namespace

// The auto-reset event set whenever a call is queued.
HANDLE SyncEvent() {
  static THandleObject event(CreateEventA(nullptr, FALSE, FALSE, nullptr));
  return event.Get();
}

// Runs the calls queued so far, in order, on the main thread.
bool CheckSynchronize() {
  if (GetCurrentThreadId() != MainThreadID) return false;
  std::deque<TSyncCall*> calls;
  {
    std::lock_guard<std::mutex> guard(QueueLock());
    calls.swap(Queue());
  }
  for (TSyncCall* call : calls) {
    try {
      (*call->Fn)();
    } catch (...) {
      call->Error = std::current_exception();
    }
    SetEvent(call->Done);
  }
  return !calls.empty();
}

// Runs fn on the main thread, waiting for it and carrying back its exception.
void TThread::Synchronize(const std::function<void()>& fn) {
  if (!fn) return;
  if (GetCurrentThreadId() == MainThreadID) {
    fn();
    return;
  }
  THandleObject done(CreateEventA(nullptr, TRUE, FALSE, nullptr));
  TSyncCall call;
  call.Fn = &fn;
  call.Done = done.Get();
  {
    std::lock_guard<std::mutex> guard(QueueLock());
    Queue().push_back(&call);
  }
  SetEvent(SyncEvent());
  if (WakeMainThreadHook) WakeMainThreadHook();
  WaitForSingleObject(done.Get(), INFINITE);
  if (call.Error) std::rethrow_exception(call.Error);
}

// ---------------------------------------------------------------------------

// Creates the thread, held at its start until Start or Resume.
TThread::TThread()
    : FRunEvent(CreateEventA(nullptr, TRUE, FALSE, nullptr)),
      FTerminateEvent(CreateEventA(nullptr, TRUE, FALSE, nullptr)) {
  if (FRunEvent && FTerminateEvent)
    FHandle.Reset(reinterpret_cast<HANDLE>(
        _beginthreadex(nullptr, 0, &TThread::ThreadProc, this, 0, &FThreadID)));
  if (!FHandle) throw EOutOfResources("cannot create a thread");
}

// Stops the thread (unless it is the one deleting itself); the members close the handles.
TThread::~TThread() {
  if (GetCurrentThreadId() != FThreadID && !FFinished) {
    Terminate();
    WaitFor();
  }
}

// The thread's entry point.
unsigned __stdcall TThread::ThreadProc(void* self) {
  static_cast<TThread*>(self)->Run();
  return 0;
}

// Waits for the first Resume, runs Execute and OnTerminate, then maybe deletes itself.
void TThread::Run() {
  if (CheckSuspended()) {
    try {
      Execute();
    } catch (...) {
      FFatalException = std::current_exception();
    }
  }
  if (OnTerminate) {
    try {
      Synchronize([this] { OnTerminate(this); });
    } catch (...) {}
  }
  const bool freeSelf = FFreeOnTerminate;
  FFinished = true;
  if (freeSelf) delete this;
}

// One Resume undoes one Suspend; the thread goes on at zero.
void TThread::Resume() {
  std::lock_guard<std::mutex> guard(FStateLock);
  if (FSuspendCount > 0 && --FSuspendCount == 0) SetEvent(FRunEvent.Get());
}

// Holds the thread at its next wait point.
void TThread::Suspend() {
  std::lock_guard<std::mutex> guard(FStateLock);
  if (FSuspendCount++ == 0) ResetEvent(FRunEvent.Get());
}

// True while at least one Suspend is not undone.
bool TThread::Suspended() const {
  std::lock_guard<std::mutex> guard(FStateLock);
  return FSuspendCount > 0;
}

// Asks Execute to end and wakes the thread wherever it waits.
void TThread::Terminate() {
  FTerminated = true;
  SetEvent(FTerminateEvent.Get());
}

// Waits for the thread's end, running synchronized calls when on the main thread.
int TThread::WaitFor() {
  assert(GetCurrentThreadId() != FThreadID);
  if (GetCurrentThreadId() == MainThreadID) {
    // A call may have been queued before this wait began, its event already
    // taken by another wait: run the queue first, then after every wake-up.
    HANDLE handles[2] = {FHandle.Get(), SyncEvent()};
    do {
      CheckSynchronize();
    } while (WaitForMultipleObjects(2, handles, FALSE, 100) != WAIT_OBJECT_0);
  } else {
    WaitForSingleObject(FHandle.Get(), INFINITE);
  }
  return FReturnValue;
}

// Sleeps, waking early on Terminate, then honours a suspension.
bool TThread::Sleep(DWORD ms) {
  if (WaitForSingleObject(FTerminateEvent.Get(), ms) == WAIT_OBJECT_0) return false;
  return CheckSuspended();
}

// Waits until resumed or terminated.
bool TThread::CheckSuspended() {
  HANDLE handles[2] = {FTerminateEvent.Get(), FRunEvent.Get()};
  WaitForMultipleObjects(2, handles, FALSE, INFINITE);
  return !FTerminated;
}
