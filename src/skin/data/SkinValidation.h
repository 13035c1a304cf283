// Checking a skin before it is shown: one validation of the values read
// from a skin (used by the loader and by skintool check) and, for skin
// authors, a look at the description itself. Each problem names the section
// and key that caused it, and the archive entry when a picture is involved.
//
// What the loader does about a problem is part of the problem: the whole
// skin is refused where a value makes no sense or asks too much (then the
// skin in force stays), a value out of range gives way to the key's default
// where the description has one, and the rest is kept as it is (the
// painters cope) and only reported.
#pragma once

#include <string>
#include <vector>

#include "skin/data/SkinValues.h"

class TProfileIni;
class TSkinReader;

enum class TSkinVerdict {
  Refused,  // the skin is not loaded
  Clamped,  // the value was replaced by the key's default
  Noted,    // kept as it is: a mistake of the author's that the painters survive
};

struct TSkinProblem {
  TSkinVerdict Verdict = TSkinVerdict::Noted;
  std::string Section;  // the description's section ("" for the archive or the file)
  std::string Key;      // the key in Section ("" for the whole section)
  std::string Entry;    // the archive entry concerned ("" when none)
  std::string Text;     // what is wrong, and what was done about it

  // "[Section] Key (entry): Text", leaving out what is empty.
  std::string Describe() const;
};

// The problems found in one skin, in the order they were found.
class TSkinProblems {
public:
  void Add(TSkinVerdict Verdict, const std::string& Section, const std::string& Key,
           const std::string& Entry, const std::string& Text);
  // True when a problem refuses the skin.
  bool Refused() const;
  // The first problem that refuses the skin, described ("" when none).
  std::string FirstRefusal() const;
  const std::vector<TSkinProblem>& Items() const { return FItems; }

private:
  std::vector<TSkinProblem> FItems;
};

// Checks the values read from Ini (whose pictures are decoded in Values)
// against the skin limits and the pictures' sizes: frame counts that leave
// frames of no pixel, borders thicker than the limit, margins that do not
// fit in their frame, offsets out of range, frame counts that do not divide
// their picture. Puts the keys' defaults in place of values out of range
// and records every problem in Problems. Run once on what the reader read.
void ValidateSkinValues(const TProfileIni& Ini, TSkinValues& Values, TSkinProblems& Problems);

// What only an author needs to know, as Noted problems: sections and keys
// the engine does not read (a likely typo), keys before any section,
// sections and keys given twice (only the first is read), picture values
// that name no entry (a forward slash is no folder separator; the extension
// must be ".bmp"), entries that are no picture the engine reads, integers
// that do not parse and colour texts that do not read as their numbers.
void LintSkinDescription(const TProfileIni& Ini, TSkinReader& Reader, TSkinProblems& Problems);
