// The skinner of a system dialog's size box (a bare window of class
// "scrollbar"): it shows nothing.
#pragma once

#include <windows.h>

#include "skin/controls/WinSubClass.h"

class TSkinSizer : public TSkinControl {
  QUORVEL_CLASS(TSkinSizer, TSkinControl)
public:
  explicit TSkinSizer(TComponent* AOwner);
  // Paint and erase are answered without drawing.
  bool BeforeProc(TMessage& Message) override;
};
