#include "ScanFixture.h"

#include <algorithm>

#include "skin/window/SkinManager.h"
#include "support/Wait.h"

const char* const kScanCaption = "Scan for adult material now !";
const char* const kStopCaption = "Stop scanning now";

// The test tree. D:\Loop\Back is a link back to D:\Loop, made by the prefix set-up.
const std::vector<TTreeFile> kTree = {
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

bool Exists(const std::string& path) {
  return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

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
    HANDLE h =
        CreateFileA(f.Path, GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
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

std::vector<std::wstring> WideEntries() {
  HWND list = Form1->memo1->Handle();
  std::vector<std::wstring> out;
  const LRESULT n = SendMessageW(list, LB_GETCOUNT, 0, 0);
  for (LRESULT i = 0; i < n; ++i) {
    std::wstring text(static_cast<size_t>(SendMessageW(list, LB_GETTEXTLEN, i, 0)), L'\0');
    SendMessageW(list, LB_GETTEXT, i, reinterpret_cast<LPARAM>(text.data()));
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

std::future<void> DuringScan(void (*act)()) {
  return std::async(std::launch::async, [act] {
    WaitUntil([] { return Status().rfind("Scanning:", 0) == 0; });
    act();
  });
}

std::future<void> PressDuringScan() { return DuringScan(PressScanButton); }

// Whether the skin manager was switched on once the main window's definition
// was read, before any window was shown.
bool gSkinningOnBeforeShow = false;

void ScanWindowTest::SetUpTestSuite() {
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

void ScanWindowTest::SetUp() {
  Form1->memo1->Items().Clear();
  Form1->SpeedButton1->SetDown(false);
  Form1->SpeedButton1->SetCaption(kScanCaption);
  Form1->Button2->SetEnabled(false);
  Form1->JvWaitingGradient1->SetEnabled(false);
  StopRequested = false;
  Form2->Hide();
  Pump();
}

std::string ScanWindowTest::FullScan() {
  auto box = AnswerNext("#32770", "OK");
  PressScanButton();
  Pump();
  return box.get();
}

std::string ScanWindowTest::RemoveChecked() {
  Form1->Button2->SetEnabled(true);
  auto box = AnswerNext("#32770", "OK");
  PostMessageA(Form1->Button2->Handle(), BM_CLICK, 0, 0);
  Pump();
  return box.get();
}

std::string BoxMessage(const std::string& box, const std::string& prefix) {
  for (size_t at = 0; at < box.size();) {
    const size_t end = std::min(box.find('|', at), box.size());
    if (box.compare(at, prefix.size(), prefix) == 0) return box.substr(at, end - at);
    at = end + 1;
  }
  return std::string();
}

void ScanTest::SetUp() {
  MakeTree();
  ScanWindowTest::SetUp();
}

// The forms (and the gradient's timer thread) go while the program still runs.
class TFormsTeardown : public ::testing::Environment {
public:
  void TearDown() override { Application->DestroyComponents(); }
};
const ::testing::Environment* const kFormsTeardown =
    ::testing::AddGlobalTestEnvironment(new TFormsTeardown);
