#include "skin/data/SkinReader.h"

#include <algorithm>
#include <cassert>
#include <iostream>
#include <iterator>

#include "skin/data/LZH.h"
#include "ui/SysUtils.h"

namespace SkinReaderMsg {
const char* const OlderSkinFile = "This is Older Skin File\rPlease update to new version !";
}  // namespace SkinReaderMsg

namespace {

// Writes the message to stderr, one line per line of the text.
void WriteSkinMessageToStderr(const std::string& Text) {
  std::string lines = Text;
  for (char& c : lines) {
    if (c == '\r') c = '\n';
  }
  std::cerr << lines << '\n';
}

// The 32-bit little-endian word at Bytes (the caller checks the range).
uint32_t ReadLE32(const uint8_t* Bytes) {
  return static_cast<uint32_t>(Bytes[0]) | static_cast<uint32_t>(Bytes[1]) << 8 |
         static_cast<uint32_t>(Bytes[2]) << 16 | static_cast<uint32_t>(Bytes[3]) << 24;
}

// The line breaks in Text: CR LF, a lone CR and a lone LF count one each.
size_t CountLineBreaks(const std::string& Text) {
  size_t breaks = 0;
  for (size_t i = 0; i < Text.size(); ++i) {
    if (Text[i] == '\n' || (Text[i] == '\r' && (i + 1 == Text.size() || Text[i + 1] != '\n')))
      ++breaks;
  }
  return breaks;
}

}  // namespace

TSkinMessageProc SkinMessageProc = WriteSkinMessageToStderr;

// Forgets everything a previous load put in.
void TSkinReader::Reset() {
  FNames.Clear();
  FEntryCount = 0;
  std::fill(std::begin(FEntrySizes), std::end(FEntrySizes), 0u);
  FData.Clear();
  std::fill(std::begin(FHeader), std::end(FHeader), uint8_t{0});
  FFailure = TFailure::None;
}

// Unpacks Source into a temporary archive and takes it apart.
bool TSkinReader::Load(TStream& Source) {
  Reset();
  TMemoryStream archive;
  Unpack(Source, archive);
  return LoadArchive(archive.Bytes());
}

// The archive as it is; the reason is kept when it fails.
bool TSkinReader::LoadArchive(const std::vector<uint8_t>& Archive) {
  Reset();
  if (!TakeApart(Archive)) {
    const bool version = Version() != ArchiveVersion;
    Reset();
    FFailure = version ? TFailure::Version : TFailure::Damaged;
    return false;
  }
  return true;
}

// Reads the header, names, size table and data; false when any part is
// missing or the version is not ours.
bool TSkinReader::TakeApart(const std::vector<uint8_t>& Archive) {
  // A header cut short reads as zeros and so fails the version check.
  const size_t headerBytes = std::min<size_t>(Archive.size(), HeaderSize);
  std::copy(Archive.begin(), Archive.begin() + headerBytes, FHeader);
  if (Version() != ArchiveVersion) {
    SkinMessageProc(SkinReaderMsg::OlderSkinFile);
    return false;
  }
  if (Archive.size() < HeaderSize) return false;

  const uint64_t namesLength = ReadLE32(FHeader + 4);
  const uint64_t namesEnd = HeaderSize + namesLength;
  if (namesEnd > Archive.size()) return false;
  const std::string names(Archive.begin() + HeaderSize, Archive.begin() + namesEnd);
  // Every break ends a name: a text of too many is refused before it is split,
  // as a damaged one of millions of empty lines would take much memory.
  if (CountLineBreaks(names) > static_cast<size_t>(MaxEntries)) return false;
  FNames.SetText(AnsiLowerCase(names));
  if (FNames.Count() > MaxEntries) return false;
  FEntryCount = FNames.Count();

  const uint64_t dataStart = namesEnd + 4 * static_cast<uint64_t>(FEntryCount);
  if (dataStart > Archive.size()) return false;
  uint64_t total = 0;
  for (int i = 0; i < FEntryCount; ++i) {
    FEntrySizes[i] = ReadLE32(Archive.data() + namesEnd + 4 * i);
    total += FEntrySizes[i];
  }
  if (total > Archive.size() - dataStart) return false;

  FData.WriteBuffer(Archive.data() + dataStart, Archive.size() - dataStart);
  FData.SetPosition(0);
  return true;
}

// The version word of the header (0 before a load).
uint32_t TSkinReader::Version() const { return ReadLE32(FHeader); }

// Size of entry Index.
uint32_t TSkinReader::EntrySize(int Index) const {
  assert(Index >= 0 && Index < FEntryCount);
  return FEntrySizes[Index];
}

// Where entry Index starts in the data: the sum of the sizes before it.
uint64_t TSkinReader::EntryOffset(int Index) const {
  uint64_t offset = 0;
  for (int i = 0; i < Index; ++i) offset += FEntrySizes[i];
  return offset;
}

// Copies entry Index into Dest and rewinds Dest.
void TSkinReader::GetEntryAt(int Index, TMemoryStream& Dest) {
  assert(Index >= 0 && Index < FEntryCount);
  Dest.Clear();
  const uint64_t offset = EntryOffset(Index);
  const uint32_t size = FEntrySizes[Index];
  // Load made sure that every entry lies inside the data.
  assert(offset + size <= static_cast<uint64_t>(FData.Size()));
  Dest.WriteBuffer(FData.Memory() + offset, size);
  Dest.SetPosition(0);
}

// The first entry whose name equals Name, lowercased, in place.
std::pair<const uint8_t*, size_t> TSkinReader::EntryBytes(const std::string& Name) const {
  const std::string wanted = AnsiLowerCase(Name);
  for (int i = 0; i < FEntryCount; ++i) {
    if (FNames.Get(i) == wanted)
      return {FData.Memory() + EntryOffset(i), static_cast<size_t>(FEntrySizes[i])};
  }
  return {nullptr, 0};
}

// Copies the first entry whose name equals Name, lowercased.
void TSkinReader::GetEntry(const std::string& Name, TMemoryStream& Dest) {
  Dest.Clear();
  const std::string wanted = AnsiLowerCase(Name);
  for (int i = 0; i < FEntryCount; ++i) {
    if (FNames.Get(i) == wanted) {
      GetEntryAt(i, Dest);
      return;
    }
  }
}

// Copies the first entry whose name contains SubText and reports its name.
void TSkinReader::FindEntry(const std::string& SubText, TMemoryStream& Dest,
                            std::string& FoundName) {
  Dest.Clear();
  for (int i = 0; i < FEntryCount; ++i) {
    const std::string name = FNames.Get(i);
    if (name.find(SubText) != std::string::npos) {
      GetEntryAt(i, Dest);
      FoundName = name;
      return;
    }
  }
}
