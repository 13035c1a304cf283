// Fuzzes the decoding of .bmp files through to pixels: every header form,
// depth and compression, run-length data included, and the icon directory.
// A decoded picture has the size its headers give, lies within the picture
// limits, holds exactly its rows' bytes, and reads back unchanged once
// written as a .bmp file.
#include <cstdint>
#include <cstdlib>
#include <optional>
#include <utility>
#include <vector>

#include "ui/ImageFiles.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* Data, size_t Size) {
  ParseIconFile(Data, Size);
  size_t used = 0;
  const std::optional<TDibImage> image = DecodeBmp(Data, Size, &used);
  const std::optional<std::pair<int, int>> sides = BmpPictureSize(Data, Size);
  if (sides && !BitmapSizeAllowed(sides->first, sides->second)) std::abort();
  if (!image) return 0;
  if (!sides || sides->first != image->Width || sides->second != image->Height) std::abort();
  if (used > Size || !BitmapSizeAllowed(image->Width, image->Height)) std::abort();
  if (image->Pixels.size() != DibStride(image->Width, image->BitCount) * size_t(image->Height))
    std::abort();
  if (image->BitCount <= 8 && image->Palette.size() != (size_t(1) << image->BitCount)) std::abort();

  const std::vector<uint8_t> file = EncodeBmp(*image);
  size_t again = 0;
  const std::optional<TDibImage> back = DecodeBmp(file.data(), file.size(), &again);
  if (!back || again != file.size() || back->Width != image->Width ||
      back->Height != image->Height || back->BitCount != image->BitCount ||
      back->Pixels != image->Pixels || back->Palette != image->Palette)
    std::abort();
  return 0;
}
