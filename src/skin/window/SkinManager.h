// The process-wide skin manager. Through a window-creation hook of the GUI
// thread it sees every window created, activated and destroyed, decides
// which ones get a skin and from which skin data component, and attaches
// and releases their form skinners. It also carries out switching skinning
// on and off and applying a changed skin, deferred through a 250 ms timer
// once the first window has been activated.
#pragma once

#include <windows.h>

#include <memory>
#include <string>
#include <vector>

#include "skin/controls/ControlHook.h"
#include "ui/Classes.h"
#include "ui/Timers.h"

class TCustomForm;
class TSkinData;
class TWinSkinForm;
class TWinSkinPopMenu;
class TBitmap;

class TSkinManage : public TObject {
public:
  // The deferred actions that Request accepts (raNone: none pending).
  enum TRequestAction { raNone = 0, raSwitchOn = 1, raSwitchOff = 2, raSkinChanged = 3 };
  // What the manager has seen of the windows: no activation yet, at least
  // one, or its own destruction under way (the Parts' values 0, 1 and 4).
  enum TActivation { acNone = 0, acSeen = 1, acDestroying = 4 };
  // How long a request waits once windows are up, in milliseconds.
  static constexpr uint32_t RequestDelay = 250;

  // The result of the hook that makes Windows refuse a window.
  static constexpr LRESULT RefuseWindow = 10;

  // Idle and switched off, with its timer stopped; installs the hook.
  TSkinManage();
  // Removes the hook, detaches and frees every form skinner (last attached
  // first), then gives the open menu windows back.
  ~TSkinManage() override;
  TSkinManage(const TSkinManage&) = delete;
  TSkinManage& operator=(const TSkinManage&) = delete;

  // Registers a component (in registration order).
  void AddSkinData(TSkinData* SkinData);
  // Forgets a component that goes away; menu windows open with its skin get
  // their own look back.
  void RemoveSkinData(TSkinData* SkinData);
  // Asks for a deferred action. Before the first window activation, switching
  // on and off happens at once and a changed skin is only noted; afterwards
  // the timer carries out the last request about RequestDelay ms later.
  void Request(TRequestAction Action);
  // Notes Changed as the component whose OnSkinChanged fires once the
  // changed skin is applied, and asks for raSkinChanged.
  void RequestSkinChanged(TSkinData* Changed);
  // The component noted by RequestSkinChanged while its change is pending.
  TSkinData* ChangedSkinData() const { return FChangedSkinData; }
  // Carries out PendingAction; the timer's handler.
  void TimerFired();

  // Gives Wnd a form skinner when it qualifies; true when one was attached.
  bool AttachForm(HWND Wnd);
  // Releases Wnd's form skinner; false when it has none.
  bool DetachForm(HWND Wnd);
  // Whether Wnd has a form skinner.
  bool HasFormSkinner(HWND Wnd) const;
  // SkinData is about to re-read its skin: the windows it skins let go of its
  // entries until the change is applied (ApplyChangedSkin).
  void SkinDataReloading(TSkinData* SkinData);
  // The form skinner of Wnd, or null.
  TWinSkinForm* FormSkinner(HWND Wnd) const;
  // The application's form whose window is Wnd, or null.
  static TCustomForm* FindForm(HWND Wnd);
  // A child window that is not an MDI child.
  static bool IsPlainChild(HWND Wnd);
  // The component that serves Wnd (SkinData enters null and stays null when
  // none is registered).
  void FindSkinData(TSkinData*& SkinData, HWND Wnd) const;
  // Whether windows of class ClassName may be skinned.
  bool CanSkin(const std::string& ClassName) const;
  // Popup menus keep the platform's look until they get a skinner of their
  // own; the hook already calls these at their creation and destruction.
  void AttachPopupMenu(HWND Wnd);
  // Restores and frees Wnd's popup skinner; false when it has none.
  bool DetachPopupMenu(HWND Wnd);
  // Whether Wnd has a popup skinner.
  bool HasPopupMenu(HWND Wnd) const;
  // The background of the open popup menu showing Menu, or null.
  TBitmap* PopupMenuBitmap(HMENU Menu) const;
  // Records whether the active MDI child is maximized and switches every MDI
  // child between the skinned frame and the platform's.
  void SetMdiMax(bool Value);
  // The MDI maximized state as the children are now: set while the active
  // child of a skinned MDI frame (other than Leaving, which is going) is
  // maximized.
  void FollowMdiChildren(const TWinSkinForm* Leaving = nullptr);

  std::unique_ptr<TTimer> Timer;
  std::vector<std::unique_ptr<TWinSkinForm>> Forms;
  std::vector<std::unique_ptr<TWinSkinPopMenu>> PopupMenus;
  std::vector<TSkinData*> SkinDatas;  // not owned
  bool Active = false;                // new windows may be skinned
  // acNone until the first window activation has been seen, then acSeen;
  // acDestroying while the manager is being destroyed.
  TActivation ActivateCount = acNone;
  bool MdiMaximized = false;
  TRequestAction PendingAction = raNone;

private:
  // Takes the platform's version and installs the window-creation hook.
  void InstallHook();
  // The window-creation (CBT) hook of the GUI thread.
  static LRESULT CALLBACK HookProc(int Code, WPARAM WParam, LPARAM LParam);
  // Skins every form of the application; other windows follow at their
  // next activation.
  void SwitchOn();
  // Gives every skinned window its own look back; popup menus are left alone.
  void SwitchOff();
  // Every skinned window takes the changed skin's metrics, then its looks.
  void ApplyChangedSkin();

  TSkinData* FChangedSkinData = nullptr;  // whose OnSkinChanged fires after a change
  TWindowsHook FHook;                     // the window-creation hook, for the manager's life
};

// The one manager, made by the first skin data component outside design
// mode; null before that and after FreeSkinManager.
extern TSkinManage* SkinManager;
// The platform version (GetVersion) taken when the manager starts; a value
// below 0x80000000 means a Windows NT family system.
extern DWORD WinVersion;

// Frees the manager and sets SkinManager to null (also done at program end).
void FreeSkinManager();
