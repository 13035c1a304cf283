// What the scroll-bar and panel skinner tests share: the skins, a form of
// ours with a form skinner attached, captures of windows as they are on the
// screen, and expected pictures composed from the skin's own bitmaps.
#pragma once

#include <gtest/gtest.h>

#include <windows.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "support/Screen.h"
#include "skin/controls/WinSubClass.h"
#include "skin/window/WinSkinForm.h"
#include "ui/Forms.h"

// The transparent test skin (every element, scroll bars included) and the
// stored skin (no scroll-bar picture).
TSkinData& TestSkin();
TSkinData& StoredSkin();

// A 24-bit w x h picture with Fn's colour at each pixel.
std::unique_ptr<TBitmap> Picture(int w, int h, const std::function<TColor(int, int)>& Fn);
COLORREF PixelAt(TBitmap& Bitmap, int x, int y);
// Source copied onto Target at (x, y), skipping magenta when Transparent.
void Put(TBitmap& Target, int x, int y, TBitmap& Source, bool Transparent);

// The pixels of R in Shot that differ from Expected (of R's size); Report
// gets the first one.
int Mismatches(const TCapture& Shot, const TRect& R, TBitmap& Expected,
               std::string* Report = nullptr);

// A bar's thumb: its length and its offset after the first arrow, for a
// bar Length long (arrows included).
struct TThumb {
  int Size, Offset;
};
TThumb ThumbOf(int Length, const SCROLLINFO& Info);
SCROLLINFO ScrollInfoOf(HWND Wnd, int Bar);
// A bar of Skin as it must look, Length along and Thickness across, with
// the arrows or the thumb shown pressed as asked.
std::unique_ptr<TBitmap> ExpectedBar(TSkinData& Skin, bool Horizontal, int Length, int Thickness,
                                     TThumb Thumb, bool FirstPressed = false,
                                     bool SecondPressed = false);
// The vertical bar of a scrolling window (window coordinates).
TRect VertBarOf(HWND Wnd);

// A form of ours at a fixed place on the screen with its own form skinner
// (the skin data stays inactive, so the manager leaves the form alone).
class SkinnedFormTest : public ::testing::Test {
protected:
  void SetUp() override;
  void TearDown() override;
  template <class T>
  T* Add(int x, int y, int w, int h) {
    auto* control = new T(Form.get());
    control->SetParent(Form.get());
    control->SetBounds(x, y, w, h);
    return control;
  }
  // A bare child window of a standard class.
  HWND AddWindow(const char* ClassName, DWORD Style, int x, int y, int w, int h);
  // A skinner attached as the form skinner does: to a bare window, or to a
  // control of ours.
  template <class T>
  T* SkinWindow(HWND Wnd) {
    auto* skinner = new T(SkinForm);
    skinner->InitWindow(Wnd, Skin, &SkinForm->ControlCanvas());
    SkinForm->Skinners().Add(skinner);
    return skinner;
  }
  template <class T>
  T* SkinControl(TControl* Control, bool ChangeColor) {
    auto* skinner = new T(SkinForm);
    skinner->InitControl(Control, Skin, ChangeColor, &SkinForm->ControlCanvas());
    return skinner;
  }
  // Repaints a window now (frame and client) and runs the messages.
  static void Redraw(HWND Wnd);

  std::unique_ptr<TForm> Form;
  TWinSkinForm* SkinForm = nullptr;
  TSkinData* Skin = nullptr;
};
