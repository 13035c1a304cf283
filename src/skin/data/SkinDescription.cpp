#include "skin/data/SkinDescription.h"

#include "skin/data/SkinReader.h"
#include "ui/Streams.h"
#include "ui/SysUtils.h"

namespace {

// Text without the control characters and blanks on both ends.
std::string TrimBlanks(const std::string& text) {
  size_t b = 0;
  size_t e = text.size();
  while (b < e && static_cast<unsigned char>(text[b]) <= ' ') ++b;
  while (e > b && static_cast<unsigned char>(text[e - 1]) <= ' ') --e;
  return text.substr(b, e - b);
}

// A run of decimal digits as a number; 0 when it does not fit in 32 bits.
int32_t DigitsValue(const std::string& digits) {
  int32_t value = 0;
  return TryStrToInt(digits, value) ? value : 0;
}

// Whether text begins with prefix.
bool StartsWith(const std::string& text, const char* prefix) {
  return text.compare(0, std::char_traits<char>::length(prefix), prefix) == 0;
}

}  // namespace

// The three components packed as 0x00BBGGRR.
TSkinColour SkinRGB(int32_t R, int32_t G, int32_t B) {
  return (static_cast<uint32_t>(R) & 0xFF) | (static_cast<uint32_t>(G) & 0xFF) << 8 |
         (static_cast<uint32_t>(B) & 0xFF) << 16;
}

// Walks the text once, one component per separator.
TSkinColour ParseSkinColour(const std::string& Text) {
  int32_t components[3] = {0, 0, 0};
  int current = 0;  // stops counting at 3: later numbers have nowhere to go
  std::string token;
  for (char c : TrimBlanks(Text)) {
    if (c >= '0' && c <= '9') {
      token += c;
      continue;
    }
    if (!token.empty() && current < 3) components[current] = DigitsValue(token);
    if (current < 3) ++current;
    token.clear();
  }
  if (current == 2 && !token.empty()) components[2] = DigitsValue(token);
  return SkinRGB(components[0], components[1], components[2]);
}

// The caller's default stands in for an empty text.
TSkinColour ReadColour(const std::string& Text, TSkinColour Default) {
  return Text.empty() ? Default : ParseSkinColour(Text);
}

// File-name part and case-sensitive extension check.
std::string SkinBitmapEntryName(const std::string& Value) {
  const size_t separator = Value.find_last_of("\\:");
  const std::string fileName = separator == std::string::npos ? Value : Value.substr(separator + 1);
  const size_t dot = fileName.rfind('.');
  if (fileName.empty() || dot == std::string::npos || fileName.substr(dot) != ".bmp") return {};
  return fileName;
}

// Title-bar button sections by their upper-cased name.
bool IsSysButtonSection(const std::string& Section) {
  const std::string name = AnsiUpperCase(Section);
  return StartsWith(name, "BUTTON") && name != "BUTTONS" && name != "BUTTON.RADIO" &&
         name != "BUTTON.CHECKBOX";
}

// Colour-list sections by their upper-cased name.
bool IsColourListSection(const std::string& Section) {
  const std::string name = AnsiUpperCase(Section);
  return StartsWith(name, "COLOUR") && name != "COLOURS";
}

// Three frames for narrow strips, six for wide ones and for negative actions.
int32_t SysButtonFrameCount(int32_t Width, int32_t Height, int32_t Action) {
  if (Width <= 0 || Height <= 0 || Action < 0) return 6;
  // Width / Height <= 3.8, in whole numbers so that no rounding decides it.
  return 5 * static_cast<int64_t>(Width) <= 19 * static_cast<int64_t>(Height) ? 3 : 6;
}

// Frame width 13 for small pictures, 16 for others; never fewer than 4 frames.
int32_t ToggleFrameCount(int32_t Width, int32_t Height) {
  const int32_t frameWidth = Height < 16 ? 13 : 16;
  const int32_t frames = Width / frameWidth;
  return frames < 4 ? 4 : frames;
}

// The three MDI buttons stand (FrameWidth + 4) apart, the first the farthest out.
int32_t MdiButtonXCoord(int32_t FrameWidth, int Index) { return (FrameWidth + 4) * (3 - Index); }

// The first ".ini" entry, as text.
bool ExtractSkinDescription(TSkinReader& Reader, std::string& Text, std::string& Name) {
  TMemoryStream entry;
  std::string found;
  Reader.FindEntry(".ini", entry, found);
  Text.assign(entry.Bytes().begin(), entry.Bytes().end());
  if (found.empty()) return false;
  Name = found;
  return true;
}
