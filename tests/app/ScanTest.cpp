// The whole program through its real windows, in a Wine prefix whose only
// fixed drive (D:) holds a tree made here: scans, stops, removal, sponsor.
#include <gtest/gtest.h>

#include <windows.h>

#include <algorithm>
#include <set>
#include <string>
#include <vector>

#include "DialogDriver.h"
#include "app/ad.h"
#include "app/scan.h"
#include "skin/data/SkinManager.h"

namespace {

const char* const kScanCaption = "Scan for adult material now !";
const char* const kStopCaption = "Stop scanning now";

struct TTreeFile {
  const char* Path;
  DWORD Attributes;
  bool Hit;
};

// The test tree. D:\Loop\Back is a link back to D:\Loop, made by the prefix set-up.
const TTreeFile kTree[] = {
    {"D:\\Special\\Cache\\adult\\holiday.jpg", 0, true},  // keyword only in the folder part
    {"D:\\Special\\Cache\\plain.jpg", 0, false},
    {"D:\\Special\\Cookies\\user@site.txt", 0, false},
    {"D:\\Special\\Favorites\\free sex links.url", 0, true},
    {"D:\\Special\\History\\index.dat", 0, false},
    {"D:\\Pictures\\SEX.JPG", 0, false},  // matching is case-sensitive
    {"D:\\Photos\\Porn\\a.JPG", 0, false},
    {"D:\\sexy\\notes.txt", 0, true},
    {"D:\\wank pics\\a.gif", 0, true},  // "wank " with its space
    {"D:\\wank.gif", 0, false},
    {"D:\\hidden\\porn.jpg", FILE_ATTRIBUTE_HIDDEN, true},
    {"D:\\system\\xxx.avi", FILE_ATTRIBUTE_SYSTEM, true},
    {"D:\\.secret\\porn.jpg", 0, false},  // dot folders are not entered
    {"D:\\docs\\.porn.jpg", 0, false},    // dot files are not examined
    {"D:\\de\\br\xFCste.jpg", 0, true},   // a Windows-1252 keyword
    {"D:\\ro\\slut.gif", FILE_ATTRIBUTE_READONLY, true},
    {"D:\\deep\\a\\b\\c\\d\\e\\f\\g\\h\\i\\j\\k\\erotic.htm", 0, true},
    {"D:\\Loop\\porn.txt", 0, true},  // found once, although the loop leads back to it
    {"D:\\holiday\\beach.jpg", 0, false},
    {"D:\\porn\\movie.mkv", 0, false},  // keyword but no fragment
};

// The Favorites folder is stored in lower case: the drive walk meets the same
// file again in other letter case, and it must not be listed twice.
const char* const kFavoritesHit = "d:\\special\\favorites\\free sex links.url";

// The path as the walk lists it.
std::string Listed(const TTreeFile& f) {
  if (std::string(f.Path) == "D:\\Special\\Favorites\\free sex links.url") return kFavoritesHit;
  return f.Path;
}

bool Exists(const std::string& path) { return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

// Creates every folder on the way to path.
void MakeFolders(const std::string& path) {
  for (size_t i = 3; i < path.size(); ++i)
    if (path[i] == '\\') CreateDirectoryA(path.substr(0, i).c_str(), nullptr);
}

// Makes sure every file of the tree exists with its attributes.
void MakeTree() {
  for (const TTreeFile& f : kTree) {
    if (Exists(f.Path)) continue;
    MakeFolders(f.Path);
    HANDLE h = CreateFileA(f.Path, GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(h, INVALID_HANDLE_VALUE) << f.Path;
    DWORD written;
    WriteFile(h, "x", 1, &written, nullptr);
    CloseHandle(h);
    if (f.Attributes) SetFileAttributesA(f.Path, f.Attributes);
  }
}

// The check list's entries, read through the list box messages.
std::vector<std::string> ListEntries() {
  HWND list = Form1->memo1->Handle();
  std::vector<std::string> out;
  const LRESULT n = SendMessageA(list, LB_GETCOUNT, 0, 0);
  for (LRESULT i = 0; i < n; ++i) {
    std::string text(static_cast<size_t>(SendMessageA(list, LB_GETTEXTLEN, i, 0)), '\0');
    SendMessageA(list, LB_GETTEXT, i, reinterpret_cast<LPARAM>(text.data()));
    out.push_back(text);
  }
  return out;
}

std::set<std::string> ExpectedHits() {
  std::set<std::string> out;
  for (const TTreeFile& f : kTree)
    if (f.Hit) out.insert(Listed(f));
  return out;
}

std::string Status() { return StatusText(Form1->StatusBar1->Handle()); }

// A press on the scan button (a graphic control on Panel1), dispatched now.
void PressScanButton() {
  TSpeedButton* b = Form1->SpeedButton1;
  PostClick(Form1->Panel1->Handle(), b->Left() + b->Width() / 2, b->Top() + b->Height() / 2);
}

// Runs the message loop until the queue is empty (a scan runs inside it).
void Pump() { Application->ProcessMessages(); }

// From a second thread: once the walk shows progress, presses the scan button.
std::future<void> PressDuringScan() {
  return std::async(std::launch::async, [] {
    const DWORD start = GetTickCount();
    while (Status().rfind("Scanning:", 0) != 0 && GetTickCount() - start < 20000) Sleep(2);
    PressScanButton();
  });
}

// Whether the skin manager was switched on once the main window's definition
// was read, before any window was shown.
bool gSkinningOnBeforeShow = false;

class ScanTest : public ::testing::Test {
protected:
  static void SetUpTestSuite() {
    if (!Form1) {
      Application->Initialize();
      Application->SetTitle("Quorvel ");
      Application->CreateForm(Form1);
      gSkinningOnBeforeShow = SkinManager && SkinManager->Active;
      Application->CreateForm(Form2);
      Form1->Show();
      Pump();
    }
  }

  // Every test starts idle, with an empty list and the whole tree on disk.
  void SetUp() override {
    MakeTree();
    Form1->memo1->Items().Clear();
    Form1->SpeedButton1->SetDown(false);
    Form1->SpeedButton1->SetCaption(kScanCaption);
    Form1->Button2->SetEnabled(false);
    Form1->JvWaitingGradient1->SetEnabled(false);
    StopRequested = false;
    Form2->Hide();
    Pump();
  }

  // A complete scan from the idle state, its completion box answered.
  std::string FullScan() {
    auto box = AnswerNext("#32770", "OK");
    PressScanButton();
    Pump();
    return box.get();
  }
};

TEST_F(ScanTest, StartsIdle) {
  EXPECT_TRUE(IsWindowVisible(Form1->Handle()));
  EXPECT_FALSE(Form1->SpeedButton1->Down());
  EXPECT_EQ(Form1->SpeedButton1->Caption(), kScanCaption);
  EXPECT_FALSE(IsWindowEnabled(Form1->Button2->Handle()));
  EXPECT_TRUE(ListEntries().empty());
  EXPECT_EQ(Status(), "");
  RECT client;
  GetClientRect(Form1->Handle(), &client);
  EXPECT_EQ(client.right, 630);
  EXPECT_EQ(client.bottom, 394);

  // The children as the platform sees them: class, place in the client area, text.
  auto place = [](HWND child) {
    RECT r;
    GetWindowRect(child, &r);
    MapWindowPoints(nullptr, GetParent(child), reinterpret_cast<POINT*>(&r), 2);
    char cls[64] = {};
    GetClassNameA(child, cls, sizeof cls);
    return std::string(cls) + " " + std::to_string(r.left) + "," + std::to_string(r.top) + " " +
           std::to_string(r.right - r.left) + "x" + std::to_string(r.bottom - r.top);
  };
  EXPECT_EQ(place(Form1->Panel1->Handle()), "TPanel 0,0 630x41");
  EXPECT_EQ(place(Form1->memo1->Handle()), "TCheckListBox 0,41 630x324");
  EXPECT_EQ(place(Form1->StatusBar1->Handle()), "TStatusBar 0,375 630x19");
  EXPECT_EQ(place(Form1->Button2->Handle()), "TButton 200,8 180x25");
  const TJvWaitingGradient* g = Form1->JvWaitingGradient1;
  EXPECT_EQ(std::vector<int>({g->Left(), g->Top(), g->Width(), g->Height()}), std::vector<int>({0, 365, 630, 10}));
  const TSpeedButton* b = Form1->SpeedButton1;
  EXPECT_EQ(std::vector<int>({b->Left(), b->Top(), b->Width(), b->Height()}), std::vector<int>({8, 8, 180, 25}));
  char text[128];
  GetWindowTextA(Form1->Button2->Handle(), text, sizeof text);
  EXPECT_STREQ(text, "Remove checked adult material");
  GetWindowTextA(Form1->Handle(), text, sizeof text);
  EXPECT_STREQ(text, "Quorvel");
  GetClassNameA(Form1->Handle(), text, sizeof text);
  EXPECT_STREQ(text, "TForm1");
  // The gradient stands still, drawn at the left end of its bar.
  EXPECT_FALSE(Form1->JvWaitingGradient1->Enabled());
}

TEST_F(ScanTest, StoredSkinIsLoadedAtStartUp) {
  const TSkinData* skin = Form1->SkinData1;
  ASSERT_NE(skin, nullptr);
  EXPECT_FALSE(skin->SkinEmpty);
  EXPECT_EQ(skin->SkinName, "Quorvel Steel");
  EXPECT_TRUE(skin->Active());
  EXPECT_EQ(skin->DisableTag(), 99);
  EXPECT_EQ(skin->GetSkinStore(), "(none)");  // "(Good)" is a design-time indicator only
  EXPECT_TRUE(gSkinningOnBeforeShow);
  // The embedded skin is the generated one (its values are checked with the skin data tests).
  EXPECT_EQ(skin->Borders[3]->Margins.left, 76);
  EXPECT_EQ(skin->SysButtons.size(), 8u);
  // The sponsor window is left alone.
  EXPECT_EQ(Form2->Tag(), 99);
}

TEST_F(ScanTest, ScanListsExactlyTheHitsOnceEachAndChecked) {
  const std::string box = FullScan();
  const std::vector<std::string> entries = ListEntries();
  const std::set<std::string> unique(entries.begin(), entries.end());
  EXPECT_EQ(unique.size(), entries.size()) << "an entry is listed twice";
  EXPECT_EQ(unique, ExpectedHits());
  ASSERT_GE(entries.size(), 2u);
  // The special folders come first, in their order.
  EXPECT_EQ(entries[0], "D:\\Special\\Cache\\adult\\holiday.jpg");
  EXPECT_EQ(entries[1], kFavoritesHit);
  for (size_t i = 0; i < entries.size(); ++i) EXPECT_TRUE(Form1->memo1->Checked(static_cast<int>(i)));

  EXPECT_EQ(box.rfind("[Quorvel ]", 0), 0u) << box;  // titled with the application title
  EXPECT_NE(box.find("Scan complete\n\rItems found:" + std::to_string(entries.size())), std::string::npos) << box;
  // Finished: the button stays down with its stop caption; removal is possible.
  EXPECT_TRUE(Form1->SpeedButton1->Down());
  EXPECT_EQ(Form1->SpeedButton1->Caption(), kStopCaption);
  EXPECT_TRUE(IsWindowEnabled(Form1->Button2->Handle()));
  EXPECT_EQ(Status().rfind("Scanning:", 0), 0u) << Status();
}

TEST_F(ScanTest, SecondScanKeepsEntriesAndAddsOnlyNewPaths) {
  FullScan();
  const std::vector<std::string> first = ListEntries();
  // Stop the finished scan (Yes), add a hit, scan again.
  auto confirm = AnswerNext("TMessageForm", "&Oui");
  PressScanButton();
  Pump();
  EXPECT_EQ(confirm.get(), "[Confirmation]|Stop scanning ?|&Oui|&Non");
  EXPECT_FALSE(Form1->SpeedButton1->Down());
  EXPECT_EQ(Form1->SpeedButton1->Caption(), kScanCaption);
  EXPECT_EQ(Status(), "Found:" + std::to_string(first.size()));

  const std::string added = "D:\\new\\porno.jpg";
  MakeFolders(added);
  CloseHandle(CreateFileA(added.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, 0, nullptr));
  FullScan();
  std::vector<std::string> second = ListEntries();
  ASSERT_EQ(second.size(), first.size() + 1);
  EXPECT_TRUE(std::equal(first.begin(), first.end(), second.begin()));
  EXPECT_EQ(second.back(), added);
  DeleteFileA(added.c_str());
  RemoveDirectoryA("D:\\new");
}

TEST_F(ScanTest, StopAnsweredNoLetsTheScanFinish) {
  auto stop = PressDuringScan();
  auto confirm = AnswerNext("TMessageForm", "&Non");
  auto box = AnswerNext("#32770", "OK");
  PressScanButton();
  Pump();
  stop.get();
  EXPECT_NE(confirm.get().find("Stop scanning ?"), std::string::npos);
  EXPECT_NE(box.get().find("Scan complete"), std::string::npos);
  const std::vector<std::string> entries = ListEntries();
  EXPECT_EQ(std::set<std::string>(entries.begin(), entries.end()), ExpectedHits());
  // Released: up, still the stop caption; the completion enabled removal.
  EXPECT_FALSE(Form1->SpeedButton1->Down());
  EXPECT_EQ(Form1->SpeedButton1->Caption(), kStopCaption);
  EXPECT_TRUE(IsWindowEnabled(Form1->Button2->Handle()));
}

TEST_F(ScanTest, StopAnsweredYesEndsTheWalkAndStillReports) {
  auto stop = PressDuringScan();
  auto confirm = AnswerNext("TMessageForm", "&Oui");
  auto box = AnswerNext("#32770", "OK");
  PressScanButton();
  Pump();
  stop.get();
  EXPECT_NE(confirm.get().find("Stop scanning ?"), std::string::npos);
  const std::string report = box.get();
  const size_t found = ListEntries().size();
  EXPECT_NE(report.find("Items found:" + std::to_string(found)), std::string::npos) << report;
  EXPECT_LT(found, ExpectedHits().size());
  EXPECT_TRUE(StopRequested);
  EXPECT_FALSE(Form1->SpeedButton1->Down());
  EXPECT_EQ(Form1->SpeedButton1->Caption(), kScanCaption);
  EXPECT_EQ(Status(), "Found:" + std::to_string(found));
  EXPECT_TRUE(IsWindowEnabled(Form1->Button2->Handle()));  // also when nothing was found
  EXPECT_FALSE(Form1->JvWaitingGradient1->Enabled());
}

TEST_F(ScanTest, RemovalDeletesExactlyTheCheckedFiles) {
  FullScan();
  std::vector<std::string> entries = ListEntries();
  // Leave two unchecked, among them two adjacent checked ones remain.
  std::vector<std::string> unchecked = {entries[1], entries[4]};
  Form1->memo1->SetChecked(1, false);
  Form1->memo1->SetChecked(4, false);

  auto box = AnswerNext("#32770", "OK");
  PostMessageA(Form1->Button2->Handle(), BM_CLICK, 0, 0);
  Pump();
  const std::string report = box.get();

  const size_t checkedCount = entries.size() - unchecked.size();
  // The read-only hit cannot be deleted: it stays listed, checked, and is reported.
  EXPECT_NE(report.find("Removed:" + std::to_string(checkedCount - 1) + " items."), std::string::npos) << report;
  EXPECT_NE(report.find("Not removed:1 items."), std::string::npos) << report;
  EXPECT_EQ(Status(), "Removed:" + std::to_string(checkedCount - 1) + " items.");
  std::vector<std::string> left = ListEntries();
  ASSERT_EQ(left.size(), 3u);
  EXPECT_EQ(left[0], unchecked[0]);
  EXPECT_EQ(left[1], unchecked[1]);
  EXPECT_EQ(left[2], "D:\\ro\\slut.gif");
  EXPECT_TRUE(Form1->memo1->Checked(2));

  // On disk: exactly the checked, deletable hits are gone; everything else stays.
  for (const TTreeFile& f : kTree) {
    const bool kept = !f.Hit || std::find(unchecked.begin(), unchecked.end(), Listed(f)) != unchecked.end() ||
                      std::string(f.Path) == "D:\\ro\\slut.gif";
    EXPECT_EQ(Exists(f.Path), kept) << f.Path;
  }
  EXPECT_TRUE(IsWindowVisible(Form2->Handle()));
  EXPECT_TRUE(IsWindowEnabled(Form1->Handle()));
  SetFileAttributesA("D:\\ro\\slut.gif", FILE_ATTRIBUTE_NORMAL);
  DeleteFileA("D:\\ro\\slut.gif");
}

TEST_F(ScanTest, EntryWhoseFileIsAlreadyGoneCountsAsRemoved) {
  Form1->Button2->SetEnabled(true);
  Form1->memo1->Items().Add("D:\\gone\\porn.jpg");
  Form1->memo1->SetChecked(0, true);
  Form1->memo1->Items().Add("D:\\sexy\\notes.txt");  // unchecked
  auto box = AnswerNext("#32770", "OK");
  PostMessageA(Form1->Button2->Handle(), BM_CLICK, 0, 0);
  Pump();
  EXPECT_EQ(box.get().find("Not removed"), std::string::npos);
  EXPECT_EQ(Status(), "Removed:1 items.");
  EXPECT_EQ(ListEntries(), std::vector<std::string>{"D:\\sexy\\notes.txt"});
  EXPECT_TRUE(Exists("D:\\sexy\\notes.txt"));
}

TEST_F(ScanTest, RemovalOfNothingStillShowsTheSponsorWindow) {
  Form1->Button2->SetEnabled(true);
  auto box = AnswerNext("#32770", "OK");
  PostMessageA(Form1->Button2->Handle(), BM_CLICK, 0, 0);
  Pump();
  EXPECT_NE(box.get().find("Removed:0 items."), std::string::npos);
  EXPECT_TRUE(IsWindowVisible(Form2->Handle()));
}

namespace {
struct TShellCall {
  HWND Owner;
  std::string Verb, File, Parameters, Directory;
  bool DirectoryIsNull;
  INT Show;
};
std::vector<TShellCall> gShellCalls;
HINSTANCE WINAPI RecordShellExecute(HWND owner, LPCSTR verb, LPCSTR file, LPCSTR params, LPCSTR dir, INT show) {
  gShellCalls.push_back({owner, verb, file, params, dir ? dir : "", dir == nullptr, show});
  return reinterpret_cast<HINSTANCE>(42);
}
}  // namespace

TEST_F(ScanTest, SponsorPictureOpensTheBrowserAndCloseOnlyHides) {
  Form2->Show();
  Pump();
  char cls[64];
  GetClassNameA(Form2->Handle(), cls, sizeof cls);
  EXPECT_STREQ(cls, "TForm2");
  EXPECT_EQ(GetWindowLongA(Form2->Handle(), GWL_STYLE) & WS_CAPTION, 0);  // borderless
  RECT client;
  GetClientRect(Form2->Handle(), &client);
  EXPECT_EQ(client.right, 599);
  EXPECT_EQ(client.bottom, 452);

  gShellCalls.clear();
  const TShellExecuteProc saved = ShellExecuteProc;
  ShellExecuteProc = RecordShellExecute;
  PostClick(Form2->Handle(), 100, 100);
  Pump();
  PostClick(Form2->Handle(), 300, 200);
  Pump();
  ShellExecuteProc = saved;
  ASSERT_EQ(gShellCalls.size(), 2u);  // each click starts the browser
  const TShellCall& call = gShellCalls[0];
  EXPECT_EQ(call.Owner, Form2->Handle());
  EXPECT_EQ(call.Verb, "OPEN");
  EXPECT_EQ(call.File, "iexplore.exe");
  EXPECT_EQ(call.Parameters, SponsorAddress);
  EXPECT_FALSE(call.DirectoryIsNull);
  EXPECT_EQ(call.Directory, "");
  EXPECT_EQ(call.Show, SW_SHOWNORMAL);
  EXPECT_TRUE(IsWindowVisible(Form2->Handle()));

  PostMessageA(Form2->Button1->Handle(), BM_CLICK, 0, 0);
  Pump();
  EXPECT_FALSE(IsWindowVisible(Form2->Handle()));
  EXPECT_TRUE(IsWindowVisible(Form1->Handle()));
  EXPECT_FALSE(Application->Terminated());
}

// Last: closing the main window in the middle of a scan ends the scan and the
// application, and deletes nothing.
TEST_F(ScanTest, ClosingDuringAScanEndsItWithoutDeleting) {
  auto closer = std::async(std::launch::async, [] {
    const DWORD start = GetTickCount();
    while (Status().rfind("Scanning:", 0) != 0 && GetTickCount() - start < 20000) Sleep(2);
    PostMessageA(Form1->Handle(), WM_CLOSE, 0, 0);
  });
  auto box = AnswerNext("#32770", "OK", 3000);  // may or may not show once the loop is quitting
  PressScanButton();
  Pump();
  closer.get();
  box.get();
  EXPECT_TRUE(StopRequested);
  EXPECT_LT(ListEntries().size(), ExpectedHits().size());
  for (const TTreeFile& f : kTree) EXPECT_TRUE(Exists(f.Path)) << f.Path;
  EXPECT_TRUE(Application->Terminated());
}

}  // namespace

// The forms (and the gradient's timer thread) go while the program still runs.
class TFormsTeardown : public ::testing::Environment {
public:
  void TearDown() override { Application->DestroyComponents(); }
};
const ::testing::Environment* const kFormsTeardown = ::testing::AddGlobalTestEnvironment(new TFormsTeardown);
