// Where the pieces of a skin picture go when it is drawn at another size:
// the frame of a strip, the nine pieces of a nine-slice and the parts of a
// three-part drawing, as plain rectangles (no drawing, no window), so that
// the arithmetic is tested natively and the painters only copy pieces.
#pragma once

#include <vector>

#include "skin/data/SkinValues.h"

// Where one frame of a strip lies in its picture.
struct TFrameBox {
  int X = 0, Y = 0, W = 0, H = 0;
};

// Frame Frame (from 1) of FrameCount frames of a Width x Height strip,
// stacked vertically or lying side by side. A count below 1 is taken as 1
// so that a damaged skin cannot divide by zero.
TFrameBox FrameOf(int Width, int Height, bool Vertical, int FrameCount, int Frame);

// One piece of a drawing: where it goes, where it comes from (stretched
// when the sizes differ), and whether it is the centre of a nine-slice.
struct TSlicePiece {
  TSkinRect Dest;
  TSkinRect Source;
  bool Centre = false;
};

// The pieces of frame F drawn W x H with Margins as its fixed edges, in
// drawing order: the left and top pieces, the centre, then the right and
// bottom pieces, so that whatever the centre draws beyond its box is
// covered by the edges. Margins that do not fit in a direction are dropped
// in that direction; pieces with nothing to draw are left out.
std::vector<TSlicePiece> NineSlicePieces(const TFrameBox& F, int W, int H,
                                         const TSkinRect& Margins);

// The parts of frame F across W x H: the left part (Margins.left wide), the
// middle repeated at its own width from the left part on (its last copy runs
// under the right part; the copies are marked Centre), then the right part
// (Margins.right wide). Every part takes the frame's whole height. A frame
// without a middle has none.
std::vector<TSlicePiece> ThreePartPieces(const TFrameBox& F, int W, int H,
                                         const TSkinRect& Margins);
