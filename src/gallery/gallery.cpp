// The gallery window.
#include "gallery/gallery.h"

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
    if (args[i] == "--transparent" && i + 1 < args.size()) options.TransparentSkin = args[++i];
    else options.SkinFiles.push_back(args[i]);
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
  p.Method("FormCreate", &TGalleryForm::FormCreate);
  p.Method("SkinChoiceClick", &TGalleryForm::SkinChoiceClick);
  p.Method("MessageBoxClick", &TGalleryForm::MessageBoxClick);
  p.Method("ConfirmClick", &TGalleryForm::ConfirmClick);
  p.Method("ScrollBar1Change", &TGalleryForm::ScrollBar1Change);
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

  FStoredSkin = SkinData1->SkinStream.Bytes();
  FSkinFiles = {TransparentSkinFile()};
  FSkinFiles.insert(FSkinFiles.end(), GalleryOptions.SkinFiles.begin(), GalleryOptions.SkinFiles.end());
  SkinChoice->Items().Add("Stored skin");
  SkinChoice->Items().Add("Transparent skin");
  for (const std::string& file : GalleryOptions.SkinFiles) SkinChoice->Items().Add(FileNameOf(file));
  const int first = GalleryOptions.SkinFiles.empty() ? 0 : 2;
  SkinChoice->SetItemIndex(first);
  if (first == 0) ShowSkin("stored in the window's definition");
  else ApplySkin(first);
}

// The choice in the combo box.
void TGalleryForm::SkinChoiceClick(TObject*) { ApplySkin(SkinChoice->ItemIndex()); }

// The stored skin comes back from the copy taken at start; a file is loaded
// by the skin data component itself. Either way the skinned windows follow.
void TGalleryForm::ApplySkin(int index) {
  if (index == 0) {
    SkinData1->SetSkinFile("");
    SkinData1->SkinStream.Clear();
    SkinData1->SkinStream.WriteBuffer(FStoredSkin.data(), FStoredSkin.size());
    SkinData1->LoadSkinStore();
    SkinData1->NotifySkinChanged();
    ShowSkin("stored in the window's definition");
    return;
  }
  if (index < 1 || static_cast<size_t>(index) > FSkinFiles.size()) return;
  const std::string& file = FSkinFiles[static_cast<size_t>(index) - 1];
  if (!FileExists(file)) {
    StatusBar1->Panels().Items(1)->SetText("Not found: " + file);
    return;
  }
  SkinData1->SetSkinFile(file);
  ShowSkin(file);
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
  Application->MessageBox("A message box of the system, under the skin.", "Skin Gallery", MB_OK | MB_ICONINFORMATION);
}

// The library's confirmation, in French like the rest of its dialogs.
void TGalleryForm::ConfirmClick(TObject*) {
  const TModalResult answer = MessageDlg("Ce skin vous plait-il ?", mtConfirmation, mbYes | mbNo, 0);
  StatusBar1->Panels().Items(2)->SetText(answer == mrYes ? "Answer: yes" : "Answer: no");
}

// The progress bar shows the scroll bar's position.
void TGalleryForm::ScrollBar1Change(TObject*) { ProgressBar1->SetPosition(ScrollBar1->Position()); }
