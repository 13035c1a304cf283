// Which paths are hits.
#include <gtest/gtest.h>

#include "app/PathMatcher.h"

namespace {
const TPathMatcher& Matcher() {
  static const TPathMatcher m({"porn", "sex", "adult", "wank ", "orgy", "orgy", "br\xFCste"},
                              {"jpg", "gif", "txt", ".lnk"});
  return m;
}
}  // namespace

TEST(PathMatcher, NeedsBothAKeywordAndAFragmentAnywhereInThePath) {
  EXPECT_TRUE(Matcher().IsHit("C:\\adult\\holiday.jpg"));  // keyword only in the folder part
  EXPECT_TRUE(Matcher().IsHit("D:\\sexy\\notes.txt"));
  EXPECT_TRUE(Matcher().IsHit("D:\\jpgs\\porn.dat"));       // fragment in the folder part
  EXPECT_FALSE(Matcher().IsHit("D:\\porn\\movie.avi"));     // no fragment
  EXPECT_FALSE(Matcher().IsHit("D:\\holiday\\beach.jpg"));  // no keyword
  EXPECT_TRUE(
      Matcher().IsHit("D:\\x\\Br\xFC"
                      "ste\\orgy.gif"));
  EXPECT_TRUE(Matcher().IsHit("D:\\br\xFCste.gif"));  // the Windows-1252 byte itself
}

TEST(PathMatcher, IsCaseSensitive) {
  EXPECT_FALSE(Matcher().IsHit("D:\\Pictures\\SEX.JPG"));
  EXPECT_FALSE(Matcher().IsHit("C:\\Photos\\Porn\\a.JPG"));
  EXPECT_FALSE(Matcher().IsHit("C:\\Photos\\porn\\a.JPG"));
}

TEST(PathMatcher, TrailingSpaceIsPartOfTheKeyword) {
  EXPECT_TRUE(Matcher().IsHit("D:\\wank pics\\a.gif"));
  EXPECT_FALSE(Matcher().IsHit("D:\\wank.gif"));
}
