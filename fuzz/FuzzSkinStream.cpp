// Fuzzes the stored skin from the "SkinStream" payload to the parsed
// description, without the platform's bitmaps: payload, decompression,
// archive, description, and the pictures it names decoded as .bmp files.
// The first input byte chooses the route: even, the rest is a payload as
// stored; odd, the rest is an archive, compressed here into a payload, so
// that the fuzzer reaches the description with little effort.
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "lzhuf/LzhufEncoder.h"
#include "skin/data/IniFile.h"
#include "skin/data/SkinDescription.h"
#include "skin/data/SkinReader.h"
#include "skin/data/SkinStore.h"
#include "ui/ImageFiles.h"

namespace {

// Largest unpacked size tried: a random size word should not just measure
// how fast memory fills (the component's own limit is far above this).
constexpr uint32_t MaxUnpackedSize = 1 << 20;

// The reader's message is of no interest here.
void IgnoreMessage(const std::string&) {}

// The sections that name one picture with "Image", as the component reads them.
const char* const ImageSections[] = {
    "GroupBoxEdge", "Toolbars",    "Tabs",       "StatusBarEdges",  "ComboButton",
    "SunkEdge",     "ExtraImages", "Headerbar",  "MenuItem",        "MenuBackground",
    "Scrollbar",    "HorzScroll",  "VertScroll", "HorzScrollThumb", "VertScrollThumb",
    "MDICONTROLS"};

// Decodes the picture that Value names; width and height 0 when there is none.
void Picture(TSkinReader& Reader, const std::string& Value, int& Width, int& Height) {
  Width = Height = 0;
  const std::string name = SkinBitmapEntryName(Value);
  if (name.empty()) return;
  TMemoryStream entry;
  Reader.GetEntry(name, entry);
  const auto image = DecodeBmp(entry.Memory(), static_cast<size_t>(entry.Size()));
  if (!image) return;
  Width = image->Width;
  Height = image->Height;
}

// Reads the description as the component does, pictures included.
void ReadDescription(const std::string& Text, TSkinReader& Reader) {
  const TProfileIni ini(Text);
  ini.ReadString("TitlebarSkin", "SkinName", "");
  int w = 0;
  int h = 0;
  for (const char* border : {"Left", "Right", "Top", "Bottom"}) {
    ini.ReadInteger("Personality", std::string(border) + "TopHeight", 0);
    Picture(Reader, ini.ReadString("Personality", border, ""), w, h);
  }
  for (const std::string& section : ini.SectionNames()) {
    if (IsSysButtonSection(section)) {
      const int32_t action = ini.ReadInteger(section, "Action", 0);
      Picture(Reader, ini.ReadString(section, "ButtonImage", ""), w, h);
      const int32_t frames = SysButtonFrameCount(w, h, action);
      if (frames != 3 && frames != 6) std::abort();
    }
    if (IsColourListSection(section)) {
      if (ReadColour(ini.ReadString(section, "color", ""), 0) > 0xFFFFFFu) std::abort();
    }
  }
  for (const char* section : ImageSections)
    Picture(Reader, ini.ReadString(section, "Image", ""), w, h);
  Picture(Reader, ini.ReadString("MDICONTROLS", "Image", ""), w, h);
  for (int i = 0; i < 3; ++i) MdiButtonXCoord(w / 12, i);
  for (const char* key : {"CheckButton", "RadioButton"}) {
    Picture(Reader, ini.ReadString("Buttons", key, ""), w, h);
    if (ToggleFrameCount(w, h) < 4) std::abort();
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* Data, size_t Size) {
  SkinMessageProc = IgnoreMessage;
  if (Size == 0) return 0;
  TMemoryStream stream;
  if (Data[0] & 1) {
    TMemoryStream file(LzhufPackSkinFile(std::vector<uint8_t>(Data + 1, Data + Size)));
    WriteSkinStorePayload(stream, file);
  } else {
    stream.WriteBuffer(Data + 1, Size - 1);
  }
  stream.SetPosition(0);

  TMemoryStream store(std::vector<uint8_t>{0xAB});
  if (!ReadSkinStorePayload(stream, store)) {
    if (store.Bytes() != std::vector<uint8_t>{0xAB}) std::abort();  // left as it was
    return 0;
  }
  if (AnnouncedArchiveSize(store) > MaxUnpackedSize) return 0;
  TSkinReader reader;
  std::string description;
  if (OpenSkinFile(store, reader, description) == TSkinOpenResult::Opened)
    ReadDescription(description, reader);
  return 0;
}
