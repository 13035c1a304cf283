// Fuzzes reading a skin's description and pictures into the model's values
// and their validation, as the loader and skintool check run them. The input
// is a skin archive (not compressed). Whatever it holds, a skin that is not
// refused keeps within the skin limits: its pictures hold at most the pixel
// limit, its borders are at most the border limit thick, every frame count
// leaves frames of at least one pixel, and validating it again changes
// nothing.
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "skin/data/IniFile.h"
#include "skin/data/SkinDescription.h"
#include "skin/data/SkinLimits.h"
#include "skin/data/SkinReader.h"
#include "skin/data/SkinValidation.h"
#include "skin/data/SkinValuesReader.h"

namespace {

void IgnoreMessage(const std::string&) {}

// Pixels of one picture.
int64_t Pixels(const TDibImage& Image) { return int64_t(Image.Width) * Image.Height; }

// Every picture of the values, counted once.
int64_t AllPixels(const TSkinValues& V) {
  int64_t total = Pixels(V.Title.Bitmap) + Pixels(V.Button.Bitmap) + Pixels(V.Button.CheckBitmap) +
                  Pixels(V.Button.RadioBitmap);
  for (const auto& b : V.Borders) total += Pixels(b.Bitmap) + Pixels(b.BorderBitmap);
  for (const auto& b : V.SysButtons) total += Pixels(b.Bitmap);
  if (V.Tabs) total += Pixels(V.Tabs->Bitmap) + Pixels(V.Tabs->BorderBitmap);
  for (const auto* e :
       {&V.ComboButton, &V.SunkEdge, &V.ExtraImages, &V.GroupBoxEdge, &V.Toolbars,
        &V.StatusBarEdges, &V.Progress, &V.Headerbar, &V.MenuBar, &V.MenuItem, &V.MenuBackground,
        &V.Scrollbar, &V.HorzScroll, &V.VertScroll, &V.HorzScrollThumb, &V.VertScrollThumb})
    if (*e) total += Pixels((*e)->Bitmap);
  return total;
}

// A strip of Count frames of Image leaves frames of at least one pixel.
void ExpectFrames(const TDibImage& Image, int32_t Count, bool Vertical) {
  if (Image.Width <= 0 || Image.Height <= 0) return;
  if (Count < 1 || Count > (Vertical ? Image.Height : Image.Width)) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* Data, size_t Size) {
  SkinMessageProc = IgnoreMessage;
  TSkinReader reader;
  if (!reader.LoadArchive(std::vector<uint8_t>(Data, Data + Size))) return 0;
  std::string description, name;
  if (!ExtractSkinDescription(reader, description, name)) return 0;

  const TProfileIni ini(description);
  TSkinValues values;
  TSkinProblems problems;
  TSkinValuesReader valuesReader(ini, reader, values, problems);
  valuesReader.ReadAll();
  ValidateSkinValues(ini, values, problems);
  LintSkinDescription(ini, reader, problems);
  for (const TSkinProblem& p : problems.Items()) p.Describe();
  if (problems.Refused()) return 0;

  if (AllPixels(values) > SkinLimits::MaxPixels) std::abort();
  if (values.SysButtons.size() > size_t(SkinLimits::MaxSysButtons) + 3) std::abort();
  for (int i = 1; i <= 4; ++i) {
    const TSkinBorderElement& b = values.Borders[size_t(i)];
    ExpectFrames(b.Bitmap, b.FrameCount, i >= 3);
    if (b.Bitmap.Width > 0 && b.Bitmap.Height > 0 &&
        (i <= 2 ? b.Bitmap.Width : b.Bitmap.Height) / b.FrameCount > SkinLimits::MaxBorderSize)
      std::abort();
  }
  for (const auto& b : values.SysButtons) ExpectFrames(b.Bitmap, b.FrameCount, false);
  ExpectFrames(values.Button.CheckBitmap, values.Button.CheckFrameCount, false);
  ExpectFrames(values.Button.RadioBitmap, values.Button.RadioFrameCount, false);
  if (values.Title.Margins.left < -SkinLimits::MaxOffset ||
      values.Title.Margins.left > SkinLimits::MaxOffset)
    std::abort();

  // What passed needs nothing more.
  TSkinProblems again;
  ValidateSkinValues(ini, values, again);
  for (const TSkinProblem& p : again.Items())
    if (p.Verdict != TSkinVerdict::Noted) std::abort();
  return 0;
}
