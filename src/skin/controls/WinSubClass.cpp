// The control skinner base: attaching, message routing, the common repaint
// rules, the hover hand-over, and the shared drawing helpers.
#include "skin/controls/WinSubClass.h"

#include <algorithm>

#include "ui/Published.h"
#include "skin/draw/SkinDraw.h"
#include "skin/draw/SkinText.h"
#include "skin/window/WinSkinForm.h"

namespace {
constexpr int kMaxCaption = 1000;
}  // namespace

// Skinners publish nothing: they are made by the engine, never read from
// a definition.
QUORVEL_DEFINE_CLASS(TSkinControl) {}

TSkinControl::TSkinControl(TComponent* AOwner) : TComponent(AOwner) {}

TSkinControl::~TSkinControl() { Restore(); }

TWinSkinForm* TSkinControl::SkinForm() const { return dynamic_cast<TWinSkinForm*>(Owner()); }

std::string TSkinControl::ReadCaption() const {
  char text[kMaxCaption + 1] = {};
  if (FHandle) SendMessageA(FHandle, WM_GETTEXT, kMaxCaption, reinterpret_cast<LPARAM>(text));
  return text;
}

void TSkinControl::InitControl(TControl* Control, TSkinData* SkinData, bool ChangeColor,
                               TCanvas* Canvas) {
  FChangeColor = ChangeColor;
  FSkinData = SkinData;
  FCanvas = Canvas;
  FControl = Control;
  Control->FreeNotification(this);
  auto* windowed = dynamic_cast<TWinControl*>(Control);
  FHandle = windowed ? windowed->Handle() : nullptr;
  FOldWindowProc = Control->WindowProc;
  Control->WindowProc = [this](TMessage& m) { WndProc(m); };
  if (windowed) windowed->SetDoubleBuffered(true);
  if (TWinSkinForm* form = SkinForm()) form->FSkinners.push_back(this);
  FFocused = FHandle && GetFocus() == FHandle;
  FEnabled = FHandle ? !(GetWindowLongPtrA(FHandle, GWL_STYLE) & WS_DISABLED) : Control->Enabled();
  FCaption = ReadCaption();
  if (ChangeColor) {
    FOldColor = Control->Color();
    Control->SetColor(SkinData->ButtonFaceColour);
  }
}

void TSkinControl::InitWindow(HWND Handle, TSkinData* SkinData, TCanvas* Canvas) {
  FSkinData = SkinData;
  FCanvas = Canvas;
  FHandle = Handle;
  FEnabled = true;
  FCaption = ReadCaption();
  auto instance = std::make_unique<TWindowSubclass>();
  if (instance->Attach(Handle, [this](TMessage& m) { WndProc(m); }))
    FObjectInstance = std::move(instance);
}

void TSkinControl::Restore() {
  if (FOldWindowProc) {
    TWinSkinForm* form = SkinForm();
    if (FChangeColor && FControl && !(form && form->FPhase == fpReleasing))
      FControl->SetColor(FOldColor);
    if (FControl) FControl->WindowProc = std::move(FOldWindowProc);
    FOldWindowProc = nullptr;
  }
  if (FObjectInstance) {
    FObjectInstance->Detach();
    FObjectInstance.reset();
  }
}

// A control freed while skinned has restored itself at WM_NCDESTROY (a
// graphic control has no window and gets nothing to restore): the skinner
// forgets it and never touches it again.
void TSkinControl::Notification(TComponent* AComponent, TOperation Operation) {
  TComponent::Notification(AComponent, Operation);
  if (Operation != TOperation::opRemove || !AComponent || AComponent != FControl) return;
  FControl = nullptr;
  FOldWindowProc = nullptr;
}

bool TSkinControl::BeforeProc(TMessage&) { return true; }

void TSkinControl::AfterProc(TMessage& Message) {
  switch (Message.Msg) {
    case WM_PAINT:
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
    case WM_ENABLE:
    case CM_ENABLEDCHANGED: Paint(); break;
    case WM_SETTEXT:
      FCaption = Message.LParam ? reinterpret_cast<const char*>(Message.LParam) : "";
      Repaint();
      break;
    case WM_NCDESTROY:
      // The window is going: hand it back and keep no handle that a new
      // window could reuse.
      Restore();
      FHandle = nullptr;
      break;
    default: break;
  }
}

void TSkinControl::Paint() {
  if (!FHandle || !IsWindow(FHandle)) return;
  GetWindowRect(FHandle, &FWindowRect);
  TRect r = FWindowRect;
  OffsetRect(&r, -r.left, -r.top);
  const TWindowDC dc(FHandle, TWindowDC::Window);
  PaintControl(dc, r);
}

void TSkinControl::PaintControl(HDC, const TRect&) {}

void TSkinControl::WndProc(TMessage& Message) {
  if (!BeforeProc(Message)) return;
  Default(Message);
  AfterProc(Message);
}

void TSkinControl::Default(TMessage& Message) {
  if (FOldWindowProc) {
    FOldWindowProc(Message);
  } else if (FObjectInstance) {
    FObjectInstance->CallPrevious(Message);
  } else if (FControl) {
    // Restored while this message was on its way: the control's own handler.
    FControl->WindowProc(Message);
  } else if (FHandle) {
    Message.Result = DefWindowProcA(FHandle, Message.Msg, Message.WParam, Message.LParam);
  }
}

void TSkinControl::MouseLeave() {
  if (FHandle) PostMessageA(FHandle, CM_MOUSELEAVE, 0, 0);
  if (TWinSkinForm* form = SkinForm()) form->FHotControl = nullptr;
}

// A control of ours hears CM_MOUSEENTER while it handles its first mouse
// move, so the hover bit may already be set when the move arrives here; the
// hot control is handed over all the same.
void TSkinControl::TakeHover() {
  if (!(FMouseState & msMouseOver)) {
    FMouseState |= msMouseOver;
    Repaint();
  }
  TWinSkinForm* form = SkinForm();
  if (!form || form->FHotControl == this) return;
  if (form->FHotControl) form->FHotControl->MouseLeave();
  form->FHotControl = this;
}

void TSkinControl::FillFace(HDC DC, const TRect& Rect) {
  const TBrushObject face(CreateSolidBrush(ColorToRGB(FSkinData->ButtonFaceColour)));
  FillRect(DC, &Rect, face);
}

// ---------------------------------------------------------------------------
// Drawing helpers

void DrawSkinImage(TSkinControl& Skinner, const TRect& Rect, TDataSkinObject& Element, int Trans,
                   int FrameCount, int Frame) {
  TBitmap* scratch = ScratchBitmap();
  if (!scratch || Rect.right < Rect.left || Rect.bottom < Rect.top) return;
  std::unique_ptr<TBitmap> picture = DrawNineSlice(Rect, Element.Bitmap, Element.Margins, false,
                                                   Element.Tile != 0, FrameCount, Frame);
  HDC dc = scratch->Canvas().Handle();
  Skinner.FillFace(dc, Rect);
  const TRect at{0, 0, Rect.right - Rect.left, Rect.bottom - Rect.top};
  if (Trans == 1)
    TransparentBlt(dc, at, *picture, SkinKeyColour);
  else
    BitBlt(dc, 0, 0, at.right, at.bottom, picture->Canvas().Handle(), 0, 0, SRCCOPY);
}

void CopyToWindow(TSkinControl& Skinner, HDC DC, const TRect& Rect) {
  TBitmap* scratch = ScratchBitmap();
  if (!scratch || !Skinner.FCanvas) return;
  Skinner.FCanvas->SetHandle(DC);
  BitBlt(DC, Rect.left, Rect.top, scratch->Width(), scratch->Height(), scratch->Canvas().Handle(),
         0, 0, SRCCOPY);
}

void PaintThroughBeginPaint(TSkinControl& Skinner, TMessage& Message) {
  HDC dc = reinterpret_cast<HDC>(Message.WParam);
  PAINTSTRUCT paint{};
  const bool began = dc == nullptr;
  if (began) dc = BeginPaint(Skinner.FHandle, &paint);
  GetWindowRect(Skinner.FHandle, &Skinner.FWindowRect);
  TRect r = Skinner.FWindowRect;
  OffsetRect(&r, -r.left, -r.top);
  Skinner.PaintControl(dc, r);
  if (began) EndPaint(Skinner.FHandle, &paint);
  Message.Result = 0;
}

namespace {

// Frame Frame of Bitmap's side-by-side strip stretched to Rect on DC,
// magenta transparent.
void DrawStrip(HDC DC, const TRect& Rect, int FrameCount, int Frame, TBitmap& Bitmap) {
  if (Rect.right < Rect.left || Rect.bottom < Rect.top || Bitmap.Empty()) return;
  const int frames = std::max(1, FrameCount), fw = Bitmap.Width() / frames;
  const int w = Rect.right - Rect.left, h = Rect.bottom - Rect.top;
  if (w == 0 || h == 0 || fw == 0) return;
  TBitmap cell;
  cell.SetSize(w, h);
  HDC cellDC = cell.Canvas().Handle();
  SetStretchBltMode(cellDC, COLORONCOLOR);
  StretchBlt(cellDC, 0, 0, w, h, Bitmap.Canvas().Handle(), fw * (Frame - 1), 0, fw, Bitmap.Height(),
             SRCCOPY);
  TransparentBlt(DC, Rect, cell, SkinKeyColour);
}

}  // namespace

void DrawStripFrame(TSkinControl&, TCanvas& Target, const TRect& Rect, int FrameCount, int Frame,
                    TBitmap& Bitmap) {
  DrawStrip(Target.Handle(), Rect, FrameCount, Frame, Bitmap);
}

void DrawStripFrameOn(TSkinControl& Skinner, HDC DC, const TRect& Rect, int FrameCount, int Frame,
                      TBitmap& Bitmap) {
  if (Skinner.FCanvas) Skinner.FCanvas->SetHandle(DC);
  DrawStrip(DC, Rect, FrameCount, Frame, Bitmap);
}

void DrawStripFrameKeeping(TSkinControl& Skinner, HDC DC, const TRect& Rect, int FrameCount,
                           int Frame, TBitmap& Bitmap) {
  if (!Skinner.FCanvas) {
    DrawStrip(DC, Rect, FrameCount, Frame, Bitmap);
    return;
  }
  const HDC previous = Skinner.FCanvas->HandleAllocated() ? Skinner.FCanvas->Handle() : nullptr;
  Skinner.FCanvas->SetHandle(DC);
  DrawStrip(DC, Rect, FrameCount, Frame, Bitmap);
  Skinner.FCanvas->SetHandle(previous);
}

void DrawGlyph(TSkinControl&, TCanvas& Canvas, const TRect& Rect, int NumGlyphs, int Index,
               TBitmap& Glyph) {
  if (Glyph.Empty()) return;
  const int cells = std::max(1, NumGlyphs), cw = Glyph.Width() / cells, ch = Glyph.Height();
  if (cw == 0) return;
  TBitmap cell;
  cell.SetSize(cw, ch);
  BitBlt(cell.Canvas().Handle(), 0, 0, cw, ch, Glyph.Canvas().Handle(), cw * (Index - 1), 0,
         SRCCOPY);
  const COLORREF key = GetPixel(cell.Canvas().Handle(), 0, ch - 1);
  TransparentBlt(Canvas.Handle(), TRect{Rect.left, Rect.top, Rect.left + cw, Rect.top + ch}, cell,
                 key);
}
