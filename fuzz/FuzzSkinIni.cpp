// Fuzzes the skin description reader: any text is parsed, and every section
// is read with the keys a skin uses and the names the text itself holds.
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "skin/data/IniFile.h"
#include "skin/data/SkinDescription.h"

namespace {

// Keys that the skin description is read with.
const char* const SkinKeys[] = {"SkinName",      "Image",    "Bitmap",       "ButtonImage",
                                "Action",        "frame",    "FrameCount",   "color",
                                "ButtonFace",    "MenuText", "TopTopHeight", "LeftWidth",
                                "NormalColour2", "Border",   "menuBar",      ""};

// The text with ASCII letters upper-cased, as a lookup must not care.
std::string AsciiUpper(std::string s) {
  for (char& c : s)
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
  return s;
}

// The names before "=" of the first lines of the text.
std::vector<std::string> KeyNamesOf(const std::string& Text) {
  std::vector<std::string> names;
  size_t pos = 0;
  while (pos < Text.size() && names.size() < 32) {
    size_t end = Text.find_first_of("\r\n", pos);
    if (end == std::string::npos) end = Text.size();
    const std::string line = Text.substr(pos, end - pos);
    names.push_back(line.substr(0, line.find('=')));
    pos = end + 1;
  }
  return names;
}

// Reads one key every way the skin does and checks what must hold.
void ReadKey(const TProfileIni& Ini, const std::string& Section, const std::string& Key) {
  const std::string value = Ini.ReadString(Section, Key, "\x01");
  if (value.size() > TProfileIni::MaxValueLength) std::abort();
  if (Ini.ReadString(AsciiUpper(Section), AsciiUpper(Key), "\x01") != value) std::abort();
  const int32_t number = Ini.ReadInteger(Section, Key, 7);
  if (value == "\x01" && number != 7) std::abort();
  if (ReadColour(value, 0x80000000u) > 0xFFFFFFu && value != "") std::abort();
  const std::string entry = SkinBitmapEntryName(value);
  if (!entry.empty() && entry.compare(entry.size() - 4, 4, ".bmp") != 0) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* Data, size_t Size) {
  const std::string text(reinterpret_cast<const char*>(Data), Size);
  const TProfileIni ini(text);
  const std::vector<std::string> keys = KeyNamesOf(text);
  for (const std::string& section : ini.SectionNames()) {
    if (section.empty() || section.find('\0') != std::string::npos) std::abort();
    if (!ini.SectionExists(section)) std::abort();
    IsSysButtonSection(section);
    IsColourListSection(section);
    for (const char* key : SkinKeys) ReadKey(ini, section, key);
    for (const std::string& key : keys) ReadKey(ini, section, key);
  }
  for (const std::string& key : keys) ReadKey(ini, "", key);
  return 0;
}
