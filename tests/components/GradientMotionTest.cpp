// The waiting gradient's arithmetic: bands, rounding and the step rule.
#include <gtest/gtest.h>

#include "components/GradientMotion.h"

TEST(GradientMotion, HalvesRoundToTheEvenNeighbour) {
  EXPECT_EQ(RoundHalfEven(2.5), 2);
  EXPECT_EQ(RoundHalfEven(7.5), 8);
  EXPECT_EQ(RoundHalfEven(12.5), 12);
  EXPECT_EQ(RoundHalfEven(2.51), 3);
  EXPECT_EQ(RoundHalfEven(-0.5), 0);
  EXPECT_EQ(RoundHalfEven(-1.5), -2);
  EXPECT_EQ(RoundHalfEven(3.0), 3);
}

TEST(GradientMotion, NarrowControlGetsOneBandPerColumnOfTheControl) {
  // Width 20, gradient 50: 20 bands of 2.5 pixels.
  const auto bands = GradientBands(50, 20, 0x000000, 0x0000C8);
  ASSERT_EQ(bands.size(), 20u);
  const int edges[] = {0, 2, 5, 8, 10, 12, 15, 18, 20};
  for (int i = 0; i < 8; ++i) {
    EXPECT_EQ(bands[i].Left, edges[i]) << i;
    EXPECT_EQ(bands[i].Right, edges[i + 1]) << i;
  }
  EXPECT_EQ(bands.back().Right, 50);
  // Red rises by 200 / 20 = 10 per band; the last band is one step short of 200.
  EXPECT_EQ(bands[0].Color, 0x000000u);
  EXPECT_EQ(bands[1].Color, 0x00000Au);
  EXPECT_EQ(bands.back().Color, 0x0000BEu);
}

TEST(GradientMotion, WideControlGetsOnePixelBandsAndChannelsMoveApart) {
  // Button face grey to black over 50 pixels.
  const auto bands = GradientBands(50, 630, 0xC8D0D4, 0x000000);
  ASSERT_EQ(bands.size(), 50u);
  for (int i = 0; i < 50; ++i) {
    EXPECT_EQ(bands[i].Left, i);
    EXPECT_EQ(bands[i].Right, i + 1);
  }
  // Channel by channel: 0xD4 - 25 * 0xD4 / 50 = 106, 0xD0 -> 104, 0xC8 -> 100.
  EXPECT_EQ(bands[25].Color, (100u << 16) | (104u << 8) | 106u);
  // 0xD4 - 49 * 4.24 = 4.24 -> 4.
  EXPECT_EQ(bands[49].Color & 0xFF, 4u);
}

TEST(GradientMotion, NoBandsWithoutWidth) {
  EXPECT_TRUE(GradientBands(50, 0, 0, 0xFFFFFF).empty());
  EXPECT_TRUE(GradientBands(0, 100, 0, 0xFFFFFF).empty());
  EXPECT_TRUE(GradientBands(50, -4, 0, 0xFFFFFF).empty());
}

TEST(GradientMotion, ReachesTheRightBorderAfter315StepsAndComesBackFromIt) {
  TGradientMotion m;  // -50, moving right
  for (int i = 0; i < 315; ++i) ASSERT_FALSE(StepGradientMotion(m, 50, 630)) << i;
  EXPECT_EQ(m.Position, 580);  // right edge on the border, fully visible
  EXPECT_TRUE(m.MovingRight);
  EXPECT_TRUE(StepGradientMotion(m, 50, 630));
  EXPECT_FALSE(m.MovingRight);
  EXPECT_EQ(m.Position, 630);  // just out of view on the right
  EXPECT_FALSE(StepGradientMotion(m, 50, 630));
  EXPECT_EQ(m.Position, 628);
}

TEST(GradientMotion, TurnsAtTheLeftBorderOutOfViewOnTheLeft) {
  TGradientMotion m{2, false};
  EXPECT_FALSE(StepGradientMotion(m, 50, 100));
  EXPECT_EQ(m.Position, 0);
  EXPECT_TRUE(StepGradientMotion(m, 50, 100));
  EXPECT_TRUE(m.MovingRight);
  EXPECT_EQ(m.Position, -50);
  // An odd start still turns: the test is "> 0", not "== 0".
  TGradientMotion odd{1, false};
  StepGradientMotion(odd, 50, 100);
  EXPECT_EQ(odd.Position, -1);
  EXPECT_TRUE(StepGradientMotion(odd, 50, 100));
}

TEST(GradientMotion, ControlNarrowerThanTheGradientTurnsAtOnce) {
  TGradientMotion m{-50, true};
  // Ten steps bring the right edge to 20 (position -30); the next one turns.
  for (int i = 0; i < 10; ++i) EXPECT_FALSE(StepGradientMotion(m, 50, 20));
  EXPECT_EQ(m.Position, -30);
  EXPECT_TRUE(StepGradientMotion(m, 50, 20));
  EXPECT_EQ(m.Position, 20);
}
