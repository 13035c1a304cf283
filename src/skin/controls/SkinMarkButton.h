// Check boxes and radio buttons (ours and the system's): after the platform
// has drawn the control, only its mark box is painted over from a strip of
// the skin's button element; text and behaviour stay the platform's.
#pragma once

#include <windows.h>

#include "skin/controls/WinSubClass.h"

// The common part of check boxes and radio buttons.
class TSkinMarkButton : public TSkinControl {
  QUORVEL_CLASS(TSkinMarkButton, TSkinControl)
public:
  using TSkinControl::TSkinControl;
  // Every change of check, state, mouse or hover repaints the box.
  void AfterProc(TMessage& Message) override;
  // The box's frame of the strip, at the box's place.
  void PaintControl(HDC DC, const TRect& Rect) override;

protected:
  // The strip of this kind and its frame count.
  virtual TBitmap& MarkBitmap(TDataSkinButton& Button) = 0;
  virtual int MarkFrameCount(TDataSkinButton& Button) = 0;
  // The frame of the strip for the control's state (Style: its window style).
  virtual int MarkFrame(LONG_PTR Style, int FrameCount) = 0;
};

// A check box: 1 unchecked, 2 checked, 3 disabled.
class TSkinCheckBox : public TSkinMarkButton {
  QUORVEL_CLASS(TSkinCheckBox, TSkinMarkButton)
public:
  using TSkinMarkButton::TSkinMarkButton;

protected:
  TBitmap& MarkBitmap(TDataSkinButton& Button) override { return Button.CheckBitmap; }
  int MarkFrameCount(TDataSkinButton& Button) override { return Button.CheckFrameCount; }
  int MarkFrame(LONG_PTR Style, int FrameCount) override;
};

// A radio button: 1 unchecked, 2 checked, 3 disabled unchecked, 4 disabled
// checked.
class TSkinRadioButton : public TSkinMarkButton {
  QUORVEL_CLASS(TSkinRadioButton, TSkinMarkButton)
public:
  using TSkinMarkButton::TSkinMarkButton;

protected:
  TBitmap& MarkBitmap(TDataSkinButton& Button) override { return Button.RadioBitmap; }
  int MarkFrameCount(TDataSkinButton& Button) override { return Button.RadioFrameCount; }
  int MarkFrame(LONG_PTR Style, int FrameCount) override;
};
