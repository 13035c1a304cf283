// Forms and the application: top-level windows loaded from their stored
// definitions, modal forms, and the message loop that also runs the work
// other threads hand to the main thread; frames (containers with a stored
// definition of their own, placed on forms) and scroll boxes.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "ui/Controls.h"

class TCustomForm;
class TMainMenu;
class TPopupMenu;
class TMenuItem;

enum TBorderIconFlag : uint32_t {
  biSystemMenu = 1u << 0,
  biMinimize = 1u << 1,
  biMaximize = 1u << 2,
  biHelp = 1u << 3
};
using TBorderIcons = uint32_t;
enum TPosition {
  poDesigned,
  poDefault,
  poDefaultPosOnly,
  poDefaultSizeOnly,
  poScreenCenter,
  poDesktopCenter,
  poMainFormCenter,
  poOwnerFormCenter
};
enum TCloseAction { caNone, caHide, caFree, caMinimize };
enum TWindowState { wsNormal, wsMinimized, wsMaximized };
enum TFormStyle { fsNormal, fsMDIChild, fsMDIForm, fsStayOnTop };

using TCloseEvent = TEvent<TObject*, TCloseAction&>;
using TCloseQueryEvent = TEvent<TObject*, bool&>;

// A definition resource that is missing.
class EResNotFound : public Exception {
  using Exception::Exception;
};

// Asks the main thread to run the work queued for it (posted to the
// application window; safe from any thread).
void WakeMainThread();

// ---------------------------------------------------------------------------

// The application: its hidden window (class "TApplication", text = Title),
// its forms, the main form, and the message loop.
class TApplication : public TComponent {
  QUORVEL_CLASS(TApplication, TComponent)
public:
  explicit TApplication(TComponent* owner);
  ~TApplication() override;

  // Creates the application window.
  void Initialize();
  // The application window (created when first asked for).
  HWND Handle();
  const std::string& Title() const { return FTitle; }
  void SetTitle(const std::string& value);

  // Creates a form owned by the application; the first one becomes the main form.
  template <class T>
  void CreateForm(T*& ref) {
    ref = new T(this);
    if (!FMainForm) FMainForm = ref;
  }
  TCustomForm* MainForm() const { return FMainForm; }

  // Shows the main form and runs the message loop until the application ends.
  void Run();
  // Handles every message waiting in the queue, then the queued main-thread work.
  void ProcessMessages();
  // Handles one message, or waits for one when there is none.
  void HandleMessage();
  // Ends the message loop: posts WM_QUIT; Terminated turns true when it arrives.
  void Terminate();
  bool Terminated() const { return FTerminated; }
  // The form of the active window, or null.
  TCustomForm* ActiveForm() const;
  // Shows an exception's message in a message box titled with Title.
  void ShowException(const std::exception& error);
  // A message box of the system, titled with Title when caption is empty.
  int MessageBox(const std::string& text, const std::string& caption = "", UINT flags = MB_OK);

  // Every form, in creation order.
  int FormCount() const { return static_cast<int>(FForms.size()); }
  TCustomForm* Forms(int index) const { return FForms.at(static_cast<size_t>(index)); }
  // Called by forms when they are made and destroyed.
  void AddForm(TCustomForm* form);
  void RemoveForm(TCustomForm* form);
  // Frees form from the message loop, after the current message.
  void ReleaseForm(TCustomForm* form);

private:
  static LRESULT CALLBACK WndProc(HWND wnd, UINT msg, WPARAM wParam, LPARAM lParam);
  // Takes one message off the queue and handles it; false when there was none.
  bool ProcessMessage(MSG& msg);
  // Enter, Escape and Tab on a form's controls, and Alt+letter accelerators; true when taken.
  bool IsDialogKey(const MSG& msg);
  // A key that is the shortcut of an item of the active form's menu; true when run.
  bool IsMenuShortCut(const MSG& msg);
  // The system keys of MDI children (Ctrl+F4, Ctrl+F6); true when taken.
  bool IsMDIMessage(MSG& msg);
  void Idle();

  HWND FHandle = nullptr;
  std::string FTitle;
  TCustomForm* FMainForm = nullptr;
  std::vector<TCustomForm*> FForms;
  // Forms waiting for their release message (a form freed meanwhile leaves).
  std::vector<TCustomForm*> FReleased;
  bool FTerminated = false;
};

// The one application object.
extern TApplication* Application;

// ---------------------------------------------------------------------------

// A top-level window with controls, usually loaded from its stored
// definition (LoadDefinition). Its window class is its class name.
class TCustomForm : public TCustomControl {
  QUORVEL_CLASS(TCustomForm, TCustomControl)
public:
  // An empty form (forms built in code start here).
  explicit TCustomForm(TComponent* owner);
  ~TCustomForm() override;

  // Reads the form's definition from the resource (type RCDATA) named by the
  // upper-case class name, then runs OnCreate. Raises EResNotFound when there
  // is none and EReadError when it is damaged.
  void LoadDefinition();
  // The same from a stream holding a binary definition.
  void LoadDefinition(TStream& stream);

  void Show() { SetVisible(true); }
  void Hide() { SetVisible(false); }
  // Asks to close: OnCloseQuery, OnClose, then hide / free / end the application.
  void Close();
  // Shows the form with the other windows disabled until ModalResult is set.
  TModalResult ShowModal();
  // Frees the form once the current message is done.
  void Release();
  // Runs OnDestroy (once) and destroys the window while the form is still
  // whole; the application calls it before freeing a form, the destructor
  // calls it otherwise.
  void BeforeDestruction();
  // Brings the form to the front.
  void BringToFront();
  bool CloseQuery();

  TModalResult ModalResult() const { return FModalResult; }
  void SetModalResult(TModalResult value) { FModalResult = value; }
  bool IsModal() const { return FModal; }
  TWinControl* ActiveControl() const { return FActiveControl; }
  void SetActiveControl(TWinControl* control);
  TFormBorderStyle BorderStyle() const { return FBorderStyle; }
  void SetBorderStyle(TFormBorderStyle value);
  TBorderIcons BorderIcons() const { return FBorderIcons; }
  void SetBorderIcons(TBorderIcons value);
  TPosition Position() const { return FPosition; }
  void SetPosition(TPosition value) { FPosition = value; }
  TWindowState WindowState() const { return FWindowState; }
  void SetWindowState(TWindowState value);
  TIcon& Icon() { return FIcon; }
  TIcon* IconObject() { return &FIcon; }
  int PixelsPerInch() const { return FPixelsPerInch; }
  void SetPixelsPerInch(int value) { FPixelsPerInch = value; }
  int TextHeight() const { return FTextHeight; }
  void SetTextHeight(int value) { FTextHeight = value; }
  // Scrolling is not offered; the property only keeps definitions readable.
  bool AutoScroll() const { return false; }
  void SetAutoScroll(bool) {}
  bool KeyPreview() const { return FKeyPreview; }
  void SetKeyPreview(bool value) { FKeyPreview = value; }
  // The menu bar: put on the window (SetMenu) when the window is made and
  // when the menu or its items change (CM_MENUCHANGED).
  TMainMenu* Menu() const { return FMenu; }
  void SetMenu(TMainMenu* value);
  // The context menu, opened on WM_CONTEXTMENU (right click, Shift+F10).
  TPopupMenu* PopupMenu() const { return FPopupMenu; }
  void SetPopupMenu(TPopupMenu* value);

  // --- MDI ---
  // fsMDIForm: the form holds an "MDIClient" window for its children;
  // fsMDIChild: the form is a child of the MDI form's client. Set before the
  // window is made (a change re-creates it).
  TFormStyle FormStyle() const { return FFormStyle; }
  void SetFormStyle(TFormStyle value);
  // The item whose submenu lists the MDI children.
  TMenuItem* WindowMenu() const { return FWindowMenu; }
  void SetWindowMenu(TMenuItem* value);
  // The MDI client window of an MDI form (null otherwise or before the window exists).
  HWND ClientHandle() const { return FClientHandle; }
  TCustomForm* ActiveMDIChild() const;
  int MDIChildCount() const;
  TCustomForm* MDIChildren(int index) const;
  void Cascade();
  void Tile();
  void ArrangeIcons();
  void Next();
  void Previous();
  // The client size: the outer size follows.
  int GetClientWidth() { return ClientWidth(); }
  int GetClientHeight() { return ClientHeight(); }
  void SetClientWidth(int value);
  void SetClientHeight(int value);

  TRect ClientRect() override;
  void SetVisible(bool value) override;
  void WndProc(TMessage& msg) override;
  void Loaded() override;
  void Notification(TComponent* component, TOperation operation) override;
  // Enter, Escape and Tab pressed on window focus (one of the form's
  // controls); true when handled.
  virtual bool DialogKey(WPARAM key, HWND focus);

  TNotifyEvent OnCreate;
  TNotifyEvent OnDestroy;
  TNotifyEvent OnShow;
  TNotifyEvent OnHide;
  TNotifyEvent OnActivate;
  TNotifyEvent OnDeactivate;
  TNotifyEvent OnPaint;
  TCloseEvent OnClose;
  TCloseQueryEvent OnCloseQuery;

protected:
  void CreateParams(TCreateParams& params) override;
  HWND CreateWindowHandle(const TCreateParams& params) override;
  void InitWnd() override;
  void DestroyWnd() override;
  void AlignControls(TRect rect) override;
  void DefaultHandler(TMessage& msg) override;
  void Paint() override;
  // Runs OnClose.
  virtual void DoClose(TCloseAction& action);
  // The styles of the current border settings.
  void FrameStyles(DWORD& style, DWORD& exStyle) const;
  // The outer size minus the client size, for the current border settings.
  SIZE FrameSize() const;

private:
  void ApplyPosition();
  // Sends msg to every control of the form (depth first) until one answers.
  void SendToControls(TMessage& msg);
  void SetIcons();
  void WMActivate(TMessage& msg);
  void WMContextMenu(TMessage& msg);
  // Puts the menu bar on the window (and tells the MDI client).
  void PutMenu();
  // The MDI form whose client takes this child.
  TCustomForm* MDIParentForm() const;
  void CreateMDIClient();
  void FocusFirstControl();
  std::vector<TWinControl*> TabList();

  TModalResult FModalResult = mrNone;
  bool FModal = false;
  TWinControl* FActiveControl = nullptr;
  TFormBorderStyle FBorderStyle = bsSizeable;
  TBorderIcons FBorderIcons = biSystemMenu | biMinimize | biMaximize;
  TPosition FPosition = poDesigned;
  TWindowState FWindowState = wsNormal;
  TIcon FIcon;
  int FPixelsPerInch = 96;
  int FTextHeight = 13;
  bool FKeyPreview = false;
  int FPendingClientWidth = -1;
  int FPendingClientHeight = -1;
  bool FPositioned = false;
  bool FDestroyAnnounced = false;
  TMainMenu* FMenu = nullptr;
  TPopupMenu* FPopupMenu = nullptr;
  TFormStyle FFormStyle = fsNormal;
  TMenuItem* FWindowMenu = nullptr;
  HWND FClientHandle = nullptr;
};

// The form class of programs; descendants name their own window class.
class TForm : public TCustomForm {
  QUORVEL_CLASS(TForm, TCustomForm)
public:
  explicit TForm(TComponent* owner);
};

// ---------------------------------------------------------------------------

// A container with a definition of its own, placed on a form like any
// control. A frame class loads its definition (the resource named by the
// upper-case class name) in its constructor, so the components it defines
// belong to the frame; a form's definition then only places it
// ("object Frame1: TMyFrame" or "inline Frame1: TMyFrame") and may set the
// frame's own properties.
class TCustomFrame : public TCustomControl {
  QUORVEL_CLASS(TCustomFrame, TCustomControl)
public:
  explicit TCustomFrame(TComponent* owner);

  // Reads the frame's definition from the program's resources; raises
  // EResNotFound when there is none and EReadError when it is damaged.
  void LoadDefinition();
  // The same from a stream holding a binary definition.
  void LoadDefinition(TStream& stream);
};

// The frame class of programs.
class TFrame : public TCustomFrame {
  QUORVEL_CLASS(TFrame, TCustomFrame)
public:
  explicit TFrame(TComponent* owner) : TCustomFrame(owner) {}
};

// A container that scrolls its controls: it shows a horizontal or vertical
// scroll bar when its controls reach past its client area, and the bars
// move the controls. The extent is taken when the box lays out its
// controls (window creation, resizing, Realign).
class TScrollBox : public TCustomControl {
  QUORVEL_CLASS(TScrollBox, TCustomControl)
public:
  explicit TScrollBox(TComponent* owner);

  TBorderStyle BorderStyle() const { return FBorderStyle; }
  void SetBorderStyle(TBorderStyle value);
  // How far the controls are scrolled (the content's point at the top left).
  TPoint ScrollPos() const { return TPoint{FScrollX, FScrollY}; }

  void WndProc(TMessage& msg) override;

protected:
  void CreateParams(TCreateParams& params) override;
  void AlignControls(TRect rect) override;

private:
  // Ranges and pages of both bars from the controls' extent and the client size.
  void UpdateScrollBars();
  // Scrolls one bar to position (kept in range); the controls move.
  void ScrollTo(int bar, int position);
  void ScrollMessage(int bar, WPARAM code);
  TBorderStyle FBorderStyle = bsSingle;
  int FScrollX = 0;
  int FScrollY = 0;
  bool FUpdatingBars = false;
};
