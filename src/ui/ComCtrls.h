// Common controls: the status bar ("TStatusBar", a msctls_statusbar32
// superclass) and its panels.
#pragma once

#include <string>

#include "ui/Controls.h"

class TStatusBar;

enum TStatusPanelBevel { pbNone, pbLowered, pbRaised };
enum TStatusPanelStyle { psText, psOwnerDraw };

// One part of a status bar: its width and text.
class TStatusPanel : public TCollectionItem {
  QUORVEL_CLASS(TStatusPanel, TCollectionItem)
public:
  explicit TStatusPanel(TCollection* collection);

  const std::string& Text() const { return FText; }
  void SetText(const std::string& value);
  int Width() const { return FWidth; }
  void SetWidth(int value);
  TAlignment Alignment() const { return FAlignment; }
  void SetAlignment(TAlignment value);
  TStatusPanelBevel Bevel() const { return FBevel; }
  void SetBevel(TStatusPanelBevel value);
  TStatusPanelStyle Style() const { return FStyle; }
  void SetStyle(TStatusPanelStyle value);

private:
  std::string FText;
  int FWidth = 50;
  TAlignment FAlignment = taLeftJustify;
  TStatusPanelBevel FBevel = pbLowered;
  TStatusPanelStyle FStyle = psText;
};

// The panels of a status bar; changes go to the window at once.
class TStatusPanels : public TCollection {
public:
  explicit TStatusPanels(TStatusBar& statusBar);
  TStatusPanel* Add();
  TStatusPanel* Items(int index) const;

protected:
  void Update(TCollectionItem* item) override;

private:
  TStatusBar& FStatusBar;
};

// A status bar, bottom-aligned by default. Panels are laid out from the
// left with their widths; the last one runs to the right edge. In simple
// mode the bar shows SimpleText across its whole width instead.
class TStatusBar : public TWinControl {
  QUORVEL_CLASS(TStatusBar, TWinControl)
public:
  explicit TStatusBar(TComponent* owner);
  ~TStatusBar() override;

  TStatusPanels& Panels() { return FPanels; }
  TCollection* PanelsObject() { return &FPanels; }
  bool SimplePanel() const { return FSimplePanel; }
  void SetSimplePanel(bool value);
  const std::string& SimpleText() const { return FSimpleText; }
  void SetSimpleText(const std::string& value);
  // A size grip at the right end (the window is made again on a change).
  bool SizeGrip() const { return FSizeGrip; }
  void SetSizeGrip(bool value);

  // Gives the window the panels' widths and texts (all, or one panel).
  void UpdatePanels();
  void UpdatePanel(int index);
  void Loaded() override;

protected:
  void CreateParams(TCreateParams& params) override;
  void InitWnd() override;

private:
  TStatusPanels FPanels{*this};
  bool FSimplePanel = false;
  std::string FSimpleText;
  bool FSizeGrip = true;
};
