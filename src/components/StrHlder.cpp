// TStrHolder, its macro collection and the item codecs of "StrData".
#include "components/StrHlder.h"

#include <cassert>

#include "ui/Filer.h"
#include "ui/Published.h"

namespace {

// The value of one hexadecimal digit, or -1.
int HexDigit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

// True for the apostrophe and the double quote.
bool IsQuote(char c) { return c == '\'' || c == '"'; }

// True when c ends a macro name: a line break, a space, ")", ",", ";" or one of delims.
bool IsMacroNameEnd(char c, const std::string& delims) {
  switch (c) {
    case '\n':
    case '\r':
    case ' ':
    case ')':
    case ',':
    case ';': return true;
    default: return c != '\0' && delims.find(c) != std::string::npos;
  }
}

// Removes one leading and one trailing quote character where present.
void StripQuotes(std::string& name, char quote) {
  if (!name.empty() && name.front() == quote) name.erase(0, 1);
  if (!name.empty() && name.back() == quote) name.pop_back();
}

const char kMacroDelims[] = ".";

}  // namespace

// ---------------------------------------------------------------------------
// Item codecs

// Each byte of s (combined with the key) as two lower-case hexadecimal digits.
std::string EncodeListItem(const std::string& key, const std::string& s) {
  static const char kDigits[] = "0123456789abcdef";
  std::string out;
  out.reserve(s.size() * 2);
  for (size_t i = 0; i < s.size(); ++i) {
    uint8_t c = static_cast<uint8_t>(s[i]);
    if (!key.empty()) c ^= static_cast<uint8_t>(key[i % key.size()]);
    out += kDigits[c >> 4];
    out += kDigits[c & 0x0F];
  }
  return out;
}

// Reads s as pairs of hexadecimal digits (a bad pair is a space) and
// combines each byte with the key.
std::string DecodeListItem(const std::string& key, const std::string& s) {
  const size_t n = s.size() / 2;
  std::string out;
  out.reserve(n);
  for (size_t i = 0; i < n; ++i) {
    const int hi = HexDigit(s[2 * i]);
    const int lo = HexDigit(s[2 * i + 1]);
    uint8_t c = (hi < 0 || lo < 0) ? uint8_t{' '} : static_cast<uint8_t>(hi * 16 + lo);
    if (!key.empty()) c ^= static_cast<uint8_t>(key[i % key.size()]);
    out += static_cast<char>(c);
  }
  return out;
}

// The first format: raw bytes combined with the key, both cut to 255 bytes.
std::string DecodeLegacyItem(const std::string& key, const std::string& s) {
  std::string out = s.substr(0, 255);
  const std::string k = key.substr(0, 255);
  if (k.empty()) return out;
  for (size_t i = 0; i < out.size(); ++i)
    out[i] =
        static_cast<char>(static_cast<uint8_t>(out[i]) ^ static_cast<uint8_t>(k[i % k.size()]));
  return out;
}

// ---------------------------------------------------------------------------
// Macro scanning

// Replaces references in text by "?", collecting their names into list.
void ScanMacroNames(TMacros& list, std::string& text, char specialChar, const std::string& delims) {
  if (specialChar == '\0') return;
  bool inQuotes = false;
  size_t i = 0;
  while (i < text.size()) {
    const char c = text[i];
    if (c == specialChar && !inQuotes) {
      if (i + 1 < text.size() && text[i + 1] == specialChar) {
        // A doubled special character is a literal one.
        text.erase(i, 1);
        ++i;
        continue;
      }
      const size_t start = i + 1;
      size_t end = start;
      bool quoted = false;
      while (end < text.size() && (inQuotes || !IsMacroNameEnd(text[end], delims))) {
        if (IsQuote(text[end])) {
          inQuotes = !inQuotes;
          if (end == start) quoted = true;
        }
        ++end;
      }
      std::string name = text.substr(start, end - start);
      if (quoted) {
        StripQuotes(name, '\'');
        StripQuotes(name, '"');
      }
      if (!list.FindMacroByName(name)) list.AddMacro(name);
      text.replace(i, end - i, "?");
      i += 2;  // past the "?" and the character that ended the name
      continue;
    }
    if (IsQuote(c)) inQuotes = !inQuotes;
    ++i;
  }
}

// ---------------------------------------------------------------------------
// TMacro

QUORVEL_DEFINE_CLASS(TMacro) {
  p.String("Name", &TMacro::Name, &TMacro::SetName);
  p.Variant("Value", &TMacro::Value, &TMacro::SetValue);
  p.Event("OnGetText", &TMacro::OnGetText);
}

// A macro without name or value inside collection.
TMacro::TMacro(TCollection* collection) : TCollectionItem(collection) {}

// Copies another macro's value and name; anything else as the base class does.
void TMacro::Assign(TPersistent* source) {
  auto* macro = dynamic_cast<TMacro*>(source);
  if (!macro) {
    inherited::Assign(source);
    return;
  }
  if (VarIsEmpty(macro->FData))
    Clear();
  else
    FData = macro->FData;
  SetName(macro->FName);
}

// The name, or the default display name of an item without one.
std::string TMacro::GetDisplayName() const {
  return FName.empty() ? inherited::GetDisplayName() : FName;
}

// Renames, refusing a name that another macro of the collection holds.
void TMacro::SetName(const std::string& value) {
  auto* macros = dynamic_cast<TMacros*>(Collection());
  if (!value.empty() && !SameText(value, FName) && macros && macros->FindMacroByName(value))
    throw EStringListError(Msg::DuplicateString);
  FName = value;
  Changed(false);
}

// Sets the value.
void TMacro::SetValue(const TVariant& value) { FData = value; }

// Makes the value empty.
void TMacro::Clear() { FData = TVarEmpty{}; }

// ---------------------------------------------------------------------------
// TMacros

QUORVEL_DEFINE_CLASS(TMacros) {}

// An empty collection of macros owned by owner.
TMacros::TMacros(TPersistent* owner)
    : TCollection(
          TMacro::StaticClass(), [](TCollection* c) { return new TMacro(c); }, owner) {}

// The macro at index.
TMacro* TMacros::Items(int index) const { return static_cast<TMacro*>(TCollection::Items(index)); }

// The first macro of that name (letter case ignored), or null.
TMacro* TMacros::FindMacroByName(const std::string& name) const {
  for (int i = 0; i < Count(); ++i) {
    TMacro* macro = Items(i);
    if (SameText(macro->Name(), name)) return macro;
  }
  return nullptr;
}

// Appends a macro and names it.
TMacro* TMacros::AddMacro(const std::string& name) {
  auto* macro = static_cast<TMacro*>(Add());
  macro->SetName(name);
  return macro;
}

// Assigns each macro of source to the macro of the same name here.
void TMacros::CopyMacroValues(const TMacros& source) {
  TUpdateBracket<TCollection> update(*this);
  for (int i = 0; i < source.Count(); ++i) {
    TMacro* from = source.Items(i);
    if (TMacro* to = FindMacroByName(from->Name())) to->Assign(from);
  }
}

// Rewrites the references of value; with doCreate, this collection becomes
// the set of macros that value refers to, keeping the values of known names.
std::string TMacros::ParseText(const std::string& value, bool doCreate, char specialChar) {
  std::string text = value;
  TMacros found(GetOwner());
  ScanMacroNames(found, text, specialChar, kMacroDelims);
  if (doCreate) {
    found.CopyMacroValues(*this);
    Assign(&found);
  }
  return text;
}

// ---------------------------------------------------------------------------
// TStrHolder

QUORVEL_DEFINE_CLASS(TStrHolder) {
  p.Integer("Capacity", &TStrHolder::Capacity, &TStrHolder::SetCapacity, 0);
  p.Char("MacroChar", &TStrHolder::MacroChar, &TStrHolder::SetMacroChar, '%');
  p.Object("Macros", &TStrHolder::Macros);
  p.Event("OnExpandMacros", &TStrHolder::OnExpandMacros);
  p.Enum("Duplicates", &TStrHolder::Duplicates, &TStrHolder::SetDuplicates,
         {"dupIgnore", "dupAccept", "dupError"});
  p.String("KeyString", &TStrHolder::KeyString, &TStrHolder::SetKeyString).NotStored();
  p.Bool("Sorted", &TStrHolder::Sorted, &TStrHolder::SetSorted, false);
  p.Object("Strings", [](TStrHolder& h) { return h.Strings(); }).NotStored();
  p.Event("OnChange", &TStrHolder::OnChange);
  p.Event("OnChanging", &TStrHolder::OnChanging);
}

// An empty holder whose string list reports its changes to the holder.
TStrHolder::TStrHolder(TComponent* owner) : TComponent(owner), FMacros(this) {
  FStrings.OnChanging = [this](TObject*) { StringsChanging(); };
  FStrings.OnChange = [this](TObject*) { StringsChanged(); };
}

// Drops the events first so that nothing is told while the parts go away.
TStrHolder::~TStrHolder() {
  OnChange.Clear();
  OnChanging.Clear();
  OnExpandMacros.Clear();
  FStrings.OnChange.Clear();
  FStrings.OnChanging.Clear();
}

// From a string list or another holder: copies the strings only.
void TStrHolder::Assign(TPersistent* source) {
  if (auto* strings = dynamic_cast<TStrings*>(source)) {
    FStrings.Assign(strings);
    return;
  }
  if (auto* holder = dynamic_cast<TStrHolder*>(source)) {
    FStrings.Assign(&holder->FStrings);
    return;
  }
  inherited::Assign(source);
}

// To a string list: the list receives the holder's strings.
void TStrHolder::AssignTo(TPersistent* dest) {
  if (auto* strings = dynamic_cast<TStrings*>(dest)) {
    strings->Assign(&FStrings);
    return;
  }
  inherited::AssignTo(dest);
}

// Stores the format version (only without an ancestor) and the encoded strings.
void TStrHolder::DefineProperties(TFiler& filer) {
  inherited::DefineProperties(filer);
  filer.DefineProperty(
      "InternalVer", [this](TReader& r) { ReadInternalVer(r); },
      [this](TWriter& w) { WriteInternalVer(w); }, filer.Ancestor() == nullptr);
  filer.DefineProperty(
      "StrData", [this](TReader& r) { ReadStrData(r); }, [this](TWriter& w) { WriteStrData(w); },
      StrDataHasData(filer));
}

// Changes the macro character and rebuilds the macros (not while loading).
void TStrHolder::SetMacroChar(char value) {
  if (value == FMacroChar) return;
  FMacroChar = value;
  if (!IsLoading()) RefreshMacroList();
}

// Copies the values of value's macros into the macros of the same name.
void TStrHolder::SetMacros(TMacros* value) {
  if (value) FMacros.CopyMacroValues(*value);
}

// Replaces the strings with those of value.
void TStrHolder::SetStrings(TStrings* value) { FStrings.Assign(value); }

// Fires OnChange.
void TStrHolder::NotifyChange() { OnChange(this); }

// Fires OnChanging.
void TStrHolder::NotifyChanging() { OnChanging(this); }

// Fires OnExpandMacros.
void TStrHolder::NotifyExpandMacros() { OnExpandMacros(this); }

// The strings are about to change.
void TStrHolder::StringsChanging() {
  if (!IsLoading()) NotifyChanging();
}

// The strings changed: rebuild the macros, then tell the user.
void TStrHolder::StringsChanged() {
  if (IsLoading()) return;
  RefreshMacroList();
  NotifyChange();
}

// Rebuilds the macros from the text of the strings.
void TStrHolder::RefreshMacroList() { FMacros.ParseText(FStrings.Text(), true, FMacroChar); }

// True when "StrData" is to be written: the strings differ from the
// ancestor's, or (without a comparable ancestor) there is anything to store.
bool TStrHolder::StrDataHasData(TFiler& filer) const {
  const int count = FStrings.Count();
  if (const auto* ancestor = dynamic_cast<const TStrHolder*>(filer.Ancestor())) {
    if (ancestor->FStrings.Count() == count && ancestor->FKeyString == FKeyString && count != 0) {
      // Compared exactly: a change of letter case alone must be stored too.
      for (int i = 0; i < count; ++i)
        if (FStrings.Get(i) != ancestor->FStrings.Get(i)) return true;
      return false;
    }
  }
  return count > 0 || !FKeyString.empty();
}

// The format version of the strings that follow.
void TStrHolder::ReadInternalVer(TReader& reader) { FFormatVersion = reader.ReadInteger(); }

// Always the current format.
void TStrHolder::WriteInternalVer(TWriter& writer) { writer.WriteInteger(1); }

// The key (when the list is not empty), then the items, decoded in the
// format that "InternalVer" named.
void TStrHolder::ReadStrData(TReader& reader) {
  reader.ReadListBegin();
  if (!reader.EndOfList()) FKeyString = reader.ReadString();
  {
    TUpdateBracket<TStringList> update(FStrings);
    FStrings.Clear();
    while (!reader.EndOfList()) {
      const std::string item = reader.ReadString();
      FStrings.Add(FFormatVersion > 0 ? DecodeListItem(FKeyString, item)
                                      : DecodeLegacyItem(FKeyString, item));
    }
  }
  reader.ReadListEnd();
}

// The key, then every string encoded with it.
void TStrHolder::WriteStrData(TWriter& writer) {
  writer.WriteListBegin();
  writer.WriteString(FKeyString);
  for (int i = 0; i < FStrings.Count(); ++i)
    writer.WriteString(EncodeListItem(FKeyString, FStrings.Get(i)));
  writer.WriteListEnd();
}
