// The skinner of a scroll-bar control: its whole window is one bar drawn
// from the skin (see ScrollBarPaint.h); the platform keeps the scrolling.
#pragma once

#include <windows.h>

#include "skin/controls/ScrollGeometry.h"
#include "skin/controls/WinSubClass.h"

class TSkinScControl : public TSkinControl {
  QUORVEL_CLASS(TSkinScControl, TSkinControl)
public:
  explicit TSkinScControl(TComponent* AOwner);

  // The bar's scroll notifications: the pressed part, the control's own
  // handling, then the bar repainted.
  bool BeforeProc(TMessage& Message) override;
  // A program's change of position or range repaints the bar.
  void AfterProc(TMessage& Message) override;
  // The whole window as one bar.
  void PaintControl(HDC DC, const TRect& Rect) override;

private:
  TScrollPart FPressedPart = sppNone;
  TScrollBarMetrics FMetrics;
};
