// Fuzzes the skin-file decompressor on arbitrary bytes, and the compressor
// and decompressor together on round trips.
#include <cstdint>
#include <cstdlib>
#include <vector>

#include "lzhuf/LzhufEncoder.h"
#include "skin/data/LZH.h"

namespace {

// Largest unpacked size tried, so that a random size word does not just
// measure how fast memory fills.
constexpr uint32_t MaxUnpackedSize = 1 << 17;

// Decompresses Data as a skin file whose size word is capped; missing size
// bytes count as 0, as the decompressor reads them.
void DecodeArbitrary(const uint8_t* Data, size_t Size) {
  std::vector<uint8_t> file(Data, Data + Size);
  if (file.size() < 4) file.resize(4, 0);
  const uint32_t unpackedSize =
      (file[0] | file[1] << 8 | file[2] << 16 | static_cast<uint32_t>(file[3]) << 24) %
      (MaxUnpackedSize + 1);
  for (int i = 0; i < 4; ++i) file[i] = static_cast<uint8_t>(unpackedSize >> (8 * i));
  TMemoryStream source(std::move(file));
  TMemoryStream dest;
  Unpack(source, dest);
  if (dest.Size() != unpackedSize) std::abort();
}

// Compresses Data and checks that it comes back unchanged.
void RoundTrip(const uint8_t* Data, size_t Size) {
  const std::vector<uint8_t> original(Data, Data + Size);
  TMemoryStream source(LzhufPackSkinFile(original));
  TMemoryStream dest;
  Unpack(source, dest);
  if (dest.Bytes() != original) std::abort();
}

}  // namespace

// The first byte picks the mode; the rest is the input.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t* Data, size_t Size) {
  if (Size == 0) return 0;
  if (Data[0] & 1) {
    RoundTrip(Data + 1, Size - 1);
  } else {
    DecodeArbitrary(Data + 1, Size - 1);
  }
  return 0;
}
