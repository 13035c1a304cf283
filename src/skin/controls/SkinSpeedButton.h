// The speed-button skinner. A speed button has no window: it is skinned
// through its WindowProc and painted through its parent's window, on its
// own canvas. Its own mouse handling runs; the skin only paints it.
#pragma once

#include <windows.h>

#include "skin/controls/SkinBitButton.h"

class TSpeedButton;

// Face frames: 1 normal, 2 pressed or down, 3 disabled, 4 under the mouse.
class TSkinSpeedButton : public TSkinBitButton {
  QUORVEL_CLASS(TSkinSpeedButton, TSkinBitButton)
public:
  // No window: FHandle stays null.
  explicit TSkinSpeedButton(TComponent* AOwner);
  // Attaches to SpeedButton, which is also FControl (so that the form
  // skinner finds it among its skinned controls); the owner's list takes
  // this object.
  void InitSpeedButton(TSpeedButton* SpeedButton, TSkinModel* SkinData, TCanvas* Canvas);
  // The button's own paint message is answered by the skin.
  bool BeforeProc(TMessage& Message) override;
  // Hover, press and release repaint; the button clicks itself.
  void AfterProc(TMessage& Message) override;
  // Paints the button now, through its canvas (nothing when the parent has
  // no window).
  void Paint() override;
  // Forgets a speed button that is being freed.
  void Notification(TComponent* AComponent, TOperation Operation) override;

  // The skinned button, or null once it was freed.
  TSpeedButton* SpeedButton() const { return FSpeedButton; }

private:
  // Paints the button on DC (whose origin is the button's top-left) into
  // Rect; false when the skin has no button picture.
  bool PaintButton(HDC DC, const TRect& Rect);

  TSpeedButton* FSpeedButton = nullptr;
};
