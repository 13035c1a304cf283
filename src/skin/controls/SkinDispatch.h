// Which control skinner takes which child control of a skinned window: for
// a form of ours an ordered table of rows (predicate, kind, factory, attach
// mode) over the components, under the skin data's SkinControls and
// DisableTag; for a window of the system a table over the child windows'
// class names and styles. The form skinner calls it when it attaches.
#pragma once

#include <windows.h>

#include <cstdint>
#include <string>

#include "skin/controls/ControlKinds.h"
#include "ui/Graphics.h"

class TComponent;
class TSkinModel;
class TSkinnerHost;
class TWinControl;

// A window's class name (read into a buffer of 100 characters).
std::string WindowClassName(HWND Wnd);

// Where the new control skinners go and what they draw with.
struct TSkinDispatch {
  TComponent* Owner = nullptr;  // the form skinner: every skinner's owner
  TSkinModel* Skin = nullptr;
  TSkinControlTypes Kinds = AllSkinControlTypes;  // the kinds that get skinners
  int32_t DisableTag = 99;    // a control whose Tag mod 100 is this keeps its look
  TCanvas* Canvas = nullptr;  // the form skinner's control canvas

  // Hands the components of a form or frame of ours to control skinners,
  // recursing into frames and embedded forms (which take the face colour).
  void SkinComponents(TWinControl* Container) const;
  // Hands the direct child windows of a window of the system to control
  // skinners, by class and style.
  void SkinChildWindows(HWND Parent) const;
  // One child window of a window of the system (nothing when one is served).
  void SkinChildWindow(HWND Wnd) const;

private:
  // The owner as the host it is.
  TSkinnerHost& Host() const;
};
