// The process-wide skin manager: it knows every skin data component and
// carries out switching skinning on and off and applying a changed skin,
// deferred through a 250 ms timer once the first window has been activated.
#pragma once

#include <windows.h>

#include <memory>
#include <vector>

#include "ui/Classes.h"
#include "ui/Timers.h"

class TSkinData;

class TSkinManage : public TObject {
public:
  // The deferred actions that Request accepts.
  enum TRequestAction { raSwitchOn = 1, raSwitchOff = 2, raSkinChanged = 3 };
  // How long a request waits once windows are up, in milliseconds.
  static constexpr uint32_t RequestDelay = 250;

  // Idle and switched off, with its timer stopped; takes WinVersion.
  TSkinManage();
  ~TSkinManage() override;
  TSkinManage(const TSkinManage&) = delete;
  TSkinManage& operator=(const TSkinManage&) = delete;

  // Registers a component (in registration order) / forgets it.
  void AddSkinData(TSkinData* SkinData);
  void RemoveSkinData(TSkinData* SkinData);
  // Asks for a deferred action. Before the first window activation, switching
  // on and off happens at once and a changed skin is only noted; afterwards
  // the timer carries out the last request about RequestDelay ms later.
  void Request(int Action);
  // Carries out PendingAction; the timer's handler.
  void TimerFired();

  std::unique_ptr<TTimer> Timer;
  std::vector<TSkinData*> SkinDatas;  // not owned
  bool Active = false;                // new windows may be skinned
  // 0 until the first window activation has been seen, then 1; 4 while the
  // manager is being destroyed.
  int ActivateCount = 0;
  bool MdiMaximized = false;
  int PendingAction = 0;
  TSkinData* ChangedSkinData = nullptr;  // whose OnSkinChanged fires after a change
};

// The one manager, made by the first skin data component outside design
// mode; null before that and after FreeSkinManager.
extern TSkinManage* SkinManager;
// The platform version (GetVersion) taken when the manager starts; a value
// below 0x80000000 means a Windows NT family system.
extern DWORD WinVersion;

// Frees the manager and sets SkinManager to null (also done at program end).
void FreeSkinManager();
