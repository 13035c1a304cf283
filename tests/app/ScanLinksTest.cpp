// Links and removal, in a prefix of its own whose drive D: holds the tree of
// make-test-tree "links": a removal deletes the file that the scan listed or
// nothing, and a file reached by two paths is listed once.
#include <algorithm>
#include <iterator>

#include "ScanFixture.h"

namespace {

// The files of D: a row's swap puts in the place of its listed one.
struct TSwap {
  const wchar_t* Row;    // D:\swap\ROW is replaced by D:\.stand-in\ROW
  const wchar_t* Decoy;  // the file then found at D:\swap\ROW\Album\porn.jpg
};
const TSwap kSwaps[] = {
    {L"link", L"D:\\.decoy\\porn.jpg"},                 // Album becomes a folder link
    {L"folder", L"D:\\swap\\folder\\Album\\porn.jpg"},  // Album becomes another folder
};

bool ExistsW(const std::wstring& path) {
  return GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

// A listed file whose folder is replaced after the scan: the file now found
// under the listed path is another one, and the removal leaves it alone; the
// entry is reported, and stays listed and checked.
TEST_F(ScanWindowTest, RemovalAfterTheFolderWasReplacedDeletesNothing) {
  Form1->ScanFolder("D:\\swap", "*", true);
  const std::vector<std::wstring> listed = WideEntries();
  ASSERT_EQ(listed.size(), std::size(kSwaps));
  for (const TSwap& s : kSwaps) {
    const std::wstring row = std::wstring(L"D:\\swap\\") + s.Row;
    ASSERT_EQ(std::count(listed.begin(), listed.end(), row + L"\\Album\\porn.jpg"), 1);
    ASSERT_TRUE(MoveFileW(row.c_str(), (std::wstring(L"D:\\.listed-") + s.Row).c_str()));
    ASSERT_TRUE(MoveFileW((std::wstring(L"D:\\.stand-in\\") + s.Row).c_str(), row.c_str()));
  }

  EXPECT_EQ(BoxMessage(RemoveChecked(), "Removed"), "Removed:0 items.\r\nNot removed:2 items.");
  EXPECT_EQ(WideEntries(), listed);
  for (size_t i = 0; i < listed.size(); ++i)
    EXPECT_TRUE(Form1->memo1->Checked(static_cast<int>(i))) << i;
  for (const TSwap& s : kSwaps) {
    EXPECT_TRUE(ExistsW(s.Decoy)) << WideToAcp(s.Row);
    EXPECT_TRUE(ExistsW(std::wstring(L"D:\\.listed-") + s.Row + L"\\Album\\porn.jpg"))
        << WideToAcp(s.Row);
  }
}

// One file reached by two paths.
struct TTwice {
  const wchar_t* Row;
  const wchar_t* First;
  const wchar_t* Second;
};
const TTwice kTwice[] = {
    {L"folder-link", L"Album\\porn.jpg", L"AlbumLink\\porn.jpg"},  // not walked through
    {L"hard-link", L"a\\porn.jpg", L"b\\porn.jpg"},
    {L"file-link", L"a\\porn.jpg", L"b\\porn.jpg"},  // Wine shows it as a plain file
};

// Such a file is listed once, under either path; unchecked, nothing deletes it.
TEST_F(ScanWindowTest, FileReachedByTwoPathsIsListedOnce) {
  for (const TTwice& t : kTwice) {
    SCOPED_TRACE(testing::Message() << WideToAcp(t.Row));
    Form1->memo1->Items().Clear();
    const std::wstring row = std::wstring(L"D:\\twice\\") + t.Row + L"\\";
    Form1->ScanFolder(WideToAcp(row), "*", true);
    const std::vector<std::wstring> entries = WideEntries();
    ASSERT_EQ(entries.size(), 1u);
    EXPECT_TRUE(entries[0] == row + t.First || entries[0] == row + t.Second)
        << WideToAcp(entries[0]);
    Form1->memo1->SetChecked(0, false);
    EXPECT_EQ(BoxMessage(RemoveChecked(), "Removed"), "Removed:0 items.");
    EXPECT_TRUE(ExistsW(row + t.First));
    EXPECT_TRUE(ExistsW(row + t.Second));
  }
}

// A folder link is not walked: it may lead to another drive, removable
// media or a share, which the drive loop leaves out.
TEST_F(ScanWindowTest, FolderLinksAreNotWalked) {
  Form1->ScanFolder("D:\\outside", "*", true);
  EXPECT_TRUE(WideEntries().empty());
}

}  // namespace
