// The control skinners' arithmetic, natively: where a glyph button puts its
// glyph and caption, and the scroll bars' thumb, hit test, layout and drag
// (with the platform's sizes under Wine: 16-pixel arrows and bars, thumbs
// down to 8 pixels, in list boxes of 150 x 200 with a 2-pixel border).
#include <gtest/gtest.h>

#include <tuple>
#include <vector>

#include "skin/controls/GlyphPlacement.h"
#include "skin/controls/ScrollGeometry.h"

namespace {

// A rectangle as a tuple, so that gtest prints and compares it.
std::tuple<int, int, int, int> T(const TSkinRect& R) { return {R.left, R.top, R.right, R.bottom}; }

// Bitmap and speed buttons: glyph and caption in a 100 x 40 button, a
// 16 x 16 glyph and a 30 x 13 caption (moved here from the Windows tests
// of the button skinners).
TEST(GlyphLayout, PlacesGlyphAndCaptionByLayoutMarginAndSpacing) {
  const struct {
    const char* Name;
    int Layout, Margin, Spacing;
    bool Speed;
    int GlyphX, GlyphY, TextX, TextY;
  } rows[] = {
      {"free width in thirds", 0, -1, -1, false, 18, 12, 52, 14},
      {"centred", 0, -1, 4, false, 25, 12, 45, 14},
      {"centred, speed button", 0, -1, 4, true, 26, 12, 46, 14},
      {"margin given, spacing shared", 0, 5, -1, false, 5, 12, 45, 14},
      {"glyph right", 1, 3, 2, false, 81, 12, 49, 14},
      {"glyph bottom", 3, 2, 1, false, 42, 22, 35, 8},
  };
  for (const auto& row : rows) {
    const TGlyphPlacement p =
        PlaceGlyph(100, 40, 40, 16, 16, 30, 13, row.Layout, row.Margin, row.Spacing, row.Speed);
    EXPECT_EQ(
        std::vector<int>({p.GlyphX, p.GlyphY, p.Text.left, p.Text.top, p.Text.right - p.Text.left}),
        std::vector<int>({row.GlyphX, row.GlyphY, row.TextX, row.TextY, 30}))
        << row.Name;
  }
}

TEST(ScrollGeometry, MulDivRoundsHalfAwayFromZero) {
  EXPECT_EQ(MulDivRound(7, 3, 2), 11);
  EXPECT_EQ(MulDivRound(-7, 3, 2), -11);
  EXPECT_EQ(MulDivRound(7, 3, -2), -11);
  EXPECT_EQ(MulDivRound(12, 164, 40), 49);
  EXPECT_EQ(MulDivRound(5, 1, 0), -1);
  EXPECT_EQ(MulDivRound(1 << 30, 8, 1), -1);
}

// A 196-pixel bar (arrows 16): the page's share of the 164-pixel track, the
// thumb at the ends at the ends, the smallest thumb, a page that covers the
// range, a bar without a page, and a range that says nothing.
TEST(ScrollGeometry, ThumbFollowsRangePageAndPosition) {
  const TScrollBarSizes sizes{16, 16, 8};
  const struct {
    const char* Name;
    TScrollRange Range;
    TScrollBarSizes Sizes;
    int Size, Offset;
  } rows[] = {
      {"top", {0, 39, 12, 0}, sizes, 49, 0},
      {"middle", {0, 39, 12, 13}, sizes, 49, 53},
      {"last page", {0, 39, 12, 28}, sizes, 49, 115},
      {"page covers the range", {0, 39, 50, 0}, sizes, 163, 0},
      {"no page", {0, 100, 0, 50}, sizes, 16, 73},
      {"smallest thumb", {0, 999, 1, 0}, sizes, 8, 0},
      {"smallest thumb of the 9x family", {0, 999, 1, 0}, {16, 16, 5}, 5, 0},
  };
  for (const auto& row : rows) {
    TScrollBarMetrics m;
    ComputeThumbMetrics(196, row.Range, row.Sizes, m);
    EXPECT_EQ(m.FTrackLength, 164) << row.Name;
    EXPECT_EQ(std::make_pair(m.FThumbSize, m.FThumbPos), std::make_pair(row.Size, row.Offset))
        << row.Name;
  }
  TScrollBarMetrics kept{16, 0, 30, 7};
  ComputeThumbMetrics(100, TScrollRange{5, 4, 0, 0}, sizes, kept);
  EXPECT_EQ(std::make_tuple(kept.FTrackLength, kept.FThumbSize, kept.FThumbPos),
            std::make_tuple(68, 30, 7));
}

TEST(ScrollGeometry, HitTestFindsArrowsTrackAndThumb) {
  const TScrollBarMetrics m{16, 164, 49, 53};
  const struct {
    int Pos;
    TScrollHit Hit;
  } rows[] = {{0, shLineUp},     {15, shLineUp},    {16, shPageUp},    {68, shPageUp},
              {69, shThumb},     {117, shThumb},    {118, shPageDown}, {179, shPageDown},
              {180, shLineDown}, {195, shLineDown}, {196, shNone}};
  for (const auto& row : rows) EXPECT_EQ(ScrollHitTest(m, row.Pos), row.Hit) << row.Pos;
}

TEST(ScrollGeometry, BarsKeepToTheRightAndBottomInsideTheBorder) {
  const TScrollBarsLayout both = LayoutScrollBars(150, 200, 130, 180, 16, true, true);
  EXPECT_EQ(T(both.Horz), T(TSkinRect{2, 182, 132, 198}));
  EXPECT_EQ(T(both.Vert), T(TSkinRect{132, 2, 148, 182}));
  EXPECT_EQ(T(both.Corner), T(TSkinRect{132, 182, 148, 198}));
  const TScrollBarsLayout vert = LayoutScrollBars(150, 200, 130, 196, 16, false, true);
  EXPECT_EQ(T(vert.Vert), T(TSkinRect{132, 2, 148, 198}));
  EXPECT_EQ(T(vert.Horz), T(TSkinRect{}));
  const TScrollBarsLayout horz = LayoutScrollBars(150, 200, 146, 180, 16, true, false);
  EXPECT_EQ(T(horz.Horz), T(TSkinRect{2, 182, 148, 198}));
}

// The thumb of the 40-item list dragged from the top: it stays in the track
// and maps onto the positions 0 to 28 (the last page's start).
TEST(ScrollGeometry, DraggedThumbStaysInTheTrack) {
  const TScrollBarMetrics m{16, 164, 49, 0};
  const TScrollRange range{0, 39, 12, 0};
  const struct {
    int Moved, Offset, Pos;
  } rows[] = {{60, 60, 15}, {-10, 0, 0}, {500, 115, 28}, {57, 57, 14}};
  for (const auto& row : rows) {
    const TThumbDrag drag = DragThumb(m, range, 0, row.Moved);
    EXPECT_EQ(std::make_pair(drag.Offset, drag.Pos), std::make_pair(row.Offset, row.Pos))
        << row.Moved;
  }
}

}  // namespace
