// Fuzzes reading the MDI child buttons: [MDICONTROLS] "Image" names the
// input, a .bmp file, which is cut into three strips of four frames. The
// cut strips are exactly 4 frames of Width / 12 pixels wide and as high as
// the picture, and stand Width / 12 + 4 pixels apart; a picture narrower
// than its 12 frames refuses the skin.
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "skin/data/SkinReader.h"
#include "skin/data/SkinValidation.h"
#include "skin/data/SkinValuesReader.h"
#include "ui/ImageFiles.h"

namespace {

// Appends a 32-bit little-endian word.
void AppendLE32(std::vector<uint8_t>& Out, uint32_t Value) {
  for (int shift = 0; shift < 32; shift += 8) Out.push_back(static_cast<uint8_t>(Value >> shift));
}

// An archive of a description and one picture entry holding Picture.
std::vector<uint8_t> Archive(const std::string& Description, const uint8_t* Picture, size_t Size) {
  const std::string names = "a.ini\r\nm.bmp";
  std::vector<uint8_t> out;
  AppendLE32(out, TSkinReader::ArchiveVersion);
  AppendLE32(out, static_cast<uint32_t>(names.size()));
  AppendLE32(out, 0);
  AppendLE32(out, 0);
  out.insert(out.end(), names.begin(), names.end());
  AppendLE32(out, static_cast<uint32_t>(Description.size()));
  AppendLE32(out, static_cast<uint32_t>(Size));
  out.insert(out.end(), Description.begin(), Description.end());
  out.insert(out.end(), Picture, Picture + Size);
  return out;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* Data, size_t Size) {
  const std::string description = "[MDICONTROLS]\r\nImage=m.bmp\r\n";
  TSkinReader reader;
  if (!reader.LoadArchive(Archive(description, Data, Size))) std::abort();
  TSkinValues values;
  TSkinProblems problems;
  const bool shown = ReadValidSkinValues(description, reader, values, problems);
  if (values.SysButtons.size() != 3) std::abort();

  const std::optional<TDibImage> source = DecodeBmp(Data, Size);
  const bool usable = source && source->Width >= 12;
  if (shown != (usable || !source)) std::abort();
  for (int i = 0; i < 3; ++i) {
    const TSkinSysButtonElement& button = values.SysButtons[size_t(i)];
    if (button.Action != 7 + i || button.FrameCount != 4) std::abort();
    if (!usable) {
      if (button.Bitmap.Width != 0 || button.XCoord != 0) std::abort();
      continue;
    }
    const int w = source->Width / 12;
    if (button.Bitmap.Width != 4 * w || button.Bitmap.Height != source->Height ||
        button.XCoord != (w + 4) * (3 - i) || button.Bitmap.BitCount != 24 ||
        button.Bitmap.Pixels.size() != DibStride(4 * w, 24) * size_t(source->Height))
      std::abort();
  }
  return 0;
}
