#include "skin/window/WinSkinData.h"

#include <cassert>
#include <exception>
#include <new>
#include <utility>

#include "skin/data/SkinReader.h"
#include "skin/data/SkinStore.h"
#include "skin/data/SkinValidation.h"
#include "skin/data/SkinValuesReader.h"
#include "skin/window/SkinManager.h"
#include "ui/Published.h"

namespace {

// The reader's message as a modal message box.
void ShowSkinMessageBox(const std::string& Text) {
  MessageBoxA(GetActiveWindow(), Text.c_str(), nullptr, MB_OK | MB_ICONWARNING);
}

}  // namespace

QUORVEL_DEFINE_CLASS(TSkinData) {
  // None of the properties has a default value: each is written to every
  // definition (texts when they are not empty).
  p.Bool("Active", &TSkinData::Active, &TSkinData::SetActive).AlwaysStored();
  p.Integer("DisableTag", &TSkinData::DisableTag, &TSkinData::SetDisableTag).AlwaysStored();
  p.Set("SkinControls", &TSkinData::SkinControls, &TSkinData::SetSkinControls,
        {"xcMainMenu", "xcPopupMenu", "xcToolbar", "xcControlbar", "xcCombo", "xcCheckBox",
         "xcRadioButton", "xcProgress", "xcScrollbar", "xcEdit", "xcButton", "xcBitBtn",
         "xcSpeedButton", "xcPanel", "xcGroupBox", "xcStatusBar", "xcTab"})
      .AlwaysStored();
  p.String("SkinFile", &TSkinData::SkinFile, &TSkinData::SetSkinFile);
  p.String("SkinStore", &TSkinData::GetSkinStore, &TSkinData::SetSkinStore);
  p.Enum("SkinFormtype", &TSkinData::SkinFormtype, &TSkinData::SetSkinFormtype,
         {"sfMainform", "sfOnlyThisForm", "sfDialog"})
      .AlwaysStored();
  p.Event("OnFormSkin", &TSkinData::OnFormSkin);
  p.Event("OnSkinChanged", &TSkinData::OnSkinChanged);
}

// At run time, registers with the manager (made by the first component).
TSkinData::TSkinData(TComponent* AOwner) : TComponent(AOwner) {
  if (IsDesigning()) return;
  // The first component at run time gives the skin reader its message box.
  static const bool messageBoxInstalled = (SkinMessageProc = ShowSkinMessageBox, true);
  (void)messageBoxInstalled;
  if (!SkinManager) SkinManager = new TSkinManage();
  SkinManager->AddSkinData(this);
}

// Unregisters; the members free the elements, bitmaps and brush.
TSkinData::~TSkinData() {
  Destroying();
  if (SkinManager) SkinManager->RemoveSkinData(this);
}

// "SkinStream" is always written, also for an empty store.
void TSkinData::DefineProperties(TFiler& Filer) {
  inherited::DefineProperties(Filer);
  Filer.DefineBinaryProperty(
      "SkinStream", [this](TStream& s) { ReadData(s); }, [this](TStream& s) { WriteData(s); },
      true);
}

// Takes a stored skin file and loads it at once, except in design mode.
void TSkinData::ReadData(TStream& Stream) {
  if (ReadSkinStorePayload(Stream, SkinStream) && !IsDesigning()) LoadSkinStore();
}

// The store's size and bytes.
void TSkinData::WriteData(TStream& Stream) { WriteSkinStorePayload(Stream, SkinStream); }

// The store as a skin file; in design mode nothing is loaded.
bool TSkinData::LoadSkinStore() {
  if (IsDesigning()) {
    SkinEmpty = true;
    return false;
  }
  return LoadSkin(SkinStream, "");
}

// Read and checked apart from the model; only a skin that may be shown
// replaces the one in force.
bool TSkinData::LoadSkin(TMemoryStream& File, const std::string& Source) {
  TSkinLoad load = LoadSkinFile(File);
  if (!load.Loaded) {
    FLoadError = (Source.empty() ? "" : Source + ": ") + load.Error;
    return false;
  }
  return InstallValues(std::move(load.Values));
}

// Takes a skin file from disk at run time; in design mode only forgets the
// store. The file is read and checked before anything changes.
void TSkinData::SetSkinFile(const std::string& Value) {
  FSkinFile = Value;
  if (IsDesigning()) {
    SkinEmpty = true;
    if (!Value.empty() && SkinStream.Size() > 0) SkinStream.Clear();
    return;
  }
  if (Value.empty()) return;
  if (!FileExists(Value)) {
    FLoadError = Value + ": no such file";
    return;
  }
  std::vector<uint8_t> bytes;
  std::string error;
  if (!ReadSkinFileBytes(Value, bytes, error)) {
    FLoadError = Value + ": " + error;
    return;
  }
  TMemoryStream file(std::move(bytes));
  if (!LoadSkin(file, Value)) return;
  try {
    SkinStream.Clear();
    SkinStream.WriteBuffer(file.Memory(), static_cast<size_t>(file.Size()));
  } catch (const std::exception&) {
    SkinStream.Clear();  // the store is only kept for writing the definition
  }
  NotifySkinChanged();
}

// The design-time indicator of the store.
std::string TSkinData::GetSkinStore() const {
  return IsDesigning() && !SkinStream.Bytes().empty() ? "(Good)" : "(none)";
}

// The stored indicator has no effect.
void TSkinData::SetSkinStore(const std::string&) {}

// Stores the value; a main-form component at run time also asks the manager
// to switch skinning on (when there is a skin) or off.
void TSkinData::SetActive(bool Value) {
  if (Value == FActive) return;
  FActive = Value;
  if (IsDesigning() || IsLoading() || FSkinFormtype != sfMainform) return;
  if (Value && SkinEmpty) return;
  assert(SkinManager);
  SkinManager->Request(Value ? TSkinManage::raSwitchOn : TSkinManage::raSwitchOff);
}

// Once the form is read: skinning starts when it is wanted and a skin is there.
void TSkinData::Loaded() {
  inherited::Loaded();
  if (IsDesigning() || !FActive) return;
  if (SkinEmpty) {
    FActive = false;
    return;
  }
  assert(SkinManager);
  SkinManager->Request(TSkinManage::raSwitchOn);
}

// Main-form components at run time tell the manager about their new skin.
void TSkinData::NotifySkinChanged() {
  if (IsDesigning() || IsLoading() || FSkinFormtype != sfMainform || !SkinManager) return;
  SkinManager->RequestSkinChanged(this);
}

// Fires OnSkinChanged.
void TSkinData::DoSkinChanged() { OnSkinChanged(this); }

// Report previews are never skinned; other classes are up to OnFormSkin.
void TSkinData::CheckFormSkin(const std::string& ClassName, bool& DoSkin) {
  if (ClassName == "TQRStandardPreview" || ClassName == "TfrPreviewForm") {
    DoSkin = false;
    return;
  }
  if (OnFormSkin) OnFormSkin(this, ClassName, DoSkin);
}

// ---------------------------------------------------------------------------
// The description

// The values are read and checked first; the manager's windows let go of
// the old elements just before the new ones go in.
bool TSkinData::ParseDescription(const std::string& Description, TSkinReader& Reader) {
  TSkinValues values;
  TSkinProblems problems;
  try {
    if (!ReadValidSkinValues(Description, Reader, values, problems)) {
      FLoadError = problems.FirstRefusal();
      return false;
    }
  } catch (const std::bad_alloc&) {
    FLoadError = "not enough memory to load the skin";
    return false;
  } catch (const std::exception& e) {
    FLoadError = e.what();
    return false;
  }
  return InstallValues(std::move(values));
}

// Skinned windows may paint before they hear of the change: they must not
// hold on to the entries installed over.
bool TSkinData::InstallValues(TSkinValues&& Values) {
  if (SkinManager) SkinManager->SkinDataReloading(this);
  try {
    Install(std::move(Values));
  } catch (const std::exception&) {
    // Bitmaps are made within the skin's limits before this, so only a
    // process out of memory gets here; a half-made model is no skin.
    SkinEmpty = true;
    FLoadError = "not enough memory to install the skin";
    return false;
  }
  FLoadError.clear();
  return true;
}
