// The skin model's values: the elements and colours that a skin's
// description and pictures give, held as plain numbers, texts and decoded
// pixels (no window, no GDI object). A whole skin is read into a TSkinValues
// apart from the component that shows it (SkinValuesReader.h) and installed
// there afterwards; the painters' model (skin/draw/SkinModel.h) builds on
// the value types below.
#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "ui/ImageFiles.h"

// A colour as the painters take it: 0x00BBGGRR, or 0x80000000 + n for the
// system colour n, in the graphics layer's signed colour type (TColor).
using TSkinColourValue = int32_t;

// A rectangle by its edges, or four numbers that go with the edges of a
// frame (the widths of its fixed left and right parts, the heights of its
// fixed top and bottom parts). The fields are named as the platform's
// RECT names them.
struct TSkinRect {
  int32_t left = 0;
  int32_t top = 0;
  int32_t right = 0;
  int32_t bottom = 0;
};

// What every skin element says besides its pictures: a strip of FrameCount
// equal frames whose fixed edges (Margins) keep their size when it is drawn
// larger.
struct TSkinElementValues {
  std::string Name;
  TSkinRect Margins;
  int32_t Trans = 0;  // nonzero: magenta pixels are not drawn
  int32_t Tile = 0;   // nonzero: the centre is tiled, else stretched
  int32_t FrameCount = 0;
  // Colour numbers of the normal, hot and pressed states (-1: not given).
  int32_t NormalColour = 0;
  int32_t MouseOverColour = 0;
  int32_t PressedColour = 0;
  TSkinColourValue NormalColour2 = 0;
  TSkinColourValue MouseOverColour2 = 0;
  TSkinColourValue PressedColour2 = 0;
};

// What the caption adds. Its element's Margins.left and Margins.top shift
// the caption text, Margins.right clips it on the right.
struct TSkinTitleValues {
  int32_t TextAlignment = 0;
  int32_t TextBackground = 0;
  int32_t FontHeight = 0;
  int32_t TextBackLeft = 0;
  int32_t TextBackRight = 0;
  TSkinColourValue ActiveTextColour = 0;    // SkinNoTextColour: not given
  TSkinColourValue InactiveTextColour = 0;  // SkinNoTextColour: not given
};

// What the push-button element adds for the check box and radio strips.
struct TSkinButtonValues {
  int32_t RadioFrameCount = 0;
  int32_t CheckFrameCount = 0;
};

// What a title-bar button adds; what the numbers mean belongs to the title bar.
struct TSkinSysButtonValues {
  int32_t Action = 0;
  int32_t Align = 0;
  int32_t XCoord = 0;
  int32_t YCoord = 0;
  int32_t CombineOp = 0;
  int32_t Visibility = 0;
  int32_t Visibility1 = 0;
};

// The colours of [Colours] and the colour list sections.
struct TSkinColours {
  TSkinColourValue WindowTextColour = 0;
  TSkinColourValue ButtonFaceColour = 0;
  TSkinColourValue ScrollbarColour = 0;
  TSkinColourValue HilightTextColour = 0;
  TSkinColourValue HilightColour = 0;
  TSkinColourValue MenubarColour = 0;
  TSkinColourValue MenuColour = 0;
  TSkinColourValue MenuTextColour = 0;
  TSkinColourValue ButtonTextColour = 0;
  TSkinColourValue ButtonHilightColour = 0;
  TSkinColourValue ButtonLightColour = 0;
  TSkinColourValue ButtonShadowColour = 0;
  TSkinColourValue ButtonDkShadowColour = 0;
  TSkinColourValue MenuBarTextColour = 0;
  TSkinColourValue TitleTextActiveColour = 0;
  TSkinColourValue TitleTextInactiveColour = 0;
  std::vector<TSkinColourValue> ColourList;

  // ColourList[Index] into Colour; false when Index is outside the list.
  bool GetListColour(int Index, TSkinColourValue& Colour) const;
};

// One element as read: its values and its picture (an empty image when the
// description names none or the entry holds no bitmap).
struct TSkinElement : TSkinElementValues {
  TDibImage Bitmap;
};

// A window border or the tab element: a second picture for the edge.
struct TSkinBorderElement : TSkinElement {
  TDibImage BorderBitmap;
};

// The caption area; Bitmap is the text background.
struct TSkinTitleElement : TSkinElement, TSkinTitleValues {};

// The push button, with the check box and radio button strips.
struct TSkinButtonElement : TSkinElement, TSkinButtonValues {
  TDibImage CheckBitmap;
  TDibImage RadioBitmap;
};

// One title-bar button.
struct TSkinSysButtonElement : TSkinElement, TSkinSysButtonValues {};

// A whole skin as its description and pictures give it. The elements that a
// description may leave out are null then.
struct TSkinValues : TSkinColours {
  std::string SkinName;
  TSkinTitleElement Title;
  TSkinButtonElement Button;
  // Borders[1..4]: Left, Right, Top, Bottom; Borders[0] is not used.
  std::array<TSkinBorderElement, 5> Borders;
  // The description's title-bar buttons, then the three MDI child buttons.
  std::vector<TSkinSysButtonElement> SysButtons;
  std::unique_ptr<TSkinBorderElement> Tabs;
  std::unique_ptr<TSkinElement> ComboButton, SunkEdge, ExtraImages, GroupBoxEdge, Toolbars,
      StatusBarEdges, Progress, Headerbar, MenuBar, MenuItem, MenuBackground, Scrollbar, HorzScroll,
      VertScroll, HorzScrollThumb, VertScrollThumb;
};

// The names of the window borders, in Borders order (Borders[0] has none).
extern const char* const SkinBorderNames[5];
