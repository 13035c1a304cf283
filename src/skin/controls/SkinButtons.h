// Skinners of the clickable controls, drawn from the skin's button element:
// push buttons (ours and the system's), bitmap buttons, speed buttons (which
// have no window: they are painted through their parent), and check boxes
// and radio buttons (of which only the mark box is redrawn; their text and
// behaviour stay the platform's).
//
// Face frames of the button picture, counted from 1: 1 normal, 2 pressed
// (and a speed button that is down), 3 disabled, 4 under the mouse or (push
// and bitmap buttons) focused; 5 is never shown.
#pragma once

#include <windows.h>

#include <string>

#include "skin/controls/WinSubClass.h"

class TSpeedButton;

// A push button: the skin paints the whole face and takes over the left
// mouse button, so that the button's own handler never sees a press (and
// never captures the mouse). A click is a release over a pressed button; it
// reaches the parent as the WM_COMMAND the button would have sent.
class TSkinButton : public TSkinControl {
  QUORVEL_CLASS(TSkinButton, TSkinControl)
public:
  using TSkinControl::TSkinControl;
  bool BeforeProc(TMessage& Message) override;
  void AfterProc(TMessage& Message) override;
  void PaintControl(HDC DC, const TRect& Rect) override;
};

// A bitmap button: a push button whose face also carries a glyph, placed
// with the caption by the button's Layout, Margin and Spacing.
class TSkinBitButton : public TSkinButton {
  QUORVEL_CLASS(TSkinBitButton, TSkinButton)
public:
  using TSkinButton::TSkinButton;
  void PaintControl(HDC DC, const TRect& Rect) override;
};

// A speed button, skinned through its WindowProc (it has no window; FHandle
// stays null and FControl is the button). Its own mouse handling runs; the
// skin only paints it.
class TSkinSpeedButton : public TSkinBitButton {
  QUORVEL_CLASS(TSkinSpeedButton, TSkinBitButton)
public:
  explicit TSkinSpeedButton(TComponent* AOwner);
  ~TSkinSpeedButton() override;
  // Attaches to SpeedButton; the form skinner's list takes this object.
  void InitSpeedButton(TSpeedButton* SpeedButton, TSkinData* SkinData, TCanvas* Canvas);
  void Restore() override;
  bool BeforeProc(TMessage& Message) override;
  void AfterProc(TMessage& Message) override;
  // Paints the button now, through its canvas (nothing when the parent has
  // no window).
  void Paint() override;
  void Notification(TComponent* AComponent, TOperation Operation) override;

  TSpeedButton* FSpeedButton = nullptr;

private:
  // Paints the button on DC (whose origin is the button's top-left) into
  // Rect; false when the skin has no button picture.
  bool PaintButton(HDC DC, const TRect& Rect);
};

// The common part of check boxes and radio buttons: after the platform has
// drawn the control, its mark box is painted over from a strip of the skin.
class TSkinMarkButton : public TSkinControl {
  QUORVEL_CLASS(TSkinMarkButton, TSkinControl)
public:
  using TSkinControl::TSkinControl;
  void AfterProc(TMessage& Message) override;
  void PaintControl(HDC DC, const TRect& Rect) override;

protected:
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

// Where the glyph and the caption of a bitmap or speed button go.
struct TGlyphPlacement {
  POINT Glyph{0, 0};
  TRect Text{0, 0, 0, 0};
};

// Places a glyph and a caption of the given sizes in a (Width, Height)
// button, for Layout 0 glyph left, 1 right, 2 top, 3 bottom. Margin is the
// space from the edge to the glyph and Spacing the space between glyph and
// caption; -1 shares out the free space (thirds when both are -1). With a
// given Margin and Spacing -1 the vertical free space is measured in
// PaintHeight. A speed button's centred margin is one pixel larger.
TGlyphPlacement PlaceGlyph(int Width, int Height, int PaintHeight, SIZE Glyph, SIZE Text,
                           int Layout, int Margin, int Spacing, bool SpeedButton);
