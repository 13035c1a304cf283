// The form skinner: one per skinned top-level window (a form of ours, a
// dialog of the system) or MDI child. It attaches the skinned frame
// (SkinFrame) to its window: it subclasses the window (and hooks a form's
// WindowProc), routes the window's messages, hands the child controls to
// control skinners, takes a changed skin, and gives everything back when it
// detaches.
#pragma once

#include <windows.h>

#include "skin/controls/ControlHook.h"
#include "skin/controls/SkinDispatch.h"
#include "skin/window/ComponentMenus.h"
#include "skin/window/SkinFrame.h"
#include "skin/window/WinSkinData.h"
#include "ui/Classes.h"
#include "ui/Graphics.h"
#include "ui/Messages.h"

class TCustomForm;

class TWinSkinForm : public TComponent, public TSkinFrame {
  QUORVEL_CLASS(TWinSkinForm, TComponent)
public:
  // A skinner not attached to any window.
  explicit TWinSkinForm(TComponent* AOwner);
  // A skinner for the window Wnd, not attached yet.
  TWinSkinForm(TComponent* AOwner, HWND Wnd);
  // Frees the control skinners; the window's procedure goes back with the subclass.
  ~TWinSkinForm() override;

  // Attaches to the window given at construction; a second attach is ignored.
  void AttachToWindow(TSkinData* SkinData);
  // Attaches to a form of ours (its window given at construction).
  void AttachToForm(TSkinData* SkinData, TCustomForm* Form);
  // Undoes everything: the window looks and behaves as before, and a window
  // that stays keeps the size of its client area.
  void Detach();
  // Detaches for good: the window is going away (its controls keep their
  // skinned colours and are not repainted, its MDI children go too).
  void Release();
  // Re-reads colours and metrics after the skin changed.
  void SkinChanged();
  // Forgets a skin data component that is being freed: nothing reads it
  // any more (the frame is left to the platform's painting).
  void Notification(TComponent* AComponent, TOperation Operation) override;
  // Restores and frees every control skinner; their controls are repainted
  // in their own look unless their window goes with this one or the whole
  // engine is shutting down.
  void ReleaseSkinners();

  // The form of ours, or null for a window of the system.
  TCustomForm* Form() const { return FForm; }
  // The canvas the control skinners draw through.
  TCanvas& ControlCanvas() { return FControlCanvas; }

private:
  // The form's WindowProc: text, skin and menu changes, Alt+letter.
  void FormWindowProc(TMessage& Message);
  // The window's procedure: the messages of every phase, then the frame's.
  void WndProc(TMessage& Message);
  // Finishes attaching: the frame sized to the skin, the region built.
  void Activate();
  // Sizes the window around a client area of Width x Height under the
  // frame it has now.
  void KeepClientSize(int Width, int Height);
  // Alt+letter of a form: opens the menu-bar button with that accelerator.
  void CMDialogChar(TMessage& Message);
  // Ends the hover of objects and controls the mouse has left.
  void HoverTimerFired();
  // The dispatch that hands this window's child controls to control skinners.
  TSkinDispatch Dispatch();

  TCustomForm* FForm = nullptr;
  TControlHook FFormHook;               // the form's WindowProc leads to FormWindowProc
  TComponentMenuDrawing FPopupDrawing;  // the skinned drawing of the form's popup menus
  TCanvas FControlCanvas;
  TColor FSavedColor = 0;
};
