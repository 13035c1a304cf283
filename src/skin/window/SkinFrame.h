// The skinned frame of one window: its state (active, window state, kind,
// the caption buttons it had), its sizes, and the frame's messages and
// commands. The non-client area (borders, title bar, caption, title-bar
// buttons, menu bar) is drawn from the skin by the frame painter and shaped
// by its region; the title-bar buttons, the menu bar with its tracking and
// an MDI frame's client are objects of their own. The form skinner
// (WinSkinForm) attaches the frame to its window and routes the window's
// messages to it.
#pragma once

#include <windows.h>

#include <memory>
#include <string>

#include "skin/controls/WinSubClass.h"
#include "skin/window/FrameMetrics.h"
#include "skin/window/FramePainter.h"
#include "skin/window/FrameState.h"
#include "skin/window/MdiClient.h"
#include "skin/window/NCObject.h"
#include "skin/window/TitleButtons.h"
#include "ui/Graphics.h"
#include "ui/Messages.h"
#include "ui/Subclass.h"
#include "ui/Timers.h"

class TMenu;
class TMenuBtn;
class TSkinData;
struct TFrameMenus;
class TWinSkinMenu;

class TSkinFrame : public TSkinnerHost {
public:
  // --- the frame ---
  // The frame's sizes from the skin's border pictures; the title-bar
  // buttons are made anew.
  void ComputeMetrics();
  // Drops what points into the skin's entries (the title-bar buttons, the
  // cached border pictures); ComputeMetrics builds them again.
  void ForgetSkinObjects();
  // Resizes the window around its client area for the skinned frame (with
  // MenuLines menu bands); a maximized window only recalculates its frame.
  void FitWindowToFrame(int MenuLines);
  // Has the platform recalculate the frame (WM_NCCALCSIZE).
  void FrameChanged();
  // Builds the window region for the window's size (see TFramePainter).
  void UpdateRegion();
  // Builds the window region anew, whatever the size.
  void RebuildRegion();
  // Takes the region off without a repaint.
  void DropRegion();
  // Paints the whole non-client area.
  void PaintNC();
  // Puts the window's own caption-button style bits back, or takes them off.
  void SetSysButtons(bool Show);
  // The manager's MDI maximized state changed to Maximized: an MDI child
  // switches between the skinned frame and the platform's. A child that
  // takes its shape back is repainted by RepaintMdiFrame.
  void MdiMaxChanged(bool Maximized);
  // The form's menu changed to Component (null: none): the window's new
  // menu gets a bar (built now if it had none), and the bar goes when the
  // menu has gone.
  void FollowMenu(TMenu* Component);
  // An MDI child's WM_SIZE of type SizeType: when it was maximized or is
  // now, its frame is asked to follow the children.
  void MdiChildSized(WPARAM SizeType);
  // Once every child has changed: the child that took its shape back is
  // repainted, with what its parent shows around the shape. (A repaint
  // pending while the next child's frame changes would be carried out there
  // and then, child by child.)
  void RepaintMdiFrame();
  // Invalidates Wnd and repaints it now.
  static void Repaint(HWND Wnd);
  // A screen point in the coordinates of the title-bar objects.
  TPoint ToWindowPoint(int X, int Y);

  // --- title-bar buttons and window commands ---
  // Carries out Button's action; (X, Y) is where the click was (screen).
  void ExecuteSysButton(TWinSysButton& Button, int X, int Y);
  // Maximizes, or restores a maximized window.
  void ToggleMaximize();
  // Minimizes, or restores a minimized window.
  void ToggleMinimize();
  // Restores the window.
  void RestoreWindow();
  // Opens the window's system menu at P (screen).
  void ShowSystemMenu(TPoint P);
  // An MDI frame whose active child is maximized.
  bool IsActiveChildMaximized() const;
  // Sends Command to an MDI frame's active child.
  void SendToActiveChild(WPARAM Command);

  // --- what the engine and its tests read ---
  HWND Handle() const { return FHandle; }
  TSkinData* SkinData() const { return FSkinData; }
  const TFrameMetrics& Metrics() const { return FMetrics; }
  bool Active() const { return FActive; }
  TFrameKind Kind() const { return FKind; }
  TFrameWindowState WindowState() const { return FWindowState; }
  HWND MdiClient() const { return FMdi.Handle(); }
  TWinSkinMenu* MenuBar() const { return FMenuBar.get(); }
  // Whether this frame's menu bar is tracking one of its popups.
  bool MenuTracking() const;
  const TTitleButtons& SysButtons() const { return FButtons; }
  TNCObject* HotObject() const { return FHot.Object; }
  const TFramePainter& Painter() const { return FPainter; }

protected:
  // The frame of window Wnd, not attached yet.
  explicit TSkinFrame(HWND Wnd);
  // The menu bar goes with the frame.
  ~TSkinFrame() override;
  TSkinFrame(const TSkinFrame&) = delete;
  TSkinFrame& operator=(const TSkinFrame&) = delete;

  // The frame messages, once the skinned frame is active; false for a
  // message they leave to the window.
  bool FrameMessage(TMessage& Message);
  // Passes Message to the window's procedure from before the subclass.
  void CallDefault(TMessage& Message);
  void WMCommand(TMessage& Message);
  void WMSysCommand(TMessage& Message);
  void WMGetMinMaxInfo(TMessage& Message);
  void WMEraseBkgnd(TMessage& Message);
  // Reads the window's state from its placement.
  void ReadPlacement();
  // The window text, up to 1000 characters.
  std::string WindowText() const;
  // An MDI child while the manager says the active child is maximized.
  bool IsMaximizedMDIChild() const;
  // Reads the window's small icon (or a default icon) into the buttons' icon.
  void LoadWindowIcon();

  HWND FHandle = nullptr;
  TSkinData* FSkinData = nullptr;
  bool FIsForm = false;       // the window is a form of ours
  TWindowSubclass FSubclass;  // the window's procedure leads to the form skinner
  bool FSubclassed = false;   // from attaching to Detach or WM_DESTROY
  std::unique_ptr<TTimer> FHoverTimer;

  TFrameMetrics FMetrics;
  TFramePainter FPainter;
  TNCHot FHot;
  TTitleButtons FButtons;
  std::unique_ptr<TWinSkinMenu> FMenuBar;  // the skinned menu bar, or null
  TMdiClient FMdi;

  bool FActive = true;
  TFrameKind FKind = TFrameKind::Window;
  TFrameWindowState FWindowState = TFrameWindowState::Normal;
  bool FFrameless = false;
  uint8_t FSavedButtons = 0;  // TCaptionButtons bits
  bool FSysButtonsShown = true;
  bool FZoomed = false;         // an MDI child: maximized at its last WM_SIZE
  bool FMdiRepaintDue = false;  // the shape came back; RepaintMdiFrame follows
  HMENU FWindowMenu = nullptr;
  HMENU FSystemMenu = nullptr;
  std::string FCaptionPrefix, FCaptionSuffix;

private:
  void NCActivate(TMessage& Message);
  void WMNCCalcSize(TMessage& Message);
  void WMNCHitTest(TMessage& Message);
  void WMSize(TMessage& Message);
  void WMMeasureItem(TMessage& Message);
  void WMDrawItem(TMessage& Message);
  // Mouse messages over the title-bar and menu-bar buttons.
  void NCMouseMessage(TMessage& Message);
  // A click that switches popups while one is open: closes the open one
  // and posts the click again; false when no bar popup is open.
  bool DeferWhileMenuOpen(TMessage& Message);
  // Opens Button's popup below it and returns when it has closed.
  bool TrackMenuButton(TMenuBtn& Button);
  // What the frame painter and the title-bar buttons are told of the frame.
  TFrameView View() const;
  TTitleState TitleState() const;
  // What the frame's item messages need to know.
  TFrameMenus FrameMenus() const;
};
