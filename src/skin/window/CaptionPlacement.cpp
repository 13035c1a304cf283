#include "skin/window/CaptionPlacement.h"

#include <algorithm>

// Measured size plus text backs, shifted by the alignment, clipped.
TSkinRect PlaceCaption(const TCaptionLayout& L) {
  const TSkinRect& r = L.Title;
  const int titleWidth = r.right - r.left;
  const int width = L.TextWidth + L.TextBackLeft + L.TextBackRight;
  const int free = titleWidth - width;
  int clipEnd = r.right - L.Margins.right;
  if (L.ButtonsLeft > clipEnd) clipEnd = std::min(L.ButtonsLeft, r.right);
  int dx = 0;
  switch (L.Alignment) {
    case 0: dx = L.Margins.left; break;
    case 1: dx = free / 2; break;
    case 2:
      // Right-aligned text ends TextRightClip pixels before the title's end,
      // where the clip cuts it: it loses nothing when it fits.
      dx = free - L.Margins.right;
      if (dx < 0) dx = clipEnd - r.left - width;
      break;
    default: break;
  }
  dx = std::max(dx, 0);
  const int dy = (r.bottom - r.top - L.TextHeight) / 2 + L.Margins.top / 2;
  TSkinRect m{r.left + dx, r.top + dy, r.left + dx + width, r.top + dy + L.TextHeight};
  m.right = std::min(m.right, clipEnd);
  return m;
}
