#include "skin/data/SkinManager.h"

#include <algorithm>

#include "skin/data/WinSkinData.h"

TSkinManage* SkinManager = nullptr;
DWORD WinVersion = 0;

namespace {

// Frees the manager when the program ends, if nobody did before.
struct TSkinManagerFinalizer {
  ~TSkinManagerFinalizer() { FreeSkinManager(); }
} SkinManagerFinalizer;

}  // namespace

// A switched-off manager with a stopped 250 ms timer.
TSkinManage::TSkinManage() : Timer(std::make_unique<TTimer>(nullptr)) {
  Timer->SetEnabled(false);
  Timer->SetInterval(RequestDelay);
  Timer->OnTimer = [this](TObject*) { TimerFired(); };
  WinVersion = GetVersion();
}

// Marks the manager as going away before anything is released.
TSkinManage::~TSkinManage() {
  ActivateCount = 4;
  Timer.reset();
  SkinDatas.clear();
}

// Appends to the registered components.
void TSkinManage::AddSkinData(TSkinData* SkinData) { SkinDatas.push_back(SkinData); }

// Removes from the registered components, and from a pending skin change.
void TSkinManage::RemoveSkinData(TSkinData* SkinData) {
  SkinDatas.erase(std::remove(SkinDatas.begin(), SkinDatas.end(), SkinData), SkinDatas.end());
  if (ChangedSkinData == SkinData) ChangedSkinData = nullptr;
}

// Notes the action; acts at once before the first activation, else later.
void TSkinManage::Request(int Action) {
  PendingAction = Action;
  if (ActivateCount != 0) {
    Timer->SetEnabled(true);
    return;
  }
  if (Action == raSwitchOn) Active = true;
  if (Action == raSwitchOff) Active = false;
}

// Stops the timer and carries out the last request.
void TSkinManage::TimerFired() {
  Timer->SetEnabled(false);
  switch (PendingAction) {
    case raSwitchOn:
      Active = true;
      break;
    case raSwitchOff:
      Active = false;
      break;
    case raSkinChanged:
      if (TSkinData* changed = ChangedSkinData) {
        ChangedSkinData = nullptr;
        changed->DoSkinChanged();
      }
      break;
    default:
      break;
  }
}

// Deletes the manager once.
void FreeSkinManager() {
  delete SkinManager;
  SkinManager = nullptr;
}
