#include "components/JvImageDrawThread.h"

#include <algorithm>

TJvImageDrawThread::TJvImageDrawThread() = default;

// Ends the loop before the members it reads go away.
TJvImageDrawThread::~TJvImageDrawThread() {
  Terminate();
  WaitFor();
}

// Sleep, then one synchronized draw, until terminated. While suspended the
// thread waits inside Sleep; an error ends the thread.
void TJvImageDrawThread::Execute() {
  while (!Terminated()) {
    if (!Sleep(static_cast<DWORD>(std::max(Delay.load(), 0)))) break;
    Synchronize([this] { DoDraw(); });
  }
}

// Runs on the main thread. A draw queued just before the thread was suspended
// is dropped, so nothing moves once the owner has disabled it.
void TJvImageDrawThread::DoDraw() {
  if (Terminated() || Suspended() || !OnDraw) return;
  OnDraw(this);
}
