// The form skinner on the program's own windows: attaching at the first
// activation, the frame drawn from the skin (checked against the skin's own
// pictures), the title-bar buttons, switching skinning off and on (the
// client area keeps its size), the captions of the program's narrow boxes,
// a title lower than the platform's, changing the skin, and handles that
// are given back.
#include <gtest/gtest.h>

#include <windows.h>

#include <algorithm>
#include <functional>
#include <string>
#include <vector>

#include "app/ad.h"
#include "app/scan.h"
#include "skin/window/SkinManager.h"
#include "skin/draw/SkinDraw.h"
#include "skin/window/WinSkinForm.h"
#include "support/Mouse.h"
#include "support/Screen.h"
#include "support/UserAction.h"
#include "support/Wait.h"
#include "ui/Dialogs.h"
#include "ui/StdCtrls.h"

namespace {

HWND MainWindow() { return Form1->Handle(); }
TWinSkinForm* Skinner(HWND wnd) { return SkinManager ? SkinManager->FormSkinner(wnd) : nullptr; }

bool IsSkinnedAndActive(HWND wnd) {
  TWinSkinForm* s = Skinner(wnd);
  return s && s->Phase() == TFormPhase::Active;
}

COLORREF PixelOf(TBitmap& bitmap, int x, int y) {
  return GetPixel(bitmap.Canvas().Handle(), x, y) & 0xFFFFFF;
}
constexpr COLORREF kMagenta = RGB(255, 0, 255);

// Counts the pixels of a rectangle of the capture that differ from the
// picture: source(x, y) gives the expected colour (magenta: not checked).
// A check that compares no pixel at all counts as one mismatch.
int Mismatches(const TCapture& shot, const TRect& r,
               const std::function<COLORREF(int, int)>& source,
               const std::function<bool(int, int)>& skip = nullptr) {
  int bad = 0, compared = 0;
  for (int y = std::max<LONG>(r.top, 0); y < std::min<LONG>(r.bottom, shot.Height); ++y)
    for (int x = std::max<LONG>(r.left, 0); x < std::min<LONG>(r.right, shot.Width); ++x) {
      if (skip && skip(x, y)) continue;
      const COLORREF want = source(x - r.left, y - r.top);
      if (want == kMagenta) continue;
      ++compared;
      if (shot.At(x, y) != want) ++bad;
    }
  return compared ? bad : 1;
}

// A small window of another program part, used to take the activation away.
HWND OtherWindow() {
  static HWND wnd = [] {
    WNDCLASSA wc{};
    wc.lpfnWndProc = DefWindowProcA;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.lpszClassName = "SkinTestOther";
    RegisterClassA(&wc);
    return CreateWindowExA(WS_EX_TOOLWINDOW, "SkinTestOther", "", WS_POPUP | WS_VISIBLE, 1000, 740,
                           20, 20, nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
  }();
  return wnd;
}

class SkinFormTest : public ::testing::Test {
protected:
  static void SetUpTestSuite() {
    if (Form1) return;
    Application->Initialize();
    Application->SetTitle("Quorvel ");
    Application->CreateForm(Form1);
    Application->CreateForm(Form2);
    Form1->Show();
    SetWindowPos(MainWindow(), nullptr, 20, 20, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
  }

  // Every test starts with the stored skin on, the main window normal,
  // active and skinned, and nothing else shown.
  void SetUp() override {
    ForgetUserAction();
    TSkinData* data = Form1->SkinData1;
    if (!data->SkinFile().empty()) {
      data->SetSkinFile(QUORVEL_SKIN_FILE);  // the stored skin, as the build packs it
      Settle();
    }
    if (!SkinManager->Active) {
      data->SetActive(true);
      Settle();
    }
    Form2->Hide();
    if (IsIconic(MainWindow()) || IsZoomed(MainWindow())) ShowWindow(MainWindow(), SW_RESTORE);
    SetForegroundWindow(MainWindow());
    SetActiveWindow(MainWindow());
    ASSERT_TRUE(WaitUntil(
        [] { return IsSkinnedAndActive(MainWindow()) && GetActiveWindow() == MainWindow(); }));
    Repaint();
  }

  // Lets the manager's timer carry out what was requested.
  static void Settle() {
    WaitUntil([] { return !SkinManager->Timer->Enabled(); });
    PumpMessages();
  }

  // Paints the frame now and lets the window catch up.
  static void Repaint() {
    RedrawWindow(MainWindow(), nullptr, nullptr,
                 RDW_FRAME | RDW_INVALIDATE | RDW_UPDATENOW | RDW_ERASENOW);
    PumpMessages();
  }

  static TWinSkinForm& Main() { return *Skinner(MainWindow()); }
  static TSkinData& Skin() { return *Form1->SkinData1; }

  static POINT ScreenPointOf(const TRect& bounds) {
    RECT w;
    GetWindowRect(MainWindow(), &w);
    return POINT{w.left + (bounds.left + bounds.right) / 2,
                 w.top + (bounds.top + bounds.bottom) / 2};
  }
  static LPARAM PointParam(POINT p) { return MAKELPARAM(p.x, p.y); }

  // The first visible button with this action, or null.
  static TWinSysButton* ButtonWithAction(int action) {
    for (auto& b : Main().SysButtons().Buttons())
      if (b->Visible() && b->SkinObject()->Action == action && !b->SkinObject()->Bitmap.Empty())
        return b.get();
    return nullptr;
  }

  // The mismatching pixels of every visible, non-icon title-bar button of the
  // main window against frame frameOf(button) of its strip.
  static int ButtonMismatches(const std::function<int(TWinSysButton&)>& frameOf) {
    const TCapture shot = Capture(MainWindow());
    int bad = 0, checked = 0;
    for (auto& b : Main().SysButtons().Buttons()) {
      TDataSkinSysButton& e = *b->SkinObject();
      if (!b->Visible() || e.Bitmap.Empty() || e.Action == 3 || e.Action == 11 ||
          e.Visibility == 100)
        continue;
      const int fw = e.Bitmap.Width() / std::max(1, e.FrameCount), frame = frameOf(*b);
      bad += Mismatches(shot, b->Bounds(),
                        [&](int x, int y) { return PixelOf(e.Bitmap, fw * (frame - 1) + x, y); });
      ++checked;
    }
    return checked ? bad : 1;
  }
};

TEST_F(SkinFormTest, StartUpSkinsTheMainWindowAroundItsClientArea) {
  TWinSkinForm& s = Main();
  RECT client;
  GetClientRect(MainWindow(), &client);
  EXPECT_EQ(client.right, 630);
  EXPECT_EQ(client.bottom, 394);
  EXPECT_EQ(s.SkinData(), Form1->SkinData1);
  EXPECT_EQ(s.Form(), Form1);
  auto& b = Skin().Borders;
  EXPECT_EQ(s.Metrics().TitleHeight, b[3]->Bitmap.Height() / b[3]->FrameCount);
  EXPECT_EQ(s.Metrics().BorderLeft, b[1]->Bitmap.Width() / b[1]->FrameCount);
  RECT window;
  GetWindowRect(MainWindow(), &window);
  EXPECT_EQ(window.right - window.left, 630 + s.Metrics().BorderLeft + s.Metrics().BorderRight);
  EXPECT_EQ(window.bottom - window.top, 394 + s.Metrics().TitleHeight + s.Metrics().BorderBottom);
  // The window's own caption buttons are off while the skin draws them.
  EXPECT_EQ(
      GetWindowLongPtrA(MainWindow(), GWL_STYLE) & (WS_SYSMENU | WS_MINIMIZEBOX | WS_MAXIMIZEBOX),
      0);
}

TEST_F(SkinFormTest, TheFrameShowsTheSkinsPictures) {
  TWinSkinForm& s = Main();
  const TCapture shot = Capture(MainWindow());
  const int w = shot.Width, h = shot.Height;
  auto& b = Skin().Borders;
  // Corners and edges kept at their size are the pictures' own pixels.
  TDataSkinBorder& left = *b[1];
  const int leftTop = left.Margins.top, leftBottom = left.Margins.bottom;
  EXPECT_EQ(Mismatches(shot, TRect{0, 0, s.Metrics().BorderLeft, leftTop},
                       [&](int x, int y) { return PixelOf(left.Bitmap, x, y); }),
            0);
  EXPECT_EQ(Mismatches(shot, TRect{0, h - leftBottom, s.Metrics().BorderLeft, h},
                       [&](int x, int y) {
                         return PixelOf(left.Bitmap, x, left.Bitmap.Height() - leftBottom + y);
                       }),
            0);
  TDataSkinBorder& right = *b[2];
  EXPECT_EQ(Mismatches(shot, TRect{w - s.Metrics().BorderRight, 0, w, right.Margins.top},
                       [&](int x, int y) { return PixelOf(right.Bitmap, x, y); }),
            0);
  TDataSkinBorder& bottom = *b[4];
  const int bl = bottom.Margins.left;
  EXPECT_EQ(Mismatches(shot,
                       TRect{s.Metrics().BorderLeft, h - s.Metrics().BorderBottom,
                             s.Metrics().BorderLeft + bl, h},
                       [&](int x, int y) { return PixelOf(bottom.Bitmap, x, y); }),
            0);
  // The title's left and right ends, outside the buttons and the caption.
  TDataSkinBorder& top = *b[3];
  const int fw = top.Bitmap.Width();
  auto covered = [&](int x, int y) {
    const POINT p{x, y};
    if (PtInRect(&s.Painter().CaptionRect(), p)) return true;
    for (auto& button : s.SysButtons().Buttons())
      if (button->Visible() && PtInRect(&button->Bounds(), p)) return true;
    return false;
  };
  EXPECT_EQ(Mismatches(
                shot,
                TRect{s.Metrics().BorderLeft, 0, s.Metrics().BorderLeft + top.Margins.left,
                      s.Metrics().TitleHeight},
                [&](int x, int y) { return PixelOf(top.Bitmap, x, y); }, covered),
            0);
  EXPECT_EQ(Mismatches(
                shot,
                TRect{w - s.Metrics().BorderRight - top.Margins.right, 0,
                      w - s.Metrics().BorderRight, s.Metrics().TitleHeight},
                [&](int x, int y) { return PixelOf(top.Bitmap, fw - top.Margins.right + x, y); },
                covered),
            0);
  // Every visible button in its normal look.
  EXPECT_EQ(ButtonMismatches([](TWinSysButton&) { return 1; }), 0);
  // Opaque border pieces: the region is the plain window rectangle.
  EXPECT_TRUE(s.Painter().RegionSet());
  RECT box;
  const TRegionObject region(CreateRectRgn(0, 0, 0, 0));
  ASSERT_EQ(GetWindowRgn(MainWindow(), region), SIMPLEREGION);
  GetRgnBox(region, &box);
  EXPECT_EQ(box.right - box.left, w);
  EXPECT_EQ(box.bottom - box.top, h);
}

TEST_F(SkinFormTest, ButtonsShowHotPressedAndInactiveFrames) {
  TWinSysButton* close = ButtonWithAction(0);
  ASSERT_NE(close, nullptr);
  const POINT at = ScreenPointOf(close->Bounds());
  SendMessageA(MainWindow(), WM_NCMOUSEMOVE, HTCAPTION, PointParam(at));
  EXPECT_EQ(Main().HotObject(), close);
  EXPECT_EQ(ButtonMismatches([&](TWinSysButton& b) { return &b == close ? 3 : 1; }), 0);
  SendMessageA(MainWindow(), WM_NCLBUTTONDOWN, HTCAPTION, PointParam(at));
  EXPECT_EQ(close->State(), TNCObject::TState::Pressed);
  EXPECT_EQ(ButtonMismatches([&](TWinSysButton& b) { return &b == close ? 2 : 1; }), 0);
  // Leaving the button (the hover timer notices, or a frame paint forgets
  // it) brings the normal look back.
  SetCursorPos(0, 0);
  ASSERT_TRUE(WaitUntil([&] { return Main().HotObject() == nullptr; }));
  Repaint();
  EXPECT_EQ(ButtonMismatches([](TWinSysButton&) { return 1; }), 0);

  // Inactive: strips with four frames show the fourth.
  SetForegroundWindow(OtherWindow());
  SetActiveWindow(OtherWindow());
  ASSERT_TRUE(WaitUntil([&] { return !Main().Active(); }));
  Repaint();
  EXPECT_EQ(
      ButtonMismatches([](TWinSysButton& b) { return b.SkinObject()->FrameCount >= 4 ? 4 : 1; }),
      0);
}

TEST_F(SkinFormTest, ReleasingOverAnotherButtonRunsNothing) {
  TWinSysButton* close = ButtonWithAction(0);
  TWinSysButton* minimize = ButtonWithAction(2);
  ASSERT_TRUE(close && minimize);
  SendMessageA(MainWindow(), WM_NCLBUTTONDOWN, HTCAPTION,
               PointParam(ScreenPointOf(minimize->Bounds())));
  SendMessageA(MainWindow(), WM_NCLBUTTONUP, HTCAPTION, PointParam(ScreenPointOf(close->Bounds())));
  EXPECT_FALSE(
      HappensWithin([] { return !IsWindowVisible(MainWindow()) || IsIconic(MainWindow()); }, 500));
}

// The title-bar buttons answer a real click (SendInput at their place on the
// screen), which reaches them through the frame's hit test.
TEST_F(SkinFormTest, TitleBarButtonsAnswerTheMouse) {
  struct TCase {
    int Action;
    BOOL(WINAPI* Reached)(HWND);
  };
  const TCase cases[] = {{1, IsZoomed}, {2, IsIconic}};
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.Action);
    TWinSysButton* button = ButtonWithAction(c.Action);
    ASSERT_NE(button, nullptr);
    ClickAt(ScreenPointOf(button->Bounds()));
    EXPECT_TRUE(WaitUntil([&] { return c.Reached(MainWindow()) != 0; }));
    Main().RestoreWindow();
    ASSERT_TRUE(WaitUntil([] { return !IsZoomed(MainWindow()) && !IsIconic(MainWindow()); }));
    SetUp();
  }
}

// What each button action does, seen in the messages it posts.
TEST_F(SkinFormTest, ButtonActionsPostTheirCommands) {
  struct TCase {
    int Action;
    UINT Msg;
    WPARAM WParam;
  };
  const TCase cases[] = {
      {0, WM_CLOSE, 0},
      {2, WM_SYSCOMMAND, SC_MINIMIZE},
      {23, WM_SYSCOMMAND, SC_MINIMIZE},
      {5, WM_SKINBUTTONACTION, 5},
      {200, WM_SKINBUTTONACTION, 200},
  };
  TWinSysButton* button = ButtonWithAction(0);
  ASSERT_NE(button, nullptr);
  const int saved = button->SkinObject()->Action;
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.Action);
    button->SkinObject()->Action = c.Action;
    // The frame reads the window's state (normal) again: a minimize of the
    // case before was never carried out.
    Main().FrameChanged();
    Main().ExecuteSysButton(*button, 0, 0);
    MSG msg;
    ASSERT_TRUE(PeekMessageA(&msg, MainWindow(), c.Msg, c.Msg, PM_REMOVE));
    EXPECT_EQ(msg.wParam, c.WParam);
  }
  button->SkinObject()->Action = saved;
}

TEST_F(SkinFormTest, MaximizeMinimizeRestoreAndTitleClicks) {
  TWinSkinForm& s = Main();
  s.ToggleMaximize();
  ASSERT_TRUE(WaitUntil([] { return IsZoomed(MainWindow()) != 0; }));
  // A double click on the title of a maximized window restores it.
  SendMessageA(MainWindow(), WM_NCLBUTTONDBLCLK, HTCAPTION, 0);
  ASSERT_TRUE(WaitUntil([] { return !IsZoomed(MainWindow()); }));
  SendMessageA(MainWindow(), WM_NCLBUTTONDBLCLK, HTCAPTION, 0);
  ASSERT_TRUE(WaitUntil([] { return IsZoomed(MainWindow()) != 0; }));
  s.RestoreWindow();
  ASSERT_TRUE(WaitUntil([] { return !IsZoomed(MainWindow()); }));

  // Minimized, the window shows the platform's own caption buttons.
  s.ToggleMinimize();
  ASSERT_TRUE(WaitUntil([] { return IsIconic(MainWindow()) != 0; }));
  ASSERT_TRUE(
      WaitUntil([] { return (GetWindowLongPtrA(MainWindow(), GWL_STYLE) & WS_SYSMENU) != 0; }));
  EXPECT_EQ(s.WindowState(), TFrameWindowState::Minimized);
  s.RestoreWindow();
  ASSERT_TRUE(WaitUntil([] { return !IsIconic(MainWindow()); }));

  // A right click on the title opens the system menu; its choice comes back
  // as a system command.
  UserAction choose{"#32768", "", [](HWND) { EndMenu(); }};
  WhenWindowAppears(choose);
  RECT w;
  GetWindowRect(MainWindow(), &w);
  SendMessageA(MainWindow(), WM_NCRBUTTONDOWN, HTCAPTION, MAKELPARAM(w.left + 100, w.top + 5));
  EXPECT_TRUE(choose.Done);
  SendMessageA(MainWindow(), WM_COMMAND, SC_MAXIMIZE, 0);
  ASSERT_TRUE(WaitUntil([] { return IsZoomed(MainWindow()) != 0; }));
}

TEST_F(SkinFormTest, SwitchingOffGivesEverythingBackAndOnSkinsAgain) {
  const HWND wnd = MainWindow();
  // The client area keeps its size through off and on.
  RECT client;
  GetClientRect(wnd, &client);
  const auto sameClient = [&] {
    RECT now;
    GetClientRect(wnd, &now);
    return now.right == client.right && now.bottom == client.bottom;
  };
  Form1->SkinData1->SetActive(false);
  Settle();
  ASSERT_EQ(Skinner(wnd), nullptr);
  EXPECT_TRUE(sameClient());
  const LONG_PTR proc = GetWindowLongPtrA(wnd, GWLP_WNDPROC),
                 style = GetWindowLongPtrA(wnd, GWL_STYLE);
  const int handlers = TWindowSubclass::HandlerCount(wnd);
  const TColor colour = Form1->Color();
  const TRegionObject region(CreateRectRgn(0, 0, 0, 0));
  EXPECT_EQ(GetWindowRgn(wnd, region), ERROR);  // no region

  Form1->SkinData1->SetActive(true);
  Settle();
  ASSERT_TRUE(WaitUntil([&] { return IsSkinnedAndActive(wnd); }));
  EXPECT_TRUE(sameClient());
  EXPECT_EQ(TWindowSubclass::HandlerCount(wnd), handlers + 1);
  EXPECT_EQ(Form1->Color(), Form1->SkinData1->ButtonFaceColour);

  Form1->SkinData1->SetActive(false);
  Settle();
  EXPECT_EQ(GetWindowLongPtrA(wnd, GWLP_WNDPROC), proc);
  EXPECT_EQ(TWindowSubclass::HandlerCount(wnd), handlers);
  EXPECT_EQ(GetWindowLongPtrA(wnd, GWL_STYLE), style);
  EXPECT_EQ(Form1->Color(), colour);
  EXPECT_EQ(GetWindowRgn(wnd, region), ERROR);
  EXPECT_TRUE(sameClient());

  // Off then on again within the timer's delay: nothing is released.
  Form1->SkinData1->SetActive(true);
  Settle();
  TWinSkinForm* skinner = Skinner(wnd);
  ASSERT_NE(skinner, nullptr);
  Form1->SkinData1->SetActive(false);
  Form1->SkinData1->SetActive(true);
  Settle();
  EXPECT_EQ(Skinner(wnd), skinner);
}

TEST_F(SkinFormTest, TheSponsorWindowIsNeverSkinned) {
  const HWND sponsor = Form2->Handle();
  const LONG_PTR proc = GetWindowLongPtrA(sponsor, GWLP_WNDPROC);
  Form2->Show();
  SetActiveWindow(sponsor);
  ASSERT_TRUE(WaitUntil([&] { return GetActiveWindow() == sponsor; }));
  PumpMessages();
  EXPECT_EQ(Skinner(sponsor), nullptr);
  EXPECT_EQ(GetWindowLongPtrA(sponsor, GWLP_WNDPROC), proc);
  const TRegionObject region(CreateRectRgn(0, 0, 0, 0));
  EXPECT_EQ(GetWindowRgn(sponsor, region), ERROR);
}

TEST_F(SkinFormTest, MessageBoxesGetSkinnedFramesFromTheMainSkin) {
  struct TCase {
    const char* ClassName;
    std::function<void()> Open;
  };
  const TCase cases[] = {
      {"#32770", [] { Application->MessageBox("Found:1", "Information", MB_OK); }},
      {"TMessageForm", [] { MessageDlg("Stop scanning ?", mtConfirmation, mbYes | mbNo, 0); }},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.ClassName);
    TSkinData* servedBy = nullptr;
    UserAction look{c.ClassName, "",
                    [&](HWND box) {
                      if (TWinSkinForm* s = Skinner(box)) servedBy = s->SkinData();
                      PostMessageA(box, WM_CLOSE, 0, 0);
                    },
                    [&] {
                      HWND box = FindWindowA(c.ClassName, nullptr);
                      return box && IsSkinnedAndActive(box);
                    }};
    WhenWindowAppears(look);
    c.Open();
    EXPECT_TRUE(look.Done);
    EXPECT_EQ(servedBy, Form1->SkinData1);
  }
}

// The caption font of the platform, as the frame draws captions with it.
struct TCaptionFont {
  TCaptionFont() {
    NONCLIENTMETRICSA metrics{};
    metrics.cbSize = 340;
    SystemParametersInfoA(SPI_GETNONCLIENTMETRICS, metrics.cbSize, &metrics, 0);
    Font.Reset(CreateFontIndirectA(&metrics.lfCaptionFont));
  }
  // The width of Text in this font.
  int Width(const std::string& Text) const {
    const TWindowDC dc(nullptr);
    const TSelectObjectGuard select(dc, Font.Get());
    RECT r{0, 0, 0, 0};
    DrawTextA(dc, Text.c_str(), -1, &r, DT_CALCRECT | DT_NOCLIP | DT_SINGLELINE);
    return r.right - r.left;
  }
  TFontObject Font;
};

// A box that Quorvel shows: its window class, its caption, how it opens.
struct TQuorvelBox {
  const char* ClassName;
  std::string Caption;
  std::function<void()> Open;
};

// The scan's report, the stop confirmation, the removal's report.
std::vector<TQuorvelBox> QuorvelBoxes() {
  return {
      {"#32770", Application->Title(),
       [] {
         Application->MessageBox("Scan complete\n\rItems found:0", Application->Title(), MB_OK);
       }},
      {"TMessageForm", "Confirmation",
       [] { MessageDlg("Stop scanning ?", mtConfirmation, mbYes | mbNo, 0); }},
      {"#32770", Application->Title(),
       [] { Application->MessageBox("Removed:0 items.", Application->Title(), MB_OK); }},
  };
}

// Opens Box; once it is skinned and active, Look sees it, then it closes.
void ShowBox(const TQuorvelBox& Box, const std::function<void(HWND)>& Look) {
  UserAction look{Box.ClassName, "",
                  [&](HWND box) {
                    Look(box);
                    PostMessageA(box, WM_CLOSE, 0, 0);
                  },
                  [&] {
                    HWND box = FindWindowA(Box.ClassName, nullptr);
                    return box && IsSkinnedAndActive(box);
                  }};
  WhenWindowAppears(look);
  Box.Open();
  EXPECT_TRUE(look.Done);
}

// Every box Quorvel shows is narrow; its caption is shown whole, before its
// title-bar buttons, which keep their pictures.
TEST_F(SkinFormTest, NarrowBoxesShowTheirWholeCaption) {
  const TCaptionFont font;
  for (const TQuorvelBox& box : QuorvelBoxes()) {
    SCOPED_TRACE(box.Caption);
    int room = -1, needed = 0, overlap = -1, buttons = 0, bad = -1;
    ShowBox(box, [&](HWND wnd) {
      RedrawWindow(wnd, nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE | RDW_UPDATENOW);
      TWinSkinForm& s = *Skinner(wnd);
      TDataSkinTitle& t = *s.SkinData()->Title;
      const TRect& caption = s.Painter().CaptionRect();
      room = caption.right - caption.left - t.TextBackLeft - t.TextBackRight;
      // The letters, without the blanks that pad them.
      std::string letters = box.Caption;
      letters.erase(letters.find_last_not_of(' ') + 1);
      needed = font.Width("  " + letters);
      const TCapture shot = Capture(wnd);
      overlap = 0, bad = 0;
      for (auto& b : s.SysButtons().Buttons()) {
        TDataSkinSysButton& e = *b->SkinObject();
        if (!b->Visible() || e.Bitmap.Empty() || e.Action == 3 || e.Action == 11) continue;
        ++buttons;
        const TRect& r = b->Bounds();
        if (r.left < caption.right && r.right > caption.left) ++overlap;
        bad += Mismatches(shot, r, [&](int x, int y) { return PixelOf(e.Bitmap, x, y); });
      }
    });
    EXPECT_GE(room, needed);
    EXPECT_GT(buttons, 0);
    EXPECT_EQ(overlap, 0);
    EXPECT_EQ(bad, 0);
  }
}

// A form that paints stripes over its client area, skinned by hand with a
// skin whose title is lower than the platform's caption and frame (12 rows).
struct TLowTitleForm {
  static constexpr int kTitle = 12;
  TLowTitleForm() {
    Skin.SetSkinFormtype(sfOnlyThisForm);  // serves no window of the manager's
    Skin.SetSkinFile(QUORVEL_SKIN_FILE);
    TBitmap& top = Skin.Borders[3]->Bitmap;
    top.SetSize(top.Width(), 2 * kTitle);  // two frames
    Form.SetTag(99);                       // the manager leaves it alone
    Form.SetBounds(300, 300, 300, 200);
    Form.OnPaint = [this](TObject*) {
      HDC dc = Form.Canvas()->Handle();
      for (int x = 0; x < 300; x += 4) {
        const RECT column{x, 0, x + 2, 200};
        const TBrushObject brush(CreateSolidBrush(x % 8 ? RGB(200, 0, 0) : RGB(0, 0, 200)));
        FillRect(dc, &column, brush);
      }
    };
    Form.Show();
    Skinner.AttachToForm(&Skin, &Form);
    SendMessageA(Form.Handle(), WM_SKINACTIVATE, 0, 0);
    RedrawWindow(Form.Handle(), nullptr, nullptr,
                 RDW_FRAME | RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
    PumpMessages();
  }
  ~TLowTitleForm() { Skinner.Detach(); }
  TSkinData Skin{nullptr};
  TForm Form{nullptr};
  TWinSkinForm Skinner{nullptr, Form.Handle()};
};

// The frame's paint of a low title leaves the client area alone.
TEST_F(SkinFormTest, ALowTitleLeavesTheClientAreaAlone) {
  const int platformTop = GetSystemMetrics(SM_CYCAPTION) + GetSystemMetrics(SM_CXFRAME);
  ASSERT_LT(TLowTitleForm::kTitle, platformTop);
  TLowTitleForm low;
  ASSERT_EQ(low.Skinner.Metrics().TitleHeight, TLowTitleForm::kTitle);
  const HWND wnd = low.Form.Handle();
  const int rows = platformTop - TLowTitleForm::kTitle;
  auto clientRows = [&] {
    TBitmap shot;
    shot.SetSize(200, rows);
    BitBlt(shot.Canvas().Handle(), 0, 0, 200, rows, TWindowDC(wnd), 0, 0, SRCCOPY);
    std::vector<COLORREF> pixels;
    for (int y = 0; y < rows; ++y)
      for (int x = 0; x < 200; ++x) pixels.push_back(PixelOf(shot, x, y));
    return pixels;
  };
  const std::vector<COLORREF> before = clientRows();
  ASSERT_EQ(std::count(before.begin(), before.end(), RGB(0, 0, 200)), 200 / 8 * 2 * rows);
  SendMessageA(wnd, WM_SKINPAINTFRAME, 0, 0);
  EXPECT_TRUE(clientRows() == before);
}

// The paths above, many times over, give back the handles they take: the
// boxes opened and closed, a low title skinned and released, a memo freed
// while skinned before skinning goes off and on.
TEST_F(SkinFormTest, BoxesLowTitlesAndFreedControlsGiveTheirHandlesBack) {
  TSkinData* data = Form1->SkinData1;
  const auto offAndOn = [&] {
    for (bool on : {false, true}) {
      data->SetActive(on);
      Settle();
    }
    ASSERT_TRUE(WaitUntil([] { return IsSkinnedAndActive(MainWindow()); }));
  };
  auto work = [&] {
    for (int i = 0; i < 3; ++i)
      for (const TQuorvelBox& box : QuorvelBoxes()) ShowBox(box, [](HWND) {});
    for (int i = 0; i < 10; ++i) TLowTitleForm low;
    for (int i = 0; i < 3; ++i) {
      auto* memo = new TMemo(Form1);
      memo->SetParent(Form1);
      memo->SetBounds(20, 60, 200, 120);
      offAndOn();  // the memo is skinned now
      delete memo;
      offAndOn();
    }
  };
  work();  // caches and first-use allocations settle
  const unsigned gdi = GdiHighWater(), user = UserHighWater();
  work();
  EXPECT_LE(GdiHighWater(), gdi + 16);
  EXPECT_LE(UserHighWater(), user + 16);
}

TEST_F(SkinFormTest, AScrollBarIsRefusedOnlyDirectlyUnderASkinnedWindow) {
  auto makeBar = [](HWND parent) {
    return CreateWindowExA(0, "ScrollBar", "", WS_CHILD | SBS_HORZ, 0, 0, 50, 10, parent, nullptr,
                           GetModuleHandleA(nullptr), nullptr);
  };
  EXPECT_EQ(makeBar(MainWindow()), nullptr);
  const HWND bar = makeBar(Form2->Handle());
  EXPECT_NE(bar, nullptr);
  DestroyWindow(bar);
}

TEST_F(SkinFormTest, ChangingTheSkinReshapesTheWindowAndBack) {
  int changed = 0;
  Form1->SkinData1->OnSkinChanged = [&](TObject*) { ++changed; };
  Form1->SkinData1->SetSkinFile(QUORVEL_TRANS_SKIN_FILE);
  Settle();
  ASSERT_TRUE(WaitUntil([&] { return changed == 1 && IsSkinnedAndActive(MainWindow()); }));
  TWinSkinForm& s = Main();
  RECT w;
  GetWindowRect(MainWindow(), &w);
  const TRegionObject region(CreateRectRgn(0, 0, 0, 0));
  ASSERT_EQ(GetWindowRgn(MainWindow(), region), COMPLEXREGION);
  // The skin's magenta corner pixels are outside the region; the middle of
  // the title is inside.
  TDataSkinBorder& top = *Skin().Borders[3];
  ASSERT_EQ(PixelOf(top.Bitmap, 0, 0), kMagenta);
  EXPECT_FALSE(PtInRegion(region, s.Metrics().BorderLeft, 0));
  EXPECT_TRUE(PtInRegion(region, (w.right - w.left) / 2, s.Metrics().TitleHeight / 2));
  EXPECT_EQ(ButtonMismatches([](TWinSysButton&) { return 1; }), 0);
  // This skin has buttons with an inactive frame.
  SetForegroundWindow(OtherWindow());
  SetActiveWindow(OtherWindow());
  ASSERT_TRUE(WaitUntil([&] { return !Main().Active(); }));
  Repaint();
  int fourFrames = 0;
  EXPECT_EQ(ButtonMismatches([&](TWinSysButton& b) {
              fourFrames += b.SkinObject()->FrameCount >= 4;
              return b.SkinObject()->FrameCount >= 4 ? 4 : 1;
            }),
            0);
  EXPECT_GT(fourFrames, 0);

  Form1->SkinData1->SetSkinFile(QUORVEL_SKIN_FILE);
  Settle();
  ASSERT_TRUE(WaitUntil([&] { return changed == 2; }));
  EXPECT_EQ(GetWindowRgn(MainWindow(), region), SIMPLEREGION);
  Form1->SkinData1->OnSkinChanged.Clear();
}

TEST_F(SkinFormTest, FrameWorkGivesItsHandlesBack) {
  const HWND wnd = MainWindow();
  auto work = [&] {
    for (int i = 0; i < 1000; ++i) SendMessageA(wnd, WM_SKINPAINTFRAME, 0, 0);
    for (int i = 0; i < 200; ++i) SendMessageA(wnd, WM_NCACTIVATE, i % 2, 0);
    for (int i = 0; i < 100; ++i)
      SetWindowPos(wnd, nullptr, 0, 0, 500 + i, 400 + i, SWP_NOMOVE | SWP_NOZORDER);
    for (int i = 0; i < 20; ++i) {
      Form1->SkinData1->NotifySkinChanged();
      Settle();
      Form1->SkinData1->SetActive(i % 2 != 0);
      Settle();
    }
    Form1->SkinData1->SetActive(true);
    Settle();
  };
  work();  // caches and first-use allocations settle
  const unsigned gdi = GdiHighWater(), user = UserHighWater();
  const DWORD gdiCount = GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS);
  work();
  EXPECT_LE(GdiHighWater(), gdi + 16);
  EXPECT_LE(UserHighWater(), user + 16);
  if (gdiCount) {
    EXPECT_LE(GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS), gdiCount + 16);
  }
}

}  // namespace
