// The skin archive: a header, the entry names as lines of text, a table of
// entry sizes and the entries' bytes back to back. TSkinReader unpacks a skin
// file and hands out its entries (bitmaps and the description) by name.
#pragma once

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "ui/Classes.h"
#include "ui/Streams.h"

// Shows the reader's one message to the user. The default writes the text to
// stderr; the Windows side installs a message-box version.
using TSkinMessageProc = void (*)(const std::string& Text);
extern TSkinMessageProc SkinMessageProc;

namespace SkinReaderMsg {
// "This is Older Skin File", CR, "Please update to new version !"
extern const char* const OlderSkinFile;
}  // namespace SkinReaderMsg

class TSkinReader {
public:
  static constexpr uint32_t ArchiveVersion = 20000;
  static constexpr int MaxEntries = 1001;
  static constexpr int HeaderSize = 16;

  TSkinReader() = default;
  TSkinReader(const TSkinReader&) = delete;
  TSkinReader& operator=(const TSkinReader&) = delete;

  // Unpacks the skin file in Source and takes the archive apart. False (and
  // an empty reader) for a wrong version, which is also reported through
  // SkinMessageProc, for an archive whose parts do not fit in it, and for
  // one that names more than MaxEntries entries.
  bool Load(TStream& Source);
  // Takes apart an archive that is not compressed (what Load unpacks to).
  bool LoadArchive(const std::vector<uint8_t>& Archive);
  // Why the last Load failed.
  enum class TFailure { None, Version, Damaged };
  TFailure Failure() const { return FFailure; }
  // Copies the first entry named Name (letter case ignored) into Dest, from
  // position 0; Dest stays empty when there is none.
  void GetEntry(const std::string& Name, TMemoryStream& Dest);
  // Copies the first entry whose lowercased name contains SubText (compared
  // as is) into Dest and sets FoundName to that name; Dest stays empty and
  // FoundName unchanged when there is none.
  void FindEntry(const std::string& SubText, TMemoryStream& Dest, std::string& FoundName);
  // Copies entry Index (0-based, in archive order) into Dest.
  void GetEntryAt(int Index, TMemoryStream& Dest);
  // The bytes of the first entry named Name (letter case ignored), where
  // the reader holds them (valid until the next load); empty when none.
  std::pair<const uint8_t*, size_t> EntryBytes(const std::string& Name) const;

  // The lowercased entry names, in archive order.
  const TStringList& Names() const { return FNames; }
  int EntryCount() const { return FEntryCount; }
  // Size in bytes of entry Index.
  uint32_t EntrySize(int Index) const;
  // The version word of the loaded archive's header.
  uint32_t Version() const;

private:
  void Reset();
  bool TakeApart(const std::vector<uint8_t>& Archive);
  uint64_t EntryOffset(int Index) const;

  TStringList FNames;
  int FEntryCount = 0;
  uint32_t FEntrySizes[MaxEntries] = {};
  TMemoryStream FData;
  uint8_t FHeader[HeaderSize] = {};
  TFailure FFailure = TFailure::None;
};
