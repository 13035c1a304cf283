// The arithmetic of aligning child controls, apart from any window: top
// children stack from the top edge and bottom ones from the bottom edge
// (each kind in the order of their current positions, the one nearest its
// edge first), then left and right ones, and client children take what is
// left.
#pragma once

#include <vector>

enum TAlign { alNone, alTop, alBottom, alLeft, alRight, alClient };

// A rectangle by its edges.
struct TAlignArea {
  int Left = 0, Top = 0, Right = 0, Bottom = 0;
};

// One child: its alignment, whether it takes part (visible), its bounds.
struct TAlignItem {
  TAlign Align = alNone;
  bool Visible = true;
  int Left = 0, Top = 0, Width = 0, Height = 0;
};

// Gives every visible aligned item its place inside area; other items keep
// theirs. Sizes never become negative.
void AlignItems(const TAlignArea& area, std::vector<TAlignItem>& items);
