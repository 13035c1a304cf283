#include "support/UserAction.h"

namespace {

UserAction* gAction = nullptr;

// Runs the armed action once its window is there and it is ready.
void CALLBACK UserTimer(HWND, UINT, UINT_PTR id, DWORD) {
  if (!gAction || gAction->Done) {
    KillTimer(nullptr, id);
    return;
  }
  HWND wnd = FindWindowA(gAction->ClassName.c_str(),
                         gAction->Title.empty() ? nullptr : gAction->Title.c_str());
  if (!wnd || !IsWindowVisible(wnd)) return;
  if (gAction->Ready && !gAction->Ready()) return;
  gAction->Done = true;
  KillTimer(nullptr, id);
  gAction->Act(wnd);
}

}  // namespace

std::string TextOf(HWND wnd) {
  char text[256] = {};
  GetWindowTextA(wnd, text, sizeof text);
  return text;
}

HWND ChildWithText(HWND parent, const std::string& text) {
  for (HWND child = GetWindow(parent, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT))
    if (TextOf(child) == text) return child;
  return nullptr;
}

void WhenWindowAppears(UserAction& action) {
  gAction = &action;
  SetTimer(nullptr, 0, 50, UserTimer);
}

void ForgetUserAction() { gAction = nullptr; }
