// Decides whether a file path is a hit: it must contain one of the keywords
// and one of the file-type fragments, both as case-sensitive strings of
// characters (bytes for the ANSI walk, UTF-16 units for the wide one).
#pragma once

#include <array>
#include <string>
#include <vector>

template <class String>
class TBasicPathMatcher {
public:
  TBasicPathMatcher(const std::vector<String>& keywords, const std::vector<String>& fragments);

  // True when path holds at least one keyword and at least one fragment.
  bool IsHit(const String& path) const;
  // True when path holds at least one keyword.
  bool HasKeyword(const String& path) const { return ContainsAny(path, FKeywords); }
  // True when path holds at least one fragment.
  bool HasFragment(const String& path) const { return ContainsAny(path, FFragments); }

private:
  // A list of needles, indexed by the low byte of their first character, so
  // that one pass over a path tries at each place only the needles that can
  // start there (every file of a scan goes through here).
  struct TNeedles {
    explicit TNeedles(std::vector<String> list);
    std::vector<String> List;
    std::array<std::vector<unsigned>, 256> ByFirst;  // indexes into List
    bool HasEmpty = false;                           // an empty needle occurs everywhere
  };
  // True when any needle occurs in text.
  static bool ContainsAny(const String& text, const TNeedles& needles);
  TNeedles FKeywords;
  TNeedles FFragments;
};

using TPathMatcher = TBasicPathMatcher<std::string>;
using TWidePathMatcher = TBasicPathMatcher<std::wstring>;

// The matcher of the wide walk: the stored lists (Windows-1252 text, as
// stored) widened once, so that it matches the same letters as the ANSI one.
TWidePathMatcher WidenedMatcher(const std::vector<std::string>& keywords,
                                const std::vector<std::string>& fragments);
