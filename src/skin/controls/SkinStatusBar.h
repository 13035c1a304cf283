// The status-bar skinner (a status bar of ours or a system dialog's): drawn
// completely by the skinner, one picture per panel from StatusBarEdges
// (plain 3-D frames without it) and the panel texts in the element's
// NormalColour2.
#pragma once

#include <windows.h>

#include <string>

#include "skin/controls/WinSubClass.h"

// The frames of the StatusBarEdges picture, counted from 1.
enum class TPanelFrame : int { Lowered = 1, Raised = 2, Flat = 3 };

class TSkinStatusBar : public TSkinControl {
  QUORVEL_CLASS(TSkinStatusBar, TSkinControl)
public:
  explicit TSkinStatusBar(TComponent* AOwner);
  // Paint and erase are the skin's.
  bool BeforeProc(TMessage& Message) override;
  // The face colour, then every panel.
  void PaintControl(HDC DC, const TRect& Rect) override;

private:
  // One panel: its picture and text.
  void DrawPanel(TCanvas& Canvas, const TRect& Rect, TPanelFrame Frame, UINT Align,
                 const std::string& Text);
};
