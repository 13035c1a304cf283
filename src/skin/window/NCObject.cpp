#include "skin/window/NCObject.h"

// The previous hot object leaves first; a hidden object stays out.
void TNCObject::MouseDown() {
  if (FHot.Object && FHot.Object != this) FHot.Object->MouseLeave();
  if (!FVisible) return;
  FHot.Object = this;
  FState = TState::Pressed;
  Paint();
}

// Hot and repainted.
void TNCObject::MouseUp() {
  if (!FVisible) return;
  FState = TState::Hot;
  Paint();
}

// Nothing when it is the hot object already.
void TNCObject::MouseMove() {
  if (FHot.Object == this) return;
  if (FHot.Object) FHot.Object->MouseLeave();
  if (!FVisible) return;
  FHot.Object = this;
  FState = TState::Hot;
  Paint();
}

// Normal and repainted; the frame has no hot object then.
void TNCObject::MouseLeave() {
  if (!FVisible) return;
  FHot.Object = nullptr;
  FState = TState::Normal;
  Paint();
}
