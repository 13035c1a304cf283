// The timer thread of the waiting gradient: it sleeps Delay milliseconds and
// then has OnDraw run on the main thread, waiting until it has run there.
#pragma once

#include <atomic>

#include "ui/Threads.h"

class TJvImageDrawThread : public TThread {
public:
  // Created suspended (every TThread is); not freed on termination.
  TJvImageDrawThread();
  // Terminates the thread and waits for it.
  ~TJvImageDrawThread() override;

  // Milliseconds between two draws; read by the thread at each sleep.
  std::atomic<int> Delay{50};
  // Run on the main thread once per Delay, with this thread as sender.
  TNotifyEvent OnDraw;

protected:
  void Execute() override;

private:
  // Calls OnDraw on the main thread, unless terminated, suspended meanwhile or unset.
  void DoDraw();
};
