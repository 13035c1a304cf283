// Conversion between the text and the binary form of window definitions.
#include "ui/ObjText.h"

#include <cassert>
#include <cerrno>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "ui/Filer.h"

namespace {

// Nesting of objects, lists and collections allowed in either form.
constexpr int kMaxDepth = TReader::kMaxDepth;
// Characters per piece of a long string in the canonical text.
constexpr size_t kStringPiece = 64;
// Hex digits per line of binary data in the canonical text.
constexpr size_t kHexLine = 64;

// True for a letter or underscore.
bool IsIdentStart(char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || c == '_'; }

// True for a letter, digit or underscore.
bool IsIdentChar(char c) { return IsIdentStart(c) || (c >= '0' && c <= '9'); }

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// The value of a hex digit, or -1.
int HexValue(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  return -1;
}

// A character for an error message: 'x', or #nnn when it is not printable.
std::string CharName(char c) {
  const unsigned char u = static_cast<unsigned char>(c);
  return u >= 32 && u < 127 ? std::string("'") + c + "'" : "#" + IntToStr(u);
}

// True when s is an identifier, or identifiers joined by full stops when dotted.
bool IsIdentText(const std::string& s, bool dotted) {
  bool atStart = true;
  for (char c : s) {
    if (atStart) {
      if (!IsIdentStart(c)) return false;
      atStart = false;
    } else if (c == '.' && dotted) {
      atStart = true;
    } else if (!IsIdentChar(c)) {
      return false;
    }
  }
  return !atStart;
}

// The ten bytes TWriter stores for an extended float.
std::vector<uint8_t> ExtendedBytes(long double v) {
  TMemoryStream s;
  TWriter(s).WriteFloat(v);
  return std::vector<uint8_t>(s.Bytes().begin() + 1, s.Bytes().end());
}

// Makes a number printed by %g read as a float: "1" -> "1.0", "1e+30" -> "1.0e+30".
std::string WithFraction(std::string s) {
  if (s.find('.') != std::string::npos) return s;
  const size_t e = s.find_first_of("eE");
  s.insert(e == std::string::npos ? s.size() : e, ".0");
  return s;
}

// Appends a UTF-16 code unit or, above $FFFF, a surrogate pair.
void AppendUtf16(std::u16string& s, uint32_t code) {
  if (code <= 0xFFFF) {
    s.push_back(static_cast<char16_t>(code));
  } else {
    code -= 0x10000;
    s.push_back(static_cast<char16_t>(0xD800 + (code >> 10)));
    s.push_back(static_cast<char16_t>(0xDC00 + (code & 0x3FF)));
  }
}

// Decodes strict UTF-8 into UTF-16; false on a malformed sequence.
bool DecodeUtf8(const std::string& s, std::u16string& out) {
  size_t i = 0;
  while (i < s.size()) {
    const unsigned char c = static_cast<unsigned char>(s[i]);
    uint32_t cp;
    size_t len;
    uint32_t min;
    if (c < 0x80) {
      cp = c;
      len = 1;
      min = 0;
    } else if ((c & 0xE0) == 0xC0) {
      cp = c & 0x1F;
      len = 2;
      min = 0x80;
    } else if ((c & 0xF0) == 0xE0) {
      cp = c & 0x0F;
      len = 3;
      min = 0x800;
    } else if ((c & 0xF8) == 0xF0) {
      cp = c & 0x07;
      len = 4;
      min = 0x10000;
    } else
      return false;
    if (i + len > s.size()) return false;
    for (size_t k = 1; k < len; ++k) {
      const unsigned char cc = static_cast<unsigned char>(s[i + k]);
      if ((cc & 0xC0) != 0x80) return false;
      cp = (cp << 6) | (cc & 0x3F);
    }
    if (cp < min || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) return false;
    AppendUtf16(out, cp);
    i += len;
  }
  return true;
}

// ===========================================================================
// Text to binary

class TTextParser {
public:
  TTextParser(const std::string& text, const TIncludeResolver& resolve, TWriter& writer)
      : FText(text), FResolve(resolve), FWriter(writer) {}
  void Run();

private:
  struct DepthGuard {
    explicit DepthGuard(TTextParser& p);
    ~DepthGuard() { --FParser.FDepth; }
    TTextParser& FParser;
  };

  [[noreturn]] void Error(const std::string& message) const;
  char Peek(size_t ahead = 0) const;
  bool AtEnd() const { return FPos >= FText.size(); }
  void SkipBlanks();
  void Expect(char c);
  std::string ReadIdent();
  std::string ReadName(bool dotted);
  bool NextIsProperty();
  uint8_t ObjectFlags(const std::string& word) const;
  void ParseObject(uint8_t flags);
  void ParseProperty();
  void ParseValue(bool inList);
  void ParseString();
  void AppendCode(uint32_t code);
  void ParseCharCode();
  void ParseNumber();
  int64_t ParseInteger();
  int32_t ParseIndex();
  void WriteFloat(const std::string& number, char suffix);
  void ParseSet();
  void ParseBinary();
  void ParseList();
  void ParseCollection();

  const std::string& FText;
  const TIncludeResolver& FResolve;
  TWriter& FWriter;
  size_t FPos = 0;
  int FDepth = 0;
  // The string being parsed, as Windows-1252 bytes and as UTF-16.
  std::string FAnsi;
  std::u16string FWide;
  bool FIsWide = false;
};

// Counts one more level of nesting; too deep is an error.
TTextParser::DepthGuard::DepthGuard(TTextParser& p) : FParser(p) {
  if (++FParser.FDepth > kMaxDepth) {
    --FParser.FDepth;
    FParser.Error("nesting too deep");
  }
}

// Raises EParserError with the line of the current position.
void TTextParser::Error(const std::string& message) const {
  int line = 1;
  for (size_t i = 0; i < FPos && i < FText.size(); ++i)
    if (FText[i] == '\n') ++line;
  throw EParserError(Format("Line %d: %s", line, message.c_str()));
}

// The character ahead of the position, or '\0' past the end.
char TTextParser::Peek(size_t ahead) const {
  return FPos + ahead < FText.size() ? FText[FPos + ahead] : '\0';
}

// Skips spaces, tabs and line breaks.
void TTextParser::SkipBlanks() {
  while (!AtEnd() && (Peek() == ' ' || Peek() == '\t' || Peek() == '\r' || Peek() == '\n')) ++FPos;
}

// Consumes c, after blanks.
void TTextParser::Expect(char c) {
  SkipBlanks();
  if (Peek() != c)
    Error(AtEnd() ? Format("'%c' expected at the end of the text", c) : Format("'%c' expected", c));
  ++FPos;
}

// Reads an identifier at the position.
std::string TTextParser::ReadIdent() {
  if (!IsIdentStart(Peek())) {
    if (AtEnd()) Error("unexpected end of the text");
    Error("identifier expected, found " + CharName(Peek()));
  }
  const size_t start = FPos;
  while (IsIdentChar(Peek())) ++FPos;
  return FText.substr(start, FPos - start);
}

// Reads a name that the binary form stores as a short string (at most 255
// bytes): an identifier, or with dotted, identifiers joined by full stops.
std::string TTextParser::ReadName(bool dotted) {
  SkipBlanks();
  std::string name = ReadIdent();
  while (dotted && Peek() == '.') {
    ++FPos;
    name += '.' + ReadIdent();
  }
  if (name.size() > 255) Error("name longer than 255 characters");
  return name;
}

// True when the identifier at the position starts "Name =" or "Name.Sub =".
bool TTextParser::NextIsProperty() {
  const size_t start = FPos;
  ReadIdent();
  SkipBlanks();
  const bool result = Peek() == '=' || Peek() == '.';
  FPos = start;
  return result;
}

// The prefix flags an object keyword stands for; 0xFF when it is none.
uint8_t TTextParser::ObjectFlags(const std::string& word) const {
  if (SameText(word, "object")) return 0;
  if (SameText(word, "inherited")) return ffInherited;
  if (SameText(word, "inline")) return ffInline;
  return 0xFF;
}

// Converts the whole text: one object and nothing after it.
void TTextParser::Run() {
  for (size_t i = 0; i < FText.size(); ++i) {
    if (FText[i] == '\0') {
      FPos = i;
      Error("NUL character in the text");
    }
  }
  SkipBlanks();
  const std::string word = AtEnd() ? std::string() : ReadIdent();
  const uint8_t flags = ObjectFlags(word);
  if (flags == 0xFF) Error("'object' expected");
  FWriter.WriteSignature();
  ParseObject(flags);
  SkipBlanks();
  if (!AtEnd()) Error("text after the final 'end'");
}

// Parses an object after its keyword: header, properties, children, "end".
void TTextParser::ParseObject(uint8_t flags) {
  DepthGuard guard(*this);
  std::string name;
  std::string className = ReadName(false);
  SkipBlanks();
  if (Peek() == ':') {
    ++FPos;
    name = className;
    className = ReadName(false);
  }
  SkipBlanks();
  bool hasPosition = false;
  int32_t position = 0;
  if (Peek() == '[') {
    position = ParseIndex();
    hasPosition = true;
    flags |= ffChildPos;
  }
  if (flags != 0) {
    const uint8_t prefix = static_cast<uint8_t>(0xF0 | flags);
    FWriter.Stream().WriteBuffer(&prefix, 1);
  }
  if (hasPosition) FWriter.WriteInteger(position);
  FWriter.WriteStr(className);
  FWriter.WriteStr(name);

  bool inChildren = false;
  for (;;) {
    SkipBlanks();
    if (AtEnd()) Error("'end' missing");
    if (IsIdentStart(Peek()) && NextIsProperty()) {
      if (inChildren) Error("property after a child object");
      ParseProperty();
      continue;
    }
    const std::string word = ReadIdent();
    const uint8_t childFlags = ObjectFlags(word);
    if (SameText(word, "end")) break;
    if (childFlags == 0xFF) Error("'" + word + "' is no property, object or end");
    if (!inChildren) FWriter.WriteListEnd();
    inChildren = true;
    ParseObject(childFlags);
  }
  if (!inChildren) FWriter.WriteListEnd();
  FWriter.WriteListEnd();
}

// Parses "Name = value" and writes the name and the value.
void TTextParser::ParseProperty() {
  FWriter.WriteStr(ReadName(true));
  Expect('=');
  ParseValue(false);
}

// Parses one value of any kind and writes it.
void TTextParser::ParseValue(bool inList) {
  SkipBlanks();
  const char c = Peek();
  if (c == '\'' || c == '#' || ((c == 'W' || c == 'w') && (Peek(1) == '\'' || Peek(1) == '#'))) {
    ParseString();
  } else if (c == '-' || c == '$' || IsDigit(c)) {
    ParseNumber();
  } else if (c == '[') {
    ParseSet();
  } else if (c == '{') {
    ParseBinary();
  } else if (c == '(') {
    ParseList();
  } else if (c == '<') {
    ParseCollection();
  } else if (IsIdentStart(c)) {
    const std::string ident = ReadName(true);
    // In a list, vaNull would end the list.
    if (inList && SameText(ident, "Null")) Error("Null cannot be a list item");
    FWriter.WriteIdent(ident);
  } else if (AtEnd()) {
    Error("value expected at the end of the text");
  } else {
    Error("value expected, found " + CharName(c));
  }
}

// Parses a string: quoted pieces and #codes, pieces joined by '+'.
void TTextParser::ParseString() {
  FAnsi.clear();
  FWide.clear();
  FIsWide = false;
  for (;;) {
    bool any = false;
    if ((Peek() == 'W' || Peek() == 'w') && (Peek(1) == '\'' || Peek(1) == '#')) {
      FIsWide = true;
      ++FPos;
    }
    for (;;) {
      if (Peek() == '#') {
        ParseCharCode();
      } else if (Peek() == '\'') {
        ++FPos;
        for (;;) {
          const char c = Peek();
          if (AtEnd() || c == '\n' || c == '\r') Error("unterminated string");
          ++FPos;
          if (c == '\'') {
            if (Peek() != '\'') break;
            ++FPos;
          } else if ((c < 32 && c != '\t') || static_cast<unsigned char>(c) >= 127) {
            --FPos;
            Error("character outside printable ASCII in a string; write it as #nnn");
          }
          AppendCode(static_cast<unsigned char>(c));
        }
      } else {
        break;
      }
      any = true;
    }
    if (!any) Error("string expected");
    const size_t afterPiece = FPos;
    SkipBlanks();
    if (Peek() != '+') {
      FPos = afterPiece;
      break;
    }
    ++FPos;
    SkipBlanks();
  }
  if (FIsWide)
    FWriter.WriteWideString(FWide);
  else
    FWriter.WriteString(FAnsi);
}

// Adds one character code to the string being parsed.
void TTextParser::AppendCode(uint32_t code) {
  if (code <= 255)
    FAnsi.push_back(static_cast<char>(code));
  else
    FIsWide = true;
  AppendUtf16(FWide, code);
}

// Parses #nnn or #$hh.
void TTextParser::ParseCharCode() {
  ++FPos;
  const bool hex = Peek() == '$';
  if (hex) ++FPos;
  uint32_t code = 0;
  size_t digits = 0;
  for (;;) {
    const int d = hex ? HexValue(Peek()) : (IsDigit(Peek()) ? Peek() - '0' : -1);
    if (d < 0) break;
    code = code * (hex ? 16 : 10) + static_cast<uint32_t>(d);
    if (code > 0x10FFFF) Error("character code above $10FFFF");
    ++FPos;
    ++digits;
  }
  if (digits == 0) Error("digits expected after '#'");
  AppendCode(code);
}

// Parses an integer or a float and writes it.
void TTextParser::ParseNumber() {
  const size_t start = FPos;
  if (Peek() == '-') ++FPos;
  if (Peek() == '$' || !IsDigit(Peek())) {
    FPos = start;
    FWriter.WriteInteger(ParseInteger());
    return;
  }
  while (IsDigit(Peek())) ++FPos;
  bool isFloat = false;
  if (Peek() == '.') {
    ++FPos;
    if (!IsDigit(Peek())) Error("digits expected after '.'");
    while (IsDigit(Peek())) ++FPos;
    isFloat = true;
  }
  if (Peek() == 'e' || Peek() == 'E') {
    ++FPos;
    if (Peek() == '+' || Peek() == '-') ++FPos;
    if (!IsDigit(Peek())) Error("digits expected in the exponent");
    while (IsDigit(Peek())) ++FPos;
    isFloat = true;
  }
  const std::string number = FText.substr(start, FPos - start);
  char suffix = 0;
  if (Peek() != '\0' && std::strchr("sSdDtTcC", Peek()) && !IsIdentChar(Peek(1))) suffix = Peek();
  if (suffix) ++FPos;
  if (IsIdentChar(Peek()) || Peek() == '.') Error("bad number");
  if (!isFloat && !suffix) {
    FPos = start;
    FWriter.WriteInteger(ParseInteger());
    return;
  }
  WriteFloat(number, suffix);
}

// Parses a decimal or $hex integer (64 bits at most).
int64_t TTextParser::ParseInteger() {
  const size_t start = FPos;
  const bool negative = Peek() == '-';
  if (negative) ++FPos;
  uint64_t value = 0;
  size_t digits = 0;
  if (Peek() == '$') {
    ++FPos;
    for (int d; (d = HexValue(Peek())) >= 0; ++FPos, ++digits)
      value = (value << 4) | static_cast<uint64_t>(d);
    if (digits == 0 || digits > 16) Error("bad hex number");
    if (IsIdentChar(Peek())) Error("bad hex number");
    // Up to eight digits are a 32-bit pattern, as colours and flags are written.
    // Negated as a bit pattern too: "-$8000000000000000" stays that pattern.
    const uint64_t bits =
        digits <= 8 ? static_cast<uint64_t>(static_cast<int64_t>(static_cast<int32_t>(value)))
                    : value;
    return static_cast<int64_t>(negative ? 0 - bits : bits);
  }
  for (; IsDigit(Peek()); ++FPos, ++digits) {
    const uint64_t d = static_cast<uint64_t>(Peek() - '0');
    if (value > (UINT64_C(9223372036854775808) - d) / 10) {
      FPos = start;
      Error("integer out of range");
    }
    value = value * 10 + d;
  }
  if (digits == 0 || IsIdentChar(Peek())) Error("bad number");
  if (!negative && value > static_cast<uint64_t>(INT64_MAX)) {
    FPos = start;
    Error("integer out of range");
  }
  return negative ? static_cast<int64_t>(0 - value) : static_cast<int64_t>(value);
}

// Parses "[n]" (a child position or an item index), a 32-bit integer.
int32_t TTextParser::ParseIndex() {
  Expect('[');
  SkipBlanks();
  const size_t start = FPos;
  const int64_t value = ParseInteger();
  if (value < INT32_MIN || value > INT32_MAX) {
    FPos = start;
    Error("index out of range");
  }
  Expect(']');
  return static_cast<int32_t>(value);
}

// Writes a float in the form its suffix asks for.
void TTextParser::WriteFloat(const std::string& number, char suffix) {
  TStream& out = FWriter.Stream();
  switch (suffix) {
    case 0: {
      const long double v = std::strtold(number.c_str(), nullptr);
      if (!std::isfinite(v)) Error("float out of range");
      FWriter.WriteFloat(v);
      return;
    }
    case 's':
    case 'S': {
      const float v = std::strtof(number.c_str(), nullptr);
      if (!std::isfinite(v)) Error("float out of range");
      FWriter.WriteValue(TValueType::vaSingle);
      out.WriteBuffer(&v, 4);
      return;
    }
    case 'c':
    case 'C': {
      // Currency: an exact count of ten-thousandths.
      const size_t dot = number.find('.');
      if (number.find_first_of("eE") != std::string::npos)
        Error("currency without exponent expected");
      const std::string whole = number.substr(0, dot);
      std::string frac = dot == std::string::npos ? std::string() : number.substr(dot + 1);
      while (frac.size() > 4 && frac.back() == '0') frac.pop_back();
      if (frac.size() > 4) Error("currency has at most four decimals");
      frac.resize(4, '0');
      const std::string digits = whole + frac;
      errno = 0;
      const long long v = std::strtoll(digits.c_str(), nullptr, 10);
      if (errno == ERANGE) Error("currency out of range");
      const int64_t v64 = v;
      FWriter.WriteValue(TValueType::vaCurrency);
      out.WriteBuffer(&v64, 8);
      return;
    }
    default: {
      const double v = std::strtod(number.c_str(), nullptr);
      if (!std::isfinite(v)) Error("float out of range");
      FWriter.WriteValue(suffix == 'd' || suffix == 'D' ? TValueType::vaDouble
                                                        : TValueType::vaDate);
      out.WriteBuffer(&v, 8);
      return;
    }
  }
}

// Parses [a, b, c].
void TTextParser::ParseSet() {
  Expect('[');
  std::vector<std::string> members;
  SkipBlanks();
  if (Peek() == ']') {
    ++FPos;
  } else {
    for (;;) {
      members.push_back(ReadName(false));
      SkipBlanks();
      if (Peek() == ']') {
        ++FPos;
        break;
      }
      if (Peek() != ',') Error("',' or ']' expected in a set");
      ++FPos;
    }
  }
  FWriter.WriteSet(members);
}

// Parses { hex digits and @includes }.
void TTextParser::ParseBinary() {
  Expect('{');
  std::vector<uint8_t> bytes;
  int pending = -1;
  for (;;) {
    SkipBlanks();
    const char c = Peek();
    if (c == '}') break;
    if (AtEnd()) Error("'}' missing");
    if (c == '@') {
      if (pending >= 0) Error("odd number of hex digits before '@'");
      ++FPos;
      const size_t start = FPos;
      while (!AtEnd() && Peek() != '}' && Peek() != ' ' && Peek() != '\t' && Peek() != '\r' &&
             Peek() != '\n')
        ++FPos;
      const std::string name = FText.substr(start, FPos - start);
      if (name.empty()) Error("file name expected after '@'");
      if (!FResolve) Error("'@" + name + "' needs an include resolver");
      std::vector<uint8_t> included;
      try {
        included = FResolve(name);
      } catch (const std::exception& e) {
        Error("cannot include '" + name + "': " + e.what());
      }
      bytes.insert(bytes.end(), included.begin(), included.end());
    } else {
      const int d = HexValue(c);
      if (d < 0) Error("bad hex digit " + CharName(c));
      ++FPos;
      if (pending < 0) {
        pending = d;
      } else {
        bytes.push_back(static_cast<uint8_t>(pending << 4 | d));
        pending = -1;
      }
    }
    if (bytes.size() > static_cast<size_t>(INT32_MAX)) Error("binary data too large");
  }
  if (pending >= 0) Error("odd number of hex digits");
  ++FPos;
  FWriter.WriteBinary(bytes);
}

// Parses ( value value ... ).
void TTextParser::ParseList() {
  DepthGuard guard(*this);
  Expect('(');
  FWriter.WriteListBegin();
  for (;;) {
    SkipBlanks();
    if (Peek() == ')') break;
    if (AtEnd()) Error("')' missing");
    ParseValue(true);
  }
  ++FPos;
  FWriter.WriteListEnd();
}

// Parses < [n] item Prop = value ... end ... >.
void TTextParser::ParseCollection() {
  DepthGuard guard(*this);
  Expect('<');
  FWriter.WriteValue(TValueType::vaCollection);
  for (;;) {
    SkipBlanks();
    if (Peek() == '>') break;
    if (AtEnd()) Error("'>' missing");
    if (Peek() == '[') {
      FWriter.WriteInteger(ParseIndex());
      SkipBlanks();
    }
    if (!IsIdentStart(Peek()) || !SameText(ReadIdent(), "item")) Error("'item' expected");
    FWriter.WriteListBegin();
    for (;;) {
      SkipBlanks();
      if (AtEnd()) Error("'end' missing");
      if (IsIdentStart(Peek()) && NextIsProperty()) {
        ParseProperty();
        continue;
      }
      if (!IsIdentStart(Peek()) || !SameText(ReadIdent(), "end"))
        Error("property or 'end' expected");
      break;
    }
    FWriter.WriteListEnd();
  }
  ++FPos;
  FWriter.WriteListEnd();
}

// ===========================================================================
// Binary to text

class TBinaryToText {
public:
  explicit TBinaryToText(TStream& input) : FReader(input) {}
  std::string Run();

private:
  struct DepthGuard {
    explicit DepthGuard(TBinaryToText& c);
    ~DepthGuard() { --FConv.FDepth; }
    TBinaryToText& FConv;
  };

  uint8_t PeekByte();
  void ReadRaw(void* buf, size_t count) { FReader.Stream().ReadBuffer(buf, count); }
  std::string ReadName(bool dotted, bool allowEmpty);
  void NewLine(int indent);
  void ConvertObject(int indent);
  void ConvertProperty(int indent);
  void ConvertValue(int indent, bool afterName);
  void ConvertString(int indent, bool afterName);
  void WriteStringPieces(const std::vector<std::string>& pieces, int indent, bool afterName);
  std::string ExtendedText();
  std::string SingleText();
  std::string DoubleText(char suffix);
  std::string CurrencyText();
  void ConvertBinary(int indent, bool afterName);
  void ConvertList(int indent, bool afterName);
  void ConvertCollection(int indent, bool afterName);

  TReader FReader;
  std::string FOut;
  int FDepth = 0;
};

// Counts one more level of nesting; too deep is a malformed definition.
TBinaryToText::DepthGuard::DepthGuard(TBinaryToText& c) : FConv(c) {
  if (++FConv.FDepth > kMaxDepth) {
    --FConv.FDepth;
    throw EReadError(Msg::InvalidImage);
  }
}

// The next byte, not consumed.
uint8_t TBinaryToText::PeekByte() {
  uint8_t b;
  ReadRaw(&b, 1);
  FReader.Stream().Seek(-1, TSeekOrigin::Current);
  return b;
}

// A short string that must be a name the text form can hold.
std::string TBinaryToText::ReadName(bool dotted, bool allowEmpty) {
  std::string name = FReader.ReadStr();
  if (!(allowEmpty && name.empty()) && !IsIdentText(name, dotted))
    throw EReadError(Msg::InvalidImage);
  return name;
}

// Starts a new line indented by indent spaces.
void TBinaryToText::NewLine(int indent) {
  if (!FOut.empty()) FOut += '\n';
  FOut.append(static_cast<size_t>(indent), ' ');
}

// Converts the signature and the root object.
std::string TBinaryToText::Run() {
  FReader.ReadSignature();
  ConvertObject(0);
  FOut += '\n';
  return FOut;
}

// Converts an object record: header, properties, children and "end".
void TBinaryToText::ConvertObject(int indent) {
  DepthGuard guard(*this);
  uint8_t flags = 0;
  if ((PeekByte() & 0xF0) == 0xF0) {
    ReadRaw(&flags, 1);
    flags &= 0x0F;
    // Both inherited and inline, or unknown flags, have no text form.
    if ((flags & ~(ffInherited | ffChildPos | ffInline)) ||
        ((flags & ffInherited) && (flags & ffInline)))
      throw EReadError(Msg::InvalidImage);
  }
  int32_t position = 0;
  if (flags & ffChildPos) position = FReader.ReadInteger();
  const std::string className = ReadName(false, false);
  const std::string name = ReadName(false, true);
  NewLine(indent);
  FOut += (flags & ffInherited) ? "inherited " : (flags & ffInline) ? "inline " : "object ";
  if (!name.empty()) FOut += name + ": ";
  FOut += className;
  if (flags & ffChildPos) FOut += " [" + IntToStr(position) + "]";
  // Property names and child records start with bytes that are no value
  // types (a name's length, a prefix byte): only a zero ends their lists.
  while (PeekByte() != 0) ConvertProperty(indent + 2);
  FReader.ReadListEnd();
  while (PeekByte() != 0) ConvertObject(indent + 2);
  FReader.ReadListEnd();
  NewLine(indent);
  FOut += "end";
}

// Converts "Name = value" on a line of its own.
void TBinaryToText::ConvertProperty(int indent) {
  NewLine(indent);
  FOut += ReadName(true, false) + " =";
  ConvertValue(indent, true);
}

// Converts one value. afterName: it follows "Name =" on the current line
// (else it starts a list item's line); indent is that line's indentation.
void TBinaryToText::ConvertValue(int indent, bool afterName) {
  const std::string space = afterName ? " " : "";
  switch (FReader.NextValue()) {
    case TValueType::vaList: ConvertList(indent, afterName); break;
    case TValueType::vaInt8:
    case TValueType::vaInt16:
    case TValueType::vaInt32:
    case TValueType::vaInt64: FOut += space + IntToStr(FReader.ReadInt64()); break;
    case TValueType::vaExtended: FOut += space + ExtendedText(); break;
    case TValueType::vaSingle: FOut += space + SingleText(); break;
    case TValueType::vaDouble: FOut += space + DoubleText('d'); break;
    case TValueType::vaDate: FOut += space + DoubleText('t'); break;
    case TValueType::vaCurrency: FOut += space + CurrencyText(); break;
    case TValueType::vaString:
    case TValueType::vaLString:
    case TValueType::vaWString:
    case TValueType::vaUTF8String: ConvertString(indent, afterName); break;
    case TValueType::vaIdent:
      FReader.ReadValue();
      FOut += space + ReadName(true, false);
      break;
    case TValueType::vaNull:
    case TValueType::vaFalse:
    case TValueType::vaTrue:
    case TValueType::vaNil: FOut += space + FReader.ReadIdent(); break;
    case TValueType::vaSet: {
      FReader.ReadValue();
      std::string text = "[";
      for (bool first = true;; first = false) {
        const std::string member = FReader.ReadStr();
        if (member.empty()) break;
        if (!IsIdentText(member, false)) throw EReadError(Msg::InvalidImage);
        text += (first ? "" : ", ") + member;
      }
      FOut += space + text + "]";
      break;
    }
    case TValueType::vaBinary: ConvertBinary(indent, afterName); break;
    case TValueType::vaCollection: ConvertCollection(indent, afterName); break;
  }
}

// Converts a string value of any of the four types.
void TBinaryToText::ConvertString(int indent, bool afterName) {
  // The characters as codes, and whether they need the wide marker.
  std::u16string codes;
  bool wide = false;
  const TValueType type = FReader.NextValue();
  if (type == TValueType::vaWString) {
    codes = FReader.ReadWideString();
    wide = true;
  } else if (type == TValueType::vaUTF8String) {
    FReader.ReadValue();
    int32_t n;
    ReadRaw(&n, 4);
    if (n < 0 || n > FReader.Stream().Remaining()) throw EReadError(Msg::ReadError);
    std::string utf8(static_cast<size_t>(n), '\0');
    ReadRaw(utf8.data(), utf8.size());
    const std::string ansi = Utf8ToAnsi(utf8);
    if (AnsiToUtf8(ansi) == utf8) {
      for (char c : ansi) codes.push_back(static_cast<unsigned char>(c));
    } else {
      // Characters that Windows-1252 lacks: only a wide string holds them.
      if (!DecodeUtf8(utf8, codes)) throw EReadError(Msg::InvalidImage);
      wide = true;
    }
  } else {
    for (char c : FReader.ReadString()) codes.push_back(static_cast<unsigned char>(c));
  }

  std::vector<std::string> pieces;
  for (size_t at = 0; at < codes.size() || pieces.empty(); at += kStringPiece) {
    std::string piece;
    bool quoted = false;
    for (size_t i = at; i < codes.size() && i < at + kStringPiece; ++i) {
      const char16_t c = codes[i];
      if (c >= 32 && c < 127) {
        if (!quoted) piece += '\'';
        quoted = true;
        piece += c == '\'' ? "''" : std::string(1, static_cast<char>(c));
      } else {
        if (quoted) piece += '\'';
        quoted = false;
        piece += '#' + IntToStr(c);
      }
    }
    if (quoted || piece.empty()) piece += quoted ? "'" : "''";
    pieces.push_back(std::move(piece));
  }
  if (wide) pieces.front().insert(0, "W");
  WriteStringPieces(pieces, indent, afterName);
}

// Writes a string's pieces: one piece on the current line; several joined by
// '+', one per line (after "Name =" they start on the next line).
void TBinaryToText::WriteStringPieces(const std::vector<std::string>& pieces, int indent,
                                      bool afterName) {
  if (pieces.size() == 1) {
    FOut += (afterName ? " " : "") + pieces.front();
    return;
  }
  const int pieceIndent = afterName ? indent + 2 : indent;
  for (size_t i = 0; i < pieces.size(); ++i) {
    if (i > 0 || afterName) NewLine(pieceIndent);
    FOut += pieces[i];
    if (i + 1 < pieces.size()) FOut += " +";
  }
}

// The shortest decimal text of an extended float that reads back to its bytes.
// Bytes that TWriter never writes (an unnormal: no integer bit) give the text
// of their value, which reads back to the bytes TWriter writes for it.
std::string TBinaryToText::ExtendedText() {
  const long double v = FReader.ReadFloat();
  if (!std::isfinite(v)) throw EReadError(Msg::InvalidPropertyValue);
  const std::vector<uint8_t> bytes = ExtendedBytes(v);
  char buf[64];
  for (int digits = 1; digits <= 21; ++digits) {
    std::snprintf(buf, sizeof buf, "%.*Lg", digits, v);
    if (ExtendedBytes(std::strtold(buf, nullptr)) == bytes) break;
  }
  return WithFraction(buf);
}

// The shortest text of a single float, with its suffix.
std::string TBinaryToText::SingleText() {
  FReader.ReadValue();
  float v;
  ReadRaw(&v, 4);
  if (!std::isfinite(v)) throw EReadError(Msg::InvalidPropertyValue);
  char buf[64];
  for (int digits = 1; digits <= 9; ++digits) {
    std::snprintf(buf, sizeof buf, "%.*g", digits, static_cast<double>(v));
    const float back = std::strtof(buf, nullptr);
    if (std::memcmp(&back, &v, 4) == 0) break;
  }
  return WithFraction(buf) + "s";
}

// The shortest text of a double or date, with its suffix.
std::string TBinaryToText::DoubleText(char suffix) {
  FReader.ReadValue();
  double v;
  ReadRaw(&v, 8);
  if (!std::isfinite(v)) throw EReadError(Msg::InvalidPropertyValue);
  char buf[64];
  for (int digits = 1; digits <= 17; ++digits) {
    std::snprintf(buf, sizeof buf, "%.*g", digits, v);
    const double back = std::strtod(buf, nullptr);
    if (std::memcmp(&back, &v, 8) == 0) break;
  }
  return WithFraction(buf) + suffix;
}

// The exact decimal text of a currency value (ten-thousandths), with its suffix.
std::string TBinaryToText::CurrencyText() {
  FReader.ReadValue();
  int64_t v;
  ReadRaw(&v, 8);
  const bool negative = v < 0;
  const uint64_t magnitude = negative ? 0 - static_cast<uint64_t>(v) : static_cast<uint64_t>(v);
  char frac[8];
  std::snprintf(frac, sizeof frac, "%04u", static_cast<unsigned>(magnitude % 10000));
  std::string fraction = frac;
  while (fraction.size() > 1 && fraction.back() == '0') fraction.pop_back();
  char whole[32];
  std::snprintf(whole, sizeof whole, "%llu", static_cast<unsigned long long>(magnitude / 10000));
  return (negative ? "-" : "") + std::string(whole) + "." + fraction + "c";
}

// Converts binary data to { lines of hex digits }.
void TBinaryToText::ConvertBinary(int indent, bool afterName) {
  const std::vector<uint8_t> bytes = FReader.ReadBinary();
  FOut += afterName ? " {" : "{";
  static const char kHex[] = "0123456789ABCDEF";
  for (size_t i = 0; i < bytes.size(); ++i) {
    if (i % (kHexLine / 2) == 0) NewLine(indent + 2);
    FOut += kHex[bytes[i] >> 4];
    FOut += kHex[bytes[i] & 15];
  }
  FOut += '}';
}

// Converts a list: one item per line, ')' after the last.
void TBinaryToText::ConvertList(int indent, bool afterName) {
  DepthGuard guard(*this);
  FReader.ReadListBegin();
  FOut += afterName ? " (" : "(";
  while (!FReader.EndOfList()) {
    NewLine(indent + 2);
    ConvertValue(indent + 2, false);
  }
  FReader.ReadListEnd();
  FOut += ')';
}

// Converts a collection: "item" ... "end" per item, '>' after the last.
void TBinaryToText::ConvertCollection(int indent, bool afterName) {
  DepthGuard guard(*this);
  FReader.CheckValue(TValueType::vaCollection);
  FOut += afterName ? " <" : "<";
  while (!FReader.EndOfList()) {
    NewLine(indent + 2);
    const TValueType v = FReader.NextValue();
    if (v == TValueType::vaInt8 || v == TValueType::vaInt16 || v == TValueType::vaInt32)
      FOut += "[" + IntToStr(FReader.ReadInteger()) + "] ";
    FOut += "item";
    FReader.ReadListBegin();
    while (PeekByte() != 0) ConvertProperty(indent + 4);
    FReader.ReadListEnd();
    NewLine(indent + 2);
    FOut += "end";
  }
  FReader.ReadListEnd();
  FOut += '>';
}

}  // namespace

// Converts a text definition to the binary form.
void ObjectTextToBinary(TStream& input, TStream& output, const TIncludeResolver& resolve) {
  const int64_t size = input.Remaining();
  std::string text(static_cast<size_t>(size > 0 ? size : 0), '\0');
  input.ReadBuffer(text.data(), text.size());
  TMemoryStream binary;
  TWriter writer(binary);
  TTextParser(text, resolve, writer).Run();
  output.WriteBuffer(binary.Memory(), binary.Bytes().size());
}

// Converts a binary definition to the canonical text.
void ObjectBinaryToText(TStream& input, TStream& output) {
  const std::string text = TBinaryToText(input).Run();
  output.WriteBuffer(text.data(), text.size());
}
