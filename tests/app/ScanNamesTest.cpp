// Names that only the wide calls with \\?\ paths reach, in a prefix of its
// own whose drive D: holds only the files made here: each is listed as it
// is named, shown so in the check list, and its removal deletes it and not
// the file whose name differs only by what the ANSI calls trim.
#include "ScanFixture.h"

namespace {

// A listed file, and the file beside it that the ANSI calls would take for it.
struct TName {
  std::wstring Path;
  std::wstring Twin;
};

std::vector<TName> Names() {
  // Paths of about 300 characters: in a folder past 260 characters, and in
  // one that fits with a long name.
  const std::wstring deep =
      L"D:\\names\\" + std::wstring(140, L'd') + L"\\" + std::wstring(140, L'e') + L"\\";
  const std::wstring wide = L"D:\\names\\" + std::wstring(40, L'f') + L"\\";
  return {
      {L"D:\\names\\dot\\porn.jpg.", L"D:\\names\\dot\\porn.jpg"},
      {L"D:\\names\\space\\porn.jpg ", L"D:\\names\\space\\porn.jpg"},
      {deep + L"porn.jpg", L""},
      {wide + std::wstring(239, L'w') + L"porn.jpg", L""},
      {L"D:\\names\\\x0424\x043E\x0442\x043E\\\x0441\x0435\x043A\x0441 porn.jpg", L""},
      {L"D:\\names\\\x5199\x771F\\\x30DD\x30EB\x30CE porn.gif", L""},
  };
}

// Makes a file and the folders on its way, with the wide calls.
void MakeFile(const std::wstring& path) {
  const std::wstring full = L"\\\\?\\" + path;
  for (size_t i = full.find(L'\\', 7); i != std::wstring::npos; i = full.find(L'\\', i + 1))
    CreateDirectoryW(full.substr(0, i).c_str(), nullptr);
  HANDLE h = CreateFileW(full.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
  ASSERT_NE(h, INVALID_HANDLE_VALUE) << WideToAcp(path);
  CloseHandle(h);
}

bool ExistsW(const std::wstring& path) {
  return GetFileAttributesW((L"\\\\?\\" + path).c_str()) != INVALID_FILE_ATTRIBUTES;
}

TEST_F(ScanWindowTest, EveryNameIsListedShownAndRemovedExactly) {
  std::set<std::wstring> twins, expected;
  for (const TName& n : Names()) {
    MakeFile(n.Path);
    expected.insert(n.Path);
    if (n.Twin.empty()) continue;
    MakeFile(n.Twin);
    twins.insert(n.Twin);
    expected.insert(n.Twin);  // a hit too
  }
  FullScan();
  const std::vector<std::wstring> entries = WideEntries();
  EXPECT_EQ(std::set<std::wstring>(entries.begin(), entries.end()), expected);
  // An ANSI caller gets the ANSI text of each entry.
  const std::vector<std::string> ansi = ListEntries();
  ASSERT_EQ(ansi.size(), entries.size());
  for (size_t i = 0; i < entries.size(); ++i) {
    EXPECT_EQ(ansi[i], WideToAcp(entries[i]));
    Form1->memo1->SetChecked(static_cast<int>(i), twins.count(entries[i]) == 0);
  }

  const std::string report = RemoveChecked();
  EXPECT_EQ(BoxMessage(report, "Removed"), "Removed:" + std::to_string(Names().size()) + " items.");
  for (const TName& n : Names()) EXPECT_FALSE(ExistsW(n.Path)) << WideToAcp(n.Path);
  for (const std::wstring& twin : twins) EXPECT_TRUE(ExistsW(twin)) << WideToAcp(twin);
  const std::vector<std::wstring> left = WideEntries();
  EXPECT_EQ(std::set<std::wstring>(left.begin(), left.end()), twins);
}

}  // namespace
