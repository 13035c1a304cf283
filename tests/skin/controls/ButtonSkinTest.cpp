// Push, bitmap and speed buttons, check boxes and radio buttons as the skin
// paints them (checked against the skin's own bitmaps), clicks and the
// hover hand-over.
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <string>

#include "SkinControlsKit.h"
#include "skin/controls/SkinBitButton.h"
#include "skin/controls/SkinButton.h"
#include "skin/controls/SkinMarkButton.h"
#include "skin/controls/SkinSpeedButton.h"
#include "ui/Buttons.h"
#include "ui/StdCtrls.h"

namespace {

enum { frNormal = 1, frPressed = 2, frDisabled = 3, frHot = 4 };
enum TKind { kDialogButton, kButton, kBitButton };
const char* const kKindNames[] = {"dialog button", "button", "bitmap button"};

int FaceMismatches(HWND Button, int Frame) {
  const TShot shot = CaptureWindow(Button);
  return Mismatches(shot, TRect{0, 0, shot.Width, shot.Height},
                    ExpectedFace(*Skin().Button, 5, Frame, shot.Width, shot.Height));
}

// An empty push button of the kind at (X, Y), skinned.
HWND MakeButton(THost& Host, TKind Kind, int X, int Y, TSkinControl** Skinner = nullptr) {
  TSkinControl* s = nullptr;
  HWND w = nullptr;
  if (Kind == kDialogButton) {
    w = Host.Child("button", BS_PUSHBUTTON | WS_TABSTOP, X, Y, 90, 30);
    s = Host.Skin<TSkinButton>(w);
  } else {
    TButton* b =
        Kind == kButton ? Host.Add<TButton>(X, Y, 90, 30) : Host.Add<TBitBtn>(X, Y, 90, 30);
    w = b->Handle();
    s = Kind == kButton ? static_cast<TSkinControl*>(Host.Skin<TSkinButton>(b))
                        : Host.Skin<TSkinBitButton>(b);
  }
  if (Skinner) *Skinner = s;
  return w;
}

void Destroy(HWND W) {
  if (TWinControl* control = TWinControl::FindControl(W))
    delete control;
  else
    DestroyWindow(W);
}

void Press(HWND W) { MoveOnto(W), SendMessageA(W, WM_LBUTTONDOWN, MK_LBUTTON, MiddleOf(W)); }
void Release(HWND W) { SendMessageA(W, WM_LBUTTONUP, 0, MiddleOf(W)); }

// Each face is captured as soon as the state is reached: a control of ours
// hears the mouse leave again once its messages are pumped.
TEST(PushButtonSkin, FaceIsTheButtonFrameOfTheState) {
  const std::pair<const char*, std::function<void(HWND)>> rows[] = {
      {"normal", [](HWND) {}},
      {"hot", MoveOnto},
      {"pressed", Press},
      {"space bar held", [](HWND b) { SetFocus(b), SendMessageA(b, WM_KEYDOWN, VK_SPACE, 0); }},
      {"disabled", Disable},
      {"disabled under the mouse", [](HWND b) { MoveOnto(b), Disable(b); }},
      {"focused", [](HWND b) { SetFocus(b); }},
  };
  const int frames[] = {frNormal, frHot, frPressed, frPressed, frDisabled, frDisabled, frHot};
  for (TKind kind : {kDialogButton, kButton, kBitButton}) {
    THost host;
    for (size_t i = 0; i < std::size(rows); ++i) {
      host.Activate();
      HWND b = MakeButton(host, kind, 20, 20);
      PumpMessages();
      rows[i].second(b);
      EXPECT_EQ(FaceMismatches(b, frames[i]), 0) << kKindNames[kind] << ", " << rows[i].first;
      Destroy(b);
    }
  }
}

// Two buttons side by side: what the mouse and the space bar do to clicks,
// to the form skinner's hot control and to the faces. A click is a release
// over the button pressed there; while it runs, the face is the skin's. The
// pointer is elsewhere, so buttons of ours are not hot once it is all over.
TEST(PushButtonSkin, ClicksAndTheHoverHandOver) {
  struct TRow {
    const char* Name;
    std::function<void(HWND a, HWND b)> Act;
    int Clicks;              // of a
    int Hot;                 // the hot control: 0 none, 1 a, 2 b
    int Dialog[2], Ours[2];  // the faces of a and b
  };
  const TRow rows[] = {
      {"click",
       [](HWND a, HWND) { Press(a), Release(a); },
       1,
       1,
       {frHot, frNormal},
       {frHot, frNormal}},
      {"double click",
       [](HWND a, HWND) {
         Press(a), Release(a);
         SendMessageA(a, WM_LBUTTONDBLCLK, MK_LBUTTON, MiddleOf(a)), Release(a);
       },
       2,
       1,
       {frHot, frNormal},
       {frHot, frNormal}},
      {"space bar",
       [](HWND a, HWND) {
         SetFocus(a), SendMessageA(a, WM_KEYDOWN, VK_SPACE, 0),
             SendMessageA(a, WM_KEYUP, VK_SPACE, 0);
       },
       1,
       0,
       {frHot, frNormal},
       {frHot, frNormal}},
      {"mouse from a onto b",
       [](HWND a, HWND b) { MoveOnto(a), PumpMessages(), MoveOnto(b); },
       0,
       2,
       {frNormal, frHot},
       {frNormal, frNormal}},
      {"pressed on a, released on b",
       [](HWND a, HWND b) { Press(a), PumpMessages(), MoveOnto(b), PumpMessages(), Release(b); },
       0,
       2,
       {frHot, frHot},
       {frHot, frNormal}},
      {"released without a press",
       [](HWND a, HWND) { MoveOnto(a), Release(a); },
       0,
       1,
       {frHot, frNormal},
       {frNormal, frNormal}},
      {"disabled under the mouse, enabled after it left",
       [](HWND a, HWND b) {
         MoveOnto(a), EnableWindow(a, FALSE), MoveOnto(b), PumpMessages(), EnableWindow(a, TRUE);
       },
       0,
       2,
       {frNormal, frHot},
       {frNormal, frNormal}},
  };
  for (TKind kind : {kDialogButton, kButton}) {
    THost host;
    for (const TRow& row : rows) {
      TSkinControl *sa, *sb;
      HWND a = MakeButton(host, kind, 20, 20, &sa), b = MakeButton(host, kind, 120, 20, &sb);
      int unskinned = 0;
      host.Clicks.clear();
      host.OnClick = [&](HWND w) {
        unskinned +=
            FaceMismatches(w, frPressed) && FaceMismatches(w, frHot) && FaceMismatches(w, frNormal);
      };
      host.Activate();
      PumpMessages();
      row.Act(a, b);
      PumpMessages();
      const std::string what = std::string(kKindNames[kind]) + ", " + row.Name;
      const int* faces = kind == kDialogButton ? row.Dialog : row.Ours;
      EXPECT_EQ(FaceMismatches(a, faces[0]), 0) << what;
      EXPECT_EQ(FaceMismatches(b, faces[1]), 0) << what;
      EXPECT_EQ(host.Clicks, std::vector<HWND>(row.Clicks, a)) << what;
      EXPECT_EQ(unskinned, 0) << what;
      TSkinControl* hot[] = {nullptr, sa, sb};
      if (row.Hot) {
        EXPECT_EQ(host.FSkinForm->Skinners().Hot(), hot[row.Hot]) << what;
      }
      host.OnClick = nullptr;
      Destroy(a), Destroy(b);
    }
  }
}

// Speed buttons have no window: they are painted through their parent.
TEST(SpeedButtonSkin, FaceIsTheButtonFrameOfTheState) {
  const std::pair<const char*, int> rows[] = {
      {"normal", frNormal}, {"hot", frHot},           {"pressed", frPressed},
      {"down", frPressed},  {"disabled", frDisabled}, {"down disabled", frPressed}};
  THost host;
  for (const auto& [name, frame] : rows) {
    const std::string row = name;
    auto* button = host.Add<TSpeedButton>(20, 20, 60, 26);
    button->SetGroupIndex(1);
    button->SetAllowAllUp(true);
    (new TSkinSpeedButton(host.FSkinForm))
        ->InitSpeedButton(button, &Skin(), &host.FSkinForm->ControlCanvas());
    if (row == "hot") button->Perform(CM_MOUSEENTER, 0, 0);
    if (row == "pressed") button->Perform(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
    if (row.find("down") == 0) button->SetDown(true);
    if (row.find("disabled") != std::string::npos) button->SetEnabled(false);
    host.FForm->Update();
    EXPECT_EQ(Mismatches(CaptureClient(host.FForm->Handle(), button->BoundsRect()),
                         TRect{0, 0, 60, 26}, ExpectedFace(*Skin().Button, 5, frame, 60, 26)),
              0)
        << name;
    delete button;
  }
}

// The glyph cell shown: a bitmap button's is always the first; a speed
// button's the second when disabled and the third when down (the first when
// it has fewer cells). Cells are red, green and blue, each with a white
// bottom-left pixel, the transparent one.
TEST(GlyphButtonSkin, ShowsTheGlyphCellOfTheState) {
  const COLORREF colours[] = {RGB(255, 0, 0), RGB(0, 255, 0), RGB(0, 0, 255)};
  const auto down = [](TControl& c) { static_cast<TSpeedButton&>(c).SetDown(true); };
  const struct {
    const char* Name;
    bool Speed;
    int Cells;
    std::function<void(TControl&)> Act;
    int Cell;
  } rows[] = {
      {"bitmap button", false, 3, [](TControl&) {}, 1},
      {"bitmap button pressed", false, 3,
       [](TControl& c) { Press(static_cast<TWinControl&>(c).Handle()); }, 1},
      {"bitmap button disabled", false, 3, [](TControl& c) { c.SetEnabled(false); }, 1},
      {"speed button", true, 3, [](TControl&) {}, 1},
      {"speed button disabled", true, 3, [](TControl& c) { c.SetEnabled(false); }, 2},
      {"speed button down and disabled", true, 3,
       [&](TControl& c) { down(c), c.SetEnabled(false); }, 3},
      {"speed button of two cells down", true, 2, down, 1},
  };
  THost host;
  for (const auto& row : rows) {
    TControl* c = nullptr;
    TBitmap* glyph = nullptr;
    if (row.Speed) {
      auto* speed = host.Add<TSpeedButton>(20, 20, 90, 30);
      speed->SetGroupIndex(1);
      speed->SetAllowAllUp(true);
      speed->SetNumGlyphs(row.Cells);
      (new TSkinSpeedButton(host.FSkinForm))
          ->InitSpeedButton(speed, &Skin(), &host.FSkinForm->ControlCanvas());
      c = speed, glyph = &speed->Glyph();
    } else {
      auto* bit = host.Add<TBitBtn>(20, 20, 90, 30);
      bit->SetNumGlyphs(row.Cells);
      host.Skin<TSkinBitButton>(bit);
      c = bit, glyph = &bit->Glyph();
    }
    glyph->SetSize(16 * row.Cells, 16);
    for (int i = 0; i < row.Cells; ++i) {
      const TBrushObject brush(CreateSolidBrush(colours[i]));
      const RECT cell{16 * i, 0, 16 * i + 16, 16};
      FillRect(glyph->Canvas().Handle(), &cell, brush);
      SetPixel(glyph->Canvas().Handle(), 16 * i, 15, RGB(255, 255, 255));
    }
    row.Act(*c);
    c->Invalidate();
    c->Update();
    const TShot shot = row.Speed ? CaptureClient(host.FForm->Handle(), c->BoundsRect())
                                 : CaptureWindow(static_cast<TWinControl*>(c)->Handle());
    for (int i = 0; i < 3; ++i)
      EXPECT_EQ(std::count(shot.Pixels.begin(), shot.Pixels.end(), colours[i]),
                i + 1 == row.Cell ? 255 : 0)
          << row.Name << ", cell " << i + 1;
    delete c;
  }
}

// Check boxes and radio buttons: the mark box from the skin's strip, at the
// left of the control, or at its right with the text on the left.
TEST(MarkButtonSkin, MarkIsTheStripFrameOfTheState) {
  const auto check = [](HWND w) { SendMessageA(w, BM_SETCHECK, BST_CHECKED, 0); };
  const struct {
    const char* Name;
    DWORD Style;
    std::function<void(HWND)> Act;
    int Frame;
  } rows[] = {
      {"check box", BS_AUTOCHECKBOX, [](HWND) {}, 1},
      {"checked", BS_AUTOCHECKBOX, check, 2},
      {"disabled", BS_AUTOCHECKBOX, Disable, 3},
      {"checked, disabled", BS_AUTOCHECKBOX, [&](HWND w) { check(w), Disable(w); }, 3},
      {"clicked", BS_AUTOCHECKBOX, [](HWND w) { Press(w), Release(w); }, 2},
      {"held by the space bar", BS_AUTOCHECKBOX,
       [](HWND w) { SetFocus(w), SendMessageA(w, WM_KEYDOWN, VK_SPACE, 0); }, 1},
      {"text on the left", BS_AUTOCHECKBOX | BS_LEFTTEXT, check, 2},
      {"radio button", BS_AUTORADIOBUTTON, [](HWND) {}, 1},
      {"radio checked", BS_AUTORADIOBUTTON, check, 2},
      {"radio disabled", BS_AUTORADIOBUTTON, Disable, 3},
      {"radio checked, disabled", BS_AUTORADIOBUTTON, [&](HWND w) { check(w), Disable(w); }, 4},
      {"radio, text on the left", BS_AUTORADIOBUTTON | BS_LEFTTEXT, [](HWND) {}, 1},
  };
  THost host;
  TDataSkinButton& skin = *Skin().Button;
  for (const auto& row : rows) {
    const bool radio = (row.Style & 15) == BS_AUTORADIOBUTTON;
    host.Activate();
    HWND w = host.Child("button", row.Style, 20, 20, 150, 24, "Option");
    if (radio)
      host.Skin<TSkinRadioButton>(w);
    else
      host.Skin<TSkinCheckBox>(w);
    PumpMessages();
    row.Act(w);
    TBitmap& strip = radio ? skin.RadioBitmap : skin.CheckBitmap;
    const int count = radio ? skin.RadioFrameCount : skin.CheckFrameCount;
    const int mw = strip.Width() / count, mh = strip.Height();
    // A mark narrower than 15 pixels stands in the middle of a 14-pixel column.
    const int inset = mw < 15 ? (14 - mw) / 2 : 0;
    const int left = (row.Style & BS_LEFTTEXT) ? 150 - inset - mw - (mw < 15 ? 0 : 1) : inset;
    EXPECT_EQ(Mismatches(CaptureWindow(w), TRect{left, (24 - mh) / 2, 0, 0},
                         ExpectedStrip(strip, count, row.Frame, mw, mh)),
              0)
        << row.Name;
    DestroyWindow(w);
  }
}

}  // namespace
