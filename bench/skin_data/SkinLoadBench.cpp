// Start-up cost of the stored skin, as the main window pays it when its
// definition is read: unpacking the skin file, taking the archive apart,
// parsing the description and building every element's bitmaps. Each step
// is timed on its own, then the whole load through the component.
//   bench_skin_load SKINFILE [ROUNDS]
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "skin/data/LZH.h"
#include "skin/window/SkinManager.h"
#include "skin/data/SkinReader.h"
#include "skin/data/SkinStore.h"
#include "skin/window/WinSkinData.h"

namespace {

// Milliseconds from the performance counter.
double NowMs() {
  static LARGE_INTEGER frequency = [] {
    LARGE_INTEGER f;
    QueryPerformanceFrequency(&f);
    return f;
  }();
  LARGE_INTEGER now;
  QueryPerformanceCounter(&now);
  return 1000.0 * static_cast<double>(now.QuadPart) / static_cast<double>(frequency.QuadPart);
}

// Runs Step Rounds times and prints the median and the fastest time.
template <class TStep>
void Time(const char* Name, int Rounds, TStep Step) {
  std::vector<double> times;
  for (int i = 0; i < Rounds; ++i) {
    const double start = NowMs();
    Step();
    times.push_back(NowMs() - start);
  }
  std::sort(times.begin(), times.end());
  std::printf("%-44s median %8.3f ms   fastest %8.3f ms\n", Name, times[times.size() / 2],
              times[0]);
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2) {
    std::fprintf(stderr, "usage: bench_skin_load SKINFILE [ROUNDS]\n");
    return 2;
  }
  const int rounds = argc > 2 ? std::max(1, std::atoi(argv[2])) : 50;
  TMemoryStream file(ReadFileBytes(argv[1]));
  std::printf("skin file %lld bytes, archive %u bytes, %d rounds\n",
              static_cast<long long>(file.Size()), AnnouncedArchiveSize(file), rounds);

  Time("unpack (LZH)", rounds, [&] {
    TMemoryStream archive;
    Unpack(file, archive);
  });
  Time("unpack and take the archive apart", rounds, [&] {
    TSkinReader reader;
    reader.Load(file);
  });

  TSkinData data(nullptr);
  data.SkinStream.LoadFromStream(file);
  TSkinReader reader;
  std::string description;
  if (OpenSkinFile(data.SkinStream, reader, description) != TSkinOpenResult::Opened) {
    std::fprintf(stderr, "not a skin file\n");
    return 1;
  }
  Time("parse the description and build the bitmaps", rounds,
       [&] { data.ParseDescription(description, reader); });
  Time("whole load through the component", rounds, [&] { data.LoadSkinStore(); });
  std::printf("loaded \"%s\": %zu title-bar buttons\n", data.SkinName.c_str(),
              data.SysButtons.size());
  return data.SkinEmpty ? 1 : 0;
}
