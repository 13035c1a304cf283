// The tab-control skinner (tab and page controls, attached by window
// handle): the control paints itself, then the skinner paints the tab
// strip from the Tabs picture (1 normal, 2 selected tab; NormalColour2 and
// MouseOverColour2 their caption colours) and the page border from its
// BorderBitmap over it. Tabs on the bottom, left or right use the pictures
// turned for their side.
#pragma once

#include <windows.h>

#include <commctrl.h>

#include <cstdint>
#include <string>

#include "skin/controls/WinSubClass.h"

// The side of the control the tabs are on.
enum class TTabSide : uint8_t { Top, Bottom, Left, Right };

class TSkinTab : public TSkinControl {
  QUORVEL_CLASS(TSkinTab, TSkinControl)
public:
  explicit TSkinTab(TComponent* AOwner);
  // The base attach, then the focus, enabled state and caption read again,
  // and the pictures prepared.
  void InitWindow(HWND Handle, TSkinModel* SkinData, TCanvas* Canvas) override;
  // The tab strip and the page border over the control's own painting.
  void PaintControl(HDC DC, const TRect& Rect) override;
  // The pictures of a changed skin.
  void SkinChanged() override;
  // Copies the Tabs pictures, turned for the side the tabs are on.
  void PrepareImages();

private:
  // The strip's tabs, composed in FWorkBitmap and copied onto S.
  void PaintStrip(HDC DC, const TRect& Rect, const TRect& D, const TRect& S);

  TTabSide FTabPosition = TTabSide::Top;
  TBitmap FTabImage;     // the Tabs picture for this side, 24 bits
  TBitmap FBorderImage;  // the page border for this side, 24 bits
  TBitmap FWorkBitmap;   // the tab strip is composed here, lying as if on top
};

// A tab caption with an image from ImageList before it, the pair centred
// in Rect (ImageIndex -1: the caption alone); not Enabled: in clBtnShadow.
void DrawTabCaption(TCanvas& Canvas, const TRect& Rect, bool Enabled, const std::string& Text,
                    int ImageIndex, HIMAGELIST ImageList);
