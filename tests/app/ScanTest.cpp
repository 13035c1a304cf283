// The whole program through its real windows, in a Wine prefix whose only
// fixed drive (D:) holds a tree made here: scans, stops, removal, sponsor.
#include <algorithm>

#include "ScanFixture.h"
#include "skin/window/SkinManager.h"

namespace {

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
  EXPECT_EQ(std::vector<int>({g->Left(), g->Top(), g->Width(), g->Height()}),
            std::vector<int>({0, 365, 630, 10}));
  const TSpeedButton* b = Form1->SpeedButton1;
  EXPECT_EQ(std::vector<int>({b->Left(), b->Top(), b->Width(), b->Height()}),
            std::vector<int>({8, 8, 180, 25}));
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
  for (size_t i = 0; i < entries.size(); ++i)
    EXPECT_TRUE(Form1->memo1->Checked(static_cast<int>(i)));

  EXPECT_EQ(box.rfind("[Quorvel ]", 0), 0u) << box;  // titled with the application title
  // Every folder was read: the message has no line about folders not scanned.
  EXPECT_EQ(BoxMessage(box, "Scan complete"),
            "Scan complete\n\rItems found:" + std::to_string(entries.size()))
      << box;
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
  EXPECT_NE(report.find("Removed:" + std::to_string(checkedCount - 1) + " items."),
            std::string::npos)
      << report;
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
    const bool kept = !f.Hit ||
                      std::find(unchecked.begin(), unchecked.end(), Listed(f)) != unchecked.end() ||
                      std::string(f.Path) == "D:\\ro\\slut.gif";
    EXPECT_EQ(Exists(f.Path), kept) << f.Path;
  }
  EXPECT_TRUE(IsWindowVisible(Form2->Handle()));
  EXPECT_TRUE(IsWindowEnabled(Form1->Handle()));
  SetFileAttributesA("D:\\ro\\slut.gif", FILE_ATTRIBUTE_NORMAL);
  DeleteFileA("D:\\ro\\slut.gif");
}

// Only a file that this removal deleted counts as removed: one that is gone
// already is reported not removed and stays listed and checked.
TEST_F(ScanTest, EntryWhoseFileIsAlreadyGoneIsNotRemoved) {
  FullScan();
  const std::vector<std::string> entries = ListEntries();
  for (size_t i = 0; i < entries.size(); ++i)
    Form1->memo1->SetChecked(static_cast<int>(i), entries[i] == "D:\\sexy\\notes.txt");
  ASSERT_TRUE(DeleteFileA("D:\\sexy\\notes.txt"));
  EXPECT_EQ(BoxMessage(RemoveChecked(), "Removed"), "Removed:0 items.\r\nNot removed:1 items.");
  EXPECT_EQ(ListEntries(), entries);
  const auto it = std::find(entries.begin(), entries.end(), "D:\\sexy\\notes.txt");
  EXPECT_TRUE(Form1->memo1->Checked(static_cast<int>(it - entries.begin())));
}

// Past entry 65,535 a click still acts on the entry under the pointer
// (LB_ITEMFROMPOINT gives 16 bits of index: 69,999 would read as 4,463).
TEST_F(ScanTest, ClickInALongListTogglesTheEntryUnderThePointer) {
  TCheckListBox* list = Form1->memo1;
  list->Items().BeginUpdate();
  for (int i = 0; i < 70000; ++i)
    list->SetChecked(list->Items().Add("D:\\many\\" + std::to_string(i)), true);
  list->Items().EndUpdate();
  HWND wnd = list->Handle();
  SendMessageA(wnd, LB_SETTOPINDEX, 69990, 0);
  const RECT r = list->ItemRect(69999);
  const LPARAM at = MAKELPARAM(r.left + 5, (r.top + r.bottom) / 2);
  PostMessageA(wnd, WM_LBUTTONDOWN, MK_LBUTTON, at);
  PostMessageA(wnd, WM_LBUTTONUP, 0, at);
  Pump();
  EXPECT_FALSE(list->Checked(69999));
  EXPECT_TRUE(list->Checked(4463));
  // The space bar acts on the selected entry, the one clicked.
  EXPECT_EQ(list->ItemIndex(), 69999);
  PostMessageA(wnd, WM_CHAR, ' ', 0);
  Pump();
  EXPECT_TRUE(list->Checked(69999));
  EXPECT_TRUE(list->Checked(4463));
}

TEST_F(ScanTest, RemovalOfNothingStillShowsTheSponsorWindow) {
  EXPECT_EQ(BoxMessage(RemoveChecked(), "Removed"), "Removed:0 items.");
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
HINSTANCE WINAPI RecordShellExecute(HWND owner, LPCSTR verb, LPCSTR file, LPCSTR params, LPCSTR dir,
                                    INT show) {
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
  EXPECT_EQ(GetWindowLongPtrA(Form2->Handle(), GWL_STYLE) & WS_CAPTION, 0);  // borderless
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

}  // namespace
