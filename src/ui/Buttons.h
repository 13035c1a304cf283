// Speed buttons (graphic push buttons that may stay down, alone or in a
// group) and bitmap buttons (push buttons with a glyph, "TBitBtn").
#pragma once

#include "ui/ButtonLayout.h"
#include "ui/Controls.h"
#include "ui/StdCtrls.h"

enum TButtonState { bsUp, bsDisabled, bsDown, bsExclusive };

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
  // The glyph: up to four cells side by side (up, disabled, pressed, down).
  TBitmap& Glyph() { return FGlyph; }
  TBitmap* GlyphObject() { return &FGlyph; }
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

// A push button (a BUTTON superclass, "TBitBtn") that draws itself: the face,
// a cell of its glyph (up, disabled, pressed; the fourth cell, down, is for
// buttons that stay down) placed by Layout, Margin and Spacing, and the
// caption. Clicks, Default, Cancel and ModalResult are those of TButton.
class TBitBtn : public TButton {
  QUORVEL_CLASS(TBitBtn, TButton)
public:
  explicit TBitBtn(TComponent* owner);

  TBitmap& Glyph() { return FGlyph; }
  TBitmap* GlyphObject() { return &FGlyph; }
  int NumGlyphs() const { return FNumGlyphs; }
  void SetNumGlyphs(int value);
  TButtonLayout Layout() const { return FLayout; }
  void SetLayout(TButtonLayout value);
  int Margin() const { return FMargin; }
  void SetMargin(int value);
  int Spacing() const { return FSpacing; }
  void SetSpacing(int value);

  void WndProc(TMessage& msg) override;

protected:
  void CreateParams(TCreateParams& params) override;
  // Paints the button for a reflected WM_DRAWITEM.
  virtual void DrawItem(const DRAWITEMSTRUCT& item);

private:
  TBitmap FGlyph;
  int FNumGlyphs = 1;
  TButtonLayout FLayout = blGlyphLeft;
  int FMargin = -1;
  int FSpacing = 4;
};
