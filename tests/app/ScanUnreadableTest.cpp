// A folder that cannot be read, in a prefix of its own whose drive D: holds
// the tree of make-test-tree "unreadable" and whose program runs without
// root's power to read any folder: the completion box says how many folders
// the scan could not read.
#include "ScanFixture.h"

namespace {

TEST_F(ScanWindowTest, CompletionBoxCountsTheFoldersNotScanned) {
  const std::string box = FullScan();
  EXPECT_EQ(BoxMessage(box, "Scan complete"),
            "Scan complete\n\rItems found:1\r\nFolders not scanned:1")
      << box;
  EXPECT_EQ(ListEntries(), std::vector<std::string>{"D:\\open\\porn.jpg"});
}

}  // namespace
