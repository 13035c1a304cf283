// The objects a skinned frame draws in its non-client area and that follow
// the mouse: title-bar buttons and menu-bar buttons. A frame has one object
// under the mouse or pressed at a time (TNCHot); every state change goes
// through it.
#pragma once

#include "ui/Classes.h"
#include "ui/Graphics.h"

class TNCObject;

// The one non-client object of a frame under the mouse or pressed, or null.
struct TNCHot {
  TNCObject* Object = nullptr;
};

// A button drawn in the non-client area: a rectangle in window coordinates
// whose look follows its state.
class TNCObject : public TObject {
public:
  // The looks of an object.
  enum class TState : int { Normal = 1, Pressed = 2, Hot = 3 };

  // An object of the frame whose hot object is Hot.
  explicit TNCObject(TNCHot& Hot) : FHot(Hot) {}

  // Pressed: becomes the frame's hot object (the previous one leaves).
  virtual void MouseDown();
  // Released over it: hot again.
  virtual void MouseUp();
  // The mouse came over it: becomes the hot object (the previous one leaves).
  virtual void MouseMove();
  // The mouse left it: normal again, and no longer the hot object.
  virtual void MouseLeave();
  // Paints the object in its state.
  virtual void Paint() {}

  // Where it is, in window coordinates.
  const TRect& Bounds() const { return FBounds; }
  void SetBounds(const TRect& Bounds) { FBounds = Bounds; }
  // Hidden objects ignore the mouse.
  bool Visible() const { return FVisible; }
  void SetVisible(bool Visible) { FVisible = Visible; }
  TState State() const { return FState; }

protected:
  TNCHot& FHot;
  TRect FBounds{0, 0, 0, 0};
  bool FVisible = false;
  TState FState = TState::Normal;
};
