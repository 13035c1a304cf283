// The skin data component: parsing descriptions into the model, the stored
// skin, damaged stores, the "SkinStream" property and the start-up sequence.
#include <gtest/gtest.h>

#include <windows.h>

#include <memory>

#include "SkinTestFiles.h"
#include "lzhuf/LzhufEncoder.h"
#include "skin/data/SkinManager.h"
#include "skin/data/SkinReader.h"
#include "skin/data/WinSkinData.h"
#include "ui/Filer.h"
#include "ui/ObjText.h"

namespace {

int MessagesShown = 0;
// Counts the reader's messages instead of showing them.
void RecordMessage(const std::string&) { ++MessagesShown; }

// A component at run time whose store holds File, loaded.
std::unique_ptr<TSkinData> LoadedSkin(const Bytes& File) {
  auto data = std::make_unique<TSkinData>(nullptr);
  data->SkinStream.WriteBuffer(File.data(), File.size());
  data->LoadSkinStore();
  return data;
}

// A skin of one description and some pictures.
Bytes DescribedSkin(const std::string& Description, SkinEntries Pictures = {}) {
  Pictures.insert(Pictures.begin(), {"test.ini", TextBytes(Description)});
  return SkinFile(Pictures);
}

class SkinDataTest : public ::testing::Test {
protected:
  void SetUp() override {
    // The first component installs the message box; record messages instead.
    TSkinData first(nullptr);
    FSavedProc = SkinMessageProc;
    SkinMessageProc = RecordMessage;
    MessagesShown = 0;
  }
  void TearDown() override {
    SkinMessageProc = FSavedProc;
    FreeSkinManager();
  }

private:
  TSkinMessageProc FSavedProc = nullptr;
};

// --- the stored skin ---

TEST_F(SkinDataTest, StoredSkinParsesToItsDocumentedValues) {
  auto skin = LoadedSkin(ReadFileBytes(QUORVEL_SKIN_FILE));
  ASSERT_FALSE(skin->SkinEmpty);
  EXPECT_EQ(skin->SkinName, "Quorvel Steel");

  const TDataSkinBorder& top = *skin->Borders[3];
  EXPECT_EQ(top.Name, "Top");
  EXPECT_EQ(top.Margins.left, 76);
  EXPECT_EQ(top.Margins.right, 84);
  EXPECT_EQ(top.Margins.top, 0);
  EXPECT_EQ(top.Margins.bottom, 0);
  EXPECT_EQ(top.FrameCount, 2);
  EXPECT_EQ(top.Tile, 0);
  EXPECT_EQ(top.Trans, 1);  // no TopTrans key: the default
  EXPECT_FALSE(top.Bitmap.Empty());
  const TDataSkinBorder& left = *skin->Borders[1];
  EXPECT_EQ(left.Margins.top, 33);
  EXPECT_EQ(left.Margins.bottom, 13);
  EXPECT_EQ(left.Trans, 0);

  ASSERT_EQ(skin->SysButtons.size(), 8u);
  for (int i = 0; i < 4; ++i) {
    EXPECT_EQ(skin->SysButtons[i]->FrameCount, 3) << i;
    EXPECT_EQ(skin->SysButtons[i]->Bitmap.Width(), 57) << i;
    EXPECT_EQ(skin->SysButtons[i]->Name, "BUTTON" + std::to_string(i));
  }
  EXPECT_EQ(skin->SysButtons[1]->Visibility, 2);
  EXPECT_EQ(skin->SysButtons[3]->Visibility, 1);
  EXPECT_EQ(skin->SysButtons[4]->Action, 3);
  EXPECT_EQ(skin->SysButtons[4]->FrameCount, 6);
  EXPECT_TRUE(skin->SysButtons[4]->Bitmap.Empty());
  const int mdiPlaces[3] = {57, 38, 19};
  for (int i = 0; i < 3; ++i) {
    const TDataSkinSysButton& mdi = *skin->SysButtons[5 + i];
    EXPECT_EQ(mdi.Action, 7 + i);
    EXPECT_EQ(mdi.Bitmap.Width(), 60);
    EXPECT_EQ(mdi.Bitmap.Height(), 15);
    EXPECT_EQ(mdi.XCoord, mdiPlaces[i]);
    EXPECT_EQ(mdi.FrameCount, 4);
  }

  EXPECT_TRUE(skin->ColourList.empty());
  EXPECT_EQ(skin->ButtonFaceColour, 0x00CFCFCF);
  EXPECT_EQ(skin->MenuTextColour, 0);
  EXPECT_NE(skin->FaceBrush(), nullptr);

  const TDataSkinButton& button = *skin->Button;
  EXPECT_EQ(button.Margins.left, 12);
  EXPECT_EQ(button.Margins.top, 11);
  EXPECT_EQ(button.Margins.right, 12);
  EXPECT_EQ(button.Margins.bottom, 11);
  EXPECT_EQ(button.Trans, 1);
  EXPECT_EQ(button.Tile, 0);
  EXPECT_EQ(button.RadioFrameCount, 4);  // 48 div 13 = 3, raised to 4
  EXPECT_EQ(button.CheckFrameCount, 4);
  EXPECT_EQ(button.FrameCount, 5);

  ASSERT_TRUE(skin->MenuBar);
  EXPECT_EQ(skin->MenuBar->Margins.left, 1);
  EXPECT_EQ(skin->MenuBar->Margins.right, 1);
  EXPECT_EQ(skin->MenuBar->Tile, 0);
  ASSERT_TRUE(skin->Scrollbar);  // its picture path has a forward slash
  EXPECT_TRUE(skin->Scrollbar->Bitmap.Empty());
  EXPECT_EQ(skin->Scrollbar->FrameCount, 23);
  ASSERT_TRUE(skin->Tabs);
  EXPECT_FALSE(skin->Tabs->BorderBitmap.Empty());
  EXPECT_EQ(MessagesShown, 0);
}

// --- parsing ---

TEST_F(SkinDataTest, PictureValuesNameEntriesByTheirFileNamePart) {
  auto skin = LoadedSkin(DescribedSkin(
      "[Personality]\nTop=steel\\Top.bmp\nLeft=LEFT.BMP\nRight=missing.bmp\nBottom=c:bottom.bmp\n"
      "[Scrollbar]\nImage=steel/scroll.bmp\n[ComboButton]\nImage=\n[SunkEdge]\nImage=sunk.bmp\n",
      {{"top.bmp", BmpFile(8, 4)},
       {"left.bmp", BmpFile(8, 4)},
       {"bottom.bmp", BmpFile(5, 3)},
       {"scroll.bmp", BmpFile(4, 4)},
       {"steel/scroll.bmp", BmpFile(4, 4)}}));
  ASSERT_FALSE(skin->SkinEmpty);
  EXPECT_EQ(skin->Borders[3]->Bitmap.Width(), 8);
  EXPECT_TRUE(skin->Borders[1]->Bitmap.Empty());  // upper-case extension
  EXPECT_TRUE(skin->Borders[2]->Bitmap.Empty());  // no such entry
  EXPECT_EQ(skin->Borders[4]->Bitmap.Width(), 5);
  // The name keeps its "/" and finds the entry of exactly that name.
  ASSERT_TRUE(skin->Scrollbar);
  EXPECT_EQ(skin->Scrollbar->Bitmap.Width(), 4);
  EXPECT_FALSE(skin->ComboButton);
  ASSERT_TRUE(skin->SunkEdge);  // an image that names no entry still makes the element
  EXPECT_TRUE(skin->SunkEdge->Bitmap.Empty());
  EXPECT_EQ(skin->SunkEdge->NormalColour, -1);
  EXPECT_EQ(skin->SunkEdge->NormalColour2, clWindowText);
}

TEST_F(SkinDataTest, TitleBarButtonsAndTheirDerivedFrameCounts) {
  auto skin = LoadedSkin(
      DescribedSkin("[Button0]\nButtonImage=narrow.bmp\n"
                    "[buttons]\nBitmap=wide.bmp\n[Button.Radio]\n[BUTTON.CHECKBOX]\n"
                    "[button1]\nButtonImage=wide.bmp\nCombineOp=2\n"
                    "[Button2]\nAction=-1\nButtonImage=narrow.bmp\n"
                    "[Button3]\nAction=3\nButtonImage=narrow.bmp\n"
                    "[Button4]\nAction=11\nframe=2\nButtonImage=narrow.bmp\nXcoord=12px\n",
                    {{"narrow.bmp", BmpFile(57, 20)}, {"wide.bmp", BmpFile(120, 20)}}));
  ASSERT_EQ(skin->SysButtons.size(), 8u);
  EXPECT_EQ(skin->SysButtons[0]->FrameCount, 3);
  EXPECT_EQ(skin->SysButtons[0]->CombineOp, -1);
  EXPECT_EQ(skin->SysButtons[1]->Name, "BUTTON1");
  EXPECT_EQ(skin->SysButtons[1]->FrameCount, 6);
  EXPECT_EQ(skin->SysButtons[1]->CombineOp, 2);
  EXPECT_EQ(skin->SysButtons[2]->FrameCount, 6);
  EXPECT_EQ(skin->SysButtons[3]->FrameCount, 3);
  EXPECT_TRUE(skin->SysButtons[3]->Bitmap.Empty());
  // A given frame count keeps the picture, whatever the action.
  EXPECT_EQ(skin->SysButtons[4]->FrameCount, 2);
  EXPECT_FALSE(skin->SysButtons[4]->Bitmap.Empty());
  EXPECT_EQ(skin->SysButtons[4]->XCoord, 0);  // junk after the digits: the default
  // Without [MDICONTROLS] the three MDI buttons have no picture and XCoord 0.
  for (size_t i = 5; i < 8; ++i) {
    EXPECT_TRUE(skin->SysButtons[i]->Bitmap.Empty());
    EXPECT_EQ(skin->SysButtons[i]->XCoord, 0);
    EXPECT_EQ(skin->SysButtons[i]->Align, 100);
    EXPECT_EQ(skin->SysButtons[i]->Visibility, 100);
  }
}

TEST_F(SkinDataTest, ColoursFallBackAsTheDescriptionSays) {
  auto skin = LoadedSkin(DescribedSkin(
      "[Colours]\nButtonFace=220, 220, 220\nTitleTextActive=1 2 3\nHilight=\n"
      "[Colour1]\ncolor=64 112 176\n[colours]\ncolor=9 9 9\n[ColourB]\n[COLOUR.x]\ncolor=,,5\n"));
  EXPECT_EQ(skin->ButtonFaceColour, 0x00DC00DC);
  EXPECT_EQ(skin->MenubarColour, skin->ButtonFaceColour);
  EXPECT_EQ(skin->MenuTextColour, skin->ButtonFaceColour);  // MenuText missing: ButtonFace's text
  EXPECT_EQ(skin->TitleTextActiveColour, 0x00030201);
  EXPECT_EQ(skin->TitleTextInactiveColour, 0x00030201);
  EXPECT_EQ(skin->HilightColour, clHighlight);  // empty text: the default
  EXPECT_EQ(skin->WindowTextColour, clWindowText);
  EXPECT_EQ(skin->MenuBarTextColour, clMenu);
  EXPECT_EQ(skin->ButtonDkShadowColour, clBtnShadow);
  ASSERT_EQ(skin->ColourList.size(), 3u);
  EXPECT_EQ(skin->ColourList[0], 0x00B07040);
  EXPECT_EQ(skin->ColourList[1], clWindowText);
  EXPECT_EQ(skin->ColourList[2], 0x00050000);
  TColor colour = 0;
  EXPECT_TRUE(skin->GetListColour(2, colour));
  EXPECT_EQ(colour, 0x00050000);
  EXPECT_FALSE(skin->GetListColour(3, colour));
  EXPECT_FALSE(skin->GetListColour(-1, colour));

  auto plain = LoadedSkin(DescribedSkin("[Personality]\n"));
  EXPECT_EQ(plain->MenuTextColour, clMenuText);
  EXPECT_EQ(plain->MenubarColour, clBtnFace);
  EXPECT_EQ(plain->TitleTextInactiveColour, clInactiveCaptionText);
}

TEST_F(SkinDataTest, CaptionAndMenuBar) {
  auto skin = LoadedSkin(DescribedSkin(
      "[Personality]\nTextShift=18\nTextShiftVert=-2\nTextRightClip=70\nActiveTextR=300\n"
      "ActiveTextG=0\nActiveTextB=10\nInActiveTextR=1\nInActiveTextG=2\nmenuBar=menu.bmp\n"
      "TileMenu=1\nTileLeftMenu=4\n[Fonts]\nFontHeight=x\n",
      {{"menu.bmp", BmpFile(70, 36)}}));
  const TDataSkinTitle& title = *skin->Title;
  EXPECT_EQ(title.Margins.left, 18);
  EXPECT_EQ(title.Margins.top, -2);
  EXPECT_EQ(title.Margins.right, 70);
  EXPECT_EQ(title.FontHeight, 14);
  EXPECT_EQ(title.ActiveTextColour, 0x000A002C);  // 300 mod 256 = 44
  EXPECT_EQ(title.InactiveTextColour, clNone);    // no blue: not given
  EXPECT_EQ(title.FrameCount, 2);
  ASSERT_TRUE(skin->MenuBar);
  EXPECT_EQ(skin->MenuBar->Name, "Personality");
  EXPECT_EQ(skin->MenuBar->Tile, 1);
  EXPECT_EQ(skin->MenuBar->Margins.left, 4);
  EXPECT_EQ(skin->MenuBar->Margins.right, 1);
  EXPECT_EQ(skin->MenuBar->FrameCount, 2);
}

TEST_F(SkinDataTest, FrameCountsOfElementsAndToggles) {
  auto skin = LoadedSkin(DescribedSkin(
      "[Buttons]\nCheckButton=check.bmp\nRadioButton=radio.bmp\n"
      "[HorzScrollThumb]\nImage=t.bmp\nFrameCount=7\n[VertScrollThumb]\nImage=t.bmp\n"
      "[Progress]\nBitmap=t.bmp\nTile=1\nNormalColour=5\n[StatusBarEdges]\nImage=t.bmp\n",
      {{"check.bmp", BmpFile(104, 13)}, {"radio.bmp", BmpFile(96, 16)}, {"t.bmp", BmpFile(6, 6)}}));
  EXPECT_EQ(skin->Button->CheckFrameCount, 8);
  EXPECT_EQ(skin->Button->RadioFrameCount, 6);
  EXPECT_EQ(skin->HorzScrollThumb->FrameCount, 7);
  EXPECT_EQ(skin->VertScrollThumb->FrameCount, 3);
  EXPECT_EQ(skin->StatusBarEdges->FrameCount, 3);
  ASSERT_TRUE(skin->Progress);
  EXPECT_EQ(skin->Progress->FrameCount, 2);
  EXPECT_EQ(skin->Progress->Tile, 1);
  EXPECT_EQ(skin->Progress->NormalColour, 0);  // the bitmap element reads no colours
  EXPECT_FALSE(skin->Tabs);
}

TEST_F(SkinDataTest, ReloadingReplacesTheModel) {
  auto skin = LoadedSkin(DescribedSkin(
      "[Personality]\nTopTopHeight=9\n[Progress]\nBitmap=p.bmp\n[Tabs]\nImage=p.bmp\nBorder=p.bmp\n"
      "[Button0]\n[Colour1]\ncolor=1 1 1\n",
      {{"p.bmp", BmpFile(3, 3)}}));
  ASSERT_TRUE(skin->Progress && skin->Tabs);
  ASSERT_EQ(skin->SysButtons.size(), 4u);
  const TDataSkinTitle* title = skin->Title.get();
  const TDataSkinBorder* top = skin->Borders[3].get();

  const Bytes second = DescribedSkin("[Personality]\nTopFrame=3\n");
  skin->SkinStream.Clear();
  skin->SkinStream.WriteBuffer(second.data(), second.size());
  EXPECT_TRUE(skin->LoadSkinStore());
  EXPECT_FALSE(skin->Progress);
  EXPECT_FALSE(skin->Tabs);
  EXPECT_EQ(skin->SysButtons.size(), 3u);
  EXPECT_TRUE(skin->ColourList.empty());
  EXPECT_EQ(skin->Title.get(), title);
  EXPECT_EQ(skin->Borders[3].get(), top);
  EXPECT_EQ(top->Margins.left, 0);
  EXPECT_EQ(top->FrameCount, 3);
}

// --- damaged stores ---

TEST_F(SkinDataTest, DamagedStoresLeaveTheSkinEmpty) {
  const Bytes good = DescribedSkin("[TitlebarSkin]\nSkinName=x\n");
  const Bytes sizeOnly(good.begin(), good.begin() + 4);  // the bit stream reads as zeros
  Bytes hugeSize = good;
  hugeSize[3] = 0xFF;
  const Bytes noise = {0x10, 0x00, 0x00, 0x00, 0xDE, 0xAD, 0xBE, 0xEF, 0x01, 0x02};
  struct Case {
    const char* Name;
    Bytes File;
    int Messages;
  } cases[] = {
      {"empty store", {}, 1},
      {"noise", noise, 1},
      {"size word only", sizeOnly, 1},
      {"huge unpacked size", hugeSize, 0},
      {"old version", SkinFile({{"a.ini", TextBytes("[x]")}}, 10000), 1},
      {"names past the end", LzhufPackSkinFile({0x20, 0x4E, 0, 0, 0xFF, 0xFF, 0, 0, 0, 0, 0, 0}),
       0},
      {"no description", SkinFile({{"a.bmp", BmpFile(2, 2)}}), 0},
  };
  for (const Case& c : cases) {
    MessagesShown = 0;
    auto skin = LoadedSkin(c.File);
    EXPECT_TRUE(skin->SkinEmpty) << c.Name;
    EXPECT_EQ(MessagesShown, c.Messages) << c.Name;
  }
  EXPECT_FALSE(LoadedSkin(good)->SkinEmpty);
}

// --- the stored property and the start-up sequence ---

// A definition of Data written with the component writer.
Bytes Definition(TSkinData& Data) {
  TMemoryStream stream;
  WriteComponentToStream(stream, &Data);
  return stream.Bytes();
}

// Reads a definition into Data.
void ReadDefinition(const Bytes& Definition, TSkinData& Data) {
  TMemoryStream stream(Definition);
  ReadComponentFromStream(stream, &Data);
}

// Where Needle starts in Haystack, or npos.
size_t Find(const Bytes& Haystack, const Bytes& Needle) {
  const auto at = std::search(Haystack.begin(), Haystack.end(), Needle.begin(), Needle.end());
  return at == Haystack.end() ? std::string::npos : static_cast<size_t>(at - Haystack.begin());
}

TEST_F(SkinDataTest, SkinStreamRoundTripsAndLoadsAtOnce) {
  const Bytes file = DescribedSkin("[TitlebarSkin]\nSkinName=Round\n");
  auto source = LoadedSkin(file);
  source->SetName("SkinData1");
  const Bytes written = Definition(*source);
  const Bytes payload = SkinPayload(static_cast<int32_t>(file.size()), file);
  EXPECT_NE(Find(written, payload), std::string::npos);

  TSkinData target(nullptr);
  ReadDefinition(written, target);
  EXPECT_EQ(target.SkinStream.Bytes(), file);
  EXPECT_FALSE(target.SkinEmpty);
  EXPECT_EQ(target.SkinName, "Round");
  EXPECT_EQ(target.GetSkinStore(), "(none)");  // at run time, even with a store
  EXPECT_EQ(Definition(target), written);
}

TEST_F(SkinDataTest, PropertiesAreStoredInPublishedOrderBeforeTheSkin) {
  TSkinData data(nullptr);
  data.SetName("SkinData1");
  const Bytes file = DescribedSkin("[TitlebarSkin]\nSkinName=x\n");
  data.SkinStream.WriteBuffer(file.data(), file.size());
  data.SetActive(true);
  TMemoryStream binary(Definition(data));
  TMemoryStream text;
  ObjectBinaryToText(binary, text);
  const std::string form(text.Bytes().begin(), text.Bytes().end());
  size_t at = 0;
  for (const char* line :
       {"Active = True", "DisableTag = 99",
        "SkinControls = [xcMainMenu, xcPopupMenu, xcToolbar, xcControlbar, xcCombo, xcCheckBox, "
        "xcRadioButton, xcProgress, xcScrollbar, xcEdit, xcButton, xcBitBtn, xcSpeedButton, "
        "xcPanel, "
        "xcGroupBox, xcStatusBar, xcTab]",
        "SkinStore = '(none)'", "SkinFormtype = sfMainform", "SkinStream = {"}) {
    const size_t found = form.find(line, at);
    ASSERT_NE(found, std::string::npos) << line << "\n" << form;
    at = found;
  }
}

TEST_F(SkinDataTest, EmptyStoreIsWrittenAsFourZeroBytesAndReadsAsNothing) {
  TSkinData empty(nullptr);
  empty.SetName("SkinData1");
  const Bytes written = Definition(empty);
  // "SkinStream", a binary value of 4 bytes: a zero size.
  const Bytes property = {'S',  'k', 'i', 'n', 'S', 't', 'r', 'e', 'a', 'm',
                          0x0A, 4,   0,   0,   0,   0,   0,   0,   0};
  EXPECT_NE(Find(written, property), std::string::npos);

  auto loaded = LoadedSkin(DescribedSkin("[TitlebarSkin]\nSkinName=kept\n"));
  const Bytes before = loaded->SkinStream.Bytes();
  ReadDefinition(written, *loaded);
  EXPECT_EQ(loaded->SkinStream.Bytes(), before);
}

TEST_F(SkinDataTest, StartUpSwitchesTheManagerOnOnlyWithASkin) {
  TSkinData withSkin(nullptr);
  withSkin.SetName("SkinData1");
  const Bytes file = DescribedSkin("[TitlebarSkin]\nSkinName=x\n");
  withSkin.SkinStream.WriteBuffer(file.data(), file.size());
  withSkin.SetActive(true);  // empty yet: only stored
  EXPECT_FALSE(SkinManager->Active);
  const Bytes definition = Definition(withSkin);

  TSkinData reader(nullptr);
  ReadDefinition(definition, reader);
  EXPECT_TRUE(reader.Active());
  EXPECT_FALSE(reader.SkinEmpty);
  EXPECT_TRUE(SkinManager->Active);  // no window activated yet: at once
  EXPECT_EQ(SkinManager->PendingAction, TSkinManage::raSwitchOn);
  EXPECT_FALSE(SkinManager->Timer->Enabled());

  FreeSkinManager();
  TSkinData emptyStore(nullptr);
  emptyStore.SetName("SkinData1");
  emptyStore.SetActive(true);
  TSkinData fresh(nullptr);
  ReadDefinition(Definition(emptyStore), fresh);
  EXPECT_FALSE(fresh.Active());
  EXPECT_FALSE(SkinManager->Active);
}

TEST_F(SkinDataTest, DesignModeStoresButNeverLoads) {
  const Bytes file = DescribedSkin("[TitlebarSkin]\nSkinName=x\n");
  TComponent designer(nullptr);
  designer.SetDesigning(true);
  auto* design = new TSkinData(&designer);
  EXPECT_EQ(design->GetSkinStore(), "(none)");
  const Bytes definition = Definition(*LoadedSkin(file));
  ReadDefinition(definition, *design);
  EXPECT_EQ(design->SkinStream.Bytes(), file);
  EXPECT_TRUE(design->SkinEmpty);
  EXPECT_EQ(design->GetSkinStore(), "(Good)");
  EXPECT_FALSE(design->LoadSkinStore());
  design->SetSkinStore("(none)");  // ignored
  EXPECT_EQ(design->GetSkinStore(), "(Good)");
  design->SetSkinFile("C:\\any.skn");  // forgets the store
  EXPECT_EQ(design->GetSkinStore(), "(none)");
}

TEST_F(SkinDataTest, OnlyMainFormComponentsSwitchSkinning) {
  auto skin = LoadedSkin(DescribedSkin("[TitlebarSkin]\nSkinName=x\n"));
  skin->SetSkinFormtype(sfOnlyThisForm);
  skin->SetActive(true);
  EXPECT_TRUE(skin->Active());
  EXPECT_EQ(SkinManager->PendingAction, 0);
  skin->SetSkinFormtype(sfMainform);
  skin->SetActive(false);
  skin->SetActive(true);
  EXPECT_EQ(SkinManager->PendingAction, TSkinManage::raSwitchOn);
  EXPECT_TRUE(SkinManager->Active);
}

TEST_F(SkinDataTest, PreviewFormsAreRefusedBeforeTheEvent) {
  TSkinData data(nullptr);
  int asked = 0;
  data.OnFormSkin = [&](TObject* sender, const std::string& name, bool& doSkin) {
    ++asked;
    EXPECT_EQ(sender, &data);
    doSkin = name != "TForm2";
  };
  bool doSkin = true;
  data.CheckFormSkin("TQRStandardPreview", doSkin);
  EXPECT_FALSE(doSkin);
  doSkin = true;
  data.CheckFormSkin("TfrPreviewForm", doSkin);
  EXPECT_FALSE(doSkin);
  EXPECT_EQ(asked, 0);
  doSkin = true;
  data.CheckFormSkin("TForm2", doSkin);
  EXPECT_FALSE(doSkin);
  doSkin = true;
  data.CheckFormSkin("TForm1", doSkin);
  EXPECT_TRUE(doSkin);
  EXPECT_EQ(asked, 2);
}

}  // namespace
