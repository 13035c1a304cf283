// The skin data component. TSkinData keeps a skin file (its skin store)
// and, once loaded, is the skin model that every painter of the skin engine
// reads (skin/draw/SkinModel.h): picture strips with fixed margins, flags
// and colours. Through its published properties it says whether skinning is
// on, which kinds of controls are skinned and which windows it serves.
#pragma once

#include <cstdint>
#include <string>

#include "skin/controls/ControlKinds.h"
#include "skin/data/SkinTrace.h"
#include "skin/draw/SkinModel.h"
#include "ui/Classes.h"
#include "ui/Graphics.h"

class TSkinReader;

// Which windows a TSkinData serves.
enum TSkinFormType { sfMainform, sfOnlyThisForm, sfDialog };

// Asks whether a form of window class aName is skinned; DoSkin enters True.
using TOnFormSkin = TEvent<TObject*, const std::string&, bool&>;

// The skin data component.
class TSkinData : public TComponent, public TSkinModel {
  QUORVEL_CLASS(TSkinData, TComponent)
public:
  explicit TSkinData(TComponent* AOwner);
  ~TSkinData() override;

  // --- published properties ---
  bool Active() const { return FActive; }
  // Switches skinning on or off through the skin manager (main-form kind only).
  void SetActive(bool Value);
  int32_t DisableTag() const { return FDisableTag; }
  void SetDisableTag(int32_t Value) { FDisableTag = Value; }
  TSkinControlTypes SkinControls() const { return FSkinControls; }
  void SetSkinControls(TSkinControlTypes Value) { FSkinControls = Value; }
  const std::string& SkinFile() const { return FSkinFile; }
  // Loads the skin file Value at run time and re-skins; a file that is
  // missing or refused leaves the skin in force (LoadError says why).
  void SetSkinFile(const std::string& Value);
  // "(Good)" in design mode with a stored skin, "(none)" otherwise.
  std::string GetSkinStore() const;
  // Ignores the value: the indicator only reflects the store.
  void SetSkinStore(const std::string& Value);
  TSkinFormType SkinFormtype() const { return FSkinFormtype; }
  void SetSkinFormtype(TSkinFormType Value) { FSkinFormtype = Value; }
  TOnFormSkin OnFormSkin;
  TNotifyEvent OnSkinChanged;

  // --- loading ---
  // Registers "SkinStream", the stored skin file.
  void DefineProperties(TFiler& Filer) override;
  // Starts skinning once the owning form has been read, if a skin is there.
  void Loaded() override;
  // Loads the skin store: unpacks it, takes the archive apart, reads and
  // validates the description and its pictures, and installs the skin.
  // False when the store holds no skin that may be shown: the skin in force
  // (if any) stays, and LoadError says why.
  bool LoadSkinStore();
  // Why the last load from the store or a skin file failed ("" after one
  // that succeeded).
  const std::string& LoadError() const { return FLoadError; }
  // Hands a changed skin to the manager, which re-skins every skinned window.
  void NotifySkinChanged();
  // Fires OnSkinChanged.
  void DoSkinChanged();
  // Lets the application refuse to skin a form of class ClassName.
  void CheckFormSkin(const std::string& ClassName, bool& DoSkin);

  TMemoryStream SkinStream;  // the skin store: a skin file's bytes
  TBitmap DefaultIcon;

  // Reads a description (INI text) and its pictures from Reader and, when
  // they make a skin that may be shown, installs them: the windows this
  // component skins let go of the old entries first. False (nothing
  // changed, LoadError set) when the skin is refused.
  bool ParseDescription(const std::string& Description, TSkinReader& Reader);

private:
  // "SkinStream": reads the payload and loads it (not in design mode).
  void ReadData(TStream& Stream);
  // "SkinStream": writes the store's size and bytes.
  void WriteData(TStream& Stream);
  // Loads File, a skin file's bytes, and installs it when it may be shown;
  // Source names it in LoadError otherwise.
  bool LoadSkin(TMemoryStream& File, const std::string& Source);
  // Puts Values in force; the windows let go of the old entries first.
  bool InstallValues(TSkinValues&& Values);

  bool FActive = false;
  int32_t FDisableTag = 99;
  TSkinControlTypes FSkinControls = AllSkinControlTypes;
  std::string FSkinFile;
  TSkinFormType FSkinFormtype = sfMainform;
  std::string FLoadError;
};
