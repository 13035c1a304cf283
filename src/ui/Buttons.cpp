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

namespace {

// Where the glyph and the caption go inside a button of size (w, h).
struct GlyphLayout {
  POINT Glyph;
  POINT Text;
};

// Places a glyph of size g and a text of size t in a (w, h) button: along
// the layout's axis with Margin from the edge (-1: centred) and Spacing
// between them (-1: the free space shared out); across it, centred.
GlyphLayout CalcLayout(int w, int h, SIZE g, SIZE t, TButtonLayout layout, int margin, int spacing) {
  const bool horizontal = layout == blGlyphLeft || layout == blGlyphRight;
  const int length = horizontal ? w : h;
  const int glyphLength = horizontal ? g.cx : g.cy;
  const int textLength = horizontal ? t.cx : t.cy;
  if (glyphLength == 0 || textLength == 0) spacing = 0;
  if (margin == -1) {
    if (spacing == -1) {
      margin = (length - glyphLength - textLength) / 3;
      spacing = margin;
    } else {
      margin = (length - glyphLength - spacing - textLength + 1) / 2;
    }
  } else if (spacing == -1) {
    spacing = (length - margin - glyphLength - textLength) / 2;
  }
  GlyphLayout out{};
  if (horizontal) {
    out.Glyph.y = (h - g.cy + 1) / 2;
    out.Text.y = (h - t.cy + 1) / 2;
  } else {
    out.Glyph.x = (w - g.cx + 1) / 2;
    out.Text.x = (w - t.cx + 1) / 2;
  }
  switch (layout) {
    case blGlyphLeft:
      out.Glyph.x = margin;
      out.Text.x = margin + g.cx + spacing;
      break;
    case blGlyphRight:
      out.Glyph.x = w - margin - g.cx;
      out.Text.x = out.Glyph.x - spacing - t.cx;
      break;
    case blGlyphTop:
      out.Glyph.y = margin;
      out.Text.y = margin + g.cy + spacing;
      break;
    case blGlyphBottom:
      out.Glyph.y = h - margin - g.cy;
      out.Text.y = out.Glyph.y - spacing - t.cy;
      break;
  }
  return out;
}

}  // namespace

// The glyph cell for the current state: up 1, disabled 2, pressed 3, down 4
// (a cell the glyph does not have gives cell 1).
int TSpeedButton::GlyphCell() const {
  int cell = 1;
  if (!Enabled()) cell = 2;
  else if (FState == bsDown) cell = 3;
  else if (FState == bsExclusive || FDown) cell = 4;
  return cell <= FNumGlyphs ? cell : 1;
}

// Drawn like a push button: up, pressed, down (exclusive) or, when flat,
// raised only under the mouse; then the glyph cell and the caption.
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
    UINT state = DFCS_BUTTONPUSH;
    if (pressed) state |= DFCS_PUSHED;
    if (FDown && FState == bsExclusive) state |= DFCS_CHECKED;
    RECT face = r;
    DrawFrameControl(dc, &face, DFC_BUTTON, state);
  }

  const std::string text = Caption();
  TSelectObjectGuard font(dc, Font().Handle());
  RECT measured{0, 0, r.right, r.bottom};
  if (!text.empty()) DrawTextA(dc, text.c_str(), static_cast<int>(text.size()), &measured, DT_CALCRECT | DT_SINGLELINE);
  const SIZE textSize = text.empty() ? SIZE{0, 0} : SIZE{measured.right - measured.left, measured.bottom - measured.top};
  const SIZE glyphSize = FGlyph.Empty() ? SIZE{0, 0} : SIZE{FGlyph.Width() / FNumGlyphs, FGlyph.Height()};
  const GlyphLayout layout = CalcLayout(r.right, r.bottom, glyphSize, textSize, FLayout, FMargin, FSpacing);
  const int shift = pressed ? 1 : 0;

  if (glyphSize.cx > 0 && glyphSize.cy > 0) {
    // One cell, drawn with its bottom-left pixel's colour transparent.
    TBitmap cell;
    cell.SetSize(glyphSize.cx, glyphSize.cy);
    const int left = (GlyphCell() - 1) * glyphSize.cx;
    cell.Canvas().CopyRect(Rect(0, 0, glyphSize.cx, glyphSize.cy), FGlyph.Canvas(),
                           Bounds(left, 0, glyphSize.cx, glyphSize.cy));
    cell.SetTransparent(true);
    Canvas()->Draw(layout.Glyph.x + shift, layout.Glyph.y + shift, cell);
  }
  if (text.empty()) return;
  RECT textRect = Bounds(layout.Text.x + shift, layout.Text.y + shift, textSize.cx, textSize.cy);
  SetBkMode(dc, TRANSPARENT);
  const UINT format = DT_SINGLELINE | DT_NOCLIP;
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
