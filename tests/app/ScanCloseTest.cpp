// Closing the main window in the middle of a scan. A program of its own: the
// application has ended when this test is done.
#include "ScanFixture.h"

namespace {

// Closing the main window in the middle of a scan ends the scan and the
// application, and deletes nothing.
TEST_F(ScanTest, ClosingDuringAScanEndsItWithoutDeleting) {
  auto closer = DuringScan([] { PostMessageA(Form1->Handle(), WM_CLOSE, 0, 0); });
  auto box = AnswerNext("#32770", "OK", 3000);  // may or may not show once the loop is quitting
  PressScanButton();
  Pump();
  closer.get();
  box.get();
  EXPECT_TRUE(StopRequested);
  EXPECT_LT(ListEntries().size(), ExpectedHits().size());
  for (const TTreeFile& f : kTree) EXPECT_TRUE(Exists(f.Path)) << f.Path;
  EXPECT_TRUE(Application->Terminated());
}

}  // namespace
