// The title-bar buttons of a skinned frame: one per title-bar button of the
// skin (close, maximize, minimize, system menu, the MDI child buttons shown
// in the menu bar, buttons with an application-defined action). Which are
// visible, where they go, how they look in each state, and which one lies
// under a point. What a press does belongs to the frame.
#pragma once

#include <windows.h>

#include <memory>
#include <vector>

#include "skin/window/FrameMetrics.h"
#include "skin/window/FrameState.h"
#include "skin/window/NCObject.h"
#include "ui/Graphics.h"

class TDataSkinSysButton;
class TSkinData;
class TTitleButtons;

// One title-bar button, described by one of the skin's title-bar buttons.
class TWinSysButton : public TNCObject {
public:
  TWinSysButton(TTitleButtons& Owner, TNCHot& Hot, TDataSkinSysButton& SkinObject)
      : TNCObject(Hot), FOwner(Owner), FSkinObject(&SkinObject) {}
  // Straight onto the window, in the look of its state.
  void Paint() override;
  // The skin's description of the button (not owned).
  TDataSkinSysButton* SkinObject() const { return FSkinObject; }

private:
  TTitleButtons& FOwner;
  TDataSkinSysButton* FSkinObject;
};

// What the title-bar buttons need to know of their frame for a layout or a paint.
struct TTitleState {
  bool Active = true;
  TFrameWindowState WindowState = TFrameWindowState::Normal;
  uint8_t SavedButtons = 0;           // TCaptionButtons bits
  bool ActiveChildMaximized = false;  // an MDI frame whose active child is maximized
  int FrameWidth = 0;
  TRect CaptionRect{0, 0, 0, 0};
  TFrameMetrics Metrics;
  int MenuBarLeftMargin = 0;  // the skin's menu bar element's Margins.left, 0 without one
};

class TTitleButtons {
public:
  // The buttons of the window Wnd; hover changes go through Hot.
  TTitleButtons(HWND Wnd, TNCHot& Hot) : FHandle(Wnd), FHot(Hot) {}

  // One button per title-bar button of Skin. The window-icon buttons
  // (actions 3 and 11) show the window's icon: an entry without a picture,
  // or any when the skin has no default icon, takes a copy of it, and draws
  // one frame.
  void Build(TSkinData& Skin);
  // Drops the buttons, which point into the skin's entries.
  void Clear();
  const std::vector<std::unique_ptr<TWinSysButton>>& Buttons() const { return FButtons; }

  // The window's small icon (or the skin's default icon) as a bitmap; the
  // frame loads it when it attaches.
  TBitmap& Icon() { return FIcon; }

  // Decides and remembers whether Button is shown in State.
  bool IsVisible(TWinSysButton& Button, const TTitleState& State);
  // Places every visible button with a picture.
  void Layout(const TTitleState& State);
  // Paints every visible button of the title (not the MDI ones) onto Canvas.
  void Paint(TCanvas& Canvas, const TTitleState& State);
  // Paints Button in the look of its state straight onto the window.
  void PaintButton(TWinSysButton& Button);
  // The visible button with an action under P (window coordinates), or null.
  TWinSysButton* At(TPoint P) const;

private:
  HWND FHandle;
  TNCHot& FHot;
  std::vector<std::unique_ptr<TWinSysButton>> FButtons;
  TBitmap FIcon;
};
