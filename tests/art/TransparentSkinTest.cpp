// The transparent test skin as the skin data component loads it: every
// element that the frame, menu and control painters read has its picture,
// the window border pieces are transparent at the rounded corners, and the
// caption is right-aligned on its text back.
#include "skin/window/WinSkinData.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

namespace {

const COLORREF kMagenta = RGB(255, 0, 255);

// The skin data component with the transparent test skin loaded.
class TransparentSkin : public ::testing::Test {
protected:
  void SetUp() override {
    Data.SkinStream.LoadFromFile(QUORVEL_TRANS_SKIN_FILE);
    ASSERT_TRUE(Data.LoadSkinStore());
    ASSERT_FALSE(Data.SkinEmpty);
  }
  TSkinData Data{nullptr};
};

// One picture of the skin and how its frames lie.
struct Piece {
  std::string name;
  const TBitmap* bitmap;
  int32_t frames;
  bool stacked;  // frames one above the other
};

}  // namespace

TEST_F(TransparentSkin, EveryElementHasAPictureThatItsFramesDivide) {
  const std::pair<const char*, const TDataSkinObject*> elements[] = {
      {"Scrollbar", Data.Scrollbar.get()},
      {"HorzScroll", Data.HorzScroll.get()},
      {"VertScroll", Data.VertScroll.get()},
      {"HorzScrollThumb", Data.HorzScrollThumb.get()},
      {"VertScrollThumb", Data.VertScrollThumb.get()},
      {"MenuBar", Data.MenuBar.get()},
      {"MenuItem", Data.MenuItem.get()},
      {"MenuBackground", Data.MenuBackground.get()},
      {"Tabs", Data.Tabs.get()},
      {"ComboButton", Data.ComboButton.get()},
      {"ExtraImages", Data.ExtraImages.get()},
      {"SunkEdge", Data.SunkEdge.get()},
      {"Progress", Data.Progress.get()},
      {"StatusBarEdges", Data.StatusBarEdges.get()},
      {"Headerbar", Data.Headerbar.get()},
      {"GroupBoxEdge", Data.GroupBoxEdge.get()},
      {"Toolbars", Data.Toolbars.get()},
      {"Title", Data.Title.get()},
      {"Buttons", Data.Button.get()},
  };
  std::vector<Piece> pieces;
  for (const auto& [name, element] : elements) {
    ASSERT_NE(element, nullptr) << name;
    const std::string section = name;
    pieces.push_back({section, &element->Bitmap, element->FrameCount,
                      section == "MenuBar" || section == "Title"});
  }
  for (int i = 1; i <= 4; ++i)
    pieces.push_back(
        {Data.Borders[i]->Name, &Data.Borders[i]->Bitmap, Data.Borders[i]->FrameCount, i >= 3});
  pieces.push_back({"Tabs border", &Data.Tabs->BorderBitmap, 1, false});
  pieces.push_back({"CheckButton", &Data.Button->CheckBitmap, Data.Button->CheckFrameCount, false});
  pieces.push_back({"RadioButton", &Data.Button->RadioBitmap, Data.Button->RadioFrameCount, false});
  // The title-bar buttons (the window icon draws no picture of its own), then the MDI child
  // buttons.
  int fourFrames = 0, threeFrames = 0, mdiButtons = 0;
  for (const auto& button : Data.SysButtons) {
    if (button->Action == 3) continue;
    pieces.push_back({button->Name + " action " + std::to_string(button->Action), &button->Bitmap,
                      button->FrameCount, false});
    fourFrames += button->FrameCount == 4 && button->Visibility != 100;
    threeFrames += button->FrameCount == 3;
    mdiButtons += button->Visibility == 100;
  }
  EXPECT_EQ(mdiButtons, 3);
  EXPECT_GE(fourFrames, 1) << "a title-bar button with an inactive frame";
  EXPECT_GE(threeFrames, 1) << "a title-bar button whose frame count follows from its picture";

  for (const Piece& piece : pieces) {
    SCOPED_TRACE(piece.name);
    ASSERT_FALSE(piece.bitmap->Empty());
    ASSERT_GE(piece.frames, 1);
    const int length = piece.stacked ? piece.bitmap->Height() : piece.bitmap->Width();
    EXPECT_EQ(length % piece.frames, 0);
    EXPECT_GE(length / piece.frames, 2);
  }
  EXPECT_EQ(Data.Scrollbar->FrameCount, 23);
  EXPECT_EQ(Data.ColourList.size(), 2u);
}

TEST_F(TransparentSkin, BorderPiecesAreTransparentWithMagentaOutsideTheCorners) {
  for (int i = 1; i <= 4; ++i) {
    TDataSkinBorder& border = *Data.Borders[i];
    SCOPED_TRACE(border.Name);
    EXPECT_EQ(border.Trans, 1);
    ASSERT_EQ(border.FrameCount, 2);
    TBitmap& bitmap = border.Bitmap;
    const bool stacked = i >= 3;
    const int fw = stacked ? bitmap.Width() : bitmap.Width() / 2;
    const int fh = stacked ? bitmap.Height() / 2 : bitmap.Height();
    // The window's outer corners that lie in this piece, in frame coordinates.
    const bool left = i != 2, right = i != 1, top = i != 4, bottom = i != 3;
    for (int frame = 0; frame < 2; ++frame) {
      const int ox = stacked ? 0 : fw * frame, oy = stacked ? fh * frame : 0;
      TCanvas& canvas = bitmap.Canvas();
      const struct {
        bool inPiece;
        int x, y;
      } corners[] = {{left && top, 0, 0},
                     {right && top, fw - 1, 0},
                     {left && bottom, 0, fh - 1},
                     {right && bottom, fw - 1, fh - 1}};
      for (const auto& corner : corners) {
        if (corner.inPiece) {
          EXPECT_EQ(canvas.Pixel(ox + corner.x, oy + corner.y), kMagenta)
              << "frame " << frame + 1 << " at " << corner.x << ", " << corner.y;
        }
      }
      EXPECT_NE(canvas.Pixel(ox + fw / 2, oy + fh / 2), kMagenta) << "frame " << frame + 1;
    }
  }
}

TEST_F(TransparentSkin, CaptionIsRightAlignedOnItsTextBack) {
  const TDataSkinTitle& title = *Data.Title;
  EXPECT_EQ(title.TextAlignment, 2);
  EXPECT_GT(title.Margins.right, 0);  // right clip
  EXPECT_GT(title.Margins.top, 0);    // vertical shift
  EXPECT_GT(title.TextBackLeft, 0);
  EXPECT_GT(title.TextBackRight, 0);
  ASSERT_FALSE(title.Bitmap.Empty());
  // Two frames, each as high as the title and wide enough for both fixed ends.
  const TDataSkinBorder& top = *Data.Borders[3];
  EXPECT_EQ(title.Bitmap.Height(), 2 * (top.Bitmap.Height() / top.FrameCount));
  EXPECT_GT(title.Bitmap.Width(), title.TextBackLeft + title.TextBackRight);
}

TEST_F(TransparentSkin, HasANameOfItsOwn) {
  TSkinData stored{nullptr};
  stored.SkinStream.LoadFromFile(QUORVEL_SKIN_FILE);
  ASSERT_TRUE(stored.LoadSkinStore());
  EXPECT_NE(Data.SkinName, "");
  EXPECT_NE(Data.SkinName, stored.SkinName);
}
