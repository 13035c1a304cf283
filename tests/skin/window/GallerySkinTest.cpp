// The skin gallery under the skin engine: every control of a kind the engine
// draws gets its skinner, and repainting and switching skins give back every
// handle they take.
#include <gtest/gtest.h>

#include <windows.h>

#include <algorithm>
#include <vector>

#include "gallery/gallery.h"
#include "skin/controls/SkinDispatch.h"
#include "skin/controls/WinSubClass.h"
#include "skin/window/SkinManager.h"
#include "skin/window/WinSkinForm.h"
#include "support/Screen.h"
#include "support/Wait.h"
#include "ui/ComCtrls.h"

namespace {

TWinSkinForm* GallerySkinner() {
  return SkinManager ? SkinManager->FormSkinner(GalleryForm->Handle()) : nullptr;
}

class GallerySkinTest : public ::testing::Test {
protected:
  static void SetUpTestSuite() {
    GalleryOptions.TransparentSkin = QUORVEL_TRANS_SKIN_FILE;
    Application->Initialize();
    Application->CreateForm(GalleryForm);
    GalleryForm->Show();
    SetForegroundWindow(GalleryForm->Handle());
    ASSERT_TRUE(WaitUntil(
        [] { return GallerySkinner() && GallerySkinner()->Phase() == TFormPhase::Active; }));
  }

  // Switches the gallery's skin as its choice box does, and waits for it.
  static void ChooseSkin(int index) {
    int changed = 0;
    GalleryForm->SkinData1->OnSkinChanged = [&](TObject*) { ++changed; };
    GalleryForm->SkinChoice->SetItemIndex(index);
    GalleryForm->SkinChoiceClick(nullptr);
    ASSERT_TRUE(WaitUntil([&] { return changed == 1; }));
    GalleryForm->SkinData1->OnSkinChanged.Clear();
  }
};

// The kinds the engine draws, and the windowed controls of the gallery that
// show them; each must have a skinner.
TEST_F(GallerySkinTest, EveryControlOfASkinnedKindHasItsSkinner) {
  TWinSkinForm& skinner = *GallerySkinner();
  TWinControl* const controls[] = {
      GalleryForm->Button1,      GalleryForm->BitBtn1,      GalleryForm->CheckBox1,
      GalleryForm->RadioButton1, GalleryForm->RadioGroup1,  GalleryForm->Edit1,
      GalleryForm->ComboBox1,    GalleryForm->ProgressBar1, GalleryForm->ScrollBar1,
      GalleryForm->Memo1,        GalleryForm->ListBox1,     GalleryForm->CheckListBox1,
      GalleryForm->Panel1,       GalleryForm->TabControl1,  GalleryForm->PageControl1,
      GalleryForm->ListView1,    GalleryForm->StatusBar1,   GalleryForm->ButtonsBox,
      GalleryForm->SettingCheck, GalleryForm->SettingEdit,
  };
  for (TWinControl* control : controls) {
    SCOPED_TRACE(control->Name());
    EXPECT_NE(skinner.Skinners().Find(control->Handle()), nullptr);
  }
  EXPECT_TRUE(skinner.Skinners().Serves(GalleryForm->SpeedButton1));
  EXPECT_FALSE(GalleryForm->StatusBar1->SizeGrip());
}

TEST_F(GallerySkinTest, RepaintsAndSkinSwitchesGiveTheirHandlesBack) {
  const HWND wnd = GalleryForm->Handle();
  auto work = [&] {
    // About 25 skinned controls: 40 full repaints are over 1,000 control paints.
    for (int i = 0; i < 40; ++i)
      RedrawWindow(wnd, nullptr, nullptr, RDW_INVALIDATE | RDW_ALLCHILDREN | RDW_UPDATENOW);
    for (int i = 0; i < 20; ++i) ChooseSkin(i % 2 == 0 ? 1 : 0);
  };
  work();  // first-use allocations settle
  const unsigned gdiBefore = GdiHighWater(), userBefore = UserHighWater();
  work();
  EXPECT_LE(GdiHighWater(), gdiBefore + 16);
  EXPECT_LE(UserHighWater(), userBefore + 16);
}

// The View menu's skin items switch skins through the skinned window's menu
// commands, and show the skin in force.
TEST_F(GallerySkinTest, TheSkinMenuSwitchesSkins) {
  const HWND wnd = GalleryForm->Handle();
  for (TMenuItem* item : {GalleryForm->CopperSkinItem, GalleryForm->StoredSkinItem}) {
    int changed = 0;
    GalleryForm->SkinData1->OnSkinChanged = [&](TObject*) { ++changed; };
    SendMessageA(wnd, WM_COMMAND, MAKEWPARAM(item->Command(), 0), 0);
    ASSERT_TRUE(WaitUntil([&] { return changed == 1; }));
    GalleryForm->SkinData1->OnSkinChanged.Clear();
    EXPECT_TRUE(item->Checked());
    EXPECT_EQ(GalleryForm->SkinChoice->ItemIndex(), item == GalleryForm->CopperSkinItem ? 1 : 0);
  }
  EXPECT_FALSE(GalleryForm->CopperSkinItem->Checked());
}

// Skinning switched on over the gallery in its own look: every skinned
// control shows its skinned look at once. None keeps pixels of its own look
// that the platform moved along when the frame took the skin's size (the
// status bar's lower rows were skinned, its upper ones not).
TEST_F(GallerySkinTest, SwitchingOnShowsEverySkinnedControlAtOnce) {
  TSkinData* data = GalleryForm->SkinData1;
  for (bool on : {false, true}) {
    data->SetActive(on);
    ASSERT_TRUE(WaitUntil([] { return !SkinManager->Timer->Enabled(); }));
  }
  ASSERT_TRUE(WaitUntil(
      [] { return GallerySkinner() && GallerySkinner()->Phase() == TFormPhase::Active; }));
  PumpMessages();
  int checked = 0;
  for (TSkinControl* skinner : GallerySkinner()->Skinners().Items()) {
    const HWND wnd = skinner->Handle();
    if (!wnd || !IsWindowVisible(wnd) || wnd == GetFocus()) continue;
    SCOPED_TRACE(WindowClassName(wnd));
    const TCapture shown = Capture(wnd);
    RedrawWindow(wnd, nullptr, nullptr,
                 RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_UPDATENOW | RDW_ALLCHILDREN);
    PumpMessages();
    EXPECT_TRUE(Capture(wnd).Pixels == shown.Pixels);
    ++checked;
  }
  EXPECT_GT(checked, 20);
}

}  // namespace
