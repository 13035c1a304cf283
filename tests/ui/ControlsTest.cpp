// Controls and forms as real windows: a form loaded from a definition like
// the program's main window, its layout, window classes and texts, clicks
// on push buttons, speed buttons and check boxes, and replaced WindowProcs.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "ui/Buttons.h"
#include "ui/CheckLst.h"
#include "ui/ComCtrls.h"
#include "ui/ExtCtrls.h"
#include "ui/Forms.h"
#include "ui/ObjText.h"
#include "ui/Published.h"
#include "ui/StdCtrls.h"

#include <commctrl.h>

namespace {

// A graphic control standing in for the gradient bar: counts its paints.
class TTestBar : public TGraphicControl {
  QUORVEL_CLASS(TTestBar, TGraphicControl)
public:
  explicit TTestBar(TComponent* owner) : TGraphicControl(owner) {
    FControlStyle |= csOpaque;
    FHeight = 10;
  }
  int paints = 0;

protected:
  void Paint() override {
    ++paints;
    Canvas()->Brush().SetColor(clRed);
    Canvas()->FillRect(ClientRect());
  }
};
QUORVEL_DEFINE_CLASS(TTestBar) {}

class TLayoutForm : public TForm {
  QUORVEL_CLASS(TLayoutForm, TForm)
public:
  explicit TLayoutForm(TComponent* owner) : TForm(owner) {}
  TTestBar* Bar = nullptr;
  TCheckListBox* memo1 = nullptr;
  TStatusBar* StatusBar1 = nullptr;
  TPanel* Panel1 = nullptr;
  TSpeedButton* SpeedButton1 = nullptr;
  TButton* Button2 = nullptr;

  int creates = 0;
  int removes = 0;
  std::vector<bool> downAtClick;
  void FormCreate(TObject*) { ++creates; }
  void zaza(TObject*) { downAtClick.push_back(SpeedButton1->Down()); }
  void Button2Click(TObject*) { ++removes; }
};
QUORVEL_DEFINE_CLASS(TLayoutForm) {
  p.Field("Bar", &TLayoutForm::Bar);
  p.Field("memo1", &TLayoutForm::memo1);
  p.Field("StatusBar1", &TLayoutForm::StatusBar1);
  p.Field("Panel1", &TLayoutForm::Panel1);
  p.Field("SpeedButton1", &TLayoutForm::SpeedButton1);
  p.Field("Button2", &TLayoutForm::Button2);
  p.Method("FormCreate", &TLayoutForm::FormCreate);
  p.Method("zaza", &TLayoutForm::zaza);
  p.Method("Button2Click", &TLayoutForm::Button2Click);
}

// The main window's layout; the aligned controls are stored with wrong
// sizes, which alignment must correct.
const char* const kLayout = R"(
object Form1: TLayoutForm
  Left = 258
  Top = 231
  Caption = 'Quorvel'
  ClientHeight = 394
  ClientWidth = 630
  Color = clBtnFace
  Font.Charset = DEFAULT_CHARSET
  Font.Color = clWindowText
  Font.Height = -11
  Font.Name = 'MS Sans Serif'
  Font.Style = []
  OldCreateOrder = False
  Position = poScreenCenter
  OnCreate = FormCreate
  PixelsPerInch = 96
  TextHeight = 13
  object Bar: TTestBar
    Left = 0
    Top = 365
    Width = 100
    Height = 10
    Align = alBottom
    Color = clBtnFace
    ParentColor = False
  end
  object memo1: TCheckListBox
    Left = 0
    Top = 41
    Width = 30
    Height = 30
    Align = alClient
    ItemHeight = 13
    TabOrder = 0
  end
  object StatusBar1: TStatusBar
    Left = 0
    Top = 375
    Width = 100
    Height = 19
    Panels = <
      item
        Width = 50
      end>
    SimplePanel = False
  end
  object Panel1: TPanel
    Left = 0
    Top = 0
    Width = 100
    Height = 41
    Align = alTop
    TabOrder = 2
    object SpeedButton1: TSpeedButton
      Left = 8
      Top = 8
      Width = 180
      Height = 25
      Cursor = crHandPoint
      AllowAllUp = True
      GroupIndex = 1
      Caption = 'Scan for adult material now !'
      OnClick = zaza
    end
    object Button2: TButton
      Left = 200
      Top = 8
      Width = 180
      Height = 25
      Caption = 'Remove checked adult material'
      Enabled = False
      TabOrder = 0
      OnClick = Button2Click
    end
  end
end
)";

// The binary definition of a text definition.
std::vector<uint8_t> Compile(const std::string& text) {
  TMemoryStream in(std::vector<uint8_t>(text.begin(), text.end()));
  TMemoryStream out;
  ObjectTextToBinary(in, out);
  return out.Bytes();
}

// A form of class T loaded from a text definition.
template <class T>
std::unique_ptr<T> LoadForm(const std::string& text) {
  auto form = std::make_unique<T>(nullptr);
  TMemoryStream stream(Compile(text));
  form->LoadDefinition(stream);
  return form;
}

std::string ClassOf(HWND wnd) {
  char name[128] = {};
  GetClassNameA(wnd, name, sizeof name);
  return name;
}

std::string TextOf(HWND wnd) {
  char text[512] = {};
  SendMessageA(wnd, WM_GETTEXT, sizeof text, reinterpret_cast<LPARAM>(text));
  return text;
}

// A window's rectangle in its parent's client coordinates.
RECT RectInParent(HWND wnd) {
  RECT r;
  GetWindowRect(wnd, &r);
  MapWindowPoints(HWND_DESKTOP, GetParent(wnd), reinterpret_cast<POINT*>(&r), 2);
  return r;
}

void ExpectRect(const RECT& r, int left, int top, int width, int height) {
  EXPECT_EQ(r.left, left);
  EXPECT_EQ(r.top, top);
  EXPECT_EQ(r.right - r.left, width);
  EXPECT_EQ(r.bottom - r.top, height);
}

// Runs the messages that are waiting.
void Pump() { Application->ProcessMessages(); }

// A left click at a client point of a window (down and up).
void ClickAt(HWND wnd, int x, int y) {
  SendMessageA(wnd, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(x, y));
  SendMessageA(wnd, WM_LBUTTONUP, 0, MAKELPARAM(x, y));
}

class Controls : public ::testing::Test {
protected:
  void SetUp() override {
    form = LoadForm<TLayoutForm>(kLayout);
    form->Show();
    Pump();
  }
  std::unique_ptr<TLayoutForm> form;
};

}  // namespace

TEST_F(Controls, DefinitionBuildsTheMainWindowLayout) {
  EXPECT_EQ(form->creates, 1);
  RECT client;
  GetClientRect(form->Handle(), &client);
  EXPECT_EQ(client.right, 630);
  EXPECT_EQ(client.bottom, 394);
  ExpectRect(RectInParent(form->Panel1->Handle()), 0, 0, 630, 41);
  ExpectRect(RectInParent(form->memo1->Handle()), 0, 41, 630, 324);
  ExpectRect(form->Bar->BoundsRect(), 0, 365, 630, 10);
  ExpectRect(RectInParent(form->StatusBar1->Handle()), 0, 375, 630, 19);
  ExpectRect(RectInParent(form->Button2->Handle()), 200, 8, 180, 25);
  EXPECT_EQ(GetParent(form->Button2->Handle()), form->Panel1->Handle());

  // Position poScreenCenter: the outer rectangle is centred on the screen.
  RECT outer;
  GetWindowRect(form->Handle(), &outer);
  EXPECT_NEAR(outer.left + (outer.right - outer.left) / 2, GetSystemMetrics(SM_CXSCREEN) / 2, 1);
  EXPECT_NEAR(outer.top + (outer.bottom - outer.top) / 2, GetSystemMetrics(SM_CYSCREEN) / 2, 1);
}

TEST_F(Controls, WindowClassesAreTheComponentClassNames) {
  EXPECT_EQ(ClassOf(form->Handle()), "TLayoutForm");
  EXPECT_EQ(ClassOf(form->memo1->Handle()), "TCheckListBox");
  EXPECT_EQ(ClassOf(form->StatusBar1->Handle()), "TStatusBar");
  EXPECT_EQ(ClassOf(form->Panel1->Handle()), "TPanel");
  EXPECT_EQ(ClassOf(form->Button2->Handle()), "TButton");
  EXPECT_EQ(TWinControl::FindControl(form->memo1->Handle()), form->memo1);
  // The superclassed controls keep their standard styles.
  const LONG_PTR style = GetWindowLongPtrA(form->memo1->Handle(), GWL_STYLE);
  EXPECT_TRUE(style & LBS_OWNERDRAWFIXED);
  EXPECT_TRUE(style & LBS_HASSTRINGS);
  EXPECT_FALSE(style & LBS_SORT);
}

TEST_F(Controls, TextsAreReadableThroughStandardMessages) {
  EXPECT_EQ(TextOf(form->Handle()), "Quorvel");
  EXPECT_EQ(TextOf(form->Button2->Handle()), "Remove checked adult material");
  EXPECT_FALSE(IsWindowEnabled(form->Button2->Handle()));
  EXPECT_EQ(form->SpeedButton1->Caption(), "Scan for adult material now !");
  EXPECT_EQ(form->SpeedButton1->Cursor(), crHandPoint);

  // A caption set through the window is what the control reports.
  SetWindowTextA(form->Button2->Handle(), "changed");
  EXPECT_EQ(form->Button2->Caption(), "changed");

  // Status bar: one part running to the right edge, texts via SB_GETTEXT.
  HWND bar = form->StatusBar1->Handle();
  int rights[4] = {};
  EXPECT_EQ(SendMessageA(bar, SB_GETPARTS, 4, reinterpret_cast<LPARAM>(rights)), 1);
  EXPECT_EQ(rights[0], -1);
  form->StatusBar1->Panels().Items(0)->SetText("Scanning:C:\\x.txt");
  char text[128] = {};
  SendMessageA(bar, SB_GETTEXTA, 0, reinterpret_cast<LPARAM>(text));
  EXPECT_STREQ(text, "Scanning:C:\\x.txt");

  // Two panels: the first ends at its width, the last runs to the edge.
  form->StatusBar1->Panels().Add()->SetText("second");
  EXPECT_EQ(SendMessageA(bar, SB_GETPARTS, 4, reinterpret_cast<LPARAM>(rights)), 2);
  EXPECT_EQ(rights[0], 50);
  EXPECT_EQ(rights[1], -1);
}

TEST_F(Controls, CheckListItemsLiveInTheListBox) {
  TCheckListBox& list = *form->memo1;
  HWND wnd = list.Handle();
  EXPECT_EQ(list.Items().Count(), 0);
  list.Items().Add("C:\\adult\\holiday.jpg");
  list.SetChecked(0, true);
  SendMessageA(wnd, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>("D:\\sexy\\Notes.TXT"));

  char text[128] = {};
  SendMessageA(wnd, LB_GETTEXT, 0, reinterpret_cast<LPARAM>(text));
  EXPECT_STREQ(text, "C:\\adult\\holiday.jpg");
  ASSERT_EQ(list.Items().Count(), 2);
  EXPECT_EQ(list.Items()[1], "D:\\sexy\\Notes.TXT");
  EXPECT_TRUE(list.Checked(0));
  EXPECT_FALSE(list.Checked(1));  // added behind the control's back: unchecked
  EXPECT_EQ(SendMessageA(wnd, LB_GETITEMHEIGHT, 0, 0), 13);

  // The exact lookup ignores letter case but not other differences.
  EXPECT_EQ(list.FindExact("d:\\SEXY\\notes.txt"), 1);
  EXPECT_EQ(list.Items().IndexOf("C:\\ADULT\\HOLIDAY.JPG"), 0);
  EXPECT_EQ(list.FindExact("D:\\sexy\\Notes.TX"), -1);
  EXPECT_EQ(list.FindExact("D:\\sexy\\Notes.TXT2"), -1);
  EXPECT_THROW(list.Checked(2), EListError);
  EXPECT_THROW(list.SetChecked(-1, true), EListError);

  // An update bracket stops redrawing and lets the list show again at its end.
  list.Items().BeginUpdate();
  list.Items().Add("E:\\third.gif");
  list.Items().EndUpdate();
  EXPECT_TRUE(IsWindowVisible(wnd));
  ASSERT_EQ(list.Items().Count(), 3);
  list.Items().Delete(2);

  // Items survive the window being made again, with their checks.
  list.RecreateWnd();
  ASSERT_EQ(list.Items().Count(), 2);
  EXPECT_TRUE(list.Checked(0));
  EXPECT_FALSE(list.Checked(1));
}

TEST_F(Controls, RenamingACheckListItemKeepsItsCheckObjectAndSelection) {
  TCheckListBox& list = *form->memo1;
  TStringList tag;
  list.Items().Add("C:\\old.jpg");
  list.Items().Add("D:\\other.txt");
  // Before the window exists, then with it.
  list.SetChecked(0, true);
  list.Items().SetObjects(0, &tag);
  list.Items().Put(0, "C:\\renamed.jpg");
  EXPECT_TRUE(list.Checked(0));
  EXPECT_EQ(list.Items().Objects(0), &tag);

  list.Handle();
  list.SetItemIndex(0);
  list.Items().Put(0, "C:\\again.jpg");
  EXPECT_EQ(list.Items()[0], "C:\\again.jpg");
  EXPECT_TRUE(list.Checked(0));
  EXPECT_EQ(list.Items().Objects(0), &tag);
  EXPECT_EQ(list.ItemIndex(), 0);
  EXPECT_FALSE(list.Checked(1));
  EXPECT_EQ(list.Items().IndexOf("C:\\renamed.jpg"), -1);
  EXPECT_EQ(list.Items().IndexOf("c:\\AGAIN.jpg"), 0);
  EXPECT_THROW(list.Items().Put(2, "x"), EStringListError);
}

TEST_F(Controls, CheckBoxClicksAndSpaceToggleChecks) {
  TCheckListBox& list = *form->memo1;
  int clickChecks = 0;
  list.OnClickCheck = [&](TObject*) { ++clickChecks; };
  list.Items().Add("one");
  list.Items().Add("two");
  HWND wnd = list.Handle();
  const RECT second = list.ItemRect(1);

  ClickAt(wnd, second.left + 5, second.top + 5);  // on the box
  EXPECT_TRUE(list.Checked(1));
  EXPECT_EQ(clickChecks, 1);
  ClickAt(wnd, second.left + 100, second.top + 5);  // on the text: selects only
  EXPECT_TRUE(list.Checked(1));
  EXPECT_EQ(list.ItemIndex(), 1);
  SendMessageA(wnd, WM_CHAR, ' ', 0);  // space toggles the selected item
  EXPECT_FALSE(list.Checked(1));
  EXPECT_EQ(clickChecks, 2);
  EXPECT_FALSE(list.Checked(0));
}

TEST_F(Controls, PushButtonClicksRunOnClickOnlyWhenEnabled) {
  HWND button = form->Button2->Handle();
  SendMessageA(button, BM_CLICK, 0, 0);
  EXPECT_EQ(form->removes, 0);  // disabled
  form->Button2->SetEnabled(true);
  EXPECT_TRUE(IsWindowEnabled(button));
  SendMessageA(button, BM_CLICK, 0, 0);
  EXPECT_EQ(form->removes, 1);
  form->Button2->Click();
  EXPECT_EQ(form->removes, 2);
}

TEST_F(Controls, AltLetterClicksTheButtonWithThatAccelerator) {
  form->Button2->SetEnabled(true);
  form->Button2->SetCaption("&Remove checked adult material");
  HWND list = form->memo1->Handle();
  PostMessageA(list, WM_SYSCHAR, 'x', 1 << 29);
  Pump();
  EXPECT_EQ(form->removes, 0);
  PostMessageA(list, WM_SYSCHAR, 'r', 1 << 29);
  Pump();
  EXPECT_EQ(form->removes, 1);
  form->Button2->SetEnabled(false);
  PostMessageA(list, WM_SYSCHAR, 'R', 1 << 29);
  Pump();
  EXPECT_EQ(form->removes, 1);
}

// The panel shows the speed button's hand cursor over the button and its
// own default beside it. (Decided from the point, so that the test does not
// depend on where Wine's shared pointer happens to be.)
TEST_F(Controls, TheHandCursorShowsOverTheSpeedButton) {
  EXPECT_EQ(form->Panel1->CursorAt(TPoint{20, 15}), crHandPoint);
  EXPECT_EQ(form->Panel1->CursorAt(TPoint{195, 35}), crDefault);
  EXPECT_EQ(CursorResource(crHandPoint), IDC_HAND);
}

TEST_F(Controls, SpeedButtonTogglesDownBeforeOnClick) {
  HWND panel = form->Panel1->Handle();
  ClickAt(panel, 20, 15);
  ClickAt(panel, 20, 15);
  ClickAt(panel, 20, 15);
  EXPECT_EQ(form->downAtClick, (std::vector<bool>{true, false, true}));
  EXPECT_TRUE(form->SpeedButton1->Down());

  // A press released outside the button is no click.
  SendMessageA(panel, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(20, 15));
  SendMessageA(panel, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(400, 35));
  SendMessageA(panel, WM_LBUTTONUP, 0, MAKELPARAM(400, 35));
  EXPECT_EQ(form->downAtClick.size(), 3u);
  EXPECT_TRUE(form->SpeedButton1->Down());
}

TEST_F(Controls, SpeedButtonGroupsAreExclusive) {
  auto make = [&](int left, int group, bool allowAllUp) {
    auto* b = new TSpeedButton(form.get());
    b->SetParent(form->Panel1);
    b->SetBounds(left, 8, 30, 25);
    b->SetGroupIndex(group);
    b->SetAllowAllUp(allowAllUp);
    return b;
  };
  TSpeedButton* a = make(400, 2, false);
  TSpeedButton* b = make(440, 2, false);
  TSpeedButton* plain = make(480, 0, false);
  int clicks = 0;
  b->OnClick = [&](TObject*) { ++clicks; };
  HWND panel = form->Panel1->Handle();

  ClickAt(panel, 410, 15);
  EXPECT_TRUE(a->Down());
  ClickAt(panel, 450, 15);
  EXPECT_FALSE(a->Down());
  EXPECT_TRUE(b->Down());
  // Without AllowAllUp the down button stays down, and still clicks.
  ClickAt(panel, 450, 15);
  EXPECT_TRUE(b->Down());
  EXPECT_EQ(clicks, 2);
  b->SetDown(false);
  EXPECT_TRUE(b->Down());
  // Another group is not affected; a button without a group never stays down.
  EXPECT_TRUE(form->SpeedButton1->GroupIndex() == 1 && !form->SpeedButton1->Down());
  ClickAt(panel, 490, 15);
  EXPECT_FALSE(plain->Down());
  plain->SetDown(true);
  EXPECT_FALSE(plain->Down());
}

TEST_F(Controls, SpeedButtonDrawsTheGlyphCellOfItsState) {
  auto* b = new TSpeedButton(form.get());
  b->SetParent(form->Panel1);
  b->SetBounds(500, 5, 30, 30);
  // Two 4 by 4 cells: blue for up, lime for disabled; white corners are transparent.
  TBitmap& glyph = b->Glyph();
  glyph.SetSize(8, 4);
  glyph.Canvas().Brush().SetColor(clBlue);
  glyph.Canvas().FillRect(Rect(0, 0, 4, 4));
  glyph.Canvas().Brush().SetColor(clLime);
  glyph.Canvas().FillRect(Rect(4, 0, 8, 4));
  glyph.Canvas().Brush().SetColor(clWhite);
  glyph.Canvas().FillRect(Rect(0, 3, 1, 4));
  glyph.Canvas().FillRect(Rect(4, 3, 5, 4));
  b->SetNumGlyphs(2);
  auto pixel = [&](int x, int y) {
    b->Repaint();
    HDC dc = GetDC(form->Panel1->Handle());
    const COLORREF c = GetPixel(dc, 500 + x, 5 + y);
    ReleaseDC(form->Panel1->Handle(), dc);
    return c;
  };
  // No caption: the glyph is centred, at (13, 13) in the button.
  EXPECT_EQ(pixel(14, 14), RGB(0, 0, 255));
  EXPECT_NE(pixel(13, 16), RGB(255, 255, 255));  // transparent corner
  b->SetEnabled(false);
  EXPECT_EQ(pixel(14, 14), RGB(0, 255, 0));
}

TEST_F(Controls, ReplacedWindowProcSeesEveryMessageAndCanBeRestored) {
  TCheckListBox& list = *form->memo1;
  HWND wnd = list.Handle();
  auto saved = list.WindowProc;
  int seen = 0;
  list.WindowProc = [&](TMessage& m) {
    if (m.Msg == WM_GETTEXTLENGTH) ++seen;
    saved(m);
  };
  SendMessageA(wnd, WM_GETTEXTLENGTH, 0, 0);
  list.Perform(WM_GETTEXTLENGTH, 0, 0);
  EXPECT_EQ(seen, 2);
  list.WindowProc = saved;
  SendMessageA(wnd, WM_GETTEXTLENGTH, 0, 0);
  EXPECT_EQ(seen, 2);

  // Graphic controls are painted and clicked through their WindowProc too.
  TSpeedButton& button = *form->SpeedButton1;
  auto savedButton = button.WindowProc;
  int paints = 0, presses = 0;
  button.WindowProc = [&](TMessage& m) {
    if (m.Msg == WM_PAINT) ++paints;
    if (m.Msg == WM_LBUTTONDOWN) ++presses;
    savedButton(m);
  };
  button.Invalidate();
  UpdateWindow(form->Panel1->Handle());
  ClickAt(form->Panel1->Handle(), 20, 15);
  button.WindowProc = savedButton;
  EXPECT_GE(paints, 1);
  EXPECT_EQ(presses, 1);
  EXPECT_EQ(form->downAtClick.size(), 1u);
}

TEST_F(Controls, AWindowSubclassOnTopOfAControlSeesMessagesFirst) {
  form->Button2->SetEnabled(true);
  HWND wnd = form->Button2->Handle();
  std::vector<std::string> order;
  auto saved = form->Button2->WindowProc;
  form->Button2->WindowProc = [&](TMessage& m) {
    if (m.Msg == WM_GETTEXTLENGTH) order.push_back("control");
    saved(m);
  };
  TWindowSubclass skin;
  ASSERT_TRUE(skin.Attach(wnd, [&](TMessage& m) {
    if (m.Msg == WM_GETTEXTLENGTH) order.push_back("skin");
    skin.CallPrevious(m);
  }));
  EXPECT_EQ(SendMessageA(wnd, WM_GETTEXTLENGTH, 0, 0), 29);
  EXPECT_EQ(order, (std::vector<std::string>{"skin", "control"}));
  SendMessageA(wnd, BM_CLICK, 0, 0);  // the control still works underneath
  EXPECT_EQ(form->removes, 1);
  skin.Detach();
  form->Button2->WindowProc = saved;
  order.clear();
  SendMessageA(wnd, WM_GETTEXTLENGTH, 0, 0);
  EXPECT_TRUE(order.empty());
  EXPECT_EQ(TWindowSubclass::HandlerCount(wnd), 1);  // the control's own

  // Destroying the control's window detaches a subclass that is still there.
  TWindowSubclass late;
  late.Attach(wnd, [&](TMessage& m) { late.CallPrevious(m); });
  form->Button2->DestroyHandle();
  EXPECT_FALSE(late.Attached());
  EXPECT_FALSE(form->Button2->HandleAllocated());
  EXPECT_EQ(TWinControl::FindControl(wnd), nullptr);
}

TEST_F(Controls, GraphicControlsPaintThroughTheParent) {
  TTestBar& bar = *form->Bar;
  bar.paints = 0;
  bar.Repaint();
  EXPECT_GE(bar.paints, 1);
  // What it painted is on the form's window, at its place.
  HDC dc = GetDC(form->Handle());
  EXPECT_EQ(GetPixel(dc, 5, 370), RGB(255, 0, 0));
  ReleaseDC(form->Handle(), dc);
  // Hidden: the parent lays out again and the bar is not painted.
  bar.SetVisible(false);
  EXPECT_EQ(form->memo1->Height(), 334);
  bar.paints = 0;
  form->Invalidate();
  form->Update();
  EXPECT_EQ(bar.paints, 0);
}

TEST_F(Controls, GraphicControlCanvasWorksOutsideOfPaints) {
  TCanvas& canvas = *form->SpeedButton1->Canvas();
  ASSERT_NE(canvas.Handle(), nullptr);
  canvas.Brush().SetColor(clLime);
  canvas.FillRect(Rect(0, 0, 4, 4));
  canvas.FillRect(Rect(-8, -8, 0, 0));  // outside the button: clipped away
  HDC dc = GetDC(form->Panel1->Handle());
  EXPECT_EQ(GetPixel(dc, 9, 9), RGB(0, 255, 0));
  EXPECT_NE(GetPixel(dc, 5, 5), RGB(0, 255, 0));
  ReleaseDC(form->Panel1->Handle(), dc);
  FreeDeviceContexts();
  EXPECT_FALSE(canvas.HandleAllocated());
}

TEST_F(Controls, PanelsPaintARaisedBevelAndPicturesTheirBitmap) {
  HDC dc = GetDC(form->Panel1->Handle());
  EXPECT_EQ(GetPixel(dc, 0, 0), ColorToRGB(clBtnHighlight));
  EXPECT_EQ(GetPixel(dc, 629, 40), ColorToRGB(clBtnShadow));
  EXPECT_EQ(GetPixel(dc, 400, 20), ColorToRGB(clBtnFace));
  ReleaseDC(form->Panel1->Handle(), dc);

  // A 3 by 2 bitmap, blue; AutoSize gives the picture control its size.
  auto* image = new TImage(form.get());
  image->SetParent(form->Panel1);
  image->SetBounds(500, 5, 50, 50);
  image->SetAutoSize(true);
  TBitmap bitmap;
  bitmap.SetSize(3, 2);
  bitmap.Canvas().Brush().SetColor(clBlue);
  bitmap.Canvas().FillRect(Rect(0, 0, 3, 2));
  image->Picture().SetGraphic(&bitmap);
  EXPECT_EQ(image->Width(), 3);
  EXPECT_EQ(image->Height(), 2);
  image->Repaint();
  dc = GetDC(form->Panel1->Handle());
  EXPECT_EQ(GetPixel(dc, 502, 6), RGB(0, 0, 255));
  EXPECT_EQ(GetPixel(dc, 503, 6), ColorToRGB(clBtnFace));
  ReleaseDC(form->Panel1->Handle(), dc);
}

TEST_F(Controls, DoubleBufferedPaintsLookTheSame) {
  form->SetDoubleBuffered(true);
  form->Panel1->SetDoubleBuffered(true);
  form->Invalidate();
  form->Panel1->Invalidate();
  form->Update();
  form->Panel1->Update();
  HDC dc = GetDC(form->Handle());
  EXPECT_EQ(GetPixel(dc, 5, 370), RGB(255, 0, 0));  // the bar, painted into the bitmap
  ReleaseDC(form->Handle(), dc);
  dc = GetDC(form->Panel1->Handle());
  EXPECT_EQ(GetPixel(dc, 0, 0), ColorToRGB(clBtnHighlight));
  EXPECT_EQ(GetPixel(dc, 400, 20), ColorToRGB(clBtnFace));
  ReleaseDC(form->Panel1->Handle(), dc);
}

TEST_F(Controls, WindowedControlsHearTheMouseEnterAndLeave) {
  TButton& button = *form->Button2;
  auto saved = button.WindowProc;
  std::vector<UINT> seen;
  button.WindowProc = [&](TMessage& m) {
    if (m.Msg == CM_MOUSEENTER || m.Msg == CM_MOUSELEAVE) seen.push_back(m.Msg);
    saved(m);
  };
  HWND wnd = button.Handle();
  SendMessageA(wnd, WM_MOUSEMOVE, 0, MAKELPARAM(5, 5));
  SendMessageA(wnd, WM_MOUSEMOVE, 0, MAKELPARAM(6, 5));
  SendMessageA(wnd, WM_MOUSELEAVE, 0, 0);
  button.WindowProc = saved;
  EXPECT_EQ(seen, (std::vector<UINT>{CM_MOUSEENTER, CM_MOUSELEAVE}));
}

TEST_F(Controls, ResizingTheFormRealignsTheControls) {
  form->SetClientWidth(500);
  form->SetClientHeight(300);
  Pump();
  ExpectRect(RectInParent(form->Panel1->Handle()), 0, 0, 500, 41);
  ExpectRect(RectInParent(form->StatusBar1->Handle()), 0, 281, 500, 19);
  ExpectRect(form->Bar->BoundsRect(), 0, 271, 500, 10);
  ExpectRect(RectInParent(form->memo1->Handle()), 0, 41, 500, 230);
}

TEST(ControlsLoading, DamagedDefinitionsFailCleanly) {
  const std::vector<uint8_t> good = Compile(kLayout);
  for (size_t cut : {size_t{3}, good.size() / 3, good.size() / 2, good.size() - 2}) {
    auto form = std::make_unique<TLayoutForm>(nullptr);
    TMemoryStream stream(std::vector<uint8_t>(good.begin(), good.begin() + static_cast<long>(cut)));
    EXPECT_THROW(form->LoadDefinition(stream), EReadError) << "cut at " << cut;
    form.reset();  // destroying a half-loaded form is safe
  }
}
