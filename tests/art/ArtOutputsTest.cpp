// The generated artwork in the build's assets folder: the sponsor picture,
// the icon, the skin's entries and description, and the packed skin.
#include "BitmapFile.h"
#include "SkinArt.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <cstdint>
#include <fstream>
#include <map>
#include <sstream>
#include <string>
#include <vector>

using namespace art;

namespace {

const std::string kAssets = QUORVEL_ASSETS_DIR;

// Little-endian integer of `bytes` bytes at an offset.
uint32_t le(const std::vector<uint8_t>& data, size_t offset, int bytes) {
  uint32_t value = 0;
  for (int i = 0; i < bytes; ++i) value |= uint32_t(data.at(offset + i)) << (8 * i);
  return value;
}

// One entry of the stored skin: name, file size, and picture size and depth.
struct ExpectedEntry {
  const char* name;
  uint32_t bytes;
  int width, height, bpp;
};

// The archive's entries in order; the description has no picture.
const ExpectedEntry kEntries[] = {
    {"top.bmp", 12958, 179, 66, 8},
    {"bottom.bmp", 950, 57, 26, 4},
    {"left.bmp", 2238, 20, 58, 8},
    {"right.bmp", 2422, 24, 56, 8},
    {"menu.bmp", 3670, 70, 36, 8},
    {"dialog.bmp", 23878, 150, 150, 8},
    {"button.bmp", 25974, 360, 24, 24},
    {"checkbox.bmp", 1782, 48, 12, 24},
    {"radio.bmp", 1782, 48, 12, 24},
    {"progress.bmp", 7178, 182, 13, 24},
    {"tabborder.bmp", 2518, 29, 28, 24},
    {"tabs.bmp", 18270, 275, 22, 24},
    {"scrollhz.bmp", 3126, 64, 16, 24},
    {"scrollvt.bmp", 3126, 64, 16, 24},
    {"scrollhb.bmp", 2358, 48, 16, 24},
    {"scrollvb.bmp", 2358, 48, 16, 24},
    {"toolbar.bmp", 18270, 275, 22, 24},
    {"min.bmp", 2278, 57, 20, 8},
    {"max.bmp", 2278, 57, 20, 8},
    {"close.bmp", 2278, 57, 20, 8},
    {"restore.bmp", 2278, 57, 20, 8},
    {"saffrell.ini", 4025, 0, 0, 0},
    {"ap-combo-arrows.bmp", 3896, 80, 16, 24},
    {"ap-combo.bmp", 4592, 72, 21, 24},
    {"ap-sunkedge.bmp", 30416, 460, 22, 24},
    {"qelto_mdib.bmp", 8154, 180, 15, 24},
};

// Pictures drawn without transparency, where a magenta pixel would show as magenta.
const char* const kOpaquePictures[] = {
    "left.bmp",    "right.bmp",    "bottom.bmp",   "menu.bmp",        "dialog.bmp", "tabborder.bmp",
    "toolbar.bmp", "scrollhz.bmp", "scrollvt.bmp", "ap-sunkedge.bmp", "top.bmp"};

// Pictures whose first frame has transparent (magenta) corners.
const char* const kKeyedPictures[] = {"button.bmp",          "checkbox.bmp",  "radio.bmp",
                                      "progress.bmp",        "tabs.bmp",      "scrollhb.bmp",
                                      "scrollvb.bmp",        "min.bmp",       "max.bmp",
                                      "close.bmp",           "restore.bmp",   "ap-combo.bmp",
                                      "ap-combo-arrows.bmp", "qelto_mdib.bmp"};

// A decoded skin picture from the assets folder.
Image skinPicture(const std::string& name) {
  Image img;
  EXPECT_TRUE(decodeBitmap(readFile(kAssets + "/skin/" + name), img)) << name;
  return img;
}

// Upper-cased copy of a text.
std::string upper(std::string s) {
  std::transform(s.begin(), s.end(), s.begin(),
                 [](unsigned char c) { return char(std::toupper(c)); });
  return s;
}

// The description read like the profile functions read it: names without
// regard to case, the first section and the first key of a name win.
class Description {
public:
  explicit Description(const std::string& text) {
    std::istringstream lines(text);
    std::string line;
    std::string section;
    while (std::getline(lines, line)) {
      if (!line.empty() && line.back() == '\r') line.pop_back();
      if (line.size() >= 2 && line.front() == '[' && line.back() == ']') {
        section = upper(line.substr(1, line.size() - 2));
        if (std::find(order_.begin(), order_.end(), section) == order_.end())
          order_.push_back(section);
        else
          section = "\x01duplicate";
        continue;
      }
      size_t eq = line.find('=');
      if (eq == std::string::npos || section.empty()) continue;
      values_[section].emplace(upper(line.substr(0, eq)), line.substr(eq + 1));
    }
  }
  // Whether the key exists.
  bool has(const std::string& section, const std::string& key) const {
    auto s = values_.find(upper(section));
    return s != values_.end() && s->second.count(upper(key)) > 0;
  }
  // The value of a key, or `fallback` when it is missing.
  std::string text(const std::string& section, const std::string& key,
                   const std::string& fallback = "") const {
    return has(section, key) ? values_.at(upper(section)).at(upper(key)) : fallback;
  }
  // The value of a key as an integer, or `fallback`.
  int number(const std::string& section, const std::string& key, int fallback) const {
    return has(section, key) ? std::stoi(text(section, key)) : fallback;
  }
  // Upper-cased section names in file order.
  const std::vector<std::string>& sections() const { return order_; }

private:
  std::vector<std::string> order_;
  std::map<std::string, std::map<std::string, std::string>> values_;
};

// The stored description.
Description storedDescription() {
  std::vector<uint8_t> bytes = readFile(kAssets + "/skin/saffrell.ini");
  return Description(std::string(bytes.begin(), bytes.end()));
}

// The entry an image value names: the text after the last backslash or
// colon, when its extension is exactly ".bmp"; empty otherwise.
std::string entryOf(const std::string& value) {
  size_t cut = value.find_last_of("\\:");
  std::string name = cut == std::string::npos ? value : value.substr(cut + 1);
  if (name.size() < 4 || name.compare(name.size() - 4, 4, ".bmp") != 0) return "";
  std::transform(name.begin(), name.end(), name.begin(),
                 [](unsigned char c) { return char(std::tolower(c)); });
  for (const ExpectedEntry& e : kEntries)
    if (name == e.name) return name;
  return "";
}

// Size of a named picture in the table.
const ExpectedEntry& entry(const std::string& name) {
  for (const ExpectedEntry& e : kEntries)
    if (name == e.name) return e;
  throw std::runtime_error("no entry " + name);
}

// The colour syntax of the description: numbers separated by single blanks.
uint32_t colour(const std::string& text) {
  std::istringstream in(text);
  int r = -1, g = -1, b = -1;
  in >> r >> g >> b;
  EXPECT_TRUE(r >= 0 && g >= 0 && b >= 0 && text.find(',') == std::string::npos) << text;
  return uint32_t(r) | uint32_t(g) << 8 | uint32_t(b) << 16;
}

}  // namespace

TEST(SponsorPicture, IsAnUncompressedBottomUp24BitBitmapOf600By450) {
  std::vector<uint8_t> file = readFile(kAssets + "/sponsor.bmp");
  ASSERT_EQ(file.size(), 810054u);
  EXPECT_EQ(file[0], 'B');
  EXPECT_EQ(file[1], 'M');
  EXPECT_EQ(le(file, 10, 4), 54u);
  EXPECT_EQ(le(file, 18, 4), 600u);
  EXPECT_EQ(le(file, 22, 4), 450u);
  EXPECT_EQ(le(file, 28, 2), 24u);
  EXPECT_EQ(le(file, 30, 4), 0u);
  EXPECT_EQ(le(file, 38, 4), 2834u);
  EXPECT_EQ(le(file, 42, 4), 2834u);

  // Under the close button (504..593, 424..449) lies only the hill: no
  // sharp edges of text or drawings, just a smooth gradient.
  Image img;
  ASSERT_TRUE(decodeBitmap(file, img));
  for (int y = 424; y < 450; ++y)
    for (int x = 505; x < 594; ++x) {
      const Pixel& a = img.at(x, y);
      const Pixel& b = img.at(x - 1, y);
      ASSERT_LE(std::abs(a.g - b.g) + std::abs(a.r - b.r) + std::abs(a.b - b.b), 6)
          << x << "," << y;
    }
}

TEST(Icon, HoldsTwelveImagesInFourSizesAndThreeDepths) {
  std::vector<uint8_t> ico = readFile(kAssets + "/quorvel.ico");
  ASSERT_GE(ico.size(), 6u + 12 * 16);
  EXPECT_EQ(le(ico, 0, 2), 0u);
  EXPECT_EQ(le(ico, 2, 2), 1u);
  ASSERT_EQ(le(ico, 4, 2), 12u);
  std::map<std::pair<int, int>, int> seen;
  size_t end = 6 + 12 * 16;
  for (int i = 0; i < 12; ++i) {
    size_t at = 6 + 16 * size_t(i);
    int size = ico[at], bpp = int(le(ico, at + 6, 2));
    uint32_t bytes = le(ico, at + 8, 4), offset = le(ico, at + 12, 4);
    SCOPED_TRACE(std::to_string(size) + " px, " + std::to_string(bpp) + " bits");
    EXPECT_EQ(ico[at + 1], size);
    EXPECT_EQ(ico[at + 2], bpp == 4 ? 16 : 0);
    ++seen[{size, bpp}];
    ASSERT_LE(size_t(offset) + bytes, ico.size());
    EXPECT_EQ(offset, end);  // images follow each other without gaps
    end = size_t(offset) + bytes;
    // The image: header with doubled height, full palette, colour rows, AND mask.
    EXPECT_EQ(le(ico, offset, 4), 40u);
    EXPECT_EQ(le(ico, offset + 4, 4), uint32_t(size));
    EXPECT_EQ(le(ico, offset + 8, 4), uint32_t(2 * size));
    EXPECT_EQ(le(ico, offset + 14, 2), uint32_t(bpp));
    size_t palette = bpp == 32 ? 0 : 4u << bpp;
    EXPECT_EQ(bytes,
              40 + palette + size_t(bitmapRowBytes(size, bpp) + bitmapRowBytes(size, 1)) * size);
  }
  EXPECT_EQ(end, ico.size());
  for (int size : {48, 32, 24, 16})
    for (int bpp : {4, 8, 32})
      EXPECT_EQ((seen[{size, bpp}]), 1) << size << " px, " << bpp << " bits";
}

TEST(SkinFolder, HoldsTheArchiveEntriesInOrderWithTheirSizesAndDepths) {
  std::vector<uint8_t> list = readFile(kAssets + "/skin/entries.lst");
  std::istringstream lines(std::string(list.begin(), list.end()));
  std::vector<std::string> names;
  for (std::string line; std::getline(lines, line);)
    if (!line.empty()) names.push_back(line);
  ASSERT_EQ(names.size(), std::size(kEntries));
  for (size_t i = 0; i < names.size(); ++i) {
    const ExpectedEntry& e = kEntries[i];
    SCOPED_TRACE(e.name);
    EXPECT_EQ(names[i], e.name);
    std::vector<uint8_t> file = readFile(kAssets + "/skin/" + e.name);
    EXPECT_EQ(file.size(), e.bytes);
    if (e.bpp == 0) continue;
    ASSERT_GE(file.size(), 54u);
    EXPECT_EQ(le(file, 18, 4), uint32_t(e.width));
    EXPECT_EQ(le(file, 22, 4), uint32_t(e.height));
    EXPECT_EQ(le(file, 28, 2), uint32_t(e.bpp));
    EXPECT_EQ(le(file, 30, 4), 0u);
    EXPECT_EQ(le(file, 2, 4), e.bytes);
    Image img;
    EXPECT_TRUE(decodeBitmap(file, img));
  }
}

TEST(SkinFolder, MagentaIsExactWhereTransparentAndAbsentWhereNot) {
  for (const ExpectedEntry& e : kEntries) {
    if (e.bpp == 0) continue;
    Image img = skinPicture(e.name);
    SCOPED_TRACE(e.name);
    for (int y = 0; y < img.height(); ++y)
      for (int x = 0; x < img.width(); ++x) {
        const Pixel& p = img.at(x, y);
        bool nearMagenta = p.r >= 200 && p.g <= 64 && p.b >= 200;
        ASSERT_TRUE(!nearMagenta || p.rgb() == kMagenta)
            << "near-magenta pixel at " << x << "," << y;
      }
  }
  for (const char* name : kOpaquePictures) {
    Image img = skinPicture(name);
    for (int y = 0; y < img.height(); ++y)
      for (int x = 0; x < img.width(); ++x)
        ASSERT_NE(img.at(x, y).rgb(), kMagenta) << name << " at " << x << "," << y;
  }
  for (const char* name : kKeyedPictures)
    EXPECT_EQ(skinPicture(name).at(0, 0).rgb(), kMagenta) << name;
}

TEST(SkinFolder, EncodingKeepsTheTransparentPixelsOfEveryPicture) {
  // Palette reduction must neither lose nor invent a transparent pixel.
  for (const SkinPicture& source : skinPictures()) {
    Image stored = skinPicture(source.name);
    ASSERT_EQ(stored.width(), source.image.width()) << source.name;
    for (int y = 0; y < stored.height(); ++y)
      for (int x = 0; x < stored.width(); ++x)
        ASSERT_EQ(stored.at(x, y).rgb() == kMagenta, source.image.at(x, y).rgb() == kMagenta)
            << source.name << " at " << x << "," << y;
  }
}

TEST(SkinDescription, BordersAndCaptionMatchThePictures) {
  Description d = storedDescription();
  EXPECT_EQ(d.text("TitlebarSkin", "SkinName"), "Quorvel Steel");
  // Top: fixed parts 76 and 84, two frames, centre tiled, transparency by default.
  EXPECT_EQ(d.number("Personality", "TopTopHeight", 0), 76);
  EXPECT_EQ(d.number("Personality", "TopBotHeight", 0), 84);
  EXPECT_EQ(d.number("Personality", "TopFrame", 1), 2);
  EXPECT_EQ(d.number("Personality", "TopStretch", 1), 0);
  EXPECT_FALSE(d.has("Personality", "TopTrans"));
  // Left: fixed top 33 and bottom 13, opaque.
  EXPECT_EQ(d.number("Personality", "LeftTopHeight", 0), 33);
  EXPECT_EQ(d.number("Personality", "LeftBotHeight", 0), 13);
  EXPECT_EQ(d.number("Personality", "LeftTrans", 1), 0);

  // Frame metrics: picture size over frame count, consistent with the sides.
  auto frames = [&](const char* key) {
    return d.number("Personality", std::string(key) + "Frame", 1);
  };
  const ExpectedEntry& top = entry(entryOf(d.text("Personality", "Top")));
  const ExpectedEntry& left = entry(entryOf(d.text("Personality", "Left")));
  const ExpectedEntry& right = entry(entryOf(d.text("Personality", "Right")));
  const ExpectedEntry& bottom = entry(entryOf(d.text("Personality", "Bottom")));
  EXPECT_EQ(top.height % frames("Top"), 0);
  EXPECT_EQ(top.height / frames("Top"), kTitleHeight);
  EXPECT_EQ(left.width / frames("Left"), kBorderLeft);
  EXPECT_EQ(right.width / frames("Right"), kBorderRight);
  EXPECT_EQ(bottom.height / frames("Bottom"), kBorderBottom);
  EXPECT_EQ(d.number("Personality", "LeftTopHeight", 0), kTitleHeight);
  EXPECT_EQ(d.number("Personality", "RightTopHeight", 0), kTitleHeight);
  EXPECT_EQ(d.number("Personality", "LeftBotHeight", 0), kBorderBottom);
  EXPECT_EQ(d.number("Personality", "RightBotHeight", 0), kBorderBottom);
  EXPECT_LT(d.number("Personality", "TopTopHeight", 0) + d.number("Personality", "TopBotHeight", 0),
            top.width);
  EXPECT_LT(
      d.number("Personality", "BottomTopHeight", 0) + d.number("Personality", "BottomBotHeight", 0),
      bottom.width);

  // Menu bar: an image of two stacked frames; its tiling keys are left to their defaults.
  EXPECT_EQ(entry(entryOf(d.text("Personality", "menuBar"))).height % 2, 0);
  for (const char* key : {"TileMenu", "TileLeftMenu", "TileRightMenu"})
    EXPECT_FALSE(d.has("Personality", key)) << key;
}

TEST(SkinDescription, CaptionButtonsAreFiveSectionsWithThreeFrameImages) {
  Description d = storedDescription();
  std::vector<std::string> buttons;
  for (const std::string& s : d.sections())
    if (s.rfind("BUTTON", 0) == 0 && s != "BUTTONS" && s != "BUTTON.RADIO" &&
        s != "BUTTON.CHECKBOX")
      buttons.push_back(s);
  ASSERT_EQ(buttons,
            (std::vector<std::string>{"BUTTON0", "BUTTON1", "BUTTON2", "BUTTON3", "BUTTON4"}));
  for (int i = 0; i < 4; ++i) {
    std::string section = "Button" + std::to_string(i);
    const ExpectedEntry& image = entry(entryOf(d.text(section, "ButtonImage")));
    EXPECT_EQ(image.width, 57);
    EXPECT_EQ(image.height, 20);
    EXPECT_LE(double(image.width) / image.height, 3.8);  // so three frames are derived
    EXPECT_FALSE(d.has(section, "frame"));
  }
  EXPECT_EQ(d.number("Button1", "Visibility", 0), 2);
  EXPECT_EQ(d.number("Button3", "Visibility", 0), 1);
  EXPECT_EQ(d.number("Button4", "Action", 0), 3);
  EXPECT_FALSE(d.has("Button4", "ButtonImage"));

  // MDI child buttons: 12 frames of 15 x 15, so 60 x 15 each, XCoord 57, 38, 19.
  const ExpectedEntry& mdi = entry(entryOf(d.text("MDICONTROLS", "Image")));
  int w = mdi.width / 12;
  EXPECT_EQ(4 * w, 60);
  EXPECT_EQ(mdi.height, 15);
  EXPECT_EQ((w + 4) * 3, 57);
  EXPECT_EQ((w + 4) * 1, 19);
}

TEST(SkinDescription, ColoursButtonsAndElements) {
  Description d = storedDescription();
  for (const std::string& s : d.sections())
    EXPECT_FALSE(s.rfind("COLOUR", 0) == 0 && s != "COLOURS")
        << s << " would enter the colour list";
  EXPECT_EQ(colour(d.text("Colours", "ButtonFace")), 0xCFCFCFu);
  EXPECT_EQ(colour(d.text("Colours", "MenuText")), 0x000000u);
  for (const char* key : {"WindowText", "Scrollbar", "HilightText", "Hilight", "Menubar", "Menu",
                          "ButtonText", "ButtonHilight", "Buttonlight", "ButtonShadow",
                          "ButtonDkShadow", "MenuBarText", "TitleTextActive"})
    colour(d.text("Colours", key));

  EXPECT_EQ(d.number("Buttons", "LeftWidth", 0), 12);
  EXPECT_EQ(d.number("Buttons", "TopHeight", 0), 11);
  EXPECT_EQ(d.number("Buttons", "RightWidth", 0), 12);
  EXPECT_EQ(d.number("Buttons", "BottomHeight", 0), 11);
  EXPECT_EQ(d.number("Buttons", "Trans", 0), 1);
  EXPECT_EQ(entry(entryOf(d.text("Buttons", "Bitmap"))).width % 5, 0);
  for (const char* key : {"CheckButton", "RadioButton"}) {
    const ExpectedEntry& image = entry(entryOf(d.text("Buttons", key)));
    // Frame counts are derived: width div 13 (below 16 pixels high), at least 4.
    EXPECT_EQ(std::max(4, image.width / 13), 4) << key;
    EXPECT_EQ(image.width / 4, image.height) << key;
    EXPECT_FALSE(d.has("Buttons", std::string(key) + "Frame"));
  }

  // No scroll bar arrows: scroll bars keep the platform's look.
  EXPECT_FALSE(d.has("Scrollbar", "Image"));

  // Every other image key names an entry, and frames divide the strips.
  struct Element {
    const char* section;
    const char* key;
    int frames;
  };
  for (const Element& e :
       {Element{"Progress", "Bitmap", 2}, Element{"Toolbars", "Image", 5},
        Element{"Tabs", "Image", 5}, Element{"Tabs", "Border", 1},
        Element{"ComboButton", "Image", 4}, Element{"SunkEdge", "Image", 4},
        Element{"ExtraImages", "Image", 5}, Element{"Headerbar", "Image", 5},
        Element{"MenuBackground", "Image", 1}, Element{"HorzScroll", "Image", 4},
        Element{"VertScroll", "Image", 4}, Element{"HorzScrollThumb", "Image", 3},
        Element{"VertScrollThumb", "Image", 3}}) {
    SCOPED_TRACE(std::string(e.section) + " " + e.key);
    std::string name = entryOf(d.text(e.section, e.key));
    ASSERT_NE(name, "");
    EXPECT_EQ(entry(name).width % e.frames, 0);
  }
  EXPECT_EQ(d.number("HorzScrollThumb", "FrameCount", 3), 3);
  EXPECT_EQ(d.number("VertScrollThumb", "FrameCount", 3), 3);
}

TEST(PackedSkin, StartsWithTheArchiveSizeOfTheFolder) {
  // Archive: 16-byte header, names joined by CR LF, 26 sizes, the entries.
  uint32_t names = 0, data = 0;
  for (const ExpectedEntry& e : kEntries) {
    names += uint32_t(std::string(e.name).size());
    data += e.bytes;
  }
  names += 2 * (uint32_t(std::size(kEntries)) - 1);
  std::vector<uint8_t> skin = readFile(kAssets + "/quorvel.skn");
  ASSERT_GT(skin.size(), 4u);
  EXPECT_EQ(le(skin, 0, 4), 16 + names + 4 * uint32_t(std::size(kEntries)) + data);
  EXPECT_EQ(data, 193053u);
}
