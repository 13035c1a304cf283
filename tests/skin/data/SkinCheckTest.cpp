// Checking skins, natively: each problem planted in a description is found
// with its section, key and verdict (and nothing else is reported), the
// loader refuses or puts defaults in place as the verdict says, and the
// skins the project ships are clean.
#include <gtest/gtest.h>

#include <string>

#include "SkinTestFiles.h"
#include "skin/data/IniFile.h"
#include "skin/data/SkinDescription.h"
#include "skin/data/SkinLimits.h"
#include "skin/data/SkinReader.h"
#include "skin/data/SkinStore.h"
#include "skin/data/SkinValidation.h"
#include "skin/data/SkinValuesReader.h"
#include "ui/Streams.h"

namespace {

// What skintool check reports for a description and its pictures.
TSkinProblems Check(const std::string& Description, const SkinEntries& Pictures = {}) {
  SkinEntries entries = Pictures;
  entries.insert(entries.begin(), {"test.ini", TextBytes(Description)});
  TSkinReader reader;
  EXPECT_TRUE(reader.LoadArchive(SkinArchive(entries)));
  const TProfileIni ini(Description);
  TSkinValues values;
  TSkinProblems problems;
  TSkinValuesReader(ini, reader, values, problems).ReadAll();
  ValidateSkinValues(ini, values, problems);
  LintSkinDescription(ini, reader, problems);
  return problems;
}

// Every problem on a line of its own.
std::string Described(const TSkinProblems& Problems) {
  std::string text;
  for (const TSkinProblem& p : Problems.Items()) text += p.Describe() + "\n";
  return text;
}

// n sections [ButtonN] with a picture each.
std::string ButtonSections(int n) {
  std::string text;
  for (int i = 0; i < n; ++i) text += "[Button" + std::to_string(i) + "]\nButtonImage=b.bmp\n";
  return text;
}

const auto R = TSkinVerdict::Refused;
const auto C = TSkinVerdict::Clamped;
const auto N = TSkinVerdict::Noted;

TEST(SkinCheck, FindsEachPlantedProblem) {
  const SkinEntries pictures = {
      {"r.bmp", BmpFile(24, 8)},          {"b.bmp", BmpFile(57, 20)},
      {"p.bmp", BmpFile(360, 24)},        {"wide.bmp", BmpFile(300, 8)},
      {"dot.bmp", BmpFile(1, 1)},         {"mdi.bmp", BmpFile(11, 15)},
      {"check.bmp", BmpFile(48, 12)},     {"bad.bmp", TextBytes("BM nothing")},
      {"rle.bmp", RleBmpFile(4080, 4096)}};
  struct Case {
    const char* Planted;
    std::string Description;
    TSkinVerdict Verdict;
    const char* Section;
    const char* Key;
    const char* Says;
  } cases[] = {
      {"frames of no pixel", "[Personality]\nRight=r.bmp\nRightFrame=1000\n", R, "Personality",
       "RightFrame", "leave frames of no pixel"},
      {"no frame at all", "[Personality]\nLeft=r.bmp\nLeftFrame=0\n", C, "Personality", "LeftFrame",
       "the default 1 is used"},
      {"frames that do not divide", "[Button0]\nButtonImage=b.bmp\nframe=4\n", N, "Button0",
       "frame", "do not divide"},
      {"a border too thick", "[Personality]\nLeft=wide.bmp\n", R, "Personality", "Left",
       "300 pixels thick"},
      {"a title of no pixel", "[Personality]\nTextBack=dot.bmp\n", R, "Personality", "TextBack",
       "leave frames of no pixel"},
      {"edges wider than the frame", "[Buttons]\nBitmap=p.bmp\nLeftWidth=50\nRightWidth=40\n", C,
       "Buttons", "LeftWidth, RightWidth", "do not fit in a frame 72 pixels wide"},
      {"a negative edge", "[SunkEdge]\nImage=p.bmp\nTopHeight=-3\n", C, "SunkEdge",
       "TopHeight, BottomHeight", "do not fit"},
      {"a text shift beyond a window", "[Personality]\nTextShift=99999\n", C, "Personality",
       "TextShift", "beyond"},
      {"a button far away", "[Button0]\nXcoord=-40000\n", C, "Button0", "Xcoord", "beyond"},
      {"a negative check box count", "[Buttons]\nCheckButton=check.bmp\nCheckButtonFrame=-1\n", C,
       "Buttons", "CheckButtonFrame", "4 are taken from its size"},
      {"too many title-bar buttons", ButtonSections(SkinLimits::MaxSysButtons + 1), R, "", "",
       "33 title-bar button sections"},
      {"pictures beyond the pixel limit", "[SunkEdge]\nImage=rle.bmp\n[Toolbars]\nImage=rle.bmp\n",
       R, "SunkEdge", "Image", "at most 16777216"},
      {"an MDI picture too narrow", "[MDICONTROLS]\nImage=mdi.bmp\n", R, "MDICONTROLS", "Image",
       "12 frames"},
      {"a missing picture", "[SunkEdge]\nImage=none.bmp\n", N, "SunkEdge", "Image",
       "missing picture"},
      {"a forward slash", "[Scrollbar]\nImage=steel/r.bmp\n", N, "Scrollbar", "Image",
       "forward slash"},
      {"an upper-case extension", "[Scrollbar]\nImage=R.BMP\n", N, "Scrollbar", "Image",
       "must end in \".bmp\""},
      {"no picture in the entry", "[Scrollbar]\nImage=bad.bmp\n", N, "Scrollbar", "Image",
       "not a picture the engine reads"},
      {"a section of no use", "[Progres]\nBitmap=r.bmp\n", N, "Progres", "", "reads no section"},
      {"a key of no use", "[Buttons]\nLeftWitdh=3\n", N, "Buttons", "LeftWitdh", "reads no key"},
      {"a key given twice", "[Buttons]\nTrans=1\nTrans=0\n", N, "Buttons", "Trans", "given again"},
      {"a section given twice", "[Fonts]\n[Fonts]\n", N, "Fonts", "", "given again"},
      {"a key outside any section", "Trans=1\n[Fonts]\n", N, "", "Trans", "before the first"},
      {"not a number", "[Buttons]\nTrans=yes\n", N, "Buttons", "Trans", "not a whole number"},
      {"a colour of two separators", "[Colours]\nButtonFace=220, 220, 220\n", N, "Colours",
       "ButtonFace", "reads as red 220, green 0, blue 220"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.Planted);
    const TSkinProblems problems = Check(c.Description, pictures);
    ASSERT_EQ(problems.Items().size(), 1u) << Described(problems);
    const TSkinProblem& p = problems.Items().front();
    EXPECT_EQ(p.Verdict, c.Verdict);
    EXPECT_EQ(p.Section, c.Section);
    EXPECT_EQ(p.Key, c.Key);
    EXPECT_NE(p.Text.find(c.Says), std::string::npos) << p.Describe();
    EXPECT_EQ(problems.Refused(), c.Verdict == R);
  }
  // As many buttons as the limit allows, with comments, are fine.
  EXPECT_TRUE(
      Check("; a comment\n" + ButtonSections(SkinLimits::MaxSysButtons), pictures).Items().empty());
}

// The loader applies the verdicts: a refused skin is not loaded and says
// why; a value out of range gives way to its default.
TEST(SkinCheck, TheLoaderRefusesOrPutsDefaultsInPlace) {
  TMemoryStream refused(
      SkinFile({{"a.ini", TextBytes("[Personality]\nLeft=w.bmp\n")}, {"w.bmp", BmpFile(300, 4)}}));
  const TSkinLoad no = LoadSkinFile(refused);
  EXPECT_FALSE(no.Loaded);
  EXPECT_EQ(no.Error, "[Personality] Left (w.bmp): a border 300 pixels thick; at most 256");

  TMemoryStream clamped(
      SkinFile({{"a.ini", TextBytes("[Personality]\nLeft=l.bmp\nLeftFrame=-2\nLeftTopHeight=90\n"
                                    "TextRightClip=-2147483648\n[Button0]\nYcoord=50000\n")},
                {"l.bmp", BmpFile(8, 40)}}));
  const TSkinLoad yes = LoadSkinFile(clamped);
  ASSERT_TRUE(yes.Loaded) << yes.Error;
  EXPECT_EQ(yes.Values.Borders[1].FrameCount, 1);
  EXPECT_EQ(yes.Values.Borders[1].Margins.top, 0);
  EXPECT_EQ(yes.Values.Title.Margins.right, 0);
  EXPECT_EQ(yes.Values.SysButtons[0].YCoord, 0);
  EXPECT_EQ(yes.Problems.Items().size(), 4u);

  struct {
    const char* Name;
    Bytes File;
    const char* Says;
  } unreadable[] = {
      {"old version", SkinFile({{"a.ini", TextBytes("[x]")}}, 10000), "not a skin file"},
      {"no description", SkinFile({{"a.bmp", BmpFile(2, 2)}}), "no description"},
      {"huge size word", {0xFF, 0xFF, 0xFF, 0x7F, 1, 2, 3}, "announces an archive"},
  };
  TSkinMessageProc saved = SkinMessageProc;
  SkinMessageProc = [](const std::string&) {};
  for (auto& c : unreadable) {
    TMemoryStream file(c.File);
    const TSkinLoad load = LoadSkinFile(file);
    EXPECT_FALSE(load.Loaded) << c.Name;
    EXPECT_NE(load.Error.find(c.Says), std::string::npos) << c.Name << ": " << load.Error;
  }
  SkinMessageProc = saved;
}

TEST(SkinCheck, TheShippedSkinsAreClean) {
  for (const char* path : {QUORVEL_SKIN_FILE, QUORVEL_TRANS_SKIN_FILE}) {
    SCOPED_TRACE(path);
    TMemoryStream file(ReadFileBytes(path));
    TSkinReader reader;
    ASSERT_TRUE(reader.Load(file));
    std::string description, name;
    ASSERT_TRUE(ExtractSkinDescription(reader, description, name));
    const TProfileIni ini(description);
    TSkinValues values;
    TSkinProblems problems;
    TSkinValuesReader(ini, reader, values, problems).ReadAll();
    ValidateSkinValues(ini, values, problems);
    LintSkinDescription(ini, reader, problems);
    for (const TSkinProblem& p : problems.Items()) ADD_FAILURE() << p.Describe();
  }
}

}  // namespace
