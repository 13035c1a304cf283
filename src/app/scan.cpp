// The main window: the scan for adult material and the removal of what the
// user leaves checked.
#include "app/scan.h"

#include <algorithm>
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
const DWORD kRepaintInterval = 250;
// Where a repaint is slow (a list that grew repaints its frame and scroll bar
// as well, about 20 ms under Wine), the next one waits this many times as
// long as it took: showing progress costs the walk no more than about 3%.
const DWORD kRepaintShare = 30;

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

// The same lists, widened once, for the wide walk.
const TWidePathMatcher& TForm1::WideMatcher() {
  if (!FWideMatcher)
    FWideMatcher = std::make_unique<TWidePathMatcher>(
        WidenedMatcher(kw->Strings()->ToVector(), ext->Strings()->ToVector()));
  return *FWideMatcher;
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
  ForgetUnlisted();

  int foldersNotScanned = 0;
  {
    // A scan started from inside another one's message pump walks on its own
    // path and counts its own folders.
    std::vector<TFileIdentity> outerWalk;
    outerWalk.swap(FWalkPath);
    const int outerNotScanned = std::exchange(FFoldersNotScanned, 0);
    PauseRepaints();
    TScopeExit restore([&] {
      ResumeRepaints();
      FWalkPath.swap(outerWalk);
      foldersNotScanned = std::exchange(FFoldersNotScanned, outerNotScanned);
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

  // "Scan complete" claims no more than was done: folders that could not be
  // read are reported on a line of their own.
  std::string report = "Scan complete\n\rItems found:" + IntToStr(memo1->Items().Count());
  if (foldersNotScanned > 0) report += "\r\nFolders not scanned:" + IntToStr(foldersNotScanned);
  Application->MessageBox(report, Application->Title(), MB_OK);
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

// Walks Folder (depth first, mask Mask), examining every file met: with the
// wide calls and \\?\ paths on the NT family, which reach every name, and
// with the ANSI calls on the 95 family, which has no others.
void TForm1::ScanFolder(const std::string& Folder, const std::string& Mask, bool Recurse) {
  if (!IsWindowsNT()) {
    ScanFolderA(Folder, Mask, Recurse);
    return;
  }
  std::wstring folder = AcpToWide(Folder);
  if (folder.empty() || folder.back() != L'\\') folder += L'\\';
  ScanFolderW(folder, LongPath(folder), AcpToWide(Mask), Recurse);
}

// The wide walk. A folder that is a reparse point (junction, directory link,
// mount point) is not entered: it leads to another folder, drive or share.
void TForm1::ScanFolderW(const std::wstring& folder, const std::wstring& path,
                         const std::wstring& mask, bool recurse) {
  if (StopRequested) {
    SetStatus(FoundText());
    return;
  }
  TFolderListing listing(path, mask);
  if (!listing.Opened()) {
    if (listing.Failed()) ++FFoldersNotScanned;
    return;
  }
  // A link the file system does not report may still lead back up the walk.
  const TFileIdentity id = listing.Identity();
  if (id.Known() && std::find(FWalkPath.begin(), FWalkPath.end(), id) != FWalkPath.end()) return;

  FWalkPath.push_back(id);
  TScopeExit leave([this] { FWalkPath.pop_back(); });
  TFolderEntry entry;
  std::wstring file, longFile;  // the paths of the file in hand, their memory kept for the next
  bool more = listing.Next(entry);
  while (more) {
    const std::wstring& name = entry.Name;
    if (!name.empty() && name[0] != L'.') {
      if ((entry.Attributes & FILE_ATTRIBUTE_DIRECTORY) && recurse) {
        if (!(entry.Attributes & FILE_ATTRIBUTE_REPARSE_POINT))
          ScanFolderW(folder + name + L'\\', path + name + L'\\', mask, recurse);
      } else {
        Application->ProcessMessages();
        file.assign(folder).append(name);
        longFile.assign(path).append(name);
        ExamineFile(file, longFile, TFileIdentity{id.Volume, entry.Index});
        RepaintWhenDue();
      }
    }
    more = listing.Next(entry) && !StopRequested;
  }
  if (listing.Failed()) ++FFoldersNotScanned;
}

// The ANSI walk of the 95 family.
void TForm1::ScanFolderA(const std::string& Folder, const std::string& Mask, bool Recurse) {
  if (StopRequested) {
    SetStatus(FoundText());
    return;
  }
  std::string folder = Folder;
  if (folder.empty() || folder.back() != '\\') folder += '\\';

  TFileIdentity id{};
  if (EntersCycle(folder, id)) return;

  WIN32_FIND_DATAA entry;
  TFindHandle find(FindFirstFileA((folder + Mask).c_str(), &entry));
  if (find.Get() == INVALID_HANDLE_VALUE) {
    const DWORD error = GetLastError();
    if (error != ERROR_FILE_NOT_FOUND && error != ERROR_PATH_NOT_FOUND &&
        error != ERROR_NO_MORE_FILES)
      ++FFoldersNotScanned;
    return;
  }

  FWalkPath.push_back(id);
  TScopeExit leave([this] { FWalkPath.pop_back(); });
  do {
    const std::string name = entry.cFileName;
    if (name.empty() || name[0] == '.') continue;
    if ((entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) && Recurse) {
      if (!(entry.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT))
        ScanFolderA(folder + name, Mask, Recurse);
    } else {
      Application->ProcessMessages();
      ExamineFileA(folder + name);
      RepaintWhenDue();
    }
  } while (FindNextFileA(find.Get(), &entry) && !StopRequested);
}

// Lists path, checked, when it is a hit that is not listed yet: not under
// this path (letter case ignored), nor under another one (a hard link, or a
// link that the file system does not report).
void TForm1::ExamineFile(const std::wstring& path, const std::wstring& longPath, TFileIdentity id) {
  SetProgress(path);
  if (!WideMatcher().HasKeyword(path)) return;
  if (memo1->FindExactWide(path) >= 0) return;  // listed already (letter case ignored)
  if (!WideMatcher().HasFragment(path)) return;
  if (!id.Known()) ReadIdentity(longPath, id);  // a listing without identities
  if (id.Known() && ListedAs(id)) return;
  HoldListRepaints();
  const int index = memo1->AddWide(path);
  memo1->SetChecked(index, true);
  FListed[path] = TListedFile{longPath, id};
  if (id.Known()) FByIdentity[id] = path;
}

// Lists path, checked, when it is a hit that is not listed yet (95 family).
void TForm1::ExamineFileA(const std::string& path) {
  SetProgress(AcpToWide(path));
  if (!Matcher().HasKeyword(path)) return;
  if (memo1->Items().IndexOf(path) >= 0) return;  // listed already (letter case ignored)
  if (!Matcher().HasFragment(path)) return;
  HoldListRepaints();
  const int index = memo1->Items().Add(path);
  memo1->SetChecked(index, true);
}

// True when an entry that is still listed holds the file of identity id.
bool TForm1::ListedAs(const TFileIdentity& id) const {
  auto it = FByIdentity.find(id);
  if (it == FByIdentity.end() || memo1->FindExactWide(it->second) < 0) return false;
  auto listed = FListed.find(it->second);
  return listed != FListed.end() && listed->second.Identity == id;
}

// Keeps only what belongs to entries that are still listed.
void TForm1::ForgetUnlisted() {
  for (auto it = FListed.begin(); it != FListed.end();)
    it = memo1->FindExactWide(it->first) >= 0 ? std::next(it) : FListed.erase(it);
  FByIdentity.clear();
  for (const auto& [path, file] : FListed)
    if (file.Identity.Known()) FByIdentity[file.Identity] = path;
}

// True when folder is the same folder as one on the walk path (a link or
// junction leading back up); id receives the folder's identity.
bool TForm1::EntersCycle(const std::string& folder, TFileIdentity& id) const {
  const TFileHandle h(CreateFileA(folder.c_str(), 0,
                                  FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                  OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr));
  BY_HANDLE_FILE_INFORMATION info;
  if (!h || !GetFileInformationByHandle(h.Get(), &info)) return false;
  id = TFileIdentity{info.dwVolumeSerialNumber,
                     (static_cast<ULONGLONG>(info.nFileIndexHigh) << 32) | info.nFileIndexLow};
  return std::find(FWalkPath.begin(), FWalkPath.end(), id) != FWalkPath.end();
}

// Shows text in the first status panel now.
void TForm1::SetStatus(const std::string& text) {
  FProgressShown = true;
  StatusBar1->Panels().Items(0)->SetText(text);
}

// Sets "Scanning:" and the path: at once when repaints run, else at the next repaint.
void TForm1::SetProgress(const std::wstring& path) {
  FProgress = path;
  FProgressShown = false;
  if (FRepaintPauses == 0) SetStatus("Scanning:" + WideToAcp(FProgress));
}

// The status bar shows progress only at repaints from now on, and the list
// stops painting once an entry is added (nested walks share one pause).
void TForm1::PauseRepaints() {
  if (FRepaintPauses++ > 0) return;
  FRepaintWait = kRepaintInterval;
  FLastRepaint = GetTickCount() - FRepaintWait;  // the first file shows at once
}

// Shows the pending progress and repaints the list for good.
void TForm1::ResumeRepaints() {
  if (--FRepaintPauses > 0) return;
  if (!FProgressShown) SetStatus("Scanning:" + WideToAcp(FProgress));
  FListHeld = false;
  SendMessageA(memo1->Handle(), WM_SETREDRAW, TRUE, 0);
  RedrawWindow(memo1->Handle(), nullptr, nullptr,
               RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN);
}

// A list that only takes what the user does paints as usual; one that grows
// would repaint for every entry.
void TForm1::HoldListRepaints() {
  if (FRepaintPauses == 0 || FListHeld) return;
  SendMessageA(memo1->Handle(), WM_SETREDRAW, FALSE, 0);
  FListHeld = true;
}

// Every kRepaintInterval ms of a walk, or less often when repaints are slow:
// shows the progress and repaints the list if it grew.
void TForm1::RepaintWhenDue() {
  const DWORD start = GetTickCount();
  if (FRepaintPauses == 0 || start - FLastRepaint < FRepaintWait) return;
  if (!FProgressShown) SetStatus("Scanning:" + WideToAcp(FProgress));
  if (FListHeld) {
    FListHeld = false;
    HWND list = memo1->Handle();
    SendMessageA(list, WM_SETREDRAW, TRUE, 0);
    RedrawWindow(list, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_UPDATENOW);
  }
  FLastRepaint = GetTickCount();
  FRepaintWait = std::max<DWORD>(kRepaintInterval, (FLastRepaint - start) * kRepaintShare);
}

// "Found:" and the number of listed entries.
std::string TForm1::FoundText() const { return "Found:" + IntToStr(memo1->Items().Count()); }

// Deletes the file of every checked entry. Only a file that this removal
// deleted counts as removed and leaves the list; an entry whose file is
// still there, is not the file that was listed, or is already gone stays
// listed and checked and is counted under "Not removed".
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
      const std::wstring entry = memo1->WideItem(i);
      const bool deleted = RemoveFile(entry);
      SetStatus("Deleting:" + WideToAcp(entry));
      if (deleted) {
        memo1->Items().Delete(i);
        FListed.erase(entry);
        ++removed;
      } else {
        ++notRemoved;
        ++i;
      }
    } catch (const std::exception&) {
      ++notRemoved;  // counted, and never retried: the loop moves past it
      ++i;
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

// The file of a listed entry goes only if it is still the file that the
// scan listed (its identity, reached without following a final link).
bool TForm1::RemoveFile(const std::wstring& entry) {
  // The 95 family has no file identities (nor wide calls): deletion by path.
  if (!IsWindowsNT()) return DeleteNamedAnsi(WideToAcp(entry));
  const auto it = FListed.find(entry);
  // Not listed by a scan, or on a file system without file indexes (some
  // network file systems): deletion by path, as on the 95 family.
  if (it == FListed.end()) return DeleteNamed(LongPath(entry));
  if (!it->second.Identity.Known()) return DeleteNamed(it->second.Path);
  return DeleteIdentified(it->second.Path, it->second.Identity);
}
