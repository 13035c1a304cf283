// The skin manager's deferred requests and a skin file loaded at run time.
#include <gtest/gtest.h>

#include <windows.h>

#include <cstdio>

#include "SkinTestFiles.h"
#include "skin/window/SkinManager.h"
#include "support/Wait.h"
#include "skin/window/WinSkinData.h"
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

}  // namespace
