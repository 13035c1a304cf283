// Which control skinner takes which child control of a skinned window: for a
// form of ours by the components' classes, window class names and tags under
// the skin data's SkinControls and DisableTag; for a window of the system by
// the child windows' class names and styles.
#include <algorithm>
#include <string>

#include "skin/controls/SkinButtons.h"
#include "skin/controls/SkinEdits.h"
#include "skin/controls/SkinPanels.h"
#include "skin/controls/SkinScroll.h"
#include "skin/window/SkinManager.h"
#include "skin/window/WinSkinForm.h"
#include "ui/Buttons.h"
#include "ui/ComCtrls.h"
#include "ui/ExtCtrls.h"
#include "ui/Forms.h"
#include "ui/StdCtrls.h"
#include "ui/SysUtils.h"

namespace {

template <class T>
bool Is(TComponent* c) {
  return dynamic_cast<T*>(c) != nullptr;
}

bool NameIn(const std::string& name, std::initializer_list<const char*> names) {
  return std::any_of(names.begin(), names.end(), [&](const char* n) { return name == n; });
}

// What a row of the table attaches.
enum class TAttach { Control, Window, ScrollBars, Speed };

}  // namespace

bool TWinSkinForm::HasScrollBars(TComponent* Component) {
  if (auto* windowed = dynamic_cast<TWinControl*>(Component)) {
    if (windowed->HandleAllocated() &&
        (GetWindowLongPtrA(windowed->Handle(), GWL_STYLE) & (WS_HSCROLL | WS_VSCROLL)))
      return true;
  }
  return Is<TCustomListBox>(Component) || Is<TCustomMemo>(Component) || Is<TScrollBox>(Component);
}

void TWinSkinForm::SkinControls(TWinControl* Container) {
  if (!FSkinData) return;
  const TSkinControlTypes bits = FSkinData->SkinControls();
  auto on = [bits](TSkinControlType kind) { return (bits & (1u << kind)) != 0; };
  // Snapshot: skinning a frame or form may create components.
  std::vector<TComponent*> components;
  for (int i = 0; i < Container->ComponentCount(); ++i)
    components.push_back(Container->Components(i));

  for (TComponent* c : components) {
    // The remainder keeps Tag's sign: Tag -99 is not DisableTag 99.
    if (c->Tag() % 100 == FSkinData->DisableTag() || IsSkinned(c)) continue;
    auto* windowed = dynamic_cast<TWinControl*>(c);
    std::string name;
    HWND handle = nullptr;
    if (windowed) {
      try {
        handle = windowed->Handle();
      } catch (...) {
        continue;  // a control whose window cannot be made keeps its look
      }
      if (!handle) continue;
      name = AnsiUpperCase(WindowClassName(handle));
    }
    if (name == "TDBCOMBOBOXEH") continue;
    const int tag = c->Tag();

    TSkinControl* skinner = nullptr;
    // The attach call's flag: ChangeColor for InitControl, TrackThumb for
    // InitScrollBars.
    bool option = false;
    TAttach attach = TAttach::Control;
    if ((Is<TTabControl>(c) || Is<TPageControl>(c)) && FSkinData->Tabs && on(xcTab)) {
      skinner = new TSkinTab(this);
      attach = TAttach::Window;
    } else if (Is<TCustomCheckBox>(c) && on(xcCheckBox)) {
      skinner = new TSkinCheckBox(this);
      option = true;
    } else if ((Is<TCustomRadioGroup>(c) || name == "TWWRADIOGROUP") && on(xcRadioButton)) {
      (new TSkinBox(this))
          ->InitControl(static_cast<TControl*>(c), FSkinData, true, &FControlCanvas);
      for (int i = 0; i < windowed->ControlCount(); ++i)
        if (auto* button = dynamic_cast<TWinControl*>(windowed->Controls(i)))
          (new TSkinRadioButton(this))->InitControl(button, FSkinData, true, &FControlCanvas);
      continue;
    } else if ((Is<TCustomPanel>(c) || Is<TCustomGroupBox>(c)) && on(xcPanel)) {
      skinner = new TSkinBox(this);
      option = true;
    } else if (Is<TRadioButton>(c) && on(xcRadioButton)) {
      skinner = new TSkinRadioButton(this);
      option = true;
    } else if (Is<TToolBar>(c) && on(xcToolbar)) {
      static_cast<TToolBar*>(c)->SetFlat(true);
      continue;
    } else if (Is<TStatusBar>(c) && on(xcStatusBar)) {
      static_cast<TStatusBar*>(c)->SetSizeGrip(false);
      skinner = new TSkinStatusBar(this);
    } else if (Is<TProgressBar>(c) && on(xcProgress)) {
      skinner = new TSkinProgress(this);
    } else if (Is<TScrollBar>(c) && on(xcScrollbar)) {
      skinner = new TSkinScControl(this);
    } else if ((Is<TCustomComboBox>(c) || tag == 56) && on(xcCombo)) {
      skinner = new TSkinComBox(this);
    } else if (NameIn(name, {"TDBLOOKUPCOMBOBOX", "TWWDBCOMBOBOX", "TWWDBLOOKUPCOMBO",
                             "TWWKEYCOMBO", "TWWDBDATETIMEPICKER"}) &&
               on(xcCombo)) {
      skinner = new TSkinComBox(this);
    } else if (NameIn(name, {"TWWDBRICHEDIT", "TDXDBMEMO"}) && on(xcScrollbar)) {
      skinner = new TSkinScrollBar(this);
      attach = TAttach::ScrollBars;
      option = true;
    } else if ((NameIn(name, {"TDXDBCURRENCYEDIT", "TDXDBEDIT", "TDXDBMASKEDIT",
                              "TDXDBHYPERLINKEDIT", "TDXEDIT", "TDXMASKEDIT", "TWWDBEDIT",
                              "TDXBUTTONEDIT", "TDXCURRENCYEDIT", "TDXHYPERLINKEDIT"}) ||
                NameIn(name, {"TOVCPICTUREFIELD", "TOVCDBPICTUREFIELD", "TOVCSLIDEREDIT",
                              "TOVCDBSLIDEREDIT", "TOVCSIMPLEFIELD", "TOVCDBSIMPLEFIELD",
                              "TO32DBFLEXEDIT", "TOVCNUMERICFIELD", "TOVCDBNUMERICFIELD"})) &&
               on(xcEdit)) {
      skinner = new TSkinEdit(this);
    } else if (NameIn(name, {"TDXDBPICKEDIT", "TDXDBCALCEDIT", "TDXDBIMAGEEDIT", "TDXDBPOPUPEDIT",
                             "TDXDBEXTLOOKUPEDIT", "TDXDBLOOKUPEDIT", "TDXDBDATEEDIT",
                             "TDXDATEEDIT", "TDXPICKEDIT", "TDXPOPUPEDIT"}) &&
               on(xcCombo)) {
      skinner = new TSkinComBox(this);
    } else if (name == "TDBCHECKBOXEH" && on(xcCheckBox)) {
      skinner = new TSkinCheckBox(this);
      option = true;
    } else if (Is<TBitBtn>(c) && on(xcBitBtn)) {
      skinner = new TSkinBitButton(this);
    } else if (Is<TSpeedButton>(c) && on(xcSpeedButton)) {
      skinner = new TSkinSpeedButton(this);
      attach = TAttach::Speed;
    } else if (Is<TCustomListView>(c) && on(xcScrollbar)) {
      skinner = new TSkinListView(this);
    } else if (Is<TCustomMemo>(c) && on(xcScrollbar)) {
      skinner = new TSkinScrollBar(this);
      attach = TAttach::ScrollBars;
      option = true;
    } else if ((tag == 55 || HasScrollBars(c)) && on(xcScrollbar)) {
      skinner = new TSkinScrollBar(this);
      attach = TAttach::ScrollBars;
      option = true;
    } else if (Is<TButton>(c) && on(xcButton)) {
      skinner = new TSkinButton(this);
    } else if ((Is<TCustomEdit>(c) || tag == 57) && on(xcEdit)) {
      skinner = new TSkinEdit(this);
    } else if (Is<TCustomFrame>(c)) {
      SkinControls(static_cast<TWinControl*>(c));
      continue;
    } else if (auto* form = dynamic_cast<TCustomForm*>(c)) {
      form->SetColor(FSkinData->ButtonFaceColour);
      SkinControls(form);
      continue;
    } else {
      continue;
    }

    switch (attach) {
      case TAttach::Control:
        skinner->InitControl(static_cast<TControl*>(c), FSkinData, option, &FControlCanvas);
        break;
      case TAttach::Window:
        skinner->InitWindow(handle, FSkinData, &FControlCanvas);
        FSkinners.push_back(skinner);
        break;
      case TAttach::ScrollBars:
        static_cast<TSkinScrollBar*>(skinner)->InitScrollBars(static_cast<TControl*>(c), FSkinData,
                                                              option, &FControlCanvas);
        break;
      case TAttach::Speed:
        static_cast<TSkinSpeedButton*>(skinner)->InitSpeedButton(static_cast<TSpeedButton*>(c),
                                                                 FSkinData, &FControlCanvas);
        break;
    }
  }
}

void TWinSkinForm::SkinChildWindows() {
  for (HWND child = GetTopWindow(FHandle); child; child = GetWindow(child, GW_HWNDNEXT))
    if (GetWindowLongPtrA(child, GWL_STYLE) & WS_CHILD) SkinChildWindow(child);
}

void TWinSkinForm::SkinChildWindow(HWND Wnd) {
  if (!Wnd || FindSkinner(Wnd) || !FSkinData) return;
  const std::string name = AnsiLowerCase(WindowClassName(Wnd));
  const LONG_PTR style = GetWindowLongPtrA(Wnd, GWL_STYLE);
  TSkinControl* skinner = nullptr;
  HWND target = Wnd;
  if (name == "button") {
    switch (style & 15) {
      case 2:
      case 3:
      case 5:
      case 6:
      case 10:
      case 11:
      case 13:
      case 14: skinner = new TSkinCheckBox(this); break;
      case 4:
      case 9:
      case 12: skinner = new TSkinRadioButton(this); break;
      case 0:
      case 1:
      case 8: skinner = new TSkinButton(this); break;
      default:  // group boxes (7) and type 15
        break;
    }
  } else if (name == "combobox") {
    if ((style & 3) != CBS_SIMPLE) skinner = new TSkinComBox(this);
  } else if (name == "comboboxex32") {
    target = GetTopWindow(Wnd);
    if (target) skinner = new TSkinComBox(this);
  } else if (name == "scrollbar") {
    skinner = new TSkinSizer(this);
  } else if (name == "systabcontrol32") {
    if (!(style & 0x2000)) skinner = new TSkinTab(this);
  } else if (name == "edit") {
    skinner = new TSkinEdit(this);
  }
  if (!skinner) return;
  skinner->InitWindow(target, FSkinData, &FControlCanvas);
  FSkinners.push_back(skinner);
}
