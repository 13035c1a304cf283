// The edit skinner (single-line edits and edit-like controls): the sunken
// border becomes a flat one, a line of the skin's button-shadow colour with
// the control's background inside it. No skin picture is used; the text
// area stays the platform's.
#pragma once

#include <windows.h>

#include "skin/controls/WinSubClass.h"

class TSkinEdit : public TSkinControl {
  QUORVEL_CLASS(TSkinEdit, TSkinControl)
public:
  using TSkinControl::TSkinControl;
  // The flat border over the platform's sunken one.
  void PaintControl(HDC DC, const TRect& Rect) override;
};
