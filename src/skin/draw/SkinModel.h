// The skin model as the painters read it: every element's values with its
// pictures as bitmaps ready to draw, the colours and the face brush. A skin
// read apart into TSkinValues (skin/data) is installed here in one step;
// the skin data component (skin/window) is the model that the manager and
// every skinner are given.
#pragma once

#include <windows.h>

#include <array>
#include <memory>
#include <string>
#include <vector>

#include "skin/data/SkinValues.h"
#include "skin/draw/SkinDraw.h"
#include "ui/Classes.h"
#include "ui/Graphics.h"

// One skin element: a strip of FrameCount equal frames side by side, whose
// fixed edges (Margins) keep their size when the element is drawn larger.
class TDataSkinObject : public TObject, public TSkinElementValues {
public:
  explicit TDataSkinObject(const std::string& AName);
  TDataSkinObject(const TDataSkinObject&) = delete;
  TDataSkinObject& operator=(const TDataSkinObject&) = delete;

  TBitmap Bitmap;
  // Bitmap composed at the sizes last drawn (menu items).
  TNineSliceCache Composed;
};

// A window border or the tab element: a second picture for the edge.
class TDataSkinBorder : public TDataSkinObject {
public:
  using TDataSkinObject::TDataSkinObject;
  TBitmap BorderBitmap;
};

// The caption area. Bitmap is the text background; Margins.left and
// Margins.top shift the caption text, Margins.right clips it on the right.
class TDataSkinTitle : public TDataSkinObject, public TSkinTitleValues {
public:
  using TDataSkinObject::TDataSkinObject;
};

// The push-button element, with the check box and radio button strips.
class TDataSkinButton : public TDataSkinObject, public TSkinButtonValues {
public:
  using TDataSkinObject::TDataSkinObject;
  TBitmap CheckBitmap;
  TBitmap RadioBitmap;
};

// One title-bar button; what the numbers mean belongs to the title bar.
class TDataSkinSysButton : public TDataSkinObject, public TSkinSysButtonValues {
public:
  using TDataSkinObject::TDataSkinObject;
};

// The whole skin in force: what the painters read, and nothing about where
// it came from.
class TSkinModel : public TSkinColours {
public:
  // An empty model: the permanent elements exist, nothing is installed.
  TSkinModel();
  virtual ~TSkinModel();
  TSkinModel(const TSkinModel&) = delete;
  TSkinModel& operator=(const TSkinModel&) = delete;

  // Takes a skin read apart: the permanent elements are refilled, the others
  // made anew (or dropped), the colours taken over, the face brush made, and
  // the model is no longer empty.
  void Install(TSkinValues&& Values);

  std::string SkinName;
  bool SkinEmpty = true;
  HBRUSH FaceBrush() const { return FFaceBrush.Get(); }

  // Never null: made with the model and refilled at every install.
  std::unique_ptr<TDataSkinTitle> Title;
  std::unique_ptr<TDataSkinButton> Button;
  // Borders[1..4]: Left, Right, Top, Bottom; Borders[0] is always null.
  std::array<std::unique_ptr<TDataSkinBorder>, 5> Borders;
  // Made anew at every install: the description's title-bar buttons, then
  // the three MDI child buttons.
  std::vector<std::unique_ptr<TDataSkinSysButton>> SysButtons;
  // Made anew at every install; null when the description gives no picture.
  std::unique_ptr<TDataSkinBorder> Tabs;
  std::unique_ptr<TDataSkinObject> ComboButton, SunkEdge, ExtraImages, GroupBoxEdge, Toolbars,
      StatusBarEdges, Progress, Headerbar, MenuBar, MenuItem, MenuBackground, Scrollbar, HorzScroll,
      VertScroll, HorzScrollThumb, VertScrollThumb;

private:
  TBrushObject FFaceBrush;
};
