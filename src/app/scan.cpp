// The main window: the scan for adult material and the removal of what the
// user leaves checked.
#include "app/scan.h"

#include <utility>

#include "app/ad.h"
#include "ui/Dialogs.h"
#include "ui/Handles.h"
#include "ui/Published.h"

TForm1* Form1 = nullptr;
bool StopRequested = false;

QUORVEL_DEFINE_CLASS(TForm1) {
  p.Field("memo1", &TForm1::memo1);
  p.Field("kw", &TForm1::kw);
  p.Field("StatusBar1", &TForm1::StatusBar1);
  p.Field("jvdir", &TForm1::jvdir);
  p.Field("JvWaitingGradient1", &TForm1::JvWaitingGradient1);
  p.Field("SkinData1", &TForm1::SkinData1);
  p.Field("Panel1", &TForm1::Panel1);
  p.Field("SpeedButton1", &TForm1::SpeedButton1);
  p.Field("Button2", &TForm1::Button2);
  p.Field("ext", &TForm1::ext);
  p.Method("zaza", &TForm1::zaza);
  p.Method("FormCreate", &TForm1::FormCreate);
  p.Method("FormClose", &TForm1::FormClose);
  p.Method("Button2Click", &TForm1::Button2Click);
}

namespace {
const char* const kScanCaption = "Scan for adult material now !";
const char* const kStopCaption = "Stop scanning now";

// While a walk runs, the list and the status bar are repainted at most this
// often (milliseconds). Messages are still pumped before every file; painting
// on every file would cost many times more than the walk itself.
const DWORD kRepaintInterval = 100;

// Owns a find handle from FindFirstFileA.
class TFindHandle {
public:
  explicit TFindHandle(HANDLE h) : FHandle(h) {}
  ~TFindHandle() {
    if (FHandle != INVALID_HANDLE_VALUE) FindClose(FHandle);
  }
  TFindHandle(const TFindHandle&) = delete;
  TFindHandle& operator=(const TFindHandle&) = delete;
  HANDLE Get() const { return FHandle; }

private:
  HANDLE FHandle;
};

// Runs an action when the scope ends, also when an exception passes.
template <class F>
class TScopeExit {
public:
  explicit TScopeExit(F action) : FAction(std::move(action)) {}
  ~TScopeExit() { FAction(); }
  TScopeExit(const TScopeExit&) = delete;
  TScopeExit& operator=(const TScopeExit&) = delete;

private:
  F FAction;
};
}  // namespace

// Loads the stored definition of the main window.
TForm1::TForm1(TComponent* owner) : TForm(owner) { LoadDefinition(); }

// The matcher over the stored keywords and fragments (they never change at run time).
const TPathMatcher& TForm1::Matcher() {
  if (!FMatcher)
    FMatcher =
        std::make_unique<TPathMatcher>(kw->Strings()->ToVector(), ext->Strings()->ToVector());
  return *FMatcher;
}

// The scan button's handler: the button has already flipped its state.
void TForm1::zaza(TObject*) {
  if (SpeedButton1->Down())
    StartScan();
  else
    AskToStop();
}

// Walks the four special folders and every fixed drive, then reports.
void TForm1::StartScan() {
  const DWORD drives = GetLogicalDrives();
  Button2->SetEnabled(false);
  StopRequested = false;
  SpeedButton1->SetCaption(kStopCaption);
  JvWaitingGradient1->SetEnabled(true);

  {
    // A scan started from inside another one's message pump walks on its own path.
    std::vector<TFolderId> outerWalk;
    outerWalk.swap(FWalkPath);
    PauseRepaints();
    TScopeExit restore([&] {
      ResumeRepaints();
      FWalkPath.swap(outerWalk);
    });
    ScanFolder(jvdir->Cache(), "*", true);
    ScanFolder(jvdir->Cookies(), "*", true);
    ScanFolder(jvdir->Favorites(), "*", true);
    ScanFolder(jvdir->History(), "*", true);
    for (int i = 0; i < 26; ++i) {
      if (!(drives & (1u << i))) continue;
      const std::string drive = std::string(1, static_cast<char>('A' + i)) + ":";
      if (IntToStr(GetDriveTypeA(drive.c_str())) == "3") ScanFolder(drive + "\\", "*", true);
    }
  }

  Application->MessageBox("Scan complete\n\rItems found:" + IntToStr(memo1->Items().Count()),
                          Application->Title(), MB_OK);
  Button2->SetEnabled(true);
}

// The button went up during a scan: confirm, then stop.
void TForm1::AskToStop() {
  if (MessageDlg("Stop scanning ?", mtConfirmation, mbYes | mbNo, 0) != mrYes) return;
  StopRequested = true;
  JvWaitingGradient1->SetEnabled(false);
  SpeedButton1->SetCaption(kScanCaption);
  SetStatus(FoundText());
  Button2->SetEnabled(memo1->Items().Count() > 0);
}

// OnCreate: nothing of its own.
void TForm1::FormCreate(TObject*) {}

// OnClose: ends a running scan at its next check; the action stays as it is.
void TForm1::FormClose(TObject*, TCloseAction&) { StopRequested = true; }

// Walks Folder (depth first, mask Mask), examining every file met.
void TForm1::ScanFolder(const std::string& Folder, const std::string& Mask, bool Recurse) {
  if (StopRequested) {
    SetStatus(FoundText());
    return;
  }
  std::string folder = Folder;
  if (folder.empty() || folder.back() != '\\') folder += '\\';

  TFolderId id{};
  if (EntersCycle(folder, id)) return;

  WIN32_FIND_DATAA entry;
  TFindHandle find(FindFirstFileA((folder + Mask).c_str(), &entry));
  if (find.Get() == INVALID_HANDLE_VALUE) return;

  FWalkPath.push_back(id);
  TScopeExit leave([this] { FWalkPath.pop_back(); });
  do {
    const std::string name = entry.cFileName;
    if (name.empty() || name[0] == '.') continue;
    if ((entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) && Recurse) {
      ScanFolder(folder + name, Mask, Recurse);
    } else {
      Application->ProcessMessages();
      ExamineFile(folder + name);
      RepaintWhenDue();
    }
  } while (FindNextFileA(find.Get(), &entry) && !StopRequested);
}

// Lists path, checked, when it is a hit that is not listed yet.
void TForm1::ExamineFile(const std::string& path) {
  SetProgress("Scanning:" + path);
  if (!Matcher().HasKeyword(path)) return;
  if (memo1->Items().IndexOf(path) >= 0) return;  // listed already (letter case ignored)
  if (!Matcher().HasFragment(path)) return;
  const int index = memo1->Items().Add(path);
  memo1->SetChecked(index, true);
}

// True when folder is the same folder as one on the walk path (a link or
// junction leading back up); id receives the folder's identity.
bool TForm1::EntersCycle(const std::string& folder, TFolderId& id) const {
  const TFileHandle h(CreateFileA(folder.c_str(), 0,
                                  FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                  OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr));
  BY_HANDLE_FILE_INFORMATION info;
  if (!h || !GetFileInformationByHandle(h.Get(), &info)) return false;
  id = TFolderId{info.dwVolumeSerialNumber, info.nFileIndexHigh, info.nFileIndexLow};
  for (const TFolderId& open : FWalkPath)
    if (open == id) return true;
  return false;
}

// Shows text in the first status panel now.
void TForm1::SetStatus(const std::string& text) {
  FProgressShown = true;
  StatusBar1->Panels().Items(0)->SetText(text);
}

// Sets the progress text: at once when repaints run, else at the next repaint.
void TForm1::SetProgress(const std::string& text) {
  if (FRepaintPauses == 0) {
    SetStatus(text);
    return;
  }
  FProgress = text;
  FProgressShown = false;
}

// The list stops repainting on every new entry (nested walks share one pause).
void TForm1::PauseRepaints() {
  if (FRepaintPauses++ > 0) return;
  SendMessageA(memo1->Handle(), WM_SETREDRAW, FALSE, 0);
  FLastRepaint = GetTickCount() - kRepaintInterval;  // the first file shows at once
}

// Shows the pending progress and repaints the list for good.
void TForm1::ResumeRepaints() {
  if (--FRepaintPauses > 0) return;
  if (!FProgressShown) SetStatus(FProgress);
  SendMessageA(memo1->Handle(), WM_SETREDRAW, TRUE, 0);
  RedrawWindow(memo1->Handle(), nullptr, nullptr,
               RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN);
}

// Every kRepaintInterval ms of a walk: shows the progress and repaints the list.
void TForm1::RepaintWhenDue() {
  const DWORD now = GetTickCount();
  if (FRepaintPauses == 0 || now - FLastRepaint < kRepaintInterval) return;
  FLastRepaint = now;
  if (!FProgressShown) SetStatus(FProgress);
  HWND list = memo1->Handle();
  SendMessageA(list, WM_SETREDRAW, TRUE, 0);
  RedrawWindow(list, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_UPDATENOW);
  SendMessageA(list, WM_SETREDRAW, FALSE, 0);
}

// "Found:" and the number of listed entries.
std::string TForm1::FoundText() const { return "Found:" + IntToStr(memo1->Items().Count()); }

// Deletes the file of every checked entry. An entry whose file is gone
// afterwards (deleted now or missing already) leaves the list and counts; an
// entry whose file is still there stays, checked, and is reported apart.
void TForm1::Button2Click(TObject*) {
  SpeedButton1->SetEnabled(false);
  int removed = 0;
  int notRemoved = 0;
  int i = 0;
  while (i < memo1->Items().Count()) {
    if (!memo1->Checked(i)) {
      ++i;
      continue;
    }
    try {
      const std::string path = memo1->Items().Get(i);
      DeleteFileA(path.c_str());
      SetStatus("Deleting:" + path);
      const bool gone =
          GetFileAttributesA(path.c_str()) == INVALID_FILE_ATTRIBUTES &&
          (GetLastError() == ERROR_FILE_NOT_FOUND || GetLastError() == ERROR_PATH_NOT_FOUND);
      if (gone) {
        memo1->Items().Delete(i);
        ++removed;
      } else {
        ++notRemoved;
        ++i;
      }
    } catch (const std::exception&) {
      ++i;  // never retried: the loop always moves past an entry that failed
    }
  }
  const std::string report = "Removed:" + IntToStr(removed) + " items.";
  std::string text = report;
  if (notRemoved > 0) text += "\r\nNot removed:" + IntToStr(notRemoved) + " items.";
  Application->MessageBox(text, Application->Title(), MB_OK);
  SetStatus(report);
  SpeedButton1->SetEnabled(true);
  Form2->Show();
  Form2->BringToFront();
}
