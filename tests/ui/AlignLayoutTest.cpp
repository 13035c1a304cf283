// The alignment arithmetic on its own.
#include <gtest/gtest.h>

#include <vector>

#include "ui/AlignLayout.h"

namespace {

TAlignItem Item(TAlign align, int left, int top, int width, int height, bool visible = true) {
  return TAlignItem{align, visible, left, top, width, height};
}

void ExpectItem(const TAlignItem& item, int left, int top, int width, int height) {
  EXPECT_EQ(item.Left, left);
  EXPECT_EQ(item.Top, top);
  EXPECT_EQ(item.Width, width);
  EXPECT_EQ(item.Height, height);
}

}  // namespace

TEST(AlignLayout, TheMainWindowLayout) {
  // Stored order of the main window: gradient, list, status bar, panel.
  std::vector<TAlignItem> items = {
      Item(alBottom, 0, 365, 630, 10),  // gradient, above the status bar
      Item(alClient, 0, 41, 630, 324),
      Item(alBottom, 0, 375, 630, 19),  // status bar
      Item(alTop, 0, 0, 630, 41),
  };
  AlignItems(TAlignArea{0, 0, 630, 394}, items);
  ExpectItem(items[0], 0, 365, 630, 10);
  ExpectItem(items[1], 0, 41, 630, 324);
  ExpectItem(items[2], 0, 375, 630, 19);
  ExpectItem(items[3], 0, 0, 630, 41);
}

TEST(AlignLayout, EdgeChildrenStackInTheOrderOfTheirPositions) {
  std::vector<TAlignItem> items = {
      Item(alTop, 0, 50, 10, 20),
      Item(alTop, 0, 10, 10, 30),  // second is nearer the top
      Item(alBottom, 0, 160, 10, 10),
      Item(alBottom, 0, 180, 10, 19),  // second is nearer the bottom
      Item(alTop, 0, 10, 10, 5),       // ties keep the child order
  };
  AlignItems(TAlignArea{0, 0, 300, 200}, items);
  ExpectItem(items[1], 0, 0, 300, 30);
  ExpectItem(items[4], 0, 30, 300, 5);
  ExpectItem(items[0], 0, 35, 300, 20);
  ExpectItem(items[3], 0, 181, 300, 19);
  ExpectItem(items[2], 0, 171, 300, 10);
}

TEST(AlignLayout, LeftRightAndClientShareWhatIsLeft) {
  std::vector<TAlignItem> items = {
      Item(alClient, 0, 0, 1, 1), Item(alRight, 0, 0, 60, 1), Item(alLeft, 0, 0, 50, 1),
      Item(alTop, 0, 0, 1, 40),   Item(alNone, 7, 8, 9, 10),  Item(alLeft, 0, 0, 20, 1, false),
  };
  AlignItems(TAlignArea{10, 5, 310, 205}, items);
  ExpectItem(items[3], 10, 5, 300, 40);
  ExpectItem(items[2], 10, 45, 50, 160);
  ExpectItem(items[1], 250, 45, 60, 160);
  ExpectItem(items[0], 60, 45, 190, 160);
  ExpectItem(items[4], 7, 8, 9, 10);  // not aligned: untouched
  ExpectItem(items[5], 0, 0, 20, 1);  // hidden: untouched, takes no room
}

TEST(AlignLayout, TooLittleRoomGivesEmptyNotNegativeSizes) {
  std::vector<TAlignItem> items = {
      Item(alTop, 0, 0, 1, 30),
      Item(alBottom, 0, 0, 1, 30),
      Item(alClient, 0, 0, 1, 1),
      Item(alLeft, 0, 0, -5, 1),
  };
  AlignItems(TAlignArea{0, 0, 100, 40}, items);
  ExpectItem(items[0], 0, 0, 100, 30);
  ExpectItem(items[1], 0, 10, 100, 30);
  ExpectItem(items[3], 0, 30, 0, 0);
  ExpectItem(items[2], 0, 30, 100, 0);
}
