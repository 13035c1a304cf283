// The skinned menu bar on a form whose window has a menu of its own: the bar
// drawn in the frame, the real menu taken off and given back, opening and
// switching popups with the mouse and the keyboard, the keyboard's menu
// shortcuts, the skinned items inside the popups, and handles given back
// over many openings. Menu loops are modal: what the user does inside one
// runs from a timer of the main thread (MenuScript).
#include <gtest/gtest.h>

#include <windows.h>

#include <algorithm>
#include <functional>
#include <memory>
#include <vector>

#include "skin/draw/SkinDraw.h"
#include "skin/draw/SkinText.h"
#include "skin/window/MenuTracking.h"
#include "skin/window/SkinManager.h"
#include "skin/window/WinSkinForm.h"
#include "skin/window/WinSkinMenu.h"
#include "support/Mouse.h"
#include "support/Screen.h"
#include "support/Wait.h"
#include "ui/Forms.h"
#include "ui/Menus.h"

namespace {

constexpr UINT kMnGetHMenu = 0x01E1;  // MN_GETHMENU
constexpr COLORREF kMagenta = RGB(255, 0, 255);

enum : UINT {
  idNew = 101,
  idOpen = 102,
  idExit = 103,
  idOne = 111,
  idUndo = 201,
  idCut = 202,
  idZoom = 301,
  idAlpha = 401,
  idAbout = 402
};
enum { btFile, btEdit, btView, btHelp };

TSkinData* Skin = nullptr;
TForm* Form = nullptr;
HMENU Bar = nullptr, FileMenu = nullptr, EditMenu = nullptr, HelpMenu = nullptr,
      OptionsMenu = nullptr;
std::vector<WPARAM> Commands;  // WM_COMMAND identifiers that reached the form

HWND Wnd() { return Form->Handle(); }
TWinSkinForm* Skinner() { return SkinManager ? SkinManager->FormSkinner(Wnd()) : nullptr; }
TWinSkinForm& Main() { return *Skinner(); }
TMenuBtn& Button(int index) { return *Main().MenuBar()->Buttons()[size_t(index)]; }

// File, Edit, a disabled View and Help, with a submenu in File and in Help.
HMENU BuildMenu() {
  Bar = CreateMenu();
  FileMenu = CreatePopupMenu();
  AppendMenuA(FileMenu, MF_STRING, idNew, "&New");
  AppendMenuA(FileMenu, MF_STRING, idOpen, "&Open");
  AppendMenuA(FileMenu, MF_SEPARATOR, 0, nullptr);
  HMENU recent = CreatePopupMenu();
  AppendMenuA(recent, MF_STRING, idOne, "One");
  AppendMenuA(FileMenu, MF_POPUP, reinterpret_cast<UINT_PTR>(recent), "&Recent");
  AppendMenuA(FileMenu, MF_STRING, idExit, "E&xit");
  EditMenu = CreatePopupMenu();
  AppendMenuA(EditMenu, MF_STRING, idUndo, "&Undo");
  AppendMenuA(EditMenu, MF_STRING | MF_GRAYED, idCut, "Cu&t");
  HMENU view = CreatePopupMenu();
  AppendMenuA(view, MF_STRING, idZoom, "&Zoom");
  HelpMenu = CreatePopupMenu();
  OptionsMenu = CreatePopupMenu();
  AppendMenuA(OptionsMenu, MF_STRING, idAlpha, "&Alpha");
  AppendMenuA(HelpMenu, MF_POPUP, reinterpret_cast<UINT_PTR>(OptionsMenu), "&Options");
  AppendMenuA(HelpMenu, MF_STRING, idAbout, "&About");
  AppendMenuA(Bar, MF_POPUP, reinterpret_cast<UINT_PTR>(FileMenu), "&File");
  AppendMenuA(Bar, MF_POPUP, reinterpret_cast<UINT_PTR>(EditMenu), "&Edit");
  AppendMenuA(Bar, MF_POPUP | MF_GRAYED, reinterpret_cast<UINT_PTR>(view), "&View");
  AppendMenuA(Bar, MF_POPUP, reinterpret_cast<UINT_PTR>(HelpMenu), "&Help");
  return Bar;
}

BOOL CALLBACK CollectPopup(HWND w, LPARAM found) {
  char name[16] = {};
  GetClassNameA(w, name, sizeof name);
  if (IsWindowVisible(w) && std::string(name) == "#32768")
    reinterpret_cast<std::vector<HWND>*>(found)->push_back(w);
  return TRUE;
}

// The visible popup-menu windows, newest (topmost) first.
std::vector<HWND> Popups() {
  std::vector<HWND> found;
  EnumWindows(CollectPopup, reinterpret_cast<LPARAM>(&found));
  return found;
}
HMENU MenuOf(HWND popup) { return reinterpret_cast<HMENU>(SendMessageA(popup, kMnGetHMenu, 0, 0)); }
// The visible popup that shows menu, or null.
HWND PopupShowing(HMENU menu) {
  for (HWND w : Popups())
    if (MenuOf(w) == menu) return w;
  return nullptr;
}
bool Highlighted(HMENU menu, int position) {
  return (GetMenuState(menu, UINT(position), MF_BYPOSITION) & MF_HILITE) != 0;
}

// Steps run one after the other from a timer of the main thread, which
// also fires inside the modal menu loop; a step returns true when done.
// Past the deadline the script gives up and ends any menu loop, which
// would otherwise hold the test.
class MenuScript {
public:
  explicit MenuScript(std::vector<std::function<bool()>> steps)
      : FSteps(std::move(steps)), FStart(GetTickCount()) {
    Current = this;
    FTimer = SetTimer(nullptr, 0, 10, Tick);
  }
  ~MenuScript() {
    KillTimer(nullptr, FTimer);
    Current = nullptr;
  }
  bool Done() const { return FNext >= FSteps.size(); }
  bool GaveUp() const { return FGaveUp; }

private:
  static void CALLBACK Tick(HWND, UINT, UINT_PTR, DWORD) {
    MenuScript* s = Current;
    if (!s || s->Done()) return;
    if (GetTickCount() - s->FStart > kWaitDeadlineMs) {
      s->FGaveUp = true;
      s->FNext = s->FSteps.size();
      EndMenu();
      return;
    }
    if (s->FSteps[s->FNext]()) ++s->FNext;
  }
  static inline MenuScript* Current = nullptr;
  std::vector<std::function<bool()>> FSteps;
  size_t FNext = 0;
  DWORD FStart;
  bool FGaveUp = false;
  UINT_PTR FTimer = 0;
};

void PostKey(WORD key) { PostMessageA(Wnd(), WM_KEYDOWN, key, 0); }
// The press of a key (with Alt held when alt) as the keyboard makes it.
void Press(WORD key, bool alt) {
  std::vector<INPUT> input;
  auto add = [&](WORD vk, bool up) {
    INPUT i{};
    i.type = INPUT_KEYBOARD;
    i.ki.wVk = vk;
    i.ki.dwFlags = up ? KEYEVENTF_KEYUP : 0;
    input.push_back(i);
  };
  if (alt) add(VK_MENU, false);
  if (key) add(key, false);
  if (key) add(key, true);
  if (alt) add(VK_MENU, true);
  SendInput(UINT(input.size()), input.data(), sizeof(INPUT));
}
// A click of the mouse on a bar button of window wnd; the window hears of
// the pointer's move first (a move while the popup is open would take its
// first item's selection away).
void ClickButton(HWND wnd, const TMenuBtn& button) {
  const POINT at = ScreenCentre(wnd, button.Bounds());
  MoveMouse(at);
  PumpMessages();
  ClickAt(at);
}
void ClickButton(int index) { ClickButton(Wnd(), Button(index)); }
// Runs the script while the queue is pumped; true when it finished.
bool RunMenu(std::vector<std::function<bool()>> steps, const std::function<void()>& start) {
  MenuScript script(std::move(steps));
  start();
  return WaitUntil([&] { return script.Done(); }) && !script.GaveUp() &&
         WaitUntil([] { return !Main().MenuTracking(); });
}
std::function<bool()> WaitFor(std::function<bool()> condition) { return condition; }
std::function<bool()> Do(std::function<void()> action) {
  return [action] {
    action();
    return true;
  };
}

class SkinMenuTest : public ::testing::Test {
protected:
  static void SetUpTestSuite() {
    if (Form) return;
    Application->Initialize();
    Skin = new TSkinData(nullptr);
    Skin->SetSkinFile(QUORVEL_TRANS_SKIN_FILE);  // has a MenuItem element
    Form = new TForm(nullptr);
    Form->SetBounds(60, 60, 420, 260);
    Form->SetCaption("Menus");
    auto saved = Form->WindowProc;
    Form->WindowProc = [saved](TMessage& m) {
      if (m.Msg == WM_COMMAND && m.LParam == 0) Commands.push_back(LOWORD(m.WParam));
      saved(m);
    };
    SetMenu(Wnd(), BuildMenu());
    Skin->SetActive(true);
    Form->Show();
  }

  void SetUp() override {
    if (!SkinManager->Active) Skin->SetActive(true);
    SetForegroundWindow(Wnd());
    SetActiveWindow(Wnd());
    ASSERT_TRUE(WaitUntil([] {
      return Skinner() && Main().Phase() == TFormPhase::Active && Main().Active() &&
             GetActiveWindow() == Wnd() && !Main().MenuBar()->Buttons().empty();
    }));
    RedrawWindow(Wnd(), nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE | RDW_UPDATENOW);
    ASSERT_TRUE(WaitUntil([] { return Button(btFile).Bounds().right > 0 && Popups().empty(); }));
    Commands.clear();
  }
};

// Pixels of the captured bar band against a bar picture, outside the
// captions' cells; returns the mismatches (one when nothing was compared).
int BarMismatches(const TCapture& shot, TBitmap& expected) {
  TWinSkinForm& s = Main();
  const int top = s.Metrics().TitleHeight, left = s.Metrics().BorderLeft;
  const int firstCell = Button(btFile).Bounds().left, lastCell = Button(btHelp).Bounds().right;
  int bad = 0, compared = 0;
  for (int y = 0; y < expected.Height(); ++y)
    for (int x = 0; x < expected.Width(); ++x) {
      if (left + x >= firstCell && left + x < lastCell) continue;
      ++compared;
      if (shot.At(left + x, top + y) != (GetPixel(expected.Canvas().Handle(), x, y) & 0xFFFFFF))
        ++bad;
    }
  return compared ? bad : 1;
}

TEST_F(SkinMenuTest, TheBarIsDrawnInTheFrameFromTheMenuBarPicture) {
  TWinSkinForm& s = Main();
  TDataSkinObject& picture = *Skin->MenuBar;
  const TRect band{0, 0,
                   s.Painter().FrameWidth() - s.Metrics().BorderLeft - s.Metrics().BorderRight,
                   s.Metrics().MenuHeight};
  auto active = DrawNineSlice(band, picture.Bitmap, picture.Margins, true, false, 2, 1);
  auto inactive = DrawNineSlice(band, picture.Bitmap, picture.Margins, true, false, 2, 2);
  ASSERT_NE(GetPixel(active->Canvas().Handle(), 1, 1), GetPixel(inactive->Canvas().Handle(), 1, 1));
  // The client area starts below the band.
  POINT origin{0, 0};
  ClientToScreen(Wnd(), &origin);
  RECT w;
  GetWindowRect(Wnd(), &w);
  EXPECT_EQ(origin.y - w.top, s.Metrics().TitleHeight + s.Metrics().MenuHeight);
  EXPECT_EQ(BarMismatches(Capture(Wnd()), *active), 0);

  // A disabled item's caption is in the shadow colour, an enabled one's is not.
  ASSERT_NE(ColorToRGB(Skin->ButtonShadowColour), ColorToRGB(Skin->MenuBarTextColour));
  auto count = [](const TCapture& shot, const RECT& r, TColor colour) {
    int n = 0;
    for (int y = r.top; y < r.bottom; ++y)
      for (int x = r.left; x < r.right; ++x) n += shot.At(x, y) == ColorToRGB(colour);
    return n;
  };
  const TCapture shot = Capture(Wnd());
  EXPECT_GT(count(shot, Button(btView).Bounds(), Skin->ButtonShadowColour), 0);
  EXPECT_EQ(count(shot, Button(btView).Bounds(), Skin->MenuBarTextColour), 0);
  EXPECT_GT(count(shot, Button(btFile).Bounds(), Skin->MenuBarTextColour), 0);

  // Inactive, the bar shows the second frame.
  static HWND other = CreateWindowExA(WS_EX_TOOLWINDOW, "STATIC", "", WS_POPUP | WS_VISIBLE, 900,
                                      700, 20, 20, nullptr, nullptr, nullptr, nullptr);
  SetForegroundWindow(other);
  SetActiveWindow(other);
  ASSERT_TRUE(WaitUntil([] { return !Main().Active(); }));
  RedrawWindow(Wnd(), nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE | RDW_UPDATENOW);
  EXPECT_TRUE(WaitUntil([&] { return BarMismatches(Capture(Wnd()), *inactive) == 0; }));
}

TEST_F(SkinMenuTest, WithoutAMenuBarPictureTheBarIsFilledWithTheMenuBarColour) {
  std::unique_ptr<TDataSkinObject> picture = std::move(Skin->MenuBar);
  RedrawWindow(Wnd(), nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE | RDW_UPDATENOW);
  const TCapture shot = Capture(Wnd());
  const int left = Button(btFile).Bounds().left;
  Skin->MenuBar = std::move(picture);
  TWinSkinForm& s = Main();
  EXPECT_EQ(left, s.Metrics().BorderLeft + 6);
  EXPECT_EQ(shot.At(s.Metrics().BorderLeft + 2, s.Metrics().TitleHeight + 2),
            ColorToRGB(Skin->MenubarColour));
  EXPECT_EQ(shot.At(s.Painter().FrameWidth() - s.Metrics().BorderRight - 2,
                    s.Metrics().TitleHeight + s.Metrics().MenuHeight - 2),
            ColorToRGB(Skin->MenubarColour));
  RedrawWindow(Wnd(), nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE | RDW_UPDATENOW);
}

TEST_F(SkinMenuTest, TheRealMenuIsOffTheWindowWhileSkinnedAndBackAfterwards) {
  EXPECT_EQ(GetMenu(Wnd()), nullptr);
  EXPECT_EQ(Main().MenuBar()->MenuHandle(), Bar);
  ASSERT_EQ(Main().MenuBar()->Buttons().size(), 4u);
  EXPECT_EQ(Button(btEdit).Caption(), "&Edit");
  EXPECT_FALSE(Button(btView).Enabled());
  // An opened popup's items are the skin's to draw.
  ASSERT_TRUE(RunMenu(
      {WaitFor([] { return PopupShowing(FileMenu) != nullptr; }), Do([] { PostKey(VK_ESCAPE); })},
      [] { ClickButton(btFile); }));
  ASSERT_NE(GetMenuState(FileMenu, 0, MF_BYPOSITION) & MF_OWNERDRAW, 0u);
  Skin->SetActive(false);
  ASSERT_TRUE(WaitUntil([] { return !Skinner(); }));
  EXPECT_EQ(GetMenu(Wnd()), Bar);
  // The items the bar drew itself are the platform's again.
  EXPECT_EQ(GetMenuState(FileMenu, 0, MF_BYPOSITION) & MF_OWNERDRAW, 0u);
}

// The manager's timer runs inside the menu loop too: switching skinning off
// there frees the skinner whose popup is open.
TEST_F(SkinMenuTest, SwitchingSkinningOffWhileAPopupIsOpenClosesItSafely) {
  MenuScript script({WaitFor([] { return PopupShowing(FileMenu) != nullptr; }),
                     Do([] { Skin->SetActive(false); }), WaitFor([] { return !Skinner(); })});
  ClickButton(btFile);
  ASSERT_TRUE(WaitUntil([&] { return script.Done() && Popups().empty(); }));
  EXPECT_EQ(GetMenu(Wnd()), Bar);
  EXPECT_EQ(MenuTrackingIndex(), -1);
}

TEST_F(SkinMenuTest, AClickOpensTheButtonsPopupBelowIt) {
  RECT popup{}, window{};
  ASSERT_TRUE(RunMenu({WaitFor([] { return PopupShowing(FileMenu) != nullptr; }), Do([&] {
                         GetWindowRect(PopupShowing(FileMenu), &popup);
                         GetWindowRect(Wnd(), &window);
                         PostKey(VK_ESCAPE);
                       })},
                      [] { ClickButton(btFile); }));
  EXPECT_EQ(popup.left, window.left + Button(btFile).Bounds().left);
  EXPECT_EQ(popup.top, window.top + Button(btFile).Bounds().bottom);
  EXPECT_TRUE(Popups().empty());
}

TEST_F(SkinMenuTest, MovingOverAnotherButtonSwitchesPopups) {
  RECT w;
  GetWindowRect(Wnd(), &w);
  const RECT& edit = Button(btEdit).Bounds();
  ASSERT_TRUE(RunMenu({WaitFor([] { return PopupShowing(FileMenu) != nullptr; }), Do([&] {
                         MoveMouse(POINT{w.left + (edit.left + edit.right) / 2,
                                         w.top + (edit.top + edit.bottom) / 2});
                       }),
                       WaitFor([] {
                         return PopupShowing(EditMenu) && !PopupShowing(FileMenu) &&
                                MenuTrackingIndex() == btEdit;
                       }),
                       Do([] { PostKey(VK_ESCAPE); })},
                      [] { ClickButton(btFile); }));
}

TEST_F(SkinMenuTest, LeftAndRightSwitchFromTheTopLevelAndRightOpensASubmenu) {
  ASSERT_TRUE(RunMenu(
      {WaitFor([] { return PopupShowing(FileMenu) && Highlighted(FileMenu, 0); }),
       Do([] { PostKey(VK_RIGHT); }),  // "New" has no submenu: next button
       WaitFor([] {
         return PopupShowing(EditMenu) && Highlighted(EditMenu, 0) && MenuTrackingIndex() == btEdit;
       }),
       Do([] { PostKey(VK_LEFT); }), WaitFor([] {
         return PopupShowing(FileMenu) && Highlighted(FileMenu, 0) && MenuTrackingIndex() == btFile;
       }),
       Do([] { PostKey(VK_ESCAPE); })},
      [] { ClickButton(btFile); }));
  // Help's first item opens a submenu: Right opens it, and Left inside it
  // only closes it again.
  ASSERT_TRUE(RunMenu({WaitFor([] { return PopupShowing(HelpMenu) && Highlighted(HelpMenu, 0); }),
                       Do([] { PostKey(VK_RIGHT); }), WaitFor([] {
                         return PopupShowing(OptionsMenu) && Highlighted(OptionsMenu, 0);
                       }),
                       Do([] { PostKey(VK_LEFT); }),
                       WaitFor([] { return !PopupShowing(OptionsMenu) && PopupShowing(HelpMenu); }),
                       Do([] { PostKey(VK_ESCAPE); })},
                      [] { ClickButton(btHelp); }));
  EXPECT_TRUE(Popups().empty());
}

TEST_F(SkinMenuTest, EnterRunsTheSelectedItemOnce) {
  ASSERT_TRUE(RunMenu({WaitFor([] { return PopupShowing(FileMenu) && Highlighted(FileMenu, 0); }),
                       Do([] { PostKey(VK_RETURN); })},
                      [] { ClickButton(btFile); }));
  ASSERT_TRUE(WaitUntil([] { return !Commands.empty(); }));
  EXPECT_FALSE(HappensWithin([] { return Commands.size() > 1; }, 300));
  EXPECT_EQ(Commands, std::vector<WPARAM>{idNew});
}

TEST_F(SkinMenuTest, AltLetterOpensItsButtonAltAloneDoesNothingAltSpaceTheSystemMenu) {
  ASSERT_TRUE(RunMenu(
      {WaitFor([] { return PopupShowing(EditMenu) != nullptr; }), Do([] { PostKey(VK_ESCAPE); })},
      [] { Press('E', true); }));
  // With a system menu style (as while minimized), Alt would put the window
  // into the platform's menu mode, where Down opens the system menu. The
  // script ends such a menu loop, which would otherwise hold the test.
  const LONG_PTR style = GetWindowLongPtrA(Wnd(), GWL_STYLE);
  SetWindowLongPtrA(Wnd(), GWL_STYLE, style | WS_SYSMENU);
  bool opened = false;
  {
    const DWORD start = GetTickCount();
    MenuScript guard({[&] {
      opened = opened || !Popups().empty();
      if (!opened && GetTickCount() - start < 500) return false;
      EndMenu();
      return true;
    }});
    Press(0, true);
    Press(VK_DOWN, false);
    EXPECT_TRUE(WaitUntil([&] { return guard.Done(); }));
  }
  SetWindowLongPtrA(Wnd(), GWL_STYLE, style);
  EXPECT_FALSE(opened);
  const HMENU system = GetSystemMenu(Wnd(), FALSE);
  MenuScript script({WaitFor([system] { return PopupShowing(system) != nullptr; }),
                     Do([] { PostKey(VK_ESCAPE); })});
  Press(VK_SPACE, true);
  EXPECT_TRUE(WaitUntil([&] { return script.Done(); }));
}

TEST_F(SkinMenuTest, ADisabledButtonIsHighlightedButOpensNothing) {
  ClickButton(btView);
  ASSERT_TRUE(WaitUntil([] { return Button(btView).State() != TNCObject::TState::Normal; }));
  EXPECT_FALSE(HappensWithin([] { return !Popups().empty(); }, 300));
  const TCapture shot = Capture(Wnd());
  EXPECT_EQ(shot.At(Button(btView).Bounds().left, Button(btView).Bounds().top),
            ColorToRGB(Skin->ButtonHilightColour));
  EXPECT_TRUE(Commands.empty());
}

// The item at position of menu, read off its popup window: its rectangle
// in the popup's window coordinates and the capture.
struct TItemShot {
  TCapture Shot;
  RECT Item{};
  std::vector<COLORREF> Background;  // the popup skinner's background under the item
};
TItemShot ShootItem(HWND popup, HMENU menu, int position) {
  TItemShot s;
  RECT item, window;
  GetMenuItemRect(nullptr, menu, UINT(position), &item);
  GetWindowRect(popup, &window);
  OffsetRect(&item, -window.left, -window.top);
  UpdateWindow(popup);
  s.Shot = Capture(popup);
  s.Item = item;
  if (TBitmap* background = SkinManager->PopupMenuBitmap(menu); background && !background->Empty())
    for (int y = item.top; y < item.bottom; ++y)
      for (int x = item.left; x < item.right; ++x)
        s.Background.push_back(GetPixel(background->Canvas().Handle(), x, y) & 0xFFFFFF);
  return s;
}

// Mismatches between the item as shown and the MenuItem frame drawn over
// the popup skinner's background (which must be there), outside the
// caption's cell (from column 19, as wide as caption in the menu font);
// for a separator (frame 2), its unstretched ends.
int ItemMismatches(const TItemShot& s, int frame, const std::string& caption = "") {
  TDataSkinObject& element = *Skin->MenuItem;
  const int w = s.Item.right - s.Item.left, h = s.Item.bottom - s.Item.top;
  if (w <= 0 || h <= 0 || s.Background.size() != size_t(w) * size_t(h)) return -1;
  TBitmap expected;
  expected.SetSize(w, h);
  const RECT all{0, 0, w, h};
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x)
      SetPixel(expected.Canvas().Handle(), x, y, s.Background[size_t(y) * size_t(w) + size_t(x)]);
  const int fw = element.Bitmap.Width() / 5, left = element.Margins.left,
            right = element.Margins.right;
  auto separatorColumn = [&](int x) { return x < left ? fw + x : 2 * fw - (w - x); };
  if (frame == 2) {
    for (int y = 0; y < std::min(h, element.Bitmap.Height()); ++y)
      for (int x = 0; x < w; ++x) {
        if (x >= left && x < w - right) continue;
        const int sy = h < element.Bitmap.Height() ? element.Bitmap.Height() - h + y : y;
        const COLORREF c =
            GetPixel(element.Bitmap.Canvas().Handle(), separatorColumn(x), sy) & 0xFFFFFF;
        if (c != kMagenta) SetPixel(expected.Canvas().Handle(), x, y, c);
      }
  } else {
    DrawNineSliceOn(expected.Canvas().Handle(), all, element.Bitmap, false, element.Tile != 0,
                    element.Trans != 0, 5, frame, element.Margins);
  }
  TCanvas text;
  text.SetHandle(expected.Canvas().Handle());
  UseMenuFont(text);
  const int textEnd = caption.empty() ? 0 : 20 + text.TextWidth(caption) + 2;
  text.SetHandle(nullptr);
  int bad = 0, compared = 0;
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) {
      if (frame == 2 && x >= left && x < w - right) continue;
      if (x >= 19 && x < textEnd) continue;
      ++compared;
      if (s.Shot.At(s.Item.left + x, s.Item.top + y) !=
          (GetPixel(expected.Canvas().Handle(), x, y) & 0xFFFFFF))
        ++bad;
    }
  return compared ? bad : -1;
}

TEST_F(SkinMenuTest, ItemsAreDrawnFromTheMenuItemFrames) {
  TItemShot selected, normal, separator;
  ASSERT_TRUE(
      RunMenu({WaitFor([] { return PopupShowing(FileMenu) && Highlighted(FileMenu, 0); }), Do([&] {
                 HWND popup = PopupShowing(FileMenu);
                 selected = ShootItem(popup, FileMenu, 0);
                 normal = ShootItem(popup, FileMenu, 1);
                 separator = ShootItem(popup, FileMenu, 2);
                 PostKey(VK_ESCAPE);
               })},
              [] { ClickButton(btFile); }));
  EXPECT_EQ(ItemMismatches(selected, 4, "&New"), 0);
  EXPECT_EQ(ItemMismatches(normal, 1, "&Open"), 0);
  EXPECT_EQ(ItemMismatches(separator, 2), 0);
}

TEST_F(SkinMenuTest, ManyOpeningsGiveTheirHandlesBack) {
  auto open = [] {
    return RunMenu({WaitFor([] { return PopupShowing(FileMenu) && Highlighted(FileMenu, 0); }),
                    Do([] { PostKey(VK_ESCAPE); })},
                   [] { ClickButton(btFile); });
  };
  for (int i = 0; i < 10; ++i) ASSERT_TRUE(open());  // first-use allocations settle
  const unsigned gdi = GdiHighWater(), user = UserHighWater();
  for (int i = 0; i < 200; ++i) ASSERT_TRUE(open());
  EXPECT_LE(GdiHighWater(), gdi + 16);
  EXPECT_LE(UserHighWater(), user + 16);
}

// The pixels of the bar band of window wnd (skinner s) against a bar
// picture, outside the captions' cells; one when nothing was compared.
int BandMismatches(HWND wnd, TWinSkinForm& s, TBitmap& expected) {
  const TCapture shot = Capture(wnd);
  const auto& buttons = s.MenuBar()->Buttons();
  const int top = s.Metrics().TitleHeight, left = s.Metrics().BorderLeft;
  const int firstCell = buttons.front()->Bounds().left, lastCell = buttons.back()->Bounds().right;
  int bad = 0, compared = 0;
  for (int y = 0; y < expected.Height(); ++y)
    for (int x = 0; x < expected.Width(); ++x) {
      if (left + x >= firstCell && left + x < lastCell) continue;
      ++compared;
      if (shot.At(left + x, top + y) != (GetPixel(expected.Canvas().Handle(), x, y) & 0xFFFFFF))
        ++bad;
    }
  return compared ? bad : 1;
}

// A form whose menus are components: a main menu with File > New, Open,
// and a popup menu whose items draw as the application wants: Skinned has
// no handlers, Kept (Tag 999) and Own draw themselves in a colour of their
// own, Measured only measures itself.
struct TComponentForm {
  TForm* Form = new TForm(nullptr);
  TMainMenu* Menu = new TMainMenu(Form);
  TMenuItem* File = new TMenuItem(Form);
  TPopupMenu* Popup = new TPopupMenu(Form);
  TMenuItem* Skinned = new TMenuItem(Form);
  TMenuItem* Kept = new TMenuItem(Form);
  TMenuItem* Own = new TMenuItem(Form);
  TMenuItem* Measured = new TMenuItem(Form);
  int Clicks = 0, OwnDraws = 0, OwnMeasures = 0;
  static constexpr COLORREF KeptColour = RGB(200, 30, 40), OwnColour = RGB(30, 40, 200);

  TComponentForm() {
    Form->SetBounds(80, 360, 360, 200);
    File->SetCaption("&File");
    Menu->Items()->Add(File);
    for (const char* caption : {"&New", "&Open"}) {
      auto* item = new TMenuItem(Form);
      item->SetCaption(caption);
      File->Add(item);
    }
    File->Items(0)->OnClick = [this](TObject*) { ++Clicks; };
    Form->SetMenu(Menu);
    Skinned->SetCaption("Skinned");
    Kept->SetCaption("Kept");
    Kept->SetTag(999);
    Kept->OnDrawItem = FillWith(KeptColour);
    Kept->OnDrawItem.MethodName = "KeptDrawItem";
    Own->SetCaption("Own");
    Own->OnDrawItem = FillWith(OwnColour);
    Own->OnMeasureItem = [this](TObject*, TCanvas*, int& w, int& h) {
      ++OwnMeasures;
      w = 90;
      h = 20;
    };
    Measured->SetCaption("Measured");
    Measured->OnMeasureItem = [this](TObject*, TCanvas*, int&, int&) { ++OwnMeasures; };
    for (TMenuItem* item : {Skinned, Kept, Own, Measured}) Popup->Items()->Add(item);
  }
  // A drawing handler of the application's: the item's rectangle in Colour.
  TMenuDrawItemEvent FillWith(COLORREF colour) {
    return [this, colour](TObject*, TCanvas* canvas, TRect r, bool) {
      ++OwnDraws;
      const TBrushObject brush(CreateSolidBrush(colour));
      FillRect(canvas->Handle(), &r, brush);
    };
  }
  TWinSkinForm* Skinner() const { return SkinManager->FormSkinner(Form->Handle()); }
  // Shows and activates the form and waits for its skinned bar.
  bool Activate() {
    Form->Show();
    SetForegroundWindow(Form->Handle());
    SetActiveWindow(Form->Handle());
    if (!WaitUntil([this] {
          return Skinner() && Skinner()->Phase() == TFormPhase::Active && Skinner()->Active();
        }))
      return false;
    RedrawWindow(Form->Handle(), nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE | RDW_UPDATENOW);
    return WaitUntil([this] {
      return Skinner()->MenuBar() && Skinner()->MenuBar()->Buttons().size() == 1 &&
             Skinner()->MenuBar()->Buttons()[0]->Bounds().right > 0;
    });
  }
  // Opens the File popup with a click on its button and closes it again.
  bool OpenFile() {
    const HMENU popup = File->Handle();
    return RunMenu({WaitFor([popup] { return PopupShowing(popup) && Highlighted(popup, 0); }),
                    Do([] { PostKey(VK_ESCAPE); })},
                   [this] { ClickButton(Form->Handle(), *Skinner()->MenuBar()->Buttons()[0]); });
  }
};

TComponentForm& ComponentForm() {
  static TComponentForm* form = new TComponentForm;
  return *form;
}

TEST_F(SkinMenuTest, EnterOnAComponentMenuItemRunsItsOnClickOnce) {
  TComponentForm& c = ComponentForm();
  ASSERT_TRUE(c.Activate());
  TMenuBtn& file = *c.Skinner()->MenuBar()->Buttons()[0];
  EXPECT_EQ(file.Caption(), "&File");
  EXPECT_EQ(GetMenu(c.Form->Handle()), nullptr);
  const HMENU popup = c.File->Handle();
  ASSERT_TRUE(RunMenu({WaitFor([popup] { return PopupShowing(popup) && Highlighted(popup, 0); }),
                       Do([] { PostKey(VK_RETURN); })},
                      [&] { ClickButton(c.Form->Handle(), file); }));
  ASSERT_TRUE(WaitUntil([&] { return c.Clicks > 0; }));
  EXPECT_FALSE(HappensWithin([&] { return c.Clicks > 1; }, 300));
  c.Form->Hide();
}

TEST_F(SkinMenuTest, AltLetterOnAFormOpensTheButtonThroughCMDialogChar) {
  TComponentForm& c = ComponentForm();
  ASSERT_TRUE(c.Activate());
  const HMENU popup = c.File->Handle();
  LRESULT handled = 0;
  ASSERT_TRUE(RunMenu(
      {WaitFor([popup] { return PopupShowing(popup) != nullptr; }), Do([] { PostKey(VK_ESCAPE); })},
      [&] { handled = c.Form->Perform(CM_DIALOGCHAR, 'f', 0); }));
  EXPECT_EQ(handled, 1);
  EXPECT_EQ(c.Form->Perform(CM_DIALOGCHAR, 'q', 0),
            0);  // no such accelerator: the form's own handling
  c.Form->Hide();
}

// Popup-menu items that draw themselves (Tag 999, or a handler of their
// own) keep doing so under the skin; the others are skinned. When skinning
// ends, every handler and the menu's OwnerDraw are the application's again.
TEST_F(SkinMenuTest, PopupItemsKeepTheApplicationsDrawingAndGetEverythingBack) {
  TComponentForm& c = ComponentForm();
  ASSERT_TRUE(c.Activate());
  EXPECT_TRUE(c.Popup->OwnerDraw());
  const HMENU menu = c.Popup->Handle();
  const int measuredBefore = c.OwnMeasures;
  TItemShot skinned, kept, own;
  MenuScript script({WaitFor([menu] { return PopupShowing(menu) != nullptr; }), Do([&] {
                       HWND popup = PopupShowing(menu);
                       skinned = ShootItem(popup, menu, 0);
                       kept = ShootItem(popup, menu, 1);
                       own = ShootItem(popup, menu, 2);
                       PostKey(VK_ESCAPE);
                     })});
  c.Popup->Popup(200, 420);
  ASSERT_TRUE(WaitUntil([&] { return script.Done(); }));
  EXPECT_EQ(ItemMismatches(skinned, 1, "Skinned"), 0);
  auto filled = [](const TItemShot& s, COLORREF colour) {
    int n = 0;
    for (int y = s.Item.top; y < s.Item.bottom; ++y)
      for (int x = s.Item.left; x < s.Item.right; ++x) n += s.Shot.At(x, y) == colour;
    return n == (s.Item.right - s.Item.left) * (s.Item.bottom - s.Item.top) && n > 0;
  };
  EXPECT_TRUE(filled(kept, TComponentForm::KeptColour));
  EXPECT_TRUE(filled(own, TComponentForm::OwnColour));
  EXPECT_GT(c.OwnMeasures, measuredBefore);  // Own measured itself: 20 high
  EXPECT_EQ(own.Item.bottom - own.Item.top, 20);

  Skin->SetActive(false);
  ASSERT_TRUE(WaitUntil([&] { return !c.Skinner(); }));
  EXPECT_FALSE(c.Popup->OwnerDraw());
  EXPECT_FALSE(static_cast<bool>(c.Skinned->OnDrawItem));
  EXPECT_FALSE(static_cast<bool>(c.Skinned->OnMeasureItem));
  EXPECT_EQ(c.Kept->OnDrawItem.MethodName, "KeptDrawItem");
  TBitmap canvas;
  canvas.SetSize(10, 10);
  const int draws = c.OwnDraws, measures = c.OwnMeasures;
  int w = 0, h = 0;
  for (TMenuItem* item : {c.Kept, c.Own})
    item->OnDrawItem(item, &canvas.Canvas(), TRect{0, 0, 5, 5}, false);
  for (TMenuItem* item : {c.Own, c.Measured}) item->OnMeasureItem(item, &canvas.Canvas(), w, h);
  EXPECT_EQ(c.OwnDraws, draws + 2);
  EXPECT_EQ(c.OwnMeasures, measures + 2);
  c.Form->Hide();
}

// A raw menu item whose identifier is also a component item's command is
// still the frame's to measure and draw (shown selected: a normal item's
// frame may leave the background as it is).
TEST_F(SkinMenuTest, ARawItemWithAComponentsCommandIsDrawnFromTheSkin) {
  const UINT twin = ComponentForm().Skinned->Command();
  AppendMenuA(EditMenu, MF_STRING, twin, "Twin");
  TItemShot shot;
  const bool ran = RunMenu(
      {WaitFor([] { return PopupShowing(EditMenu) && Highlighted(EditMenu, 0); }),
       Do([] { PostKey(VK_UP); }), WaitFor([] { return Highlighted(EditMenu, 2); }), Do([&] {
         shot = ShootItem(PopupShowing(EditMenu), EditMenu, 2);
         PostKey(VK_ESCAPE);
       })},
      [] { ClickButton(btEdit); });
  DeleteMenu(EditMenu, twin, MF_BYCOMMAND);
  ASSERT_TRUE(ran);
  EXPECT_GT(shot.Item.bottom - shot.Item.top, 8);
  EXPECT_EQ(ItemMismatches(shot, 4, "Twin"), 0);
}

// Openings of a component menu that is rebuilt in between keep one note per
// item made owner-drawn; at the end every item is the platform's again.
TEST_F(SkinMenuTest, ARebuiltComponentMenuIsNotedOnceAndGivenBackWhole) {
  TComponentForm& c = ComponentForm();
  ASSERT_TRUE(c.Activate());
  for (int i = 0; i < 4; ++i) {
    auto* extra = new TMenuItem(c.Form);
    extra->SetCaption("Extra");
    c.File->Insert(0, extra);  // the menu is rebuilt, its items move
    ASSERT_TRUE(c.OpenFile());
    EXPECT_EQ(c.Skinner()->MenuBar()->OwnerDrawnCount(), size_t(c.File->Count()));
    delete extra;  // rebuilt again
  }
  ASSERT_TRUE(c.OpenFile());
  Skin->SetActive(false);
  ASSERT_TRUE(WaitUntil([&] { return !c.Skinner(); }));
  const HMENU file = c.File->Handle();
  for (int i = 0; i < GetMenuItemCount(file); ++i)
    EXPECT_EQ(GetMenuState(file, UINT(i), MF_BYPOSITION) & MF_OWNERDRAW, 0u) << i;
  c.Form->Hide();
}

// The window is made again: the form's menu outlives it, and the new window
// gets its skinned bar for the same menu.
TEST_F(SkinMenuTest, RecreatingASkinnedFormKeepsItsMenu) {
  TComponentForm& c = ComponentForm();
  ASSERT_TRUE(c.Activate());
  const HMENU bar = c.Menu->Handle(), file = c.File->Handle();
  c.Form->RecreateWnd();
  EXPECT_TRUE(IsMenu(bar));
  EXPECT_TRUE(IsMenu(file));
  ASSERT_TRUE(c.Activate());
  EXPECT_EQ(c.Skinner()->MenuBar()->MenuHandle(), bar);
  EXPECT_TRUE(c.OpenFile());
  c.Form->Hide();
}

// A menu given to a form that is skinned already gets a bar in a band the
// frame makes room for (the window keeps its size); the bar goes with it.
TEST_F(SkinMenuTest, AMenuSetAfterSkinningGetsABarThatGoesWithIt) {
  TForm form(nullptr);
  form.SetBounds(140, 160, 380, 240);
  form.Show();
  SetForegroundWindow(form.Handle());
  auto skinner = [&] { return SkinManager->FormSkinner(form.Handle()); };
  ASSERT_TRUE(WaitUntil([&] { return skinner() && skinner()->Phase() == TFormPhase::Active; }));
  ASSERT_EQ(skinner()->MenuBar(), nullptr);
  RECT window, client;
  GetWindowRect(form.Handle(), &window);
  GetClientRect(form.Handle(), &client);

  auto* menu = new TMainMenu(&form);
  auto* file = new TMenuItem(&form);
  file->SetCaption("&File");
  auto* open = new TMenuItem(&form);
  open->SetCaption("&Open");
  file->Add(open);
  menu->Items()->Add(file);
  form.SetMenu(menu);
  ASSERT_NE(skinner()->MenuBar(), nullptr);
  TWinSkinForm& s = *skinner();
  ASSERT_EQ(s.MenuBar()->Buttons().size(), 1u);
  EXPECT_EQ(GetMenu(form.Handle()), nullptr);
  EXPECT_EQ(s.Metrics().MenuHeight, GetSystemMetrics(SM_CYMENU));
  RECT windowWith, clientWith;
  GetWindowRect(form.Handle(), &windowWith);
  GetClientRect(form.Handle(), &clientWith);
  EXPECT_EQ(windowWith.bottom - windowWith.top, window.bottom - window.top);
  EXPECT_EQ(clientWith.bottom, client.bottom - s.Metrics().MenuHeight);
  TDataSkinObject& picture = *Skin->MenuBar;
  const TRect band{0, 0,
                   window.right - window.left - s.Metrics().BorderLeft - s.Metrics().BorderRight,
                   s.Metrics().MenuHeight};
  auto expected = DrawNineSlice(band, picture.Bitmap, picture.Margins, true, false, 2, 1);
  EXPECT_TRUE(WaitUntil([&] {
    return s.MenuBar()->Buttons()[0]->Bounds().right > 0 &&
           BandMismatches(form.Handle(), s, *expected) == 0;
  }));
  const HMENU popup = file->Handle();
  EXPECT_TRUE(RunMenu(
      {WaitFor([popup] { return PopupShowing(popup) != nullptr; }), Do([] { PostKey(VK_ESCAPE); })},
      [&] { ClickButton(form.Handle(), *s.MenuBar()->Buttons()[0]); }));

  form.SetMenu(nullptr);
  EXPECT_EQ(s.MenuBar(), nullptr);
  EXPECT_EQ(s.Metrics().MenuHeight, 0);
  EXPECT_EQ(GetMenu(form.Handle()), nullptr);
  GetClientRect(form.Handle(), &clientWith);
  EXPECT_EQ(clientWith.bottom, client.bottom);
}

// A form whose menu is taken away, replaced and rebuilt, whose window is
// made again and whose skinning goes off and on gives every handle back.
TEST_F(SkinMenuTest, MenuChangesGiveTheirHandlesBack) {
  TComponentForm& c = ComponentForm();
  ASSERT_TRUE(c.Activate());
  auto* other = new TMainMenu(c.Form);
  auto* help = new TMenuItem(c.Form);
  help->SetCaption("&Help");
  other->Items()->Add(help);
  auto work = [&] {
    for (int i = 0; i < 8; ++i) {
      c.Form->SetMenu(nullptr);
      c.Form->SetMenu(other);
      c.Form->SetMenu(c.Menu);
      auto* extra = new TMenuItem(c.Form);
      extra->SetCaption("Extra");
      c.File->Insert(0, extra);
      ASSERT_TRUE(c.OpenFile());
      delete extra;
      c.Form->RecreateWnd();
      ASSERT_TRUE(c.Activate());
      Skin->SetActive(false);
      ASSERT_TRUE(WaitUntil([&] { return !c.Skinner(); }));
      Skin->SetActive(true);
      ASSERT_TRUE(c.Activate());
    }
  };
  work();  // first-use allocations settle
  const unsigned gdi = GdiHighWater(), user = UserHighWater();
  work();
  EXPECT_LE(GdiHighWater(), gdi + 16);
  EXPECT_LE(UserHighWater(), user + 16);
  c.Form->Hide();
}

// An MDI frame whose active child is maximized shows the child's buttons
// (the skin's Visibility 100 entries) at the right end of its bar; when the
// frame goes, the maximized state goes with it.
TEST_F(SkinMenuTest, AMaximizedMDIChildsButtonsAreDrawnInTheFramesBar) {
  auto* frame = new TForm(nullptr);
  frame->SetBounds(120, 120, 460, 320);
  frame->SetFormStyle(fsMDIForm);
  auto* menu = new TMainMenu(frame);
  auto* window = new TMenuItem(frame);
  window->SetCaption("&Window");
  window->Add(new TMenuItem(frame));
  window->Items(0)->SetCaption("&Cascade");
  menu->Items()->Add(window);
  frame->SetMenu(menu);
  frame->Show();
  auto* child = new TForm(frame);
  child->SetFormStyle(fsMDIChild);
  child->SetWindowState(wsMaximized);
  child->Show();
  SetForegroundWindow(frame->Handle());
  auto skinner = [frame] { return SkinManager->FormSkinner(frame->Handle()); };
  ASSERT_TRUE(WaitUntil([&] {
    return skinner() && skinner()->Phase() == TFormPhase::Active && skinner()->MenuBar();
  }));
  RedrawWindow(frame->Handle(), nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE | RDW_UPDATENOW);
  ASSERT_TRUE(WaitUntil([] { return SkinManager->MdiMaximized; }));
  const TCapture shot = Capture(frame->Handle());
  int drawn = 0, bad = 0;
  for (auto& button : skinner()->SysButtons().Buttons()) {
    TDataSkinSysButton& entry = *button->SkinObject();
    if (entry.Visibility != 100 || entry.Bitmap.Empty()) continue;
    ++drawn;
    const RECT& r = button->Bounds();
    for (int y = r.top; y < r.bottom; ++y)
      for (int x = r.left; x < r.right; ++x) {
        const COLORREF want =
            GetPixel(entry.Bitmap.Canvas().Handle(), x - r.left, y - r.top) & 0xFFFFFF;
        if (want != kMagenta && shot.At(x, y) != want) ++bad;
      }
  }
  EXPECT_GT(drawn, 0);
  EXPECT_EQ(bad, 0);
  delete frame;
  EXPECT_FALSE(SkinManager->MdiMaximized);
}

}  // namespace
