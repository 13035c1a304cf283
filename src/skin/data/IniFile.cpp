#include "skin/data/IniFile.h"

#include <algorithm>

#include "ui/SysUtils.h"

namespace {

// The blanks that the profile functions trim: white space, and Ctrl-Z (the
// old end-of-file mark).
bool IsProfileSpace(char c) {
  const unsigned char u = static_cast<unsigned char>(c);
  return u == ' ' || (u >= '\t' && u <= '\r') || u == 0x1A;
}

// A character with ASCII letters upper-cased and all others as they are.
char FoldProfileChar(char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c; }

// Names compare with ASCII letters folded only, as the profile functions do.
bool SameProfileName(const std::string& a, const std::string& b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i) {
    if (FoldProfileChar(a[i]) != FoldProfileChar(b[i])) return false;
  }
  return true;
}

// A name in the form in which SameProfileName compares it.
std::string FoldProfileName(std::string name) {
  for (char& c : name) c = FoldProfileChar(c);
  return name;
}

// Text up to its first NUL: the profile functions keep names and values as
// C strings, so anything after a NUL is never seen.
std::string UpToNul(std::string s) {
  const size_t nul = s.find('\0');
  if (nul != std::string::npos) s.resize(nul);
  return s;
}

// A name as the profile functions look it up: blanks trimmed on both ends.
std::string TrimName(const std::string& name) {
  size_t b = 0;
  size_t e = name.size();
  while (b < e && IsProfileSpace(name[b])) ++b;
  while (e > b && IsProfileSpace(name[e - 1])) --e;
  return name.substr(b, e - b);
}

// UTF-16 bytes (little- or big-endian) as a wide string.
std::u16string Utf16FromBytes(const std::string& bytes, size_t start, bool bigEndian) {
  std::u16string wide;
  for (size_t i = start; i + 1 < bytes.size(); i += 2) {
    const auto lo = static_cast<unsigned char>(bytes[i + (bigEndian ? 1 : 0)]);
    const auto hi = static_cast<unsigned char>(bytes[i + (bigEndian ? 0 : 1)]);
    wide.push_back(static_cast<char16_t>(lo | hi << 8));
  }
  return wide;
}

// The text in this build's code page, decoded by its byte-order mark if any.
std::string DecodeProfileText(const std::string& text) {
  if (text.compare(0, 3, "\xEF\xBB\xBF") == 0) return Utf8ToAnsi(text.substr(3));
  if (text.compare(0, 2, "\xFF\xFE") == 0) return WideToAnsi(Utf16FromBytes(text, 2, false));
  if (text.compare(0, 2, "\xFE\xFF") == 0) return WideToAnsi(Utf16FromBytes(text, 2, true));
  return text;
}

// A value (or default) as the profile functions copy it out: without a
// pair of enclosing quotes, and cut to the reader's buffer.
std::string CopyEntry(const std::string& value) {
  const size_t limit = TProfileIni::MaxValueLength;
  const bool quoted =
      value.size() >= 2 && (value[0] == '\'' || value[0] == '"') && value.back() == value[0];
  if (!quoted) return value.substr(0, limit);
  // The opening quote is skipped, the rest copied into the buffer, and then
  // the buffer's last character dropped when the rest (closing quote
  // included) was at most one character too long for it.
  const std::string inner = value.substr(1);
  std::string copied = inner.substr(0, limit);
  if (inner.size() <= limit + 1) copied.pop_back();
  return copied;
}

}  // namespace

// Splits the text into lines and files each one.
TProfileIni::TProfileIni(const std::string& Text) {
  FSections.push_back(TSection{});
  const std::string text = DecodeProfileText(Text);
  size_t pos = 0;
  while (pos < text.size()) {
    // A line ends at a CR or an LF (a CR LF pair leaves an empty line between).
    size_t next = text.find_first_of("\r\n", pos);
    next = next == std::string::npos ? text.size() : next + 1;
    ParseLine(text, pos, next);
    pos = next;
  }
  // emplace keeps the first section of a name.
  for (size_t i = 0; i < FSections.size(); ++i)
    FFirstSection.emplace(FoldProfileName(FSections[i].Name), i);
}

// Files the line Text[Begin, End): a section header, a key or nothing.
void TProfileIni::ParseLine(const std::string& Text, size_t Begin, size_t End) {
  while (Begin < End && IsProfileSpace(Text[Begin])) ++Begin;
  while (End > Begin && IsProfileSpace(Text[End - 1])) --End;
  if (Begin >= End) return;

  if (Text[Begin] == '[') {
    size_t close = End - 1;
    while (close > Begin && Text[close] != ']') --close;
    if (close > Begin) {
      FSections.push_back(
          TSection{TrimName(UpToNul(Text.substr(Begin + 1, close - Begin - 1))), {}});
      return;
    }
    // No closing bracket: the line is read as a key.
  }

  TKey key;
  // Only this line is searched: a search to the end of the text from every
  // line makes a long description without "=" take quadratic time.
  const size_t equals =
      static_cast<size_t>(std::find(Text.begin() + Begin, Text.begin() + End, '=') - Text.begin());
  if (equals < End) {
    size_t nameEnd = equals;
    while (nameEnd > Begin && IsProfileSpace(Text[nameEnd - 1])) --nameEnd;
    size_t valueBegin = equals + 1;
    while (valueBegin < End && IsProfileSpace(Text[valueBegin])) ++valueBegin;
    key.Name = TrimName(UpToNul(Text.substr(Begin, nameEnd - Begin)));
    key.Value = UpToNul(Text.substr(valueBegin, End - valueBegin));
  } else {
    key.Name = TrimName(UpToNul(Text.substr(Begin, End - Begin)));
  }
  FSections.back().Keys.push_back(std::move(key));
}

// The first section named Section (blanks around it ignored), or null.
const TProfileIni::TSection* TProfileIni::FindSection(const std::string& Section) const {
  const auto found = FFirstSection.find(FoldProfileName(TrimName(Section)));
  return found == FFirstSection.end() ? nullptr : &FSections[found->second];
}

// The first key named Ident in the first section named Section, or null.
const TProfileIni::TKey* TProfileIni::FindKey(const std::string& Section,
                                              const std::string& Ident) const {
  const TSection* section = FindSection(Section);
  if (!section) return nullptr;
  const std::string wanted = TrimName(Ident);
  for (const TKey& key : section->Keys) {
    if (SameProfileName(key.Name, wanted)) return &key;
  }
  return nullptr;
}

// The key's value, or the default (without its trailing spaces).
std::string TProfileIni::ReadString(const std::string& Section, const std::string& Ident,
                                    const std::string& Default) const {
  const TKey* key = FindKey(Section, Ident);
  if (key && key->Value) return CopyEntry(*key->Value);
  size_t end = Default.size();
  while (end > 1 && Default[end - 1] == ' ') --end;
  return CopyEntry(UpToNul(Default.substr(0, end)));
}

// The key's value as an integer, or Default.
int32_t TProfileIni::ReadInteger(const std::string& Section, const std::string& Ident,
                                 int32_t Default) const {
  return ParseProfileInteger(ReadString(Section, Ident, "")).value_or(Default);
}

// Whether a section of that name exists.
bool TProfileIni::SectionExists(const std::string& Section) const {
  return FindSection(Section) != nullptr;
}

// The names of all named sections, in file order.
std::vector<std::string> TProfileIni::SectionNames() const {
  std::vector<std::string> names;
  for (const TSection& section : FSections) {
    if (!section.Name.empty()) names.push_back(section.Name);
  }
  return names;
}

// The sections and their key names, as written.
std::vector<TProfileIni::TSectionOutline> TProfileIni::Outline() const {
  std::vector<TSectionOutline> outline;
  for (const TSection& section : FSections) {
    if (section.Name.empty() && section.Keys.empty()) continue;
    TSectionOutline& out = outline.emplace_back();
    out.Name = section.Name;
    for (const TKey& key : section.Keys) out.Keys.push_back(key.Name);
  }
  return outline;
}

// Leading spaces skipped, then a whole 32-bit integer.
std::optional<int32_t> ParseProfileInteger(const std::string& Text) {
  size_t start = 0;
  while (start < Text.size() && Text[start] == ' ') ++start;
  int32_t value = 0;
  if (!TryStrToInt(Text.substr(start), value)) return std::nullopt;
  return value;
}
