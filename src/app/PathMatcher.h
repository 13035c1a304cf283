// Decides whether a file path is a hit: it must contain one of the keywords
// and one of the file-type fragments, both as case-sensitive strings of
// characters (bytes for the ANSI walk, UTF-16 units for the wide one).
#pragma once

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
  // True when any needle occurs in text (an empty needle occurs everywhere).
  static bool ContainsAny(const String& text, const std::vector<String>& needles);
  std::vector<String> FKeywords;
  std::vector<String> FFragments;
};

using TPathMatcher = TBasicPathMatcher<std::string>;
using TWidePathMatcher = TBasicPathMatcher<std::wstring>;

// The matcher of the wide walk: the stored lists (Windows-1252 text, as
// stored) widened once, so that it matches the same letters as the ANSI one.
TWidePathMatcher WidenedMatcher(const std::vector<std::string>& keywords,
                                const std::vector<std::string>& fragments);
