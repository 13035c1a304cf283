// Exceptions' messages and text helpers of the component layer.
#include "ui/SysUtils.h"

#include <cstdarg>
#include <cstdio>
#include <cstdlib>
#include <vector>

namespace Msg {
const char* const DuplicateString = "La liste de cha\xEEnes n'autorise pas les doublons";
const char* const ListIndexError = "Indice de liste hors limites (%d)";
const char* const SortedListError =
    "Op\xE9ration non autoris\xE9"
    "e sur une liste de cha\xEEnes tri\xE9"
    "e";
const char* const ReadError = "Erreur de lecture du flux";
const char* const WriteError =
    "Erreur d'\xE9"
    "criture du flux";
const char* const InvalidImage = "Format de flux incorrect";
const char* const InvalidPropertyValue = "Valeur de propri\xE9t\xE9 incorrecte";
const char* const UnknownProperty = "La propri\xE9t\xE9 %s n'existe pas";
const char* const ClassNotFound =
    "Classe %s non trouv\xE9"
    "e";
const char* const AssignError = "Impossible d'affecter %s \xE0 %s";
const char* const FOpenError = "Impossible d'ouvrir le fichier %s";
const char* const DuplicateName = "Un composant nomm\xE9 %s existe d\xE9j\xE0";
}  // namespace Msg

// printf-style formatting into a std::string.
std::string Format(const char* fmt, ...) {
  va_list args;
  va_start(args, fmt);
  va_list copy;
  va_copy(copy, args);
  const int n = std::vsnprintf(nullptr, 0, fmt, copy);
  va_end(copy);
  std::string out;
  if (n > 0) {
    std::vector<char> buf(static_cast<size_t>(n) + 1);
    std::vsnprintf(buf.data(), buf.size(), fmt, args);
    out.assign(buf.data(), static_cast<size_t>(n));
  }
  va_end(args);
  return out;
}

// Decimal text of a number.
std::string IntToStr(long long value) { return std::to_string(value); }

// Whole-text integer conversion: optional sign, decimal digits or $hex/0x hex, nothing else.
bool TryStrToInt(const std::string& text, int32_t& value) {
  size_t i = 0;
  bool negative = false;
  if (i < text.size() && (text[i] == '-' || text[i] == '+')) {
    negative = text[i] == '-';
    ++i;
  }
  int base = 10;
  if (i < text.size() && text[i] == '$') {
    base = 16;
    ++i;
  } else if (i + 1 < text.size() && text[i] == '0' && (text[i + 1] == 'x' || text[i + 1] == 'X')) {
    base = 16;
    i += 2;
  }
  if (i >= text.size()) return false;
  int64_t acc = 0;
  for (; i < text.size(); ++i) {
    const char c = text[i];
    int d;
    if (c >= '0' && c <= '9')
      d = c - '0';
    else if (base == 16 && c >= 'a' && c <= 'f')
      d = c - 'a' + 10;
    else if (base == 16 && c >= 'A' && c <= 'F')
      d = c - 'A' + 10;
    else
      return false;
    acc = acc * base + d;
    if (acc > 0xFFFFFFFFLL) return false;
  }
  if (base == 10) {
    if (negative ? acc > 2147483648LL : acc > 2147483647LL) return false;
    value = static_cast<int32_t>(negative ? -acc : acc);
  } else {
    const uint32_t bits = static_cast<uint32_t>(acc);
    value = static_cast<int32_t>(negative ? 0u - bits : bits);
  }
  return true;
}

// Windows-1252 upper case of one byte.
char AnsiUpperChar(char c) {
  const unsigned char u = static_cast<unsigned char>(c);
  if (u >= 'a' && u <= 'z') return static_cast<char>(u - 32);
  if (u >= 0xE0 && u <= 0xFE && u != 0xF7) return static_cast<char>(u - 32);
  if (u == 0x9A || u == 0x9C || u == 0x9E) return static_cast<char>(u - 16);
  if (u == 0xFF) return static_cast<char>(0x9F);
  return c;
}

// Windows-1252 lower case of one byte.
char AnsiLowerChar(char c) {
  const unsigned char u = static_cast<unsigned char>(c);
  if (u >= 'A' && u <= 'Z') return static_cast<char>(u + 32);
  if (u >= 0xC0 && u <= 0xDE && u != 0xD7) return static_cast<char>(u + 32);
  if (u == 0x8A || u == 0x8C || u == 0x8E) return static_cast<char>(u + 16);
  if (u == 0x9F) return static_cast<char>(0xFF);
  return c;
}

// Windows-1252 upper case of a text.
std::string AnsiUpperCase(const std::string& s) {
  std::string r = s;
  for (char& c : r) c = AnsiUpperChar(c);
  return r;
}

// Windows-1252 lower case of a text.
std::string AnsiLowerCase(const std::string& s) {
  std::string r = s;
  for (char& c : r) c = AnsiLowerChar(c);
  return r;
}

// Compares two texts without regard to letter case: <0, 0 or >0.
int AnsiCompareText(const std::string& a, const std::string& b) {
  const size_t n = a.size() < b.size() ? a.size() : b.size();
  for (size_t i = 0; i < n; ++i) {
    const unsigned char x = static_cast<unsigned char>(AnsiUpperChar(a[i]));
    const unsigned char y = static_cast<unsigned char>(AnsiUpperChar(b[i]));
    if (x != y) return x < y ? -1 : 1;
  }
  if (a.size() == b.size()) return 0;
  return a.size() < b.size() ? -1 : 1;
}

// True when two texts are equal without regard to letter case.
bool SameText(const std::string& a, const std::string& b) {
  return a.size() == b.size() && AnsiCompareText(a, b) == 0;
}

// Appends "\" unless the text is empty or already ends with one.
std::string AddTrailingBackslash(const std::string& path) {
  if (path.empty() || path.back() == '\\') return path;
  return path + '\\';
}

namespace {
// Unicode code points of Windows-1252 bytes 0x80..0x9F (0 where undefined).
const char16_t kCp1252High[32] = {0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
                                  0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0,      0x017D, 0,
                                  0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
                                  0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178};

// The Unicode code point of one Windows-1252 byte.
char16_t AnsiToCodePoint(unsigned char c) {
  if (c >= 0x80 && c <= 0x9F && kCp1252High[c - 0x80] != 0) return kCp1252High[c - 0x80];
  return c;
}

// The Windows-1252 byte for a code point, or '?' when there is none.
char CodePointToAnsi(uint32_t cp) {
  if (cp < 0x80 || (cp >= 0xA0 && cp <= 0xFF)) return static_cast<char>(cp);
  for (int i = 0; i < 32; ++i)
    if (kCp1252High[i] != 0 && kCp1252High[i] == cp) return static_cast<char>(0x80 + i);
  if (cp >= 0x80 && cp <= 0x9F) return static_cast<char>(cp);
  return '?';
}
}  // namespace

// Windows-1252 text to UTF-16.
std::u16string AnsiToWide(const std::string& s) {
  std::u16string r;
  r.reserve(s.size());
  for (char c : s) r.push_back(AnsiToCodePoint(static_cast<unsigned char>(c)));
  return r;
}

// UTF-16 text to Windows-1252 ('?' for what the code page lacks).
std::string WideToAnsi(const std::u16string& s) {
  std::string r;
  r.reserve(s.size());
  for (size_t i = 0; i < s.size(); ++i) {
    uint32_t cp = s[i];
    if (cp >= 0xD800 && cp <= 0xDBFF && i + 1 < s.size() && s[i + 1] >= 0xDC00 &&
        s[i + 1] <= 0xDFFF) {
      cp = 0x10000 + ((cp - 0xD800) << 10) + (s[i + 1] - 0xDC00);
      ++i;
    }
    r.push_back(CodePointToAnsi(cp));
  }
  return r;
}

// UTF-8 text to Windows-1252 (malformed sequences become '?').
std::string Utf8ToAnsi(const std::string& s) {
  std::string r;
  size_t i = 0;
  while (i < s.size()) {
    const unsigned char c = static_cast<unsigned char>(s[i]);
    uint32_t cp;
    size_t len;
    if (c < 0x80) {
      cp = c;
      len = 1;
    } else if ((c & 0xE0) == 0xC0) {
      cp = c & 0x1F;
      len = 2;
    } else if ((c & 0xF0) == 0xE0) {
      cp = c & 0x0F;
      len = 3;
    } else if ((c & 0xF8) == 0xF0) {
      cp = c & 0x07;
      len = 4;
    } else {
      r.push_back('?');
      ++i;
      continue;
    }
    bool ok = i + len <= s.size();  // a sequence cut short is malformed too
    for (size_t k = 1; ok && k < len; ++k) {
      const unsigned char cc = static_cast<unsigned char>(s[i + k]);
      if ((cc & 0xC0) != 0x80) {
        ok = false;
        break;
      }
      cp = (cp << 6) | (cc & 0x3F);
    }
    if (!ok) {
      r.push_back('?');
      ++i;
      continue;
    }
    r.push_back(CodePointToAnsi(cp));
    i += len;
  }
  return r;
}

// Windows-1252 text to UTF-8.
std::string AnsiToUtf8(const std::string& s) {
  std::string r;
  for (char c : s) {
    const uint32_t cp = AnsiToCodePoint(static_cast<unsigned char>(c));
    if (cp < 0x80) {
      r.push_back(static_cast<char>(cp));
    } else if (cp < 0x800) {
      r.push_back(static_cast<char>(0xC0 | (cp >> 6)));
      r.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
    } else {
      r.push_back(static_cast<char>(0xE0 | (cp >> 12)));
      r.push_back(static_cast<char>(0x80 | ((cp >> 6) & 0x3F)));
      r.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
    }
  }
  return r;
}
