// Control skinners: one object per child control of a skinned window that
// the skin engine draws itself. The base class hooks the control's message
// stream (a control of ours through its WindowProc, a bare window of the
// system through its window procedure), keeps the few facts that drawing
// needs, repaints when they change, and offers the drawing helpers every
// skinner shares. Descendants choose the messages they filter and how their
// control is painted.
#pragma once

#include <windows.h>

#include <functional>
#include <memory>
#include <string>

#include "skin/window/WinSkinData.h"
#include "ui/Classes.h"
#include "ui/Controls.h"
#include "ui/Graphics.h"
#include "ui/Messages.h"
#include "ui/Subclass.h"

class TWinSkinForm;

// Mouse state bits of a skinner.
enum : uint8_t { msMouseOver = 1, msPressed = 2 };

class TSkinControl : public TComponent {
  QUORVEL_CLASS(TSkinControl, TComponent)
public:
  // AOwner is the form skinner of the control's window.
  explicit TSkinControl(TComponent* AOwner);
  ~TSkinControl() override;

  // Attaches to a control of ours: its WindowProc is replaced; the form
  // skinner's list takes this object. ChangeColor gives the control the
  // skin's face colour until Restore.
  virtual void InitControl(TControl* Control, TSkinData* SkinData, bool ChangeColor,
                           TCanvas* Canvas);
  // Attaches to a bare window; the caller puts this object in its list.
  virtual void InitWindow(HWND Handle, TSkinData* SkinData, TCanvas* Canvas);
  // Gives the control its own message handling back (and its colour); a
  // second call does nothing.
  virtual void Restore();
  // Forgets a control that is being freed.
  void Notification(TComponent* AComponent, TOperation Operation) override;
  // Sees each message first: false consumes it (Message.Result stands).
  virtual bool BeforeProc(TMessage& Message);
  // Sees each message that was passed on, after the control handled it.
  virtual void AfterProc(TMessage& Message);
  // Paints the whole window (border included) through its window DC.
  virtual void Paint();
  // Paints the control on DC; Rect is the window's rectangle at (0, 0).
  virtual void PaintControl(HDC DC, const TRect& Rect);

  void WndProc(TMessage& Message);
  // Hands Message to the control's previous handler.
  void Default(TMessage& Message);
  void Repaint() { Paint(); }
  // Ends the hover look: the control gets CM_MOUSELEAVE and the form
  // skinner forgets its hot control.
  void MouseLeave();
  // Fills Rect with the skin's button-face colour.
  void FillFace(HDC DC, const TRect& Rect);

  TWinSkinForm* SkinForm() const;
  // The hover protocol of buttons: a mouse move sets the hover bit (and
  // repaints when it was clear) and makes this the form skinner's hot
  // control, ending the previous one's hover.
  void TakeHover();

  TSkinData* FSkinData = nullptr;
  uint8_t FMouseState = 0;
  TCanvas* FCanvas = nullptr;  // the form skinner's control canvas, shared
  bool FEnabled = true;
  bool FFocused = false;
  std::string FCaption;
  std::unique_ptr<TWindowSubclass> FObjectInstance;  // bare-window mode
  HWND FHandle = nullptr;
  std::function<void(TMessage&)> FOldWindowProc;  // component mode
  TControl* FControl = nullptr;
  TRect FWindowRect{0, 0, 0, 0};
  bool FChangeColor = false;
  TColor FOldColor = 0;

protected:
  // The window text, up to 1000 characters.
  std::string ReadCaption() const;
};

// --- drawing helpers shared by every skinner ---

// Frame Frame of FrameCount side by side in Element's picture, drawn with its
// margins at Rect's size into ScratchBitmap (at 0, 0) over the face colour;
// magenta pixels stay face-coloured when Trans is 1.
void DrawSkinImage(TSkinControl& Skinner, const TRect& Rect, TDataSkinObject& Element, int Trans,
                   int FrameCount, int Frame);
// ScratchBitmap drawn on DC at Rect's top-left through the skinner's canvas.
void CopyToWindow(TSkinControl& Skinner, HDC DC, const TRect& Rect);
// WM_PAINT painted entirely by the skinner (wParam's DC or BeginPaint's).
void PaintThroughBeginPaint(TSkinControl& Skinner, TMessage& Message);
// Frame Frame of FrameCount side by side in Bitmap, stretched to Rect with
// magenta transparent: onto Target; onto DC through the skinner's canvas
// (which keeps DC); onto DC with the canvas's previous DC put back.
void DrawStripFrame(TSkinControl& Skinner, TCanvas& Target, const TRect& Rect, int FrameCount,
                    int Frame, TBitmap& Bitmap);
void DrawStripFrameOn(TSkinControl& Skinner, HDC DC, const TRect& Rect, int FrameCount, int Frame,
                      TBitmap& Bitmap);
void DrawStripFrameKeeping(TSkinControl& Skinner, HDC DC, const TRect& Rect, int FrameCount,
                           int Frame, TBitmap& Bitmap);
// Cell Index of a button glyph with NumGlyphs cells side by side, drawn at
// Rect's top-left with its bottom-left pixel's colour transparent.
void DrawGlyph(TSkinControl& Skinner, TCanvas& Canvas, const TRect& Rect, int NumGlyphs, int Index,
               TBitmap& Glyph);
