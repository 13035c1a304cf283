// Which skinner each child control gets: the rows of the table for forms of
// ours (with their fall-through when a kind is switched off, and the
// DisableTag rule), the class-and-style rules for windows of the system, and
// the release that gives every control its own handling back.
#include <gtest/gtest.h>

#include <windows.h>

#include <functional>
#include <memory>
#include <typeinfo>

#include "skin/controls/SkinBitButton.h"
#include "skin/controls/SkinBox.h"
#include "skin/controls/SkinButton.h"
#include "skin/controls/SkinComboBox.h"
#include "skin/controls/SkinEdit.h"
#include "skin/controls/SkinMarkButton.h"
#include "skin/controls/SkinProgress.h"
#include "skin/controls/SkinScControl.h"
#include "skin/controls/SkinScrollBar.h"
#include "skin/controls/SkinSizer.h"
#include "skin/controls/SkinSpeedButton.h"
#include "skin/controls/SkinStatusBar.h"
#include "skin/controls/SkinTab.h"
#include "skin/window/WinSkinForm.h"
#include "ui/Buttons.h"
#include "ui/ComCtrls.h"
#include "ui/ExtCtrls.h"
#include "ui/Forms.h"
#include "ui/StdCtrls.h"

namespace {

// The stored skin, loaded once.
TSkinData& Skin() {
  static TSkinData* skin = [] {
    auto* data = new TSkinData(nullptr);
    data->SetSkinFile(QUORVEL_SKIN_FILE);
    return data;
  }();
  return *skin;
}

// A form that the manager leaves alone (Tag 99): the tests attach by hand.
std::unique_ptr<TForm> NewForm() {
  auto form = std::make_unique<TForm>(nullptr);
  form->SetTag(99);
  form->SetBounds(0, 0, 400, 300);
  return form;
}

template <class T>
T& Add(TForm& form, int tag = 0) {
  T& control = *new T(&form);
  control.SetParent(&form);
  control.SetTag(tag);
  return control;
}

// The skinner type a control gets on form under the given kinds.
struct TAttached {
  TWinSkinForm Skinner;
  TAttached(TForm& form, TSkinControlTypes kinds) : Skinner(nullptr, form.Handle()) {
    Skin().SetSkinControls(kinds);
    Skinner.AttachToForm(&Skin(), &form);
  }
  ~TAttached() {
    Skinner.Detach();
    Skin().SetSkinControls(AllSkinControlTypes);
  }
  // The dynamic type of control's skinner; "none" when it has none.
  std::string KindOf(TWinControl& control) {
    TSkinControl* s = Skinner.Skinners().Find(control.Handle());
    return s ? typeid(*s).name() : "none";
  }
};

template <class T>
std::string Name() {
  return typeid(T).name();
}

constexpr TSkinControlTypes Without(TSkinControlType kind) {
  return AllSkinControlTypes & ~(1u << kind);
}

TEST(SkinDispatch, EachKindGetsItsSkinnerAndSwitchedOffKindsFallThrough) {
  struct TCase {
    const char* What;
    std::function<TWinControl&(TForm&)> Make;
    TSkinControlTypes Kinds;
    std::string Expected;
  };
  const TCase cases[] = {
      {"tab control", [](TForm& f) -> TWinControl& { return Add<TTabControl>(f); },
       AllSkinControlTypes, Name<TSkinTab>()},
      {"page control", [](TForm& f) -> TWinControl& { return Add<TPageControl>(f); },
       AllSkinControlTypes, Name<TSkinTab>()},
      {"check box", [](TForm& f) -> TWinControl& { return Add<TCheckBox>(f); }, AllSkinControlTypes,
       Name<TSkinCheckBox>()},
      {"radio group", [](TForm& f) -> TWinControl& { return Add<TRadioGroup>(f); },
       AllSkinControlTypes, Name<TSkinBox>()},
      {"panel", [](TForm& f) -> TWinControl& { return Add<TPanel>(f); }, AllSkinControlTypes,
       Name<TSkinBox>()},
      {"group box under xcPanel", [](TForm& f) -> TWinControl& { return Add<TGroupBox>(f); },
       Without(xcGroupBox), Name<TSkinBox>()},
      {"group box without xcPanel", [](TForm& f) -> TWinControl& { return Add<TGroupBox>(f); },
       Without(xcPanel), "none"},
      {"radio button", [](TForm& f) -> TWinControl& { return Add<TRadioButton>(f); },
       AllSkinControlTypes, Name<TSkinRadioButton>()},
      {"tool bar", [](TForm& f) -> TWinControl& { return Add<TToolBar>(f); }, AllSkinControlTypes,
       "none"},
      {"status bar", [](TForm& f) -> TWinControl& { return Add<TStatusBar>(f); },
       AllSkinControlTypes, Name<TSkinStatusBar>()},
      {"progress bar", [](TForm& f) -> TWinControl& { return Add<TProgressBar>(f); },
       AllSkinControlTypes, Name<TSkinProgress>()},
      {"scroll bar", [](TForm& f) -> TWinControl& { return Add<TScrollBar>(f); },
       AllSkinControlTypes, Name<TSkinScControl>()},
      {"combo box", [](TForm& f) -> TWinControl& { return Add<TComboBox>(f); }, AllSkinControlTypes,
       Name<TSkinComBox>()},
      {"simple combo box (no drop-down button)",
       [](TForm& f) -> TWinControl& {
         auto& combo = Add<TComboBox>(f);
         combo.SetStyle(csSimple);
         return combo;
       },
       AllSkinControlTypes, "none"},
      {"edit tagged 56", [](TForm& f) -> TWinControl& { return Add<TEdit>(f, 56); },
       AllSkinControlTypes, Name<TSkinComBox>()},
      {"bit button", [](TForm& f) -> TWinControl& { return Add<TBitBtn>(f); }, AllSkinControlTypes,
       Name<TSkinBitButton>()},
      {"bit button without xcBitBtn", [](TForm& f) -> TWinControl& { return Add<TBitBtn>(f); },
       Without(xcBitBtn), Name<TSkinButton>()},
      {"list view", [](TForm& f) -> TWinControl& { return Add<TListView>(f); }, AllSkinControlTypes,
       Name<TSkinListView>()},
      {"memo", [](TForm& f) -> TWinControl& { return Add<TMemo>(f); }, AllSkinControlTypes,
       Name<TSkinScrollBar>()},
      {"memo without xcScrollbar", [](TForm& f) -> TWinControl& { return Add<TMemo>(f); },
       Without(xcScrollbar), Name<TSkinEdit>()},
      {"list box", [](TForm& f) -> TWinControl& { return Add<TListBox>(f); }, AllSkinControlTypes,
       Name<TSkinScrollBar>()},
      {"edit tagged 55", [](TForm& f) -> TWinControl& { return Add<TEdit>(f, 55); },
       AllSkinControlTypes, Name<TSkinScrollBar>()},
      {"button", [](TForm& f) -> TWinControl& { return Add<TButton>(f); }, AllSkinControlTypes,
       Name<TSkinButton>()},
      {"button without xcButton", [](TForm& f) -> TWinControl& { return Add<TButton>(f); },
       Without(xcButton), "none"},
      {"edit", [](TForm& f) -> TWinControl& { return Add<TEdit>(f); }, AllSkinControlTypes,
       Name<TSkinEdit>()},
      {"edit tagged 57", [](TForm& f) -> TWinControl& { return Add<TPanel>(f, 57); },
       Without(xcPanel), Name<TSkinEdit>()},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.What);
    auto form = NewForm();
    TWinControl& control = c.Make(*form);
    TAttached attached(*form, c.Kinds);
    EXPECT_EQ(attached.KindOf(control), c.Expected);
  }
}

TEST(SkinDispatch, DisableTagKeepsEveryTagWithItsRemainderButNotTheNegativeOne) {
  auto form = NewForm();
  ASSERT_EQ(Skin().DisableTag(), 99);
  const int tags[] = {99, 199, 1099, -99};
  std::vector<TButton*> buttons;
  for (int tag : tags) buttons.push_back(&Add<TButton>(*form, tag));
  TAttached attached(*form, AllSkinControlTypes);
  EXPECT_EQ(attached.KindOf(*buttons[0]), "none");
  EXPECT_EQ(attached.KindOf(*buttons[1]), "none");
  EXPECT_EQ(attached.KindOf(*buttons[2]), "none");
  EXPECT_EQ(attached.KindOf(*buttons[3]), Name<TSkinButton>());
}

TEST(SkinDispatch, AStatusBarLosesItsSizeGripAndAToolBarTurnsFlat) {
  auto form = NewForm();
  TStatusBar& status = Add<TStatusBar>(*form);
  TToolBar& tools = Add<TToolBar>(*form);
  TAttached attached(*form, AllSkinControlTypes);
  EXPECT_FALSE(status.SizeGrip());
  EXPECT_TRUE(tools.Flat());
}

// Child windows of a window of the system, by class name and style.
TEST(SkinDispatch, SystemWindowsChildrenByClassAndStyle) {
  struct TCase {
    const char* Class;
    DWORD Style;
    std::string Expected;
  };
  const TCase cases[] = {
      {"Button", BS_PUSHBUTTON, Name<TSkinButton>()},
      {"Button", BS_DEFPUSHBUTTON, Name<TSkinButton>()},
      {"Button", BS_OWNERDRAW, Name<TSkinCheckBox>()},
      {"Button", BS_AUTOCHECKBOX, Name<TSkinCheckBox>()},
      {"Button", BS_AUTORADIOBUTTON, Name<TSkinRadioButton>()},
      {"Button", BS_GROUPBOX, "none"},
      {"ComboBox", CBS_DROPDOWNLIST, Name<TSkinComBox>()},
      {"ComboBox", CBS_SIMPLE, "none"},
      {"Edit", 0, Name<TSkinEdit>()},
      {"Static", 0, "none"},
  };
  WNDCLASSA wc{};
  wc.lpfnWndProc = DefWindowProcA;
  wc.hInstance = GetModuleHandleA(nullptr);
  wc.lpszClassName = "DispatchTestDialog";
  RegisterClassA(&wc);
  const HWND dialog = CreateWindowExA(0, "DispatchTestDialog", "", WS_OVERLAPPEDWINDOW, 0, 0, 400,
                                      400, nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
  std::vector<HWND> children;
  for (const TCase& c : cases)
    children.push_back(CreateWindowExA(0, c.Class, "x", WS_CHILD | WS_VISIBLE | c.Style, 0, 0, 80,
                                       20, dialog, nullptr, GetModuleHandleA(nullptr), nullptr));
  std::vector<LONG_PTR> procedures;
  for (HWND child : children) procedures.push_back(GetWindowLongPtrA(child, GWLP_WNDPROC));
  {
    TWinSkinForm skinner(nullptr, dialog);
    skinner.AttachToWindow(&Skin());
    for (size_t i = 0; i < children.size(); ++i) {
      SCOPED_TRACE(std::string(cases[i].Class) + " style " + std::to_string(cases[i].Style));
      TSkinControl* s = skinner.Skinners().Find(children[i]);
      EXPECT_EQ(s ? std::string(typeid(*s).name()) : "none", cases[i].Expected);
    }
    skinner.Detach();
  }
  // Released: every child has its own procedure again.
  for (size_t i = 0; i < children.size(); ++i)
    EXPECT_EQ(GetWindowLongPtrA(children[i], GWLP_WNDPROC), procedures[i]);
  DestroyWindow(dialog);
}

TEST(SkinDispatch, ReleaseGivesControlsTheirHandlingAndColourBack) {
  auto form = NewForm();
  TCheckBox& check = Add<TCheckBox>(*form);
  TPanel& panel = Add<TPanel>(*form);
  check.SetColor(clWindow);
  panel.SetColor(clInfoBk);
  {
    TAttached attached(*form, AllSkinControlTypes);
    EXPECT_EQ(check.Color(), Skin().ButtonFaceColour);
    // The check box's messages go to its skinner.
    TSkinControl* skinner = attached.Skinner.Skinners().Find(check.Handle());
    ASSERT_NE(skinner, nullptr);
    check.SetCaption("through the skinner");
    EXPECT_EQ(skinner->Caption(), "through the skinner");
  }
  EXPECT_EQ(check.Color(), clWindow);
  EXPECT_EQ(panel.Color(), clInfoBk);
  // Its WindowProc is its own again, not the skinner's place.
  EXPECT_EQ(check.WindowProc.target<TControlHook::TInstalled>(), nullptr);
  // The handling works as before: a click checks the box.
  SendMessageA(check.Handle(), BM_CLICK, 0, 0);
  EXPECT_TRUE(check.Checked());
}

TEST(SkinDispatch, AControlDestroyedWhileSkinnedIsLeftAlone) {
  auto form = NewForm();
  TButton* button = &Add<TButton>(*form);
  TAttached attached(*form, AllSkinControlTypes);
  TSkinControl* skinner = attached.Skinner.Skinners().Find(button->Handle());
  ASSERT_NE(skinner, nullptr);
  delete button;  // its window goes: the skinner restores itself at WM_NCDESTROY
  EXPECT_FALSE(skinner->Hooked());
  // The release later finds nothing to restore and touches nothing.
}

}  // namespace
