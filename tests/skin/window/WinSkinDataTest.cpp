// The skin data component: installing what the reader read (the values
// themselves are checked natively, tests/skin/data/SkinValuesTest.cpp),
// reloading, damaged stores, the "SkinStream" property and the start-up
// sequence.
#include <gtest/gtest.h>

#include <windows.h>

#include <memory>

#include "SkinTestFiles.h"
#include "lzhuf/LzhufEncoder.h"
#include "skin/data/SkinLimits.h"
#include "skin/data/SkinReader.h"
#include "skin/data/SkinStore.h"
#include "skin/data/SkinValuesReader.h"
#include "skin/window/SkinManager.h"
#include "skin/window/WinSkinData.h"
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

// --- installing what was read ---

// Element carries Source's values and a picture of Source's size.
void ExpectInstalled(const TDataSkinObject& Element, const TSkinElement& Source) {
  SCOPED_TRACE(Source.Name);
  EXPECT_EQ(Element.Name, Source.Name);
  EXPECT_EQ(Element.Margins.left, Source.Margins.left);
  EXPECT_EQ(Element.Margins.top, Source.Margins.top);
  EXPECT_EQ(Element.Margins.right, Source.Margins.right);
  EXPECT_EQ(Element.Margins.bottom, Source.Margins.bottom);
  EXPECT_EQ(Element.Trans, Source.Trans);
  EXPECT_EQ(Element.Tile, Source.Tile);
  EXPECT_EQ(Element.FrameCount, Source.FrameCount);
  EXPECT_EQ(Element.NormalColour, Source.NormalColour);
  EXPECT_EQ(Element.MouseOverColour2, Source.MouseOverColour2);
  EXPECT_EQ(Element.Bitmap.Width(), Source.Bitmap.Width);
  EXPECT_EQ(Element.Bitmap.Height(), Source.Bitmap.Height);
}

// Both optional elements exist or neither does; then they match.
void ExpectInstalled(const std::unique_ptr<TDataSkinObject>& Element,
                     const std::unique_ptr<TSkinElement>& Source) {
  ASSERT_EQ(Element != nullptr, Source != nullptr);
  if (Element) ExpectInstalled(*Element, *Source);
}

// The component loaded from a skin file holds exactly what the reader read
// from it, pictures as bitmaps of the same sizes, and the face brush.
TEST_F(SkinDataTest, LoadingInstallsWhatTheReaderRead) {
  for (const char* path : {QUORVEL_SKIN_FILE, QUORVEL_TRANS_SKIN_FILE}) {
    SCOPED_TRACE(path);
    const Bytes file = ReadFileBytes(path);
    auto skin = LoadedSkin(file);
    ASSERT_FALSE(skin->SkinEmpty);
    EXPECT_NE(skin->FaceBrush(), nullptr);

    TMemoryStream store(file);
    TSkinReader reader;
    std::string description;
    ASSERT_EQ(OpenSkinFile(store, reader, description), TSkinOpenResult::Opened);
    const TSkinValues values = ReadSkinValues(description, reader);
    EXPECT_EQ(skin->SkinName, values.SkinName);
    EXPECT_EQ(skin->ButtonFaceColour, values.ButtonFaceColour);
    EXPECT_EQ(skin->TitleTextInactiveColour, values.TitleTextInactiveColour);
    EXPECT_EQ(skin->ColourList, values.ColourList);
    for (size_t i = 1; i <= 4; ++i) {
      ExpectInstalled(*skin->Borders[i], values.Borders[i]);
      EXPECT_EQ(skin->Borders[i]->BorderBitmap.Width(), values.Borders[i].BorderBitmap.Width);
    }
    ASSERT_EQ(skin->SysButtons.size(), values.SysButtons.size());
    for (size_t i = 0; i < values.SysButtons.size(); ++i) {
      ExpectInstalled(*skin->SysButtons[i], values.SysButtons[i]);
      EXPECT_EQ(skin->SysButtons[i]->Action, values.SysButtons[i].Action);
      EXPECT_EQ(skin->SysButtons[i]->XCoord, values.SysButtons[i].XCoord);
      EXPECT_EQ(skin->SysButtons[i]->Visibility, values.SysButtons[i].Visibility);
    }
    ExpectInstalled(*skin->Title, values.Title);
    EXPECT_EQ(skin->Title->TextAlignment, values.Title.TextAlignment);
    EXPECT_EQ(skin->Title->ActiveTextColour, values.Title.ActiveTextColour);
    ExpectInstalled(*skin->Button, values.Button);
    EXPECT_EQ(skin->Button->CheckFrameCount, values.Button.CheckFrameCount);
    EXPECT_EQ(skin->Button->RadioBitmap.Width(), values.Button.RadioBitmap.Width);
    ASSERT_EQ(skin->Tabs != nullptr, values.Tabs != nullptr);
    if (skin->Tabs) ExpectInstalled(*skin->Tabs, *values.Tabs);
    ExpectInstalled(skin->ComboButton, values.ComboButton);
    ExpectInstalled(skin->MenuBar, values.MenuBar);
    ExpectInstalled(skin->MenuItem, values.MenuItem);
    ExpectInstalled(skin->MenuBackground, values.MenuBackground);
    ExpectInstalled(skin->Scrollbar, values.Scrollbar);
    ExpectInstalled(skin->VertScrollThumb, values.VertScrollThumb);
    ExpectInstalled(skin->Progress, values.Progress);
    ExpectInstalled(skin->StatusBarEdges, values.StatusBarEdges);
  }
}

TEST_F(SkinDataTest, ReloadingReplacesTheModel) {
  auto skin = LoadedSkin(DescribedSkin(
      "[Personality]\nTopTopHeight=9\n[Progress]\nBitmap=p.bmp\n[Tabs]\nImage=p.bmp\nBorder=p.bmp\n"
      "[Button0]\n[Colour1]\ncolor=1 1 1\n",
      {{"p.bmp", BmpFile(10, 3)}}));  // five frames for the tabs
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
  // The same stores, and a refused skin, leave a skin in force as it is.
  auto loaded = LoadedSkin(good);
  ASSERT_FALSE(loaded->SkinEmpty);
  const Bytes refused = DescribedSkin("[Personality]\nLeft=w.bmp\n", {{"w.bmp", BmpFile(300, 2)}});
  for (const Case& c : cases) {
    MessagesShown = 0;
    auto skin = LoadedSkin(c.File);
    EXPECT_TRUE(skin->SkinEmpty) << c.Name;
    EXPECT_EQ(MessagesShown, c.Messages) << c.Name;
    EXPECT_NE(skin->LoadError(), "") << c.Name;

    loaded->SkinStream.Clear();
    loaded->SkinStream.WriteBuffer(c.File.data(), c.File.size());
    EXPECT_FALSE(loaded->LoadSkinStore()) << c.Name;
    EXPECT_FALSE(loaded->SkinEmpty) << c.Name;
    EXPECT_EQ(loaded->SkinName, "x") << c.Name;
  }
  loaded->SkinStream.Clear();
  loaded->SkinStream.WriteBuffer(refused.data(), refused.size());
  EXPECT_FALSE(loaded->LoadSkinStore());
  EXPECT_EQ(loaded->SkinName, "x");
  EXPECT_NE(loaded->LoadError().find("300 pixels thick"), std::string::npos);
}

// A skin file is read only when its size is that of a skin: a huge file is
// refused before any of it is read, and the skin in force stays.
TEST_F(SkinDataTest, AHugeSkinFileIsRefusedUnread) {
  char folder[MAX_PATH];
  GetTempPathA(MAX_PATH, folder);
  const std::string path = std::string(folder) + "quorvel-huge.skn";
  {
    // A sparse file larger than any skin file may be.
    const HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                    FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(file, INVALID_HANDLE_VALUE);
    LARGE_INTEGER size;
    size.QuadPart = static_cast<LONGLONG>(SkinLimits::MaxFileSize) + 1;
    SetFilePointerEx(file, size, nullptr, FILE_BEGIN);
    SetEndOfFile(file);
    CloseHandle(file);
  }
  auto skin = LoadedSkin(DescribedSkin("[TitlebarSkin]\nSkinName=kept\n"));
  skin->SetSkinFile(path);
  DeleteFileA(path.c_str());
  EXPECT_EQ(skin->SkinName, "kept");
  EXPECT_FALSE(skin->SkinEmpty);
  EXPECT_NE(skin->LoadError().find("a skin file holds at most"), std::string::npos)
      << skin->LoadError();
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
