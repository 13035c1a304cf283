// The bitmap-free rules of the skin description: colours, picture names,
// section kinds, derived frame counts and the stored-skin payload.
#include <gtest/gtest.h>

#include "SkinTestFiles.h"
#include "skin/data/SkinDescription.h"
#include "skin/data/SkinReader.h"
#include "skin/data/SkinStore.h"
#include "ui/Streams.h"

namespace {

TEST(SkinColour, ThreeNumbersSeparatedOnce) {
  EXPECT_EQ(ParseSkinColour("64 112 176"), 0x00B07040u);
  EXPECT_EQ(ParseSkinColour("220,220,220"), SkinRGB(220, 220, 220));
  EXPECT_EQ(ParseSkinColour("  207 207 207 \t"), SkinRGB(207, 207, 207));
  EXPECT_EQ(ParseSkinColour("0 0 0"), 0u);
}

TEST(SkinColour, EverySeparatorAdvancesTheComponent) {
  // The blank after each comma moves on once more.
  EXPECT_EQ(ParseSkinColour("220, 220, 220"), SkinRGB(220, 0, 220));
  EXPECT_EQ(ParseSkinColour(",5"), SkinRGB(0, 0, 0));  // last token lands in G: dropped
  EXPECT_EQ(ParseSkinColour(",,5"), SkinRGB(0, 0, 5));
  EXPECT_EQ(ParseSkinColour("1 2"), SkinRGB(1, 0, 0));  // the last token needs the third component
  EXPECT_EQ(ParseSkinColour("1 2 3 4 5"), SkinRGB(1, 2, 3));  // beyond the third: stored nowhere
  EXPECT_EQ(ParseSkinColour("r=10 g=20 b=30"), SkinRGB(0, 0, 10));  // "r", "=" lead to B
}

TEST(SkinColour, ComponentsWrapAndOverflowGivesZero) {
  EXPECT_EQ(ParseSkinColour("256 257 511"), SkinRGB(0, 1, 255));
  EXPECT_EQ(ParseSkinColour("99999999999 1 2"), SkinRGB(0, 1, 2));
  EXPECT_EQ(ParseSkinColour(std::string(100000, '9')), 0u);
  EXPECT_EQ(ParseSkinColour(std::string(100000, ' ') + "1 2 3"), SkinRGB(1, 2, 3));
}

TEST(SkinColour, EmptyTextGivesTheDefault) {
  EXPECT_EQ(ReadColour("", SkinSysColour::BtnFace), SkinSysColour::BtnFace);
  EXPECT_EQ(ReadColour(" ", SkinSysColour::BtnFace), 0u);
  EXPECT_EQ(ReadColour("1 2 3", SkinSysColour::BtnFace), SkinRGB(1, 2, 3));
}

TEST(SkinBitmapName, FileNamePartWithLowerCaseBmpExtension) {
  EXPECT_EQ(SkinBitmapEntryName("steel\\Top.bmp"), "Top.bmp");
  EXPECT_EQ(SkinBitmapEntryName("c:top.bmp"), "top.bmp");
  EXPECT_EQ(SkinBitmapEntryName("min.bmp"), "min.bmp");
  // A forward slash stays part of the name, which then names no entry.
  EXPECT_EQ(SkinBitmapEntryName("steel/scrollbar.bmp"), "steel/scrollbar.bmp");
  EXPECT_EQ(SkinBitmapEntryName("TOP.BMP"), "");
  EXPECT_EQ(SkinBitmapEntryName("top.bmp.txt"), "");
  EXPECT_EQ(SkinBitmapEntryName("top"), "");
  EXPECT_EQ(SkinBitmapEntryName("steel\\"), "");
  EXPECT_EQ(SkinBitmapEntryName(""), "");
  EXPECT_EQ(SkinBitmapEntryName(".bmp"), ".bmp");
}

TEST(SkinSections, TitleBarButtonsAndColourList) {
  EXPECT_TRUE(IsSysButtonSection("Button0"));
  EXPECT_TRUE(IsSysButtonSection("button"));
  EXPECT_TRUE(IsSysButtonSection("ButtonsExtra"));
  EXPECT_FALSE(IsSysButtonSection("Buttons"));
  EXPECT_FALSE(IsSysButtonSection("button.radio"));
  EXPECT_FALSE(IsSysButtonSection("BUTTON.CHECKBOX"));
  EXPECT_FALSE(IsSysButtonSection("MyButton"));
  EXPECT_TRUE(IsColourListSection("Colour1"));
  EXPECT_TRUE(IsColourListSection("colour"));
  EXPECT_FALSE(IsColourListSection("Colours"));
  EXPECT_FALSE(IsColourListSection("Color1"));
}

TEST(SkinFrameCounts, TitleBarButtonsFromPictureShape) {
  EXPECT_EQ(SysButtonFrameCount(57, 20, 0), 3);  // 2.85
  EXPECT_EQ(SysButtonFrameCount(76, 20, 1), 3);  // exactly 3.8
  EXPECT_EQ(SysButtonFrameCount(77, 20, 1), 6);
  EXPECT_EQ(SysButtonFrameCount(57, 20, -1), 6);
  EXPECT_EQ(SysButtonFrameCount(0, 0, 3), 6);
  EXPECT_EQ(SysButtonFrameCount(57, 0, 0), 6);
}

TEST(SkinFrameCounts, CheckAndRadioFromPictureWidth) {
  EXPECT_EQ(ToggleFrameCount(48, 12), 4);  // 48 div 13 = 3, raised to 4
  EXPECT_EQ(ToggleFrameCount(104, 13), 8);
  EXPECT_EQ(ToggleFrameCount(96, 16), 6);  // 16 high: frames of 16
  EXPECT_EQ(ToggleFrameCount(0, 0), 4);
}

TEST(SkinFrameCounts, MdiButtonPlaces) {
  EXPECT_EQ(MdiButtonXCoord(15, 0), 57);
  EXPECT_EQ(MdiButtonXCoord(15, 1), 38);
  EXPECT_EQ(MdiButtonXCoord(15, 2), 19);
}

TEST(SkinStorePayload, RoundTripAndEmptyStore) {
  TMemoryStream store(std::vector<uint8_t>{1, 2, 3, 0x6D, 0x7A});
  TMemoryStream written;
  WriteSkinStorePayload(written, store);
  EXPECT_EQ(written.Bytes(), SkinPayload(5, {1, 2, 3, 0x6D, 0x7A}));

  TMemoryStream readBack;
  written.SetPosition(0);
  ASSERT_TRUE(ReadSkinStorePayload(written, readBack));
  EXPECT_EQ(readBack.Bytes(), store.Bytes());
  EXPECT_EQ(readBack.Position(), 0);

  TMemoryStream empty;
  TMemoryStream emptyPayload;
  WriteSkinStorePayload(emptyPayload, empty);
  EXPECT_EQ(emptyPayload.Bytes(), (std::vector<uint8_t>{0, 0, 0, 0}));
}

TEST(SkinStorePayload, NothingReadLeavesTheStoreAsItWas) {
  const std::vector<uint8_t> before = {9, 9};
  for (const std::vector<uint8_t>& bad :
       {SkinPayload(0, {}), SkinPayload(-5, {1, 2, 3}), SkinPayload(4, {1, 2, 3}),
        SkinPayload(INT32_MAX, {1}), std::vector<uint8_t>{1, 0}, std::vector<uint8_t>{}}) {
    TMemoryStream payload(bad);
    TMemoryStream store(before);
    EXPECT_FALSE(ReadSkinStorePayload(payload, store));
    EXPECT_EQ(store.Bytes(), before);
  }
}

}  // namespace

namespace {

// Opens a skin file made of Entries; the reader's message is counted.
int OpenMessages = 0;
TSkinOpenResult Open(const Bytes& File, std::string& Description) {
  const TSkinMessageProc saved = SkinMessageProc;
  SkinMessageProc = [](const std::string&) { ++OpenMessages; };
  TMemoryStream store(File);
  TSkinReader reader;
  const TSkinOpenResult result = OpenSkinFile(store, reader, Description);
  SkinMessageProc = saved;
  return result;
}

TEST(SkinFileOpening, DescriptionFoundOrTheFileRefused) {
  std::string description;
  OpenMessages = 0;
  EXPECT_EQ(Open(SkinFile({{"a.bmp", BmpFile(2, 2)}, {"Saffrell.INI", TextBytes("[S]\nk=v\n")}}),
                 description),
            TSkinOpenResult::Opened);
  EXPECT_EQ(description, "[S]\nk=v\n");
  EXPECT_EQ(Open(SkinFile({{"a.bmp", BmpFile(2, 2)}}), description),
            TSkinOpenResult::NoDescription);
  EXPECT_EQ(OpenMessages, 0);
  EXPECT_EQ(Open(SkinFile({{"a.ini", TextBytes("x")}}, 10000), description),
            TSkinOpenResult::NotLoaded);
  EXPECT_EQ(OpenMessages, 1);
  // A size word beyond any skin is refused before anything is unpacked.
  Bytes huge = SkinFile({{"a.ini", TextBytes("x")}});
  huge[3] = 0x7F;
  EXPECT_EQ(Open(huge, description), TSkinOpenResult::NotLoaded);
  EXPECT_EQ(OpenMessages, 1);
}

}  // namespace
