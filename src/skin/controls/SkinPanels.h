// The smaller control skinners: panels and group boxes (recoloured only),
// status bars and progress bars (drawn completely from the skin), tab and
// page controls (their tab strip and page border), column headers, and the
// size boxes of system dialogs (which show nothing).
//
// Skin elements: StatusBarEdges (1 lowered, 2 raised, 3 flat panel;
// NormalColour2 is the text colour), Progress (1 empty bar, 2 filled part),
// Tabs (1 normal, 2 selected tab; NormalColour2 and MouseOverColour2 their
// caption colours; BorderBitmap the page border), Headerbar (frame 1), and
// the colours ButtonFaceColour and ButtonTextColour.
#pragma once

#include <windows.h>

#include <commctrl.h>

#include <string>

#include "skin/controls/WinSubClass.h"

// Panels, group boxes and radio groups: while skinned their Color is the
// skin's face colour (ChangeColor); a group box's caption takes the skin's
// button-text colour. Nothing is drawn.
class TSkinBox : public TSkinControl {
  QUORVEL_CLASS(TSkinBox, TSkinControl)
public:
  explicit TSkinBox(TComponent* AOwner);
  bool BeforeProc(TMessage& Message) override;
  void PaintControl(HDC DC, const TRect& Rect) override;
};

// A status bar drawn completely by the skinner: one picture per panel from
// StatusBarEdges (plain 3-D frames without it) and the panel texts.
class TSkinStatusBar : public TSkinControl {
  QUORVEL_CLASS(TSkinStatusBar, TSkinControl)
public:
  explicit TSkinStatusBar(TComponent* AOwner);
  bool BeforeProc(TMessage& Message) override;
  void PaintControl(HDC DC, const TRect& Rect) override;

private:
  // One panel: its picture (frame 1 lowered, 2 raised, 3 flat) and text.
  void DrawPanel(TCanvas& Canvas, const TRect& Rect, int Frame, UINT Align,
                 const std::string& Text);
};

// A progress bar drawn completely from the Progress picture: the empty bar,
// and over it the filled part from the left, Position / Max of the width.
class TSkinProgress : public TSkinControl {
  QUORVEL_CLASS(TSkinProgress, TSkinControl)
public:
  explicit TSkinProgress(TComponent* AOwner);
  bool BeforeProc(TMessage& Message) override;
  void PaintControl(HDC DC, const TRect& Rect) override;
};

// Tab and page controls, attached by window handle: the control paints
// itself, then the skinner paints the tab strip and the page border over it.
class TSkinTab : public TSkinControl {
  QUORVEL_CLASS(TSkinTab, TSkinControl)
public:
  explicit TSkinTab(TComponent* AOwner);
  // The base attach, then the focus, enabled state and caption read again,
  // and the pictures prepared.
  void InitWindow(HWND Handle, TSkinData* SkinData, TCanvas* Canvas) override;
  void PaintControl(HDC DC, const TRect& Rect) override;
  // Copies the Tabs pictures, turned for the side the tabs are on. Also
  // called after a skin change.
  void PrepareImages();

  uint8_t FTabPosition = 0;  // 0 top, 1 bottom, 2 left, 3 right
  TBitmap FTabImage;         // the Tabs picture for this side, 24 bits
  TBitmap FBorderImage;      // the page border for this side, 24 bits
  TBitmap FWorkBitmap;       // the tab strip is composed here, lying as if on top

private:
  // The strip's tabs, composed in FWorkBitmap and copied onto S.
  void PaintStrip(HDC DC, const TRect& Rect, const TRect& D, const TRect& S);
};

// A tab caption with an image from ImageList before it, the pair centred
// in Rect (ImageIndex -1: the caption alone).
void DrawTabCaption(TSkinControl& Skinner, TCanvas& Canvas, const TRect& Rect,
                    const std::string& Text, int ImageIndex, HIMAGELIST ImageList);

// A column header (of a list view): every item on frame 1 of Headerbar, the
// rest of the control filled with it too.
class TSkinHeader : public TSkinControl {
  QUORVEL_CLASS(TSkinHeader, TSkinControl)
public:
  explicit TSkinHeader(TComponent* AOwner);
  // The base attach, then this object joins the form skinner's list.
  void InitWindow(HWND Handle, TSkinData* SkinData, TCanvas* Canvas) override;
  bool BeforeProc(TMessage& Message) override;
  void PaintControl(HDC DC, const TRect& Rect) override;
};

// The size box of a system dialog (a bare window of class "scrollbar"):
// shows nothing.
class TSkinSizer : public TSkinControl {
  QUORVEL_CLASS(TSkinSizer, TSkinControl)
public:
  explicit TSkinSizer(TComponent* AOwner);
  bool BeforeProc(TMessage& Message) override;
};
