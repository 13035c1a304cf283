// A graphic control that shows activity: a short colour gradient slides from
// one end of the control to the other and back, one step per timer tick.
#pragma once

#include <cstdint>
#include <memory>

#include "components/JvImageDrawThread.h"
#include "ui/Controls.h"
#include "ui/Graphics.h"

class TJvWaitingGradient : public TGraphicControl {
  QUORVEL_CLASS(TJvWaitingGradient, TGraphicControl)
public:
  explicit TJvWaitingGradient(TComponent* owner);
  // Stops and frees the thread, then the bitmap.
  ~TJvWaitingGradient() override;

  // Builds the bitmap and starts the motion if enabled.
  void Loaded() override;

  // Runs or halts the motion (this replaces the control's own enabled flag).
  bool Enabled() const { return FEnabled; }
  void SetEnabled(bool value) override;
  uint32_t Interval() const { return FInterval; }
  void SetInterval(uint32_t value);
  TColor StartColor() const { return FStartColor; }
  void SetStartColor(TColor value);
  TColor EndColor() const { return FEndColor; }
  void SetEndColor(TColor value);
  int32_t GradientWidth() const { return FGradientWidth; }
  // Values of 0 or less are ignored.
  void SetGradientWidth(int32_t value);

  // The state of the motion and of the picture.
  int Position() const { return FPosition; }
  bool MovingRight() const { return FMovingRight; }
  const TRect& SourceRect() const { return FSourceRect; }
  const TRect& DestRect() const { return FDestRect; }
  TBitmap* GradientBitmap() const { return FBitmap.get(); }
  TJvImageDrawThread* Thread() const { return FThread.get(); }
  // How many times the bitmap has been drawn.
  int BuildCount() const { return FBuildCount; }

  // One step of the motion; the thread's OnDraw, run on the main thread.
  void StepGradient(TObject* sender);

protected:
  void Paint() override;
  void Resize() override;

private:
  // Draws the gradient into the bitmap, EndColor on the side it moves towards.
  void BuildGradientBitmap();
  // Resets FSourceRect and FDestRect to (0, 0, GradientWidth, Height).
  void ResetRects();

  bool FMovingRight = true;
  std::unique_ptr<TBitmap> FBitmap;
  int FPosition = -50;
  int32_t FGradientWidth = 50;
  TColor FStartColor = clBtnFace;
  TColor FEndColor = clBlack;
  TRect FSourceRect{0, 0, 50, 0};
  TRect FDestRect{0, 0, 50, 0};
  uint32_t FInterval = 50;
  bool FEnabled = false;
  std::unique_ptr<TJvImageDrawThread> FThread;
  int FBuildCount = 0;
};
