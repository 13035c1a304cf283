// The main window: the scan for adult material and the removal of what the
// user leaves checked.
#pragma once

#include <string>
#include <vector>

#include "app/PathMatcher.h"
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
  struct TFolderId {
    unsigned long Volume, IndexHigh, IndexLow;
    bool operator==(const TFolderId& o) const {
      return Volume == o.Volume && IndexHigh == o.IndexHigh && IndexLow == o.IndexLow;
    }
  };
  void StartScan();
  void AskToStop();
  void ExamineFile(const std::string& path);
  // Shows text in the first status panel now.
  void SetStatus(const std::string& text);
  // Sets the progress text; the panel shows it at the next repaint.
  void SetProgress(const std::string& text);
  // Stops (or resumes) repainting the list and status bar on every change.
  void PauseRepaints();
  void ResumeRepaints();
  // Repaints the paused list and status bar when the last repaint is old enough.
  void RepaintWhenDue();
  std::string FoundText() const;
  // True when folder is one already open on the walk path (a link back up).
  bool EntersCycle(const std::string& folder, TFolderId& id) const;

  const TPathMatcher& Matcher();
  std::unique_ptr<TPathMatcher> FMatcher;
  std::vector<TFolderId> FWalkPath;
  int FRepaintPauses = 0;
  unsigned long FLastRepaint = 0;
  std::string FProgress;
  bool FProgressShown = true;
};

extern TForm1* Form1;
// Set when the user confirms a stop or closes the main window; the walk reads it.
extern bool StopRequested;
