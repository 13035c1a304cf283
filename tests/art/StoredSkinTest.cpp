// The generated skin file as the skin data component loads it: every element
// that the artwork draws has its picture. (The described values themselves
// are checked with the skin data component's tests.)
#include "skin/window/WinSkinData.h"

#include <gtest/gtest.h>

#include <string>

namespace {

// The skin data component with the generated skin file loaded.
class StoredSkin : public ::testing::Test {
protected:
  void SetUp() override {
    Data.SkinStream.LoadFromFile(QUORVEL_SKIN_FILE);
    ASSERT_TRUE(Data.LoadSkinStore());
    ASSERT_FALSE(Data.SkinEmpty);
  }
  TSkinData Data{nullptr};
};

}  // namespace

TEST_F(StoredSkin, EveryOtherElementHasItsPicture) {
  for (const auto* element :
       {&Data.Tabs->Bitmap, &Data.Tabs->BorderBitmap, &Data.ComboButton->Bitmap,
        &Data.SunkEdge->Bitmap, &Data.ExtraImages->Bitmap, &Data.Toolbars->Bitmap,
        &Data.Progress->Bitmap, &Data.Headerbar->Bitmap, &Data.MenuBackground->Bitmap,
        &Data.HorzScroll->Bitmap, &Data.VertScroll->Bitmap, &Data.HorzScrollThumb->Bitmap,
        &Data.VertScrollThumb->Bitmap, &Data.Button->CheckBitmap, &Data.Button->RadioBitmap})
    EXPECT_FALSE(element->Empty());
  EXPECT_EQ(Data.ComboButton->Bitmap.Width() / Data.ComboButton->FrameCount, 18);
  EXPECT_EQ(Data.ExtraImages->Bitmap.Width() / Data.ExtraImages->FrameCount, 16);
  EXPECT_EQ(Data.HorzScrollThumb->FrameCount, 3);
  EXPECT_FALSE(Data.StatusBarEdges);
  EXPECT_FALSE(Data.GroupBoxEdge);
  EXPECT_FALSE(Data.MenuItem);
}
