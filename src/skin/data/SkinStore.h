// The stored form of a skin in a window definition: the raw-bytes property
// "SkinStream", whose payload is a signed 32-bit little-endian StoreSize N
// followed by N bytes of skin file. N <= 0 means that no skin is stored.
// And the first steps of loading a skin file: unpacking it and finding its
// description.
#pragma once

#include <cstdint>
#include <string>

#include "ui/Streams.h"

class TSkinReader;

// Reads a payload into Store. True when a skin was read; false, with Store
// left as it was, when the size is <= 0 or the payload is shorter than the
// size it announces.
bool ReadSkinStorePayload(TStream& Payload, TMemoryStream& Store);
// Writes Store as a payload: its size, then its bytes when there are any.
void WriteSkinStorePayload(TStream& Payload, TMemoryStream& Store);

// The largest skin archive that a skin file may announce. Skins are a few
// hundred kilobytes; a bigger size word means a damaged file, which is not
// worth filling memory for.
constexpr uint32_t MaxSkinArchiveSize = 32u << 20;
// The unpacked size that a skin file announces in its first four bytes
// (missing bytes count as 0).
uint32_t AnnouncedArchiveSize(const TMemoryStream& SkinFile);

enum class TSkinOpenResult {
  NotLoaded,      // the archive could not be loaded (or is far too big)
  NoDescription,  // loaded, but it holds no ".ini" entry
  Opened,         // loaded, and Description holds the description text
};
// Unpacks SkinFile into Reader and extracts the description, the first entry
// whose name contains ".ini". Errors of the decompressor pass on.
TSkinOpenResult OpenSkinFile(TMemoryStream& SkinFile, TSkinReader& Reader,
                             std::string& Description);
