// Push, bitmap and speed buttons, check boxes and radio buttons drawn from
// the skin's button element. Every face is composed in the scratch bitmap
// and copied to the screen in one step.
#include "skin/controls/SkinButtons.h"

#include <algorithm>

#include "skin/draw/SkinDraw.h"
#include "skin/draw/SkinText.h"
#include "skin/window/WinSkinForm.h"
#include "ui/Buttons.h"
#include "ui/Published.h"

QUORVEL_DEFINE_CLASS(TSkinButton) {}
QUORVEL_DEFINE_CLASS(TSkinBitButton) {}
QUORVEL_DEFINE_CLASS(TSkinSpeedButton) {}
QUORVEL_DEFINE_CLASS(TSkinMarkButton) {}
QUORVEL_DEFINE_CLASS(TSkinCheckBox) {}
QUORVEL_DEFINE_CLASS(TSkinRadioButton) {}

namespace {

constexpr int kPushFrames = 5;
enum { frNormal = 1, frPressed = 2, frDisabled = 3, frHot = 4 };

int Width(const TRect& r) { return r.right - r.left; }
int Height(const TRect& r) { return r.bottom - r.top; }

// The button element, when the skin has a face picture for it.
TDataSkinButton* FacePicture(TSkinData* Skin) {
  if (!Skin || !Skin->Button || Skin->Button->Bitmap.Empty()) return nullptr;
  return Skin->Button.get();
}

bool IsDisabled(HWND Wnd) { return (GetWindowLongPtrA(Wnd, GWL_STYLE) & WS_DISABLED) != 0; }

// Font takes the description of the window's font (the system font when the
// window was given none), in plain style.
void TakeWindowFont(TFont& Font, HWND Wnd) {
  auto font = reinterpret_cast<HFONT>(SendMessageA(Wnd, WM_GETFONT, 0, 0));
  if (!font) font = static_cast<HFONT>(GetStockObject(SYSTEM_FONT));
  LOGFONTA lf{};
  if (!GetObjectA(font, sizeof lf, &lf)) return;
  Font.SetName(lf.lfFaceName);
  Font.SetHeight(lf.lfHeight);
  Font.SetCharset(lf.lfCharSet);
  Font.SetStyle(0);
}

// The caption colour of bitmap and speed buttons: the skin's colour list
// entry of the face frame, when the list has it.
void SetListColour(TSkinData& Skin, TFont& Font, int Frame) {
  const TDataSkinButton& b = *Skin.Button;
  const int index = Frame == frNormal    ? b.NormalColour
                    : Frame == frHot     ? b.MouseOverColour
                    : Frame == frPressed ? b.PressedColour
                                         : -1;
  TColor colour = 0;
  if (index >= 0 && Skin.GetListColour(index, colour)) Font.SetColor(colour);
}

// What a glyph button shows: the glyph and its cells, where it stands, and
// the caption.
struct TGlyphFace {
  TBitmap* Glyph = nullptr;
  int NumGlyphs = 1;
  int Layout = blGlyphLeft;
  int Margin = -1;
  int Spacing = 4;
  std::string Text;
  bool Enabled = true;
};

template <class TButtonWithGlyph>
void ReadGlyphFace(TButtonWithGlyph& Button, TGlyphFace& Face) {
  Face.Glyph = &Button.Glyph();
  Face.NumGlyphs = std::max(1, Button.NumGlyphs());
  Face.Layout = Button.Layout();
  Face.Margin = Button.Margin();
  Face.Spacing = Button.Spacing();
}

// Draws glyph cell Cell and the caption of Face on Canvas (the scratch
// bitmap, whose font is set), laid out in a (W, H) client area; PaintRect is
// the rectangle being painted, at (0, 0).
void DrawGlyphFace(TSkinControl& Skinner, TCanvas& Canvas, const TRect& PaintRect, int W, int H,
                   const TGlyphFace& Face, int Cell, bool SpeedButton) {
  HDC dc = Canvas.Handle();
  Canvas.Font().SetStyle(0);
  if (!Face.Enabled) Canvas.Font().SetColor(clBtnShadow);
  const TSelectObjectGuard font(dc, Canvas.Font().Handle());
  SIZE text{0, 0};
  if (!Face.Text.empty()) {
    RECT m{0, 0, Width(PaintRect), Height(PaintRect)};
    DrawTextA(dc, Face.Text.c_str(), -1, &m, DT_CALCRECT);
    text = SIZE{m.right - m.left, m.bottom - m.top};
  }
  const bool hasGlyph = Face.Glyph && !Face.Glyph->Empty();
  const SIZE glyph =
      hasGlyph ? SIZE{Face.Glyph->Width() / Face.NumGlyphs, Face.Glyph->Height()} : SIZE{0, 0};
  const TGlyphPlacement at = PlaceGlyph(W, H, Height(PaintRect), glyph, text, Face.Layout,
                                        Face.Margin, Face.Spacing, SpeedButton);
  if (hasGlyph)
    DrawGlyph(Skinner, Canvas,
              TRect{at.Glyph.x, at.Glyph.y, at.Glyph.x + glyph.cx, at.Glyph.y + glyph.cy},
              Face.NumGlyphs, Cell, *Face.Glyph);
  if (Face.Text.empty()) return;
  const UINT format = Face.Layout == blGlyphLeft    ? DT_LEFT
                      : Face.Layout == blGlyphRight ? DT_RIGHT
                                                    : DT_CENTER;
  const int oldMode = SetBkMode(dc, TRANSPARENT);
  const COLORREF oldColour = SetTextColor(dc, ColorToRGB(Canvas.Font().Color()));
  RECT r = at.Text;
  DrawTextA(dc, Face.Text.c_str(), -1, &r, format);
  SetTextColor(dc, oldColour);
  SetBkMode(dc, oldMode);
}

}  // namespace

TGlyphPlacement PlaceGlyph(int Width, int Height, int PaintHeight, SIZE Glyph, SIZE Text,
                           int Layout, int Margin, int Spacing, bool SpeedButton) {
  const bool horizontal = Layout == blGlyphLeft || Layout == blGlyphRight;
  POINT g{0, 0}, t{0, 0};
  if (horizontal) {
    g.y = (Height - Glyph.cy + 1) / 2;
    t.y = (Height - Text.cy + 1) / 2;
  } else {
    g.x = (Width - Glyph.cx + 1) / 2;
    t.x = (Width - Text.cx + 1) / 2;
  }
  int spacing = (Text.cx == 0 || Glyph.cx == 0) ? 0 : Spacing;
  int margin = Margin;
  if (margin == -1 && spacing == -1) {
    const SIZE total{Glyph.cx + Text.cx, Glyph.cy + Text.cy};
    margin = horizontal ? (Width - total.cx) / 3 : (Height - total.cy) / 3;
    spacing = margin;
  } else if (margin == -1) {
    const SIZE total{Glyph.cx + spacing + Text.cx, Glyph.cy + spacing + Text.cy};
    margin = horizontal ? (Width - total.cx) / 2 : (Height - total.cy) / 2;
    if (SpeedButton) ++margin;
  } else if (spacing == -1) {
    const int freeWidth = Width - margin - Glyph.cx;
    const int freeHeight = PaintHeight - margin - Glyph.cy;
    spacing = horizontal ? (freeWidth - Text.cx) / 2 : (freeHeight - Text.cy) / 2;
  }
  switch (Layout) {
    case blGlyphLeft:
      g.x = margin;
      t.x = g.x + Glyph.cx + spacing;
      break;
    case blGlyphRight:
      g.x = Width - margin - Glyph.cx;
      t.x = g.x - spacing - Text.cx;
      break;
    case blGlyphTop:
      g.y = margin;
      t.y = g.y + Glyph.cy + spacing;
      break;
    default:
      g.y = Height - margin - Glyph.cy;
      t.y = g.y - spacing - Text.cy;
      break;
  }
  return TGlyphPlacement{g, TRect{t.x, t.y, t.x + Text.cx, t.y + Text.cy}};
}

// ---------------------------------------------------------------------------
// Push buttons

bool TSkinButton::BeforeProc(TMessage& Message) {
  switch (Message.Msg) {
    case WM_ERASEBKGND: Message.Result = 1; return false;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
      if (!FFocused) SetFocus(FHandle);
      FMouseState |= msPressed;
      Paint();
      return false;
    default: return true;
  }
}

void TSkinButton::AfterProc(TMessage& Message) {
  switch (Message.Msg) {
    case WM_PAINT: Paint(); break;
    case WM_KEYDOWN:
    case WM_KEYUP:
      if (Message.WParam != VK_SPACE) break;
      if (Message.Msg == WM_KEYDOWN)
        FMouseState |= msPressed;
      else
        FMouseState &= ~msPressed;
      Repaint();
      break;
    case BM_SETSTATE:
      // The button has just drawn its own pushed or released look.
      Repaint();
      break;
    case WM_MOUSEMOVE: TakeHover(); break;
    case WM_LBUTTONUP: {
      // Only a press that began here and stayed here clicks: a press taken
      // from another button by the mouse leaving it does not.
      const bool pressed = (FMouseState & msPressed) != 0;
      FMouseState &= ~msPressed;
      Repaint();
      if (pressed && FHandle) {
        const WPARAM id = FControl ? 0 : MAKEWPARAM(GetDlgCtrlID(FHandle), BN_CLICKED);
        PostMessageA(GetParent(FHandle), WM_COMMAND, id, reinterpret_cast<LPARAM>(FHandle));
      }
      break;
    }
    case CM_MOUSEENTER:
      if (FEnabled) {
        FMouseState |= msMouseOver;
        Repaint();
      }
      break;
    case CM_MOUSELEAVE:
      // Cleared whether enabled or not, so that a button disabled under the
      // mouse does not come back hot once enabled again.
      FMouseState &= ~(msMouseOver | msPressed);
      Repaint();
      break;
    default: TSkinControl::AfterProc(Message); break;
  }
}

void TSkinButton::PaintControl(HDC DC, const TRect& Rect) {
  TDataSkinButton* face = FacePicture(FSkinData);
  TBitmap* scratch = ScratchBitmap();
  if (!face || !scratch || !FHandle) return;
  FFocused = GetFocus() == FHandle;
  FEnabled = !IsDisabled(FHandle);
  FCaption = ReadCaption();
  if (FCaption.empty() && FControl) FCaption = FControl->Text();

  int frame = (FMouseState & msPressed)                   ? frPressed
              : (FFocused || (FMouseState & msMouseOver)) ? frHot
                                                          : frNormal;
  if (!FEnabled) frame = frDisabled;

  const TRect r{0, 0, Width(Rect), Height(Rect)};
  scratch->SetSize(r.right, r.bottom);
  DrawSkinImage(*this, r, *face, face->Trans, kPushFrames, frame);

  TCanvas& canvas = scratch->Canvas();
  TFont& font = canvas.Font();
  TakeWindowFont(font, FHandle);
  font.SetColor(FSkinData->ButtonTextColour);
  if (frame == frNormal) font.SetColor(face->NormalColour2);
  if (frame == frHot) font.SetColor(face->MouseOverColour2);
  if (frame == frPressed) font.SetColor(face->PressedColour2);
  DrawSkinText(canvas, r, DT_CENTER, FEnabled, FCaption);
  CopyToWindow(*this, DC, Rect);
}

// ---------------------------------------------------------------------------
// Bitmap buttons

void TSkinBitButton::PaintControl(HDC DC, const TRect& Rect) {
  TDataSkinButton* face = FacePicture(FSkinData);
  TBitmap* scratch = ScratchBitmap();
  if (!face || !scratch || !FHandle) return;
  FFocused = GetFocus() == FHandle;
  FEnabled = !IsDisabled(FHandle);
  FCaption = ReadCaption();
  if (FCaption.empty() && FControl) FCaption = FControl->Text();

  auto* windowed = dynamic_cast<TWinControl*>(FControl);
  const bool focused = windowed ? windowed->Focused() : FFocused;
  const bool enabled = FControl ? FControl->Enabled() : FEnabled;
  int frame = focused ? frHot : frNormal;
  if (FMouseState & msPressed)
    frame = frPressed;
  else if (FMouseState & msMouseOver)
    frame = frHot;
  if (!enabled) frame = frDisabled;

  const TRect r{0, 0, Width(Rect), Height(Rect)};
  scratch->SetSize(r.right, r.bottom);
  DrawSkinImage(*this, r, *face, face->Trans, std::max(1, face->FrameCount), frame);

  TCanvas& canvas = scratch->Canvas();
  TFont& font = canvas.Font();
  if (FControl)
    font.Assign(&FControl->Font());
  else
    TakeWindowFont(font, FHandle);
  font.SetColor(FSkinData->ButtonTextColour);
  font.SetStyle(0);
  SetListColour(*FSkinData, font, frame);

  TGlyphFace glyphFace;
  if (auto* bitButton = dynamic_cast<TBitBtn*>(FControl)) ReadGlyphFace(*bitButton, glyphFace);
  glyphFace.Text = FControl ? FControl->Text() : FCaption;
  glyphFace.Enabled = enabled;
  RECT client{0, 0, r.right, r.bottom};
  if (FControl)
    client = FControl->ClientRect();
  else
    GetClientRect(FHandle, &client);
  DrawGlyphFace(*this, canvas, r, client.right - client.left, client.bottom - client.top, glyphFace,
                1, false);
  CopyToWindow(*this, DC, Rect);
}

// ---------------------------------------------------------------------------
// Speed buttons

TSkinSpeedButton::TSkinSpeedButton(TComponent* AOwner) : TSkinBitButton(AOwner) {
  FHandle = nullptr;
}

TSkinSpeedButton::~TSkinSpeedButton() { Restore(); }

// The button is also FControl, so that the form skinner finds it among its
// skinned controls and repaints it in its own look when the skin lets go.
void TSkinSpeedButton::InitSpeedButton(TSpeedButton* SpeedButton, TSkinData* SkinData,
                                       TCanvas* Canvas) {
  FSkinData = SkinData;
  FCanvas = Canvas;
  FSpeedButton = SpeedButton;
  FControl = SpeedButton;
  SpeedButton->FreeNotification(this);
  FOldWindowProc = SpeedButton->WindowProc;
  SpeedButton->WindowProc = [this](TMessage& m) { WndProc(m); };
  if (TWinSkinForm* form = SkinForm()) form->FSkinners.push_back(this);
}

void TSkinSpeedButton::Restore() {
  if (FOldWindowProc && FSpeedButton) FSpeedButton->WindowProc = std::move(FOldWindowProc);
  FOldWindowProc = nullptr;
}

// A speed button freed while skinned: nothing to give back.
void TSkinSpeedButton::Notification(TComponent* AComponent, TOperation Operation) {
  if (Operation == TOperation::opRemove && AComponent && AComponent == FSpeedButton)
    FSpeedButton = nullptr;
  TSkinBitButton::Notification(AComponent, Operation);
}

bool TSkinSpeedButton::BeforeProc(TMessage& Message) {
  switch (Message.Msg) {
    case WM_PAINT: {
      if (!Message.WParam || !FSpeedButton) return true;
      TRect r = FSpeedButton->ClientRect();
      OffsetRect(&r, -r.left, -r.top);
      // Without a button picture the button paints itself.
      if (!PaintButton(reinterpret_cast<HDC>(Message.WParam), r)) return true;
      Message.Result = 1;
      return false;
    }
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
      // The button's own press handling runs first.
      Default(Message);
      FMouseState |= msPressed;
      Paint();
      return false;
    default: return true;
  }
}

void TSkinSpeedButton::AfterProc(TMessage& Message) {
  switch (Message.Msg) {
    case WM_NCDESTROY: Restore(); break;
    case WM_KEYDOWN:
    case WM_KEYUP:
      if (Message.WParam != VK_SPACE) break;
      if (Message.Msg == WM_KEYDOWN)
        FMouseState |= msPressed;
      else
        FMouseState &= ~msPressed;
      Paint();
      break;
    case WM_LBUTTONUP:
      // The button clicks itself.
      FMouseState &= ~msPressed;
      Paint();
      break;
    case CM_MOUSEENTER:
      FMouseState |= msMouseOver;
      Paint();
      break;
    case CM_MOUSELEAVE:
      FMouseState &= ~(msMouseOver | msPressed);
      Paint();
      break;
    default: TSkinButton::AfterProc(Message); break;
  }
}

void TSkinSpeedButton::Paint() {
  if (!FSpeedButton || !FSpeedButton->Visible() || !FSpeedButton->Parent() ||
      !FSpeedButton->Parent()->HandleAllocated())
    return;
  TRect r = FSpeedButton->ClientRect();
  OffsetRect(&r, -r.left, -r.top);
  const TPoint topLeft = FSpeedButton->ClientToScreen(TPoint{0, 0});
  FWindowRect = TRect{topLeft.x, topLeft.y, topLeft.x + r.right, topLeft.y + r.bottom};
  TCanvas* canvas = FSpeedButton->Canvas();
  HDC dc = canvas->Handle();
  if (!dc) return;
  PaintButton(dc, r);
  // The canvas took a DC of the parent's window for this; give it back now.
  if (auto* own = dynamic_cast<TControlCanvas*>(canvas)) own->FreeHandle();
}

bool TSkinSpeedButton::PaintButton(HDC DC, const TRect& Rect) {
  TDataSkinButton* face = FacePicture(FSkinData);
  TBitmap* scratch = ScratchBitmap();
  if (!face || !scratch || !FSpeedButton) return false;
  TSpeedButton& button = *FSpeedButton;
  int state = (FMouseState & msPressed)     ? frPressed
              : (FMouseState & msMouseOver) ? frHot
                                            : frNormal;
  if (button.Down())
    state = frPressed;
  else if (!button.Enabled())
    state = frDisabled;
  int cell = state == frPressed ? 3 : state == frDisabled ? 2 : 1;
  if (cell > button.NumGlyphs()) cell = 1;

  const TRect r{0, 0, Width(Rect), Height(Rect)};
  scratch->SetSize(r.right, r.bottom);
  DrawSkinImage(*this, r, *face, face->Trans, std::max(1, face->FrameCount), state);

  TCanvas& canvas = scratch->Canvas();
  TFont& font = canvas.Font();
  font.Assign(&button.Font());
  font.SetColor(FSkinData->ButtonTextColour);
  font.SetStyle(0);
  SetListColour(*FSkinData, font, state);

  if (!button.Glyph().Empty()) {
    TGlyphFace glyphFace;
    ReadGlyphFace(button, glyphFace);
    glyphFace.Text = button.Caption();
    glyphFace.Enabled = button.Enabled();
    DrawGlyphFace(*this, canvas, r, r.right, r.bottom, glyphFace, cell, true);
  } else {
    DrawSkinText(canvas, r, DT_CENTER, button.Enabled(), button.Caption());
  }
  BitBlt(DC, Rect.left, Rect.top, r.right, r.bottom, canvas.Handle(), 0, 0, SRCCOPY);
  return true;
}

// ---------------------------------------------------------------------------
// Check boxes and radio buttons

void TSkinMarkButton::AfterProc(TMessage& Message) {
  switch (Message.Msg) {
    case BM_SETCHECK:
    case BM_SETSTATE:  // the platform has just drawn its own box
    case WM_LBUTTONDOWN:
    case WM_LBUTTONUP:
    case WM_LBUTTONDBLCLK:
    case CM_MOUSEENTER:
    case CM_MOUSELEAVE: Repaint(); break;
    default: TSkinControl::AfterProc(Message); break;
  }
}

void TSkinMarkButton::PaintControl(HDC DC, const TRect& Rect) {
  TDataSkinButton* button = FSkinData ? FSkinData->Button.get() : nullptr;
  TBitmap* scratch = ScratchBitmap();
  if (!button || !scratch || !FHandle) return;
  TBitmap& strip = MarkBitmap(*button);
  if (strip.Empty()) return;
  const int count = std::max(1, MarkFrameCount(*button));
  const int w = strip.Width() / count, h = strip.Height();
  const LONG_PTR style = GetWindowLongPtrA(FHandle, GWL_STYLE);
  const int frame = MarkFrame(style, count);

  // A box narrower than 15 pixels is centred in a 14-pixel column.
  const int top = Rect.top + (Height(Rect) - h) / 2;
  int left = 0;
  if (style & BS_LEFTTEXT)
    left = (w < 15 ? Rect.right - (14 - w) / 2 : Rect.right - 1) - w;
  else
    left = w < 15 ? Rect.left + (14 - w) / 2 : Rect.left;

  scratch->SetSize(w, h);
  const TRect box{0, 0, w, h};
  FillFace(scratch->Canvas().Handle(), box);
  DrawStripFrame(*this, scratch->Canvas(), box, count, frame, strip);
  CopyToWindow(*this, DC, TRect{left, top, left + w, top + h});
}

// A strip without the disabled frame shows the enabled one.
int TSkinCheckBox::MarkFrame(LONG_PTR Style, int FrameCount) {
  const bool checked = (SendMessageA(FHandle, BM_GETSTATE, 0, 0) & BST_CHECKED) != 0;
  const int frame = (Style & WS_DISABLED) ? 3 : checked ? 2 : 1;
  return frame <= FrameCount ? frame : checked && FrameCount >= 2 ? 2 : 1;
}

int TSkinRadioButton::MarkFrame(LONG_PTR Style, int FrameCount) {
  const int checked = (SendMessageA(FHandle, BM_GETCHECK, 0, 0) & BST_CHECKED) ? 1 : 0;
  const int frame = 1 + checked + ((Style & WS_DISABLED) ? 2 : 0);
  return frame <= FrameCount ? frame : std::min(1 + checked, FrameCount);
}
