// The arithmetic of aligning child controls.
#include "ui/AlignLayout.h"

#include <algorithm>

namespace {

// The sort key of an item among those of its kind: nearest its edge first.
int EdgeKey(TAlign align, const TAlignItem& item) {
  switch (align) {
    case alTop: return item.Top;
    case alBottom: return -(item.Top + item.Height);
    case alLeft: return item.Left;
    case alRight: return -(item.Left + item.Width);
    default: return 0;
  }
}

// Places one item of kind align in the free area and takes its space away.
void Place(TAlign align, TAlignItem& item, TAlignArea& free) {
  const int width = std::max(0, free.Right - free.Left);
  const int height = std::max(0, free.Bottom - free.Top);
  switch (align) {
    case alTop:
      item.Left = free.Left;
      item.Top = free.Top;
      item.Width = width;
      free.Top += item.Height;
      break;
    case alBottom:
      item.Left = free.Left;
      item.Top = free.Bottom - item.Height;
      item.Width = width;
      free.Bottom -= item.Height;
      break;
    case alLeft:
      item.Left = free.Left;
      item.Top = free.Top;
      item.Height = height;
      free.Left += item.Width;
      break;
    case alRight:
      item.Left = free.Right - item.Width;
      item.Top = free.Top;
      item.Height = height;
      free.Right -= item.Width;
      break;
    case alClient:
      item.Left = free.Left;
      item.Top = free.Top;
      item.Width = width;
      item.Height = height;
      break;
    case alNone: break;
  }
}

}  // namespace

// Places the aligned items kind by kind.
void AlignItems(const TAlignArea& area, std::vector<TAlignItem>& items) {
  TAlignArea free = area;
  for (TAlign align : {alTop, alBottom, alLeft, alRight, alClient}) {
    std::vector<TAlignItem*> kind;
    for (TAlignItem& item : items)
      if (item.Align == align && item.Visible) kind.push_back(&item);
    std::stable_sort(kind.begin(), kind.end(), [align](const TAlignItem* a, const TAlignItem* b) {
      return EdgeKey(align, *a) < EdgeKey(align, *b);
    });
    for (TAlignItem* item : kind) {
      item->Width = std::max(0, item->Width);
      item->Height = std::max(0, item->Height);
      Place(align, *item, free);
    }
  }
}
