// What the skin engine's benchmarks share: a clock in milliseconds and
// running the thread's message queue.
#pragma once

#include <windows.h>

#include <chrono>

namespace bench {

using Clock = std::chrono::steady_clock;

inline double MsSince(Clock::time_point start) {
  return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

// Dispatches every message waiting in the queue.
inline void Pump() {
  MSG msg;
  while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
    TranslateMessage(&msg);
    DispatchMessageA(&msg);
  }
}

// Runs the queue until done() holds; false when limitMs pass first.
template <class Done>
bool PumpUntil(Done done, double limitMs = 20000) {
  const auto start = Clock::now();
  while (!done()) {
    if (MsSince(start) > limitMs) return false;
    Pump();
    Sleep(1);
  }
  return true;
}

}  // namespace bench
