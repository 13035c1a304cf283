// The generated skin file as the skin data component loads it: every value
// that the program relies on for its stored skin.
#include "skin/data/WinSkinData.h"

#include <gtest/gtest.h>

#include <string>

namespace {

// RGB colour value as the skin model keeps it.
TColor rgbColour(int r, int g, int b) { return static_cast<TColor>(r | g << 8 | b << 16); }

// The skin data component with the generated skin file loaded.
class StoredSkin : public ::testing::Test {
protected:
    void SetUp() override
    {
        Data.SkinStream.LoadFromFile(QUORVEL_SKIN_FILE);
        ASSERT_TRUE(Data.LoadSkinStore());
        ASSERT_FALSE(Data.SkinEmpty);
    }
    TSkinData Data{nullptr};
};

}  // namespace

TEST_F(StoredSkin, BordersHaveTheirMarginsFramesAndTransparency)
{
    EXPECT_EQ(Data.SkinName, "Quorvel Steel");
    const TDataSkinBorder& top = *Data.Borders[3];
    EXPECT_EQ(top.Margins.left, 76);
    EXPECT_EQ(top.Margins.right, 84);
    EXPECT_EQ(top.Margins.top, 0);
    EXPECT_EQ(top.Margins.bottom, 0);
    EXPECT_EQ(top.FrameCount, 2);
    EXPECT_EQ(top.Tile, 0);
    EXPECT_EQ(top.Trans, 1);
    EXPECT_EQ(top.Bitmap.Width(), 179);
    EXPECT_EQ(top.Bitmap.Height(), 66);
    const TDataSkinBorder& left = *Data.Borders[1];
    EXPECT_EQ(left.Margins.top, 33);
    EXPECT_EQ(left.Margins.bottom, 13);
    EXPECT_EQ(left.Trans, 0);
    EXPECT_EQ(left.Bitmap.Width() / left.FrameCount, 10);
    EXPECT_EQ(Data.Borders[2]->Bitmap.Width() / Data.Borders[2]->FrameCount, 12);
    EXPECT_EQ(Data.Borders[4]->Bitmap.Height() / Data.Borders[4]->FrameCount, 13);
}

TEST_F(StoredSkin, HasEightTitleBarButtons)
{
    ASSERT_EQ(Data.SysButtons.size(), 8u);
    for (int i = 0; i < 4; ++i) {
        EXPECT_EQ(Data.SysButtons[i]->FrameCount, 3) << i;
        EXPECT_EQ(Data.SysButtons[i]->Bitmap.Width(), 57) << i;
        EXPECT_EQ(Data.SysButtons[i]->Bitmap.Height(), 20) << i;
    }
    EXPECT_EQ(Data.SysButtons[1]->Visibility, 2);
    EXPECT_EQ(Data.SysButtons[3]->Visibility, 1);
    EXPECT_EQ(Data.SysButtons[4]->Action, 3);
    EXPECT_EQ(Data.SysButtons[4]->FrameCount, 6);
    const int xcoords[3] = {57, 38, 19};
    for (int i = 0; i < 3; ++i) {
        const TDataSkinSysButton& mdi = *Data.SysButtons[5 + i];
        EXPECT_EQ(mdi.Action, 7 + i);
        EXPECT_EQ(mdi.Bitmap.Width(), 60);
        EXPECT_EQ(mdi.Bitmap.Height(), 15);
        EXPECT_EQ(mdi.XCoord, xcoords[i]);
    }
}

TEST_F(StoredSkin, ColoursButtonsMenuBarAndScrollBar)
{
    EXPECT_TRUE(Data.ColourList.empty());
    EXPECT_EQ(Data.ButtonFaceColour, rgbColour(207, 207, 207));
    EXPECT_EQ(Data.MenuTextColour, rgbColour(0, 0, 0));

    const TDataSkinButton& button = *Data.Button;
    EXPECT_EQ(button.Margins.left, 12);
    EXPECT_EQ(button.Margins.top, 11);
    EXPECT_EQ(button.Margins.right, 12);
    EXPECT_EQ(button.Margins.bottom, 11);
    EXPECT_EQ(button.Trans, 1);
    EXPECT_EQ(button.FrameCount, 5);
    EXPECT_EQ(button.RadioFrameCount, 4);
    EXPECT_EQ(button.CheckFrameCount, 4);

    ASSERT_TRUE(Data.MenuBar);
    EXPECT_EQ(Data.MenuBar->Margins.left, 1);
    EXPECT_EQ(Data.MenuBar->Margins.right, 1);
    EXPECT_EQ(Data.MenuBar->Tile, 0);

    ASSERT_TRUE(Data.Scrollbar);
    EXPECT_TRUE(Data.Scrollbar->Bitmap.Empty());
    EXPECT_EQ(Data.Scrollbar->FrameCount, 23);
}

TEST_F(StoredSkin, EveryOtherElementHasItsPicture)
{
    for (const auto* element : {&Data.Tabs->Bitmap, &Data.Tabs->BorderBitmap, &Data.ComboButton->Bitmap,
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
