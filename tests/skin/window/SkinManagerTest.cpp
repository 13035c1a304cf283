// The skin manager's deferred requests, a skin file loaded at run time, and
// the manager's end with windows and menus still open.
#include <gtest/gtest.h>

#include <windows.h>

#include <cstdio>
#include <functional>
#include <utility>

#include "SkinTestFiles.h"
#include "skin/window/SkinManager.h"
#include "skin/window/WinSkinForm.h"
#include "skin/window/WinSkinPopMenu.h"
#include "support/Screen.h"
#include "support/Wait.h"
#include "skin/window/WinSkinData.h"
#include "ui/Forms.h"
#include "ui/Menus.h"
#include "ui/Subclass.h"
#include "ui/Timers.h"

namespace {

class SkinManagerTest : public ::testing::Test {
protected:
  void TearDown() override { FreeSkinManager(); }
};

TEST_F(SkinManagerTest, TheFirstComponentCreatesItAndAllRegister) {
  ASSERT_EQ(SkinManager, nullptr);
  {
    TSkinData first(nullptr);
    ASSERT_NE(SkinManager, nullptr);
    TSkinManage* manager = SkinManager;
    TSkinData second(nullptr);
    EXPECT_EQ(SkinManager, manager);
    EXPECT_EQ(manager->SkinDatas, (std::vector<TSkinData*>{&first, &second}));
    EXPECT_FALSE(manager->Active);
    EXPECT_EQ(manager->ActivateCount, 0);
    EXPECT_NE(WinVersion, 0u);
    EXPECT_EQ(manager->Timer->Interval(), 250u);
    EXPECT_FALSE(manager->Timer->Enabled());
  }
  EXPECT_TRUE(SkinManager->SkinDatas.empty());
  FreeSkinManager();
  EXPECT_EQ(SkinManager, nullptr);
}

TEST_F(SkinManagerTest, RequestsActAtOnceBeforeTheFirstActivation) {
  TSkinData data(nullptr);
  SkinManager->Request(TSkinManage::raSwitchOn);
  EXPECT_TRUE(SkinManager->Active);
  SkinManager->Request(TSkinManage::raSwitchOff);
  EXPECT_FALSE(SkinManager->Active);
  SkinManager->Request(TSkinManage::raSkinChanged);  // only noted
  EXPECT_EQ(SkinManager->PendingAction, TSkinManage::raSkinChanged);
  EXPECT_FALSE(SkinManager->Timer->Enabled());
}

TEST_F(SkinManagerTest, LaterRequestsWaitForTheTimerAndTheLastOneWins) {
  TSkinData data(nullptr);
  SkinManager->Request(TSkinManage::raSwitchOn);
  SkinManager->ActivateCount = TSkinManage::acSeen;
  SkinManager->Request(TSkinManage::raSwitchOff);
  SkinManager->Request(TSkinManage::raSwitchOn);
  EXPECT_TRUE(SkinManager->Timer->Enabled());
  EXPECT_TRUE(SkinManager->Active);
  SkinManager->Request(TSkinManage::raSwitchOff);
  EXPECT_TRUE(SkinManager->Active);  // not yet
  ASSERT_TRUE(WaitUntil([] { return !SkinManager->Timer->Enabled(); }));
  EXPECT_FALSE(SkinManager->Active);
}

TEST_F(SkinManagerTest, ASkinFileAtRunTimeReloadsAndFiresOnSkinChangedOnce) {
  char folder[MAX_PATH];
  GetTempPathA(MAX_PATH, folder);
  const std::string path = std::string(folder) + "quorvel-test.skn";
  WriteFileBytes(path, SkinFile({{"x.ini", TextBytes("[TitlebarSkin]\nSkinName=From disk\n")}}));

  TSkinData data(nullptr);
  int changed = 0;
  data.OnSkinChanged = [&](TObject* sender) {
    ++changed;
    EXPECT_EQ(sender, &data);
  };
  SkinManager->ActivateCount = TSkinManage::acSeen;
  data.SetSkinFile(path);
  std::remove(path.c_str());
  EXPECT_FALSE(data.SkinEmpty);
  EXPECT_EQ(data.SkinName, "From disk");
  EXPECT_EQ(SkinManager->ChangedSkinData(), &data);
  EXPECT_EQ(changed, 0);
  ASSERT_TRUE(WaitUntil([] { return !SkinManager->Timer->Enabled(); }));
  EXPECT_EQ(changed, 1);
  EXPECT_EQ(SkinManager->ChangedSkinData(), nullptr);

  // A file that does not exist loads nothing, leaves the skin in force, says
  // why and asks for no re-skinning.
  data.SetSkinFile(path);
  EXPECT_FALSE(data.SkinEmpty);
  EXPECT_EQ(data.SkinName, "From disk");
  EXPECT_EQ(data.LoadError(), path + ": no such file");
  EXPECT_FALSE(SkinManager->Timer->Enabled());
  EXPECT_EQ(changed, 1);
}

TEST_F(SkinManagerTest, AComponentGoingAwayIsNoLongerAPendingChange) {
  auto data = std::make_unique<TSkinData>(nullptr);
  SkinManager->ActivateCount = TSkinManage::acSeen;
  data->NotifySkinChanged();
  EXPECT_EQ(SkinManager->ChangedSkinData(), data.get());
  data.reset();
  EXPECT_EQ(SkinManager->ChangedSkinData(), nullptr);
  // The timer fires with nothing to tell.
  EXPECT_TRUE(WaitUntil([] { return !SkinManager->Timer->Enabled(); }));
}

// A menu item with that caption added to Parent.
TMenuItem* AddItem(TMenuItem* Parent, const char* Caption) {
  auto* item = new TMenuItem(Parent);
  item->SetCaption(Caption);
  Parent->Add(item);
  return item;
}

// Runs Act once from a timer of the main thread: inside a menu's modal loop.
struct TOnceInLoop {
  static inline std::function<void()> Act;
  static void CALLBACK Tick(HWND, UINT, UINT_PTR id, DWORD) {
    KillTimer(nullptr, id);
    std::exchange(Act, nullptr)();
  }
};

// The program ends while a skinned form with a menu bar, a popup-menu
// component and an open menu window are there: every window gets its own
// look and handling back, the form keeps its client size.
void SkinThenFreeTheManager() {
  TSkinData data(nullptr);
  data.SetSkinFile(QUORVEL_SKIN_FILE);
  data.SetActive(true);
  ASSERT_TRUE(SkinManager->Active);
  TForm form(nullptr);
  auto* menu = new TMainMenu(&form);
  AddItem(AddItem(menu->Items(), "&File"), "&Open");
  auto* popup = new TPopupMenu(&form);
  TMenuItem* popupItem = AddItem(popup->Items(), "&Copy");
  form.SetMenu(menu);
  form.SetBounds(60, 60, 300, 200);
  const HWND wnd = form.Handle();
  const LONG_PTR style = GetWindowLongPtrA(wnd, GWL_STYLE) | WS_VISIBLE;
  const TColor colour = form.Color();
  const int handlers = TWindowSubclass::HandlerCount(wnd);
  form.Show();
  SetForegroundWindow(wnd);
  ASSERT_TRUE(WaitUntil([&] {
    TWinSkinForm* s = SkinManager->FormSkinner(wnd);
    return s && s->Phase() == TFormPhase::Active && s->MenuBar();
  }));
  ASSERT_EQ(GetMenu(wnd), nullptr);  // the bar is drawn by the frame
  ASSERT_TRUE(popupItem->OnDrawItem);
  RECT client;
  GetClientRect(wnd, &client);

  HWND menuWindow = nullptr;
  int menuHandlers = -1;
  TOnceInLoop::Act = [&] {
    menuWindow = FindWindowA("#32768", nullptr);
    FreeSkinManager();
    menuHandlers = TWindowSubclass::HandlerCount(menuWindow);
    EndMenu();
  };
  SetTimer(nullptr, 0, 50, TOnceInLoop::Tick);
  HMENU open = CreatePopupMenu();
  AppendMenuA(open, MF_STRING, 1, "Open");
  TrackPopupMenu(open, TPM_LEFTALIGN, 100, 100, 0, wnd, nullptr);
  DestroyMenu(open);

  ASSERT_EQ(SkinManager, nullptr);
  EXPECT_NE(menuWindow, nullptr);
  EXPECT_EQ(menuHandlers, 0);
  EXPECT_EQ(GetMenu(wnd), menu->Handle());
  EXPECT_EQ(GetWindowLongPtrA(wnd, GWL_STYLE), style);
  EXPECT_EQ(TWindowSubclass::HandlerCount(wnd), handlers);
  const TRegionObject region(CreateRectRgn(0, 0, 0, 0));
  EXPECT_EQ(GetWindowRgn(wnd, region), ERROR);
  EXPECT_EQ(form.Color(), colour);
  EXPECT_FALSE(popupItem->OnDrawItem);
  EXPECT_EQ(form.WindowProc.target<TControlHook::TInstalled>(), nullptr);
  RECT after;
  GetClientRect(wnd, &after);
  EXPECT_EQ(after.right, client.right);
  EXPECT_EQ(after.bottom, client.bottom);
}

TEST_F(SkinManagerTest, FreeingTheManagerGivesOpenWindowsEverythingBack) {
  SkinThenFreeTheManager();
}

// The manager's end, many times over, gives back every handle taken.
TEST_F(SkinManagerTest, TheManagersEndGivesItsHandlesBack) {
  for (int i = 0; i < 3; ++i) SkinThenFreeTheManager();  // first-use allocations settle
  const unsigned gdi = GdiHighWater(), user = UserHighWater();
  for (int i = 0; i < 10; ++i) SkinThenFreeTheManager();
  EXPECT_LE(GdiHighWater(), gdi + 16);
  EXPECT_LE(UserHighWater(), user + 16);
}

}  // namespace
