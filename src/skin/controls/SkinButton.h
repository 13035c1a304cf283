// The push-button skinner (buttons of ours and the system's "button"
// windows with a push style): the skin paints the whole face from the
// button element and takes over the left mouse button. Also what the other
// button skinners share: the face picture and the button's font.
#pragma once

#include <windows.h>

#include "skin/controls/WinSubClass.h"

// A push button: the skin paints the whole face and takes over the left
// mouse button, so that the button's own handler never sees a press (and
// never captures the mouse). A click is a release over a pressed button; it
// reaches the parent as the WM_COMMAND the button would have sent.
class TSkinButton : public TSkinControl {
  QUORVEL_CLASS(TSkinButton, TSkinControl)
public:
  using TSkinControl::TSkinControl;
  // The mouse press and the background erase are the skin's.
  bool BeforeProc(TMessage& Message) override;
  // Hover, press, release (the click) and the space bar.
  void AfterProc(TMessage& Message) override;
  // The face frame of the state, then the caption.
  void PaintControl(HDC DC, const TRect& Rect) override;
};

// The button element, when the skin has a face picture for it.
TDataSkinButton* ButtonFacePicture(TSkinModel* Skin);
// Font takes the description of the window's font (the system font when the
// window was given none), in plain style.
void TakeButtonFont(TFont& Font, HWND Wnd);
