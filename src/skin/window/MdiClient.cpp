#include "skin/window/MdiClient.h"

#include <string>
#include <utility>

#include "skin/data/SkinTrace.h"
#include "skin/window/FrameState.h"
#include "skin/window/SkinManager.h"

// The first child of class "MDIClient".
bool TMdiClient::Find(HWND Frame) {
  FFrame = Frame;
  FClient = nullptr;
  for (HWND child = GetTopWindow(Frame); child; child = GetWindow(child, GW_HWNDNEXT)) {
    char name[100] = {};
    GetClassNameA(child, name, sizeof name);
    if (std::string(name) == "MDIClient") {
      FClient = child;
      return true;
    }
  }
  return false;
}

// WM_MDIGETACTIVE with its maximized flag.
bool TMdiClient::IsActiveChildMaximized() const {
  if (!FClient) return false;
  BOOL maximized = FALSE;
  const HWND child = reinterpret_cast<HWND>(
      SendMessageA(FClient, WM_MDIGETACTIVE, 0, reinterpret_cast<LPARAM>(&maximized)));
  return child && maximized;
}

// Afterwards the manager's maximized state follows the children.
void TMdiClient::SendToActiveChild(WPARAM Command) {
  if (!FClient) return;
  const HWND child = reinterpret_cast<HWND>(SendMessageA(FClient, WM_MDIGETACTIVE, 0, 0));
  if (!child) return;
  SendMessageA(child, WM_SYSCOMMAND, Command, 0);
  FollowChildren();
}

// The manager recomputes its state; the frame's bar shows or drops the
// maximized child's buttons.
void TMdiClient::FollowChildren() {
  if (SkinManager) SkinManager->FollowMdiChildren();
  if (FFrame) PostMessageA(FFrame, WM_SKINPAINTFRAME, 0, 0);
}

// Through the subclass helper.
void TMdiClient::Subclass(TFrameDefault FrameDefault) {
  if (FSubclassed || !FClient) return;
  FFrameDefault = std::move(FrameDefault);
  FSubclassed = FSubclass.Attach(FClient, [this](TMessage& m) { WndProc(m); });
}

// Once.
void TMdiClient::Unsubclass() {
  if (!FSubclassed) return;
  FSubclassed = false;
  FSubclass.Detach();
}

// Each child window of the client loses its skinner.
void TMdiClient::ReleaseChildren() {
  if (!FSubclassed || !SkinManager) return;
  for (HWND child = GetWindow(FClient, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT))
    SkinManager->DetachForm(child);
}

// Through the subclass, the one way back.
void TMdiClient::CallDefault(TMessage& Message) { FSubclass.CallPrevious(Message); }

// No scroll bars of its own; new children are noted and skinned at the
// menu refresh that follows; a destroyed child's skinner goes first.
void TMdiClient::WndProc(TMessage& Message) {
  switch (Message.Msg) {
    case WM_NCCALCSIZE: {
      // The client never shows scroll bars of its own.
      const LONG_PTR style = GetWindowLongPtrA(FClient, GWL_STYLE);
      if (style & (WS_HSCROLL | WS_VSCROLL))
        SetWindowLongPtrA(FClient, GWL_STYLE, style & ~LONG_PTR(WS_HSCROLL | WS_VSCROLL));
      CallDefault(Message);
      return;
    }
    case WM_MDICREATE:
      CallDefault(Message);
      FNewChild = reinterpret_cast<HWND>(Message.Result);
      return;
    case WM_MDIDESTROY: {
      const auto child = reinterpret_cast<HWND>(Message.WParam);
      char text[32];
      wsprintfA(text, "WM_MDIDESTROY %4x",
                static_cast<unsigned>(reinterpret_cast<UINT_PTR>(child)));
      SkinTrace(std::string("**MDI: ") + text);
      if (SkinManager) SkinManager->DetachForm(child);
      if (FNewChild == child) FNewChild = nullptr;
      CallDefault(Message);
      FollowChildren();
      return;
    }
    case WM_MDIRESTORE:
    case WM_MDIMAXIMIZE:
    case WM_MDIACTIVATE:
    case WM_MDINEXT:
    case WM_MDICASCADE:
    case WM_MDITILE:
    case WM_MDIICONARRANGE:
      // The children's arrangement or the active child changed.
      CallDefault(Message);
      FollowChildren();
      return;
    case WM_MDISETMENU: {
      // The frame's menu is not for the client: it would put a real menu bar
      // back on the frame.
      char text[80];
      wsprintfA(text, "*****WM_MDISETMENU Frame %1x,Window %1x",
                static_cast<unsigned>(Message.WParam), static_cast<unsigned>(Message.LParam));
      SkinTrace(std::string("**MDI: ") + text);
      // The Window menu still goes to the client, which lists the children
      // in it; the frame's menu does not.
      if (Message.LParam) {
        TMessage windowMenu = Message;
        windowMenu.WParam = 0;
        CallDefault(windowMenu);
      }
      if (FFrameDefault) FFrameDefault(Message);
      return;
    }
    case WM_MDIREFRESHMENU:
      if (FNewChild && SkinManager) {
        SkinManager->AttachForm(FNewChild);
        PostMessageA(FFrame, WM_SKINPAINTFRAME, 0, 0);
      }
      CallDefault(Message);
      return;
    default: CallDefault(Message);
  }
}
