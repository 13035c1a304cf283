// A timer component: OnTimer runs on the main thread every Interval milliseconds.
#pragma once

#include <windows.h>

#include <cstdint>

#include "ui/Classes.h"

// Calls OnTimer every Interval milliseconds while Enabled, through WM_TIMER
// of a hidden message-only window of its own.
class TTimer : public TComponent {
  QUORVEL_CLASS(TTimer, TComponent)
public:
  explicit TTimer(TComponent* owner);
  ~TTimer() override;

  bool Enabled() const { return FEnabled; }
  void SetEnabled(bool value);
  uint32_t Interval() const { return FInterval; }
  void SetInterval(uint32_t value);
  // The hidden window that receives WM_TIMER.
  HWND WindowHandle() const { return FWindow; }

  void Loaded() override;

  TNotifyEvent OnTimer;

protected:
  // Runs OnTimer; called on each WM_TIMER.
  virtual void Timer();

private:
  // Starts or stops the system timer to match Enabled and Interval.
  void UpdateTimer();
  static LRESULT CALLBACK WndProc(HWND wnd, UINT msg, WPARAM wParam, LPARAM lParam);

  bool FEnabled = true;
  uint32_t FInterval = 1000;
  HWND FWindow = nullptr;
  bool FRunning = false;
};
