// The skinned frame's sizes and rectangles, natively, from the border
// pictures of the two generated skins: the sizes the Windows tests of the
// form skinner see on the program's main window (a 630 x 394 client area),
// the client area the frame leaves, its pieces and its hit test.
#include <gtest/gtest.h>

#include <array>
#include <string>
#include <tuple>

#include "skin/data/SkinReader.h"
#include "skin/data/SkinStore.h"
#include "skin/data/SkinValuesReader.h"
#include "skin/window/FrameMetrics.h"
#include "ui/Streams.h"

namespace {

// A rectangle as a tuple, so that gtest prints and compares it.
std::tuple<int, int, int, int> T(const TSkinRect& R) { return {R.left, R.top, R.right, R.bottom}; }

// The border pictures of a skin file, as the metrics take them.
std::array<TBorderPicture, 5> BordersOf(const char* Path) {
  TMemoryStream store(ReadFileBytes(Path));
  TSkinReader reader;
  std::string description;
  EXPECT_EQ(OpenSkinFile(store, reader, description), TSkinOpenResult::Opened);
  const TSkinValues values = ReadSkinValues(description, reader);
  std::array<TBorderPicture, 5> borders;
  for (size_t i = 1; i <= 4; ++i) {
    const TSkinBorderElement& b = values.Borders[i];
    borders[i] = TBorderPicture{b.Bitmap.Width, b.Bitmap.Height, b.FrameCount};
  }
  return borders;
}

TEST(FrameMetrics, BordersAndTitleComeFromOneFrameOfEachPicture) {
  const struct {
    const char* Skin;
    int Left, Title, Right, Bottom;
  } rows[] = {{QUORVEL_SKIN_FILE, 10, 33, 12, 13}, {QUORVEL_TRANS_SKIN_FILE, 8, 30, 8, 8}};
  for (const auto& row : rows) {
    const TFrameMetrics m = ComputeFrameMetrics(BordersOf(row.Skin), false, 19);
    EXPECT_EQ(std::make_tuple(m.BorderLeft, m.TitleHeight, m.BorderRight, m.BorderBottom),
              std::make_tuple(row.Left, row.Title, row.Right, row.Bottom))
        << row.Skin;
    EXPECT_EQ(m.MenuHeight, 19);
    // The main window's 630 x 394 client area in the skinned frame.
    int w = 0, h = 0;
    m.WindowSize(630, 394, 0, w, h);
    EXPECT_EQ(std::make_pair(w, h),
              std::make_pair(630 + row.Left + row.Right, 394 + row.Title + row.Bottom));
    m.WindowSize(630, 394, 1, w, h);
    EXPECT_EQ(h, 394 + row.Title + row.Bottom + 19);
  }
  // A frameless window has no frame and no menu band; a damaged picture
  // with no frames counts as one frame.
  const TFrameMetrics none = ComputeFrameMetrics(BordersOf(QUORVEL_SKIN_FILE), true, 19);
  EXPECT_EQ(std::make_tuple(none.BorderLeft, none.TitleHeight, none.BorderRight, none.BorderBottom,
                            none.MenuHeight),
            std::make_tuple(0, 0, 0, 0, 0));
  std::array<TBorderPicture, 5> damaged{};
  damaged[3] = TBorderPicture{10, 40, 0};
  EXPECT_EQ(ComputeFrameMetrics(damaged, false, 0).TitleHeight, 40);
}

// The stored skin's frame (10, 33, 12, 13) with a 19-pixel menu band around
// a 652 x 459 window at (100, 50).
TEST(FrameMetrics, ClientAreaAndPiecesOfTheWindow) {
  TFrameMetrics m;
  m.BorderLeft = 10, m.TitleHeight = 33, m.BorderRight = 12, m.BorderBottom = 13;
  m.MenuHeight = 19;
  EXPECT_EQ(T(m.ClientRect(100, 50, 652, 459)), T(TSkinRect{110, 102, 740, 496}));
  EXPECT_EQ(std::make_pair(m.ClientLeft(), m.ClientTop()), std::make_pair(10, 52));
  EXPECT_EQ(T(m.LeftRect(652, 459)), T(TSkinRect{0, 0, 10, 459}));
  EXPECT_EQ(T(m.RightRect(652, 459)), T(TSkinRect{640, 0, 652, 459}));
  EXPECT_EQ(T(m.BottomRect(652, 459)), T(TSkinRect{10, 446, 640, 459}));
  EXPECT_EQ(T(m.TitleRect(652)), T(TSkinRect{10, 0, 640, 33}));
  EXPECT_EQ(T(m.MenuRect(652)), T(TSkinRect{10, 33, 640, 52}));
}

// The platform has no menu bar and a shorter caption: nowhere in the title
// is the caption; every point of the menu band (10..640 across, 33..52
// down in a 652-pixel window) is the menu, whatever the platform says;
// the side borders beside the band and the client below keep its answers.
TEST(FrameMetrics, HitTestOfTheTitleAndTheMenuBand) {
  constexpr int nowhere = 0, client = 1, caption = 2, menu = 5, left = 10;
  TFrameMetrics m;
  m.BorderLeft = 10;
  m.BorderRight = 12;
  m.TitleHeight = 33;
  m.MenuHeight = 19;
  const struct {
    int Platform, X, Y, Want;
  } rows[] = {{nowhere, 100, 20, caption}, {nowhere, 100, -1, nowhere}, {nowhere, 100, 33, menu},
              {caption, 100, 33, menu},    {nowhere, 10, 51, menu},     {client, 639, 40, menu},
              {nowhere, 100, 52, nowhere}, {left, 9, 40, left},         {nowhere, 640, 40, nowhere},
              {client, 100, 60, client}};
  for (const auto& row : rows)
    EXPECT_EQ(FrameHitTest(m, row.Platform, row.X, row.Y, 652), row.Want)
        << row.Platform << " " << row.X << "," << row.Y;
  m.MenuHeight = 0;
  EXPECT_EQ(FrameHitTest(m, caption, 100, 40, 652), caption);
  EXPECT_EQ(FrameHitTest(m, nowhere, 100, 40, 652), nowhere);
}

}  // namespace
