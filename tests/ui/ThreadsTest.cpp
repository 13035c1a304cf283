// Threads and timers: synchronized calls, suspension, termination, WM_TIMER.
#include <gtest/gtest.h>

#include <atomic>
#include <stdexcept>

#include "ui/Threads.h"
#include "ui/Timers.h"

namespace {

// Runs queued calls and messages on this (the main) thread until done() or the timeout.
template <class F>
bool PumpUntil(F done, DWORD timeoutMs = 5000) {
  const DWORD start = GetTickCount();
  while (!done()) {
    if (GetTickCount() - start > timeoutMs) return false;
    CheckSynchronize();
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&msg);
    MsgWaitForMultipleObjects(0, nullptr, FALSE, 5, QS_ALLINPUT);
  }
  return true;
}

// Runs a function as its Execute.
class TFunctionThread : public TThread {
public:
  explicit TFunctionThread(std::function<void(TFunctionThread&)> body) : FBody(std::move(body)) {}
  ~TFunctionThread() override {
    Terminate();
    WaitFor();
  }
  using TThread::CheckSuspended;
  using TThread::Sleep;

protected:
  void Execute() override { FBody(*this); }

private:
  std::function<void(TFunctionThread&)> FBody;
};

}  // namespace

TEST(Threads, SynchronizeRunsOnTheMainThreadAndWaits) {
  std::atomic<DWORD> ranOn{0};
  std::atomic<bool> afterCall{false};
  TFunctionThread worker([&](TFunctionThread&) {
    TThread::Synchronize([&] { ranOn = GetCurrentThreadId(); });
    afterCall = ranOn.load() != 0;  // the call has finished before Synchronize returns
  });
  worker.Start();
  ASSERT_TRUE(PumpUntil([&] { return worker.Finished(); }));
  EXPECT_EQ(ranOn.load(), MainThreadID);
  EXPECT_TRUE(afterCall);
}

TEST(Threads, SynchronizeFromTheMainThreadRunsAtOnce) {
  bool ran = false;
  TThread::Synchronize([&] { ran = true; });
  EXPECT_TRUE(ran);
  EXPECT_FALSE(CheckSynchronize());
}

TEST(Threads, AnExceptionInTheSynchronizedCallReachesTheWaitingThread) {
  std::string caught;
  TFunctionThread worker([&](TFunctionThread&) {
    try {
      TThread::Synchronize([] { throw std::runtime_error("from main"); });
    } catch (const std::runtime_error& e) {
      caught = e.what();
    }
  });
  worker.Start();
  ASSERT_TRUE(PumpUntil([&] { return worker.Finished(); }));
  EXPECT_EQ(caught, "from main");
}

TEST(Threads, ExceptionInExecuteEndsTheThreadAndIsKept) {
  TFunctionThread worker([](TFunctionThread&) { throw std::runtime_error("boom"); });
  worker.Start();
  worker.WaitFor();
  EXPECT_TRUE(worker.FatalException() != nullptr);
}

TEST(Threads, SuspendedThreadStopsAndResumesWhereItWas) {
  std::atomic<int> steps{0};
  TFunctionThread worker([&](TFunctionThread& self) {
    while (self.Sleep(2)) ++steps;
  });
  EXPECT_TRUE(worker.Suspended());
  Sleep(50);
  EXPECT_EQ(steps.load(), 0);  // created suspended: Execute has not run
  worker.Start();
  ASSERT_TRUE(PumpUntil([&] { return steps.load() >= 5; }));
  worker.Suspend();
  Sleep(20);  // let a step in progress finish
  const int held = steps.load();
  Sleep(100);
  EXPECT_EQ(steps.load(), held);
  worker.Resume();
  ASSERT_TRUE(PumpUntil([&] { return steps.load() > held + 3; }));
}

TEST(Threads, DestroyingEndsSuspendedAndWaitingThreads) {
  // Never started.
  { TFunctionThread idle([](TFunctionThread&) { FAIL() << "must not run"; }); }

  // Blocked in Synchronize while the main thread destroys it: the wait runs the call.
  std::atomic<bool> queued{false};
  std::atomic<int> calls{0};
  {
    TFunctionThread worker([&](TFunctionThread& self) {
      while (!self.Terminated()) {
        queued = true;
        TThread::Synchronize([&] { ++calls; });
      }
    });
    worker.Start();
    while (!queued) Sleep(1);
  }
  EXPECT_GE(calls.load(), 1);
}

TEST(Threads, WaitForRunsACallQueuedBeforeTheWaitBegan) {
  std::atomic<bool> queued{false};
  bool ran = false;
  TFunctionThread worker([&](TFunctionThread&) {
    queued = true;
    TThread::Synchronize([&] { ran = true; });
  });
  worker.Start();
  while (!queued) Sleep(1);
  Sleep(20);
  WaitForSingleObject(SyncEvent(), 0);  // someone else took the wake-up
  worker.WaitFor();
  EXPECT_TRUE(ran);
}

TEST(Threads, WakeHookIsCalledWhenACallIsQueued) {
  static std::atomic<int> wakes{0};
  WakeMainThreadHook = [] { ++wakes; };
  TFunctionThread worker([](TFunctionThread&) { TThread::Synchronize([] {}); });
  worker.Start();
  ASSERT_TRUE(PumpUntil([&] { return worker.Finished(); }));
  WakeMainThreadHook = nullptr;
  EXPECT_EQ(wakes.load(), 1);
}

TEST(Timers, TimerFiresWhileEnabledOnly) {
  TTimer timer(nullptr);
  int ticks = 0;
  timer.OnTimer = [&](TObject*) { ++ticks; };
  timer.SetInterval(10);
  ASSERT_TRUE(PumpUntil([&] { return ticks >= 3; }));
  timer.SetEnabled(false);
  const int held = ticks;
  PumpUntil([] { return false; }, 100);
  EXPECT_EQ(ticks, held);
}
