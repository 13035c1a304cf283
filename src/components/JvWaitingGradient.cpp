#include "components/JvWaitingGradient.h"

#include <climits>

#include "components/GradientMotion.h"
#include "ui/Published.h"

// The gradient's own published properties and the defaults it gives inherited ones.
QUORVEL_DEFINE_CLASS(TJvWaitingGradient) {
  p.Integer("Height", &TControl::Height, &TControl::SetHeight, 10);
  p.Integer("Width", &TControl::Width, &TControl::SetWidth, 100);
  p.Color("EndColor", &TJvWaitingGradient::EndColor, &TJvWaitingGradient::SetEndColor, clBlack);
  p.Bool("Enabled", &TJvWaitingGradient::Enabled, &TJvWaitingGradient::SetEnabled, false);
  p.Integer("GradientWidth", &TJvWaitingGradient::GradientWidth,
            &TJvWaitingGradient::SetGradientWidth)
      .AlwaysStored();
  p.Integer("Interval", &TJvWaitingGradient::Interval, &TJvWaitingGradient::SetInterval, 50);
  p.Color("StartColor", &TJvWaitingGradient::StartColor, &TJvWaitingGradient::SetStartColor,
          clBtnFace);
  p.Bool("ParentColor", &TControl::ParentColor, &TControl::SetParentColor, true);
}

// Opaque, still, out of view on the left and moving right (the members'
// initial values); 100 x 10 in button face.
TJvWaitingGradient::TJvWaitingGradient(TComponent* owner) : TGraphicControl(owner) {
  SetControlStyle(ControlStyle() | csOpaque);
  FBitmap = std::make_unique<TBitmap>();
  FBitmap->SetPixelFormat(TPixelFormat::pf24bit);
  ResetRects();
  FThread = std::make_unique<TJvImageDrawThread>();
  FThread->Delay = static_cast<int>(FInterval);
  FThread->OnDraw = [this](TObject* sender) { StepGradient(sender); };
  SetColor(clBtnFace);
  SetHeight(10);
  SetWidth(100);
}

// The thread goes first: told to stop drawing, terminated and waited for.
TJvWaitingGradient::~TJvWaitingGradient() {
  Destroying();
  FThread->OnDraw.Clear();
  FThread->Terminate();
  FThread.reset();
  FBitmap.reset();
}

// Builds the bitmap that loading held back; starts the motion if enabled.
void TJvWaitingGradient::Loaded() {
  TGraphicControl::Loaded();
  BuildGradientBitmap();
  if (FEnabled) FThread->Resume();
}

// Resumes or suspends the thread; the position stays. Only a change acts, so
// the thread's suspension never nests.
void TJvWaitingGradient::SetEnabled(bool value) {
  if (value == FEnabled) return;
  FEnabled = value;
  if (IsLoading()) return;
  if (value)
    FThread->Resume();
  else
    FThread->Suspend();
}

// Takes effect from the thread's next sleep.
void TJvWaitingGradient::SetInterval(uint32_t value) {
  FInterval = value;
  FThread->Delay = static_cast<int>(std::min<uint32_t>(value, INT32_MAX));
}

// The trailing edge's colour; a change rebuilds the bitmap.
void TJvWaitingGradient::SetStartColor(TColor value) {
  if (value == FStartColor) return;
  FStartColor = value;
  BuildGradientBitmap();
}

// The leading edge's colour; a change rebuilds the bitmap.
void TJvWaitingGradient::SetEndColor(TColor value) {
  if (value == FEndColor) return;
  FEndColor = value;
  BuildGradientBitmap();
}

// A new width puts the gradient just out of view on the left; the direction stays.
void TJvWaitingGradient::SetGradientWidth(int32_t value) {
  if (value <= 0) return;
  FGradientWidth = value;
  FPosition = -value;
  ResetRects();
  BuildGradientBitmap();
}

// Both rectangles at (0, 0, GradientWidth, Height).
void TJvWaitingGradient::ResetRects() {
  FSourceRect = Rect(0, 0, FGradientWidth, Height());
  FDestRect = FSourceRect;
}

// New size: the rectangles start again at the left end; the position stays
// (the next step puts FDestRect back at it).
void TJvWaitingGradient::Resize() {
  TGraphicControl::Resize();
  ResetRects();
  BuildGradientBitmap();
}

// GradientWidth x Height, in bands from the trailing colour to the leading one.
void TJvWaitingGradient::BuildGradientBitmap() {
  if (!FBitmap || IsLoading()) return;
  const TColor from = FMovingRight ? FStartColor : FEndColor;
  const TColor to = FMovingRight ? FEndColor : FStartColor;
  FBitmap->SetSize(FGradientWidth, Height());
  ++FBuildCount;
  TCanvas& canvas = FBitmap->Canvas();
  for (const TGradientBand& band :
       GradientBands(FGradientWidth, Width(), ColorToRGB(from), ColorToRGB(to))) {
    canvas.Brush().SetColor(static_cast<TColor>(band.Color));
    canvas.FillRect(Rect(band.Left, 0, band.Right, Height()));
  }
}

// Background in Color on both sides of the gradient, then the gradient at FDestRect.
void TJvWaitingGradient::Paint() {
  if (!FBitmap) return;
  TCanvas& canvas = *Canvas();
  canvas.Brush().SetColor(Color());
  if (FPosition > 0) canvas.FillRect(Rect(0, 0, FPosition, Height()));
  const int right = FPosition + FBitmap->Width();
  if (right < Width()) canvas.FillRect(Rect(right, 0, Width(), Height()));
  canvas.SetCopyMode(SRCCOPY);
  canvas.CopyRect(FDestRect, FBitmap->Canvas(), FSourceRect);
}

// Two pixels on, or a turn at the border; then repaint at once.
void TJvWaitingGradient::StepGradient(TObject*) {
  TGradientMotion motion{FPosition, FMovingRight};
  const bool turned = StepGradientMotion(motion, FGradientWidth, Width());
  FPosition = motion.Position;
  FMovingRight = motion.MovingRight;
  if (turned) BuildGradientBitmap();
  FDestRect.left = FPosition;
  FDestRect.right = FPosition + FGradientWidth;
  Repaint();
}
