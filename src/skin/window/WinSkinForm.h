// The form skinner: one per skinned top-level window (a form of ours, a
// dialog of the system) or MDI child. It subclasses the window, takes over
// its non-client area (borders, title bar, caption, title-bar buttons) and
// draws it from the skin, and shapes the window region around the skin's
// transparent border pixels.
#pragma once

#include <windows.h>

#include <array>
#include <functional>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "skin/controls/SkinDispatch.h"
#include "skin/controls/WinSubClass.h"
#include "skin/window/WinSkinData.h"
#include "ui/Classes.h"
#include "ui/Graphics.h"
#include "ui/Messages.h"
#include "ui/Subclass.h"
#include "ui/Timers.h"

class TCustomForm;
class TWinControl;
class TSkinControl;
class TWinSkinForm;
class TWinSkinMenu;
class TMenuBtn;

// The skin engine's private window messages.
enum : UINT {
  WM_SKINCHANGED = 0x3401,     // in: a skinned form re-reads its changed skin
  WM_SKINPAINTFRAME = 0x3502,  // repaint the non-client area
  WM_SKINACTIVATE = 0x3503,    // finish attaching: size the frame, build the region
  WM_SKINBUTTONACTION =
      0x3504  // out: a title-bar button with an application action; wParam = action
};

// Window states as the frame tracks them.
enum : uint8_t { fwsNormal = 0, fwsMaximized = 1, fwsMinimized = 2 };
// Kinds of skinned window.
enum : uint8_t { fkWindow = 0, fkMDIFrame = 1, fkMDIChild = 2 };
// Caption buttons a window had when it was attached (FSavedButtons).
enum : uint8_t { sbMaximize = 1, sbMinimize = 2, sbSystemMenu = 8 };

// A button drawn in the non-client area: a rectangle in window coordinates
// whose look follows its state. The frame's FHotObject is the one object
// under the mouse or pressed.
class TNCObject : public TObject {
public:
  enum { stNormal = 1, stPressed = 2, stHot = 3 };

  explicit TNCObject(TWinSkinForm* SkinForm) : FSkinForm(SkinForm) {}

  virtual void MouseDown();
  virtual void MouseUp();
  virtual void MouseMove();
  virtual void MouseLeave();
  virtual void Paint() {}

  TWinSkinForm* FSkinForm;
  TRect FBounds{0, 0, 0, 0};
  bool FVisible = false;  // hidden objects ignore the mouse
  int FState = stNormal;
};

// A title-bar button described by one of the skin's title-bar buttons.
class TWinSysButton : public TNCObject {
public:
  TWinSysButton(TWinSkinForm* SkinForm, TDataSkinSysButton* SkinObject)
      : TNCObject(SkinForm), FSkinObject(SkinObject) {}
  void Paint() override;

  TDataSkinSysButton* FSkinObject;  // not owned
};

class TWinSkinForm : public TComponent, public TSkinnerHost {
  QUORVEL_CLASS(TWinSkinForm, TComponent)
public:
  explicit TWinSkinForm(TComponent* AOwner);
  // A skinner for the window Wnd, not attached yet.
  TWinSkinForm(TComponent* AOwner, HWND Wnd);
  ~TWinSkinForm() override;

  // Attaches to the window in FHandle (set by the caller); a second attach
  // is ignored.
  void AttachToWindow(TSkinData* SkinData);
  // Attaches to a form of ours (FHandle set by the caller).
  void AttachToForm(TSkinData* SkinData, TCustomForm* Form);
  // Undoes everything: the window looks and behaves as before.
  void Detach();
  // Detaches for good: the window is going away (its controls keep their
  // skinned colours and are not repainted, its MDI children go too).
  void Release();
  // Re-reads colours and metrics after the skin changed.
  void SkinChanged();
  // Puts the window's own caption-button style bits back, or takes them off.
  void SetSysButtons(bool Show);
  static void Repaint(HWND Wnd);
  // A screen point in the coordinates of the title-bar objects.
  TPoint ToWindowPoint(int X, int Y);
  void Notification(TComponent* AComponent, TOperation Operation) override;

  // --- frame metrics, region and non-client painting ---
  void ComputeMetrics();
  // Drops what points into the skin's entries (the title-bar buttons, the
  // cached border pictures); ComputeMetrics builds them again.
  void ForgetSkinObjects();
  void FitWindowToFrame(int MenuLines);
  void FrameChanged();
  void UpdateRegion();
  void DropRegion();
  void PaintNC();
  void PaintTitle(HDC DC);
  void PaintCaption(TCanvas& Canvas, const TRect& R);
  void PaintBorderPiece(int Index, const TRect& Rect, HDC DC);
  void LoadWindowIcon(TBitmap& Bitmap);

  // --- title-bar buttons ---
  bool IsSysButtonVisible(int Index);
  void LayoutSysButtons();
  void PaintSysButtons(TCanvas& Canvas);
  void PaintSysButton(TWinSysButton& Button, int State);
  TWinSysButton* SysButtonAt(TPoint P);
  void ExecuteSysButton(int X, int Y);
  void ToggleMaximize();
  void ToggleMinimize();
  void RestoreWindow();
  void ShowSystemMenu(TPoint P);

  // --- MDI (the children's buttons are drawn by the menu bar) ---
  bool IsActiveChildMaximized();
  void SendToActiveChild(WPARAM Command);
  // The MDI client's subclass: it learns of children coming and going,
  // keeps its scroll bars off and the real menu off the frame.
  void SubclassMDIClient();
  void UnsubclassMDIClient();
  void ReleaseMDIChildren();
  void CallClientDefault(TMessage& Message);
  void ClientWndProc(TMessage& Message);
  WNDPROC FOldClientProc = nullptr;  // the MDI client's procedure before the subclass
  std::unique_ptr<TWindowSubclass>
      FClientInstance;  // set exactly while the MDI client is subclassed

  // --- menu bar (WinSkinMenu.cpp) ---
  // Opens Button's popup below it and returns when it has closed; false
  // for no button or one without a popup.
  bool TrackMenuButton(TMenuBtn* Button);
  void EndMenuTracking() { FMenuTracking = false; }
  void WMMeasureItem(TMessage& Message);
  void WMDrawItem(TMessage& Message);
  // Alt+letter of a form: opens the menu-bar button with that accelerator.
  void CMDialogChar(TMessage& Message);
  // A click that switches popups while one is open: closes the open one
  // and posts the click again; false when no bar popup is open.
  bool DeferWhileMenuOpen(TMessage& Message);
  // Takes MFT_OWNERDRAW off the bar's menu items that tracking gave it.
  void RestoreOwnerDrawnItems();
  std::vector<std::pair<HMENU, UINT>> FOwnerDrawnItems;

  // Passes Message to the window's procedure from before the subclass.
  void CallDefault(TMessage& Message);

  // --- state; see the class comment of each group ---
  std::function<void(TMessage&)> FSavedWindowProc;   // the form's WindowProc before attaching
  WNDPROC FOldWndProc = nullptr;                     // the window's procedure before the subclass
  std::unique_ptr<TWindowSubclass> FObjectInstance;  // set exactly while subclassed
  TFont FCaptionFont;
  std::unique_ptr<TTimer> FHoverTimer;
  std::string FWindowText;
  std::string FCaptionPrefix, FCaptionSuffix;
  bool FSysButtonsShown = true;
  int FBorderLeft = 0, FTitleHeight = 0, FBorderRight = 0, FBorderBottom = 0;
  TRect FWindowRect{0, 0, 0, 0};
  TRect FCaptionRect{0, 0, 0, 0};
  int FMenuHeight = 0;
  int FSysButtonCount = 0;
  bool FMenuTracking = false;
  HWND FMDIClient = nullptr;
  HWND FNewMDIChild = nullptr;
  HMENU FWindowMenu = nullptr;
  HMENU FSystemMenu = nullptr;
  HMENU FTrackedMenu = nullptr;
  TColor FSavedColor = 0;
  std::unique_ptr<TWinSkinMenu> FMenuBar;  // the skinned menu bar, or null
  TNCObject* FHotObject = nullptr;
  bool FRegionSet = false;
  HRGN FRegion = nullptr;  // the window's region: the system's once set
  TCustomForm* FForm = nullptr;
  HWND FHandle = nullptr;
  TCanvas FNCCanvas;
  TCanvas FControlCanvas;
  TSkinData* FSkinData = nullptr;
  std::vector<std::unique_ptr<TWinSysButton>> FSysButtons;
  TBitmap FIconBitmap;
  TBitmap FTitleBitmap;
  int FFrameWidth = 0, FFrameHeight = 0;
  int FRegionWidth = 0, FRegionHeight = 0;
  bool FActive = true;
  uint8_t FKind = fkWindow;
  bool FFrameless = false;
  uint8_t FSavedButtons = 0;
  uint8_t FWindowState = fwsNormal;

  // Restores and frees every control skinner; their controls are repainted
  // in their own look unless their window goes with this one or the whole
  // engine is shutting down.
  void ReleaseSkinners();

private:
  void FormWindowProc(TMessage& Message);
  void WndProc(TMessage& Message);
  // The frame messages, once the skinned frame is active; false for a
  // message they leave to the window.
  bool FrameMessage(TMessage& Message);
  void Activate();
  void NCActivate(TMessage& Message);
  void ReadPlacement();
  // Looks for the "MDIClient" child that makes the window an MDI frame.
  void FindMDIClient();
  void HoverTimerFired();
  bool IsMaximizedMDIChild() const;

  // The dispatch that hands this window's child controls to control skinners.
  TSkinDispatch Dispatch();

  void WMCommand(TMessage& Message);
  void WMSysCommand(TMessage& Message);
  void WMNCCalcSize(TMessage& Message);
  void WMNCHitTest(TMessage& Message);
  void WMSize(TMessage& Message);
  void WMGetMinMaxInfo(TMessage& Message);
  void WMEraseBkgnd(TMessage& Message);
  void NCMouseMessage(TMessage& Message);
  // The window text, up to 1000 characters.
  std::string WindowText() const;

  // Border piece Index (1 to 4) drawn at w x h in the window's present look.
  // The pictures are kept until the size, the look or the skin changes, so
  // that repainting an unchanged frame only copies them.
  TBitmap& BorderPicture(int Index, int w, int h);
  void ForgetBorderPictures();
  struct TPieceCache {
    int W = -1, H = -1, Frame = 0;
    std::unique_ptr<TBitmap> Picture;
  };
  std::array<TPieceCache, 5> FPieceCache;
};
