// Threads and timers: synchronized calls, suspension, termination, WM_TIMER.
#include <gtest/gtest.h>

#include <atomic>
#include <stdexcept>

#include "support/Wait.h"
#include "ui/Threads.h"
#include "ui/Timers.h"

namespace {

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
  ASSERT_TRUE(WaitUntil([&] { return worker.Finished(); }));
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
  ASSERT_TRUE(WaitUntil([&] { return worker.Finished(); }));
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
  // Created suspended: Execute has not run.
  EXPECT_FALSE(HappensWithin([&] { return steps.load() != 0; }, 50));
  worker.Start();
  ASSERT_TRUE(WaitUntil([&] { return steps.load() >= 5; }));
  worker.Suspend();
  // Suspension is cooperative: a step already past its wait point may still
  // count, but no further one.
  const int held = steps.load();
  EXPECT_FALSE(HappensWithin([&] { return steps.load() > held + 1; }, 100));
  worker.Resume();
  ASSERT_TRUE(WaitUntil([&] { return steps.load() > held + 3; }));
}

TEST(Threads, DestroyingEndsSuspendedAndWaitingThreads) {
  // Never started.
  {
    TFunctionThread idle([](TFunctionThread&) { FAIL() << "must not run"; });
  }

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
    ASSERT_TRUE(WaitUntil([&] { return queued.load(); }));
  }
  EXPECT_GE(calls.load(), 1);
}

// Set by the wake hook, which runs right after a worker's call has been
// queued: tests learn from it that the call is waiting.
HANDLE gQueued = nullptr;

TEST(Threads, WaitForRunsACallQueuedBeforeTheWaitBegan) {
  gQueued = CreateEventA(nullptr, TRUE, FALSE, nullptr);
  WakeMainThreadHook = [] { SetEvent(gQueued); };
  bool ran = false;
  TFunctionThread worker([&](TFunctionThread&) { TThread::Synchronize([&] { ran = true; }); });
  worker.Start();
  // Wait without running queued calls, so that the call is still waiting.
  ASSERT_EQ(WaitForSingleObject(gQueued, kWaitDeadlineMs), WAIT_OBJECT_0);
  WakeMainThreadHook = nullptr;
  CloseHandle(gQueued);
  EXPECT_FALSE(ran);
  ASSERT_EQ(WaitForSingleObject(SyncEvent(), 0), WAIT_OBJECT_0);  // someone else took the wake-up
  worker.WaitFor();
  EXPECT_TRUE(ran);
}

TEST(Threads, WakeHookIsCalledWhenACallIsQueued) {
  static std::atomic<int> wakes{0};
  WakeMainThreadHook = [] { ++wakes; };
  TFunctionThread worker([](TFunctionThread&) { TThread::Synchronize([] {}); });
  worker.Start();
  ASSERT_TRUE(WaitUntil([&] { return worker.Finished(); }));
  WakeMainThreadHook = nullptr;
  EXPECT_EQ(wakes.load(), 1);
}

TEST(Timers, TimerFiresWhileEnabledOnly) {
  TTimer timer(nullptr);
  int ticks = 0;
  timer.OnTimer = [&](TObject*) { ++ticks; };
  timer.SetInterval(10);
  ASSERT_TRUE(WaitUntil([&] { return ticks >= 3; }));
  timer.SetEnabled(false);
  const int held = ticks;
  EXPECT_FALSE(HappensWithin([&] { return ticks != held; }, 100));
}
