// Where a skinned title puts its caption: placed by the skin's alignment
// and shifts, and clipped on the right where the title-bar buttons begin.
// Built and tested natively.
#pragma once

#include "skin/data/SkinValues.h"

// What the caption's place depends on (window coordinates).
struct TCaptionLayout {
  TSkinRect Title;                          // the title's skinned part
  int TextWidth = 0, TextHeight = 0;        // the caption text as measured
  int TextBackLeft = 0, TextBackRight = 0;  // the text back's ends around the text
  int Alignment = 0;                        // 0 left (after Margins.left), 1 centred, 2 right
  // Margins.left: TextShift; Margins.top: TextShiftVert; Margins.right:
  // TextRightClip, the room the skin keeps for its title-bar buttons.
  TSkinRect Margins;
  // The left edge of the leftmost title-bar button on the right side of the
  // title; Title.right when there is none.
  int ButtonsLeft = 0;
};

// The caption's rectangle with its text backs. The skin's TextRightClip
// ends it, or the leftmost title-bar button where that lies further right
// (a box with a close button alone has room for more than the skin keeps
// for three). A caption too long for the title starts at the title's left
// edge; one aligned right then ends at the clip instead of running off to
// the left.
TSkinRect PlaceCaption(const TCaptionLayout& Layout);
