#include "skin/data/SkinValidation.h"

#include <algorithm>
#include <cstdint>
#include <optional>
#include <set>

#include "skin/data/IniFile.h"
#include "skin/data/SkinDescription.h"
#include "skin/data/SkinLimits.h"
#include "skin/data/SkinReader.h"
#include "ui/ImageFiles.h"
#include "ui/Streams.h"
#include "ui/SysUtils.h"

// ---------------------------------------------------------------------------
// Problems

// Only the parts that are there.
std::string TSkinProblem::Describe() const {
  std::string text;
  if (!Section.empty()) text += "[" + Section + "]";
  if (!Key.empty()) text += (text.empty() ? "" : " ") + Key;
  if (!Entry.empty()) text += (text.empty() ? "" : " ") + ("(" + Entry + ")");
  return text.empty() ? Text : text + ": " + Text;
}

void TSkinProblems::Add(TSkinVerdict Verdict, const std::string& Section, const std::string& Key,
                        const std::string& Entry, const std::string& Text) {
  FItems.push_back(TSkinProblem{Verdict, Section, Key, Entry, Text});
}

bool TSkinProblems::Refused() const {
  return std::any_of(FItems.begin(), FItems.end(),
                     [](const TSkinProblem& p) { return p.Verdict == TSkinVerdict::Refused; });
}

std::string TSkinProblems::FirstRefusal() const {
  for (const TSkinProblem& p : FItems)
    if (p.Verdict == TSkinVerdict::Refused) return p.Describe();
  return {};
}

// ---------------------------------------------------------------------------
// Values

namespace {

using SkinLimits::MaxBorderSize;
using SkinLimits::MaxOffset;

std::string Str(int64_t Value) { return std::to_string(Value); }

// The size of one frame of a picture.
struct TFrameSize {
  int W = 0, H = 0;
};

// Where an element's values come from in the description.
struct TElementKeys {
  std::string Section;
  std::string Picture;  // the key naming its picture
  // The keys of the four margins; "" where no key sets one.
  std::string Left, Top, Right, Bottom;
  TSkinRect Defaults;     // what the margin keys give when missing
  bool Vertical = false;  // frames stacked one above the other
};

// Checks one skin's values against its pictures, with the problems going to
// one list.
class TValidator {
public:
  TValidator(const TProfileIni& Ini, TSkinProblems& Problems) : FIni(Ini), FProblems(Problems) {}

  void Validate(TSkinValues& Values);

private:
  // The archive entry that Key of Section names ("" when none).
  std::string EntryOf(const std::string& Section, const std::string& Key) const {
    return SkinBitmapEntryName(FIni.ReadString(Section, Key, ""));
  }

  // Count frames of Picture, stacked when Vertical. A count below 1 takes
  // Default (when there is one: Default >= 1); a count that leaves frames
  // of no pixel refuses the skin. Returns the frame size, or nothing when
  // refused or without a picture.
  std::optional<TFrameSize> CheckFrames(const std::string& Section, const std::string& Key,
                                        const std::string& Entry, int32_t& Count,
                                        const TDibImage& Picture, bool Vertical, int32_t Default);
  // Margins against a frame of Frame's size (or, without a picture, the
  // offset range): a pair that does not fit takes its defaults, or 0 when
  // those do not fit either.
  void CheckMargins(const TElementKeys& Keys, const std::string& Entry, TSkinRect& Margins,
                    const std::optional<TFrameSize>& Frame);
  // One pair of margins along an axis Size pixels long (0: no picture).
  void CheckPair(const TElementKeys& Keys, const std::string& FirstKey,
                 const std::string& SecondKey, const std::string& Entry, int32_t& First,
                 int32_t& Second, int32_t FirstDefault, int32_t SecondDefault, int Size,
                 const char* Along);
  // An offset in a window: beyond +-MaxOffset it takes Default.
  void CheckOffset(const std::string& Section, const std::string& Key, int32_t& Value,
                   int32_t Default);
  // An element read by ReadElement (or like it) with Count fixed by the
  // description's rules, or read from CountKey.
  void CheckElement(const TElementKeys& Keys, TSkinElement& Element, const std::string& CountKey,
                    int32_t CountDefault);

  void CheckBorders(TSkinValues& Values);
  void CheckSysButtons(TSkinValues& Values);
  void CheckButton(TSkinButtonElement& Button);
  void CheckTitle(TSkinTitleElement& Title);

  const TProfileIni& FIni;
  TSkinProblems& FProblems;
};

std::optional<TFrameSize> TValidator::CheckFrames(const std::string& Section,
                                                  const std::string& Key, const std::string& Entry,
                                                  int32_t& Count, const TDibImage& Picture,
                                                  bool Vertical, int32_t Default) {
  if (Count < 1 && Default >= 1) {
    FProblems.Add(
        TSkinVerdict::Clamped, Section, Key, Entry,
        Str(Count) + " frames: a picture has at least 1; the default " + Str(Default) + " is used");
    Count = Default;
  }
  if (Picture.Width <= 0 || Picture.Height <= 0) return std::nullopt;
  const int side = Vertical ? Picture.Height : Picture.Width;
  const char* along = Vertical ? "high" : "wide";
  if (Count < 1 || Count > side) {
    FProblems.Add(TSkinVerdict::Refused, Section, Key, Entry,
                  Str(Count) + " frames in a picture " + Str(side) + " pixels " + along +
                      " leave frames of no pixel");
    return std::nullopt;
  }
  if (side % Count != 0)
    FProblems.Add(TSkinVerdict::Noted, Section, Key, Entry,
                  Str(Count) + " frames do not divide the picture's " + Str(side) + " pixels " +
                      along + ": the last " + Str(side % Count) + " are never shown");
  return Vertical ? TFrameSize{Picture.Width, Picture.Height / Count}
                  : TFrameSize{Picture.Width / Count, Picture.Height};
}

void TValidator::CheckPair(const TElementKeys& Keys, const std::string& FirstKey,
                           const std::string& SecondKey, const std::string& Entry, int32_t& First,
                           int32_t& Second, int32_t FirstDefault, int32_t SecondDefault, int Size,
                           const char* Along) {
  // A pair fits in Size, or (without a picture) lies within the offset range.
  auto fits = [&](int64_t a, int64_t b) {
    if (a < 0 || b < 0) return false;
    return Size > 0 ? a + b <= Size : a <= MaxOffset && b <= MaxOffset;
  };
  if (fits(First, Second)) return;
  const bool defaultsFit = fits(FirstDefault, SecondDefault);
  const int32_t a = defaultsFit ? FirstDefault : 0, b = defaultsFit ? SecondDefault : 0;
  const std::string keys = FirstKey.empty()    ? SecondKey
                           : SecondKey.empty() ? FirstKey
                                               : FirstKey + ", " + SecondKey;
  const std::string room =
      Size > 0 ? "a frame " + Str(Size) + " pixels " + Along : "0 to " + Str(MaxOffset) + " pixels";
  FProblems.Add(TSkinVerdict::Clamped, Keys.Section, keys, Entry,
                "edges of " + Str(First) + " and " + Str(Second) + " pixels do not fit in " + room +
                    "; " + Str(a) + " and " + Str(b) + " are used");
  First = a;
  Second = b;
}

void TValidator::CheckMargins(const TElementKeys& Keys, const std::string& Entry,
                              TSkinRect& Margins, const std::optional<TFrameSize>& Frame) {
  if (!Keys.Left.empty() || !Keys.Right.empty())
    CheckPair(Keys, Keys.Left, Keys.Right, Entry, Margins.left, Margins.right, Keys.Defaults.left,
              Keys.Defaults.right, Frame ? Frame->W : 0, "wide");
  if (!Keys.Top.empty() || !Keys.Bottom.empty())
    CheckPair(Keys, Keys.Top, Keys.Bottom, Entry, Margins.top, Margins.bottom, Keys.Defaults.top,
              Keys.Defaults.bottom, Frame ? Frame->H : 0, "high");
}

void TValidator::CheckOffset(const std::string& Section, const std::string& Key, int32_t& Value,
                             int32_t Default) {
  if (Value >= -MaxOffset && Value <= MaxOffset) return;
  FProblems.Add(TSkinVerdict::Clamped, Section, Key, "",
                Str(Value) + " lies beyond +-" + Str(MaxOffset) + " pixels; the default " +
                    Str(Default) + " is used");
  Value = Default;
}

void TValidator::CheckElement(const TElementKeys& Keys, TSkinElement& Element,
                              const std::string& CountKey, int32_t CountDefault) {
  const std::string entry = EntryOf(Keys.Section, Keys.Picture);
  const std::optional<TFrameSize> frame =
      CheckFrames(Keys.Section, CountKey.empty() ? Keys.Picture : CountKey, entry,
                  Element.FrameCount, Element.Bitmap, Keys.Vertical, CountDefault);
  if (!frame && Element.Bitmap.Width > 0 && Element.Bitmap.Height > 0) return;  // refused
  CheckMargins(Keys, entry, Element.Margins, frame);
}

// Side borders are measured across, the top and bottom down.
void TValidator::CheckBorders(TSkinValues& Values) {
  for (int i = 1; i <= 4; ++i) {
    TSkinBorderElement& border = Values.Borders[size_t(i)];
    const std::string name = SkinBorderNames[i];
    const bool across = i <= 2;
    TElementKeys keys{"Personality", name, "", "", "", "", {}, !across};
    (across ? keys.Top : keys.Left) = name + "TopHeight";
    (across ? keys.Bottom : keys.Right) = name + "BotHeight";
    const std::string entry = EntryOf(keys.Section, name);
    const std::optional<TFrameSize> frame = CheckFrames(
        keys.Section, name + "Frame", entry, border.FrameCount, border.Bitmap, !across, 1);
    if (frame) {
      const int thickness = across ? frame->W : frame->H;
      if (thickness > MaxBorderSize) {
        FProblems.Add(TSkinVerdict::Refused, keys.Section, name, entry,
                      std::string(i == 3 ? "a title " : "a border ") + Str(thickness) +
                          " pixels thick; at most " + Str(MaxBorderSize));
        continue;
      }
    } else if (border.Bitmap.Width > 0 && border.Bitmap.Height > 0) {
      continue;  // refused
    }
    CheckMargins(keys, entry, border.Margins, frame);
  }
}

// The description's buttons are the sections the reader took, in file order.
void TValidator::CheckSysButtons(TSkinValues& Values) {
  std::vector<std::string> sections;
  for (const std::string& section : FIni.SectionNames())
    if (IsSysButtonSection(section)) sections.push_back(section);
  // The three MDI child buttons follow the description's (the reader checks those).
  const size_t count = std::min(sections.size(), Values.SysButtons.size());
  for (size_t i = 0; i < count; ++i) {
    TSkinSysButtonElement& button = Values.SysButtons[i];
    const std::string& section = sections[i];
    const std::string entry = EntryOf(section, "ButtonImage");
    if (button.FrameCount < 1) {
      // As if no count were given: derived from the picture.
      const int32_t derived =
          SysButtonFrameCount(button.Bitmap.Width, button.Bitmap.Height, button.Action);
      FProblems.Add(TSkinVerdict::Clamped, section, "frame", entry,
                    Str(button.FrameCount) + " frames: a picture has at least 1; " + Str(derived) +
                        " are taken from its size, as without the key");
      button.FrameCount = derived;
      if (button.Action == 3 || button.Action == 11) button.Bitmap = TDibImage{};
    }
    CheckFrames(section, "frame", entry, button.FrameCount, button.Bitmap, false, 0);
    CheckOffset(section, "Xcoord", button.XCoord, 0);
    CheckOffset(section, "Ycoord", button.YCoord, 0);
  }
}

// The push button's strip, then the check box and radio button strips,
// whose counts come from their pictures when not given.
void TValidator::CheckButton(TSkinButtonElement& Button) {
  const TElementKeys keys{"Buttons",    "Bitmap",       "LeftWidth", "TopHeight",
                          "RightWidth", "BottomHeight", {},          false};
  CheckElement(keys, Button, "", 0);
  struct TToggle {
    const char* Picture;
    const char* CountKey;
    int32_t& Count;
    TDibImage& Bitmap;
  };
  for (TToggle t :
       {TToggle{"CheckButton", "CheckButtonFrame", Button.CheckFrameCount, Button.CheckBitmap},
        TToggle{"RadioButton", "RadioButtonFrame", Button.RadioFrameCount, Button.RadioBitmap}}) {
    const std::string entry = EntryOf("Buttons", t.Picture);
    if (t.Count < 1) {
      const int32_t derived = ToggleFrameCount(t.Bitmap.Width, t.Bitmap.Height);
      FProblems.Add(TSkinVerdict::Clamped, "Buttons", t.CountKey, entry,
                    Str(t.Count) + " frames: a picture has at least 1; " + Str(derived) +
                        " are taken from its size, as without the key");
      t.Count = derived;
    }
    CheckFrames("Buttons", t.CountKey, entry, t.Count, t.Bitmap, false, 0);
  }
}

// The text back holds two frames stacked; its ends are TXTBackleft and
// TXTBackRight wide. The shifts and the clip are offsets in the title.
void TValidator::CheckTitle(TSkinTitleElement& Title) {
  const std::string section = "Personality";
  const TElementKeys keys{section, "TextBack", "TXTBackleft", "", "TXTBackRight", "", {}, true};
  const std::string entry = EntryOf(section, "TextBack");
  int32_t count = Title.FrameCount;
  const std::optional<TFrameSize> frame =
      CheckFrames(section, "TextBack", entry, count, Title.Bitmap, true, 0);
  if (!frame && Title.Bitmap.Width > 0 && Title.Bitmap.Height > 0) return;  // refused
  TSkinRect ends{Title.TextBackLeft, 0, Title.TextBackRight, 0};
  CheckMargins(keys, entry, ends, frame);
  Title.TextBackLeft = ends.left;
  Title.TextBackRight = ends.right;
  CheckOffset(section, "TextShift", Title.Margins.left, 0);
  CheckOffset(section, "TextShiftVert", Title.Margins.top, 0);
  CheckOffset(section, "TextRightClip", Title.Margins.right, 0);
}

// Every element in the order the description is read.
void TValidator::Validate(TSkinValues& Values) {
  CheckBorders(Values);
  CheckSysButtons(Values);
  CheckButton(Values.Button);
  CheckTitle(Values.Title);
  // An optional element of the generic kind, its picture under ImageKey.
  auto element = [&](std::unique_ptr<TSkinElement>& Element, const char* Section,
                     const char* ImageKey = "Image", const std::string& CountKey = "",
                     int32_t CountDefault = 0) {
    if (!Element) return;
    const TElementKeys keys{Section,      ImageKey,       "LeftWidth", "TopHeight",
                            "RightWidth", "BottomHeight", {},          false};
    CheckElement(keys, *Element, CountKey, CountDefault);
  };
  element(Values.Progress, "Progress", "Bitmap");
  if (Values.MenuBar) {
    const TElementKeys keys{"Personality",   "menuBar", "TileLeftMenu",        "",
                            "TileRightMenu", "",        TSkinRect{1, 0, 1, 0}, true};
    CheckElement(keys, *Values.MenuBar, "", 0);
  }
  element(Values.GroupBoxEdge, "GroupBoxEdge");
  element(Values.Toolbars, "Toolbars");
  if (Values.Tabs) {
    const TElementKeys keys{"Tabs",       "Image",        "LeftWidth", "TopHeight",
                            "RightWidth", "BottomHeight", {},          false};
    CheckElement(keys, *Values.Tabs, "", 0);
  }
  element(Values.StatusBarEdges, "StatusBarEdges");
  element(Values.ComboButton, "ComboButton");
  element(Values.SunkEdge, "SunkEdge");
  element(Values.ExtraImages, "ExtraImages");
  element(Values.Headerbar, "Headerbar");
  element(Values.MenuItem, "MenuItem");
  element(Values.MenuBackground, "MenuBackground");
  element(Values.Scrollbar, "Scrollbar");
  element(Values.HorzScroll, "HorzScroll");
  element(Values.VertScroll, "VertScroll");
  element(Values.HorzScrollThumb, "HorzScrollThumb", "Image", "FrameCount", 3);
  element(Values.VertScrollThumb, "VertScrollThumb", "Image", "FrameCount", 3);
}

}  // namespace

void ValidateSkinValues(const TProfileIni& Ini, TSkinValues& Values, TSkinProblems& Problems) {
  TValidator(Ini, Problems).Validate(Values);
}

// ---------------------------------------------------------------------------
// The description

namespace {

// How the engine reads a key.
enum class TKeyKind { Text, Integer, Picture, Colour, Unread };

struct TKeyRule {
  std::string Name;
  TKeyKind Kind;
};

// The keys of an element read with ReadElement.
const TKeyRule ElementKeys[] = {
    {"Image", TKeyKind::Picture},
    {"LeftWidth", TKeyKind::Integer},
    {"RightWidth", TKeyKind::Integer},
    {"TopHeight", TKeyKind::Integer},
    {"BottomHeight", TKeyKind::Integer},
    {"Trans", TKeyKind::Integer},
    {"Tile", TKeyKind::Integer},
    {"NormalColour", TKeyKind::Integer},
    {"MouseOverColour", TKeyKind::Integer},
    {"PressedColour", TKeyKind::Integer},
    {"NormalColour2", TKeyKind::Colour},
    {"MouseOverColour2", TKeyKind::Colour},
    {"PressedColour2", TKeyKind::Colour},
};

const char* const ElementSections[] = {
    "GroupBoxEdge", "Toolbars",    "Tabs",       "StatusBarEdges",  "ComboButton",
    "SunkEdge",     "ExtraImages", "Headerbar",  "MenuItem",        "MenuBackground",
    "Scrollbar",    "HorzScroll",  "VertScroll", "HorzScrollThumb", "VertScrollThumb"};

// Sections that typical descriptions carry and the engine leaves alone.
const char* const UnreadSections[] = {"Text",  "Taskbar",      "StartButton",
                                      "Skins", "Button.Radio", "Button.Checkbox"};

// Keys that typical descriptions carry and the engine does not read.
const char* const UnreadPersonalityKeys[] = {"UsesTran",
                                             "ButtonCount",
                                             "TextOnBottom",
                                             "MenuLeftTile",
                                             "MenuR",
                                             "MenuG",
                                             "MenuB",
                                             "TripleImages",
                                             "AniRate",
                                             "ExplorerBmp",
                                             "DialogBmp",
                                             "MDIBmp",
                                             "MenuBorders",
                                             "MaxBorderCutLeft",
                                             "MaxBorderCutTop",
                                             "MaxBorderCutRight",
                                             "MaxBorderCutBottom",
                                             "SoundEnabled",
                                             "RollUpSize",
                                             "RightClickAction"};

const char* const ColourKeys[] = {
    "WindowText",  "ButtonFace",   "Scrollbar",      "HilightText", "Hilight",
    "Menubar",     "Menu",         "MenuText",       "ButtonText",  "ButtonHilight",
    "Buttonlight", "ButtonShadow", "ButtonDkShadow", "MenuBarText", "TitleTextActive"};

// ASCII letters folded, as section and key names match.
std::string Folded(const std::string& Name) {
  std::string folded = Name;
  for (char& c : folded)
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
  return folded;
}

bool SameName(const std::string& A, const std::string& B) { return Folded(A) == Folded(B); }

// The keys that the engine reads from Section (nothing when it reads no
// key there, an empty list when it reads none but knows the section).
std::optional<std::vector<TKeyRule>> KeysOf(const std::string& Section) {
  std::vector<TKeyRule> rules;
  auto add = [&](std::initializer_list<TKeyRule> more) {
    rules.insert(rules.end(), more.begin(), more.end());
  };
  auto unread = [&](std::initializer_list<const char*> names) {
    for (const char* name : names) rules.push_back({name, TKeyKind::Unread});
  };
  if (SameName(Section, "TitlebarSkin")) {
    add({{"SkinName", TKeyKind::Text}});
    unread({"SkinAuthor", "AuthorEmail"});
  } else if (SameName(Section, "Personality")) {
    for (int i = 1; i <= 4; ++i) {
      const std::string name = SkinBorderNames[i];
      rules.push_back({name, TKeyKind::Picture});
      for (const char* suffix : {"TopHeight", "BotHeight", "Frame", "Stretch", "Trans"})
        rules.push_back({name + suffix, TKeyKind::Integer});
    }
    add({{"menuBar", TKeyKind::Picture},
         {"TileMenu", TKeyKind::Integer},
         {"TileLeftMenu", TKeyKind::Integer},
         {"TileRightMenu", TKeyKind::Integer},
         {"TextBack", TKeyKind::Picture},
         {"TextShift", TKeyKind::Integer},
         {"TextShiftVert", TKeyKind::Integer},
         {"TextRightClip", TKeyKind::Integer},
         {"TextAlignment", TKeyKind::Integer},
         {"Textbackground", TKeyKind::Integer},
         {"TXTBackleft", TKeyKind::Integer},
         {"TXTBackRight", TKeyKind::Integer}});
    for (const char* prefix : {"ActiveText", "InActiveText"})
      for (const char* c : {"R", "G", "B"})
        rules.push_back({std::string(prefix) + c, TKeyKind::Integer});
    for (const char* name : UnreadPersonalityKeys) rules.push_back({name, TKeyKind::Unread});
  } else if (SameName(Section, "Fonts")) {
    add({{"FontHeight", TKeyKind::Integer}});
  } else if (SameName(Section, "Buttons")) {
    add({{"LeftWidth", TKeyKind::Integer},
         {"RightWidth", TKeyKind::Integer},
         {"TopHeight", TKeyKind::Integer},
         {"BottomHeight", TKeyKind::Integer},
         {"Trans", TKeyKind::Integer},
         {"Bitmap", TKeyKind::Picture},
         {"CheckButton", TKeyKind::Picture},
         {"RadioButton", TKeyKind::Picture},
         {"NormalColour", TKeyKind::Integer},
         {"MouseOverColour", TKeyKind::Integer},
         {"PressedColour", TKeyKind::Integer},
         {"RadioButtonFrame", TKeyKind::Integer},
         {"CheckButtonFrame", TKeyKind::Integer},
         {"NormalColour2", TKeyKind::Colour},
         {"MouseOverColour2", TKeyKind::Colour},
         {"PressedColour2", TKeyKind::Colour}});
    unread({"MouseOver", "Tile"});
  } else if (SameName(Section, "Colours")) {
    for (const char* name : ColourKeys) rules.push_back({name, TKeyKind::Colour});
  } else if (IsColourListSection(Section)) {
    add({{"color", TKeyKind::Colour}});
  } else if (SameName(Section, "MDICONTROLS")) {
    add({{"Image", TKeyKind::Picture}});
  } else if (SameName(Section, "Progress")) {
    add({{"Bitmap", TKeyKind::Picture},
         {"LeftWidth", TKeyKind::Integer},
         {"RightWidth", TKeyKind::Integer},
         {"TopHeight", TKeyKind::Integer},
         {"BottomHeight", TKeyKind::Integer},
         {"Trans", TKeyKind::Integer},
         {"Tile", TKeyKind::Integer}});
  } else if (std::any_of(std::begin(UnreadSections), std::end(UnreadSections),
                         [&](const char* s) { return SameName(Section, s); })) {
    return std::nullopt;
  } else if (IsSysButtonSection(Section)) {
    add({{"Action", TKeyKind::Integer},
         {"Align", TKeyKind::Integer},
         {"Xcoord", TKeyKind::Integer},
         {"Ycoord", TKeyKind::Integer},
         {"Visibility", TKeyKind::Integer},
         {"Visibility1", TKeyKind::Integer},
         {"CombineOp", TKeyKind::Integer},
         {"frame", TKeyKind::Integer},
         {"ButtonImage", TKeyKind::Picture}});
  } else if (std::any_of(std::begin(ElementSections), std::end(ElementSections),
                         [&](const char* s) { return SameName(Section, s); })) {
    rules.assign(std::begin(ElementKeys), std::end(ElementKeys));
    if (SameName(Section, "Tabs")) add({{"Border", TKeyKind::Picture}});
    if (SameName(Section, "HorzScrollThumb") || SameName(Section, "VertScrollThumb")) {
      add({{"FrameCount", TKeyKind::Integer}});
      unread({"ShowDot"});
    }
    if (SameName(Section, "Scrollbar")) unread({"MouseOver"});
  } else {
    return std::nullopt;
  }
  return rules;
}

// True for sections the engine knows, read or not.
bool KnownSection(const std::string& Section) {
  return KeysOf(Section).has_value() ||
         std::any_of(std::begin(UnreadSections), std::end(UnreadSections),
                     [&](const char* s) { return SameName(Section, s); });
}

// A line that authors mean as a comment: it never matches a key the engine
// reads.
bool IsComment(const std::string& Key) { return !Key.empty() && Key[0] == ';'; }

// The numbers in a colour text, as a reader would see them.
std::vector<std::string> NumbersIn(const std::string& Text) {
  std::vector<std::string> numbers;
  std::string token;
  for (char c : Text + " ") {
    if (c >= '0' && c <= '9') {
      token += c;
    } else if (!token.empty()) {
      numbers.push_back(token);
      token.clear();
    }
  }
  return numbers;
}

// Checks one picture value: its entry must exist and be a picture.
void LintPicture(TSkinReader& Reader, const std::string& Section, const std::string& Key,
                 const std::string& Value, TSkinProblems& Problems) {
  if (Value.empty()) return;
  const std::string entry = SkinBitmapEntryName(Value);
  const size_t separator = Value.find_last_of("\\:");
  const std::string fileName = separator == std::string::npos ? Value : Value.substr(separator + 1);
  if (entry.empty()) {
    Problems.Add(
        TSkinVerdict::Noted, Section, Key, "",
        "\"" + Value + "\" names no picture: the file name must end in \".bmp\" (lower case)");
    return;
  }
  const auto [bytes, size] = Reader.EntryBytes(entry);
  if (size == 0) {
    std::string text = "missing picture: the archive has no entry \"" + AnsiLowerCase(entry) + "\"";
    if (fileName.find('/') != std::string::npos)
      text += " (a forward slash is no folder separator: use \"\\\")";
    Problems.Add(TSkinVerdict::Noted, Section, Key, AnsiLowerCase(entry), text);
    return;
  }
  if (!DecodeBmp(bytes, size))
    Problems.Add(TSkinVerdict::Noted, Section, Key, AnsiLowerCase(entry),
                 "not a picture the engine reads (a damaged or unsupported .bmp file, or one "
                 "beyond " +
                     Str(kMaxBitmapSide) + " pixels a side or " + Str(kMaxBitmapPixels) +
                     " pixels)");
}

}  // namespace

void LintSkinDescription(const TProfileIni& Ini, TSkinReader& Reader, TSkinProblems& Problems) {
  std::set<std::string> sectionsSeen;
  for (const TProfileIni::TSectionOutline& section : Ini.Outline()) {
    if (section.Name.empty()) {
      for (const std::string& key : section.Keys)
        if (!IsComment(key))
          Problems.Add(TSkinVerdict::Noted, "", key, "",
                       "a key before the first section is never read");
      continue;
    }
    if (!sectionsSeen.insert(Folded(section.Name)).second) {
      Problems.Add(TSkinVerdict::Noted, section.Name, "", "",
                   IsSysButtonSection(section.Name)
                       ? "given again: it makes one more title-bar button, read from the first "
                         "section of this name"
                       : "given again: only the first section of this name is read");
      continue;
    }
    const std::optional<std::vector<TKeyRule>> rules = KeysOf(section.Name);
    if (!rules) {
      if (!KnownSection(section.Name))
        Problems.Add(TSkinVerdict::Noted, section.Name, "", "",
                     "the engine reads no section of this name (a typo?)");
      continue;
    }
    std::set<std::string> keysSeen;
    for (const std::string& key : section.Keys) {
      if (IsComment(key)) continue;
      if (!keysSeen.insert(Folded(key)).second) {
        Problems.Add(TSkinVerdict::Noted, section.Name, key, "",
                     "given again: only the first is read");
        continue;
      }
      const auto rule = std::find_if(rules->begin(), rules->end(),
                                     [&](const TKeyRule& r) { return SameName(key, r.Name); });
      if (rule == rules->end()) {
        Problems.Add(TSkinVerdict::Noted, section.Name, key, "",
                     "the engine reads no key of this name here (a typo?)");
        continue;
      }
      const std::string value = Ini.ReadString(section.Name, key, "");
      switch (rule->Kind) {
        case TKeyKind::Picture: LintPicture(Reader, section.Name, key, value, Problems); break;
        case TKeyKind::Integer:
          if (!value.empty() && !ParseProfileInteger(value))
            Problems.Add(TSkinVerdict::Noted, section.Name, key, "",
                         "\"" + value + "\" is not a whole number: the key's default is used");
          break;
        case TKeyKind::Colour: {
          const std::vector<std::string> numbers = NumbersIn(value);
          const TSkinColour read = ParseSkinColour(value);
          int32_t given[3] = {0, 0, 0};
          for (size_t i = 0; i < numbers.size() && i < 3; ++i) TryStrToInt(numbers[i], given[i]);
          if (!value.empty() &&
              (numbers.size() != 3 || read != SkinRGB(given[0], given[1], given[2])))
            Problems.Add(TSkinVerdict::Noted, section.Name, key, "",
                         "\"" + value + "\" reads as red " + Str(read & 0xFF) + ", green " +
                             Str(read >> 8 & 0xFF) + ", blue " + Str(read >> 16 & 0xFF) +
                             ": give three numbers with one blank between them");
          break;
        }
        case TKeyKind::Text:
        case TKeyKind::Unread: break;
      }
    }
  }
}
