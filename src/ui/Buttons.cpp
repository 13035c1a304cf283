// Speed buttons.
#include "ui/Buttons.h"

#include "ui/Published.h"

QUORVEL_DEFINE_CLASS(TSpeedButton) {
  p.Bool("AllowAllUp", &TSpeedButton::AllowAllUp, &TSpeedButton::SetAllowAllUp);
  p.Integer("GroupIndex", &TSpeedButton::GroupIndex, &TSpeedButton::SetGroupIndex);
  p.Bool("Down", &TSpeedButton::Down, &TSpeedButton::SetDown);
  p.Bool("Flat", &TSpeedButton::Flat, &TSpeedButton::SetFlat);
  p.Object("Glyph", &TSpeedButton::GlyphObject);
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
  FGlyph.OnChange = [this](TObject*) { Invalidate(); };
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
  TMessage msg{CM_BUTTONPRESSED, static_cast<WPARAM>(FGroupIndex), reinterpret_cast<LPARAM>(this),
               0};
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
      if (IsAccel(msg.WParam, Caption()) && Enabled() && Visible() && Parent() &&
          Parent()->CanFocus()) {
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
    default: break;
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

// The size of text drawn on one line with the DC's font ((0, 0) when empty).
SIZE MeasureCaption(HDC dc, const std::string& text) {
  if (text.empty()) return SIZE{0, 0};
  RECT r{0, 0, 0, 0};
  DrawTextA(dc, text.c_str(), static_cast<int>(text.size()), &r, DT_CALCRECT | DT_SINGLELINE);
  return SIZE{r.right - r.left, r.bottom - r.top};
}

// Draws cell (from 1) of a glyph of numGlyphs cells at (x, y), with the
// cell's bottom-left pixel's colour transparent.
void DrawGlyphCell(HDC dc, TBitmap& glyph, int numGlyphs, int cell, int x, int y) {
  const int w = glyph.Width() / numGlyphs, h = glyph.Height();
  if (w <= 0 || h <= 0) return;
  TBitmap one;
  one.SetSize(w, h);
  one.Canvas().CopyRect(Rect(0, 0, w, h), glyph.Canvas(), Bounds((cell - 1) * w, 0, w, h));
  one.SetTransparent(true);
  TCanvas canvas;
  canvas.SetHandle(dc);
  canvas.Draw(x, y, one);
  canvas.SetHandle(nullptr);
}

// Draws a one-line caption at rect's top left with the DC's font: in color,
// or embossed grey when disabled.
void DrawCaption(HDC dc, const std::string& text, RECT rect, bool enabled, TColor color) {
  if (text.empty()) return;
  SetBkMode(dc, TRANSPARENT);
  const UINT format = DT_SINGLELINE | DT_NOCLIP;
  if (!enabled) {
    RECT shadow = rect;
    OffsetRect(&shadow, 1, 1);
    SetTextColor(dc, ColorToRGB(clBtnHighlight));
    DrawTextA(dc, text.c_str(), static_cast<int>(text.size()), &shadow, format);
    color = clBtnShadow;
  }
  SetTextColor(dc, ColorToRGB(color));
  DrawTextA(dc, text.c_str(), static_cast<int>(text.size()), &rect, format);
}

// Draws glyph cell and caption inside a button face of width x height,
// moved by shift (1 while pressed); the DC has the caption's font selected.
void DrawGlyphAndCaption(HDC dc, int width, int height, TBitmap& glyph, int numGlyphs, int cell,
                         const std::string& text, TButtonLayout layout, int margin, int spacing,
                         int shift, bool enabled, TColor color) {
  const SIZE textSize = MeasureCaption(dc, text);
  const int glyphWidth = glyph.Empty() ? 0 : glyph.Width() / numGlyphs;
  const int glyphHeight = glyph.Empty() ? 0 : glyph.Height();
  const TButtonPlacement at = CalcButtonLayout(width, height, glyphWidth, glyphHeight, textSize.cx,
                                               textSize.cy, layout, margin, spacing);
  if (glyphWidth > 0 && glyphHeight > 0)
    DrawGlyphCell(dc, glyph, numGlyphs, cell, at.GlyphX + shift, at.GlyphY + shift);
  const RECT textRect = Bounds(at.TextX + shift, at.TextY + shift, textSize.cx, textSize.cy);
  DrawCaption(dc, text, textRect, enabled, color);
}

}  // namespace

// The glyph cell for the current state: up 1, disabled 2, pressed 3, down 4
// (a cell the glyph does not have gives cell 1).
int TSpeedButton::GlyphCell() const {
  int cell = 1;
  if (!Enabled())
    cell = 2;
  else if (FState == bsDown)
    cell = 3;
  else if (FState == bsExclusive || FDown)
    cell = 4;
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
    if (pressed)
      DrawEdge(dc, &r, BDR_SUNKENOUTER, BF_RECT);
    else if (FMouseInControl && Enabled())
      DrawEdge(dc, &r, BDR_RAISEDINNER, BF_RECT);
  } else {
    UINT state = DFCS_BUTTONPUSH;
    if (pressed) state |= DFCS_PUSHED;
    if (FDown && FState == bsExclusive) state |= DFCS_CHECKED;
    RECT face = r;
    DrawFrameControl(dc, &face, DFC_BUTTON, state);
  }

  TSelectObjectGuard font(dc, Font().Handle());
  DrawGlyphAndCaption(dc, r.right, r.bottom, FGlyph, FNumGlyphs, GlyphCell(), Caption(), FLayout,
                      FMargin, FSpacing, pressed ? 1 : 0, Enabled(), Font().Color());
}

// ---------------------------------------------------------------------------
// TBitBtn

QUORVEL_DEFINE_CLASS(TBitBtn) {
  p.Object("Glyph", &TBitBtn::GlyphObject);
  p.Integer("NumGlyphs", &TBitBtn::NumGlyphs, &TBitBtn::SetNumGlyphs, 1);
  p.Enum("Layout", &TBitBtn::Layout, &TBitBtn::SetLayout,
         {"blGlyphLeft", "blGlyphRight", "blGlyphTop", "blGlyphBottom"});
  p.Integer("Margin", &TBitBtn::Margin, &TBitBtn::SetMargin, -1);
  p.Integer("Spacing", &TBitBtn::Spacing, &TBitBtn::SetSpacing, 4);
}

// A push button whose face is redrawn when its glyph changes.
TBitBtn::TBitBtn(TComponent* owner) : TButton(owner) {
  FGlyph.OnChange = [this](TObject*) { Invalidate(); };
}

// The number of state cells in the glyph (1 to 4).
void TBitBtn::SetNumGlyphs(int value) {
  FNumGlyphs = value < 1 ? 1 : value > 4 ? 4 : value;
  Invalidate();
}

// Where the glyph stands relative to the caption.
void TBitBtn::SetLayout(TButtonLayout value) {
  FLayout = value;
  Invalidate();
}

// Space between the edge and the glyph (-1: centred).
void TBitBtn::SetMargin(int value) {
  FMargin = value < -1 ? -1 : value;
  Invalidate();
}

// Space between the glyph and the caption (-1: the free space shared out).
void TBitBtn::SetSpacing(int value) {
  FSpacing = value;
  Invalidate();
}

// An owner-drawn BUTTON: the parent's WM_DRAWITEM comes back as CN_DRAWITEM.
void TBitBtn::CreateParams(TCreateParams& params) {
  TButton::CreateParams(params);
  params.Style = (params.Style & ~static_cast<DWORD>(BS_TYPEMASK)) | BS_OWNERDRAW;
}

// Drawing; the button stays owner-drawn whatever style it is given; a
// double click is a second press (owner-drawn buttons would not click again).
void TBitBtn::WndProc(TMessage& msg) {
  switch (msg.Msg) {
    case CN_DRAWITEM:
      DrawItem(*reinterpret_cast<const DRAWITEMSTRUCT*>(msg.LParam));
      msg.Result = TRUE;
      return;
    case BM_SETSTYLE:
      msg.WParam = (msg.WParam & ~static_cast<WPARAM>(BS_TYPEMASK)) | BS_OWNERDRAW;
      TButton::WndProc(msg);
      Invalidate();  // the default frame may have changed
      return;
    case WM_LBUTTONDBLCLK: msg.Msg = WM_LBUTTONDOWN; break;
    default: break;
  }
  TButton::WndProc(msg);
}

// The face (with the default frame of the default or focused button), the
// glyph cell of the state (disabled 2, pressed 3, else 1) with the caption,
// and the focus rectangle.
void TBitBtn::DrawItem(const DRAWITEMSTRUCT& item) {
  HDC dc = item.hDC;
  RECT r = item.rcItem;
  const bool pressed = (item.itemState & ODS_SELECTED) != 0;
  const bool focused = (item.itemState & ODS_FOCUS) != 0;
  if (Default() || focused) {
    TBrushObject frame(CreateSolidBrush(ColorToRGB(clWindowFrame)));
    FrameRect(dc, &r, frame);
    InflateRect(&r, -1, -1);
  }
  RECT face = r;
  DrawFrameControl(dc, &face, DFC_BUTTON, DFCS_BUTTONPUSH | (pressed ? DFCS_PUSHED : 0));
  int cell = !Enabled() ? 2 : pressed ? 3 : 1;
  if (cell > FNumGlyphs) cell = 1;
  const int width = item.rcItem.right - item.rcItem.left,
            height = item.rcItem.bottom - item.rcItem.top;
  TSelectObjectGuard font(dc, Font().Handle());
  DrawGlyphAndCaption(dc, width, height, FGlyph, FNumGlyphs, cell, Caption(), FLayout, FMargin,
                      FSpacing, pressed ? 1 : 0, Enabled(), Font().Color());
  if (focused) {
    RECT focus = item.rcItem;
    InflateRect(&focus, -4, -4);
    DrawFocusRect(dc, &focus);
  }
}
