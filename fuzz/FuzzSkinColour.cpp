// Fuzzes the colour text parser: any text gives an RGB value; blanks around
// the text change nothing; three plain numbers give exactly their colour.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "skin/data/SkinDescription.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* Data, size_t Size) {
  const std::string text(reinterpret_cast<const char*>(Data), Size);
  const TSkinColour colour = ParseSkinColour(text);
  if (colour > 0xFFFFFFu) std::abort();
  if (ParseSkinColour(" \t" + text + "\r\n ") != colour) std::abort();
  if (ReadColour(text, 0x80000005u) != (text.empty() ? 0x80000005u : colour)) std::abort();

  if (Size >= 6) {
    // Three numbers from the input, written the way skins write them.
    const unsigned r = Data[0] | Data[1] << 8, g = Data[2] | Data[3] << 8,
                   b = Data[4] | Data[5] << 8;
    char plain[32];
    std::snprintf(plain, sizeof plain, "%u %u %u", r, g, b);
    if (ParseSkinColour(plain) !=
        SkinRGB(static_cast<int32_t>(r), static_cast<int32_t>(g), static_cast<int32_t>(b)))
      std::abort();
  }
  return 0;
}
