// Where a skinned title puts its caption, natively: the skin's alignment and
// shifts on wide windows, and the clip that ends at the title-bar buttons
// on narrow ones.
#include <gtest/gtest.h>

#include <tuple>

#include "skin/window/CaptionPlacement.h"

namespace {

// A rectangle as a tuple, so that gtest prints and compares it.
std::tuple<int, int, int, int> T(const TSkinRect& R) { return {R.left, R.top, R.right, R.bottom}; }

TEST(CaptionPlacement, WideTitlesAsTheSkinSaysNarrowOnesClippedAtTheButtons) {
  // The stored skin's title: TextShift 18, TextRightClip 70, left-aligned;
  // a title between borders of 10 and 12 pixels, 33 high; captions 13 high.
  const TSkinRect steel{18, 0, 70, 0};
  const struct {
    const char* Name;
    int Width;  // the window's
    int Alignment;
    int TextWidth;
    int BackLeft, BackRight;
    int ButtonsLeft;  // -1: none on the right (the title's end)
    std::tuple<int, int, int, int> Want;
  } rows[] = {
      // Three buttons from 77 pixels before the window's end: the skin's
      // 70 pixels keep them free; a caption that fits is not touched.
      {"wide, fits", 600, 0, 60, 0, 0, 600 - 77, {28, 10, 88, 23}},
      {"wide, too long: the clip ends at the minimize button",
       300,
       0,
       400,
       0,
       0,
       300 - 77,
       {28, 10, 300 - 77, 23}},
      // A box with a close button alone, 35 pixels before its end.
      {"narrow box", 133, 0, 72, 0, 0, 133 - 35, {28, 10, 98, 23}},
      {"no button on the right", 133, 0, 200, 0, 0, -1, {28, 10, 121, 23}},
      {"buttons left of the skin's room", 300, 0, 400, 0, 0, 150, {28, 10, 300 - 12 - 70, 23}},
      // Right-aligned, with a text back of 6 and 8: ends 70 before the
      // title's end while it fits, at the clip when it does not.
      {"right, fits", 600, 2, 60, 6, 8, 600 - 77, {588 - 70 - 74, 10, 588 - 70, 23}},
      {"right, too long", 200, 2, 150, 6, 8, 200 - 35, {10, 10, 165, 23}},
      {"right, fits on a narrow box too", 200, 2, 80, 6, 8, 200 - 35, {24, 10, 118, 23}},
      {"right, a little long: ends at the clip", 200, 2, 100, 6, 8, 200 - 35, {51, 10, 165, 23}},
      {"centred, too long", 200, 1, 300, 0, 0, 200 - 35, {10, 10, 165, 23}},
      {"centred, fits", 200, 1, 60, 0, 0, 200 - 35, {10 + (178 - 60) / 2, 10, 10 + 59 + 60, 23}},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.Name);
    TCaptionLayout layout;
    layout.Title = TSkinRect{10, 0, row.Width - 12, 33};
    layout.TextWidth = row.TextWidth;
    layout.TextHeight = 13;
    layout.TextBackLeft = row.BackLeft;
    layout.TextBackRight = row.BackRight;
    layout.Alignment = row.Alignment;
    layout.Margins = steel;
    layout.ButtonsLeft = row.ButtonsLeft < 0 ? layout.Title.right : row.ButtonsLeft;
    EXPECT_EQ(T(PlaceCaption(layout)), row.Want);
  }
  // TextShiftVert moves the caption down by half its value.
  TCaptionLayout shifted;
  shifted.Title = TSkinRect{10, 0, 590, 33};
  shifted.TextWidth = 60;
  shifted.TextHeight = 13;
  shifted.Margins = TSkinRect{18, 7, 70, 0};
  shifted.ButtonsLeft = 590;
  EXPECT_EQ(T(PlaceCaption(shifted)), std::make_tuple(28, 13, 88, 26));
}

}  // namespace
