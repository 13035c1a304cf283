// The stored form of a skin in a window definition: the raw-bytes property
// "SkinStream", whose payload is a signed 32-bit little-endian StoreSize N
// followed by N bytes of skin file. N <= 0 means that no skin is stored.
// And the first steps of loading a skin file: unpacking it and finding its
// description.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "skin/data/SkinLimits.h"
#include "skin/data/SkinValidation.h"
#include "skin/data/SkinValues.h"
#include "ui/Streams.h"

class TSkinReader;

// Reads a payload into Store. True when a skin was read; false, with Store
// left as it was, when the size is <= 0 or the payload is shorter than the
// size it announces.
bool ReadSkinStorePayload(TStream& Payload, TMemoryStream& Store);
// Writes Store as a payload: its size, then its bytes when there are any.
void WriteSkinStorePayload(TStream& Payload, TMemoryStream& Store);

// The largest skin archive that a skin file may announce.
constexpr uint32_t MaxSkinArchiveSize = SkinLimits::MaxArchiveSize;
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

// A skin file read and checked, ready to be installed, or why it is not.
struct TSkinLoad {
  bool Loaded = false;     // Values hold a skin that may be shown
  TSkinValues Values;      // what was read (incomplete when not Loaded)
  TSkinProblems Problems;  // everything the reader and the validation found
  std::string Error;       // why the skin is refused, when not Loaded
};
// Unpacks, reads and validates a skin file. Nothing escapes: a damaged
// file, a refused value and a skin too big for memory all give Error.
TSkinLoad LoadSkinFile(TMemoryStream& SkinFile);

// Reads the file Path whole into Bytes; false, with Error, when it cannot
// be read or is larger than a skin file may be (SkinLimits::MaxFileSize).
bool ReadSkinFileBytes(const std::string& Path, std::vector<uint8_t>& Bytes, std::string& Error);
