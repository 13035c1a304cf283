// Threads: a thread object with its own Execute, cooperative suspension and
// termination, and Synchronize, which runs a call on the main thread.
#pragma once

#include <windows.h>

#include <atomic>
#include <exception>
#include <functional>
#include <memory>
#include <mutex>
#include <utility>

#include "ui/Classes.h"
#include "ui/Handles.h"

// The id of the program's main thread (the one that initialised the program).
extern const DWORD MainThreadID;

// Called by Synchronize after queueing a call, to wake the main thread's
// message loop (the application posts itself a message). Null until the
// application sets it; CheckSynchronize must then be polled.
extern void (*WakeMainThreadHook)();

// Runs every queued synchronized call; the main thread's message loops, modal
// loops and ProcessMessages call it. True when at least one call ran.
bool CheckSynchronize();

// A handle of an event that is set whenever a call is queued for the main
// thread (auto-reset), for message loops that wait with MsgWaitForMultipleObjects.
HANDLE SyncEvent();

// A thread that runs Execute. Every thread is created suspended: a base
// constructor cannot start a derived Execute safely, so Start (or
// MakeThread) lets it run once the object is complete. Suspension is
// cooperative: Suspend takes effect where the thread waits through this class
// (before Execute starts, in Sleep and in CheckSuspended), so a thread never
// stops while it holds a lock (a heap lock, the synchronization queue).
class TThread : public TObject {
public:
  // Creates the thread, suspended.
  TThread();
  // Asks the thread to terminate, lets it run if suspended and waits for it.
  virtual ~TThread();
  TThread(const TThread&) = delete;
  TThread& operator=(const TThread&) = delete;

  // Lets a new thread run (the same as Resume).
  void Start() { Resume(); }
  // Lets a suspended thread go on (one Resume per Suspend).
  void Resume();
  // Stops the thread at its next wait point until Resume.
  void Suspend();
  bool Suspended() const;
  // Asks Execute to end; wakes it from Sleep and suspension.
  void Terminate();
  bool Terminated() const { return FTerminated.load(); }
  // Waits until the thread has ended; on the main thread, synchronized calls
  // keep running meanwhile. Returns ReturnValue.
  int WaitFor();
  bool Finished() const { return FFinished.load(); }

  // When true the thread deletes itself after Execute (false by default).
  bool FreeOnTerminate() const { return FFreeOnTerminate; }
  void SetFreeOnTerminate(bool value) { FFreeOnTerminate = value; }
  HANDLE Handle() const { return FHandle.Get(); }
  DWORD ThreadID() const { return FThreadID; }
  int ReturnValue() const { return FReturnValue; }
  // The exception that ended Execute, if any.
  std::exception_ptr FatalException() const { return FFatalException; }

  // Run on the main thread (synchronized) after Execute returns.
  TNotifyEvent OnTerminate;

  // Runs fn on the main thread and waits for it; from the main thread it runs
  // at once. An exception raised by fn is raised again in the caller.
  static void Synchronize(const std::function<void()>& fn);

protected:
  // The thread's work; it should return soon after Terminated() turns true.
  virtual void Execute() = 0;
  // Sleeps ms milliseconds unless terminated first, then waits while
  // suspended. False when termination was asked for.
  bool Sleep(DWORD ms);
  // Waits while suspended; false when termination was asked for.
  bool CheckSuspended();
  void SetReturnValue(int value) { FReturnValue = value; }

private:
  static unsigned __stdcall ThreadProc(void* self);
  // The body run on the new thread.
  void Run();

  THandleObject FRunEvent;        // manual reset; set while not suspended
  THandleObject FTerminateEvent;  // manual reset; set by Terminate
  THandleObject FHandle;
  unsigned FThreadID = 0;
  mutable std::mutex FStateLock;  // guards FSuspendCount with FRunEvent
  int FSuspendCount = 1;
  std::atomic<bool> FTerminated{false};
  std::atomic<bool> FFinished{false};
  bool FFreeOnTerminate = false;
  int FReturnValue = 0;
  std::exception_ptr FFatalException;
};

// Creates a thread of class T from args and starts it.
template <class T, class... Args>
std::unique_ptr<T> MakeThread(Args&&... args) {
  auto thread = std::make_unique<T>(std::forward<Args>(args)...);
  thread->Start();
  return thread;
}
