#include "skin/data/SkinStore.h"

#include <algorithm>
#include <cstdint>
#include <vector>

#include "skin/data/SkinDescription.h"
#include "skin/data/SkinReader.h"

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
