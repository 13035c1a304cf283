// The column-header skinner (the header of a list view): every item on
// frame 1 of Headerbar with its text, the rest of the control filled with
// it too. A Headerbar element without a picture leaves the header to the
// platform, like a missing one.
#pragma once

#include <windows.h>

#include "skin/controls/WinSubClass.h"

class TSkinHeader : public TSkinControl {
  QUORVEL_CLASS(TSkinHeader, TSkinControl)
public:
  explicit TSkinHeader(TComponent* AOwner);
  // The base attach, then this object joins the owner's list.
  void InitWindow(HWND Handle, TSkinModel* SkinData, TCanvas* Canvas) override;
  // The erase goes when the skin paints the header.
  bool BeforeProc(TMessage& Message) override;
  // Every item and the rest of the control from the Headerbar picture.
  void PaintControl(HDC DC, const TRect& Rect) override;
};
