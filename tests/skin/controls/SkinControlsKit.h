// What the control-skinner tests share: the stored skin, a skinned form of
// ours that also holds bare child windows (as a dialog of the system would),
// captures of the screen, and pictures expected from the skin's bitmaps.
#pragma once

#include <windows.h>

#include <functional>
#include <memory>
#include <vector>

#include "skin/controls/WinSubClass.h"
#include "skin/window/WinSkinForm.h"
#include "support/Screen.h"
#include "support/Wait.h"
#include "ui/Forms.h"

TSkinData& Skin();  // the stored skin, loaded once
// A mouse move over the middle of Wnd, sent: the pointer is elsewhere, so a
// control of ours hears the mouse leave again once its messages are pumped.
void MoveOnto(HWND Wnd);
LPARAM MiddleOf(HWND Wnd);  // in client coordinates, as mouse messages carry it

using TShot = TCapture;
TShot PixelsOf(TBitmap& Bitmap);
inline TShot CaptureWindow(HWND Wnd) { return Capture(Wnd); }  // border included
TShot CaptureClient(HWND Wnd, const TRect& Rect);              // part of the client area
// Pixels of Rect in Shot that differ from Want (placed at Rect's top-left).
int Mismatches(const TShot& Shot, const TRect& Rect, const TShot& Want);
// Frame Frame of FrameCount of Element drawn at (Width, Height) over the
// face colour, as a skinned button face.
TShot ExpectedFace(TDataSkinObject& Element, int FrameCount, int Frame, int Width, int Height);
// Frame Frame of a side-by-side Strip stretched to (Width, Height), with
// magenta showing the face colour.
TShot ExpectedStrip(TBitmap& Strip, int FrameCount, int Frame, int Width, int Height);

// A form of ours attached to a form skinner, away from the pointer;
// BN_CLICKED commands reaching it are recorded by the sending window.
class THost {
public:
  THost();
  ~THost();
  // The form active, in front and focused (tests running beside these may
  // have taken the focus away).
  void Activate();
  // A bare child window (no control of ours).
  HWND Child(const char* ClassName, DWORD Style, int X, int Y, int W, int H, const char* Text = "",
             DWORD ExStyle = 0);
  // Skinner T attached the way the form skinner does it.
  template <class T>
  T* Skin(HWND Wnd) {
    auto* s = new T(FSkinForm);
    s->InitWindow(Wnd, &::Skin(), &FSkinForm->ControlCanvas());
    FSkinForm->Skinners().Add(s);
    return s;
  }
  template <class T>
  T* Skin(TControl* Control, bool ChangeColor = false) {
    auto* s = new T(FSkinForm);
    s->InitControl(Control, &::Skin(), ChangeColor, &FSkinForm->ControlCanvas());
    return s;
  }
  template <class T>
  T* Add(int X, int Y, int W, int H) {
    auto* c = new T(FForm.get());
    c->SetParent(FForm.get());
    c->SetBounds(X, Y, W, H);
    return c;
  }
  std::unique_ptr<TForm> FForm;
  TWinSkinForm* FSkinForm = nullptr;
  std::vector<HWND> Clicks;
  std::function<void(HWND)> OnClick;  // runs inside the click

private:
  TWindowSubclass FCommands;
};

// The control disabled as the program would do it.
void Disable(HWND Wnd);
