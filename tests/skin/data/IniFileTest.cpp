// The in-memory INI reader: the profile functions' rules for names, values,
// sections and integers.
#include <gtest/gtest.h>

#include "skin/data/IniFile.h"

namespace {

using Names = std::vector<std::string>;

TEST(ProfileIni, NamesMatchWithoutCaseAndBlanksAreTrimmed) {
  const TProfileIni ini("[Personality]\r\n  TopTopHeight   =   76  \r\n\tleft=steel\\Left.bmp\r\n");
  EXPECT_EQ(ini.ReadString("personality", "toptopheight", "x"), "76");
  EXPECT_EQ(ini.ReadString("PERSONALITY", "LEFT", ""), "steel\\Left.bmp");
  EXPECT_EQ(ini.ReadString(" Personality ", " Left ", ""), "steel\\Left.bmp");
  EXPECT_EQ(ini.ReadString("Personality", "Missing", "def"), "def");
  EXPECT_EQ(ini.ReadString("Missing", "Left", "def"), "def");
}

TEST(ProfileIni, FirstKeyAndFirstSectionWin) {
  const TProfileIni ini(
      "[A]\nk=1\nK=2\n"
      "[B]\nx=b1\n"
      "[a]\nk=3\nonlyInSecond=4\n");
  EXPECT_EQ(ini.ReadString("A", "k", ""), "1");
  // Only the first [A] is searched, so keys of the repeated section are invisible.
  EXPECT_EQ(ini.ReadString("A", "onlyInSecond", "none"), "none");
  EXPECT_EQ(ini.SectionNames(), (Names{"A", "B", "a"}));
}

TEST(ProfileIni, EmptyValueIsNotTheDefaultButAMissingEqualsIs) {
  const TProfileIni ini("[S]\nempty=\nbare\n  spaced =   \n");
  EXPECT_EQ(ini.ReadString("S", "empty", "def"), "");
  EXPECT_EQ(ini.ReadString("S", "spaced", "def"), "");
  EXPECT_EQ(ini.ReadString("S", "bare", "def"), "def");
}

TEST(ProfileIni, EnclosingQuotesAreStripped) {
  const TProfileIni ini(
      "[Q]\nd=\"a b\"\ns=' x '\nmixed=\"a'\none=\"\ntwo=\"\"\ninner=a\"b\"\nhalf=\"abc\n");
  EXPECT_EQ(ini.ReadString("Q", "d", ""), "a b");
  EXPECT_EQ(ini.ReadString("Q", "s", ""), " x ");
  EXPECT_EQ(ini.ReadString("Q", "mixed", ""), "\"a'");
  EXPECT_EQ(ini.ReadString("Q", "one", ""), "\"");
  EXPECT_EQ(ini.ReadString("Q", "two", "x"), "");
  EXPECT_EQ(ini.ReadString("Q", "inner", ""), "a\"b\"");
  EXPECT_EQ(ini.ReadString("Q", "half", ""), "\"abc");
  // The default goes through the same copy, after losing its trailing spaces.
  EXPECT_EQ(ini.ReadString("Q", "none", "'dq'  "), "dq");
}

TEST(ProfileIni, SectionHeaderQuirks) {
  const TProfileIni ini(
      "top=before any section\n"
      "[Broken\nk=in first\n"
      "[ Spaced ]\nk=spaced\n"
      "[a]b] trailing\nk=ab\n"
      "[]\nk=empty name\n"
      "[Last]\nk=last\n");
  // A header without "]" is a key line of the section before it.
  EXPECT_EQ(ini.ReadString("", "[Broken", "x"), "x");
  EXPECT_EQ(ini.ReadString("", "top", ""), "before any section");
  EXPECT_EQ(ini.ReadString("", "k", ""), "in first");
  // Blanks inside the brackets are trimmed from the name.
  EXPECT_EQ(ini.ReadString("spaced", "k", "none"), "spaced");
  EXPECT_EQ(ini.ReadString("a]b", "k", ""), "ab");
  EXPECT_EQ(ini.SectionNames(), (Names{"Spaced", "a]b", "Last"}));
  EXPECT_TRUE(ini.SectionExists("LAST"));
  EXPECT_FALSE(ini.SectionExists("Broken"));
}

TEST(ProfileIni, CommentsAndLineEnds) {
  const TProfileIni ini("[S]\r\n; k=commented\r\nk=real\rnext=own line\n;=x\nlast=end");
  EXPECT_EQ(ini.ReadString("S", "k", ""), "real");
  EXPECT_EQ(ini.ReadString("S", "next", "none"), "own line");
  EXPECT_EQ(ini.ReadString("S", "last", ""), "end");
  EXPECT_EQ(ini.ReadString("S", "; k", "none"),
            "commented");  // a comment is just a key nobody asks for
}

TEST(ProfileIni, OnlyAsciiLettersFoldAndOnlyWhiteSpaceIsTrimmed) {
  const TProfileIni ini(
      "[Caf\xE9]\nk=1\n[CAF\xC9]\nk=2\n[S]\nnb\xA0=\xA0v\xA0\n\x1Az\x1A=\x1Aw\x1A\n");
  EXPECT_EQ(ini.ReadString("CAF\xE9", "K", ""), "1");
  EXPECT_EQ(ini.ReadString("caf\xC9", "K", ""), "2");
  EXPECT_EQ(ini.ReadString("S", "nb\xA0", ""), "\xA0v\xA0");
  EXPECT_EQ(ini.ReadString("S", "z", ""), "w");
}

TEST(ProfileIni, LongValuesAreCutToTheReadBuffer) {
  const std::string longValue(5000, 'v');
  const TProfileIni ini("[S]\nlong=" + longValue + "\nq=\"" + std::string(2047, 'w') + "\"\n");
  EXPECT_EQ(ini.ReadString("S", "long", ""), longValue.substr(0, TProfileIni::MaxValueLength));
  // 2047 characters and the closing quote are one too many: the last
  // character goes instead of the quote.
  EXPECT_EQ(ini.ReadString("S", "q", ""), std::string(2046, 'w'));
}

TEST(ProfileIni, ByteOrderMarksAndNuls) {
  const TProfileIni utf8("\xEF\xBB\xBF[S]\nk=caf\xC3\xA9\n");
  EXPECT_EQ(utf8.ReadString("S", "k", ""), "caf\xE9");
  const std::string utf16("\xFF\xFE[\0S\0]\0\n\0k\0=\0v\0", 16);
  EXPECT_EQ(TProfileIni(utf16).ReadString("S", "k", ""), "v");
  const TProfileIni nul(std::string("[S]\nab\0cd=v\0w\n", 14));
  EXPECT_EQ(nul.ReadString("S", "ab", ""), "v");
}

TEST(ProfileIni, IntegersMustParseAsAWhole) {
  const TProfileIni ini(
      "[N]\nplain=76\nneg=-12\nplus=+5\nhex=0x1F\ndollar=$ff\nquotedLead=\" 7\"\n"
      "quotedTrail=\"7 \"\njunk=12px\nempty=\nsign=-\nhuge=99999999999\nfloat=1.5\n"
      "min=-2147483648\nallBits=0xFFFFFFFF\n");
  EXPECT_EQ(ini.ReadInteger("N", "plain", 0), 76);
  EXPECT_EQ(ini.ReadInteger("N", "neg", 0), -12);
  EXPECT_EQ(ini.ReadInteger("N", "plus", 0), 5);
  EXPECT_EQ(ini.ReadInteger("N", "hex", 0), 31);
  EXPECT_EQ(ini.ReadInteger("N", "dollar", 0), 255);
  EXPECT_EQ(ini.ReadInteger("N", "quotedLead", 0), 7);
  EXPECT_EQ(ini.ReadInteger("N", "quotedTrail", -1), -1);
  EXPECT_EQ(ini.ReadInteger("N", "junk", -1), -1);
  EXPECT_EQ(ini.ReadInteger("N", "empty", 3), 3);
  EXPECT_EQ(ini.ReadInteger("N", "sign", 3), 3);
  EXPECT_EQ(ini.ReadInteger("N", "huge", 3), 3);
  EXPECT_EQ(ini.ReadInteger("N", "float", 3), 3);
  EXPECT_EQ(ini.ReadInteger("N", "min", 0), INT32_MIN);
  EXPECT_EQ(ini.ReadInteger("N", "allBits", 0), -1);
  EXPECT_EQ(ini.ReadInteger("N", "missing", 14), 14);
}

TEST(ProfileIni, EmptyAndBlankTexts) {
  EXPECT_TRUE(TProfileIni("").SectionNames().empty());
  EXPECT_TRUE(TProfileIni("\r\n \t\n\x1A").SectionNames().empty());
  EXPECT_EQ(TProfileIni("[x").ReadString("", "[x", "d"), "d");
}

}  // namespace

namespace {

// Each line is parsed on its own: a damaged description of many lines
// without "=" must not make every line search the rest of the text.
// (Quadratic parsing would make this test take many seconds.)
TEST(ProfileIni, ManyLinesWithoutEquals) {
  std::string text = "[S]\r\n";
  for (int i = 0; i < 200000; ++i) text += "keyWithoutValue\r\n";
  text += "last=1\r\n";
  const TProfileIni ini(text);
  EXPECT_EQ(ini.ReadInteger("S", "last", 0), 1);
  EXPECT_EQ(ini.ReadString("S", "keyWithoutValue", "d"), "d");
}

// The skin reads a few keys of every title-bar button section; a damaged
// description of tens of thousands of them must not search every section
// from the start for each key.
TEST(ProfileIni, KeysOfManySectionsAreFoundWithoutScanningThemAll) {
  std::string text;
  for (int i = 0; i < 20000; ++i)
    text += "[Button" + std::to_string(i) + "]\nAction=" + std::to_string(i) + "\n";
  text += "[button7]\nAction=-1\n";  // a later section of the same name is never read
  const TProfileIni ini(text);
  int64_t sum = 0;
  for (const std::string& section : ini.SectionNames()) {
    for (const char* key : {"Action", "Align", "Xcoord", "Ycoord", "frame", "ButtonImage"})
      sum += ini.ReadInteger(section, key, 0);
  }
  EXPECT_EQ(sum, int64_t{19999} * 20000 / 2 + 7);
  EXPECT_EQ(ini.ReadInteger(" BUTTON7 ", "action", 0), 7);
}

}  // namespace
