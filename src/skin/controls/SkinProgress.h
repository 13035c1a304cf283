// The progress-bar skinner: the bar drawn completely from the Progress
// picture (frame 1 the empty bar, frame 2 the filled part), the filled part
// from the left, Position / Max of the width. Without a Progress picture
// the bar keeps its own painting.
#pragma once

#include <windows.h>

#include "skin/controls/WinSubClass.h"

class TSkinProgress : public TSkinControl {
  QUORVEL_CLASS(TSkinProgress, TSkinControl)
public:
  explicit TSkinProgress(TComponent* AOwner);
  // Paint and erase are the skin's when it has a Progress picture.
  bool BeforeProc(TMessage& Message) override;
  // The empty bar and its filled part.
  void PaintControl(HDC DC, const TRect& Rect) override;
};
