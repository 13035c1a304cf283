// The simulated user of modal loops: a timer of the main thread that acts on
// a window once it is there, from inside whatever loop is running.
#pragma once

#include <windows.h>

#include <functional>
#include <string>

// A window's text.
std::string TextOf(HWND wnd);
// The child window with that text, or null.
HWND ChildWithText(HWND parent, const std::string& text);

// What the user does once a visible window of ClassName (and Title, when
// given) is there.
struct UserAction {
  std::string ClassName;
  std::string Title;
  std::function<void(HWND)> Act;
  // Optional: the action waits until this holds too.
  std::function<bool()> Ready = nullptr;
  bool Done = false;
};

// Arms the simulated user for the next modal loop (one action at a time).
void WhenWindowAppears(UserAction& action);
// Disarms it.
void ForgetUserAction();
