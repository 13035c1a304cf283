// The MDI side of a skinned frame: the "MDIClient" child that makes a
// window an MDI frame, its subclass (it learns of children coming and
// going, keeps its own scroll bars off and the real menu off the frame),
// and the commands the frame's MDI buttons send to the active child. The
// manager's maximized state follows the children after every command that
// arranges them or changes the active one; the children's frames follow
// that state.
#pragma once

#include <windows.h>

#include <functional>

#include "ui/Messages.h"
#include "ui/Subclass.h"

class TMdiClient {
public:
  // The frame's message handling that a message for the frame goes on to.
  using TFrameDefault = std::function<void(TMessage&)>;

  // Looks for the MDI client among Frame's children; true when Frame is an
  // MDI frame.
  bool Find(HWND Frame);
  // The MDI client window, or null.
  HWND Handle() const { return FClient; }
  // Whether the active child is maximized.
  bool IsActiveChildMaximized() const;
  // Sends the system command Command to the active child; the children
  // leave the maximized state with it.
  void SendToActiveChild(WPARAM Command);
  // The children's state changed: the manager's maximized state and the
  // frame's bar follow them.
  void FollowChildren();

  // Subclasses the client (once); FrameDefault takes WM_MDISETMENU.
  void Subclass(TFrameDefault FrameDefault);
  // Gives the client its own procedure back.
  void Unsubclass();
  // The children go with the frame without a WM_MDIDESTROY: their skinners
  // are released with the frame's.
  void ReleaseChildren();

private:
  // The client's messages.
  void WndProc(TMessage& Message);
  // Hands Message to the client's own procedure.
  void CallDefault(TMessage& Message);

  HWND FFrame = nullptr;
  HWND FClient = nullptr;
  HWND FNewChild = nullptr;  // created, not skinned until the menu is refreshed
  TWindowSubclass FSubclass;
  bool FSubclassed = false;  // from Subclass to Unsubclass
  TFrameDefault FFrameDefault;
};
