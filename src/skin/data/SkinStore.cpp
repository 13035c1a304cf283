#include "skin/data/SkinStore.h"

#include <cstdint>
#include <vector>

#include "skin/data/SkinDescription.h"
#include "skin/data/SkinReader.h"

// The size word, then exactly that many bytes.
bool ReadSkinStorePayload(TStream& Payload, TMemoryStream& Store) {
  uint8_t sizeBytes[4] = {};
  if (Payload.Read(sizeBytes, 4) != 4) return false;
  const int32_t size = static_cast<int32_t>(static_cast<uint32_t>(sizeBytes[0]) |
                                            static_cast<uint32_t>(sizeBytes[1]) << 8 |
                                            static_cast<uint32_t>(sizeBytes[2]) << 16 |
                                            static_cast<uint32_t>(sizeBytes[3]) << 24);
  if (size <= 0 || Payload.Remaining() < size) return false;
  std::vector<uint8_t> bytes(static_cast<size_t>(size));
  Payload.ReadBuffer(bytes.data(), bytes.size());
  Store.Clear();
  Store.WriteBuffer(bytes.data(), bytes.size());
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
  const std::vector<uint8_t>& b = SkinFile.Bytes();
  uint32_t size = 0;
  for (size_t i = 0; i < 4 && i < b.size(); ++i) size |= static_cast<uint32_t>(b[i]) << (8 * i);
  return size;
}

// Size check, archive, description.
TSkinOpenResult OpenSkinFile(TMemoryStream& SkinFile, TSkinReader& Reader, std::string& Description) {
  if (AnnouncedArchiveSize(SkinFile) > MaxSkinArchiveSize) return TSkinOpenResult::NotLoaded;
  if (!Reader.Load(SkinFile)) return TSkinOpenResult::NotLoaded;
  std::string entryName;
  if (!ExtractSkinDescription(Reader, Description, entryName)) return TSkinOpenResult::NoDescription;
  return TSkinOpenResult::Opened;
}
