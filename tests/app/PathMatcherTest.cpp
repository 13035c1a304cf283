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

// The wide walk's matcher finds the same letters: the stored Windows-1252
// lists are widened, and names outside that code page take part.
TEST(PathMatcher, WideMatcherMatchesTheSameLetters) {
  const TWidePathMatcher m = WidenedMatcher({"porn", "wank ", "br\xFCste"}, {"jpg", ".lnk"});
  const struct {
    const wchar_t* Path;
    bool Hit;
  } cases[] = {
      {L"D:\\x\\br\u00FCste.jpg", true},  // stored as the byte FC
      {L"D:\\\u0424\u043E\u0442\u043E\\porn.jpg", true},
      {L"D:\\\u5199\u771F\\PORN.JPG", false},  // still case-sensitive
      {L"D:\\wank.lnk", false},
      {L"D:\\wank \u30DD.lnk", true},
  };
  for (const auto& c : cases) EXPECT_EQ(m.IsHit(c.Path), c.Hit) << "case " << &c - cases;
}

// The one-pass search finds what a search for each string finds: at the
// ends, with shared first letters, needles longer than the path, bytes
// above 0x7F and characters that share their low byte.
TEST(PathMatcher, FindsWhatASearchForEachStringFinds) {
  const std::vector<std::string> keywords{"sex", "sexy", "sa", "xx", "\xFCs"};
  const std::vector<std::string> fragments{"jpg", ".j", "g"};
  const TPathMatcher m(keywords, fragments);
  const auto contains = [](const std::string& path, const std::vector<std::string>& list) {
    for (const std::string& s : list)
      if (path.find(s) != std::string::npos) return true;
    return false;
  };
  for (const std::string path : {"sex", "se", "a\\sa", "D:\\x", "D:\\xx.jpg", "jp", "\xFC",
                                 "a\xFCs.g", "", "D:\\sexy\\a.j", "saxx"}) {
    EXPECT_EQ(m.HasKeyword(path), contains(path, keywords)) << path;
    EXPECT_EQ(m.HasFragment(path), contains(path, fragments)) << path;
  }
  EXPECT_TRUE(TPathMatcher({""}, {"x"}).HasKeyword("anything"));  // an empty keyword
  const TWidePathMatcher wide({L"\u0173x"}, {L"s"});              // low byte 0x73, as 's'
  EXPECT_FALSE(wide.HasKeyword(L"sx"));
  EXPECT_TRUE(wide.HasKeyword(L"a\u0173x"));
  EXPECT_FALSE(wide.HasFragment(L"\u0173"));
}
