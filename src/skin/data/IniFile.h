// An INI text held in memory and read with the rules of the Windows profile
// functions (GetPrivateProfileString and friends), so that a skin description
// gives the same values as it would from a file on disk:
//   - lines end at CR or LF;
//   - blanks (white space and Ctrl-Z) around lines, names and values are trimmed;
//   - "[name]" opens a section; the name runs up to the LAST "]" of the line
//     and is trimmed; a line starting with "[" but holding no "]" is an
//     ordinary key line;
//   - "name=value" is a key; a line without "=" is a key without a value;
//   - section and key names match with ASCII letters folded (other letters
//     must match exactly); only the first section of a name is ever
//     searched, and its first key of a name wins;
//   - a value enclosed in the same quote character (' or ") on both ends is
//     handed out without the quotes; nothing is special about ";" lines,
//     which simply never match a real key name.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <unordered_map>
#include <vector>

class TProfileIni {
public:
  // Values are handed out through a 2048-character buffer, as INI readers on
  // the profile functions do: longer values are cut to this many characters.
  static constexpr size_t MaxValueLength = 2047;

  // Parses Text: Windows-1252 text, or UTF-8 / UTF-16 text behind a byte-order mark.
  explicit TProfileIni(const std::string& Text);

  // The value of Ident in Section; Default when the key is missing or has
  // no "=". An empty value is returned as it is.
  std::string ReadString(const std::string& Section, const std::string& Ident,
                         const std::string& Default) const;
  // The value of Ident as an integer (see ParseProfileInteger); Default when
  // the key is missing or its value is not a whole integer.
  int32_t ReadInteger(const std::string& Section, const std::string& Ident, int32_t Default) const;
  // True when a section of that name exists.
  bool SectionExists(const std::string& Section) const;
  // Every named section in file order, repeated names included.
  std::vector<std::string> SectionNames() const;

  // A section as written: its name ("" for the keys before the first
  // section) and its keys' names in order, repeated names included.
  struct TSectionOutline {
    std::string Name;
    std::vector<std::string> Keys;
  };
  // Every section in file order, the unnamed one first when it has keys.
  std::vector<TSectionOutline> Outline() const;

private:
  struct TKey {
    std::string Name;
    std::optional<std::string> Value;  // no value: the line had no "="
  };
  struct TSection {
    std::string Name;
    std::vector<TKey> Keys;
  };

  void ParseLine(const std::string& Text, size_t Begin, size_t End);
  const TSection* FindSection(const std::string& Section) const;
  const TKey* FindKey(const std::string& Section, const std::string& Ident) const;

  // FSections[0] is the unnamed section holding the keys before the first header.
  std::vector<TSection> FSections;
  // The index in FSections of the first section of each name, ASCII letters
  // upper-cased, so that a description of many sections is not searched
  // from the start for every key.
  std::unordered_map<std::string, size_t> FFirstSection;
};

// Integer text as INI readers convert it: blanks before the number are
// skipped, then an optional sign and decimal digits, or hexadecimal digits
// after "$" or "0x"; nothing may follow. Nothing when the text does not
// convert or the number does not fit in 32 bits.
std::optional<int32_t> ParseProfileInteger(const std::string& Text);
