// The gallery window: one control of every kind the component layer has,
// enabled and disabled, checked and unchecked, under a skin that can be
// switched while the window is open (the skin stored in the window's
// definition, the transparent skin, or skin files named on the command
// line), so that a skin author sees at a glance what a skin does.
#pragma once

#include <string>
#include <vector>

#include "skin/window/WinSkinData.h"
#include "ui/Buttons.h"
#include "ui/CheckLst.h"
#include "ui/ComCtrls.h"
#include "ui/ExtCtrls.h"
#include "ui/Forms.h"
#include "ui/ImgList.h"
#include "ui/Menus.h"
#include "ui/StdCtrls.h"

// The frame shown inside the gallery's scroll box; it loads its own definition.
class TGalleryFrame : public TFrame {
  QUORVEL_CLASS(TGalleryFrame, TFrame)
public:
  explicit TGalleryFrame(TComponent* owner);

  TGroupBox* FrameBox = nullptr;
  TEdit* FrameEdit = nullptr;
  TButton* FrameButton = nullptr;
  TCheckBox* FrameCheck = nullptr;
  TProgressBar* FrameProgress = nullptr;
  TRadioButton* FrameRadio = nullptr;
};

// What the command line asks for.
struct TGalleryOptions {
  // The transparent skin file ("": looked for beside the program).
  std::string TransparentSkin;
  // Skin files to offer; the first one is shown at start.
  std::vector<std::string> SkinFiles;
  // --mdi: the MDI window opens at start-up too.
  bool OpenMDI = false;
  // --menu: the View menu and its Skin submenu open at start-up, typed as a
  // user would (Alt+V, K), once the skin has the menu bar.
  bool OpenMenu = false;
  // --cascade: the MDI window opens and its children are cascaded from its
  // Window menu, typed as a user would (Alt+W, C), once the skin has its
  // menu bar.
  bool Cascade = false;
};
extern TGalleryOptions GalleryOptions;

// Reads "[--transparent FILE] [--mdi] [--menu] [--cascade] [SKINFILE...]".
TGalleryOptions ParseGalleryOptions(const std::vector<std::string>& args);

// The MDI window: an MDI form with a menu of its own whose Window menu
// lists the children; each child shows a label and is freed when closed.
class TGalleryMDIForm : public TForm {
  QUORVEL_CLASS(TGalleryMDIForm, TForm)
public:
  explicit TGalleryMDIForm(TComponent* owner);

  TMainMenu* MDIMenu = nullptr;
  TMenuItem* WindowMenu = nullptr;

  // Opens another child (the count goes on); maximized opens it maximized.
  TCustomForm* NewChild(bool maximized = false);
  void NewChildClick(TObject* Sender);
  void CloseChildClick(TObject* Sender);
  void CloseWindowClick(TObject* Sender);
  void CascadeClick(TObject* Sender);
  void TileClick(TObject* Sender);
  void ArrangeClick(TObject* Sender);
  void NextClick(TObject* Sender);
  void PreviousClick(TObject* Sender);
  // The window is freed when it closes.
  void FormClose(TObject* Sender, TCloseAction& Action);

private:
  int FChildren = 0;
};

class TGalleryForm : public TForm {
  QUORVEL_CLASS(TGalleryForm, TForm)
public:
  explicit TGalleryForm(TComponent* owner);

  // Published fields, in definition order.
  TToolBar* ToolBar1 = nullptr;
  TToolButton* ToolButton1 = nullptr;
  TToolButton* ToolButton2 = nullptr;
  TToolButton* ToolButton3 = nullptr;
  TStatusBar* StatusBar1 = nullptr;
  TGroupBox* ButtonsBox = nullptr;
  TButton* Button1 = nullptr;
  TButton* Button2 = nullptr;
  TBitBtn* BitBtn1 = nullptr;
  TBitBtn* BitBtn2 = nullptr;
  TSpeedButton* SpeedButton1 = nullptr;
  TSpeedButton* SpeedButton2 = nullptr;
  TSpeedButton* SpeedButton3 = nullptr;
  TCheckBox* CheckBox1 = nullptr;
  TCheckBox* CheckBox2 = nullptr;
  TCheckBox* CheckBox3 = nullptr;
  TCheckBox* CheckBox4 = nullptr;
  TCheckBox* CheckBox5 = nullptr;
  TRadioButton* RadioButton1 = nullptr;
  TRadioButton* RadioButton2 = nullptr;
  TRadioButton* RadioButton3 = nullptr;
  TRadioGroup* RadioGroup1 = nullptr;
  TEdit* Edit1 = nullptr;
  TEdit* Edit2 = nullptr;
  TComboBox* ComboBox1 = nullptr;
  TComboBox* ComboBox2 = nullptr;
  TComboBox* ComboBox3 = nullptr;
  TProgressBar* ProgressBar1 = nullptr;
  TScrollBar* ScrollBar1 = nullptr;
  TScrollBar* ScrollBar2 = nullptr;
  TMemo* Memo1 = nullptr;
  TListBox* ListBox1 = nullptr;
  TCheckListBox* CheckListBox1 = nullptr;
  TPanel* Panel1 = nullptr;
  TScrollBox* ScrollBox1 = nullptr;
  TGalleryFrame* GalleryFrame1 = nullptr;
  TTabControl* TabControl1 = nullptr;
  TEdit* TabEdit = nullptr;
  TPageControl* PageControl1 = nullptr;
  TTabSheet* TabSheet1 = nullptr;
  TListView* ListView1 = nullptr;
  TTabSheet* TabSheet2 = nullptr;
  TGroupBox* SettingsBox = nullptr;
  TCheckBox* SettingCheck = nullptr;
  TEdit* SettingEdit = nullptr;
  TTabSheet* TabSheet3 = nullptr;
  TPanel* ThirdPanel = nullptr;
  TGroupBox* SkinBox = nullptr;
  TComboBox* SkinChoice = nullptr;
  TButton* MessageButton = nullptr;
  TButton* ConfirmButton = nullptr;
  TSkinData* SkinData1 = nullptr;
  TImageList* ImageList1 = nullptr;
  TMainMenu* MainMenu1 = nullptr;
  TMenuItem* ToolbarItem = nullptr;
  TMenuItem* StatusItem = nullptr;
  TMenuItem* StoredSkinItem = nullptr;
  TMenuItem* CopperSkinItem = nullptr;
  TPopupMenu* PopupMenu1 = nullptr;
  TMenuItem* PopupStatusItem = nullptr;

  // OnCreate: rows for the list view, checks for the check list, the skin choices.
  void FormCreate(TObject* Sender);
  // Puts on the skin chosen in SkinChoice.
  void SkinChoiceClick(TObject* Sender);
  // Opens a message box of the system.
  void MessageBoxClick(TObject* Sender);
  // Asks the library's confirmation and shows the answer.
  void ConfirmClick(TObject* Sender);
  // The progress bar follows the scroll bar.
  void ScrollBar1Change(TObject* Sender);

  // Menu commands.
  // Opens the MDI window with three children, the third maximized (or
  // brings the open one to the front); returns it.
  TGalleryMDIForm* OpenMDIWindow();
  void NewMDIWindowClick(TObject* Sender);
  void OpenClick(TObject* Sender);
  void SaveClick(TObject* Sender);
  void ExitClick(TObject* Sender);
  void EditClick(TObject* Sender);
  void ToolbarItemClick(TObject* Sender);
  void StatusItemClick(TObject* Sender);
  void StoredSkinClick(TObject* Sender);
  void CopperSkinClick(TObject* Sender);
  void CascadeClick(TObject* Sender);
  void TileClick(TObject* Sender);
  void AboutClick(TObject* Sender);
  void SkinNameClick(TObject* Sender);
  // The MDI window and the open menu asked for on the command line, once
  // the loop runs.
  void WndProc(TMessage& msg) override;
  // The MDI window, while it is open.
  TGalleryMDIForm* MDIWindow() const { return FMDIWindow; }
  void Notification(TComponent* component, TOperation operation) override;

private:
  // Puts on choice index of SkinChoice: 0 the stored skin, then the files.
  // A skin that does not load leaves the one in force and the choice box
  // as they were; a message box and the status bar show why.
  void ApplySkin(int index);
  // The skin's name and where it came from, in the status bar.
  void ShowSkin(const std::string& source);
  // The menu's glyphs, drawn with GDI shapes.
  void DrawMenuImages();
  // A line of text in the status bar's second panel.
  void Say(const std::string& text);
  TGalleryMDIForm* FMDIWindow = nullptr;
  // Timer ticks spent waiting for the skin to take the menu bar (--menu,
  // --cascade).
  int FMenuWaits = 0;
  std::vector<uint8_t> FStoredSkin;
  // The file of each choice after the stored skin.
  std::vector<std::string> FSkinFiles;
  // The choice in force (a choice that fails to load leaves it).
  int FSkinIndex = 0;
};

extern TGalleryForm* GalleryForm;

// Posted to the gallery's window by the program when --mdi / --menu was given.
constexpr UINT kOpenMDIWindowMessage = WM_APP + 0x120;
constexpr UINT kOpenMenuMessage = WM_APP + 0x121;
