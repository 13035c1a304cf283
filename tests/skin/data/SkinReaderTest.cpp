#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "lzhuf/LzhufEncoder.h"
#include "skin/data/LZH.h"
#include "skin/data/SkinReader.h"

namespace {

using Bytes = std::vector<uint8_t>;

// Appends a 32-bit little-endian word.
void AppendLE32(Bytes& out, uint32_t value) {
  for (int shift = 0; shift < 32; shift += 8) out.push_back(static_cast<uint8_t>(value >> shift));
}

// An archive laid out by hand: header, names text, size table, data.
Bytes Archive(const std::string& namesText, const std::vector<uint32_t>& sizes,
              const std::string& data, uint32_t version = 20000) {
  Bytes out;
  AppendLE32(out, version);
  AppendLE32(out, static_cast<uint32_t>(namesText.size()));
  AppendLE32(out, 0xDEADBEEF);  // reserved words hold anything
  AppendLE32(out, 0x12345678);
  out.insert(out.end(), namesText.begin(), namesText.end());
  for (uint32_t size : sizes) AppendLE32(out, size);
  out.insert(out.end(), data.begin(), data.end());
  return out;
}

// Counts the messages the reader shows instead of showing them.
int MessagesShown = 0;
std::string LastMessage;
void RecordMessage(const std::string& text) {
  ++MessagesShown;
  LastMessage = text;
}

class SkinReaderTest : public ::testing::Test {
protected:
  void SetUp() override {
    FSavedProc = SkinMessageProc;
    SkinMessageProc = RecordMessage;
    MessagesShown = 0;
  }
  void TearDown() override { SkinMessageProc = FSavedProc; }

  // Compresses the archive and loads it.
  bool Load(const Bytes& archive) {
    TMemoryStream source(LzhufPackSkinFile(archive));
    return Reader.Load(source);
  }

  // The stream's bytes as text.
  static std::string Text(TMemoryStream& stream) {
    return std::string(stream.Bytes().begin(), stream.Bytes().end());
  }

  TSkinReader Reader;

private:
  TSkinMessageProc FSavedProc = nullptr;
};

TEST_F(SkinReaderTest, LoadsEntriesAndLooksThemUp) {
  ASSERT_TRUE(Load(Archive("Top.BMP\r\nSaffrell.INI\r\nclose.bmp", {3, 5, 2}, "BMxiniiiCL")));
  EXPECT_EQ(MessagesShown, 0);
  ASSERT_EQ(Reader.EntryCount(), 3);
  EXPECT_EQ(Reader.Names().Get(0), "top.bmp");
  EXPECT_EQ(Reader.Names().Get(1), "saffrell.ini");
  EXPECT_EQ(Reader.EntrySize(2), 2u);

  TMemoryStream entry;
  Reader.GetEntry("TOP.BMP", entry);
  EXPECT_EQ(Text(entry), "BMx");
  EXPECT_EQ(entry.Position(), 0);
  Reader.GetEntry("close.bmp", entry);
  EXPECT_EQ(Text(entry), "CL");

  std::string found = "unchanged";
  Reader.FindEntry(".ini", entry, found);
  EXPECT_EQ(Text(entry), "iniii");
  EXPECT_EQ(found, "saffrell.ini");
}

TEST_F(SkinReaderTest, MissesLeaveDestEmpty) {
  ASSERT_TRUE(Load(Archive("top.bmp\r\nskin.ini", {3, 2}, "abcde")));
  TMemoryStream entry;
  entry.WriteBuffer("old", 3);
  Reader.GetEntry("top", entry);
  EXPECT_EQ(entry.Size(), 0);

  // The substring search does not lowercase what it looks for.
  std::string found = "unchanged";
  entry.WriteBuffer("old", 3);
  Reader.FindEntry(".INI", entry, found);
  EXPECT_EQ(entry.Size(), 0);
  EXPECT_EQ(found, "unchanged");
}

TEST_F(SkinReaderTest, LineBreaksOfEveryKindAndNoEmptyLastEntry) {
  ASSERT_TRUE(Load(Archive("a.bmp\r\nb.bmp\nc.bmp\rd.bmp\r\n", {1, 1, 1, 1}, "ABCD")));
  ASSERT_EQ(Reader.EntryCount(), 4);
  TMemoryStream entry;
  Reader.GetEntry("d.bmp", entry);
  EXPECT_EQ(Text(entry), "D");
}

TEST_F(SkinReaderTest, FirstOfEqualNamesWins) {
  ASSERT_TRUE(Load(Archive("x.ini\r\nX.INI", {2, 3}, "ababc")));
  TMemoryStream entry;
  Reader.GetEntry("x.ini", entry);
  EXPECT_EQ(Text(entry), "ab");
  std::string found;
  Reader.FindEntry("x", entry, found);
  EXPECT_EQ(Text(entry), "ab");
}

TEST_F(SkinReaderTest, LowercasesWindows1252Names) {
  // "ÉCRAN.BMP" in Windows-1252.
  ASSERT_TRUE(
      Load(Archive("\xC9"
                   "CRAN.BMP",
                   {2}, "BM")));
  EXPECT_EQ(Reader.Names().Get(0),
            "\xE9"
            "cran.bmp");
  TMemoryStream entry;
  Reader.GetEntry(
      "\xC9"
      "cran.bmp",
      entry);
  EXPECT_EQ(Text(entry), "BM");
}

TEST_F(SkinReaderTest, EmptyEntriesAndEmptyArchive) {
  ASSERT_TRUE(Load(Archive("empty.bmp\r\nfull.bmp", {0, 2}, "BM")));
  TMemoryStream entry;
  Reader.GetEntry("full.bmp", entry);
  EXPECT_EQ(Text(entry), "BM");
  Reader.GetEntry("empty.bmp", entry);
  EXPECT_EQ(entry.Size(), 0);

  TSkinReader empty;
  TMemoryStream source(LzhufPackSkinFile(Archive("", {}, "")));
  EXPECT_TRUE(empty.Load(source));
  EXPECT_EQ(empty.EntryCount(), 0);
}

TEST_F(SkinReaderTest, OlderVersionShowsTheMessageOnceAndLoadsNothing) {
  EXPECT_FALSE(Load(Archive("top.bmp", {2}, "BM", 10000)));
  EXPECT_EQ(MessagesShown, 1);
  EXPECT_EQ(LastMessage, "This is Older Skin File\rPlease update to new version !");
  EXPECT_EQ(Reader.EntryCount(), 0);
  TMemoryStream entry;
  Reader.GetEntry("top.bmp", entry);
  EXPECT_EQ(entry.Size(), 0);
}

TEST_F(SkinReaderTest, ArchiveShorterThanItsHeader) {
  // Too short to hold the version: it reads as 0 and fails the check.
  EXPECT_FALSE(Load({0x20}));
  EXPECT_EQ(MessagesShown, 1);
  // The version is there but the rest of the header is not.
  EXPECT_FALSE(Load({0x20, 0x4E, 0x00, 0x00, 0x00}));
  EXPECT_EQ(MessagesShown, 1);
}

TEST_F(SkinReaderTest, PartsRunningPastTheEndFailSafely) {
  const std::string names = "a.bmp\r\nb.bmp";
  // Names text longer than the archive.
  Bytes archive = Archive(names, {1, 1}, "AB");
  archive[4] = 0xFF;
  archive[5] = 0xFF;
  EXPECT_FALSE(Load(archive));
  // Size table cut short.
  archive = Archive(names, {1}, "");
  EXPECT_FALSE(Load(archive));
  // Sizes that add up to more than the data, also through 32-bit overflow.
  EXPECT_FALSE(Load(Archive(names, {1, 2}, "AB")));
  EXPECT_FALSE(Load(Archive(names, {0xFFFFFFFF, 3}, "AB")));
  EXPECT_EQ(Reader.EntryCount(), 0);
  EXPECT_EQ(MessagesShown, 0);

  // A failed load leaves nothing behind from an earlier one.
  ASSERT_TRUE(Load(Archive(names, {1, 1}, "AB")));
  EXPECT_FALSE(Load(Archive(names, {5, 5}, "AB")));
  EXPECT_EQ(Reader.EntryCount(), 0);
  EXPECT_EQ(Reader.Names().Count(), 0);
}

TEST_F(SkinReaderTest, AtMost1001Entries) {
  std::string names;
  std::vector<uint32_t> sizes;
  std::string data;
  for (int i = 0; i < 1001; ++i) {
    names += "e" + std::to_string(i) + ".bmp\r\n";
    sizes.push_back(1);
    data += static_cast<char>('a' + i % 26);
  }
  ASSERT_TRUE(Load(Archive(names, sizes, data)));
  EXPECT_EQ(Reader.EntryCount(), 1001);
  TMemoryStream entry;
  Reader.GetEntry("e1000.bmp", entry);
  EXPECT_EQ(Text(entry), std::string(1, static_cast<char>('a' + 1000 % 26)));

  names += "one.too.many\r\n";
  sizes.push_back(1);
  data += "z";
  EXPECT_FALSE(Load(Archive(names, sizes, data)));
  EXPECT_EQ(Reader.EntryCount(), 0);
}

// A damaged names text of millions of empty lines compresses to a few
// kilobytes; it is refused (without making a name of every line first).
TEST_F(SkinReaderTest, NamesTextOfMillionsOfLinesIsRefused) {
  const Bytes archive = Archive(std::string(2000000, '\n'), {}, "");
  TMemoryStream source(LzhufPackSkinFile(archive));
  EXPECT_FALSE(Reader.Load(source));
  EXPECT_EQ(Reader.EntryCount(), 0);
}

}  // namespace
