// The skinner of panels, group boxes and radio groups: while skinned their
// Color is the skin's face colour (ChangeColor); a group box's caption
// takes the skin's button-text colour. Nothing is drawn.
#pragma once

#include <windows.h>

#include "skin/controls/WinSubClass.h"

class TSkinBox : public TSkinControl {
  QUORVEL_CLASS(TSkinBox, TSkinControl)
public:
  explicit TSkinBox(TComponent* AOwner);
  // A group box's caption colour before each paint.
  bool BeforeProc(TMessage& Message) override;
  // Draws nothing.
  void PaintControl(HDC DC, const TRect& Rect) override;
};
