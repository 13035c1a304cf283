// TStrHolder: a non-visual component that keeps a list of strings inside a
// window definition (hex-encoded, combined with a key), with a collection of
// named macros rebuilt from the strings' text.
#pragma once

#include <string>

#include "ui/Classes.h"

class TStrHolder;

// Called when a macro's text is wanted (the sender and the value to fill in).
using TMacroTextEvent = TEvent<TObject*, TVariant&>;

// One named macro found in the holder's text.
class TMacro : public TCollectionItem {
  QUORVEL_CLASS(TMacro, TCollectionItem)
public:
  explicit TMacro(TCollection* collection);

  // Copies another macro's value (cleared when it is empty) and then its name.
  void Assign(TPersistent* source) override;
  // The name, or the item's default display name when there is none.
  std::string GetDisplayName() const override;

  const std::string& Name() const { return FName; }
  // Renames; raises EStringListError when another macro already has that name.
  void SetName(const std::string& value);
  const TVariant& Value() const { return FData; }
  void SetValue(const TVariant& value);
  // Makes the value empty.
  void Clear();

  TMacroTextEvent OnGetText;

private:
  std::string FName;
  TVariant FData;
};

// The holder's macros; the owner is the holder.
class TMacros : public TCollection {
  QUORVEL_CLASS(TMacros, TCollection)
public:
  explicit TMacros(TPersistent* owner);

  TMacro* Items(int index) const;
  // The first macro whose name equals name without regard to letter case, or null.
  TMacro* FindMacroByName(const std::string& name) const;
  // Appends a macro of that name.
  TMacro* AddMacro(const std::string& name);
  // Gives each macro of source to the macro of the same name here, if any.
  void CopyMacroValues(const TMacros& source);
  // Replaces every reference to a macro in value by "?" and returns the text;
  // with doCreate, this collection becomes the macros the text refers to
  // (values kept by name).
  std::string ParseText(const std::string& value, bool doCreate, char specialChar);
};

// Walks text in place: each reference (specialChar and a name) becomes "?"
// and its macro is added to list when missing; a doubled specialChar becomes
// one. delims are extra characters that end a name.
void ScanMacroNames(TMacros& list, std::string& text, char specialChar, const std::string& delims);

// An item of the current storage format: each byte of s, combined by
// exclusive-or with the key (when there is one), as two lower-case hex digits.
std::string EncodeListItem(const std::string& key, const std::string& s);
// The reverse of EncodeListItem; a pair that is not hexadecimal reads as a
// space and a last odd character is ignored.
std::string DecodeListItem(const std::string& key, const std::string& s);
// An item of the first storage format: raw bytes combined with the key, both
// cut to 255 bytes.
std::string DecodeLegacyItem(const std::string& key, const std::string& s);

// A string list stored in window definitions through the "StrData" property.
class TStrHolder : public TComponent {
  QUORVEL_CLASS(TStrHolder, TComponent)
public:
  explicit TStrHolder(TComponent* owner);
  ~TStrHolder() override;

  void Assign(TPersistent* source) override;
  void AssignTo(TPersistent* dest) override;
  void DefineProperties(TFiler& filer) override;

  int Capacity() const { return FStrings.GetCapacity(); }
  void SetCapacity(int value) { FStrings.SetCapacity(value); }
  char MacroChar() const { return FMacroChar; }
  // Changes the macro character; the macros are rebuilt (outside loading).
  void SetMacroChar(char value);
  TMacros* Macros() { return &FMacros; }
  // Copies the values of source's macros into the macros of the same name.
  void SetMacros(TMacros* value);
  TDuplicates Duplicates() const { return FStrings.Duplicates(); }
  void SetDuplicates(TDuplicates value) { FStrings.SetDuplicates(value); }
  const std::string& KeyString() const { return FKeyString; }
  void SetKeyString(const std::string& value) { FKeyString = value; }
  bool Sorted() const { return FStrings.Sorted(); }
  void SetSorted(bool value) { FStrings.SetSorted(value); }
  TStringList* Strings() { return &FStrings; }
  const TStringList& Strings() const { return FStrings; }
  // Replaces the strings with those of value.
  void SetStrings(TStrings* value);
  // The "InternalVer" read from a definition; 0 until one is read.
  int FormatVersion() const { return FFormatVersion; }

  TNotifyEvent OnExpandMacros;
  TNotifyEvent OnChange;
  TNotifyEvent OnChanging;

protected:
  virtual void NotifyChange();
  virtual void NotifyChanging();
  virtual void NotifyExpandMacros();

private:
  void StringsChanging();
  void StringsChanged();
  // Rebuilds the macros from the text of the strings.
  void RefreshMacroList();
  bool StrDataHasData(TFiler& filer) const;
  void ReadInternalVer(TReader& reader);
  void WriteInternalVer(TWriter& writer);
  void ReadStrData(TReader& reader);
  void WriteStrData(TWriter& writer);

  TStringList FStrings;
  std::string FKeyString;
  int FFormatVersion = 0;
  TMacros FMacros;
  char FMacroChar = '%';
};
