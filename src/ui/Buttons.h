// Speed buttons: graphic push buttons that may stay down, alone or in a group.
#pragma once

#include "ui/Controls.h"

enum TButtonState { bsUp, bsDisabled, bsDown, bsExclusive };
enum TButtonLayout { blGlyphLeft, blGlyphRight, blGlyphTop, blGlyphBottom };

// A button drawn on its parent. With GroupIndex 0 it springs back after a
// click; otherwise a click toggles Down before OnClick runs: buttons of the
// same group are exclusive, and with AllowAllUp a down button can go up.
class TSpeedButton : public TGraphicControl {
  QUORVEL_CLASS(TSpeedButton, TGraphicControl)
public:
  explicit TSpeedButton(TComponent* owner);

  bool AllowAllUp() const { return FAllowAllUp; }
  void SetAllowAllUp(bool value);
  int GroupIndex() const { return FGroupIndex; }
  void SetGroupIndex(int value);
  bool Down() const { return FDown; }
  void SetDown(bool value);
  bool Flat() const { return FFlat; }
  void SetFlat(bool value);
  TBitmap& Glyph() { return FGlyph; }
  int NumGlyphs() const { return FNumGlyphs; }
  void SetNumGlyphs(int value);
  TButtonLayout Layout() const { return FLayout; }
  void SetLayout(TButtonLayout value);
  int Margin() const { return FMargin; }
  void SetMargin(int value);
  int Spacing() const { return FSpacing; }
  void SetSpacing(int value);
  // Up, down while pressed, or down and staying (exclusive).
  TButtonState State() const { return FState; }
  bool MouseInControl() const { return FMouseInControl; }

  void WndProc(TMessage& msg) override;

protected:
  void Paint() override;
  void MouseDown(TMouseButton button, TShiftState shift, int x, int y) override;
  void MouseMove(TShiftState shift, int x, int y) override;
  void MouseUp(TMouseButton button, TShiftState shift, int x, int y) override;

private:
  int GlyphCell() const;
  // Tells the other buttons of the group that this one went down.
  void UpdateExclusive();
  void ButtonPressed(int group, TSpeedButton* sender);

  bool FAllowAllUp = false;
  int FGroupIndex = 0;
  bool FDown = false;
  bool FFlat = false;
  bool FDragging = false;
  TButtonState FState = bsUp;
  TBitmap FGlyph;
  int FNumGlyphs = 1;
  TButtonLayout FLayout = blGlyphLeft;
  int FMargin = -1;
  int FSpacing = 4;
};
