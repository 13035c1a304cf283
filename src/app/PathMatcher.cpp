// Keyword and fragment matching of file paths.
#include "app/PathMatcher.h"

#include <algorithm>
#include <utility>

#include "ui/SysUtils.h"

namespace {
// The strings without repeats, in first-seen order.
template <class String>
std::vector<String> Distinct(const std::vector<String>& list) {
  std::vector<String> out;
  for (const String& s : list)
    if (std::find(out.begin(), out.end(), s) == out.end()) out.push_back(s);
  return out;
}

// Windows-1252 strings as wide ones.
std::vector<std::wstring> Widened(const std::vector<std::string>& list) {
  std::vector<std::wstring> out;
  for (const std::string& s : list) {
    const std::u16string w = AnsiToWide(s);
    out.emplace_back(w.begin(), w.end());
  }
  return out;
}
}  // namespace

// Keeps each distinct keyword and fragment once; repeats change no result.
template <class String>
TBasicPathMatcher<String>::TBasicPathMatcher(const std::vector<String>& keywords,
                                             const std::vector<String>& fragments)
    : FKeywords(Distinct(keywords)), FFragments(Distinct(fragments)) {}

// True when path holds at least one keyword and at least one fragment.
template <class String>
bool TBasicPathMatcher<String>::IsHit(const String& path) const {
  return ContainsAny(path, FFragments) && ContainsAny(path, FKeywords);
}

// Each needle under the low byte of its first character.
template <class String>
TBasicPathMatcher<String>::TNeedles::TNeedles(std::vector<String> list) : List(std::move(list)) {
  for (unsigned i = 0; i < List.size(); ++i) {
    if (List[i].empty())
      HasEmpty = true;
    else
      ByFirst[static_cast<unsigned>(List[i][0]) & 0xFF].push_back(i);
  }
}

// True when any needle occurs in text, compared character for character:
// at each place, the needles whose first character is the one found there.
template <class String>
bool TBasicPathMatcher<String>::ContainsAny(const String& text, const TNeedles& needles) {
  if (needles.HasEmpty) return true;
  using Traits = typename String::traits_type;
  const size_t length = text.size();
  for (size_t at = 0; at < length; ++at) {
    const auto c = text[at];
    for (unsigned i : needles.ByFirst[static_cast<unsigned>(c) & 0xFF]) {
      const String& needle = needles.List[i];
      if (needle[0] != c || needle.size() > length - at) continue;
      // The second character is compared here: most places fail there.
      if (needle.size() == 1 ||
          (text[at + 1] == needle[1] &&
           Traits::compare(text.data() + at + 2, needle.data() + 2, needle.size() - 2) == 0))
        return true;
    }
  }
  return false;
}

template class TBasicPathMatcher<std::string>;
template class TBasicPathMatcher<std::wstring>;

// The wide matcher over the stored lists, widened once.
TWidePathMatcher WidenedMatcher(const std::vector<std::string>& keywords,
                                const std::vector<std::string>& fragments) {
  return TWidePathMatcher(Widened(keywords), Widened(fragments));
}
