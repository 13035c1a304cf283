// The waiting gradient as a control: its picture, its setters and its timer thread.
#include <gtest/gtest.h>

#include "components/JvWaitingGradient.h"
#include "support/Wait.h"
#include "ui/Filer.h"
#include "ui/Forms.h"

namespace {

// Paints the control into a 24-bit bitmap of its size, as its parent would.
std::unique_ptr<TBitmap> Render(TJvWaitingGradient& g) {
  auto target = std::make_unique<TBitmap>();
  target->SetPixelFormat(TPixelFormat::pf24bit);
  target->SetSize(g.Width(), g.Height());
  g.Perform(WM_PAINT, reinterpret_cast<WPARAM>(target->Canvas().Handle()), 0);
  return target;
}

}  // namespace

TEST(JvWaitingGradient, StartsStillOutOfViewOnTheLeftWithItsDefaults) {
  TJvWaitingGradient g(nullptr);
  EXPECT_EQ(g.Width(), 100);
  EXPECT_EQ(g.Height(), 10);
  EXPECT_EQ(g.Color(), clBtnFace);
  EXPECT_TRUE(g.ControlStyle() & csOpaque);
  EXPECT_FALSE(g.Enabled());
  EXPECT_EQ(g.Interval(), 50u);
  EXPECT_EQ(g.Thread()->Delay.load(), 50);
  EXPECT_TRUE(g.Thread()->Suspended());
  EXPECT_EQ(g.GradientWidth(), 50);
  EXPECT_EQ(g.StartColor(), clBtnFace);
  EXPECT_EQ(g.EndColor(), clBlack);
  EXPECT_EQ(g.Position(), -50);
  EXPECT_TRUE(g.MovingRight());
  EXPECT_EQ(g.DestRect().left, 0);
  EXPECT_EQ(g.DestRect().right, 50);
  EXPECT_EQ(g.DestRect().bottom, 10);
  EXPECT_EQ(g.GradientBitmap()->Width(), 50);
  EXPECT_EQ(g.GradientBitmap()->Height(), 10);
}

TEST(JvWaitingGradient, BeforeTheFirstStepTheGradientStandsAtTheLeftEnd) {
  TJvWaitingGradient g(nullptr);
  g.SetColor(clWhite);
  g.SetStartColor(clRed);
  g.SetWidth(630);
  auto picture = Render(g);
  EXPECT_EQ(picture->Canvas().Pixel(0, 5), RGB(255, 0, 0));       // StartColor at x = 0
  EXPECT_EQ(picture->Canvas().Pixel(49, 5), RGB(5, 0, 0));        // one step short of black
  EXPECT_EQ(picture->Canvas().Pixel(50, 5), RGB(255, 255, 255));  // Color beyond it
  EXPECT_EQ(picture->Canvas().Pixel(629, 9), RGB(255, 255, 255));

  // The first step puts it almost out of view: only its last two columns show.
  g.StepGradient(nullptr);
  EXPECT_EQ(g.Position(), -48);
  EXPECT_EQ(g.DestRect().left, -48);
  picture = Render(g);
  EXPECT_EQ(picture->Canvas().Pixel(0, 5), RGB(10, 0, 0));
  EXPECT_EQ(picture->Canvas().Pixel(1, 5), RGB(5, 0, 0));
  EXPECT_EQ(picture->Canvas().Pixel(2, 5), RGB(255, 255, 255));
}

TEST(JvWaitingGradient, NarrowControlDrawsBandsTwoAndAHalfPixelsWide) {
  TJvWaitingGradient g(nullptr);
  g.SetStartColor(clBlack);
  g.SetEndColor(0x0000C8);  // red 200: 10 per band over 20 bands
  g.SetWidth(20);
  TCanvas& bmp = g.GradientBitmap()->Canvas();
  const int expected[][2] = {{0, 0},  {1, 0},  {2, 10}, {4, 10},  {5, 20},
                             {7, 20}, {8, 30}, {9, 30}, {10, 40}, {49, 190}};
  for (const auto& e : expected) EXPECT_EQ(bmp.Pixel(e[0], 3), RGB(e[1], 0, 0)) << "x=" << e[0];
}

TEST(JvWaitingGradient, ZeroWidthSizesTheBitmapWithoutDrawingIt) {
  TJvWaitingGradient g(nullptr);
  g.SetStartColor(clWhite);
  g.SetEndColor(clWhite);
  g.SetWidth(0);
  g.SetHeight(12);
  ASSERT_EQ(g.GradientBitmap()->Width(), 50);
  EXPECT_EQ(g.GradientBitmap()->Height(), 12);
  // New colours rebuild, but nothing is drawn: the old rows keep their white.
  const int builds = g.BuildCount();
  g.SetStartColor(clRed);
  EXPECT_EQ(g.BuildCount(), builds + 1);
  EXPECT_EQ(g.GradientBitmap()->Canvas().Pixel(10, 5), RGB(255, 255, 255));
  // Painting a control of width 0 draws nothing and does not fail.
  EXPECT_NO_THROW(Render(g));
}

TEST(JvWaitingGradient, WidthsOfZeroOrLessAreIgnoredAndOthersRestartOnTheLeft) {
  TJvWaitingGradient g(nullptr);
  g.SetWidth(200);
  for (int i = 0; i < 30; ++i) g.StepGradient(nullptr);
  const int builds = g.BuildCount();
  g.SetGradientWidth(0);
  g.SetGradientWidth(-7);
  EXPECT_EQ(g.GradientWidth(), 50);
  EXPECT_EQ(g.Position(), 10);
  EXPECT_EQ(g.BuildCount(), builds);

  g.SetGradientWidth(30);
  EXPECT_EQ(g.Position(), -30);
  EXPECT_EQ(g.SourceRect().right, 30);
  EXPECT_EQ(g.DestRect().left, 0);
  EXPECT_EQ(g.DestRect().right, 30);
  EXPECT_EQ(g.GradientBitmap()->Width(), 30);
  EXPECT_TRUE(g.MovingRight());
}

TEST(JvWaitingGradient, ColourSettersRebuildOnlyOnAChange) {
  TJvWaitingGradient g(nullptr);
  const int builds = g.BuildCount();
  g.SetStartColor(clBtnFace);
  g.SetEndColor(clBlack);
  EXPECT_EQ(g.BuildCount(), builds);
  g.SetStartColor(clWhite);
  g.SetEndColor(clBlue);
  EXPECT_EQ(g.BuildCount(), builds + 2);
  EXPECT_EQ(g.GradientBitmap()->Canvas().Pixel(0, 0), RGB(255, 255, 255));
}

TEST(JvWaitingGradient, TurnsAtTheRightBorderAfter315StepsWithItsColoursSwapped) {
  TJvWaitingGradient g(nullptr);
  g.SetStartColor(clWhite);
  g.SetWidth(630);
  for (int i = 0; i < 315; ++i) g.StepGradient(nullptr);
  EXPECT_EQ(g.Position(), 580);
  EXPECT_EQ(g.DestRect().right, 630);
  EXPECT_TRUE(g.MovingRight());
  EXPECT_EQ(g.GradientBitmap()->Canvas().Pixel(0, 0), RGB(255, 255, 255));

  g.StepGradient(nullptr);
  EXPECT_FALSE(g.MovingRight());
  EXPECT_EQ(g.Position(), 630);
  EXPECT_EQ(g.DestRect().left, 630);
  // EndColor now leads on the left.
  EXPECT_EQ(g.GradientBitmap()->Canvas().Pixel(0, 0), RGB(0, 0, 0));
  g.StepGradient(nullptr);
  EXPECT_EQ(g.Position(), 628);
}

TEST(JvWaitingGradient, ResizeResetsTheRectanglesButNotThePosition) {
  TJvWaitingGradient g(nullptr);
  g.SetWidth(300);
  for (int i = 0; i < 40; ++i) g.StepGradient(nullptr);
  g.SetHeight(14);
  EXPECT_EQ(g.Position(), 30);
  EXPECT_EQ(g.DestRect().left, 0);
  EXPECT_EQ(g.DestRect().bottom, 14);
  EXPECT_EQ(g.GradientBitmap()->Height(), 14);
  g.StepGradient(nullptr);
  EXPECT_EQ(g.DestRect().left, 32);
}

TEST(JvWaitingGradient, DisabledThreadStopsAndResumesFromTheSamePosition) {
  TJvWaitingGradient g(nullptr);
  g.SetWidth(630);
  g.SetInterval(2);
  g.SetEnabled(true);
  ASSERT_TRUE(WaitUntil([&] { return g.Position() >= -40; }));
  g.SetEnabled(false);
  const int held = g.Position();
  // Not even a step queued before the suspension.
  EXPECT_FALSE(HappensWithin([&] { return g.Position() != held; }, 100));

  // Disabling twice and enabling once runs again: suspensions do not nest.
  g.SetEnabled(false);
  g.SetEnabled(true);
  ASSERT_TRUE(WaitUntil([&] { return g.Position() != held; }));
  EXPECT_EQ(g.Position(), held + 2);
}

TEST(JvWaitingGradient, IntervalReachesTheThread) {
  TJvWaitingGradient g(nullptr);
  g.SetInterval(250);
  EXPECT_EQ(g.Thread()->Delay.load(), 250);
}

TEST(JvWaitingGradient, WhileLoadingNothingStartsUntilLoaded) {
  TJvWaitingGradient g(nullptr);
  g.SetLoading(true);
  const int builds = g.BuildCount();
  g.SetEnabled(true);
  g.SetStartColor(clWhite);
  EXPECT_TRUE(g.Thread()->Suspended());
  EXPECT_EQ(g.BuildCount(), builds);
  g.SetLoading(false);
  g.Loaded();
  EXPECT_EQ(g.BuildCount(), builds + 1);
  EXPECT_FALSE(g.Thread()->Suspended());
}

TEST(JvWaitingGradient, StoredFormKeepsItsSettingsAndAlwaysTheGradientWidth) {
  TJvWaitingGradient g(nullptr);
  g.SetName("JvWaitingGradient1");
  const TPropInfo* width = TJvWaitingGradient::StaticClass().FindProp("GradientWidth");
  ASSERT_NE(width, nullptr);
  EXPECT_TRUE(width->IsStored(g));  // 50, the default, is still written
  EXPECT_FALSE(TJvWaitingGradient::StaticClass().FindProp("Enabled")->IsStored(g));
  // Its own colour turned ParentColor off, which differs from the default (on).
  const TPropInfo* parentColor = TJvWaitingGradient::StaticClass().FindProp("ParentColor");
  EXPECT_FALSE(g.ParentColor());
  EXPECT_TRUE(parentColor->IsStored(g));
  g.SetParentColor(true);
  EXPECT_FALSE(parentColor->IsStored(g));
  g.SetColor(clBtnFace);

  g.SetGradientWidth(40);
  g.SetEndColor(clNavy);
  g.SetInterval(80);
  TMemoryStream stream;
  WriteComponentToStream(stream, &g);
  stream.SetPosition(0);
  TJvWaitingGradient copy(nullptr);
  ReadComponentFromStream(stream, &copy);
  EXPECT_EQ(copy.GradientWidth(), 40);
  EXPECT_EQ(copy.EndColor(), clNavy);
  EXPECT_EQ(copy.Interval(), 80u);
  EXPECT_EQ(copy.Width(), 100);
  EXPECT_EQ(copy.GradientBitmap()->Width(), 40);
  EXPECT_TRUE(copy.Thread()->Suspended());
}

TEST(JvWaitingGradient, PaintsOnItsFormAndStepsThroughTheApplicationLoop) {
  auto form = std::make_unique<TForm>(nullptr);
  form->SetClientWidth(630);
  form->SetClientHeight(100);
  auto* g = new TJvWaitingGradient(form.get());
  g->SetParent(form.get());
  g->SetAlign(alBottom);
  g->SetColor(clWhite);
  g->SetStartColor(clRed);
  form->Show();
  Application->ProcessMessages();
  ASSERT_EQ(g->Width(), 630);
  ASSERT_EQ(g->Top(), 90);

  auto pixel = [&](int x) {
    HDC dc = GetDC(form->Handle());
    const COLORREF c = GetPixel(dc, x, 95);
    ReleaseDC(form->Handle(), dc);
    return c;
  };
  EXPECT_EQ(pixel(0), RGB(255, 0, 0));
  EXPECT_EQ(pixel(60), RGB(255, 255, 255));

  // The timer thread's steps run from the application's own message processing.
  g->SetInterval(1);
  g->SetEnabled(true);
  ASSERT_TRUE(WaitUntil([&] {
    Application->ProcessMessages();
    return g->Position() >= 0;
  }));
  g->SetEnabled(false);
  Application->ProcessMessages();
  const int at = g->Position();
  ASSERT_GE(at, 0);
  EXPECT_EQ(pixel(at), RGB(255, 0, 0));  // the trailing edge, where the gradient now starts
  if (at > 0) {
    EXPECT_EQ(pixel(at - 1), RGB(255, 255, 255));
  }
}
