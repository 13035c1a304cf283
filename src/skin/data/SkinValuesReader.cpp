#include "skin/data/SkinValuesReader.h"

#include <algorithm>
#include <cassert>
#include <optional>
#include <utility>

#include "skin/data/IniFile.h"
#include "skin/data/SkinDescription.h"
#include "skin/data/SkinLimits.h"
#include "skin/data/SkinReader.h"
#include "ui/Streams.h"
#include "ui/SysUtils.h"

namespace {

// A colour of the description as the painters' colour type.
TSkinColourValue AsValue(TSkinColour Colour) { return static_cast<TSkinColourValue>(Colour); }

// The colour of pixel (x, y) as 0x00RRGGBB: through the palette for 1, 4
// and 8 bits, straight from the row for 24 and 32 bits.
uint32_t PixelRgb(const TDibImage& Image, int x, int y) {
  const uint8_t* row = Image.Row(y);
  switch (Image.BitCount) {
    case 24:
    case 32: {
      const uint8_t* p = row + static_cast<size_t>(x) * (Image.BitCount / 8);
      return uint32_t(p[2]) << 16 | uint32_t(p[1]) << 8 | p[0];
    }
    case 1:
    case 4:
    case 8: {
      const int bits = Image.BitCount;
      const int perByte = 8 / bits;
      const uint8_t byte = row[x / perByte];
      const int shift = 8 - bits * (x % perByte + 1);
      const size_t index = (byte >> shift) & ((1u << bits) - 1);
      return index < Image.Palette.size() ? Image.Palette[index] & 0xFFFFFF : 0;
    }
    default: return 0;
  }
}

}  // namespace

const char* const SkinBorderNames[5] = {nullptr, "Left", "Right", "Top", "Bottom"};

// The list colour at Index, if there is one.
bool TSkinColours::GetListColour(int Index, TSkinColourValue& Colour) const {
  if (Index < 0 || static_cast<size_t>(Index) >= ColourList.size()) return false;
  Colour = ColourList[static_cast<size_t>(Index)];
  return true;
}

// Copies the rectangle row by row into a new 24-bit image.
TDibImage CutPicture(const TDibImage& Source, int X, int Y, int Width, int Height) {
  TDibImage cut;
  if (Width <= 0 || Height <= 0) return cut;
  cut.Width = Width;
  cut.Height = Height;
  cut.BitCount = 24;
  cut.Pixels.assign(DibStride(Width, 24) * static_cast<size_t>(Height), 0);
  for (int y = 0; y < Height; ++y) {
    uint8_t* to = cut.Row(y);
    for (int x = 0; x < Width; ++x, to += 3) {
      const int sx = X + x, sy = Y + y;
      if (sx < 0 || sy < 0 || sx >= Source.Width || sy >= Source.Height) continue;
      const uint32_t rgb = PixelRgb(Source, sx, sy);
      to[0] = static_cast<uint8_t>(rgb);
      to[1] = static_cast<uint8_t>(rgb >> 8);
      to[2] = static_cast<uint8_t>(rgb >> 16);
    }
  }
  return cut;
}

// One reader over the parsed INI text.
TSkinValues ReadSkinValues(const std::string& Description, TSkinReader& Reader,
                           TSkinProblems& Problems) {
  const TProfileIni ini(Description);
  TSkinValues values;
  TSkinValuesReader(ini, Reader, values, Problems).ReadAll();
  return values;
}

// One INI text for the reader and the validation.
bool ReadValidSkinValues(const std::string& Description, TSkinReader& Reader, TSkinValues& Values,
                         TSkinProblems& Problems) {
  const TProfileIni ini(Description);
  Values = TSkinValues{};
  TSkinValuesReader(ini, Reader, Values, Problems).ReadAll();
  ValidateSkinValues(ini, Values, Problems);
  return !Problems.Refused();
}

// The same, for callers that only want the values.
TSkinValues ReadSkinValues(const std::string& Description, TSkinReader& Reader) {
  TSkinProblems problems;
  return ReadSkinValues(Description, Reader, problems);
}

// The parse order of the description.
void TSkinValuesReader::ReadAll() {
  FValues.SkinName = FIni.ReadString("TitlebarSkin", "SkinName", "");
  ReadBorders();
  ReadSysButtons();
  ReadButtons();
  ReadColours();
  ReadTitle(FValues.Title, "Personality");
  ReadBitmapElement(FValues.Progress, "Progress");
  ReadMenuBar(FValues.MenuBar, "Personality");
  ReadElement(FValues.GroupBoxEdge, "GroupBoxEdge");
  ReadElement(FValues.Toolbars, "Toolbars");
  ReadBorderElement(FValues.Tabs, "Tabs", "Border");
  ReadElement(FValues.StatusBarEdges, "StatusBarEdges");
  ReadElement(FValues.ComboButton, "ComboButton");
  ReadElement(FValues.SunkEdge, "SunkEdge");
  ReadElement(FValues.ExtraImages, "ExtraImages");
  ReadElement(FValues.Headerbar, "Headerbar");
  ReadElement(FValues.MenuItem, "MenuItem");
  ReadElement(FValues.MenuBackground, "MenuBackground");
  ReadElement(FValues.Scrollbar, "Scrollbar");
  ReadElement(FValues.HorzScroll, "HorzScroll");
  ReadElement(FValues.VertScroll, "VertScroll");
  ReadElement(FValues.HorzScrollThumb, "HorzScrollThumb");
  ReadElement(FValues.VertScrollThumb, "VertScrollThumb");
  SetFrameCounts();
}

// The entry's bytes through the BMP decoder, within the skin's pixel limit.
TDibImage TSkinValuesReader::LoadBitmap(const std::string& Value, const std::string& Section,
                                        const std::string& Key) {
  const std::string entryName = SkinBitmapEntryName(Value);
  if (entryName.empty() || FOverBudget) return {};
  // Decoded where the reader holds it: a picture is not copied first.
  const auto [bytes, size] = FReader.EntryBytes(entryName);
  // A picture that would go beyond the limit is refused from its headers,
  // before its pixels take memory; no other is decoded after it.
  const std::optional<std::pair<int, int>> sides = BmpPictureSize(bytes, size);
  if (!sides) return {};
  const int64_t pixels = FPixels + int64_t(sides->first) * sides->second;
  if (pixels > SkinLimits::MaxPixels) {
    FOverBudget = true;
    FProblems.Add(TSkinVerdict::Refused, Section, Key, AnsiLowerCase(entryName),
                  "the pictures up to this one hold " + std::to_string(pixels) +
                      " pixels; a skin may hold at most " + std::to_string(SkinLimits::MaxPixels));
    return {};
  }
  std::optional<TDibImage> image = DecodeBmp(bytes, size);
  if (!image) return {};
  FPixels = pixels;
  return std::move(*image);
}

// The picture that the key names.
TDibImage TSkinValuesReader::ReadPicture(const std::string& Section, const std::string& Key) {
  return LoadBitmap(FIni.ReadString(Section, Key, ""), Section, Key);
}

// All three components or none.
void TSkinValuesReader::ReadRGB(const std::string& Section, const std::string& Prefix,
                                TSkinColourValue& Colour) {
  const int32_t r = FIni.ReadInteger(Section, Prefix + "R", -1);
  const int32_t g = FIni.ReadInteger(Section, Prefix + "G", -1);
  const int32_t b = FIni.ReadInteger(Section, Prefix + "B", -1);
  if (r >= 0 && g >= 0 && b >= 0) Colour = AsValue(SkinRGB(r, g, b));
}

// Side borders keep their top and bottom, the others their left and right.
void TSkinValuesReader::ReadBorders() {
  const std::string section = "Personality";
  for (int i = 1; i <= 4; ++i) {
    TSkinBorderElement& border = FValues.Borders[size_t(i)];
    const std::string name = SkinBorderNames[i];
    border.Name = name;
    const int32_t first = FIni.ReadInteger(section, name + "TopHeight", 0);
    const int32_t last = FIni.ReadInteger(section, name + "BotHeight", 0);
    if (i <= 2) {
      border.Margins = TSkinRect{0, first, 0, last};
    } else {
      border.Margins = TSkinRect{first, 0, last, 0};
    }
    border.FrameCount = FIni.ReadInteger(section, name + "Frame", 1);
    border.Tile = FIni.ReadInteger(section, name + "Stretch", 1);
    border.Trans = FIni.ReadInteger(section, name + "Trans", 1);
    border.Bitmap = ReadPicture(section, name);
  }
}

// The button sections in file order; a count of 0 is derived from the picture.
void TSkinValuesReader::ReadSysButtons() {
  auto& buttons = FValues.SysButtons;
  buttons.clear();
  const std::vector<std::string> sections = FIni.SectionNames();
  const auto count = std::count_if(sections.begin(), sections.end(), IsSysButtonSection);
  if (count > SkinLimits::MaxSysButtons) {
    FProblems.Add(TSkinVerdict::Refused, "", "", "",
                  std::to_string(count) + " title-bar button sections; a skin may have at most " +
                      std::to_string(SkinLimits::MaxSysButtons));
  }
  for (const std::string& section : sections) {
    if (count > SkinLimits::MaxSysButtons || !IsSysButtonSection(section)) continue;
    TSkinSysButtonElement button;
    button.Name = AnsiUpperCase(section);
    button.Action = FIni.ReadInteger(section, "Action", 0);
    button.Align = FIni.ReadInteger(section, "Align", 0);
    button.XCoord = FIni.ReadInteger(section, "Xcoord", 0);
    button.YCoord = FIni.ReadInteger(section, "Ycoord", 0);
    button.Visibility = FIni.ReadInteger(section, "Visibility", 0);
    button.Visibility1 = FIni.ReadInteger(section, "Visibility1", 0);
    button.CombineOp = FIni.ReadInteger(section, "CombineOp", -1);
    button.FrameCount = FIni.ReadInteger(section, "frame", 0);
    button.Bitmap = ReadPicture(section, "ButtonImage");
    if (button.FrameCount == 0) {
      button.FrameCount =
          SysButtonFrameCount(button.Bitmap.Width, button.Bitmap.Height, button.Action);
      // These actions draw no picture of their own.
      if (button.Action == 3 || button.Action == 11) button.Bitmap = TDibImage{};
    }
    buttons.push_back(std::move(button));
  }

  const size_t first = buttons.size();
  for (int32_t action = 7; action <= 9; ++action) {
    TSkinSysButtonElement button;
    button.Name = "MDICONTROLS";
    button.Action = action;
    button.Align = 100;
    button.Visibility = 100;
    button.Visibility1 = 0;
    button.FrameCount = 4;
    buttons.push_back(std::move(button));
  }
  ReadMdiControls(first);
}

// Twelve frames: four for each of the buttons with Action 7, 8 and 9.
void TSkinValuesReader::ReadMdiControls(size_t FirstIndex) {
  assert(FirstIndex + 3 <= FValues.SysButtons.size());
  const TDibImage source = ReadPicture("MDICONTROLS", "Image");
  if (source.Width <= 0 || source.Height <= 0) return;
  const std::string entry =
      AnsiLowerCase(SkinBitmapEntryName(FIni.ReadString("MDICONTROLS", "Image", "")));
  if (source.Width < 12) {
    FProblems.Add(TSkinVerdict::Refused, "MDICONTROLS", "Image", entry,
                  "12 frames in a picture " + std::to_string(source.Width) +
                      " pixels wide leave frames of no pixel");
    return;
  }
  if (source.Width % 12 != 0)
    FProblems.Add(TSkinVerdict::Noted, "MDICONTROLS", "Image", entry,
                  "12 frames do not divide the picture's " + std::to_string(source.Width) +
                      " pixels wide: the last " + std::to_string(source.Width % 12) +
                      " are never shown");
  const int w = source.Width / 12;
  const int h = source.Height;
  for (int i = 0; i < 3; ++i) {
    TSkinSysButtonElement& button = FValues.SysButtons[FirstIndex + static_cast<size_t>(i)];
    button.Bitmap = CutPicture(source, 4 * w * i, 0, 4 * w, h);
    button.XCoord = MdiButtonXCoord(w, i);
  }
}

// [Buttons]: margins, transparency, three pictures, toggle counts, colours.
void TSkinValuesReader::ReadButtons() {
  const std::string section = "Buttons";
  TSkinButtonElement& button = FValues.Button;
  button.Name = "Buttons";
  button.Margins = TSkinRect{
      FIni.ReadInteger(section, "LeftWidth", 0), FIni.ReadInteger(section, "TopHeight", 0),
      FIni.ReadInteger(section, "RightWidth", 0), FIni.ReadInteger(section, "BottomHeight", 0)};
  button.Trans = FIni.ReadInteger(section, "Trans", 0);
  button.Bitmap = ReadPicture(section, "Bitmap");
  button.CheckBitmap = ReadPicture(section, "CheckButton");
  button.RadioBitmap = ReadPicture(section, "RadioButton");
  button.RadioFrameCount = FIni.ReadInteger(section, "RadioButtonFrame", 0);
  button.CheckFrameCount = FIni.ReadInteger(section, "CheckButtonFrame", 0);
  ReadElementColours(button, section);
}

// Each key through ReadColour with its default; the list sections after.
void TSkinValuesReader::ReadColours() {
  const std::string section = "Colours";
  TSkinColours& c = FValues;
  // One colour text of [Colours] through ReadColour.
  auto colour = [&](const char* key, TSkinColour defaultColour) {
    return AsValue(ReadColour(FIni.ReadString(section, key, ""), defaultColour));
  };
  c.WindowTextColour = colour("WindowText", SkinSysColour::WindowText);
  c.ButtonFaceColour = colour("ButtonFace", SkinSysColour::BtnFace);
  c.ScrollbarColour = colour("Scrollbar", SkinSysColour::ScrollBar);
  c.HilightTextColour = colour("HilightText", SkinSysColour::HighlightText);
  c.HilightColour = colour("Hilight", SkinSysColour::Highlight);
  c.MenubarColour = colour("Menubar", static_cast<TSkinColour>(c.ButtonFaceColour));
  c.MenuColour = colour("Menu", SkinSysColour::Menu);
  // Without a MenuText key the button face text stands in for it.
  const std::string faceText = FIni.ReadString(section, "ButtonFace", "");
  c.MenuTextColour =
      AsValue(ReadColour(FIni.ReadString(section, "MenuText", faceText), SkinSysColour::MenuText));
  c.ButtonTextColour = colour("ButtonText", SkinSysColour::BtnText);
  c.ButtonHilightColour = colour("ButtonHilight", SkinSysColour::BtnHighlight);
  c.ButtonLightColour = colour("Buttonlight", SkinSysColour::BtnHighlight);
  c.ButtonShadowColour = colour("ButtonShadow", SkinSysColour::BtnShadow);
  c.ButtonDkShadowColour = colour("ButtonDkShadow", SkinSysColour::BtnShadow);
  c.MenuBarTextColour = colour("MenuBarText", SkinSysColour::Menu);
  c.TitleTextActiveColour = colour("TitleTextActive", SkinSysColour::CaptionText);
  c.TitleTextInactiveColour = colour("TitleTextActive", SkinSysColour::InactiveCaptionText);

  c.ColourList.clear();
  for (const std::string& listSection : FIni.SectionNames()) {
    if (!IsColourListSection(listSection)) continue;
    c.ColourList.push_back(
        AsValue(ReadColour(FIni.ReadString(listSection, "color", ""), SkinSysColour::WindowText)));
  }
}

// The text colours start as "not given" and take ReadRGB's result.
void TSkinValuesReader::ReadTitle(TSkinTitleElement& Element, const std::string& Section) {
  Element.Name = "Title";
  Element.Bitmap = ReadPicture(Section, "TextBack");
  Element.Margins = TSkinRect{FIni.ReadInteger(Section, "TextShift", 0),
                              FIni.ReadInteger(Section, "TextShiftVert", 0),
                              FIni.ReadInteger(Section, "TextRightClip", 0), 0};
  Element.TextAlignment = FIni.ReadInteger(Section, "TextAlignment", 0);
  Element.TextBackground = FIni.ReadInteger(Section, "Textbackground", 0);
  Element.FontHeight = FIni.ReadInteger("Fonts", "FontHeight", 14);
  Element.TextBackLeft = FIni.ReadInteger(Section, "TXTBackleft", 0);
  Element.TextBackRight = FIni.ReadInteger(Section, "TXTBackRight", 0);
  Element.ActiveTextColour = AsValue(SkinNoTextColour);
  Element.InactiveTextColour = AsValue(SkinNoTextColour);
  ReadRGB(Section, "ActiveText", Element.ActiveTextColour);
  ReadRGB(Section, "InActiveText", Element.InactiveTextColour);
}

// No "Bitmap" value: no element.
void TSkinValuesReader::ReadBitmapElement(std::unique_ptr<TSkinElement>& Element,
                                          const std::string& Section) {
  Element.reset();
  const std::string image = FIni.ReadString(Section, "Bitmap", "");
  if (image.empty()) return;
  Element = std::make_unique<TSkinElement>();
  Element->Name = Section;
  Element->Bitmap = LoadBitmap(image, Section, "Bitmap");
  ReadElementShape(*Element, Section);
}

// No "menuBar" value: no element; the margins default to 1.
void TSkinValuesReader::ReadMenuBar(std::unique_ptr<TSkinElement>& Element,
                                    const std::string& Section) {
  Element.reset();
  const std::string image = FIni.ReadString(Section, "menuBar", "");
  if (image.empty()) return;
  Element = std::make_unique<TSkinElement>();
  Element->Name = Section;
  Element->Bitmap = LoadBitmap(image, Section, "menuBar");
  Element->Tile = FIni.ReadInteger(Section, "TileMenu", 0);
  Element->Margins = TSkinRect{FIni.ReadInteger(Section, "TileLeftMenu", 1), 0,
                               FIni.ReadInteger(Section, "TileRightMenu", 1), 0};
}

// No "Image" value: no element.
void TSkinValuesReader::ReadElement(std::unique_ptr<TSkinElement>& Element,
                                    const std::string& Section) {
  Element.reset();
  const std::string image = FIni.ReadString(Section, "Image", "");
  if (image.empty()) return;
  Element = std::make_unique<TSkinElement>();
  Element->Name = Section;
  Element->Bitmap = LoadBitmap(image, Section, "Image");
  ReadElementShape(*Element, Section);
  ReadElementColours(*Element, Section);
}

// The border picture is read only when ExtraKey gives one.
void TSkinValuesReader::ReadBorderElement(std::unique_ptr<TSkinBorderElement>& Element,
                                          const std::string& Section, const std::string& ExtraKey) {
  Element.reset();
  const std::string image = FIni.ReadString(Section, "Image", "");
  if (image.empty()) return;
  Element = std::make_unique<TSkinBorderElement>();
  Element->Name = Section;
  Element->Bitmap = LoadBitmap(image, Section, "Image");
  const std::string border = FIni.ReadString(Section, ExtraKey, "");
  if (!border.empty()) Element->BorderBitmap = LoadBitmap(border, Section, ExtraKey);
  ReadElementShape(*Element, Section);
  ReadElementColours(*Element, Section);
}

// The four margin keys, "Trans" and "Tile".
void TSkinValuesReader::ReadElementShape(TSkinElementValues& Element, const std::string& Section) {
  Element.Margins = TSkinRect{
      FIni.ReadInteger(Section, "LeftWidth", 0), FIni.ReadInteger(Section, "TopHeight", 0),
      FIni.ReadInteger(Section, "RightWidth", 0), FIni.ReadInteger(Section, "BottomHeight", 0)};
  Element.Trans = FIni.ReadInteger(Section, "Trans", 0);
  Element.Tile = FIni.ReadInteger(Section, "Tile", 0);
}

// Colour numbers default to -1, second colours to the window text colour.
void TSkinValuesReader::ReadElementColours(TSkinElementValues& Element,
                                           const std::string& Section) {
  Element.NormalColour = FIni.ReadInteger(Section, "NormalColour", -1);
  Element.MouseOverColour = FIni.ReadInteger(Section, "MouseOverColour", -1);
  Element.PressedColour = FIni.ReadInteger(Section, "PressedColour", -1);
  Element.NormalColour2 =
      AsValue(ReadColour(FIni.ReadString(Section, "NormalColour2", ""), SkinSysColour::WindowText));
  Element.MouseOverColour2 = AsValue(
      ReadColour(FIni.ReadString(Section, "MouseOverColour2", ""), SkinSysColour::WindowText));
  Element.PressedColour2 = AsValue(
      ReadColour(FIni.ReadString(Section, "PressedColour2", ""), SkinSysColour::WindowText));
}

// Counts fixed per element; the toggle counts from their pictures' sizes.
void TSkinValuesReader::SetFrameCounts() {
  // Sets the count of an element that exists.
  auto set = [](const auto& element, int32_t count) {
    if (element) element->FrameCount = count;
  };
  TSkinValues& v = FValues;
  v.Button.FrameCount = 5;
  v.Title.FrameCount = 2;
  set(v.Progress, 2);
  set(v.MenuBar, 2);
  set(v.GroupBoxEdge, 2);
  set(v.StatusBarEdges, 3);
  set(v.ComboButton, 4);
  set(v.SunkEdge, 4);
  set(v.HorzScroll, 4);
  set(v.VertScroll, 4);
  set(v.Toolbars, 5);
  set(v.Tabs, 5);
  set(v.ExtraImages, 5);
  set(v.Headerbar, 5);
  set(v.MenuItem, 5);
  set(v.MenuBackground, 1);
  set(v.Scrollbar, 23);
  set(v.HorzScrollThumb, FIni.ReadInteger("HorzScrollThumb", "FrameCount", 3));
  set(v.VertScrollThumb, FIni.ReadInteger("VertScrollThumb", "FrameCount", 3));

  TSkinButtonElement& button = v.Button;
  if (button.RadioFrameCount == 0)
    button.RadioFrameCount = ToggleFrameCount(button.RadioBitmap.Width, button.RadioBitmap.Height);
  if (button.CheckFrameCount == 0)
    button.CheckFrameCount = ToggleFrameCount(button.CheckBitmap.Width, button.CheckBitmap.Height);
}
