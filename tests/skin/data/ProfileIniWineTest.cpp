// The in-memory INI reader against the platform's own profile functions:
// each text is written to a file and every section and key that it could
// name is read both ways, as are the section names.
#include <gtest/gtest.h>

#include <windows.h>

#include <set>

#include "skin/data/IniFile.h"
#include "ui/Streams.h"
#include "ui/SysUtils.h"

namespace {

// Section names as GetPrivateProfileStringA lists them.
std::vector<std::string> PlatformSectionNames(const std::string& Path) {
  std::vector<char> buffer(1 << 16);
  const DWORD length = GetPrivateProfileStringA(nullptr, nullptr, "", buffer.data(),
                                                static_cast<DWORD>(buffer.size()), Path.c_str());
  std::vector<std::string> names;
  for (size_t at = 0; at < length && buffer[at] != '\0'; at += names.back().size() + 1)
    names.emplace_back(buffer.data() + at);
  return names;
}

// One value as an INI reader on the profile functions reads it (2048-character buffer).
std::string PlatformString(const std::string& Path, const std::string& Section,
                           const std::string& Key, const std::string& Default) {
  char buffer[2048];
  const DWORD length = GetPrivateProfileStringA(Section.c_str(), Key.c_str(), Default.c_str(),
                                                buffer, sizeof buffer, Path.c_str());
  return std::string(buffer, length);
}

// Names worth asking for: every line's text before "=", and the line itself,
// in several spellings; for sections also the bracketed names.
void CollectProbes(const std::string& Text, std::set<std::string>& Sections,
                   std::set<std::string>& Keys) {
  size_t pos = 0;
  while (pos <= Text.size()) {
    size_t end = Text.find_first_of("\r\n", pos);
    if (end == std::string::npos) end = Text.size();
    const std::string line = Text.substr(pos, end - pos);
    const std::string name = line.substr(0, line.find('='));
    for (const std::string& probe : {name, line}) {
      Keys.insert(probe);
      Keys.insert(AnsiUpperCase(probe));
      const size_t b = probe.find_first_not_of(" \t");
      if (b != std::string::npos) Keys.insert(probe.substr(b));
    }
    const size_t open = line.find('[');
    if (open != std::string::npos) {
      const size_t close = line.rfind(']');
      const std::string inner =
          line.substr(open + 1, close == std::string::npos || close < open ? std::string::npos
                                                                           : close - open - 1);
      Sections.insert(inner);
      Sections.insert(AnsiLowerCase(inner));
      const size_t b = inner.find_first_not_of(" \t");
      const size_t e = inner.find_last_not_of(" \t");
      if (b != std::string::npos) Sections.insert(inner.substr(b, e - b + 1));
    }
    pos = end + 1;
  }
  Sections.insert("");
  Sections.insert("missing");
  Keys.insert("missing");
}

// Writes Text to a file of its own (the platform caches by name) and
// compares everything; returns the number of values compared. Defaults with
// quotes and blanks are tried too unless OneDefault is set.
int CompareWithPlatform(const std::string& Name, const std::string& Text, bool OneDefault = false) {
  char folder[MAX_PATH];
  GetTempPathA(MAX_PATH, folder);
  static int counter = 0;
  const std::string path = std::string(folder) + "quorvel-ini-" +
                           std::to_string(GetCurrentProcessId()) + "-" + std::to_string(++counter) +
                           ".ini";
  WriteFileBytes(path, std::vector<uint8_t>(Text.begin(), Text.end()));

  const TProfileIni ini(Text);
  EXPECT_EQ(ini.SectionNames(), PlatformSectionNames(path)) << Name;
  std::set<std::string> sections;
  std::set<std::string> keys;
  // Names are looked for in the text's characters (the low bytes of UTF-16 ones).
  std::string probeText = Text;
  if (Text.compare(0, 2, "\xFF\xFE") == 0) {
    probeText.clear();
    for (size_t i = 2; i < Text.size(); i += 2) probeText += Text[i];
  }
  CollectProbes(probeText, sections, keys);
  int compared = 0;
  for (const std::string& section : sections) {
    for (const std::string& key : keys) {
      if (key.find('\0') != std::string::npos || section.find('\0') != std::string::npos) continue;
      for (const char* defaultValue : {"DEF", "", "'q'  "}) {
        if (OneDefault && defaultValue[0] != 'D') continue;
        EXPECT_EQ(ini.ReadString(section, key, defaultValue),
                  PlatformString(path, section, key, defaultValue))
            << Name << ": [" << section << "] " << key << " (default \"" << defaultValue << "\")";
        ++compared;
      }
    }
  }
  DeleteFileA(path.c_str());
  return compared;
}

TEST(ProfileIniOnThePlatform, ReadsEveryTrickyTextAlike) {
  const std::string longValue(3000, 'L');
  const struct {
    const char* Name;
    std::string Text;
  } cases[] = {
      {"blanks and case",
       "[Personality]\r\n  TopTopHeight   =   76  \r\n\tLeft\t=\tsteel\\Left.bmp\t\r\nUPPER=1\r\n"
       "[fonts]\r\nFontHeight = 14\r\n"},
      {"repeated keys and sections",
       "[A]\nk=1\nK=2\nk =3\n[B]\nx=b\n[a]\nk=4\nonlyInSecond=5\n[A]\nthird=6\n"},
      {"section headers",
       "before=any section\n[Broken\nk=in first\n[ Spaced ]\nk=spaced\n[a]b] trailing\nk=ab\n"
       "[]\nk=empty name\n[Last]\nk=last\n[ ]\nblank=1\n[[double]]\nd=1\n"},
      {"comments", "[S]\n; k=commented\n;k=2\nk=real\n# hash=1\n  ;indented=1\nlast=1\n"},
      {"quotes",
       "[Q]\nd=\"a b\"\ns=' x '\nmixed=\"a'\none=\"\ntwo=\"\"\ninner=a\"b\"\nhalf=\"abc\n"
       "spaced= \" padded \" \nsingle='\nempty=''\n"},
      {"values and equals", "[V]\nempty=\nbare\n  spaced =   \n=novalue\na=b=c\n==\nk = = x\n"},
      {"line ends", "[S]\r\nk=real\rstill=same line\nlast=end\n[T]\r\r\nx=1\r\n\r\n[U]\ny=2"},
      {"CR only", "[S]\rk=1\rj=2\r[T]\rk=3"},
      {"no final line end", "[S]\nk=1\n[T]\nk=2"},
      {"long lines", "[S]\nlong=" + longValue + "\nq=\"" + std::string(2047, 'w') + "\"\nr=\"" +
                         std::string(2046, 'w') + "\"\np=\"" + std::string(2045, 'w') + "\"\n" +
                         std::string(2500, 'K') + "=longname\n[" + std::string(1000, 'N') +
                         "]\nk=1\n"},
      {"control blanks",
       "[S]\n\x0Bvt\x0B=\x0B"
       "1\x0B\n\ff\f=\f2\f\n\x1Az\x1A=\x1A"
       "3\x1A\n\x1C"
       "fs\x1C=\x1C"
       "4\x1C\n"
       "nb\xA0=\xA0"
       "5\xA0\n"},
      {"byte-order mark", "\xEF\xBB\xBF[S]\nk=v\n[T]\nx=y\n"},
      {"UTF-16", std::string("\xFF\xFE[\0S\0]\0\r\0\n\0k\0=\0v\0\r\0\n\0", 22)},
      {"Windows-1252 text", "[Caf\xE9]\ncl\xE9=\xE0 la\n[CAF\xC9]\nx=1\n"},
  };
  int compared = 0;
  for (const auto& c : cases) compared += CompareWithPlatform(c.Name, c.Text);
  EXPECT_GT(compared, 1000);
}

TEST(ProfileIniOnThePlatform, ReadsTheStoredSkinsDescriptionAlike) {
  const std::string path = std::string(QUORVEL_SKIN_DIR) + "/saffrell.ini";
  const std::vector<uint8_t> bytes = ReadFileBytes(path);
  EXPECT_GT(
      CompareWithPlatform("stored description", std::string(bytes.begin(), bytes.end()), true),
      100);
}

}  // namespace
