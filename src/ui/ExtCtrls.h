// Panels (window class "TPanel", painted here), pictures (TImage, a
// graphic control) and radio groups (a group box of radio buttons).
#pragma once

#include <vector>

#include "ui/Controls.h"
#include "ui/StdCtrls.h"

enum TBevelCut { bvNone, bvLowered, bvRaised, bvSpace };

// A panel: a frame of bevels around a centred caption, holding other controls.
class TCustomPanel : public TCustomControl {
  QUORVEL_CLASS(TCustomPanel, TCustomControl)
public:
  explicit TCustomPanel(TComponent* owner);

  TBevelCut BevelInner() const { return FBevelInner; }
  void SetBevelInner(TBevelCut value);
  TBevelCut BevelOuter() const { return FBevelOuter; }
  void SetBevelOuter(TBevelCut value);
  int BevelWidth() const { return FBevelWidth; }
  void SetBevelWidth(int value);
  int BorderWidth() const { return FBorderWidth; }
  void SetBorderWidth(int value);
  TBorderStyle BorderStyle() const { return FBorderStyle; }
  void SetBorderStyle(TBorderStyle value);
  TAlignment Alignment() const { return FAlignment; }
  void SetAlignment(TAlignment value);

protected:
  void CreateParams(TCreateParams& params) override;
  void AdjustClientRect(TRect& rect) override;
  void Paint() override;

private:
  // Redraws and re-aligns after a change of the frame.
  void FrameChanged();
  TBevelCut FBevelInner = bvNone;
  TBevelCut FBevelOuter = bvRaised;
  int FBevelWidth = 1;
  int FBorderWidth = 0;
  TBorderStyle FBorderStyle = bsNone;
  TAlignment FAlignment = taCenter;
};

// The panel of programs.
class TPanel : public TCustomPanel {
  QUORVEL_CLASS(TPanel, TCustomPanel)
public:
  explicit TPanel(TComponent* owner) : TCustomPanel(owner) {}
};

// A picture drawn on the parent: at the top left, centred or stretched;
// with AutoSize the control takes the picture's size.
class TImage : public TGraphicControl {
  QUORVEL_CLASS(TImage, TGraphicControl)
public:
  explicit TImage(TComponent* owner);

  TPicture& Picture() { return FPicture; }
  TPicture* PictureObject() { return &FPicture; }
  bool AutoSize() const { return FAutoSize; }
  void SetAutoSize(bool value);
  bool Stretch() const { return FStretch; }
  void SetStretch(bool value);
  bool Center() const { return FCenter; }
  void SetCenter(bool value);
  bool Transparent() const { return FTransparent; }
  void SetTransparent(bool value);
  // The rectangle the picture is drawn into.
  TRect DestRect() const;

protected:
  void Paint() override;

private:
  void PictureChanged();
  TPicture FPicture;
  bool FAutoSize = false;
  bool FStretch = false;
  bool FCenter = false;
  bool FTransparent = false;
};

class TCustomRadioGroup;

// One radio button of a radio group, made by the group for one of its Items.
class TGroupButton : public TRadioButton {
  QUORVEL_CLASS(TGroupButton, TRadioButton)
public:
  explicit TGroupButton(TComponent* owner);
  // The user chose this button: the group's ItemIndex follows.
  void Click() override;
};

// A group box holding one radio button per line of Items, laid out in
// Columns from top to bottom; ItemIndex is the checked one (-1: none). A
// click on a button changes ItemIndex, then runs OnClick.
class TCustomRadioGroup : public TCustomGroupBox {
  QUORVEL_CLASS(TCustomRadioGroup, TCustomGroupBox)
public:
  explicit TCustomRadioGroup(TComponent* owner);

  TStrings& Items() { return FItems; }
  TStrings* ItemsObject() { return &FItems; }
  int ItemIndex() const { return FItemIndex; }
  void SetItemIndex(int value);
  int Columns() const { return FColumns; }
  void SetColumns(int value);
  // The radio button of item index.
  TGroupButton* Buttons(int index) const { return FButtons.at(static_cast<size_t>(index)); }

protected:
  void Resize() override;
  void FontChanged() override;
  void EnabledChanged() override;

private:
  friend class TGroupButton;
  // Makes one button per item, checks the one of ItemIndex, lays them out.
  void UpdateButtons();
  void ArrangeButtons();
  void ButtonClicked(TGroupButton* button);
  TStringList FItems;
  std::vector<TGroupButton*> FButtons;
  int FItemIndex = -1;
  int FColumns = 1;
};

// The radio group of programs.
class TRadioGroup : public TCustomRadioGroup {
  QUORVEL_CLASS(TRadioGroup, TCustomRadioGroup)
public:
  explicit TRadioGroup(TComponent* owner) : TCustomRadioGroup(owner) {}
};
