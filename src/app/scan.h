// The main window: the scan for adult material and the removal of what the
// user leaves checked.
#pragma once

#include <memory>
#include <string>
#include <unordered_map>
#include <vector>

#include "app/PathMatcher.h"
#include "app/ScanFiles.h"
#include "components/JvDirectories.h"
#include "components/JvWaitingGradient.h"
#include "components/StrHlder.h"
#include "skin/window/WinSkinData.h"
#include "ui/Buttons.h"
#include "ui/CheckLst.h"
#include "ui/ComCtrls.h"
#include "ui/ExtCtrls.h"
#include "ui/Forms.h"
#include "ui/StdCtrls.h"

class TForm1 : public TForm {
  QUORVEL_CLASS(TForm1, TForm)
public:
  explicit TForm1(TComponent* owner);

  // Published fields, in declaration order.
  TCheckListBox* memo1 = nullptr;
  TStrHolder* kw = nullptr;
  TStatusBar* StatusBar1 = nullptr;
  TJvDirectories* jvdir = nullptr;
  TJvWaitingGradient* JvWaitingGradient1 = nullptr;
  TSkinData* SkinData1 = nullptr;
  TPanel* Panel1 = nullptr;
  TSpeedButton* SpeedButton1 = nullptr;
  TButton* Button2 = nullptr;
  TStrHolder* ext = nullptr;

  // The scan button's handler: down starts a scan, up asks to stop one.
  void zaza(TObject* Sender);
  // OnCreate: nothing of its own to do.
  void FormCreate(TObject* Sender);
  // OnClose: a scan in progress ends at its next check.
  void FormClose(TObject* Sender, TCloseAction& Action);
  // Deletes the files of the checked entries, then shows the sponsor window.
  void Button2Click(TObject* Sender);
  // Walks Folder depth first, listing every hit.
  void ScanFolder(const std::string& Folder, const std::string& Mask, bool Recurse);

private:
  // What the scan knows of a file it listed: the \\?\ path that reaches
  // exactly its name, and its identity where the file system gives one.
  struct TListedFile {
    std::wstring Path;
    TFileIdentity Identity;
  };
  void StartScan();
  void AskToStop();
  // The walk of the NT family: folder as the list shows it, and path, its
  // \\?\ form; both end in a backslash.
  void ScanFolderW(const std::wstring& folder, const std::wstring& path, const std::wstring& mask,
                   bool recurse);
  // The walk of the 95 family, with the ANSI calls.
  void ScanFolderA(const std::string& folder, const std::string& mask, bool recurse);
  // Lists a hit that is listed neither by its path nor by its identity.
  void ExamineFile(const std::wstring& path, const std::wstring& longPath, TFileIdentity id);
  void ExamineFileA(const std::string& path);
  // True when the file of identity id is listed under another path.
  bool ListedAs(const TFileIdentity& id) const;
  // Deletes the file of entry; true only when this deletion removed it.
  bool RemoveFile(const std::wstring& entry);
  // Forgets what it knew of files that are not listed any more.
  void ForgetUnlisted();
  // Shows text in the first status panel now.
  void SetStatus(const std::string& text);
  // Sets the progress text; the panel shows it at the next repaint.
  void SetProgress(const std::wstring& path);
  // Stops (or resumes) repainting the list and status bar on every change.
  void PauseRepaints();
  void ResumeRepaints();
  // Before an entry is added while repaints are paused: the list stops
  // painting until the next repaint.
  void HoldListRepaints();
  // Shows the progress, and repaints the list if entries were added, when
  // the last repaint is old enough.
  void RepaintWhenDue();
  std::string FoundText() const;
  // True when folder is one already open on the walk path (a link back up).
  bool EntersCycle(const std::string& folder, TFileIdentity& id) const;

  const TPathMatcher& Matcher();
  const TWidePathMatcher& WideMatcher();
  std::unique_ptr<TPathMatcher> FMatcher;
  std::unique_ptr<TWidePathMatcher> FWideMatcher;
  std::vector<TFileIdentity> FWalkPath;
  // The files listed by a scan, by entry text, and their entries by identity.
  std::unordered_map<std::wstring, TListedFile> FListed;
  std::unordered_map<TFileIdentity, std::wstring, TFileIdentityHash> FByIdentity;
  // Folders of this scan that exist but could not be opened or listed.
  int FFoldersNotScanned = 0;
  int FRepaintPauses = 0;
  unsigned long FLastRepaint = 0;
  unsigned long FRepaintWait = 0;  // milliseconds from the last repaint to the next
  std::wstring FProgress;
  bool FProgressShown = true;
  bool FListHeld = false;  // the list's redraw is off until the next repaint
};

extern TForm1* Form1;
// Set when the user confirms a stop or closes the main window; the walk reads it.
extern bool StopRequested;
