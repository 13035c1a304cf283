// The transparent test skin's folder in the build's assets: the description
// and the pictures belong together, by the rule the skin data component
// uses to find a picture (the part after the last backslash or colon, a
// lower-case ".bmp"; a forward slash finds nothing).
#include "BitmapFile.h"
#include "TransSkinArt.h"

#include "skin/data/SkinDescription.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <map>
#include <sstream>
#include <string>

using namespace art;

namespace {

const std::string kFolder = std::string(QUORVEL_ASSETS_DIR) + "/transparent/";

// Lower-cased copy of a text.
std::string lower(std::string s) {
  std::transform(s.begin(), s.end(), s.begin(),
                 [](unsigned char c) { return char(std::tolower(c)); });
  return s;
}

}  // namespace

TEST(TransparentSkinFolder, EveryPictureValueNamesAnEntryAndEveryPictureIsNamed) {
  // Entries of the folder, by lower-cased name: how often a value names them.
  std::map<std::string, int> named;
  std::vector<uint8_t> list = readFile(kFolder + "entries.lst");
  std::istringstream entries(std::string(list.begin(), list.end()));
  std::string entry;
  while (std::getline(entries, entry)) {
    named[lower(entry)] = 0;
    Image img;
    if (entry != kTransDescriptionName) {
      EXPECT_TRUE(decodeBitmap(readFile(kFolder + entry), img)) << entry;
    }
  }
  ASSERT_EQ(named.count(kTransDescriptionName), 1u);

  std::vector<uint8_t> bytes = readFile(kFolder + kTransDescriptionName);
  std::istringstream description(std::string(bytes.begin(), bytes.end()));
  std::string line;
  int pictureValues = 0;
  while (std::getline(description, line)) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    size_t equals = line.find('=');
    if (line.empty() || line[0] == ';' || equals == std::string::npos) continue;
    std::string value = line.substr(equals + 1);
    if (value.size() < 4 || lower(value.substr(value.size() - 4)) != ".bmp") continue;
    ++pictureValues;
    std::string name = SkinBitmapEntryName(value);
    ASSERT_FALSE(name.empty()) << line;
    ASSERT_EQ(named.count(lower(name)), 1u) << line;
    ++named[lower(name)];
  }
  EXPECT_GE(pictureValues, 30);
  for (const auto& [name, count] : named) {
    if (name != kTransDescriptionName) {
      EXPECT_GT(count, 0) << name << " is named by no value";
    }
  }
}
