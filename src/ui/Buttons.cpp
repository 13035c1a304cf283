// Speed buttons.
#include "ui/Buttons.h"

#include "ui/Published.h"

QUORVEL_DEFINE_CLASS(TSpeedButton) {
  p.Bool("AllowAllUp", &TSpeedButton::AllowAllUp, &TSpeedButton::SetAllowAllUp);
  p.Integer("GroupIndex", &TSpeedButton::GroupIndex, &TSpeedButton::SetGroupIndex);
  p.Bool("Down", &TSpeedButton::Down, &TSpeedButton::SetDown);
  p.Bool("Flat", &TSpeedButton::Flat, &TSpeedButton::SetFlat);
  p.Integer("NumGlyphs", &TSpeedButton::NumGlyphs, &TSpeedButton::SetNumGlyphs, 1);
  p.Enum("Layout", &TSpeedButton::Layout, &TSpeedButton::SetLayout,
         {"blGlyphLeft", "blGlyphRight", "blGlyphTop", "blGlyphBottom"});
  p.Integer("Margin", &TSpeedButton::Margin, &TSpeedButton::SetMargin, -1);
  p.Integer("Spacing", &TSpeedButton::Spacing, &TSpeedButton::SetSpacing, 4);
}

// A 23 by 22 button that captures the mouse while pressed; its clicks come
// from MouseUp, not from the plain control's click handling.
TSpeedButton::TSpeedButton(TComponent* owner) : TGraphicControl(owner) {
  FControlStyle = csCaptureMouse | csDoubleClicks;
  FWidth = 23;
  FHeight = 22;
  SetColor(clBtnFace);
  SetParentFont(true);
}

// Group members share AllowAllUp.
void TSpeedButton::SetAllowAllUp(bool value) {
  if (value == FAllowAllUp) return;
  FAllowAllUp = value;
  UpdateExclusive();
}

// Joins a group (0: none).
void TSpeedButton::SetGroupIndex(int value) {
  if (value == FGroupIndex) return;
  FGroupIndex = value;
  UpdateExclusive();
}

// Puts the button down or up. Only grouped buttons stay down; a down button
// of a group without AllowAllUp cannot be put up (another one goes down instead).
void TSpeedButton::SetDown(bool value) {
  if (FGroupIndex == 0) value = false;
  if (value == FDown) return;
  if (FDown && !FAllowAllUp) return;
  FDown = value;
  FState = value ? bsExclusive : bsUp;
  Invalidate();
  if (value) UpdateExclusive();
}

// Flat buttons show a frame only under the mouse or when down.
void TSpeedButton::SetFlat(bool value) {
  FFlat = value;
  Invalidate();
}

// The number of state images in the glyph (1 to 4).
void TSpeedButton::SetNumGlyphs(int value) {
  FNumGlyphs = value < 1 ? 1 : value > 4 ? 4 : value;
  Invalidate();
}

// Where the glyph stands relative to the caption.
void TSpeedButton::SetLayout(TButtonLayout value) {
  FLayout = value;
  Invalidate();
}

// Space between the edge and the glyph (-1: centred).
void TSpeedButton::SetMargin(int value) {
  FMargin = value < -1 ? -1 : value;
  Invalidate();
}

// Space between the glyph and the caption.
void TSpeedButton::SetSpacing(int value) {
  FSpacing = value;
  Invalidate();
}

// Broadcasts to the parent's controls that this button is down (or that the
// group's AllowAllUp changed).
void TSpeedButton::UpdateExclusive() {
  if (FGroupIndex == 0 || !Parent()) return;
  TMessage msg{CM_BUTTONPRESSED, static_cast<WPARAM>(FGroupIndex), reinterpret_cast<LPARAM>(this), 0};
  Parent()->Broadcast(msg);
}

// Another button of our group went down: this one goes up.
void TSpeedButton::ButtonPressed(int group, TSpeedButton* sender) {
  if (group != FGroupIndex || sender == this) return;
  if (sender->Down() && FDown) {
    FDown = false;
    FState = bsUp;
    Invalidate();
  }
  FAllowAllUp = sender->AllowAllUp();
}

// Group news, hot tracking and enabling.
void TSpeedButton::WndProc(TMessage& msg) {
  switch (msg.Msg) {
    case CM_BUTTONPRESSED:
      ButtonPressed(static_cast<int>(msg.WParam), reinterpret_cast<TSpeedButton*>(msg.LParam));
      msg.Result = 0;
      return;
    case CM_DIALOGCHAR:
      if (IsAccel(msg.WParam, Caption()) && Enabled() && Visible() && Parent() && Parent()->CanFocus()) {
        Click();
        msg.Result = 1;
        return;
      }
      break;
    case CM_MOUSEENTER:
    case CM_MOUSELEAVE:
      TGraphicControl::WndProc(msg);
      if (FFlat && Enabled()) Invalidate();
      return;
    case CM_ENABLEDCHANGED:
      FState = Enabled() ? (FDown ? bsExclusive : bsUp) : bsDisabled;
      Invalidate();
      break;
    default:
      break;
  }
  TGraphicControl::WndProc(msg);
}

// A left press shows the button pressed.
void TSpeedButton::MouseDown(TMouseButton button, TShiftState shift, int x, int y) {
  TGraphicControl::MouseDown(button, shift, x, y);
  if (button != mbLeft || !Enabled()) return;
  if (!FDown) {
    FState = bsDown;
    Invalidate();
  }
  FDragging = true;
}

// While pressed, the button looks down only with the mouse over it.
void TSpeedButton::MouseMove(TShiftState shift, int x, int y) {
  TGraphicControl::MouseMove(shift, x, y);
  if (!FDragging) return;
  const bool inside = x >= 0 && x < Width() && y >= 0 && y < Height();
  const TButtonState next = inside ? (FDown ? bsExclusive : bsDown) : (FDown ? bsExclusive : bsUp);
  if (next != FState) {
    FState = next;
    Invalidate();
  }
}

// A release over the button clicks it: a grouped button toggles Down first.
void TSpeedButton::MouseUp(TMouseButton button, TShiftState shift, int x, int y) {
  const bool wasDragging = FDragging;
  FDragging = false;
  if (wasDragging && button == mbLeft) {
    const bool doClick = x >= 0 && x < Width() && y >= 0 && y < Height();
    if (FGroupIndex == 0) {
      FState = bsUp;
      Invalidate();
    } else if (doClick) {
      SetDown(!FDown);
      FState = FDown ? bsExclusive : bsUp;
      Invalidate();
    } else {
      FState = FDown ? bsExclusive : bsUp;
      Invalidate();
    }
    if (doClick) Click();
  }
  TGraphicControl::MouseUp(button, shift, x, y);
}

// Drawn like a push button: up, pressed, down (exclusive) or, when flat,
// raised only under the mouse.
void TSpeedButton::Paint() {
  HDC dc = Canvas()->Handle();
  RECT r = ClientRect();
  const bool pressed = FState == bsDown || FState == bsExclusive || FDown;
  if (FFlat) {
    Canvas()->Brush().SetColor(Color());
    Canvas()->FillRect(r);
    if (pressed) DrawEdge(dc, &r, BDR_SUNKENOUTER, BF_RECT);
    else if (FMouseInControl && Enabled()) DrawEdge(dc, &r, BDR_RAISEDINNER, BF_RECT);
  } else {
    UINT state = DFCS_BUTTONPUSH | DFCS_ADJUSTRECT;
    if (pressed) state |= DFCS_PUSHED;
    if (FDown && FState == bsExclusive) state |= DFCS_CHECKED;
    RECT face = r;
    DrawFrameControl(dc, &face, DFC_BUTTON, state);
  }
  const std::string text = Caption();
  if (text.empty()) return;
  RECT textRect = r;
  if (pressed) OffsetRect(&textRect, 1, 1);
  TSelectObjectGuard font(dc, Font().Handle());
  SetBkMode(dc, TRANSPARENT);
  const UINT format = DT_CENTER | DT_VCENTER | DT_SINGLELINE;
  if (!Enabled()) {
    RECT shadow = textRect;
    OffsetRect(&shadow, 1, 1);
    SetTextColor(dc, ColorToRGB(clBtnHighlight));
    DrawTextA(dc, text.c_str(), static_cast<int>(text.size()), &shadow, format);
    SetTextColor(dc, ColorToRGB(clBtnShadow));
  } else {
    SetTextColor(dc, ColorToRGB(Font().Color()));
  }
  DrawTextA(dc, text.c_str(), static_cast<int>(text.size()), &textRect, format);
}
