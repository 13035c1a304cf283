// The control skinner base: one object per child control of a skinned
// window that the skin engine draws itself. It hooks the control's message
// stream (a control of ours through its WindowProc, a bare window of the
// system through its window procedure: TControlHook), keeps the few facts
// that drawing needs, repaints when they change, and hands the hover over
// between skinners. Descendants (one file per kind) choose the messages
// they filter and how their control is painted.
//
// The owner of every skinner is the form skinner of its window. Skinners
// know it only as a TSkinnerHost: the list of the window's skinners (with
// the hot control) and the phase of its life, both declared here.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "skin/controls/ControlHook.h"
#include "skin/controls/ControlState.h"
#include "skin/data/SkinTrace.h"
#include "skin/draw/SkinModel.h"
#include "ui/Classes.h"
#include "ui/Controls.h"
#include "ui/Graphics.h"
#include "ui/Messages.h"

class TSkinControl;

// The life of a form skinner, as its control skinners see it.
enum class TFormPhase {
  Attached = 0,      // attached; the frame is not the skin's yet
  Active = 1,        // the skinned frame is up
  SkinChanging = 3,  // taking a changed skin
  Releasing = 4,     // released by the manager: its window is going away
  Activating = 5,    // sizing the frame to the skin
};

// The control skinners of one skinned window: the form skinner owns them
// through this list, finds them by window or control, keeps the one under
// the mouse (the hot control) and lets them all go at once.
class TSkinnerList {
public:
  TSkinnerList() = default;
  // Lets every skinner go (without repainting).
  ~TSkinnerList();
  TSkinnerList(const TSkinnerList&) = delete;
  TSkinnerList& operator=(const TSkinnerList&) = delete;

  // Takes Skinner (owned from now on); a skinner already listed is not taken twice.
  void Add(TSkinControl* Skinner);
  // Forgets Skinner without freeing it (it is being freed).
  void Remove(TSkinControl* Skinner);
  // The skinner serving window Wnd, or null.
  TSkinControl* Find(HWND Wnd) const;
  // Whether a skinner serves Component already (by component or by window).
  bool Serves(TComponent* Component) const;
  const std::vector<TSkinControl*>& Items() const { return FItems; }

  // The skinner under the mouse, or null.
  TSkinControl* Hot() const { return FHot; }
  void SetHot(TSkinControl* Skinner) { FHot = Skinner; }

  // Restores and frees every skinner; when Repaint, their controls are
  // repainted in their own look afterwards.
  void ReleaseAll(bool Repaint);
  // Every skinner takes the changed skin (a tab skinner its pictures, a
  // recolouring skinner the face colour).
  void SkinChanged();

private:
  std::vector<TSkinControl*> FItems;
  TSkinControl* FHot = nullptr;
};

// What a control skinner knows of the form skinner that owns it: the list of
// the window's skinners and the phase of the form skinner's life. The form
// skinner (skin/window) is one; a control skinner reaches it through its
// owner and never through the form skinner's own fields.
class TSkinnerHost {
public:
  virtual ~TSkinnerHost() = default;
  // The control skinners of the window, with its hot control.
  TSkinnerList& Skinners() { return FSkinners; }
  // Where the form skinner is in its life.
  TFormPhase Phase() const { return FPhase; }

protected:
  TSkinnerList FSkinners;
  TFormPhase FPhase = TFormPhase::Attached;
};

class TSkinControl : public TComponent {
  QUORVEL_CLASS(TSkinControl, TComponent)
public:
  // AOwner is the form skinner of the control's window.
  explicit TSkinControl(TComponent* AOwner);
  // Restores, and leaves the owner's list.
  ~TSkinControl() override;

  // Attaches to a control of ours: its WindowProc is replaced; the owner's
  // list takes this object. ChangeColor gives the control the skin's face
  // colour until Restore.
  virtual void InitControl(TControl* Control, TSkinModel* SkinData, bool ChangeColor,
                           TCanvas* Canvas);
  // Attaches to a bare window; the caller puts this object in the list.
  virtual void InitWindow(HWND Handle, TSkinModel* SkinData, TCanvas* Canvas);
  // Gives the control its own message handling back (and its colour); a
  // second call does nothing.
  virtual void Restore();
  // Takes a changed skin: a skinner that recolours its control gives it the
  // new face colour.
  virtual void SkinChanged();
  // Forgets a control that is being freed.
  void Notification(TComponent* AComponent, TOperation Operation) override;
  // Sees each message first: false consumes it (Message.Result stands).
  virtual bool BeforeProc(TMessage& Message);
  // Sees each message that was passed on, after the control handled it.
  virtual void AfterProc(TMessage& Message);
  // Paints the whole window (border included) through its window DC.
  virtual void Paint();
  // Paints the control on DC; Rect is the window's rectangle at (0, 0).
  virtual void PaintControl(HDC DC, const TRect& Rect);

  // The replacement message handler: BeforeProc, Default, AfterProc.
  void WndProc(TMessage& Message);
  // Hands Message to the control's previous handler.
  void Default(TMessage& Message);
  // Calls Paint.
  void Repaint() { Paint(); }
  // Ends the hover look: the control gets CM_MOUSELEAVE and the owner
  // forgets its hot control.
  void MouseLeave();
  // Fills Rect with the skin's button-face colour.
  void FillFace(HDC DC, const TRect& Rect);
  // The hover protocol of buttons: a mouse move sets the hover bit (and
  // repaints when it was clear) and makes this the owner's hot control,
  // ending the previous one's hover.
  void TakeHover();

  // The control's window (null for a control without one, or once gone).
  HWND Handle() const { return FHandle; }
  // The control of ours, or null for a bare window.
  TControl* Control() const { return FControl; }
  // The window's screen rectangle as last painted.
  const TRect& WindowRect() const { return FWindowRect; }
  // The window text as last read.
  const std::string& Caption() const { return FCaption; }
  // Whether the control takes the skin's face colour while skinned.
  bool ChangeColor() const { return FChangeColor; }
  // Whether this skinner is in the control's message stream.
  bool Hooked() const { return FHook.Attached(); }
  // The skin in force.
  TSkinModel* SkinData() const { return FSkinData; }
  // The form skinner's control canvas, shared by its skinners.
  TCanvas* Canvas() const { return FCanvas; }

protected:
  // The owner as the form skinner it is, or null.
  TSkinnerHost* Host() const;
  // Component mode: hooks Control's WindowProc (and asks to hear when it is freed).
  void HookControl(TControl& Control);
  // The window text, up to 1000 characters.
  std::string ReadCaption() const;
  // WM_PAINT painted entirely by the skinner, on wParam's DC or BeginPaint's.
  void PaintThroughBeginPaint(TMessage& Message);

  TSkinModel* FSkinData = nullptr;
  uint8_t FMouseState = 0;     // TMouseState bits
  TCanvas* FCanvas = nullptr;  // the form skinner's control canvas, shared
  bool FEnabled = true;
  bool FFocused = false;
  std::string FCaption;
  HWND FHandle = nullptr;
  TControl* FControl = nullptr;  // component mode
  TRect FWindowRect{0, 0, 0, 0};
  bool FChangeColor = false;
  TColor FOldColor = 0;

private:
  TControlHook FHook;
};
