// The gallery window.
#include "gallery/gallery.h"

#include <initializer_list>

#include "ui/Dialogs.h"
#include "ui/Published.h"

TGalleryOptions GalleryOptions;
TGalleryForm* GalleryForm = nullptr;

namespace {
// The folder of the running program, with a trailing backslash.
std::string ProgramFolder() {
  char path[MAX_PATH] = {};
  GetModuleFileNameA(nullptr, path, MAX_PATH);
  std::string folder = path;
  const size_t slash = folder.find_last_of("\\/");
  return slash == std::string::npos ? std::string() : folder.substr(0, slash + 1);
}

// The transparent skin: the one given, else transparent.skn beside the
// program or in the build's assets folder (two levels up).
std::string TransparentSkinFile() {
  if (!GalleryOptions.TransparentSkin.empty()) return GalleryOptions.TransparentSkin;
  const std::string folder = ProgramFolder();
  for (const char* place : {"transparent.skn", "..\\..\\assets\\transparent.skn"})
    if (FileExists(folder + place)) return folder + place;
  return folder + "transparent.skn";
}

// The file name without its folder.
std::string FileNameOf(const std::string& path) {
  const size_t slash = path.find_last_of("\\/");
  return slash == std::string::npos ? path : path.substr(slash + 1);
}
}  // namespace

TGalleryOptions ParseGalleryOptions(const std::vector<std::string>& args) {
  TGalleryOptions options;
  for (size_t i = 0; i < args.size(); ++i) {
    if (args[i] == "--transparent" && i + 1 < args.size())
      options.TransparentSkin = args[++i];
    else if (args[i] == "--mdi")
      options.OpenMDI = true;
    else if (args[i] == "--menu")
      options.OpenMenu = true;
    else if (args[i] == "--cascade")
      options.OpenMDI = options.Cascade = true;
    else
      options.SkinFiles.push_back(args[i]);
  }
  return options;
}

// ---------------------------------------------------------------------------
// TGalleryFrame

QUORVEL_DEFINE_CLASS(TGalleryFrame) {
  p.Field("FrameBox", &TGalleryFrame::FrameBox);
  p.Field("FrameEdit", &TGalleryFrame::FrameEdit);
  p.Field("FrameButton", &TGalleryFrame::FrameButton);
  p.Field("FrameCheck", &TGalleryFrame::FrameCheck);
  p.Field("FrameProgress", &TGalleryFrame::FrameProgress);
  p.Field("FrameRadio", &TGalleryFrame::FrameRadio);
}

// Loads the frame's stored definition.
TGalleryFrame::TGalleryFrame(TComponent* owner) : TFrame(owner) { LoadDefinition(); }

// ---------------------------------------------------------------------------
// TGalleryMDIForm

namespace {
// A child of the MDI window: a label that says which one it is.
class TGalleryChildForm : public TForm {
  QUORVEL_CLASS(TGalleryChildForm, TForm)
public:
  TGalleryChildForm(TComponent* owner, int number) : TForm(owner) {
    SetFormStyle(fsMDIChild);
    SetCaption(Format("Document %d", number));
    SetBounds(24 * ((number - 1) % 6), 24 * ((number - 1) % 6), 260, 170);
    auto* label = new TPanel(this);
    label->SetParent(this);
    label->SetAlign(alClient);
    label->SetCaption(Format("MDI child %d: closing it frees it", number));
    OnClose = [](TObject*, TCloseAction& action) { action = caFree; };
  }
};
}  // namespace
QUORVEL_DEFINE_CLASS(TGalleryChildForm) {}

QUORVEL_DEFINE_CLASS(TGalleryMDIForm) {
  p.Field("MDIMenu", &TGalleryMDIForm::MDIMenu);
  p.Field("WindowMenu", &TGalleryMDIForm::WindowMenu);
  p.Method("NewChildClick", &TGalleryMDIForm::NewChildClick);
  p.Method("CloseChildClick", &TGalleryMDIForm::CloseChildClick);
  p.Method("CloseWindowClick", &TGalleryMDIForm::CloseWindowClick);
  p.Method("CascadeClick", &TGalleryMDIForm::CascadeClick);
  p.Method("TileClick", &TGalleryMDIForm::TileClick);
  p.Method("ArrangeClick", &TGalleryMDIForm::ArrangeClick);
  p.Method("NextClick", &TGalleryMDIForm::NextClick);
  p.Method("PreviousClick", &TGalleryMDIForm::PreviousClick);
  p.Method("FormClose", &TGalleryMDIForm::FormClose);
}

// Loads the MDI window's stored definition.
TGalleryMDIForm::TGalleryMDIForm(TComponent* owner) : TForm(owner) { LoadDefinition(); }

// A new child, shown (and active).
TCustomForm* TGalleryMDIForm::NewChild(bool maximized) {
  auto* child = new TGalleryChildForm(this, ++FChildren);
  if (maximized) child->SetWindowState(wsMaximized);
  child->Show();
  return child;
}

void TGalleryMDIForm::NewChildClick(TObject*) { NewChild(); }

// Closes the active child (which frees itself).
void TGalleryMDIForm::CloseChildClick(TObject*) {
  if (TCustomForm* child = ActiveMDIChild()) child->Close();
}

void TGalleryMDIForm::CloseWindowClick(TObject*) { Close(); }
void TGalleryMDIForm::CascadeClick(TObject*) { Cascade(); }
void TGalleryMDIForm::TileClick(TObject*) { Tile(); }
void TGalleryMDIForm::ArrangeClick(TObject*) { ArrangeIcons(); }
void TGalleryMDIForm::NextClick(TObject*) { Next(); }
void TGalleryMDIForm::PreviousClick(TObject*) { Previous(); }
void TGalleryMDIForm::FormClose(TObject*, TCloseAction& action) { action = caFree; }

// ---------------------------------------------------------------------------
// TGalleryForm

QUORVEL_DEFINE_CLASS(TGalleryForm) {
  p.Field("ToolBar1", &TGalleryForm::ToolBar1);
  p.Field("ToolButton1", &TGalleryForm::ToolButton1);
  p.Field("ToolButton2", &TGalleryForm::ToolButton2);
  p.Field("ToolButton3", &TGalleryForm::ToolButton3);
  p.Field("StatusBar1", &TGalleryForm::StatusBar1);
  p.Field("ButtonsBox", &TGalleryForm::ButtonsBox);
  p.Field("Button1", &TGalleryForm::Button1);
  p.Field("Button2", &TGalleryForm::Button2);
  p.Field("BitBtn1", &TGalleryForm::BitBtn1);
  p.Field("BitBtn2", &TGalleryForm::BitBtn2);
  p.Field("SpeedButton1", &TGalleryForm::SpeedButton1);
  p.Field("SpeedButton2", &TGalleryForm::SpeedButton2);
  p.Field("SpeedButton3", &TGalleryForm::SpeedButton3);
  p.Field("CheckBox1", &TGalleryForm::CheckBox1);
  p.Field("CheckBox2", &TGalleryForm::CheckBox2);
  p.Field("CheckBox3", &TGalleryForm::CheckBox3);
  p.Field("CheckBox4", &TGalleryForm::CheckBox4);
  p.Field("CheckBox5", &TGalleryForm::CheckBox5);
  p.Field("RadioButton1", &TGalleryForm::RadioButton1);
  p.Field("RadioButton2", &TGalleryForm::RadioButton2);
  p.Field("RadioButton3", &TGalleryForm::RadioButton3);
  p.Field("RadioGroup1", &TGalleryForm::RadioGroup1);
  p.Field("Edit1", &TGalleryForm::Edit1);
  p.Field("Edit2", &TGalleryForm::Edit2);
  p.Field("ComboBox1", &TGalleryForm::ComboBox1);
  p.Field("ComboBox2", &TGalleryForm::ComboBox2);
  p.Field("ComboBox3", &TGalleryForm::ComboBox3);
  p.Field("ProgressBar1", &TGalleryForm::ProgressBar1);
  p.Field("ScrollBar1", &TGalleryForm::ScrollBar1);
  p.Field("ScrollBar2", &TGalleryForm::ScrollBar2);
  p.Field("Memo1", &TGalleryForm::Memo1);
  p.Field("ListBox1", &TGalleryForm::ListBox1);
  p.Field("CheckListBox1", &TGalleryForm::CheckListBox1);
  p.Field("Panel1", &TGalleryForm::Panel1);
  p.Field("ScrollBox1", &TGalleryForm::ScrollBox1);
  p.Field("GalleryFrame1", &TGalleryForm::GalleryFrame1);
  p.Field("TabControl1", &TGalleryForm::TabControl1);
  p.Field("TabEdit", &TGalleryForm::TabEdit);
  p.Field("PageControl1", &TGalleryForm::PageControl1);
  p.Field("TabSheet1", &TGalleryForm::TabSheet1);
  p.Field("ListView1", &TGalleryForm::ListView1);
  p.Field("TabSheet2", &TGalleryForm::TabSheet2);
  p.Field("SettingsBox", &TGalleryForm::SettingsBox);
  p.Field("SettingCheck", &TGalleryForm::SettingCheck);
  p.Field("SettingEdit", &TGalleryForm::SettingEdit);
  p.Field("TabSheet3", &TGalleryForm::TabSheet3);
  p.Field("ThirdPanel", &TGalleryForm::ThirdPanel);
  p.Field("SkinBox", &TGalleryForm::SkinBox);
  p.Field("SkinChoice", &TGalleryForm::SkinChoice);
  p.Field("MessageButton", &TGalleryForm::MessageButton);
  p.Field("ConfirmButton", &TGalleryForm::ConfirmButton);
  p.Field("SkinData1", &TGalleryForm::SkinData1);
  p.Field("ImageList1", &TGalleryForm::ImageList1);
  p.Field("MainMenu1", &TGalleryForm::MainMenu1);
  p.Field("ToolbarItem", &TGalleryForm::ToolbarItem);
  p.Field("StatusItem", &TGalleryForm::StatusItem);
  p.Field("StoredSkinItem", &TGalleryForm::StoredSkinItem);
  p.Field("CopperSkinItem", &TGalleryForm::CopperSkinItem);
  p.Field("PopupMenu1", &TGalleryForm::PopupMenu1);
  p.Field("PopupStatusItem", &TGalleryForm::PopupStatusItem);
  p.Method("FormCreate", &TGalleryForm::FormCreate);
  p.Method("SkinChoiceClick", &TGalleryForm::SkinChoiceClick);
  p.Method("MessageBoxClick", &TGalleryForm::MessageBoxClick);
  p.Method("ConfirmClick", &TGalleryForm::ConfirmClick);
  p.Method("ScrollBar1Change", &TGalleryForm::ScrollBar1Change);
  p.Method("NewMDIWindowClick", &TGalleryForm::NewMDIWindowClick);
  p.Method("OpenClick", &TGalleryForm::OpenClick);
  p.Method("SaveClick", &TGalleryForm::SaveClick);
  p.Method("ExitClick", &TGalleryForm::ExitClick);
  p.Method("EditClick", &TGalleryForm::EditClick);
  p.Method("ToolbarItemClick", &TGalleryForm::ToolbarItemClick);
  p.Method("StatusItemClick", &TGalleryForm::StatusItemClick);
  p.Method("StoredSkinClick", &TGalleryForm::StoredSkinClick);
  p.Method("CopperSkinClick", &TGalleryForm::CopperSkinClick);
  p.Method("CascadeClick", &TGalleryForm::CascadeClick);
  p.Method("TileClick", &TGalleryForm::TileClick);
  p.Method("AboutClick", &TGalleryForm::AboutClick);
  p.Method("SkinNameClick", &TGalleryForm::SkinNameClick);
}

// Loads the stored definition of the gallery window.
TGalleryForm::TGalleryForm(TComponent* owner) : TForm(owner) { LoadDefinition(); }

// Fills what a definition does not hold and offers the skins.
void TGalleryForm::FormCreate(TObject*) {
  {
    TUpdateBracket<TCollection> update(ListView1->Items());
    static const char* const kKinds[] = {"Text", "Bitmap", "Program", "Settings", "Skin"};
    for (int i = 1; i <= 40; ++i) {
      TListItem* item = ListView1->Items().Add();
      item->SetCaption(Format("file%02d.dat", i));
      item->SubItems().Add(Format("%d KB", i * 7));
      item->SubItems().Add(kKinds[i % 5]);
    }
  }
  CheckListBox1->SetChecked(0, true);
  CheckListBox1->SetChecked(2, true);
  DrawMenuImages();

  FStoredSkin = SkinData1->SkinStream.Bytes();
  FSkinFiles = {TransparentSkinFile()};
  FSkinFiles.insert(FSkinFiles.end(), GalleryOptions.SkinFiles.begin(),
                    GalleryOptions.SkinFiles.end());
  SkinChoice->Items().Add("Stored skin");
  SkinChoice->Items().Add("Transparent skin");
  for (const std::string& file : GalleryOptions.SkinFiles)
    SkinChoice->Items().Add(FileNameOf(file));
  const int first = GalleryOptions.SkinFiles.empty() ? 0 : 2;
  SkinChoice->SetItemIndex(0);
  ShowSkin("stored in the window's definition");
  if (first != 0) {
    SkinChoice->SetItemIndex(first);
    ApplySkin(first);
  }
}

// The choice in the combo box.
void TGalleryForm::SkinChoiceClick(TObject*) { ApplySkin(SkinChoice->ItemIndex()); }

// The stored skin comes back from the copy taken at start; a file is loaded
// by the skin data component itself. Either way the skinned windows follow.
// A skin that does not load leaves the one in force, and a message box and
// the status bar say why.
void TGalleryForm::ApplySkin(int index) {
  std::string source;
  bool loaded = false;
  if (index == 0) {
    SkinData1->SkinStream.Clear();
    SkinData1->SkinStream.WriteBuffer(FStoredSkin.data(), FStoredSkin.size());
    loaded = SkinData1->LoadSkinStore();
    if (loaded) {
      SkinData1->SetSkinFile("");  // no file in force any more
      SkinData1->NotifySkinChanged();
    }
    source = "stored in the window's definition";
  } else if (index >= 1 && static_cast<size_t>(index) <= FSkinFiles.size()) {
    source = FSkinFiles[static_cast<size_t>(index) - 1];
    SkinData1->SetSkinFile(source);
    loaded = SkinData1->LoadError().empty();
  } else {
    return;
  }
  if (!loaded) {
    const std::string error = SkinData1->LoadError();
    SkinChoice->SetItemIndex(FSkinIndex);
    StatusBar1->Panels().Items(1)->SetText("Skin not loaded: " + error);
    // The whole reason, which the status bar has no room for.
    Application->MessageBox(error.c_str(), "Skin not loaded", MB_OK | MB_ICONWARNING);
    return;
  }
  FSkinIndex = index;
  // The View menu's skin items follow the choice.
  StoredSkinItem->SetChecked(index == 0);
  CopperSkinItem->SetChecked(index == 1);
  ShowSkin(source);
}

// The skin's name in the caption and the status bar, and its source.
void TGalleryForm::ShowSkin(const std::string& source) {
  const std::string name = SkinData1->SkinEmpty ? std::string("(none)") : SkinData1->SkinName;
  SetCaption("Skin Gallery - " + name);
  StatusBar1->Panels().Items(0)->SetText("Skin: " + name);
  StatusBar1->Panels().Items(1)->SetText(source);
}

// A message box of the system.
void TGalleryForm::MessageBoxClick(TObject*) {
  Application->MessageBox("A message box of the system, under the skin.", "Skin Gallery",
                          MB_OK | MB_ICONINFORMATION);
}

// The library's confirmation, in French like the rest of its dialogs.
void TGalleryForm::ConfirmClick(TObject*) {
  const TModalResult answer =
      MessageDlg("Ce skin vous plait-il ?", mtConfirmation, mbYes | mbNo, 0);
  StatusBar1->Panels().Items(2)->SetText(answer == mrYes ? "Answer: yes" : "Answer: no");
}

// The progress bar shows the scroll bar's position.
void TGalleryForm::ScrollBar1Change(TObject*) { ProgressBar1->SetPosition(ScrollBar1->Position()); }

// ---------------------------------------------------------------------------
// The gallery's menus

// Three 16 by 16 glyphs on magenta: a window, a folder, a disk.
void TGalleryForm::DrawMenuImages() {
  constexpr TColor kMask = static_cast<TColor>(RGB(255, 0, 255));
  TBitmap strip;
  strip.SetPixelFormat(TPixelFormat::pf24bit);
  strip.SetSize(48, 16);
  const HDC dc = strip.Canvas().Handle();
  auto fill = [&](RECT r, COLORREF colour) {
    TBrushObject brush(CreateSolidBrush(colour));
    FillRect(dc, &r, brush);
  };
  auto frame = [&](RECT r, COLORREF colour) {
    TBrushObject brush(CreateSolidBrush(colour));
    FrameRect(dc, &r, brush);
  };
  fill(RECT{0, 0, 48, 16}, RGB(255, 0, 255));
  // A window: frame, blue title bar, white client.
  fill(RECT{1, 2, 15, 14}, RGB(255, 255, 255));
  fill(RECT{1, 2, 15, 5}, RGB(0, 0, 160));
  frame(RECT{1, 2, 15, 14}, RGB(0, 0, 0));
  // A folder: a tab and a yellow body.
  {
    TBrushObject brush(CreateSolidBrush(RGB(240, 200, 60)));
    TPenObject pen(CreatePen(PS_SOLID, 1, RGB(128, 96, 0)));
    TSelectObjectGuard b(dc, brush), p(dc, pen);
    const POINT folder[] = {{17, 4}, {22, 4}, {24, 6}, {31, 6}, {31, 14}, {17, 14}};
    Polygon(dc, folder, 6);
  }
  // A disk: a dark square, a metal shutter and a white label.
  fill(RECT{34, 1, 47, 15}, RGB(40, 60, 140));
  fill(RECT{37, 1, 44, 6}, RGB(200, 200, 200));
  fill(RECT{36, 9, 45, 15}, RGB(255, 255, 255));
  frame(RECT{34, 1, 47, 15}, RGB(0, 0, 0));
  ImageList1->Clear();
  ImageList1->AddMasked(strip, kMask);
}

// The second panel of the status bar.
void TGalleryForm::Say(const std::string& text) { StatusBar1->Panels().Items(1)->SetText(text); }

// Opens the MDI window once; later calls bring it to the front.
TGalleryMDIForm* TGalleryForm::OpenMDIWindow() {
  if (FMDIWindow) {
    FMDIWindow->BringToFront();
    return FMDIWindow;
  }
  FMDIWindow = new TGalleryMDIForm(Application);
  FMDIWindow->FreeNotification(this);
  FMDIWindow->Show();
  FMDIWindow->NewChild();
  FMDIWindow->NewChild();
  FMDIWindow->NewChild(true);
  return FMDIWindow;
}

void TGalleryForm::NewMDIWindowClick(TObject*) { OpenMDIWindow(); }

void TGalleryForm::OpenClick(TObject*) { Say("Open: the gallery has no files to open"); }
void TGalleryForm::SaveClick(TObject*) { Say("Save: nothing to save"); }
void TGalleryForm::ExitClick(TObject*) { Close(); }

// The Edit menu is disabled; its items only report themselves.
void TGalleryForm::EditClick(TObject* Sender) {
  if (auto* item = dynamic_cast<TMenuItem*>(Sender)) Say("Edit: " + item->Caption());
}

// Shows or hides the tool bar.
void TGalleryForm::ToolbarItemClick(TObject*) {
  ToolbarItem->SetChecked(!ToolbarItem->Checked());
  ToolBar1->SetVisible(ToolbarItem->Checked());
}

// Shows or hides the status bar (from the View menu or the context menu).
void TGalleryForm::StatusItemClick(TObject*) {
  const bool show = !StatusBar1->Visible();
  StatusBar1->SetVisible(show);
  StatusItem->SetChecked(show);
  PopupStatusItem->SetChecked(show);
}

// The skin choices of the View menu, as the combo box makes them.
void TGalleryForm::StoredSkinClick(TObject*) {
  SkinChoice->SetItemIndex(0);
  ApplySkin(0);
}
void TGalleryForm::CopperSkinClick(TObject*) {
  SkinChoice->SetItemIndex(1);
  ApplySkin(1);
}

// Arranges the MDI window's children, if it is open.
void TGalleryForm::CascadeClick(TObject*) {
  if (FMDIWindow)
    FMDIWindow->Cascade();
  else
    Say("Cascade: open the MDI window first (File, New MDI window)");
}
void TGalleryForm::TileClick(TObject*) {
  if (FMDIWindow)
    FMDIWindow->Tile();
  else
    Say("Tile: open the MDI window first (File, New MDI window)");
}

void TGalleryForm::AboutClick(TObject*) {
  Application->MessageBox("Skin Gallery: every control of the component layer under a skin.",
                          "About Skin Gallery", MB_OK | MB_ICONINFORMATION);
}

// The context menu's skin name.
void TGalleryForm::SkinNameClick(TObject*) {
  Say("Skin: " + (SkinData1->SkinEmpty ? std::string("(none)") : SkinData1->SkinName));
}

namespace {
constexpr UINT_PTR kOpenMenuTimer = 1;
constexpr UINT_PTR kCascadeTimer = 2;
constexpr int kMaxMenuWaits = 50;  // of 100 ms

// Keys typed as the keyboard types them, each pressed and released; Alt is
// held over all of them when alt.
void TypeKeys(std::initializer_list<WORD> keys, bool alt) {
  std::vector<INPUT> input;
  auto add = [&](WORD vk, bool up) {
    INPUT i{};
    i.type = INPUT_KEYBOARD;
    i.ki.wVk = vk;
    i.ki.dwFlags = up ? KEYEVENTF_KEYUP : 0;
    input.push_back(i);
  };
  if (alt) add(VK_MENU, false);
  for (WORD key : keys) add(key, false), add(key, true);
  if (alt) add(VK_MENU, true);
  SendInput(UINT(input.size()), input.data(), sizeof(INPUT));
}
}  // namespace

// Opens the MDI window asked for on the command line (and cascades its
// children from its Window menu); opens the View menu and its Skin submenu
// once the skin has taken the menu bar (or has not after five seconds).
void TGalleryForm::WndProc(TMessage& msg) {
  if (msg.Msg == kOpenMDIWindowMessage) {
    OpenMDIWindow();
    if (GalleryOptions.Cascade) {
      FMenuWaits = 0;
      SetTimer(Handle(), kCascadeTimer, 100, nullptr);
    }
    msg.Result = 0;
    return;
  }
  if (msg.Msg == WM_TIMER && msg.WParam == kCascadeTimer) {
    if (FMDIWindow && GetMenu(FMDIWindow->Handle()) && ++FMenuWaits < kMaxMenuWaits) return;
    KillTimer(Handle(), kCascadeTimer);
    if (!FMDIWindow) return;
    SetForegroundWindow(FMDIWindow->Handle());
    TypeKeys({'W'}, true);
    TypeKeys({'C'}, false);
    msg.Result = 0;
    return;
  }
  if (msg.Msg == kOpenMenuMessage) {
    FMenuWaits = 0;
    SetTimer(Handle(), kOpenMenuTimer, 100, nullptr);
    msg.Result = 0;
    return;
  }
  if (msg.Msg == WM_TIMER && msg.WParam == kOpenMenuTimer) {
    if (GetMenu(Handle()) && ++FMenuWaits < kMaxMenuWaits) return;
    KillTimer(Handle(), kOpenMenuTimer);
    SetForegroundWindow(Handle());
    TypeKeys({'V'}, true);
    TypeKeys({'K'}, false);
    msg.Result = 0;
    return;
  }
  TForm::WndProc(msg);
}

// Forgets the MDI window when it is freed.
void TGalleryForm::Notification(TComponent* component, TOperation operation) {
  TForm::Notification(component, operation);
  if (operation == TOperation::opRemove && component == FMDIWindow) FMDIWindow = nullptr;
}
