// The standard and common controls as real windows: one definition holding
// every kind (edits, memos, combo boxes, check boxes, radio buttons and
// groups, group boxes, bitmap buttons, progress bars, scroll bars, tab and
// page controls, list views, tool bars, list boxes, scroll boxes, frames),
// their window classes over the standard ones, their properties as read,
// what the user does with them, and the mouse entering and leaving.
#include <gtest/gtest.h>

#include <cstdio>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "support/Wait.h"
#include "ui/Buttons.h"
#include "ui/ComCtrls.h"
#include "ui/ExtCtrls.h"
#include "ui/Forms.h"
#include "ui/ObjText.h"
#include "ui/Published.h"
#include "ui/StdCtrls.h"

#include <commctrl.h>

namespace {

// The binary definition of a text definition.
std::vector<uint8_t> Compile(const std::string& text) {
  TMemoryStream in(std::vector<uint8_t>(text.begin(), text.end()));
  TMemoryStream out;
  ObjectTextToBinary(in, out);
  return out.Bytes();
}

std::string ClassOf(HWND wnd) {
  char name[128] = {};
  GetClassNameA(wnd, name, sizeof name);
  return name;
}

// A frame with a definition of its own.
class TNoteFrame : public TFrame {
  QUORVEL_CLASS(TNoteFrame, TFrame)
public:
  explicit TNoteFrame(TComponent* owner);
  TEdit* NoteEdit = nullptr;
};
QUORVEL_DEFINE_CLASS(TNoteFrame) { p.Field("NoteEdit", &TNoteFrame::NoteEdit); }

const char* const kNoteFrame = R"(
object NoteFrame: TNoteFrame
  Width = 200
  Height = 60
  object NoteEdit: TEdit
    Left = 4
    Top = 4
    Text = 'note'
  end
end
)";

TNoteFrame::TNoteFrame(TComponent* owner) : TFrame(owner) {
  TMemoryStream stream(Compile(kNoteFrame));
  LoadDefinition(stream);
}

class TKindsForm : public TForm {
  QUORVEL_CLASS(TKindsForm, TForm)
public:
  explicit TKindsForm(TComponent* owner) : TForm(owner) {}
  TEdit* Edit1 = nullptr;
  TMemo* Memo1 = nullptr;
  TComboBox* ComboBox1 = nullptr;
  TComboBox* ComboBox2 = nullptr;
  TCheckBox* CheckBox1 = nullptr;
  TRadioButton* RadioButton1 = nullptr;
  TGroupBox* GroupBox1 = nullptr;
  TRadioButton* RadioButton2 = nullptr;
  TRadioGroup* RadioGroup1 = nullptr;
  TBitBtn* BitBtn1 = nullptr;
  TProgressBar* ProgressBar1 = nullptr;
  TScrollBar* ScrollBar1 = nullptr;
  TTabControl* TabControl1 = nullptr;
  TPageControl* PageControl1 = nullptr;
  TTabSheet* TabSheet1 = nullptr;
  TTabSheet* TabSheet2 = nullptr;
  TTabSheet* TabSheet3 = nullptr;
  TListView* ListView1 = nullptr;
  TToolBar* ToolBar1 = nullptr;
  TToolButton* ToolButton1 = nullptr;
  TToolButton* ToolButton2 = nullptr;
  TListBox* ListBox1 = nullptr;
  TScrollBox* ScrollBox1 = nullptr;
  TPanel* Content = nullptr;
  TNoteFrame* Frame1 = nullptr;

  std::vector<std::string> clicks;
  void Clicked(TObject* sender) { clicks.push_back(static_cast<TComponent*>(sender)->Name()); }
};
QUORVEL_DEFINE_CLASS(TKindsForm) {
  p.Field("Edit1", &TKindsForm::Edit1);
  p.Field("Memo1", &TKindsForm::Memo1);
  p.Field("ComboBox1", &TKindsForm::ComboBox1);
  p.Field("ComboBox2", &TKindsForm::ComboBox2);
  p.Field("CheckBox1", &TKindsForm::CheckBox1);
  p.Field("RadioButton1", &TKindsForm::RadioButton1);
  p.Field("GroupBox1", &TKindsForm::GroupBox1);
  p.Field("RadioButton2", &TKindsForm::RadioButton2);
  p.Field("RadioGroup1", &TKindsForm::RadioGroup1);
  p.Field("BitBtn1", &TKindsForm::BitBtn1);
  p.Field("ProgressBar1", &TKindsForm::ProgressBar1);
  p.Field("ScrollBar1", &TKindsForm::ScrollBar1);
  p.Field("TabControl1", &TKindsForm::TabControl1);
  p.Field("PageControl1", &TKindsForm::PageControl1);
  p.Field("TabSheet1", &TKindsForm::TabSheet1);
  p.Field("TabSheet2", &TKindsForm::TabSheet2);
  p.Field("TabSheet3", &TKindsForm::TabSheet3);
  p.Field("ListView1", &TKindsForm::ListView1);
  p.Field("ToolBar1", &TKindsForm::ToolBar1);
  p.Field("ToolButton1", &TKindsForm::ToolButton1);
  p.Field("ToolButton2", &TKindsForm::ToolButton2);
  p.Field("ListBox1", &TKindsForm::ListBox1);
  p.Field("ScrollBox1", &TKindsForm::ScrollBox1);
  p.Field("Content", &TKindsForm::Content);
  p.Field("Frame1", &TKindsForm::Frame1);
  p.Method("Clicked", &TKindsForm::Clicked);
}

// Two 4 by 4 glyph cells, blue (up) and lime (disabled), each with a white
// bottom-left pixel (the transparent colour), as stored data.
std::string GlyphHex() {
  TBitmap glyph;
  glyph.SetSize(8, 4);
  glyph.Canvas().Brush().SetColor(clBlue);
  glyph.Canvas().FillRect(Rect(0, 0, 4, 4));
  glyph.Canvas().Brush().SetColor(clLime);
  glyph.Canvas().FillRect(Rect(4, 0, 8, 4));
  glyph.Canvas().Brush().SetColor(clWhite);
  glyph.Canvas().FillRect(Rect(0, 3, 1, 4));
  glyph.Canvas().FillRect(Rect(4, 3, 5, 4));
  TMemoryStream file;
  glyph.SaveToStream(file);
  const uint32_t size = static_cast<uint32_t>(file.Size());
  std::vector<uint8_t> data{static_cast<uint8_t>(size), static_cast<uint8_t>(size >> 8),
                            static_cast<uint8_t>(size >> 16), static_cast<uint8_t>(size >> 24)};
  data.insert(data.end(), file.Bytes().begin(), file.Bytes().end());
  std::string hex;
  char two[3];
  for (uint8_t b : data) {
    std::snprintf(two, sizeof two, "%02X", b);
    hex += two;
  }
  return hex;
}

// Every kind once; properties in the order the classic designer writes
// them (ItemIndex before Items, State before AllowGrayed).
std::string KindsDefinition() {
  return R"(
object KindsForm: TKindsForm
  Left = 10
  Top = 10
  Caption = 'Kinds'
  ClientHeight = 560
  ClientWidth = 760
  object ToolBar1: TToolBar
    Flat = True
    object ToolButton1: TToolButton
      Caption = 'Open'
      OnClick = Clicked
    end
    object ToolButton2: TToolButton
      Caption = 'Save'
      Enabled = False
      OnClick = Clicked
    end
  end
  object Edit1: TEdit
    Left = 8
    Top = 40
    Text = 'abc'
  end
  object Memo1: TMemo
    Left = 8
    Top = 70
    Width = 150
    Height = 80
    ScrollBars = ssBoth
    WordWrap = False
    Lines.Strings = (
      'one'
      'two'
      'a third line long enough to run on well past the right edge of the memo')
  end
  object ComboBox1: TComboBox
    Left = 8
    Top = 160
    Style = csDropDownList
    ItemIndex = 1
    Items.Strings = (
      'x'
      'y')
    OnClick = Clicked
  end
  object ComboBox2: TComboBox
    Left = 8
    Top = 190
    Width = 150
    Text = 'typed'
    Items.Strings = (
      'first'
      'second')
  end
  object CheckBox1: TCheckBox
    Left = 8
    Top = 220
    Caption = 'Check'
    State = cbGrayed
    AllowGrayed = True
    Alignment = taLeftJustify
    OnClick = Clicked
  end
  object RadioButton1: TRadioButton
    Left = 8
    Top = 240
    Caption = 'Radio'
    Checked = True
  end
  object GroupBox1: TGroupBox
    Left = 8
    Top = 260
    Caption = 'Group'
    object RadioButton2: TRadioButton
      Left = 8
      Top = 20
      Caption = 'Inside'
      Checked = True
    end
  end
  object RadioGroup1: TRadioGroup
    Left = 200
    Top = 40
    Width = 200
    Height = 80
    Caption = 'Choice'
    Columns = 2
    ItemIndex = 2
    Items.Strings = (
      'a'
      'b'
      'c')
    OnClick = Clicked
  end
  object BitBtn1: TBitBtn
    Left = 200
    Top = 130
    Width = 80
    Height = 50
    Caption = '&Go'
    Layout = blGlyphTop
    Margin = 2
    Spacing = 3
    NumGlyphs = 2
    Glyph.Data = {)" +
         GlyphHex() + R"(}
    OnClick = Clicked
  end
  object ProgressBar1: TProgressBar
    Left = 200
    Top = 190
    Max = 200
    Position = 100
  end
  object ScrollBar1: TScrollBar
    Left = 380
    Top = 130
    Width = 17
    Height = 121
    Kind = sbVertical
    Max = 50
    PageSize = 10
    Position = 30
    OnChange = Clicked
  end
  object TabControl1: TTabControl
    Left = 200
    Top = 260
    Width = 200
    Height = 80
    Tabs.Strings = (
      'a'
      'b'
      'c')
    TabIndex = 1
  end
  object PageControl1: TPageControl
    Left = 420
    Top = 40
    Width = 300
    Height = 150
    ActivePage = TabSheet2
    OnChange = Clicked
    object TabSheet1: TTabSheet
      Caption = 'One'
    end
    object TabSheet2: TTabSheet
      Caption = 'Two'
    end
    object TabSheet3: TTabSheet
      Caption = 'Three'
    end
  end
  object ListView1: TListView
    Left = 420
    Top = 200
    Width = 300
    Height = 120
    ViewStyle = vsReport
    Columns = <
      item
        Caption = 'Name'
        Width = 80
      end
      item
        Alignment = taRightJustify
        Caption = 'Size'
        Width = 60
      end>
    Items = <
      item
        Caption = 'a.txt'
        SubItems.Strings = (
          '12')
      end
      item
        Caption = 'b.txt'
        SubItems.Strings = (
          '34')
      end>
  end
  object ListBox1: TListBox
    Left = 8
    Top = 380
    Width = 120
    Height = 80
    ScrollWidth = 300
    Items.Strings = (
      '1'
      '2'
      '3'
      '4'
      '5'
      '6'
      '7'
      '8'
      '9'
      '10'
      '11'
      '12'
      '13'
      '14'
      '15')
  end
  object ScrollBox1: TScrollBox
    Left = 200
    Top = 380
    Width = 100
    Height = 60
    object Content: TPanel
      Left = 0
      Top = 0
      Width = 200
      Height = 150
    end
  end
  inline Frame1: TNoteFrame
    Left = 420
    Top = 380
  end
end
)";
}

// Runs the messages that are waiting.
void Pump() { Application->ProcessMessages(); }

// A left click at a client point of a window (down and up).
void ClickAt(HWND wnd, int x, int y) {
  SendMessageA(wnd, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(x, y));
  SendMessageA(wnd, WM_LBUTTONUP, 0, MAKELPARAM(x, y));
}

class ControlKinds : public ::testing::Test {
protected:
  void SetUp() override {
    form = std::make_unique<TKindsForm>(nullptr);
    TMemoryStream stream(Compile(KindsDefinition()));
    form->LoadDefinition(stream);
    form->Show();
    Pump();
  }
  std::unique_ptr<TKindsForm> form;
};

}  // namespace

TEST_F(ControlKinds, EachKindIsAWindowOfItsClassOverTheStandardControl) {
  TKindsForm& f = *form;
  struct Row {
    TWinControl* Control;
    const char* ClassName;
    std::function<LRESULT(HWND)> Probe;  // a message only the standard control answers so
    LRESULT Expected;
  };
  auto send = [](UINT msg, WPARAM w = 0, LPARAM l = 0) {
    return [=](HWND wnd) { return SendMessageA(wnd, msg, w, l); };
  };
  // A group box lets the mouse through to what lies below it.
  auto hitTest = [](HWND wnd) {
    RECT r;
    GetWindowRect(wnd, &r);
    return SendMessageA(wnd, WM_NCHITTEST, 0, MAKELPARAM(r.left + 50, r.top + 50));
  };
  const std::vector<Row> rows = {
      {f.Edit1, "TEdit", send(EM_LINELENGTH, 0), 3},
      {f.Memo1, "TMemo", send(EM_GETLINECOUNT), 3},
      {f.ComboBox1, "TComboBox", send(CB_GETCOUNT), 2},
      {f.CheckBox1, "TCheckBox", send(BM_GETCHECK), BST_INDETERMINATE},
      {f.RadioButton1, "TRadioButton", send(BM_GETCHECK), BST_CHECKED},
      {f.GroupBox1, "TGroupBox", hitTest, HTTRANSPARENT},
      {f.RadioGroup1, "TRadioGroup", hitTest, HTTRANSPARENT},
      {f.RadioGroup1->Buttons(2), "TGroupButton", send(BM_GETCHECK), BST_CHECKED},
      {f.BitBtn1, "TBitBtn",
       [](HWND wnd) {
         SendMessageA(wnd, BM_SETSTATE, TRUE, 0);
         const LRESULT pushed = SendMessageA(wnd, BM_GETSTATE, 0, 0) & BST_PUSHED;
         SendMessageA(wnd, BM_SETSTATE, FALSE, 0);
         return pushed;
       },
       BST_PUSHED},
      {f.ProgressBar1, "TProgressBar", send(PBM_GETPOS), 100},
      {f.ScrollBar1, "TScrollBar", send(SBM_GETPOS), 30},
      {f.TabControl1, "TTabControl", send(TCM_GETITEMCOUNT), 3},
      {f.PageControl1, "TPageControl", send(TCM_GETITEMCOUNT), 3},
      {f.ListView1, "TListView", send(LVM_GETITEMCOUNT), 2},
      {f.ToolBar1, "TToolBar", send(TB_BUTTONCOUNT), 2},
      {f.ListBox1, "TListBox", send(LB_GETHORIZONTALEXTENT), 300},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.ClassName);
    HWND wnd = row.Control->Handle();
    EXPECT_EQ(ClassOf(wnd), row.ClassName);
    EXPECT_EQ(row.Probe(wnd), row.Expected);
  }
  // Containers of their own: page, scroll box and frame windows.
  EXPECT_EQ(ClassOf(f.TabSheet2->Handle()), "TTabSheet");
  EXPECT_EQ(GetParent(f.TabSheet2->Handle()), f.PageControl1->Handle());
  EXPECT_EQ(ClassOf(f.ScrollBox1->Handle()), "TScrollBox");
  EXPECT_EQ(ClassOf(f.Frame1->Handle()), "TNoteFrame");
  // The bitmap button draws itself.
  EXPECT_EQ(GetWindowLongPtrA(f.BitBtn1->Handle(), GWL_STYLE) & BS_TYPEMASK, BS_OWNERDRAW);
  f.BitBtn1->SetDefault(true);
  EXPECT_EQ(GetWindowLongPtrA(f.BitBtn1->Handle(), GWL_STYLE) & BS_TYPEMASK, BS_OWNERDRAW);
}

TEST_F(ControlKinds, PropertiesAreReadFromTheDefinition) {
  TKindsForm& f = *form;
  EXPECT_EQ(f.Edit1->Text(), "abc");
  ASSERT_EQ(f.Memo1->Lines().Count(), 3);
  EXPECT_EQ(f.Memo1->Lines()[1], "two");
  EXPECT_EQ(f.Memo1->ScrollBars(), ssBoth);
  EXPECT_FALSE(f.Memo1->WordWrap());
  EXPECT_EQ(f.ComboBox1->Style(), csDropDownList);
  EXPECT_EQ(f.ComboBox1->ItemIndex(), 1);
  EXPECT_EQ(f.ComboBox1->Text(), "y");
  EXPECT_EQ(f.ComboBox2->Text(), "typed");
  EXPECT_EQ(f.ComboBox2->Items().Count(), 2);
  EXPECT_EQ(f.ComboBox2->Height(), 21);  // the closed box; the list has room below
  EXPECT_EQ(f.CheckBox1->State(), cbGrayed);
  EXPECT_EQ(f.CheckBox1->Alignment(), taLeftJustify);
  EXPECT_TRUE(GetWindowLongPtrA(f.CheckBox1->Handle(), GWL_STYLE) & BS_LEFTTEXT);
  // Radio buttons of different parents do not uncheck each other.
  EXPECT_TRUE(f.RadioButton1->Checked());
  EXPECT_TRUE(f.RadioButton2->Checked());
  EXPECT_EQ(f.RadioButton2->Parent(), f.GroupBox1);
  EXPECT_EQ(f.RadioGroup1->ItemIndex(), 2);
  EXPECT_EQ(f.RadioGroup1->Columns(), 2);
  EXPECT_EQ(f.RadioGroup1->ControlCount(), 3);
  EXPECT_EQ(f.RadioGroup1->Buttons(1)->Caption(), "b");
  EXPECT_GT(f.RadioGroup1->Buttons(2)->Left(), f.RadioGroup1->Buttons(0)->Left());  // second column
  EXPECT_EQ(f.BitBtn1->Glyph().Width(), 8);
  EXPECT_EQ(f.BitBtn1->NumGlyphs(), 2);
  EXPECT_EQ(f.BitBtn1->Layout(), blGlyphTop);
  EXPECT_EQ(f.BitBtn1->Margin(), 2);
  EXPECT_EQ(f.BitBtn1->Spacing(), 3);
  EXPECT_EQ(f.ProgressBar1->Max(), 200);
  EXPECT_EQ(f.ProgressBar1->Position(), 100);
  EXPECT_EQ(f.ScrollBar1->Kind(), sbVertical);
  EXPECT_EQ(f.ScrollBar1->PageSize(), 10);
  EXPECT_EQ(f.ScrollBar1->Position(), 30);
  EXPECT_EQ(f.TabControl1->TabIndex(), 1);
  EXPECT_EQ(f.TabControl1->Tabs().Count(), 3);
  EXPECT_EQ(f.PageControl1->PageCount(), 3);
  EXPECT_EQ(f.PageControl1->ActivePage(), f.TabSheet2);
  EXPECT_EQ(f.PageControl1->TabIndex(), 1);
  EXPECT_TRUE(IsWindowVisible(f.TabSheet2->Handle()));
  EXPECT_FALSE(IsWindowVisible(f.TabSheet1->Handle()));
  ASSERT_EQ(f.ListView1->Columns().Count(), 2);
  EXPECT_EQ(f.ListView1->Columns().Items(1)->Caption(), "Size");
  EXPECT_EQ(f.ListView1->Columns().Items(1)->Alignment(), taRightJustify);
  EXPECT_EQ(f.ListView1->Items().Items(1)->SubItems()[0], "34");
  char cell[32] = {};
  LVITEMA item{};
  item.iSubItem = 1;
  item.pszText = cell;
  item.cchTextMax = sizeof cell;
  SendMessageA(f.ListView1->Handle(), LVM_GETITEMTEXTA, 1, reinterpret_cast<LPARAM>(&item));
  EXPECT_STREQ(cell, "34");
  EXPECT_NE(SendMessageA(f.ListView1->Handle(), LVM_GETHEADER, 0, 0), 0);
  EXPECT_TRUE(f.ToolBar1->Flat());
  EXPECT_TRUE(SendMessageA(f.ToolBar1->Handle(), TB_GETSTYLE, 0, 0) & TBSTYLE_FLAT);
  // A live tool bar changes its style (the skin engine makes tool bars flat).
  f.ToolBar1->SetFlat(false);
  EXPECT_FALSE(SendMessageA(f.ToolBar1->Handle(), TB_GETSTYLE, 0, 0) & TBSTYLE_FLAT);
  f.ToolBar1->SetFlat(true);
  EXPECT_TRUE(SendMessageA(f.ToolBar1->Handle(), TB_GETSTYLE, 0, 0) & TBSTYLE_FLAT);
  ASSERT_EQ(f.ToolBar1->ButtonCount(), 2);
  EXPECT_EQ(f.ToolBar1->Buttons(0), f.ToolButton1);
  EXPECT_FALSE(f.ToolButton2->Enabled());
  EXPECT_FALSE(SendMessageA(f.ToolBar1->Handle(), TB_ISBUTTONENABLED, 2, 0));
  EXPECT_EQ(f.ToolBar1->Top(), 0);  // top-aligned
  EXPECT_EQ(f.ListBox1->ScrollWidth(), 300);
  // The frame keeps what its own definition made; the form placed it.
  EXPECT_EQ(f.Frame1->Left(), 420);
  EXPECT_EQ(f.Frame1->Width(), 200);
  ASSERT_NE(f.Frame1->NoteEdit, nullptr);
  EXPECT_EQ(f.Frame1->NoteEdit->Owner(), f.Frame1);
  EXPECT_EQ(f.Frame1->NoteEdit->Parent(), f.Frame1);
  EXPECT_EQ(f.Frame1->NoteEdit->Text(), "note");
  EXPECT_EQ(f.FindComponent("NoteEdit"), nullptr);
}

TEST_F(ControlKinds, UserActionsChangeTheControlsAndRunTheirEvents) {
  TKindsForm& f = *form;
  HWND formWnd = f.Handle();
  // A three-state check box goes from grayed to unchecked, then checked.
  SendMessageA(f.CheckBox1->Handle(), BM_CLICK, 0, 0);
  EXPECT_EQ(f.CheckBox1->State(), cbUnchecked);
  SendMessageA(f.CheckBox1->Handle(), BM_CLICK, 0, 0);
  EXPECT_EQ(f.CheckBox1->State(), cbChecked);
  // A radio group's button: ItemIndex follows.
  SendMessageA(f.RadioGroup1->Buttons(0)->Handle(), BM_CLICK, 0, 0);
  EXPECT_EQ(f.RadioGroup1->ItemIndex(), 0);
  EXPECT_FALSE(f.RadioGroup1->Buttons(2)->Checked());
  // A new choice in the combo box's list.
  SendMessageA(f.ComboBox1->Handle(), CB_SETCURSEL, 0, 0);
  SendMessageA(formWnd, WM_COMMAND, MAKEWPARAM(0, CBN_SELCHANGE),
               reinterpret_cast<LPARAM>(f.ComboBox1->Handle()));
  // The bitmap button clicks like a push button.
  SendMessageA(f.BitBtn1->Handle(), BM_CLICK, 0, 0);
  // The scroll bar moves by a line, and the thumb stops at Max - PageSize + 1.
  HWND bar = f.ScrollBar1->Handle();
  SendMessageA(formWnd, WM_VSCROLL, SB_LINEDOWN, reinterpret_cast<LPARAM>(bar));
  EXPECT_EQ(f.ScrollBar1->Position(), 31);
  SendMessageA(formWnd, WM_VSCROLL, MAKEWPARAM(SB_THUMBTRACK, 45), reinterpret_cast<LPARAM>(bar));
  EXPECT_EQ(f.ScrollBar1->Position(), 41);
  EXPECT_EQ(SendMessageA(bar, SBM_GETPOS, 0, 0), 41);
  // A click on the third tab shows the third page.
  HWND tabs = f.PageControl1->Handle();
  RECT tab{};
  ASSERT_TRUE(SendMessageA(tabs, TCM_GETITEMRECT, 2, reinterpret_cast<LPARAM>(&tab)));
  ClickAt(tabs, (tab.left + tab.right) / 2, (tab.top + tab.bottom) / 2);
  EXPECT_EQ(f.PageControl1->ActivePage(), f.TabSheet3);
  EXPECT_TRUE(IsWindowVisible(f.TabSheet3->Handle()));
  EXPECT_FALSE(IsWindowVisible(f.TabSheet2->Handle()));
  // Tool buttons: the enabled one clicks.
  HWND toolBar = f.ToolBar1->Handle();
  for (int index : {0, 1}) {
    RECT r{};
    SendMessageA(toolBar, TB_GETITEMRECT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&r));
    ClickAt(toolBar, (r.left + r.right) / 2, (r.top + r.bottom) / 2);
  }
  Pump();
  EXPECT_EQ(f.clicks, (std::vector<std::string>{"CheckBox1", "CheckBox1", "RadioGroup1",
                                                "ComboBox1", "BitBtn1", "ScrollBar1", "ScrollBar1",
                                                "PageControl1", "ToolButton1"}));
}

TEST_F(ControlKinds, BitmapButtonsDrawTheGlyphCellOfTheirState) {
  TBitBtn& b = *form->BitBtn1;
  // Glyph on top, 2 pixels below the edge, centred across: the layout's own arithmetic.
  const TButtonPlacement at = CalcButtonLayout(b.Width(), b.Height(), 4, 4, 0, 0, blGlyphTop, 2, 3);
  auto pixel = [&] {
    RedrawWindow(b.Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
    HDC dc = GetDC(b.Handle());
    const COLORREF c = GetPixel(dc, at.GlyphX + 1, at.GlyphY + 1);
    ReleaseDC(b.Handle(), dc);
    return c;
  };
  EXPECT_EQ(pixel(), RGB(0, 0, 255));
  b.SetEnabled(false);
  EXPECT_EQ(pixel(), RGB(0, 255, 0));
}

TEST_F(ControlKinds, MemosListBoxesAndScrollBoxesScrollBothWays) {
  TKindsForm& f = *form;
  for (int i = 0; i < 30; ++i) f.Memo1->Lines().Add("line");
  struct Row {
    TWinControl* Control;
    std::function<int()> Top;  // how far the view is scrolled down
  };
  const std::vector<Row> rows = {
      {f.Memo1,
       [&] {
         return static_cast<int>(SendMessageA(f.Memo1->Handle(), EM_GETFIRSTVISIBLELINE, 0, 0));
       }},
      {f.ListBox1,
       [&] { return static_cast<int>(SendMessageA(f.ListBox1->Handle(), LB_GETTOPINDEX, 0, 0)); }},
      {f.ScrollBox1, [&] { return -f.Content->Top(); }},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.Control->Name());
    HWND wnd = row.Control->Handle();
    const LONG_PTR style = GetWindowLongPtrA(wnd, GWL_STYLE);
    EXPECT_TRUE((style & WS_HSCROLL) && (style & WS_VSCROLL));
    SendMessageA(wnd, WM_HSCROLL, SB_PAGERIGHT, 0);
    SendMessageA(wnd, WM_VSCROLL, SB_PAGEDOWN, 0);
    EXPECT_GT(GetScrollPos(wnd, SB_HORZ), 0);
    EXPECT_GT(row.Top(), 0);
  }
  // The scroll box moved its control by what it scrolled.
  EXPECT_EQ(f.Content->Left(), -GetScrollPos(f.ScrollBox1->Handle(), SB_HORZ));
  SendMessageA(f.ScrollBox1->Handle(), WM_HSCROLL, SB_TOP, 0);
  EXPECT_EQ(f.Content->Left(), 0);
}

namespace {
// Moves the form so that the mouse pointer (which the tests never move:
// Wine hears of a moved pointer late, from the X server) is over client
// point (700, 520), a free spot, and keeps it above the windows of tests
// that run beside this one.
TPoint PointerAtFreeSpot(TForm& form) {
  POINT p;
  GetCursorPos(&p);
  const TPoint client = form.ScreenToClient(TPoint{p.x, p.y});
  form.SetBounds(form.Left() + client.x - 700, form.Top() + client.y - 520, form.Width(),
                 form.Height());
  SetWindowPos(form.Handle(), HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  Pump();
  return TPoint{p.x, p.y};
}

// Records the mouse entering and leaving a control.
class TMouseLog {
public:
  explicit TMouseLog(TControl& control) : FControl(control), FSaved(control.WindowProc) {
    control.WindowProc = [this](TMessage& m) {
      if (m.Msg == CM_MOUSEENTER || m.Msg == CM_MOUSELEAVE) Seen.push_back(m.Msg);
      FSaved(m);
    };
  }
  ~TMouseLog() { FControl.WindowProc = FSaved; }
  std::vector<UINT> Seen;

private:
  TControl& FControl;
  std::function<void(TMessage&)> FSaved;
};
}  // namespace

TEST_F(ControlKinds, AControlTheMouseIsNotOverHearsItLeave) {
  const TPoint pointer = PointerAtFreeSpot(*form);
  TButton& button = *new TButton(form.get());
  button.SetParent(form.get());
  button.SetBounds(560, 450, 100, 30);
  ASSERT_NE(WindowFromPoint(POINT{pointer.x, pointer.y}), button.Handle());
  TMouseLog log(button);
  // A mouse move came, but the pointer is elsewhere: the mouse tracking
  // that the move starts reports the leave.
  SendMessageA(button.Handle(), WM_MOUSEMOVE, 0, MAKELPARAM(5, 5));
  EXPECT_TRUE(WaitUntil([&] { return log.Seen.size() >= 2; }));
  EXPECT_EQ(log.Seen, (std::vector<UINT>{CM_MOUSEENTER, CM_MOUSELEAVE}));
}

TEST_F(ControlKinds, TheEditOfAComboBoxCountsAsTheComboBox) {
  const TPoint pointer = PointerAtFreeSpot(*form);
  TComboBox& combo = *form->ComboBox2;
  HWND wnd = combo.Handle();
  HWND edit = GetWindow(wnd, GW_CHILD);
  ASSERT_NE(edit, nullptr);
  combo.SetBounds(650, 510, 150, 21);  // its edit under the pointer
  Pump();
  ASSERT_EQ(WindowFromPoint(POINT{pointer.x, pointer.y}), edit);
  TMouseLog log(combo);
  // The combo box saw the mouse, then lost it to its edit: still inside.
  SendMessageA(wnd, WM_MOUSEMOVE, 0, MAKELPARAM(2, 2));
  SendMessageA(wnd, WM_MOUSELEAVE, 0, 0);
  EXPECT_FALSE(HappensWithin([&] { return log.Seen.size() > 1; }, 300));
  // The box goes away from under the pointer: the combo box is left.
  combo.SetBounds(8, 190, 150, 21);
  EXPECT_TRUE(WaitUntil([&] { return log.Seen.size() >= 2; }));
  EXPECT_EQ(log.Seen, (std::vector<UINT>{CM_MOUSEENTER, CM_MOUSELEAVE}));
}

TEST_F(ControlKinds, ALeaveSentFromOutsideMakesTheNextMoveAnEnter) {
  const TPoint pointer = PointerAtFreeSpot(*form);
  TButton& button = *new TButton(form.get());
  button.SetParent(form.get());
  button.SetBounds(650, 500, 100, 40);  // under the pointer
  Pump();
  ASSERT_EQ(WindowFromPoint(POINT{pointer.x, pointer.y}), button.Handle());
  TMouseLog log(button);
  HWND wnd = button.Handle();
  SendMessageA(wnd, WM_MOUSEMOVE, 0, MAKELPARAM(50, 20));
  // A skin's hover check decides the mouse is gone and says so.
  SendMessageA(wnd, CM_MOUSELEAVE, 0, 0);
  SendMessageA(wnd, WM_MOUSEMOVE, 0, MAKELPARAM(51, 20));
  EXPECT_EQ(log.Seen, (std::vector<UINT>{CM_MOUSEENTER, CM_MOUSELEAVE, CM_MOUSEENTER}));
  EXPECT_FALSE(
      HappensWithin([&] { return log.Seen.size() > 3; }, 300));  // the pointer is still there
}
