// The combo-box skinner (ours, one of another component set, a dialog's
// "combobox", or the combo box inside a "comboboxex32"): drawn straight
// onto the window DC over what the platform painted, replacing the border
// and the drop-down button; the text area stays the platform's.
#pragma once

#include <windows.h>

#include "skin/controls/WinSubClass.h"

// The drop-down button from the skin's combo button strip (frames as
// TFaceFrame: focused or under the mouse is hot), with the arrow of the
// extra images, and a sunken edge on the left, top and bottom.
class TSkinComBox : public TSkinControl {
  QUORVEL_CLASS(TSkinComBox, TSkinControl)
public:
  using TSkinControl::TSkinControl;
  // Press, release, hover and the edit's focus repaint.
  void AfterProc(TMessage& Message) override;
  // Border ring, button and sunken edge.
  void PaintControl(HDC DC, const TRect& Rect) override;
};
