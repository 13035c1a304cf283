// Keyword and fragment matching of file paths.
#include "app/PathMatcher.h"

#include <algorithm>

namespace {
// The strings without repeats, in first-seen order.
std::vector<std::string> Distinct(const std::vector<std::string>& list) {
  std::vector<std::string> out;
  for (const std::string& s : list)
    if (std::find(out.begin(), out.end(), s) == out.end()) out.push_back(s);
  return out;
}
}  // namespace

// Keeps each distinct keyword and fragment once; repeats change no result.
TPathMatcher::TPathMatcher(const std::vector<std::string>& keywords,
                           const std::vector<std::string>& fragments)
    : FKeywords(Distinct(keywords)), FFragments(Distinct(fragments)) {}

// True when path holds at least one keyword and at least one fragment.
bool TPathMatcher::IsHit(const std::string& path) const {
  return ContainsAny(path, FFragments) && ContainsAny(path, FKeywords);
}

// True when any needle occurs in text, compared byte for byte.
bool TPathMatcher::ContainsAny(const std::string& text, const std::vector<std::string>& needles) {
  for (const std::string& needle : needles)
    if (text.find(needle) != std::string::npos) return true;
  return false;
}
