// The program's own pictures through the graphics classes: every skin
// bitmap, the sponsor picture and the 12-image main window icon.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "ui/Graphics.h"

namespace {

// The .bmp files of a folder.
std::vector<std::string> BitmapFiles(const std::string& dir) {
  std::vector<std::string> files;
  WIN32_FIND_DATAA data;
  HANDLE find = FindFirstFileA((dir + "/*.bmp").c_str(), &data);
  if (find == INVALID_HANDLE_VALUE) return files;
  do files.push_back(dir + "/" + data.cFileName);
  while (FindNextFileA(find, &data));
  FindClose(find);
  return files;
}

// A bitmap saved again holds the same picture as the file it was loaded
// from, in the same layout (a writer's padding after the rows is not kept).
void ExpectSamePictureAgain(const std::string& path, TBitmap& bmp) {
  const std::vector<uint8_t> original = ReadFileBytes(path);
  TMemoryStream in(original);
  bmp.LoadFromStream(in);
  ASSERT_FALSE(bmp.Empty()) << path;
  TMemoryStream out;
  bmp.SaveToStream(out);
  size_t used = 0;
  const auto decoded = DecodeBmp(original.data(), original.size(), &used);
  ASSERT_TRUE(decoded) << path;
  EXPECT_EQ(out.Bytes(), EncodeBmp(*decoded)) << path;
}

}  // namespace

TEST(GraphicsArtwork, EverySkinBitmapLoadsAndSavesUnchanged) {
  const std::vector<std::string> files = BitmapFiles(QUORVEL_ASSETS_DIR "/skin");
  ASSERT_GT(files.size(), 10u);
  bool depths[33] = {};
  for (const std::string& path : files) {
    TBitmap bmp;
    ExpectSamePictureAgain(path, bmp);
    const TDibImage image = bmp.ToImage();
    depths[image.BitCount] = true;
  }
  // The skin uses palette pictures as well as 24-bit ones.
  EXPECT_TRUE(depths[24]);
  EXPECT_TRUE(depths[4] || depths[8]);
}

TEST(GraphicsArtwork, SponsorPictureIsA24BitDibOf600By450) {
  TBitmap bmp;
  ExpectSamePictureAgain(QUORVEL_ASSETS_DIR "/sponsor.bmp", bmp);
  EXPECT_EQ(bmp.Width(), 600);
  EXPECT_EQ(bmp.Height(), 450);
  EXPECT_EQ(bmp.PixelFormat(), TPixelFormat::pf24bit);

  TPicture picture;
  picture.LoadFromFile(QUORVEL_ASSETS_DIR "/sponsor.bmp");
  EXPECT_EQ(picture.Width(), 600);
}

TEST(GraphicsArtwork, MainIconGivesAnImageOfEachSize) {
  TIcon icon;
  icon.LoadFromFile(QUORVEL_ASSETS_DIR "/quorvel.ico");
  ASSERT_EQ(icon.Images().size(), 12u);
  for (int size : {16, 24, 32, 48}) {
    const int best = icon.BestImage(size, size);
    ASSERT_GE(best, 0);
    EXPECT_EQ(icon.Images()[best].Width, size);
    EXPECT_NE(icon.HandleForSize(size, size), nullptr) << size;
  }
  EXPECT_NE(icon.Handle(), nullptr);
  EXPECT_NE(icon.SmallHandle(), nullptr);
}
