#include "skin/data/SkinStore.h"

#include <algorithm>
#include <cstdint>
#include <exception>
#include <new>
#include <vector>

#include "skin/data/SkinDescription.h"
#include "skin/data/SkinReader.h"
#include "skin/data/SkinValuesReader.h"
#include "ui/SysUtils.h"

namespace {

// The 32-bit little-endian word in Bytes.
uint32_t LittleEndian32(const uint8_t (&Bytes)[4]) {
  return static_cast<uint32_t>(Bytes[0]) | static_cast<uint32_t>(Bytes[1]) << 8 |
         static_cast<uint32_t>(Bytes[2]) << 16 | static_cast<uint32_t>(Bytes[3]) << 24;
}

}  // namespace

// The size word, then exactly that many bytes.
bool ReadSkinStorePayload(TStream& Payload, TMemoryStream& Store) {
  uint8_t sizeBytes[4] = {};
  if (Payload.Read(sizeBytes, 4) != 4) return false;
  const auto size = static_cast<int32_t>(LittleEndian32(sizeBytes));
  if (size <= 0 || Payload.Remaining() < size) return false;
  Store.SetSize(size);
  Payload.ReadBuffer(Store.Memory(), static_cast<size_t>(size));
  Store.SetPosition(0);
  return true;
}

// Little-endian size, then the store's bytes.
void WriteSkinStorePayload(TStream& Payload, TMemoryStream& Store) {
  const auto size = static_cast<uint32_t>(Store.Size());
  const uint8_t sizeBytes[4] = {static_cast<uint8_t>(size), static_cast<uint8_t>(size >> 8),
                                static_cast<uint8_t>(size >> 16), static_cast<uint8_t>(size >> 24)};
  Payload.WriteBuffer(sizeBytes, 4);
  if (Store.Size() > 0) Payload.WriteBuffer(Store.Memory(), static_cast<size_t>(Store.Size()));
}

// The little-endian size word at the start.
uint32_t AnnouncedArchiveSize(const TMemoryStream& SkinFile) {
  const std::vector<uint8_t>& file = SkinFile.Bytes();
  uint8_t sizeBytes[4] = {};
  std::copy_n(file.begin(), std::min<size_t>(file.size(), 4), sizeBytes);
  return LittleEndian32(sizeBytes);
}

// Size check, archive, description.
TSkinOpenResult OpenSkinFile(TMemoryStream& SkinFile, TSkinReader& Reader,
                             std::string& Description) {
  if (AnnouncedArchiveSize(SkinFile) > MaxSkinArchiveSize) return TSkinOpenResult::NotLoaded;
  if (!Reader.Load(SkinFile)) return TSkinOpenResult::NotLoaded;
  std::string entryName;
  if (!ExtractSkinDescription(Reader, Description, entryName))
    return TSkinOpenResult::NoDescription;
  return TSkinOpenResult::Opened;
}

// Each way of failing has its own message; the first refused value speaks
// for the validation.
TSkinLoad LoadSkinFile(TMemoryStream& SkinFile) {
  TSkinLoad load;
  try {
    const uint32_t announced = AnnouncedArchiveSize(SkinFile);
    if (announced > MaxSkinArchiveSize) {
      load.Error = "the file announces an archive of " + std::to_string(announced) +
                   " bytes; a skin archive holds at most " + std::to_string(MaxSkinArchiveSize);
      return load;
    }
    TSkinReader reader;
    std::string description;
    switch (OpenSkinFile(SkinFile, reader, description)) {
      case TSkinOpenResult::NotLoaded:
        load.Error = reader.Failure() == TSkinReader::TFailure::Version
                         ? "not a skin file of this version (its archive is not of version " +
                               std::to_string(TSkinReader::ArchiveVersion) + ")"
                         : "a damaged skin file (the archive's parts run past its end, or it "
                           "names more than " +
                               std::to_string(TSkinReader::MaxEntries) + " entries)";
        return load;
      case TSkinOpenResult::NoDescription:
        load.Error = "the skin file holds no description (no entry named *.ini)";
        return load;
      case TSkinOpenResult::Opened: break;
    }
    load.Loaded = ReadValidSkinValues(description, reader, load.Values, load.Problems);
    if (!load.Loaded) load.Error = load.Problems.FirstRefusal();
  } catch (const std::bad_alloc&) {
    load.Loaded = false;
    load.Values = TSkinValues{};
    load.Error = "not enough memory to load the skin";
  } catch (const std::exception& e) {
    load.Loaded = false;
    load.Values = TSkinValues{};
    load.Error = std::string("the skin file cannot be read: ") + e.what();
  }
  return load;
}

// The size first, so that a huge file is never read.
bool ReadSkinFileBytes(const std::string& Path, std::vector<uint8_t>& Bytes, std::string& Error) {
  try {
    TFileStream file(Path, TFileMode::OpenRead);
    const int64_t size = file.Size();
    if (size < 0 || static_cast<uint64_t>(size) > SkinLimits::MaxFileSize) {
      Error = "the file holds " + std::to_string(size) + " bytes; a skin file holds at most " +
              std::to_string(SkinLimits::MaxFileSize);
      return false;
    }
    Bytes.resize(static_cast<size_t>(size));
    file.ReadBuffer(Bytes.data(), Bytes.size());
    return true;
  } catch (const std::bad_alloc&) {
    Error = "not enough memory to read the file";
  } catch (const std::exception& e) {
    Error = std::string("the file cannot be read: ") + e.what();
  }
  Bytes.clear();
  return false;
}
