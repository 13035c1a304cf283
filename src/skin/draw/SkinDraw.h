// Drawing of skin pictures: every skin element is a strip of state frames
// (counted from 1) drawn at any size by keeping its edges and stretching or
// tiling its middle; magenta (0xFF00FF) marks transparent pixels. The frame,
// the menu skinners and the control skinners all draw through these.
//
// A rectangle is empty here when right < left or bottom < top; empty
// destinations draw nothing. Margins hold the widths of a frame's fixed
// edges: left, top, right and bottom.
#pragma once

#include <windows.h>

#include <memory>
#include <vector>

#include "skin/data/SkinValues.h"
#include "ui/Graphics.h"

// The transparent colour of every skin picture.
constexpr TColor SkinKeyColour = 0xFF00FF;

// A new w x h work bitmap for one paint: a DIB section that stretches with
// COLORONCOLOR (whole pixels, never blended with AND/OR as the default mode
// does when shrinking).
std::unique_ptr<TBitmap> WorkBitmap(int w, int h);

// Frame Frame of FrameCount, stacked vertically or side by side, drawn as a
// new bitmap of Size's size with its edges kept and its centre stretched
// (or tiled when Tile). Margins that do not fit the size in one direction
// are dropped in that direction.
std::unique_ptr<TBitmap> DrawNineSlice(const TRect& Size, TBitmap& Bitmap, const TSkinRect& Margins,
                                       bool Vertical, bool Tile, int FrameCount, int Frame);
// The nine-slice pictures of one element for the last few sizes and frames
// asked for: the items of a popup menu share their size, and composing is
// most of what drawing an item costs. The element clears it when its
// picture changes.
class TNineSliceCache {
public:
  // DrawNineSlice of W x H; composed on the first call with these values.
  TBitmap& Get(TBitmap& Bitmap, const TSkinRect& Margins, int W, int H, bool Vertical, bool Tile,
               int FrameCount, int Frame);
  void Clear() { FEntries.clear(); }

private:
  struct TEntry {
    int W, H, FrameCount, Frame;
    bool Vertical, Tile;
    std::unique_ptr<TBitmap> Picture;
  };
  std::vector<TEntry> FEntries;  // the most recently used last
};
// Picture copied onto DC at (X, Y): through the magenta mask when
// Transparent, else as it is.
void PutPicture(HDC DC, int X, int Y, TBitmap& Picture, bool Transparent);
// DrawNineSlice of Rect's size copied onto DC at Rect, leaving magenta
// pixels untouched when Transparent.
void DrawNineSliceOn(HDC DC, const TRect& Rect, TBitmap& Bitmap, bool Vertical, bool Tile,
                     bool Transparent, int FrameCount, int Frame, const TSkinRect& Margins);
// The eight edge pieces of the frame (no centre) stretched straight onto DC
// around Rect.
void DrawNineSliceTo(HDC DC, const TRect& Rect, TBitmap& Bitmap, bool Vertical, int FrameCount,
                     int Frame, const TSkinRect& Margins);
// A left part (Margins.left wide), a tiled middle and a right part
// (Margins.right wide) of the frame, across Rect. A frame with no middle
// draws no middle.
void DrawHorzThreePart(TCanvas& Canvas, const TRect& Rect, TBitmap& Bitmap, bool Vertical,
                       bool Transparent, int FrameCount, int Frame, const TSkinRect& Margins);
// Frame Frame of a strip whose frames lie side by side and are as wide as
// Rect, stretched to Rect's height.
void DrawFrame(HDC DC, const TRect& Rect, TBitmap& Bitmap, bool Transparent, int Frame);
// Bitmap copied to Rect (stretched to it), leaving the pixels of DC under
// KeyColour pixels untouched.
void TransparentBlt(HDC DC, const TRect& Rect, TBitmap& Bitmap, TColor KeyColour);
// SourceRect of Bitmap repeated over DestRect from its top-left corner; where
// it repeats, the last row and column run over DestRect's right and bottom
// edges. One fill through a pattern brush: however small the tile, and
// however large the picture, the cost is that of the destination.
void TileBitmap(TCanvas& Canvas, const TRect& DestRect, TBitmap& Bitmap, const TRect& SourceRect);
// The region of Bitmap's pixels that are not KeyColour, moved by (X, Y).
// A pixel is transparent when each channel lies between the key's and the
// key's plus that channel's tolerance.
TRegionObject BitmapToRegion(TBitmap& Bitmap, int X, int Y, int BlueTolerance, int GreenTolerance,
                             int RedTolerance, TColor KeyColour);

// The platform's rectangle of R.
inline TRect ToRect(const TSkinRect& R) { return TRect{R.left, R.top, R.right, R.bottom}; }
// R's width and height (negative for an inverted rectangle).
inline int RectWidth(const TRect& R) { return R.right - R.left; }
inline int RectHeight(const TRect& R) { return R.bottom - R.top; }

// The bitmap that the menu bar and the control skinners compose into before
// one copy to the screen (COLORONCOLOR stretching). Made at the first call
// and freed at program end; null once it has been freed.
TBitmap* ScratchBitmap();
