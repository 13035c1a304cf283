// The skin gallery under the transparent skin, driven with the mouse as a
// user drives it: a window shown over another takes the input where it is
// shown, every menu-bar item of the main window and of the MDI window opens
// on a click, and the MDI window's Window menu (Cascade, Tile and Arrange
// icons above the platform's list of children) takes the maximized child
// out of its state: the children's frames and the bar's MDI buttons follow.
#include <gtest/gtest.h>

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

#include "FrameChecks.h"
#include "gallery/gallery.h"
#include "skin/window/SkinManager.h"
#include "skin/window/WinSkinForm.h"
#include "skin/window/WinSkinMenu.h"
#include "support/Mouse.h"
#include "support/Screen.h"
#include "support/Wait.h"

namespace {

constexpr UINT kMnGetHMenu = 0x01E1;     // MN_GETHMENU
constexpr UINT kFirstMdiChild = 0xFF00;  // the platform's list of children in the Window menu

TWinSkinForm* SkinnerOf(HWND wnd) { return SkinManager ? SkinManager->FormSkinner(wnd) : nullptr; }
bool SkinnedAndActive(HWND wnd) {
  TWinSkinForm* s = SkinnerOf(wnd);
  return s && s->Phase() == TFormPhase::Active && s->Painter().RegionSet();
}

BOOL CALLBACK CollectPopup(HWND w, LPARAM found) {
  char name[16] = {};
  GetClassNameA(w, name, sizeof name);
  if (IsWindowVisible(w) && std::string(name) == "#32768")
    reinterpret_cast<std::vector<HWND>*>(found)->push_back(w);
  return TRUE;
}
// The visible popup that shows menu (any when menu is null), or null.
HWND PopupShowing(HMENU menu) {
  std::vector<HWND> found;
  EnumWindows(CollectPopup, reinterpret_cast<LPARAM>(&found));
  for (HWND w : found)
    if (!menu || reinterpret_cast<HMENU>(SendMessageA(w, kMnGetHMenu, 0, 0)) == menu) return w;
  return nullptr;
}

// Steps run one after the other from a thread timer, which keeps running
// inside the modal menu loop; a step returns true when done. Past the
// deadline the script gives up and ends any menu loop, which would
// otherwise hold the test (a wrong popup open, say).
class Steps {
public:
  explicit Steps(std::vector<std::function<bool()>> steps)
      : FSteps(std::move(steps)), FStart(GetTickCount()) {
    Current = this;
    FTimer = SetTimer(nullptr, 0, 20, Tick);
  }
  ~Steps() {
    KillTimer(nullptr, FTimer);
    Current = nullptr;
  }
  bool Done() const { return FNext >= FSteps.size(); }
  bool GaveUp() const { return FGaveUp; }

private:
  static void CALLBACK Tick(HWND, UINT, UINT_PTR, DWORD) {
    Steps* s = Current;
    if (!s || s->Done()) return;
    if (GetTickCount() - s->FStart > kWaitDeadlineMs) {
      s->FGaveUp = true;
      s->FNext = s->FSteps.size();
      EndMenu();
      return;
    }
    if (s->FSteps[s->FNext]()) ++s->FNext;
  }
  static inline Steps* Current = nullptr;
  std::vector<std::function<bool()>> FSteps;
  size_t FNext = 0;
  DWORD FStart;
  bool FGaveUp = false;
  UINT_PTR FTimer = 0;
};

class GalleryMdiTest : public ::testing::Test {
protected:
  static void SetUpTestSuite() {
    GalleryOptions.TransparentSkin = QUORVEL_TRANS_SKIN_FILE;
    Application->Initialize();
    Application->CreateForm(GalleryForm);
    GalleryForm->Show();
    SetForegroundWindow(GalleryForm->Handle());
    ASSERT_TRUE(WaitUntil([] { return SkinnedAndActive(GalleryForm->Handle()); }));
    int changed = 0;
    GalleryForm->SkinData1->OnSkinChanged = [&](TObject*) { ++changed; };
    GalleryForm->SkinChoice->SetItemIndex(1);  // the transparent skin
    GalleryForm->SkinChoiceClick(nullptr);
    ASSERT_TRUE(WaitUntil([&] { return changed == 1; }));
    GalleryForm->SkinData1->OnSkinChanged.Clear();
  }

  // The MDI window, open in front with its children, skinned.
  static TGalleryMDIForm* MDIWindow() {
    TGalleryMDIForm* mdi = GalleryForm->OpenMDIWindow();
    SetForegroundWindow(mdi->Handle());
    EXPECT_TRUE(WaitUntil([mdi] {
      return SkinnedAndActive(mdi->Handle()) && GetForegroundWindow() == mdi->Handle() &&
             mdi->MDIChildCount() >= 3 && SkinnerOf(mdi->Handle())->MenuBar();
    }));
    return mdi;
  }

  // Clicks a bar button of wnd and runs steps inside the menu loop; true
  // when they all ran and the menu has closed.
  static bool ClickAndRun(HWND wnd, const TMenuBtn& button,
                          std::vector<std::function<bool()>> steps) {
    PumpMessages();  // the bar laid out anew after a change
    const POINT at = ScreenCentre(wnd, button.Bounds());
    MoveMouse(at);
    PumpMessages();
    Steps script(std::move(steps));
    ClickAt(at);
    return WaitUntil([&] { return script.Done() && !PopupShowing(nullptr); }) && !script.GaveUp();
  }
};

// A window shown over another (the MDI window, a plain form) is the window
// under the pointer wherever the screen shows it: its title, its menu bar,
// its client area, its lower corner inside the rounded edge.
TEST_F(GalleryMdiTest, TheWindowOnTopTakesTheInputWhereItIsShown) {
  auto* plain = new TForm(Application);
  plain->SetBounds(200, 150, 420, 260);
  const struct {
    const char* Name;
    std::function<HWND()> Open;
  } cases[] = {
      {"MDI window", [] { return MDIWindow()->Handle(); }},
      {"plain form",
       [plain] {
         plain->Show();
         SetForegroundWindow(plain->Handle());
         EXPECT_TRUE(WaitUntil([plain] { return SkinnedAndActive(plain->Handle()); }));
         return plain->Handle();
       }},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.Name);
    SetForegroundWindow(GalleryForm->Handle());
    ASSERT_TRUE(WaitUntil([] { return GetForegroundWindow() == GalleryForm->Handle(); }));
    const HWND wnd = c.Open();
    const TFrameMetrics& m = SkinnerOf(wnd)->Metrics();
    RECT r;
    GetWindowRect(wnd, &r);
    const std::vector<POINT> points = {
        {(r.left + r.right) / 2, r.top + m.TitleHeight / 2},
        {r.left + m.BorderLeft + 20, r.top + m.TitleHeight + m.MenuHeight / 2},
        {(r.left + r.right) / 2, (r.top + r.bottom) / 2},
        {r.left + m.BorderLeft + 2, r.bottom - m.BorderBottom - 2}};
    auto elsewhere = [&] {
      for (POINT p : points)
        if (GetAncestor(WindowFromPoint(p), GA_ROOT) != wnd) return true;
      return false;
    };
    EXPECT_FALSE(elsewhere());
    EXPECT_FALSE(HappensWithin(elsewhere, 500));
  }
  delete plain;
}

// Every item of both bars opens its popup on a click (a disabled one opens
// nothing), as the keyboard does.
TEST_F(GalleryMdiTest, EveryMenuBarItemOpensOnAClick) {
  const HWND windows[] = {MDIWindow()->Handle(), GalleryForm->Handle()};
  for (HWND wnd : windows) {
    SetForegroundWindow(wnd);
    ASSERT_TRUE(
        WaitUntil([wnd] { return GetForegroundWindow() == wnd && SkinnerOf(wnd)->Active(); }));
    RedrawWindow(wnd, nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE | RDW_UPDATENOW);
    TWinSkinMenu& bar = *SkinnerOf(wnd)->MenuBar();
    ASSERT_GE(bar.Buttons().size(), 2u);
    for (const auto& button : bar.Buttons()) {
      SCOPED_TRACE(button->Caption());
      const HMENU popup = button->SubMenu();
      if (!button->Enabled()) {
        const POINT at = ScreenCentre(wnd, button->Bounds());
        ClickAt(at);
        EXPECT_TRUE(WaitUntil([&] { return button->State() != TNCObject::TState::Normal; }));
        EXPECT_FALSE(HappensWithin([] { return PopupShowing(nullptr) != nullptr; }, 300));
        continue;
      }
      EXPECT_TRUE(ClickAndRun(wnd, *button, {[popup] {
                                if (!PopupShowing(popup)) return false;
                                EndMenu();
                                return true;
                              }}));
    }
  }
}

// With a child maximized, the Window menu's Cascade and Tile, chosen with
// the mouse, give every child its skinned frame back and take the MDI
// buttons off the bar.
TEST_F(GalleryMdiTest, TheWindowMenusCascadeAndTileEndTheMaximizedState) {
  TGalleryMDIForm* mdi = MDIWindow();
  const HWND frame = mdi->Handle();
  TWinSkinMenu& bar = *SkinnerOf(frame)->MenuBar();
  const TMenuBtn* windowButton = nullptr;
  for (const auto& button : bar.Buttons())
    if (button->SubMenu() == mdi->WindowMenu->Handle()) windowButton = button.get();
  ASSERT_NE(windowButton, nullptr);
  for (TMenuItem* command : {mdi->WindowMenu->Items(0), mdi->WindowMenu->Items(1)}) {
    SCOPED_TRACE(command->Caption());
    SendMessageA(mdi->ClientHandle(), WM_MDIMAXIMIZE,
                 reinterpret_cast<WPARAM>(mdi->ActiveMDIChild()->Handle()), 0);
    ASSERT_TRUE(
        WaitUntil([&] { return SkinManager->MdiMaximized && BarShowsMdiButtons(frame) == 1; }));
    const HMENU menu = mdi->WindowMenu->Handle();
    std::vector<UINT> ids;
    ASSERT_TRUE(
        ClickAndRun(frame, *windowButton,
                    {[&] { return PopupShowing(menu) != nullptr; },
                     [&] {
                       for (int i = 0; i < GetMenuItemCount(menu); ++i)
                         ids.push_back(GetMenuItemID(menu, i));
                       RECT item;
                       GetMenuItemRect(nullptr, menu, UINT(command->MenuIndex()), &item);
                       ClickAt(POINT{(item.left + item.right) / 2, (item.top + item.bottom) / 2});
                       return true;
                     }}));
    // Cascade, Tile and Arrange icons come first, the children last.
    ASSERT_GE(ids.size(), 3u);
    EXPECT_EQ(ids[0], mdi->WindowMenu->Items(0)->Command());
    EXPECT_EQ(ids[1], mdi->WindowMenu->Items(1)->Command());
    EXPECT_EQ(ids[2], mdi->WindowMenu->Items(2)->Command());
    int children = 0;
    for (UINT id : ids) children += id >= kFirstMdiChild && id != UINT(-1);
    EXPECT_EQ(children, mdi->MDIChildCount());
    EXPECT_TRUE(WaitUntil([] { return !SkinManager->MdiMaximized; }));
    EXPECT_TRUE(WaitUntil([&] { return BarShowsMdiButtons(frame) == 0; }));
    for (int i = 0; i < mdi->MDIChildCount(); ++i)
      EXPECT_TRUE(WaitUntil([&] {
        return LeftBorderMismatches(mdi->MDIChildren(i)->Handle(), *GalleryForm->SkinData1) == 0;
      })) << i;
  }
}

// Opening the menus and arranging the children with them gives every
// handle back.
TEST_F(GalleryMdiTest, MenusAndArrangementsGiveTheirHandlesBack) {
  TGalleryMDIForm* mdi = MDIWindow();
  const HWND frame = mdi->Handle();
  auto work = [&] {
    for (int i = 0; i < 6; ++i) {
      SendMessageA(mdi->ClientHandle(), WM_MDIMAXIMIZE,
                   reinterpret_cast<WPARAM>(mdi->ActiveMDIChild()->Handle()), 0);
      ASSERT_TRUE(WaitUntil([&] { return BarShowsMdiButtons(frame) == 1; }));
      for (const auto& button : SkinnerOf(frame)->MenuBar()->Buttons()) {
        const HMENU popup = button->SubMenu();
        ASSERT_TRUE(ClickAndRun(frame, *button, {[popup] {
                                  if (!PopupShowing(popup)) return false;
                                  EndMenu();
                                  return true;
                                }}));
      }
      i % 2 ? mdi->Cascade() : mdi->Tile();
      PumpMessages();
    }
  };
  work();  // first-use allocations settle
  const unsigned gdi = GdiHighWater(), user = UserHighWater();
  work();
  EXPECT_LE(GdiHighWater(), gdi + 16);
  EXPECT_LE(UserHighWater(), user + 16);
}

}  // namespace
