// Reorienting skin pictures in place: the tab skinner derives the pictures of
// tabs on the bottom, left and right edges from those of tabs on the top.
// The functions work on 24-bit bitmaps; a bitmap of any other format is made
// a 24-bit one first and stays so.
#pragma once

class TBitmap;

// Mirrors the picture top to bottom.
void FlipVertical(TBitmap& Bitmap);
// Turns the picture by 90 degrees counter-clockwise: the top row becomes the
// left column, read from bottom to top. Width and height swap.
void RotateLeft(TBitmap& Bitmap);
// Turns the picture by 90 degrees clockwise: the top row becomes the right
// column, read from top to bottom. Width and height swap.
void RotateRight(TBitmap& Bitmap);
