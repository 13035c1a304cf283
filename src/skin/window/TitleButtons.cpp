#include "skin/window/TitleButtons.h"

#include <algorithm>

#include "skin/draw/SkinDraw.h"
#include "skin/window/WinSkinData.h"

namespace {

// A strip's frame count, never below 1 (a damaged skin may say 0).
int Frames(const TDataSkinObject& Object) { return std::max(1, Object.FrameCount); }

// The window-icon actions draw the icon instead of a picture of their own.
bool ShowsIcon(const TDataSkinSysButton& Entry) { return Entry.Action == 3 || Entry.Action == 11; }

}  // namespace

// The owner paints it.
void TWinSysButton::Paint() { FOwner.PaintButton(*this); }

// The entries in skin order; the icon entries take the window's icon.
void TTitleButtons::Build(TSkinData& Skin) {
  Clear();
  for (auto& entry : Skin.SysButtons) {
    if (ShowsIcon(*entry)) {
      if (entry->Bitmap.Empty() || Skin.DefaultIcon.Empty()) entry->Bitmap.Assign(&FIcon);
      entry->FrameCount = 1;
    }
    FButtons.push_back(std::make_unique<TWinSysButton>(*this, FHot, *entry));
  }
}

// The hot object goes with the buttons.
void TTitleButtons::Clear() {
  FHot.Object = nullptr;
  FButtons.clear();
}

// Both condition codes must hold; maximize and minimize buttons need their
// caption buttons.
bool TTitleButtons::IsVisible(TWinSysButton& Button, const TTitleState& State) {
  const TDataSkinSysButton& entry = *Button.SkinObject();
  const uint8_t s = State.SavedButtons;
  const bool maximized = State.WindowState == TFrameWindowState::Maximized;
  // One condition code; Primary tells Visibility from Visibility1.
  auto condition = [&](int code, bool primary) {
    switch (code) {
      case 0: return primary ? (entry.Action != 0 || (s & sbSystemMenu)) : true;
      case 1: return maximized;
      case 2: return !maximized;
      case 3: return State.Active;
      case 4: return !State.Active;
      case 6: return primary ? (s & sbMaximize) && (s & sbSystemMenu) : (s & sbMaximize) != 0;
      case 7: return !(s & sbMaximize);
      case 8: return primary ? (s & sbMinimize) && (s & sbSystemMenu) : (s & sbMinimize) != 0;
      case 9: return !(s & sbMinimize);
      case 100: return State.ActiveChildMaximized;
      default: return code >= 200 && code <= 2000;
    }
  };
  bool visible = condition(entry.Visibility, true) && condition(entry.Visibility1, false);
  if (entry.Action == 1 && !(s & sbMaximize)) visible = false;
  if (entry.Action == 2 && !(s & sbMinimize)) visible = false;
  Button.SetVisible(visible);
  return visible;
}

// By Align: from the left or right end, beside the caption, or (100) in the
// menu band at its right end.
void TTitleButtons::Layout(const TTitleState& State) {
  const TFrameMetrics& m = State.Metrics;
  for (auto& button : FButtons) {
    const TDataSkinSysButton& entry = *button->SkinObject();
    if (!IsVisible(*button, State) || entry.Bitmap.Empty()) continue;
    const int w = entry.Bitmap.Width() / Frames(entry), h = entry.Bitmap.Height();
    int x = 0, y = 0;
    switch (entry.Align) {
      case 0:
        x = entry.XCoord;
        y = entry.YCoord;
        break;
      case 1:
        x = State.FrameWidth - entry.XCoord;
        y = entry.YCoord;
        break;
      case 2:
      case 8:
        x = State.CaptionRect.left - w - entry.XCoord;
        y = entry.YCoord;
        break;
      case 3:
      case 9:
        x = entry.XCoord + State.CaptionRect.right;
        y = entry.YCoord;
        break;
      case 100:
        x = State.FrameWidth - entry.XCoord - m.BorderRight - State.MenuBarLeftMargin;
        y = m.TitleHeight + (m.MenuHeight - h) / 2;
        break;
      default: break;
    }
    button->SetBounds(TRect{x, y, x + w, y + h});
  }
}

// Frame 1, or 4 for an inactive window whose strip has it; the icon whole.
void TTitleButtons::Paint(TCanvas& Canvas, const TTitleState& State) {
  for (auto& button : FButtons) {
    TDataSkinSysButton& entry = *button->SkinObject();
    if (!IsVisible(*button, State) || entry.Bitmap.Empty() || entry.Visibility == 100) continue;
    const int frame = (State.Active || Frames(entry) < 4) ? 1 : 4;
    const bool icon = ShowsIcon(entry);
    DrawFrame(Canvas.Handle(), button->Bounds(), icon ? FIcon : entry.Bitmap, true,
              icon ? 1 : frame);
  }
}

// The state's frame (4 for a hot MDI button); a strip without that state
// shows its normal look.
void TTitleButtons::PaintButton(TWinSysButton& Button) {
  TDataSkinSysButton& entry = *Button.SkinObject();
  int frame = static_cast<int>(Button.State());
  if (entry.Visibility == 100 && Button.State() == TNCObject::TState::Hot) frame = 4;
  if (frame > Frames(entry)) frame = 1;
  const bool icon = ShowsIcon(entry);
  const TWindowDC dc(FHandle, TWindowDC::Window);
  DrawFrame(dc, Button.Bounds(), icon ? FIcon : entry.Bitmap, true, icon ? 1 : frame);
}

// The first visible one, in skin order, whose action is not negative.
TWinSysButton* TTitleButtons::At(TPoint P) const {
  for (auto& button : FButtons)
    if (button->Visible() && button->SkinObject()->Action >= 0 && PtInRect(&button->Bounds(), P))
      return button.get();
  return nullptr;
}
