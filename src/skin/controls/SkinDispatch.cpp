// The tables that choose a control skinner for each child control, and the
// attaching of what they choose.
#include "skin/controls/SkinDispatch.h"

#include <algorithm>
#include <cassert>
#include <initializer_list>
#include <vector>

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
#include "ui/Buttons.h"
#include "ui/ComCtrls.h"
#include "ui/ExtCtrls.h"
#include "ui/Forms.h"
#include "ui/StdCtrls.h"
#include "ui/SysUtils.h"

namespace {

// Whether c is a T (or derives from it).
template <class T>
bool Is(const TComponent* c) {
  return dynamic_cast<const T*>(c) != nullptr;
}

// Whether name is one of names.
bool NameIn(const std::string& name, std::initializer_list<const char*> names) {
  return std::any_of(names.begin(), names.end(), [&](const char* n) { return name == n; });
}

// What the rows look at of one component.
struct TComponentFacts {
  TComponent* Component;
  std::string Name;  // its window's class, upper-cased; empty without a window
  int Tag;
  const TSkinModel* Skin;
};

// How a row attaches its skinner, or what it does instead of making one.
enum class TAttach {
  Control,     // InitControl, with the row's option as ChangeColor
  Window,      // InitWindow on the control's window; the dispatch lists it
  ScrollBars,  // InitScrollBars, with the row's option as TrackThumb
  Speed,       // InitSpeedButton
  StatusBar,   // the status bar loses its size grip, then InitControl
  RadioGroup,  // a box for the group and a radio-button skinner for each button in it
  Toolbar,     // no skinner: the tool bar is made flat
  Frame,       // no skinner: the frame's components are dispatched in turn
  Form,        // no skinner: an embedded form takes the face colour, then its components
};

// Makes a skinner of class T owned by Owner.
template <class T>
TSkinControl* Make(TComponent* Owner) {
  return new T(Owner);
}
using TFactory = TSkinControl* (*)(TComponent* Owner);

// One row of the component table: the first row whose predicate holds and
// whose kind is switched on takes the component.
struct TRow {
  bool (*Matches)(const TComponentFacts&);
  TSkinControlTypes Kind;  // the SkinControls kind that must be on; 0: always
  TFactory Factory;        // null for the rows that make no skinner of their own
  TAttach Attach;
  bool Option;
};

// The kind bit of Kind.
constexpr TSkinControlTypes K(TSkinControlType Kind) { return 1u << Kind; }

// A control that scrolls: scroll-bar styles or a scrolling kind.
bool HasScrollBars(TComponent* Component) {
  if (auto* windowed = dynamic_cast<TWinControl*>(Component)) {
    if (windowed->HandleAllocated() &&
        (GetWindowLongPtrA(windowed->Handle(), GWL_STYLE) & (WS_HSCROLL | WS_VSCROLL)))
      return true;
  }
  return Is<TCustomListBox>(Component) || Is<TCustomMemo>(Component) || Is<TScrollBox>(Component);
}

// A combo box with a drop-down button: a simple one (its list always
// shown) has none to skin, as in the windows of the system.
bool IsDropDownCombo(TComponent* Component) {
  auto* combo = dynamic_cast<TCustomComboBox*>(Component);
  return combo && combo->Style() != csSimple;
}

using F = const TComponentFacts&;

// The component table, in the order in which the rows are tried.
const TRow kComponentRows[] = {
    {[](F f) {
       return (Is<TTabControl>(f.Component) || Is<TPageControl>(f.Component)) && f.Skin->Tabs;
     },
     K(xcTab), Make<TSkinTab>, TAttach::Window, false},
    {[](F f) { return Is<TCustomCheckBox>(f.Component); }, K(xcCheckBox), Make<TSkinCheckBox>,
     TAttach::Control, true},
    {[](F f) { return Is<TCustomRadioGroup>(f.Component) || f.Name == "TWWRADIOGROUP"; },
     K(xcRadioButton), nullptr, TAttach::RadioGroup, true},
    {[](F f) { return Is<TCustomPanel>(f.Component) || Is<TCustomGroupBox>(f.Component); },
     K(xcPanel), Make<TSkinBox>, TAttach::Control, true},
    {[](F f) { return Is<TRadioButton>(f.Component); }, K(xcRadioButton), Make<TSkinRadioButton>,
     TAttach::Control, true},
    {[](F f) { return Is<TToolBar>(f.Component); }, K(xcToolbar), nullptr, TAttach::Toolbar, false},
    {[](F f) { return Is<TStatusBar>(f.Component); }, K(xcStatusBar), Make<TSkinStatusBar>,
     TAttach::StatusBar, false},
    {[](F f) { return Is<TProgressBar>(f.Component); }, K(xcProgress), Make<TSkinProgress>,
     TAttach::Control, false},
    {[](F f) { return Is<TScrollBar>(f.Component); }, K(xcScrollbar), Make<TSkinScControl>,
     TAttach::Control, false},
    {[](F f) { return IsDropDownCombo(f.Component) || f.Tag == 56; }, K(xcCombo), Make<TSkinComBox>,
     TAttach::Control, false},
    {[](F f) {
       return NameIn(f.Name, {"TDBLOOKUPCOMBOBOX", "TWWDBCOMBOBOX", "TWWDBLOOKUPCOMBO",
                              "TWWKEYCOMBO", "TWWDBDATETIMEPICKER"});
     },
     K(xcCombo), Make<TSkinComBox>, TAttach::Control, false},
    {[](F f) {
       return NameIn(f.Name, {"TWWDBRICHEDIT", "TDXDBMEMO"});
     },
     K(xcScrollbar), Make<TSkinScrollBar>, TAttach::ScrollBars, true},
    {[](F f) {
       return NameIn(f.Name, {"TDXDBCURRENCYEDIT", "TDXDBEDIT", "TDXDBMASKEDIT",
                              "TDXDBHYPERLINKEDIT", "TDXEDIT", "TDXMASKEDIT", "TWWDBEDIT",
                              "TDXBUTTONEDIT", "TDXCURRENCYEDIT", "TDXHYPERLINKEDIT"}) ||
              NameIn(f.Name, {"TOVCPICTUREFIELD", "TOVCDBPICTUREFIELD", "TOVCSLIDEREDIT",
                              "TOVCDBSLIDEREDIT", "TOVCSIMPLEFIELD", "TOVCDBSIMPLEFIELD",
                              "TO32DBFLEXEDIT", "TOVCNUMERICFIELD", "TOVCDBNUMERICFIELD"});
     },
     K(xcEdit), Make<TSkinEdit>, TAttach::Control, false},
    {[](F f) {
       return NameIn(f.Name, {"TDXDBPICKEDIT", "TDXDBCALCEDIT", "TDXDBIMAGEEDIT", "TDXDBPOPUPEDIT",
                              "TDXDBEXTLOOKUPEDIT", "TDXDBLOOKUPEDIT", "TDXDBDATEEDIT",
                              "TDXDATEEDIT", "TDXPICKEDIT", "TDXPOPUPEDIT"});
     },
     K(xcCombo), Make<TSkinComBox>, TAttach::Control, false},
    {[](F f) { return f.Name == "TDBCHECKBOXEH"; }, K(xcCheckBox), Make<TSkinCheckBox>,
     TAttach::Control, true},
    {[](F f) { return Is<TBitBtn>(f.Component); }, K(xcBitBtn), Make<TSkinBitButton>,
     TAttach::Control, false},
    {[](F f) { return Is<TSpeedButton>(f.Component); }, K(xcSpeedButton), Make<TSkinSpeedButton>,
     TAttach::Speed, false},
    {[](F f) { return Is<TCustomListView>(f.Component); }, K(xcScrollbar), Make<TSkinListView>,
     TAttach::Control, false},
    {[](F f) { return Is<TCustomMemo>(f.Component); }, K(xcScrollbar), Make<TSkinScrollBar>,
     TAttach::ScrollBars, true},
    {[](F f) { return f.Tag == 55 || HasScrollBars(f.Component); }, K(xcScrollbar),
     Make<TSkinScrollBar>, TAttach::ScrollBars, true},
    {[](F f) { return Is<TButton>(f.Component); }, K(xcButton), Make<TSkinButton>, TAttach::Control,
     false},
    {[](F f) { return Is<TCustomEdit>(f.Component) || f.Tag == 57; }, K(xcEdit), Make<TSkinEdit>,
     TAttach::Control, false},
    {[](F f) { return Is<TCustomFrame>(f.Component); }, 0, nullptr, TAttach::Frame, false},
    {[](F f) { return Is<TCustomForm>(f.Component); }, 0, nullptr, TAttach::Form, false},
};

// One row of the table of system windows: a window class (lower-cased) and
// a style rule. Inner rows skin the window's first child instead.
struct TWindowRow {
  const char* ClassName;
  bool (*Matches)(LONG_PTR Style);
  TFactory Factory;
  bool Inner;
};

// Check boxes of every kind (two- and three-state, automatic or not).
bool IsCheckStyle(LONG_PTR Style) {
  const LONG_PTR type = Style & 15;
  return type == 2 || type == 3 || type == 5 || type == 6 || type == 10 || type == 11 ||
         type == 13 || type == 14;
}
// Radio buttons, automatic or not.
bool IsRadioStyle(LONG_PTR Style) {
  const LONG_PTR type = Style & 15;
  return type == 4 || type == 9 || type == 12;
}
// Push buttons, default or not, and split buttons.
bool IsPushStyle(LONG_PTR Style) {
  const LONG_PTR type = Style & 15;
  return type == 0 || type == 1 || type == 8;
}

// The table of system windows; group boxes (7), type 15, simple combo boxes,
// vertical tab controls and other classes get no skinner.
const TWindowRow kWindowRows[] = {
    {"button", IsCheckStyle, Make<TSkinCheckBox>, false},
    {"button", IsRadioStyle, Make<TSkinRadioButton>, false},
    {"button", IsPushStyle, Make<TSkinButton>, false},
    {"combobox", [](LONG_PTR s) { return (s & 3) != CBS_SIMPLE; }, Make<TSkinComBox>, false},
    {"comboboxex32", [](LONG_PTR) { return true; }, Make<TSkinComBox>, true},
    {"scrollbar", [](LONG_PTR) { return true; }, Make<TSkinSizer>, false},
    {"systabcontrol32", [](LONG_PTR s) { return !(s & 0x2000); }, Make<TSkinTab>, false},
    {"edit", [](LONG_PTR) { return true; }, Make<TSkinEdit>, false},
};

// The first row that takes Facts under Kinds, or null.
const TRow* RowFor(const TComponentFacts& Facts, TSkinControlTypes Kinds) {
  for (const TRow& row : kComponentRows)
    if (row.Matches(Facts) && (row.Kind == 0 || (Kinds & row.Kind))) return &row;
  return nullptr;
}

}  // namespace

// Up to 100 characters of the class name.
std::string WindowClassName(HWND Wnd) {
  char name[100] = {};
  if (!Wnd || !GetClassNameA(Wnd, name, sizeof name)) return {};
  return name;
}

// The owner implements the host interface.
TSkinnerHost& TSkinDispatch::Host() const {
  auto* host = dynamic_cast<TSkinnerHost*>(Owner);
  assert(host);
  return *host;
}

// Each component not opted out or skinned already goes to the first row
// that takes it.
void TSkinDispatch::SkinComponents(TWinControl* Container) const {
  if (!Skin) return;
  // Snapshot: skinning a frame or form may create components.
  std::vector<TComponent*> components;
  for (int i = 0; i < Container->ComponentCount(); ++i)
    components.push_back(Container->Components(i));

  for (TComponent* c : components) {
    // The remainder keeps Tag's sign: Tag -99 is not DisableTag 99.
    if (c->Tag() % 100 == DisableTag || Host().Skinners().Serves(c)) continue;
    auto* windowed = dynamic_cast<TWinControl*>(c);
    TComponentFacts facts{c, {}, c->Tag(), Skin};
    HWND handle = nullptr;
    if (windowed) {
      try {
        handle = windowed->Handle();
      } catch (const Exception&) {
        continue;  // a control whose window cannot be made keeps its look
      }
      if (!handle) continue;
      facts.Name = AnsiUpperCase(WindowClassName(handle));
    }
    if (facts.Name == "TDBCOMBOBOXEH") continue;
    const TRow* row = RowFor(facts, Kinds);
    if (!row) continue;

    auto* control = static_cast<TControl*>(c);
    TSkinControl* skinner = row->Factory ? row->Factory(Owner) : nullptr;
    switch (row->Attach) {
      case TAttach::Control: skinner->InitControl(control, Skin, row->Option, Canvas); break;
      case TAttach::Window:
        skinner->InitWindow(handle, Skin, Canvas);
        Host().Skinners().Add(skinner);
        break;
      case TAttach::ScrollBars:
        static_cast<TSkinScrollBar*>(skinner)->InitScrollBars(control, Skin, row->Option, Canvas);
        break;
      case TAttach::Speed:
        static_cast<TSkinSpeedButton*>(skinner)->InitSpeedButton(static_cast<TSpeedButton*>(c),
                                                                 Skin, Canvas);
        break;
      case TAttach::StatusBar:
        static_cast<TStatusBar*>(c)->SetSizeGrip(false);
        skinner->InitControl(control, Skin, row->Option, Canvas);
        break;
      case TAttach::RadioGroup:
        (new TSkinBox(Owner))->InitControl(control, Skin, row->Option, Canvas);
        for (int i = 0; i < windowed->ControlCount(); ++i)
          if (auto* button = dynamic_cast<TWinControl*>(windowed->Controls(i)))
            (new TSkinRadioButton(Owner))->InitControl(button, Skin, row->Option, Canvas);
        break;
      case TAttach::Toolbar: static_cast<TToolBar*>(c)->SetFlat(true); break;
      case TAttach::Frame: SkinComponents(static_cast<TWinControl*>(c)); break;
      case TAttach::Form: {
        auto* form = static_cast<TCustomForm*>(c);
        form->SetColor(Skin->ButtonFaceColour);
        SkinComponents(form);
        break;
      }
    }
  }
}

// The child windows in z-order.
void TSkinDispatch::SkinChildWindows(HWND Parent) const {
  for (HWND child = GetTopWindow(Parent); child; child = GetWindow(child, GW_HWNDNEXT))
    if (GetWindowLongPtrA(child, GWL_STYLE) & WS_CHILD) SkinChildWindow(child);
}

// The first row of the window's class whose style rule holds.
void TSkinDispatch::SkinChildWindow(HWND Wnd) const {
  if (!Wnd || !Skin || Host().Skinners().Find(Wnd)) return;
  const std::string name = AnsiLowerCase(WindowClassName(Wnd));
  const LONG_PTR style = GetWindowLongPtrA(Wnd, GWL_STYLE);
  for (const TWindowRow& row : kWindowRows) {
    if (name != row.ClassName || !row.Matches(style)) continue;
    const HWND target = row.Inner ? GetTopWindow(Wnd) : Wnd;
    if (!target) return;
    TSkinControl* skinner = row.Factory(Owner);
    skinner->InitWindow(target, Skin, Canvas);
    Host().Skinners().Add(skinner);
    return;
  }
}
