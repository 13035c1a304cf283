// A control skinner's life: restored, it leaves no trace; a control that
// goes away while skinned restores itself and is never touched again; a
// message the skinner consumes never reaches the control; a hook that the
// application put in front of the skinner's stays where it is.
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>

#include "SkinControlsKit.h"
#include "skin/controls/SkinButton.h"
#include "skin/controls/SkinComboBox.h"
#include "skin/controls/SkinEdit.h"
#include "skin/controls/SkinMarkButton.h"
#include "skin/controls/SkinSpeedButton.h"
#include "ui/Buttons.h"
#include "ui/StdCtrls.h"

namespace {

// A stand-in for a form skinner whose window is going away.
class TReleasingHost : public TComponent, public TSkinnerHost {
public:
  TReleasingHost() : TComponent(nullptr) { FPhase = TFormPhase::Releasing; }
};

WNDPROC ProcOf(HWND Wnd) { return reinterpret_cast<WNDPROC>(GetWindowLongPtrA(Wnd, GWLP_WNDPROC)); }

// The skinner sees Wnd's messages: a text change reaches its caption.
bool SeesMessages(TSkinControl& Skinner, HWND Wnd, const char* Text) {
  SendMessageA(Wnd, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(Text));
  return Skinner.Caption() == Text;
}

TEST(SkinnerLife, RestoreLeavesTheWindowProcedureAndColourAsTheyWere) {
  THost host;
  const auto ours = [&] {
    auto* b = host.Add<TButton>(20, 20, 90, 24);
    b->SetColor(clInfoBk);
    return b->Handle();
  };
  const struct {
    const char* Name;
    std::function<HWND()> Make;
    std::function<TSkinControl*(HWND)> Attach;
  } rows[] = {
      {"dialog button", [&] { return host.Child("button", BS_PUSHBUTTON, 20, 20, 90, 24); },
       [&](HWND w) { return host.Skin<TSkinButton>(w); }},
      {"dialog check box", [&] { return host.Child("button", BS_AUTOCHECKBOX, 20, 20, 90, 24); },
       [&](HWND w) { return host.Skin<TSkinCheckBox>(w); }},
      {"dialog combo box", [&] { return host.Child("combobox", CBS_DROPDOWN, 20, 20, 90, 99); },
       [&](HWND w) { return host.Skin<TSkinComBox>(w); }},
      {"dialog edit", [&] { return host.Child("edit", 0, 20, 20, 90, 24); },
       [&](HWND w) { return host.Skin<TSkinEdit>(w); }},
      // Controls of ours: WindowProc is replaced, the window's procedure stays.
      {"button", ours, [&](HWND w) { return host.Skin<TSkinButton>(TWinControl::FindControl(w)); }},
      {"check box (face colour meanwhile)",
       [&] {
         auto* c = host.Add<TCheckBox>(20, 20, 90, 24);
         c->SetColor(clInfoBk);
         return c->Handle();
       },
       [&](HWND w) { return host.Skin<TSkinCheckBox>(TWinControl::FindControl(w), true); }},
  };
  for (const auto& row : rows) {
    HWND w = row.Make();
    const WNDPROC before = ProcOf(w);
    TSkinControl* s = row.Attach(w);
    TControl* control = s->Control();
    if (control) {
      EXPECT_EQ(control->Color(), s->ChangeColor() ? Skin().ButtonFaceColour : clInfoBk)
          << row.Name;
    }
    EXPECT_TRUE(SeesMessages(*s, w, "one")) << row.Name;
    for (int twice = 0; twice < 2; ++twice) {
      s->Restore();
      EXPECT_FALSE(SeesMessages(*s, w, "two")) << row.Name;
      EXPECT_EQ(ProcOf(w), before) << row.Name;
      if (control) {
        EXPECT_EQ(control->Color(), clInfoBk) << row.Name;
      }
    }
    DestroyWindow(w);
  }
  // A control whose form is going keeps the skin's colour: the skinner asks
  // its owner, here a stand-in whose window is going.
  TReleasingHost releasing;
  auto* s = new TSkinCheckBox(&releasing);
  s->InitControl(TWinControl::FindControl(ours()), &Skin(), true, &host.FSkinForm->ControlCanvas());
  s->Restore();
  EXPECT_EQ(s->Control()->Color(), Skin().ButtonFaceColour);
}

TEST(SkinnerLife, ControlDestroyedWhileSkinnedIsNotTouchedAgain) {
  THost host;
  HWND w = host.Child("button", BS_PUSHBUTTON, 20, 20, 90, 30);
  TSkinControl* dialogButton = host.Skin<TSkinButton>(w);
  MoveOnto(w);  // the hot control, too
  DestroyWindow(w);
  EXPECT_TRUE(!dialogButton->Hooked() && !dialogButton->Handle());
  EXPECT_EQ(host.FSkinForm->Skinners().Find(w), nullptr);
  dialogButton->MouseLeave();  // as the hover timer would
  auto* button = host.Add<TButton>(20, 60, 90, 30);
  auto* speed = host.Add<TSpeedButton>(120, 60, 60, 30);
  TSkinControl* buttonSkinner = host.Skin<TSkinButton>(button, true);
  auto* speedSkinner = new TSkinSpeedButton(host.FSkinForm);
  speedSkinner->InitSpeedButton(speed, &Skin(), &host.FSkinForm->ControlCanvas());
  EXPECT_TRUE(host.FSkinForm->Skinners().Serves(speed));
  delete button;
  delete speed;
  for (TSkinControl* s : {buttonSkinner, static_cast<TSkinControl*>(speedSkinner)})
    EXPECT_TRUE(!s->Control() && !s->Hooked() && !s->Handle());
  EXPECT_EQ(speedSkinner->SpeedButton(), nullptr);
  speedSkinner->Paint();
  host.FSkinForm->ReleaseSkinners();  // restores and repaints what is left: nothing
}

// A speed button that counts its own paints.
class TCountingSpeedButton : public TSpeedButton {
public:
  using TSpeedButton::TSpeedButton;
  int Paints = 0;

protected:
  void Paint() override { ++Paints, TSpeedButton::Paint(); }
};

TEST(SkinnerLife, MessageConsumedByTheSkinnerNeverReachesTheControl) {
  THost host;
  // The window procedure of a dialog button, below the skinner.
  HWND w = host.Child("button", BS_PUSHBUTTON, 20, 20, 90, 30);
  std::vector<UINT> seen;
  TWindowSubclass own;
  own.Attach(w, [&](TMessage& m) { seen.push_back(m.Msg), own.CallPrevious(m); });
  host.Skin<TSkinButton>(w);
  for (UINT msg : {WM_ERASEBKGND, WM_LBUTTONDOWN, WM_LBUTTONDBLCLK, WM_LBUTTONUP})
    SendMessageA(w, msg, msg == WM_ERASEBKGND ? reinterpret_cast<WPARAM>(TWindowDC(w).Get()) : 0,
                 MiddleOf(w));
  EXPECT_EQ(std::count(seen.begin(), seen.end(), UINT(WM_LBUTTONUP)), 1);
  for (UINT msg : {WM_ERASEBKGND, WM_LBUTTONDOWN, WM_LBUTTONDBLCLK})
    EXPECT_EQ(std::count(seen.begin(), seen.end(), msg), 0) << msg;
  // A button of ours: its mouse-down event does not run.
  auto* button = host.Add<TButton>(20, 60, 90, 30);
  int downs = 0;
  button->OnMouseDown = [&](TObject*, TMouseButton, TShiftState, int, int) { ++downs; };
  host.Skin<TSkinButton>(button);
  SendMessageA(button->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MiddleOf(button->Handle()));
  EXPECT_EQ(downs, 0);
  // A speed button is painted by the skin, not by itself; without a button
  // picture in the skin it paints itself.
  TSkinData noPictures(nullptr);
  for (TSkinData* data : {&Skin(), &noPictures}) {
    auto* speed = host.Add<TCountingSpeedButton>(120, 60, 60, 30);
    auto* s = new TSkinSpeedButton(host.FSkinForm);
    s->InitSpeedButton(speed, data, &host.FSkinForm->ControlCanvas());
    host.FForm->Update();
    EXPECT_EQ(speed->Paints, data == &noPictures ? 1 : 0);
    s->Restore();
    speed->Invalidate();
    host.FForm->Update();
    EXPECT_EQ(speed->Paints, data == &noPictures ? 2 : 1);
    delete speed;
  }
}

// The application hooks a control's WindowProc before the skinner and after
// it; the skinner goes. The later hook stays in front, the chain behind it
// still leads to the earlier one (the skinner's place passes messages on),
// also once the application takes its later hook out again.
TEST(SkinnerLife, AnApplicationHookInstalledAfterOursStaysWhenTheSkinnerGoes) {
  THost host;
  struct TRow {
    const char* Name;
    // Makes the control and returns it with a function that attaches its
    // skinner and gives back one that lets it go.
    std::function<TControl*()> Make;
    std::function<std::function<void()>(TControl*)> Attach;
  };
  const auto controlSkinner = [&](TControl* c) -> std::function<void()> {
    TSkinControl* s = host.Skin<TSkinButton>(c);
    return [s] { delete s; };
  };
  std::unique_ptr<TForm> form;
  const TRow rows[] = {
      {"button", [&] { return host.Add<TButton>(20, 20, 90, 24); }, controlSkinner},
      {"check box", [&] { return host.Add<TCheckBox>(20, 50, 90, 24); },
       [&](TControl* c) -> std::function<void()> {
         TSkinControl* s = host.Skin<TSkinCheckBox>(c, true);
         return [s] { delete s; };
       }},
      {"speed button", [&] { return host.Add<TSpeedButton>(120, 20, 60, 24); },
       [&](TControl* c) -> std::function<void()> {
         auto* s = new TSkinSpeedButton(host.FSkinForm);
         s->InitSpeedButton(static_cast<TSpeedButton*>(c), &Skin(),
                            &host.FSkinForm->ControlCanvas());
         return [s] { delete s; };
       }},
      {"form (the form skinner's hook)",
       [&] {
         form = std::make_unique<TForm>(nullptr);
         form->SetTag(99);
         form->SetBounds(0, 0, 200, 150);
         return form.get();
       },
       [&](TControl* c) -> std::function<void()> {
         auto* s = new TWinSkinForm(nullptr, static_cast<TForm*>(c)->Handle());
         s->AttachToForm(&Skin(), static_cast<TForm*>(c));
         return [s] {
           s->Detach();
           delete s;
         };
       }},
  };
  for (const TRow& row : rows) {
    SCOPED_TRACE(row.Name);
    TControl* control = row.Make();
    int earlier = 0, later = 0;
    const auto own = control->WindowProc;
    control->WindowProc = [&](TMessage& m) { ++earlier, own(m); };
    const std::function<void()> release = row.Attach(control);
    const auto skinners = control->WindowProc;
    control->WindowProc = [&](TMessage& m) { ++later, skinners(m); };
    release();
    const int earlierBefore = earlier, laterBefore = later;
    control->Perform(WM_NULL, 0, 0);
    EXPECT_EQ(later, laterBefore + 1);
    EXPECT_EQ(earlier, earlierBefore + 1);
    control->WindowProc = skinners;  // the application takes its hook out
    control->Perform(WM_NULL, 0, 0);
    EXPECT_EQ(earlier, earlierBefore + 2);
    control->WindowProc = own;
  }
}

}  // namespace
