// Reading descriptions into the skin model's values, natively: the stored
// skin's documented values, picture names, title-bar buttons and their
// derived frame counts, colours, caption and menu bar, fixed frame counts.
#include <gtest/gtest.h>

#include <string>

#include "SkinTestFiles.h"
#include "skin/data/SkinDescription.h"
#include "skin/data/SkinReader.h"
#include "skin/data/SkinStore.h"
#include "skin/data/SkinValuesReader.h"
#include "ui/Streams.h"

namespace {

int MessagesShown = 0;
// Counts the reader's messages instead of showing them.
void RecordMessage(const std::string&) { ++MessagesShown; }

// A system colour as the model holds colours.
constexpr TSkinColourValue Sys(TSkinColour Colour) { return static_cast<TSkinColourValue>(Colour); }

// The values of a skin file; the test fails when it does not open.
TSkinValues ValuesOf(const Bytes& File) {
  TMemoryStream store(File);
  TSkinReader reader;
  std::string description;
  EXPECT_EQ(OpenSkinFile(store, reader, description), TSkinOpenResult::Opened);
  return ReadSkinValues(description, reader);
}

// A skin of one description and some pictures.
Bytes DescribedSkin(const std::string& Description, SkinEntries Pictures = {}) {
  Pictures.insert(Pictures.begin(), {"test.ini", TextBytes(Description)});
  return SkinFile(Pictures);
}

class SkinValuesTest : public ::testing::Test {
protected:
  void SetUp() override {
    FSavedProc = SkinMessageProc;
    SkinMessageProc = RecordMessage;
    MessagesShown = 0;
  }
  void TearDown() override { SkinMessageProc = FSavedProc; }

private:
  TSkinMessageProc FSavedProc = nullptr;
};

TEST_F(SkinValuesTest, StoredSkinParsesToItsDocumentedValues) {
  const TSkinValues skin = ValuesOf(ReadFileBytes(QUORVEL_SKIN_FILE));
  EXPECT_EQ(skin.SkinName, "Quorvel Steel");

  const TSkinBorderElement& top = skin.Borders[3];
  EXPECT_EQ(top.Name, "Top");
  EXPECT_EQ(top.Margins.left, 76);
  EXPECT_EQ(top.Margins.right, 84);
  EXPECT_EQ(top.Margins.top, 0);
  EXPECT_EQ(top.Margins.bottom, 0);
  EXPECT_EQ(top.FrameCount, 2);
  EXPECT_EQ(top.Tile, 0);
  EXPECT_EQ(top.Trans, 1);  // no TopTrans key: the default
  EXPECT_GT(top.Bitmap.Width, 0);
  const TSkinBorderElement& left = skin.Borders[1];
  EXPECT_EQ(left.Margins.top, 33);
  EXPECT_EQ(left.Margins.bottom, 13);
  EXPECT_EQ(left.Trans, 0);

  ASSERT_EQ(skin.SysButtons.size(), 8u);
  for (size_t i = 0; i < 4; ++i) {
    EXPECT_EQ(skin.SysButtons[i].FrameCount, 3) << i;
    EXPECT_EQ(skin.SysButtons[i].Bitmap.Width, 57) << i;
    EXPECT_EQ(skin.SysButtons[i].Name, "BUTTON" + std::to_string(i));
  }
  EXPECT_EQ(skin.SysButtons[1].Visibility, 2);
  EXPECT_EQ(skin.SysButtons[3].Visibility, 1);
  EXPECT_EQ(skin.SysButtons[4].Action, 3);
  EXPECT_EQ(skin.SysButtons[4].FrameCount, 6);
  EXPECT_EQ(skin.SysButtons[4].Bitmap.Width, 0);
  const int mdiPlaces[3] = {57, 38, 19};
  for (size_t i = 0; i < 3; ++i) {
    const TSkinSysButtonElement& mdi = skin.SysButtons[5 + i];
    EXPECT_EQ(mdi.Action, 7 + int(i));
    EXPECT_EQ(mdi.Bitmap.Width, 60);
    EXPECT_EQ(mdi.Bitmap.Height, 15);
    EXPECT_EQ(mdi.XCoord, mdiPlaces[i]);
    EXPECT_EQ(mdi.FrameCount, 4);
  }

  EXPECT_TRUE(skin.ColourList.empty());
  EXPECT_EQ(skin.ButtonFaceColour, 0x00CFCFCF);
  EXPECT_EQ(skin.MenuTextColour, 0);

  const TSkinButtonElement& button = skin.Button;
  EXPECT_EQ(button.Margins.left, 12);
  EXPECT_EQ(button.Margins.top, 11);
  EXPECT_EQ(button.Margins.right, 12);
  EXPECT_EQ(button.Margins.bottom, 11);
  EXPECT_EQ(button.Trans, 1);
  EXPECT_EQ(button.Tile, 0);
  EXPECT_EQ(button.RadioFrameCount, 4);  // 48 div 13 = 3, raised to 4
  EXPECT_EQ(button.CheckFrameCount, 4);
  EXPECT_EQ(button.FrameCount, 5);

  ASSERT_TRUE(skin.MenuBar);
  EXPECT_EQ(skin.MenuBar->Margins.left, 1);
  EXPECT_EQ(skin.MenuBar->Margins.right, 1);
  EXPECT_EQ(skin.MenuBar->Tile, 0);
  EXPECT_FALSE(skin.Scrollbar);  // no arrows: scroll bars keep the platform's look
  ASSERT_TRUE(skin.Tabs);
  EXPECT_GT(skin.Tabs->BorderBitmap.Width, 0);
  EXPECT_EQ(MessagesShown, 0);
}

TEST_F(SkinValuesTest, PictureValuesNameEntriesByTheirFileNamePart) {
  const TSkinValues skin = ValuesOf(DescribedSkin(
      "[Personality]\nTop=steel\\Top.bmp\nLeft=LEFT.BMP\nRight=missing.bmp\nBottom=c:bottom.bmp\n"
      "[Scrollbar]\nImage=steel/scroll.bmp\n[ComboButton]\nImage=\n[SunkEdge]\nImage=sunk.bmp\n",
      {{"top.bmp", BmpFile(8, 4)},
       {"left.bmp", BmpFile(8, 4)},
       {"bottom.bmp", BmpFile(5, 3)},
       {"scroll.bmp", BmpFile(4, 4)},
       {"steel/scroll.bmp", BmpFile(4, 4)}}));
  EXPECT_EQ(skin.Borders[3].Bitmap.Width, 8);
  EXPECT_EQ(skin.Borders[1].Bitmap.Width, 0);  // upper-case extension
  EXPECT_EQ(skin.Borders[2].Bitmap.Width, 0);  // no such entry
  EXPECT_EQ(skin.Borders[4].Bitmap.Width, 5);
  // The name keeps its "/" and finds the entry of exactly that name.
  ASSERT_TRUE(skin.Scrollbar);
  EXPECT_EQ(skin.Scrollbar->Bitmap.Width, 4);
  EXPECT_FALSE(skin.ComboButton);
  ASSERT_TRUE(skin.SunkEdge);  // an image that names no entry still makes the element
  EXPECT_EQ(skin.SunkEdge->Bitmap.Width, 0);
  EXPECT_EQ(skin.SunkEdge->NormalColour, -1);
  EXPECT_EQ(skin.SunkEdge->NormalColour2, Sys(SkinSysColour::WindowText));
}

TEST_F(SkinValuesTest, TitleBarButtonsAndTheirDerivedFrameCounts) {
  const TSkinValues skin =
      ValuesOf(DescribedSkin("[Button0]\nButtonImage=narrow.bmp\n"
                             "[buttons]\nBitmap=wide.bmp\n[Button.Radio]\n[BUTTON.CHECKBOX]\n"
                             "[button1]\nButtonImage=wide.bmp\nCombineOp=2\n"
                             "[Button2]\nAction=-1\nButtonImage=narrow.bmp\n"
                             "[Button3]\nAction=3\nButtonImage=narrow.bmp\n"
                             "[Button4]\nAction=11\nframe=2\nButtonImage=narrow.bmp\nXcoord=12px\n",
                             {{"narrow.bmp", BmpFile(57, 20)}, {"wide.bmp", BmpFile(120, 20)}}));
  ASSERT_EQ(skin.SysButtons.size(), 8u);
  EXPECT_EQ(skin.SysButtons[0].FrameCount, 3);
  EXPECT_EQ(skin.SysButtons[0].CombineOp, -1);
  EXPECT_EQ(skin.SysButtons[1].Name, "BUTTON1");
  EXPECT_EQ(skin.SysButtons[1].FrameCount, 6);
  EXPECT_EQ(skin.SysButtons[1].CombineOp, 2);
  EXPECT_EQ(skin.SysButtons[2].FrameCount, 6);
  EXPECT_EQ(skin.SysButtons[3].FrameCount, 3);
  EXPECT_EQ(skin.SysButtons[3].Bitmap.Width, 0);
  // A given frame count keeps the picture, whatever the action.
  EXPECT_EQ(skin.SysButtons[4].FrameCount, 2);
  EXPECT_GT(skin.SysButtons[4].Bitmap.Width, 0);
  EXPECT_EQ(skin.SysButtons[4].XCoord, 0);  // junk after the digits: the default
  // Without [MDICONTROLS] the three MDI buttons have no picture and XCoord 0.
  for (size_t i = 5; i < 8; ++i) {
    EXPECT_EQ(skin.SysButtons[i].Bitmap.Width, 0);
    EXPECT_EQ(skin.SysButtons[i].XCoord, 0);
    EXPECT_EQ(skin.SysButtons[i].Align, 100);
    EXPECT_EQ(skin.SysButtons[i].Visibility, 100);
  }
}

TEST_F(SkinValuesTest, ColoursFallBackAsTheDescriptionSays) {
  const TSkinValues skin = ValuesOf(DescribedSkin(
      "[Colours]\nButtonFace=220, 220, 220\nTitleTextActive=1 2 3\nHilight=\n"
      "[Colour1]\ncolor=64 112 176\n[colours]\ncolor=9 9 9\n[ColourB]\n[COLOUR.x]\ncolor=,,5\n"));
  EXPECT_EQ(skin.ButtonFaceColour, 0x00DC00DC);
  EXPECT_EQ(skin.MenubarColour, skin.ButtonFaceColour);
  EXPECT_EQ(skin.MenuTextColour, skin.ButtonFaceColour);  // MenuText missing: ButtonFace's text
  EXPECT_EQ(skin.TitleTextActiveColour, 0x00030201);
  EXPECT_EQ(skin.TitleTextInactiveColour, 0x00030201);
  EXPECT_EQ(skin.HilightColour, Sys(SkinSysColour::Highlight));  // empty text: the default
  EXPECT_EQ(skin.WindowTextColour, Sys(SkinSysColour::WindowText));
  EXPECT_EQ(skin.MenuBarTextColour, Sys(SkinSysColour::Menu));
  EXPECT_EQ(skin.ButtonDkShadowColour, Sys(SkinSysColour::BtnShadow));
  ASSERT_EQ(skin.ColourList.size(), 3u);
  EXPECT_EQ(skin.ColourList[0], 0x00B07040);
  EXPECT_EQ(skin.ColourList[1], Sys(SkinSysColour::WindowText));
  EXPECT_EQ(skin.ColourList[2], 0x00050000);
  TSkinColourValue colour = 0;
  EXPECT_TRUE(skin.GetListColour(2, colour));
  EXPECT_EQ(colour, 0x00050000);
  EXPECT_FALSE(skin.GetListColour(3, colour));
  EXPECT_FALSE(skin.GetListColour(-1, colour));

  const TSkinValues plain = ValuesOf(DescribedSkin("[Personality]\n"));
  EXPECT_EQ(plain.MenuTextColour, Sys(SkinSysColour::MenuText));
  EXPECT_EQ(plain.MenubarColour, Sys(SkinSysColour::BtnFace));
  EXPECT_EQ(plain.TitleTextInactiveColour, Sys(SkinSysColour::InactiveCaptionText));
}

TEST_F(SkinValuesTest, CaptionAndMenuBar) {
  const TSkinValues skin = ValuesOf(DescribedSkin(
      "[Personality]\nTextShift=18\nTextShiftVert=-2\nTextRightClip=70\nActiveTextR=300\n"
      "ActiveTextG=0\nActiveTextB=10\nInActiveTextR=1\nInActiveTextG=2\nmenuBar=menu.bmp\n"
      "TileMenu=1\nTileLeftMenu=4\n[Fonts]\nFontHeight=x\n",
      {{"menu.bmp", BmpFile(70, 36)}}));
  const TSkinTitleElement& title = skin.Title;
  EXPECT_EQ(title.Margins.left, 18);
  EXPECT_EQ(title.Margins.top, -2);
  EXPECT_EQ(title.Margins.right, 70);
  EXPECT_EQ(title.FontHeight, 14);
  EXPECT_EQ(title.ActiveTextColour, 0x000A002C);               // 300 mod 256 = 44
  EXPECT_EQ(title.InactiveTextColour, Sys(SkinNoTextColour));  // no blue: not given
  EXPECT_EQ(title.FrameCount, 2);
  ASSERT_TRUE(skin.MenuBar);
  EXPECT_EQ(skin.MenuBar->Name, "Personality");
  EXPECT_EQ(skin.MenuBar->Tile, 1);
  EXPECT_EQ(skin.MenuBar->Margins.left, 4);
  EXPECT_EQ(skin.MenuBar->Margins.right, 1);
  EXPECT_EQ(skin.MenuBar->FrameCount, 2);
}

TEST_F(SkinValuesTest, FrameCountsOfElementsAndToggles) {
  const TSkinValues skin = ValuesOf(DescribedSkin(
      "[Buttons]\nCheckButton=check.bmp\nRadioButton=radio.bmp\n"
      "[HorzScrollThumb]\nImage=t.bmp\nFrameCount=7\n[VertScrollThumb]\nImage=t.bmp\n"
      "[Progress]\nBitmap=t.bmp\nTile=1\nNormalColour=5\n[StatusBarEdges]\nImage=t.bmp\n",
      {{"check.bmp", BmpFile(104, 13)}, {"radio.bmp", BmpFile(96, 16)}, {"t.bmp", BmpFile(6, 6)}}));
  EXPECT_EQ(skin.Button.CheckFrameCount, 8);
  EXPECT_EQ(skin.Button.RadioFrameCount, 6);
  EXPECT_EQ(skin.HorzScrollThumb->FrameCount, 7);
  EXPECT_EQ(skin.VertScrollThumb->FrameCount, 3);
  EXPECT_EQ(skin.StatusBarEdges->FrameCount, 3);
  ASSERT_TRUE(skin.Progress);
  EXPECT_EQ(skin.Progress->FrameCount, 2);
  EXPECT_EQ(skin.Progress->Tile, 1);
  EXPECT_EQ(skin.Progress->NormalColour, 0);  // the bitmap element reads no colours
  EXPECT_FALSE(skin.Tabs);
}

// The MDI strip is cut into three 24-bit pictures of four frames, whatever
// the source's depth (here 8 bits through a palette).
TEST_F(SkinValuesTest, MdiStripIsCutIntoThreeButtons) {
  TDibImage strip;
  strip.Width = 24;
  strip.Height = 2;
  strip.BitCount = 8;
  strip.Palette = {0x000000, 0x112233, 0x445566};
  strip.Pixels.assign(DibStride(24, 8) * 2, 0);
  // Row 1 takes palette entries 1, 2, 1 in the 8 columns of each button.
  for (int x = 0; x < 24; ++x) strip.Row(1)[x] = uint8_t(1 + (x / 8) % 2);
  const TSkinValues skin =
      ValuesOf(DescribedSkin("[MDICONTROLS]\nImage=mdi.bmp\n", {{"mdi.bmp", EncodeBmp(strip)}}));
  ASSERT_EQ(skin.SysButtons.size(), 3u);
  for (size_t i = 0; i < 3; ++i) {
    const TDibImage& cut = skin.SysButtons[i].Bitmap;
    ASSERT_EQ(cut.Width, 8);
    ASSERT_EQ(cut.BitCount, 24);
    const uint32_t want = i == 1 ? 0x445566 : 0x112233;
    const uint8_t* p = cut.Row(1) + 3 * 7;
    EXPECT_EQ(uint32_t(p[2]) << 16 | uint32_t(p[1]) << 8 | p[0], want) << i;
    EXPECT_EQ(cut.Row(0)[0], 0);
    EXPECT_EQ(skin.SysButtons[i].XCoord, (2 + 4) * (3 - int(i)));
  }
}

}  // namespace
