// Where the pieces of a strip's frame go, natively, with the sizes the
// drawing tests on memory bitmaps use (tests/skin/draw/SkinDrawTest.cpp).
#include <gtest/gtest.h>

#include <tuple>
#include <vector>

#include "skin/draw/SliceGeometry.h"

namespace {

// A rectangle as a tuple, so that gtest prints and compares it.
std::tuple<int, int, int, int> T(const TSkinRect& R) { return {R.left, R.top, R.right, R.bottom}; }

// One expected piece: destination, source, centre or not.
struct TWant {
  TSkinRect Dest, Source;
  bool Centre = false;
};

// Pieces equal Want, in order.
void ExpectPieces(const std::vector<TSlicePiece>& Pieces, const std::vector<TWant>& Want) {
  ASSERT_EQ(Pieces.size(), Want.size());
  for (size_t i = 0; i < Want.size(); ++i) {
    EXPECT_EQ(T(Pieces[i].Dest), T(Want[i].Dest)) << i;
    EXPECT_EQ(T(Pieces[i].Source), T(Want[i].Source)) << i;
    EXPECT_EQ(Pieces[i].Centre, Want[i].Centre) << i;
  }
}

TEST(SliceGeometry, FramesOfAStrip) {
  struct {
    int Width, Height;
    bool Vertical;
    int Count, Frame;
    TFrameBox Want;
  } cases[] = {
      {6, 15, true, 3, 2, {0, 5, 6, 5}},   {18, 5, false, 3, 3, {12, 0, 6, 5}},
      {18, 5, false, 0, 1, {0, 0, 18, 5}},  // a count below 1 counts as 1
      {7, 4, true, 1, 1, {0, 0, 7, 4}},    {16, 3, false, 2, 2, {8, 0, 8, 3}},
  };
  for (const auto& c : cases) {
    const TFrameBox f = FrameOf(c.Width, c.Height, c.Vertical, c.Count, c.Frame);
    EXPECT_EQ(std::make_tuple(f.X, f.Y, f.W, f.H),
              std::make_tuple(c.Want.X, c.Want.Y, c.Want.W, c.Want.H))
        << c.Width << "x" << c.Height << " frame " << c.Frame;
  }
}

// At the frame's own size every piece comes from the same place in the
// frame; the edges that end at the right and bottom come after the centre.
TEST(SliceGeometry, NineSliceAtFrameSizeCopiesThatFrame) {
  const TFrameBox frame{0, 5, 6, 5};
  ExpectPieces(NineSlicePieces(frame, 6, 5, TSkinRect{2, 1, 2, 2}),
               {{{0, 0, 2, 1}, {0, 5, 2, 6}},
                {{0, 3, 2, 5}, {0, 8, 2, 10}},
                {{4, 0, 6, 1}, {4, 5, 6, 6}},
                {{0, 1, 2, 3}, {0, 6, 2, 8}},
                {{2, 0, 4, 1}, {2, 5, 4, 6}},
                {{2, 1, 4, 3}, {2, 6, 4, 8}, true},
                {{4, 3, 6, 5}, {4, 8, 6, 10}},
                {{4, 1, 6, 3}, {4, 6, 6, 8}},
                {{2, 3, 4, 5}, {2, 8, 4, 10}}});
}

// 8-pixel edges on a 20 x 20 frame: a size below 16 in a direction drops
// both edges there, and the frame is stretched whole in that direction.
TEST(SliceGeometry, NineSliceDropsMarginsThatDoNotFit) {
  const TFrameBox frame{0, 0, 20, 20};
  const TSkinRect margins{8, 8, 8, 8};
  ExpectPieces(NineSlicePieces(frame, 10, 20, margins), {{{0, 0, 10, 8}, {0, 0, 20, 8}},
                                                         {{0, 8, 10, 12}, {0, 8, 20, 12}, true},
                                                         {{0, 12, 10, 20}, {0, 12, 20, 20}}});
  ExpectPieces(NineSlicePieces(frame, 20, 10, margins), {{{0, 0, 8, 10}, {0, 0, 8, 20}},
                                                         {{8, 0, 12, 10}, {8, 0, 12, 20}, true},
                                                         {{12, 0, 20, 10}, {12, 0, 20, 20}}});
  ExpectPieces(NineSlicePieces(frame, 10, 10, margins), {{{0, 0, 10, 10}, {0, 0, 20, 20}, true}});
}

// A 7 x 4 frame with 2-pixel sides and 1-pixel top and bottom drawn 11 x 5:
// the centre box takes the rest and its source is the frame's middle.
TEST(SliceGeometry, NineSliceCentreTakesTheRest) {
  const std::vector<TSlicePiece> pieces =
      NineSlicePieces(TFrameBox{0, 0, 7, 4}, 11, 5, TSkinRect{2, 1, 2, 1});
  ASSERT_EQ(pieces.size(), 9u);
  EXPECT_EQ(T(pieces[5].Dest), T(TSkinRect{2, 1, 9, 4}));
  EXPECT_EQ(T(pieces[5].Source), T(TSkinRect{2, 1, 5, 3}));
  EXPECT_EQ(T(pieces[7].Dest), T(TSkinRect{9, 1, 11, 4}));  // the right side, after the centre
}

// Frame 2 of 2, 8 wide (left 2, middle 3, right 3), across 12 pixels: the
// middle is repeated from x = 2 and its last copy runs under the right
// part. A 5-wide frame has no middle.
TEST(SliceGeometry, ThreePartRepeatsTheMiddle) {
  const TSkinRect margins{2, 0, 3, 0};
  ExpectPieces(ThreePartPieces(TFrameBox{8, 0, 8, 3}, 12, 3, margins),
               {{{0, 0, 2, 3}, {8, 0, 10, 3}},
                {{2, 0, 5, 3}, {10, 0, 13, 3}, true},
                {{5, 0, 8, 3}, {10, 0, 13, 3}, true},
                {{8, 0, 11, 3}, {10, 0, 13, 3}, true},
                {{9, 0, 12, 3}, {13, 0, 16, 3}}});
  ExpectPieces(ThreePartPieces(TFrameBox{0, 3, 5, 3}, 12, 3, margins),
               {{{0, 0, 2, 3}, {0, 3, 2, 6}}, {{9, 0, 12, 3}, {2, 3, 5, 6}}});
}

}  // namespace
