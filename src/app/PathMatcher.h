// Decides whether a file path is a hit: it must contain one of the keywords
// and one of the file-type fragments, both as case-sensitive byte strings.
#pragma once

#include <string>
#include <vector>

class TPathMatcher {
public:
  TPathMatcher(const std::vector<std::string>& keywords, const std::vector<std::string>& fragments);

  // True when path holds at least one keyword and at least one fragment.
  bool IsHit(const std::string& path) const;
  // True when path holds at least one keyword.
  bool HasKeyword(const std::string& path) const { return ContainsAny(path, FKeywords); }
  // True when path holds at least one fragment.
  bool HasFragment(const std::string& path) const { return ContainsAny(path, FFragments); }

private:
  // True when any needle occurs in text (an empty needle occurs everywhere).
  static bool ContainsAny(const std::string& text, const std::vector<std::string>& needles);
  std::vector<std::string> FKeywords;
  std::vector<std::string> FFragments;
};
