// Popup menus and MDI windows under the skin engine, on raw windows of the
// platform's kinds: the skinner of each menu window (background and border
// from the skin's menu background, found by menu handle, recomposed after a
// resize, out of the way once skinning is off, gone with the window), and
// the MDI frame's client subclass (children skinned at the refresh after
// their creation, the maximized state following the children through every
// command and the MDI buttons clicked in the bar, no scroll bars, no real
// menu put back on the frame, handles given back).
#include <gtest/gtest.h>

#include <windows.h>

#include <algorithm>
#include <cstring>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "skin/window/SkinManager.h"
#include "skin/draw/SkinDraw.h"
#include "skin/window/WinSkinForm.h"
#include "skin/window/WinSkinPopMenu.h"
#include "FrameChecks.h"
#include "skin/window/WinSkinMenu.h"
#include "support/Mouse.h"
#include "support/Screen.h"
#include "support/Wait.h"
#include "ui/Subclass.h"

namespace {

constexpr LONG_PTR kCaptionButtons = WS_SYSMENU | WS_MINIMIZEBOX | WS_MAXIMIZEBOX;

TSkinData& Skin() {
  static TSkinData* skin = [] {
    auto* data = new TSkinData(nullptr);
    data->SetSkinFile(QUORVEL_SKIN_FILE);
    return data;
  }();
  return *skin;
}

TWinSkinForm* Skinner(HWND wnd) { return SkinManager->FormSkinner(wnd); }
TWinSkinPopMenu* MenuSkinner(HWND wnd) {
  for (auto& m : SkinManager->PopupMenus)
    if (m->Handle() == wnd) return m.get();
  return nullptr;
}

// The owner of the test menus: items measure 80 x 18 and draw nothing, so
// that the menu window shows only its background. Each popup skinner
// learns its menu from its window, whatever the items' drawing does.
LRESULT CALLBACK OwnerProc(HWND wnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  if (msg == WM_MEASUREITEM) {
    auto* m = reinterpret_cast<MEASUREITEMSTRUCT*>(lParam);
    m->itemWidth = 80;
    m->itemHeight = 18;
    return TRUE;
  }
  if (msg == WM_DRAWITEM) return TRUE;
  return DefWindowProcA(wnd, msg, wParam, lParam);
}

HWND gClient = nullptr;
LRESULT CALLBACK FrameProc(HWND wnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  if (msg == WM_CREATE) {
    CLIENTCREATESTRUCT ccs{nullptr, 100};
    gClient = CreateWindowExA(WS_EX_CLIENTEDGE, "MDIClient", nullptr,
                              WS_CHILD | WS_CLIPCHILDREN | WS_VISIBLE | WS_HSCROLL | WS_VSCROLL, 0,
                              0, 400, 300, wnd, nullptr, GetModuleHandleA(nullptr), &ccs);
  }
  return DefFrameProcA(wnd, gClient, msg, wParam, lParam);
}

void RegisterClasses() {
  static bool done = [] {
    WNDCLASSA wc{};
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.hCursor = LoadCursor(nullptr, IDC_ARROW);
    wc.lpfnWndProc = OwnerProc;
    wc.lpszClassName = "PopupTestOwner";
    RegisterClassA(&wc);
    wc.lpfnWndProc = FrameProc;
    wc.lpszClassName = "MdiTestFrame";
    RegisterClassA(&wc);
    wc.lpfnWndProc = DefMDIChildProcA;
    wc.lpszClassName = "MdiTestChild";
    RegisterClassA(&wc);
    return true;
  }();
  (void)done;
}

// The skin's menu background at a window's size.
std::unique_ptr<TBitmap> MenuBackgroundAt(int w, int h) {
  TDataSkinObject& e = *Skin().MenuBackground;
  return DrawNineSlice(TRect{0, 0, w, h}, e.Bitmap, e.Margins, false, e.Tile != 0, 1, 1);
}

// Pixels of a w x h picture (pixel(x, y)) that differ from the skin's menu
// background at that size, outside skip.
int BackgroundMismatches(int w, int h, const std::function<COLORREF(int, int)>& pixel,
                         const RECT& skip = RECT{0, 0, 0, 0}) {
  auto expected = MenuBackgroundAt(w, h);
  HDC dc = expected->Canvas().Handle();
  int bad = 0;
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) {
      const POINT p{x, y};
      if (!PtInRect(&skip, p) && pixel(x, y) != (GetPixel(dc, x, y) & 0xFFFFFF)) ++bad;
    }
  return bad;
}

// The same for the menu window as shown.
int BackgroundMismatches(HWND menuWnd, const RECT& skip = RECT{0, 0, 0, 0}) {
  const TCapture shot = Capture(menuWnd);
  return BackgroundMismatches(
      shot.Width, shot.Height, [&](int x, int y) { return shot.At(x, y); }, skip);
}

// The border alone after the window got only a WM_NCPAINT over a black one.
int BorderMismatchesAfterNCPaint(HWND menuWnd) {
  RECT w;
  GetWindowRect(menuWnd, &w);
  const int cx = w.right - w.left, cy = w.bottom - w.top;
  {
    const TWindowDC dc(menuWnd, TWindowDC::Window);
    const TBrushObject black(CreateSolidBrush(0));
    for (const RECT& r :
         {RECT{0, 0, cx, 3}, RECT{0, cy - 3, cx, cy}, RECT{0, 0, 3, cy}, RECT{cx - 3, 0, cx, cy}})
      FillRect(dc, &r, black);
  }
  SendMessageA(menuWnd, WM_NCPAINT, 1, 0);
  return BackgroundMismatches(menuWnd, RECT{3, 3, cx - 3, cy - 3});
}

// The window printed (as menu animation prints it) into a black bitmap.
int PrintMismatches(HWND menuWnd, const RECT& skip) {
  RECT w;
  GetWindowRect(menuWnd, &w);
  TBitmap print;
  print.SetSize(w.right - w.left, w.bottom - w.top);
  HDC dc = print.Canvas().Handle();
  PatBlt(dc, 0, 0, print.Width(), print.Height(), BLACKNESS);
  SendMessageA(menuWnd, WM_PRINT, reinterpret_cast<WPARAM>(dc),
               PRF_NONCLIENT | PRF_CLIENT | PRF_ERASEBKGND);
  return BackgroundMismatches(
      print.Width(), print.Height(), [&](int x, int y) { return GetPixel(dc, x, y) & 0xFFFFFF; },
      skip);
}

// Runs steps one after another from a thread timer (it keeps running inside
// the menu's modal loop); a step returns true when it is done. Gives up
// after the wait deadline and closes the menu.
struct TSteps {
  std::vector<std::function<bool()>> Steps;
  size_t Next = 0;
  DWORD Start = 0;
  bool TimedOut = false;
  static TSteps* Current;
  static void CALLBACK Tick(HWND, UINT, UINT_PTR id, DWORD) {
    TSteps& s = *Current;
    while (s.Next < s.Steps.size() && s.Steps[s.Next]()) ++s.Next;
    if (s.Next == s.Steps.size()) {
      KillTimer(nullptr, id);
    } else if (GetTickCount() - s.Start > kWaitDeadlineMs) {
      s.TimedOut = true;
      KillTimer(nullptr, id);
      EndMenu();
    }
  }
  void Arm() {
    Current = this;
    Start = GetTickCount();
    SetTimer(nullptr, 0, 50, Tick);
  }
};
TSteps* TSteps::Current = nullptr;

// The visible menu windows, newest last as the platform lists them.
std::vector<HWND> MenuWindows() {
  std::vector<HWND> found;
  for (HWND w = FindWindowExA(nullptr, nullptr, "#32768", nullptr); w;
       w = FindWindowExA(nullptr, w, "#32768", nullptr))
    if (IsWindowVisible(w)) found.push_back(w);
  return found;
}

class SkinPopupMdi : public ::testing::Test {
protected:
  void SetUp() override {
    RegisterClasses();
    Skin();
    if (!Skin().Active()) Skin().SetActive(true);
    ASSERT_TRUE(WaitUntil([] { return SkinManager->Active && !SkinManager->Timer->Enabled(); }));
    ASSERT_FALSE(Skin().SkinEmpty);
    ASSERT_TRUE(Skin().MenuBackground && !Skin().MenuBackground->Bitmap.Empty());
  }

  // A shown, active top-level window of class name, skinned and active.
  static HWND NewSkinnedWindow(const char* name, HMENU menu = nullptr) {
    HWND wnd = CreateWindowExA(0, name, "Test", WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN, 40, 40, 500,
                               380, nullptr, menu, GetModuleHandleA(nullptr), nullptr);
    ShowWindow(wnd, SW_SHOW);
    SetForegroundWindow(wnd);
    SetActiveWindow(wnd);
    EXPECT_TRUE(
        WaitUntil([wnd] { return Skinner(wnd) && Skinner(wnd)->Phase() == TFormPhase::Active; }));
    return wnd;
  }
};

TEST_F(SkinPopupMdi, MenuWindowsShowTheSkinsBackgroundEachFoundByItsMenu) {
  const HWND owner = NewSkinnedWindow("PopupTestOwner");
  HMENU sub = CreatePopupMenu();
  for (UINT id = 20; id < 24; ++id) AppendMenuA(sub, MF_OWNERDRAW, id, nullptr);
  HMENU menu = CreatePopupMenu();
  AppendMenuA(menu, MF_OWNERDRAW | MF_POPUP, reinterpret_cast<UINT_PTR>(sub), nullptr);
  for (UINT id = 10; id < 13; ++id) AppendMenuA(menu, MF_OWNERDRAW, id, nullptr);

  HWND first = nullptr, second = nullptr;
  TWinSkinPopMenu *firstSkinner = nullptr, *secondSkinner = nullptr;
  int firstBad = -1, secondBad = -1, resizedBad = -1, offBad = -1, borderBad = -1, printBad = -1;
  // The submenu item's row (items sit 3 pixels in): its arrow is the
  // platform's.
  RECT arrow{};
  SIZE resized{}, backgroundAfterResize{}, backgroundWhenOff{};
  TSteps steps;
  steps.Steps = {
      [&] {
        auto wins = MenuWindows();
        if (wins.size() != 1) return false;
        first = wins[0];
        firstSkinner = MenuSkinner(first);
        return firstSkinner && SkinManager->PopupMenuBitmap(menu) == &firstSkinner->Background();
      },
      [&] {
        RECT w;
        GetWindowRect(first, &w);
        arrow = RECT{3, 3, w.right - w.left - 3, 3 + 18};
        firstBad = BackgroundMismatches(first, arrow);
        borderBad = BorderMismatchesAfterNCPaint(first);
        printBad = PrintMismatches(first, arrow);
        PostMessageA(owner, WM_KEYDOWN, VK_DOWN, 0);
        PostMessageA(owner, WM_KEYDOWN, VK_RIGHT, 0);
        return true;
      },
      [&] {
        for (HWND w : MenuWindows())
          if (w != first) second = w;
        secondSkinner = second ? MenuSkinner(second) : nullptr;
        return secondSkinner && SkinManager->PopupMenuBitmap(sub) == &secondSkinner->Background();
      },
      [&] {
        secondBad = BackgroundMismatches(second);
        RECT w;
        GetWindowRect(second, &w);
        resized = SIZE{w.right - w.left + 30, w.bottom - w.top + 24};
        SetWindowPos(second, nullptr, 0, 0, resized.cx, resized.cy,
                     SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
        RedrawWindow(second, nullptr, nullptr,
                     RDW_FRAME | RDW_INVALIDATE | RDW_UPDATENOW | RDW_ERASENOW);
        return true;
      },
      [&] {
        if (secondSkinner->Background().Width() != resized.cx) return false;
        backgroundAfterResize =
            SIZE{secondSkinner->Background().Width(), secondSkinner->Background().Height()};
        resizedBad = BackgroundMismatches(second);
        Skin().SetActive(false);
        return true;
      },
      [&] {
        if (SkinManager->Active) return false;
        // Off: the window's own procedure paints it at its new size.
        SetWindowPos(second, nullptr, 0, 0, resized.cx + 10, resized.cy + 10,
                     SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
        RedrawWindow(second, nullptr, nullptr,
                     RDW_FRAME | RDW_INVALIDATE | RDW_UPDATENOW | RDW_ERASENOW);
        backgroundWhenOff =
            SIZE{secondSkinner->Background().Width(), secondSkinner->Background().Height()};
        offBad = BackgroundMismatches(second);
        EndMenu();
        return true;
      },
  };
  steps.Arm();
  TrackPopupMenu(menu, TPM_LEFTALIGN | TPM_TOPALIGN, 100, 100, 0, owner, nullptr);
  ASSERT_FALSE(steps.TimedOut) << "stopped at step " << steps.Next;

  EXPECT_NE(first, second);
  EXPECT_NE(firstSkinner, secondSkinner);
  EXPECT_EQ(firstBad, 0);
  EXPECT_EQ(borderBad, 0);
  EXPECT_EQ(printBad, 0);
  EXPECT_EQ(secondBad, 0);
  EXPECT_EQ(backgroundAfterResize.cx, resized.cx);
  EXPECT_EQ(backgroundAfterResize.cy, resized.cy);
  EXPECT_EQ(resizedBad, 0);
  // Switched off: the skinner saw none of the messages, the platform painted.
  EXPECT_EQ(backgroundWhenOff.cx, resized.cx);
  EXPECT_GT(offBad, 0);

  // Closed: every skinner is gone, the menus have their own brushes back.
  EXPECT_TRUE(WaitUntil([] { return SkinManager->PopupMenus.empty(); }));
  for (HMENU m : {menu, sub}) {
    MENUINFO info{};
    info.cbSize = sizeof info;
    info.fMask = MIM_BACKGROUND;
    GetMenuInfo(m, &info);
    EXPECT_EQ(info.hbrBack, nullptr);
  }
  DestroyMenu(menu);
  DestroyWindow(owner);
}

// The skin data component that serves an open menu is freed: the menu
// window gets its own procedure back at once and keeps working; its
// skinner goes with the window.
TEST_F(SkinPopupMdi, AMenuOpenWhenItsSkinGoesGetsItsOwnLookBack) {
  const HWND owner = NewSkinnedWindow("PopupTestOwner");
  // Registered last: it serves the menu windows from now on.
  auto second = std::make_unique<TSkinData>(nullptr);
  second->SkinStream.LoadFromFile(QUORVEL_SKIN_FILE);
  ASSERT_TRUE(second->LoadSkinStore());
  HMENU menu = CreatePopupMenu();
  for (UINT id = 10; id < 13; ++id) AppendMenuA(menu, MF_OWNERDRAW, id, nullptr);
  HWND wnd = nullptr;
  TWinSkinPopMenu* skinner = nullptr;
  int handlersBefore = -1, handlersAfter = -1;
  TSteps steps;
  steps.Steps = {
      [&] {
        auto wins = MenuWindows();
        if (wins.size() != 1) return false;
        wnd = wins[0];
        skinner = MenuSkinner(wnd);
        if (!skinner || skinner->SkinData() != second.get()) return false;
        handlersBefore = TWindowSubclass::HandlerCount(wnd);
        second.reset();
        handlersAfter = TWindowSubclass::HandlerCount(wnd);
        return true;
      },
      [&] {
        // Painted by its own procedure now, still listed until it goes.
        RedrawWindow(wnd, nullptr, nullptr,
                     RDW_FRAME | RDW_INVALIDATE | RDW_UPDATENOW | RDW_ERASENOW);
        EXPECT_EQ(MenuSkinner(wnd), skinner);
        EXPECT_EQ(skinner->SkinData(), nullptr);
        EndMenu();
        return true;
      },
  };
  steps.Arm();
  TrackPopupMenu(menu, TPM_LEFTALIGN | TPM_TOPALIGN, 100, 100, 0, owner, nullptr);
  ASSERT_FALSE(steps.TimedOut) << "stopped at step " << steps.Next;
  EXPECT_EQ(handlersBefore, 1);
  EXPECT_EQ(handlersAfter, 0);
  EXPECT_TRUE(WaitUntil([] { return SkinManager->PopupMenus.empty(); }));
  DestroyMenu(menu);
  DestroyWindow(owner);
}

// --- MDI ---

// The left border of an MDI child as the stored skin draws it.
int ChildFrameMismatches(HWND child) { return LeftBorderMismatches(child, Skin()); }

class SkinMdi : public SkinPopupMdi {
protected:
  void SetUp() override {
    SkinPopupMdi::SetUp();
    ASSERT_FALSE(SkinManager->MdiMaximized);  // no frame left it behind
    FrameMenu = CreateMenu();
    AppendMenuA(FrameMenu, MF_STRING, 1, "File");
    Frame = NewSkinnedWindow("MdiTestFrame", FrameMenu);
    Client = gClient;
    ASSERT_EQ(Skinner(Frame)->Kind(), TFrameKind::MDIFrame);
    ASSERT_EQ(Skinner(Frame)->MdiClient(), Client);
  }
  void TearDown() override {
    if (IsWindow(Frame)) DestroyWindow(Frame);
  }

  // A child made through the client, and the refresh that skins it.
  HWND NewChild(bool refresh = true, DWORD style = 0) {
    MDICREATESTRUCTA mcs{};
    mcs.szClass = "MdiTestChild";
    mcs.szTitle = "Child";
    mcs.hOwner = GetModuleHandleA(nullptr);
    mcs.x = mcs.y = CW_USEDEFAULT;
    mcs.cx = 200;
    mcs.cy = 150;
    mcs.style = WS_OVERLAPPEDWINDOW | style;
    auto child = reinterpret_cast<HWND>(
        SendMessageA(Client, WM_MDICREATE, 0, reinterpret_cast<LPARAM>(&mcs)));
    if (refresh) Refresh(child);
    return child;
  }
  void Refresh(HWND child) {
    SendMessageA(Client, WM_MDIREFRESHMENU, 0, 0);
    EXPECT_TRUE(WaitUntil(
        [child] { return Skinner(child) && Skinner(child)->Phase() == TFormPhase::Active; }));
  }
  // The skin's MDI button with that action in the frame's bar.
  TWinSysButton* MdiButton(int action) {
    for (auto& button : Skinner(Frame)->SysButtons().Buttons())
      if (button->SkinObject()->Visibility == 100 && button->SkinObject()->Action == action)
        return button.get();
    return nullptr;
  }
  static LONG_PTR Buttons(HWND wnd) { return GetWindowLongPtrA(wnd, GWL_STYLE) & kCaptionButtons; }

  HMENU FrameMenu = nullptr;
  HWND Frame = nullptr, Client = nullptr;
};

TEST_F(SkinMdi, ChildrenFollowTheMaximizedState) {
  const HWND a = NewChild(), b = NewChild();
  EXPECT_EQ(Skinner(a)->Kind(), TFrameKind::MDIChild);
  EXPECT_EQ(Buttons(a), 0);
  EXPECT_EQ(Buttons(b), 0);

  SendMessageA(Client, WM_MDIMAXIMIZE, reinterpret_cast<WPARAM>(b), 0);
  ASSERT_TRUE(Skinner(Frame)->IsActiveChildMaximized());
  EXPECT_TRUE(SkinManager->MdiMaximized);
  EXPECT_EQ(Buttons(a), kCaptionButtons);
  EXPECT_EQ(Buttons(b), kCaptionButtons);

  // A child made now starts with the platform's caption buttons, and keeps
  // them once skinned. (Windows shows it maximized as the one before; Wine
  // does so when asked.)
  const HWND c = NewChild(false, WS_MAXIMIZE);
  EXPECT_EQ(Skinner(c), nullptr);
  EXPECT_EQ(Buttons(c), kCaptionButtons);
  Refresh(c);
  EXPECT_EQ(Buttons(c), kCaptionButtons);

  // Closing maximized children until none is left maximized clears the
  // state; the rest get their skinned frames back.
  std::vector<HWND> left{a, b, c};
  while (Skinner(Frame)->IsActiveChildMaximized()) {
    const auto active = reinterpret_cast<HWND>(SendMessageA(Client, WM_MDIGETACTIVE, 0, 0));
    SendMessageA(Client, WM_MDIDESTROY, reinterpret_cast<WPARAM>(active), 0);
    EXPECT_EQ(Skinner(active), nullptr);
    left.erase(std::find(left.begin(), left.end(), active));
    EXPECT_EQ(SkinManager->MdiMaximized, Skinner(Frame)->IsActiveChildMaximized());
  }
  EXPECT_FALSE(SkinManager->MdiMaximized);
  for (HWND w : left) {
    ASSERT_NE(Skinner(w), nullptr);
    if (!IsIconic(w)) {
      EXPECT_EQ(Buttons(w), 0);
    }
  }
}

// The MDI buttons clicked in the bar, the client's arrangements and a
// restore take the active child out of its maximized state: the state
// follows (the other children show their skinned frames again, the bar
// drops the buttons). Closing the maximized child maximizes the next one:
// the state stays, and so do the buttons.
TEST_F(SkinMdi, TheStateFollowsTheChildren) {
  const struct {
    const char* Name;
    std::function<void(HWND)> Act;
    std::function<bool(HWND, HWND)> Done;  // (the other child, the maximized one)
  } cases[] = {
      {"minimize button", [this](HWND) { ClickAt(ScreenCentre(Frame, MdiButton(7)->Bounds())); },
       [](HWND, HWND b) { return IsIconic(b) != 0; }},
      {"restore button", [this](HWND) { ClickAt(ScreenCentre(Frame, MdiButton(8)->Bounds())); },
       [](HWND, HWND b) { return !IsZoomed(b) && !IsIconic(b); }},
      {"close button", [this](HWND) { ClickAt(ScreenCentre(Frame, MdiButton(9)->Bounds())); },
       [](HWND a, HWND b) { return !IsWindow(b) && IsZoomed(a); }},
      {"cascade", [this](HWND) { SendMessageA(Client, WM_MDICASCADE, 0, 0); },
       [](HWND, HWND b) { return !IsZoomed(b); }},
      {"tile", [this](HWND) { SendMessageA(Client, WM_MDITILE, MDITILE_VERTICAL, 0); },
       [](HWND, HWND b) { return !IsZoomed(b); }},
      {"restore", [this](HWND b) { SendMessageA(Client, WM_MDIRESTORE, WPARAM(b), 0); },
       [](HWND, HWND b) { return !IsZoomed(b); }},
      {"its own restore", [](HWND b) { SendMessageA(b, WM_SYSCOMMAND, SC_RESTORE, 0); },
       [](HWND, HWND b) { return !IsZoomed(b); }},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.Name);
    const HWND a = NewChild(), b = NewChild();
    SendMessageA(Client, WM_MDIMAXIMIZE, reinterpret_cast<WPARAM>(b), 0);
    ASSERT_TRUE(SkinManager->MdiMaximized);
    ASSERT_TRUE(WaitUntil([&] { return BarShowsMdiButtons(Frame) == 1; }));
    c.Act(b);
    ASSERT_TRUE(WaitUntil([&] { return c.Done(a, b); }));
    if (IsZoomed(a)) {
      EXPECT_TRUE(SkinManager->MdiMaximized);
      EXPECT_TRUE(WaitUntil([&] { return BarShowsMdiButtons(Frame) == 1; }));
    } else {
      EXPECT_TRUE(WaitUntil([] { return !SkinManager->MdiMaximized; }));
      EXPECT_TRUE(WaitUntil([&] { return BarShowsMdiButtons(Frame) == 0; }));
      EXPECT_TRUE(WaitUntil([&] { return ChildFrameMismatches(a) == 0; }));
    }
    for (HWND w : {a, b})
      if (IsWindow(w)) SendMessageA(Client, WM_MDIDESTROY, reinterpret_cast<WPARAM>(w), 0);
    EXPECT_FALSE(SkinManager->MdiMaximized);
  }
}

// A frame that goes with its maximized child (the platform destroys the
// children, no WM_MDIDESTROY) takes the state along: the next frame's
// children get skinned frames.
TEST_F(SkinMdi, AFrameThatGoesTakesTheMaximizedStateAlong) {
  const HWND child = NewChild();
  SendMessageA(Client, WM_MDIMAXIMIZE, reinterpret_cast<WPARAM>(child), 0);
  ASSERT_TRUE(SkinManager->MdiMaximized);
  DestroyWindow(Frame);
  EXPECT_FALSE(SkinManager->MdiMaximized);
  Frame = NewSkinnedWindow("MdiTestFrame", nullptr);
  Client = gClient;
  const HWND next = NewChild();
  EXPECT_EQ(Buttons(next), 0);
  EXPECT_TRUE(WaitUntil([&] { return ChildFrameMismatches(next) == 0; }));
}

// Children that take their skinned frames back together each get the shape
// they build alone (children of one size share its computation), and each
// is repainted once all have changed.
TEST_F(SkinMdi, ChildrenComingBackTogetherGetTheirOwnShapesAndARepaint) {
  const HWND a = NewChild(), b = NewChild(), c = NewChild();  // c is the active one
  SetWindowPos(b, nullptr, 0, 0, 260, 170, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  SkinManager->SetMdiMax(true);
  PumpMessages();
  SkinManager->SetMdiMax(false);
  const auto regionOf = [](HWND w) {
    TRegionObject r(CreateRectRgn(0, 0, 0, 0));
    EXPECT_NE(GetWindowRgn(w, r), ERROR);
    return r;
  };
  const std::vector<HWND> children{a, b, c};
  std::vector<TRegionObject> together;
  for (HWND w : children) {
    together.push_back(regionOf(w));
    EXPECT_TRUE(GetUpdateRect(w, nullptr, FALSE)) << "a repaint is due";
  }
  PumpMessages();
  for (size_t i = 0; i < children.size(); ++i) {
    EXPECT_FALSE(GetUpdateRect(children[i], nullptr, FALSE));
    Skinner(children[i])->RebuildRegion();
    EXPECT_TRUE(EqualRgn(together[i], regionOf(children[i]))) << "child " << i;
  }
  EXPECT_FALSE(EqualRgn(together[0], together[1]));
}

TEST_F(SkinMdi, TheClientShowsNoScrollBars) {
  const HWND child = NewChild();
  RECT before;
  GetClientRect(Client, &before);
  SetWindowPos(child, nullptr, -150, 500, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  // A child outside makes the client of Windows turn its scroll bars on
  // (Wine's computes no range here, so they are asked for as it would).
  using TCalcChildScroll = void(WINAPI*)(HWND, INT);
  const FARPROC found = GetProcAddress(GetModuleHandleA("user32.dll"), "CalcChildScroll");
  if (found) {
    TCalcChildScroll calc;
    static_assert(sizeof calc == sizeof found);
    std::memcpy(&calc, &found, sizeof calc);
    calc(Client, SB_BOTH);
  }
  ShowScrollBar(Client, SB_BOTH, TRUE);
  PumpMessages();
  EXPECT_EQ(GetWindowLongPtrA(Client, GWL_STYLE) & (WS_HSCROLL | WS_VSCROLL), 0);
  RECT after;
  GetClientRect(Client, &after);
  EXPECT_EQ(after.right, before.right);
  EXPECT_EQ(after.bottom, before.bottom);
}

// The client keeps a real menu off the skinned frame, but takes the Window
// menu it is given and lists its children there.
TEST_F(SkinMdi, AMenuHandedToTheClientNeverReachesTheFrame) {
  const HMENU shown = GetMenu(Frame);
  HMENU other = CreateMenu();
  HMENU window = CreatePopupMenu();
  AppendMenuA(window, MF_STRING, 3, "Cascade");
  AppendMenuA(other, MF_POPUP, reinterpret_cast<UINT_PTR>(window), "Window");
  SendMessageA(Client, WM_MDISETMENU, reinterpret_cast<WPARAM>(other),
               reinterpret_cast<LPARAM>(window));
  DrawMenuBar(Frame);
  EXPECT_EQ(GetMenu(Frame), shown);
  NewChild();
  SendMessageA(Client, WM_MDIREFRESHMENU, 0, 0);
  EXPECT_GT(GetMenuItemCount(window), 1);
  // Releasing the frame gives the client its own procedure back.
  EXPECT_EQ(TWindowSubclass::HandlerCount(Client), 1);
  SkinManager->DetachForm(Frame);
  EXPECT_EQ(TWindowSubclass::HandlerCount(Client), 0);
  DestroyWindow(Frame);  // the client lets go of the Window menu with it
  DestroyMenu(other);
}

TEST_F(SkinMdi, ChildrenComingAndGoingGiveTheirHandlesBack) {
  auto work = [&] {
    for (int i = 0; i < 50; ++i) {
      const HWND child = NewChild();
      SendMessageA(Client, WM_MDIDESTROY, reinterpret_cast<WPARAM>(child), 0);
    }
    PumpMessages();
  };
  work();  // caches and first-use allocations settle
  const unsigned gdi = GdiHighWater(), user = UserHighWater();
  work();
  EXPECT_LE(GdiHighWater(), gdi + 16);
  EXPECT_LE(UserHighWater(), user + 16);
  // Only the frame is left; its children's skinners go with it.
  EXPECT_EQ(SkinManager->Forms.size(), 1u);
  NewChild();
  DestroyWindow(Frame);
  EXPECT_TRUE(SkinManager->Forms.empty());
}

}  // namespace
