// Skinners of combo boxes and edits. Both draw straight onto the window DC
// over what the platform painted, replacing only the border (and a combo
// box's drop-down button); the text area stays the platform's.
#pragma once

#include <windows.h>

#include "skin/controls/WinSubClass.h"

// A combo box (ours, one of another component set, a dialog's "combobox",
// or the combo box inside a "comboboxex32"): the drop-down button from the
// skin's combo button strip, a sunken edge on the left, top and bottom.
// Button frames: 1 normal, 2 pressed, 3 disabled, 4 focused or under the
// mouse.
class TSkinComBox : public TSkinControl {
  QUORVEL_CLASS(TSkinComBox, TSkinControl)
public:
  using TSkinControl::TSkinControl;
  void AfterProc(TMessage& Message) override;
  void PaintControl(HDC DC, const TRect& Rect) override;
};

// A single-line edit or an edit-like control: its sunken border becomes a
// flat one, a line of the skin's button-shadow colour with the control's
// background inside it. No skin picture is used.
class TSkinEdit : public TSkinControl {
  QUORVEL_CLASS(TSkinEdit, TSkinControl)
public:
  using TSkinControl::TSkinControl;
  void PaintControl(HDC DC, const TRect& Rect) override;
};

// The brush a control fills its background with, as its parent answers the
// control's colour message (the static one when disabled or, for an edit,
// read-only); the system's window or face brush when the parent gives none.
HBRUSH ControlBackgroundBrush(HWND Wnd, HDC DC, bool IsEdit);
