// Alignment of child controls, worked out without any window: top and
// bottom children stack from their edges in the order of their positions,
// then left and right ones, and a client child takes what is left.
#include <gtest/gtest.h>

#include <memory>

#include "ui/ExtCtrls.h"

namespace {

// A bare graphic control to be aligned.
TGraphicControl* Child(TWinControl& parent, int left, int top, int width, int height,
                       TAlign align) {
  auto* c = new TGraphicControl(&parent);
  c->SetBounds(left, top, width, height);
  c->SetParent(&parent);
  c->SetAlign(align);
  return c;
}

void ExpectBounds(const TControl* c, int left, int top, int width, int height) {
  EXPECT_EQ(c->Left(), left);
  EXPECT_EQ(c->Top(), top);
  EXPECT_EQ(c->Width(), width);
  EXPECT_EQ(c->Height(), height);
}

// A 300 by 200 panel without bevels, never given a window.
std::unique_ptr<TPanel> Container() {
  auto panel = std::make_unique<TPanel>(nullptr);
  panel->SetBevelOuter(bvNone);
  panel->SetBounds(0, 0, 300, 200);
  return panel;
}

}  // namespace

TEST(Align, ControlsAreMovedToTheirAlignedPlaces) {
  auto panel = Container();
  // Added, as a definition adds them, in an order different from their
  // places; alignment waits until all are there (as it waits for loading).
  panel->DisableAlign();
  TControl* lowerTop = Child(*panel, 0, 50, 10, 20, alTop);
  TControl* upperTop = Child(*panel, 0, 10, 10, 30, alTop);
  TControl* right = Child(*panel, 0, 0, 60, 10, alRight);
  TControl* client = Child(*panel, 5, 5, 5, 5, alClient);
  TControl* loose = Child(*panel, 7, 8, 9, 10, alNone);
  panel->EnableAlign();
  ExpectBounds(upperTop, 0, 0, 300, 30);
  ExpectBounds(lowerTop, 0, 30, 300, 20);
  ExpectBounds(right, 240, 50, 60, 150);
  ExpectBounds(client, 0, 50, 240, 150);
  ExpectBounds(loose, 7, 8, 9, 10);
  // Changing one child's alignment lays the others out again.
  right->SetAlign(alNone);
  ExpectBounds(client, 0, 50, 300, 150);
}

TEST(Align, HiddenChildrenGiveUpTheirPlaceAndResizingRealigns) {
  auto panel = Container();
  TControl* bar = Child(*panel, 0, 180, 10, 20, alBottom);
  TControl* client = Child(*panel, 0, 0, 1, 1, alClient);
  EXPECT_EQ(client->Height(), 180);
  bar->SetVisible(false);
  EXPECT_EQ(client->Height(), 200);
  bar->SetVisible(true);
  panel->SetBounds(0, 0, 100, 50);
  ExpectBounds(bar, 0, 30, 100, 20);
  ExpectBounds(client, 0, 0, 100, 30);
  // Too small: the client child gets no size rather than a negative one.
  panel->SetBounds(0, 0, 100, 10);
  EXPECT_EQ(client->Height(), 0);
}

TEST(Align, PanelBordersAndBevelsShrinkTheSharedArea) {
  auto panel = Container();
  panel->SetBevelOuter(bvRaised);
  panel->SetBevelInner(bvLowered);
  panel->SetBevelWidth(2);
  panel->SetBorderWidth(3);
  TControl* client = Child(*panel, 0, 0, 1, 1, alClient);
  ExpectBounds(client, 7, 7, 286, 186);
}

TEST(Align, NothingMovesWhileAlignmentIsDisabled) {
  auto panel = Container();
  panel->DisableAlign();
  TControl* top = Child(*panel, 0, 60, 10, 20, alTop);
  ExpectBounds(top, 0, 60, 10, 20);
  panel->EnableAlign();
  ExpectBounds(top, 0, 0, 300, 20);
}
